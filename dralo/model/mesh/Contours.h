// Contours along the colour boundaries of the bitmap, the first stage of the
// mesh: the boundary edges become directed edges over shared vertices,
// chained into contours of one colour pair each (split where more than two
// edges meet), the pixel staircases are smoothed into diagonals, degenerate
// and collinear pieces removed, the contours optionally simplified within
// a margin, and the coordinates scaled to integers in 1/16 pixel. The mesh
// points and the triangulation then work on the same arrays (MeshPoints.h,
// Triangulation.h), which grow as they need.
//
// Orientation: an edge runs so that its high colour lies on the side where
// (y - y1)·dx - (x - x1)·dy > 0, its "left" in this file's sense (with y
// growing downwards, as in the bitmap).
#pragma once
#include "dralo/model/mesh/IntHashMap.h"
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>
#include <vector>

namespace dralo {

class EngineHost;

struct ContourVertex {
    std::int32_t x = 0, y = 0; // pixel corners, then half pixels, finally 1/16 pixel
    std::uint8_t colour = 0;   // the colour of a lattice point
    std::uint8_t ends = 0;     // contour edge ends at the vertex (saturating)
    bool lattice = false;      // an interior lattice point
};

// Direction codes of a contour edge.
enum : std::uint8_t { kTowardsPlusX = 0, kTowardsMinusX = 1, kTowardsPlusY = 2, kTowardsMinusY = 3, kDiagonal = 4 };

struct ContourEdge {
    std::int32_t start = 0, end = 0;   // vertices
    std::int32_t prev = -1, next = -1; // along the contour; -1 at an open end
    std::int16_t low = -1, high = -1;  // the colours on the two sides (-1 outside the bitmap)
    std::int32_t length = 0;           // along its axis, doubled at an open end of its contour
    std::int32_t run = 0;              // a staircase step: the smaller neighbouring length
    std::uint8_t code = kTowardsPlusX;
    bool step = false;
    bool removed = false;              // unlinked by the cleaning
};

// The contour arrays of one triangulation run.
struct ContourSet {
    std::vector<ContourVertex> vertices;
    std::vector<ContourEdge> edges;
    std::vector<std::int32_t> heads; // the first edge of each contour

    // The vertex at (x, y), added when there is none (while the index is
    // kept: from the edge build up to the compaction).
    std::int32_t VertexAt(std::int32_t x, std::int32_t y);
    void RebuildVertexIndex();
    void DropVertexIndex() { vertexIndex = IntHashMap(); }

    IntHashMap vertexIndex;
};

// The steps in the order the calculation runs them. Each polls Esc through
// the host (EscAbort); a contour chain that cannot be followed on throws
// EngineError Triangulation with the colour meshed along it.
void BuildContourEdges(const BitmapModel& m, ContourSet& c, EngineHost& host);
void SortContourEdges(ContourSet& c, EngineHost& host);
void SmoothContourStaircases(ContourSet& c, EngineHost& host);
void CleanContours(ContourSet& c, EngineHost& host);
// Only meaningful for strm > 0.01 (pixels); the caller decides.
void SimplifyContours(ContourSet& c, float strm, EngineHost& host);
void CompactContourVertices(ContourSet& c);
void ScaleContourCoordinates(ContourSet& c, int shift);

// The edges of contour k in order (for the later stages and the tests).
template <class Visit> void ForEachContourEdge(const ContourSet& c, std::size_t k, Visit&& visit)
{
    const std::int32_t head = c.heads[k];
    std::int32_t e = head;
    do {
        visit(e);
        e = c.edges[static_cast<std::size_t>(e)].next;
    } while (e != -1 && e != head);
}

} // namespace dralo

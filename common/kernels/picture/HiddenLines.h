// Hidden-line removal of the perspective pictures: a 3D segment in picture
// space (pixel x, pixel y, depth) is clipped against the projected face
// polygons, and only what lies in front of all of them is plotted. A polygon
// hides the part of the segment that lies inside its outline and behind its
// depth plane (pushed a little away from the eye by the polygon's builder,
// so that lines lying on a face stay visible).
//
// The polygons are indexed by a screen grid: a segment is tested only
// against the polygons whose screen box it meets, in polygon order, so large
// pictures stay near-linear. Pieces split off in the middle of a segment wait
// on an explicit stack, however many polygons cut it, and are plotted in the
// order a depth-first walk over the polygons gives.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kernels {

struct HiddenLinePolygon {
    double a = 0.0, b = 0.0, c = 0.0; // depth(px, py) = a px + b py + c
    float corners[4][2] = {};         // A, B, C, D in the turning of the picture polygons
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0, zmin = 0, zmax = 0;
};

class HiddenLineRemover {
  public:
    using Plot = std::function<void(double x1, double y1, double x2, double y2)>;

    // Indexes the polygons over a picture of width x height pixels (points
    // outside it fall into the border cells). The polygons must stay in
    // place while segments are drawn.
    void Build(std::span<const HiddenLinePolygon> polygons, int width, int height);
    // Plots, piece by piece, what of the segment (x, y, depth at both ends)
    // no polygon hides; a piece shorter than 0.01 pixel (x plus y) is not
    // plotted.
    void DrawHiddenLineSegment(double x1, double y1, double z1, double x2, double y2, double z2,
                               const Plot& plot);

  private:
    struct Piece {
        double p[2][3];
        std::int32_t next; // the first polygon it is still to be tested against
    };
    int CellX(double x) const;
    int CellY(double y) const;
    void CollectCandidates(double x1, double y1, double x2, double y2);

    std::span<const HiddenLinePolygon> m_polygons;
    double m_cell = 16.0;
    int m_nx = 1, m_ny = 1;
    std::vector<std::uint32_t> m_cellStart; // per cell, into m_cellItems; one more at the end
    std::vector<std::int32_t> m_cellItems;  // polygon indices, ascending within a cell
    std::vector<std::uint32_t> m_stamp;     // per polygon: the last collection that took it
    std::uint32_t m_collection = 0;
    std::vector<std::int32_t> m_candidates;
    std::vector<Piece> m_stack;
};

} // namespace kernels

// The scan-line visible-surface filler of the pictures. Every filled shape
// (a whole face polygon, one triangle of a colour band...) is an entry with a
// colour and the depth plane of the surface it belongs to, and its outline is
// added edge by edge; the scan then walks the image row by row, and at every
// pixel the nearest of the shapes covering it wins, so shapes need no depth
// sorting. Pictures without depth (sections) give every shape the same
// plane; where shapes overlap there the later one wins.
//
// Rows: an edge covers the rows strictly below its top and down to its
// bottom (a row exactly at the top vertex is left out, one exactly at the
// bottom included). Columns: a shape's span runs from trunc(x) + 1 of its
// left edge to trunc(x) of its right edge. The left edge of a shape is the
// one given upwards (outlines turn as the picture polygons do).
#pragma once
#include "common/kernels/KernelTypes.h"
#include "common/kernels/picture/PictureCanvas.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace kernels {

// depth(px, py) = a px + b py + c, the surface's depths lying in zmin..zmax.
struct DepthPlane {
    double a = 0.0, b = 0.0, c = 0.0;
    float zmin = 0.0f, zmax = 0.0f;
};

class ScanFiller {
  public:
    struct Entry {
        DepthPlane plane;
        COLORREF colour = kWhite;
        std::int32_t tag = 0; // the caller's own number of the shape
    };
    // Tells whether a pixel of an entry lies in shadow; it is then painted in
    // the lightened colour (ShadowTint).
    using ShadowTest = std::function<bool(int column, int row, const Entry& entry)>;

    // The image is width x height pixels from (0, 0).
    ScanFiller(int width, int height);

    // Room for n entries and m edges ahead of adding them.
    void Reserve(std::size_t n, std::size_t m);
    // A new entry; the edges added after it belong to it.
    void BeginEntry(const DepthPlane& plane, COLORREF colour, std::int32_t tag);
    // An edge of the current entry in pixels; edges wholly above or below
    // the image and edges within one row are left out.
    void AddFillEdge(double x1, double y1, double x2, double y2);

    std::size_t EntryCount() const { return m_entries.size(); }
    std::size_t EdgeCount() const { return m_edges.size(); }
    const Entry& EntryAt(std::size_t n) const { return m_entries[n]; }

    // Paints everything added, row by row (white entries are never painted),
    // polling esc every eleventh row. With a shadow test the rows are painted
    // pixel by pixel. The filler keeps its shapes; Clear empties it.
    void ScanFillEdges(PictureCanvas& canvas, const EscCheck& esc, const ShadowTest& shadow = {});
    void Clear();

  private:
    struct Edge {
        std::int32_t row = 0;
        double x = 0.0;
        double slope = 0.0;
        std::int32_t startRow = 0;
        float bottom = 0.0f;
        std::int32_t entry = 0;
        bool upward = false;
    };
    struct Span {
        std::int32_t column = 0;
        std::int32_t entry = -1;
    };

    void RecordSpansTo(int end, int row);
    std::int32_t FrontPolygonAtPixel(int x, int y);
    void PaintRowSpans(PictureCanvas& canvas, int row, const ShadowTest& shadow);

    int m_width;
    int m_height;
    std::vector<Entry> m_entries;
    std::vector<Edge> m_edges;
    // Scan state of the current row.
    std::vector<Edge*> m_active;
    std::vector<std::int32_t> m_activePolygons;
    std::vector<Span> m_spans;
    int m_lastColumn = 0;
    std::int32_t m_lastFront = -1;
};

// The lightened colour of a shadowed pixel: each channel c + ((255 - c) x 5 >> 3).
COLORREF ShadowTint(COLORREF colour);

} // namespace kernels

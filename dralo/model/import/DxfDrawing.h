// The DXF import's own tables: the layers with their display mode and
// colour, the straight segments the entities are reduced to, and the
// drawing's extents; with the readers of the header, the layer files and
// the entities, and the rasteriser that draws the segments into pixels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dralo {

// Display modes of a layer.
enum : int { kDxfLines = 0, kDxfOutlines = 1, kDxfRegions = 2, kDxfHidden = 3 };

struct DxfLayer {
    std::string name; // as in the file
    int disp = kDxfOutlines;
    int colr = 1;
};

// A straight segment in drawing units; layer -1: none given.
struct DxfSegment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int layer = -1;
};

struct DxfExtents {
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    // Both corners finite, the maximum above the minimum on each axis.
    bool Usable() const;
};

struct DxfDrawing {
    std::vector<DxfLayer> layers;
    std::vector<DxfSegment> segments;
    DxfExtents bounds;        // of the segments added (only while counted)
    bool haveBounds = false;
};

// Limits that keep a damaged or hostile drawing from asking for more than a
// model can use.
struct DxfLimits {
    std::int64_t maxPixels;
    std::size_t maxSegments;
};

// Too many segments or not enough memory: the import ends with "Not enough memory".
struct DxfTooLarge {};

// The layer of that exact name, added when new: display mode 1 and colour
// 1, or from the name: "nnn_d_..." gives colour nnn (0..255) and display
// mode d (0..3).
int FindOrAddLayer(std::vector<DxfLayer>& layers, std::string_view name);
// The readers here: a file that cannot be opened is EngineError FileOpen
// with the path.
// Lines "name=", "disp=" (0..3) and "colr=" (0..255).
void ReadLayerFile(const std::string& path, std::vector<DxfLayer>& layers);
// The "$EXTMIN" and "$EXTMAX" of the HEADER section. Extents not given stay
// unusable.
void ReadDxfHeader(const std::string& path, DxfExtents& extents);
// The entities of the BLOCKS and ENTITIES sections reduced to segments,
// arcs by the chord rule of scale s (drawing units per pixel). With s = 0
// arcs take 64 chords a full turn and only the bounds of the segments are
// kept (the pass that finds the extents of a drawing without usable ones).
void ReadDxfEntities(const std::string& path, double s, DxfDrawing& drawing, const DxfLimits& limits);
// Draws the segments into w x h pixels (filled with colour 1 first) layer
// by layer: first the lines, then the filled outlines, then the filled
// regions. lineMark receives the colours drawn as lines.
void RasteriseSegments(const DxfDrawing& drawing, const DxfExtents& extents, double s, std::int32_t w,
                       std::int32_t h, std::vector<std::uint8_t>& pixels, std::vector<std::uint8_t>& lineMark);

} // namespace dralo

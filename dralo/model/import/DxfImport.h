// DXF import: a two-dimensional drawing in the DXF text format becomes a
// bitmap. The drawing's extents fix the pixel grid (a power-of-ten scale);
// each layer maps to a colour number and a display mode (0 lines, 1 filled
// outlines, 2 filled regions, 3 not shown) by the layer files or by its
// name; the entities are reduced to straight segments and drawn or filled
// into the pixels layer by layer.
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>
#include <string>

namespace dralo {

class EngineHost;

// What the import keeps over a program run.
struct DxfImportState {
    std::string programFolder; // holds "Dralo.bmp" and "DraloDxf.lay"
    bool paletteRead = false;  // the default bitmap's palette was read by an earlier import
};

// Default limit of the bitmap a drawing may make, pixels.
inline constexpr std::int64_t kDxfMaxPixels = static_cast<std::int64_t>(kMaxBitmapSize) * kMaxBitmapSize;

// Reads the drawing into a new bitmap (pixels and changed-pixel list; the
// colour statistics recomputed). The palette of the program folder's
// "Dralo.bmp" is read into the colours on the first import of a run; the
// layers come from "DraloDxf.lay" in the program folder, then from the file
// of the drawing's name with ".lay" beside it. Missing, empty or reversed
// extents come from the entities; entities with values that are not finite
// are dropped. A drawing that cannot be opened is EngineError FileOpen with
// its path (missing layer files and a missing "Dralo.bmp" are skipped).
// False with message 267 when the bitmap would be larger than 32767 pixels a side or
// than maxPixels, with message 259 when memory runs out; the model is then
// unchanged.
bool ImportDxfFile(BitmapModel& m, const std::string& dxfPath, DxfImportState& state, EngineHost& host,
                   std::int64_t maxPixels = kDxfMaxPixels);

} // namespace dralo

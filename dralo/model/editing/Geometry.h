// Edits of the pixel grid as a whole: quarter turns, new sizes, pixel
// bands, a new pixel size and cropped borders. Distance end points move with
// the pixels; unset points (-1) stay unset. A size outside 1..32767 pixels
// is refused with a message and leaves the bitmap unchanged.
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>

namespace dralo {

class EngineHost;

// New pixel (x, y) = old (y, height-1-x); distance end points (x, y) become
// (height-1-y, x) and their side flags are inverted.
void RotateBitmap90(BitmapModel& m);
// The new w x h bitmap takes old pixel (x - dx, y - dy); outside the old
// bitmap colour 1, or with extend the nearest old border pixel. Distance
// end points above 0 move by (dx, dy) and are clamped; a point on the old
// last column (row) goes to the new last one. False when refused.
bool ResizeBitmap(BitmapModel& m, std::int32_t w, std::int32_t h, std::int32_t dx, std::int32_t dy, bool extend,
                  EngineHost& host);
// Inserts nx copies of column x after it and ny copies of row y after it;
// distance coordinates beyond x (y) move by nx (ny).
bool InsertPixelBand(BitmapModel& m, std::int32_t x, std::int32_t y, std::int32_t nx, std::int32_t ny,
                     EngineHost& host);
// Removes nx columns from column x and ny rows from row y; coordinates
// beyond the band move back, those inside it go to its start. A band is
// refused unless at least one column and row remain.
bool DeletePixelBand(BitmapModel& m, std::int32_t x, std::int32_t y, std::int32_t nx, std::int32_t ny,
                     EngineHost& host);
// Resize Pixel: the pixel size becomes s (m); f = old size / s; the sides
// become trunc(f * side + 0.5), pixel (x, y) takes old pixel
// (trunc((x + 0.5) / f), trunc((y + 0.5) / f)); `tris` and the mesh size of
// every present colour are multiplied by f; distance points scale alike.
bool ResizePixels(BitmapModel& m, float s, EngineHost& host);
// Removes the uniform band of columns (rows) along each chosen side whose
// pixels all equal that side's corner pixel; at least one column and row
// remain.
bool CropBitmapBorders(BitmapModel& m, bool left, bool right, bool top, bool bottom, EngineHost& host);
// For every colour the largest square (edge up to 32 pixels) wholly inside
// it, found along the rows: its centre and edge become the label position.
void FindColourLabelPositions(BitmapModel& m);

} // namespace dralo

// The model's bitmap files: 256-colour Windows bitmaps, uncompressed or RLE8,
// whose palette indices are the colour numbers and whose palette gives the
// colours' display RGB. Read into the model, written as RLE8, read for their
// palette only, checked, and pasted into the current bitmap (Import Bitmap).
// A file is decoded whole before anything of the model changes, so a bad
// file never leaves a half-read model.
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace dralo {

class EngineHost;

// Every reader here: a file that cannot be opened (or an empty path) is
// EngineError FileOpen with the path.
//
// True when the file is a 256-colour bitmap of an accepted kind; false
// without a message when it is no "BM" file; false with message 258 when
// planes, bits per pixel or compression do not match.
bool CheckBmpHeader(const std::string& path, EngineHost& host);

// Reads the model's bitmap from path: size, palette into the colour
// records, pixels; then the statistics and the boundary edges. False without
// a message for a file that is not "BM";
// false with message 258 for another kind of bitmap or a damaged one, 267
// for a side above 32767 pixels, 259 when the memory cannot be had. The
// model is unchanged on failure.
bool ReadBmpFile(BitmapModel& m, const std::string& path, EngineHost& host);

// Writes the model as an RLE8 bitmap with its 256 display colours, to a new
// file that takes the place of path once written whole; false when it
// cannot be written (the old file then stays).
bool WriteModelBmp(const BitmapModel& m, const std::string& path);
// The RLE8 pixel data: rows bottom-up, encoded runs of at most 255 pixels,
// each row ended by (0, 0), the bitmap by (0, 1). Returns the bytes written,
// -1 when writing failed.
std::int64_t WriteRle8Pixels(const BitmapModel& m, std::FILE* f);

// Reads only the palette of the file into the colour records' display
// colours (the colours used; 256 when 0, at most 256). False without a
// message when the file is no "BM" file; message 258
// when planes are not 1 or bits per pixel not 8, or the palette is cut short.
bool ReadBmpPalette(BitmapModel& m, const std::string& path, EngineHost& host);

// Import Bitmap: pastes the palette indices of the file into the pixels,
// (x, y) being the imported picture's corner 0 top left, 1 top right, 2
// bottom left, 3 bottom right; pixels falling outside the bitmap are
// dropped. Each change goes through SetPixelColour (the edit's changed
// pixels). Messages and refusals as ReadBmpFile's; false when nothing was
// imported.
bool ImportBitmapFile(BitmapModel& m, const std::string& path, std::int32_t x, std::int32_t y, int corner,
                      EngineHost& host);

} // namespace dralo

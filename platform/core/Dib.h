// The DIB functions of the image library: making, reading, writing DIBs and
// their palettes. BMP files are read with every header field checked against
// the file (uncompressed 1, 4, 8, 24 and 32 bits, and RLE8); they are written
// uncompressed.
#pragma once
#include "platform/core/PackedDib.h"
#include "platform/core/Palette.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A new DIB of the given bit count (1, 4, 8, 24 or 32) with zeroed pixels;
// 1-, 4- and 8-bit DIBs get a full colour table holding a grey ramp. Null for
// an invalid or too large geometry.
std::unique_ptr<PackedDib> DibCreate(int bitCount, int width, int height);

// A 24-bit DIB from pixels given top row first as 0x00RRGGBB words (the upper
// byte is ignored), stride in words between rows; what reading a device
// bitmap's bits gives.
std::unique_ptr<PackedDib> MakeDib(int width, int height, const std::uint32_t* pixels, std::size_t stride);

// Reads a BMP file; null on failure, with the reason in *error when given.
std::unique_ptr<PackedDib> DibOpenFile(const std::string& path, std::string* error = nullptr);
// The same from bytes in memory.
std::unique_ptr<PackedDib> DibReadMemory(const BYTE* data, std::size_t size, std::string* error = nullptr);

// Writes the DIB as an uncompressed BMP file; FALSE when it cannot be written.
BOOL WriteDIB(const std::string& path, const PackedDib* dib);

// A palette of the DIB's colour table; null when it has none.
std::unique_ptr<CPalette> MakePalette(const PackedDib* dib);

// Usage 0 (DIB_RGB_COLORS) copies the palette's entries into the colour
// table. Usage 1 (DIB_PAL_COLORS) would make the table hold palette indexes
// for a device palette; there is none on this system, so the table keeps its
// colours and every drawing path can read it as RGB.
BOOL DibSetUsage(PackedDib* dib, const CPalette* palette, int usage);

// Expands RLE8 data into bottom-up 8-bit rows of rowBytes each (dst zeroed
// by the caller, height rows). Runs, deltas and absolute blocks that leave
// the picture or the data are errors; FALSE with the reason in *error.
BOOL DecodeRle8(const BYTE* src, std::size_t size, int width, int height, std::int64_t rowBytes, BYTE* dst,
                std::string* error);

// Appends the RLE8 form of height rows of width 8-bit indexes (rows packed
// without padding, in the order given): runs of at most 255 equal pixels,
// an end-of-line mark after every row and the end-of-bitmap mark. Every
// pixel is coded, so a frame stands on its own.
void EncodeRle8(const BYTE* indexes, int width, int height, std::vector<BYTE>& out);

} // namespace platform

// Colour reduction of 24-bit pictures to a palette of at most 256 colours:
// an octree over 5 bits per channel whose leaves are merged, smallest first,
// until the wanted number remains, and a mapping of the pixels to the palette
// with serpentine error diffusion. A picture with no more distinct colours
// than asked for keeps every colour exactly.
#pragma once
#include "platform/core/Types.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace common {

// Pixels of 3 bytes each (blue, green, red), bottom row first; stride is the
// byte distance between rows (0: rows packed without a gap).
struct QuantizerInput {
    const BYTE* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};

struct QuantizerResult {
    // One palette index per pixel, rows packed, bottom row first.
    std::vector<BYTE> indexes;
    // The palette as channel 0, 1, 2 (blue, green, red) per entry.
    std::vector<std::array<BYTE, 3>> palette;
};

// FALSE for a colour count outside 1 ... 256, an empty picture or when
// memory runs out.
BOOL QuantizeColours(const QuantizerInput& input, int colours, bool dither, QuantizerResult& result);

// Quantises the picture to at most `colours` colours and writes it as an
// 8-bit BMP whose palette has exactly `colours` entries: mode 0
// uncompressed, mode 1 RLE8. FALSE (with "Color quantization error!" when
// quantising fails) when nothing could be written.
BOOL WriteQuantizedBmp(const std::string& path, const BYTE* pixels, int width, int height, int colours,
                       int mode, std::size_t stride = 0);

} // namespace common

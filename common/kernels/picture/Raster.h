// The RGB raster the pictures are written into, pixel by pixel: a view over
// 32-bit pixels 0xFFRRGGBB (the layout of a 32-bit RGB window bitmap) in rows
// of `stride` pixels, and a raster in plain memory that owns its pixels, for
// pictures drawn off the screen and for tests.
#pragma once
#include "platform/core/Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kernels {

struct RasterView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // pixels from one row to the next
};

constexpr std::uint32_t PixelOf(COLORREF colour)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) |
           static_cast<std::uint32_t>(GetBValue(colour));
}
constexpr COLORREF ColourOfPixel(std::uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class MemoryRaster {
  public:
    MemoryRaster(int width, int height, COLORREF fill = kWhite);

    RasterView View();
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;
    // Number of pixels of the colour.
    long long Count(COLORREF colour) const;

  private:
    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace kernels

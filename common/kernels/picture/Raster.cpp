// The plain-memory raster (see Raster.h).
#include "common/kernels/picture/Raster.h"

#include <algorithm>

namespace kernels {

MemoryRaster::MemoryRaster(int width, int height, COLORREF fill)
    : m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), PixelOf(fill))
{
}

RasterView MemoryRaster::View()
{
    return {m_pixels.data(), m_width, m_height, m_width};
}

COLORREF MemoryRaster::At(int x, int y) const
{
    return ColourOfPixel(m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                                  static_cast<std::size_t>(x)]);
}

long long MemoryRaster::Count(COLORREF colour) const
{
    return std::count(m_pixels.begin(), m_pixels.end(), PixelOf(colour));
}

} // namespace kernels

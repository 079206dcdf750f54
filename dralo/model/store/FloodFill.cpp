// The colour-zone fill.
#include "dralo/model/store/FloodFill.h"

namespace dralo {

std::int64_t FloodFillColourZone(BitmapModel& m, std::int64_t x, std::int64_t y, std::uint8_t colour,
                                 std::uint8_t value, FillWork& work)
{
    std::uint8_t* px = m.pixels.data();
    return Fill4(
        m, PixelIndex(m, x, y), work, [px, colour](std::int64_t n) { return px[n] == colour; },
        [px, value](std::int64_t n) {
            px[n] = value;
            return true;
        });
}

} // namespace dralo

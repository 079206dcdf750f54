// Marked cells to blocks.
#include "novelk/model/editing/ZoneBlocks.h"

#include <algorithm>

namespace novelk {

std::size_t ConvertZoneToBlocks(ModelStore& m, int colour, const std::vector<std::uint32_t>& marks)
{
    if (colour < 0 || colour >= kColourCount)
        return 0;
    const std::uint16_t* box = m.colours[static_cast<std::size_t>(colour)].zoneBox;
    const std::size_t nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    if (marks.size() < nx * ny * nz)
        return 0;
    std::size_t added = 0;
    const std::size_t kEnd = std::min<std::size_t>(box[5], nz ? nz - 1 : 0);
    const std::size_t jEnd = std::min<std::size_t>(box[3], ny ? ny - 1 : 0);
    const std::size_t iEnd = std::min<std::size_t>(box[1], nx ? nx - 1 : 0);
    for (std::size_t k = box[4]; k <= kEnd && k < nz; ++k)
        for (std::size_t j = box[2]; j <= jEnd && j < ny; ++j)
            for (std::size_t i = box[0]; i <= iEnd && i < nx; ++i) {
                if (!marks[i + nx * (j + ny * k)])
                    continue;
                if (!AddCellBlock(m, static_cast<long>(i), static_cast<long>(j), static_cast<long>(k),
                                  colour))
                    return added;
                ++added;
            }
    return added;
}

} // namespace novelk

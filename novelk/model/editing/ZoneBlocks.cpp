// Marked cells to blocks.
#include "novelk/model/editing/ZoneBlocks.h"

#include "common/kernels/FloodFill.h"

#include <algorithm>

namespace novelk {

void FloodFillColourZone(ModelStore& m, CellRaster& cells, int i, int j, int k, int oldColour, int newColour,
                         std::vector<std::uint32_t>& visited, std::vector<std::int64_t>& stack)
{
    const int n[3] = {static_cast<int>(cells.n[0]), static_cast<int>(cells.n[1]), static_cast<int>(cells.n[2])};
    std::vector<std::uint8_t> done;
    kernels::CellBoxIndices box;
    if (!kernels::FloodFillColourRegion(cells.colour, n, {i, j, k}, oldColour, newColour, done, stack, box))
        return;
    if (visited.size() < done.size())
        visited.assign(done.size(), 0);
    for (std::size_t c = 0; c < done.size(); ++c)
        if (done[c])
            visited[c] = 1;
    std::uint16_t* zone = m.colours[std::size_t(newColour & 0xFF)].zoneBox;
    for (int a = 0; a < 3; ++a) {
        zone[2 * a] = static_cast<std::uint16_t>(box.lo[std::size_t(a)]);
        zone[2 * a + 1] = static_cast<std::uint16_t>(box.hi[std::size_t(a)]);
    }
}

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

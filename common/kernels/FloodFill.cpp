// Depth-first recolouring of a face-connected colour region.
#include "common/kernels/FloodFill.h"

#include <algorithm>

namespace kernels {

bool FloodFillColourRegion(std::span<std::uint16_t> cells, const int n[3], std::array<int, 3> start,
                           int oldColour, int newColour, std::vector<std::uint8_t>& visited,
                           std::vector<std::int64_t>& stack, CellBoxIndices& box)
{
    const std::int64_t nx = n[0], ny = n[1], nz = n[2];
    const std::int64_t count = nx * ny * nz;
    if (start[0] < 0 || start[1] < 0 || start[2] < 0 || start[0] >= nx || start[1] >= ny || start[2] >= nz ||
        static_cast<std::int64_t>(cells.size()) < count)
        return false;
    if (static_cast<std::int64_t>(visited.size()) < count)
        visited.assign(static_cast<std::size_t>(count), 0);
    stack.clear();
    box.lo = box.hi = start;
    std::array<int, 3> p = start;
    static constexpr int kStep[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    auto index = [&](const std::array<int, 3>& q) { return q[0] + q[1] * nx + q[2] * nx * ny; };
    bool enter = true;
    for (;;) {
        if (enter) {
            const std::int64_t at = index(p);
            cells[static_cast<std::size_t>(at)] = static_cast<std::uint16_t>(newColour);
            visited[static_cast<std::size_t>(at)] = 1;
            for (int a = 0; a < 3; ++a) {
                box.lo[a] = std::min(box.lo[a], p[a]);
                box.hi[a] = std::max(box.hi[a], p[a]);
            }
        }
        int next = -1;
        for (int d = 0; d < 6 && next < 0; ++d) {
            const std::array<int, 3> q = {p[0] + kStep[d][0], p[1] + kStep[d][1], p[2] + kStep[d][2]};
            if (q[0] < 0 || q[1] < 0 || q[2] < 0 || q[0] >= nx || q[1] >= ny || q[2] >= nz)
                continue;
            const std::size_t at = static_cast<std::size_t>(index(q));
            if (!visited[at] && cells[at] == oldColour)
                next = d;
        }
        if (next >= 0) {
            // The last direction leaves nothing to come back for.
            if (next != 5)
                stack.push_back(index(p));
            for (int a = 0; a < 3; ++a)
                p[a] += kStep[next][a];
            enter = true;
            continue;
        }
        if (stack.empty())
            break;
        const std::int64_t top = stack.back();
        stack.pop_back();
        p = {static_cast<int>(top % nx), static_cast<int>((top / nx) % ny), static_cast<int>(top / (nx * ny))};
        enter = false;
    }
    return true;
}

} // namespace kernels

// The 4-connected flood fill of the bitmap with an explicit, growable stack:
// from the current pixel the neighbours are tried in the order up, left,
// right, down, and the fill steps to the first it may enter; before a step
// other than down the current pixel is pushed, so that its remaining
// neighbours are tried again when it is popped. Visited marks keep each pixel
// from being entered twice.
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>
#include <vector>

namespace dralo {

// The visited marks (one byte a pixel) and the stack of one fill or of a
// series of fills that share their marks.
struct FillWork {
    std::vector<std::uint8_t> visited;
    std::vector<std::uint32_t> stack;

    // Marks for the model's pixels (or a count of them), all cleared;
    // std::bad_alloc when they cannot be had.
    void Reset(const BitmapModel& m) { Reset(PixelTotal(m)); }
    void Reset(std::int64_t pixels)
    {
        visited.assign(static_cast<std::size_t>(pixels), 0);
        stack.clear();
    }
};

// The fill from pixel index start of a w x h raster: visit(index) is called
// for every pixel reached (the start first) and returns whether the fill may
// spread from it; enter(index) says whether an unvisited neighbour belongs
// to the region. Returns the number of pixels visited.
template <typename Enter, typename Visit>
std::int64_t Fill4(std::int64_t w, std::int64_t h, std::int64_t start, FillWork& work, Enter enter, Visit visit)
{
    std::int64_t count = 1;
    std::int64_t cur = start;
    work.visited[static_cast<std::size_t>(cur)] = 1;
    bool spread = visit(cur);
    work.stack.clear();
    for (;;) {
        std::int64_t next = -1;
        bool last = false;
        if (spread) {
            const std::int64_t x = cur % w, y = cur / w;
            const std::int64_t candidates[4] = {y > 0 ? cur - w : -1, x > 0 ? cur - 1 : -1, x + 1 < w ? cur + 1 : -1,
                                                y + 1 < h ? cur + w : -1};
            for (int d = 0; d < 4; ++d) {
                const std::int64_t n = candidates[d];
                if (n < 0 || work.visited[static_cast<std::size_t>(n)] || !enter(n))
                    continue;
                next = n;
                last = d == 3;
                break;
            }
        }
        if (next < 0) {
            if (work.stack.empty())
                break;
            cur = work.stack.back();
            work.stack.pop_back();
            spread = true;
            continue;
        }
        if (!last)
            work.stack.push_back(static_cast<std::uint32_t>(cur));
        cur = next;
        work.visited[static_cast<std::size_t>(cur)] = 1;
        ++count;
        spread = visit(cur);
    }
    return count;
}

// The same over the model's pixels.
template <typename Enter, typename Visit>
std::int64_t Fill4(const BitmapModel& m, std::int64_t start, FillWork& work, Enter enter, Visit visit)
{
    return Fill4(m.width, m.height, start, work, enter, visit);
}

// Fills the 4-connected zone of `colour` through (x, y) with `value` (the
// pixels keep their colour when value is colour: the fill then only marks
// and counts them); returns the number of pixels filled.
std::int64_t FloodFillColourZone(BitmapModel& m, std::int64_t x, std::int64_t y, std::uint8_t colour,
                                 std::uint8_t value, FillWork& work);

} // namespace dralo

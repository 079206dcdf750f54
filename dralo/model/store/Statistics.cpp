// Statistics and zone counts. Both work on the runs of equal colour along
// the rows rather than on single pixels: a row costs little more than
// finding its runs, and the zones are counted by joining the runs that touch
// the runs of the row above (union-find), which gives the same counts as one
// flood fill per zone without a per-pixel visited array.
#include "dralo/model/store/Statistics.h"

#include "dralo/model/store/PixelRuns.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace dralo {

void ComputeColourStatistics(BitmapModel& m)
{
    for (ColourRecord& c : m.colours) {
        c.present = 0;
        c.pixelCount = 0;
        c.maxX = c.maxY = 0;
        c.minX = m.width;
        c.minY = m.height;
    }
    // Pixel counts in 64 bits while counting: a colour may fill the whole bitmap.
    std::int64_t counts[kColourCount] = {};
    const std::int64_t w = m.width;
    for (std::int32_t y = 0; y < m.height; ++y) {
        const std::uint8_t* row = m.pixels.data() + y * w;
        for (std::int64_t x = 0; x < w;) {
            const std::int64_t e = RunEnd(row, x, w);
            ColourRecord& c = m.colours[row[x]];
            counts[row[x]] += e - x;
            c.minX = std::min<std::int32_t>(c.minX, static_cast<std::int32_t>(x));
            c.maxX = std::max<std::int32_t>(c.maxX, static_cast<std::int32_t>(e - 1));
            c.minY = std::min(c.minY, y);
            c.maxY = y;
            x = e;
        }
    }
    for (int i = 0; i < kColourCount; ++i) {
        m.colours[i].pixelCount = static_cast<std::int32_t>(std::min<std::int64_t>(counts[i], INT32_MAX));
        m.colours[i].present = counts[i] > 0 ? 1 : 0;
    }
}

namespace {

// Searches a box side again: the first column (row) from `from` towards `to`
// that holds colour c within the other axis's range.
std::int32_t FindColumn(const BitmapModel& m, int c, std::int32_t from, std::int32_t to, std::int32_t y0,
                        std::int32_t y1)
{
    const int step = from <= to ? 1 : -1;
    for (std::int32_t x = from;; x += step) {
        for (std::int32_t y = y0; y <= y1; ++y)
            if (m.pixels[static_cast<std::size_t>(PixelIndex(m, x, y))] == c)
                return x;
        if (x == to)
            return from;
    }
}

std::int32_t FindRow(const BitmapModel& m, int c, std::int32_t from, std::int32_t to, std::int32_t x0, std::int32_t x1)
{
    const int step = from <= to ? 1 : -1;
    for (std::int32_t y = from;; y += step) {
        const std::uint8_t* row = m.pixels.data() + PixelIndex(m, 0, y);
        for (std::int32_t x = x0; x <= x1; ++x)
            if (row[x] == c)
                return y;
        if (y == to)
            return from;
    }
}

} // namespace

void UpdateColourStatistics(BitmapModel& m, std::span<const ChangedPixel> changes)
{
    enum : unsigned { kMinX = 1, kMaxX = 2, kMinY = 4, kMaxY = 8 };
    unsigned recheck[kColourCount] = {};
    for (const ChangedPixel& p : changes) {
        const std::int32_t x = p.index % m.width, y = p.index / m.width;
        ColourRecord& o = m.colours[p.oldColour];
        if (o.pixelCount > 0 && --o.pixelCount == 0)
            o.present = 0;
        if (x == o.minX)
            recheck[p.oldColour] |= kMinX;
        if (x == o.maxX)
            recheck[p.oldColour] |= kMaxX;
        if (y == o.minY)
            recheck[p.oldColour] |= kMinY;
        if (y == o.maxY)
            recheck[p.oldColour] |= kMaxY;
        ColourRecord& n = m.colours[p.newColour];
        if (!n.present) {
            n.minX = n.maxX = x;
            n.minY = n.maxY = y;
        } else {
            n.minX = std::min(n.minX, x);
            n.maxX = std::max(n.maxX, x);
            n.minY = std::min(n.minY, y);
            n.maxY = std::max(n.maxY, y);
        }
        n.present = 1;
        ++n.pixelCount;
    }
    // The old box still holds every pixel of the colour, so each side is
    // searched inside it; a side moves inwards only.
    for (int c = 0; c < kColourCount; ++c) {
        ColourRecord& r = m.colours[c];
        if (!recheck[c] || !r.present)
            continue;
        if (recheck[c] & kMinY)
            r.minY = FindRow(m, c, r.minY, r.maxY, r.minX, r.maxX);
        if (recheck[c] & kMaxY)
            r.maxY = FindRow(m, c, r.maxY, r.minY, r.minX, r.maxX);
        if (recheck[c] & kMinX)
            r.minX = FindColumn(m, c, r.minX, r.maxX, r.minY, r.maxY);
        if (recheck[c] & kMaxX)
            r.maxX = FindColumn(m, c, r.maxX, r.minX, r.minY, r.maxY);
    }
}

void ClearZoneCounts(BitmapModel& m)
{
    for (ColourRecord& c : m.colours)
        c.zoneCount = 0;
}

namespace {

struct Run {
    std::int32_t x0, x1; // pixels x0..x1-1
    std::uint8_t colour;
    std::uint32_t label;
};

std::uint32_t FindRoot(std::vector<std::uint32_t>& parent, std::uint32_t a)
{
    while (parent[a] != a) {
        parent[a] = parent[parent[a]];
        a = parent[a];
    }
    return a;
}

} // namespace

void CountColourZones(BitmapModel& m)
{
    ClearZoneCounts(m);
    const std::int64_t w = m.width;
    std::vector<std::uint32_t> parent;
    std::vector<std::uint8_t> labelColour;
    std::vector<Run> above, row;
    for (std::int64_t y = 0; y < m.height; ++y) {
        const std::uint8_t* px = m.pixels.data() + y * w;
        // A row equal to the one above continues each of its runs.
        if (y > 0 && std::memcmp(px, px - w, static_cast<std::size_t>(w)) == 0)
            continue;
        row.clear();
        for (std::int64_t x = 0; x < w;) {
            const std::int64_t e = RunEnd(px, x, w);
            row.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(e), px[x], 0});
            x = e;
        }
        // Join each run with the runs of the row above that share a pixel
        // side with it and have its colour.
        std::size_t a = 0;
        for (Run& r : row) {
            bool labelled = false;
            while (a < above.size() && above[a].x1 <= r.x0)
                ++a;
            for (std::size_t b = a; b < above.size() && above[b].x0 < r.x1; ++b) {
                if (above[b].colour != r.colour)
                    continue;
                const std::uint32_t root = FindRoot(parent, above[b].label);
                if (!labelled) {
                    r.label = root;
                    labelled = true;
                } else {
                    const std::uint32_t mine = FindRoot(parent, r.label);
                    if (mine != root)
                        parent[std::max(mine, root)] = std::min(mine, root);
                    r.label = std::min(mine, root);
                }
            }
            if (!labelled) {
                r.label = static_cast<std::uint32_t>(parent.size());
                parent.push_back(r.label);
                labelColour.push_back(r.colour);
            }
        }
        above.swap(row);
    }
    for (std::uint32_t l = 0; l < parent.size(); ++l)
        if (FindRoot(parent, l) == l)
            ++m.colours[labelColour[l]].zoneCount;
}

} // namespace dralo

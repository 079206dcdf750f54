// Dissolving a colour by growth of its neighbours.
#include "dralo/model/editing/Dissolve.h"

#include "dralo/model/store/Statistics.h"

#include <algorithm>
#include <vector>

namespace dralo {

namespace {

struct Step {
    int dx, dy;
};
// From a pixel of the growing colour to the neighbours it claims (y downwards).
constexpr Step kSetA[] = {{-1, 0}, {-1, 1}, {0, 1}};
constexpr Step kSetB[] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}};

bool HeldBackByType(const ColourRecord& c, float hardMaterial)
{
    const bool solid = c.type == MATERIAL || c.type == EQUIMAT || c.type == TRANSMAT;
    return !(solid && c.lamb < hardMaterial);
}

// Colour g claims the pixels of r beside its own in the direction set;
// returns the number claimed.
std::int64_t Grow(BitmapModel& m, int g, int r, bool setA, std::vector<std::int64_t>& claimed)
{
    ColourRecord& c = m.colours[static_cast<std::size_t>(g)];
    const std::int32_t x0 = std::max(0, c.minX - 1), x1 = std::min(m.width - 1, c.maxX + 1);
    const std::int32_t y0 = std::max(0, c.minY - 1), y1 = std::min(m.height - 1, c.maxY + 1);
    const Step* steps = setA ? kSetA : kSetB;
    const int count = setA ? 3 : 5;
    claimed.clear();
    for (std::int32_t y = y0; y <= y1; ++y) {
        const std::uint8_t* row = m.pixels.data() + PixelIndex(m, 0, y);
        for (std::int32_t x = x0; x <= x1; ++x) {
            if (row[x] != r)
                continue;
            for (int k = 0; k < count; ++k)
                if (GetPixelColour(m, x - steps[k].dx, y - steps[k].dy) == g) {
                    claimed.push_back(PixelIndex(m, x, y));
                    break;
                }
        }
    }
    for (std::int64_t i : claimed) {
        m.pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(g);
        const std::int32_t x = static_cast<std::int32_t>(i % m.width), y = static_cast<std::int32_t>(i / m.width);
        c.minX = std::min(c.minX, x);
        c.maxX = std::max(c.maxX, x);
        c.minY = std::min(c.minY, y);
        c.maxY = std::max(c.maxY, y);
    }
    const std::int64_t n = static_cast<std::int64_t>(claimed.size());
    c.pixelCount += static_cast<std::int32_t>(n);
    m.colours[static_cast<std::size_t>(r)].pixelCount -= static_cast<std::int32_t>(n);
    return n;
}

} // namespace

void DissolveColour(BitmapModel& m, int r, bool holdBack, int keep, float hardMaterial)
{
    if (r < 0 || r >= kColourCount)
        return;
    ComputeColourStatistics(m);
    const bool hideKeep = keep >= 0 && keep < kColourCount && keep != r && m.colours[keep].present;
    if (hideKeep)
        m.colours[keep].present = 0;
    for (ColourRecord& c : m.colours)
        c.holdBack = holdBack && c.present && HeldBackByType(c, hardMaterial) ? 1 : 0;

    ColourRecord& dissolving = m.colours[static_cast<std::size_t>(r)];
    std::vector<std::int64_t> claimed;
    bool setA = true;
    int roundsWithoutProgress = 0;
    int idleRoundsReleased = 0; // rounds with nothing held back that claimed nothing
    while (dissolving.pixelCount > 0) {
        bool anyGrew = false, anyClaim = false;
        for (int g = 0; g < kColourCount && dissolving.pixelCount > 0; ++g) {
            const ColourRecord& c = m.colours[static_cast<std::size_t>(g)];
            if (g == r || !c.present || c.holdBack)
                continue;
            anyGrew = true;
            anyClaim = Grow(m, g, r, setA, claimed) > 0 || anyClaim;
        }
        setA = !setA;
        const bool released = std::none_of(m.colours.begin(), m.colours.end(),
                                           [](const ColourRecord& c) { return c.holdBack != 0; });
        roundsWithoutProgress = anyClaim ? 0 : roundsWithoutProgress + 1;
        idleRoundsReleased = anyClaim || !released ? 0 : idleRoundsReleased + 1;
        if (idleRoundsReleased >= 2)
            break; // no colour can reach the pixels left
        if (!anyGrew || roundsWithoutProgress >= 2)
            for (ColourRecord& c : m.colours)
                c.holdBack = 0;
    }
    if (hideKeep)
        m.colours[keep].present = 1;
    if (dissolving.pixelCount <= 0) {
        dissolving.pixelCount = 0;
        dissolving.present = 0;
    }
}

} // namespace dralo

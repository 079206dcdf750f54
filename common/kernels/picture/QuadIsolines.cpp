// Isolines of a grid quad (see QuadIsolines.h).
#include "common/kernels/picture/QuadIsolines.h"

#include <algorithm>
#include <cmath>

namespace kernels {

const LinePen& PenOfLevel(const IsolineStyle& style, double level)
{
    if (!(style.inc2 > 0.0))
        return style.firstPen;
    const double frac = std::fmod(std::fabs(level / style.inc2), 1.0);
    return frac < 0.0001 || frac > 0.9999 ? style.secondPen : style.firstPen;
}

void DrawQuadIsoline(const BandVertex c[4], double level, double inc, const IsolineSegment& segment)
{
    for (int e = 0; e < 4; ++e)
        if (level == c[e].value)
            level += 0.0001 * inc;
    BandVertex crossing[4];
    int found = 0;
    for (int e = 0; e < 4; ++e) {
        const BandVertex& s = c[e];
        const BandVertex& t = c[(e + 1) % 4];
        if (!((s.value < level && level < t.value) || (t.value < level && level < s.value)))
            continue;
        const double f = (level - s.value) / (t.value - s.value);
        crossing[found++] = {s.x + f * (t.x - s.x), s.y + f * (t.y - s.y), s.z + f * (t.z - s.z), level};
    }
    if (found >= 2)
        segment(crossing[0], crossing[1]);
    if (found >= 4)
        segment(crossing[2], crossing[3]);
}

void DrawQuadIsolines(const BandVertex c[4], const IsolineStyle& style, const IsolinePen& pen,
                      const IsolineSegment& segment, const EscCheck& esc)
{
    const double rawMin = std::min({c[0].value, c[1].value, c[2].value, c[3].value});
    const double rawMax = std::max({c[0].value, c[1].value, c[2].value, c[3].value});
    const double inc = style.inc;
    if (!style.clamped && rawMin > 1e36)
        return;
    if (std::isfinite(inc) && inc > 0.0 && std::isfinite(rawMin) && std::isfinite(rawMax)) {
        double vmin = rawMin, vmax = rawMax;
        if (style.clamped) {
            vmin = std::max(vmin, style.lower);
            vmax = std::min(vmax, style.upper);
        }
        double first = std::floor(vmin / inc) * inc;
        if (style.clamped && first < style.lower)
            first += inc;
        const double top = (std::floor(vmax / inc) + 0.5) * inc;
        // Levels counted from the first: no drift, and an increment too
        // small to move the level cannot loop for ever.
        double level = first;
        for (long long n = 0; level <= top; ++n) {
            if ((n & 255) == 255)
                PollEsc(esc);
            const LinePen& p = PenOfLevel(style, level);
            pen(p);
            if (p.width > 0)
                DrawQuadIsoline(c, level, inc, segment);
            const double next = first + static_cast<double>(n + 1) * inc;
            if (next <= level)
                break;
            level = next;
        }
    }
    if (style.clamped && style.singlePen.width > 0 && rawMin <= style.singleValue &&
        style.singleValue <= rawMax) {
        pen(style.singlePen);
        DrawQuadIsoline(c, style.singleValue, inc, segment);
    }
}

} // namespace kernels

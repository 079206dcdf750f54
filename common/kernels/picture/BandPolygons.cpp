// Bands of a quad, band outlines and their triangle fans (see BandPolygons.h).
#include "common/kernels/picture/BandPolygons.h"

#include <algorithm>
#include <cmath>

namespace kernels {

bool ValueRange::Usable() const
{
    return std::isfinite(lower) && std::isfinite(upper) && std::isfinite(inc) && inc > 0.0 && upper > lower;
}

void QuadBands(double vmin, double vmax, const ValueRange& range, bool fluxMode, const BandVisit& band,
               const EscCheck& esc)
{
    const double inc = range.inc;
    if (fluxMode && vmin == 0.0 && vmax == 0.0) {
        band(0.0, 0.0, kOutOfRange, 0.001);
        return;
    }
    double eps = std::min(vmax - vmin, inc) * 0.001;
    if (!(eps >= 0.0))
        eps = 0.0;
    if (!range.Usable()) {
        band(kBelowAll, kAboveAll, kOutOfRange, eps);
        return;
    }
    const double L = range.lower, U = range.upper;
    const bool below = vmin < L;
    if (below)
        vmin = L;
    const bool above = vmax > U;
    if (above)
        vmax = U;
    double lo = std::floor(vmin / inc) * inc;
    bool raised = false;
    if (lo < L) {
        lo += inc;
        raised = true;
    }
    double top = (std::floor(vmax / inc) + 0.5) * inc;
    bool lowered = false;
    if (top > U) {
        top -= inc;
        lowered = true;
    }
    if (raised || below)
        band(kBelowAll, lo, kOutOfRange, eps);
    // Levels counted from lo: no drift, and an increment too small to move
    // the level cannot loop for ever.
    double level = lo;
    for (long long n = 0; level <= top; ++n) {
        if ((n & 255) == 255)
            PollEsc(esc);
        band(level, level + inc, range.Fraction(level), eps);
        const double next = lo + static_cast<double>(n + 1) * inc;
        if (next <= level)
            break;
        level = next;
    }
    if (lowered || above)
        band(level, kAboveAll, kOutOfRange, eps);
}

namespace {

BandVertex Cut(const BandVertex& s, const BandVertex& e, double t, double value)
{
    return {s.x + t * (e.x - s.x), s.y + t * (e.y - s.y), s.z + t * (e.z - s.z), value};
}

// A cut at level v strictly inside the edge (by more than eps at both ends).
bool Crosses(double vs, double ve, double v, double eps)
{
    return (vs + eps < v && v < ve - eps) || (ve + eps < v && v < vs - eps);
}

} // namespace

void BandOutline(std::span<const BandVertex> corners, double low, double high, double eps,
                 std::vector<BandVertex>& outline)
{
    const std::size_t n = corners.size();
    for (std::size_t k = 0; k < n; ++k) {
        const BandVertex& s = corners[k];
        const BandVertex& e = corners[(k + 1) % n];
        if (low - eps <= s.value && s.value <= high + eps)
            outline.push_back(s);
        const bool lowCut = Crosses(s.value, e.value, low, eps);
        const bool highCut = Crosses(s.value, e.value, high, eps);
        const double span = e.value - s.value;
        if (lowCut && highCut) {
            const double tl = (low - s.value) / span, th = (high - s.value) / span;
            if (th < tl) {
                outline.push_back(Cut(s, e, th, high));
                outline.push_back(Cut(s, e, tl, low));
            } else {
                outline.push_back(Cut(s, e, tl, low));
                outline.push_back(Cut(s, e, th, high));
            }
        } else if (lowCut) {
            outline.push_back(Cut(s, e, (low - s.value) / span, low));
        } else if (highCut) {
            outline.push_back(Cut(s, e, (high - s.value) / span, high));
        }
    }
}

namespace {

// Outline positions where the fans start, and the end of the outline: a fan
// from start s covers s .. next start - 1.
std::vector<std::size_t> FanStarts(std::span<const BandVertex> outline, double low, double high, double eps)
{
    const std::size_t count = outline.size();
    auto level = [&](const BandVertex& p) {
        if (std::fabs(p.value - low) <= eps)
            return 1;
        if (std::fabs(p.value - high) <= eps)
            return 2;
        return 0;
    };
    std::vector<std::size_t> starts{0};
    if (count >= 6) {
        std::size_t first = 0;
        for (std::size_t k = 2; k < count; ++k) {
            if (k < first + 2)
                continue;
            const int a = level(outline[first]);
            if (a != 0 && a == level(outline[k])) {
                first = k + 1;
                starts.push_back(first);
            }
        }
    }
    starts.push_back(count);
    return starts;
}

} // namespace

void FanTriangles(
    std::span<const BandVertex> outline, double low, double high, double eps,
    const std::function<void(const BandVertex&, const BandVertex&, const BandVertex&)>& triangle)
{
    const std::vector<std::size_t> starts = FanStarts(outline, low, high, eps);
    for (std::size_t f = 0; f + 1 < starts.size(); ++f)
        for (std::size_t k = starts[f] + 2; k < starts[f + 1]; ++k)
            triangle(outline[starts[f]], outline[k - 1], outline[k]);
}

void FanPieces(std::span<const BandVertex> outline, double low, double high, double eps,
               const std::function<void(std::span<const BandVertex> piece)>& piece)
{
    const std::vector<std::size_t> starts = FanStarts(outline, low, high, eps);
    for (std::size_t f = 0; f + 1 < starts.size(); ++f)
        if (starts[f + 1] >= starts[f] + 3)
            piece(outline.subspan(starts[f], starts[f + 1] - starts[f]));
}

} // namespace kernels

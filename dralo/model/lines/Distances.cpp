// Distance records, their states and lengths, and the frame method's distances.
#include "dralo/model/lines/Distances.h"

#include "dralo/model/lines/LineWalk.h"
#include "dralo/model/store/ColourQueries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace dralo {

void ResetDistance(BitmapModel& m, int k)
{
    m.distances[static_cast<std::size_t>(k)] = DistanceRecord{};
}

namespace {

bool Placed(const DistanceRecord& d)
{
    return d.x1 != -1 && d.y1 != -1 && d.x2 != -1 && d.y2 != -1;
}

// Run of one colour from a to b on a row (along x) or column (along y),
// with another colour (or the outside) just beyond both ends.
bool OneColourRun(const BitmapModel& m, bool alongX, int line, int a, int b)
{
    const int lo = std::min(a, b), hi = std::max(a, b);
    auto at = [&](int i) { return alongX ? GetPixelColour(m, i, line) : GetPixelColour(m, line, i); };
    const int c = at(lo);
    for (int i = lo + 1; i <= hi; ++i)
        if (at(i) != c)
            return false;
    return at(lo - 1) != c && at(hi + 1) != c;
}

bool ColourExtent(const BitmapModel& m, bool alongX, int a, int b)
{
    for (const ColourRecord& c : m.colours) {
        if (!c.present)
            continue;
        const int lo = alongX ? c.minX : c.minY, hi = alongX ? c.maxX : c.maxY;
        if ((a == lo && b == hi) || (a == hi && b == lo))
            return true;
    }
    return false;
}

} // namespace

void ValidateDistances(BitmapModel& m)
{
    for (int k = 0; k < m.ndis; ++k) {
        DistanceRecord& d = m.distances[static_cast<std::size_t>(k)];
        if (!Placed(d))
            continue;
        if (!InsideBitmap(m, d.x1, d.y1) || !InsideBitmap(m, d.x2, d.y2)) {
            d.state = kDistanceOutside;
            continue;
        }
        d.state = kDistanceFree;
        if (d.disd == kDistanceAny)
            continue;
        const bool alongX = d.disd == kDistanceX;
        const int a = alongX ? d.x1 : d.y1, b = alongX ? d.x2 : d.y2;
        if (ColourExtent(m, alongX, a, b))
            d.state = kDistanceExtent;
        else if (OneColourRun(m, alongX, alongX ? d.y1 : d.x1, a, b))
            d.state = kDistanceOneColour;
    }
}

double GetDistanceLength(const BitmapModel& m, int k)
{
    if (k < 0 || k >= m.ndis)
        return 0.0;
    const DistanceRecord& d = m.distances[static_cast<std::size_t>(k)];
    if (!Placed(d) || !InsideBitmap(m, d.x1, d.y1) || !InsideBitmap(m, d.x2, d.y2))
        return 0.0;
    double n = 0.0;
    if (d.disd == kDistanceX && d.y1 == d.y2) {
        n = std::abs(d.x2 - d.x1) + 1;
        if (d.diss == 1)
            n = m.width - n;
    } else if (d.disd == kDistanceY && d.x1 == d.x2) {
        n = std::abs(d.y2 - d.y1) + 1;
        if (d.diss == 1)
            n = m.height - n;
    } else if (d.disd == kDistanceAny && (d.x1 != d.x2 || d.y1 != d.y2)) {
        double dx = std::abs(d.x2 - d.x1), dy = std::abs(d.y2 - d.y1);
        if (dx >= dy)
            dx += 1;
        else
            dy += 1;
        return m.pixs * std::sqrt(dx * dx + dy * dy);
    }
    return n * m.pixs;
}

namespace {

// Appends a LOCKED distance from a to b on line `at` (a row for X, a
// column for Y); returns its number (from 1).
int AddLockedDistance(BitmapModel& m, bool alongX, int a, int b, int at, std::uint8_t state)
{
    const int k = m.ndis++;
    ResetDistance(m, k);
    DistanceRecord& d = m.distances[static_cast<std::size_t>(k)];
    d.dism = kDistanceLocked;
    d.disd = alongX ? kDistanceX : kDistanceY;
    d.state = state;
    d.diss = 0;
    d.x1 = static_cast<std::int16_t>(alongX ? a : at);
    d.x2 = static_cast<std::int16_t>(alongX ? b : at);
    d.y1 = static_cast<std::int16_t>(alongX ? at : a);
    d.y2 = static_cast<std::int16_t>(alongX ? at : b);
    return k + 1;
}

} // namespace

void ComputeFrameWidths(BitmapModel& m, const ProgramParameters& p)
{
    const ColourRecord& frame = m.colours[p.cfrm];
    if (!frame.present || !HasTwoBoundaryTemperatures(m))
        return;
    const bool left = IsLineUValueComputable(m, 0), right = IsLineUValueComputable(m, 1);
    const bool top = IsLineUValueComputable(m, 2), bottom = IsLineUValueComputable(m, 3);
    ReportSettings& r = m.report;
    r.pan1 = r.pan2 = r.rufr = 0;
    bool alongX;
    bool first, second; // a U value along the lower and the upper border of the frame's axis
    int lo, hi, size, line;
    int sideFirst, sideSecond;
    if ((left || right) && !top && !bottom) {
        alongX = true;
        first = left, second = right;
        lo = frame.minX, hi = frame.maxX, size = m.width;
        line = m.height >= 5 ? 2 : 0;
        sideFirst = 0, sideSecond = 1;
    } else if ((top || bottom) && !left && !right) {
        alongX = false;
        first = top, second = bottom;
        lo = frame.minY, hi = frame.maxY, size = m.height;
        line = m.width >= 5 ? 2 : 0;
        sideFirst = 2, sideSecond = 3;
    } else {
        return;
    }
    r.difr = AddLockedDistance(m, alongX, lo, hi, line, kDistanceExtent);
    r.rufr = 1;
    if (first && lo != 0) {
        r.dipa = AddLockedDistance(m, alongX, 0, lo - 1, line, kDistanceFree);
        r.pan1 = 1;
        r.sidp = sideFirst;
    }
    if (second && hi < size - 1) {
        const int n = AddLockedDistance(m, alongX, hi + 1, size - 1, line, kDistanceFree);
        if (r.pan1) {
            r.pan2 = 1;
            r.sip2 = sideSecond;
            r.dip2 = n;
        } else {
            r.pan1 = 1;
            r.sidp = sideSecond;
            r.dipa = n;
        }
    }
    if (r.rufr && r.pan1 && !r.pan2) {
        r.sip2 = r.sidp;
        r.dip2 = r.dipa;
    }
}

bool IsStandardFrameLayout(const BitmapModel& m, int direction)
{
    if (m.ndis < 1 || m.ndis > 3)
        return false;
    const bool alongX = direction == 0;
    const DistanceRecord& f = m.distances[0];
    const int line = alongX ? f.y1 : f.x1;
    const int size = alongX ? m.width : m.height;
    auto lo = [alongX](const DistanceRecord& d) { return alongX ? std::min(d.x1, d.x2) : std::min(d.y1, d.y2); };
    auto hi = [alongX](const DistanceRecord& d) { return alongX ? std::max(d.x1, d.x2) : std::max(d.y1, d.y2); };
    for (int k = 0; k < m.ndis; ++k) {
        const DistanceRecord& d = m.distances[static_cast<std::size_t>(k)];
        if (d.dism != kDistanceLocked || d.disd != (alongX ? kDistanceX : kDistanceY) || d.diss != 0 ||
            !Placed(d) || (alongX ? (d.y1 != line || d.y2 != line) : (d.x1 != line || d.x2 != line)))
            return false;
        if (k > 0 && !((lo(d) == 0 && hi(d) == lo(f) - 1) || (lo(d) == hi(f) + 1 && hi(d) == size - 1)))
            return false;
    }
    return true;
}

} // namespace dralo

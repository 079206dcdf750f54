// Line walks and the U value along a line from the input values.
#include "dralo/model/lines/LineWalk.h"

#include "dralo/model/store/ColourQueries.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace dralo {

LineWalk::LineWalk(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    const std::int32_t dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    m_xMajor = dx >= dy;
    if (m_xMajor && x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    } else if (!m_xMajor && y2 < y1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    m_major = m_xMajor ? x1 : y1;
    m_last = m_xMajor ? x2 : y2;
    m_minor = m_xMajor ? y1 : x1;
    const std::int32_t minorEnd = m_xMajor ? y2 : x2;
    m_step = minorEnd >= m_minor ? 1 : -1;
    m_majorExtent = m_xMajor ? dx : dy;
    m_minorExtent = m_xMajor ? dy : dx;
}

bool LineWalk::Next(std::int32_t& x, std::int32_t& y)
{
    if (m_started) {
        if (m_major >= m_last)
            return false;
        ++m_major;
        m_error += m_minorExtent;
        if (2 * m_error >= m_majorExtent) {
            m_minor += m_step;
            m_error -= m_majorExtent;
        }
    }
    m_started = true;
    x = m_xMajor ? m_major : m_minor;
    y = m_xMajor ? m_minor : m_major;
    return true;
}

bool GetLineEnds(const BitmapModel& m, int k, std::int32_t& x1, std::int32_t& y1, std::int32_t& x2,
                 std::int32_t& y2)
{
    if (m.width < 1 || m.height < 1 || k < 0)
        return false;
    switch (k) {
    case 0:
        x1 = x2 = 0, y1 = 0, y2 = m.height - 1;
        return true;
    case 1:
        x1 = x2 = m.width - 1, y1 = 0, y2 = m.height - 1;
        return true;
    case 2:
        y1 = y2 = 0, x1 = 0, x2 = m.width - 1;
        return true;
    case 3:
        y1 = y2 = m.height - 1, x1 = 0, x2 = m.width - 1;
        return true;
    default:
        break;
    }
    if (k - 4 >= m.ndis)
        return false;
    const DistanceRecord& d = m.distances[static_cast<std::size_t>(k - 4)];
    if (!InsideBitmap(m, d.x1, d.y1) || !InsideBitmap(m, d.x2, d.y2) || d.state == kDistanceOutside)
        return false;
    x1 = d.x1, y1 = d.y1, x2 = d.x2, y2 = d.y2;
    return true;
}

std::vector<LineRun> LineRuns(const BitmapModel& m, int k)
{
    std::vector<LineRun> runs;
    std::int32_t x1, y1, x2, y2;
    if (!GetLineEnds(m, k, x1, y1, x2, y2))
        return runs;
    LineWalk walk(x1, y1, x2, y2);
    std::int32_t x, y;
    while (walk.Next(x, y)) {
        const int c = GetPixelColour(m, x, y);
        if (runs.empty() || runs.back().colour != c)
            runs.push_back({c, x, y});
    }
    return runs;
}

namespace {

bool IsSurfaceBoundary(int type)
{
    return type == BC_SIMPL || type == BC_FRE_S;
}

bool IsConducting(int type)
{
    return type == MATERIAL || type == EQUIMAT;
}

} // namespace

bool IsLineUValueComputable(const BitmapModel& m, int k)
{
    const std::vector<LineRun> runs = LineRuns(m, k);
    int environments = 0;
    const ColourRecord* previous = nullptr;
    for (const LineRun& run : runs) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(run.colour)];
        switch (c.type) {
        case BC_SIMPL:
            if (IsAdiabaticBoundary(c) && environments != 1)
                continue; // passed over at the start or after the second environment
            if (!(c.hglo > 0 && c.flux == 0))
                return false;
            if (!(previous && previous->type == BC_SIMPL && previous->temp == c.temp))
                ++environments;
            break;
        case BC_SKY:
            if (!(c.flux == 0 && c.tair == c.trad))
                return false;
            if (!(previous && previous->type == BC_SKY && previous->tair == c.tair))
                ++environments;
            break;
        case BC_NOSKY:
            return false;
        case BC_FREE:
        case BC_FRE_S:
            if (!(c.flux == 0 && c.qcon == 0) || environments != 1)
                return false;
            break;
        default: // MATERIAL, EQUIMAT, TRANSMAT
            if (environments != 1)
                return false;
            break;
        }
        previous = &c;
    }
    return environments == 2;
}

double ComputeLineUValue(const BitmapModel& m, int k)
{
    if (!IsLineUValueComputable(m, k))
        return 0.0;
    const std::vector<LineRun> runs = LineRuns(m, k);
    double r = 0.0;
    std::int32_t startX = runs.front().x, startY = runs.front().y;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ColourRecord& p = m.colours[static_cast<std::size_t>(runs[i].colour)];
        const bool leaving = i + 1 == runs.size();
        const ColourRecord* q = leaving ? nullptr : &m.colours[static_cast<std::size_t>(runs[i + 1].colour)];
        if (IsConducting(p.type)) {
            if (leaving) // a computable line never ends inside a material
                return 0.0;
            const double dx = runs[i + 1].x - startX, dy = runs[i + 1].y - startY;
            r += std::sqrt(dx * dx + dy * dy) * m.pixs / p.lamb;
            if (IsSurfaceBoundary(q->type))
                r += 1.0 / q->hglo;
            else if (q->type == BC_FREE || q->type == BC_SKY)
                return 0.0;
        } else if (IsSurfaceBoundary(p.type)) {
            if (leaving)
                break;
            if (IsConducting(q->type))
                r += 1.0 / p.hglo;
        } else if (p.type == BC_FREE || p.type == BC_SKY || p.type == TRANSMAT) {
            return 0.0;
        }
        if (leaving)
            break;
        if (IsConducting(q->type)) {
            startX = runs[i + 1].x;
            startY = runs[i + 1].y;
        } else if (q->type == TRANSMAT) {
            return 0.0;
        }
    }
    return r > 0 ? 1.0 / r : 0.0;
}

} // namespace dralo

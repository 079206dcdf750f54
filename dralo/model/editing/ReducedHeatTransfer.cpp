// The wedges of reduced heat transfer. From each start pixel on the surface
// a ray leaves at 45 degrees and turns towards the surface until, within
// the wedge's depth, it meets something other than the boundary colour; the
// pixels of the colour between the surface and the ray, downstream of the
// start, are filled. The fills work on the colour's bounding box with
// generation-stamped visited marks, so that each wedge starts clean without
// clearing the marks.
#include "dralo/model/editing/ReducedHeatTransfer.h"

#include "dralo/model/store/Statistics.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace dralo {

namespace {

struct Vec {
    int x, y;
};

// The box of the colour with its visited stamps and the fill stack.
class WedgeArea {
  public:
    WedgeArea(BitmapModel& m, const ColourRecord& c)
        : m_model(m), x0(c.minX), y0(c.minY), w(c.maxX - c.minX + 1), h(c.maxY - c.minY + 1),
          m_stamp(static_cast<std::size_t>(static_cast<std::int64_t>(w) * h), 0)
    {
    }
    void NewWedge() { ++m_generation; }
    bool Inside(int x, int y) const { return x >= x0 && y >= y0 && x < x0 + w && y < y0 + h; }
    bool Visited(int x, int y) const { return m_stamp[Local(x, y)] == m_generation; }
    void Visit(int x, int y) { m_stamp[Local(x, y)] = m_generation; }

    // The 4-connected fill from (x, y) that enters pixels of colour c on the
    // kept side of the line (a x + b y + k >= 0); the start takes the value
    // whatever its side.
    void HalfPlaneFill(int x, int y, int c, std::uint8_t value, double a, double b, double k)
    {
        if (!Inside(x, y) || Visited(x, y))
            return;
        auto colourAt = [this](int px, int py) { return GetPixelColour(m_model, px, py); };
        auto enter = [&](int px, int py) {
            return Inside(px, py) && !Visited(px, py) && colourAt(px, py) == c && a * px + b * py + k >= 0;
        };
        auto paint = [&](int px, int py) {
            Visit(px, py);
            m_model.pixels[static_cast<std::size_t>(PixelIndex(m_model, px, py))] = value;
        };
        m_stack.clear();
        Vec cur{x, y};
        paint(x, y);
        for (;;) {
            const Vec n[4] = {{cur.x, cur.y - 1}, {cur.x - 1, cur.y}, {cur.x + 1, cur.y}, {cur.x, cur.y + 1}};
            int d = 0;
            while (d < 4 && !enter(n[d].x, n[d].y))
                ++d;
            if (d == 4) {
                if (m_stack.empty())
                    return;
                cur = m_stack.back();
                m_stack.pop_back();
                continue;
            }
            if (d < 3)
                m_stack.push_back(cur);
            cur = n[d];
            paint(cur.x, cur.y);
        }
    }

  private:
    std::size_t Local(int x, int y) const
    {
        return static_cast<std::size_t>(static_cast<std::int64_t>(x - x0) + static_cast<std::int64_t>(y - y0) * w);
    }
    BitmapModel& m_model;

  public:
    const int x0, y0, w, h;

  private:
    std::vector<std::uint32_t> m_stamp;
    std::uint32_t m_generation = 0;
    std::vector<Vec> m_stack;
};

// The pixels of a ray from S: one pixel along a step, one pixel away
// whenever the error term asks, slope p/q.
class Ray {
  public:
    Ray(Vec s, Vec along, Vec away, int p, int q) : m_s(s), m_along(along), m_away(away), m_p(p), m_q(q) {}
    Vec At() const { return {m_s.x + m_m * m_along.x + m_k * m_away.x, m_s.y + m_m * m_along.y + m_k * m_away.y}; }
    void Step()
    {
        ++m_m;
        m_error += m_p;
        if (2 * m_error >= m_q) {
            ++m_k;
            m_error -= m_q;
        }
    }
    int StepsAlong() const { return m_m; }
    int StepsAway() const { return m_k; }

  private:
    Vec m_s, m_along, m_away;
    int m_p, m_q;
    int m_m = 0, m_k = 0, m_error = 0;
};

void TraceReducedStrip(BitmapModel& m, WedgeArea& area, int crht, int c, Vec s, Vec along, Vec away)
{
    const int depth = std::max(1, static_cast<int>(std::trunc(0.5 + 0.03 / m.pixs)));
    auto isC = [&](Vec v) { return GetPixelColour(m, v.x, v.y) == c; };
    int p = 1, q = 1;
    Vec end = s;
    // Each turn lowers the slope, so the search ends; the bound is a guard.
    for (int turn = 0; turn < 4 * depth + 8; ++turn) {
        Ray ray(s, along, away, p, q);
        bool blocked = false;
        while (ray.StepsAway() < depth) {
            if (!isC(ray.At())) {
                blocked = true;
                break;
            }
            end = ray.At();
            ray.Step();
        }
        if (blocked || !isC(ray.At()))
            break;
        p = ray.StepsAway() - 1;
        q = ray.StepsAlong();
        end = s;
        if (p == 0 && q == 0)
            break;
    }
    if (end.x == s.x && end.y == s.y)
        return;
    // The kept side of the line through S and E: the material's, line included.
    double a = end.y - s.y, b = s.x - end.x;
    double k = -(s.y * b + s.x * a);
    const int alongSign = along.x + along.y, awaySign = away.x + away.y;
    if ((along.x != 0 && alongSign != awaySign) || (along.y != 0 && alongSign == awaySign)) {
        a = -a;
        b = -b;
        k = -k;
    }
    area.NewWedge();
    // Nothing upstream of S is filled.
    if (along.x != 0) {
        const int column = s.x - along.x;
        for (int y = area.y0; y < area.y0 + area.h; ++y)
            if (area.Inside(column, y))
                area.Visit(column, y);
    } else {
        const int row = s.y - along.y;
        for (int x = area.x0; x < area.x0 + area.w; ++x)
            if (area.Inside(x, row))
                area.Visit(x, row);
    }
    Ray ray(s, along, away, p, q);
    for (;;) {
        const Vec v = ray.At();
        area.HalfPlaneFill(v.x, v.y, c, static_cast<std::uint8_t>(crht), a, b, k);
        if (v.x == end.x && v.y == end.y)
            break;
        if (std::abs(v.x - s.x) > std::abs(end.x - s.x) + 1 || std::abs(v.y - s.y) > std::abs(end.y - s.y) + 1)
            break; // past the end: the ray never passes it, but never walk on
        ray.Step();
    }
}

} // namespace

void SpreadIsolatedPixels(BitmapModel& m, int r, int c)
{
    for (std::int32_t y = 0; y < m.height; ++y)
        for (std::int32_t x = 0; x < m.width; ++x) {
            if (GetPixelColour(m, x, y) != r)
                continue;
            const Vec n[4] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            bool alone = true;
            for (const Vec& v : n)
                alone = alone && GetPixelColour(m, v.x, v.y) != r;
            if (!alone)
                continue;
            for (const Vec& v : n)
                if (GetPixelColour(m, v.x, v.y) == c)
                    m.pixels[static_cast<std::size_t>(PixelIndex(m, v.x, v.y))] = static_cast<std::uint8_t>(r);
        }
}

void SetReducedHeatTransfer(BitmapModel& m, int crht, int c, int direction)
{
    if (c < 0 || c >= kColourCount || crht < 0 || crht >= kColourCount || c == crht)
        return;
    ComputeColourStatistics(m);
    const ColourRecord& box = m.colours[static_cast<std::size_t>(c)];
    if (box.present) {
        WedgeArea area(m, box);
        const bool alongX = direction == kFlowLeftwards || direction == kFlowRightwards;
        const Vec along = direction == kFlowLeftwards    ? Vec{-1, 0}
                          : direction == kFlowRightwards ? Vec{1, 0}
                          : direction == kFlowUpwards    ? Vec{0, -1}
                                                         : Vec{0, 1};
        // The neighbours across the surface: above and below, or left and right.
        const Vec across[2] = {alongX ? Vec{0, -1} : Vec{-1, 0}, alongX ? Vec{0, 1} : Vec{1, 0}};
        auto tryStart = [&](int x, int y) {
            for (const Vec& n : across) {
                if (GetPixelColour(m, x, y) != c) // an earlier trace may have taken it
                    return;
                const int nc = GetPixelColour(m, x + n.x, y + n.y);
                if (nc < 0 || nc == crht || m.colours[static_cast<std::size_t>(nc)].type != MATERIAL)
                    continue;
                TraceReducedStrip(m, area, crht, c, {x, y}, along, {-n.x, -n.y});
            }
        };
        const int x0 = box.minX, x1 = box.maxX, y0 = box.minY, y1 = box.maxY;
        if (direction == kFlowLeftwards || direction == kFlowRightwards) {
            for (int i = 0; i <= x1 - x0; ++i) {
                const int x = direction == kFlowLeftwards ? x1 - i : x0 + i;
                for (int y = y0; y <= y1; ++y)
                    tryStart(x, y);
            }
        } else {
            for (int j = 0; j <= y1 - y0; ++j) {
                const int y = direction == kFlowUpwards ? y1 - j : y0 + j;
                for (int x = x0; x <= x1; ++x)
                    tryStart(x, y);
            }
        }
        SpreadIsolatedPixels(m, crht, c);
    }
    ColourRecord& r = m.colours[static_cast<std::size_t>(crht)];
    const ColourRecord& interior = m.colours[static_cast<std::size_t>(c)];
    r.type = BC_SIMPL;
    r.rule = HI_REDUC;
    r.hglo = 5.0f;
    r.temp = interior.temp;
    r.flux = interior.flux;
}

void RunSetReducedHeatTransfer(EditSession& s, int c, int direction)
{
    SetReducedHeatTransfer(s.model, s.defaults.crht, c, direction);
    RefreshViewsAfterEdit(s, c);
}

} // namespace dralo

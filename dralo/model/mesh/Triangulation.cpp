// The advancing front, one colour at a time.
#include "dralo/model/mesh/Triangulation.h"

#include "dralo/model/mesh/MeshPoints.h"
#include "dralo/model/mesh/PointGrid.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dralo {

namespace {

constexpr std::size_t kMaxCandidates = 500;

struct FrontEdge {
    std::int32_t s, e;
    bool onContour;
    bool alive;
};

struct Candidate {
    std::int32_t v;
    std::int32_t x, y;
    double cosine;
    bool valid;
};

// (b - a) × (p - a): positive when p lies on the left of a→b.
std::int64_t Side(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t px, std::int64_t py)
{
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

// A fraction n / d with d > 0, compared exactly.
struct Fraction {
    std::int64_t n, d;
};
bool Less(const Fraction& a, const Fraction& b)
{
    return static_cast<__int128>(a.n) * b.d < static_cast<__int128>(b.n) * a.d;
}

// Whether a part of positive length of the segment p0→p1 lies inside the
// triangle (its closure), the triangle's corners given in cycle order.
bool SegmentEntersTriangle(const std::int64_t p0[2], const std::int64_t p1[2], const std::int64_t tri[3][2])
{
    Fraction enter{0, 1}, leave{1, 1};
    const std::int64_t dx = p1[0] - p0[0], dy = p1[1] - p0[1];
    for (int k = 0; k < 3; ++k) {
        const std::int64_t* a = tri[k];
        const std::int64_t* b = tri[(k + 1) % 3];
        // Inside: (b - a) × (p - a) >= 0 with p = p0 + t·(p1 - p0).
        const std::int64_t num = Side(a[0], a[1], b[0], b[1], p0[0], p0[1]);
        const std::int64_t den = (b[0] - a[0]) * dy - (b[1] - a[1]) * dx;
        if (den == 0) {
            if (num < 0)
                return false;
            continue;
        }
        // t >= -num / den when den > 0, t <= -num / den when den < 0.
        const Fraction t = den > 0 ? Fraction{-num, den} : Fraction{num, -den};
        if (den > 0) {
            if (Less(enter, t))
                enter = t;
        } else if (Less(t, leave)) {
            leave = t;
        }
    }
    return Less(enter, leave);
}

class ColourFront {
  public:
    ColourFront(ContourSet& c, std::vector<MeshTriangle>& triangles, EngineHost& host, std::vector<std::int32_t>& use,
                std::vector<std::uint16_t>& touched)
        : m_c(c), m_triangles(triangles), m_host(host), m_use(use), m_touched(touched)
    {
    }

    void Run(const BitmapModel& m, int colour, const std::vector<std::int32_t>& latticePoints, std::int64_t& total);

  private:
    const ContourVertex& Vx(std::int32_t v) const { return m_c.vertices[static_cast<std::size_t>(v)]; }
    void Add(std::int32_t s, std::int32_t e, bool onContour);
    void Remove(std::int32_t f);
    void SizeCells(const std::vector<PointGrid::Point>& points);
    template <class Visit> void ForEachCell(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, Visit&& visit);
    bool Advance(std::int32_t f);
    bool DropFlatLoops();
    bool Crossed(std::int32_t s, std::int32_t e, std::int32_t apex);
    bool Closed(std::int32_t v) const { return m_touched[static_cast<std::size_t>(v)] == m_stamp && m_use[static_cast<std::size_t>(v)] == 0; }

    ContourSet& m_c;
    std::vector<MeshTriangle>& m_triangles;
    EngineHost& m_host;
    std::vector<std::int32_t>& m_use;       // alive front edges at each vertex
    std::vector<std::uint16_t>& m_touched;  // m_stamp: the vertex has been on this colour's front

    std::uint8_t m_colour = 0;
    std::uint16_t m_stamp = 0;
    std::int64_t m_window = 0; // half-width of the candidate search box
    std::int64_t m_cell = 16;  // side of the front-edge cells
    std::int64_t m_alive = 0;
    std::int64_t* m_total = nullptr;
    int m_escLeft = 100;
    std::size_t m_limit = 0;

    PointGrid m_points; // the candidate apexes
    std::vector<FrontEdge> m_front;
    IntHashMap m_byEnds;
    // Front-edge cells over the colour's points, row by row: each cell's
    // last registration, -1 for none.
    std::vector<std::int32_t> m_cells;
    std::int64_t m_cellX0 = 0, m_cellY0 = 0, m_cellsX = 1, m_cellsY = 1;
    struct Registration {
        std::int32_t edge, next;
    };
    std::vector<Registration> m_registrations;
    std::vector<std::uint32_t> m_seen; // per front edge: the last crossing test that met it
    std::uint32_t m_query = 0;
    std::vector<Candidate> m_candidates;
};

template <class Visit>
void ColourFront::ForEachCell(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, Visit&& visit)
{
    auto cell = [&](std::int64_t v, std::int64_t origin, std::int64_t count) {
        return std::clamp<std::int64_t>((v - origin) / m_cell, 0, count - 1);
    };
    const std::int64_t cx0 = cell(x0, m_cellX0, m_cellsX), cx1 = cell(x1, m_cellX0, m_cellsX);
    const std::int64_t cy0 = cell(y0, m_cellY0, m_cellsY), cy1 = cell(y1, m_cellY0, m_cellsY);
    for (std::int64_t cy = cy0; cy <= cy1; ++cy)
        for (std::int64_t cx = cx0; cx <= cx1; ++cx)
            visit(m_cells[static_cast<std::size_t>(cy * m_cellsX + cx)]);
}

// The front-edge cells over the points' box: at least m_cell wide, wider
// when the points are sparse, so that there are never many more cells than
// points.
void ColourFront::SizeCells(const std::vector<PointGrid::Point>& points)
{
    std::int64_t x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (const PointGrid::Point& p : points) {
        x0 = std::min<std::int64_t>(x0, p.x);
        x1 = std::max<std::int64_t>(x1, p.x);
        y0 = std::min<std::int64_t>(y0, p.y);
        y1 = std::max<std::int64_t>(y1, p.y);
    }
    const double area = double(x1 - x0 + 1) * double(y1 - y0 + 1);
    m_cell = std::max<std::int64_t>(m_cell, static_cast<std::int64_t>(std::ceil(std::sqrt(area / double(points.size())))));
    m_cellX0 = x0;
    m_cellY0 = y0;
    m_cellsX = (x1 - x0) / m_cell + 1;
    m_cellsY = (y1 - y0) / m_cell + 1;
    m_cells.assign(static_cast<std::size_t>(m_cellsX * m_cellsY), -1);
}

void ColourFront::Add(std::int32_t s, std::int32_t e, bool onContour)
{
    const std::int32_t f = static_cast<std::int32_t>(m_front.size());
    m_front.push_back({s, e, onContour, true});
    m_seen.push_back(0);
    ++m_alive;
    m_byEnds.FindOrInsert(IntHashMap::Pair(static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(e)), f);
    for (std::int32_t v : {s, e}) {
        ++m_use[static_cast<std::size_t>(v)];
        m_touched[static_cast<std::size_t>(v)] = m_stamp;
    }
    const ContourVertex& a = Vx(s);
    const ContourVertex& b = Vx(e);
    ForEachCell(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y), [&](std::int32_t& head) {
        const std::int32_t r = static_cast<std::int32_t>(m_registrations.size());
        const std::int32_t next = head;
        head = r;
        m_registrations.push_back({f, next});
    });
}

void ColourFront::Remove(std::int32_t f)
{
    FrontEdge& r = m_front[static_cast<std::size_t>(f)];
    r.alive = false;
    --m_alive;
    const std::uint64_t key = IntHashMap::Pair(static_cast<std::uint32_t>(r.s), static_cast<std::uint32_t>(r.e));
    if (m_byEnds.Find(key) == f)
        m_byEnds.Erase(key);
    --m_use[static_cast<std::size_t>(r.s)];
    --m_use[static_cast<std::size_t>(r.e)];
}

// Whether a front edge that does not join two of the corners enters the
// triangle s, e, apex.
bool ColourFront::Crossed(std::int32_t s, std::int32_t e, std::int32_t apex)
{
    const std::int64_t tri[3][2] = {{Vx(s).x, Vx(s).y}, {Vx(e).x, Vx(e).y}, {Vx(apex).x, Vx(apex).y}};
    const std::int64_t x0 = std::min({tri[0][0], tri[1][0], tri[2][0]}), x1 = std::max({tri[0][0], tri[1][0], tri[2][0]});
    const std::int64_t y0 = std::min({tri[0][1], tri[1][1], tri[2][1]}), y1 = std::max({tri[0][1], tri[1][1], tri[2][1]});
    ++m_query;
    bool crossed = false;
    ForEachCell(x0, y0, x1, y1, [&](std::int32_t head) {
        if (crossed)
            return;
        for (std::int32_t r = head; r != -1; r = m_registrations[static_cast<std::size_t>(r)].next) {
            const std::int32_t f = m_registrations[static_cast<std::size_t>(r)].edge;
            const FrontEdge& g = m_front[static_cast<std::size_t>(f)];
            if (!g.alive || m_seen[static_cast<std::size_t>(f)] == m_query)
                continue;
            m_seen[static_cast<std::size_t>(f)] = m_query;
            const int shared = (g.s == s || g.s == e || g.s == apex) + (g.e == s || g.e == e || g.e == apex);
            if (shared == 2)
                continue;
            const ContourVertex& a = Vx(g.s);
            const ContourVertex& b = Vx(g.e);
            if (std::max(a.x, b.x) < x0 || std::min(a.x, b.x) > x1 || std::max(a.y, b.y) < y0 || std::min(a.y, b.y) > y1)
                continue;
            const std::int64_t p0[2] = {a.x, a.y}, p1[2] = {b.x, b.y};
            if (SegmentEntersTriangle(p0, p1, tri)) {
                crossed = true;
                return;
            }
        }
    });
    return crossed;
}

// Tries to build the triangle on front edge f; false when it has to be
// passed over.
bool ColourFront::Advance(std::int32_t f)
{
    const std::int32_t s = m_front[static_cast<std::size_t>(f)].s, e = m_front[static_cast<std::size_t>(f)].e;
    const std::int64_t sx = Vx(s).x, sy = Vx(s).y, ex = Vx(e).x, ey = Vx(e).y;
    m_candidates.clear();
    m_points.Query(std::min(sx, ex) - m_window, std::max(sx, ex) + m_window, std::min(sy, ey) - m_window,
                 std::max(sy, ey) + m_window, [&](std::int32_t v, std::int32_t x, std::int32_t y) {
                     if (v != s && v != e && Side(sx, sy, ex, ey, x, y) > 0 && !Closed(v))
                         m_candidates.push_back({v, x, y, 0.0, true});
                     return m_candidates.size() < kMaxCandidates;
                 });
    if (m_candidates.empty())
        return false;
    if (m_escLeft-- <= 0) {
        m_escLeft = 100;
        CheckEscAbort(m_host);
    }
    const double se2 = double(ex - sx) * double(ex - sx) + double(ey - sy) * double(ey - sy);
    for (Candidate& k : m_candidates) {
        const double cs2 = double(sx - k.x) * double(sx - k.x) + double(sy - k.y) * double(sy - k.y);
        const double ce2 = double(ex - k.x) * double(ex - k.x) + double(ey - k.y) * double(ey - k.y);
        k.cosine = (cs2 + ce2 - se2) / (2.0 * std::sqrt(cs2) * std::sqrt(ce2));
    }
    const bool baseOnLattice = Vx(s).lattice && Vx(e).lattice;
    for (;;) {
        Candidate* best = nullptr;
        for (Candidate& k : m_candidates)
            // Equal angles (common on a lattice) go to the lower point
            // number, whatever order the candidates were found in.
            if (k.valid && (best == nullptr || k.cosine < best->cosine || (k.cosine == best->cosine && k.v < best->v)))
                best = &k;
        if (best == nullptr)
            return false;
        const std::int32_t c = best->v;
        if (!(baseOnLattice && Vx(c).lattice)) {
            bool fails = false;
            const std::int64_t cx = best->x, cy = best->y;
            const std::int64_t x0 = std::min({sx, ex, cx}), x1 = std::max({sx, ex, cx});
            const std::int64_t y0 = std::min({sy, ey, cy}), y1 = std::max({sy, ey, cy});
            for (const Candidate& o : m_candidates) {
                if (o.v == c || o.x < x0 || o.x > x1 || o.y < y0 || o.y > y1)
                    continue;
                if (Side(ex, ey, cx, cy, o.x, o.y) >= 0 && Side(cx, cy, sx, sy, o.x, o.y) >= 0) {
                    fails = true;
                    break;
                }
            }
            if (fails || Crossed(s, e, c)) {
                best->valid = false;
                continue;
            }
        }
        // The triangle s, e, c.
        MeshTriangle t;
        t.v[0] = s;
        t.v[1] = e;
        t.v[2] = c;
        t.colour = m_colour;
        t.onContour = m_front[static_cast<std::size_t>(f)].onContour ? 1 : 0;
        Remove(f);
        const std::int32_t sides[2][2] = {{e, c}, {c, s}};
        for (int k = 0; k < 2; ++k) {
            const std::int32_t a = sides[k][0], b = sides[k][1];
            const std::int32_t match = m_byEnds.Find(IntHashMap::Pair(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b)));
            if (match >= 0) {
                if (m_front[static_cast<std::size_t>(match)].onContour)
                    t.onContour |= static_cast<std::uint8_t>(2 << k);
                Remove(match);
            } else {
                Add(b, a, false);
            }
        }
        if (m_triangles.size() >= m_limit)
            throw EngineError::Triangulation(m_colour);
        m_triangles.push_back(t);
        if (++*m_total % 1000 == 0)
            m_host.ShowTriangleCount(*m_total);
        return true;
    }
}

// What is left of the front when no edge finds an apex any more: closed
// loops of edges that enclose no area (where contours of a thin piece of
// the colour came to lie on one another) hold nothing to mesh and are
// closed; true when the front is empty then.
bool ColourFront::DropFlatLoops()
{
    IntHashMap from(static_cast<std::size_t>(m_alive));
    for (std::size_t f = 0; f < m_front.size(); ++f)
        if (m_front[f].alive)
            from.FindOrInsert(static_cast<std::uint64_t>(m_front[f].s), static_cast<std::int32_t>(f));
    std::vector<std::int32_t> loop;
    for (std::size_t first = 0; first < m_front.size(); ++first) {
        if (!m_front[first].alive)
            continue;
        loop.clear();
        bool closed = false;
        for (std::int32_t f = static_cast<std::int32_t>(first); f >= 0 && loop.size() <= static_cast<std::size_t>(m_alive);) {
            loop.push_back(f);
            f = from.Find(static_cast<std::uint64_t>(m_front[static_cast<std::size_t>(f)].e));
            if (f == static_cast<std::int32_t>(first)) {
                closed = true;
                break;
            }
        }
        if (!closed)
            return false;
        const ContourVertex& a = Vx(m_front[first].s);
        const ContourVertex& b = Vx(m_front[first].e);
        for (std::int32_t f : loop) {
            const ContourVertex& p = Vx(m_front[static_cast<std::size_t>(f)].e);
            if (Side(a.x, a.y, b.x, b.y, p.x, p.y) != 0)
                return false;
        }
        for (std::int32_t f : loop)
            Remove(f);
    }
    return m_alive == 0;
}

void ColourFront::Run(const BitmapModel& m, int colour, const std::vector<std::int32_t>& latticePoints, std::int64_t& total)
{
    m_colour = static_cast<std::uint8_t>(colour);
    m_stamp = static_cast<std::uint16_t>(colour + 1);
    m_total = &total;
    const float tric = m.colours[static_cast<std::size_t>(colour)].tric;
    const std::int64_t spacing = LatticeSpacing(tric);
    m_window = std::max<std::int64_t>(2 * spacing, static_cast<std::int64_t>(std::min(1e9, std::trunc(0.5 + 32.0 * tric))));
    m_cell = std::max<std::int64_t>(16, spacing);

    // The front: every contour edge with the colour on its left.
    for (std::size_t k = 0; k < m_c.heads.size(); ++k) {
        const ContourEdge& h = m_c.edges[static_cast<std::size_t>(m_c.heads[k])];
        if (h.low != colour)
            continue;
        // Turn the contour round so that the colour becomes its high one.
        std::int32_t newHead = m_c.heads[k];
        ForEachContourEdge(m_c, k, [&](std::int32_t e) {
            ContourEdge& r = m_c.edges[static_cast<std::size_t>(e)];
            if (r.next == -1)
                newHead = e;
        });
        std::vector<std::int32_t> order;
        ForEachContourEdge(m_c, k, [&](std::int32_t e) { order.push_back(e); });
        for (std::int32_t e : order) {
            ContourEdge& r = m_c.edges[static_cast<std::size_t>(e)];
            std::swap(r.start, r.end);
            std::swap(r.prev, r.next);
            std::swap(r.low, r.high);
        }
        m_c.heads[k] = newHead;
    }
    std::vector<std::pair<std::int32_t, std::int32_t>> contourEdges;
    for (std::size_t k = 0; k < m_c.heads.size(); ++k)
        if (m_c.edges[static_cast<std::size_t>(m_c.heads[k])].high == colour)
            ForEachContourEdge(m_c, k, [&](std::int32_t e) {
                const ContourEdge& r = m_c.edges[static_cast<std::size_t>(e)];
                contourEdges.push_back({r.start, r.end});
            });
    if (contourEdges.empty())
        return;

    // The candidate points: the front's corners (each once) and the
    // colour's lattice points.
    std::vector<std::int32_t> corners;
    corners.reserve(contourEdges.size() + latticePoints.size());
    for (const auto& edge : contourEdges)
        corners.push_back(edge.first);
    std::sort(corners.begin(), corners.end());
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    {
        std::vector<PointGrid::Point> points;
        points.reserve(corners.size() + latticePoints.size());
        for (std::int32_t p : corners)
            points.push_back({Vx(p).x, Vx(p).y, p});
        for (std::int32_t p : latticePoints)
            points.push_back({Vx(p).x, Vx(p).y, p});
        m_points.Build(points, m_window);
        SizeCells(points);
    }
    // About three front edges join per point (the sides of its two
    // triangles); room for them at once spares the copies of growing.
    const std::size_t expected = contourEdges.size() + 3 * (corners.size() + latticePoints.size());
    m_front.reserve(expected);
    m_seen.reserve(expected);
    m_registrations.reserve(2 * expected);
    for (const auto& [start, end] : contourEdges)
        Add(start, end, true);

    // Walk the front in the order its edges joined it (edges added on the
    // way are met at its end). Edges passed over are tried again once the
    // others have moved the front on; a round without a new triangle leaves
    // a part of the colour that cannot be meshed.
    // A valid triangulation has fewer triangles than twice its points and
    // the edges around them; more means the front is going round in circles.
    m_limit = m_triangles.size() + 2 * (corners.size() + latticePoints.size() + m_front.size());
    for (std::size_t f = 0; f < m_front.size(); ++f)
        if (m_front[f].alive)
            Advance(static_cast<std::int32_t>(f));
    while (m_alive > 0) {
        bool progress = false;
        for (std::size_t f = 0; f < m_front.size(); ++f)
            if (m_front[f].alive && Advance(static_cast<std::int32_t>(f)))
                progress = true;
        if (!progress && !DropFlatLoops())
            throw EngineError::Triangulation(colour);
    }
}

} // namespace

void TriangulateZones(BitmapModel& m, ContourSet& c, std::vector<MeshTriangle>& triangles, EngineHost& host)
{
    triangles.clear();
    std::vector<std::vector<std::int32_t>> lattice(kColourCount);
    for (std::size_t v = 0; v < c.vertices.size(); ++v)
        if (c.vertices[v].lattice)
            lattice[c.vertices[v].colour].push_back(static_cast<std::int32_t>(v));
    std::vector<std::int32_t> use(c.vertices.size(), 0);
    std::vector<std::uint16_t> touched(c.vertices.size(), 0);
    std::int64_t total = 0;
    for (int colour = 0; colour < kColourCount; ++colour) {
        ColourRecord& r = m.colours[static_cast<std::size_t>(colour)];
        r.firstTriangle = static_cast<std::uint32_t>(triangles.size());
        r.triangleCount = 0;
        if (!r.present || !IsMeshedType(r.type))
            continue;
        ColourFront front(c, triangles, host, use, touched);
        front.Run(m, colour, lattice[static_cast<std::size_t>(colour)], total);
        r.triangleCount = static_cast<std::uint32_t>(triangles.size() - r.firstTriangle);
    }
}

} // namespace dralo

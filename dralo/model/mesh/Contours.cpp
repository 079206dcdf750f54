// Contour building, staircase smoothing, cleaning, simplification,
// compaction and scaling.
#include "dralo/model/mesh/Contours.h"

#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace dralo {

std::int32_t ContourSet::VertexAt(std::int32_t x, std::int32_t y)
{
    const std::uint64_t key = IntHashMap::Pair(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
    std::int32_t& slot = vertexIndex.FindOrInsert(key, static_cast<std::int32_t>(vertices.size()));
    const std::int32_t v = slot;
    if (v == static_cast<std::int32_t>(vertices.size())) {
        ContourVertex nv;
        nv.x = x;
        nv.y = y;
        vertices.push_back(nv);
    }
    return v;
}

void ContourSet::RebuildVertexIndex()
{
    vertexIndex = IntHashMap(vertices.size());
    for (std::size_t v = 0; v < vertices.size(); ++v)
        vertexIndex.FindOrInsert(IntHashMap::Pair(static_cast<std::uint32_t>(vertices[v].x),
                                                  static_cast<std::uint32_t>(vertices[v].y)),
                                 static_cast<std::int32_t>(v));
}

namespace {

ContourEdge& E(ContourSet& c, std::int32_t e)
{
    return c.edges[static_cast<std::size_t>(e)];
}
const ContourVertex& V(const ContourSet& c, std::int32_t v)
{
    return c.vertices[static_cast<std::size_t>(v)];
}
std::int64_t Dx(const ContourSet& c, const ContourEdge& e)
{
    return static_cast<std::int64_t>(V(c, e.end).x) - V(c, e.start).x;
}
std::int64_t Dy(const ContourSet& c, const ContourEdge& e)
{
    return static_cast<std::int64_t>(V(c, e.end).y) - V(c, e.start).y;
}
// Cross product of the directions of two edges.
std::int64_t Cross(const ContourSet& c, const ContourEdge& a, const ContourEdge& b)
{
    return Dx(c, a) * Dy(c, b) - Dy(c, a) * Dx(c, b);
}

void SaturatingAdd(std::uint8_t& count)
{
    if (count < 255)
        ++count;
}

// The direction code and the length along its axis (doubled at an open
// end); an edge without extent keeps its code.
void Refresh(ContourSet& c, ContourEdge& e)
{
    const std::int64_t dx = Dx(c, e), dy = Dy(c, e);
    if (dy == 0 && dx != 0)
        e.code = dx > 0 ? kTowardsPlusX : kTowardsMinusX;
    else if (dx == 0 && dy != 0)
        e.code = dy > 0 ? kTowardsPlusY : kTowardsMinusY;
    else if (dx != 0)
        e.code = kDiagonal;
    std::int64_t length = e.code <= kTowardsMinusX ? std::abs(dx) : e.code <= kTowardsMinusY ? std::abs(dy)
                                                                                            : std::max(std::abs(dx), std::abs(dy));
    if (e.prev == -1 || e.next == -1)
        length *= 2;
    e.length = static_cast<std::int32_t>(length);
}

// The colour meshed along an edge: its high colour, else its low colour.
int MeshedColourOf(const ContourEdge& e)
{
    return e.high >= 0 ? e.high : e.low;
}

// The edges of the contour that starts at head, in order.
std::vector<std::int32_t> EdgesFrom(const ContourSet& c, std::int32_t head)
{
    std::vector<std::int32_t> order;
    std::int32_t e = head;
    do {
        order.push_back(e);
        e = c.edges[static_cast<std::size_t>(e)].next;
    } while (e != -1 && e != head);
    return order;
}

// Takes e out of its contour; the head moves to the previous edge, else to
// the next, and becomes -1 when nothing is left.
void Unlink(ContourSet& c, std::int32_t& head, std::int32_t e)
{
    ContourEdge& r = E(c, e);
    const std::int32_t p = r.prev, n = r.next;
    if (p == e) {
        head = -1;
    } else {
        if (p != -1)
            E(c, p).next = n;
        if (n != -1)
            E(c, n).prev = p;
        if (head == e)
            head = p != -1 ? p : n;
    }
    r.removed = true;
    r.prev = r.next = -1;
}

// Moves the start or end of an edge to the vertex at (x, y).
void MoveStart(ContourSet& c, std::int32_t e, std::int64_t x, std::int64_t y)
{
    E(c, e).start = c.VertexAt(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
}
void MoveEnd(ContourSet& c, std::int32_t e, std::int64_t x, std::int64_t y)
{
    E(c, e).end = c.VertexAt(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
}

// Moves both ends of an edge and joins its neighbours to them.
void MoveEdge(ContourSet& c, std::int32_t e, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    MoveStart(c, e, x0, y0);
    MoveEnd(c, e, x1, y1);
    ContourEdge& t = E(c, e);
    E(c, t.prev).end = t.start;
    E(c, t.next).start = t.end;
    Refresh(c, t);
    Refresh(c, E(c, t.prev));
    Refresh(c, E(c, t.next));
}

bool IsHorizontalCode(std::uint8_t code)
{
    return code == kTowardsPlusX || code == kTowardsMinusX;
}

// One pass of the staircase smoothing over one contour: one-pixel steps
// across the x direction between two runs along it become diagonals, then
// every diagonal between two runs of the same direction takes in as much of
// them as the shorter one has left.
void SmoothContour(ContourSet& c, std::size_t k)
{
    const std::vector<std::int32_t> order = EdgesFrom(c, c.heads[k]);
    for (std::int32_t e : order) {
        ContourEdge& s = E(c, e);
        s.step = false;
        if (s.length != 2 || (s.code != kTowardsPlusY && s.code != kTowardsMinusY) || s.prev == -1 || s.next == -1)
            continue;
        const ContourEdge& p = E(c, s.prev);
        const ContourEdge& n = E(c, s.next);
        if (!IsHorizontalCode(p.code) || p.code != n.code || p.length <= 0 || n.length <= 0)
            continue;
        s.step = true;
        s.run = std::min(p.length, n.length);
    }
    // A conversion moves only the ends of its own step (into its two
    // neighbours, by at most half of the shorter one), so the steps of a
    // contour may be turned in any order.
    for (std::int32_t e : order) {
        ContourEdge& s = E(c, e);
        if (!s.step)
            continue;
        s.step = false;
        const std::int64_t xs = V(c, s.start).x, ys = V(c, s.start).y, ye = V(c, s.end).y;
        std::int64_t d = s.run / 2;
        if (xs < V(c, E(c, s.prev).start).x)
            d = -d;
        MoveEdge(c, e, xs - d, ys, xs + d, ye);
    }
    for (std::int32_t e : order) {
        ContourEdge& g = E(c, e);
        if (g.code != kDiagonal || g.prev == -1 || g.next == -1)
            continue;
        const std::uint8_t pc = E(c, g.prev).code, nc = E(c, g.next).code;
        if (!IsHorizontalCode(pc) || pc != nc)
            continue;
        std::int64_t b = std::min(std::abs(Dx(c, E(c, g.prev))), std::abs(Dx(c, E(c, g.next))));
        if (b <= 0)
            continue;
        if (pc == kTowardsMinusX)
            b = -b;
        MoveEdge(c, e, V(c, g.start).x - b, V(c, g.start).y, V(c, E(c, e).end).x + b, V(c, E(c, e).end).y);
    }
}

// Length of an edge for the removal of tiny pieces: along its axis, or the
// larger plus half the smaller extent of a slanted one.
std::int64_t PieceLength(const ContourSet& c, const ContourEdge& e)
{
    const std::int64_t dx = std::abs(Dx(c, e)), dy = std::abs(Dy(c, e));
    if (dx == 0 || dy == 0)
        return dx + dy;
    return std::max(dx, dy) + std::min(dx, dy) / 2;
}

void CleanContour(ContourSet& c, std::int32_t& head)
{
    // Pieces without extent.
    for (std::int32_t e : EdgesFrom(c, head)) {
        if (head == -1)
            return;
        if (!E(c, e).removed && E(c, e).start == E(c, e).end)
            Unlink(c, head, e);
    }
    if (head == -1)
        return;
    // Collinear neighbours become one edge; one that folds back onto its
    // own start is gone.
    for (std::int32_t e : EdgesFrom(c, head)) {
        if (head == -1)
            return;
        if (E(c, e).removed)
            continue;
        for (;;) {
            const std::int32_t n = E(c, e).next;
            if (n == -1 || n == e || Cross(c, E(c, e), E(c, n)) != 0)
                break;
            E(c, e).end = E(c, n).end;
            Unlink(c, head, n);
        }
        if (E(c, e).start == E(c, e).end)
            Unlink(c, head, e);
        else
            Refresh(c, E(c, e));
    }
    if (head == -1)
        return;
    // Pieces of length 1 go to the neighbour that turns least with them.
    for (std::int32_t e : EdgesFrom(c, head)) {
        if (head == -1)
            return;
        ContourEdge& r = E(c, e);
        if (r.removed || PieceLength(c, r) != 1)
            continue;
        const std::int32_t p = r.prev, n = r.next;
        if ((p == -1 && n == -1) || p == e)
            continue;
        constexpr std::int64_t kMissing = std::numeric_limits<std::int64_t>::max();
        const std::int64_t cp = p != -1 ? std::abs(Cross(c, E(c, p), r)) : kMissing;
        const std::int64_t cn = n != -1 ? std::abs(Cross(c, r, E(c, n))) : kMissing;
        if (cp < cn) {
            E(c, p).end = r.end;
            Unlink(c, head, e);
            Refresh(c, E(c, p));
        } else {
            E(c, n).start = r.start;
            Unlink(c, head, e);
            Refresh(c, E(c, n));
        }
    }
}

} // namespace

void BuildContourEdges(const BitmapModel& m, ContourSet& c, EngineHost& host)
{
    c.vertices.clear();
    c.edges.clear();
    c.heads.clear();
    c.vertexIndex = IntHashMap(m.edges.size() + 16);
    c.edges.reserve(m.edges.size());
    EscPoll poll(host, 300);
    for (const BoundaryEdge& b : m.edges) {
        poll.Step();
        ContourEdge e;
        const std::int32_t p1 = c.VertexAt(b.x1, b.y1), p2 = c.VertexAt(b.x2, b.y2);
        if (b.right >= b.left) {
            e.start = p1;
            e.end = p2;
            e.low = b.left;
            e.high = b.right;
        } else {
            e.start = p2;
            e.end = p1;
            e.low = b.right;
            e.high = b.left;
        }
        SaturatingAdd(c.vertices[static_cast<std::size_t>(p1)].ends);
        SaturatingAdd(c.vertices[static_cast<std::size_t>(p2)].ends);
        c.edges.push_back(e);
    }
}

void SortContourEdges(ContourSet& c, EngineHost& host)
{
    const std::size_t n = c.edges.size();
    std::vector<std::int32_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        const ContourVertex& va = V(c, E(c, a).start);
        const ContourVertex& vb = V(c, E(c, b).start);
        if (va.x != vb.x)
            return va.x < vb.x;
        if (va.y != vb.y)
            return va.y < vb.y;
        return a < b;
    });
    // The edges leaving each vertex.
    std::vector<std::int32_t> outStart(c.vertices.size() + 1, 0);
    for (const ContourEdge& e : c.edges)
        ++outStart[static_cast<std::size_t>(e.start) + 1];
    for (std::size_t v = 0; v < c.vertices.size(); ++v)
        outStart[v + 1] += outStart[v];
    std::vector<std::int32_t> outList(n);
    {
        std::vector<std::int32_t> fill(outStart.begin(), outStart.end() - 1);
        for (std::int32_t e : order)
            outList[static_cast<std::size_t>(fill[static_cast<std::size_t>(E(c, e).start)]++)] = e;
    }
    std::vector<std::uint8_t> linked(n, 0);
    for (ContourEdge& e : c.edges)
        e.prev = e.next = -1;
    c.heads.clear();
    EscPoll poll(host, 300);

    auto follow = [&](std::int32_t first) {
        c.heads.push_back(first);
        linked[static_cast<std::size_t>(first)] = 1;
        std::int32_t cur = first;
        for (;;) {
            poll.Step();
            const std::int32_t v = E(c, cur).end;
            if (V(c, v).ends != 2)
                return; // an open end
            std::int32_t succ = -1;
            for (std::int32_t i = outStart[static_cast<std::size_t>(v)]; i < outStart[static_cast<std::size_t>(v) + 1]; ++i) {
                const std::int32_t o = outList[static_cast<std::size_t>(i)];
                if (o == first || !linked[static_cast<std::size_t>(o)]) {
                    succ = o;
                    break;
                }
            }
            if (succ == -1)
                throw EngineError::Triangulation(MeshedColourOf(E(c, cur)));
            if (succ == first) {
                E(c, cur).next = first;
                E(c, first).prev = cur;
                return;
            }
            E(c, cur).next = succ;
            E(c, succ).prev = cur;
            linked[static_cast<std::size_t>(succ)] = 1;
            cur = succ;
        }
    };
    for (std::int32_t e : order)
        if (!linked[static_cast<std::size_t>(e)] && V(c, E(c, e).start).ends != 2)
            follow(e);
    for (std::int32_t e : order)
        if (!linked[static_cast<std::size_t>(e)])
            follow(e);

    for (ContourVertex& v : c.vertices) {
        v.x *= 2;
        v.y *= 2;
    }
    c.RebuildVertexIndex();
    for (ContourEdge& e : c.edges)
        Refresh(c, e);
}

void SmoothContourStaircases(ContourSet& c, EngineHost& host)
{
    for (int pass = 0; pass < 2; ++pass) {
        EscPoll poll(host, 10);
        for (std::size_t k = 0; k < c.heads.size(); ++k) {
            poll.Step();
            SmoothContour(c, k);
        }
        // Turn the picture over its diagonal, so that the second pass
        // smooths the staircases along the other axis; after both passes it
        // stands as before.
        for (ContourVertex& v : c.vertices)
            std::swap(v.x, v.y);
        c.RebuildVertexIndex();
        static constexpr std::uint8_t kTurned[] = {kTowardsPlusY, kTowardsMinusY, kTowardsPlusX, kTowardsMinusX};
        for (ContourEdge& e : c.edges)
            if (e.code < kDiagonal)
                e.code = kTurned[e.code];
    }
}

void CleanContours(ContourSet& c, EngineHost& host)
{
    EscPoll poll(host, 30);
    std::size_t kept = 0;
    for (std::size_t k = 0; k < c.heads.size(); ++k) {
        poll.Step();
        std::int32_t head = c.heads[k];
        CleanContour(c, head);
        if (head == -1)
            continue;
        const ContourEdge& h = E(c, head);
        if (h.next == head || h.start == h.end)
            continue;
        c.heads[kept++] = head;
    }
    c.heads.resize(kept);
}

void SimplifyContours(ContourSet& c, float strm, EngineHost& host)
{
    const double t = 2.0 * strm;
    EscPoll poll(host, 0);
    for (std::size_t k = 0; k < c.heads.size(); ++k) {
        poll.Step();
        std::int32_t head = c.heads[k];
        std::int32_t r = head;
        do {
            const ContourVertex a = V(c, E(c, r).start);
            std::int32_t best = -1;
            // Chords from r's start to the end of the second, third...
            // edge after it.
            for (std::int32_t q = E(c, r).next; q != -1 && q != head && E(c, q).end != E(c, r).start; q = E(c, q).next) {
                const ContourVertex b = V(c, E(c, q).end);
                const double cx = double(b.x) - a.x, cy = double(b.y) - a.y;
                const double len = std::sqrt(cx * cx + cy * cy);
                if (len == 0)
                    break;
                bool acceptable = true, farAway = false;
                for (std::int32_t i = E(c, r).next;; i = E(c, i).next) {
                    const ContourVertex p = V(c, E(c, i).start);
                    const double px = double(p.x) - a.x, py = double(p.y) - a.y;
                    const double distance = std::abs(px * cy - py * cx) / len;
                    if (distance > 2 * t)
                        farAway = true;
                    if (distance > t || px * cx + py * cy < 0)
                        acceptable = false;
                    if (i == q)
                        break;
                }
                if (farAway)
                    break;
                if (acceptable)
                    best = q;
            }
            if (best != -1) {
                for (std::int32_t i = E(c, r).next;;) {
                    const std::int32_t after = E(c, i).next;
                    E(c, i).removed = true;
                    if (i == best)
                        break;
                    i = after;
                }
                ContourEdge& re = E(c, r);
                re.end = E(c, best).end;
                re.next = E(c, best).next;
                if (re.next != -1)
                    E(c, re.next).prev = r;
                E(c, best).prev = E(c, best).next = -1;
                Refresh(c, re);
            }
            r = E(c, r).next;
        } while (r != -1 && r != head);
        c.heads[k] = head;
    }
}

void CompactContourVertices(ContourSet& c)
{
    // Edges still in a contour, renumbered in contour order.
    std::vector<std::int32_t> newEdge(c.edges.size(), -1);
    std::vector<ContourEdge> edges;
    edges.reserve(c.edges.size());
    for (std::size_t k = 0; k < c.heads.size(); ++k)
        ForEachContourEdge(c, k, [&](std::int32_t e) {
            newEdge[static_cast<std::size_t>(e)] = static_cast<std::int32_t>(edges.size());
            edges.push_back(c.edges[static_cast<std::size_t>(e)]);
        });
    for (ContourEdge& e : edges) {
        if (e.prev != -1)
            e.prev = newEdge[static_cast<std::size_t>(e.prev)];
        if (e.next != -1)
            e.next = newEdge[static_cast<std::size_t>(e.next)];
    }
    for (std::int32_t& h : c.heads)
        h = newEdge[static_cast<std::size_t>(h)];

    for (ContourVertex& v : c.vertices)
        v.ends = 0;
    for (const ContourEdge& e : edges) {
        SaturatingAdd(c.vertices[static_cast<std::size_t>(e.start)].ends);
        SaturatingAdd(c.vertices[static_cast<std::size_t>(e.end)].ends);
    }
    std::vector<std::int32_t> kept;
    for (std::size_t v = 0; v < c.vertices.size(); ++v)
        if (c.vertices[v].ends > 0 || c.vertices[v].lattice)
            kept.push_back(static_cast<std::int32_t>(v));
    std::sort(kept.begin(), kept.end(), [&](std::int32_t a, std::int32_t b) {
        const ContourVertex& va = V(c, a);
        const ContourVertex& vb = V(c, b);
        return va.x != vb.x ? va.x < vb.x : va.y < vb.y;
    });
    std::vector<std::int32_t> newVertex(c.vertices.size(), -1);
    std::vector<ContourVertex> vertices;
    vertices.reserve(kept.size());
    for (std::int32_t v : kept) {
        newVertex[static_cast<std::size_t>(v)] = static_cast<std::int32_t>(vertices.size());
        vertices.push_back(c.vertices[static_cast<std::size_t>(v)]);
    }
    for (ContourEdge& e : edges) {
        e.start = newVertex[static_cast<std::size_t>(e.start)];
        e.end = newVertex[static_cast<std::size_t>(e.end)];
    }
    c.vertices = std::move(vertices);
    c.edges = std::move(edges);
    c.DropVertexIndex();
}

void ScaleContourCoordinates(ContourSet& c, int shift)
{
    for (ContourVertex& v : c.vertices) {
        v.x *= 1 << shift;
        v.y *= 1 << shift;
    }
    for (ContourEdge& e : c.edges)
        e.length *= 1 << shift;
}

} // namespace dralo

// Contour subdivision and the interior lattices.
#include "dralo/model/mesh/MeshPoints.h"

#include "dralo/model/mesh/PointTree.h"
#include "dralo/model/store/EngineHost.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dralo {

bool IsMeshedType(int type)
{
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

bool IsMeshedColour(const BitmapModel& m, int colour)
{
    return colour >= 0 && colour < kColourCount && IsMeshedType(m.colours[static_cast<std::size_t>(colour)].type);
}

std::int32_t LatticeSpacing(float tric)
{
    const double d = std::trunc(0.5 + 16.0 * static_cast<double>(tric));
    return d < 2 ? 2 : d > 1e9 ? 1000000000 : static_cast<std::int32_t>(d);
}

void SubdivideContourEdges(const BitmapModel& m, ContourSet& c, EngineHost& host)
{
    EscPoll poll(host, 1000);
    for (std::size_t k = 0; k < c.heads.size(); ++k) {
        const ContourEdge& first = c.edges[static_cast<std::size_t>(c.heads[k])];
        float tric = 2000.0f;
        bool any = false;
        for (int colour : {int(first.low), int(first.high)}) {
            if (!IsMeshedColour(m, colour))
                continue;
            const float t = m.colours[static_cast<std::size_t>(colour)].tric;
            tric = any ? std::min(tric, t) : t;
            any = true;
        }
        // At least one unit, whatever small mesh size a colour has.
        const double target = std::trunc(16.0 * static_cast<double>(tric));
        const std::int64_t a = target < 1 ? 1 : target > 1e9 ? 1000000000 : static_cast<std::int64_t>(target);

        std::vector<std::int32_t> order;
        ForEachContourEdge(c, k, [&](std::int32_t e) { order.push_back(e); });
        for (std::int32_t e : order) {
            poll.Step();
            const ContourVertex s = c.vertices[static_cast<std::size_t>(c.edges[static_cast<std::size_t>(e)].start)];
            const std::int32_t endVertex = c.edges[static_cast<std::size_t>(e)].end;
            const ContourVertex t = c.vertices[static_cast<std::size_t>(endVertex)];
            const std::int64_t dx = std::int64_t(t.x) - s.x, dy = std::int64_t(t.y) - s.y;
            const std::int64_t b = dx == 0 || dy == 0 ? std::abs(dx + dy)
                                                      : std::llround(std::sqrt(double(dx) * dx + double(dy) * dy));
            if (b <= a)
                continue;
            const std::int64_t parts = (a + b - 1) / a;
            std::int32_t cur = e;
            for (std::int64_t i = 1; i < parts; ++i) {
                const std::int32_t px = static_cast<std::int32_t>(s.x + dx * i / parts);
                const std::int32_t py = static_cast<std::int32_t>(s.y + dy * i / parts);
                const ContourVertex& from = c.vertices[static_cast<std::size_t>(c.edges[static_cast<std::size_t>(cur)].start)];
                if ((px == from.x && py == from.y) || (px == t.x && py == t.y))
                    continue;
                ContourVertex v;
                v.x = px;
                v.y = py;
                v.ends = 2;
                const std::int32_t nv = static_cast<std::int32_t>(c.vertices.size());
                c.vertices.push_back(v);
                ContourEdge piece = c.edges[static_cast<std::size_t>(cur)];
                piece.start = nv;
                piece.prev = cur;
                const std::int32_t np = static_cast<std::int32_t>(c.edges.size());
                c.edges.push_back(piece);
                ContourEdge& before = c.edges[static_cast<std::size_t>(cur)];
                if (before.next != -1)
                    c.edges[static_cast<std::size_t>(before.next)].prev = np;
                before.end = nv;
                before.next = np;
                cur = np;
            }
        }
    }
}

void AddLatticePoints(const BitmapModel& m, ContourSet& c, EngineHost& host)
{
    PointTree tree;
    tree.Reserve(c.vertices.size() + c.heads.size());
    for (std::size_t k = 0; k < c.heads.size(); ++k) {
        std::int32_t last = -1;
        ForEachContourEdge(c, k, [&](std::int32_t e) {
            const ContourVertex& v = c.vertices[static_cast<std::size_t>(c.edges[static_cast<std::size_t>(e)].start)];
            tree.Insert(e, v.x, v.y);
            last = e;
        });
        const ContourEdge& l = c.edges[static_cast<std::size_t>(last)];
        if (l.next == -1) {
            const ContourVertex& v = c.vertices[static_cast<std::size_t>(l.end)];
            tree.Insert(last, v.x, v.y);
        }
    }
    tree.Build();

    std::array<bool, kColourCount> done{};
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& r = m.colours[static_cast<std::size_t>(n)];
        done[static_cast<std::size_t>(n)] = !(r.present && IsMeshedType(r.type));
    }
    const std::int64_t xLimit = 16 * std::int64_t(m.width), yLimit = 16 * std::int64_t(m.height);
    EscPoll poll(host, 1000);
    for (int n = 0; n < kColourCount; ++n) {
        if (done[static_cast<std::size_t>(n)])
            continue;
        const float s = m.colours[static_cast<std::size_t>(n)].tric;
        const std::int64_t d = LatticeSpacing(s);
        const double e = 0.866 * static_cast<double>(d);
        const std::int64_t clear = static_cast<std::int64_t>(std::trunc(0.5 + 0.55 * static_cast<double>(d)));
        // The lattice is one over the whole bitmap; only its rows and
        // columns over the colours of this size are visited.
        std::int64_t x0 = xLimit, x1 = 0, y0 = yLimit, y1 = 0;
        for (int k = n; k < kColourCount; ++k) {
            const ColourRecord& r = m.colours[static_cast<std::size_t>(k)];
            if (done[static_cast<std::size_t>(k)] || r.tric != s)
                continue;
            x0 = std::min<std::int64_t>(x0, 16 * std::int64_t(r.minX));
            x1 = std::max<std::int64_t>(x1, 16 * (std::int64_t(r.maxX) + 1));
            y0 = std::min<std::int64_t>(y0, 16 * std::int64_t(r.minY));
            y1 = std::max<std::int64_t>(y1, 16 * (std::int64_t(r.maxY) + 1));
        }
        const std::int64_t firstRow = std::max<std::int64_t>(0, static_cast<std::int64_t>(double(y0) / e) - 2);
        for (std::int64_t row = firstRow;; ++row) {
            const std::int64_t y = static_cast<std::int64_t>(e * static_cast<double>(row + 1));
            if (y >= yLimit || y >= y1)
                break;
            poll.Step();
            if (y < y0)
                continue;
            const std::int64_t offset = row % 2 == 0 ? d : d / 2;
            const std::int64_t firstColumn = x0 > offset ? (x0 - offset) / d : 0;
            for (std::int64_t x = offset + firstColumn * d; x < xLimit && x < x1; x += d) {
                const int colour = m.pixels[static_cast<std::size_t>(PixelIndex(m, x / 16, y / 16))];
                if (done[static_cast<std::size_t>(colour)] || m.colours[static_cast<std::size_t>(colour)].tric != s)
                    continue;
                if (tree.Any(x - clear, x + clear, y - clear, y + clear))
                    continue;
                ContourVertex v;
                v.x = static_cast<std::int32_t>(x);
                v.y = static_cast<std::int32_t>(y);
                v.colour = static_cast<std::uint8_t>(colour);
                v.lattice = true;
                c.vertices.push_back(v);
            }
        }
        for (int k = n; k < kColourCount; ++k)
            if (!done[static_cast<std::size_t>(k)] && m.colours[static_cast<std::size_t>(k)].tric == s)
                done[static_cast<std::size_t>(k)] = true;
    }
}

} // namespace dralo

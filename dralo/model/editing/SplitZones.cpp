// Split Zones. All fills are the 4-connected fill of the model (neighbours
// up, left, right, down, an explicit stack); scans in row order visit the
// rows from the top and each row from the left.
#include "dralo/model/editing/SplitZones.h"

#include "dralo/model/editing/ColourEdits.h"
#include "dralo/model/editing/Dissolve.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/FloodFill.h"
#include "dralo/model/store/Statistics.h"

#include <algorithm>
#include <cmath>

namespace dralo {

namespace {

// Colour numbers ran out.
struct OutOfColours {};

// Fills the zone of the pixel's own colour with value and returns its pixels.
std::vector<std::int64_t> FillZone(BitmapModel& m, std::int64_t start, std::uint8_t value, FillWork& work)
{
    std::vector<std::int64_t> pixels;
    std::uint8_t* px = m.pixels.data();
    const std::uint8_t colour = px[start];
    Fill4(
        m, start, work, [px, colour](std::int64_t n) { return px[n] == colour; },
        [&](std::int64_t n) {
            px[n] = value;
            pixels.push_back(n);
            return true;
        });
    return pixels;
}

void Paint(BitmapModel& m, const std::vector<std::int64_t>& pixels, std::uint8_t value)
{
    for (std::int64_t p : pixels)
        m.pixels[static_cast<std::size_t>(p)] = value;
}

// The next free colour from g; OutOfColours when all are present.
int NextFreeColour(const BitmapModel& m, int g)
{
    const int f = FindFreeColour(m, g);
    if (m.colours[static_cast<std::size_t>(f)].present)
        throw OutOfColours{};
    return f;
}

void RecolourNearEdges(BitmapModel& m, int a, int b, int r)
{
    const ColourEdges edges = CollectColourEdges(m, a);
    const ColourRecord& box = m.colours[static_cast<std::size_t>(a)];
    if (!box.present)
        return;
    for (std::int32_t y = box.minY; y <= box.maxY; ++y)
        for (std::int32_t x = box.minX; x <= box.maxX; ++x) {
            std::uint8_t& p = m.pixels[static_cast<std::size_t>(PixelIndex(m, x, y))];
            if (p == a && (IsNearVerticalEdge(edges, x, y, r) || IsNearHorizontalEdge(edges, x, y, r)))
                p = static_cast<std::uint8_t>(b);
        }
}

void GrowNearEdges(BitmapModel& m, int a, int b, int r)
{
    const ColourEdges edges = CollectColourEdges(m, b);
    const ColourRecord& box = m.colours[static_cast<std::size_t>(b)];
    if (!box.present)
        return;
    const std::int32_t x0 = std::max(0, box.minX - r), x1 = std::min(m.width - 1, box.maxX + r);
    const std::int32_t y0 = std::max(0, box.minY - r), y1 = std::min(m.height - 1, box.maxY + r);
    for (std::int32_t y = y0; y <= y1; ++y)
        for (std::int32_t x = x0; x <= x1; ++x) {
            std::uint8_t& p = m.pixels[static_cast<std::size_t>(PixelIndex(m, x, y))];
            if (p != b && (p == a || m.colours[p].inProcess) &&
                (IsNearVerticalEdge(edges, x, y, r) || IsNearHorizontalEdge(edges, x, y, r)))
                p = static_cast<std::uint8_t>(b);
        }
}

// The first 4-neighbour of colour b in the order left, right, up, down; -1 when none.
std::int64_t FirstNeighbourOf(const BitmapModel& m, std::int64_t p, int b)
{
    const std::int64_t w = m.width, x = p % w, y = p / w;
    const std::int64_t n[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
    for (const auto& v : n)
        if (GetPixelColour(m, v[0], v[1]) == b)
            return v[0] + v[1] * w;
    return -1;
}

// Thin zones of a that hang on one zone of b join it: a zone of a with N
// pixels and K pixels touching b, all of whose contacts touch the same zone
// of b, is filled with b when N < q K (q = r div 2, at least 1).
void MarkInterconnections(BitmapModel& m, int a, int b, int r)
{
    const ColourRecord box = m.colours[static_cast<std::size_t>(a)];
    if (!box.present)
        return;
    const int q = std::max(1, r / 2);
    // Zone numbers of the pixels of b, given as zones are met.
    std::vector<std::int32_t> zoneOf(static_cast<std::size_t>(PixelTotal(m)), 0);
    std::int32_t zones = 0;
    FillWork bWork, aWork;
    bWork.Reset(m);
    aWork.Reset(m);
    std::uint8_t* px = m.pixels.data();
    auto zoneAt = [&](std::int64_t p) {
        if (zoneOf[static_cast<std::size_t>(p)] == 0) {
            const std::int32_t id = ++zones;
            Fill4(
                m, p, bWork, [&](std::int64_t n) { return px[n] == b; },
                [&](std::int64_t n) {
                    zoneOf[static_cast<std::size_t>(n)] = id;
                    return true;
                });
        }
        return zoneOf[static_cast<std::size_t>(p)];
    };
    for (std::int32_t x = box.minX; x <= box.maxX; ++x)
        for (std::int32_t y = box.minY; y <= box.maxY; ++y) {
            const std::int64_t p = PixelIndex(m, x, y);
            if (px[p] != a || aWork.visited[static_cast<std::size_t>(p)])
                continue;
            const std::int64_t seed = FirstNeighbourOf(m, p, b);
            if (seed < 0)
                continue;
            const std::int32_t seedZone = zoneAt(seed);
            std::vector<std::int64_t> zone;
            std::int64_t contacts = 0;
            bool oneZone = true;
            Fill4(
                m, p, aWork, [&](std::int64_t n) { return px[n] == a; },
                [&](std::int64_t n) {
                    zone.push_back(n);
                    const std::int64_t touch = FirstNeighbourOf(m, n, b);
                    if (touch >= 0) {
                        ++contacts;
                        if (zoneAt(touch) != seedZone)
                            oneZone = false;
                    }
                    return true;
                });
            if (!oneZone)
                contacts = 0;
            if (static_cast<std::int64_t>(zone.size()) < q * contacts) {
                Paint(m, zone, static_cast<std::uint8_t>(b));
                for (std::int64_t n : zone)
                    zoneOf[static_cast<std::size_t>(n)] = seedZone;
            }
        }
}

// The colour's zone holding its first pixel met column by column from the
// left of its box, within a column from the top.
std::int64_t FirstPixelByColumns(const BitmapModel& m, int c)
{
    const ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
    for (std::int32_t x = r.minX; x <= r.maxX; ++x)
        for (std::int32_t y = r.minY; y <= r.maxY; ++y)
            if (GetPixelColour(m, x, y) == c)
                return PixelIndex(m, x, y);
    return -1;
}

// Stage 3 over the pixels of the given colours: every zone gets the next
// free colour from g with c's properties, zones under `szps` pixels the
// small-zone colour (the next zone then takes the same number).
void NumberZones(BitmapModel& m, const SplitZonesSettings& st, int properties, int c1, int c2, int& g,
                 bool markNew)
{
    FillWork work;
    work.Reset(m);
    bool previousSmall = false;
    for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
        const int colour = m.pixels[static_cast<std::size_t>(i)];
        if ((colour != c1 && colour != c2) || work.visited[static_cast<std::size_t>(i)])
            continue;
        if (!previousSmall)
            g = NextFreeColour(m, g);
        CopyColourProperties(m, properties, g);
        if (markNew)
            m.colours[static_cast<std::size_t>(g)].newMark = 1;
        const std::vector<std::int64_t> zone = FillZone(m, i, static_cast<std::uint8_t>(g), work);
        previousSmall = static_cast<std::int64_t>(zone.size()) < st.szps;
        if (previousSmall)
            Paint(m, zone, st.szcs);
    }
}

} // namespace

int GrooveRadius(const BitmapModel& m, const SplitZonesSettings& settings)
{
    const double w = settings.szig == 0 ? 0.001 : 0.005;
    const double r = std::trunc(w / m.pixs + 0.5);
    return r > 1e6 ? 1000000 : static_cast<int>(r);
}

ColourEdges CollectColourEdges(const BitmapModel& m, int c)
{
    ColourEdges e;
    for (const BoundaryEdge& b : m.edges) {
        if (b.left != c && b.right != c)
            continue;
        if (b.x1 == b.x2)
            e.vertical.push_back({b.x1, b.y1, b.y2});
        else
            e.horizontal.push_back({b.y1, b.x1, b.x2});
    }
    auto byFirst = [](const ColourEdges::Edge& a, const ColourEdges::Edge& b) { return a.at < b.at; };
    std::sort(e.vertical.begin(), e.vertical.end(), byFirst);
    std::sort(e.horizontal.begin(), e.horizontal.end(), byFirst);
    return e;
}

namespace {

// Nearness to the edges of one list: `across` is the pixel's coordinate
// across the edges, `along` along them.
bool NearEdges(const std::vector<ColourEdges::Edge>& list, std::int64_t across, std::int64_t along, int r)
{
    const auto first = std::upper_bound(list.begin(), list.end(), across - r,
                                        [](std::int64_t v, const ColourEdges::Edge& e) { return v < e.at; });
    const std::int64_t r2 = static_cast<std::int64_t>(r) * r;
    for (auto it = first; it != list.end() && it->at <= across + r; ++it) {
        const std::int64_t g = it->at > across ? it->at - (across + 1) : across - it->at;
        const std::int64_t lo = std::min(it->from, it->to), hi = std::max(it->from, it->to);
        std::int64_t e = 0;
        if (lo > along + 1)
            e = lo - (along + 1);
        else if (hi < along)
            e = along - hi;
        if (g * g + e * e < r2)
            return true;
    }
    return false;
}

} // namespace

bool IsNearVerticalEdge(const ColourEdges& edges, std::int32_t x, std::int32_t y, int r)
{
    return NearEdges(edges.vertical, x, y, r);
}

bool IsNearHorizontalEdge(const ColourEdges& edges, std::int32_t x, std::int32_t y, int r)
{
    return NearEdges(edges.horizontal, y, x, r);
}

bool DeleteSmallZones(BitmapModel& m, const SplitZonesSettings& st, float hardMaterial, int c)
{
    if (st.szcl == 0 || st.szpc <= 0)
        return true;
    const int f = FindFreeColour(m, c);
    if (m.colours[static_cast<std::size_t>(f)].present)
        return false;
    FillWork counted, filled;
    counted.Reset(m);
    filled.Reset(m);
    bool any = false;
    for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
        if (m.pixels[static_cast<std::size_t>(i)] != c || counted.visited[static_cast<std::size_t>(i)])
            continue;
        const std::int64_t n = FloodFillColourZone(m, i % m.width, i / m.width, static_cast<std::uint8_t>(c),
                                                   static_cast<std::uint8_t>(c), counted);
        if (n <= st.szpc) {
            FloodFillColourZone(m, i % m.width, i / m.width, static_cast<std::uint8_t>(c),
                                static_cast<std::uint8_t>(f), filled);
            any = true;
        }
    }
    if (any) {
        DissolveColour(m, f, true, c, hardMaterial);
        ComputeColourStatistics(m);
    }
    return true;
}

bool SplitZonesByCores(BitmapModel& m, SplitZonesSettings& st, int c, int first)
{
    for (ColourRecord& r : m.colours)
        r.newMark = 0;
    try {
        int g = first;
        int d = c;
        int r = 0;
        if (st.szgr) {
            r = GrooveRadius(m, st);
            if (r < 1)
                st.szgr = 0;
        }
        if (st.szgr) {
            d = NextFreeColour(m, c);
            // The boundaries as stage 1 left them.
            BuildColourBoundaryEdges(m);
            RecolourNearEdges(m, c, d, r);
            m.colours[static_cast<std::size_t>(d)].newMark = 1;
            BuildColourBoundaryEdges(m);
        }
        CopyColourProperties(m, c, d);
        m.colours[static_cast<std::size_t>(c)].present = 1;
        m.colours[static_cast<std::size_t>(d)].present = 1;
        m.colours[st.szcs].present = 1;
        for (ColourRecord& rec : m.colours)
            rec.inProcess = 0;
        // The cores, each a zone of its own.
        FillWork work;
        work.Reset(m);
        for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
            if (m.pixels[static_cast<std::size_t>(i)] != c || work.visited[static_cast<std::size_t>(i)])
                continue;
            g = NextFreeColour(m, g);
            CopyColourProperties(m, c, g);
            FillZone(m, i, static_cast<std::uint8_t>(g), work);
            m.colours[static_cast<std::size_t>(g)].newMark = 1;
            m.colours[static_cast<std::size_t>(g)].inProcess = 1;
        }
        ComputeColourStatistics(m);
        if (st.szgr) {
            // Each zone, the largest first, takes back its skin and the thin
            // pieces hanging on it.
            for (;;) {
                int l = -1;
                for (int k = 0; k < kColourCount; ++k) {
                    const ColourRecord& rec = m.colours[static_cast<std::size_t>(k)];
                    if (rec.inProcess && rec.pixelCount > 0 &&
                        (l < 0 || rec.pixelCount > m.colours[static_cast<std::size_t>(l)].pixelCount))
                        l = k;
                }
                if (l < 0)
                    break;
                BuildColourBoundaryEdges(m);
                GrowNearEdges(m, d, l, r);
                MarkInterconnections(m, d, l, r);
                ComputeColourStatistics(m);
                if (m.colours[static_cast<std::size_t>(l)].pixelCount < st.szps) {
                    const std::int64_t p = FirstPixelByColumns(m, l);
                    if (p >= 0) {
                        FillWork one;
                        one.Reset(m);
                        FillZone(m, p, st.szcs, one);
                    }
                }
                m.colours[static_cast<std::size_t>(l)].inProcess = 0;
            }
            ComputeColourStatistics(m);
        } else {
            FillWork small;
            small.Reset(m);
            for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
                const ColourRecord& rec = m.colours[m.pixels[static_cast<std::size_t>(i)]];
                if (rec.inProcess && rec.pixelCount < st.szps && !small.visited[static_cast<std::size_t>(i)])
                    FillZone(m, i, st.szcs, small);
            }
        }
        ComputeColourStatistics(m);
        if (!m.colours[static_cast<std::size_t>(d)].present)
            return true;
        // The pieces of skin that remain become zones too.
        m.colours[st.szcs].present = 1;
        NumberZones(m, st, d, d, d, g, true);
        return true;
    } catch (const OutOfColours&) {
        for (std::uint8_t& p : m.pixels)
            if (m.colours[p].newMark)
                p = static_cast<std::uint8_t>(c);
        ComputeColourStatistics(m);
        return false;
    }
}

bool SplitZonesDirect(BitmapModel& m, SplitZonesSettings& st, int c, int first)
{
    try {
        int e = c;
        int r = 0;
        if (st.szgr) {
            r = GrooveRadius(m, st);
            if (r <= 0)
                st.szgr = 0;
        }
        if (st.szgr) {
            e = NextFreeColour(m, c);
            BuildColourBoundaryEdges(m);
            RecolourNearEdges(m, c, e, r);
            BuildColourBoundaryEdges(m);
            GrowNearEdges(m, e, c, r);
            MarkInterconnections(m, e, c, r);
            ComputeColourStatistics(m);
        }
        m.colours[static_cast<std::size_t>(c)].present = 1;
        m.colours[static_cast<std::size_t>(e)].present = 1;
        m.colours[st.szcs].present = 1;
        int g = first;
        NumberZones(m, st, c, c, e, g, false);
        return true;
    } catch (const OutOfColours&) {
        return false;
    }
}

bool SplitZones(BitmapModel& m, SplitZonesSettings& settings, float hardMaterial, int c, int first)
{
    if (!DeleteSmallZones(m, settings, hardMaterial, c))
        return false;
    if (SplitZonesByCores(m, settings, c, first))
        return true;
    return SplitZonesDirect(m, settings, c, first);
}

bool RunSplitZones(EditSession& s, int c)
{
    SplitZonesSettings& st = s.session.split;
    if (st.szcf == 0)
        st.szcf = static_cast<std::uint8_t>(c);
    const bool done = SplitZones(s.model, st, s.defaults.lahm, c, st.szcf);
    RefreshViewsAfterEdit(s, st.szcf);
    if (!done)
        s.host.MessageBox(kMsgNoFreeColours, MessageStyle::Ok);
    return done;
}

} // namespace dralo

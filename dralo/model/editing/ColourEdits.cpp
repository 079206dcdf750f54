// Whole-colour edits.
#include "dralo/model/editing/ColourEdits.h"

#include "dralo/model/editing/Dissolve.h"
#include "dralo/model/editing/Geometry.h"
#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/FloodFill.h"
#include "dralo/model/store/Statistics.h"

#include <array>

namespace dralo {

namespace {

// Replaces every pixel by map[pixel].
void RecolourPixels(BitmapModel& m, const std::array<std::uint8_t, kColourCount>& map)
{
    for (std::uint8_t& p : m.pixels)
        p = map[p];
}

std::array<std::uint8_t, kColourCount> IdentityMap()
{
    std::array<std::uint8_t, kColourCount> map{};
    for (int i = 0; i < kColourCount; ++i)
        map[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    return map;
}

bool Mergeable(const ColourRecord& a, const ColourRecord& b, bool radiation)
{
    return a.type == b.type && a.name == b.name && a.rule == b.rule && a.patt == b.patt && a.lamb == b.lamb &&
           (!radiation || a.epsi == b.epsi) && a.temp == b.temp && a.hglo == b.hglo && a.flux == b.flux &&
           a.tair == b.tair && a.hcon == b.hcon && a.qcon == b.qcon && a.trad == b.trad;
}

} // namespace

void AssignNewColour(EditSession& s, int c, int target)
{
    if (c < 0 || c >= kColourCount || target < 0 || target >= kColourCount || c == target)
        return;
    auto map = IdentityMap();
    map[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(target);
    RecolourPixels(s.model, map);
    RefreshViewsAfterEdit(s, target);
}

int DeleteColour(EditSession& s, int c)
{
    if (c < 0 || c >= kColourCount)
        return 0;
    BitmapModel& m = s.model;
    DissolveColour(m, c, true, -1, s.defaults.lahm);
    int current = 0;
    for (int k = c + 1; k < kColourCount && current == 0; ++k)
        if (m.colours[static_cast<std::size_t>(k)].present)
            current = k;
    for (int k = c - 1; k >= 0 && current == 0; --k)
        if (m.colours[static_cast<std::size_t>(k)].present)
            current = k;
    RefreshViewsAfterEdit(s, current);
    return current;
}

void MergeEqualColours(EditSession& s, int c)
{
    if (c < 0 || c >= kColourCount)
        return;
    BitmapModel& m = s.model;
    const bool radiation = HasRadiatingColours(m);
    const ColourRecord& target = m.colours[static_cast<std::size_t>(c)];
    auto map = IdentityMap();
    for (int k = 0; k < kColourCount; ++k) {
        const ColourRecord& other = m.colours[static_cast<std::size_t>(k)];
        if (k != c && other.present && Mergeable(other, target, radiation))
            map[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(c);
    }
    RecolourPixels(m, map);
    RefreshViewsAfterEdit(s, c);
}

void CopyColourProperties(BitmapModel& m, int from, int to)
{
    const ColourRecord& a = m.colours[static_cast<std::size_t>(from)];
    ColourRecord& b = m.colours[static_cast<std::size_t>(to)];
    b.present = 1;
    if (from == to)
        return;
    b.name = a.name;
    b.type = a.type;
    b.rule = a.rule;
    b.lamb = a.lamb;
    b.epsi = a.epsi;
    b.temp = a.temp;
    b.hglo = a.hglo;
    b.flux = a.flux;
    b.tair = a.tair;
    b.hcon = a.hcon;
    b.qcon = a.qcon;
    b.trad = a.trad;
    b.con1 = a.con1;
    b.con2 = a.con2;
    b.con3 = a.con3;
    b.tric = a.tric;
    b.flowX = a.flowX;
    b.flowY = a.flowY;
}

int FillLineDrawing(BitmapModel& m, int n)
{
    ComputeColourStatistics(m);
    if (CountPresentColours(m) != 2)
        return -1;
    const int a = GetNthPresentColour(m, 0), b = GetNthPresentColour(m, 1);
    const int split = m.colours[static_cast<std::size_t>(a)].pixelCount >=
                              m.colours[static_cast<std::size_t>(b)].pixelCount
                          ? a
                          : b;
    const int line = split == a ? b : a;
    FillWork work;
    work.Reset(m);
    int g = n & 0xFF;
    if (g == line)
        g = (g + 1) & 0xFF;
    for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
        if (m.pixels[static_cast<std::size_t>(i)] != split || work.visited[static_cast<std::size_t>(i)])
            continue;
        CopyColourProperties(m, split, g);
        FloodFillColourZone(m, i % m.width, i / m.width, static_cast<std::uint8_t>(split),
                            static_cast<std::uint8_t>(g), work);
        g = (g + 1) & 0xFF;
        if (g == line)
            g = (g + 1) & 0xFF;
    }
    return line;
}

void FillLineDrawingCommand(EditSession& s, int n)
{
    const int line = FillLineDrawing(s.model, n);
    if (line < 0)
        return;
    DissolveColour(s.model, line, false, -1, s.defaults.lahm);
    RefreshViewsAfterEdit(s, n & 0xFF);
}

void RotateModel90(EditSession& s)
{
    BitmapModel& m = s.model;
    RotateBitmap90(m);
    for (ColourRecord& c : m.colours) {
        if (!c.present)
            continue;
        if (c.type == EQUIMAT && c.rule >= CEN_Xy_I && c.rule <= CEN_Yx_E)
            c.rule = (c.rule % 2 == 1) ? c.rule + 1 : c.rule - 1;
        else if (c.type == BC_FREE && (c.rule == CEN_Xy_I || c.rule == CEN_Yx_I))
            c.rule = 3 - c.rule;
    }
    RefreshViewsAfterEdit(s, GetNthPresentColour(m, 0), true);
}

} // namespace dralo

// Colour-table queries.
#include "dralo/model/store/ColourQueries.h"

#include <vector>

namespace dralo {

int CountPresentColours(const BitmapModel& m)
{
    int n = 0;
    for (const ColourRecord& c : m.colours)
        n += c.present ? 1 : 0;
    return n;
}

namespace {

template <typename Pred> int NthColour(const BitmapModel& m, int n, Pred pred)
{
    int first = -1, k = 0;
    for (int c = 0; c < kColourCount; ++c) {
        if (!pred(m.colours[c]))
            continue;
        if (first < 0)
            first = c;
        if (k++ == n)
            return c;
    }
    return first < 0 ? 0 : first;
}

template <typename Pred> int ColourIndex(const BitmapModel& m, int c, Pred pred)
{
    if (c < 0 || c >= kColourCount || !pred(m.colours[c]))
        return -1;
    int k = 0;
    for (int i = 0; i < c; ++i)
        k += pred(m.colours[i]) ? 1 : 0;
    return k;
}

bool IsPresent(const ColourRecord& r)
{
    return r.present != 0;
}

} // namespace

int GetNthPresentColour(const BitmapModel& m, int n)
{
    return NthColour(m, n, IsPresent);
}

int GetPresentColourIndex(const BitmapModel& m, int c)
{
    return ColourIndex(m, c, IsPresent);
}

bool IsColourRowNonDefault(const ColourRecord& r)
{
    return r.present || r.type != MATERIAL || r.lamb != 1.0f || !r.name.empty();
}

int GetNthDefinedColour(const BitmapModel& m, int n)
{
    return NthColour(m, n, IsColourRowNonDefault);
}

int GetDefinedColourIndex(const BitmapModel& m, int c)
{
    return ColourIndex(m, c, IsColourRowNonDefault);
}

int FindFreeColour(const BitmapModel& m, int c)
{
    int k = c & 0xFF;
    for (int step = 0; step < kColourCount; ++step) {
        if (!m.colours[k].present)
            return k;
        k = (k + 1) & 0xFF;
    }
    return k;
}

bool HasRadiatingColours(const BitmapModel& m)
{
    for (const ColourRecord& c : m.colours)
        if (c.present && (c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == TRANSMAT))
            return true;
    return false;
}

bool IsAdiabaticBoundary(const ColourRecord& r)
{
    return (r.type == BC_SIMPL || r.type == BC_FRE_S) && r.hglo == 0.0f && r.flux == 0.0f;
}

bool HasTwoBoundaryTemperatures(const BitmapModel& m)
{
    std::vector<float> temperatures;
    for (const ColourRecord& c : m.colours) {
        if (!c.present)
            continue;
        float t = 0;
        switch (c.type) {
        case BC_SIMPL:
        case BC_FRE_S:
            if (IsAdiabaticBoundary(c))
                continue;
            if (c.flux != 0.0f)
                return false;
            t = c.temp;
            break;
        case BC_SKY:
            if (c.tair != c.trad || c.flux != 0.0f)
                return false;
            t = c.tair;
            break;
        case BC_NOSKY:
            return false;
        default:
            continue;
        }
        bool known = false;
        for (float u : temperatures)
            known = known || u == t;
        if (!known)
            temperatures.push_back(t);
    }
    return temperatures.size() == 2;
}

} // namespace dralo

// Colour queries over the used colours.
#include "parven/model/store/ColourQueries.h"

#include <optional>

namespace parven {

namespace {

template <typename Test> bool AnyUsed(const ShapeModel& m, Test test)
{
    for (const ColourRecord& c : m.colours)
        if (c.inUse && test(c))
            return true;
    return false;
}

// The temperature a used colour adds, none when it adds nothing, or false
// when it rules two temperatures out.
struct Counted {
    bool rulesOut = false;
    std::optional<float> temperature;
};

Counted BoundaryTemperature(const ColourRecord& c)
{
    switch (c.type) {
    case BC_SIMPL:
    case BC_FRE_S:
        if (c.hglo == 0 && c.flux == 0)
            return {};
        if (c.flux != 0)
            return {true, {}};
        return {false, c.temp};
    case BC_SKY:
        if (c.tair == c.trad && c.flux == 0)
            return {false, c.tair};
        return {true, {}};
    case BC_NOSKY:
        return {true, {}};
    default:
        return {};
    }
}

} // namespace

bool IsColourRowNonDefault(const ColourRecord& c)
{
    return c.inUse || c.type != MATERIAL || c.lamb != 1.0f || !c.name.empty();
}

bool HasRadiatingColours(const ShapeModel& m)
{
    return AnyUsed(m, [](const ColourRecord& c) {
        return c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == TRANSMAT;
    });
}

bool HasViewFactorColours(const ShapeModel& m)
{
    return HasRadiatingColours(m) || AnyUsed(m, [](const ColourRecord& c) { return c.type == BC_FRE_S; });
}

bool HasEquimatColours(const ShapeModel& m)
{
    return AnyUsed(m, [](const ColourRecord& c) { return c.type == EQUIMAT; });
}

bool HasLongWaveColours(const ShapeModel& m)
{
    return AnyUsed(m, [](const ColourRecord& c) {
        const bool withRule = c.type != MATERIAL && c.type != TRANSMAT && c.type != BC_SIMPL && c.type != BC_FRE_S;
        return withRule && c.rule != 0;
    });
}

bool HasTwoBoundaryTemperatures(const ShapeModel& m)
{
    float found[2] = {};
    int distinct = 0;
    for (const ColourRecord& c : m.colours) {
        if (!c.inUse)
            continue;
        const Counted counted = BoundaryTemperature(c);
        if (counted.rulesOut)
            return false;
        if (!counted.temperature)
            continue;
        const float t = *counted.temperature;
        if ((distinct > 0 && found[0] == t) || (distinct > 1 && found[1] == t))
            continue;
        if (distinct == 2)
            return false; // a third temperature
        found[distinct++] = t;
    }
    return distinct == 2;
}

} // namespace parven

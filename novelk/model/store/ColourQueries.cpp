// The colour-set tests.
#include "novelk/model/store/ColourQueries.h"

#include <optional>

namespace novelk {

namespace {

template <typename Test> bool AnyUsed(const ModelStore& m, Test&& test)
{
    for (const ColourRecord& c : m.colours)
        if (c.inUse && test(c))
            return true;
    return false;
}

// Collects distinct temperatures: false once a third one appears.
class TwoTemperatures {
  public:
    bool Add(float t)
    {
        if (!m_t1)
            m_t1 = t;
        else if (t != *m_t1 && !m_t2)
            m_t2 = t;
        else if (t != *m_t1 && t != *m_t2)
            return false;
        return true;
    }
    bool HasTwo() const { return m_t2.has_value(); }

  private:
    std::optional<float> m_t1, m_t2;
};

} // namespace

bool HasRadiatingColours(const ModelStore& m)
{
    return AnyUsed(m, [](const ColourRecord& c) {
        return c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == TRANSMAT;
    });
}

bool HasViewFactorColours(const ModelStore& m)
{
    return AnyUsed(m, [](const ColourRecord& c) {
        return c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == BC_FRE_S ||
               c.type == TRANSMAT;
    });
}

bool HasEquimatColours(const ModelStore& m)
{
    return AnyUsed(m, [](const ColourRecord& c) { return c.type == EQUIMAT; });
}

bool HasLongWaveColours(const ModelStore& m)
{
    return AnyUsed(m, [](const ColourRecord& c) {
        return c.type != MATERIAL && c.type != TRANSMAT && c.type != BC_SIMPL && c.type != BC_FRE_S &&
               c.rule != 0;
    });
}

bool HasTwoSimpleBcTemperatures(const ModelStore& m)
{
    TwoTemperatures found;
    for (const ColourRecord& c : m.colours)
        if (c.inUse && c.type == BC_SIMPL && !found.Add(c.temperature))
            return false;
    return found.HasTwo();
}

bool HasTwoBoundaryTemperatures(const ModelStore& m)
{
    TwoTemperatures found;
    for (const ColourRecord& c : m.colours) {
        if (!c.inUse)
            continue;
        float t = 0;
        switch (c.type) {
        case BC_SIMPL:
        case BC_FRE_S:
            if (c.hGlobal == 0 && c.flux == 0)
                continue;
            if (c.flux != 0)
                return false;
            t = c.temperature;
            break;
        case BC_SKY:
            if (c.airTemperature != c.radiantTemperature || c.flux != 0)
                return false;
            t = c.airTemperature;
            break;
        case BC_NOSKY:
            return false;
        default:
            continue;
        }
        if (!found.Add(t))
            return false;
    }
    return found.HasTwo();
}

} // namespace novelk

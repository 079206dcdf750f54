// Surface and cavity rules of the colours.
#include "novelk/model/calc/SurfaceRules.h"

#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/store/EngineHost.h"

#include <cmath>

namespace novelk {

namespace {

kernels::CellWidths WidthsOf(const ModelStore& m)
{
    kernels::CellWidths w;
    for (std::size_t a = 0; a < 3; ++a)
        w[a] = std::span<const float>(m.axes[a].widths.data(), m.axes[a].n);
    return w;
}

} // namespace

bool IsConRule(const ColourRecord& c)
{
    return (c.type == BC_FREE && c.rule == 7) || ((c.type == BC_SKY || c.type == BC_NOSKY) && c.rule == 1);
}

kernels::CavitySize MeasureColourCavity(const ModelStore& m, const RunState& run, int colour)
{
    const ColourRecord& c = m.colours[std::size_t(colour)];
    return kernels::MeasureColourCavity(CellGridOf(run), WidthsOf(m), m.gridUnit, colour, c.rule);
}

int CountAdiabaticCavitySides(const ModelStore& m, const RunState& run, int colour)
{
    return kernels::CountAdiabaticCavitySides(CellGridOf(run), colour, m.colours[std::size_t(colour)].rule,
                                              [&m](int beyond) {
                                                  const ColourRecord& n = m.colours[std::size_t(beyond)];
                                                  return (n.type == BC_SIMPL || n.type == BC_FRE_S) &&
                                                         n.hGlobal == 0 && n.flux == 0;
                                              });
}

bool ApplySurfaceRules(ModelStore& m, RunState& run, EngineHost& host, bool rebuildRaster, bool resultsPresent)
{
    if (rebuildRaster)
        RasteriseBlocks(m, run, host);
    bool changed = false;
    for (int colour = 0; colour < kColourCount; ++colour) {
        ColourRecord& c = m.colours[std::size_t(colour)];
        if (!c.inUse || c.type == MATERIAL || c.type == TRANSMAT || c.rule == 0)
            continue;
        if (c.type == BC_SIMPL || c.type == BC_FRE_S) {
            changed = kernels::ApplySurfaceRuleCoefficient(c) || changed;
            continue;
        }
        if (c.type != BC_FREE && c.type != BC_SKY && c.type != BC_NOSKY && c.type != EQUIMAT)
            continue;
        kernels::CavityInput in = kernels::CavityInputOf(c, c.type == EQUIMAT, IsConRule(c));
        in.temperatures = {m.calc.airspaceDeltaT, 10.0};
        // A colour without cells has no result range (lowest above highest):
        // it keeps the assumed difference instead of a meaningless one.
        if (resultsPresent && c.lowestTemperature <= c.highestTemperature)
            in.temperatures = kernels::CavityTemperatureDifference(in.conRule, c.airTemperature,
                                                                   c.lowestTemperature, c.highestTemperature);
        if (!in.conRule) {
            in.size = MeasureColourCavity(m, run, colour);
            if (in.equivalentMaterial)
                in.adiabaticSides = CountAdiabaticCavitySides(m, run, colour);
        }
        changed = kernels::StoreCavityCoefficient(c, in.equivalentMaterial, kernels::ComputeCavityCoefficient(in)) ||
                  changed;
    }
    run.cenWithoutResults = !resultsPresent;
    run.cenValuesCurrent = !changed;
    if (changed) {
        host.RefillColours();
        host.SetModified(true);
    }
    return changed;
}

double SaturationVapourPressure(double t)
{
    if (t < 0)
        return 610.96 * std::exp(0.08236 * t - 0.00030151 * t * t + 1.3002e-6 * t * t * t);
    if (t <= 40)
        return 610.96 * std::exp(0.07263 * t - 0.00029507 * t * t + 9.2011e-7 * t * t * t);
    const double theta = 273.16 / (t + 273.16);
    const double x = 10.79586 * (1 - theta) + 5.02808 * std::log10(theta) +
                     1.50474e-4 * (1 - std::pow(10.0, -8.29692 * (1 / theta - 1))) +
                     4.2873e-4 * (std::pow(10.0, 4.76955 * (1 - theta)) - 1) - 2.2195983;
    return 101325 * std::pow(10.0, x);
}

} // namespace novelk

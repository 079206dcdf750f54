// CEN rules of surfaces and cavities, start conductivities and zone fill.
#include "gelmar/model/calc/SurfaceRules.h"

#include "common/kernels/FloodFill.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"

#include <cmath>

namespace gelmar {

namespace {

bool g_cavityChanged = false;

bool IsConAxisRule(const ColourRecord& c)
{
    return (c.type == BC_FREE && c.rule == 7) || ((c.type == BC_SKY || c.type == BC_NOSKY) && c.rule == 1);
}

kernels::CellGrid Cells()
{
    EnsureCellArray();
    return {g_model.axes[0].n, g_model.axes[1].n, g_model.axes[2].n, g_work.cellColours};
}

kernels::CellWidths Widths()
{
    kernels::CellWidths w;
    for (int a = 0; a < 3; ++a)
        w[a] = g_model.axes[a].widths;
    return w;
}

void ApplyCavityRule(int colour, const kernels::CavityTemperatures& temperatures)
{
    ColourRecord& c = g_model.colours[colour];
    kernels::CavityInput in = kernels::CavityInputOf(c, c.type == EQUIMAT, IsConAxisRule(c));
    in.temperatures = temperatures;
    // Gelmar never lets a cavity's temperature difference fall below 0.1 K.
    in.deltaTFloor = 0.1;
    if (!in.conRule) {
        in.size = CavityDimensions(colour, c.rule);
        if (in.equivalentMaterial)
            in.adiabaticSides = CountAdiabaticSides(colour, c.rule);
    }
    if (kernels::StoreCavityCoefficient(c, in.equivalentMaterial, kernels::ComputeCavityCoefficient(in)))
        g_cavityChanged = true;
}

} // namespace

CavitySize CavityDimensions(int colour, int rule)
{
    return kernels::MeasureColourCavity(Cells(), Widths(), g_model.gridUnit, colour, rule);
}

int CountAdiabaticSides(int colour, int rule)
{
    return kernels::CountAdiabaticCavitySides(Cells(), colour, rule, [](int beyond) {
        const ColourRecord& n = g_model.colours[beyond];
        return (n.type == BC_SIMPL || n.type == BC_FRE_S) && n.hGlobal == 0 && n.flux == 0;
    });
}

int ApplySurfaceRules(int recompute)
{
    // Only the cavity rules look at cells.
    if (!g_run.solutionValid && HasRuleColours())
        RasteriseBlocks();
    bool changed = false;
    g_cavityChanged = false;
    for (int colour = 0; colour < kColourCount; ++colour) {
        ColourRecord& c = g_model.colours[colour];
        if (!c.inUse || c.type == MATERIAL || c.type == TRANSMAT || c.rule == 0)
            continue;
        if (c.type == BC_SIMPL || c.type == BC_FRE_S) {
            changed = kernels::ApplySurfaceRuleCoefficient(c) || changed;
            continue;
        }
        kernels::CavityTemperatures t{g_model.airspaceDeltaT, 10.0};
        if (recompute)
            t = kernels::CavityTemperatureDifference(IsConAxisRule(c), c.airTemperature, c.resultMin,
                                                     c.resultMax);
        ApplyCavityRule(colour, t);
    }
    return changed ? 1 : 0;
}

bool HasRuleColours()
{
    for (const ColourRecord& c : g_model.colours)
        if (c.inUse && c.rule != 0 &&
            (c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == EQUIMAT))
            return true;
    return false;
}

bool CavityCoefficientChanged()
{
    return g_cavityChanged;
}

void PrepareConductivities()
{
    ApplySurfaceRules(0);
    for (ColourRecord& c : g_model.colours)
        if (c.inUse && IsConductiveType(c.type))
            c.lambda = GetConductivityAt(c, 10.0f, false);
}

void FloodFillColourZone(int i, int j, int k, int oldColour, int newColour,
                         std::vector<std::uint8_t>& visited, std::vector<std::int64_t>& stack)
{
    const ModelStore& m = g_model;
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    kernels::CellBoxIndices box;
    if (!kernels::FloodFillColourRegion(g_work.cellColours, n, {i, j, k}, oldColour, newColour, visited, stack,
                                        box))
        return;
    ColourRecord& c = g_model.colours[newColour & 0xFF];
    for (int a = 0; a < 3; ++a) {
        c.cellBox[2 * a] = static_cast<std::uint16_t>(box.lo[a]);
        c.cellBox[2 * a + 1] = static_cast<std::uint16_t>(box.hi[a]);
    }
}

} // namespace gelmar

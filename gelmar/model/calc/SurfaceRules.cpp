// CEN rules of surfaces and cavities, start conductivities and zone fill.
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/calc/RunState.h"

#include "common/kernels/FloodFill.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"

#include <cmath>

namespace gelmar {

namespace {

bool IsConAxisRule(const ColourRecord& c)
{
    return (c.type == BC_FREE && c.rule == 7) || ((c.type == BC_SKY || c.type == BC_NOSKY) && c.rule == 1);
}

kernels::CellGrid Cells(ModelStore& model, RunState& run)
{
    EnsureCellArray(model, run);
    return {model.axes[0].n, model.axes[1].n, model.axes[2].n, run.work.cellColours};
}

kernels::CellWidths Widths(ModelStore& model)
{
    kernels::CellWidths w;
    for (int a = 0; a < 3; ++a)
        w[a] = model.axes[a].widths;
    return w;
}

void ApplyCavityRule(ModelStore& model, RunState& run, int colour, const kernels::CavityTemperatures& temperatures)
{
    ColourRecord& c = model.colours[colour];
    kernels::CavityInput in = kernels::CavityInputOf(c, c.type == EQUIMAT, IsConAxisRule(c));
    in.temperatures = temperatures;
    // Gelmar never lets a cavity's temperature difference fall below 0.1 K.
    in.deltaTFloor = 0.1;
    if (!in.conRule) {
        in.size = CavityDimensions(model, run, colour, c.rule);
        if (in.equivalentMaterial)
            in.adiabaticSides = CountAdiabaticSides(model, run, colour, c.rule);
    }
    if (kernels::StoreCavityCoefficient(c, in.equivalentMaterial, kernels::ComputeCavityCoefficient(in)))
        run.cavityChanged = true;
}

} // namespace

CavitySize CavityDimensions(ModelStore& model, RunState& run, int colour, int rule)
{
    return kernels::MeasureColourCavity(Cells(model, run), Widths(model), model.gridUnit, colour, rule);
}

int CountAdiabaticSides(ModelStore& model, RunState& run, int colour, int rule)
{
    return kernels::CountAdiabaticCavitySides(Cells(model, run), colour, rule, [&model](int beyond) {
        const ColourRecord& n = model.colours[beyond];
        return (n.type == BC_SIMPL || n.type == BC_FRE_S) && n.hGlobal == 0 && n.flux == 0;
    });
}

int ApplySurfaceRules(ModelStore& model, RunState& run, int recompute)
{
    // Only the cavity rules look at cells.
    if (!run.solutionValid && HasRuleColours(model))
        RasteriseBlocks(model, run);
    bool changed = false;
    run.cavityChanged = false;
    for (int colour = 0; colour < kColourCount; ++colour) {
        ColourRecord& c = model.colours[colour];
        if (!c.inUse || c.type == MATERIAL || c.type == TRANSMAT || c.rule == 0)
            continue;
        if (c.type == BC_SIMPL || c.type == BC_FRE_S) {
            changed = kernels::ApplySurfaceRuleCoefficient(c) || changed;
            continue;
        }
        kernels::CavityTemperatures t{model.airspaceDeltaT, 10.0};
        if (recompute)
            t = kernels::CavityTemperatureDifference(IsConAxisRule(c), c.airTemperature, c.resultMin,
                                                     c.resultMax);
        ApplyCavityRule(model, run, colour, t);
    }
    return changed ? 1 : 0;
}

bool HasRuleColours(ModelStore& model)
{
    for (const ColourRecord& c : model.colours)
        if (c.inUse && c.rule != 0 &&
            (c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == EQUIMAT))
            return true;
    return false;
}

bool CavityCoefficientChanged(RunState& run)
{
    return run.cavityChanged;
}

void PrepareConductivities(ModelStore& model, RunState& run)
{
    ApplySurfaceRules(model, run, 0);
    for (ColourRecord& c : model.colours)
        if (c.inUse && IsConductiveType(c.type))
            c.lambda = GetConductivityAt(model, run, c, 10.0f, false);
}

void FloodFillColourZone(ModelStore& model, RunState& run, int i, int j, int k, int oldColour, int newColour,
                         std::vector<std::uint8_t>& visited, std::vector<std::int64_t>& stack)
{
    const ModelStore& m = model;
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    kernels::CellBoxIndices box;
    if (!kernels::FloodFillColourRegion(run.work.cellColours, n, {i, j, k}, oldColour, newColour, visited,
                                        stack, box))
        return;
    ColourRecord& c = model.colours[newColour & 0xFF];
    for (int a = 0; a < 3; ++a) {
        c.cellBox[2 * a] = static_cast<std::uint16_t>(box.lo[a]);
        c.cellBox[2 * a + 1] = static_cast<std::uint16_t>(box.hi[a]);
    }
}

} // namespace gelmar

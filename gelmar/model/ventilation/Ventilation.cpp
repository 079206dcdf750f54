// The ventilation network: flow checks, node numbering, the per-pass system
// of the cavities' air temperatures and the fixed air rows of the thermal
// system.
#include "gelmar/model/ventilation/Ventilation.h"

#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/DenseElimination.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace gelmar {

namespace {

// Columns of a network row behind its M coefficients.
enum : int { kSolution = VentilationNetwork::kSolution, kPrevious, kPrevious2, kLastPass };

constexpr double kUnsetPass = -1000.0;
constexpr double kDivergenceJump = 1e6;

using Network = VentilationNetwork;

bool IsFreeAir(int type)
{
    return type == BC_FREE || type == BC_FRE_S;
}

bool IsColour(int colour)
{
    return colour >= 0 && colour < kColourCount;
}

const ColourRecord& Colour(ModelStore& model, int colour)
{
    return model.colours[static_cast<std::size_t>(colour)];
}

int NodeOf(ModelStore& model, int colour)
{
    return IsColour(colour) ? Colour(model, colour).working.ventilationNode : -1;
}

bool NetworkHolds(RunState& run, int node)
{
    return node >= 0 && node < run.network.size;
}

// Capacity of the air of every cell of a network cavity.
void AddAirCapacities(ModelStore& model, RunState& run, EngineHost& host, int step)
{
    Network& net = run.network;
    const double s = model.gridUnit;
    const double perVolume = s * s * s / std::max(1, model.timeStep);
    kernels::Index visited = 0;
    for (int k = 0; k < model.axes[2].n; ++k)
        for (int j = 0; j < model.axes[1].n; ++j)
            for (int i = 0; i < model.axes[0].n; ++i) {
                if (++visited % 10000 == 0)
                    CheckEscAbort(host);
                const int colour = GetCellColour(model, run.work, i, j, k);
                const int m = NodeOf(model, colour);
                if (!NetworkHolds(run, m))
                    continue;
                const ColourRecord& c = Colour(model, colour);
                const double t1 = net.Value(m, kSolution), t0 = net.Value(m, kPrevious);
                const double c1 = GetSpecificHeatAt(model, run, c, static_cast<float>(t1));
                const double c0 = GetSpecificHeatAt(model, run, c, static_cast<float>(t0));
                const double w = static_cast<double>(model.axes[0].widths[i]) * model.axes[1].widths[j] *
                                 model.axes[2].widths[k] * c.density * perVolume;
                net.At(m, m) += (c0 + c1) * w;
                if (step == 1) {
                    net.rhs[m] += (c0 + c1) * w * t0;
                } else {
                    const double c00 = GetSpecificHeatAt(model, run, c, static_cast<float>(net.Value(m, kPrevious2)));
                    net.rhs[m] += (c00 + 2 * c0 + c1) * w * t0;
                }
            }
}

// Convection of the cavity surfaces and the cavities' own sources.
void AddSurfaceConvection(ModelStore& model, RunState& run, int step)
{
    Network& net = run.network;
    for (const RadiationZone& zone : run.radiation.zones) {
        if (!IsFreeAir(zone.type))
            continue;
        for (const RadiatingFace& f : zone.faces) {
            const int m = NodeOf(model, f.zoneColour);
            if (!NetworkHolds(run, m) || (f.convection == 0.0 && f.convectionPrevious == 0.0))
                continue;
            for (const int node : f.cornerNodes) {
                if (node == -1)
                    continue;
                net.rhs[m] -= f.convection * GetNodeValue(model, run.work, node, 0);
                if (step > 0)
                    net.rhs[m] -= f.convectionPrevious * GetNodeValue(model, run.work, node, 1);
            }
        }
    }
    for (int colour = 0; colour < kColourCount; ++colour) {
        const int m = NodeOf(model, colour);
        if (!NetworkHolds(run, m))
            continue;
        const ColourRecord& c = Colour(model, colour);
        net.At(m, m) += run.radiation.convectionSum[static_cast<std::size_t>(colour)];
        net.rhs[m] += c.qConvective;
        if (step > 0)
            net.rhs[m] += c.working.previousQConvective;
    }
}

// Temperature of the air a flow brings from a colour outside the network.
double InflowTemperature(ModelStore& model, RunState& run, int colour)
{
    const ColourRecord& c = Colour(model, colour);
    switch (c.type) {
    case BC_SIMPL:
        return c.temperature;
    case BC_SKY:
    case BC_NOSKY:
        return c.airTemperature;
    default:
        // A cavity outside the network sends the air of its own air node.
        return ColourAirTemperature(model, run, colour);
    }
}

void AddFlows(ModelStore& model, RunState& run, int step)
{
    Network& net = run.network;
    for (int n = 0; n < model.ventFlowCount; ++n) {
        const VentilationFlowRecord& flow = model.ventFlows[static_cast<std::size_t>(n)];
        const int m = NodeOf(model, flow.colourTo);
        if (!NetworkHolds(run, m) || !IsColour(flow.colourFrom))
            continue;
        const int k = NodeOf(model, flow.colourFrom);
        if (NetworkHolds(run, k)) {
            const ColourRecord& from = Colour(model, flow.colourFrom);
            const double g = from.density * flow.flow *
                             GetSpecificHeatAt(model, run, from, static_cast<float>(net.Value(k, kSolution)));
            net.At(m, m) += g;
            net.At(m, k) -= g;
            continue;
        }
        const ColourRecord& to = Colour(model, flow.colourTo);
        const double c = GetSpecificHeatAt(model, run, to, static_cast<float>(net.Value(m, kSolution)));
        const double g = c * to.density * flow.flow;
        const double tIn = InflowTemperature(model, run, flow.colourFrom);
        net.inflow[static_cast<std::size_t>(n)] = tIn;
        net.At(m, m) += g;
        if (step == 0) {
            net.rhs[m] += g * tIn;
        } else {
            const double cPrev = GetSpecificHeatAt(model, run, to, static_cast<float>(net.Value(m, kPrevious)));
            net.rhs[m] +=
                to.density * (c * tIn * flow.flow + cPrev * net.inflowPrevious[static_cast<std::size_t>(n)] *
                                                        flow.working.previous);
        }
    }
}

} // namespace

bool HasVentilationFlows(ModelStore& model)
{
    return model.ventFlowCount > 0;
}

void CheckVentilationFlows(ModelStore& model)
{
    for (int n = 0; n < model.ventFlowCount; ++n) {
        const VentilationFlowRecord& flow = model.ventFlows[static_cast<std::size_t>(n)];
        const bool fromGood = IsColour(flow.colourFrom) && !IsConductiveType(Colour(model, flow.colourFrom).type);
        const bool toGood = IsColour(flow.colourTo) && IsFreeAir(Colour(model, flow.colourTo).type);
        if (!fromGood || !toGood)
            throw EngineError::VentilationFlow(n + 1);
    }
}

void ResolveVentilationFlowReferences(ModelStore& model)
{
    for (int n = 0; n < model.ventFlowCount; ++n) {
        VentilationFlowRecord& flow = model.ventFlows[static_cast<std::size_t>(n)];
        flow.working.function = -1;
        if (flow.flowFunc.IsNone())
            continue;
        for (std::size_t f = 0; f < model.functions.count; ++f)
            if (model.functions[f].name == flow.flowFunc) {
                model.functions[f].inUse = 1;
                flow.working.function = static_cast<std::int32_t>(f);
                break;
            }
    }
}

void EvaluateVentilationFlows(ModelStore& model, RunState& run, bool keepPrevious)
{
    for (int n = 0; n < model.ventFlowCount; ++n) {
        VentilationFlowRecord& flow = model.ventFlows[static_cast<std::size_t>(n)];
        if (keepPrevious)
            flow.working.previous = run.stepLength == 0 ? 0.0f : flow.flow;
        if (flow.working.function >= 0)
            flow.flow = EvaluateFunction(model, run, flow.working.function, run.calcTime);
    }
}

void PrepareVentilationNetwork(ModelStore& model, RunState& run)
{
    for (int n = 0; n < model.ventFlowCount; ++n) {
        const VentilationFlowRecord& flow = model.ventFlows[static_cast<std::size_t>(n)];
        for (const int colour : {flow.colourFrom, flow.colourTo})
            if (IsColour(colour) && IsFreeAir(Colour(model, colour).type))
                model.colours[static_cast<std::size_t>(colour)].unlinked = 1;
    }
    for (ColourRecord& c : model.colours) {
        c.working.ventilationNode = -1;
        c.working.airFixed = 0;
    }
    int size = 0;
    for (int n = 0; n < model.ventFlowCount; ++n) {
        const int to = model.ventFlows[static_cast<std::size_t>(n)].colourTo;
        if (IsColour(to) && IsFreeAir(Colour(model, to).type) && NodeOf(model, to) < 0)
            model.colours[static_cast<std::size_t>(to)].working.ventilationNode = size++;
    }
    FreeVentilationMatrix(run);
    if (size == 0)
        return;
    Network& net = run.network;
    const std::size_t width = static_cast<std::size_t>(size) + 4;
    net.values.assign(static_cast<std::size_t>(size) * width, 0.0);
    net.rows.resize(static_cast<std::size_t>(size));
    for (std::size_t r = 0; r < net.rows.size(); ++r)
        net.rows[r] = net.values.data() + r * width;
    net.size = size;
    net.rhs.assign(static_cast<std::size_t>(size), 0.0);
    net.keptRhs.assign(static_cast<std::size_t>(size), 0.0);
    net.inflow.assign(static_cast<std::size_t>(model.ventFlowCount), 0.0);
    net.inflowPrevious.assign(static_cast<std::size_t>(model.ventFlowCount), 0.0);
    for (int m = 0; m < size; ++m) {
        net.Value(m, kSolution) = 0.0;
        net.Value(m, kLastPass) = kUnsetPass;
    }
}

int StepVentilationNetwork(ModelStore& model, RunState& run, EngineHost& host)
{
    Network& net = run.network;
    const int size = net.size;
    if (size == 0)
        return 1;
    const int step = run.step;
    for (int m = 0; m < size; ++m)
        std::fill(net.rows[static_cast<std::size_t>(m)], net.rows[static_cast<std::size_t>(m)] + size, 0.0);
    if (step == 0)
        std::fill(net.rhs.begin(), net.rhs.end(), 0.0);
    else
        for (int m = 0; m < size; ++m)
            net.rhs[m] = -net.keptRhs[m];
    if (step > 0)
        AddAirCapacities(model, run, host, step);
    AddSurfaceConvection(model, run, step);
    AddFlows(model, run, step);

    for (int m = 0; m < size; ++m)
        net.Value(m, kSolution) = net.rhs[m];
    if (!SolveDenseWithPivoting(net.rows))
        throw EngineError::VentilationNetwork();

    bool diverging = true, settled = true;
    for (int m = 0; m < size; ++m) {
        const double change = std::fabs(net.Value(m, kSolution) - net.Value(m, kLastPass));
        diverging = diverging && change >= kDivergenceJump;
        settled = settled && change <= model.maxDeltaT;
    }
    if (diverging) {
        std::fill(run.work.solution.begin(), run.work.solution.end(), 0.0);
        return 2;
    }
    for (int m = 0; m < size; ++m)
        net.Value(m, kLastPass) = net.Value(m, kSolution);
    if (settled)
        return 1;
    for (ColourRecord& c : model.colours) {
        const int m = c.working.ventilationNode;
        if (!NetworkHolds(run, m))
            continue;
        const float t = static_cast<float>(net.Value(m, kSolution));
        (c.type == BC_FRE_S ? c.temperature : c.airTemperature) = t;
        c.working.airFixed = 1;
    }
    return 0;
}

void EndVentilationStep(ModelStore& model, RunState& run)
{
    Network& net = run.network;
    net.keptRhs = net.rhs;
    net.inflowPrevious = net.inflow;
    for (int m = 0; m < net.size; ++m) {
        if (run.step >= 1)
            net.Value(m, kPrevious2) = net.Value(m, kPrevious);
        net.Value(m, kPrevious) = net.Value(m, kSolution);
    }
    // The surfaces' couplings and a held air temperature (the surfaces'
    // environment) of this step are the previous level of the next.
    AdvanceZoneConvection(run);
    for (ColourRecord& c : model.colours)
        if (c.working.airFixed) {
            if (c.type == BC_FRE_S)
                c.working.previousTemperature = c.temperature;
            else
                c.working.previousAirTemperature = c.airTemperature;
        }
}

void FreeVentilationMatrix(RunState& run)
{
    run.network = Network{};
}

bool IsAirTemperatureFixed(ModelStore& model, int colour)
{
    return IsColour(colour) && Colour(model, colour).working.airFixed != 0;
}

double ColourAirTemperature(ModelStore& model, RunState& run, int colour)
{
    if (!IsColour(colour))
        return 0.0;
    double t = 0.0;
    if (ColourAirNodeTemperature(model, run, colour, t))
        return t;
    const int m = NodeOf(model, colour);
    if (NetworkHolds(run, m))
        return run.network.Value(m, kSolution);
    const ColourRecord& c = Colour(model, colour);
    return c.type == BC_FRE_S ? c.temperature : c.airTemperature;
}

void AssembleBoundaryColourRows(ModelStore& model, RunState& run)
{
    kernels::SymmetricMatrix* matrix = run.work.matrix.get();
    if (!matrix)
        return;
    const kernels::LowerPosition* starts = matrix->Pattern().RowStarts();
    for (int colour = 0; colour < kColourCount; ++colour) {
        const ColourRecord& c = Colour(model, colour);
        const kernels::Index row = run.radiation.airNode[static_cast<std::size_t>(colour)];
        if (!c.working.airFixed || row < 0 || row >= matrix->Pattern().RowCount())
            continue;
        matrix->Diagonal()[static_cast<std::size_t>(row)] = 1.0;
        run.work.rhs[static_cast<std::size_t>(row)] = c.type == BC_FRE_S ? c.temperature : c.airTemperature;
        std::fill(matrix->Lower().begin() + starts[row], matrix->Lower().begin() + starts[row + 1], 0.0);
    }
}

void ReportVentilationDiverging(EngineHost& host, long long t)
{
    host.MessageBox("Ventilation network diverges at time " + std::to_string(t) +
                          " s.\nCalculation stopped.",
                      MessageStyle::Ok);
}

void ReportVentilationNotSettled(EngineHost& host, long long t)
{
    host.MessageBox("Ventilation network not converged after " + std::to_string(kVentilationCycleLimit) +
                          " cycles at time " + std::to_string(t) + " s.\nCalculation stopped.",
                      MessageStyle::Ok);
}

} // namespace gelmar

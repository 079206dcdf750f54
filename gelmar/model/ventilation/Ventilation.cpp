// The ventilation network: flow checks, node numbering, the per-pass system
// of the cavities' air temperatures and the fixed air rows of the thermal
// system.
#include "gelmar/model/ventilation/Ventilation.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
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
enum : int { kSolution = 0, kPrevious = 1, kPrevious2 = 2, kLastPass = 3 };

constexpr double kUnsetPass = -1000.0;
constexpr double kDivergenceJump = 1e6;

struct Network {
    int size = 0;               // M
    std::vector<double> values; // M rows of M + 4 doubles
    std::vector<double*> rows;
    std::vector<double> rhs, keptRhs;
    // Per flow: its inflow temperature now and at the end of the last step.
    std::vector<double> inflow, inflowPrevious;

    double& At(int row, int column) { return rows[static_cast<std::size_t>(row)][column]; }
    double& Value(int row, int which) { return At(row, size + which); }
};

Network g_network;
int g_failedFlow = 0;

bool IsFreeAir(int type)
{
    return type == BC_FREE || type == BC_FRE_S;
}

bool IsColour(int colour)
{
    return colour >= 0 && colour < kColourCount;
}

const ColourRecord& Colour(int colour)
{
    return g_model.colours[static_cast<std::size_t>(colour)];
}

int NodeOf(int colour)
{
    return IsColour(colour) ? Colour(colour).working.ventilationNode : -1;
}

bool NetworkHolds(int node)
{
    return node >= 0 && node < g_network.size;
}

std::string FlowMessage(int flow)
{
    return "Syntax error in ventilation flow " + std::to_string(flow);
}

// Capacity of the air of every cell of a network cavity.
void AddAirCapacities(int step)
{
    Network& net = g_network;
    const double s = g_model.gridUnit;
    const double perVolume = s * s * s / std::max(1, g_model.timeStep);
    kernels::Index visited = 0;
    for (int k = 0; k < g_model.axes[2].n; ++k)
        for (int j = 0; j < g_model.axes[1].n; ++j)
            for (int i = 0; i < g_model.axes[0].n; ++i) {
                if (++visited % 10000 == 0)
                    CheckEscAbort();
                const int colour = GetCellColour(i, j, k);
                const int m = NodeOf(colour);
                if (!NetworkHolds(m))
                    continue;
                const ColourRecord& c = Colour(colour);
                const double t1 = net.Value(m, kSolution), t0 = net.Value(m, kPrevious);
                const double c1 = GetSpecificHeatAt(c, static_cast<float>(t1));
                const double c0 = GetSpecificHeatAt(c, static_cast<float>(t0));
                const double w = static_cast<double>(g_model.axes[0].widths[i]) * g_model.axes[1].widths[j] *
                                 g_model.axes[2].widths[k] * c.density * perVolume;
                net.At(m, m) += (c0 + c1) * w;
                if (step == 1) {
                    net.rhs[m] += (c0 + c1) * w * t0;
                } else {
                    const double c00 = GetSpecificHeatAt(c, static_cast<float>(net.Value(m, kPrevious2)));
                    net.rhs[m] += (c00 + 2 * c0 + c1) * w * t0;
                }
            }
}

// Convection of the cavity surfaces and the cavities' own sources.
void AddSurfaceConvection(int step)
{
    Network& net = g_network;
    for (const RadiationZone& zone : g_radiation.zones) {
        if (!IsFreeAir(zone.type))
            continue;
        for (const RadiatingFace& f : zone.faces) {
            const int m = NodeOf(f.zoneColour);
            if (!NetworkHolds(m) || (f.convection == 0.0 && f.convectionPrevious == 0.0))
                continue;
            for (const int node : f.cornerNodes) {
                if (node == -1)
                    continue;
                net.rhs[m] -= f.convection * GetNodeValue(node, 0);
                if (step > 0)
                    net.rhs[m] -= f.convectionPrevious * GetNodeValue(node, 1);
            }
        }
    }
    for (int colour = 0; colour < kColourCount; ++colour) {
        const int m = NodeOf(colour);
        if (!NetworkHolds(m))
            continue;
        const ColourRecord& c = Colour(colour);
        net.At(m, m) += g_radiation.convectionSum[static_cast<std::size_t>(colour)];
        net.rhs[m] += c.qConvective;
        if (step > 0)
            net.rhs[m] += c.working.previousQConvective;
    }
}

// Temperature of the air a flow brings from a colour outside the network.
double InflowTemperature(int colour)
{
    const ColourRecord& c = Colour(colour);
    switch (c.type) {
    case BC_SIMPL:
        return c.temperature;
    case BC_SKY:
    case BC_NOSKY:
        return c.airTemperature;
    default:
        // A cavity outside the network sends the air of its own air node.
        return ColourAirTemperature(colour);
    }
}

void AddFlows(int step)
{
    Network& net = g_network;
    for (int n = 0; n < g_model.ventFlowCount; ++n) {
        const VentilationFlowRecord& flow = g_model.ventFlows[static_cast<std::size_t>(n)];
        const int m = NodeOf(flow.colourTo);
        if (!NetworkHolds(m) || !IsColour(flow.colourFrom))
            continue;
        const int k = NodeOf(flow.colourFrom);
        if (NetworkHolds(k)) {
            const ColourRecord& from = Colour(flow.colourFrom);
            const double g = from.density * flow.flow *
                             GetSpecificHeatAt(from, static_cast<float>(net.Value(k, kSolution)));
            net.At(m, m) += g;
            net.At(m, k) -= g;
            continue;
        }
        const ColourRecord& to = Colour(flow.colourTo);
        const double c = GetSpecificHeatAt(to, static_cast<float>(net.Value(m, kSolution)));
        const double g = c * to.density * flow.flow;
        const double tIn = InflowTemperature(flow.colourFrom);
        net.inflow[static_cast<std::size_t>(n)] = tIn;
        net.At(m, m) += g;
        if (step == 0) {
            net.rhs[m] += g * tIn;
        } else {
            const double cPrev = GetSpecificHeatAt(to, static_cast<float>(net.Value(m, kPrevious)));
            net.rhs[m] +=
                to.density * (c * tIn * flow.flow + cPrev * net.inflowPrevious[static_cast<std::size_t>(n)] *
                                                        flow.working.previous);
        }
    }
}

} // namespace

bool HasVentilationFlows()
{
    return g_model.ventFlowCount > 0;
}

void CheckVentilationFlows(int reporting)
{
    if (reporting != 0) {
        Host().MessageBox(FlowMessage(g_failedFlow), MessageStyle::Ok);
        return;
    }
    for (int n = 0; n < g_model.ventFlowCount; ++n) {
        const VentilationFlowRecord& flow = g_model.ventFlows[static_cast<std::size_t>(n)];
        const bool fromGood = IsColour(flow.colourFrom) && !IsConductiveType(Colour(flow.colourFrom).type);
        const bool toGood = IsColour(flow.colourTo) && IsFreeAir(Colour(flow.colourTo).type);
        if (!fromGood || !toGood) {
            g_failedFlow = n + 1;
            common::RaiseError(kErrorVentilationFlow);
        }
    }
}

void ResolveVentilationFlowReferences()
{
    for (int n = 0; n < g_model.ventFlowCount; ++n) {
        VentilationFlowRecord& flow = g_model.ventFlows[static_cast<std::size_t>(n)];
        flow.working.function = -1;
        if (flow.flowFunc.IsNone())
            continue;
        for (std::size_t f = 0; f < g_model.functions.count; ++f)
            if (g_model.functions[f].name == flow.flowFunc) {
                g_model.functions[f].inUse = 1;
                flow.working.function = static_cast<std::int32_t>(f);
                break;
            }
    }
}

void EvaluateVentilationFlows(bool keepPrevious)
{
    for (int n = 0; n < g_model.ventFlowCount; ++n) {
        VentilationFlowRecord& flow = g_model.ventFlows[static_cast<std::size_t>(n)];
        if (keepPrevious)
            flow.working.previous = g_run.stepLength == 0 ? 0.0f : flow.flow;
        if (flow.working.function >= 0)
            flow.flow = EvaluateFunction(flow.working.function, g_model.calcTime);
    }
}

void PrepareVentilationNetwork()
{
    ModelStore& model = g_model;
    for (int n = 0; n < model.ventFlowCount; ++n) {
        const VentilationFlowRecord& flow = model.ventFlows[static_cast<std::size_t>(n)];
        for (const int colour : {flow.colourFrom, flow.colourTo})
            if (IsColour(colour) && IsFreeAir(Colour(colour).type))
                model.colours[static_cast<std::size_t>(colour)].unlinked = 1;
    }
    for (ColourRecord& c : model.colours) {
        c.working.ventilationNode = -1;
        c.working.airFixed = 0;
    }
    int size = 0;
    for (int n = 0; n < model.ventFlowCount; ++n) {
        const int to = model.ventFlows[static_cast<std::size_t>(n)].colourTo;
        if (IsColour(to) && IsFreeAir(Colour(to).type) && NodeOf(to) < 0)
            model.colours[static_cast<std::size_t>(to)].working.ventilationNode = size++;
    }
    FreeVentilationMatrix();
    if (size == 0)
        return;
    Network& net = g_network;
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

int StepVentilationNetwork()
{
    Network& net = g_network;
    const int size = net.size;
    if (size == 0)
        return 1;
    const int step = g_run.step;
    for (int m = 0; m < size; ++m)
        std::fill(net.rows[static_cast<std::size_t>(m)], net.rows[static_cast<std::size_t>(m)] + size, 0.0);
    if (step == 0)
        std::fill(net.rhs.begin(), net.rhs.end(), 0.0);
    else
        for (int m = 0; m < size; ++m)
            net.rhs[m] = -net.keptRhs[m];
    if (step > 0)
        AddAirCapacities(step);
    AddSurfaceConvection(step);
    AddFlows(step);

    for (int m = 0; m < size; ++m)
        net.Value(m, kSolution) = net.rhs[m];
    if (!SolveDenseWithPivoting(net.rows))
        common::RaiseError(kErrorVentilationNetwork);

    bool diverging = true, settled = true;
    for (int m = 0; m < size; ++m) {
        const double change = std::fabs(net.Value(m, kSolution) - net.Value(m, kLastPass));
        diverging = diverging && change >= kDivergenceJump;
        settled = settled && change <= g_model.maxDeltaT;
    }
    if (diverging) {
        std::fill(g_work.solution.begin(), g_work.solution.end(), 0.0);
        return 2;
    }
    for (int m = 0; m < size; ++m)
        net.Value(m, kLastPass) = net.Value(m, kSolution);
    if (settled)
        return 1;
    for (ColourRecord& c : g_model.colours) {
        const int m = c.working.ventilationNode;
        if (!NetworkHolds(m))
            continue;
        const float t = static_cast<float>(net.Value(m, kSolution));
        (c.type == BC_FRE_S ? c.temperature : c.airTemperature) = t;
        c.working.airFixed = 1;
    }
    return 0;
}

void EndVentilationStep()
{
    Network& net = g_network;
    net.keptRhs = net.rhs;
    net.inflowPrevious = net.inflow;
    for (int m = 0; m < net.size; ++m) {
        if (g_run.step >= 1)
            net.Value(m, kPrevious2) = net.Value(m, kPrevious);
        net.Value(m, kPrevious) = net.Value(m, kSolution);
    }
    // The surfaces' couplings and a held air temperature (the surfaces'
    // environment) of this step are the previous level of the next.
    AdvanceZoneConvection();
    for (ColourRecord& c : g_model.colours)
        if (c.working.airFixed) {
            if (c.type == BC_FRE_S)
                c.working.previousTemperature = c.temperature;
            else
                c.working.previousAirTemperature = c.airTemperature;
        }
}

void FreeVentilationMatrix()
{
    g_network = Network{};
}

bool IsAirTemperatureFixed(int colour)
{
    return IsColour(colour) && Colour(colour).working.airFixed != 0;
}

double ColourAirTemperature(int colour)
{
    if (!IsColour(colour))
        return 0.0;
    double t = 0.0;
    if (ColourAirNodeTemperature(colour, t))
        return t;
    const int m = NodeOf(colour);
    if (NetworkHolds(m))
        return g_network.Value(m, kSolution);
    const ColourRecord& c = Colour(colour);
    return c.type == BC_FRE_S ? c.temperature : c.airTemperature;
}

void AssembleBoundaryColourRows()
{
    kernels::SymmetricMatrix* matrix = g_work.matrix.get();
    if (!matrix)
        return;
    const kernels::LowerPosition* starts = matrix->Pattern().RowStarts();
    for (int colour = 0; colour < kColourCount; ++colour) {
        const ColourRecord& c = Colour(colour);
        const kernels::Index row = g_radiation.airNode[static_cast<std::size_t>(colour)];
        if (!c.working.airFixed || row < 0 || row >= matrix->Pattern().RowCount())
            continue;
        matrix->Diagonal()[static_cast<std::size_t>(row)] = 1.0;
        g_work.rhs[static_cast<std::size_t>(row)] = c.type == BC_FRE_S ? c.temperature : c.airTemperature;
        std::fill(matrix->Lower().begin() + starts[row], matrix->Lower().begin() + starts[row + 1], 0.0);
    }
}

void ReportVentilationDiverging(long long t)
{
    Host().MessageBox("Ventilation network diverges at time " + std::to_string(t) +
                          " s.\nCalculation stopped.",
                      MessageStyle::Ok);
}

void ReportVentilationNotSettled(long long t)
{
    Host().MessageBox("Ventilation network not converged after " + std::to_string(kVentilationCycleLimit) +
                          " cycles at time " + std::to_string(t) + " s.\nCalculation stopped.",
                      MessageStyle::Ok);
}

} // namespace gelmar

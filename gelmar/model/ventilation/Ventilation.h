// The ventilation network: flows of air (constant or a "V" function of time)
// from an environment or a cavity into cavities whose air temperature is
// free. The cavities that receive air are the nodes of a small dense system
// whose air temperatures follow from the heat the flows carry, the
// convection at the cavity surfaces, the air's capacity and the convective
// sources. Within a time step the network and the thermal field are solved
// in turn until the network's temperatures settle; meanwhile the thermal
// solve takes each network cavity's air temperature as fixed.
#pragma once
#include <cstddef>
#include <vector>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// The network of a run: one row per receiving cavity (its air node), the
// right-hand sides of the pass and of the previous step, and the flows'
// inflow temperatures. Each row holds its M coefficients, then the solution
// of the pass, of the previous and the second previous step and of the last
// pass.
struct VentilationNetwork {
    enum Column : int { kSolution = 0, kPrevious = 1, kPrevious2 = 2, kLastPass = 3 };
    int size = 0;               // M
    std::vector<double> values; // M rows of M + 4 doubles
    std::vector<double*> rows;  // into values
    std::vector<double> rhs, keptRhs;
    // Per flow: its inflow temperature now and at the end of the last step.
    std::vector<double> inflow, inflowPrevious;

    VentilationNetwork() = default;
    // The rows point into the values: a copy would point into the original.
    VentilationNetwork(const VentilationNetwork&) = delete;
    VentilationNetwork& operator=(const VentilationNetwork&) = delete;
    VentilationNetwork(VentilationNetwork&&) = default;
    VentilationNetwork& operator=(VentilationNetwork&&) = default;

    double& At(int row, int column) { return rows[static_cast<std::size_t>(row)][column]; }
    double& Value(int row, int which) { return At(row, size + which); }
};

// Cycles per time step allowed to a model with ventilation flows.
constexpr int kVentilationCycleLimit = 100000;

bool HasVentilationFlows(ModelStore& model);
// Checks every flow in order (from a colour that is not conductive, to a
// BC_FREE or BC_FRE_S colour); the first bad one ends the run with error 7,
// which names its number (1-based).
void CheckVentilationFlows(ModelStore& model);

// Resolves every flow's function name (marking the function in use).
void ResolveVentilationFlowReferences(ModelStore& model);
// Evaluates the flow functions at the current time; with keepPrevious each
// flow first moves into its previous-step slot (0 before the first step).
void EvaluateVentilationFlows(ModelStore& model, RunState& run, bool keepPrevious);

// Per run, before the node numbering: gives the cavities that flows touch
// air nodes of their own, numbers the receiving cavities and allocates the
// network.
void PrepareVentilationNetwork(ModelStore& model, RunState& run);
// One pass of the network: 0 going on (the cavities' air temperatures are
// now held for the next thermal solve), 1 settled (every node within mxdt
// of the previous pass), 2 diverging (every node jumped by 1e6 or more; the
// thermal solution is zeroed). A singular system raises error 8.
int StepVentilationNetwork(ModelStore& model, RunState& run, EngineHost& host);
// End of a time step: the network's time levels move on.
void EndVentilationStep(ModelStore& model, RunState& run);
void FreeVentilationMatrix(RunState& run);

// True while the network holds the colour's air temperature.
bool IsAirTemperatureFixed(ModelStore& model, int colour);
// The air temperature of a cavity colour: its air node's, else the
// network's, else the colour's own value (temp for BC_FRE_S, tair else).
double ColourAirTemperature(ModelStore& model, RunState& run, int colour);

// Gives the air node of every colour whose air the network holds the fixed
// row of that temperature (diagonal 1, right-hand side temp or tair, no
// couplings).
void AssembleBoundaryColourRows(ModelStore& model, RunState& run);

// The messages of a run that the network ends early: divergence, or the
// cycle limit reached without the network settling (time t in seconds).
void ReportVentilationDiverging(EngineHost& host, long long t);
void ReportVentilationNotSettled(EngineHost& host, long long t);

} // namespace gelmar

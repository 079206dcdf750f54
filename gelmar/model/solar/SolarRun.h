// What a calculation run gives the solar code and takes from it: the run's
// cell colours and node numbers, its function values and reflection
// factors, the radiation zones read back from the view-factor file, and the
// solar powers of the nodes that the equation assembly adds. Also the
// "Calc Solar Fluxes" run, which marches the model's time axis computing and
// writing the solar fluxes alone.
#pragma once

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// Drops the solar tables of an earlier run and gives the solar state the
// run's cell-colour and node-index arrays (after the node numbering) and its
// function evaluation.
void SetSolarRunInputs(ModelStore& model, RunState& run);
// The radiation zones of the run as the solar code reads them: model faces,
// file faces and view factors, copied right after the view factors are
// loaded; none in a model without zone colours.
void CollectSolarZones(ModelStore& model, RunState& run);

// Adds the current plus the previous power of every node of the solar
// node-source list to b (rows of grid nodes).
void AddSolarNodeSources(RunState& run, double* b);
// True when a node of the solar node-source list has a non-zero power.
bool AnySolarNodePower(RunState& run);
// Empties the solar power column for the heat-flow balance after a step:
// the assembly leaves the node powers out until the next step's fluxes are
// computed, so that the boundary colours show the heat they pass.
void ClearSolarFluxColumn(RunState& run);

// "Calc Solar Fluxes": from time 0 to the end time, the solar fluxes of
// every step, written at the save steps. Failures leave by the engine
// exception with the error code set, or without a code on Esc.
void RunSolarFluxCalculation(ModelStore& model, RunState& run, EngineHost& host);

} // namespace gelmar

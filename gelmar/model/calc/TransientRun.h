// The transient run of "Calc System": prepares the tables of the
// calculation, numbers the nodes, builds the matrix and marches from the
// start-up time to the end time, solving each step in one or more cycles and
// writing results at the save and report frequencies.
#pragma once

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// Failures leave by the engine exception with the error code set, or
// without a code on Esc.
void RunTransientCalculation(ModelStore& model, RunState& run, EngineHost& host);
// Cycles per time step of a model without ventilation flows: cycl when a
// material depends on temperature, radiation is non-linear or the rules are
// recomputed; else 1.
int CyclesPerStep(ModelStore& model, bool temperatureDependent);

} // namespace gelmar

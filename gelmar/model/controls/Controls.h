// Controls: thermostats that read the temperature of a sensor (an output
// node), compare it with a target function of time and switch a function of
// the model between its "off" and "on" variants with a heating or cooling
// logic, minimum on and off durations and, for ventilation functions, a
// minimum temperature difference between two zones. Every colour property,
// node or material boundary condition and ventilation flow that refers to a
// control's "off" function is switched with it.
#pragma once

namespace gelmar {

struct ModelStore;
struct RunState;

// Resolves each control's target, "off" and "on" names (marking the
// functions in use).
void ResolveControlReferences(ModelStore& model);
// The target value of every control at the current time.
void EvaluateControlTargets(ModelStore& model, RunState& run);

// Checks every control and links the model's function references to the
// controls (once per run, before the time loop); the first failing control
// ends the run with error 11, which names it.
void EvaluateControls(ModelStore& model, RunState& run);
// Switches the controls for the current time; true when any switched.
bool ApplyControls(ModelStore& model, RunState& run);
// Sets every function reference linked to control n to its "on" or "off"
// function.
void ApplyControlState(ModelStore& model, int n, bool on);

} // namespace gelmar

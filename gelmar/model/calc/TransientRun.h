// The transient run of "Calc System": prepares the tables of the
// calculation, numbers the nodes, builds the matrix and marches from the
// start-up time to the end time, solving each step in one or more cycles and
// writing results at the save and report frequencies.
#pragma once

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// What a prepared run needs, decided once before its first step, and where
// the march stands.
struct RunPlan {
    bool ventilated = false; // the ventilation network is stepped in the cycles
    int cycles = 1;          // cycles per time step (1 after the steady step without ventilation)
    int recompute = 0;       // the rules are recomputed in every cycle when not 0
    int timeStep = 1;        // s
    long long time = 0;      // s, the time of the next step (negative during the start-up)
    bool diverged = false;   // the ventilation network diverged: no further step
    bool unsettled = false;  // the network did not settle in a step: no further step
};

// The tables of the calculation, the node numbering, the matrix and the
// cleared field; the start-up duration rounded up to whole time steps.
RunPlan PrepareTransientRun(ModelStore& model, RunState& run, EngineHost& host);
// Whether the plan has a further time step.
bool TransientStepDue(const ModelStore& model, const RunPlan& plan);
// One time step in its cycles, with the files and report row it writes.
void StepTransientRun(ModelStore& model, RunState& run, EngineHost& host, RunPlan& plan);
// The time of the last step computed, the report file, and the run's tables
// freed.
void FinishTransientRun(ModelStore& model, RunState& run, const RunPlan& plan);
// Prepare, every due step, finish. Failures leave by the engine exception
// with the error code set, or without a code on Esc.
void RunTransientCalculation(ModelStore& model, RunState& run, EngineHost& host);

// The clean-up of a transient run on every path out of its scope: the
// calculation's work arrays are freed; a run that was not marked finished
// (an error or Esc) also writes the report rows it has, frees the
// ventilation matrix, the property tables and the function-file data, and
// sets the calculation time back one step, to the last step completed.
class TransientRunCleanup {
public:
    TransientRunCleanup(ModelStore& model, RunState& run) : model_(model), run_(run) {}
    ~TransientRunCleanup();
    TransientRunCleanup(const TransientRunCleanup&) = delete;
    TransientRunCleanup& operator=(const TransientRunCleanup&) = delete;
    void MarkFinished() { finished_ = true; }

private:
    ModelStore& model_;
    RunState& run_;
    bool finished_ = false;
};
// Cycles per time step of a model without ventilation flows: cycl when a
// material depends on temperature, radiation is non-linear or the rules are
// recomputed; else 1.
int CyclesPerStep(ModelStore& model, bool temperatureDependent);

} // namespace gelmar

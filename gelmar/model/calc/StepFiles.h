// The result files of a transient run, one pair per saved step in the
// working folder ("tmp0002.sol", "tmp0002.flx"), their readers for the
// output windows, and the per-step results: each colour's temperature range
// and the heat flowing in and out through it, and the time-level
// bookkeeping at the end of a step.
#pragma once
#include <string>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// "tmp" + the saved-step number (current time over save frequency × step,
// four digits) + extension.
std::string BuildStepFileName(ModelStore& model, RunState& run, const char* extension);
// Write the current step; an open or write failure is error 2.
void WriteSolutionFile(ModelStore& model, RunState& run);
void WriteFluxFile(ModelStore& model, RunState& run);
// Reads a solution file (the current time's is BuildStepFileName(".sol"));
// true when read without a bad line (a bad line zeroes the solution).
bool ReadSolutionFile(ModelStore& model, RunState& run, const std::string& path);
void ReadFluxFile(ModelStore& model, RunState& run);
// The heat-flux table for the pictures' flux passes: read at most once until
// the loaded results change (a solution read clears its loaded flag), and
// only in a model with radiating colours (else it stays empty).
void EnsureFluxTable(ModelStore& model, RunState& run);
// Deletes every "tmpNNNN.sol", ".flx", ".sfx" and ".sfd" of the working folder, so
// that results of an earlier run are never read as the present ones.
void RemoveStepFiles();

void UpdateColourTemperatureRanges(ModelStore& model, RunState& run);
void ComputeColourHeatFlows(ModelStore& model, RunState& run, EngineHost& host);
void AdvanceTimeLevel(RunState& run);

} // namespace gelmar

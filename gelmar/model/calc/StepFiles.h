// The result files of a transient run, one pair per saved step in the
// working folder ("tmp0002.sol", "tmp0002.flx"), their readers for the
// output windows, and the per-step results: each colour's temperature range
// and the heat flowing in and out through it, and the time-level
// bookkeeping at the end of a step.
#pragma once
#include <string>

namespace gelmar {

// "tmp" + the saved-step number (current time over save frequency × step,
// four digits) + extension.
std::string BuildStepFileName(const char* extension);
// Write the current step; an open or write failure is error 2.
void WriteSolutionFile();
void WriteFluxFile();
// Reads a solution file (the current time's is BuildStepFileName(".sol"));
// true when read without a bad line (a bad line zeroes the solution).
bool ReadSolutionFile(const std::string& path);
void ReadFluxFile();
// The heat-flux table for the pictures' flux passes: read at most once until
// the loaded results change (a solution read clears its loaded flag), and
// only in a model with radiating colours (else it stays empty).
void EnsureFluxTable();
// Deletes every "tmpNNNN.sol", ".flx", ".sfx" and ".sfd" of the working folder, so
// that results of an earlier run are never read as the present ones.
void RemoveStepFiles();

void UpdateColourTemperatureRanges();
void ComputeColourHeatFlows();
void AdvanceTimeLevel();

} // namespace gelmar

// The solar result files beside the temporary solution files: the sunlit-node
// file "tmp0000.sfd" (one per run: the records' nodes, orientations, colours
// and areas) and one flux file "tmpNNNN.sfx" per saved step (one flux a line,
// in the order of the sunlit-node file). The output windows read them back.
#pragma once
#include <string>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// "tmp" + the saved-step number of run time t in four digits + extension.
std::string SolarFileName(ModelStore& model, long long t, const char* extension);
// True on the steps whose results are saved.
bool IsSaveStep(ModelStore& model, long long t);

// Writes "tmp0000.sfd"; an open failure stops the run with error code 2.
void WriteSunlitNodesFile(ModelStore& model, RunState& run);
// Reads "tmp0000.sfd" into the records; false without a file (no message) or
// with a bad one (syntax-error message, no records).
bool ReadSunlitNodesFile(ModelStore& model, RunState& run, EngineHost& host);
// Removes the flux file of time t when it exists.
void RemoveSolarFluxFile(ModelStore& model, long long t);
// Writes the flux file of time t; an open failure stops the run with error 2.
void WriteSolarFluxFile(ModelStore& model, RunState& run, long long t);
// The fluxes of time t into the records (a missing or short file leaves
// zeros), which are then ordered by node, orientation and colour.
void ReadSolarFluxFile(ModelStore& model, RunState& run, EngineHost& host, long long t);

} // namespace gelmar

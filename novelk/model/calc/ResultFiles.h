// The result files of a calculation in the working folder: "tmp.sol" (the
// temperatures of the unknowns, the cavity air temperatures, each colour's
// lowest and highest temperature and its heat flows in and out) and
// "tmp.flx" (the heat-flux density of every radiating face); their readers,
// which fall back on the data file's own ".sol" and ".flx"; and the
// per-colour results they carry.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

namespace novelk {

class EngineHost;

// Every used colour's lowest and highest node value over its cells and the
// grid points where they occur (a colour without cells keeps 9e9 and -9e9).
void ComputeColourExtremes(ModelStore& m, const RunState& run);
// A heat balance of the present temperatures on the assembled system, then
// every used colour that is neither MATERIAL nor EQUIMAT sums the boundary
// flows of its cells' corner nodes into flowIn and flowOut (a node counted
// once; BC_SIMPL cells with hglo and flux 0 skipped). The balance's
// divergences become the read-outs.
void ComputeColourHeatFlows(ModelStore& m, RunState& run, EngineHost& host);

// Writes "tmp.sol" with the present temperatures, the colours' air
// temperatures (stored in their tair) and their extremes and flows.
// EngineError FileOpen when it cannot be written.
void WriteSolutionFile(ModelStore& m, RunState& run, EngineHost& host);
// Reads "tmp.sol" (else the data file's ".sol") into the temperatures and
// the colour results. False, with every temperature 0, when no file of this
// model could be read; on success results are loaded.
bool ReadSolutionFile(ModelStore& m, RunState& run);
// Writes "tmp.flx": the heat-flux density into every face linked to a
// radiation node in the zones but BC_FRE_S and TRANSMAT ones.
void WriteFluxFile(const ModelStore& m, const RunState& run);
// Reads "tmp.flx" (else the data file's ".flx") into the run's sorted flux
// records; none when there is no file.
void ReadFluxFile(const ModelStore& m, RunState& run);

// After a data file was opened: when its own ".sol" exists, the raster, the
// node numbers, its solution and its fluxes, so that its results show at
// once; a failure on the way leaves the model without results.
void LoadSavedResults(ModelStore& m, RunState& run, EngineHost& host);

} // namespace novelk

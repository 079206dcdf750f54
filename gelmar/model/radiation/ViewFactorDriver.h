// The view-factor run ("Calc View Factors", and the recalculation that Calc
// System offers): the zones and faces of the cell raster, the view factors of
// every zone, and the view-factor file "tmp.vwf".
#pragma once
#include "common/kernels/RadiationZones.h"
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/store/Errors.h"

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// Progress read-outs of the view-factor window.
using kernels::kProgressPairsDone;
using kernels::kProgressTotalFaces;
using kernels::kProgressTotalPairs;
using kernels::kProgressTotalZones;
using kernels::kProgressZone;
using kernels::kProgressZoneFaces;
using kernels::kProgressZonePairs;
using kernels::ViewFactorProgressItem;

// The whole run over the cell raster. Without a zone nothing is written.
// Esc aborts it (no error code, nothing written); cavity faults raise codes
// 4, 5 or 12, a file that cannot be written code 2. threads 0: every core.
void ComputeViewFactors(ModelStore& model, RunState& run, EngineHost& host, const kernels::CellGrid& cells, unsigned threads = 0);

// The run as the view-factor progress window makes it: work arrays of group 0
// freed, the blocks rasterised, the nodes numbered and ComputeViewFactors;
// group 0 (with the radiation tables) freed in every case.
WorkOutcome RunViewFactorWindow(ModelStore& model, RunState& run, EngineHost& host);

// Mode 0: the totals; mode 1: the current zone and its pairs done; mode 2:
// only the pairs done.
void UpdateViewFactorProgress(RunState& run, EngineHost& host, int mode);

} // namespace gelmar

// The view-factor run ("Calc View Factors", and the recalculation that Calc
// System offers): the zones and faces of the cell raster, the view factors of
// every zone, and the view-factor file "tmp.vwf".
#pragma once
#include "common/kernels/RadiationZones.h"
#include "common/kernels/ViewFactorZone.h"

namespace gelmar {

// Progress read-outs of the view-factor window.
using kernels::ViewFactorProgressItem;
using kernels::kProgressZone;
using kernels::kProgressZoneFaces;
using kernels::kProgressZonePairs;
using kernels::kProgressPairsDone;
using kernels::kProgressTotalZones;
using kernels::kProgressTotalFaces;
using kernels::kProgressTotalPairs;

// The whole run over the cell raster. Without a zone nothing is written.
// Esc aborts it (no error code, nothing written); cavity faults raise codes
// 4, 5 or 12, a file that cannot be written code 2. threads 0: every core.
void ComputeViewFactors(const kernels::CellGrid& cells, unsigned threads = 0);

// The run as the view-factor progress window makes it: work arrays of group 0
// freed, the blocks rasterised, the nodes numbered and ComputeViewFactors;
// group 0 (with the radiation tables) freed in every case. True when it ended
// normally; otherwise the error code (0 after Esc) is left for the caller.
bool RunViewFactorWindow();

// Mode 0: the totals; mode 1: the current zone and its pairs done; mode 2:
// only the pairs done.
void UpdateViewFactorProgress(int mode);

} // namespace gelmar

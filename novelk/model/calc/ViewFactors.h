// The view-factor run (Calc View Factors, or Calc System when the model
// radiates and no view-factor file is to be reused): the zones of the cell
// raster without the BC_FRE_S cavities, the view factors between the faces
// of each zone (analytic values of the face pairs, scaled by the share of
// random rays no other face of the zone blocks), their repair so that no
// face sees more than everything, each face's remainder, and the file
// "tmp.vwf"; and the per-colour summary of that file for the text output.
#pragma once
#include "common/kernels/ViewFactorFile.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

namespace novelk {

class EngineHost;

// The run over the raster and node numbers of the run (which must exist).
// Without zones nothing is written. Model errors 4, 5, 7; FileOpen when the
// file cannot be written; EscAbort. threads 0: every core.
void ComputeViewFactors(const ModelStore& m, RunState& run, EngineHost& host, unsigned threads = 0);

// Reads the summary of the view-factor file ("tmp.vwf", else the data
// file's ".vwf") into the table and each colour's sender area. A missing
// file leaves both zero; a bad line is EngineError Syntax.
void ReadViewFactorSummary(ModelStore& m, kernels::ViewFactorSummaryTable& table);
void FreeViewFactorSummary(kernels::ViewFactorSummaryTable& table);

} // namespace novelk

// What a batch run does with each model it opens: a model made from a DXF
// drawing is first prepared for EN 10077 and its bitmap written; then the
// calculation runs with a new mesh, and the document ends not modified.
#pragma once
#include "dralo/model/calc/CalcSystem.h"
#include "dralo/model/editing/EditSession.h"

namespace dralo {

// The calculation of an opened model as a batch does it; a failure's
// message goes to the host. The report of a finished calculation follows
// the Done result (the caller's part).
CalcResult RunBatchCalculation(EditSession& s, RunState& run, const ColourTable& startupColours);

} // namespace dralo

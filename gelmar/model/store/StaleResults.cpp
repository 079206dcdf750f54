// Releasing the results of an earlier calculation after a model edit.
#include "gelmar/model/store/StaleResults.h"

#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

void ReleaseCalculationResults(RunState& run)
{
    FreeWorkArrays(run, 1);
    run.resultsValid = false;
}

} // namespace gelmar

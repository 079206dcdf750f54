// Releasing the results of an earlier calculation after a model edit.
#include "gelmar/model/store/StaleResults.h"

#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/calc/WorkArrays.h"

namespace gelmar {

void ReleaseCalculationResults()
{
    FreeWorkArrays(1);
    g_model.resultsValid = false;
}

} // namespace gelmar

// Releasing the results of an earlier calculation after a model edit.
#include "gelmar/model/StaleResults.h"

#include "gelmar/model/ModelStore.h"
#include "gelmar/model/WorkArrays.h"

namespace gelmar {

void ReleaseCalculationResults()
{
    FreeWorkArrays(1);
    g_model.resultsValid = false;
}

} // namespace gelmar

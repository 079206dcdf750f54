// Releasing the results of an earlier calculation after a model edit.
#include "gelmar/model/StaleResults.h"

#include "gelmar/model/ModelStore.h"

namespace gelmar {

void ReleaseCalculationResults()
{
    g_model.resultsValid = false;
}

} // namespace gelmar

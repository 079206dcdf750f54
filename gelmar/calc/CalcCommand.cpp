// The calculation step of the driver. The transient engine is not part of
// this build yet, so the step says so and fails.
#include "gelmar/calc/CalcCommand.h"

#include "gelmar/model/EngineHost.h"

namespace gelmar {

bool CalculateModel()
{
    Host().MessageBox("Calculation is not available in this build; use --no-calc.", MessageStyle::Ok);
    return false;
}

} // namespace gelmar

// The calculation step of the driver: the same Calc System sequence as the
// program's command, with the headless host.
#include "gelmar/calc/CalcCommand.h"

#include "gelmar/model/calc/CalcSystem.h"

namespace gelmar {

bool CalculateModel()
{
    return RunCalcSystem() == CalcSystemResult::Done;
}

} // namespace gelmar

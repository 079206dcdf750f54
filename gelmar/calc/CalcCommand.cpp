// The calculation step of the driver: the same Calc System sequence as the
// program's command, with the headless host.
#include "gelmar/calc/CalcCommand.h"

#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/store/Engine.h"

namespace gelmar {

bool CalculateModel()
{
    return RunCalcSystem(g_model, g_run, Host()) == CalcSystemResult::Done;
}

} // namespace gelmar

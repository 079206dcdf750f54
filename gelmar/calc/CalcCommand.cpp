// The calculation step of the driver: the same Calc System sequence as the
// program's command, with the headless host.
#include "gelmar/calc/CalcCommand.h"

#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/store/Engine.h"

namespace gelmar {

bool CalculateModel(Engine& engine)
{
    return RunCalcSystem(engine.model, engine.run, engine.history, engine.host) == CalcSystemResult::Done;
}

} // namespace gelmar

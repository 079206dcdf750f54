// What the text report reads of the solar and control modules.
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SunPosition.h"

namespace gelmar {

void CurrentSunPosition(RunState& run, float& altitude, float& azimuth)
{
    altitude = run.sun.altitude;
    azimuth = run.sun.azimuth;
}

void ForEachSolarSurface(RunState& run, const std::function<void(int, int, double, double)>& visit)
{
    for (const SunlitNodeRecord& r : run.solar.records)
        visit(r.colour, r.orientation, r.area, r.flux);
}

int ControlState(ModelStore& model, int control)
{
    if (control < 0 || control >= static_cast<int>(model.controls.count))
        return 0;
    return model.controls[static_cast<std::size_t>(control)].working.state;
}

} // namespace gelmar

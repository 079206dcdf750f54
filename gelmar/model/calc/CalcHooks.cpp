// What the text report reads of the solar and control modules.
#include "gelmar/model/calc/CalcHooks.h"

#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SunPosition.h"

namespace gelmar {

void CurrentSunPosition(float& altitude, float& azimuth)
{
    altitude = g_sun.altitude;
    azimuth = g_sun.azimuth;
}

void ForEachSolarSurface(const std::function<void(int, int, double, double)>& visit)
{
    for (const SunlitNodeRecord& r : g_solar.records)
        visit(r.colour, r.orientation, r.area, r.flux);
}

int ControlState(int control)
{
    if (control < 0 || control >= static_cast<int>(g_model.controls.count))
        return 0;
    return g_model.controls[static_cast<std::size_t>(control)].working.state;
}

} // namespace gelmar

// The calculation's calls into the solar module and what the report reads
// of solar and controls, as a model without those features needs them.
#include "gelmar/model/CalcHooks.h"

#include "gelmar/model/ModelStore.h"

namespace gelmar {

void ComputeSolarFluxesForStep() {}
void AddSolarNodeSources(double*) {}
bool AnySolarNodePower()
{
    return false;
}
void ClearSolarFluxColumn() {}

void CurrentSunPosition(float& altitude, float& azimuth)
{
    altitude = 0;
    azimuth = 0;
}
void ForEachSolarSurface(const std::function<void(int, int, double, double)>&) {}
int ControlState(int control)
{
    if (control < 0 || control >= static_cast<int>(g_model.controls.count))
        return 0;
    return g_model.controls[static_cast<std::size_t>(control)].working.state;
}

} // namespace gelmar

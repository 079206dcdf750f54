// The places where the transient calculation and the report call the parts
// of the engine that other modules provide: radiation zones and view factors
// (ZoneCalc), the model-check messages (ModelCheckReport) and what the report
// reads of the solar and control modules (CalcHooks.cpp).
#pragma once
#include "common/kernels/KernelTypes.h"
#include "common/kernels/ResultFiles.h"

#include <cstdio>
#include <functional>

namespace gelmar {

// ---- radiation zones and view factors ----
// Sets up the zones of a run after the node numbering: zones, faces, the
// view factors read back and matched, and the zone rows added to the row
// count. A model without zone colours has none.
void LoadViewFactors();
// Calls link(a, b) for every matrix coupling of the zone rows.
void ForEachZoneLink(const std::function<void(kernels::Index, kernels::Index)>& link);
// Capacity terms of the air nodes of free-surface cells (k = s^3 / (8 dt))
// of an assembly at step counter `step` (> 0).
void AssembleAirNodeCapacities(int step, double k);
// Long-wave radiation and zone convection terms of an assembly at step
// counter `step` (0: steady, current values only).
void AssembleLongWaveRadiation(int step);
// Copies the zone faces' current values into their previous-level slots.
void AdvanceZoneFaces();
// Writes the heat-flow lines of the radiating faces (the file is open).
void WriteZoneFaceFlows(kernels::ResultFileWriter& file);
// Air temperatures of zone colours into tair (and temp for BC_FRE_S).
void UpdateZoneAirTemperatures();
int ZoneCount();
// The computed air temperature of a BC_FREE or BC_FRE_S colour of a zone;
// false for a colour without a zone.
bool ColourAirNodeTemperature(int colour, double& temperature);

// ---- model checks of other modules (ModelCheckReport.cpp) ----
// Shows the message of error code 4, 5, 7, 10, 11 or 12 through the reporting
// form of the check that set it.
void ReportModelCheckError(int code);
// Calc System's view-factor step for a model with radiating colours: asks
// "Recalculate view factors ?" when a view-factor file exists, reuses it or
// runs the view-factor window; false when the user cancels the question or
// presses Esc in that window (a failure leaves its error code instead).
bool PrepareViewFactorFile();

// ---- what the text report reads from the solar and control modules ----
// Sun altitude and azimuth (degrees; azimuth 0..360) of the current step.
void CurrentSunPosition(float& altitude, float& azimuth);
// Calls visit(colour, direction, area, absorbed flux) for every sunlit
// surface record of the solar table.
void ForEachSolarSurface(const std::function<void(int, int, double, double)>& visit);
// State of control n (0-based): 0 off, 1 on.
int ControlState(int control);

} // namespace gelmar

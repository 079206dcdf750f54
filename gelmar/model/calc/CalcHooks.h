// The places where the transient calculation and the report call the parts
// of the engine that other modules provide: radiation zones and view factors
// (ZoneCalc) and what the report
// reads of the solar and control modules (CalcHooks.cpp).
#pragma once
#include "common/kernels/KernelTypes.h"
#include "common/kernels/ResultFiles.h"
#include "gelmar/model/store/Errors.h"

#include <cstdio>
#include <functional>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// ---- radiation zones and view factors ----
// Sets up the zones of a run after the node numbering: zones, faces, the
// view factors read back and matched, and the zone rows added to the row
// count. A model without zone colours has none.
void LoadViewFactors(ModelStore& model, RunState& run, EngineHost& host);
// Calls link(a, b) for every matrix coupling of the zone rows.
void ForEachZoneLink(RunState& run, const std::function<void(kernels::Index, kernels::Index)>& link);
// Capacity terms of the air nodes of free-surface cells (k = s^3 / (8 dt))
// of an assembly at step counter `step` (> 0).
void AssembleAirNodeCapacities(ModelStore& model, RunState& run, EngineHost& host, int step, double k);
// Long-wave radiation and zone convection terms of an assembly at step
// counter `step` (0: steady, current values only).
void AssembleLongWaveRadiation(ModelStore& model, RunState& run, EngineHost& host, int step);
// Copies the zone faces' current values into their previous-level slots.
void AdvanceZoneFaces(RunState& run);
// Writes the heat-flow lines of the radiating faces (the file is open).
void WriteZoneFaceFlows(ModelStore& model, RunState& run, kernels::ResultFileWriter& file);
// Air temperatures of zone colours into tair (and temp for BC_FRE_S).
void UpdateZoneAirTemperatures(ModelStore& model, RunState& run);
int ZoneCount(RunState& run);
// The computed air temperature of a BC_FREE or BC_FRE_S colour of a zone;
// false for a colour without a zone.
bool ColourAirNodeTemperature(ModelStore& model, RunState& run, int colour, double& temperature);

// ---- the view-factor step of Calc System ----
// Calc System's view-factor step for a model with radiating colours: asks
// "Recalculate view factors ?" when a view-factor file exists, reuses it or
// runs the view-factor window. Ends by Esc when the user cancels the question
// or presses Esc in that window; a failure of the window is its error.
WorkOutcome PrepareViewFactorFile(ModelStore& model, RunState& run, EngineHost& host);

// ---- what the text report reads from the solar and control modules ----
// Sun altitude and azimuth (degrees; azimuth 0..360) of the current step.
void CurrentSunPosition(RunState& run, float& altitude, float& azimuth);
// Calls visit(colour, direction, area, absorbed flux) for every sunlit
// surface record of the solar table.
void ForEachSolarSurface(RunState& run, const std::function<void(int, int, double, double)>& visit);
// State of control n (0-based): 0 off, 1 on.
int ControlState(ModelStore& model, int control);

} // namespace gelmar

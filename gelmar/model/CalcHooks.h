// The places where the transient calculation calls the parts of the engine
// that other modules provide: radiation zones and view factors, controls,
// the ventilation network and the text report. Each does
// nothing yet (or answers as a model without that feature would); the module
// that owns it fills it in.
#pragma once
#include "gelmar/kernels/KernelTypes.h"

#include <cstdio>
#include <functional>

namespace gelmar {

// ---- radiation zones and view factors ----
// Reads or checks the view factors and sets up the zone tables, adding the
// zone rows to the row count (a model with zone colours).
void LoadViewFactors();
// Calls link(a, b) for every matrix coupling of the zone rows.
void ForEachZoneLink(const std::function<void(Index, Index)>& link);
// Capacity terms of the air nodes of free-surface cells (k = s^3 / (8 dt)).
void AssembleAirNodeCapacities(double k);
// Long-wave radiation and zone convection terms of one assembly.
void AssembleLongWaveRadiation();
// Copies the zone faces' current values into their previous-level slots.
void AdvanceZoneFaces();
// Writes the heat-flow lines of the radiating faces (the file is open).
void WriteZoneFaceFlows(std::FILE* file);
// Air temperatures of zone colours into tair (and temp for BC_FRE_S).
void UpdateZoneAirTemperatures();
int ZoneCount();
// The computed air temperature of a BC_FREE or BC_FRE_S colour of a zone;
// false for a colour without a zone.
bool ColourAirNodeTemperature(int colour, double& temperature);

// ---- controls ----
void EvaluateControls();
// True when a control switched this step.
bool ApplyControls();

// ---- ventilation network ----
bool HasVentilationFlows();
// Error 7 on a bad flow chain.
void CheckVentilationFlows(int reporting);
void PrepareVentilationNetwork();
// 0 going on, 1 converged, 2 diverging.
int StepVentilationNetwork();
void EndVentilationStep();
void FreeVentilationMatrix();
// Fixed air temperatures of colours whose air node the network holds.
void AssembleBoundaryColourRows();

// ---- model checks of other modules ----
// Shows the message of error code 4, 5, 7, 10, 11 or 12 through the reporting
// form of the check that set it.
void ReportModelCheckError(int code);
// Calc System's view-factor step for a model with radiating colours: reuses
// or recomputes the view-factor file; false when the user cancels.
bool PrepareViewFactorFile();

// ---- output definitions and the text report ----
void SizeOutputBuffer();
bool HasReportItems();
void FillReportRow();
void WriteReportOutputFile();

} // namespace gelmar

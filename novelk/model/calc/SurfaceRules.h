// The colours' surface and cavity rules: the fixed surface coefficients of
// BC_SIMPL and BC_FRE_S colours, and the convective coefficient of a cavity
// colour or the equivalent conductivity of an EQUIMAT cavity after the CEN
// conventions, from the cavity's geometry in the cell raster and the
// temperatures of the last result (or an assumed difference without one);
// and the saturation vapour pressure of the condensation outputs.
#pragma once
#include "common/kernels/CavityRules.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

namespace novelk {

class EngineHost;

// Applies the rule of every used colour but MATERIAL and TRANSMAT ones; with
// rebuildRaster the cell raster is built again first (it must exist
// otherwise); with resultsPresent the cavities take their temperature
// difference and mean from the colours' last result temperatures, else dtas
// and 10 °C. True when a value changed (by more than 0.001, or 0.0001 for a
// conductivity): the open Colours table refills, the model is modified and
// its CEN values are no longer those of the last calculation.
bool ApplySurfaceRules(ModelStore& m, RunState& run, EngineHost& host, bool rebuildRaster, bool resultsPresent);

// The rule of a colour is CEN_CON (BC_FREE rule 7, BC_SKY or BC_NOSKY rule 1).
bool IsConRule(const ColourRecord& c);
// d and b of a colour's cavity for its rule (m).
kernels::CavitySize MeasureColourCavity(const ModelStore& m, const RunState& run, int colour);
// Sides of the colour's cavity across its width closed by adiabatic
// boundaries (void, outside the grid, or BC_SIMPL/BC_FRE_S with hglo and
// flux 0).
int CountAdiabaticCavitySides(const ModelStore& m, const RunState& run, int colour);

// Pa of a temperature in °C.
double SaturationVapourPressure(double t);

} // namespace novelk

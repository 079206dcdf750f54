// Colour rules: the surface coefficient of a simple boundary, the convection
// coefficient of a cavity and the equivalent conductivity of an air cavity
// drawn as a material, after the CEN method for unventilated air layers; the
// start-of-run conductivities; and the flood fill that gives a connected
// region of one colour a colour of its own.
#pragma once
#include "common/kernels/CavityRules.h"

#include <cstdint>
#include <vector>

namespace gelmar {

struct ModelStore;
struct RunState;

// Applies the rule of every used colour; with recompute the temperature
// difference comes from the colour's last temperature range. Returns 1 when
// a simple surface coefficient changed by more than 0.001.
int ApplySurfaceRules(ModelStore& model, RunState& run, int recompute);
// A used BC_FREE, BC_SKY, BC_NOSKY or EQUIMAT colour with a rule.
bool HasRuleColours(ModelStore& model);
// ApplySurfaceRules(0), then every used conductive colour takes its
// conductivity at 10 °C.
void PrepareConductivities(ModelStore& model, RunState& run);
// True when the last ApplySurfaceRules changed a cavity coefficient.
bool CavityCoefficientChanged(RunState& run);

// Cavity size of a colour's cells for a CEN rule: thickness d across the
// heat flow's axis and width b along the rule's second axis (m).
using CavitySize = kernels::CavitySize;
CavitySize CavityDimensions(ModelStore& model, RunState& run, int colour, int rule);
// Sides of the cavity along its width axis closed by adiabatic surfaces (0..2).
int CountAdiabaticSides(ModelStore& model, RunState& run, int colour, int rule);

// Recolours the face-connected region of oldColour that holds cell (i, j, k)
// and stores its bounding box in the new colour's record. visited and stack
// hold one entry per cell.
void FloodFillColourZone(ModelStore& model, RunState& run, int i, int j, int k, int oldColour, int newColour,
                         std::vector<std::uint8_t>& visited, std::vector<std::int64_t>& stack);

} // namespace gelmar

// Coordinates as the tables show and take them: in the coordinate unit, or in
// grid-number mode as grid-line numbers (fractional between lines); the grid
// tables' unit label; and the rotation of Transform Coordinates.
#pragma once
#include "common/core/UnitLabel.h"
#include "parven/model/store/ShapeModel.h"

#include <array>
#include <string>

namespace parven {

// "%.2f" of the value; in grid-number mode the number of the grid line within
// `reso` of it ("0" at the origin, "%d"), or its fractional line number
// between the neighbouring lines ("%.2f").
std::string FormatCoordinate(const ShapeModel& m, float value, int axis);
// The number in the text (0 when there is none); in grid-number mode a
// grid-line number turned into its coordinate, interpolated or extrapolated
// linearly between neighbouring lines.
float ParseCoordinate(const ShapeModel& m, const char* text, int axis);

// The unit label of the grid and coordinate tables for the coordinate unit
// `scal` ("[cm]", "[5 mm]", "[0.25 m]").
inline std::string FormatGridUnitLabel(const ModelSettings& s)
{
    return common::GridUnitLabel(s.scal);
}

using RotationMatrix = std::array<std::array<double, 3>, 3>;
// The rotation by the angle (degrees) about the axis; the identity for a zero axis.
RotationMatrix MakeAxisRotationMatrix(const float axis[3], float angleDegrees);

} // namespace parven

// The length-unit label of the programs' grid and coordinate tables, from
// the metres one model length unit stands for.
#pragma once
#include <string>

namespace common {

// "[m]", "[dm]", "[cm]" and "[mm]" for those units ("%g" of the value), any
// other unit in millimetres up to 0.01 m ("[5 mm]") and in metres above it
// ("[0.25 m]").
std::string GridUnitLabel(float metresPerUnit);

} // namespace common

// The calculation step of the driver: runs the calculation of the engine's
// model as the program's Calc System command does.
#pragma once

namespace gelmar {

struct Engine;

// Calculates the engine's model, writing result files and reports into the
// current folder; false (after a message through the engine's host) on
// failure.
bool CalculateModel(Engine& engine);

} // namespace gelmar

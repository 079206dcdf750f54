// The calculation step of the driver: runs the calculation of the model in
// the store as the program's Calc System command does.
#pragma once

namespace gelmar {

// Calculates the model in the store, writing result files and reports into
// the current folder; false (after a message through the host) on failure.
bool CalculateModel();

} // namespace gelmar

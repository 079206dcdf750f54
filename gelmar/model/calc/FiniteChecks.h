// Guards that keep a run from reporting numbers that are not finite. Before
// a run every grid cell must have a finite positive length (its width times
// the grid unit); while it runs, the equation system of every assembly, the
// temperatures of every solve and the colours' results of every step must be
// finite in the single precision of the model's values, the result files and
// the report.
// A failing guard ends the run with its error (codes 13 to 16); the message
// names the axis and interval, or the step of the run.
#pragma once
#include "gelmar/model/store/Errors.h"

#include <optional>

namespace gelmar {

struct ModelStore;
struct WorkArrays;
struct RunState;

// The first cell, axis by axis, whose width or length (width times grid
// unit, in single precision) is zero, negative or not finite.
struct GridLengthFault {
    int axis = 0;     // 0 x, 1 y, 2 z
    int interval = 0; // 1-based
    float width = 0;  // in grid units
    float unit = 0;   // metres per grid unit
};
std::optional<GridLengthFault> FindGridLengthFault(const ModelStore& model);
// The error of such a cell, named as the model shows its axes.
EngineError GridLengthError(const ModelStore& model, const GridLengthFault& fault);
// Throws that error when FindGridLengthFault finds a cell.
void CheckGridLengths(const ModelStore& model);

// Throw their errors, naming the run's step, on the first value that is not
// finite.
void CheckEquationsFinite(const WorkArrays& work, const RunState& run);
void CheckSolutionFinite(const WorkArrays& work, const RunState& run);
void CheckColourResultsFinite(const ModelStore& model, const RunState& run);

} // namespace gelmar

// Guards that keep a run from reporting numbers that are not finite. Before
// a run every grid cell must have a finite positive length (its width times
// the grid unit); while it runs, the equation system of every assembly, the
// temperatures of every solve and the colours' results of every step must be
// finite in the single precision of the model's values, the result files and
// the report.
// A failing guard ends the run with its error code; the message names the
// axis and interval, or the step of the run.
#pragma once
#include <optional>
#include <string>

namespace gelmar {

struct ModelStore;
struct WorkArrays;
struct RunState;

enum : int {
    kErrorGridLength = 13,        // a cell without a finite positive length
    kErrorNotFiniteAssembly = 14, // the assembled equations hold a value that is not finite
    kErrorNotFiniteSolve = 15,    // the solver gave a temperature that is not finite
    kErrorNotFiniteResults = 16,  // the step's colour results or solar fluxes are not finite
};

// The first cell, axis by axis, whose width or length (width times grid
// unit, in single precision) is zero, negative or not finite.
struct GridLengthFault {
    int axis = 0;     // 0 x, 1 y, 2 z
    int interval = 0; // 1-based
    float width = 0;  // in grid units
    float unit = 0;   // metres per grid unit
};
std::optional<GridLengthFault> FindGridLengthFault(const ModelStore& model);
// Raises kErrorGridLength when FindGridLengthFault finds a cell.
void CheckGridLengths(const ModelStore& model);

// Raise their codes on the first value that is not finite.
void CheckEquationsFinite(const WorkArrays& work);
void CheckSolutionFinite(const WorkArrays& work, const RunState& run);
void CheckColourResultsFinite(const ModelStore& model);

// The message of one of the codes above ("" for other codes): the grid
// fault found again in the model, or the step of the run that stopped.
std::string FiniteCheckMessage(int code, const ModelStore& model, const RunState& run);

} // namespace gelmar

// Services of the functions for the Functions table and the function graph:
// shape names, the file dialog of a file function, unique names, the display
// range of one function and the axis steps of the graph.
#pragma once
#include <cstddef>
#include <string>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;
struct ViewState;

// "FILE", "CONST", ... and the table's description of shape 0..6; "" beyond.
const char* FunctionShapeName(int shape);
const char* FunctionShapeDescription(int shape);
// The open-file dialog's filter text and default extension (without the dot)
// of a kind letter; "" for a letter that names no function kind.
const char* FunctionFileFilter(char letter);
const char* FunctionFileExtension(char letter);

void FreeFunctionArray(ModelStore& model);
// Gives name the first number 01..99 of its letter that no function
// carries; unchanged when all 99 are taken.
void MakeUniqueFunctionName(ModelStore& model, char name[4]);
// Another function record carries the name of function f.
bool IsFunctionNameUsed(ModelStore& model, std::size_t f);

// The open-file dialog for the file of function f; on OK its path and title
// are set and the path becomes the folder of the next dialog.
void BrowseFunctionFile(ModelStore& model, ViewState& view, EngineHost& host, std::size_t f);
// Fills the display range of function f and lets the function graph
// recompute; a file that cannot be read leaves the range 0, unreported.
void LoadFunctionForDisplay(ModelStore& model, RunState& run, EngineHost& host, std::size_t f);

struct AxisSteps {
    double major = 0, minor = 0;
    int unit = 0; // time axes: 0 s, 1 min, 2 h, 3 days
    double min = 0, max = 0;
};
// Steps of a time axis spanning min..max seconds.
AxisSteps ChooseTimeAxisSteps(double min, double max);
// Steps of a value axis; with widen a non-zero min and max move out to the
// next multiples of the major step.
AxisSteps ChooseAxisSteps(double min, double max, bool widen);

} // namespace gelmar

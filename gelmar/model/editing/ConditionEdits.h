// What the tables of boundary conditions, ventilation flows, controls and sun
// obstacles store of a typed cell. Each reads the text as the shared cell
// reader does (an empty or unfit number keeps the stored value) and applies
// its table's own rule: grid-line indices outside 0..n are dropped, colour
// numbers that name no colour in use become -1, and a text that is neither a
// number nor a function of the column's letter resets a BC's reference
// (keeping its value), keeps a flow as it was, or empties a control's field.
#pragma once
#include "gelmar/model/store/ModelStore.h"

#include <optional>
#include <string>
#include <string_view>

namespace gelmar {

// The axis whose index cells the tables leave empty: the third when it has
// a single interval, else the second, else the first; -1 when none has.
int SingleIntervalAxis(const ModelStore& m);

// A grid-line index of a node (node BCs, output nodes) as its cell shows it:
// "%d", or in the R/C/L naming the node number 2v + 1, the third axis
// counted from the top (2(nz - v) + 1).
int ShownLineIndex(const ModelStore& m, int axis, int value);
// The index a typed text stores: the node number halved in the R/C/L naming
// (the third axis mirrored); nothing for a text that is not a number or an
// index outside 0..n of the axis.
std::optional<int> LineIndexEntry(const ModelStore& m, int axis, std::string_view text);

// A colour number typed into a colour cell: nothing for a text that is not
// a number (the cell keeps its colour); -1 for a number outside 0..255, a
// colour not in use, or the colour `other` (the pair's other colour, -1 for
// none); else the number.
std::optional<int> ColourNumberEntry(const ModelStore& m, std::string_view text, int other = -1);

// A boundary condition's value or function: a function of the letter that
// exists becomes the reference, a number the value (the reference back to
// its default); any other text resets the reference and keeps the value.
// True when something changed.
bool StoreBcValue(const ModelStore& m, std::string_view text, char letter, float& value, FunctionName& reference,
                  const char* defaultName);
// The text of a BC's value cell: the reference, or the value as "%g".
std::string BcValueText(float value, const FunctionName& reference);

// A ventilation flow's cell: a V function that exists, or a number (the
// reference back to "V00"); any other text keeps the flow as it was.
bool StoreFlowValue(const ModelStore& m, std::string_view text, VentilationFlowRecord& flow);
// The reference when it names a function, else the flow as "%.6f".
std::string FlowValueText(const VentilationFlowRecord& flow);

// A control's function cell (the target takes "T", the off and on functions
// one of "THPIVMRES"): only a text of three characters counts; it stores the
// function it names when that exists, and empties the field otherwise.
bool StoreControlFunction(const ModelStore& m, std::string_view text, std::string_view letters,
                          FunctionName& field);
// Whether the control's ventilation columns (the Δθ test and the two zones)
// apply: its off function is a ventilation function.
bool ControlUsesZones(const ControlRecord& c);
// The sensor column: an output node number 1..count is stored; other
// entries change nothing. True when stored.
bool StoreControlSensor(const ModelStore& m, std::string_view text, ControlRecord& c);

// A sun obstacle's angle: the number typed, 0 for a text that is not one.
float SunObstacleEntry(std::string_view text);

} // namespace gelmar

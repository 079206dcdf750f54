// The input data listing of the text output: the whole model as text, from
// the grid and the blocks through functions, colours, boundary conditions,
// ventilation flows, output definitions, solar data and controls to the
// calculation parameters. It reads the model only; the caller brings the
// functions' in-use marks up to date first (ResolveFunctionReferences).
#pragma once
#include "gelmar/graphics/core/ListingWriter.h"

namespace gelmar {

struct ModelStore;

void WriteInputDataListing(ListingWriter& out, const ModelStore& m);

// The unit printed after a function's level values, by the first letter of
// its name (" W/(m.K)" for L and M, "°C" for T...); "" for the others.
const char* FunctionValueUnit(char letter);

} // namespace gelmar

// Functions of time and temperature as the calculation uses them: the names
// in the colour and boundary-condition records resolved into function
// indices, the analytic shapes evaluated at a time, the property tables of
// temperature (conductivity, specific heat, solar reflection) read from their
// files, and the per-step evaluation of every referenced value with its
// previous-step value kept. The time series files live in FunctionFiles.h.
#pragma once
#include "gelmar/model/store/Records.h"

#include <string>
#include <vector>

namespace gelmar {

struct ModelStore;
struct RunState;

struct PropertyTable {
    std::vector<float> arguments;
    std::vector<float> values;
};

// Clears every in-use flag and function index, then gives every applicable
// reference the index of the first function of its name and marks that
// function in use; also marks "G01" and "D01".
void ResolveFunctionReferences(ModelStore& model, RunState& run);
// Index of "G01" / "D01" after resolution, -1 when absent.
int GlobalSolarFunction(RunState& run);
int DiffuseSolarFunction(RunState& run);

// Resolves the references, then: does a used conductive colour (MATERIAL,
// TRANSMAT, or EQUIMAT without a rule) take its conductivity or specific heat
// from a table file?
bool HasTemperatureDependentMaterials(ModelStore& model, RunState& run);

// Value of function n at time t (s); 0 for n < 0 and for a file function of
// time whose file is not loaded.
float EvaluateFunction(ModelStore& model, RunState& run, int n, double t);

// Reads every function in use of shape 0 whose letter is L, C or R into a
// property table; errors 2 (open) and 3 (syntax) leave by the exception.
void LoadPropertyTables(ModelStore& model, RunState& run);
void FreePropertyTables(RunState& run);
// Reads one table file ("%f %f" lines, arguments not decreasing, values not
// negative, at least one line).
void ReadPropertyTableFile(const std::string& path, PropertyTable& table);
// Linear interpolation in the table of function n, held constant beyond its
// ends; 0 for n < 0.
float EvaluatePropertyTable(ModelStore& model, RunState& run, int n, float x);

float GetConductivityAt(ModelStore& model, RunState& run, const ColourRecord& colour, float temperature, bool previous);
float GetSpecificHeatAt(ModelStore& model, RunState& run, const ColourRecord& colour, float temperature);
// The colour's solar reflection factor, or its R table at the angle of
// incidence (degrees).
float GetSolarReflectionAt(ModelStore& model, RunState& run, const ColourRecord& colour, float angle);

// Evaluates every referenced value at the store's current time; with
// keepPrevious each value first moves into its previous-step slot (0 while
// the run's step length is 0).
void EvaluateColourFunctions(ModelStore& model, RunState& run, bool keepPrevious);

} // namespace gelmar

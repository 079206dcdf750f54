// What a calculation builds beside the model, and what the output windows
// read after it: the work arrays (cell colours, node numbers, the matrix and
// its vectors, the solution), the state of the time loop, the loaded tables
// of the functions, the radiation zones with their rows, the solar tables and
// the sun, and the ventilation network. The program (the application, the
// driver, a test) owns one RunState beside its model and hands it to the
// run's functions; a fresh RunState is a state without results.
#pragma once
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ZoneEquations.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <cstdint>
#include <vector>

namespace gelmar {

// The functions' data loaded for a run.
struct FunctionTables {
    std::vector<PropertyTable> propertyTables; // by a table function's table index
    std::vector<FunctionFileTable> files;      // by a file function's table index
    // Set when a solar function file's "DAT" line gave the site data.
    int siteFromFile = 0;
    SolarInterpolation solarInterpolation;
    int globalSolar = -1;  // function "G01" after resolution, -1 none
    int diffuseSolar = -1; // function "D01"
};

struct RunState {
    WorkArrays work;

    // The time loop.
    std::int32_t calcTime = 0;   // s since the start of the calculation: the step computed or loaded
    std::int32_t step = 0;       // step counter n: 0 is the steady start-up step
    std::int32_t stepLength = 0; // s; 0 until the first step is done
    kernels::SolverState solver;
    bool temperatureDependent = false; // decided once at the start of a run
    bool solutionValid = false;        // the solution vector holds temperatures
    bool fluxesValid = false;          // the heat-flow table belongs to the loaded step
    float commonTemperature = 0.0f;    // of the uniform start, °C
    bool uniformPending = true;
    bool uniformFailed = false;
    // The results in memory belong to the model as it is (cleared by edits).
    bool resultsValid = false;
    // The loaded step has absorbed solar fluxes.
    bool solarResults = false;
    // The last surface-rule pass changed a cavity coefficient.
    bool cavityChanged = false;

    FunctionTables functions;
    RadiationSet radiation;
    std::vector<ZoneRows> zoneRows; // of the zones of the run; empty without zones
    SolarState solar;
    SunState sun;
    VentilationNetwork network;
};

} // namespace gelmar

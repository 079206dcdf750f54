// Values the calculation keeps inside the model's records beside the user's
// data: the resolved function index of each function name and the value of
// each function-driven quantity at the previous time step, the places of a
// colour's extreme temperatures, the controls' links and states and the
// ventilation network's hold on a colour's air. They are never written to
// the data file.
#pragma once
#include <array>
#include <cstdint>
#include <limits>

namespace gelmar {

// The colour's function names, in the order of the record.
enum ColourFunctionSlot : int {
    kFnLambda,             // L: conductivity of temperature
    kFnLambdaTime,         // M: conductivity of time
    kFnHeatCapacity,       // C: specific heat of temperature
    kFnTemperature,        // T
    kFnHGlobal,            // H
    kFnFlux,               // I
    kFnAirTemperature,     // T
    kFnHConvective,        // H
    kFnQConvective,        // P
    kFnRadiantTemperature, // T
    kFnReflection,         // R
    kFnTransmission,       // S
    kFnEmissivity,         // E
    kColourFunctionCount
};

struct ColourWorkingValues {
    // Function index per slot; -1: no function (the fixed value applies).
    std::array<std::int32_t, kColourFunctionCount> function{-1, -1, -1, -1, -1, -1, -1,
                                                            -1, -1, -1, -1, -1, -1};
    // Values of the previous time step.
    float previousLambda = 0, previousEpsilon = 0, previousTemperature = 0, previousHGlobal = 0;
    float previousFlux = 0, previousAirTemperature = 0, previousHConvective = 0, previousQConvective = 0;
    // Grid points of the lowest and highest temperature of the last step.
    std::uint16_t lowestPoint[3] = {}, highestPoint[3] = {};
    // Control that switches each function slot; -1: none.
    std::array<std::int32_t, kColourFunctionCount> control{-1, -1, -1, -1, -1, -1, -1,
                                                           -1, -1, -1, -1, -1, -1};
    // Node of the ventilation network that holds the colour's air (-1: none),
    // and whether the thermal solve takes that air temperature as fixed.
    std::int32_t ventilationNode = -1;
    std::int32_t airFixed = 0;

    // Records compare by the user's data alone: what a calculation left here
    // never makes two colours differ.
    bool operator==(const ColourWorkingValues&) const { return true; }
};

// A boundary-condition record's function of the value of its type (the
// temperature of type 0, the power or flux of type 1) and that value at the
// previous time step.
struct BcWorkingValues {
    std::int32_t function = -1;
    float previous = 0;
    std::int32_t control = -1; // control that switches the function; -1: none

    bool operator==(const BcWorkingValues&) const { return true; }
};

// A ventilation flow's resolved function, its flow of the previous time
// step and the control that switches its function.
struct FlowWorkingValues {
    std::int32_t function = -1;
    float previous = 0;
    std::int32_t control = -1;

    bool operator==(const FlowWorkingValues&) const { return true; }
};

// A control's resolved functions and its state during a run.
struct ControlWorkingValues {
    std::int32_t target = -1, off = -1, on = -1;
    std::int32_t testDeltaT = 0;                  // the zone test applies (only to ventilation functions)
    std::int32_t state = 0;                       // 0 off, 1 on
    std::int32_t onDuration = 0, offDuration = 0; // minimum durations, s
    std::int32_t switchedOn = std::numeric_limits<std::int32_t>::min();
    std::int32_t switchedOff = std::numeric_limits<std::int32_t>::min();
    float targetValue = 0; // current value of the target function, degrees C

    bool operator==(const ControlWorkingValues&) const { return true; }
};

} // namespace gelmar

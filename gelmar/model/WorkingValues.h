// Values the calculation keeps inside the model's records beside the user's
// data: the resolved function index of each function name and the value of
// each function-driven quantity at the previous time step, and the places of
// a colour's extreme temperatures. They are never written to the data file.
#pragma once
#include <array>
#include <cstdint>

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

    bool operator==(const BcWorkingValues&) const { return true; }
};

} // namespace gelmar

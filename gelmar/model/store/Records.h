// The fixed-size records of Gelmar's model store: colours, blocks and the
// lists of boundary conditions, functions, controls, ventilation flows,
// output definitions and sun obstacles.
#pragma once
#include "gelmar/model/functions/FunctionName.h"
#include "gelmar/model/store/WorkingValues.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <string>

namespace gelmar {

// Colour types.
enum ColourType : std::int32_t {
    MATERIAL = 0,
    BC_SIMPL = 1,
    BC_FREE = 2,
    BC_SKY = 3,
    BC_NOSKY = 4,
    EQUIMAT = 5,
    BC_FRE_S = 6,
    TRANSMAT = 7,
};
constexpr int kColourTypeCount = 8;
constexpr int kRuleCount = 13;
constexpr int kColourCount = 256;

// The names under which the program prints colour types and rules.
const char* ColourTypeName(int type);
// Rule name of a colour of the given type; nullptr when the type shows no
// rule or the rule lies outside the type's list.
const char* RuleName(int type, int rule);

struct ColourRecord {
    std::uint8_t red = 0, green = 0, blue = 0;
    COLORREF displayColour = 0;
    std::uint8_t inUse = 0;
    ColourType type = MATERIAL;
    std::int32_t rule = 0;
    std::string name;
    std::int32_t pattern = 16;
    float lambda = 1.0f;
    float epsilon = 0.9f;
    float density = 1000.0f;
    float heatCapacity = 1000.0f;
    float temperature = 0.0f;
    float hGlobal = 20.0f;
    float flux = 0.0f;
    float airTemperature = 0.0f;
    float hConvective = 3.0f;
    float qConvective = 0.0f;
    float radiantTemperature = 0.0f;
    float con1 = 0.025f, con2 = 0.73f, con3 = 0.333333f;
    FunctionName lambdaFunc{"L00"};
    FunctionName lambda2Func{"M00"};
    FunctionName heatCapacityFunc{"C00"};
    FunctionName temperatureFunc{"T00"};
    FunctionName hGlobalFunc{"H00"};
    FunctionName fluxFunc{"I00"};
    FunctionName airTemperatureFunc{"T00"};
    FunctionName hConvectiveFunc{"H00"};
    FunctionName qConvectiveFunc{"P00"};
    FunctionName radiantTemperatureFunc{"T00"};
    FunctionName reflectionFunc{"R00"};
    FunctionName transmissionFunc{"S00"};
    FunctionName emissivityFunc{"E00"};
    std::int32_t insertGuard = 0;
    float resultMin = 9.0e9f;
    float resultMax = -9.0e9f;
    float resultValue1 = 0.0f, resultValue2 = 0.0f;
    std::int32_t clipShow = 1;
    std::int32_t unlinked = 0;
    std::int32_t solar = 0;
    float solarReflection = 0.1f;
    float solarTransmission = 0.0f;
    // First and last cell of the colour on x, y and z (inclusive).
    std::uint16_t cellBox[6] = {};
    ColourWorkingValues working;

    bool operator==(const ColourRecord&) const = default;
};

struct BlockRecord {
    std::uint8_t colour = 0;
    std::uint16_t x1 = 0, x2 = 1, y1 = 0, y2 = 1, z1 = 0, z2 = 1;
    // x1, x2, y1, y2, z1, z2 as coordinates, while a grid is rebuilt.
    float coord[6] = {};
    std::uint32_t flags = 0;

    bool operator==(const BlockRecord&) const = default;
};

struct NodeBcRecord {
    std::uint8_t type = 0;
    std::uint16_t i = 0, j = 0, k = 0;
    float x = 0, y = 0, z = 0;
    float temperature = 0;
    float power = 0;
    FunctionName temperatureFunc{"T00"};
    FunctionName powerFunc{"P00"};
    BcWorkingValues working;

    bool operator==(const NodeBcRecord&) const = default;
};

struct BorderFaceBcRecord {
    std::int16_t colour1 = -1, colour2 = -1;
    std::uint8_t type = 0;
    float temperature = 0;
    float flux = 0;
    FunctionName temperatureFunc{"T00"};
    FunctionName fluxFunc{"I00"};
    BcWorkingValues working;

    bool operator==(const BorderFaceBcRecord&) const = default;
};

struct MaterialBcRecord {
    std::int16_t colour = -1;
    std::uint8_t type = 0;
    float temperature = 0;
    float power = 0;
    FunctionName temperatureFunc{"T00"};
    FunctionName powerFunc{"P00"};
    BcWorkingValues working;

    bool operator==(const MaterialBcRecord&) const = default;
};

struct FunctionRecord {
    FunctionName name;
    std::uint8_t shape = 0;
    std::string filePath;
    std::string fileTitle;
    float params[6] = {};
    std::uint32_t inUse = 0;
    std::int32_t tableIndex = 0;
    float rangeXMin = 0, rangeXMax = 0, rangeYMin = 0, rangeYMax = 0;

    bool operator==(const FunctionRecord&) const = default;
};

enum ControlPurpose : std::int32_t { HEATING = 0, COOLING = 1 };

struct ControlRecord {
    std::int32_t sensor = 0;
    FunctionName targetFunc;
    float sensitivityUp = 1.0f;
    float sensitivityDown = 1.0f;
    std::int32_t purpose = HEATING;
    float timeOn = 0;
    float timeOff = 0;
    FunctionName offFunc;
    FunctionName onFunc;
    std::int32_t testDeltaT = 0;
    float deltaT = 0;
    std::int16_t zone1 = -1;
    std::int16_t zone2 = -1;
    ControlWorkingValues working;

    bool operator==(const ControlRecord&) const = default;
};

struct VentilationFlowRecord {
    std::int16_t colourFrom = -1;
    std::int16_t colourTo = -1;
    float flow = 0;
    FunctionName flowFunc{"V00"};
    FlowWorkingValues working;

    bool operator==(const VentilationFlowRecord&) const = default;
};

struct OutputNodeRecord {
    std::uint16_t i = 0, j = 0, k = 0;
    float x = 0, y = 0, z = 0;

    bool operator==(const OutputNodeRecord&) const = default;
};

struct OutputBlockRecord {
    std::uint16_t i1 = 0, i2 = 1, j1 = 0, j2 = 1, k1 = 0, k2 = 1;
    float coord[6] = {};

    bool operator==(const OutputBlockRecord&) const = default;
};

struct ReportItemRecord {
    std::int32_t kind = 0;
    std::int32_t number = 1;
    std::int32_t subKind = 0;
    std::int32_t width = 8;
    std::int32_t decimals = 2;
    std::int32_t valid = 0;

    bool operator==(const ReportItemRecord&) const = default;
};

struct SunObstacleRecord {
    float azimuthFrom = 0, azimuthTo = 0, altitudeFrom = 0, altitudeTo = 0;

    bool operator==(const SunObstacleRecord&) const = default;
};

// One edge of a colour outline: the two end points of a grid edge as line
// indices (the edge runs parallel to one axis).
struct OutlineSegment {
    std::uint16_t x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;

    bool operator==(const OutlineSegment&) const = default;
};

// One face of the 3D view's visible-face list.
struct FaceRecord {
    std::uint8_t flags = 0;
    std::int32_t block = 0;
    std::int32_t neighbour = 0;
    std::uint16_t bounds[6] = {};

    bool operator==(const FaceRecord&) const = default;
};

} // namespace gelmar

// The fixed-size records of Gelmar's model store: colours, blocks and the
// lists of boundary conditions, functions, controls, ventilation flows,
// output definitions and sun obstacles.
//
// This header is the model's data dictionary: each field with its meaning,
// its unit and, in quotes, the data-file key that holds it. Units: lengths
// and coordinates in grid units (metres = value x the model's grid unit),
// temperatures in degrees C, times in seconds, angles in degrees, unless a
// field says otherwise. Colour numbers are 0..255, -1 meaning none. A
// function name (FunctionName) is a type letter and two digits; the digits
// "00" mean no function, and the fixed value beside it applies. Every
// record's working values (WorkingValues.h) belong to the calculation and
// are never written to the file.
#pragma once
#include "gelmar/model/functions/FunctionName.h"
#include "gelmar/model/store/WorkingValues.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <string>

namespace gelmar {

// Colour types: what a colour's cells are ("type").
enum ColourType : std::int32_t {
    MATERIAL = 0, // conductive material
    BC_SIMPL = 1, // simple boundary condition (temperature and surface coefficient)
    BC_FREE = 2,  // boundary condition of a free, radiating surface (a cavity's air)
    BC_SKY = 3,   // boundary condition that sees the sky
    BC_NOSKY = 4, // boundary condition that does not see the sky
    EQUIMAT = 5,  // equivalent material of a cavity
    BC_FRE_S = 6, // free boundary condition with solar radiation
    TRANSMAT = 7, // transparent material
};
constexpr int kColourTypeCount = 8;
constexpr int kRuleCount = 13;
constexpr int kColourCount = 256;

// The names under which the program prints colour types and rules.
const char* ColourTypeName(int type);
// Rule name of a colour of the given type; nullptr when the type shows no
// rule or the rule lies outside the type's list.
const char* RuleName(int type, int rule);

// One of the 256 colours, indexed by colour number: the material or
// boundary condition of every cell painted with it.
struct ColourRecord {
    std::uint8_t red = 0, green = 0, blue = 0; // display colour ("crgb"), 0..255 each
    COLORREF displayColour = 0;                // the same, packed: red in the low byte
    std::uint8_t inUse = 0;                    // 1: the model uses the colour ("colr")
    ColourType type = MATERIAL;                // ("type")
    std::int32_t rule = 0;                     // surface or cavity rule of the type, 0..12 ("rule")
    std::string name;                          // ("name")
    std::int32_t pattern = 16;                 // fill pattern number, >= 1 ("patt")
    float lambda = 1.0f;                       // thermal conductivity, W/(m.K) ("lamb")
    float epsilon = 0.9f;                      // emissivity, 0..1 ("epsi")
    float density = 1000.0f;                   // kg/m3 ("ro  ")
    float heatCapacity = 1000.0f;              // specific heat capacity, J/(kg.K) ("c   ")
    float temperature = 0.0f;                  // boundary temperature, C ("temp")
    float hGlobal = 20.0f;                     // global surface coefficient, W/(m2.K) ("hglo")
    float flux = 0.0f;                         // heat flux density, W/m2 ("flux")
    float airTemperature = 0.0f;               // air temperature, C ("tair")
    float hConvective = 3.0f;                  // convective coefficient, W/(m2.K) ("hcon")
    float qConvective = 0.0f;                  // convective heat flow into the air, W ("qcon")
    float radiantTemperature = 0.0f;           // radiant temperature, C ("trad")
    // The three constants of the colour's rule ("con1", "con2", "con3").
    float con1 = 0.025f, con2 = 0.73f, con3 = 0.333333f;
    // The functions of the values above, each with its no-function name.
    FunctionName lambdaFunc{"L00"};             // conductivity of temperature ("lafu")
    FunctionName lambda2Func{"M00"};            // conductivity of time ("lmfu")
    FunctionName heatCapacityFunc{"C00"};       // heat capacity of temperature ("cefu")
    FunctionName temperatureFunc{"T00"};        // ("tmpf")
    FunctionName hGlobalFunc{"H00"};            // ("hgfu")
    FunctionName fluxFunc{"I00"};               // ("flxf")
    FunctionName airTemperatureFunc{"T00"};     // ("tafu")
    FunctionName hConvectiveFunc{"H00"};        // ("hcfu")
    FunctionName qConvectiveFunc{"P00"};        // ("pcfu")
    FunctionName radiantTemperatureFunc{"T00"}; // ("trfu")
    FunctionName reflectionFunc{"R00"};         // solar reflection ("rffu")
    FunctionName transmissionFunc{"S00"};       // solar transmission ("tsfu")
    FunctionName emissivityFunc{"E00"};         // ("emfu")
    // While a file is inserted: the in-use flag before it; the reader then
    // leaves the colour as it is.
    std::int32_t insertGuard = 0;
    // Results of the last step: lowest and highest temperature of the
    // colour's cells, C, and the heat flows into and out of the object
    // through it, W.
    float resultMin = 9.0e9f;
    float resultMax = -9.0e9f;
    float resultValue1 = 0.0f, resultValue2 = 0.0f;
    std::int32_t clipShow = 1;      // 1: shown in clipped views
    std::int32_t unlinked = 0;      // 1: an air node of its own instead of its zone's ("unlk")
    std::int32_t solar = 0;         // 1: receives solar radiation ("solz")
    float solarReflection = 0.1f;   // solar reflection factor, 0..1 ("refs")
    float solarTransmission = 0.0f; // solar transmission factor, 0..1 ("tras")
    // First and last cell of the colour on x, y and z (inclusive).
    std::uint16_t cellBox[6] = {};
    ColourWorkingValues working;

    bool operator==(const ColourRecord&) const = default;
};

// A box of cells painted with one colour ("blok"); later blocks win where
// blocks overlap.
struct BlockRecord {
    std::uint8_t colour = 0;
    // Grid-line indices: the block covers cells x1..x2-1, y1..y2-1, z1..z2-1.
    std::uint16_t x1 = 0, x2 = 1, y1 = 0, y2 = 1, z1 = 0, z2 = 1;
    // x1, x2, y1, y2, z1, z2 as coordinates (grid units), while a grid is
    // rebuilt or a file is inserted.
    float coord[6] = {};
    std::uint32_t flags = 0; // the table's selection mark (BlockEdits.h); 0 in a new block

    bool operator==(const BlockRecord&) const = default;
};

// A boundary condition at one grid point ("nbcd").
struct NodeBcRecord {
    std::uint8_t type = 0;               // 0 temperature, 1 power ("nbty")
    std::uint16_t i = 0, j = 0, k = 0;   // grid-line indices of the point
    float x = 0, y = 0, z = 0;           // its coordinates while a grid is rebuilt, grid units
    float temperature = 0;               // C ("nbte")
    float power = 0;                     // W ("nbpo")
    FunctionName temperatureFunc{"T00"}; // ("nbtf")
    FunctionName powerFunc{"P00"};       // ("nbpf")
    BcWorkingValues working;

    bool operator==(const NodeBcRecord&) const = default;
};

// A boundary condition on the faces between cells of two colours ("bori").
struct BorderFaceBcRecord {
    std::int16_t colour1 = -1, colour2 = -1; // ("bor1", "bor2")
    std::uint8_t type = 0;                   // 0 temperature, 1 flux ("bory")
    float temperature = 0;                   // C ("bort")
    float flux = 0;                          // W/m2 ("borq")
    FunctionName temperatureFunc{"T00"};     // ("botf")
    FunctionName fluxFunc{"I00"};            // ("boqf")
    BcWorkingValues working;

    bool operator==(const BorderFaceBcRecord&) const = default;
};

// A boundary condition on every cell of a colour ("mati").
struct MaterialBcRecord {
    std::int16_t colour = -1;            // ("matc")
    std::uint8_t type = 0;               // 0 temperature, 1 power density ("maty")
    float temperature = 0;               // C ("matt")
    float power = 0;                     // power density, W/m3 ("matp")
    FunctionName temperatureFunc{"T00"}; // ("matf")
    FunctionName powerFunc{"P00"};       // ("mapf")
    BcWorkingValues working;

    bool operator==(const MaterialBcRecord&) const = default;
};

// A function of time or of temperature ("funt").
struct FunctionRecord {
    FunctionName name;      // its reference, such as T01 ("funr")
    std::uint8_t shape = 0; // 0 values from a file, 1..6 the analytic shapes ("funt")
    std::string filePath;   // the file of shape 0 ("funn")
    std::string fileTitle;  // its name without folder and extension
    // p1..p6 of the analytic shapes; durations in minutes ("funp").
    float params[6] = {};
    std::uint32_t inUse = 0;     // 1: the model refers to it
    std::int32_t tableIndex = 0; // its loaded file or property table
    // Display range: argument and value minimum and maximum, in the units of
    // the function's argument and value.
    float rangeXMin = 0, rangeXMax = 0, rangeYMin = 0, rangeYMax = 0;

    bool operator==(const FunctionRecord&) const = default;
};

enum ControlPurpose : std::int32_t { HEATING = 0, COOLING = 1 };

// A thermostat that switches functions on and off ("ctrl").
struct ControlRecord {
    std::int32_t sensor = 0;        // number of the sensor output node ("csen")
    FunctionName targetFunc;        // target temperature ("ctgf")
    float sensitivityUp = 1.0f;     // C ("cstu")
    float sensitivityDown = 1.0f;   // C ("cstd")
    std::int32_t purpose = HEATING; // ControlPurpose ("cpur")
    float timeOn = 0;               // minimum duration on, minutes ("cdto")
    float timeOff = 0;              // minimum duration off, minutes ("cdtf")
    FunctionName offFunc;           // used while the control is off ("csrf")
    FunctionName onFunc;            // used while it is on ("cdsf")
    std::int32_t testDeltaT = 0;    // 1: test the temperature difference of the zones ("ctdt")
    float deltaT = 0;               // minimum temperature difference, C ("cdtp")
    std::int16_t zone1 = -1;        // source zone colour ("czn1")
    std::int16_t zone2 = -1;        // destination zone colour ("czn2")
    ControlWorkingValues working;

    bool operator==(const ControlRecord&) const = default;
};

// Air moved from one colour into a cavity ("vent").
struct VentilationFlowRecord {
    std::int16_t colourFrom = -1;
    std::int16_t colourTo = -1;
    float flow = 0;               // volume flow rate, m3/s ("veco")
    FunctionName flowFunc{"V00"}; // ("vefl")
    FlowWorkingValues working;

    bool operator==(const VentilationFlowRecord&) const = default;
};

// A grid point whose temperature is reported ("onod").
struct OutputNodeRecord {
    std::uint16_t i = 0, j = 0, k = 0; // grid-line indices
    float x = 0, y = 0, z = 0;         // coordinates while a grid is rebuilt, grid units

    bool operator==(const OutputNodeRecord&) const = default;
};

// A box of grid points whose heat flow is reported ("oblk").
struct OutputBlockRecord {
    std::uint16_t i1 = 0, i2 = 1, j1 = 0, j2 = 1, k1 = 0, k2 = 1; // grid-point index bounds
    float coord[6] = {}; // the same as coordinates while a grid is rebuilt, grid units

    bool operator==(const OutputBlockRecord&) const = default;
};

// One column of the report file ("rept").
struct ReportItemRecord {
    std::int32_t kind = 0;     // what is reported: 0..8 (colour, node BC, output node, ...)
    std::int32_t number = 1;   // which one of that kind, 1-based
    std::int32_t subKind = 0;  // which value of it, 0..18
    std::int32_t width = 8;    // field width, characters
    std::int32_t decimals = 2; // decimals
    std::int32_t valid = 0;    // 1: the item names something the model has

    bool operator==(const ReportItemRecord&) const = default;
};

// A part of the sky that the sun cannot shine through ("sobs"), degrees.
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
    // Bits 0-2 orientation 0..5; bit 3 set between blocks of different
    // colours; bit 4 set for a hidden face.
    std::uint8_t flags = 0;
    std::int32_t block = 0;       // the block the face belongs to
    std::int32_t neighbour = 0;   // the block on its other side
    std::uint16_t bounds[6] = {}; // grid-line indices x1, x2, y1, y2, z1, z2; its own axis collapsed

    bool operator==(const FaceRecord&) const = default;
};

} // namespace gelmar

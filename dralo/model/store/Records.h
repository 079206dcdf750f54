// The fixed-size records of Dralo's bitmap model: the colour record (one per
// colour number 0..255), the boundary edge between pixels of two colours, the
// changed-pixel entry of an edit, the borderline boundary condition, the
// distance and the graphic-report entry, with the keyword texts by which the
// files and views name their values.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dralo {

constexpr int kColourCount = 256;

// Colour types (`type`). Types 0, 1 and 7 are meshed as solid matter; 2..6
// are boundary conditions.
enum ColourType : std::int32_t {
    MATERIAL = 0,
    EQUIMAT = 1,
    BC_SIMPL = 2,
    BC_FREE = 3,
    BC_SKY = 4,
    BC_NOSKY = 5,
    BC_FRE_S = 6,
    TRANSMAT = 7,
};
constexpr int kColourTypeCount = 8;

// The rules (`rule`) by type: index = rule.
enum : std::int32_t {
    NIHIL = 0,
    // EQUIMAT
    CEN_Xy_I = 1,
    CEN_Yx_I = 2,
    CEN_Xy_E = 3,
    CEN_Yx_E = 4,
    CEN_DIR_I = 5,
    CEN_DIR_E = 6,
    // BC_SIMPL and BC_FRE_S
    HI_NORML = 1,
    HI_REDUC = 2,
    HE = 3,
    // BC_FREE: 1 and 2 as EQUIMAT, then these
    CEN_CON_FREE = 3,
    CEN_DIR_I_FREE = 4,
    // BC_SKY and BC_NOSKY
    CEN_CON = 1,
    // TRANSMAT
    CEN_DIR_I_TRANSMAT = 1,
};

// Keywords of the types, and of the rules of each type (empty beyond the
// type's last rule; MATERIAL has none).
inline constexpr std::array<std::string_view, kColourTypeCount> kTypeKeywords = {
    "MATERIAL", "EQUIMAT", "BC_SIMPL", "BC_FREE", "BC_SKY", "BC_NOSKY", "BC_FRE_S", "TRANSMAT"};
inline constexpr std::array<std::array<std::string_view, 7>, kColourTypeCount> kRuleKeywords = {{
    {"", "", "", "", "", "", ""},
    {"NIHIL", "- CEN_Xy_I", "| CEN_Yx_I", "- CEN_Xy_E", "| CEN_Yx_E", "CEN_DIR_I", "CEN_DIR_E"},
    {"NIHIL", "HI_NORML", "HI_REDUC", "HE", "", "", ""},
    {"NIHIL", "- CEN_Xy_I", "| CEN_Yx_I", "CEN_CON", "CEN_DIR_I", "", ""},
    {"NIHIL", "CEN_CON", "", "", "", "", ""},
    {"NIHIL", "CEN_CON", "", "", "", "", ""},
    {"NIHIL", "HI_NORML", "HI_REDUC", "HE", "", "", ""},
    {"NIHIL", "CEN_DIR_I", "", "", "", "", ""},
}};

// The float nearest to 0.333333 (not to 1/3): the start-up cavity exponent.
inline constexpr float kDefaultCon3 = 0.333333f;
// Solution temperature extremes of a colour before any solution.
inline constexpr float kNoLowestTemperature = 9.0e9f;
inline constexpr float kNoHighestTemperature = -9.0e9f;

// One colour number's material or boundary condition. The fields with a key
// name are what the data file sets; the statistics come from the pixels; the
// rest are working values of the engine and the calculation.
struct ColourRecord {
    std::uint8_t number = 0;                     // the colour number itself
    std::uint8_t red = 0, green = 0, blue = 0;   // display colour, from the bitmap's palette
    std::uint32_t displayColour = 0;             // red + 256 green + 65536 blue
    std::int32_t present = 0;                    // 1 when at least one pixel has this colour
    std::int32_t pixelCount = 0;                 // pixels of this colour
    std::int32_t zoneCount = 0;                  // 4-connected zones (0: not counted since the last edit)
    std::int32_t minX = 0, maxX = 0, minY = 0, maxY = 0; // bounding box of its pixels
    std::int32_t labelX = 0, labelY = 0, labelSize = 0;  // centre and edge of its largest square, for labels

    std::string name;         // `name`; an EQUIMAT cavity may hold "e1=%f e2=%f"
    std::int32_t patt = 16;   // `patt`: fill pattern, >= 1
    std::int32_t type = MATERIAL; // `type` 0..7
    std::int32_t rule = NIHIL;    // `rule` 0..6, meaning by type
    float lamb = 1.0f;        // `lamb`: thermal conductivity, W/(m.K)
    float epsi = 0.9f;        // `epsi`: emissivity 0..1
    float temp = 0.0f;        // `temp`: boundary temperature, °C
    float hglo = 7.7f;        // `hglo`: global surface coefficient, W/(m².K)
    float flux = 0.0f;        // `flux`: imposed heat flux density, W/m²
    float tair = 0.0f;        // `tair`: air temperature, °C
    float hcon = 2.5f;        // `hcon`: convective surface coefficient, W/(m².K)
    float qcon = 0.0f;        // `qcon`: convective heat flux, W/m²
    float trad = 0.0f;        // `trad`: radiant temperature, °C
    float con1 = 0.025f;      // `con1`: cavity conduction constant
    float con2 = 0.73f;       // `con2`: cavity convection factor
    float con3 = kDefaultCon3; // `con3`: exponent of the temperature difference
    float tric = 10.0f;       // `tric`: mesh size of this colour, pixels

    // Calculation words: after the triangulation the colour's triangle count
    // and the position of its first triangle; the radiation zone (-1 none),
    // set by the model check.
    std::uint32_t triangleCount = 0;
    std::uint32_t firstTriangle = 0;
    std::int32_t radiationZone = -1;
    // Extremes over the colour's nodes in the last solution.
    float lowestTemperature = kNoLowestTemperature;
    float highestTemperature = kNoHighestTemperature;
    float heatFlowIn = 0.0f, heatFlowOut = 0.0f;  // boundary colour: W/m into and out of the object in the last solution
    float flowX = 0.0f, flowY = 0.0f;              // mean heat-flow direction in the last solution
    std::int32_t flowAxis = 0;                     // main flow axis: 1 x, 2 y, 0 none
    std::int32_t adiabatic = 0;                    // model check: BC_SIMPL/BC_FRE_S with hglo 0 and flux 0
    // Work marks of the editing operations.
    std::int32_t newMark = 0;     // Split Zones: received pixels of the split colour in this run
    std::int32_t holdBack = 0;    // dissolving: may not grow yet
    std::int32_t inProcess = 0;   // Split Zones: a zone still to be optimised
    std::int32_t lineMark = 0;    // DXF import: drawn as lines, bounds the region fills
    // b, d and ΔT of the last equivalent-conductivity computation.
    float cavityB = 0.0f, cavityD = 0.0f, cavityDeltaT = 0.0f;

    bool operator==(const ColourRecord&) const = default;
};

// One maximal (or, after an incremental update, partial) straight run of
// pixel sides along which the same two colours meet. Points are pixel
// corners (0..width, 0..height), y downwards. A horizontal edge at corner
// row j runs in +x; its left colour is that of pixel row j-1, its right
// colour that of row j. A vertical edge at corner column j runs in +y; its
// left colour is that of pixel column j, its right colour that of column
// j-1. -1 stands for outside the bitmap.
struct BoundaryEdge {
    std::int16_t left = -1, right = -1;
    std::int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    bool operator==(const BoundaryEdge&) const = default;
};

// A pixel changed by the edit under way: index x + y width, old and new colour.
struct ChangedPixel {
    std::int32_t index = 0;
    std::uint8_t oldColour = 0, newColour = 0;

    bool operator==(const ChangedPixel&) const = default;
};

// Kinds of a borderline boundary condition.
enum : std::uint8_t { kBorderlineTemp = 0, kBorderlineFlux = 1 };

// A temperature or heat flux fixed on the line where two colours meet.
struct BorderlineBcRecord {
    std::int32_t valid = 0;                 // set by ValidateBorderlineBc
    std::int16_t bor1 = -1, bor2 = -1;      // `bor1`, `bor2`: the two colours, -1 unset
    std::uint8_t bory = kBorderlineTemp;    // `bory`: kind
    float bort = 0.0f;                      // `bort`: temperature of a TEMP record, °C
    float borq = 0.0f;                      // `borq`: heat flux of a FLUX record, W/m²

    bool operator==(const BorderlineBcRecord&) const = default;
};

// Modes, directions and states of a distance.
enum : std::uint8_t { kDistanceSelect = 0, kDistanceLocked = 1 };
enum : std::uint8_t { kDistanceX = 0, kDistanceY = 1, kDistanceAny = 2 };
enum : std::uint8_t {
    kDistanceOneColour = 0,  // along one colour's run, bounded by other colours on both ends
    kDistanceExtent = 1,     // the full extent of a present colour
    kDistanceFree = 2,       // any other placed distance
    kDistanceOutside = 3,    // reaches outside the bitmap: gives no length and no line
};

// A horizontal, vertical or free line between two pixels; numbered from 1 in
// the views and in the side values (side n >= 4 is distance n - 3).
struct DistanceRecord {
    std::uint8_t dism = kDistanceSelect; // `dism`: mode
    std::uint8_t disd = kDistanceX;      // `disd`: direction
    std::uint8_t state = 0;              // set by ValidateDistances
    std::uint8_t diss = 0;               // `diss`: side 0, or 1 for the rest of the bitmap (INVERSE)
    std::int16_t x1 = -1, y1 = -1, x2 = -1, y2 = -1; // `dix1` `diy1` `dix2` `diy2`: end pixels, -1 unset
    float work = 0.0f;                   // working value of the views and results
    float diuc = 0.0f;                   // `diuc`: enforced U value, 0 none

    bool operator==(const DistanceRecord&) const = default;
};

constexpr int kBorderlineBcCapacity = 100;
constexpr int kDistanceCapacity = 100;
constexpr int kGraphicReportEntries = 8;

// Fill kinds of a graphic-report entry.
enum : std::uint8_t { kFillOff = 0, kFillBitmap = 1, kFillMaterial = 2, kFillTemp = 3, kFillFlux = 4, kFillFlow = 5 };

// One entry of the graphic report definition: flag bits 0..5 Create, Object
// Lines, Triang. Mesh, Isoth. Lines, Flow Lines, Distances; bit 6 Legend;
// bit 7 kept as it is; and the fill kind.
struct GraphicReportEntry {
    std::uint8_t flags = 0;
    std::uint8_t fill = kFillOff;

    bool operator==(const GraphicReportEntry&) const = default;
};

} // namespace dralo

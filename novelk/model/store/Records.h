// The fixed-size records of Novelk's model store: colours, blocks, the three
// boundary-condition lists, the graphic-report entries, the area and
// flanking-element records and the outline segments. Every field is listed
// with its meaning and unit; the data-file key that fills it is named beside
// it. Temperatures in °C, lengths and coordinates in grid units (times the
// grid unit gives metres), conductivities in W/(m.K), coefficients in
// W/(m².K).
#pragma once
#include "common/core/BoundaryRecords.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <string>

namespace novelk {

constexpr int kColourCount = 256;

// Colour types (the `type` value of the data file).
enum ColourType : std::int32_t {
    MATERIAL = 0, // material with user defined thermal conductivity
    BC_SIMPL = 1, // simplified boundary condition (combined convection and radiation)
    BC_FREE = 2,  // cavity with unknown (free) air temperature
    BC_SKY = 3,   // environment with known air and radiation temperature
    BC_NOSKY = 4, // environment with known air temperature, no external radiation
    EQUIMAT = 5,  // cavity with equivalent thermal conductivity
    BC_FRE_S = 6, // cavity with unknown temperature (combined convection and radiation)
    TRANSMAT = 7, // transparent material (conduction + radiation)
};
constexpr int kColourTypeCount = 8;
// Rule numbers 0..12 are accepted for every type; the type's list interprets them.
constexpr int kRuleCount = 13;

// "MATERIAL", "BC_SIMPL", ...; nullptr outside 0..7.
const char* ColourTypeName(int type);
// The colours table's description of a type ("MATERIAL = material with ...").
const char* ColourTypeDescription(int type);
// Rule name of the rule in the list of the type ("NIHIL", "CEN_Xy_I", ...);
// nullptr when the type has no rule list or the rule lies outside it.
const char* RuleName(int type, int rule);
// Types whose cells carry nodes and conductances: MATERIAL, EQUIMAT, TRANSMAT.
bool IsConductiveType(int type);

// One of the 256 colours: the key of the model's properties.
struct ColourRecord {
    std::uint8_t red = 0, green = 0, blue = 0; // display colour (`crgb`)
    COLORREF displayColour = 0;                // the same, red in the low byte
    std::uint8_t inUse = 0;                    // a block, a boundary entry or a `colr` line refers to it
    std::int32_t type = MATERIAL;              // ColourType (`type`)
    std::int32_t rule = 0;                     // index into the rule list of the type, 0..12 (`rule`)
    std::string name;                          // UTF-8 (`name`)
    std::int32_t pattern = 16;                 // fill pattern of sections, at least 1 (`patt`)
    float lambda = 1.0f;                       // thermal conductivity, W/(m.K) (`lamb`)
    float epsilon = 0.9f;                      // infrared emission factor 0..1 (`epsi`)
    float temperature = 0.0f;                  // boundary temperature, °C (`temp`)
    float hGlobal = 7.7f;                      // surface heat transfer coefficient, W/(m².K) (`hglo`)
    float flux = 0.0f;                         // boundary heat flux, W/m² (`flux`)
    float airTemperature = 0.0f;               // air temperature, °C (`tair`)
    float hConvective = 2.5f;                  // convective coefficient, W/(m².K) (`hcon`)
    float qConvective = 0.0f;                  // convective power into an air cavity, W (`qcon`)
    float radiantTemperature = 0.0f;           // radiation temperature of the environment, °C (`trad`)
    float con1 = 0.025f, con2 = 0.73f, con3 = 0.333333f; // CEN formula parameters (`con1`..`con3`)
    // Set while a file is inserted for every colour used before: such a colour
    // keeps its values and ignores the inserted file's.
    std::int32_t keepOnInsert = 0;
    // Results written by the calculation.
    float lowestTemperature = 9.0e9f;    // °C
    float highestTemperature = -9.0e9f;  // °C
    float flowIn = 0.0f, flowOut = 0.0f; // heat-flow sums, W
    std::uint16_t lowestPoint[3] = {};   // grid point of the lowest temperature
    std::uint16_t highestPoint[3] = {};  // grid point of the highest temperature
    double viewFactorSum = 0.0;          // summed view factors of the colour's faces
    double senderArea = 0.0;             // m²
    // First and last cell of the colour's zone on x, y and z (inclusive),
    // as the last flood fill of a region left it.
    std::uint16_t zoneBox[6] = {};
    std::int32_t show = 1; // drawn (the Clip Colours table)

    bool operator==(const ColourRecord&) const = default;
};

// A box of cells: the block fills cells x1..x2-1, y1..y2-1, z1..z2-1 (grid-line
// indices, 0 <= lo <= hi <= cell count). A later block overwrites an earlier
// one cell by cell.
struct BlockRecord {
    std::uint8_t colour = 0;
    std::uint16_t x1 = 0, x2 = 0, y1 = 0, y2 = 0, z1 = 0, z2 = 0;
    // x1, x2, y1, y2, z1, z2 as coordinates (grid units), filled while an axis
    // is rebuilt or a file is inserted.
    float coord[6] = {};
    std::uint32_t flags = 0; // 0 when created or read (the Blocks table's selection)

    bool operator==(const BlockRecord&) const = default;
};

enum NodeBcType : std::uint8_t { NODE_TEMP = 0, NODE_POWER = 1 };

// A fixed temperature or power at one grid point.
struct NodeBcRecord {
    std::uint8_t type = NODE_TEMP;     // NodeBcType (`nbty`)
    std::uint16_t i = 0, j = 0, k = 0; // grid point, line indices (`nbcd`)
    float x = 0, y = 0, z = 0;         // the point as coordinates, while an axis is rebuilt
    float temperature = 0;             // °C (`nbte`)
    float power = 0;                   // W (`nbpo`)

    bool operator==(const NodeBcRecord&) const = default;
};

// The boundary-condition lists' records are the block programs' shared ones.
using common::BORDER_FLUX;
using common::BORDER_TEMP;
using common::BorderBcType;
using common::BorderFaceBcRecord;
using common::MATERIAL_POWER;
using common::MATERIAL_TEMP;
using common::MaterialBcRecord;
using common::MaterialBcType;

// Flag bits of a graphic-report entry.
enum : std::uint8_t {
    kReportCreate = 1,
    kReportObjectLines = 2,
    kReportGridLines = 4,
    kReportIsotherms = 8,
    kReportIsoflux = 16,
    kReportLegend = 32,
    // Bits 6 and 7 keep whatever they hold.
};

// One picture of the graphic report (the Graphic Report Definition table,
// one `grep` line).
struct GraphicReportEntry {
    std::uint8_t flags = kReportObjectLines;
    std::uint8_t fill = 0;        // fill choice 0 OFF .. 7 AREA
    std::uint32_t projection = 0; // 0 perspective, 1..6 XMIN..ZMAX, 7..12 RMIN..LMAX
    float azimuth = 1000.0f;      // degrees; 1000 = not set
    float altitude = 0.0f;        // degrees

    bool operator==(const GraphicReportEntry&) const = default;
};

// An area box A1..A3 (flat on one axis, `area`), a flanking element U1..U3
// (a line along one axis, `uval` and `uenf`), a U line or a proposal box:
// grid-line indices 0 <= lo <= hi <= cell count on each axis.
struct AreaRecord {
    std::uint16_t x1 = 0, x2 = 0, y1 = 0, y2 = 0, z1 = 0, z2 = 0;
    double value = 0;      // area in m² (A records) or computed U in W/(m².K) (U records)
    double enforced = 0;   // enforced U, W/(m².K); 0 or less: none (U records)
    std::uint8_t side = 0; // which face a proposal took (proposal records)
    // The bounds as coordinates, while an axis is rebuilt.
    float coord[6] = {};

    bool operator==(const AreaRecord&) const = default;
};

// One edge of an outline: two grid points (line indices) that differ in one index.
struct OutlineSegment {
    std::uint16_t x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;

    bool operator==(const OutlineSegment&) const = default;
};

} // namespace novelk

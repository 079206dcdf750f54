// The fixed-size records of Parven's model: colours, blocks (shaped solids,
// STL solids and points), the two boundary-condition lists, the area and
// U-value rows, and the STL vertices and triangles. Every field is listed with
// its meaning and unit and the data-file key that fills it. Coordinates are in
// model length units (times `scal` gives metres), temperatures in °C,
// conductivities in W/(m.K), coefficients in W/(m².K).
#pragma once
#include "common/core/BoundaryRecords.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <string>

namespace parven {

constexpr int kColourCount = 256;

// Colour types (the `ctyp` value of the data file).
enum ColourType : std::int32_t {
    MATERIAL = 0, // material with a conductivity
    BC_SIMPL = 1, // simplified boundary condition (combined convection and radiation)
    BC_FREE = 2,  // cavity with unknown (free) air temperature
    BC_SKY = 3,   // environment with known air and radiation temperature
    BC_NOSKY = 4, // environment with known air temperature, no external radiation
    EQUIMAT = 5,  // cavity with equivalent thermal conductivity
    BC_FRE_S = 6, // cavity with unknown temperature (combined convection and radiation)
    TRANSMAT = 7, // transparent material (conduction + radiation)
};
constexpr int kColourTypeCount = 8;
// Surface rules 0 (`NIHIL`) .. 12.
constexpr int kRuleCount = 13;

// One of the 256 colours: the key of the model's properties.
struct ColourRecord {
    std::uint8_t number = 0;                   // the colour's own number 0..255
    std::uint8_t red = 0, green = 0, blue = 0; // display colour (`crgb`)
    COLORREF packed = 0;                       // the same, red in the low byte
    std::uint8_t inUse = 0;                    // a block has this colour
    std::int32_t type = MATERIAL;              // ColourType (`ctyp`)
    std::int32_t rule = 0;                     // surface rule 0..12 (`rule`)
    std::string name;                          // UTF-8 (`cnam`)
    std::int32_t pattern = 16;                 // hatch pattern of sections, at least 1 (`patt`)
    float meshSize = 100.0f;                   // triangulation mesh size of its blocks (`csiz`), > 0
    float lamb = 1.0f;                         // conductivity, W/(m.K)
    float epsi = 0.9f;                         // emissivity
    float temp = 0.0f;                         // boundary temperature, °C
    float hglo = 7.7f;                         // surface coefficient, W/(m².K)
    float flux = 0.0f;                         // heat flux, W/m²
    float tair = 0.0f;                         // air temperature, °C
    float hcon = 2.5f;                         // convective coefficient, W/(m².K)
    float qcon = 0.0f;                         // convective power, W
    float trad = 0.0f;                         // radiation temperature, °C
    float con1 = 0.025f, con2 = 0.73f, con3 = 0.333333f; // parameters of the surface-rule formulas
    // Set for the colours in use while a file is merged in: such a colour
    // keeps its values whatever the merged file says.
    std::uint8_t protect = 0;
    // Results of a calculation: the lowest and highest node temperature over
    // the cells of the colour and the nodes where they occur.
    float minTemperature = 9.0e9f, maxTemperature = -9.0e9f;
    std::uint32_t minNode = 0, maxNode = 0;
    std::int32_t shown = 1; // drawn (the Clip Colours table)
    std::int32_t swell = 0; // 1 when `swel` was 1.0 ("SWELL"), else 0 ("NORMAL")

    bool operator==(const ColourRecord&) const = default;
};

// Block kinds, point forms of SOLID blocks, and shapes.
enum BlockKind : std::uint8_t { SOLID = 0, STL = 1, POINT = 2 };           // `bsol`
enum PointForm : std::uint8_t { BOX = 0, PARALLELEPIPED = 1, HEXAHEDRON = 2 }; // `btyp`
enum BlockShape : std::uint8_t { RECT = 0, CYL = 1, BAL = 2, PCYL = 3, PBAL = 4 }; // `bshp`

// A block. A SOLID block is a hexahedron of eight corners, P1 the base
// corner, P2, P3, P4 the ends of its three edges, P5 = P2 + P3 - P1,
// P6 = P2 + P4 - P1, P7 = P3 + P4 - P1, P8 = P5 + P4 - P1; a box is given by
// P1 and P8, a parallelepiped by P1..P4, a hexahedron by all eight. An STL
// block takes its surface from a run of the model's STL triangles, read from
// the file named by its base name beside the data file; the names live in the
// model's list of STL names. The record has no padding, so that undo
// snapshots compare and share it as bytes.
struct BlockRecord {
    std::uint8_t kind = SOLID;      // BlockKind
    std::uint8_t form = BOX;        // PointForm
    std::uint8_t shape = RECT;      // BlockShape
    std::uint8_t filled = 0;        // set on every block by a completed fill step
    std::uint8_t selectedPoint = 0; // the point the Block Points table shows (`bipt`, 0..7)
    std::uint8_t edited = 0;        // edited since the mesh was made
    std::uint8_t colour = 0;        // colour number (`bclr`)
    std::uint8_t unused = 0;
    // P1..P8: x, y, z (`bpnt`); a new block is the box from (0, 0, 0) to
    // (100, 100, 100) with its corners derived.
    float points[8][3] = {{0, 0, 0},     {100, 0, 0},   {0, 100, 0},   {0, 0, 100},
                          {100, 100, 0}, {100, 0, 100}, {0, 100, 100}, {100, 100, 100}};
    std::uint32_t stlName = 0;       // STL base name: its entry in the model's names, 0 none (`bstl`)
    std::uint32_t firstTriangle = 0; // the block's run of STL triangles
    std::uint32_t triangleCount = 0;

    bool operator==(const BlockRecord&) const = default;
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

// An area A1..A3: the parallelogram spanned at P1 by P2 and P3 (`area`).
struct AreaRecord {
    float points[3][3] = {}; // P1, P2, P3: x, y, z
    double area = 0;         // |(P2 - P1) x (P3 - P1)| scal², m²

    bool operator==(const AreaRecord&) const = default;
};

// A U-value row: the end points of a measuring segment (`uval`).
struct UValueRecord {
    float values[6] = {}; // P1 x, y, z, P2 x, y, z

    bool operator==(const UValueRecord&) const = default;
};

// A vertex of the STL triangles, in model coordinates.
struct StlVertex {
    float x = 0, y = 0, z = 0;

    bool operator==(const StlVertex&) const = default;
};

// Three vertex indices, in the order stored: the file's second and third
// vertex exchanged.
struct StlTriangle {
    std::uint32_t v[3] = {};

    bool operator==(const StlTriangle&) const = default;
};

} // namespace parven

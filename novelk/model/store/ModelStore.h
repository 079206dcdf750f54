// Novelk's model store: the whole model of the steady-state block program as
// one value, owned by the program (or the driver, or a test) and handed to
// the engine functions: the grid of each axis, the 256 colours, the block
// list, the node, border-face and material boundary conditions, the area and
// flanking-element records, the title, the calculation parameters and the
// output and report settings. What the data file, the writer and an undo
// snapshot hold is here; a run's work arrays (RunState), the 3D view's face
// list and the windows' settings live elsewhere.
#pragma once
#include "common/core/RecordArray.h"
#include "novelk/model/store/ProgramParameters.h"
#include "novelk/model/store/Records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace novelk {

using common::RecordArray;

// Largest value of a 16-bit count (blocks, cells of an axis).
constexpr std::size_t kMaxCount16 = 0xFFFF;

// Bits of a grid line's flag byte.
enum : std::uint8_t {
    kLineSelected = 1, // the Grid table's selection
    kLineUsed = 2,     // a block bound or a node-BC position lies on the line
    kLineBand = 4,     // band parity, shading the grid tables' rows between used lines
};

// One axis: n cells, their widths, the coordinates of lines 1..n (coords[k]
// is line k + 1; line 0 lies at 0) and one flag byte per line 0..n. The
// arrays are as long as the store's grid capacity (flags one longer).
struct GridAxis {
    std::uint16_t n = 0;
    std::vector<float> widths; // grid units
    std::vector<float> coords; // grid units
    std::vector<std::uint8_t> flags;

    bool operator==(const GridAxis&) const = default;
};

// The twelve settings of the Calculation Parameters dialog.
struct CalculationParameters {
    std::int32_t linearRadiation = 1;   // `linr`: radiation linear (1) or non-linear (0)
    float hrBlack = 5.1f;               // `hrbl`: black-body coefficient when linear, W/(m².K)
    float minViewFactor = 0.0001f;      // `vwfc`: smallest view factor kept
    std::int32_t rays = 100;            // `rays`: rays per face pair
    std::int32_t recalcCen = 1;         // `ccen`: recalculate the CEN values in a run
    float airspaceDeltaT = 10.0f;       // `dtas`: airspace temperature difference, K
    std::int32_t cycles = 5;            // `cycl`: most outer cycles
    std::int32_t iterations = 10000;    // `iter`: most solver steps per cycle
    float maxDeltaT = 0.0001f;          // `mxdt`: change that stops the solver, K
    float maxObjectDivergence = 0.001f; // `mxod`: %
    float maxNodeDivergence = 1.0f;     // `mxnd`: %
    float maxCycleChange = 0.001f;      // `mxdc`: change between cycles that ends them, K

    bool operator==(const CalculationParameters&) const = default;
};

// Line colours (COLORREF) and widths (pixels) of the pictures.
struct LineStyles {
    std::int32_t object = 0, grid = 0, isotherm1 = 0, isotherm2 = 0, single = 0, isoflux1 = 0,
                 isoflux2 = 0; // `lcob` `lcgr` `lct1` `lct2` `lcts` `lcq1` `lcq2`
    std::int32_t objectWidth = 1, gridWidth = 1, isotherm1Width = 1, isotherm2Width = 1, singleWidth = 0,
                 isoflux1Width = 1, isoflux2Width = 1; // `lwob` `lwgr` `lwt1` `lwt2` `lwts` `lwq1` `lwq2`

    bool operator==(const LineStyles&) const = default;
};

struct OutputSettings {
    float tmin = 0, tmax = 20, tin1 = 1, tin2 = 5; // temperature range and increments, °C and K
    float qmin = 0, qmax = 50, qin1 = 1, qin2 = 5; // heat-flux range and increments, W/m²
    float tsin = 0;                                // temperature of the iso-surface, °C
    float viewAzimuth = 30, viewAltitude = 30;     // perspective picture, degrees (`vwpt`)
    float splitSize = 5.0f;     // Auto Split: meshes up to this size are split, mm (`tras`)
    float splitDistance = 1.0f; // Auto Split: split distance, mm (`diss`)
    float splitRatio = 1.5f;    // Auto Split: split ratio (`rats`)
    LineStyles lines;

    bool operator==(const OutputSettings&) const = default;
};

struct ReportSettings {
    std::int32_t temperatureFactor = 0; // `rptf`
    std::int32_t transmittanceP = 0;    // `rptp` (`rptu` sets both)
    std::int32_t transmittanceQ = 0;    // `rptq`
    std::int32_t elementU = 0;          // `rpte`
    std::string elementName = "Ufloor"; // `naue`
    std::array<GraphicReportEntry, kGraphicReportEntries> graphicReport{};

    bool operator==(const ReportSettings&) const = default;
};

constexpr int kAreaRecords = 3;
constexpr int kULines = 12;

struct ModelStore {
    std::string title;        // may hold CR and LF
    std::string dataFilePath; // the file the model was read from and is saved to

    // Grid.
    std::array<GridAxis, 3> axes;
    std::uint16_t gridCapacity = 0;               // entries of the width and coordinate arrays
    float gridUnit = 1.0f;                        // metres per grid unit, > 0 (`grun`)
    std::int32_t rcl = 0;                         // axes named R, C, L (1) or X, Y, Z (0) (`rcls`)
    std::uint16_t clipLo[3] = {}, clipHi[3] = {}; // clip box, line indices per axis
    float insertionOrigin[3] = {};                // where an inserted file's blocks go, grid units
    // Model extent for the 3D camera: end coordinates, their halves (the
    // centre) and the half-diagonal.
    float extent[3] = {}, centre[3] = {};
    float halfDiagonal = 0;

    std::array<ColourRecord, kColourCount> colours;
    RecordArray<BlockRecord, std::uint16_t> blocks;
    std::uint16_t blockBase = 0; // first block of the file being read (insert: the old count)
    RecordArray<NodeBcRecord, std::int32_t> nodeBcs;
    RecordArray<BorderFaceBcRecord, std::int32_t> borderBcs;
    RecordArray<MaterialBcRecord, std::int32_t> materialBcs;

    std::array<AreaRecord, kAreaRecords> areas;    // A1..A3 (`area`)
    std::array<AreaRecord, kAreaRecords> elements; // U1..U3 (`uval`, `uenf`)
    // The U Values window's twelve box edges and the area proposed beside each.
    std::array<AreaRecord, kULines> uLines;
    std::array<AreaRecord, kULines> proposals;

    // The edges with which the 3D view outlines the selected colour or
    // border-face BC; part of every undo snapshot.
    RecordArray<OutlineSegment, std::int32_t> outlines;

    CalculationParameters calc;
    OutputSettings output;
    ReportSettings report;
};

// Array trios: Grow keeps the records and never shrinks; false (nothing
// changed) when the memory cannot be had or n exceeds the count's range.
bool GrowGridLineArrays(ModelStore& m, std::size_t n);
void FreeGridLineArrays(ModelStore& m);
bool GrowBlockArray(ModelStore& m, std::size_t n);
void FreeBlockArray(ModelStore& m);
// Block n: the colour given (the block editor's current colour, marked in
// use), cells 0..1 on each axis, but the top layer nz-1..nz in R/C/L mode.
void InitBlock(ModelStore& m, std::size_t n, int colour);
// Appends a one-cell block of colour c (growing the array by 1000 when full);
// false, adding nothing, when the cell lies outside the grid or the array
// holds 65535 blocks.
bool AddCellBlock(ModelStore& m, long i, long j, long k, int c);
bool GrowNodeBcArray(ModelStore& m, std::size_t n);
void FreeNodeBcArray(ModelStore& m);
void InitNodeBc(ModelStore& m, std::size_t n);
bool GrowBorderBcArray(ModelStore& m, std::size_t n);
void FreeBorderBcArray(ModelStore& m);
void InitBorderBc(ModelStore& m, std::size_t n);
bool GrowMaterialBcArray(ModelStore& m, std::size_t n);
void FreeMaterialBcArray(ModelStore& m);
void InitMaterialBc(ModelStore& m, std::size_t n);
bool GrowOutlineSegmentArray(ModelStore& m, std::size_t n);
void FreeOutlineSegments(ModelStore& m);

// Colour operations.
// The first colour at or after c not in use, wrapping from 255 to 0; c when
// all are in use.
int FindFreeColour(const ModelStore& m, int c);
// Type, rule, name, pattern and the twelve values of b into a.
void CopyColourProperties(ModelStore& m, int a, int b);
// In use, or not a default MATERIAL with conductivity 1 and no name.
bool IsColourRowNonDefault(const ColourRecord& c);
void SetDisplayColour(ColourRecord& c, int red, int green, int blue);

// Grid.
// Coordinate of line i of the axis (0 for line 0), grid units.
float LineCoordinate(const ModelStore& m, int axis, std::size_t line);
// Cumulative coordinates of the three axes from their widths.
void ComputeGridCoordinates(ModelStore& m);
// End coordinates, centre and half-diagonal.
void ComputeModelExtent(ModelStore& m);

// The model's eight graphic-report entries from the defaults.
void CopyGraphicReportTable(ModelStore& m, const ProgramParameters& defaults);

// Life cycle. ResetModel empties the model and takes the program defaults;
// the colours keep their display colours, types and values (only their use
// is cleared). The run's work arrays are the caller's to free.
void ResetModel(ModelStore& m, const ProgramParameters& defaults);
// Frees the block, boundary-condition and grid arrays; the colours stay.
void FreeModel(ModelStore& m);

// The importer of the older and sibling formats (".dat", ".drl", ".bmp"):
// it reads nothing and reports success; the document then treats the model
// as modified.
inline bool ReturnTrue()
{
    return true;
}

} // namespace novelk

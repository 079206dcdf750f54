// Parven's model: everything the data file describes (the colours, the blocks
// with their points and STL triangles, the grid, the boundary-condition lists,
// the area and U-value rows, the title and the coordinate, calculation and
// output settings) as one value, owned by the program (or the driver, a test,
// a fuzz target) and handed to the engine functions. Settings that belong to
// the session rather than to a model (the dialogs' values, the link switches)
// are kept beside them and survive undo. Mesh tables and calculation arrays
// live in their own states (MeshState, RunState), never here.
#pragma once
#include "common/core/RecordArray.h"
#include "parven/model/store/ProgramParameters.h"
#include "parven/model/store/Records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace parven {

using common::RecordArray;

// Largest cell count of an axis: its grid-line indices fit 16 bits.
constexpr std::size_t kMaxAxisCells = 65534;

// One axis: n cells, their widths, the coordinates of lines 1..n relative to
// the axis origin (coords[i] is the upper line of cell i; line 0 lies at 0)
// and a selection flag per cell (the Grid table's). The arrays are as long as
// the model's grid capacity.
struct GridAxis {
    std::uint16_t n = 0;
    std::vector<float> widths;
    std::vector<float> coords;
    std::vector<std::uint32_t> flags;

    bool operator==(const GridAxis&) const = default;
};

// The model's settings under their data-file keys: the key table of the data
// file reads, writes and resets them (SettingKeys.h).
struct ModelSettings {
    float scal = 0.01f;  // coordinate unit, metres per model length unit, > 0
    float reso = 0.01f;  // coordinate resolution, model length units, > 0
    float step = 1.0f;   // mouse step, > 0
    float axis = 100.0f; // axis length of the 3D view, > 0
    std::int32_t grcd = 0; // coordinates shown as grid-line numbers
    float viewAzimuth = 30.0f, viewAltitude = 30.0f; // `vwpt`, degrees
    // The calculation parameters and output ranges: the model's own values
    // of the program defaults of the same names (ProgramParameters.h).
    std::int32_t linr = 1, cycl = 5, iter = 10000, ccen = 1;
    float hrbl = 5.1f, mxdt = 0.0001f, mxod = 0.001f, mxnd = 1.0f, mxdc = 0.001f, dtas = 10.0f;
    float tmin = 0, tmax = 20, tin1 = 1, tin2 = 5, tsin = 0;
    float qmin = 0, qmax = 50, qin1 = 1, qin2 = 5;
    // Display and report flags.
    std::int32_t nofb = 0, ligr = 0, aufb = 0, rptf = 0, rptu = 0;

    bool operator==(const ModelSettings&) const = default;
};

// Line colours (COLORREF) and widths (pixels) of the graphic output, taken
// from the program defaults at every reset.
struct LineStyles {
    std::int32_t lcob = 0, lcgr = 0, lct1 = 0, lct2 = 0, lcts = 0, lcq1 = 0, lcq2 = 0;
    std::int32_t lwob = 1, lwgr = 1, lwt1 = 1, lwt2 = 1, lwts = 0, lwq1 = 1, lwq2 = 1;

    bool operator==(const LineStyles&) const = default;
};

// The bounding box of the blocks (ComputeModelBounds), its centre and the
// distance from the centre to its maximum corner.
struct ModelBounds {
    float min[3] = {}, max[3] = {}, centre[3] = {};
    float halfDiagonal = 0;

    bool operator==(const ModelBounds&) const = default;
};

// The values of the mesh commands of the Grid table, kept while the program
// runs; tras, diss and rats (the Auto Mesh Generation dialog's) are taken
// from the program defaults at every reset.
struct MeshCommandSettings {
    std::int32_t subdivisions = 2;
    float splitRatio = 1.0f;
    float splitWidth = 1.0f;
    float remainderFraction = 0.001f; // of the Maximum split
    std::int32_t insertDirection = 1; // 1 moves the higher meshes forward, 0 the lower backwards
    float insertSize = 1.0f;
    std::int32_t deleteDirection = 1; // 1 moves the higher meshes backwards, 0 the lower forward
    std::int32_t splitMethod = 0;     // 0 Geometric, 1 Maximum, 2 Border 1, 3 Border 2, 4 Border 1 & 2
    float tras = 5.0f, diss = 1.0f, rats = 1.5f;
    float mergeThreshold = 0.1f; // Merge Small Meshes
    float minStlArea = 0.0f;     // Insert STL Coordinates
};

// Transform Coordinates: the kind of transform and its values.
struct TransformSettings {
    std::int32_t kind = 0;
    float translation[3] = {};
    float rotationAxis[3] = {0, 0, 1};
    float angle = 0; // degrees
    float scaling[3] = {1, 1, 1};
};

// What the session keeps whatever model is open or undone to.
struct SessionSettings {
    MeshCommandSettings mesh;
    TransformSettings transform;
    bool linkEqualPoints = false;   // a moved block point takes the points equal to it along
    bool linkToBlockPoints = false; // grid edits move the block points with the grid
    bool undoSuspended = false;     // the Blocks table records no undo snapshot
};

// The STL vertices and triangles of all STL blocks; each STL block owns a
// run of the triangles, and vertices may be shared.
struct StlMesh {
    std::vector<StlVertex> vertices;
    std::vector<StlTriangle> triangles;
};

// The model but for its blocks and STL mesh, which undo snapshots keep in
// chunks shared between snapshots.
struct ShapeModelBase {
    std::string dataFilePath; // the file the model was read from and is saved to
    std::string title;        // UTF-8, may hold CR and LF (`titl`)
    ModelSettings settings;
    LineStyles lines;
    std::uint8_t currentColour = 0; // the colour a new block receives
    std::array<ColourRecord, kColourCount> colours;
    std::uint32_t blockBase = 0; // first block of the file a merge reads
    RecordArray<BorderFaceBcRecord, std::uint32_t> borderBcs;
    RecordArray<MaterialBcRecord, std::uint32_t> materialBcs;
    std::array<GridAxis, 3> axes;
    std::uint16_t gridCapacity = 0; // entries of every axis array
    float origin[3] = {};           // grid origin (`x0gr`, `y0gr`, `z0gr`)
    std::int32_t clipLo[3] = {}, clipHi[3] = {}; // clip box, grid-line indices
    // The STL base names (UTF-8) that blocks refer to by their entry; entry
    // 0 is the empty name.
    std::vector<std::string> stlNames{std::string()};
    std::array<AreaRecord, 3> areas;      // A1..A3
    std::array<UValueRecord, 3> uValues;  // the U-value rows
    ModelBounds bounds;
    SessionSettings session;
};

struct ShapeModel : ShapeModelBase {
    RecordArray<BlockRecord, std::uint32_t> blocks;
    StlMesh stl;
};

// Longest STL base name given to a new STL file (what a data-file line holds
// after its key).
constexpr std::size_t kMaxStlName = 250;
// A block's STL base name; SetStlName gives it a name (a new entry of the
// model's names unless it is the last one).
std::string_view StlName(const ShapeModelBase& m, const BlockRecord& b);
void SetStlName(ShapeModelBase& m, BlockRecord& b, std::string_view name);

// The 256 colours as the program starts: the defaults with the display
// colours of "MatColor.rgb". Every full read and File New start from it.
using ColourTable = std::array<ColourRecord, kColourCount>;
// Colour n of a table with its defaults (black).
ColourRecord DefaultColour(int n);
ColourTable DefaultColourTable();
void SetDisplayColour(ColourRecord& c, int red, int green, int blue);

// Array operations: Grow keeps the records and never shrinks; false (nothing
// changed) when the memory cannot be had or n exceeds the count's range.
bool GrowBlockArray(ShapeModel& m, std::size_t n);
void FreeBlockArray(ShapeModel& m);
// Block i: SOLID, box, RECT, no point selected, the current colour (marked
// in use), P1 = (0, 0, 0) and P8 = (100, 100, 100) with the corners between,
// no STL name or triangles.
void InitBlock(ShapeModel& m, std::size_t i);
bool GrowBorderBcArray(ShapeModel& m, std::size_t n);
void FreeBorderBcArray(ShapeModel& m);
void InitBorderBc(ShapeModel& m, std::size_t i);
bool GrowMaterialBcArray(ShapeModel& m, std::size_t n);
void FreeMaterialBcArray(ShapeModel& m);
void InitMaterialBc(ShapeModel& m, std::size_t i);
// Every axis array to n entries (the new widths, coordinates and flags 0).
bool SetGridCapacity(ShapeModel& m, std::size_t n);
void FreeGridArrays(ShapeModel& m);

// The corners of a SOLID block from its defining points (box P1 and P8,
// parallelepiped P1..P4), from its point form on (keep: a box first takes P8
// := P1); a hexahedron keeps its eight points, other kinds are left alone.
void DeriveBlockCorners(BlockRecord& b, bool keep);
// The points that define a SOLID block of its form: a box P1 and P8 (0, 7),
// a parallelepiped P1..P4, a hexahedron all eight.
std::span<const int> DefiningPoints(const BlockRecord& b);
// A block whose filled mark is set loses it and its edited mark.
void ClearBlockEditFlags(BlockRecord& b);

// Coordinate i = sum of widths 0..i (summed in double).
void ComputeAxisCoordinates(GridAxis& a);
// The coordinates of every axis; the clip box becomes 0..count on every axis.
void ComputeGridCoordinates(ShapeModel& m);
// Bounds over the SOLID blocks' defining corners and the STL blocks'
// vertices; 0..`axis` on every axis when no point counts.
void ComputeModelBounds(ShapeModel& m);
// The area of each AreaRecord.
void ComputeAreas(ShapeModel& m);
// x rounded to the nearest multiple of `reso`, halves away from zero.
double SnapToLengthQuantum(const ModelSettings& s, double x);

// `scal` 0.01, `reso` 0.01, `step` 1, `axis` 100.
void SetDefaultCoordinateSettings(ModelSettings& s);
// Empties the model for a read or File New: no title, the colours of the
// start-up table (in use and protected flags clear, shown), capacities of 200
// blocks, 100 border-face and 20 material BCs and 200 grid cells, every count
// 0, areas and U values cleared, the calculation and output settings and the
// line styles from the program defaults, the default coordinate settings,
// view angles 30 and 30, clip box 0..1, origin 0, flags clear. The session
// settings stay but for tras, diss and rats, which take the defaults.
void ResetModel(ShapeModel& m, const ProgramParameters& defaults, const ColourTable& startColours);

} // namespace parven

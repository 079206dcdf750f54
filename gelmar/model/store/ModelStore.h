// Gelmar's model store: the one process-wide model, a set of counts,
// settings and arrays of fixed-size records that every part of the program
// reads and writes directly, with the grow/free/initialise operations of each
// array and the life cycle of the whole store.
#pragma once
#include "common/core/RecordArray.h"
#include "gelmar/model/store/Records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace gelmar {

using common::RecordArray;
struct ParameterSet;

// Largest value of a 16-bit count or capacity.
constexpr std::size_t kMaxCount16 = 0xFFFF;
constexpr int kMaxSunObstacles = 100;
constexpr int kMaxVentilationFlows = 256;

// One axis of the grid: n cells, their widths, the coordinates of lines
// 1..n (line 0 lies at 0) and a flag byte per line.
struct GridAxis {
    std::uint16_t n = 0;
    std::vector<float> widths;
    std::vector<float> coords;
    std::vector<std::uint8_t> flags; // n + 1 entries in use
};

struct ModelStore {
    // Text and paths.
    std::string title;
    std::string dataFilePath;

    // Grid.
    std::array<GridAxis, 3> axes;
    std::uint16_t gridCapacity = 0;
    float gridUnit; // grun
    float origin[3] = {};
    std::uint16_t clipLo[3] = {};
    std::uint16_t clipHi[3] = {};
    float clipCoord[6] = {}; // x lower, x upper, y lower, y upper, z lower, z upper
    float extent[3] = {};
    float centre[3] = {};
    float halfDiagonal = 0;

    // Colours and blocks.
    std::array<ColourRecord, kColourCount> colours;
    RecordArray<BlockRecord, std::uint16_t> blocks;
    std::uint16_t blockBase = 0;
    std::int32_t rcl;   // rcls
    float viewAzimuth;  // vwpt, first value
    float viewAltitude; // vwpt, second value

    // Lists.
    RecordArray<NodeBcRecord, std::int32_t> nodeBcs;
    RecordArray<BorderFaceBcRecord, std::int32_t> borderBcs;
    RecordArray<MaterialBcRecord, std::int32_t> materialBcs;
    RecordArray<FunctionRecord, std::uint16_t> functions;
    RecordArray<ControlRecord, std::uint16_t> controls;
    RecordArray<OutputNodeRecord, std::int32_t> outputNodes;
    RecordArray<OutputBlockRecord, std::int32_t> outputBlocks;
    RecordArray<ReportItemRecord, std::int32_t> reportItems;
    std::array<SunObstacleRecord, kMaxSunObstacles> sunObstacles{};
    std::int32_t sunObstacleCount = 0;
    std::array<VentilationFlowRecord, kMaxVentilationFlows> ventFlows{};
    std::int32_t ventFlowCount = 0;

    // Calculation settings; their keys, ranges and reset values are the
    // settings table's (SettingKeys.h).
    std::int32_t linearRadiation; // linr
    float hrBlack;                // hrbl
    float minViewFactor;          // vwfc
    std::int32_t rays;            // rays
    std::int32_t recalcCen;       // ccen
    std::int32_t cycles;          // cycl
    std::int32_t iterations;      // iter
    float maxDeltaT;              // mxdt
    float maxObjectDivergence;    // mxod
    float maxNodeDivergence;      // mxnd
    float airspaceDeltaT;         // dtas
    float tmin, tmax, tin1, tin2, tsin;
    float qmin, qmax, qin1, qin2;
    std::int32_t timeStep;        // step
    std::int32_t startupDuration; // prec
    std::int32_t calcDuration;    // calc
    std::int32_t day0;            // day0
    std::int32_t saveResults;     // save, first value
    std::int32_t saveFrequency;   // save, second value
    std::int32_t reportFrequency; // rptf
    float latitude;               // lati
    float longitude;              // long
    float timeZone;               // timz
    float groundReflection;       // refg
    float rot1z, rot2x, rot3z;
    float azimuthNorth, altitudeNorth; // azno, alno

    // An empty model with every setting at its reset value for the built-in
    // parameter defaults.
    ModelStore();
};

// Array trios.
bool GrowBlockArray(ModelStore& m, std::size_t n);
void FreeBlockArray(ModelStore& m);
// Block i: the given colour (marked in use), cells 0..1 on each axis, but the
// top layer nz-1..nz while the RCL flag is set.
void InitBlock(ModelStore& m, std::size_t i, int colour);
bool GrowGridLineArrays(ModelStore& m, std::size_t n);
void FreeGridLineArrays(ModelStore& m);
bool GrowBorderBcArray(ModelStore& m, std::size_t n);
void FreeBorderBcArray(ModelStore& m);
void InitBorderBc(ModelStore& m, std::size_t i);
bool GrowMaterialBcArray(ModelStore& m, std::size_t n);
void FreeMaterialBcArray(ModelStore& m);
void InitMaterialBc(ModelStore& m, std::size_t i);
bool GrowNodeBcArray(ModelStore& m, std::size_t n);
void FreeNodeBcArray(ModelStore& m);
void InitNodeBc(ModelStore& m, std::size_t i);
bool GrowFunctionArray(ModelStore& m, std::size_t n);
void ClearFunctionRecord(ModelStore& m, std::size_t f);
bool GrowControlArray(ModelStore& m, std::size_t n);
void FreeControlArray(ModelStore& m);
void InitControl(ModelStore& m, std::size_t n);
bool GrowOutputNodeArray(ModelStore& m, std::size_t n);
bool GrowOutputBlockArray(ModelStore& m, std::size_t n);
bool GrowReportItemArray(ModelStore& m, std::size_t n);
void InitVentilationFlow(ModelStore& m, std::size_t n);

// Colour operations.
// Model coordinate of grid line `line` on an axis: 0 for line 0, otherwise
// the axis's coordinate entry line - 1 (0 for a line the grid does not have).
inline float GridLineCoordinate(const ModelStore& model, int axis, int line)
{
    const std::vector<float>& coords = model.axes[static_cast<std::size_t>(axis)].coords;
    if (line <= 0 || static_cast<std::size_t>(line - 1) >= coords.size())
        return 0.0f;
    return coords[static_cast<std::size_t>(line - 1)];
}

bool IsColourDefined(const ColourRecord& colour);
int FindFreeColour(const ModelStore& m, int start);
void CopyColourProperties(ModelStore& m, int target, int source);
bool HasRadiatingColours(const ModelStore& model);
// Also counts BC_FRE_S; when none is found the run's solar-results flag is
// cleared.
bool HasRadiatingOrSolarColours(const ModelStore& model, bool& solarResults);
void SetDisplayColour(ColourRecord& colour, int red, int green, int blue);

// Grid.
void ComputeGridCoordinates(ModelStore& m);
void ComputeModelExtent(ModelStore& m);

// Life cycle. ResetModel empties the model and takes the parameter defaults;
// the colours keep their values (only their flags are cleared). The run's
// results and the view are their owners' to reset.
void ResetModel(ModelStore& m, const ParameterSet& parameters);
// Frees the arrays of blocks, boundary conditions, output definitions and
// the grid; the colours stay.
void FreeModel(ModelStore& m);

} // namespace gelmar

namespace gelmar {
// Nearest multiple of the 0.001 length quantum, halves away from zero.
double SnapToLengthQuantum(double value);
} // namespace gelmar

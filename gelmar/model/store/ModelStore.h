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

// The visible-face list of the 3D view and its parallel index array.
struct FaceList {
    std::vector<FaceRecord> faces;
    std::vector<std::int32_t> index;
    std::int32_t count = 0;
    std::int32_t capacity = 0;
};

struct ModelStore {
    // Text and paths.
    std::string title;
    std::string dataFilePath;
    std::string functionFileFolder; // default path of the function-file dialogs
    std::string outputSavePath;     // default path of the output windows' save dialogs

    // Grid.
    std::array<GridAxis, 3> axes;
    std::uint16_t gridCapacity = 0;
    float gridUnit = 1.0f;
    float origin[3] = {};
    std::uint16_t clipLo[3] = {};
    std::uint16_t clipHi[3] = {};
    float clipCoord[6] = {}; // x lower, x upper, y lower, y upper, z lower, z upper
    std::uint16_t viewLo[3] = {};
    std::uint16_t viewHi[3] = {};
    float viewCoord[6] = {};
    float extent[3] = {};
    float centre[3] = {};
    float halfDiagonal = 0;
    float viewOffset[3] = {};

    // Colours and blocks.
    std::array<ColourRecord, kColourCount> colours;
    RecordArray<BlockRecord, std::uint16_t> blocks;
    std::uint16_t blockBase = 0;
    std::uint8_t currentColour = 0;
    std::int32_t rcl = 0;
    float viewAzimuth = 30.0f;
    float viewAltitude = 30.0f;

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
    FaceList faceList;
    // Edges with which the 3D view outlines one colour or one colour pair.
    RecordArray<OutlineSegment, std::int32_t> outlines;

    // Calculation settings.
    std::int32_t linearRadiation = 1;   // linr
    float hrBlack = 5.1f;               // hrbl
    float minViewFactor = 0.0001f;      // vwfc
    std::int32_t rays = 100;            // rays
    std::int32_t recalcCen = 1;         // ccen
    std::int32_t cycles = 20;           // cycl
    std::int32_t iterations = 10000;    // iter
    float maxDeltaT = 0.0001f;          // mxdt
    float maxObjectDivergence = 0.001f; // mxod
    float maxNodeDivergence = 1.0f;     // mxnd
    float airspaceDeltaT = 10.0f;       // dtas
    float tmin = 0, tmax = 20, tin1 = 1, tin2 = 5, tsin = 0;
    float qmin = 0, qmax = 50, qin1 = 1, qin2 = 5;
    std::int32_t timeStep = 600;       // step
    std::int32_t startupDuration = 0;  // prec
    std::int32_t calcDuration = 86400; // calc
    std::int32_t day0 = 1;             // day0
    std::int32_t saveResults = 0;      // save, first value
    std::int32_t saveFrequency = 1;    // save, second value
    std::int32_t reportFrequency = 1;  // rptf
    float latitude = 50.78f;           // lati
    float longitude = 4.37f;           // long
    float timeZone = 1.0f;             // timz
    float groundReflection = 0.2f;     // refg
    float rot1z = 0, rot2x = 0, rot3z = 0;
    float azimuthNorth = 0, altitudeNorth = 0; // azno, alno

    // 3D view and graphic output settings taken from the parameter defaults.
    float splitSize = 5.0f, splitDistance = 1.0f, splitRatio = 1.5f;
    std::int32_t lcob = 0, lcgr = 0, lct1 = 0, lct2 = 0, lcts = 0, lcq1 = 0, lcq2 = 0;
    std::int32_t lwob = 1, lwgr = 1, lwt1 = 1, lwt2 = 1, lwts = 0, lwq1 = 1, lwq2 = 1;

    // State of loaded results.
    std::int32_t calcTime = 0;
    bool solarResults = false;
    bool resultsValid = false;
};

// The one model of the process.
extern ModelStore g_model;

// Array trios.
bool GrowBlockArray(std::size_t n);
void FreeBlockArray();
void InitBlock(std::size_t i);
bool GrowGridLineArrays(std::size_t n);
void FreeGridLineArrays();
bool GrowBorderBcArray(std::size_t n);
void FreeBorderBcArray();
void InitBorderBc(std::size_t i);
bool GrowMaterialBcArray(std::size_t n);
void FreeMaterialBcArray();
void InitMaterialBc(std::size_t i);
bool GrowNodeBcArray(std::size_t n);
void FreeNodeBcArray();
void InitNodeBc(std::size_t i);
bool GrowFunctionArray(std::size_t n);
void ClearFunctionRecord(std::size_t f);
bool GrowControlArray(std::size_t n);
void FreeControlArray();
void InitControl(std::size_t n);
bool GrowOutputNodeArray(std::size_t n);
bool GrowOutputBlockArray(std::size_t n);
bool GrowReportItemArray(std::size_t n);
void InitVentilationFlow(std::size_t n);

// The 3D view's visible-face list (storage only; the view builds it).
void ReserveFaceList(std::size_t n);
void FreeFaceList();

// Colour operations.
bool IsColourDefined(const ColourRecord& colour);
int FindFreeColour(int start);
void CopyColourProperties(int target, int source);
bool HasRadiatingColours();
bool HasRadiatingColours(const ModelStore& model);
// Also counts BC_FRE_S; when none is found the solar results are cleared.
bool HasRadiatingOrSolarColours();
void SetDisplayColour(ColourRecord& colour, int red, int green, int blue);

// Grid.
void ComputeGridCoordinates();
void ComputeModelExtent();

// Life cycle.
void ResetModel();
void FreeModel();

} // namespace gelmar

namespace gelmar {
// Nearest multiple of the 0.001 length quantum, halves away from zero.
double SnapToLengthQuantum(double value);
} // namespace gelmar

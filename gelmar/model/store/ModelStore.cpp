// The model store's arrays, colour operations and life cycle.
#include "gelmar/model/store/ModelStore.h"

#include "common/kernels/AxisLines.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/files/Parameters.h"

#include <cmath>

namespace gelmar {

ModelStore g_model;

namespace {

const char* const kTypeNames[kColourTypeCount] = {"MATERIAL", "BC_SIMPL", "BC_FREE",  "BC_SKY",
                                                  "BC_NOSKY", "EQUIMAT",  "BC_FRE_S", "TRANSMAT"};
const char* const kCavityRules[] = {"NIHIL",    "CEN_Xy_I", "CEN_Xz_I", "CEN_Yx_I", "CEN_Yz_I",
                                    "CEN_Zx_I", "CEN_Zy_I", "CEN_Xy_E", "CEN_Xz_E", "CEN_Yx_E",
                                    "CEN_Yz_E", "CEN_Zx_E", "CEN_Zy_E"};
const char* const kSurfaceRules[] = {"NIHIL", "HI_NORML", "HI_REDUC", "HE"};
const char* const kFreeRules[] = {"NIHIL",    "CEN_Xy_I", "CEN_Xz_I", "CEN_Yx_I",
                                  "CEN_Yz_I", "CEN_Zx_I", "CEN_Zy_I", "CEN_CON"};
const char* const kSkyRules[] = {"NIHIL", "CEN_CON"};

template <std::size_t N> const char* Pick(const char* const (&names)[N], int rule)
{
    return rule >= 0 && rule < static_cast<int>(N) ? names[rule] : nullptr;
}

} // namespace

const char* ColourTypeName(int type)
{
    return type >= 0 && type < kColourTypeCount ? kTypeNames[type] : "";
}

const char* RuleName(int type, int rule)
{
    switch (type) {
    case EQUIMAT:
        return Pick(kCavityRules, rule);
    case BC_SIMPL:
    case BC_FRE_S:
        return Pick(kSurfaceRules, rule);
    case BC_FREE:
        return Pick(kFreeRules, rule);
    case BC_SKY:
    case BC_NOSKY:
        return Pick(kSkyRules, rule);
    default:
        return nullptr;
    }
}

// ---- array trios ----

bool GrowBlockArray(std::size_t n)
{
    return n <= kMaxCount16 && g_model.blocks.Grow(n);
}
void FreeBlockArray()
{
    g_model.blocks.Free();
}

void InitBlock(std::size_t i)
{
    BlockRecord& b = g_model.blocks[i];
    b = BlockRecord{};
    b.colour = g_model.currentColour;
    const std::uint16_t nz = g_model.axes[2].n;
    if (g_model.rcl && nz > 0) {
        b.z1 = static_cast<std::uint16_t>(nz - 1);
        b.z2 = nz;
    }
    g_model.colours[b.colour].inUse = 1;
}

bool GrowGridLineArrays(std::size_t n)
{
    if (n > kMaxCount16)
        return false;
    if (n <= g_model.gridCapacity)
        return true;
    try {
        // Grow all nine arrays before any is replaced, so a failure leaves
        // every axis as it was.
        std::array<GridAxis, 3> grown = g_model.axes;
        for (GridAxis& a : grown) {
            a.widths.resize(n);
            a.coords.resize(n);
            a.flags.resize(n + 1);
        }
        g_model.axes.swap(grown);
    } catch (const std::bad_alloc&) {
        return false;
    }
    g_model.gridCapacity = static_cast<std::uint16_t>(n);
    return true;
}

void FreeGridLineArrays()
{
    for (GridAxis& a : g_model.axes) {
        std::vector<float>().swap(a.widths);
        std::vector<float>().swap(a.coords);
        std::vector<std::uint8_t>().swap(a.flags);
    }
    g_model.gridCapacity = 0;
}

bool GrowBorderBcArray(std::size_t n)
{
    return g_model.borderBcs.Grow(n);
}
void FreeBorderBcArray()
{
    g_model.borderBcs.Free();
}
void InitBorderBc(std::size_t i)
{
    g_model.borderBcs[i] = BorderFaceBcRecord{};
}

bool GrowMaterialBcArray(std::size_t n)
{
    return g_model.materialBcs.Grow(n);
}
void FreeMaterialBcArray()
{
    g_model.materialBcs.Free();
}
void InitMaterialBc(std::size_t i)
{
    g_model.materialBcs[i] = MaterialBcRecord{};
}

bool GrowNodeBcArray(std::size_t n)
{
    return g_model.nodeBcs.Grow(n);
}
void FreeNodeBcArray()
{
    g_model.nodeBcs.Free();
}
void InitNodeBc(std::size_t i)
{
    g_model.nodeBcs[i] = NodeBcRecord{};
}

bool GrowFunctionArray(std::size_t n)
{
    return n <= kMaxCount16 && g_model.functions.Grow(n);
}
void ClearFunctionRecord(std::size_t f)
{
    FunctionRecord& r = g_model.functions[f];
    const FunctionName name = r.name;
    r = FunctionRecord{};
    r.name = name;
}

bool GrowControlArray(std::size_t n)
{
    return n <= kMaxCount16 && g_model.controls.Grow(n);
}
void FreeControlArray()
{
    g_model.controls.Free();
}
void InitControl(std::size_t n)
{
    g_model.controls[n] = ControlRecord{};
}

bool GrowOutputNodeArray(std::size_t n)
{
    return g_model.outputNodes.Grow(n);
}
bool GrowOutputBlockArray(std::size_t n)
{
    return g_model.outputBlocks.Grow(n);
}
bool GrowReportItemArray(std::size_t n)
{
    return g_model.reportItems.Grow(n);
}

void InitVentilationFlow(std::size_t n)
{
    g_model.ventFlows[n] = VentilationFlowRecord{};
}

void ReserveFaceList(std::size_t n)
{
    FaceList& list = g_model.faceList;
    if (n <= static_cast<std::size_t>(list.capacity) || n > 0x7FFFFFFF)
        return;
    try {
        list.faces.resize(n);
        list.index.resize(n);
    } catch (const std::bad_alloc&) {
        list.faces.resize(static_cast<std::size_t>(list.capacity));
        list.index.resize(static_cast<std::size_t>(list.capacity));
        return;
    }
    list.capacity = static_cast<std::int32_t>(n);
}

void FreeFaceList()
{
    FaceList& list = g_model.faceList;
    std::vector<FaceRecord>().swap(list.faces);
    std::vector<std::int32_t>().swap(list.index);
    list.count = 0;
    list.capacity = 0;
}

// ---- colour operations ----

bool IsColourDefined(const ColourRecord& c)
{
    return c.inUse || c.type != MATERIAL || c.lambda != 1.0f || !c.name.empty();
}

int FindFreeColour(int start)
{
    start &= 0xFF;
    for (int k = 0; k < kColourCount; ++k) {
        const int c = (start + k) % kColourCount;
        if (!g_model.colours[c].inUse)
            return c;
    }
    return start;
}

void CopyColourProperties(int target, int source)
{
    ColourRecord& t = g_model.colours[target];
    const ColourRecord& s = g_model.colours[source];
    t.type = s.type;
    t.rule = s.rule;
    t.name = s.name;
    t.pattern = s.pattern;
    t.lambda = s.lambda;
    t.epsilon = s.epsilon;
    t.density = s.density;
    t.heatCapacity = s.heatCapacity;
    t.temperature = s.temperature;
    t.hGlobal = s.hGlobal;
    t.flux = s.flux;
    t.airTemperature = s.airTemperature;
    t.hConvective = s.hConvective;
    t.qConvective = s.qConvective;
    t.radiantTemperature = s.radiantTemperature;
    t.con1 = s.con1;
    t.con2 = s.con2;
    t.con3 = s.con3;
    t.lambdaFunc = s.lambdaFunc;
    t.lambda2Func = s.lambda2Func;
    t.heatCapacityFunc = s.heatCapacityFunc;
    t.temperatureFunc = s.temperatureFunc;
    t.hGlobalFunc = s.hGlobalFunc;
    t.fluxFunc = s.fluxFunc;
    t.airTemperatureFunc = s.airTemperatureFunc;
    t.hConvectiveFunc = s.hConvectiveFunc;
    t.qConvectiveFunc = s.qConvectiveFunc;
    t.radiantTemperatureFunc = s.radiantTemperatureFunc;
    t.reflectionFunc = s.reflectionFunc;
    t.transmissionFunc = s.transmissionFunc;
    t.emissivityFunc = s.emissivityFunc;
    t.solar = s.solar;
    t.solarReflection = s.solarReflection;
    t.solarTransmission = s.solarTransmission;
}

namespace {
bool AnyColourInUseOfType(const ModelStore& model, bool withSolar)
{
    for (const ColourRecord& c : model.colours) {
        if (!c.inUse)
            continue;
        if (c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == TRANSMAT ||
            (withSolar && c.type == BC_FRE_S))
            return true;
    }
    return false;
}
} // namespace

bool HasRadiatingColours()
{
    return AnyColourInUseOfType(g_model, false);
}

bool HasRadiatingColours(const ModelStore& model)
{
    return AnyColourInUseOfType(model, false);
}

bool HasRadiatingOrSolarColours()
{
    const bool found = AnyColourInUseOfType(g_model, true);
    if (!found)
        g_model.solarResults = false;
    return found;
}

void SetDisplayColour(ColourRecord& c, int red, int green, int blue)
{
    c.red = static_cast<std::uint8_t>(red);
    c.green = static_cast<std::uint8_t>(green);
    c.blue = static_cast<std::uint8_t>(blue);
    c.displayColour = RGB(red, green, blue);
}

// ---- grid ----

void ComputeGridCoordinates()
{
    for (GridAxis& a : g_model.axes) {
        double sum = 0;
        for (std::size_t i = 0; i < a.n; ++i) {
            sum += a.widths[i];
            a.coords[i] = static_cast<float>(sum);
        }
    }
}

void ComputeModelExtent()
{
    double squares = 0;
    for (int k = 0; k < 3; ++k) {
        const GridAxis& a = g_model.axes[k];
        g_model.extent[k] = a.n > 0 ? a.coords[a.n - 1] : 0.0f;
        g_model.centre[k] = g_model.extent[k] / 2;
        squares += static_cast<double>(g_model.centre[k]) * g_model.centre[k];
        g_model.viewOffset[k] = 0;
    }
    g_model.halfDiagonal = static_cast<float>(std::sqrt(squares));
}

// ---- life cycle ----

void ResetModel()
{
    ModelStore& m = g_model;
    FreeWorkArrays(1);
    FreeWorkArrays(0);
    g_run.solutionValid = false;
    m.title.clear();
    for (ColourRecord& c : m.colours) {
        c.inUse = 0;
        c.insertGuard = 0;
        c.clipShow = 1;
        c.unlinked = 0;
    }
    GrowGridLineArrays(200);
    GrowBlockArray(1000);
    GrowNodeBcArray(100);
    GrowBorderBcArray(100);
    GrowOutputNodeArray(100);
    GrowOutputBlockArray(100);
    GrowReportItemArray(100);
    GrowControlArray(100);
    ReserveFaceList(100000);

    const ParameterSet& p = g_parameters;
    m.gridUnit = p.grun;
    m.linearRadiation = p.linr;
    m.hrBlack = p.hrbl;
    m.minViewFactor = p.vwfc;
    m.rays = p.rays;
    m.recalcCen = p.ccen;
    m.cycles = p.cycl;
    m.iterations = p.iter;
    m.maxDeltaT = p.mxdt;
    m.maxObjectDivergence = p.mxod;
    m.maxNodeDivergence = p.mxnd;
    m.airspaceDeltaT = p.dtas;
    m.tmin = p.tmin, m.tmax = p.tmax, m.tin1 = p.tin1, m.tin2 = p.tin2, m.tsin = p.tsin;
    m.qmin = p.qmin, m.qmax = p.qmax, m.qin1 = p.qin1, m.qin2 = p.qin2;
    m.splitSize = p.tras, m.splitDistance = p.diss, m.splitRatio = p.rats;
    m.lcob = p.lcob, m.lcgr = p.lcgr, m.lct1 = p.lct1, m.lct2 = p.lct2, m.lcts = p.lcts;
    m.lcq1 = p.lcq1, m.lcq2 = p.lcq2;
    m.lwob = p.lwob, m.lwgr = p.lwgr, m.lwt1 = p.lwt1, m.lwt2 = p.lwt2, m.lwts = p.lwts;
    m.lwq1 = p.lwq1, m.lwq2 = p.lwq2;

    m.blocks.count = 0;
    m.blockBase = 0;
    m.nodeBcs.count = 0;
    m.borderBcs.count = 0;
    m.materialBcs.count = 0;
    m.functions.count = 0;
    m.ventFlowCount = 0;
    m.outputNodes.count = 0;
    m.outputBlocks.count = 0;
    m.reportItems.count = 0;
    m.controls.count = 0;
    for (int k = 0; k < 3; ++k) {
        m.axes[k].n = 0;
        m.origin[k] = 0;
    }

    m.viewAzimuth = 30.0f;
    m.viewAltitude = 30.0f;
    m.rcl = 0;
    m.timeStep = 600;
    m.startupDuration = 0;
    m.calcDuration = 86400;
    m.day0 = 1;
    m.saveResults = 0;
    m.saveFrequency = 1;
    m.reportFrequency = 1;
    m.latitude = 50.78f;
    m.longitude = 4.37f;
    m.timeZone = 1.0f;
    m.groundReflection = 0.2f;
    m.rot1z = m.rot2x = m.rot3z = 0;
    m.azimuthNorth = m.altitudeNorth = 0;

    m.sunObstacles[0] = SunObstacleRecord{-180.0f, 180.0f, 0.0f, 5.0f};
    m.sunObstacleCount = 1;

    m.calcTime = 0;
    m.solarResults = false;
    m.resultsValid = false;
}

void FreeModel()
{
    FreeWorkArrays(1);
    FreeWorkArrays(0);
    FreeFaceList();
    g_model.outlines.Free();
    g_model.reportItems.Free();
    g_model.outputBlocks.Free();
    g_model.outputNodes.Free();
    FreeMaterialBcArray();
    FreeBorderBcArray();
    FreeNodeBcArray();
    FreeBlockArray();
    FreeGridLineArrays();
    for (GridAxis& a : g_model.axes)
        a.n = 0;
}

} // namespace gelmar

namespace gelmar {
double SnapToLengthQuantum(double value)
{
    return kernels::SnapToLengthQuantum(value);
}
} // namespace gelmar

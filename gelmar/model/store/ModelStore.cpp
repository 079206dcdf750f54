// The model store's arrays, colour operations and life cycle.
#include "gelmar/model/store/ModelStore.h"

#include "common/kernels/AxisLines.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/SettingKeys.h"

#include <cmath>

namespace gelmar {

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

bool GrowBlockArray(ModelStore& m, std::size_t n)
{
    return n <= kMaxCount16 && m.blocks.Grow(n);
}
void FreeBlockArray(ModelStore& m)
{
    m.blocks.Free();
}

void InitBlock(ModelStore& m, std::size_t i, int colour)
{
    BlockRecord& b = m.blocks[i];
    b = BlockRecord{};
    b.colour = static_cast<std::uint8_t>(colour);
    const std::uint16_t nz = m.axes[2].n;
    if (m.rcl && nz > 0) {
        b.z1 = static_cast<std::uint16_t>(nz - 1);
        b.z2 = nz;
    }
    m.colours[b.colour].inUse = 1;
}

bool GrowGridLineArrays(ModelStore& m, std::size_t n)
{
    if (n > kMaxCount16)
        return false;
    if (n <= m.gridCapacity)
        return true;
    try {
        // Grow all nine arrays before any is replaced, so a failure leaves
        // every axis as it was.
        std::array<GridAxis, 3> grown = m.axes;
        for (GridAxis& a : grown) {
            a.widths.resize(n);
            a.coords.resize(n);
            a.flags.resize(n + 1);
        }
        m.axes.swap(grown);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m.gridCapacity = static_cast<std::uint16_t>(n);
    return true;
}

void FreeGridLineArrays(ModelStore& m)
{
    for (GridAxis& a : m.axes) {
        std::vector<float>().swap(a.widths);
        std::vector<float>().swap(a.coords);
        std::vector<std::uint8_t>().swap(a.flags);
    }
    m.gridCapacity = 0;
}

bool GrowBorderBcArray(ModelStore& m, std::size_t n)
{
    return m.borderBcs.Grow(n);
}
void FreeBorderBcArray(ModelStore& m)
{
    m.borderBcs.Free();
}
void InitBorderBc(ModelStore& m, std::size_t i)
{
    m.borderBcs[i] = BorderFaceBcRecord{};
}

bool GrowMaterialBcArray(ModelStore& m, std::size_t n)
{
    return m.materialBcs.Grow(n);
}
void FreeMaterialBcArray(ModelStore& m)
{
    m.materialBcs.Free();
}
void InitMaterialBc(ModelStore& m, std::size_t i)
{
    m.materialBcs[i] = MaterialBcRecord{};
}

bool GrowNodeBcArray(ModelStore& m, std::size_t n)
{
    return m.nodeBcs.Grow(n);
}
void FreeNodeBcArray(ModelStore& m)
{
    m.nodeBcs.Free();
}
void InitNodeBc(ModelStore& m, std::size_t i)
{
    m.nodeBcs[i] = NodeBcRecord{};
}

bool GrowFunctionArray(ModelStore& m, std::size_t n)
{
    return n <= kMaxCount16 && m.functions.Grow(n);
}
void ClearFunctionRecord(ModelStore& m, std::size_t f)
{
    FunctionRecord& r = m.functions[f];
    const FunctionName name = r.name;
    r = FunctionRecord{};
    r.name = name;
}

bool GrowControlArray(ModelStore& m, std::size_t n)
{
    return n <= kMaxCount16 && m.controls.Grow(n);
}
void FreeControlArray(ModelStore& m)
{
    m.controls.Free();
}
void InitControl(ModelStore& m, std::size_t n)
{
    m.controls[n] = ControlRecord{};
}

bool GrowOutputNodeArray(ModelStore& m, std::size_t n)
{
    return m.outputNodes.Grow(n);
}
bool GrowOutputBlockArray(ModelStore& m, std::size_t n)
{
    return m.outputBlocks.Grow(n);
}
bool GrowReportItemArray(ModelStore& m, std::size_t n)
{
    return m.reportItems.Grow(n);
}

void InitVentilationFlow(ModelStore& m, std::size_t n)
{
    m.ventFlows[n] = VentilationFlowRecord{};
}

// ---- colour operations ----

bool IsColourDefined(const ColourRecord& c)
{
    return c.inUse || c.type != MATERIAL || c.lambda != 1.0f || !c.name.empty();
}

int FindFreeColour(const ModelStore& m, int start)
{
    start &= 0xFF;
    for (int k = 0; k < kColourCount; ++k) {
        const int c = (start + k) % kColourCount;
        if (!m.colours[c].inUse)
            return c;
    }
    return start;
}

void CopyColourProperties(ModelStore& m, int target, int source)
{
    ColourRecord& t = m.colours[target];
    const ColourRecord& s = m.colours[source];
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

bool HasRadiatingColours(const ModelStore& model)
{
    return AnyColourInUseOfType(model, false);
}

bool HasRadiatingOrSolarColours(const ModelStore& model, bool& solarResults)
{
    const bool found = AnyColourInUseOfType(model, true);
    if (!found)
        solarResults = false;
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

void ComputeGridCoordinates(ModelStore& m)
{
    for (GridAxis& a : m.axes) {
        double sum = 0;
        for (std::size_t i = 0; i < a.n; ++i) {
            sum += a.widths[i];
            a.coords[i] = static_cast<float>(sum);
        }
    }
}

void ComputeModelExtent(ModelStore& m)
{
    double squares = 0;
    for (int k = 0; k < 3; ++k) {
        const GridAxis& a = m.axes[k];
        m.extent[k] = a.n > 0 ? a.coords[a.n - 1] : 0.0f;
        m.centre[k] = m.extent[k] / 2;
        squares += static_cast<double>(m.centre[k]) * m.centre[k];
    }
    m.halfDiagonal = static_cast<float>(std::sqrt(squares));
}

// ---- life cycle ----

ModelStore::ModelStore()
{
    ResetSettings(*this, ParameterSet{});
}

void ResetModel(ModelStore& m, const ParameterSet& p)
{
    m.title.clear();
    for (ColourRecord& c : m.colours) {
        c.inUse = 0;
        c.insertGuard = 0;
        c.clipShow = 1;
        c.unlinked = 0;
    }
    GrowGridLineArrays(m, 200);
    GrowBlockArray(m, 1000);
    GrowNodeBcArray(m, 100);
    GrowBorderBcArray(m, 100);
    GrowOutputNodeArray(m, 100);
    GrowOutputBlockArray(m, 100);
    GrowReportItemArray(m, 100);
    GrowControlArray(m, 100);

    ResetSettings(m, p);

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

    m.sunObstacles[0] = SunObstacleRecord{-180.0f, 180.0f, 0.0f, 5.0f};
    m.sunObstacleCount = 1;
}

void FreeModel(ModelStore& m)
{
    m.reportItems.Free();
    m.outputBlocks.Free();
    m.outputNodes.Free();
    m.materialBcs.Free();
    m.borderBcs.Free();
    m.nodeBcs.Free();
    m.blocks.Free();
    for (GridAxis& a : m.axes) {
        std::vector<float>().swap(a.widths);
        std::vector<float>().swap(a.coords);
        std::vector<std::uint8_t>().swap(a.flags);
        a.n = 0;
    }
    m.gridCapacity = 0;
}

} // namespace gelmar

namespace gelmar {
double SnapToLengthQuantum(double value)
{
    return kernels::SnapToLengthQuantum(value, 0.001);
}
} // namespace gelmar

// Reader of the Gelmar data file: one handler per key of the key table, in
// three modes (open, preview, insert). Every value is range-checked before it
// is stored, so a bad line is a syntax error at that line and never a write
// outside an array.
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/DataKeys.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/Text1252.h"

#include <algorithm>
#include <array>
#include <new>
#include <utility>

namespace gelmar {

namespace {

// Largest count of the lists with 32-bit counts that a file may give; it
// keeps a damaged count from asking for gigabytes.
constexpr long long kMaxListCount = 1000000;

// Keys an inserted file contributes: colours, grid, blocks, controls and
// the orientation.
constexpr std::array<bool, kDataKeyCount> InsertKeys()
{
    std::array<bool, kDataKeyCount> a{};
    for (int k : {kColr, kCrgb, kType, kName, kPatt, kLamb, kEpsi, kTemp, kHglo, kFlux, kTair, kHcon, kQcon,
                  kTrad, kRule, kCon1, kCon2, kCon3, kRo,   kC,    kLafu, kCefu, kTmpf, kFlxf, kTafu, kPcfu,
                  kTrfu, kRffu, kLmfu, kHgfu, kHcfu, kEmfu, kTsfu, kNxwi, kXwid, kNywi, kYwid, kNzwi, kZwid,
                  kGrun, kNblk, kBlok, kCtrl, kCsen, kCtgf, kCstu, kCstd, kCpur, kCdto, kCdtf, kCsrf, kCdsf,
                  kCtdt, kCdtp, kCzn1, kCzn2, kNctr, kRt1z, kRt2x, kRt3z, kTsin})
        a[static_cast<std::size_t>(k)] = true;
    return a;
}
constexpr std::array<bool, kDataKeyCount> kInsertKeys = InsertKeys();

// Names whose digits are "00" (or too short to name anything), and the
// no-function names and parts of them that older files use, mean no function.
bool IsNoFunctionText(const std::string& text)
{
    return FunctionName(text).IsNone() ||
           std::string_view("T00I00P00L00M00C00H00V00E00S00").find(text) != std::string_view::npos;
}

// Completes a function file path: a bare file name takes the drive and folder
// of the data file. The title is the file name without folder and extension.
void CompleteFunctionPath(FunctionRecord& f, const std::string& path, const std::string& data)
{
    const std::size_t slash = path.find_last_of("/\\");
    const bool hasDrive = path.size() >= 2 && path[1] == ':';
    std::string name = slash == std::string::npos ? path.substr(hasDrive ? 2 : 0) : path.substr(slash + 1);
    if (slash == std::string::npos && !hasDrive) {
        const std::size_t dataSlash = data.find_last_of("/\\");
        f.filePath = (dataSlash == std::string::npos ? std::string() : data.substr(0, dataSlash + 1)) + path;
    } else {
        f.filePath = path;
    }
    const std::size_t dot = name.find_last_of('.');
    f.fileTitle = dot == std::string::npos ? name : name.substr(0, dot);
}

class DataFileReader {
  public:
    DataFileReader(ModelStore& m, std::string path, ReadMode mode, const ParameterSet& defaults,
                   EngineHost& host)
        : m_model(m), m_path(std::move(path)), m_preview(mode == ReadMode::Preview),
          m_insert(mode == ReadMode::Insert), m_defaults(defaults), m_host(host)
    {
    }
    bool Read();

  private:
    enum class Outcome { Go, Stop, Bad, NoMemory };
    Outcome Handle(int key);
    Outcome Colour(int key);
    Outcome Grid(int axis, bool isCount);
    Outcome Block(int key);
    Outcome Lists(int key);
    Outcome Functions(int key);
    Outcome Controls(int key);
    Outcome Output(int key);
    void AfterLoop();

    // Value parsing from the current line.
    bool Int(int& v) { return common::ScanInt(m_p, v); }
    bool Float(float& v) { return common::ScanFloat(m_p, v); }
    std::string Text() const { return platform::Cp1252ToUtf8(m_reader.ValueView()); }
    bool IntIn(int& v, int lo, int hi) { return Int(v) && v >= lo && v <= hi; }
    // Stores the value only when it is in range: a refused value is never kept.
    bool SetIntIn(std::int32_t& target, int lo, int hi)
    {
        int v = 0;
        if (!IntIn(v, lo, hi))
            return false;
        target = v;
        return true;
    }

    ModelStore& m_model;
    const std::string m_path; // the file read (a copy: the model's own path changes)
    bool m_preview;
    bool m_insert;
    const ParameterSet& m_defaults;
    EngineHost& m_host;
    common::KeywordLineReader m_reader;
    const char* m_p = nullptr;

    int m_colour = -1, m_nodeBc = -1, m_borderBc = -1, m_materialBc = -1;
    int m_function = -1, m_vent = -1, m_control = -1;
    std::size_t m_widthPos[3] = {};
    int m_fileBlocks = 0;
    // Insert mode: the inserted file's own widths per axis (present once its
    // count line was read) and its grid unit (0 while not given).
    std::vector<float> m_insertWidths[3];
    bool m_insertAxis[3] = {};
    float m_insertGridUnit = 0;
};

bool DataFileReader::Read()
{
    ModelStore& m = m_model;
    // Open first: a file that cannot be read leaves the model untouched.
    const std::string& path = m_path;
    if (!m_reader.Open(path)) {
        if (!m_preview)
            ReportOpenFailure(m_host, path);
        return false;
    }
    if (!m_preview) {
        RemoveTempFiles();
        RemoveStepFiles();
    }
    if (m_insert) {
        for (ColourRecord& c : m.colours)
            c.insertGuard = c.inUse;
        m.blockBase = m.blocks.count;
    } else {
        ResetModel(m, m_defaults);
    }
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    const std::string glm =
        (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot)
                                                                                 : path) +
        ".glm";
    m.dataFilePath = glm;

    const std::string_view keys = m_preview ? kDataKeys.substr(0, (kVwpt + 1) * kDataKeyLength) : kDataKeys;
    Outcome outcome = Outcome::Go;
    int key = -1;
    for (;;) {
        const common::LineStatus st = m_reader.ReadKeywordLine(keys, kDataKeyLength, key);
        if (st == common::LineStatus::End)
            break;
        if (st == common::LineStatus::TooLong) {
            outcome = Outcome::Bad;
            break;
        }
        if (key < 0 || (m_insert && !kInsertKeys[static_cast<std::size_t>(key)]))
            continue;
        m_p = m_reader.Value();
        try {
            // Block lines are most of a large file: straight to their handler.
            outcome = key == kBlok ? Block(key) : Handle(key);
        } catch (const std::bad_alloc&) {
            outcome = Outcome::NoMemory;
        }
        if (outcome != Outcome::Go)
            break;
    }
    m_reader.Close();
    if (outcome == Outcome::Bad)
        ReportSyntaxError(m_host, path, m_reader.LineCounter());
    else if (outcome == Outcome::NoMemory)
        ReportOutOfMemory(m_host);
    AfterLoop();
    return outcome == Outcome::Go || outcome == Outcome::Stop;
}

void DataFileReader::AfterLoop()
{
    ModelStore& m = m_model;
    if (m.rot1z == 0 && m.rot2x == 0 && m.rot3z == 0 && (m.azimuthNorth != 0 || m.altitudeNorth != 0)) {
        m.rot1z = m.azimuthNorth + 90.0f;
        m.rot2x = -m.altitudeNorth;
        m.rot3z = -90.0f;
    }
    if (m_insert) {
        if (m_insertGridUnit > 0 && m_insertGridUnit != m.gridUnit) {
            const double scale = static_cast<double>(m_insertGridUnit) / m.gridUnit;
            for (std::size_t b = m.blockBase; b < m.blocks.count; ++b)
                for (float& c : m.blocks[b].coord)
                    c = static_cast<float>(c * scale);
        }
        return;
    }
    // A function that never got a name line names nothing and can never be
    // referred to: it goes, as one named "T00" would.
    auto& functions = m.functions;
    std::size_t kept = 0;
    for (std::size_t f = 0; f < functions.count; ++f)
        if (!functions[f].name.IsNone())
            functions[kept++] = functions[f];
    functions.count = static_cast<std::uint16_t>(kept);

    ComputeGridCoordinates(m);
    for (int k = 0; k < 3; ++k) {
        m.clipLo[k] = 0;
        m.clipHi[k] = m.axes[k].n;
    }
    ComputeModelExtent(m);
}

DataFileReader::Outcome DataFileReader::Handle(int key)
{
    ModelStore& m = m_model;
    const auto ok = [](bool good) { return good ? Outcome::Go : Outcome::Bad; };
    int i = 0, j = 0;
    float f = 0, g = 0;
    switch (key) {
    case kXxxx:
    case kMxdc:
        return Outcome::Go;
    case kTitl:
        for (char c : Text())
            m.title.push_back(c == '`' ? '\r' : c == '~' ? '\n' : c);
        return Outcome::Go;
    case kGrun:
        if (!Float(f) || !(f > 0))
            return Outcome::Bad;
        (m_insert ? m_insertGridUnit : m.gridUnit) = f;
        return Outcome::Go;
    case kNxwi:
    case kNywi:
    case kNzwi:
        return Grid((key - kNxwi) / 2, true);
    case kXwid:
    case kYwid:
    case kZwid:
        return Grid((key - kXwid) / 2, false);
    case kNblk:
    case kBlok:
        return Block(key);
    case kVwpt:
        if (!Float(f) || !Float(g))
            return Outcome::Bad;
        m.viewAzimuth = f;
        m.viewAltitude = g;
        return m_preview ? Outcome::Stop : Outcome::Go;
    case kRcls:
        return ok(SetIntIn(m.rcl, 0, 1));
    case kLinr:
        return ok(SetIntIn(m.linearRadiation, 0, 1));
    case kCcen:
        return ok(SetIntIn(m.recalcCen, 0, 1));
    case kHrbl:
    case kVwfc:
    case kMxdt:
    case kMxod:
    case kMxnd:
    case kDtas: {
        if (!Float(f) || !(f >= 0))
            return Outcome::Bad;
        float* target[] = {&m.hrBlack,           &m.minViewFactor, &m.maxDeltaT, &m.maxObjectDivergence,
                           &m.maxNodeDivergence, &m.airspaceDeltaT};
        const int keysOf[] = {kHrbl, kVwfc, kMxdt, kMxod, kMxnd, kDtas};
        *target[std::find(keysOf, keysOf + 6, key) - keysOf] = f;
        return Outcome::Go;
    }
    case kRays:
        return ok(SetIntIn(m.rays, 1, INT32_MAX));
    case kCycl:
        return ok(SetIntIn(m.cycles, 1, INT32_MAX));
    case kIter:
        return ok(SetIntIn(m.iterations, 1, INT32_MAX));
    case kStep:
        return ok(SetIntIn(m.timeStep, 1, INT32_MAX));
    case kDay0:
        return ok(SetIntIn(m.day0, 1, INT32_MAX));
    case kPrec:
        return ok(SetIntIn(m.startupDuration, 0, INT32_MAX));
    case kCalc:
        return ok(SetIntIn(m.calcDuration, 0, INT32_MAX));
    case kTmin:
        return ok(Float(m.tmin));
    case kTmax:
        return ok(Float(m.tmax));
    case kTin1:
        return ok(Float(m.tin1));
    case kTin2:
        return ok(Float(m.tin2));
    case kTsin:
        return ok(Float(m.tsin));
    case kQmin:
        return ok(Float(m.qmin));
    case kQmax:
        return ok(Float(m.qmax));
    case kQin1:
        return ok(Float(m.qin1));
    case kQin2:
        return ok(Float(m.qin2));
    case kSave:
        if (!IntIn(i, 0, 1) || !IntIn(j, 1, INT32_MAX))
            return Outcome::Bad;
        m.saveResults = i;
        m.saveFrequency = j;
        return Outcome::Go;
    case kRptf:
        m.reportFrequency = Int(i) && i >= 1 ? i : 1;
        return Outcome::Go;
    case kLati:
        return ok(Float(m.latitude));
    case kLong:
        return ok(Float(m.longitude));
    case kTimz:
        return ok(Float(m.timeZone));
    case kRefg:
        return ok(Float(m.groundReflection));
    case kRt1z:
        return ok(Float(m.rot1z));
    case kRt2x:
        return ok(Float(m.rot2x));
    case kRt3z:
        return ok(Float(m.rot3z));
    case kAzno:
        return ok(Float(m.azimuthNorth));
    case kAlno:
        return ok(Float(m.altitudeNorth));
    case kUnlk:
        if (!IntIn(i, 0, 255))
            return Outcome::Bad;
        m.colours[static_cast<std::size_t>(i)].unlinked = 1;
        return Outcome::Go;
    default:
        break;
    }
    if (Outcome o = Colour(key); o != Outcome::Go || key == kColr)
        return o;
    if (Outcome o = Lists(key); o != Outcome::Go)
        return o;
    if (Outcome o = Functions(key); o != Outcome::Go)
        return o;
    if (Outcome o = Controls(key); o != Outcome::Go)
        return o;
    return Output(key);
}

DataFileReader::Outcome DataFileReader::Grid(int axis, bool isCount)
{
    ModelStore& m = m_model;
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (isCount) {
        int n = 0;
        if (!IntIn(n, 1, static_cast<int>(kMaxCount16)))
            return Outcome::Bad;
        m_widthPos[axis] = 0;
        if (m_insert) {
            m_insertWidths[axis].assign(static_cast<std::size_t>(n), 0.0f);
            m_insertAxis[axis] = true;
            return Outcome::Go;
        }
        if (static_cast<std::size_t>(n) > m.gridCapacity &&
            !GrowGridLineArrays(m, std::min<std::size_t>(static_cast<std::size_t>(n) + 100, kMaxCount16)))
            return Outcome::NoMemory;
        a.n = static_cast<std::uint16_t>(n);
        // Cells whose width line is missing get width 0, not a stale value.
        std::fill(a.widths.begin(), a.widths.begin() + n, 0.0f);
        return Outcome::Go;
    }
    float w = 0;
    if (!Float(w) || !(w >= 0))
        return Outcome::Bad;
    std::size_t& pos = m_widthPos[axis];
    if (m_insert) {
        if (!m_insertAxis[axis] || pos >= m_insertWidths[axis].size())
            return Outcome::Bad;
        m_insertWidths[axis][pos++] = w;
        return Outcome::Go;
    }
    if (a.n == 0 || pos >= a.n)
        return Outcome::Bad;
    a.widths[pos++] = w;
    return Outcome::Go;
}

DataFileReader::Outcome DataFileReader::Block(int key)
{
    ModelStore& m = m_model;
    if (key == kNblk) {
        int n = 0;
        if (!IntIn(n, 1, static_cast<int>(kMaxCount16)))
            return Outcome::Bad;
        const std::size_t count = std::size_t{m.blockBase} + static_cast<std::size_t>(n);
        if (count > kMaxCount16)
            return Outcome::Bad;
        if (count > m.blocks.capacity && !GrowBlockArray(m, std::min(count + 100, kMaxCount16)))
            return Outcome::NoMemory;
        for (std::size_t b = m.blocks.count; b < count; ++b)
            m.blocks[b] = BlockRecord{};
        m.blocks.count = static_cast<std::uint16_t>(count);
        m_fileBlocks = n;
        return Outcome::Go;
    }
    int number = 0, colour = 0, v[6] = {};
    if (!IntIn(number, 0, m_fileBlocks - 1) || !IntIn(colour, 0, 255))
        return Outcome::Bad;
    for (int k = 0; k < 3; ++k) {
        const int n =
            m_insert ? (m_insertAxis[k] ? static_cast<int>(m_insertWidths[k].size()) : 0) : m.axes[k].n;
        if (!IntIn(v[2 * k], 0, n) || !IntIn(v[2 * k + 1], v[2 * k] + 1, n))
            return Outcome::Bad;
    }
    BlockRecord& b = m.blocks[std::size_t{m.blockBase} + static_cast<std::size_t>(number)];
    b.colour = static_cast<std::uint8_t>(colour);
    b.flags = 0;
    if (!m_insert) {
        b.x1 = static_cast<std::uint16_t>(v[0]), b.x2 = static_cast<std::uint16_t>(v[1]);
        b.y1 = static_cast<std::uint16_t>(v[2]), b.y2 = static_cast<std::uint16_t>(v[3]);
        b.z1 = static_cast<std::uint16_t>(v[4]), b.z2 = static_cast<std::uint16_t>(v[5]);
        return Outcome::Go;
    }
    for (int k = 0; k < 6; ++k) {
        const std::vector<float>& w = m_insertWidths[k / 2];
        double sum = m.origin[k / 2];
        for (int c = 0; c < v[k]; ++c)
            sum += w[static_cast<std::size_t>(c)];
        b.coord[k] = static_cast<float>(SnapToLengthQuantum(sum));
    }
    return Outcome::Go;
}

DataFileReader::Outcome DataFileReader::Colour(int key)
{
    ModelStore& m = m_model;
    if (key == kColr) {
        int c = 0;
        if (!IntIn(c, 0, 255))
            return Outcome::Bad;
        m_colour = c;
        ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
        if (!r.insertGuard) {
            r.inUse = 1;
            r.name.clear();
        }
        return Outcome::Go;
    }
    // Value keys with the function name they reset.
    struct ValueKey {
        int key;
        float ColourRecord::*value;
        FunctionName ColourRecord::*func;
        const char* funcDefault;
    };
    static const ValueKey kValues[] = {
        {kEpsi, &ColourRecord::epsilon, &ColourRecord::emissivityFunc, "E00"},
        {kRo, &ColourRecord::density, nullptr, nullptr},
        {kC, &ColourRecord::heatCapacity, &ColourRecord::heatCapacityFunc, "C00"},
        {kTemp, &ColourRecord::temperature, &ColourRecord::temperatureFunc, "T00"},
        {kHglo, &ColourRecord::hGlobal, &ColourRecord::hGlobalFunc, "H00"},
        {kFlux, &ColourRecord::flux, &ColourRecord::fluxFunc, "I00"},
        {kTair, &ColourRecord::airTemperature, &ColourRecord::airTemperatureFunc, "T00"},
        {kHcon, &ColourRecord::hConvective, &ColourRecord::hConvectiveFunc, "H00"},
        {kQcon, &ColourRecord::qConvective, &ColourRecord::qConvectiveFunc, "P00"},
        {kTrad, &ColourRecord::radiantTemperature, &ColourRecord::radiantTemperatureFunc, "T00"},
        {kCon1, &ColourRecord::con1, nullptr, nullptr},
        {kCon2, &ColourRecord::con2, nullptr, nullptr},
        {kCon3, &ColourRecord::con3, nullptr, nullptr},
        {kRefs, &ColourRecord::solarReflection, &ColourRecord::reflectionFunc, "R00"},
        {kTras, &ColourRecord::solarTransmission, &ColourRecord::transmissionFunc, "S00"},
    };
    static const std::pair<int, FunctionName ColourRecord::*> kFuncs[] = {
        {kLafu, &ColourRecord::lambdaFunc},         {kLmfu, &ColourRecord::lambda2Func},
        {kCefu, &ColourRecord::heatCapacityFunc},   {kTmpf, &ColourRecord::temperatureFunc},
        {kHgfu, &ColourRecord::hGlobalFunc},        {kFlxf, &ColourRecord::fluxFunc},
        {kTafu, &ColourRecord::airTemperatureFunc}, {kHcfu, &ColourRecord::hConvectiveFunc},
        {kPcfu, &ColourRecord::qConvectiveFunc},    {kTrfu, &ColourRecord::radiantTemperatureFunc},
        {kRffu, &ColourRecord::reflectionFunc},     {kTsfu, &ColourRecord::transmissionFunc},
        {kEmfu, &ColourRecord::emissivityFunc},
    };
    const ValueKey* value = nullptr;
    for (const ValueKey& v : kValues)
        if (v.key == key)
            value = &v;
    FunctionName ColourRecord::*func = nullptr;
    for (const auto& [k, fn] : kFuncs)
        if (k == key)
            func = fn;
    const bool colourKey = value || func || key == kCrgb || key == kType || key == kRule || key == kName ||
                           key == kPatt || key == kLamb || key == kSolz;
    if (!colourKey)
        return Outcome::Go;
    if (m_colour < 0)
        return Outcome::Bad;
    ColourRecord scratch;
    // A guarded colour (already used by the model) is parsed but not changed.
    ColourRecord& r = m.colours[static_cast<std::size_t>(m_colour)].insertGuard
                          ? scratch
                          : m.colours[static_cast<std::size_t>(m_colour)];
    int a = 0, b = 0, c = 0;
    float f = 0;
    if (value) {
        if (!Float(f))
            return Outcome::Bad;
        r.*(value->value) = f;
        if (value->func)
            (r.*(value->func)).Set(value->funcDefault);
        return Outcome::Go;
    }
    if (func) {
        (r.*func).Set(Text());
        return Outcome::Go;
    }
    switch (key) {
    case kCrgb:
        if (!IntIn(a, 0, 255) || !IntIn(b, 0, 255) || !IntIn(c, 0, 255))
            return Outcome::Bad;
        SetDisplayColour(r, a, b, c);
        return Outcome::Go;
    case kType:
        return SetIntIn(r.type, 0, kColourTypeCount - 1) ? Outcome::Go : Outcome::Bad;
    case kRule:
        return SetIntIn(r.rule, 0, kRuleCount - 1) ? Outcome::Go : Outcome::Bad;
    case kName:
        r.name = Text();
        return Outcome::Go;
    case kPatt:
        if (!IntIn(a, 0, INT32_MAX))
            return Outcome::Bad;
        r.pattern = a == 0 ? 1 : a;
        return Outcome::Go;
    case kLamb:
        if (!Float(f))
            return Outcome::Bad;
        r.lambda = f;
        r.lambdaFunc.Set("L00");
        r.lambda2Func.Set("M00");
        return Outcome::Go;
    case kSolz:
        if (!Float(f))
            return Outcome::Bad;
        r.solar = f != 0 ? 1 : 0;
        return Outcome::Go;
    default:
        return Outcome::Go;
    }
}

// Sets a list's count, growing its array by the margin when needed and giving
// every record it adds its defaults.
template <typename T, typename Size, typename Init>
bool SetListCount(RecordArray<T, Size>& list, std::size_t count, std::size_t margin, Init init)
{
    if (count > static_cast<std::size_t>(list.capacity) && !list.Grow(count + margin))
        return false;
    for (std::size_t k = static_cast<std::size_t>(list.count); k < count; ++k)
        init(k);
    list.count = static_cast<Size>(count);
    return true;
}

DataFileReader::Outcome DataFileReader::Lists(int key)
{
    ModelStore& m = m_model;
    int n = 0;
    float f = 0;
    const auto count = [&](auto& list, std::size_t margin, auto init) {
        if (!IntIn(n, 0, static_cast<int>(kMaxListCount)))
            return Outcome::Bad;
        return SetListCount(list, static_cast<std::size_t>(n), margin, init) ? Outcome::Go
                                                                             : Outcome::NoMemory;
    };
    switch (key) {
    case kNnbc:
        return count(m.nodeBcs, 100, [&m](std::size_t k) { InitNodeBc(m, k); });
    case kNbcd: {
        int p[3];
        if (!IntIn(n, 0, m.nodeBcs.count - 1))
            return Outcome::Bad;
        for (int k = 0; k < 3; ++k)
            if (!IntIn(p[k], 0, m.axes[static_cast<std::size_t>(k)].n))
                return Outcome::Bad;
        NodeBcRecord& r = m.nodeBcs[static_cast<std::size_t>(n)];
        const std::uint8_t type = r.type;
        r = NodeBcRecord{};
        r.type = type;
        r.i = static_cast<std::uint16_t>(p[0]), r.j = static_cast<std::uint16_t>(p[1]);
        r.k = static_cast<std::uint16_t>(p[2]);
        m_nodeBc = n;
        return Outcome::Go;
    }
    case kNbty:
    case kNbte:
    case kNbpo:
    case kNbtf:
    case kNbpf: {
        if (m_nodeBc < 0)
            return Outcome::Bad;
        NodeBcRecord& r = m.nodeBcs[static_cast<std::size_t>(m_nodeBc)];
        if (key == kNbty) {
            if (!IntIn(n, 0, 1))
                return Outcome::Bad;
            r.type = static_cast<std::uint8_t>(n);
        } else if (key == kNbte || key == kNbpo) {
            if (!Float(f))
                return Outcome::Bad;
            (key == kNbte ? r.temperature : r.power) = f;
            (key == kNbte ? r.temperatureFunc : r.powerFunc).Set(key == kNbte ? "T00" : "P00");
        } else {
            (key == kNbtf ? r.temperatureFunc : r.powerFunc).Set(Text());
        }
        return Outcome::Go;
    }
    case kNbor:
        return count(m.borderBcs, 50, [&m](std::size_t k) { InitBorderBc(m, k); });
    case kBori:
        if (!IntIn(n, 0, m.borderBcs.count - 1))
            return Outcome::Bad;
        InitBorderBc(m, static_cast<std::size_t>(n));
        m_borderBc = n;
        return Outcome::Go;
    case kBor1:
    case kBor2:
    case kBory:
    case kBort:
    case kBorq:
    case kBotf:
    case kBoqf: {
        if (m_borderBc < 0)
            return Outcome::Bad;
        BorderFaceBcRecord& r = m.borderBcs[static_cast<std::size_t>(m_borderBc)];
        if (key == kBor1 || key == kBor2) {
            if (!IntIn(n, -1, 255))
                return Outcome::Bad;
            (key == kBor1 ? r.colour1 : r.colour2) = static_cast<std::int16_t>(n);
        } else if (key == kBory) {
            if (!IntIn(n, 0, 1))
                return Outcome::Bad;
            r.type = static_cast<std::uint8_t>(n);
        } else if (key == kBort || key == kBorq) {
            if (!Float(f))
                return Outcome::Bad;
            (key == kBort ? r.temperature : r.flux) = f;
            (key == kBort ? r.temperatureFunc : r.fluxFunc).Set(key == kBort ? "T00" : "I00");
        } else {
            (key == kBotf ? r.temperatureFunc : r.fluxFunc).Set(Text());
        }
        return Outcome::Go;
    }
    case kNmat:
        return count(m.materialBcs, 10, [&m](std::size_t k) { InitMaterialBc(m, k); });
    case kMati:
        if (!IntIn(n, 0, m.materialBcs.count - 1))
            return Outcome::Bad;
        InitMaterialBc(m, static_cast<std::size_t>(n));
        m_materialBc = n;
        return Outcome::Go;
    case kMatc:
    case kMaty:
    case kMatt:
    case kMatp:
    case kMatf:
    case kMapf: {
        if (m_materialBc < 0)
            return Outcome::Bad;
        MaterialBcRecord& r = m.materialBcs[static_cast<std::size_t>(m_materialBc)];
        if (key == kMatc) {
            if (!IntIn(n, -1, 255))
                return Outcome::Bad;
            r.colour = static_cast<std::int16_t>(n);
        } else if (key == kMaty) {
            if (!IntIn(n, 0, 1))
                return Outcome::Bad;
            r.type = static_cast<std::uint8_t>(n);
        } else if (key == kMatt || key == kMatp) {
            if (!Float(f))
                return Outcome::Bad;
            (key == kMatt ? r.temperature : r.power) = f;
            (key == kMatt ? r.temperatureFunc : r.powerFunc).Set(key == kMatt ? "T00" : "P00");
        } else {
            (key == kMatf ? r.temperatureFunc : r.powerFunc).Set(Text());
        }
        return Outcome::Go;
    }
    default:
        return Outcome::Go;
    }
}

DataFileReader::Outcome DataFileReader::Functions(int key)
{
    ModelStore& m = m_model;
    int number = 0, shape = 0, from = 0, to = 0;
    float f = 0;
    switch (key) {
    case kFunt: {
        if (!Int(number) || !IntIn(shape, 0, 6))
            return Outcome::Bad;
        const std::size_t count = std::size_t{m.functions.count} + 1;
        if (count > kMaxCount16)
            return Outcome::Bad;
        if (count > m.functions.capacity && !GrowFunctionArray(m, std::min(count + 100, kMaxCount16)))
            return Outcome::NoMemory;
        m.functions.count = static_cast<std::uint16_t>(count);
        m_function = static_cast<int>(count - 1);
        FunctionRecord& r = m.functions[count - 1];
        r = FunctionRecord{};
        r.shape = static_cast<std::uint8_t>(shape);
        return Outcome::Go;
    }
    case kFunr: {
        if (m_function < 0)
            return Outcome::Bad;
        const std::string name = Text();
        if (IsNoFunctionText(name)) {
            --m.functions.count;
            m_function = -1;
        } else {
            m.functions[static_cast<std::size_t>(m_function)].name.Set(name);
        }
        return Outcome::Go;
    }
    case kFunn:
        if (m_function >= 0)
            CompleteFunctionPath(m.functions[static_cast<std::size_t>(m_function)], Text(), m.dataFilePath);
        return Outcome::Go;
    case kFunp: {
        float p[6];
        for (float& v : p)
            if (!Float(v))
                return Outcome::Bad;
        if (m_function >= 0)
            std::copy(p, p + 6, m.functions[static_cast<std::size_t>(m_function)].params);
        return Outcome::Go;
    }
    case kVent:
        if (!IntIn(from, -1, 255) || !IntIn(to, -1, 255))
            return Outcome::Bad;
        if (m.ventFlowCount >= kMaxVentilationFlows) {
            m_host.MessageBox("Max. number of ventilation flows too low.", MessageStyle::Ok);
            return Outcome::Bad;
        }
        m_vent = m.ventFlowCount++;
        InitVentilationFlow(m, static_cast<std::size_t>(m_vent));
        m.ventFlows[static_cast<std::size_t>(m_vent)].colourFrom = static_cast<std::int16_t>(from);
        m.ventFlows[static_cast<std::size_t>(m_vent)].colourTo = static_cast<std::int16_t>(to);
        return Outcome::Go;
    case kVeco:
        if (m_vent < 0 || !Float(f))
            return Outcome::Bad;
        m.ventFlows[static_cast<std::size_t>(m_vent)].flow = f;
        m.ventFlows[static_cast<std::size_t>(m_vent)].flowFunc.Set("V00");
        return Outcome::Go;
    case kVefl:
        if (m_vent < 0)
            return Outcome::Bad;
        m.ventFlows[static_cast<std::size_t>(m_vent)].flowFunc.Set(Text());
        return Outcome::Go;
    default:
        return Outcome::Go;
    }
}

DataFileReader::Outcome DataFileReader::Controls(int key)
{
    ModelStore& m = m_model;
    int n = 0;
    if (key == kNctr) {
        if (!IntIn(n, 0, static_cast<int>(kMaxCount16)))
            return Outcome::Bad;
        const std::size_t count = static_cast<std::size_t>(n);
        if (count > m.controls.capacity && !GrowControlArray(m, std::min(count + 100, kMaxCount16)))
            return Outcome::NoMemory;
        for (std::size_t k = m.controls.count; k < count; ++k)
            InitControl(m, k);
        m.controls.count = static_cast<std::uint16_t>(count);
        return Outcome::Go;
    }
    if (key == kCtrl) {
        if (!IntIn(n, 0, m.controls.count - 1))
            return Outcome::Bad;
        InitControl(m, static_cast<std::size_t>(n));
        m_control = n;
        return Outcome::Go;
    }
    if (key < kCtrl || key > kCzn2)
        return Outcome::Go;
    if (m_control < 0)
        return Outcome::Bad;
    ControlRecord& r = m.controls[static_cast<std::size_t>(m_control)];
    switch (key) {
    case kCsen:
        return Int(r.sensor) ? Outcome::Go : Outcome::Bad;
    case kCpur:
        return Int(r.purpose) ? Outcome::Go : Outcome::Bad;
    case kCtdt:
        return Int(r.testDeltaT) ? Outcome::Go : Outcome::Bad;
    case kCstu:
        return Float(r.sensitivityUp) ? Outcome::Go : Outcome::Bad;
    case kCstd:
        return Float(r.sensitivityDown) ? Outcome::Go : Outcome::Bad;
    case kCdto:
        return Float(r.timeOn) ? Outcome::Go : Outcome::Bad;
    case kCdtf:
        return Float(r.timeOff) ? Outcome::Go : Outcome::Bad;
    case kCdtp:
        return Float(r.deltaT) ? Outcome::Go : Outcome::Bad;
    case kCtgf:
        r.targetFunc.Set(Text());
        return Outcome::Go;
    case kCsrf:
        r.offFunc.Set(Text());
        return Outcome::Go;
    case kCdsf:
        r.onFunc.Set(Text());
        return Outcome::Go;
    case kCzn1:
    case kCzn2:
        // Zones are 16-bit fields: a value that would wrap is refused.
        if (!IntIn(n, INT16_MIN, INT16_MAX))
            return Outcome::Bad;
        (key == kCzn1 ? r.zone1 : r.zone2) = static_cast<std::int16_t>(n);
        return Outcome::Go;
    default:
        return Outcome::Go;
    }
}

DataFileReader::Outcome DataFileReader::Output(int key)
{
    ModelStore& m = m_model;
    int n = 0;
    const auto count = [&](auto& list, auto init) {
        if (!IntIn(n, 0, static_cast<int>(kMaxListCount)))
            return Outcome::Bad;
        return SetListCount(list, static_cast<std::size_t>(n), 100, init) ? Outcome::Go : Outcome::NoMemory;
    };
    const int nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    switch (key) {
    case kNond:
        return count(m.outputNodes, [&m](std::size_t k) { m.outputNodes[k] = OutputNodeRecord{}; });
    case kOnod: {
        int i = 0, j = 0, k = 0;
        if (!IntIn(n, 0, m.outputNodes.count - 1) || !IntIn(i, 0, nx) || !IntIn(j, 0, ny) || !IntIn(k, 0, nz))
            return Outcome::Bad;
        OutputNodeRecord& r = m.outputNodes[static_cast<std::size_t>(n)];
        r.i = static_cast<std::uint16_t>(i), r.j = static_cast<std::uint16_t>(j),
        r.k = static_cast<std::uint16_t>(k);
        return Outcome::Go;
    }
    case kNobl:
        return count(m.outputBlocks, [&m](std::size_t k) { m.outputBlocks[k] = OutputBlockRecord{}; });
    case kOblk: {
        int v[6];
        const int limit[3] = {nx + 1, ny + 1, nz + 1};
        if (!IntIn(n, 0, m.outputBlocks.count - 1))
            return Outcome::Bad;
        for (int a = 0; a < 3; ++a)
            if (!IntIn(v[2 * a], 0, limit[a]) || !IntIn(v[2 * a + 1], v[2 * a] + 1, limit[a]))
                return Outcome::Bad;
        OutputBlockRecord& r = m.outputBlocks[static_cast<std::size_t>(n)];
        std::uint16_t* dst[6] = {&r.i1, &r.i2, &r.j1, &r.j2, &r.k1, &r.k2};
        for (int a = 0; a < 6; ++a)
            *dst[a] = static_cast<std::uint16_t>(v[a]);
        return Outcome::Go;
    }
    case kNrpt:
        return count(m.reportItems, [&m](std::size_t k) { m.reportItems[k] = ReportItemRecord{}; });
    case kRept: {
        int kind = 0, item = 0, sub = 0, width = 0, dec = 0;
        if (!IntIn(n, 0, m.reportItems.count - 1) || !IntIn(kind, 0, 8) || !IntIn(item, 0, INT32_MAX) ||
            !IntIn(sub, 0, 18) || !IntIn(width, 1, INT32_MAX) || !IntIn(dec, 0, INT32_MAX))
            return Outcome::Bad;
        ReportItemRecord& r = m.reportItems[static_cast<std::size_t>(n)];
        r.kind = kind, r.number = item, r.subKind = sub, r.width = width, r.decimals = dec;
        return Outcome::Go;
    }
    case kNsob:
        if (!IntIn(n, 0, INT32_MAX))
            return Outcome::Bad;
        if (n > kMaxSunObstacles) {
            m_host.MessageBox("Too many sun obstacles", MessageStyle::Ok);
            return Outcome::Bad;
        }
        for (int k = m.sunObstacleCount; k < n; ++k)
            m.sunObstacles[static_cast<std::size_t>(k)] = SunObstacleRecord{};
        m.sunObstacleCount = n;
        return Outcome::Go;
    case kSobs: {
        float a[4];
        if (!IntIn(n, 0, m.sunObstacleCount - 1))
            return Outcome::Bad;
        for (float& v : a)
            if (!Float(v))
                return Outcome::Bad;
        m.sunObstacles[static_cast<std::size_t>(n)] = SunObstacleRecord{a[0], a[1], a[2], a[3]};
        return Outcome::Go;
    }
    default:
        return Outcome::Go;
    }
}

} // namespace

bool ReadDataFile(ModelStore& m, const std::string& path, ReadMode mode, const ParameterSet& defaults,
                  EngineHost& host)
{
    return DataFileReader(m, path, mode, defaults, host).Read();
}

} // namespace gelmar

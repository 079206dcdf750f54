// Reader of the Novelk data file: one handler per key of the key table, in
// three modes. Every value is checked before it is stored, so a bad line is a
// syntax error at that line and never a write outside an array; the bounds of
// blocks, node BCs and area boxes are checked once more against the grid the
// whole file gives.
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/kernels/AxisLines.h"
#include "novelk/model/areas/Areas.h"
#include "novelk/model/files/DataFile.h"
#include "novelk/model/files/DataKeys.h"
#include "novelk/model/files/Settings.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/RunState.h"
#include "novelk/model/store/TempFiles.h"
#include "platform/core/Text1252.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

namespace novelk {

namespace {

// Largest count of the lists with 32-bit counts that a file may give; it
// keeps a damaged count from asking for gigabytes.
constexpr long long kMaxListCount = 1000000;

// Keys an inserted file contributes: colours, widths, blocks and its grid unit.
constexpr std::array<bool, kDataKeyCount> InsertKeys()
{
    std::array<bool, kDataKeyCount> a{};
    for (int k :
         {kColr, kCrgb, kType, kNxwi, kXwid, kNywi, kYwid, kNzwi, kZwid, kNblk, kBlok, kGrun, kName, kPatt,
          kLamb, kEpsi, kTemp, kHglo, kFlux, kTair, kHcon, kQcon, kTrad, kRule, kCon1, kCon2, kCon3})
        a[static_cast<std::size_t>(k)] = true;
    return a;
}
constexpr std::array<bool, kDataKeyCount> kInsertKeys = InsertKeys();

// A bad value at the current line.
struct BadLine {};

class DataFileReader {
  public:
    DataFileReader(ModelStore& m, const std::string& path, ReadMode mode)
        : m_model(m), m_path(path), m_mode(mode)
    {
    }
    // Opens the file; false when it cannot be read.
    bool Open() { return m_reader.Open(m_path); }
    // Reads every line; EngineError Syntax or Memory on failure.
    void Read();

  private:
    bool Insert() const { return m_mode == ReadMode::Insert; }
    // Dispatches one line; false when it ends the reading.
    bool Handle(int key);
    void Colour(int key);
    void Width(int axis, bool isCount);
    void Blocks(int key);
    void NodeBcs(int key);
    void BorderBcs(int key);
    void MaterialBcs(int key);
    void Box(int key);
    void GraphicReport();
    void AfterLoop();
    // The line of the first record of the file that lies outside the grid
    // (0: none); such records go, so that the store never holds them.
    int CheckAgainstGrid();

    // Values of the current line.
    int Int()
    {
        int v = 0;
        if (!common::ScanInt(m_p, v))
            throw BadLine{};
        return v;
    }
    int IntIn(long long lo, long long hi)
    {
        const int v = Int();
        if (v < lo || v > hi)
            throw BadLine{};
        return v;
    }
    float Float()
    {
        float v = 0;
        if (!common::ScanFloat(m_p, v))
            throw BadLine{};
        return v;
    }
    std::string Text() const { return platform::Cp1252ToUtf8(m_reader.ValueView()); }
    static void Check(bool good)
    {
        if (!good)
            throw BadLine{};
    }
    ColourRecord& CurrentColour()
    {
        Check(m_colour >= 0);
        return m_model.colours[static_cast<std::size_t>(m_colour)];
    }
    // A colour value goes into the current colour unless the colour keeps its
    // values while a file is inserted.
    template <typename T> void SetColourValue(T ColourRecord::*field, T value)
    {
        ColourRecord& c = CurrentColour();
        if (!c.keepOnInsert)
            c.*field = value;
    }

    ModelStore& m_model;
    const std::string& m_path;
    ReadMode m_mode;
    common::KeywordLineReader m_reader;
    const char* m_p = nullptr;

    int m_colour = -1, m_nodeBc = -1, m_borderBc = -1, m_materialBc = -1;
    std::size_t m_widthPos[3] = {};
    int m_fileBlocks = 0; // n of the last `nblk`
    int m_graphicEntries = 0;
    // The line that last wrote each block of the file, node BC and box (0: none).
    std::vector<int> m_blockLine;
    std::vector<int> m_nodeBcLine;
    int m_areaLine[kAreaRecords] = {}, m_elementLine[kAreaRecords] = {};
    // Insert: the file's own widths per axis, with their prefix sums once
    // asked for, and its grid unit (0 while not given).
    std::vector<float> m_insertWidths[3];
    std::vector<double> m_insertSums[3];
    bool m_insertAxis[3] = {};
    float m_insertGridUnit = 0;
};

void DataFileReader::Read()
{
    if (Insert()) {
        for (ColourRecord& c : m_model.colours)
            c.keepOnInsert = c.inUse;
        m_model.blockBase = m_model.blocks.count;
    }
    const std::string_view keys =
        m_mode == ReadMode::Preview ? kDataKeys.substr(0, (kVwpt + 1) * kDataKeyLength) : kDataKeys;
    enum class Outcome { Done, Bad, NoMemory } outcome = Outcome::Done;
    int key = -1;
    for (;;) {
        const common::LineStatus st = m_reader.ReadKeywordLine(keys, kDataKeyLength, key);
        if (st == common::LineStatus::End)
            break;
        if (st == common::LineStatus::TooLong) {
            outcome = Outcome::Bad;
            break;
        }
        if (key < 0 || (Insert() && !kInsertKeys[static_cast<std::size_t>(key)]))
            continue;
        m_p = m_reader.Value();
        try {
            if (!Handle(key))
                break;
        } catch (const BadLine&) {
            outcome = Outcome::Bad;
            break;
        } catch (const std::bad_alloc&) {
            outcome = Outcome::NoMemory;
            break;
        }
    }
    const int line = m_reader.LineCounter();
    m_reader.Close();
    // A block the file announced but never gave is an empty block of colour
    // 0, and refers to that colour as any block does.
    for (std::size_t b = 0; b < m_blockLine.size() && m_model.blockBase + b < m_model.blocks.count; ++b)
        if (m_blockLine[b] == 0)
            m_model.colours[0].inUse = 1;
    const int outsideLine = CheckAgainstGrid();
    if (Insert() && (outcome != Outcome::Done || outsideLine != 0))
        m_model.blocks.count = m_model.blockBase; // a failed insert takes its blocks back out
    else
        AfterLoop();
    if (outcome == Outcome::NoMemory)
        throw EngineError::Memory();
    if (outcome == Outcome::Bad)
        throw EngineError::Syntax(m_path, line);
    if (outsideLine != 0)
        throw EngineError::Syntax(m_path, outsideLine);
}

bool DataFileReader::Handle(int key)
{
    ModelStore& m = m_model;
    switch (key) {
    case kColr:
    case kCrgb:
    case kType:
    case kName:
    case kPatt:
    case kRule:
        Colour(key);
        return true;
    case kNxwi:
    case kNywi:
    case kNzwi:
        Width((key - kNxwi) / 2, true);
        return true;
    case kXwid:
    case kYwid:
    case kZwid:
        Width((key - kXwid) / 2, false);
        return true;
    case kNblk:
    case kBlok:
        Blocks(key);
        return true;
    case kVwpt: {
        const float a = Float();
        const float b = Float();
        m.output.viewAzimuth = a;
        m.output.viewAltitude = b;
        return m_mode != ReadMode::Preview;
    }
    case kGrun: {
        const float u = Float();
        Check(u > 0);
        (Insert() ? m_insertGridUnit : m.gridUnit) = u;
        return true;
    }
    case kNnbc:
    case kNbcd:
    case kNbty:
    case kNbte:
    case kNbpo:
        NodeBcs(key);
        return true;
    case kNbor:
    case kBori:
    case kBor1:
    case kBor2:
    case kBory:
    case kBort:
    case kBorq:
        BorderBcs(key);
        return true;
    case kNmat:
    case kMati:
    case kMatc:
    case kMaty:
    case kMatt:
    case kMatp:
        MaterialBcs(key);
        return true;
    case kArea:
    case kUval:
    case kUenf:
        Box(key);
        return true;
    case kTitl:
        // A long title comes in several lines, joined in order.
        for (char c : Text())
            m.title.push_back(c == '`' ? '\r' : c == '~' ? '\n' : c);
        return true;
    case kNaue:
        m.report.elementName = Text();
        return true;
    case kRptu: {
        const int f = IntIn(0, 1);
        m.report.transmittanceP = m.report.transmittanceQ = f;
        return true;
    }
    case kGrep:
        GraphicReport();
        return true;
    default:
        break;
    }
    if (key >= kLamb && key <= kTrad) {
        static constexpr float ColourRecord::*kFields[] = {
            &ColourRecord::lambda,      &ColourRecord::epsilon,     &ColourRecord::temperature,
            &ColourRecord::hGlobal,     &ColourRecord::flux,        &ColourRecord::airTemperature,
            &ColourRecord::hConvective, &ColourRecord::qConvective, &ColourRecord::radiantTemperature};
        Colour(key);
        SetColourValue(kFields[key - kLamb], Float());
        return true;
    }
    if (key >= kCon1 && key <= kCon3) {
        static constexpr float ColourRecord::*kFields[] = {&ColourRecord::con1, &ColourRecord::con2,
                                                           &ColourRecord::con3};
        Colour(key);
        SetColourValue(kFields[key - kCon1], Float());
        return true;
    }
    // The scalar settings.
    const SettingField f = FindSetting(m, static_cast<DataKey>(key));
    if (f.integer) {
        const int v = Int();
        Check(SettingAccepts(f.check, v));
        *f.integer = v;
    } else if (f.real) {
        const float v = Float();
        Check(SettingAccepts(f.check, v));
        *f.real = v;
    }
    return true;
}

void DataFileReader::Colour(int key)
{
    switch (key) {
    case kColr: {
        m_colour = IntIn(0, kColourCount - 1);
        ColourRecord& c = CurrentColour();
        c.inUse = 1;
        if (!c.keepOnInsert)
            c.name.clear();
        return;
    }
    case kCrgb: {
        const int r = IntIn(0, 255), g = IntIn(0, 255), b = IntIn(0, 255);
        ColourRecord& c = CurrentColour();
        if (!c.keepOnInsert)
            SetDisplayColour(c, r, g, b);
        return;
    }
    case kType:
        SetColourValue(&ColourRecord::type, IntIn(0, kColourTypeCount - 1));
        return;
    case kRule:
        SetColourValue(&ColourRecord::rule, IntIn(0, kRuleCount - 1));
        return;
    case kName:
        SetColourValue(&ColourRecord::name, Text());
        return;
    case kPatt: {
        const int p = IntIn(0, INT32_MAX);
        SetColourValue(&ColourRecord::pattern, p == 0 ? 1 : p);
        return;
    }
    default:
        CurrentColour(); // the property keys need a current colour
        return;
    }
}

void DataFileReader::Width(int axis, bool isCount)
{
    ModelStore& m = m_model;
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (isCount) {
        // An axis holds at most 65535 cells: more is a bad count, never a wrapped one.
        const int n = IntIn(1, static_cast<long long>(kMaxCount16));
        m_widthPos[axis] = 0;
        if (Insert()) {
            m_insertWidths[axis].assign(static_cast<std::size_t>(n), 0.0f);
            m_insertSums[axis].clear();
            m_insertAxis[axis] = true;
            return;
        }
        if (static_cast<std::size_t>(n) > m.gridCapacity &&
            !GrowGridLineArrays(m, std::min(static_cast<std::size_t>(n) + 100, kMaxCount16)))
            throw std::bad_alloc();
        a.n = static_cast<std::uint16_t>(n);
        // Cells whose width line is missing get width 0, not a stale value.
        std::fill(a.widths.begin(), a.widths.begin() + n, 0.0f);
        return;
    }
    const float w = Float();
    Check(w >= 0 && a.n != 0);
    std::size_t& pos = m_widthPos[axis];
    if (Insert()) {
        // A width beyond the count announced is a bad line, not a stray one.
        Check(m_insertAxis[axis] && pos < m_insertWidths[axis].size());
        m_insertWidths[axis][pos++] = w;
        m_insertSums[axis].clear();
        return;
    }
    Check(pos < a.n);
    a.widths[pos++] = w;
}

void DataFileReader::Blocks(int key)
{
    ModelStore& m = m_model;
    if (key == kNblk) {
        const int n = IntIn(1, static_cast<long long>(kMaxCount16));
        const std::size_t count = std::size_t{m.blockBase} + static_cast<std::size_t>(n);
        // The count is 16-bit: more blocks is a bad count, never a wrapped one.
        Check(count <= kMaxCount16);
        if (count > m.blocks.capacity && !GrowBlockArray(m, std::min(count + 1000, kMaxCount16)))
            throw std::bad_alloc();
        // Blocks the file announces but never gives are empty, never stale.
        for (std::size_t b = m.blockBase; b < count; ++b)
            m.blocks[b] = BlockRecord{};
        m.blocks.count = static_cast<std::uint16_t>(count);
        m_fileBlocks = n;
        m_blockLine.assign(static_cast<std::size_t>(n), 0);
        return;
    }
    const int i = Int();
    const int c = Int();
    int v[6];
    for (int& x : v)
        x = Int();
    Check(i >= 0 && i < m_fileBlocks && c >= 0 && c < kColourCount);
    // The record is built whole before it is stored: a bad line leaves the
    // block as it was.
    BlockRecord b;
    b.colour = static_cast<std::uint8_t>(c);
    if (Insert()) {
        // Coordinates from the inserted file's own widths, about the insertion origin.
        for (int axis = 0; axis < 3; ++axis) {
            const std::vector<float>& w = m_insertWidths[axis];
            std::vector<double>& sums = m_insertSums[axis];
            Check(m_insertAxis[axis]);
            const int lo = v[2 * axis], hi = v[2 * axis + 1];
            Check(lo >= 0 && lo <= hi && static_cast<std::size_t>(hi) <= w.size());
            if (sums.empty()) {
                sums.resize(w.size() + 1);
                for (std::size_t k = 0; k < w.size(); ++k)
                    sums[k + 1] = sums[k] + w[k];
            }
            const double origin = m.insertionOrigin[axis];
            b.coord[2 * axis] = static_cast<float>(kernels::SnapToLengthQuantum(origin + sums[lo], 0.001));
            b.coord[2 * axis + 1] = static_cast<float>(kernels::SnapToLengthQuantum(origin + sums[hi], 0.001));
        }
    } else {
        // Indices as read; their bounds are checked against the grid once the
        // whole file is read, since blocks may come before the widths.
        for (int x : v)
            Check(x >= 0 && x <= static_cast<int>(kMaxCount16));
        b.x1 = static_cast<std::uint16_t>(v[0]), b.x2 = static_cast<std::uint16_t>(v[1]);
        b.y1 = static_cast<std::uint16_t>(v[2]), b.y2 = static_cast<std::uint16_t>(v[3]);
        b.z1 = static_cast<std::uint16_t>(v[4]), b.z2 = static_cast<std::uint16_t>(v[5]);
    }
    m.blocks[std::size_t{m.blockBase} + static_cast<std::size_t>(i)] = b;
    m_blockLine[static_cast<std::size_t>(i)] = m_reader.LineCounter();
    m.colours[static_cast<std::size_t>(c)].inUse = 1;
}

void DataFileReader::NodeBcs(int key)
{
    ModelStore& m = m_model;
    auto& list = m.nodeBcs;
    if (key == kNnbc) {
        const int n = IntIn(0, kMaxListCount);
        if (static_cast<std::size_t>(n) > static_cast<std::size_t>(list.capacity) &&
            !GrowNodeBcArray(m, static_cast<std::size_t>(n) + 100))
            throw std::bad_alloc();
        // Announced rows are initialised, never stale.
        for (int k = 0; k < n; ++k)
            InitNodeBc(m, static_cast<std::size_t>(k));
        list.count = n;
        m_nodeBcLine.assign(static_cast<std::size_t>(n), 0);
        m_nodeBc = -1;
        return;
    }
    if (key == kNbcd) {
        const int i = Int(), x = Int(), y = Int(), z = Int();
        Check(i >= 0 && i < list.count && x >= 0 && x <= m.axes[0].n && y >= 0 && y <= m.axes[1].n &&
              z >= 0 && z <= m.axes[2].n);
        NodeBcRecord& r = list[static_cast<std::size_t>(i)];
        r.i = static_cast<std::uint16_t>(x), r.j = static_cast<std::uint16_t>(y),
        r.k = static_cast<std::uint16_t>(z);
        r.temperature = r.power = 0;
        m_nodeBc = i;
        m_nodeBcLine[static_cast<std::size_t>(i)] = m_reader.LineCounter();
        return;
    }
    Check(m_nodeBc >= 0);
    NodeBcRecord& r = list[static_cast<std::size_t>(m_nodeBc)];
    if (key == kNbty)
        r.type = static_cast<std::uint8_t>(IntIn(0, 1));
    else if (key == kNbte)
        r.temperature = Float();
    else
        r.power = Float();
}

void DataFileReader::BorderBcs(int key)
{
    ModelStore& m = m_model;
    auto& list = m.borderBcs;
    if (key == kNbor) {
        const int n = IntIn(0, kMaxListCount);
        if (static_cast<std::size_t>(n) > static_cast<std::size_t>(list.capacity) &&
            !GrowBorderBcArray(m, static_cast<std::size_t>(n) + 50))
            throw std::bad_alloc();
        for (int k = 0; k < n; ++k)
            InitBorderBc(m, static_cast<std::size_t>(k));
        list.count = n;
        m_borderBc = -1;
        return;
    }
    if (key == kBori) {
        const int i = IntIn(0, static_cast<long long>(list.count) - 1);
        InitBorderBc(m, static_cast<std::size_t>(i));
        m_borderBc = i;
        return;
    }
    Check(m_borderBc >= 0);
    BorderFaceBcRecord& r = list[static_cast<std::size_t>(m_borderBc)];
    switch (key) {
    case kBor1:
        r.colour1 = static_cast<std::int16_t>(IntIn(-1, 255));
        break;
    case kBor2:
        r.colour2 = static_cast<std::int16_t>(IntIn(-1, 255));
        break;
    case kBory:
        r.type = static_cast<std::uint8_t>(IntIn(0, 1));
        break;
    case kBort:
        r.temperature = Float();
        break;
    default:
        r.flux = Float();
        break;
    }
}

void DataFileReader::MaterialBcs(int key)
{
    ModelStore& m = m_model;
    auto& list = m.materialBcs;
    if (key == kNmat) {
        const int n = IntIn(0, kMaxListCount);
        if (static_cast<std::size_t>(n) > static_cast<std::size_t>(list.capacity) &&
            !GrowMaterialBcArray(m, static_cast<std::size_t>(n) + 10))
            throw std::bad_alloc();
        for (int k = 0; k < n; ++k)
            InitMaterialBc(m, static_cast<std::size_t>(k));
        list.count = n;
        m_materialBc = -1;
        return;
    }
    if (key == kMati) {
        const int i = IntIn(0, static_cast<long long>(list.count) - 1);
        InitMaterialBc(m, static_cast<std::size_t>(i));
        m_materialBc = i;
        return;
    }
    Check(m_materialBc >= 0);
    MaterialBcRecord& r = list[static_cast<std::size_t>(m_materialBc)];
    switch (key) {
    case kMatc:
        r.colour = static_cast<std::int16_t>(IntIn(-1, 255));
        break;
    case kMaty:
        r.type = static_cast<std::uint8_t>(IntIn(0, 1));
        break;
    case kMatt:
        r.temperature = Float();
        break;
    default:
        r.power = Float();
        break;
    }
}

void DataFileReader::Box(int key)
{
    ModelStore& m = m_model;
    const int k = IntIn(0, kAreaRecords - 1);
    if (key == kUenf) {
        double u = 0;
        Check(common::ScanDouble(m_p, u) && u >= 0);
        m.elements[static_cast<std::size_t>(k)].enforced = u;
        return;
    }
    int v[6];
    for (int axis = 0; axis < 3; ++axis) {
        v[2 * axis] = IntIn(0, m.axes[static_cast<std::size_t>(axis)].n);
        v[2 * axis + 1] = IntIn(v[2 * axis], m.axes[static_cast<std::size_t>(axis)].n);
    }
    AreaRecord& r = (key == kArea ? m.areas : m.elements)[static_cast<std::size_t>(k)];
    r.x1 = static_cast<std::uint16_t>(v[0]), r.x2 = static_cast<std::uint16_t>(v[1]);
    r.y1 = static_cast<std::uint16_t>(v[2]), r.y2 = static_cast<std::uint16_t>(v[3]);
    r.z1 = static_cast<std::uint16_t>(v[4]), r.z2 = static_cast<std::uint16_t>(v[5]);
    (key == kArea ? m_areaLine : m_elementLine)[k] = m_reader.LineCounter();
}

void DataFileReader::GraphicReport()
{
    // Ten values or the line is passed over; the first eight such lines fill
    // the model's entries in order.
    int create = 0, projection = 0, sw[4] = {}, fill = 0, legend = 0;
    float azimuth = 0, altitude = 0;
    const bool complete = common::ScanInt(m_p, create) && common::ScanInt(m_p, projection) &&
                          common::ScanFloat(m_p, azimuth) && common::ScanFloat(m_p, altitude) &&
                          common::ScanInt(m_p, sw[0]) && common::ScanInt(m_p, sw[1]) &&
                          common::ScanInt(m_p, sw[2]) && common::ScanInt(m_p, sw[3]) &&
                          common::ScanInt(m_p, fill) && common::ScanInt(m_p, legend);
    if (!complete || m_graphicEntries >= kGraphicReportEntries)
        return;
    GraphicReportEntry& e = m_model.report.graphicReport[static_cast<std::size_t>(m_graphicEntries++)];
    SetGraphicReportEntry(e, create, projection, azimuth, altitude, sw, fill, legend);
}

int DataFileReader::CheckAgainstGrid()
{
    ModelStore& m = m_model;
    int first = 0;
    const auto note = [&first](int line) {
        if (line > 0 && (first == 0 || line < first))
            first = line;
    };
    const std::uint16_t n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    if (!Insert()) {
        bool outside = false;
        for (std::size_t b = 0; b < m_blockLine.size(); ++b) {
            const std::size_t index = std::size_t{m.blockBase} + b;
            if (index >= m.blocks.count)
                break;
            const BlockRecord& r = m.blocks[index];
            if (r.x1 > r.x2 || r.x2 > n[0] || r.y1 > r.y2 || r.y2 > n[1] || r.z1 > r.z2 || r.z2 > n[2]) {
                note(m_blockLine[b]);
                outside = true;
            }
        }
        if (outside)
            m.blocks.count = m.blockBase;
    }
    bool outsideBc = false;
    for (std::size_t b = 0; b < m_nodeBcLine.size() && b < static_cast<std::size_t>(m.nodeBcs.count); ++b) {
        const NodeBcRecord& r = m.nodeBcs[b];
        if (r.i > n[0] || r.j > n[1] || r.k > n[2]) {
            note(m_nodeBcLine[b]);
            outsideBc = true;
        }
    }
    if (outsideBc)
        m.nodeBcs.count = 0;
    for (int k = 0; k < kAreaRecords; ++k)
        for (AreaRecord* r :
             {&m.areas[static_cast<std::size_t>(k)], &m.elements[static_cast<std::size_t>(k)]})
            if (r->x2 > n[0] || r->y2 > n[1] || r->z2 > n[2]) {
                note(r == &m.areas[static_cast<std::size_t>(k)] ? m_areaLine[k] : m_elementLine[k]);
                const double enforced = r->enforced;
                *r = AreaRecord{};
                r->enforced = enforced;
            }
    return first;
}

void DataFileReader::AfterLoop()
{
    ModelStore& m = m_model;
    if (Insert()) {
        // Coordinates in the model's grid unit, spread about the insertion origin.
        if (m_insertGridUnit > 0 && m_insertGridUnit != m.gridUnit) {
            const double scale = static_cast<double>(m_insertGridUnit) / m.gridUnit;
            for (std::size_t b = m.blockBase; b < m.blocks.count; ++b)
                for (int k = 0; k < 6; ++k) {
                    float& c = m.blocks[b].coord[k];
                    const double origin = m.insertionOrigin[k / 2];
                    c = static_cast<float>((c - origin) * scale + origin);
                }
        }
        return;
    }
    ComputeGridCoordinates(m);
    for (int k = 0; k < 3; ++k) {
        m.clipLo[k] = 0;
        m.clipHi[k] = m.axes[static_cast<std::size_t>(k)].n;
    }
    ComputeModelExtent(m);
    if (m_mode == ReadMode::Open) {
        ComputeAreas(m);
        ComputeElementUValues(m);
    }
}

} // namespace

void ReadDataFile(ModelStore& m, RunState& run, const ProgramParameters& defaults, EngineHost& host,
                  const std::string& path, ReadMode mode)
{
    DataFileReader reader(m, path, mode);
    // Open first: a file that cannot be read changes nothing.
    if (!reader.Open())
        throw EngineError::FileOpen(path);
    if (mode != ReadMode::Preview)
        RemoveTempFiles();
    if (mode != ReadMode::Insert) {
        FreeWorkArrays(run, WorkGroup::CellsAndNodes, host);
        FreeWorkArrays(run, WorkGroup::Solver, host);
        ResetModel(m, defaults);
        m.dataFilePath = path;
    }
    reader.Read();
}

} // namespace novelk

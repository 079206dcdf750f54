// The data-file reader: its three modes, the lines of each key and the steps
// after a clean read.
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/core/TempFiles.h"
#include "parven/model/editing/GridOperations.h"
#include "parven/model/files/DataFile.h"
#include "parven/model/files/DataKeys.h"
#include "parven/model/stl/StlFiles.h"
#include "parven/model/store/Errors.h"
#include "parven/model/store/SettingKeys.h"
#include "platform/core/Text1252.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

namespace parven {

namespace {

enum class Mode { Open, Merge, Preview };

// The shortest line that describes one record of a counted list
// ("blok=0", "bori=0", "xwid=0" and a line end): a count above the file's
// size over it cannot be meant, and is refused before anything is allocated.
constexpr std::uintmax_t kShortestRecordLine = 7;

bool ReadInt(const char*& p, int& v, int lo, int hi)
{
    return common::ScanInt(p, v) && v >= lo && v <= hi;
}

bool ReadReal(const char*& p, float& v)
{
    return common::ScanFloat(p, v);
}

// Text values are Windows-1252 on disk.
std::string TextValue(std::string_view bytes)
{
    return platform::Cp1252ToUtf8(bytes);
}

class LineReader {
  public:
    LineReader(ShapeModel& m, Mode mode, std::uintmax_t fileSize)
        : m_m(m), m_mode(mode), m_maxRecords(fileSize / kShortestRecordLine)
    {
    }

    // Reads every line; false at the first bad one. A preview ends at the
    // view angles once a block count was read.
    bool ReadLines(common::KeywordLineReader& reader);

  private:
    enum class Line { Good, Bad, End };
    Line Handle(int key, const char* p, std::string_view text);
    bool Colour(int key, const char* p, std::string_view text);
    bool Block(int key, const char* p, std::string_view text);
    bool Count(int key, const char* p);
    bool Grid(int key, const char* p);
    bool BorderBc(int key, const char* p);
    bool MaterialBc(int key, const char* p);
    bool Row(int key, const char* p);

    // A count of up to `most` records that the file can describe.
    bool ReadCount(const char*& p, int& n, int lo, std::uintmax_t most) const
    {
        return common::ScanInt(p, n) && n >= lo && static_cast<std::uintmax_t>(n) <= std::min(most, m_maxRecords);
    }
    ColourRecord* SelectedColour() { return m_colour < 0 ? nullptr : &m_m.colours[static_cast<std::size_t>(m_colour)]; }

    ShapeModel& m_m;
    Mode m_mode;
    std::uintmax_t m_maxRecords;
    int m_colour = -1;
    long long m_block = -1, m_borderBc = -1, m_materialBc = -1;
    long long m_fileBlocks = -1; // this file's `nblk`, -1 before it
    // Per block of the file: made by a count and not selected since.
    std::vector<bool> m_unselected;
    std::size_t m_widthPosition[3] = {};
};

bool LineReader::ReadLines(common::KeywordLineReader& reader)
{
    const std::string_view keys = m_mode == Mode::Preview ? kPreviewKeys : kDataKeys;
    int key = -1;
    for (common::LineStatus st; (st = reader.ReadKeywordLine(keys, common::kKeyLength, key)) != common::LineStatus::End;) {
        if (st == common::LineStatus::TooLong)
            return false;
        if (key < 0 || (m_mode == Mode::Merge && MergeSkips(key)))
            continue;
        const Line line = Handle(key, reader.Value(), reader.ValueView());
        if (line == Line::Bad)
            return false;
        if (line == Line::End)
            break;
    }
    // Blocks that were counted but never selected are fresh ones.
    for (std::size_t i = 0; i < m_unselected.size(); ++i)
        if (m_unselected[i])
            InitBlock(m_m, m_m.blockBase + i);
    return true;
}

LineReader::Line LineReader::Handle(int key, const char* p, std::string_view text)
{
    ShapeModel& m = m_m;
    if (key == Key("vwpt=")) {
        if (!common::ReadKeyValues(*FindSettingKey("vwpt="), p, m.settings, ProgramParameters{}))
            return Line::Bad;
        return m_mode == Mode::Preview && m_fileBlocks >= 0 ? Line::End : Line::Good;
    }
    bool good = true;
    if (key <= Key("bstl="))
        good = key == Key("colr=") || key == Key("crgb=") ? Colour(key, p, text) : Block(key, p, text);
    else if ((key >= Key("ctyp=") && key <= Key("trad=")) || (key >= Key("rule=") && key <= Key("con3=")) ||
             key == Key("swel="))
        good = Colour(key, p, text);
    else if (key >= Key("nxwi=") && key <= Key("z0gr="))
        good = Grid(key, p);
    else if (key >= Key("nbor=") && key <= Key("borq="))
        good = BorderBc(key, p);
    else if (key >= Key("nmat=") && key <= Key("matp="))
        good = MaterialBc(key, p);
    else if (key == Key("area=") || key == Key("uval="))
        good = Row(key, p);
    else if (key == Key("titl=")) {
        std::string part = TextValue(text);
        std::replace(part.begin(), part.end(), '`', '\r');
        std::replace(part.begin(), part.end(), '~', '\n');
        m.title += part;
    } else if (key == Key("anob=")) {
        float v = 0;
        good = ReadReal(p, v) && v >= 0;
    } else if (key == Key("elno=")) {
        int v = 0;
        good = ReadInt(p, v, 0, 1);
    } else if (key == Key("vwfc=") || key == Key("rays=")) {
        // Accepted and ignored.
    } else {
        const SettingKey* setting = FindSettingKey(kDataKeys.substr(static_cast<std::size_t>(key) * common::kKeyLength,
                                                                    common::kKeyLength));
        good = setting && common::ReadKeyValues(*setting, p, m.settings, ProgramParameters{});
    }
    return good ? Line::Good : Line::Bad;
}

bool LineReader::Colour(int key, const char* p, std::string_view text)
{
    if (key == Key("colr=")) {
        int c = 0;
        if (!ReadInt(p, c, 0, kColourCount - 1))
            return false;
        m_colour = c;
        // A merge keeps the name of a colour the model uses.
        if (!m_m.colours[static_cast<std::size_t>(c)].protect)
            m_m.colours[static_cast<std::size_t>(c)].name.clear();
        return true;
    }
    ColourRecord* selected = SelectedColour();
    if (!selected)
        return false;
    // A protected colour's lines are checked but change nothing.
    ColourRecord scratch;
    ColourRecord& c = selected->protect ? scratch : *selected;
    int v = 0;
    float f = 0;
    switch (key) {
    case Key("crgb="): {
        int rgb[3];
        if (!(ReadInt(p, rgb[0], 0, 255) && ReadInt(p, rgb[1], 0, 255) && ReadInt(p, rgb[2], 0, 255)))
            return false;
        SetDisplayColour(c, rgb[0], rgb[1], rgb[2]);
        return true;
    }
    case Key("ctyp="):
        return ReadInt(p, v, 0, kColourTypeCount - 1) && ((c.type = v), true);
    case Key("cnam="):
        c.name = TextValue(text);
        return true;
    case Key("patt="):
        return ReadInt(p, v, 0, INT32_MAX) && ((c.pattern = std::max(v, 1)), true);
    case Key("csiz="):
        return ReadReal(p, f) && f > 0 && ((c.meshSize = f), true);
    case Key("rule="):
        return ReadInt(p, v, 0, kRuleCount - 1) && ((c.rule = v), true);
    case Key("swel="):
        return ReadReal(p, f) && ((c.swell = f == 1.0f), true);
    default:
        break;
    }
    float ColourRecord::*const values[] = {&ColourRecord::lamb, &ColourRecord::epsi, &ColourRecord::temp,
                                           &ColourRecord::hglo, &ColourRecord::flux, &ColourRecord::tair,
                                           &ColourRecord::hcon, &ColourRecord::qcon, &ColourRecord::trad};
    float ColourRecord::*const rules[] = {&ColourRecord::con1, &ColourRecord::con2, &ColourRecord::con3};
    float ColourRecord::*field = key >= Key("con1=") ? rules[key - Key("con1=")] : values[key - Key("lamb=")];
    return ReadReal(p, f) && ((c.*field = f), true);
}

bool LineReader::Block(int key, const char* p, std::string_view text)
{
    ShapeModel& m = m_m;
    if (key == Key("nblk="))
        return Count(key, p);
    if (key == Key("bshw="))
        return true;
    if (key == Key("blok=")) {
        int i = 0;
        if (m_fileBlocks < 0 || !common::ScanInt(p, i) || i < 0 || i >= m_fileBlocks)
            return false;
        m_block = static_cast<long long>(m.blockBase) + i;
        InitBlock(m, static_cast<std::size_t>(m_block));
        m_unselected[static_cast<std::size_t>(i)] = false;
        return true;
    }
    if (m_block < 0)
        return false;
    BlockRecord& b = m.blocks[static_cast<std::size_t>(m_block)];
    int v = 0;
    switch (key) {
    case Key("bclr="):
        return ReadInt(p, v, 0, kColourCount - 1) && ((b.colour = static_cast<std::uint8_t>(v)), true);
    case Key("bsol="):
        return ReadInt(p, v, 0, 2) && ((b.kind = static_cast<std::uint8_t>(v)), true);
    case Key("btyp="):
        return ReadInt(p, v, 0, 2) && ((b.form = static_cast<std::uint8_t>(v)), true);
    case Key("bshp="):
        return ReadInt(p, v, 0, 4) && ((b.shape = static_cast<std::uint8_t>(v)), true);
    case Key("bipt="):
        return common::ScanInt(p, v) && ((b.selectedPoint = static_cast<std::uint8_t>(v >= 0 && v <= 7 ? v : 0)), true);
    case Key("bpnt="): {
        float x, y, z;
        if (!(ReadInt(p, v, 0, 7) && ReadReal(p, x) && ReadReal(p, y) && ReadReal(p, z)))
            return false;
        b.points[v][0] = x;
        b.points[v][1] = y;
        b.points[v][2] = z;
        return true;
    }
    case Key("bstl="):
        SetStlName(m, b, TextValue(text));
        return true;
    default:
        return false;
    }
}

// The counts: each makes its new records initialised ones.
bool LineReader::Count(int key, const char* p)
{
    ShapeModel& m = m_m;
    int n = 0;
    if (key == Key("nblk=")) {
        if (!ReadCount(p, n, 1, UINT32_MAX - m.blockBase))
            return false;
        const std::size_t count = std::size_t{m.blockBase} + static_cast<std::size_t>(n);
        if (m.blocks.capacity < count && !GrowBlockArray(m, count + 100))
            throw EngineError::Memory();
        // The records this count makes are initialised when they are
        // selected, or at the end of the lines.
        m_unselected.resize(m.blocks.count - std::min(m.blocks.count, m.blockBase));
        m_unselected.resize(static_cast<std::size_t>(n), true);
        m.blocks.count = static_cast<std::uint32_t>(count);
        m_fileBlocks = n;
        return true;
    }
    if (!ReadCount(p, n, 0, kMaxAxisCells))
        return false;
    const auto count = static_cast<std::size_t>(n);
    if (key == Key("nbor=")) {
        if (m.borderBcs.capacity < count && !GrowBorderBcArray(m, count + 50))
            throw EngineError::Memory();
        for (std::size_t i = m.borderBcs.count; i < count; ++i)
            InitBorderBc(m, i);
        m.borderBcs.count = static_cast<std::uint32_t>(count);
    } else {
        if (m.materialBcs.capacity < count && !GrowMaterialBcArray(m, count + 10))
            throw EngineError::Memory();
        for (std::size_t i = m.materialBcs.count; i < count; ++i)
            InitMaterialBc(m, i);
        m.materialBcs.count = static_cast<std::uint32_t>(count);
    }
    return true;
}

bool LineReader::Grid(int key, const char* p)
{
    ShapeModel& m = m_m;
    if (key >= Key("x0gr=")) {
        float v = 0;
        return ReadReal(p, v) && ((m.origin[key - Key("x0gr=")] = v), true);
    }
    if (key <= Key("nzwi=")) {
        int n = 0;
        if (!ReadCount(p, n, 0, kMaxAxisCells))
            return false;
        const auto count = static_cast<std::size_t>(n);
        if (m.gridCapacity < count && !SetGridCapacity(m, std::min(count + 100, kMaxAxisCells + 1)))
            throw EngineError::Memory();
        GridAxis& a = m.axes[static_cast<std::size_t>(key - Key("nxwi="))];
        a.n = static_cast<std::uint16_t>(count);
        std::fill(a.widths.begin(), a.widths.begin() + static_cast<std::ptrdiff_t>(count), 0.0f);
        std::fill(std::begin(m_widthPosition), std::end(m_widthPosition), 0);
        return true;
    }
    const int axis = key - Key("xwid=");
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    std::size_t& position = m_widthPosition[axis];
    float w = 0;
    if (!ReadReal(p, w) || w < 0 || position >= a.n)
        return false;
    a.widths[position++] = w;
    return true;
}

bool LineReader::BorderBc(int key, const char* p)
{
    ShapeModel& m = m_m;
    if (key == Key("nbor="))
        return Count(key, p);
    int v = 0;
    if (key == Key("bori=")) {
        if (!common::ScanInt(p, v) || v < 0 || static_cast<std::uint32_t>(v) >= m.borderBcs.count)
            return false;
        m_borderBc = v;
        InitBorderBc(m, static_cast<std::size_t>(v));
        return true;
    }
    if (m_borderBc < 0)
        return false;
    BorderFaceBcRecord& r = m.borderBcs[static_cast<std::size_t>(m_borderBc)];
    switch (key) {
    case Key("bor1="):
        return ReadInt(p, v, -1, 255) && ((r.colour1 = static_cast<std::int16_t>(v)), true);
    case Key("bor2="):
        return ReadInt(p, v, -1, 255) && ((r.colour2 = static_cast<std::int16_t>(v)), true);
    case Key("bory="):
        return ReadInt(p, v, 0, 1) && ((r.type = static_cast<std::uint8_t>(v)), true);
    case Key("bort="):
        return ReadReal(p, r.temperature);
    default:
        return ReadReal(p, r.flux);
    }
}

bool LineReader::MaterialBc(int key, const char* p)
{
    ShapeModel& m = m_m;
    if (key == Key("nmat="))
        return Count(key, p);
    int v = 0;
    if (key == Key("mati=")) {
        if (!common::ScanInt(p, v) || v < 0 || static_cast<std::uint32_t>(v) >= m.materialBcs.count)
            return false;
        m_materialBc = v;
        InitMaterialBc(m, static_cast<std::size_t>(v));
        return true;
    }
    if (m_materialBc < 0)
        return false;
    MaterialBcRecord& r = m.materialBcs[static_cast<std::size_t>(m_materialBc)];
    switch (key) {
    case Key("matc="):
        return ReadInt(p, v, -1, 255) && ((r.colour = static_cast<std::int16_t>(v)), true);
    case Key("maty="):
        return ReadInt(p, v, 0, 1) && ((r.type = static_cast<std::uint8_t>(v)), true);
    case Key("matt="):
        return ReadReal(p, r.temperature);
    default:
        return ReadReal(p, r.power);
    }
}

// An area (nine point coordinates) or a U-value row (six values).
bool LineReader::Row(int key, const char* p)
{
    int index = 0;
    float v[9];
    const int count = key == Key("area=") ? 9 : 6;
    if (!ReadInt(p, index, 0, 2))
        return false;
    for (int k = 0; k < count; ++k)
        if (!ReadReal(p, v[k]))
            return false;
    if (key == Key("area="))
        std::copy(v, v + 9, &m_m.areas[static_cast<std::size_t>(index)].points[0][0]);
    else
        std::copy(v, v + 6, m_m.uValues[static_cast<std::size_t>(index)].values);
    return true;
}

// The steps after a clean read.
void AfterRead(ShapeModel& m, const std::string& path, EngineHost& host)
{
    for (ColourRecord& c : m.colours)
        c.inUse = 0;
    for (std::size_t i = 0; i < m.blocks.count; ++i)
        m.colours[m.blocks[i].colour].inUse = 1;
    for (std::size_t i = m.blockBase; i < m.blocks.count; ++i) {
        DeriveBlockCorners(m.blocks[i], false);
        if (m.blocks[i].kind == STL)
            ReadBlockStl(m, i, path, host);
    }
    if (m.axes[0].n && m.axes[1].n && m.axes[2].n)
        ComputeGridCoordinates(m);
    else
        for (int axis = 0; axis < 3; ++axis)
            CreateMinimumGrid(m, axis);
    ComputeAreas(m);
}

// Reads the opened file into the model; EngineError Syntax at a bad line.
void ReadOpenedFile(ShapeModel& m, common::KeywordLineReader& reader, Mode mode, const std::string& path,
                    EngineHost& host)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    LineReader lines(m, mode, ec ? 0 : size);
    if (!lines.ReadLines(reader))
        throw EngineError::Syntax(path, reader.LineCounter());
    reader.Close();
    AfterRead(m, path, host);
}

} // namespace

void ReadDataFile(ShapeModel& m, MeshState& mesh, RunState& run, const ProgramParameters& defaults,
                  const ColourTable& startColours, const std::string& path, ReadMode mode, EngineHost& host)
{
    common::KeywordLineReader reader(common::LeadingSpaces::Skip);
    if (!reader.Open(path))
        throw EngineError::FileOpen(path);
    ShapeModel read;
    if (mode == ReadMode::Open) {
        read.session = m.session;
        ResetModel(read, defaults, startColours);
        read.dataFilePath = path;
        ReadOpenedFile(read, reader, Mode::Open, path, host);
    } else {
        read = m;
        for (ColourRecord& c : read.colours)
            c.protect = c.inUse;
        read.blockBase = read.blocks.count;
        ReadOpenedFile(read, reader, Mode::Merge, path, host);
        for (ColourRecord& c : read.colours)
            c.protect = 0;
        read.blockBase = 0;
    }
    common::RemoveTempFiles("", {"tmp.sol", "tmp.flx"});
    m = std::move(read);
    mesh = MeshState{};
    run = RunState{};
}

bool ReadPreview(ShapeModel& preview, const ProgramParameters& defaults, const ColourTable& startColours,
                 const std::string& path)
{
    common::KeywordLineReader reader(common::LeadingSpaces::Skip);
    if (!reader.Open(path))
        return false;
    ShapeModel read;
    ResetModel(read, defaults, startColours);
    read.dataFilePath = path;
    NullEngineHost quiet;
    try {
        ReadOpenedFile(read, reader, Mode::Preview, path, quiet);
    } catch (const EngineError&) {
        return false;
    }
    preview = std::move(read);
    return true;
}

} // namespace parven

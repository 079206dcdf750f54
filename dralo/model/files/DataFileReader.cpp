// Reader of the Dralo data file: the plain settings through their key
// tables, the other keys by their handlers. Every value is parsed and checked
// before it is stored, so a bad line is a syntax error at that line and never
// a write outside a record array; numbers that are not finite or do not fit
// their field are bad values too.
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/DataKeys.h"
#include "dralo/model/files/SettingKeys.h"
#include "dralo/model/lines/BorderlineBcs.h"
#include "dralo/model/lines/Distances.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/TempFiles.h"
#include "platform/core/Text1252.h"

#include <cmath>
#include <limits>

namespace dralo {

namespace {

// A bad value at the current line.
struct BadLine {};

bool TemplateKey(int key)
{
    return key == Key("bmpf=") || key == Key("name=") || key == Key("colr=") || key == Key("patt=") ||
           key == Key("type=") || key == Key("rule=") || (key >= Key("lamb=") && key <= Key("con3="));
}

// Reads a setting line through its table entry when the key has one; false
// when it has none.
template <class Record, class Defaults>
bool ReadSetting(std::span<const common::KeyEntry<Record, Defaults>> table, int key, const char* text, Record& r,
                 const Defaults& d)
{
    const auto* e = common::FindKey(table, KeyText(key));
    if (!e)
        return false;
    if (!common::ReadKeyValues(*e, text, r, d))
        throw BadLine{};
    return true;
}

class DataFileReader {
  public:
    DataFileReader(BitmapModel& m, const ProgramParameters& defaults, EngineHost& host, const std::string& path,
                   bool quiet)
        : m_model(m), m_defaults(defaults), m_host(host), m_path(path), m_quiet(quiet)
    {
    }
    bool Open() { return m_reader.Open(m_path); }
    ReadStatus Read(bool templateMode);

  private:
    void Handle(int key);
    bool Setting(int key);
    void Colour(int key);
    void Borderline(int key);
    void Distance(int key);
    void GraphicReport();

    // Values of the current line: "%lf", integers truncated toward zero.
    double Number()
    {
        double v = 0;
        if (!common::ScanDouble(m_p, v))
            throw BadLine{};
        return v;
    }
    int Int()
    {
        const double v = std::trunc(Number());
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            throw BadLine{};
        return static_cast<int>(v);
    }
    int IntIn(long long lo, long long hi)
    {
        const int v = Int();
        Check(v >= lo && v <= hi);
        return v;
    }
    int IntAtLeast(int lo) { return IntIn(lo, std::numeric_limits<int>::max()); }
    float Float()
    {
        const float v = static_cast<float>(Number());
        Check(std::isfinite(v));
        return v;
    }
    float FloatAtLeast(float lo, bool inclusive = true)
    {
        const float v = Float();
        Check(inclusive ? v >= lo : v > lo);
        return v;
    }
    float FloatIn(float lo, float hi)
    {
        const float v = Float();
        Check(v >= lo && v <= hi);
        return v;
    }
    std::string Text() const { return platform::Cp1252ToUtf8(m_reader.ValueView()); }
    static void Check(bool good)
    {
        if (!good)
            throw BadLine{};
    }
    ColourRecord& CurrentColour() { return m_model.colours[static_cast<std::size_t>(m_colour)]; }
    BorderlineBcRecord& CurrentBorderline()
    {
        Check(m_borderline >= 0);
        return m_model.borderlineBcs[static_cast<std::size_t>(m_borderline)];
    }
    DistanceRecord& CurrentDistance()
    {
        Check(m_distance >= 0);
        return m_model.distances[static_cast<std::size_t>(m_distance)];
    }

    BitmapModel& m_model;
    const ProgramParameters& m_defaults;
    EngineHost& m_host;
    const std::string& m_path;
    bool m_quiet;
    common::KeywordLineReader m_reader;
    const char* m_p = nullptr;
    int m_colour = 0;
    int m_borderline = -1, m_distance = -1;
    int m_graphicLines = 0;
};

ReadStatus DataFileReader::Read(bool templateMode)
{
    int key = -1;
    for (;;) {
        const common::LineStatus st = m_reader.ReadKeywordLine(kDataKeys, kDataKeyLength, key);
        if (st == common::LineStatus::End)
            break;
        bool bad = st == common::LineStatus::TooLong;
        if (!bad) {
            if (key < 0 || (templateMode && !TemplateKey(key)))
                continue;
            m_p = m_reader.Value();
            try {
                Handle(key);
            } catch (const BadLine&) {
                bad = true;
            }
        }
        if (bad) {
            const int line = m_reader.LineCounter();
            m_reader.Close();
            if (!m_quiet)
                m_host.MessageBox(SyntaxErrorText(m_path, line), MessageStyle::Ok);
            return ReadStatus::SyntaxError;
        }
    }
    m_reader.Close();
    return ReadStatus::Read;
}

bool DataFileReader::Setting(int key)
{
    BitmapModel& m = m_model;
    const ReportSettings noDefaults;
    return ReadSetting(CalcKeys(), key, m_p, m.calc, m_defaults) ||
           ReadSetting(DisplayKeys(), key, m_p, m.display, m_defaults) ||
           ReadSetting(ReportOptionKeys(), key, m_p, m.report, noDefaults) ||
           ReadSetting(BorderUKeys(), key, m_p, m.report, noDefaults);
}

void DataFileReader::Handle(int key)
{
    if (Setting(key))
        return;
    BitmapModel& m = m_model;
    switch (key) {
    case Key("titl="):
        for (char ch : Text())
            m.title += ch == '`' ? '\r' : ch == '~' ? '\n' : ch;
        break;
    case Key("bmpf="):
        m.bitmapPath = BitmapPathBeside(m_path, Text());
        break;
    case Key("pixs="): m.pixs = FloatAtLeast(0, false); break;
    case Key("tris="): {
        const float v = FloatAtLeast(0, false);
        m.tris = v;
        for (ColourRecord& rec : m.colours)
            rec.tric = v;
        break;
    }
    case Key("grep="):
        GraphicReport();
        break;
    case Key("nbor="):
    case Key("bori="):
    case Key("bor1="):
    case Key("bor2="):
    case Key("bory="):
    case Key("bort="):
    case Key("borq="):
        Borderline(key);
        break;
    case Key("ndis="):
    case Key("disi="):
    case Key("dism="):
    case Key("disd="):
    case Key("diss="):
    case Key("dix1="):
    case Key("diy1="):
    case Key("dix2="):
    case Key("diy2="):
    case Key("diuc="):
        Distance(key);
        break;
    default:
        Colour(key);
        break;
    }
}

void DataFileReader::Colour(int key)
{
    if (key == Key("colr=")) {
        m_colour = IntIn(0, kColourCount - 1);
        CurrentColour().name.clear();
        return;
    }
    ColourRecord& c = CurrentColour();
    switch (key) {
    case Key("name="): c.name = Text(); break;
    case Key("patt="): c.patt = std::max(IntAtLeast(0), 1); break;
    case Key("type="): c.type = IntIn(0, kColourTypeCount - 1); break;
    case Key("rule="): c.rule = IntIn(0, 6); break;
    case Key("lamb="): c.lamb = FloatAtLeast(0); break;
    case Key("epsi="): c.epsi = FloatIn(0, 1); break;
    case Key("temp="): c.temp = Float(); break;
    case Key("hglo="): c.hglo = FloatAtLeast(0); break;
    case Key("flux="): c.flux = Float(); break;
    case Key("tair="): c.tair = Float(); break;
    case Key("hcon="): c.hcon = FloatAtLeast(0); break;
    case Key("qcon="): c.qcon = Float(); break;
    case Key("trad="): c.trad = Float(); break;
    case Key("con1="): c.con1 = FloatAtLeast(0); break;
    case Key("con2="): c.con2 = FloatAtLeast(0); break;
    case Key("con3="): c.con3 = FloatAtLeast(0); break;
    case Key("tric="): c.tric = FloatAtLeast(0, false); break;
    default: break;
    }
}

void DataFileReader::Borderline(int key)
{
    BitmapModel& m = m_model;
    switch (key) {
    case Key("nbor="): {
        const int n = Int();
        if (n > kBorderlineBcCapacity && !m_quiet)
            m_host.MessageBox(kMsgBorderlineCapacity, MessageStyle::Ok);
        Check(n >= 0 && n <= kBorderlineBcCapacity);
        m.nbor = n;
        break;
    }
    case Key("bori="):
        m_borderline = IntIn(0, m.nbor - 1);
        ResetBorderlineBc(m, m_borderline);
        break;
    case Key("bor1="): { const int v = IntIn(0, 255); CurrentBorderline().bor1 = static_cast<std::int16_t>(v); break; }
    case Key("bor2="): { const int v = IntIn(0, 255); CurrentBorderline().bor2 = static_cast<std::int16_t>(v); break; }
    case Key("bory="): { const int v = IntIn(0, 1); CurrentBorderline().bory = static_cast<std::uint8_t>(v); break; }
    case Key("bort="): { const float v = Float(); CurrentBorderline().bort = v; break; }
    case Key("borq="): { const float v = Float(); CurrentBorderline().borq = v; break; }
    default: break;
    }
}

void DataFileReader::Distance(int key)
{
    BitmapModel& m = m_model;
    if (key == Key("ndis=")) {
        const int n = Int();
        if (n > kDistanceCapacity && !m_quiet)
            m_host.MessageBox(kMsgDistanceCapacity, MessageStyle::Ok);
        Check(n >= 0 && n <= kDistanceCapacity);
        m.ndis = n;
        return;
    }
    if (key == Key("disi=")) {
        m_distance = IntIn(0, m.ndis - 1);
        ResetDistance(m, m_distance);
        return;
    }
    // The value first, then the record: a bad value and a missing selection
    // are both bad lines.
    if (key == Key("diuc=")) {
        const float v = Float();
        if (v > 0)
            CurrentDistance().diuc = v;
        return;
    }
    if (key >= Key("dix1=") && key <= Key("diy2=")) {
        const auto v = static_cast<std::int16_t>(IntIn(-1, kMaxBitmapSize));
        DistanceRecord& d = CurrentDistance();
        (key == Key("dix1=") ? d.x1 : key == Key("diy1=") ? d.y1 : key == Key("dix2=") ? d.x2 : d.y2) = v;
        return;
    }
    const auto v = static_cast<std::uint8_t>(IntIn(0, key == Key("disd=") ? 2 : 1));
    DistanceRecord& d = CurrentDistance();
    (key == Key("dism=") ? d.dism : key == Key("disd=") ? d.disd : d.diss) = v;
}

void DataFileReader::GraphicReport()
{
    if (m_graphicLines >= kGraphicReportEntries)
        return;
    int v[8];
    for (int& x : v)
        if (!common::ScanInt(m_p, x))
            throw BadLine{};
    Check(v[6] >= kFillOff && v[6] <= kFillFlow);
    GraphicReportEntry& e = m_model.graphicReport[static_cast<std::size_t>(m_graphicLines++)];
    std::uint8_t flags = e.flags & 0x80;
    for (int i = 0; i < 6; ++i)
        flags |= static_cast<std::uint8_t>((v[i] & 1) << i);
    flags |= static_cast<std::uint8_t>((v[7] & 1) << 6);
    e.flags = flags;
    e.fill = static_cast<std::uint8_t>(v[6]);
}

} // namespace

ReadStatus ReadDataFile(BitmapModel& m, const std::string& path, ReadMode mode, const ProgramParameters& defaults,
                        const std::string& workFolder, EngineHost& host)
{
    DataFileReader reader(m, defaults, host, path, mode == ReadMode::Quiet);
    if (!reader.Open())
        throw EngineError::FileOpen(path);
    const bool templateMode = mode == ReadMode::Template;
    if (!templateMode) {
        RemoveTempFiles(workFolder);
        ResetModelForRead(m, defaults);
    }
    return reader.Read(templateMode);
}

void ResetReportDefinition(BitmapModel& m)
{
    for (GraphicReportEntry& e : m.graphicReport) {
        e.flags &= 0x80;
        e.fill = kFillOff;
    }
}

void ResetModelOptions(BitmapModel& m)
{
    m.ndis = 0;
    m.nbor = 0;
    common::ResetKeys(ReportOptionKeys(), m.report, ReportSettings{});
    m.view.word1 = m.view.word2 = 0;
    m.view.value = 0.0;
}

void ResetModelForRead(BitmapModel& m, const ProgramParameters& defaults)
{
    ApplyParameterDefaults(m, defaults);
    m.title.clear();
    m.bitmapPath.clear();
    for (ColourRecord& c : m.colours) {
        c.present = 0;
        c.flowX = c.flowY = 0.0f;
        c.cavityB = c.cavityD = c.cavityDeltaT = 0.0f;
    }
    ResetReportDefinition(m);
    ResetModelOptions(m);
    common::ResetKeys(BorderUKeys(), m.report, ReportSettings{});
}

std::string BitmapPathBeside(const std::string& dataFilePath, const std::string& name)
{
    const std::size_t slash = dataFilePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : dataFilePath.substr(0, slash + 1);
    return folder + name + ".bmp";
}

} // namespace dralo

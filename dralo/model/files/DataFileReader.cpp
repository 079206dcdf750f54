// Reader of the Dralo data file: one handler per key of the key table. Every
// value is parsed and checked before it is stored, so a bad line is a syntax
// error at that line and never a write outside a record array; numbers that
// are not finite or do not fit their field are bad values too.
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/DataKeys.h"
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
    return key == kBmpf || key == kName || key == kColr || key == kPatt || key == kType || key == kRule ||
           (key >= kLamb && key <= kCon3);
}

class DataFileReader {
  public:
    DataFileReader(BitmapModel& m, EngineHost& host, const std::string& path, bool quiet)
        : m_model(m), m_host(host), m_path(path), m_quiet(quiet)
    {
    }
    bool Open() { return m_reader.Open(m_path); }
    ReadStatus Read(bool templateMode);

  private:
    void Handle(int key);
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

void DataFileReader::Handle(int key)
{
    BitmapModel& m = m_model;
    CalcParameters& c = m.calc;
    DisplaySettings& d = m.display;
    ReportSettings& r = m.report;
    switch (key) {
    case kTitl:
        for (char ch : Text())
            m.title += ch == '`' ? '\r' : ch == '~' ? '\n' : ch;
        break;
    case kBmpf:
        m.bitmapPath = BitmapPathBeside(m_path, Text());
        break;
    case kRays: c.rays = IntAtLeast(0); break;
    case kCycl: c.cycl = IntAtLeast(1); break;
    case kIter: c.iter = IntAtLeast(1); break;
    case kCrob: d.crob = Int(); break;
    case kCrgr: d.crgr = Int(); break;
    case kCrt1: d.crt1 = Int(); break;
    case kCrt2: d.crt2 = Int(); break;
    case kCrq1: d.crq1 = Int(); break;
    case kCrq2: d.crq2 = Int(); break;
    case kWiob: d.wiob = IntAtLeast(1); break;
    case kWigr: d.wigr = IntAtLeast(1); break;
    case kWit1: d.wit1 = IntAtLeast(0); break;
    case kWit2: d.wit2 = IntAtLeast(0); break;
    case kWiq1: d.wiq1 = IntAtLeast(0); break;
    case kWiq2: d.wiq2 = IntAtLeast(0); break;
    case kSid1: if (const int v = Int(); v >= 0) r.sid1 = v; break;
    case kDis1: if (const int v = Int(); v > 0) r.dis1 = v; break;
    case kSid2: if (const int v = Int(); v >= 0) r.sid2 = v; break;
    case kDis2: if (const int v = Int(); v > 0) r.dis2 = v; break;
    case kSidp: if (const int v = Int(); v >= 0) r.sidp = v; break;
    case kDipa: if (const int v = Int(); v > 0) r.dipa = v; break;
    case kDifr: if (const int v = Int(); v > 0) r.difr = v; break;
    case kSip2: if (const int v = Int(); v >= 0) r.sip2 = v; break;
    case kDip2: if (const int v = Int(); v > 0) r.dip2 = v; break;
    case kLinr: c.linr = Int(); break;
    case kCcen: c.ccen = Int(); break;
    case kRptf: r.rptf = Int(); break;
    case kRpsi: r.rpsi = Int(); break;
    case kFlk1: r.flk1 = Int(); break;
    case kFlk2: r.flk2 = Int(); break;
    case kRufr: r.rufr = Int(); break;
    case kPan1: r.pan1 = Int(); break;
    case kPan2: r.pan2 = Int(); break;
    case kUsol: c.usol = Int(); break;
    case kBsym: c.bsym = Int(); break;
    case kPixs: m.pixs = FloatAtLeast(0, false); break;
    case kTris: {
        const float v = FloatAtLeast(0, false);
        m.tris = v;
        for (ColourRecord& rec : m.colours)
            rec.tric = v;
        break;
    }
    case kStrm: c.strm = FloatAtLeast(0); break;
    case kHrbl: c.hrbl = FloatAtLeast(0); break;
    case kVwfc: c.vwfc = FloatIn(0, 1); break;
    case kMxdt: c.mxdt = FloatAtLeast(0); break;
    case kMxod: c.mxod = FloatIn(0, 300); break;
    case kMxnd: c.mxnd = FloatIn(0, 300); break;
    case kDtas: c.dtas = FloatAtLeast(0); break;
    case kTmin: d.tmin = Float(); break;
    case kTmax: d.tmax = Float(); break;
    case kTin1: d.tin1 = FloatAtLeast(0, false); break;
    case kTin2: d.tin2 = FloatAtLeast(0, false); break;
    case kQmin: d.qmin = FloatAtLeast(0); break;
    case kQmax: d.qmax = FloatAtLeast(0); break;
    case kQic1: d.qic1 = FloatAtLeast(0, false); break;
    case kQin1: d.qin1 = FloatAtLeast(0, false); break;
    case kQin2: d.qin2 = FloatAtLeast(0, false); break;
    case kTsin: d.tsin = Float(); break;
    case kLcts: d.lcts = Int(); break;
    case kLwts: d.lwts = IntAtLeast(0); break;
    case kUlfc: if (const float v = Float(); v > 0) r.ulfc = v; break;
    case kUrfc: if (const float v = Float(); v > 0) r.urfc = v; break;
    case kUtfc: if (const float v = Float(); v > 0) r.utfc = v; break;
    case kUbfc: if (const float v = Float(); v > 0) r.ubfc = v; break;
    case kGrep:
        GraphicReport();
        break;
    case kNbor:
    case kBori:
    case kBor1:
    case kBor2:
    case kBory:
    case kBort:
    case kBorq:
        Borderline(key);
        break;
    case kNdis:
    case kDisi:
    case kDism:
    case kDisd:
    case kDiss:
    case kDix1:
    case kDiy1:
    case kDix2:
    case kDiy2:
    case kDiuc:
        Distance(key);
        break;
    default:
        Colour(key);
        break;
    }
}

void DataFileReader::Colour(int key)
{
    if (key == kColr) {
        m_colour = IntIn(0, kColourCount - 1);
        CurrentColour().name.clear();
        return;
    }
    ColourRecord& c = CurrentColour();
    switch (key) {
    case kName: c.name = Text(); break;
    case kPatt: c.patt = std::max(IntAtLeast(0), 1); break;
    case kType: c.type = IntIn(0, kColourTypeCount - 1); break;
    case kRule: c.rule = IntIn(0, 6); break;
    case kLamb: c.lamb = FloatAtLeast(0); break;
    case kEpsi: c.epsi = FloatIn(0, 1); break;
    case kTemp: c.temp = Float(); break;
    case kHglo: c.hglo = FloatAtLeast(0); break;
    case kFlux: c.flux = Float(); break;
    case kTair: c.tair = Float(); break;
    case kHcon: c.hcon = FloatAtLeast(0); break;
    case kQcon: c.qcon = Float(); break;
    case kTrad: c.trad = Float(); break;
    case kCon1: c.con1 = FloatAtLeast(0); break;
    case kCon2: c.con2 = FloatAtLeast(0); break;
    case kCon3: c.con3 = FloatAtLeast(0); break;
    case kTric: c.tric = FloatAtLeast(0, false); break;
    default: break;
    }
}

void DataFileReader::Borderline(int key)
{
    BitmapModel& m = m_model;
    switch (key) {
    case kNbor: {
        const int n = Int();
        if (n > kBorderlineBcCapacity && !m_quiet)
            m_host.MessageBox(kMsgBorderlineCapacity, MessageStyle::Ok);
        Check(n >= 0 && n <= kBorderlineBcCapacity);
        m.nbor = n;
        break;
    }
    case kBori:
        m_borderline = IntIn(0, m.nbor - 1);
        ResetBorderlineBc(m, m_borderline);
        break;
    case kBor1: { const int v = IntIn(0, 255); CurrentBorderline().bor1 = static_cast<std::int16_t>(v); break; }
    case kBor2: { const int v = IntIn(0, 255); CurrentBorderline().bor2 = static_cast<std::int16_t>(v); break; }
    case kBory: { const int v = IntIn(0, 1); CurrentBorderline().bory = static_cast<std::uint8_t>(v); break; }
    case kBort: { const float v = Float(); CurrentBorderline().bort = v; break; }
    case kBorq: { const float v = Float(); CurrentBorderline().borq = v; break; }
    default: break;
    }
}

void DataFileReader::Distance(int key)
{
    BitmapModel& m = m_model;
    if (key == kNdis) {
        const int n = Int();
        if (n > kDistanceCapacity && !m_quiet)
            m_host.MessageBox(kMsgDistanceCapacity, MessageStyle::Ok);
        Check(n >= 0 && n <= kDistanceCapacity);
        m.ndis = n;
        return;
    }
    if (key == kDisi) {
        m_distance = IntIn(0, m.ndis - 1);
        ResetDistance(m, m_distance);
        return;
    }
    // The value first, then the record: a bad value and a missing selection
    // are both bad lines.
    if (key == kDiuc) {
        const float v = Float();
        if (v > 0)
            CurrentDistance().diuc = v;
        return;
    }
    if (key >= kDix1 && key <= kDiy2) {
        const auto v = static_cast<std::int16_t>(IntIn(-1, kMaxBitmapSize));
        DistanceRecord& d = CurrentDistance();
        (key == kDix1 ? d.x1 : key == kDiy1 ? d.y1 : key == kDix2 ? d.x2 : d.y2) = v;
        return;
    }
    const auto v = static_cast<std::uint8_t>(IntIn(0, key == kDisd ? 2 : 1));
    DistanceRecord& d = CurrentDistance();
    (key == kDism ? d.dism : key == kDisd ? d.disd : d.diss) = v;
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
    DataFileReader reader(m, host, path, mode == ReadMode::Quiet);
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
    ReportSettings& r = m.report;
    r.rufr = r.rpsi = r.rptf = r.flk2 = r.pan2 = r.sidp = r.sid1 = 0;
    r.flk1 = r.pan1 = r.sip2 = r.sid2 = r.dis1 = r.difr = 1;
    r.dis2 = r.dipa = 2;
    r.dip2 = 3;
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
    m.report.ulfc = m.report.urfc = m.report.utfc = m.report.ubfc = 0.0f;
}

std::string BitmapPathBeside(const std::string& dataFilePath, const std::string& name)
{
    const std::size_t slash = dataFilePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : dataFilePath.substr(0, slash + 1);
    return folder + name + ".bmp";
}

} // namespace dralo

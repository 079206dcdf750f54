// Writer of the Dralo data file, the reader's inverse: the title, the
// bitmap's name, the parameters and display settings, `tris`, then the
// colours that differ from the start-up table, the borderline BCs and the
// distances after their counts, the report settings and the eight
// graphic-report entries. Only values the reader accepts are written.
#include "common/core/NumberText.h"
#include "common/core/TextFileWriter.h"
#include "dralo/model/files/DataFile.h"
#include "platform/core/Text1252.h"

#include <string_view>
#include <tuple>
#include <utility>

namespace dralo {

namespace {

// Room for a value on a line: the reader takes lines of up to 255 bytes,
// five of which are the key.
constexpr std::size_t kValueRoom = 250;

class Lines {
  public:
    void Int(std::string_view key, long long v)
    {
        m_out.Put(key);
        m_out.Put(std::to_string(v));
        m_out.EndLine();
    }
    void Float(std::string_view key, float v)
    {
        m_out.Put(key);
        m_out.Put(common::FormatGeneralExact(v));
        m_out.EndLine();
    }
    // Windows-1252 bytes, cut to what one line holds; line breaks become blanks.
    void Text(std::string_view key, const std::string& utf8)
    {
        std::string bytes = platform::Utf8ToCp1252(utf8);
        for (char& c : bytes)
            if (c == '\r' || c == '\n')
                c = ' ';
        if (bytes.size() > kValueRoom)
            bytes.resize(kValueRoom);
        m_out.Put(key);
        m_out.Put(bytes);
        m_out.EndLine();
    }
    // The title: CR as "`", LF as "~", over as many lines as it needs.
    void Title(const std::string& utf8)
    {
        std::string bytes = platform::Utf8ToCp1252(utf8);
        for (char& c : bytes)
            c = c == '\r' ? '`' : c == '\n' ? '~' : c;
        for (std::size_t i = 0; i < bytes.size(); i += kValueRoom) {
            m_out.Put("titl=");
            m_out.Put(std::string_view(bytes).substr(i, kValueRoom));
            m_out.EndLine();
        }
    }
    std::string Bytes() const { return m_out.Bytes(); }
    bool Save(const std::string& path) const { return m_out.Save(path); }

  private:
    common::TextFileWriter m_out;
};

// The values the data file holds of a colour.
bool SameColourValues(const ColourRecord& a, const ColourRecord& b)
{
    return a.name == b.name && a.patt == b.patt && a.type == b.type && a.rule == b.rule && a.lamb == b.lamb &&
           a.epsi == b.epsi && a.temp == b.temp && a.hglo == b.hglo && a.flux == b.flux && a.tair == b.tair &&
           a.hcon == b.hcon && a.qcon == b.qcon && a.trad == b.trad && a.con1 == b.con1 && a.con2 == b.con2 &&
           a.con3 == b.con3 && a.tric == b.tric;
}

// The file name of the bitmap without folder and ".bmp": `bmpf` names a
// bitmap in the data file's folder.
std::string BitmapName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() >= 4) {
        std::string ext = name.substr(name.size() - 4);
        for (char& c : ext)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (ext == ".bmp")
            name.resize(name.size() - 4);
    }
    return name;
}

void WriteColour(Lines& f, int number, const ColourRecord& c)
{
    f.Int("colr=", number);
    if (!c.name.empty())
        f.Text("name=", c.name);
    f.Int("patt=", c.patt);
    f.Int("type=", c.type);
    f.Int("rule=", c.rule);
    f.Float("lamb=", c.lamb);
    f.Float("epsi=", c.epsi);
    f.Float("temp=", c.temp);
    f.Float("hglo=", c.hglo);
    f.Float("flux=", c.flux);
    f.Float("tair=", c.tair);
    f.Float("hcon=", c.hcon);
    f.Float("qcon=", c.qcon);
    f.Float("trad=", c.trad);
    f.Float("con1=", c.con1);
    f.Float("con2=", c.con2);
    f.Float("con3=", c.con3);
    f.Float("tric=", c.tric);
}

Lines Format(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours)
{
    Lines f;
    f.Title(m.title);
    if (!m.bitmapPath.empty())
        f.Text("bmpf=", BitmapName(m.bitmapPath));

    const CalcParameters& c = m.calc;
    f.Int("rays=", c.rays);
    f.Int("cycl=", c.cycl);
    f.Int("iter=", c.iter);
    f.Int("linr=", c.linr);
    f.Int("ccen=", c.ccen);
    f.Int("usol=", c.usol);
    f.Int("bsym=", c.bsym);
    f.Float("strm=", c.strm);
    f.Float("hrbl=", c.hrbl);
    f.Float("vwfc=", c.vwfc);
    f.Float("mxdt=", c.mxdt);
    f.Float("mxod=", c.mxod);
    f.Float("mxnd=", c.mxnd);
    f.Float("dtas=", c.dtas);
    f.Float("pixs=", m.pixs);

    const DisplaySettings& d = m.display;
    f.Int("crob=", d.crob);
    f.Int("crgr=", d.crgr);
    f.Int("crt1=", d.crt1);
    f.Int("crt2=", d.crt2);
    f.Int("crq1=", d.crq1);
    f.Int("crq2=", d.crq2);
    f.Int("lcts=", d.lcts);
    f.Int("wiob=", d.wiob);
    f.Int("wigr=", d.wigr);
    f.Int("wit1=", d.wit1);
    f.Int("wit2=", d.wit2);
    f.Int("wiq1=", d.wiq1);
    f.Int("wiq2=", d.wiq2);
    f.Int("lwts=", d.lwts);
    f.Float("tmin=", d.tmin);
    f.Float("tmax=", d.tmax);
    f.Float("tin1=", d.tin1);
    f.Float("tin2=", d.tin2);
    f.Float("tsin=", d.tsin);
    f.Float("qmin=", d.qmin);
    f.Float("qmax=", d.qmax);
    f.Float("qic1=", d.qic1);
    f.Float("qin1=", d.qin1);
    f.Float("qin2=", d.qin2);

    // `tris` gives every colour its mesh size; the colours that still
    // differ from the start-up table follow it.
    f.Float("tris=", m.tris);
    for (int n = 0; n < kColourCount; ++n) {
        ColourRecord startup = startupColours[static_cast<std::size_t>(n)];
        startup.tric = m.tris;
        const ColourRecord& colour = m.colours[static_cast<std::size_t>(n)];
        if (!SameColourValues(colour, startup))
            WriteColour(f, n, colour);
    }

    f.Int("nbor=", m.nbor);
    for (int k = 0; k < m.nbor; ++k) {
        const BorderlineBcRecord& b = m.borderlineBcs[static_cast<std::size_t>(k)];
        f.Int("bori=", k);
        if (b.bor1 >= 0 && b.bor1 <= 255)
            f.Int("bor1=", b.bor1);
        if (b.bor2 >= 0 && b.bor2 <= 255)
            f.Int("bor2=", b.bor2);
        f.Int("bory=", b.bory);
        f.Float("bort=", b.bort);
        f.Float("borq=", b.borq);
    }
    f.Int("ndis=", m.ndis);
    for (int k = 0; k < m.ndis; ++k) {
        const DistanceRecord& r = m.distances[static_cast<std::size_t>(k)];
        f.Int("disi=", k);
        f.Int("dism=", r.dism);
        f.Int("disd=", r.disd);
        f.Int("diss=", r.diss);
        f.Int("dix1=", r.x1);
        f.Int("diy1=", r.y1);
        f.Int("dix2=", r.x2);
        f.Int("diy2=", r.y2);
        if (r.diuc > 0)
            f.Float("diuc=", r.diuc);
    }

    const ReportSettings& r = m.report;
    f.Int("rptf=", r.rptf);
    f.Int("rpsi=", r.rpsi);
    f.Int("rufr=", r.rufr);
    f.Int("flk1=", r.flk1);
    f.Int("flk2=", r.flk2);
    f.Int("pan1=", r.pan1);
    f.Int("pan2=", r.pan2);
    for (auto [key, value, least] : {std::tuple{"sid1=", r.sid1, 0}, {"dis1=", r.dis1, 1}, {"sid2=", r.sid2, 0},
                                     {"dis2=", r.dis2, 1}, {"sidp=", r.sidp, 0}, {"dipa=", r.dipa, 1},
                                     {"sip2=", r.sip2, 0}, {"dip2=", r.dip2, 1}, {"difr=", r.difr, 1}})
        if (value >= least)
            f.Int(key, value);
    for (auto [key, value] : {std::pair{"ulfc=", r.ulfc}, {"urfc=", r.urfc}, {"utfc=", r.utfc}, {"ubfc=", r.ubfc}})
        if (value > 0)
            f.Float(key, value);

    for (const GraphicReportEntry& e : m.graphicReport) {
        std::string line;
        for (int i = 0; i < 6; ++i)
            line += std::to_string((e.flags >> i) & 1) + " ";
        line += std::to_string(e.fill) + " " + std::to_string((e.flags >> 6) & 1);
        f.Text("grep=", line);
    }
    return f;
}

} // namespace

std::string FormatDataFile(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours)
{
    return Format(m, startupColours).Bytes();
}

bool WriteDataFile(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours,
                   const std::string& path)
{
    return Format(m, startupColours).Save(path);
}

} // namespace dralo

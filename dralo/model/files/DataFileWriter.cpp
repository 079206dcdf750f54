// Writer of the Dralo data file, the reader's inverse: the title, the
// bitmap's name, the calculation parameters, `pixs` and the display settings
// through their key tables, `tris`, then the colours that differ from the
// start-up table, the borderline BCs and the distances after their counts,
// the report settings through their tables and the eight graphic-report
// entries. Only values the reader accepts are written.
#include "common/core/KeyedLineWriter.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/SettingKeys.h"

namespace dralo {

namespace {

using Lines = common::KeyedLineWriter;

// A text value on one line; line breaks become blanks.
void Text(Lines& f, std::string_view key, std::string utf8)
{
    for (char& c : utf8)
        if (c == '\r' || c == '\n')
            c = ' ';
    f.Text(key, utf8);
}

template <class Record, class Defaults>
void WriteSettings(Lines& f, std::span<const common::KeyEntry<Record, Defaults>> table, const Record& r,
                   const Defaults& d)
{
    for (const auto& e : table)
        common::WriteKeyLine(f, e, r, d);
}

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
    f.Line("colr=", number);
    if (!c.name.empty())
        Text(f, "name=", c.name);
    f.Line("patt=", c.patt);
    f.Line("type=", c.type);
    f.Line("rule=", c.rule);
    f.Line("lamb=", c.lamb);
    f.Line("epsi=", c.epsi);
    f.Line("temp=", c.temp);
    f.Line("hglo=", c.hglo);
    f.Line("flux=", c.flux);
    f.Line("tair=", c.tair);
    f.Line("hcon=", c.hcon);
    f.Line("qcon=", c.qcon);
    f.Line("trad=", c.trad);
    f.Line("con1=", c.con1);
    f.Line("con2=", c.con2);
    f.Line("con3=", c.con3);
    f.Line("tric=", c.tric);
}

Lines Format(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours)
{
    Lines f(common::RealForm::GeneralExact);
    f.LongText("titl=", m.title);
    if (!m.bitmapPath.empty())
        Text(f, "bmpf=", BitmapName(m.bitmapPath));
    const ProgramParameters noDefaults;
    WriteSettings(f, CalcKeys(), m.calc, noDefaults);
    f.Line("pixs=", m.pixs);
    WriteSettings(f, DisplayKeys(), m.display, noDefaults);

    // `tris` gives every colour its mesh size; the colours that still
    // differ from the start-up table follow it.
    f.Line("tris=", m.tris);
    for (int n = 0; n < kColourCount; ++n) {
        ColourRecord startup = startupColours[static_cast<std::size_t>(n)];
        startup.tric = m.tris;
        const ColourRecord& colour = m.colours[static_cast<std::size_t>(n)];
        if (!SameColourValues(colour, startup))
            WriteColour(f, n, colour);
    }

    f.Line("nbor=", m.nbor);
    for (int k = 0; k < m.nbor; ++k) {
        const BorderlineBcRecord& b = m.borderlineBcs[static_cast<std::size_t>(k)];
        f.Line("bori=", k);
        if (b.bor1 >= 0 && b.bor1 <= 255)
            f.Line("bor1=", b.bor1);
        if (b.bor2 >= 0 && b.bor2 <= 255)
            f.Line("bor2=", b.bor2);
        f.Line("bory=", b.bory);
        f.Line("bort=", b.bort);
        f.Line("borq=", b.borq);
    }
    f.Line("ndis=", m.ndis);
    for (int k = 0; k < m.ndis; ++k) {
        const DistanceRecord& r = m.distances[static_cast<std::size_t>(k)];
        f.Line("disi=", k);
        f.Line("dism=", r.dism);
        f.Line("disd=", r.disd);
        f.Line("diss=", r.diss);
        f.Line("dix1=", r.x1);
        f.Line("diy1=", r.y1);
        f.Line("dix2=", r.x2);
        f.Line("diy2=", r.y2);
        if (r.diuc > 0)
            f.Line("diuc=", r.diuc);
    }

    const ReportSettings noReportDefaults;
    WriteSettings(f, ReportOptionKeys(), m.report, noReportDefaults);
    WriteSettings(f, BorderUKeys(), m.report, noReportDefaults);

    for (const GraphicReportEntry& e : m.graphicReport) {
        const auto bit = [&e](int i) { return (e.flags >> i) & 1; };
        f.Line("grep=", bit(0), bit(1), bit(2), bit(3), bit(4), bit(5), e.fill, bit(6));
    }
    return f;
}

} // namespace

std::string FormatDataFile(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours)
{
    return Format(m, startupColours).Bytes();
}

void WriteDataFile(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours,
                   const std::string& path)
{
    Format(m, startupColours).SaveOrThrow(path);
}

} // namespace dralo

// Writer of the Novelk data file, the inverse of the reader: title, settings,
// grid, colours, blocks, the view point (after the blocks, which a preview
// read needs before it), the boundary-condition lists, the area and element
// boxes and the report settings. Each count or selector comes before the keys
// that depend on it; numbers that read back exactly.
#include "common/core/TextFileWriter.h"
#include "novelk/model/files/DataFile.h"
#include "novelk/model/files/RealText.h"
#include "novelk/model/files/Settings.h"
#include "novelk/model/store/Errors.h"
#include "platform/core/Text1252.h"

#include <charconv>
#include <string_view>
#include <type_traits>

namespace novelk {

namespace {

// Longest text value after a five-character key on a 255-character line.
constexpr std::size_t kMaxTextValue = 250;

class Writer {
  public:
    explicit Writer(const ModelStore& m) : m_model(m) {}
    const common::TextFileWriter& Format();

  private:
    // A key and its values separated by blanks, built in a local buffer and
    // appended whole (at most ten numbers).
    template <typename... Values> void Line(std::string_view key, Values... values)
    {
        static_assert(sizeof...(Values) <= 10);
        char buf[5 + 10 * 32 + 2];
        char* p = buf;
        for (char k : key)
            *p++ = k;
        bool first = true;
        ((first ? void(first = false) : void(*p++ = ' '), p = Value(p, values)), ...);
        *p++ = '\r';
        *p++ = '\n';
        m_out.Put(std::string_view(buf, static_cast<std::size_t>(p - buf)));
    }
    template <typename T> static char* Value(char* p, T v)
    {
        if constexpr (std::is_same_v<T, float>)
            return PutReal(p, v);
        else if constexpr (std::is_floating_point_v<T>)
            return std::to_chars(p, p + 32, v).ptr; // shortest exact form
        else
            return PutInt(p, static_cast<long long>(v));
    }
    // Decimal digits of an integer (most are short indices).
    static char* PutInt(char* p, long long v)
    {
        unsigned long long u = static_cast<unsigned long long>(v);
        if (v < 0) {
            *p++ = '-';
            u = 0ULL - u;
        }
        if (u >= 100000)
            return std::to_chars(p, p + 24, u).ptr;
        unsigned int w = static_cast<unsigned int>(u);
        const int n = w >= 10000 ? 5 : w >= 1000 ? 4 : w >= 100 ? 3 : w >= 10 ? 2 : 1;
        for (int i = n - 1; i >= 0; --i) {
            p[i] = static_cast<char>('0' + w % 10);
            w /= 10;
        }
        return p + n;
    }
    // A text value, cut so that its line stays within the reader's limit.
    void Text(std::string_view key, const std::string& utf8)
    {
        std::string bytes = platform::Utf8ToCp1252(utf8);
        if (bytes.size() > kMaxTextValue)
            bytes.resize(kMaxTextValue);
        m_out.Put(key);
        m_out.Put(bytes);
        m_out.EndLine();
    }

    void Title();
    void Settings();
    void Grid();
    void Colours();
    void Blocks();
    void BoundaryConditions();
    void Boxes();
    void Report();

    const ModelStore& m_model;
    common::TextFileWriter m_out;
};

const common::TextFileWriter& Writer::Format()
{
    const ModelStore& m = m_model;
    m_out.Reserve(16 * (std::size_t{m.axes[0].n} + m.axes[1].n + m.axes[2].n) +
                  40 * std::size_t{m.blocks.count} + 65536);
    Title();
    Settings();
    Grid();
    Colours();
    Blocks();
    Line("vwpt=", m.output.viewAzimuth, m.output.viewAltitude);
    BoundaryConditions();
    Boxes();
    Report();
    return m_out;
}

void Writer::Title()
{
    // Carriage returns and line feeds travel as grave accents and tildes; a
    // long title is split over several lines that the reader joins again.
    std::string bytes = platform::Utf8ToCp1252(m_model.title);
    for (char& c : bytes)
        c = c == '\r' ? '`' : c == '\n' ? '~' : c;
    for (std::size_t p = 0; p < bytes.size(); p += kMaxTextValue) {
        m_out.Put("titl=");
        m_out.Put(std::string_view(bytes).substr(p, kMaxTextValue));
        m_out.EndLine();
    }
}

void Writer::Settings()
{
    const ModelStore& m = m_model;
    // Every setting, so that the file never depends on the defaults of the
    // machine that reads it; a value the reader would refuse is left out (the
    // reader's default then stands).
    if (m.gridUnit > 0)
        Line("grun=", m.gridUnit);
    char key[6] = "xxxx=";
    for (DataKey k : ScalarSettingKeys()) {
        const ConstSettingField f = FindSetting(m, k);
        kDataKeys.copy(key, 4, static_cast<std::size_t>(k) * kDataKeyLength);
        if (f.integer && SettingAccepts(f.check, *f.integer))
            Line(key, *f.integer);
        else if (f.real && SettingAccepts(f.check, *f.real))
            Line(key, *f.real);
    }
}

void Writer::Grid()
{
    static const char* const kCount[3] = {"nxwi=", "nywi=", "nzwi="};
    static const char* const kWidth[3] = {"xwid=", "ywid=", "zwid="};
    for (int k = 0; k < 3; ++k) {
        const GridAxis& a = m_model.axes[static_cast<std::size_t>(k)];
        if (a.n == 0)
            continue;
        Line(kCount[k], a.n);
        for (std::size_t i = 0; i < a.n; ++i)
            Line(kWidth[k], a.widths[i]);
    }
}

void Writer::Colours()
{
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m_model.colours[static_cast<std::size_t>(n)];
        if (!c.inUse)
            continue;
        // A colour keeps the values of the model before, so every value goes.
        Line("colr=", n);
        Line("crgb=", c.red, c.green, c.blue);
        Line("type=", c.type);
        Line("rule=", c.rule);
        if (!c.name.empty())
            Text("name=", c.name);
        Line("patt=", c.pattern);
        Line("lamb=", c.lambda);
        Line("epsi=", c.epsilon);
        Line("temp=", c.temperature);
        Line("hglo=", c.hGlobal);
        Line("flux=", c.flux);
        Line("tair=", c.airTemperature);
        Line("hcon=", c.hConvective);
        Line("qcon=", c.qConvective);
        Line("trad=", c.radiantTemperature);
        Line("con1=", c.con1);
        Line("con2=", c.con2);
        Line("con3=", c.con3);
    }
}

void Writer::Blocks()
{
    const auto& blocks = m_model.blocks;
    if (blocks.count == 0)
        return;
    Line("nblk=", blocks.count);
    for (std::size_t b = 0; b < blocks.count; ++b) {
        const BlockRecord& r = blocks[b];
        Line("blok=", b, r.colour, r.x1, r.x2, r.y1, r.y2, r.z1, r.z2);
    }
}

void Writer::BoundaryConditions()
{
    const ModelStore& m = m_model;
    if (m.nodeBcs.count > 0)
        Line("nnbc=", m.nodeBcs.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.nodeBcs.count); ++n) {
        const NodeBcRecord& r = m.nodeBcs[n];
        Line("nbcd=", n, r.i, r.j, r.k);
        Line("nbty=", r.type);
        Line("nbte=", r.temperature);
        Line("nbpo=", r.power);
    }
    if (m.borderBcs.count > 0)
        Line("nbor=", m.borderBcs.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.borderBcs.count); ++n) {
        const BorderFaceBcRecord& r = m.borderBcs[n];
        Line("bori=", n);
        Line("bor1=", r.colour1);
        Line("bor2=", r.colour2);
        Line("bory=", r.type);
        Line("bort=", r.temperature);
        Line("borq=", r.flux);
    }
    if (m.materialBcs.count > 0)
        Line("nmat=", m.materialBcs.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.materialBcs.count); ++n) {
        const MaterialBcRecord& r = m.materialBcs[n];
        Line("mati=", n);
        Line("matc=", r.colour);
        Line("maty=", r.type);
        Line("matt=", r.temperature);
        Line("matp=", r.power);
    }
}

void Writer::Boxes()
{
    const ModelStore& m = m_model;
    for (std::size_t k = 0; k < kAreaRecords; ++k) {
        const AreaRecord& a = m.areas[k];
        Line("area=", k, a.x1, a.x2, a.y1, a.y2, a.z1, a.z2);
    }
    for (std::size_t k = 0; k < kAreaRecords; ++k) {
        const AreaRecord& u = m.elements[k];
        Line("uval=", k, u.x1, u.x2, u.y1, u.y2, u.z1, u.z2);
        if (u.enforced >= 0)
            Line("uenf=", k, u.enforced);
    }
}

void Writer::Report()
{
    const ReportSettings& r = m_model.report;
    Text("naue=", r.elementName);
    for (const GraphicReportEntry& e : r.graphicReport) {
        const GraphicReportValues v = GraphicReportValuesOf(e);
        Line("grep=", v.create, v.projection, v.azimuth, v.altitude, v.switches[0], v.switches[1],
             v.switches[2], v.switches[3], v.fill, v.legend);
    }
}

} // namespace

std::string FormatDataFile(const ModelStore& m)
{
    Writer writer(m);
    return writer.Format().Bytes();
}

void WriteDataFile(const ModelStore& m, const std::string& path)
{
    Writer writer(m);
    if (!writer.Format().Save(path))
        throw EngineError::FileOpen(path);
}

} // namespace novelk

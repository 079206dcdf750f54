// The data-file writer, the reader's inverse.
#include "common/core/KeyedLineWriter.h"
#include "parven/model/files/DataFile.h"
#include "parven/model/stl/StlFiles.h"
#include "parven/model/store/Errors.h"
#include "parven/model/store/SettingKeys.h"

#include <algorithm>
#include <span>

namespace parven {

namespace {

// The values a colour's lines give it.
bool SameWrittenValues(const ColourRecord& a, const ColourRecord& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.type == b.type && a.rule == b.rule &&
           a.name == b.name && a.pattern == b.pattern && a.meshSize == b.meshSize && a.lamb == b.lamb &&
           a.epsi == b.epsi && a.temp == b.temp && a.hglo == b.hglo && a.flux == b.flux && a.tair == b.tair &&
           a.hcon == b.hcon && a.qcon == b.qcon && a.trad == b.trad && a.con1 == b.con1 && a.con2 == b.con2 &&
           a.con3 == b.con3 && a.swell == b.swell;
}

void WriteColour(common::KeyedLineWriter& out, int n, const ColourRecord& c)
{
    out.Line("colr=", n);
    out.Line("crgb=", c.red, c.green, c.blue);
    out.Line("ctyp=", c.type);
    if (!c.name.empty())
        out.Text("cnam=", c.name);
    out.Line("patt=", c.pattern);
    out.Line("csiz=", c.meshSize);
    out.Line("lamb=", c.lamb);
    out.Line("epsi=", c.epsi);
    out.Line("temp=", c.temp);
    out.Line("hglo=", c.hglo);
    out.Line("flux=", c.flux);
    out.Line("tair=", c.tair);
    out.Line("hcon=", c.hcon);
    out.Line("qcon=", c.qcon);
    out.Line("trad=", c.trad);
    out.Line("rule=", c.rule);
    out.Line("con1=", c.con1);
    out.Line("con2=", c.con2);
    out.Line("con3=", c.con3);
    out.Line("swel=", c.swell);
}

void WriteGrid(common::KeyedLineWriter& out, const ShapeModel& m)
{
    static constexpr const char* kCounts[] = {"nxwi=", "nywi=", "nzwi="};
    static constexpr const char* kWidths[] = {"xwid=", "ywid=", "zwid="};
    static constexpr const char* kOrigins[] = {"x0gr=", "y0gr=", "z0gr="};
    for (int k = 0; k < 3; ++k)
        out.Line(kCounts[k], m.axes[static_cast<std::size_t>(k)].n);
    for (int k = 0; k < 3; ++k) {
        const GridAxis& a = m.axes[static_cast<std::size_t>(k)];
        for (std::size_t i = 0; i < a.n; ++i)
            out.Line(kWidths[k], a.widths[i]);
    }
    for (int k = 0; k < 3; ++k)
        out.Line(kOrigins[k], m.origin[k]);
}

void WriteLists(common::KeyedLineWriter& out, const ShapeModel& m)
{
    if (m.borderBcs.count > 0) {
        out.Line("nbor=", m.borderBcs.count);
        for (std::size_t i = 0; i < m.borderBcs.count; ++i) {
            const BorderFaceBcRecord& r = m.borderBcs[i];
            out.Line("bori=", i);
            out.Line("bor1=", r.colour1);
            out.Line("bor2=", r.colour2);
            out.Line("bory=", r.type);
            out.Line("bort=", r.temperature);
            out.Line("borq=", r.flux);
        }
    }
    if (m.materialBcs.count > 0) {
        out.Line("nmat=", m.materialBcs.count);
        for (std::size_t i = 0; i < m.materialBcs.count; ++i) {
            const MaterialBcRecord& r = m.materialBcs[i];
            out.Line("mati=", i);
            out.Line("matc=", r.colour);
            out.Line("maty=", r.type);
            out.Line("matt=", r.temperature);
            out.Line("matp=", r.power);
        }
    }
    for (int i = 0; i < 3; ++i) {
        const auto& p = m.areas[static_cast<std::size_t>(i)].points;
        if (std::any_of(&p[0][0], &p[0][0] + 9, [](float x) { return x != 0; }))
            out.Line("area=", i, p[0][0], p[0][1], p[0][2], p[1][0], p[1][1], p[1][2], p[2][0], p[2][1], p[2][2]);
    }
    for (int i = 0; i < 3; ++i) {
        const float* v = m.uValues[static_cast<std::size_t>(i)].values;
        if (std::any_of(v, v + 6, [](float x) { return x != 0; }))
            out.Line("uval=", i, v[0], v[1], v[2], v[3], v[4], v[5]);
    }
}

void WriteBlocks(common::KeyedLineWriter& out, const ShapeModel& m)
{
    if (m.blocks.count == 0)
        return;
    static constexpr int kAllPoints[] = {0, 1, 2, 3, 4, 5, 6, 7};
    out.Line("nblk=", m.blocks.count);
    for (std::size_t i = 0; i < m.blocks.count; ++i) {
        const BlockRecord& b = m.blocks[i];
        out.Line("blok=", i);
        out.Line("bclr=", b.colour);
        out.Line("bsol=", b.kind);
        out.Line("btyp=", b.form);
        out.Line("bshp=", b.shape);
        out.Line("bipt=", b.selectedPoint);
        // A SOLID block's other corners follow from its defining points.
        for (int p : b.kind == SOLID ? DefiningPoints(b) : std::span<const int>(kAllPoints))
            out.Line("bpnt=", p, b.points[p][0], b.points[p][1], b.points[p][2]);
        if (!StlName(m, b).empty())
            out.Text("bstl=", StlName(m, b));
    }
}

void Format(const ShapeModel& m, const ColourTable& startColours, common::KeyedLineWriter& out)
{
    out.Reserve(160 * m.blocks.count + 16 * (m.axes[0].n + m.axes[1].n + m.axes[2].n) + 65536);
    if (!m.title.empty())
        out.LongText("titl=", m.title);
    const ProgramParameters noDefaults;
    for (const SettingKey& e : SettingKeys())
        if (e.key != "vwpt=")
            common::WriteKeyLine(out, e, m.settings, noDefaults);
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (c.inUse || !SameWrittenValues(c, startColours[static_cast<std::size_t>(n)]))
            WriteColour(out, n, c);
    }
    WriteGrid(out, m);
    WriteLists(out, m);
    WriteBlocks(out, m);
    // Last: a preview stops here.
    common::WriteKeyLine(out, *FindSettingKey("vwpt="), m.settings, noDefaults);
}

} // namespace

std::string FormatDataFile(const ShapeModel& m, const ColourTable& startColours)
{
    common::KeyedLineWriter out(common::RealForm::Shortest);
    Format(m, startColours, out);
    return out.Bytes();
}

void SaveDataFile(ShapeModel& m, const ColourTable& startColours, const std::string& path)
{
    WriteChangedStlBlocks(m, path);
    common::KeyedLineWriter out(common::RealForm::Shortest);
    Format(m, startColours, out);
    if (!out.Save(path))
        throw EngineError::FileOpen(path);
}

} // namespace parven

// The text reports and the report definition file. Each report is built as
// text in memory, then written with CRLF line ends in Windows-1252, so that a
// report that cannot be written leaves the others untouched. Numbers are
// formatted without regard to the user's locale.
#include "dralo/model/reports/TextReports.h"

#include "common/core/ListingText.h"
#include "common/core/TextFileWriter.h"
#include "dralo/model/calc/CalcSystem.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/results/LineValues.h"
#include "dralo/model/rules/SurfaceRules.h"
#include "dralo/model/store/ColourQueries.h"

#include <cmath>
#include <filesystem>

namespace dralo {

namespace {

using common::FormatFixed;
using common::FormatGeneral;
using common::FormatInt;

// String ids of the reports.
enum : unsigned {
    kStrDatTitle = 437, kStrDataFile = 438, kStrBitmapFile = 439, kStrOnePixel = 440,
    kStrSizeHead = 441, kStrSizeUnits = 442, kStrColourHead = 443, kStrColourUnits = 444,
    kStrCavityHead = 445, kStrCavityUnits = 446, kStrCalcParameters = 447, kStrMargin = 448,
    kStrPixels = 449, kStrCycles = 450, kStrLinear = 451, kStrNonlinear = 452, kStrRecalculated = 453,
    kStrKept = 454, kStrDefaultDeltaT = 455, kStrVwfc = 456, kStrRays = 457, kStrHrbl = 458,
    kStrFirstCycle = 459, kStrIterations = 460, kStrPerCycle = 461, kStrMaxDeltaT = 462,
    kStrObjectDivergence = 463, kStrNodeDivergence = 464, kStrResTitle = 465, kStrResHead = 466,
    kStrResUnits = 467, kStrEquations = 468, kStrResObject = 469, kStrResNode = 470,
    kStrBorderlineTitle = 471, kStrBorderlineHead = 472, kStrTemperatureFactor = 473, kStrNoHi = 474,
    kStrPsi = 475, kStrUeq = 476, kStrLeftEdge = 477, kStrDistanceNo = 481, kStrFrame = 482,
    kStrCondensation = 483, kStrWithSolution = 484, kStrWithDefault = 485, kStrNoSymmetry = 486,
    kStrSymmetry = 487, kStrMatHead = 560, kStrBocHead = 561, kStrEqmHead = 562,
};

std::string Fixed(double v, int width, int decimals)
{
    return FormatFixed(v, width, decimals);
}

// The text with its first `what` replaced by `by`.
std::string Substituted(const std::string& text, std::string_view what, const std::string& by)
{
    const std::size_t at = text.find(what);
    if (at == std::string::npos) {
        return text;
    }
    return text.substr(0, at) + by + text.substr(at + what.size());
}

// The text with a "%d" in it replaced by n.
std::string WithNumber(const std::string& text, long long n)
{
    return Substituted(text, "%d", std::to_string(n));
}

std::string Padded(std::string_view text, std::size_t width)
{
    std::string s = common::CutText(text, width);
    common::PadLineBuffer(s, width);
    return s;
}

std::string FileTitle(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

// The report base: the data file's path without its extension.
std::string BaseName(const BitmapModel& m)
{
    return ReplaceExtension(m.dataFilePath, "");
}

class Reports {
  public:
    explicit Reports(ReportContext& c) : m(c.model), r(c.results), s(c.strings), c_(c) {}

    std::string Dat();
    std::string Res(bool withSections);
    std::string Mat();
    std::string Boc();
    std::string Eqm();
    std::string Dir();
    std::string Tfc();
    std::string Psi();
    std::string Ufr();
    bool HasDirections() const;

  private:
    std::string S(unsigned id) const { return s.Get(id); }
    std::string SideLabel(int side) const
    {
        return side < 4 ? S(kStrLeftEdge + static_cast<unsigned>(side)) : WithNumber(S(kStrDistanceNo), side - 3);
    }
    std::string T(double v) const { return Fixed(v, 0, c_.dect); }
    template <class Visit> void PresentColours(Visit&& visit) const
    {
        for (const ColourRecord& col : m.colours) {
            if (col.present) {
                visit(col);
            }
        }
    }

    BitmapModel& m;
    const MeshResults& r;
    const platform::StringTable& s;
    ReportContext& c_;
};

bool IsBoundaryType(int type)
{
    return type != MATERIAL && type != EQUIMAT && type != TRANSMAT;
}

std::string Reports::Dat()
{
    std::string o = "\n" + S(kStrDatTitle) + "\n\n";
    if (!m.title.empty()) {
        o += m.title + "\n\n";
    }
    o += S(kStrDataFile) + ": " + FileTitle(m.dataFilePath) + ".drl\n";
    o += S(kStrBitmapFile) + ": " + FileTitle(m.bitmapPath) + ".bmp\n";
    o += S(kStrOnePixel) + " = " + FormatGeneral(m.pixs) + " m\n\n";

    o += S(kStrSizeHead) + "\n" + S(kStrSizeUnits) + "\n";
    PresentColours([&](const ColourRecord& col) {
        const int w = col.maxX - col.minX + 1, h = col.maxY - col.minY + 1;
        std::string line = Padded(std::to_string(col.number), 3);
        line += FormatInt(w, 10) + Fixed(w * double(m.pixs), 10, 4) + FormatInt(h, 10) +
                Fixed(h * double(m.pixs), 10, 4) + FormatInt(col.pixelCount, 10) + FormatInt(col.zoneCount, 10);
        if (col.type == MATERIAL || col.type == EQUIMAT || col.type == TRANSMAT) {
            line += Fixed(col.tric, 13, 2);
        }
        o += line + "\n";
    });
    o += "\n";

    const bool radiating = HasRadiatingColours(m);
    o += S(kStrColourHead) + "\n" + S(kStrColourUnits) + "\n";
    PresentColours([&](const ColourRecord& col) {
        const int type = col.type;
        std::string line = Padded(std::to_string(col.number), 3) + "  ";
        line += Padded(kTypeKeywords[static_cast<std::size_t>(type)], 8) + "  ";
        line += Padded(kRuleKeywords[static_cast<std::size_t>(type)][static_cast<std::size_t>(col.rule)], 10);
        line += "  " + Padded(col.name, 15);
        line += (type == MATERIAL || type == EQUIMAT || type == TRANSMAT) ? Fixed(col.lamb, 8, 3) : std::string(8, ' ');
        line += ((type == MATERIAL || type == EQUIMAT) && radiating) ? Fixed(col.epsi, 6, 2) : std::string(6, ' ');
        line += type == BC_SIMPL ? Fixed(col.temp, 7, 1) : std::string(7, ' ');
        line += (type == BC_SIMPL || type == BC_FRE_S) ? Fixed(col.hglo, 8, 2) : std::string(8, ' ');
        line += IsBoundaryType(type) ? FormatGeneral(col.flux, 10) : std::string(10, ' ');
        o += line + "\n";
    });

    bool cavities = false;
    PresentColours([&](const ColourRecord& col) {
        cavities = cavities || (col.type >= BC_FREE && col.type <= BC_FRE_S) ||
                   (col.type == EQUIMAT && col.rule != NIHIL);
    });
    if (cavities) {
        o += "\n" + S(kStrCavityHead) + "\n" + S(kStrCavityUnits) + "\n";
        PresentColours([&](const ColourRecord& col) {
            const int t = col.type;
            if (!((t >= BC_FREE && t <= BC_FRE_S) || (t == EQUIMAT && col.rule != NIHIL))) {
                return;
            }
            const bool hasRule = col.rule != NIHIL;
            std::string line = Padded(std::to_string(col.number), 3);
            line += (t == BC_SKY || t == BC_NOSKY) ? Fixed(col.tair, 7, 1) : std::string(7, ' ');
            line += (t == BC_FREE || t == BC_SKY || t == BC_NOSKY) ? Fixed(col.hcon, 8, 2) : std::string(8, ' ');
            line += (t == BC_FREE || t == BC_FRE_S) ? FormatGeneral(col.qcon, 10) : std::string(10, ' ');
            line += t == BC_SKY ? Fixed(col.trad, 7, 1) : std::string(7, ' ');
            const bool c1 = (t == EQUIMAT && hasRule) ||
                            (t == BC_FREE && (col.rule == 1 || col.rule == 2 || col.rule == 4)) ||
                            (t == TRANSMAT && col.rule == 1);
            line += c1 ? FormatGeneral(col.con1, 10) : std::string(10, ' ');
            if (hasRule) {
                line += FormatGeneral(col.con2, 10) + FormatGeneral(col.con3, 10);
            }
            o += line + "\n";
        });
    }

    if (m.nbor > 0) {
        o += "\n" + S(kStrBorderlineTitle) + "\n" + S(kStrBorderlineHead) + "\n";
        for (int k = 0; k < m.nbor; ++k) {
            const BorderlineBcRecord& b = m.borderlineBcs[static_cast<std::size_t>(k)];
            std::string line = Padded(std::to_string(k + 1), 3);
            line += b.bor1 >= 0 ? FormatInt(b.bor1, 5) : std::string(5, ' ');
            line += b.bor2 >= 0 ? FormatInt(b.bor2, 7) : std::string(7, ' ');
            line += "    " + std::string(!b.valid ? "    " : b.bory == kBorderlineTemp ? "TEMP" : "FLUX");
            line += FormatGeneral(b.bory == kBorderlineTemp ? b.bort : b.borq, 10);
            o += line + "\n";
        }
    }

    const int cycles = CalculationCycleCount(m);
    const bool longWave = HasLongWaveColours(m);
    o += "\n" + S(kStrCalcParameters) + "\n";
    o += S(kStrMargin) + " = " + FormatGeneral(m.calc.strm) + " " + S(kStrPixels) + "\n";
    if (cycles > 1) {
        o += S(kStrCycles) + " = " + std::to_string(cycles) + "\n";
        if (radiating) {
            o += S(m.calc.linr ? kStrLinear : kStrNonlinear) + "\n";
        }
        if (longWave) {
            o += S(m.calc.ccen ? kStrRecalculated : kStrKept) + S(m.calc.usol ? kStrWithSolution : kStrWithDefault) +
                 "\n";
        }
    }
    if (longWave) {
        o += S(kStrDefaultDeltaT) + " = " + FormatGeneral(m.calc.dtas) + "°C" +
             S(m.calc.bsym ? kStrSymmetry : kStrNoSymmetry) + "\n";
    }
    if (radiating) {
        o += S(kStrVwfc) + " = " + FormatGeneral(m.calc.vwfc) + "\n";
        o += S(kStrRays) + " = " + std::to_string(m.calc.rays) + "\n";
        o += S(kStrHrbl) + (cycles > 1 ? S(kStrFirstCycle) : "") + " = " + FormatGeneral(m.calc.hrbl) + " W/(m².K)\n";
    }
    o += S(kStrIterations) + (cycles > 1 ? S(kStrPerCycle) : "") + " = " + std::to_string(m.calc.iter) + "\n";
    o += S(kStrMaxDeltaT) + " = " + FormatGeneral(m.calc.mxdt) + "°C\n";
    o += S(kStrObjectDivergence) + " = " + FormatGeneral(m.calc.mxod) + " %\n";
    o += S(kStrNodeDivergence) + " = " + FormatGeneral(m.calc.mxnd) + " %\n";
    return o;
}

std::string Reports::Res(bool withSections)
{
    std::string o = "\n" + S(kStrResTitle) + "\n\n";
    o += S(kStrDataFile) + ": " + FileTitle(m.dataFilePath) + ".drl\n\n";
    o += S(kStrEquations) + " = " + std::to_string(r.equations) + "\n";
    o += S(kStrResObject) + " = " + FormatGeneral(r.objectDivergence) + "\n";
    o += S(kStrResNode) + " = " + FormatGeneral(r.nodeDivergence) + "\n\n";
    o += S(kStrResHead) + "\n" + S(kStrResUnits) + "\n";
    PresentColours([&](const ColourRecord& col) {
        std::string line = Padded(std::to_string(col.number), 3) + "  ";
        line += Padded(kTypeKeywords[static_cast<std::size_t>(col.type)], 8) + "  ";
        line += Padded(col.name, 15);
        common::PadLineBuffer(line, 30);
        if (col.lowestTemperature <= col.highestTemperature) {
            line += Fixed(col.lowestTemperature, 10, c_.dect) + Fixed(col.highestTemperature, 10, c_.dect);
        } else {
            line += std::string(20, ' ');
        }
        if (col.type != MATERIAL && col.type != EQUIMAT) {
            line += (col.type == BC_FREE || col.type == BC_FRE_S) ? Fixed(col.tair, 10, c_.dect) : std::string(10, ' ');
            line += Fixed(col.heatFlowIn, 10, c_.decq) + Fixed(col.heatFlowOut, 10, c_.decq);
        }
        o += line + "\n";
    });
    if (withSections && HasTwoBoundaryTemperatures(m)) {
        if (m.report.rptf) {
            o += "\n" + Tfc();
        }
        if (m.report.rpsi && (m.report.flk1 || m.report.flk2)) {
            o += "\n" + Psi();
        }
        if (m.report.rufr) {
            o += "\n" + Ufr();
        }
    }
    return o;
}

std::string Reports::Tfc()
{
    const TemperatureFactor f = ComputeTemperatureFactor(m);
    if (!f.defined) {
        // Without ti > te the quotient means nothing: the value stays blank.
        return S(kStrTemperatureFactor) + " = \n";
    }
    std::string o = S(kStrTemperatureFactor) + " = " + Fixed(f.f, 0, 3) + "\n";
    if (f.hasH) {
        o += "  hi = " + Fixed(f.hi, 0, 2) + " W/(m².K)\n";
        if (f.hi > 0) {
            o += "  Rsi = " + Fixed(1.0 / f.hi, 0, 2) + " m².K/W\n";
        }
    } else {
        o += "  " + S(kStrNoHi) + "\n";
    }
    std::string text = Substituted(S(kStrCondensation), "%.0f", Fixed(f.condensationRh, 0, 0));
    text = Substituted(text, "%%", "%");
    text = Substituted(text, "%.*f", T(f.ti));
    return o + text + "\n";
}

std::string Reports::Psi()
{
    const PsiValues v = ComputePsiValues(m, r);
    if (!v.shown) {
        return {};
    }
    std::string o;
    if (v.psiShown) {
        o += S(kStrPsi) + "\n" + "psi = Q/(ti-te) - U1*l1 - U2*l2 = " + Fixed(v.psi, 0, 3) + " W/(m.K)\n";
    }
    o += S(kStrUeq) + "\n" + "Ueq = Q/((ti-te)*(l1+l2)) = " + Fixed(v.ueq, 0, 3) + " W/(m².K)\n";
    o += "  Q = " + Fixed(v.env.q, 0, 3) + " W/m\n";
    o += "  ti = " + T(v.env.ti) + "°C\n";
    o += "  te = " + T(v.env.te) + "°C\n";
    const ReportSettings& rs = m.report;
    auto side = [&](const char* u, double value, int sid, const char* l, double length, int dis) {
        o += std::string("  ") + u + " = " + Fixed(value, 0, 3) + " W/(m².K)";
        if (value > 0) {
            o += "  " + SideLabel(sid);
        }
        o += std::string("\n  ") + l + " = " + Fixed(length, 0, 4) + " m      ";
        if (length > 0) {
            o += "  " + WithNumber(S(kStrDistanceNo), dis);
        }
        o += "\n";
    };
    side("U1", v.u1, rs.sid1, "l1", v.l1, rs.dis1);
    side("U2", v.u2, rs.sid2, "l2", v.l2, rs.dis2);
    return o;
}

std::string Reports::Ufr()
{
    const FrameValues v = ComputeFrameValues(m, r);
    if (!v.shown) {
        return {};
    }
    const ReportSettings& rs = m.report;
    std::string o = S(kStrFrame) + "\n" + "Uf = (Q/(ti-te) - Up1*wp1 - Up2*wp2) / wf = " + Fixed(v.uf, 0, 3) +
                    " W/(m².K)\n";
    o += "  Q = " + Fixed(v.env.q, 0, 3) + " W/m\n";
    o += "  ti = " + T(v.env.ti) + "°C\n";
    o += "  te = " + T(v.env.te) + "°C\n";
    o += "  Up1 = " + Fixed(v.up1, 0, 3) + " W/(m².K)  " + SideLabel(rs.sidp) + "\n";
    o += "  wp1 = " + Fixed(v.wp1, 0, 4) + " m        " + WithNumber(S(kStrDistanceNo), rs.dipa) + "\n";
    if (v.up2 > 0 && v.wp2 > 0) {
        o += "  Up2 = " + Fixed(v.up2, 0, 3) + " W/(m².K)  " + SideLabel(rs.sip2) + "\n";
        o += "  wp2 = " + Fixed(v.wp2, 0, 4) + " m        " + WithNumber(S(kStrDistanceNo), rs.dip2) + "\n";
    } else {
        o += "  Up2 = 0.000 W/(m².K)\n  wp2 = 0.0000 m\n";
    }
    o += "  wf = " + Fixed(v.wf, 0, 4) + " m         " + WithNumber(S(kStrDistanceNo), rs.difr) + "\n";
    return o;
}

std::string Reports::Mat()
{
    const bool radiating = HasRadiatingColours(m);
    std::string o = S(kStrMatHead) + "\n\t\t                      \t[W/mK]\t[-]\n";
    PresentColours([&](const ColourRecord& col) {
        if (col.type != MATERIAL) {
            return;
        }
        o += "\t" + std::to_string(col.number) + "\t" + Padded(col.name, 22) + "\t" + Fixed(col.lamb, 0, 3) + "\t";
        if (radiating) {
            o += Fixed(col.epsi, 0, 2);
        }
        o += "\n";
    });
    return o;
}

std::string Reports::Boc()
{
    std::string o = S(kStrBocHead) + "\n\t\t                      \t[°C]\t[W/m²K]\t[W/m²]\n";
    PresentColours([&](const ColourRecord& col) {
        if (col.type == MATERIAL || col.type == EQUIMAT || col.type == TRANSMAT) {
            return;
        }
        o += "\t" + std::to_string(col.number) + "\t" + Padded(col.name, 22) + "\t";
        if (col.type == BC_SIMPL) {
            o += Fixed(col.temp, 0, 1);
        }
        o += "\t";
        if (col.type == BC_SIMPL || col.type == BC_FRE_S) {
            o += Fixed(col.hglo, 0, 2);
        }
        o += "\t" + FormatGeneral(col.flux) + "\n";
    });
    return o;
}

std::string Reports::Eqm()
{
    std::string o = S(kStrEqmHead) + "\n\t\t[W/mK]\t\t\t[W/mK]\t\t\t[W/mK]\t\t\t[W/mK]\n";
    int inLine = 0;
    PresentColours([&](const ColourRecord& col) {
        if (col.type != EQUIMAT && col.type != TRANSMAT) {
            return;
        }
        if (inLine > 0) {
            o += "\t";
        }
        o += '\t';
        o += std::to_string(col.number);
        o += '\t';
        o += Fixed(col.lamb, 0, 3);
        if (++inLine == 4) {
            o += "\n";
            inLine = 0;
        }
    });
    if (inLine > 0) {
        o += "\n";
    }
    return o;
}

bool HasDirection(const ColourRecord& col)
{
    return (col.type == EQUIMAT && (col.rule == 5 || col.rule == 6)) || (col.type == TRANSMAT && col.rule == 1) ||
           (col.type == BC_FREE && col.rule == 4);
}

bool Reports::HasDirections() const
{
    bool any = false;
    PresentColours([&](const ColourRecord& col) { any = any || HasDirection(col); });
    return any;
}

std::string Reports::Dir()
{
    std::string o = "\tCol.\tangle\tdepth\twidth\ttemp.diff.\n\t\t[°]\t[mm]\t[mm]\t[°C]\n";
    PresentColours([&](const ColourRecord& col) {
        if (!HasDirection(col)) {
            return;
        }
        const double angle = std::atan2(col.flowY, col.flowX) * 57.29577866666166;
        o += "\t" + std::to_string(col.number) + "\t" + Fixed(angle, 0, 1) + "\t" + Fixed(col.cavityD * 1000.0, 0, 2) +
             "\t" + Fixed(col.cavityB * 1000.0, 0, 2) + "\t" + Fixed(col.cavityDeltaT, 0, 2) + "\n";
    });
    return o;
}

// The text with CRLF line ends in Windows-1252.
bool SaveText(const std::string& path, const std::string& text)
{
    common::TextFileWriter w;
    std::size_t from = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
        w.PutText(std::string_view(text).substr(from, at - from));
        w.EndLine();
        from = at + 1;
    }
    w.PutText(std::string_view(text).substr(from));
    return w.Save(path);
}

} // namespace

bool LoadDraloStrings(platform::StringTable& table, const std::string& programFolder, std::string* error)
{
    return table.LoadEnglishFile((std::filesystem::path(programFolder) / kDraloStringFile).string(), error);
}

std::vector<std::pair<std::string, std::string>> BuildTextReports(ReportContext& c)
{
    BitmapModel& m = c.model;
    Reports reports(c);
    std::vector<std::pair<std::string, std::string>> out;
    out.emplace_back("_DAT", reports.Dat());
    out.emplace_back("_RES", reports.Res(true));
    out.emplace_back("_MAT", reports.Mat());
    out.emplace_back("_BOC", reports.Boc());
    out.emplace_back("_EQM", reports.Eqm());
    if (reports.HasDirections()) {
        out.emplace_back("_DIR", reports.Dir());
    }
    if (m.report.rptf) {
        out.emplace_back("_TFC", reports.Tfc());
    }
    if (m.report.rpsi && (m.report.flk1 || m.report.flk2)) {
        out.emplace_back("_PSI", reports.Psi());
    }
    if (m.report.rufr && m.ndis < 2) {
        m.report.rufr = 0;
    }
    if (m.report.rufr) {
        out.emplace_back("_UFR", reports.Ufr());
    }
    return out;
}

std::vector<std::string> MakeTextReports(ReportContext& c)
{
    std::vector<std::string> failed;
    const std::string base = BaseName(c.model);
    for (const auto& [suffix, text] : BuildTextReports(c)) {
        const std::string path = base + suffix + ".txt";
        if (!SaveText(path, text)) {
            failed.push_back(path);
        }
    }
    return failed;
}

std::string BuildReportDefinition(ReportContext& c, bool png)
{
    BitmapModel& m = c.model;
    ReportSettings& rs = m.report;
    const std::string name = FileTitle(m.dataFilePath);
    std::string o;
    for (int i = 1; i <= kGraphicReportEntries; ++i) {
        if (m.graphicReport[static_cast<std::size_t>(i - 1)].flags & 1) {
            o += "GRA" + std::to_string(i) + " " + name + std::to_string(i) + (png ? ".png" : ".bmp") + "\n";
        }
    }
    o += "\n";
    for (const char* key : {"DAT", "RES", "MAT", "BOC", "EQM"}) {
        o += std::string("T") + key + " " + name + "_" + key + ".txt\n";
    }
    if (m.ndis < 2) {
        rs.rufr = 0;
    }
    const bool psiOn = rs.rpsi && (rs.flk1 || rs.flk2);
    if (rs.rptf) {
        o += "TTFC " + name + "_TFC.txt\n";
    }
    if (psiOn) {
        o += "TPSI " + name + "_PSI.txt\n";
    }
    if (rs.rufr) {
        o += "TUFR " + name + "_UFR.txt\n";
    }
    o += "\n";
    o += "VBMP " + FileTitle(m.bitmapPath) + ".bmp\n";
    o += "VPIX " + FormatGeneral(m.pixs) + "\n";
    o += "VTRI " + FormatGeneral(m.tris) + "\n";
    o += "VNOD " + std::to_string(c.results.equations) + "\n";
    const TemperatureFactor f = ComputeTemperatureFactor(m);
    o += "VTFC " + (rs.rptf && f.defined ? Fixed(f.f, 0, 3) : std::string()) + "\n";

    // A group switched on whose gates fail still writes its six lines, empty.
    auto value = [](bool shown, double v, int decimals) { return shown ? Fixed(v, 0, decimals) : std::string(); };
    PsiValues psi;
    if (psiOn) {
        psi = ComputePsiValues(m, c.results);
    }
    o += "VPSI " + value(psi.shown && psi.psiShown, psi.psi, 3) + "\n";
    o += "VUEQ " + value(psi.shown, psi.ueq, 3) + "\n";
    o += "VUF1 " + value(psi.shown && psi.u1 > 0, psi.u1, 3) + "\n";
    o += "VLF1 " + value(psi.shown && psi.l1 > 0, psi.l1, 4) + "\n";
    o += "VUF2 " + value(psi.shown && psi.u2 > 0, psi.u2, 3) + "\n";
    o += "VLF2 " + value(psi.shown && psi.l2 > 0, psi.l2, 4) + "\n";

    FrameValues frame;
    if (rs.rufr) {
        frame = ComputeFrameValues(m, c.results);
    }
    const bool panel1 = frame.up1 > 0 && frame.wp1 > 0;
    const bool panel2 = frame.up2 > 0 && frame.wp2 > 0;
    o += "VUFR " + value(frame.shown, frame.uf, 3) + "\n";
    o += "VWFR " + value(frame.shown, frame.wf, 4) + "\n";
    o += "VUP1 " + value(frame.shown && panel1, frame.up1, 3) + "\n";
    o += "VWP1 " + value(frame.shown && panel1, frame.wp1, 4) + "\n";
    o += "VUP2 " + value(frame.shown && panel2, frame.up2, 3) + "\n";
    o += "VWP2 " + value(frame.shown && panel2, frame.wp2, 4) + "\n";
    return o;
}

bool WriteReportDefinition(ReportContext& c, bool png)
{
    return SaveText(ReplaceExtension(c.model.dataFilePath, ".bri"), BuildReportDefinition(c, png));
}

} // namespace dralo

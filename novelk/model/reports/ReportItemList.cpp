// The report item list ".nvr".
#include "novelk/model/reports/ReportItemList.h"

#include "novelk/model/reports/ReportText.h"
#include "novelk/model/store/TempFiles.h"

namespace novelk {

using namespace report;

namespace {

std::string Record(const std::string& key, const std::string& value = {})
{
    return key + " " + value + "\n";
}

} // namespace

std::string ReportItemListText(const ModelStore& m, const RunState& run, int imageType)
{
    const std::string title = DataFileTitle(m.dataFilePath);
    const ReportSettings& flags = m.report;
    std::string s;
    for (int n = 0; n < kGraphicReportEntries; ++n)
        if (flags.graphicReport[std::size_t(n)].flags & kReportCreate)
            s += Record("GRA" + Int(n + 1), title + Int(n + 1) + (imageType != 0 ? ".bmp" : ".png"));
    s += "\n";
    for (const char* suffix : {"DAT", "RES", "COR", "NOT", "VFC", "MAT", "BOC"})
        s += Record(std::string("T") + suffix, title + "_" + suffix + ".txt");
    if (flags.temperatureFactor)
        s += Record("TTFC", title + "_TFC.txt");
    if (flags.transmittanceP || flags.transmittanceQ)
        s += Record("TPSI", title + "_PSI.txt");
    if (flags.elementU)
        s += Record("TUEL", title + "_UEL.txt");
    s += "\n";
    s += Record("VFIL", title + ".nvk");
    s += Record("VNOD", Int(run.resultsLoaded ? run.unknowns : 0));

    const DerivedFigures d = ComputeDerivedFigures(m);
    const Transmittance& t = d.transmittance;
    // A figure that cannot be derived (te < ti failing) leaves its value empty.
    s +=
        Record("VTFC", flags.temperatureFactor && d.factor.defined ? Fixed(d.factor.f, 0, 3) : std::string());
    if (flags.transmittanceP || flags.transmittanceQ) {
        if (t.defined) {
            const bool psi = flags.transmittanceP && t.anyUsed;
            s += Record("VPSI", psi && t.flatAxis >= 0 ? Fixed(t.psi, 0, 3) : std::string());
            s += Record("VDEL", psi && t.flatAxis < 0 ? Fixed(t.deltaL, 0, 3) : std::string());
            s += Record("VUEQ", flags.transmittanceQ ? Fixed(t.ueq, 0, 3) : std::string());
        }
    } else {
        s += Record("VPSI") + Record("VDEL") + Record("VUEQ");
    }
    if (!flags.elementU)
        s += Record("VUEL");
    else if (d.element.defined)
        s += Record("VUEL", Fixed(d.element.u, 0, 3));
    const bool areaRecords = flags.transmittanceP || flags.transmittanceQ || flags.elementU;
    for (int i = 0; i < kAreaRecords; ++i) {
        const double u = t.u[std::size_t(i)], a = t.area[std::size_t(i)];
        s += Record("VUF" + Int(i + 1), areaRecords && u > 0 ? Fixed(u, 0, 3) : std::string());
        s += Record("VAF" + Int(i + 1), areaRecords && a > 0 ? General(a) : std::string());
    }
    return s;
}

bool WriteReportDefinition(const ModelStore& m, const RunState& run, int imageType)
{
    if (m.dataFilePath.empty())
        return false;
    return SaveReport(CompanionFilePath(m.dataFilePath, "nvr"), ReportItemListText(m, run, imageType));
}

} // namespace novelk

// The view-factor report "_VFC.txt" and the tab-separated material and
// boundary tables "_MAT.txt" and "_BOC.txt".
#include "novelk/model/calc/ViewFactors.h"
#include "novelk/model/reports/ReportText.h"
#include "novelk/model/store/ColourQueries.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/TempFiles.h"

namespace novelk {

using namespace report;

namespace {

std::string ViewFactorReportText(const ReportContext& r, const kernels::ViewFactorSummaryTable& table)
{
    const ModelStore& m = r.model;
    const std::string file = FileExists("tmp.vwf") ? std::string("tmp") : DataFileTitle(m.dataFilePath);
    std::string s = Str(r, kStrViewFactors) + "\n\n" + Str(r, kStrViewFactorFile) + ": " + file + ".vwf\n\n" +
                    Str(r, kStrViewFactorsHead) + "\n" + Str(r, kStrViewFactorsUnits) + "\n";
    for (int i = 0; i < kColourCount; ++i) {
        const double area = m.colours[std::size_t(i)].senderArea;
        if (!(area > 0))
            continue;
        for (int j = 0; j < kColourCount; ++j) {
            const double exchange = table.exchange[std::size_t(i) * kColourCount + std::size_t(j)];
            if (exchange == 0)
                continue;
            s += Int(i, 4) + Int(j, 7) + General(area, 12) + "     " +
                 Fixed(exchange / area, 0, r.decimals.viewFactor) + "\n";
        }
    }
    return s;
}

// The tab-separated name field: the first 22 characters as one word.
std::string TabName(const ColourRecord& c)
{
    return '\t' + NameField(c.name, 22);
}

} // namespace

bool WriteViewFactorReport(ReportContext& r)
{
    kernels::ViewFactorSummaryTable table;
    try {
        ReadViewFactorSummary(r.model, table);
    } catch (const EngineError&) {
        // An unreadable file leaves the report out; the other reports go on.
        FreeViewFactorSummary(table);
        return false;
    }
    bool senders = false;
    for (const ColourRecord& c : r.model.colours)
        senders = senders || c.senderArea > 0;
    bool written = false;
    if (senders && !table.exchange.empty())
        written =
            SaveReport(ReportFilePath(r.model.dataFilePath, "_VFC.txt"), ViewFactorReportText(r, table));
    FreeViewFactorSummary(table);
    return written;
}

bool WriteMaterialTable(ReportContext& r)
{
    const ModelStore& m = r.model;
    const bool radiating = HasRadiatingColours(m);
    std::string s = Str(r, kStrMaterialTable) + "\n" + "\t\t                      \t[W/mK]\t[-]\n";
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[std::size_t(n)];
        if (!c.inUse || !(c.type == MATERIAL || c.type == EQUIMAT || c.type == TRANSMAT))
            continue;
        s += '\t' + Int(n) + TabName(c) + '\t' + Fixed(c.lambda, 0, 3);
        if (radiating && (c.type == MATERIAL || c.type == EQUIMAT))
            s += '\t' + Fixed(c.epsilon, 0, 2);
        s += "\n";
    }
    return SaveReport(ReportFilePath(m.dataFilePath, "_MAT.txt"), s);
}

bool WriteBoundaryConditionTable(ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = Str(r, kStrBoundaryTable) + "\n" +
                    "\t\t                      \t[°C]\t[W/m²K]\t[W/m²]\t[°C]\t[°C]\t[W/m²K]\t[W]\n";
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[std::size_t(n)];
        const int t = c.type;
        if (!c.inUse || !(t == BC_SIMPL || t == BC_FREE || t == BC_SKY || t == BC_NOSKY || t == BC_FRE_S))
            continue;
        // Every column keeps its tab so that the values line up; the last
        // one (Pc) comes only with its value.
        const auto column = [&s](bool shown, const std::string& value) {
            s += '\t';
            if (shown)
                s += value;
        };
        s += '\t' + Int(n) + TabName(c);
        column(t == BC_SIMPL, Fixed(c.temperature, 0, 1));
        column(t == BC_SIMPL || t == BC_FRE_S, Fixed(c.hGlobal, 0, 2));
        column(true, General(c.flux));
        column(t == BC_SKY || t == BC_NOSKY, Fixed(c.airTemperature, 0, 1));
        column(t == BC_SKY, Fixed(c.radiantTemperature, 0, 1));
        column(t == BC_FREE || t == BC_SKY || t == BC_NOSKY, Fixed(c.hConvective, 0, 2));
        if (t == BC_FREE || t == BC_FRE_S)
            column(true, General(c.qConvective));
        s += "\n";
    }
    return SaveReport(ReportFilePath(m.dataFilePath, "_BOC.txt"), s);
}

} // namespace novelk

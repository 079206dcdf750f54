// Report file names and the two commands that write reports: Make Report's
// whole set and the batch calculation's results report.
#include "novelk/model/reports/ReportText.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/TempFiles.h"

namespace novelk {

std::string ReportFilePath(const std::string& dataFilePath, std::string_view suffix)
{
    if (dataFilePath.empty())
        return {};
    return PathWithoutExtension(dataFilePath) + std::string(suffix);
}

std::string DataFileTitle(const std::string& dataFilePath)
{
    const std::size_t slash = dataFilePath.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? dataFilePath : dataFilePath.substr(slash + 1);
    return PathWithoutExtension(name);
}

namespace {

bool HasDataFile(const ReportContext& r, EngineHost& host)
{
    if (!r.model.dataFilePath.empty())
        return true;
    host.MessageBox(kNoReportWithoutDataFile, MessageStyle::Ok);
    return false;
}

bool HasPowerNodeBc(const ModelStore& m)
{
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n)
        if (m.nodeBcs[std::size_t(n)].type == NODE_POWER)
            return true;
    return false;
}

} // namespace

bool MakeTextReports(ReportContext& r, EngineHost& host)
{
    if (!HasDataFile(r, host))
        return false;
    const ModelStore& m = r.model;
    WriteInputDataReport(r);
    WriteResultsFile(r);
    if (r.run.resultsLoaded && !r.run.temperature.empty()) {
        WriteCornerNodeReport(r);
        if (HasPowerNodeBc(m))
            WriteNodeBcTemperatureReport(r);
    }
    WriteViewFactorReport(r);
    WriteMaterialTable(r);
    WriteBoundaryConditionTable(r);
    if (m.report.temperatureFactor)
        WriteTemperatureFactorFile(r);
    if (m.report.transmittanceP || m.report.transmittanceQ)
        WritePsiFile(r);
    if (m.report.elementU)
        WriteElementUFile(r);
    return true;
}

bool WriteResultsReport(ReportContext& r, EngineHost& host)
{
    return HasDataFile(r, host) && WriteResultsFile(r);
}

} // namespace novelk

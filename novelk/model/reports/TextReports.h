// Novelk's text reports, written beside the data file after a calculation:
// "_RES.txt" (results with the derived figures), "_DAT.txt" (input data),
// "_COR.txt" (corner-node temperatures), "_NOT.txt" (node-BC temperatures),
// "_VFC.txt" (view factors), "_MAT.txt" and "_BOC.txt" (tab-separated
// material and boundary tables), "_TFC.txt", "_PSI.txt" and "_UEL.txt" (the
// derived figures alone). Texts are Windows-1252 with CRLF line ends; grid
// indices follow the model's R/C/L numbering; numbers take the working
// decimals of temperatures, heat flows and view factors.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"
#include "platform/core/StringTable.h"

#include <string>
#include <string_view>

namespace novelk {

class EngineHost;

// The working decimals (`dect`, `decq`, `decv`).
struct ReportDecimals {
    int temperature = 2;
    int flow = 2;
    int viewFactor = 4;
};

// What every report reads: the model, the last calculation's run state, the
// string table and the decimals. The reports recompute the areas and element
// U values of the model; nothing else changes.
struct ReportContext {
    ModelStore& model;
    RunState& run;
    const platform::StringTable& strings;
    ReportDecimals decimals;
};

// The data file's path without its extension, followed by the suffix
// ("_RES.txt"); empty when the model has no data file.
std::string ReportFilePath(const std::string& dataFilePath, std::string_view suffix);
// The data file's name without folder and extension.
std::string DataFileTitle(const std::string& dataFilePath);

// The message shown when a model without a data file is asked for reports.
inline constexpr const char* kNoReportWithoutDataFile =
    "The model has no data file yet: save it first, the reports are written beside it.";

// Make Report's text files, in order: input data, results, corner nodes and
// node-BC temperatures (with a loaded result; the latter with a POWER node
// BC), view factors (when the view-factor file names sender areas), the
// material and boundary tables, then "_TFC.txt" with `rptf`, "_PSI.txt" with
// `rptp` or `rptq` and "_UEL.txt" with `rpte`. A file that cannot be written
// is skipped. Without a data file nothing is written, the host says so and
// the result is false.
bool MakeTextReports(ReportContext& r, EngineHost& host);
// The results report alone (the batch calculation's); without a data file as
// above.
bool WriteResultsReport(ReportContext& r, EngineHost& host);

// The single reports; each false when its file was not written.
bool WriteResultsFile(ReportContext& r);
bool WriteInputDataReport(ReportContext& r);
bool WriteCornerNodeReport(ReportContext& r);
bool WriteNodeBcTemperatureReport(ReportContext& r);
// Reads the view-factor summary itself; a file that cannot be read writes nothing.
bool WriteViewFactorReport(ReportContext& r);
bool WriteMaterialTable(ReportContext& r);
bool WriteBoundaryConditionTable(ReportContext& r);
bool WriteTemperatureFactorFile(ReportContext& r);
bool WritePsiFile(ReportContext& r);
bool WriteElementUFile(ReportContext& r);

// A grid point with a node where the solid cells around it (MATERIAL,
// EQUIMAT, TRANSMAT) form a corner; a node without any solid cell around it
// (a node BC in the void) counts as one.
bool IsCornerNode(const ModelStore& m, const RunState& run, int i, int j, int k);

} // namespace novelk

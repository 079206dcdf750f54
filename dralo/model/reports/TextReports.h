// The text reports of a calculated model, written beside its data file and
// named after it ("<name>_DAT.txt" input data, "_RES" results, "_MAT"
// materials, "_BOC" boundary conditions, "_EQM" cavity conductivities,
// "_DIR" flow directions, "_TFC" temperature factor, "_PSI" psi and Ueq,
// "_UFR" frame U value), and the report definition file "<name>.bri" that
// lists them with the key values for a document generator.
#pragma once
#include "dralo/model/results/MeshResults.h"
#include "dralo/model/store/BitmapModel.h"
#include "platform/core/StringTable.h"

#include <string>
#include <vector>

namespace dralo {

// The name of the program's string file, beside the program.
inline constexpr const char* kDraloStringFile = "Dralo.str";
// Loads it as the table's English texts; false when missing or malformed.
bool LoadDraloStrings(platform::StringTable& table, const std::string& programFolder, std::string* error = nullptr);

struct ReportContext {
    BitmapModel& model;
    const MeshResults& results;
    const platform::StringTable& strings;
    int dect = 2; // decimals of temperatures
    int decq = 2; // decimals of heat flows
};

// The reports' contents, each as text with "\n" line ends (what the files
// hold, before CRLF and Windows-1252), by suffix ("_DAT" ...); a report
// that is not due is left out. Clears `rufr` with fewer than two distances.
std::vector<std::pair<std::string, std::string>> BuildTextReports(ReportContext& c);
// Writes them; returns the paths that could not be written (the others are
// written all the same).
std::vector<std::string> MakeTextReports(ReportContext& c);

// The definition file's text; `png` when figures are saved as PNG.
std::string BuildReportDefinition(ReportContext& c, bool png);
// Writes "<name>.bri"; false when it cannot be written.
bool WriteReportDefinition(ReportContext& c, bool png);

} // namespace dralo

// The report item list (the data file's path with the extension "nvr"):
// written last by Make Report for a document generator outside the program,
// never read back. It names the figure images of the graphic report and the
// text report files, and repeats the headline figures (node count,
// temperature factor, psi or surplus transmittance, equivalent U, element U,
// the flanking elements' U and area) as keyed records, one a line: a key, a
// blank and the value, which may be empty.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <string>

namespace novelk {

// The whole list as text ("\n" line ends). imageType is the working
// image-type setting (`imgt`): ".bmp" figures when not 0, else ".png". The
// areas and element U values are taken as they stand.
std::string ReportItemListText(const ModelStore& m, const RunState& run, int imageType);
// Writes it as Windows-1252 with CRLF; false without a data file or when the
// file cannot be written.
bool WriteReportDefinition(const ModelStore& m, const RunState& run, int imageType);

} // namespace novelk

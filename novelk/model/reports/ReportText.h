// The formatting shared by Novelk's report writers: a report is built as
// UTF-8 text with "\n" line ends and saved as Windows-1252 with CRLF; fields
// are formatted, fitted to their column and appended; grid indices follow
// the R/C/L numbering; and the lines that several reports share (the data
// file, a box of grid indices, a colour's label, a unit line).
#pragma once
#include "common/core/ListingText.h"
#include "novelk/model/reports/DerivedFigures.h"
#include "novelk/model/reports/ReportStrings.h"
#include "novelk/model/reports/TextReports.h"

#include <string>
#include <string_view>

namespace novelk::report {

// Saves the text as a report file; false when it cannot be written.
bool SaveReport(const std::string& path, const std::string& text);

// The text of a string-table entry.
std::string Str(const ReportContext& r, unsigned id);

// "%*.*f", "%*g", "%*d" and "%-*d".
inline std::string Fixed(double v, int width, int decimals)
{
    return common::FormatFixed(v, width, decimals);
}
inline std::string General(double v, int width = 0)
{
    return common::FormatGeneral(v, width);
}
inline std::string Int(long long v, int width = 0)
{
    return common::FormatInt(v, width);
}
std::string LeftInt(long long v, int width);
// The text fitted to n characters (padded with blanks, cut at n).
std::string Fitted(std::string_view text, std::size_t n);
// A colour name as one word: its first n characters, blanks as "_", fitted to n.
std::string NameField(std::string_view name, std::size_t n);
// A unit line of the string table: one ending in the underline marker "_"
// loses the marker and the blanks before it.
std::string UnitLine(std::string text);

// A grid index as the reports print it: itself, or in the R/C/L numbering
// 2i + 1 with the third axis counted from its far end.
int ShownIndex(const ModelStore& m, int axis, int index);
// "%s: %s.nvk\n\n" with the data-file label and the data file's title.
std::string DataFileLine(const ReportContext& r);
// "       Xmin=.. Xmax=.. Ymin=.. Ymax=.. Zmin=.. Zmax=..\n" of a box; in the
// R/C/L numbering Rmin.. with the Z pair counted from the far end (swapped).
std::string ClipRangeLine(const ModelStore& m, const AreaRecord& box);
// "%-3d" number, "  " type fitted to 8, with a rule "  " rule name fitted to
// 8, then "  " and the name as one word fitted to 15.
std::string ColourLabel(const ModelStore& m, int colour, bool withRule);
// Three "%6d" indices of a grid point in the R/C/L numbering; six blanks for
// the single-cell axis of a 2D model (Z, else Y, else X).
std::string NodeCoordinates(const ModelStore& m, int i, int j, int k);

// The derived-figure sections (empty when their figures are absent); each
// refreshes the areas and element U values first.
std::string TemperatureFactorSection(ReportContext& r);
std::string TransmittanceSection(ReportContext& r);
std::string ElementUSection(ReportContext& r);

} // namespace novelk::report

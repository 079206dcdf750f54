// What the output tables show and store: the bounds of an output block as
// its cells show them and an entry typed into one, and the report items'
// kinds and sub-kinds with their names, the stepping of both and the typed
// number, width and decimals.
#pragma once
#include "gelmar/model/store/ModelStore.h"

#include <string>
#include <string_view>

namespace gelmar {

class EngineHost;

// Output block column 1..6 (i1, i2, j1, j2, k1, k2) as its cell shows it:
// a bound n as n - 0.5 ("%.1f"), half a cell outside the node lines the
// block holds; in the R/C/L naming as 2n, the third axis counted from the
// top (Lmin 2(nz - k2 + 1), Lmax 2(nz - k1 + 1)).
std::string OutputBlockBoundText(const ModelStore& m, const OutputBlockRecord& b, int column);
// Stores a text typed into column 1..6: the number read (plus 1.00001,
// truncated, so that 2.5 gives 3; in the R/C/L naming the node number
// halved) when it lies in the column's range; an entry that meets the other
// bound of its axis pushes that one on. A text that is not a number, or a
// number beyond the integer range, changes nothing. True when stored.
bool EditOutputBlockCell(const ModelStore& m, OutputBlockRecord& b, int column, std::string_view text);

// Report item kinds.
enum ReportKind : int {
    kReportTime = 0,
    kReportColour = 1,
    kReportNodeBc = 2,
    kReportOutputNode = 3,
    kReportOutputBlock = 4,
    kReportBorderBc = 5,
    kReportMaterialBc = 6,
    kReportSun = 7,
    kReportControl = 8,
};
constexpr int kReportKindCount = 9;

// "TIME", "COLOUR", ... ("" for a kind out of range).
const char* ReportKindName(int kind);
int ReportSubKindCount(int kind);
// The sub-kind's name ("λeq", "θ", "q", "[s]" ...); "" out of range.
const char* ReportSubKindName(int kind, int subKind);
// Whether the item has a number (every kind but time and sun).
bool ReportKindHasNumber(int kind);

// The Object cell's step: TIME, COLOUR, NODE BC, BORDER BC, MATERIAL BC,
// OUTPUT NODE, OUTPUT BLOCK, CONTROL, SUN and back to TIME; the number
// becomes 1 and the sub-kind 0.
void StepReportKind(ReportItemRecord& r);
// The Type cell's step, wrapping at the kind's count of sub-kinds.
void StepReportSubKind(ReportItemRecord& r);

// A number typed into column 2 (number), 4 (width) or 5 (decimals). A text
// that is not a number changes nothing (Ignored). A value the data file
// cannot hold (a negative number or decimals, a width below 1) is refused
// with a message, so that the model can always be opened again.
enum class ReportEntry { Stored, Ignored, Refused };
ReportEntry EditReportCell(ReportItemRecord& r, int column, std::string_view text, EngineHost& host);

inline constexpr char kReportWidthTooSmall[] = "The width must be at least 1.";
inline constexpr char kReportDecimalsNegative[] = "The number of decimals cannot be negative.";
inline constexpr char kReportNumberNegative[] = "The object number cannot be negative.";

} // namespace gelmar

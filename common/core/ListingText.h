// Rows of the text listings, built field by field in a line: numbers in the
// printf forms the listings use ("%10.3f", "%8g", "%6d"), formatted
// independently of the user's locale; texts padded with blanks to a column
// or cut to a width in whole characters (UTF-8); and the grid-point index
// columns of node listings, in the normal or the R/C/L numbering.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace common {

// "%*.*f", "%*g" and "%*d": right-aligned in width (never cut).
std::string FormatFixed(double value, int width, int decimals);
std::string FormatGeneral(double value, int width = 0);
std::string FormatInt(long long value, int width = 0);

// Number of characters of UTF-8 text.
std::size_t TextWidth(std::string_view text);
// The first n characters of the text.
std::string CutText(std::string_view text, std::size_t n);
// Appends blanks to the line up to n characters; a longer line stays as it is.
void PadLineBuffer(std::string& line, std::size_t n);
// A field of n blanks.
std::string MakeBlankField(std::size_t n);
// The fixed-width fields of the text reports, formatted in a line buffer:
// PadLineToColumn pads the line with blanks to n characters and cuts it
// there, so that it holds exactly n characters; PadBlankField makes it n
// blanks; UnderscoreBlanks turns every blank into "_" (a name written as one
// word).
void PadLineToColumn(std::string& line, std::size_t n);
void PadBlankField(std::string& line, std::size_t n);
void UnderscoreBlanks(std::string& line);
// "%*s": the text right-aligned in width characters (never cut).
std::string AlignRight(std::string_view text, std::size_t width);

// How a listing shows grid-point indices: the cell counts of the three axes
// and whether the R/C/L numbering is on.
struct IndexDisplay {
    int n[3] = {};
    bool rcl = false;

    // The shown index of a grid line on an axis: itself, or in the R/C/L
    // numbering 2i + 1 with the third axis counted from the top.
    int Shown(int axis, int index) const;
    // The one axis whose index column stays blank: the third when it has a
    // single cell, else the second, else the first; -1 when none has one.
    int FlatAxis() const;
};

// Appends "%6d" of the shown index of each axis, six blanks for the flat axis.
void AppendNodeIndices(std::string& line, const IndexDisplay& display, int i, int j, int k);

} // namespace common

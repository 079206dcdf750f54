// The axis columns of the block programs' grid tables, over explicit data:
// the Grid table's widths (with the "Sum" row, band tints and the interval
// selection), the Minimum Grid table's widths and the Coordinates table's
// grid-line coordinates, their number columns and their headers. In the
// R/C/L naming the third axis is listed from the top and lines are numbered
// as nodes (2i + 1).
#pragma once
#include "common/ui/GridCtrl.h"

#include <cstdint>
#include <string>

namespace common {

// Bits of a grid line's flag byte that the tables show.
enum : std::uint8_t { kAxisLineSelected = 1, kAxisLineBand = 4 };

// One axis of the model's grid.
struct AxisColumn {
    int axis = 0;                        // 0 x, 1 y, 2 z: header colour and band tint
    int n = 0;                           // intervals; lines 0..n
    const float* widths = nullptr;       // n widths
    const float* coords = nullptr;       // n coordinates, of lines 1..n
    const std::uint8_t* flags = nullptr; // n + 1 line flags, or none
    bool mirrored = false;               // listed from the top
};

struct AxisTableLook {
    COLORREF window = 0, buttonFace = 0, infoBk = 0;
    const LOGFONT* font = nullptr; // the table font of headers and number columns
    bool rcl = false;              // axes R, C, L and node numbers
};

// Red, green and blue header texts, and the light tints of the bands.
COLORREF AxisTextColour(int axis);
COLORREF AxisBandColour(int axis);
// "          X" (or R, C, L), a line break and the grid unit's label.
std::string AxisHeaderText(int axis, bool rcl, const std::string& unitLabel);
// The three axis headers in columns firstCol..firstCol+2.
void SetAxisHeaders(CGridCtrl& grid, int firstCol, const std::string& unitLabel, const AxisTableLook& look);

// The Grid table (rows 1..m+1, m the largest interval count): the number
// column ("r-1-r" or node numbers, "Sum" in row m+1) and an axis column
// (widths, blank read-only rows past the axis, the axis length in row m+1).
void FillGridNumberCell(CGridCtrl& grid, int row, int m, const AxisTableLook& look);
void FillGridAxisCell(CGridCtrl& grid, int row, int col, int m, const AxisColumn& axis, const AxisTableLook& look);

// The Coordinates table (rows 1..m+1): line numbers, and the coordinate of
// each line less the axis origin (the origin less it, mirrored), read-only.
void FillCoordNumberCell(CGridCtrl& grid, int row, int m, const AxisTableLook& look);
void FillCoordAxisCell(CGridCtrl& grid, int row, int col, const AxisColumn& axis, float origin,
                       const AxisTableLook& look);

// The Minimum Grid table (rows 1..m+1, m the largest minimum-grid count): the
// `count` widths of one axis and its length in row m+1.
void FillMinGridAxisCell(CGridCtrl& grid, int row, int col, int m, int count, const double* widths, double length,
                         bool mirrored, const AxisTableLook& look);

} // namespace common

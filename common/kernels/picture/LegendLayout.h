// The layout of a legend pane beside a picture: thirty columns across, rows
// counted upwards from near the bottom, a short list keeping the row height
// of a longer one; the numbers of a value scale (its bottom boundary and
// number of bands) and the fewest decimals that show every boundary value.
#pragma once
#include "platform/core/Types.h"

#include <string>

namespace kernels {

struct LegendLayout {
    double columnWidth = 0.0;
    double rowHeight = 0.0; // negative: rows count upwards
    double originX = 0.0;
    double originY = 0.0;

    // Pixel point of column c and row r (truncated).
    CPoint LegendPoint(double column, double row) const;
    // The rectangle between two legend points, as the texts and swatches use it.
    CRect Rect(double c1, double r1, double c2, double r2) const;
};

// A pane of `rows` entries whose highest used row is `last` (the entries and
// the titles above them); fewer rows than minRows keep the row height of
// minRows rows and stand from row 0 upwards.
LegendLayout ComputeLegendLayout(const CRect& pane, int rows, int minRows, int last);

// "%.*f" of the value, whatever the user's locale.
std::string FormatFixed(double value, int decimals);

// The largest number of decimals (0..4) that the n + 1 values start,
// start + step, ... keep when each is printed with four decimals and its
// trailing zeros are dropped.
int FormatScaleNumber(double start, double step, int n);

// The boundaries of a value scale: from bottom, the first multiple of the
// increment at or above the lower limit, n bands up to the last multiple at
// or below the upper limit (at least one band).
struct ValueScale {
    double bottom = 0.0;
    int n = 1;
};
ValueScale ComputeValueScale(double lower, double upper, double inc);

} // namespace kernels

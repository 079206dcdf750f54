// The axes and the layout of the function chart: the scale of one axis
// (range, tick steps, grids, label precision), where its ticks start and
// fall, the texts of its labels, the conversion between values and pixels,
// and the rectangles of the chart (plot area, legend, captions) computed
// from the chart's size and the measured text sizes.
#pragma once
#include "platform/core/Types.h"

#include <functional>
#include <string>
#include <vector>

namespace gelmar {

// A tick step below this counts as no step.
inline constexpr double kNoChartStep = 1e-6;

struct ChartAxis {
    std::string label;
    double minimum = 0.0;
    double maximum = 2000.0;
    double majorStep = 0.0;
    double minorStep = 0.0;
    int majorGrid = 0;
    int minorGrid = 0;
    double unitsPerPixel = 1.0;
    int decimals = 0;
    COLORREF colour = 0;
};

// Turns an axis value into its label text; the chart's own "%.Nf" texts
// are used without one.
using LabelFormatter = std::function<std::string(double value)>;

// The multiple of the major step at or below the minimum (a minimum within
// 1e-6 of a multiple counts as that multiple); the minimum itself without a
// major step.
double TickStart(const ChartAxis& axis);

// The values of the major ticks drawn (minimum <= v <= maximum, one at the
// minimum without a major step) and of the major grid lines (strictly inside
// the range), in order.
struct MajorTicks {
    std::vector<double> ticks;
    std::vector<double> grid;
};
MajorTicks ComputeMajorTicks(const ChartAxis& axis);

// The pixels of the minor ticks within [lo, hi]: from each major position
// at or above the minimum a run of minor steps up to the maximum (one tick
// per run without a minor step), each pixel listed once, in ascending order.
std::vector<int> MinorTickPixels(const ChartAxis& axis, int start, int direction, int lo, int hi);

// "%.0f", "%.1f", "%.2f" or "%.3f" of the value by the decimals (0 for any
// count other than 1 to 3), or the formatter's text.
std::string AxisLabelText(const ChartAxis& axis, double value, const LabelFormatter& formatter = {});

// The pixel of a value: start + (v - minimum) / unitsPerPixel along the axis
// (direction -1: upward from the plot's bottom), truncated to an integer.
// False when the pixel is no finite number within the int range.
bool AxisPixel(const ChartAxis& axis, double value, int start, int direction, int* pixel);
// The value at a pixel offset from the axis start.
double AxisValueAt(const ChartAxis& axis, double pixelsFromStart);

// The rectangles of the chart.
struct ChartLayout {
    CRect outer;
    CRect plot;
    CRect legend;
    CRect leftCaption, rightCaption, xCaption;
    int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
};

// What the layout is computed from.
struct ChartLayoutInput {
    CRect window;           // the chart's rectangle in its own client coordinates
    bool bordered = true;   // a sunken edge takes 2 pixels on each side
    bool computeMargins = true;
    int sampleWidth = 0;    // width of "AAAAAA" in the label font
    int textHeight = 0;     // its height
    bool legendShown = false;
    bool rightAxisShown = true;
    int legendPlacement = 1; // 2: the legend sits right of the plot area
    int legendEntries = 0;
    int widestLegendText = 0;
};

// The layout; margins are taken from previous when not computed.
ChartLayout ComputeChartLayout(const ChartLayoutInput& in, const ChartLayout& previous);

// The legend box as an entry change sizes it: 2 text heights, 10 pixels and
// the widest text across, an entry height per entry and 10 pixels down.
CRect LegendBoxForEntries(const CRect& legend, int textHeight, int entries, int widestText);

} // namespace gelmar

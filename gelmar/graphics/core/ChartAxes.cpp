// Ticks, labels, pixel conversion and layout of the function chart.
#include "gelmar/graphics/core/ChartAxes.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace gelmar {

namespace {

// Bounds on the tick loops: a fixed scale with a step far finer than its
// range would otherwise keep a paint busy for ever.
constexpr long kMaxMajorTicks = 100000;
constexpr long kMaxMinorSteps = 2000000;

// Runs f(v) for every major position from the tick start while
// v <= maximum + 1e-6 (a single pass without a major step).
template <class F> void ForEachMajorPosition(const ChartAxis& axis, F f)
{
    const double s = TickStart(axis);
    const bool single = axis.majorStep < kNoChartStep;
    for (long k = 0; k < kMaxMajorTicks; ++k) {
        const double v = single ? s : s + static_cast<double>(k) * axis.majorStep;
        if (!(v <= axis.maximum + 1e-6))
            break;
        f(v);
        if (single)
            break;
    }
}

} // namespace

double TickStart(const ChartAxis& axis)
{
    double s = axis.minimum;
    if (axis.majorStep >= kNoChartStep) {
        const double q = axis.minimum / axis.majorStep;
        const double f = q - std::trunc(q);
        if (f > 1e-6)
            s = axis.minimum - f * axis.majorStep;
        else if (f < -1e-6)
            s = axis.minimum - (f + 1) * axis.majorStep;
    }
    return s;
}

MajorTicks ComputeMajorTicks(const ChartAxis& axis)
{
    MajorTicks out;
    ForEachMajorPosition(axis, [&](double v) {
        if (v >= axis.minimum && v <= axis.maximum)
            out.ticks.push_back(v);
        if (v > axis.minimum && v < axis.maximum)
            out.grid.push_back(v);
    });
    return out;
}

std::vector<int> MinorTickPixels(const ChartAxis& axis, int start, int direction, int lo, int hi)
{
    std::vector<int> out;
    if (hi < lo)
        return out;
    std::vector<char> seen(static_cast<std::size_t>(hi - lo) + 1, 0);
    long steps = 0;
    ForEachMajorPosition(axis, [&](double v) {
        if (v < axis.minimum)
            return;
        double m0 = v - axis.majorStep + axis.minorStep;
        if (m0 <= axis.minimum)
            m0 = axis.minimum + axis.minorStep;
        for (long i = 0; steps < kMaxMinorSteps; ++i, ++steps) {
            const double m = m0 + static_cast<double>(i) * axis.minorStep;
            if (!(m <= axis.maximum))
                break;
            int p = 0;
            if (AxisPixel(axis, m, start, direction, &p) && p >= lo && p <= hi)
                seen[static_cast<std::size_t>(p - lo)] = 1;
            if (axis.minorStep < kNoChartStep)
                break;
        }
    });
    for (int p = lo; p <= hi; ++p)
        if (seen[static_cast<std::size_t>(p - lo)])
            out.push_back(p);
    return out;
}

std::string AxisLabelText(const ChartAxis& axis, double value, const LabelFormatter& formatter)
{
    if (formatter)
        return formatter(value);
    const char* format = axis.decimals == 1 ? "%.1f" : axis.decimals == 2 ? "%.2f" : axis.decimals == 3 ? "%.3f" : "%.0f";
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool AxisPixel(const ChartAxis& axis, double value, int start, int direction, int* pixel)
{
    const double d = start + direction * (value - axis.minimum) / axis.unitsPerPixel;
    if (!std::isfinite(d) || d <= static_cast<double>(INT_MIN) || d >= static_cast<double>(INT_MAX))
        return false;
    *pixel = static_cast<int>(d);
    return true;
}

double AxisValueAt(const ChartAxis& axis, double pixelsFromStart)
{
    return axis.minimum + pixelsFromStart * axis.unitsPerPixel;
}

ChartLayout ComputeChartLayout(const ChartLayoutInput& in, const ChartLayout& previous)
{
    ChartLayout l = previous;
    const int h = in.textHeight;
    l.outer = in.window;
    if (in.bordered)
        l.outer.InflateRect(-2, -2);
    if (in.computeMargins) {
        l.marginTop = l.marginBottom = 4 * h;
        l.marginLeft = l.marginRight = in.sampleWidth + 2 * h;
    }
    l.plot.left = l.outer.left + l.marginLeft;
    l.plot.top = l.outer.top + l.marginTop;
    l.plot.bottom = l.outer.bottom - l.marginBottom;
    l.plot.right = !in.legendShown && !in.rightAxisShown ? l.outer.right - 2 * h : l.outer.right - l.marginRight;
    const int c = in.legendEntries;
    const int wmax = in.widestLegendText;
    if (in.legendPlacement == 2 && in.legendShown) {
        l.plot.right = l.outer.right - l.marginRight - wmax - 5 * h;
        l.legend.left = l.outer.right - h / 2 - wmax - 5 * h;
    } else {
        l.legend.left = l.plot.left + l.marginLeft / 5;
    }
    l.legend.top = l.plot.top - l.marginTop / 2;
    l.legend.right = l.legend.left + 2 * h + wmax + h;
    l.legend.bottom = l.legend.top + static_cast<int>((c + 0.5) * h) + h;
    l.leftCaption = CRect(l.outer.left + l.marginLeft / 5, l.plot.top, l.plot.left, l.plot.bottom);
    l.rightCaption = CRect(l.plot.right, l.plot.top, l.outer.right - l.marginRight / 5, l.plot.bottom);
    l.xCaption = CRect(l.plot.left, l.plot.bottom + h, l.plot.right, l.outer.bottom - l.marginBottom / 5);
    return l;
}

CRect LegendBoxForEntries(const CRect& legend, int textHeight, int entries, int widestText)
{
    CRect r = legend;
    r.right = r.left + 2 * textHeight + 10 + widestText;
    r.bottom = r.top + entries * textHeight + 10;
    return r;
}

} // namespace gelmar

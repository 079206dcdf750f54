// Ranges, steps, fixed scales and the zoom operations of the function graph.
#include "gelmar/graphics/core/FunctionGraphRange.h"

#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/FunctionServices.h"

#include <algorithm>

namespace gelmar {

namespace {

constexpr FunctionGraphKind kKinds[] = {
    {'C', GraphArgument::Temperature, kScaleXTemperature, kScaleYSpecificHeat},
    {'L', GraphArgument::Temperature, kScaleXTemperature, kScaleYConductivity},
    {'R', GraphArgument::Angle, kScaleXAngle, kScaleYSolarReflection},
    {'D', GraphArgument::Time, kScaleXTime, kScaleYFlux},
    {'G', GraphArgument::Time, kScaleXTime, kScaleYFlux},
    {'I', GraphArgument::Time, kScaleXTime, kScaleYFlux},
    {'E', GraphArgument::Time, kScaleXTime, kScaleYSolarReflection},
    {'H', GraphArgument::Time, kScaleXTime, kScaleYHeatTransfer},
    {'M', GraphArgument::Time, kScaleXTime, kScaleYConductivity},
    {'P', GraphArgument::Time, kScaleXTime, kScaleYPower},
    {'S', GraphArgument::Time, kScaleXTime, kScaleYSolarReflection},
    {'T', GraphArgument::Time, kScaleXTime, kScaleYTemperature},
    {'V', GraphArgument::Time, kScaleXTime, kScaleYVentilation},
};

void ApplyFixed(FunctionGraphState& s, bool xAxis, const AxisScaleSetting& a)
{
    SetCurrentScale(s, xAxis, {a.fixedMin, a.fixedMax, a.fixedMajor, a.fixedMinor});
}

// Clamps each end to the total range. A window that lies wholly beyond it
// (after a pan) would come out with its minimum at or above its maximum;
// it is moved inside the total range instead, its width kept.
void ClampToTotal(double& lo, double& hi, double totalLo, double totalHi)
{
    const double a = std::max(lo, totalLo), b = std::min(hi, totalHi);
    if (a < b) {
        lo = a;
        hi = b;
        return;
    }
    const double width = std::min(hi - lo, totalHi - totalLo);
    if (lo < totalLo) {
        lo = totalLo;
        hi = totalLo + width;
    } else {
        hi = totalHi;
        lo = totalHi - width;
    }
}

CPoint PlotCentre(const CRect& plot)
{
    return {(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
}

void SetTotalX(FunctionGraphState& s)
{
    s.totalXMin = s.xMin;
    s.totalXMax = s.xMax;
}

void SetTotalY(FunctionGraphState& s)
{
    s.totalYMin = s.yMin;
    s.totalYMax = s.yMax;
}

// The time range with the time steps and their label unit.
void ApplyTimeSteps(FunctionGraphState& s, FunctionGraphSettings& settings, double min, double max)
{
    const AxisSteps a = ChooseTimeAxisSteps(min, max);
    s.xMin = min;
    s.xMax = max;
    s.xMajor = a.major;
    s.xMinor = a.minor;
    settings.timeLabelUnit = a.unit;
}

void ApplyValueSteps(FunctionGraphState& s, bool xAxis, double min, double max, bool widen)
{
    const AxisSteps a = ChooseAxisSteps(min, max, widen);
    SetCurrentScale(s, xAxis, {a.min, a.max, a.major, a.minor});
}

} // namespace

const FunctionGraphKind* FindFunctionGraphKind(char letter)
{
    const char up = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (const FunctionGraphKind& k : kKinds)
        if (k.letter == up)
            return &k;
    return nullptr;
}

double TimeLabelFactor(int unit)
{
    switch (unit) {
    case kTimeMinutes:
        return 1.0 / 60;
    case kTimeHours:
        return 1.0 / 3600;
    case kTimeDays:
        return 1.0 / 86400;
    default:
        return 1.0;
    }
}

void ComputeGraphRange(FunctionGraphState& s, const FunctionRecord* f, FunctionGraphSettings& settings,
                       const CalculationSpan& span)
{
    s.xMin = s.xMax = s.yMin = s.yMax = 0;
    s.prevXMin = s.prevXMax = s.prevYMin = s.prevYMax = 0;
    if (!f || (f->rangeXMin == 0 && f->rangeXMax == 0))
        return;
    const FunctionGraphKind* kind = FindFunctionGraphKind(FunctionLetter(f->name.text));
    if (!kind)
        return;
    if (kind->argument != GraphArgument::Time) {
        ApplyValueSteps(s, true, f->rangeXMin, f->rangeXMax, false);
        SetTotalX(s);
        if (settings.scales[kind->xScale].InForce())
            ApplyFixed(s, true, settings.scales[kind->xScale]);
    } else {
        const AxisScaleSetting& time = settings.scales[kScaleXTime];
        double min = f->rangeXMin, max = f->rangeXMax;
        if (time.scope == kScopeCalculationTime) {
            min = -span.startup;
            max = span.duration;
        }
        const int unit = settings.timeLabelUnit;
        ApplyTimeSteps(s, settings, min, max);
        SetTotalX(s);
        if (time.InForce()) {
            ApplyFixed(s, true, time);
            settings.timeLabelUnit = unit;
        }
    }
    ApplyValueSteps(s, false, f->rangeYMin, f->rangeYMax, true);
    SetTotalY(s);
    if (settings.scales[kind->yScale].InForce())
        ApplyFixed(s, false, settings.scales[kind->yScale]);
}

void SavePreviousRange(FunctionGraphState& s)
{
    s.prevXMin = s.xMin;
    s.prevXMax = s.xMax;
    s.prevYMin = s.yMin;
    s.prevYMax = s.yMax;
}

void SwapPreviousRange(FunctionGraphState& s)
{
    std::swap(s.xMin, s.prevXMin);
    std::swap(s.xMax, s.prevXMax);
    std::swap(s.yMin, s.prevYMin);
    std::swap(s.yMax, s.prevYMax);
}

bool RangeInsideTotal(const FunctionGraphState& s)
{
    return s.xMin > s.totalXMin || s.xMax < s.totalXMax || s.yMin > s.totalYMin || s.yMax < s.totalYMax;
}

bool HasPreviousRange(const FunctionGraphState& s)
{
    return s.prevXMin < s.prevXMax;
}

void ShiftRangeByPixels(FunctionGraphState& s, const CRect& plot, CPoint p)
{
    const CPoint c = PlotCentre(plot);
    const double dx = p.x - c.x, dy = p.y - c.y;
    if (plot.Width() > 0) {
        const double shift = dx * (s.xMax - s.xMin) / plot.Width();
        s.xMin += shift;
        s.xMax += shift;
    }
    if (plot.Height() > 0) {
        const double shift = dy * (s.yMin - s.yMax) / plot.Height();
        s.yMin += shift;
        s.yMax += shift;
    }
}

void ZoomInAtPoint(FunctionGraphState& s, const CRect& plot, CPoint p)
{
    SavePreviousRange(s);
    ShiftRangeByPixels(s, plot, p);
    const double w = s.xMax - s.xMin, h = s.yMax - s.yMin;
    s.xMax = s.xMin + 3 * w / 4;
    s.xMin = s.xMin + w / 4;
    s.yMax = s.yMin + 3 * h / 4;
    s.yMin = s.yMin + h / 4;
    ClampToTotal(s.xMin, s.xMax, s.totalXMin, s.totalXMax);
    ClampToTotal(s.yMin, s.yMax, s.totalYMin, s.totalYMax);
}

bool ZoomToRectangle(FunctionGraphState& s, const CRect& plot, CPoint a, CPoint b)
{
    const int left = std::max(std::min(a.x, b.x), plot.left), right = std::min(std::max(a.x, b.x), plot.right);
    const int top = std::max(std::min(a.y, b.y), plot.top), bottom = std::min(std::max(a.y, b.y), plot.bottom);
    // A rectangle that misses the plot area (or is a mere line) would
    // collapse the range to a point.
    if (right <= left || bottom <= top || plot.Width() <= 0 || plot.Height() <= 0)
        return false;
    const double w = s.xMax - s.xMin, h = s.yMax - s.yMin;
    const double x0 = s.xMin, y0 = s.yMin;
    s.xMin = x0 + (left - plot.left) * w / plot.Width();
    s.xMax = x0 + (right - plot.left) * w / plot.Width();
    s.yMin = y0 + (plot.bottom - bottom) * h / plot.Height();
    s.yMax = y0 + (plot.bottom - top) * h / plot.Height();
    return true;
}

void ZoomOut(FunctionGraphState& s)
{
    SavePreviousRange(s);
    const double w = s.xMax - s.xMin, h = s.yMax - s.yMin;
    s.xMax = s.xMin + 3 * w / 2;
    s.xMin = s.xMin - w / 2;
    s.yMax = s.yMin + 3 * h / 2;
    s.yMin = s.yMin - h / 2;
    ClampToTotal(s.xMin, s.xMax, s.totalXMin, s.totalXMax);
    ClampToTotal(s.yMin, s.yMax, s.totalYMin, s.totalYMax);
    if (s.mouseMode == kMousePan && s.xMin == s.totalXMin && s.xMax == s.totalXMax && s.yMin == s.totalYMin &&
        s.yMax == s.totalYMax)
        s.mouseMode = kMouseZoomWindow;
}

void ZoomTotal(FunctionGraphState& s, FunctionGraphSettings& settings)
{
    SavePreviousRange(s);
    s.xMin = s.totalXMin;
    s.xMax = s.totalXMax;
    s.yMin = s.totalYMin;
    s.yMax = s.totalYMax;
    for (AxisScaleSetting& a : settings.scales)
        a.fixedMajor = 0;
    if (settings.scales[kScaleXTime].scope == kScopeFixed)
        settings.scales[kScaleXTime].scope = kScopeFunction;
    if (s.mouseMode == kMousePan)
        s.mouseMode = kMouseZoomWindow;
}

void PanByDrag(FunctionGraphState& s, const CRect& plot, CPoint& start, CPoint point, bool dragMode)
{
    const int dx = dragMode ? point.x - start.x : start.x - point.x;
    const int dy = dragMode ? point.y - start.y : start.y - point.y;
    start = point;
    const CPoint c = PlotCentre(plot);
    ShiftRangeByPixels(s, plot, CPoint(c.x + dx, c.y + dy));
}

ScaleValues CurrentScale(const FunctionGraphState& s, bool xAxis)
{
    return xAxis ? ScaleValues{s.xMin, s.xMax, s.xMajor, s.xMinor} : ScaleValues{s.yMin, s.yMax, s.yMajor, s.yMinor};
}

void SetCurrentScale(FunctionGraphState& s, bool xAxis, const ScaleValues& v)
{
    (xAxis ? s.xMin : s.yMin) = v.min;
    (xAxis ? s.xMax : s.yMax) = v.max;
    (xAxis ? s.xMajor : s.yMajor) = v.major;
    (xAxis ? s.xMinor : s.yMinor) = v.minor;
}

ScaleValues OpenScaleDialog(FunctionGraphState& s, const AxisScaleSetting& setting, bool timeScale, bool xAxis)
{
    const ScaleValues fixed{setting.fixedMin, setting.fixedMax, setting.fixedMajor, setting.fixedMinor};
    if (timeScale) {
        if (setting.scope != kScopeFixed && setting.fixedMajor != 0)
            SetCurrentScale(s, true, fixed);
        return CurrentScale(s, true);
    }
    return setting.fixedMajor != 0 ? fixed : CurrentScale(s, xAxis);
}

void ApplyScaleChoice(FunctionGraphState& s, FunctionGraphSettings& settings, int scale, bool xAxis,
                      GraphArgument argument, const FunctionRecord& f, int scope, const ScaleValues& values,
                      int labelUnit, const CalculationSpan& span)
{
    AxisScaleSetting& setting = settings.scales[scale];
    setting.scope = scope;
    switch (scope) {
    case kScopeFixed:
        setting.fixedMin = static_cast<float>(values.min);
        setting.fixedMax = static_cast<float>(values.max);
        setting.fixedMajor = static_cast<float>(values.major);
        setting.fixedMinor = static_cast<float>(values.minor);
        SetCurrentScale(s, xAxis, values);
        if (scale == kScaleXTime && labelUnit >= 0)
            settings.timeLabelUnit = labelUnit;
        break;
    case kScopeFunction:
        if (!xAxis) {
            ApplyValueSteps(s, false, f.rangeYMin, f.rangeYMax, true);
            SetTotalY(s);
        } else if (argument != GraphArgument::Time) {
            ApplyValueSteps(s, true, f.rangeXMin, f.rangeXMax, false);
            SetTotalX(s);
        } else {
            ApplyTimeSteps(s, settings, s.totalXMin, s.totalXMax);
        }
        break;
    case kScopeCalculationTime:
        // The total range follows, as a new selection would set it.
        ApplyTimeSteps(s, settings, -span.startup, span.duration);
        SetTotalX(s);
        break;
    default:
        break;
    }
}

} // namespace gelmar

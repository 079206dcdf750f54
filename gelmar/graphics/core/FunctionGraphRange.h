// The ranges of the function graph: what each kind of function plots
// against, the fixed axis scales per quantity, the range and tick steps
// chosen for a function, and the zoom and pan operations on the range
// (shift, zoom in at a point, zoom to a rectangle, zoom out, total range,
// previous view), all free of windows.
#pragma once
#include "gelmar/model/store/Records.h"
#include "platform/core/Types.h"

namespace gelmar {

// The fixed scales, one per axis-scale dialog.
enum AxisScaleKind : int {
    kScaleXTime,
    kScaleXTemperature,
    kScaleXAngle,
    kScaleYFlux,
    kScaleYPower,
    kScaleYVentilation,
    kScaleYConductivity,
    kScaleYSpecificHeat,
    kScaleYTemperature,
    kScaleYSolarReflection,
    kScaleYHeatTransfer,
    kAxisScaleCount
};

// Scope of a scale: the fixed values, the function's own range, or (time
// axes only) the calculation time from the start-up to the end.
enum : int { kScopeFixed = 0, kScopeFunction = 1, kScopeCalculationTime = 2 };

struct AxisScaleSetting {
    int scope = kScopeFunction;
    float fixedMin = 0, fixedMax = 0, fixedMajor = 0, fixedMinor = 0;
    // The fixed values apply while the scope is Fixed values and a major
    // tick is set.
    bool InForce() const { return scope == kScopeFixed && fixedMajor != 0; }
};

// Time-axis label units.
enum : int { kTimeSeconds = 0, kTimeMinutes = 1, kTimeHours = 2, kTimeDays = 3 };

// The scales and the time label unit, kept for the program's run and shared
// by all functions of a kind.
struct FunctionGraphSettings {
    AxisScaleSetting scales[kAxisScaleCount];
    int timeLabelUnit = kTimeSeconds;
};

enum class GraphArgument { Time, Temperature, Angle };

// What a function kind plots: its argument and the scales of its axes.
struct FunctionGraphKind {
    char letter;
    GraphArgument argument;
    int xScale;
    int yScale;
};
// The kind of a type letter (either case); null for a letter of no kind.
const FunctionGraphKind* FindFunctionGraphKind(char letter);

// Plotted x per second of a time-axis label unit (1, 1/60, 1/3600, 1/86400).
double TimeLabelFactor(int unit);

// The graph's current, total and previous ranges with the tick steps, and
// the mouse mode.
struct FunctionGraphState {
    double xMin = 0, xMax = 0, xMajor = 0, xMinor = 0;
    double yMin = 0, yMax = 0, yMajor = 0, yMinor = 0;
    double totalXMin = 0, totalXMax = 0, totalYMin = 0, totalYMax = 0;
    double prevXMin = 0, prevXMax = 0, prevYMin = 0, prevYMax = 0;
    int mouseMode = 1; // 1 zoom window, 2 pan, 3 zoom in
};
enum : int { kMouseZoomWindow = 1, kMousePan = 2, kMouseZoomIn = 3 };

// Durations of the calculation parameters (s) that the Calculation time
// scope spans: from minus the start-up to the calculation's end.
struct CalculationSpan {
    double startup = 0;
    double duration = 0;
};

// Resets the current and previous ranges and, with a function whose x
// range is not 0..0, chooses its range, steps and total range, applying
// the scales in force.
void ComputeGraphRange(FunctionGraphState& s, const FunctionRecord* f, FunctionGraphSettings& settings,
                       const CalculationSpan& span);

// The current range is kept as the previous one.
void SavePreviousRange(FunctionGraphState& s);
// Previous and current range change places.
void SwapPreviousRange(FunctionGraphState& s);
// Zoom Out, Zoom Total and Previous View have something to do.
bool RangeInsideTotal(const FunctionGraphState& s);
bool HasPreviousRange(const FunctionGraphState& s);

// Moves the range so that pixel p comes to the centre of the plot area.
void ShiftRangeByPixels(FunctionGraphState& s, const CRect& plot, CPoint p);
// Centres the range on p and halves it, inside the total range.
void ZoomInAtPoint(FunctionGraphState& s, const CRect& plot, CPoint p);
// The range of the rectangle from a to b within the plot area; false (range
// unchanged) when the rectangle has no area inside the plot.
bool ZoomToRectangle(FunctionGraphState& s, const CRect& plot, CPoint a, CPoint b);
// Doubles the range about its centre, inside the total range; pan mode
// turns into zoom-window mode once the whole range is shown.
void ZoomOut(FunctionGraphState& s);
// The total range, with no fixed scale kept and a Fixed values time scope
// turned into Function scope.
void ZoomTotal(FunctionGraphState& s, FunctionGraphSettings& settings);
// Pans by the drag from start to point (the other way round when the drag
// mode setting is off); start moves to point.
void PanByDrag(FunctionGraphState& s, const CRect& plot, CPoint& start, CPoint point, bool dragMode);

// The four values an axis-scale dialog opens with.
struct ScaleValues {
    double min = 0, max = 0, major = 0, minor = 0;
};
// The current x or y range and steps.
ScaleValues CurrentScale(const FunctionGraphState& s, bool xAxis);
void SetCurrentScale(FunctionGraphState& s, bool xAxis, const ScaleValues& v);
// The fixed values of the setting when it has a major tick, else the
// current range and steps. The time scale shows the view's x range, which
// first takes the fixed values when they are kept but not in force.
ScaleValues OpenScaleDialog(FunctionGraphState& s, const AxisScaleSetting& setting, bool timeScale, bool xAxis);
// A dialog confirmed with the given scope: Fixed values are stored and
// applied, Function scope restores the function's own range and steps,
// Calculation time spans the calculation. labelUnit is the time dialog's
// Labels choice (-1 for the other dialogs).
void ApplyScaleChoice(FunctionGraphState& s, FunctionGraphSettings& settings, int scale, bool xAxis,
                      GraphArgument argument, const FunctionRecord& f, int scope, const ScaleValues& values,
                      int labelUnit, const CalculationSpan& span);

} // namespace gelmar

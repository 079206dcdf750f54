// CFuncChartCtrl: an x-y line chart in a child window. Up to 50 series of
// points, a legend of up to 20 entries, an x axis and a left and a right y
// axis with their own ranges, ticks, grids and labels, a title, a message
// line, and a rubber band that zooms the chart into the dragged rectangle.
// It paints through a memory bitmap of the part to repaint and passes every
// mouse message on to its parent. It knows nothing of what it plots.
#pragma once
#include "gelmar/graphics/core/ChartAxes.h"
#include "gelmar/graphics/core/ChartPoints.h"
#include "platform/ui/Wnd.h"

#include <array>
#include <string>
#include <vector>

namespace gelmar {

// A memory DC over the clip box of a paint DC: drawing goes into a bitmap
// of that box, copied to the paint DC when the object goes. On a printer
// it draws on the printer directly.
class CChartMemDC : public CDC {
  public:
    explicit CChartMemDC(CDC* target);
    ~CChartMemDC() override;

  private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_target;
    CRect m_rect;
    bool m_buffered = false;
};

struct ChartSeries {
    int inUse = 0;
    COLORREF colour = 0;
    int penStyle = PS_SOLID;
    int onRightAxis = 0; // scaled on the right y axis
    ChartPointStore points;
    int penWidth = 1;
    // A marker dot at (markerX, markerY); markerX -9999 for none.
    double markerY = -9999.0;
    double markerX = -9999.0;
};

struct ChartLegendEntry {
    int used = 0;
    COLORREF colour = 0;
    int penStyle = PS_SOLID;
    std::string text;
};

inline constexpr int kChartSeriesCount = 50;
inline constexpr int kChartLegendCount = 20;

class CFuncChartCtrl : public CWnd {
  public:
    explicit CFuncChartCtrl(LabelFormatter labelFormatter = {});
    ~CFuncChartCtrl() override;

    // Creates the child window over rect (in the parent's client
    // coordinates); WS_BORDER asks for a sunken edge instead of a border.
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    // Moves the chart over rect and lays it out anew.
    void MoveChart(const CRect& rect);

    // The x range; unless keepScale the units per pixel follow from the plot
    // width. The plot width.
    virtual int SetXRange(const double* min, const double* max, BOOL keepScale);
    // The left and the right y range over the plot height.
    virtual int SetYRange(const double* min, const double* max);
    virtual int SetY2Range(const double* min, const double* max);
    // FALSE when the series is full.
    virtual BOOL AddPoint(int series, const double* x, const double* y);
    // Adds as many of the n points as the series still takes; FALSE when
    // none could be added.
    virtual BOOL AddPoints(int series, int n, const double* xs, const double* ys);
    // Empties every series and legend entry; the series keep their pens.
    virtual void ClearAll();
    virtual void SetSeries(int series, int penStyle, COLORREF colour, const char* text, int onRightAxis);
    virtual void SetLegendEntry(int n, int penStyle, COLORREF colour, const char* text);
    // The layout, and every axis' units per pixel.
    virtual void MeasureLabels(BOOL computeMargins);
    // Paints the whole chart on the DC.
    virtual void DrawChart(CDC* pDC);

    void OnPaint() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;

    const ChartLayout& Layout() const { return m_layout; }
    const CRect& PlotRect() const { return m_layout.plot; }
    int TextHeight() const { return m_textHeight; }
    const ChartSeries& Series(int n) const { return m_series[static_cast<std::size_t>(n)]; }
    ChartSeries& Series(int n) { return m_series[static_cast<std::size_t>(n)]; }
    const ChartLegendEntry& Legend(int n) const { return m_legend[static_cast<std::size_t>(n)]; }

    std::string leftCaption, rightCaption;
    int hideMarkers = 0; // only the low byte counts
    std::string title;
    COLORREF titleColour = 0;
    CPoint dragStart, dragPoint;
    std::string message;
    CRect windowRect;
    COLORREF backColour = 0xFFFFFF, plotColour = 0xFFFFFF, legendColour = 0xFFFFFF;
    COLORREF gridColour = 0x7F7F7F;
    int bordered = 1;
    int legendFramed = 1;
    int legendShown = 0;
    int leftAxisShown = 1;
    int rightAxisShown = 1;
    int stripChart = 0; // points beyond the x maximum scroll the x range
    double gapValue = 999.0;
    int legendPlacement = 1;
    ChartAxis leftAxis, rightAxis, xAxis;

  protected:
    virtual void DrawBackground(CDC* pDC);
    virtual void DrawAllSeries(CDC* pDC);
    virtual void DrawSeries(CDC* pDC, int n);
    virtual void DrawAxes(CDC* pDC);
    virtual void DrawLegendShadow(CDC* pDC);
    virtual void DrawLegend(CDC* pDC);
    virtual void DrawLeftAxis(CDC* pDC);
    virtual void DrawRightAxis(CDC* pDC);
    virtual void DrawXAxis(CDC* pDC);

  private:
    enum class Side { X, Left, Right };
    // A y axis' range over the plot height; the plot height.
    int SetValueRange(ChartAxis& axis, double min, double max);
    void DrawAxis(CDC* pDC, ChartAxis& axis, Side side);
    void DrawCaption(CDC* pDC, const std::string& text, Side side);
    void DrawZoomRect(CPoint to);
    void ZoomToValues(double x1, double x2, double y1, double y2);
    void ZoomY2ToValues(double y1, double y2);
    void Forward(UINT message, UINT nFlags, CPoint point);
    void AfterAdding(int series, double lastX);
    int HeightOfX(CDC* pDC) const;

    std::array<ChartLegendEntry, kChartLegendCount> m_legend{};
    std::array<ChartSeries, kChartSeriesCount> m_series{};
    std::vector<CPoint> m_pointBuffer;
    CFont m_horizontalFont, m_verticalFont;
    LOGFONT m_logFont{};
    int m_textHeight = 0;
    LabelFormatter m_labelFormatter;
    ChartLayout m_layout;
};

} // namespace gelmar

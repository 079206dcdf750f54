// The function chart: layout, painting through a memory bitmap, axes,
// series, legend, title and message, point storage and the rubber-band zoom.
#include "gelmar/graphics/FuncChartCtrl.h"

#include <algorithm>
#include <cstring>

namespace gelmar {

CChartMemDC::CChartMemDC(CDC* target) : m_target(target)
{
    if (target->IsPrinting()) {
        AttachDevice(target->GetDevice(), true);
        return;
    }
    target->GetClipBox(&m_rect);
    CreateCompatibleDC(target);
    if (m_rect.IsRectEmpty() || !m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height()))
        return;
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    m_buffered = true;
}

CChartMemDC::~CChartMemDC()
{
    if (m_buffered) {
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                         SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    DeleteDC();
}

CFuncChartCtrl::CFuncChartCtrl(LabelFormatter labelFormatter)
    : m_pointBuffer(kPolylineBatch), m_labelFormatter(std::move(labelFormatter))
{
    m_logFont.lfHeight = -14;
    m_logFont.lfWeight = 400;
    m_logFont.lfQuality = 2; // proof
    std::strcpy(m_logFont.lfFaceName, "Arial Symbol1");
    m_horizontalFont.CreateFontIndirect(&m_logFont);
    LOGFONT vertical = m_logFont;
    vertical.lfEscapement = 900;
    m_verticalFont.CreateFontIndirect(&vertical);
}

CFuncChartCtrl::~CFuncChartCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CFuncChartCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    bordered = (style & WS_BORDER) ? 1 : 0;
    if (!CWnd::Create(nullptr, "", style & ~DWORD(WS_BORDER), rect, parent, id))
        return FALSE;
    // The rectangle in the chart's own client coordinates.
    windowRect = CRect(0, 0, rect.Width(), rect.Height());
    MeasureLabels(TRUE);
    return TRUE;
}

void CFuncChartCtrl::MoveChart(const CRect& rect)
{
    windowRect = CRect(0, 0, rect.Width(), rect.Height());
    MeasureLabels(FALSE);
    MoveWindow(rect, TRUE);
}

int CFuncChartCtrl::SetXRange(const double* min, const double* max, BOOL keepScale)
{
    xAxis.minimum = *min;
    xAxis.maximum = *max;
    const int width = m_layout.plot.right - m_layout.plot.left;
    if (!keepScale)
        xAxis.unitsPerPixel = (*max - *min + 1.0) / width;
    return width;
}

int CFuncChartCtrl::SetYRange(const double* min, const double* max)
{
    return SetValueRange(leftAxis, *min, *max);
}

int CFuncChartCtrl::SetY2Range(const double* min, const double* max)
{
    return SetValueRange(rightAxis, *min, *max);
}

int CFuncChartCtrl::SetValueRange(ChartAxis& axis, double min, double max)
{
    axis.minimum = min;
    axis.maximum = max;
    const int height = m_layout.plot.bottom - m_layout.plot.top;
    axis.unitsPerPixel = (max - min + 1.0) / height;
    return height;
}

void CFuncChartCtrl::AfterAdding(int series, double lastX)
{
    (void)series;
    // A strip chart keeps its newest point at the right edge.
    if (stripChart && lastX > xAxis.maximum) {
        const double min = lastX - (xAxis.maximum - xAxis.minimum);
        SetXRange(&min, &lastX, TRUE);
    }
}

BOOL CFuncChartCtrl::AddPoint(int series, const double* x, const double* y)
{
    if (!Series(series).points.Add(*x, *y))
        return FALSE;
    AfterAdding(series, *x);
    return TRUE;
}

BOOL CFuncChartCtrl::AddPoints(int series, int n, const double* xs, const double* ys)
{
    const int added = Series(series).points.AddMany(n, xs, ys);
    if (added == 0)
        return FALSE;
    AfterAdding(series, xs[n - 1]);
    return TRUE;
}

void CFuncChartCtrl::ClearAll()
{
    for (ChartSeries& s : m_series)
        s.points.Clear();
    for (ChartLegendEntry& e : m_legend) {
        e.used = 0;
        e.text.clear();
    }
}

void CFuncChartCtrl::SetSeries(int series, int penStyle, COLORREF colour, const char* text, int onRightAxis)
{
    ChartSeries& s = Series(series);
    s.inUse = 1;
    s.colour = colour;
    s.penStyle = penStyle;
    s.onRightAxis = onRightAxis;
    SetLegendEntry(series, penStyle, colour, text);
}

void CFuncChartCtrl::SetLegendEntry(int n, int penStyle, COLORREF colour, const char* text)
{
    if (n < 0 || n >= kChartLegendCount)
        return;
    ChartLegendEntry& e = m_legend[static_cast<std::size_t>(n)];
    e.used = 1;
    e.colour = colour;
    e.penStyle = penStyle;
    e.text = text ? text : "";
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_horizontalFont);
    int entries = 0, widest = 0;
    for (const ChartLegendEntry& l : m_legend)
        if (l.used) {
            ++entries;
            widest = std::max(widest, dc.GetTextExtent(l.text).cx);
        }
    dc.SelectObject(old);
    m_layout.legend = LegendBoxForEntries(m_layout.legend, m_textHeight, entries, widest);
}

void CFuncChartCtrl::MeasureLabels(BOOL computeMargins)
{
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_horizontalFont);
    const CSize sample = dc.GetTextExtent("AAAAAA");
    m_textHeight = sample.cy;
    ChartLayoutInput in;
    in.window = windowRect;
    in.bordered = bordered != 0;
    in.computeMargins = computeMargins != 0;
    in.sampleWidth = sample.cx;
    in.textHeight = m_textHeight;
    in.legendShown = legendShown != 0;
    in.rightAxisShown = rightAxisShown != 0;
    in.legendPlacement = legendPlacement;
    for (const ChartLegendEntry& e : m_legend)
        if (e.used) {
            ++in.legendEntries;
            in.widestLegendText = std::max(in.widestLegendText, dc.GetTextExtent(e.text).cx);
        }
    dc.SelectObject(old);
    m_layout = ComputeChartLayout(in, m_layout);
    const int width = m_layout.plot.right - m_layout.plot.left;
    const int height = m_layout.plot.bottom - m_layout.plot.top;
    xAxis.unitsPerPixel = (xAxis.maximum - xAxis.minimum) / width;
    leftAxis.unitsPerPixel = (leftAxis.maximum - leftAxis.minimum) / height;
    rightAxis.unitsPerPixel = (rightAxis.maximum - rightAxis.minimum) / height;
}

int CFuncChartCtrl::HeightOfX(CDC* pDC) const
{
    return pDC->GetTextExtent("X").cy;
}

void CFuncChartCtrl::OnPaint()
{
    CPaintDC dc(this);
    CChartMemDC memory(&dc);
    DrawChart(&memory);
}

void CFuncChartCtrl::DrawChart(CDC* pDC)
{
    CFont* oldFont = pDC->SelectObject(&m_horizontalFont);
    MeasureLabels(FALSE);
    DrawBackground(pDC);
    DrawAxes(pDC);
    DrawAllSeries(pDC);
    if (legendShown)
        DrawLegend(pDC);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->GetTextColor();
    const CRect& plot = m_layout.plot;
    if (!message.empty()) {
        // The engine's messages may hold several lines.
        pDC->SetTextColor(0x0000FF);
        int y = (plot.bottom - plot.top) / 2;
        for (std::size_t from = 0; from <= message.size();) {
            const std::size_t to = std::min(message.find('\n', from), message.size());
            pDC->TextOut((plot.right - plot.left) / 2, y, message.substr(from, to - from));
            y += m_textHeight;
            from = to + 1;
        }
    }
    if (!title.empty()) {
        pDC->SetTextColor(titleColour);
        const int h = m_textHeight;
        CRect box(m_layout.outer.left + h, m_layout.outer.top + h, m_layout.outer.right - h, plot.top - h);
        pDC->DrawText(title, &box, DT_CENTER | DT_VCENTER);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(oldFont);
}

void CFuncChartCtrl::DrawBackground(CDC* pDC)
{
    pDC->FillSolidRect(&windowRect, backColour);
    if (bordered) {
        CRect edge = windowRect;
        pDC->DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
    }
    const CRect& plot = m_layout.plot;
    CPen frame(PS_SOLID, 1, xAxis.colour);
    CBrush fill(plotColour);
    CPen* oldPen = pDC->SelectObject(&frame);
    CBrush* oldBrush = pDC->SelectObject(&fill);
    pDC->Rectangle(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
    if (legendShown)
        DrawLegendShadow(pDC);
}

void CFuncChartCtrl::DrawAxes(CDC* pDC)
{
    DrawXAxis(pDC);
    if (leftAxisShown)
        DrawLeftAxis(pDC);
    if (rightAxisShown)
        DrawRightAxis(pDC);
}

void CFuncChartCtrl::DrawXAxis(CDC* pDC)
{
    DrawAxis(pDC, xAxis, Side::X);
}

void CFuncChartCtrl::DrawLeftAxis(CDC* pDC)
{
    DrawAxis(pDC, leftAxis, Side::Left);
    DrawCaption(pDC, leftCaption, Side::Left);
}

void CFuncChartCtrl::DrawRightAxis(CDC* pDC)
{
    DrawAxis(pDC, rightAxis, Side::Right);
    DrawCaption(pDC, rightCaption, Side::Right);
}

void CFuncChartCtrl::DrawAxis(CDC* pDC, ChartAxis& axis, Side side)
{
    const CRect& plot = m_layout.plot;
    const int th = m_textHeight;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(axis.colour);
    const int hX = HeightOfX(pDC);
    CPen tickPen(PS_SOLID, 1, axis.colour), majorGridPen(PS_SOLID, 1, gridColour),
        minorGridPen(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0));
    CPen* oldPen = pDC->SelectObject(&tickPen);
    const int majorLength = 3 * hX / 4, minorLength = hX / 2;
    const bool x = side == Side::X;
    // Along the axis: pixels grow from the plot's left, or up from its bottom.
    const int start = x ? plot.left : plot.bottom;
    const int direction = x ? 1 : -1;
    const int lo = x ? plot.left : plot.top, hi = x ? plot.right : plot.bottom;
    // Across it: the axis line and the outward direction of the ticks.
    const int base = side == Side::X ? plot.bottom : side == Side::Left ? plot.left : plot.right;
    const int outward = side == Side::Left ? -1 : 1;
    auto line = [&](int along, int from, int to) {
        if (x) {
            pDC->MoveTo(along, from);
            pDC->LineTo(along, to);
        } else {
            pDC->MoveTo(from, along);
            pDC->LineTo(to, along);
        }
    };
    const int acrossFrom = x ? plot.top : plot.left, acrossTo = x ? plot.bottom : plot.right;

    for (int p : MinorTickPixels(axis, start, direction, lo, hi)) {
        pDC->SelectObject(&tickPen);
        line(p, base, base + outward * minorLength);
        if (axis.minorGrid) {
            pDC->SelectObject(&minorGridPen);
            line(p, acrossFrom, acrossTo);
        }
    }
    const MajorTicks major = ComputeMajorTicks(axis);
    if (axis.majorGrid) {
        pDC->SelectObject(&majorGridPen);
        for (double v : major.grid) {
            int p = 0;
            if (AxisPixel(axis, v, start, direction, &p))
                line(p, acrossFrom, acrossTo);
        }
    }
    pDC->SelectObject(&tickPen);
    for (double v : major.ticks) {
        int p = 0;
        if (!AxisPixel(axis, v, start, direction, &p))
            continue;
        line(p, base, base + outward * majorLength);
        const std::string text = AxisLabelText(axis, v, m_labelFormatter);
        const int w = pDC->GetTextExtent(text).cx;
        if (x) {
            CRect box(p - w, base + majorLength, p + w, base + majorLength + th);
            pDC->DrawText(text, &box, DT_CENTER);
        } else if (side == Side::Left) {
            CRect box(base - majorLength - 2 - w - 2, p - th / 2, base - majorLength - 2, p + th - th / 2);
            pDC->DrawText(text, &box, DT_RIGHT | DT_BOTTOM);
        } else {
            CRect box(base + majorLength + 2, p - th / 2, base + majorLength + 2 + w + 2, p + th - th / 2);
            pDC->DrawText(text, &box, DT_LEFT | DT_BOTTOM);
        }
    }
    pDC->SelectObject(oldPen);

    if (axis.label.empty())
        return;
    const CRect& outer = m_layout.outer;
    if (x) {
        CRect box(plot.left, plot.bottom + th + hX, plot.right, outer.bottom);
        pDC->DrawText(axis.label, &box, DT_CENTER);
        return;
    }
    // Written upward in the turned font, centred on the chart's height.
    CFont* oldFont = pDC->SelectObject(&m_horizontalFont);
    const int width = pDC->GetTextExtent(axis.label).cx;
    pDC->SelectObject(&m_verticalFont);
    const int left = side == Side::Left            ? outer.left + 2
                     : legendPlacement == 2 ? m_layout.legend.left - th
                                            : outer.right - 2 * th;
    pDC->TextOut(left, (outer.top + outer.bottom) / 2 + width / 2, axis.label);
    pDC->SelectObject(oldFont);
}

void CFuncChartCtrl::DrawCaption(CDC* pDC, const std::string& text, Side side)
{
    if (text.empty())
        return;
    const CRect& plot = m_layout.plot;
    const int th = m_textHeight;
    pDC->SetBkMode(OPAQUE);
    pDC->SetBkColor(backColour);
    if (side == Side::Left) {
        CRect box(m_layout.leftCaption.left, plot.top + th / 2, plot.left - 2, plot.top + 3 * th / 2);
        pDC->DrawText(text, &box, DT_RIGHT | DT_BOTTOM);
    } else {
        CRect box(plot.right + 2, plot.top + th / 2, m_layout.rightCaption.right, plot.top + 3 * th / 2);
        pDC->DrawText(text, &box, DT_LEFT | DT_BOTTOM);
    }
    pDC->SetBkColor(0);
    pDC->SetBkMode(TRANSPARENT);
}

void CFuncChartCtrl::DrawAllSeries(CDC* pDC)
{
    for (int n = 0; n < kChartSeriesCount; ++n)
        if (Series(n).inUse)
            DrawSeries(pDC, n);
}

void CFuncChartCtrl::DrawSeries(CDC* pDC, int n)
{
    const ChartSeries& s = Series(n);
    const CRect& plot = m_layout.plot;
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    CPen pen(s.penStyle, s.penWidth, s.colour);
    CPen* oldPen = pDC->SelectObject(&pen);
    const SeriesMapping map{&xAxis, s.onRightAxis ? &rightAxis : &leftAxis, plot, gapValue};
    WalkSeriesPolylines(s.points.Data(), s.points.Count(), map, m_pointBuffer.data(),
                        [&](const CPoint* points, int count) { pDC->Polyline(points, count); });
    int px = 0, py = 0;
    if (s.markerX != -9999.0 && (hideMarkers & 0xFF) == 0 && AxisPixel(xAxis, s.markerX, plot.left, 1, &px) &&
        px >= plot.left && px <= plot.right && AxisPixel(*map.yAxis, s.markerY, plot.bottom, -1, &py)) {
        const int r = std::max(1, static_cast<int>(0.45 * HeightOfX(pDC)));
        CPen outline(PS_SOLID, 1, 0xFF0000);
        CBrush fill(0x0000FF);
        pDC->SelectObject(&outline);
        CBrush* oldBrush = pDC->SelectObject(&fill);
        pDC->RoundRect(px - r, py - r, px + r, py + r, 2 * r, 2 * r);
        pDC->SelectObject(oldBrush);
    }
    pDC->SelectObject(oldPen);
    pDC->RestoreDC(saved);
}

void CFuncChartCtrl::DrawLegendShadow(CDC* pDC)
{
    if (!legendFramed)
        return;
    const int shift = HeightOfX(pDC) / 2;
    CRect box = m_layout.legend;
    box.OffsetRect(shift, shift);
    CPen pen(PS_SOLID, 1, 0x7F7F7F);
    CBrush brush(0x7F7F7F);
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(&box);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void CFuncChartCtrl::DrawLegend(CDC* pDC)
{
    const CRect& box = m_layout.legend;
    if (legendFramed) {
        CPen pen(PS_SOLID, 1, 0);
        CBrush brush(legendColour);
        CPen* oldPen = pDC->SelectObject(&pen);
        CBrush* oldBrush = pDC->SelectObject(&brush);
        pDC->Rectangle(&box);
        pDC->SelectObject(oldPen);
        pDC->SelectObject(oldBrush);
    }
    const int th = m_textHeight;
    const int t = HeightOfX(pDC) / 3;
    int y = box.top + t;
    for (const ChartLegendEntry& e : m_legend) {
        if (!e.used)
            continue;
        CPen pen(e.penStyle, 1, e.colour);
        CPen* oldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(box.left + t, y + th / 2);
        pDC->LineTo(box.left + 2 * th, y + th / 2);
        pDC->SelectObject(oldPen);
        CRect text(box.left + 2 * th + t, y, box.right - t, y + th);
        pDC->DrawText(e.text, &text, DT_LEFT);
        y += th + 1;
    }
}

void CFuncChartCtrl::Forward(UINT message, UINT nFlags, CPoint point)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
}

void CFuncChartCtrl::DrawZoomRect(CPoint to)
{
    CClientDC dc(this);
    CPen dotted(PS_DOT, 0, 0);
    CPen* oldPen = dc.SelectObject(&dotted);
    CGdiObject* oldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    const int oldRop = dc.SetROP2(R2_XORPEN);
    CPoint corners[2] = {dragStart, to};
    dc.DPtoLP(corners, 2);
    dc.Rectangle(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    dc.SetROP2(oldRop);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void CFuncChartCtrl::ZoomToValues(double x1, double x2, double y1, double y2)
{
    SetXRange(&x1, &x2, FALSE);
    SetYRange(&y1, &y2);
    Invalidate();
}

void CFuncChartCtrl::ZoomY2ToValues(double y1, double y2)
{
    SetY2Range(&y1, &y2);
    Invalidate();
}

void CFuncChartCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    dragStart = dragPoint = point;
    SetCapture();
    ::SetCursor(IDC_CROSS);
    Forward(WM_LBUTTONDOWN, nFlags, point);
}

void CFuncChartCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (GetCapture() == this) {
        DrawZoomRect(dragPoint);
        DrawZoomRect(point);
        dragPoint = point;
    }
    Forward(WM_MOUSEMOVE, nFlags, point);
}

void CFuncChartCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!(point == dragStart) && GetCapture() == this) {
        const CRect& plot = m_layout.plot;
        const int left = std::max(std::min(dragStart.x, point.x), plot.left);
        const int right = std::min(std::max(dragStart.x, point.x), plot.right);
        const int top = std::max(std::min(dragStart.y, point.y), plot.top);
        const int bottom = std::min(std::max(dragStart.y, point.y), plot.bottom);
        // Narrower than 3 pixels, or without height inside the plot area,
        // the drag leaves the ranges as they are.
        if (right - left > 2 && bottom > top) {
            const double x1 = xAxis.minimum + (left - plot.left) * xAxis.unitsPerPixel;
            const double x2 = xAxis.minimum + (right - plot.left) * xAxis.unitsPerPixel;
            const double y1 = leftAxis.minimum + (plot.bottom - bottom) * leftAxis.unitsPerPixel;
            const double y2 = leftAxis.minimum + (plot.bottom - top) * leftAxis.unitsPerPixel;
            const double r1 = rightAxis.minimum + (plot.bottom - bottom) * rightAxis.unitsPerPixel;
            const double r2 = rightAxis.minimum + (plot.bottom - top) * rightAxis.unitsPerPixel;
            ZoomToValues(x1, x2, y1, y2);
            if (rightAxisShown)
                ZoomY2ToValues(r1, r2);
        }
    }
    dragStart = dragPoint = CPoint();
    ReleaseCapture();
    ::SetCursor(IDC_ARROW);
    Forward(WM_LBUTTONUP, nFlags, point);
}

void CFuncChartCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    dragStart = dragPoint = CPoint();
    ReleaseCapture();
    ::SetCursor(IDC_ARROW);
    Forward(WM_LBUTTONDBLCLK, nFlags, point);
}

void CFuncChartCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    Forward(WM_RBUTTONDOWN, nFlags, point);
}

void CFuncChartCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    Forward(WM_RBUTTONUP, nFlags, point);
}

} // namespace gelmar

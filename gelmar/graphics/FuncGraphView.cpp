// The Function Graph window: sampling the selected function into the chart,
// the axes by quantity, the zoom and pan commands with their update rules,
// mouse, keys and wheel, and the axis-scale dialogs.
#include "gelmar/graphics/FuncGraphView.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/FuncView.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/graphics/DlgAxisScale.h"
#include "gelmar/graphics/core/FunctionGraphModel.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>
#include <memory>

namespace gelmar {

FunctionGraphSettings g_funcGraphSettings;
CFuncGraphView* g_funcGraphView = nullptr;

namespace {

// The y-axis label of a kind letter.
UINT ValueLabel(char letter)
{
    switch (letter) {
    case 'C':
        return IDS_GRAPH_SPECIFIC_HEAT;
    case 'L':
    case 'M':
        return IDS_GRAPH_LAMBDA;
    case 'R':
        return IDS_GRAPH_SOLAR_REFLECTION;
    case 'D':
    case 'G':
    case 'I':
        return IDS_GRAPH_FLUX;
    case 'E':
        return IDS_GRAPH_EMISSIVITY;
    case 'H':
        return IDS_GRAPH_HEAT_TRANSFER;
    case 'P':
        return IDS_GRAPH_POWER;
    case 'S':
        return IDS_GRAPH_SOLAR_TRANSMISSION;
    case 'T':
        return IDS_GRAPH_TEMPERATURE;
    case 'V':
        return IDS_GRAPH_VENTILATION;
    default:
        return 0;
    }
}

// The x-axis label of a kind.
UINT ArgumentLabel(const FunctionGraphKind& kind, int timeLabelUnit)
{
    switch (kind.argument) {
    case GraphArgument::Temperature:
        return IDS_GRAPH_TEMPERATURE_X;
    case GraphArgument::Angle:
        return IDS_GRAPH_ANGLE;
    default:
        return IDS_TIME_SECONDS + static_cast<UINT>(std::clamp(timeLabelUnit, 0, 3));
    }
}

// The dialog of a value scale.
std::unique_ptr<CDlgAxisScale> ValueScaleDialog(int scale, CWnd* parent)
{
    switch (scale) {
    case kScaleXTemperature:
        return std::make_unique<CDlgXTemperatureScale>(parent);
    case kScaleXAngle:
        return std::make_unique<CDlgXAngleScale>(parent);
    case kScaleYFlux:
        return std::make_unique<CDlgYFluxScale>(parent);
    case kScaleYPower:
        return std::make_unique<CDlgYPowerScale>(parent);
    case kScaleYVentilation:
        return std::make_unique<CDlgYVentilationScale>(parent);
    case kScaleYConductivity:
        return std::make_unique<CDlgYConductivityScale>(parent);
    case kScaleYSpecificHeat:
        return std::make_unique<CDlgYSpecificHeatScale>(parent);
    case kScaleYTemperature:
        return std::make_unique<CDlgYTemperatureScale>(parent);
    case kScaleYSolarReflection:
        return std::make_unique<CDlgYSolarReflectionScale>(parent);
    default:
        return std::make_unique<CDlgYHeatTransferScale>(parent);
    }
}

} // namespace

CFuncGraphView::CFuncGraphView()
{
    g_funcGraphView = this;
}

CFuncGraphView::~CFuncGraphView()
{
    if (g_funcGraphView == this)
        g_funcGraphView = nullptr;
}

const FunctionRecord* CFuncGraphView::SelectedFunction() const
{
    CWinApp* app = AfxGetApp();
    CFuncView* table = app ? app->FindView<CFuncView>() : nullptr;
    if (!table || GraphFunctionCount(TheEngine().model) == 0)
        return nullptr;
    return GraphFunctionAtRow(TheEngine().model, table->GetSelectedRow());
}

void CFuncGraphView::ComputeGraphRange()
{
    gelmar::ComputeGraphRange(m_state, SelectedFunction(), g_funcGraphSettings,
                              GraphCalculationSpan(TheEngine().model));
}

void CFuncGraphView::OnInitialUpdate()
{
    ArrangeMainFrameViews();
    CView::OnInitialUpdate();
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetWindowText(platform::LoadString(IDS_FUNCTION_GRAPH));
    CRect client;
    GetClientRect(&client);
    m_chart.Create(WS_CHILD | WS_VISIBLE, client, this, IDC_FUNC_CHART);
    m_chart.SetSeries(0, PS_SOLID, 0xFF0000, "", 0);
    m_chart.rightAxisShown = 0;
}

void CFuncGraphView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_clientWidth = cx;
    m_clientHeight = cy;
    if (m_chart.GetSafeHwnd())
        m_chart.MoveChart(CRect(0, 0, cx, cy));
}

void CFuncGraphView::OnDraw(CDC*)
{
    CFuncChartCtrl& chart = m_chart;
    if (!chart.GetSafeHwnd())
        return;
    // The chart's reset state: nothing plotted, both axes empty.
    chart.ClearAll();
    chart.message.clear();
    for (ChartAxis* axis : {&chart.xAxis, &chart.leftAxis}) {
        const double half = 0.5;
        if (axis == &chart.xAxis)
            chart.SetXRange(&half, &half, FALSE);
        else
            chart.SetYRange(&half, &half);
        axis->majorStep = axis->minorStep = 1.0;
        axis->decimals = 0;
        axis->label.clear();
    }
    chart.Invalidate(FALSE);

    const FunctionRecord* f = SelectedFunction();
    if (!f || f->shape > 6)
        return;
    const char letter = FunctionLetter(f->name.text);
    const FunctionGraphKind* kind = FindFunctionGraphKind(letter);
    const bool time = !kind || kind->argument == GraphArgument::Time;
    const double factor = time ? TimeLabelFactor(g_funcGraphSettings.timeLabelUnit) : 1.0;

    SampleRequest request;
    request.xMin = m_state.xMin;
    request.xMax = m_state.xMax;
    request.columns = std::max(1, chart.PlotRect().Width());
    request.limit = static_cast<std::size_t>(chart.Series(0).points.Limit());
    request.gapValue = chart.gapValue;
    std::string error;
    const std::vector<SamplePoint> points =
        SampleGraphFunction(TheEngine().model, TheEngine().run, *f, request, &error);
    chart.message = error;
    std::vector<double> xs(points.size()), ys(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        xs[i] = factor * points[i].t;
        ys[i] = points[i].y;
    }
    if (!points.empty())
        chart.AddPoints(0, static_cast<int>(points.size()), xs.data(), ys.data());

    if (m_state.xMin < m_state.xMax) {
        const double min = factor * m_state.xMin, max = factor * m_state.xMax;
        chart.SetXRange(&min, &max, FALSE);
        chart.xAxis.majorStep = m_state.xMajor * factor;
        chart.xAxis.minorStep = m_state.xMinor * factor;
        chart.xAxis.decimals = 0;
        if (kind)
            chart.xAxis.label = platform::LoadString(ArgumentLabel(*kind, g_funcGraphSettings.timeLabelUnit));
    }
    if (m_state.yMin < m_state.yMax) {
        chart.SetYRange(&m_state.yMin, &m_state.yMax);
        chart.leftAxis.majorStep = m_state.yMajor;
        chart.leftAxis.minorStep = m_state.yMinor;
        chart.leftAxis.decimals = 1;
        if (UINT label = ValueLabel(letter))
            chart.leftAxis.label = platform::LoadString(label);
    }
}

void CFuncGraphView::Repaint()
{
    Invalidate();
}

BOOL CFuncGraphView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnUpdate(ID_ROTATE, &CFuncGraphView::OnUpdateRotate),
        ::OnCommand(ID_PAN, &CFuncGraphView::OnPan),
        ::OnUpdate(ID_PAN, &CFuncGraphView::OnUpdatePan),
        ::OnCommand(ID_ZOOM_WINDOW, &CFuncGraphView::OnZoomWindow),
        ::OnUpdate(ID_ZOOM_WINDOW, &CFuncGraphView::OnUpdateZoomWindow),
        ::OnCommand(ID_ZOOM_IN, &CFuncGraphView::OnZoomIn),
        ::OnUpdate(ID_ZOOM_IN, &CFuncGraphView::OnUpdateZoomIn),
        ::OnCommand(ID_ZOOM_OUT, &CFuncGraphView::OnZoomOut),
        ::OnUpdate(ID_ZOOM_OUT, &CFuncGraphView::OnUpdateZoomOut),
        ::OnCommand(ID_ZOOM_TOTAL, &CFuncGraphView::OnZoomTotal),
        ::OnUpdate(ID_ZOOM_TOTAL, &CFuncGraphView::OnUpdateZoomTotal),
        ::OnCommand(ID_PREVIOUS_VIEW, &CFuncGraphView::OnPreviousView),
        ::OnUpdate(ID_PREVIOUS_VIEW, &CFuncGraphView::OnUpdatePreviousView),
        ::OnCommand(ID_X_SCALE, &CFuncGraphView::OnXScale),
        ::OnUpdate(ID_X_SCALE, &CFuncGraphView::OnUpdateScale),
        ::OnCommand(ID_Y_SCALE, &CFuncGraphView::OnYScale),
        ::OnUpdate(ID_Y_SCALE, &CFuncGraphView::OnUpdateScale),
    };
    // Rotate has no handler here: it is disabled, and the 3D view's own
    // handler must not run for the graph.
    if (nID == ID_ROTATE && nCode != CN_UPDATE_COMMAND_UI)
        return nCode == CN_COMMAND;
    return map.Dispatch(this, nID, nCode, pCmdUI) || CView::OnCmdMsg(nID, nCode, pCmdUI);
}

void CFuncGraphView::OnPan()
{
    m_state.mouseMode = kMousePan;
}

void CFuncGraphView::OnZoomWindow()
{
    m_state.mouseMode = kMouseZoomWindow;
}

void CFuncGraphView::OnZoomIn()
{
    m_state.mouseMode = kMouseZoomIn;
}

void CFuncGraphView::OnZoomOut()
{
    ZoomOut(m_state);
    Repaint();
}

void CFuncGraphView::OnZoomTotal()
{
    ZoomTotal(m_state, g_funcGraphSettings);
    Repaint();
}

void CFuncGraphView::OnPreviousView()
{
    SwapPreviousRange(m_state);
    Repaint();
}

void CFuncGraphView::OnUpdateRotate(CCmdUI* ui)
{
    ui->Enable(FALSE);
    ui->SetCheck(0);
}

void CFuncGraphView::OnUpdatePan(CCmdUI* ui)
{
    ui->Enable(RangeInsideTotal(m_state));
    ui->SetCheck(m_state.mouseMode == kMousePan);
}

void CFuncGraphView::OnUpdateZoomWindow(CCmdUI* ui)
{
    ui->SetCheck(m_state.mouseMode == kMouseZoomWindow);
}

void CFuncGraphView::OnUpdateZoomIn(CCmdUI* ui)
{
    ui->SetCheck(m_state.mouseMode == kMouseZoomIn);
}

void CFuncGraphView::OnUpdateZoomOut(CCmdUI* ui)
{
    ui->Enable(RangeInsideTotal(m_state));
}

void CFuncGraphView::OnUpdateZoomTotal(CCmdUI* ui)
{
    ui->Enable(RangeInsideTotal(m_state));
}

void CFuncGraphView::OnUpdatePreviousView(CCmdUI* ui)
{
    ui->Enable(HasPreviousRange(m_state));
}

void CFuncGraphView::OnUpdateScale(CCmdUI* ui)
{
    ui->Enable(GraphFunctionCount(TheEngine().model) > 0);
}

void CFuncGraphView::OnXScale()
{
    OnScale(true);
}

void CFuncGraphView::OnYScale()
{
    OnScale(false);
}

void CFuncGraphView::OnScale(bool xAxis)
{
    const FunctionRecord* f = SelectedFunction();
    const FunctionGraphKind* kind = f ? FindFunctionGraphKind(FunctionLetter(f->name.text)) : nullptr;
    if (!kind)
        return;
    const ScaleValues remembered = CurrentScale(m_state, xAxis);
    const int scale = xAxis ? kind->xScale : kind->yScale;
    const AxisScaleSetting& setting = g_funcGraphSettings.scales[scale];
    const ScaleValues shown = OpenScaleDialog(m_state, setting, scale == kScaleXTime, xAxis);
    ScaleValues chosen;
    int scope = 0, labelUnit = -1;
    bool ok = false;
    if (scale == kScaleXTime) {
        CDlgXTimeScale dlg(this);
        dlg.m_scope = setting.scope;
        dlg.m_labelUnit = g_funcGraphSettings.timeLabelUnit;
        dlg.m_min = shown.min;
        dlg.m_max = shown.max;
        dlg.m_major = shown.major;
        dlg.m_minor = shown.minor;
        ok = dlg.DoModal() == IDOK;
        chosen = {dlg.m_min, dlg.m_max, dlg.m_major, dlg.m_minor};
        scope = dlg.m_scope;
        labelUnit = dlg.m_labelUnit;
    } else {
        std::unique_ptr<CDlgAxisScale> dlg = ValueScaleDialog(scale, this);
        dlg->m_scope = setting.scope;
        dlg->m_min = static_cast<float>(shown.min);
        dlg->m_max = static_cast<float>(shown.max);
        dlg->m_major = static_cast<float>(shown.major);
        dlg->m_minor = static_cast<float>(shown.minor);
        ok = dlg->DoModal() == IDOK;
        chosen = {dlg->m_min, dlg->m_max, dlg->m_major, dlg->m_minor};
        scope = dlg->m_scope;
    }
    if (!ok || scope < 0) {
        SetCurrentScale(m_state, xAxis, remembered);
        return;
    }
    ApplyScaleChoice(m_state, g_funcGraphSettings, scale, xAxis, kind->argument, *f, scope, chosen, labelUnit,
                     GraphCalculationSpan(TheEngine().model));
    Repaint();
}

void CFuncGraphView::DrawRubberBand()
{
    // The chart covers the view: the band goes onto its surface.
    CClientDC dc(&m_chart);
    const int oldRop = dc.SetROP2(R2_NOTXORPEN);
    CGdiObject* oldPen = dc.SelectStockObject(BLACK_PEN);
    CGdiObject* oldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    dc.Rectangle(std::min(m_dragStart.x, m_dragPoint.x), std::min(m_dragStart.y, m_dragPoint.y),
                 std::max(m_dragStart.x, m_dragPoint.x), std::max(m_dragStart.y, m_dragPoint.y));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SetROP2(oldRop);
}

void CFuncGraphView::OnLButtonDown(UINT, CPoint point)
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetActiveView(this);
    m_dragStart = point;
    if (m_state.mouseMode == kMouseZoomWindow) {
        m_dragPoint = point;
        DrawRubberBand();
    } else if (m_state.mouseMode == kMouseZoomIn) {
        m_dragPoint = point;
        ZoomInAtPoint(m_state, m_chart.PlotRect(), point);
        Repaint();
    }
    m_dragging = true;
    SetCapture();
}

void CFuncGraphView::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    if (m_state.mouseMode == kMouseZoomWindow) {
        DrawRubberBand();
        m_dragPoint = point;
        DrawRubberBand();
    } else if (m_state.mouseMode == kMousePan) {
        m_dragPoint = point;
        PanByDrag(m_state, m_chart.PlotRect(), m_dragStart, m_dragPoint, TheEngine().parameters.drag != 0);
        Repaint();
    }
}

void CFuncGraphView::OnLButtonUp(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    if (m_state.mouseMode == kMouseZoomWindow) {
        DrawRubberBand();
        if (!(point == m_dragStart)) {
            const FunctionGraphState before = m_state;
            if (ZoomToRectangle(m_state, m_chart.PlotRect(), m_dragStart, point)) {
                m_state.prevXMin = before.xMin;
                m_state.prevXMax = before.xMax;
                m_state.prevYMin = before.yMin;
                m_state.prevYMax = before.yMax;
                Invalidate(FALSE);
            }
        }
    } else if (m_state.mouseMode == kMousePan) {
        m_dragPoint = point;
        PanByDrag(m_state, m_chart.PlotRect(), m_dragStart, m_dragPoint, TheEngine().parameters.drag != 0);
        Repaint();
    }
    ReleaseCapture();
    m_dragging = false;
}

void CFuncGraphView::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (m_state.mouseMode == kMouseZoomWindow) {
        if (nChar == VK_ESCAPE && m_dragging) {
            DrawRubberBand();
            ReleaseCapture();
            m_dragging = false;
        }
        return;
    }
    if (m_state.mouseMode != kMousePan || nChar < VK_LEFT || nChar > VK_DOWN)
        return;
    int s = std::min(m_clientWidth, m_clientHeight) / 8;
    if (TheEngine().parameters.drag == 0)
        s = -s;
    // From the centre of the plot area, which the shift measures from: the
    // client's centre lies beside it and would pan by more one way than
    // the other.
    const CRect& plot = m_chart.PlotRect();
    CPoint target((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    switch (nChar) {
    case VK_LEFT:
        target.x -= s;
        break;
    case VK_UP:
        target.y -= s;
        break;
    case VK_RIGHT:
        target.x += s;
        break;
    default:
        target.y += s;
        break;
    }
    SavePreviousRange(m_state);
    ShiftRangeByPixels(m_state, m_chart.PlotRect(), target);
    Repaint();
}

BOOL CFuncGraphView::OnMouseWheel(UINT, short zDelta, CPoint point)
{
    if (zDelta >= 120) {
        ScreenToClient(&point);
        ZoomInAtPoint(m_state, m_chart.PlotRect(), point);
        Repaint();
    } else if (zDelta <= -120) {
        OnZoomOut();
    }
    return TRUE;
}

BOOL CFuncGraphFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~DWORD(FWS_ADDTOTITLE);
    return CMDIChildWnd::PreCreateWindow(cs);
}

void CFuncGraphFrame::OnClose()
{
    CMDIChildWnd::OnClose();
    ArrangeMainFrameViews();
}

} // namespace gelmar

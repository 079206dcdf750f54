// The Function Graph in the running program: opened by the Functions table,
// following its selected row, the axes by quantity and time unit, the
// message of an unreadable file, the zoom commands with their update rules
// (also through the table), mouse, keys and wheel, and the axis-scale
// dialogs with their limits, signs, scopes and enabling.
#include "gelmar/graphics/FuncGraphView.h"

#include "gelmar/app/FuncView.h"
#include "gelmar/app/tests/AppFixture.h"
#include "gelmar/graphics/DlgAxisScale.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/functions/FunctionServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/tests/CalcModel.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdlib>

namespace gelmar::test {
namespace {

class FuncGraphTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        g_funcGraphSettings = FunctionGraphSettings{};
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        g_funcGraphSettings = FunctionGraphSettings{};
    }
    // Appends a function and fills its display range.
    static void AddFunction(const char* name, int shape, const std::vector<float>& params,
                            const std::string& path = {})
    {
        Engine& e = TheEngine();
        AppendFunction(e.model, name, shape, params, path);
        LoadFunctionForDisplay(e.model, e.run, Host(), e.model.functions.count - 1u);
    }
    static void Settle(int ms = 50)
    {
        QElapsedTimer clock;
        clock.start();
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        while (clock.elapsed() < ms);
    }
    // Opens the Functions table, which opens the graph.
    CFuncGraphView* OpenGraph()
    {
        Main()->ExecuteCommand(ID_FUNCTIONS);
        for (int i = 0; i < 100 && !g_funcGraphView; ++i)
            Settle(10);
        return g_funcGraphView;
    }
    CFuncView* Table() const { return m_app->FindView<CFuncView>(); }
    // The graph drawn as a repaint draws it.
    CFuncChartCtrl& Draw()
    {
        g_funcGraphView->OnDraw(nullptr);
        return g_funcGraphView->Chart();
    }
    // The state of a command's item after its update handlers ran.
    static CCmdUI Update(CCmdTarget* target, UINT id)
    {
        CCmdUI ui(id);
        ui.DoUpdate(target, TRUE);
        return ui;
    }
    void Activate(CView* view)
    {
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame()))
            frame->MDIActivate();
        Settle();
    }
    static void Script(std::function<void(CDialog&)> f) { platform::TestHook::Get().PushDialogScript(std::move(f)); }
};

TEST_F(FuncGraphTest, TableOpensTheGraphWhichFollowsItsSelectedRow)
{
    AddFunction("T01", 1, {20});          // 0..3600 s
    AddFunction("L01", 0, {}, "none.fla"); // no file: no range
    AddFunction("T02", 5, {10, 5, 1440}); // a day's sine, two days shown
    CFuncGraphView* view = OpenGraph();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->GetParentFrame()->GetWindowText(), "Function Graph");
    EXPECT_DOUBLE_EQ(view->State().xMax, 3600);

    Table()->SetSelectedRow(3);
    EXPECT_DOUBLE_EQ(view->State().xMax, 172800);
    // Two days on a time axis in hours: 0..48, steps of 12 and 3 hours.
    CFuncChartCtrl& chart = Draw();
    EXPECT_DOUBLE_EQ(chart.xAxis.minimum, 0);
    EXPECT_DOUBLE_EQ(chart.xAxis.maximum, 48);
    EXPECT_DOUBLE_EQ(chart.xAxis.majorStep, 12);
    EXPECT_DOUBLE_EQ(chart.xAxis.minorStep, 3);
    EXPECT_EQ(chart.xAxis.label, "Time [h]");
    EXPECT_EQ(chart.leftAxis.label, "Temperature [°C]");
    EXPECT_EQ(chart.leftAxis.decimals, 1);
    // 60 points a period over two periods and the one starting at the end.
    ASSERT_EQ(chart.Series(0).points.Count(), 180);
    EXPECT_DOUBLE_EQ(chart.Series(0).points[15].x, 6); // a quarter period, in hours
    EXPECT_NEAR(chart.Series(0).points[15].y, 15, 1e-9);

    // A function changed in the table has the open graph recompute.
    TheEngine().model.functions[2].params[2] = 720;
    LoadFunctionForDisplay(TheEngine().model, TheEngine().run, Host(), 2);
    EXPECT_DOUBLE_EQ(view->State().xMax, 86400);

    // A function without a range leaves the chart in its reset state.
    Table()->SetSelectedRow(2);
    Draw();
    EXPECT_EQ(chart.xAxis.label, "");
    EXPECT_DOUBLE_EQ(chart.xAxis.minimum, 0.5);
    EXPECT_EQ(chart.message, "Failed to open file\n" + ScratchFolder() + "/work/none.fla");
    EXPECT_TRUE(Messages().empty()); // a paint never opens a message box

    // Closing the table closes the graph too.
    Table()->GetParentFrame()->SendMessage(WM_CLOSE);
    Settle();
    EXPECT_EQ(g_funcGraphView, nullptr);
}

TEST_F(FuncGraphTest, ZoomCommandsAndTheirUpdateRules)
{
    AddFunction("T01", 5, {10, 5, 60}); // 0..7200 s, 4..16
    CFuncGraphView* view = OpenGraph();
    ASSERT_TRUE(view);
    Activate(view);
    const FunctionGraphState total = view->State();
    for (UINT id : {ID_PAN, ID_ZOOM_OUT, ID_ZOOM_TOTAL, ID_PREVIOUS_VIEW, ID_ROTATE})
        EXPECT_FALSE(Update(Main(), id).m_bEnabled) << id;
    EXPECT_TRUE(Update(Main(), ID_X_SCALE).m_bEnabled);
    EXPECT_EQ(Update(Main(), ID_ZOOM_WINDOW).m_nCheck, 1);

    // Zoom In mode: a click at the plot's centre halves both ranges.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_ZOOM_IN));
    EXPECT_EQ(Update(Main(), ID_ZOOM_IN).m_nCheck, 1);
    const CRect plot = view->Chart().PlotRect();
    const CPoint centre((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    view->Chart().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    view->Chart().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    const FunctionGraphState& s = view->State();
    EXPECT_NEAR(s.xMax - s.xMin, (total.xMax - total.xMin) / 2, 1e-9);
    EXPECT_NEAR(s.yMax - s.yMin, (total.yMax - total.yMin) / 2, 1e-9);
    for (UINT id : {ID_PAN, ID_ZOOM_OUT, ID_ZOOM_TOTAL, ID_PREVIOUS_VIEW})
        EXPECT_TRUE(Update(Main(), id).m_bEnabled) << id;

    // The table passes the commands on while it is active (taking the
    // focus, it has the graph recompute: the whole range again).
    ASSERT_TRUE(Main()->ExecuteCommand(ID_ZOOM_TOTAL));
    Activate(Table());
    EXPECT_DOUBLE_EQ(s.xMax, total.xMax);
    view->Chart().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    view->Chart().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    ASSERT_TRUE(Main()->ExecuteCommand(ID_PAN));
    EXPECT_EQ(s.mouseMode, kMousePan);
    EXPECT_EQ(Update(Main(), ID_PAN).m_nCheck, 1);
    EXPECT_FALSE(Update(Main(), ID_ROTATE).m_bEnabled);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_ZOOM_OUT));
    EXPECT_DOUBLE_EQ(s.xMin, total.xMin);
    EXPECT_DOUBLE_EQ(s.xMax, total.xMax);
    EXPECT_EQ(s.mouseMode, kMouseZoomWindow); // the whole range again: no more panning
    ASSERT_TRUE(Main()->ExecuteCommand(ID_PREVIOUS_VIEW));
    EXPECT_NEAR(s.xMax - s.xMin, (total.xMax - total.xMin) / 2, 1e-9);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_ZOOM_TOTAL));
    EXPECT_DOUBLE_EQ(s.xMax, total.xMax);
    // Without the graph the table's zoom commands do nothing.
    view->GetParentFrame()->SendMessage(WM_CLOSE);
    Settle();
    ASSERT_EQ(g_funcGraphView, nullptr);
    EXPECT_FALSE(Update(Table(), ID_ZOOM_OUT).m_bEnabled);
}

TEST_F(FuncGraphTest, MouseKeysAndWheel)
{
    AddFunction("T01", 5, {10, 5, 60});
    CFuncGraphView* view = OpenGraph();
    ASSERT_TRUE(view);
    const FunctionGraphState total = view->State();
    const FunctionGraphState& s = view->State();
    const CRect plot = view->Chart().PlotRect();
    auto mouse = [&](UINT message, CPoint p) {
        view->Chart().SendMessage(message, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    };

    // Zoom window: the dragged rectangle becomes the range.
    const CPoint a(plot.left + plot.Width() / 4, plot.top), b(plot.left + plot.Width() / 2, plot.bottom);
    mouse(WM_LBUTTONDOWN, a);
    mouse(WM_MOUSEMOVE, b);
    mouse(WM_LBUTTONUP, b);
    EXPECT_NEAR(s.xMin, total.xMax / 4, 1e-9 * total.xMax + (total.xMax / plot.Width()));
    EXPECT_NEAR(s.xMax, total.xMax / 2, 1e-9 * total.xMax + (total.xMax / plot.Width()));
    EXPECT_DOUBLE_EQ(s.yMin, total.yMin);
    EXPECT_DOUBLE_EQ(s.yMax, total.yMax);
    EXPECT_DOUBLE_EQ(s.prevXMax, total.xMax);
    // A release where the press was, or a rectangle beside the plot, changes nothing.
    const FunctionGraphState zoomed = s;
    mouse(WM_LBUTTONDOWN, b);
    mouse(WM_LBUTTONUP, b);
    mouse(WM_LBUTTONDOWN, CPoint(2, 2));
    mouse(WM_LBUTTONUP, CPoint(plot.left - 5, plot.top - 5));
    EXPECT_DOUBLE_EQ(s.xMin, zoomed.xMin);
    EXPECT_DOUBLE_EQ(s.xMax, zoomed.xMax);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // Pan by keys: a step of an eighth of the smaller client side, the
    // range following the drag-mode setting; left undoes right.
    view->OnPan();
    CRect client;
    view->GetClientRect(&client);
    const int step = std::min(client.Width(), client.Height()) / 8;
    const double moved = step * (zoomed.xMax - zoomed.xMin) / plot.Width();
    for (int drag : {1, 0}) {
        TheEngine().parameters.drag = drag;
        const double before = s.xMin, beforeY = s.yMin;
        view->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
        EXPECT_NEAR(s.xMin - before, drag ? moved : -moved, 1e-6 * moved) << drag;
        EXPECT_DOUBLE_EQ(s.yMin, beforeY);
        view->SendMessage(WM_KEYDOWN, VK_LEFT, 1);
        EXPECT_NEAR(s.xMin, before, 1e-6 * moved) << drag;
    }
    // The wheel zooms in at the cursor and out again.
    view->OnZoomWindow();
    view->SendMessage(WM_KEYDOWN, VK_LEFT, 1); // no panning in zoom-window mode
    const double width = s.xMax - s.xMin;
    CPoint at((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    view->ClientToScreen(&at);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(at.x, at.y));
    EXPECT_NEAR(s.xMax - s.xMin, width / 2, 1e-9 * width);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), MAKELPARAM(at.x, at.y));
    EXPECT_NEAR(s.xMax - s.xMin, width / 2, 1e-9 * width);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(at.x, at.y));
    EXPECT_NEAR(s.xMax - s.xMin, width, 1e-9 * width);
}

TEST_F(FuncGraphTest, AngleScaleRefuses120AndTakes90)
{
    WriteFile(ScratchFolder() + "/work/reflect.frf", "0 0.1\n45 0.2\n90 0.6\n");
    AddFunction("R01", 0, {}, "reflect.frf");
    CFuncGraphView* view = OpenGraph();
    ASSERT_TRUE(view);
    Activate(view);
    bool refused = false;
    Script([&](CDialog& d) {
        EXPECT_EQ(d.GetWindowText(), "X axis: Angle Scale");
        d.CheckRadioButton(IDC_SCALE_FIXED, IDC_SCALE_FUNCTION, IDC_SCALE_FIXED);
        d.SetDlgItemText(IDC_SCALE_MAX, "120");
        d.ClickButton(IDOK);
        refused = !d.IsEnded();
        d.SetDlgItemText(IDC_SCALE_MAX, "90");
        d.SetDlgItemText(IDC_SCALE_MAJOR, "30");
        d.ClickButton(IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_X_SCALE));
    EXPECT_TRUE(refused);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Please enter a number between 0 and 90.");
    const AxisScaleSetting& x = g_funcGraphSettings.scales[kScaleXAngle];
    EXPECT_EQ(x.scope, kScopeFixed);
    EXPECT_FLOAT_EQ(x.fixedMax, 90);
    EXPECT_DOUBLE_EQ(view->State().xMax, 90);
    EXPECT_DOUBLE_EQ(view->State().xMajor, 30);
}

TEST_F(FuncGraphTest, TimeScaleTakesSignedDurations)
{
    AddFunction("T01", 5, {10, 5, 60});
    CFuncGraphView* view = OpenGraph();
    ASSERT_TRUE(view);
    Activate(view);
    Script([&](CDialog& d) {
        auto& dlg = static_cast<CDlgXTimeScale&>(d);
        // The range shown: 0..7200 s, ticks of 30 and 5 minutes.
        EXPECT_EQ(dlg.GetDlgItemText(IDC_TIME_SCALE_MAX), "0000:02:00:00");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_TIME_SCALE_MAJOR), "0000:00:30:00");
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MIN_PLUS), 1u);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SCALE_FUNCTION), 1u);
        EXPECT_FALSE(dlg.GetDlgItem(IDC_TIME_SCALE_MIN)->IsWindowEnabled());
        dlg.ClickButton(IDC_SCALE_FIXED);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_TIME_SCALE_MIN)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_LABEL_DAYS)->IsWindowEnabled());
        dlg.ClickButton(IDC_MIN_MINUS);
        dlg.SetDlgItemText(IDC_TIME_SCALE_MIN, "0001:00:00:00");
        dlg.SetDlgItemText(IDC_TIME_SCALE_MAJOR, "0000:12:00:00");
        dlg.ClickButton(IDC_LABEL_HOURS);
        dlg.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_X_SCALE));
    const AxisScaleSetting& x = g_funcGraphSettings.scales[kScaleXTime];
    EXPECT_EQ(x.scope, kScopeFixed);
    EXPECT_FLOAT_EQ(x.fixedMin, -86400);
    EXPECT_FLOAT_EQ(x.fixedMax, 7200);
    EXPECT_FLOAT_EQ(x.fixedMajor, 43200);
    EXPECT_EQ(g_funcGraphSettings.timeLabelUnit, kTimeHours);
    EXPECT_DOUBLE_EQ(view->State().xMin, -86400);
    EXPECT_DOUBLE_EQ(Draw().xAxis.minimum, -24);

    // Cancel leaves the range as it was.
    Script([&](CDialog& d) {
        d.SetDlgItemText(IDC_TIME_SCALE_MIN, "0002:00:00:00");
        d.ClickButton(IDCANCEL);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_X_SCALE));
    EXPECT_DOUBLE_EQ(view->State().xMin, -86400);
    EXPECT_FLOAT_EQ(x.fixedMin, -86400);
}

TEST_F(FuncGraphTest, FunctionScopeKeepsTheFixedValuesAndValueControlsFollowTheScope)
{
    AddFunction("P01", 1, {100}); // 0..3600 s, 99..101
    CFuncGraphView* view = OpenGraph();
    ASSERT_TRUE(view);
    Activate(view);
    AxisScaleSetting& y = g_funcGraphSettings.scales[kScaleYPower];
    y = {kScopeFixed, 0, 500, 100, 20};
    view->ComputeGraphRange();
    EXPECT_DOUBLE_EQ(view->State().yMax, 500);
    Script([&](CDialog& d) {
        EXPECT_EQ(d.GetWindowText(), "Y axis: Power Scale");
        EXPECT_EQ(d.GetDlgItemText(IDC_SCALE_MAX), "500");
        for (UINT id : {IDC_SCALE_MIN, IDC_SCALE_MAX, IDC_SCALE_MAJOR, IDC_SCALE_MINOR})
            EXPECT_TRUE(d.GetDlgItem(id)->IsWindowEnabled()) << id;
        d.ClickButton(IDC_SCALE_FUNCTION);
        for (UINT id : {IDC_SCALE_MIN, IDC_SCALE_MAX, IDC_SCALE_MAJOR, IDC_SCALE_MINOR})
            EXPECT_FALSE(d.GetDlgItem(id)->IsWindowEnabled()) << id;
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_Y_SCALE));
    EXPECT_EQ(y.scope, kScopeFunction);
    EXPECT_FLOAT_EQ(y.fixedMax, 500);
    // The function's own range, widened: 99..101 by steps of 0.5 -> 98.5..101.5.
    EXPECT_DOUBLE_EQ(view->State().yMin, 98.5);
    EXPECT_DOUBLE_EQ(view->State().yMax, 101.5);

    // Fixed values again: the kept values are shown and come into force.
    Script([&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_SCALE_MAX), "500");
        d.ClickButton(IDC_SCALE_FIXED);
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_Y_SCALE));
    view->ComputeGraphRange();
    EXPECT_DOUBLE_EQ(view->State().yMax, 500);
}

// A picture of the Function Graph of a sine, for the eye: runs only when
// GELMAR_SCREENSHOT_GRAPH names the PNG file to write.
TEST_F(FuncGraphTest, ScreenshotOfASine)
{
    const char* out = std::getenv("GELMAR_SCREENSHOT_GRAPH");
    if (!out)
        GTEST_SKIP() << "GELMAR_SCREENSHOT_GRAPH not set";
    AddFunction("T01", 5, {20, 5, 1440, 0}); // 20 °C +- 5 over a day
    Main()->MoveWindow(0, 0, 1280, 1000);
    ASSERT_TRUE(OpenGraph());
    Settle(1500);
    Main()->ArrangeViewFrames();
    Settle(300);
    EXPECT_TRUE(Main()->GetWidget()->grab().save(out, "PNG"));
}

} // namespace
} // namespace gelmar::test

// The 3D view where the platform has no OpenGL (Qt's offscreen platform):
// the set-up's message, the text drawn instead of a frame, commands and
// picks that find no context; its frame's title and Close; and the Zoom
// Numbers dialog with its limits and the grid unit's label.
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/tests/AppFixture.h"
#include "gelmar/model/files/Parameters.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMenu>

namespace gelmar::test {
namespace {

class GraphViewTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
        view = g_graphView;
        ASSERT_NE(view, nullptr);
    }
    void Script(std::function<void(CDialog&)> f) { platform::TestHook::Get().PushDialogScript(std::move(f)); }

    CGraphView* view = nullptr;
};

TEST_F(GraphViewTest, WithoutOpenGlTheViewSaysSoAndDrawsText)
{
    int stops = 0;
    for (const auto& m : platform::TestHook::Get().Messages())
        if (m.text == "Could not select a compatible pixel format!") {
            EXPECT_EQ(m.style & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
            ++stops;
        }
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(view->m_hRC, nullptr);

    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(nullptr, 300, 60);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    const CRect all(0, 0, 300, 60);
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    view->OnDraw(&dc);
    dc.SelectObject(static_cast<CBitmap*>(nullptr));
    int dark = 0;
    const QImage& image = bitmap.Image();
    for (int y = 15; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);

    // Picks and read-outs find nothing; the camera commands still work.
    EXPECT_EQ(view->PickBlock(CPoint(10, 10)), -1);
    EXPECT_EQ(view->ReadColourAtPoint(CPoint(10, 10)), "");
    view->m_drag.current = CPoint(view->m_cx / 2, view->m_cy / 2);
    view->ZoomIn();
    EXPECT_FLOAT_EQ(view->m_viewAngle, 30.0f);
    EXPECT_TRUE(Main()->ExecuteCommand(ID_ZOOM_TOTAL));
    EXPECT_EQ(view->m_totalView, 1);
}

TEST_F(GraphViewTest, MouseKeysAndWheelMoveTheCamera)
{
    ASSERT_GT(view->m_cx, 100);
    const int cx = view->m_cx, cy = view->m_cy, side = std::min(cx, cy);
    TheEngine().parameters.drag = 1;
    auto send = [&](UINT message, int x, int y, WPARAM flags = 0) {
        view->SendMessage(message, flags, MAKELPARAM(x, y));
    };
    // Rotate: a drag across half the smaller side turns by 90 degrees.
    view->m_mouseMode = 0;
    TheEngine().model.viewAzimuth = 10.0f;
    send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    send(WM_MOUSEMOVE, 10 + side / 4, 10, MK_LBUTTON);
    send(WM_LBUTTONUP, 10 + side / 2, 10);
    EXPECT_NEAR(TheEngine().model.viewAzimuth, 10.0f + 180.0f * (side / 2) / side, 1e-3);
    EXPECT_FALSE(view->m_drag.dragging);
    // Arrow keys: five degrees each.
    view->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_NEAR(TheEngine().model.viewAzimuth, 5.0f + 180.0f * (side / 2) / side, 1e-3);
    // Zoom window: the rectangle's share of the window sets the angle; Esc
    // during the drag cancels it.
    view->m_mouseMode = 1;
    send(WM_LBUTTONDOWN, cx / 4, cy / 4, MK_LBUTTON);
    send(WM_MOUSEMOVE, cx / 2, cy / 2, MK_LBUTTON);
    view->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(view->m_drag.dragging);
    EXPECT_EQ(view->m_viewAngle, 60.0f);
    send(WM_LBUTTONDOWN, cx / 4, cy / 4, MK_LBUTTON);
    send(WM_MOUSEMOVE, cx / 2, cy / 2, MK_LBUTTON);
    send(WM_LBUTTONUP, cx / 2, cy / 2);
    EXPECT_LT(view->m_viewAngle, 31.0f);
    EXPECT_EQ(view->m_totalView, 0);
    EXPECT_GT(view->m_previousAngle, 0.0f);
    // The wheel: a notch up zooms in at the pointer, down zooms out.
    const float angle = view->m_viewAngle;
    CPoint centre(cx / 2, cy / 2);
    view->ClientToScreen(&centre);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(centre.x, centre.y));
    EXPECT_FLOAT_EQ(view->m_viewAngle, angle / 2);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(centre.x, centre.y));
    EXPECT_FLOAT_EQ(view->m_viewAngle, angle);
}

TEST_F(GraphViewTest, TheFrameIsTheImageAndClosesOnlyWithTheDocument)
{
    auto* frame = dynamic_cast<CGraphFrame*>(view->GetParentFrame());
    ASSERT_NE(frame, nullptr);
    frame->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(frame->GetWindowText(), "Image");
    QMdiSubWindow* sub = frame->GetSubWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowCloseButtonHint);
    int closeItems = 0;
    for (QAction* action : sub->systemMenu()->actions())
        if (action->shortcuts().contains(QKeySequence(QKeySequence::Close))) {
            EXPECT_FALSE(action->isEnabled());
            ++closeItems;
        }
    EXPECT_EQ(closeItems, 1);
    // The user's Close leaves it open.
    sub->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_app->FindView<CGraphView>(), view);
}

TEST_F(GraphViewTest, ZoomNumbersRefuseAZeroAngleAndLabelTheFocusInTheGridUnit)
{
    struct Case {
        float gridUnit;
        const char* label;
    } units[] = {{1.0f, "[m]"}, {0.001f, "[mm]"}, {0.25f, "[0.25 m]"}};
    for (const Case& u : units) {
        TheEngine().model.gridUnit = u.gridUnit;
        std::string label, angle;
        Script([&](CDialog& d) {
            label = d.GetDlgItemText(IDC_ZOOM_UNIT_X);
            angle = d.GetDlgItemText(IDC_ZOOM_VIEW_ANGLE);
        });
        EXPECT_TRUE(Main()->ExecuteCommand(ID_ZOOM_NUMBERS));
        EXPECT_EQ(label, u.label);
        EXPECT_EQ(angle, "60");
    }

    // OK as shown keeps the total view, though the fields show six digits
    // of a centre that has more.
    TheEngine().model.centre[0] = 0.1234567f;
    view->m_totalView = 1;
    Script([&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_ZOOM_FOCUS_X), "0.123457");
        d.ClickButton(IDOK);
    });
    EXPECT_TRUE(Main()->ExecuteCommand(ID_ZOOM_NUMBERS));
    EXPECT_EQ(view->m_totalView, 1);
    EXPECT_EQ(view->m_focus[0], 0.1234567f);

    // A zero angle is refused and the dialog stays open.
    platform::TestHook::Get().ClearMessages();
    Script([&](CDialog& d) {
        d.SetDlgItemText(IDC_ZOOM_VIEW_ANGLE, "0");
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(IDC_ZOOM_AZIMUTH, "75");
        d.SetDlgItemText(IDC_ZOOM_VIEW_ANGLE, "60");
        d.ClickButton(IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    EXPECT_TRUE(Main()->ExecuteCommand(ID_ZOOM_NUMBERS));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("0.0001"), std::string::npos) << Messages()[0];
    EXPECT_EQ(TheEngine().model.viewAzimuth, 75.0f);
    EXPECT_EQ(view->m_totalView, 1);

    // Anything but 60 degrees on the centre leaves the total view.
    Script([&](CDialog& d) {
        d.SetDlgItemText(IDC_ZOOM_VIEW_ANGLE, "45");
        d.ClickButton(IDOK);
    });
    EXPECT_TRUE(Main()->ExecuteCommand(ID_ZOOM_NUMBERS));
    EXPECT_EQ(view->m_totalView, 0);
    EXPECT_EQ(view->m_viewAngle, 45.0f);
    // Cancel changes nothing.
    Script([&](CDialog& d) { d.SetDlgItemText(IDC_ZOOM_VIEW_ANGLE, "20"); });
    EXPECT_TRUE(Main()->ExecuteCommand(ID_ZOOM_NUMBERS));
    EXPECT_EQ(view->m_viewAngle, 45.0f);
}

} // namespace
} // namespace gelmar::test

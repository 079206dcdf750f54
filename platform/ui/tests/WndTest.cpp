// Windows receive Qt's events as the messages their handlers expect.
#include "platform/ui/Wnd.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class RecordingWnd : public CWnd {
  public:
    std::vector<std::string> log;
    std::vector<CRect> paints;
    CSize lastSize{-1, -1};

    void OnPaint() override
    {
        CPaintDC dc(this);
        paints.push_back(dc.m_ps.rcPaint);
    }
    void OnSize(UINT, int cx, int cy) override { lastSize = CSize(cx, cy); }
    void OnLButtonDown(UINT flags, CPoint p) override { Log("ldown", p, flags); }
    void OnLButtonUp(UINT flags, CPoint p) override { Log("lup", p, flags); }
    void OnLButtonDblClk(UINT flags, CPoint p) override { Log("ldbl", p, flags); }
    void OnRButtonDown(UINT flags, CPoint p) override { Log("rdown", p, flags); }
    void OnMouseMove(UINT flags, CPoint p) override
    {
        if (flags & MK_LBUTTON)
            Log("drag", p, flags);
    }
    BOOL OnMouseWheel(UINT, short delta, CPoint) override
    {
        log.push_back("wheel " + std::to_string(delta));
        return TRUE;
    }
    void OnKeyDown(UINT ch, UINT, UINT flags) override
    {
        log.push_back("keydown " + std::to_string(ch) + ((flags & 0x4000) ? " repeat" : ""));
    }
    void OnChar(UINT ch, UINT, UINT) override { log.push_back("char " + std::string(1, char(ch))); }
    void OnTimer(UINT_PTR id) override { log.push_back("timer " + std::to_string(id)); }
    void OnClose() override
    {
        log.push_back("close");
        CWnd::OnClose();
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar*) override
    {
        log.push_back("vscroll " + std::to_string(code) + " " + std::to_string(pos));
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER && message < WM_USER + 100)
            log.push_back("user " + std::to_string(message - WM_USER) + " " + std::to_string(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }

  private:
    void Log(const char* what, CPoint p, UINT flags)
    {
        log.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y) +
                      ((flags & MK_CONTROL) ? " ctrl" : ""));
    }
};

struct WndFixture : ::testing::Test {
    RecordingWnd wnd;
    void SetUp() override
    {
        ASSERT_TRUE(
            wnd.CreateEx(0, nullptr, "Test", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 200, 120), nullptr, 0));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(wnd.GetWidget()));
        QCoreApplication::processEvents();
        wnd.log.clear();
    }
};

TEST_F(WndFixture, PaintAndSizeCarryTheClientArea)
{
    ASSERT_FALSE(wnd.paints.empty());
    EXPECT_EQ(wnd.paints.back(), CRect(0, 0, 200, 120));
    EXPECT_EQ(wnd.lastSize, CSize(200, 120));

    wnd.paints.clear();
    CRect part(10, 20, 30, 40);
    wnd.InvalidateRect(&part, FALSE);
    wnd.UpdateWindow();
    ASSERT_EQ(wnd.paints.size(), 1u);
    EXPECT_EQ(wnd.paints[0], part);

    wnd.MoveWindow(0, 0, 150, 90);
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.lastSize, CSize(150, 90));
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 150, 90));
}

TEST_F(WndFixture, MouseAndKeysArriveWithClientCoordinates)
{
    QWidget* w = wnd.GetWidget();
    QTest::mousePress(w, Qt::LeftButton, Qt::ControlModifier, QPoint(30, 40));
    QTest::mouseMove(w, QPoint(35, 45));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(35, 45));
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(100, 60));
    QTest::keyClick(w, Qt::Key_Down);
    QTest::keyClick(w, 'A');
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(w, &repeat);
    QWheelEvent wheel(QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &wheel);

    std::vector<std::string> expected = {"ldown 30,40 ctrl", "lup 35,45",         "ldbl 7,8",
                                         "rdown 100,60",     "keydown 40",        "keydown 65",
                                         "char A",           "keydown 39 repeat", "wheel -120"};
    // The move with the button held is reported as a drag.
    std::erase_if(wnd.log, [](const std::string& s) { return s.rfind("drag", 0) == 0; });
    EXPECT_EQ(wnd.log, expected);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}

TEST_F(WndFixture, PostedMessagesArriveInOrderAfterSentOnes)
{
    wnd.PostMessage(WM_USER + 1, 10);
    wnd.PostMessage(WM_USER + 2, 20);
    wnd.SendMessage(WM_USER + 3, 30);
    wnd.PostMessage(WM_USER + 4, 40);
    EXPECT_EQ(wnd.log, std::vector<std::string>{"user 3 30"});
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"user 3 30", "user 1 10", "user 2 20", "user 4 40"}));
}

TEST_F(WndFixture, PostedCloseDestroysTheWindow)
{
    wnd.PostMessage(WM_CLOSE);
    EXPECT_TRUE(wnd.GetSafeHwnd());
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.log, std::vector<std::string>{"close"});
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(&wnd));
}

TEST_F(WndFixture, TimersTickUntilKilled)
{
    EXPECT_EQ(wnd.SetTimer(7, 5), 7u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !wnd.log.empty(); }, 2000));
    EXPECT_EQ(wnd.log.front(), "timer 7");
    EXPECT_TRUE(wnd.KillTimer(7));
    QCoreApplication::processEvents();
    wnd.log.clear();
    QTest::qWait(30);
    EXPECT_TRUE(wnd.log.empty());
    EXPECT_FALSE(wnd.KillTimer(7));
}

TEST(Wnd, ScrollBarMovesOnlyThroughSetScrollPos)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Scroll", WS_OVERLAPPED | WS_VISIBLE | WS_VSCROLL,
                             CRect(0, 0, 200, 100), nullptr, 0));
    CRect before;
    wnd.GetClientRect(&before);
    EXPECT_EQ(before.Width(), 200); // no range yet: no bar

    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 95; // beyond the limit of 90
    wnd.SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 90);
    EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 90);
    CRect after;
    wnd.GetClientRect(&after);
    EXPECT_LT(after.Width(), 200);
    EXPECT_EQ(wnd.lastSize, CSize(after.Width(), after.Height()));

    auto* bar = wnd.GetWidget()->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    wnd.log.clear();
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(wnd.log, std::vector<std::string>{"vscroll 0 0"});
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 90);
    EXPECT_EQ(bar->value(), 90);
    wnd.SetScrollPos(SB_VERT, 89);
    EXPECT_EQ(bar->value(), 89);

    // Dragging the thumb reports the 32-bit track position.
    wnd.log.clear();
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    SCROLLINFO track;
    track.fMask = SIF_TRACKPOS;
    wnd.GetScrollInfo(SB_VERT, &track);
    EXPECT_EQ(track.nTrackPos, 40);
    ASSERT_FALSE(wnd.log.empty());
    EXPECT_EQ(wnd.log.back(), "vscroll 5 40");
    bar->setSliderDown(false);
}

TEST(Wnd, CustomWindowReplacesNothingWithoutParent)
{
    CWnd plain;
    EXPECT_FALSE(plain.SubclassDlgItem(5, nullptr));
    EXPECT_EQ(plain.GetDlgItem(5), nullptr);
    EXPECT_FALSE(plain.PostMessage(WM_USER));
}

} // namespace

// Pre-translation, capture, focus, the wait cursor, regions and rotated text.
#include "platform/ui/App.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ClosingOnClick : public CWnd {
  public:
    int downs = 0;
    int captureLost = 0;
    std::vector<std::string> focus;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        // As a splash window does: the first click closes it.
        if (msg->message == WM_RBUTTONDOWN) {
            PostMessage(WM_CLOSE);
            return TRUE;
        }
        return FALSE;
    }
    void OnLButtonDown(UINT, CPoint) override { ++downs; }
    void OnCaptureChanged(CWnd*) override { ++captureLost; }
    void OnSetFocus(CWnd*) override { focus.push_back("set"); }
    void OnKillFocus(CWnd*) override { focus.push_back("kill"); }
};

TEST(Input, PreTranslateMessageSeesInputFirst)
{
    CWinApp app("TEST");
    ClosingOnClick wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, "Splash", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 40),
                             nullptr, 0));
    QTest::mouseClick(wnd.GetWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(wnd.downs, 1);
    QTest::mousePress(wnd.GetWidget(), Qt::RightButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
}

TEST(Input, CaptureAndFocusNotifyTheWindow)
{
    ClosingOnClick a;
    ASSERT_TRUE(a.CreateEx(0, nullptr, "A", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 60, 40), nullptr, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(a.GetWidget()));
    EXPECT_EQ(a.SetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), &a);
    ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(a.captureLost, 1);

    a.GetWidget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(a.GetWidget()));
    a.SetFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(CWnd::GetFocus(), &a);
    ASSERT_FALSE(a.focus.empty());
    EXPECT_EQ(a.focus.back(), "set");
}

TEST(Input, WaitCursorNests)
{
    CWinApp app("TEST");
    {
        CWaitCursor outer;
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
        app.BeginWaitCursor();
        app.EndWaitCursor();
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    app.EndWaitCursor(); // unbalanced end: nothing happens
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Input, WindowRegionShapesTheWindow)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Shape", WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 30), nullptr, 0));
    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(20, 0, 30, 10);
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    wnd.SetWindowRgn(&both, TRUE);
    EXPECT_TRUE(wnd.GetWidget()->mask().contains(QPoint(25, 5)));
    EXPECT_FALSE(wnd.GetWidget()->mask().contains(QPoint(15, 5)));
}

TEST(Input, RotatedFontDrawsUpwards)
{
    CDC dc;
    CBitmap bm;
    dc.CreateCompatibleDC(nullptr);
    bm.CreateCompatibleBitmap(&dc, 60, 60);
    dc.SelectObject(&bm);
    dc.FillSolidRect(0, 0, 60, 60, RGB(255, 255, 255));
    CFont font;
    font.CreateFont(-12, 0, 900, 900, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial Symbol1");
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(30, 55, "MMMM");
    // Text at 90 degrees runs up from (30, 55); the top of its cell faces
    // left, so the letters lie right of x = 30 and above y = 55.
    int inside = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            if (dc.GetPixel(x, y) != RGB(255, 255, 255))
                (x >= 29 && y <= 56 ? inside : outside) += 1;
    EXPECT_GT(inside, 10);
    EXPECT_EQ(outside, 0);
}

TEST(Input, FileDialogChildAreaFromTemplate)
{
    platform::TestHook::Get().Reset();
    platform::DialogTemplate t;
    t.id = 132;
    t.controls = {{platform::Ctl::PushButton, 1002, "", 0, 0}, {platform::Ctl::Static, 1119, "", 1, 0}};
    platform::Resources::Get().AddDialog(t);

    struct CPreviewDlg : CFileDialog {
        using CFileDialog::CFileDialog;
        bool sawPlaceholder = false;
        BOOL OnInitDialog() override
        {
            sawPlaceholder = GetDlgItem(1002) != nullptr;
            SetControlText(IDOK, "Start");
            QTimer::singleShot(0, [this] { SendMessage(WM_CLOSE); });
            return TRUE;
        }
    } dlg(TRUE, "glm", "*.glm", OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ENABLETEMPLATE,
          "GELMAR Data Files (*.glm)|*.glm||");
    dlg.m_ofn.lpTemplateName = 132;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.sawPlaceholder);
    EXPECT_TRUE(dlg.GetPathNames().empty());
}

} // namespace

namespace {

// A control class that rewrites texts set from outside, as a masked edit does,
// and refuses characters it does not accept.
class DigitsEdit : public CEdit {
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT && lParam) {
            std::string digits;
            for (const char* p = reinterpret_cast<const char*>(lParam); *p; ++p)
                if (*p >= '0' && *p <= '9')
                    digits += *p;
            return CEdit::WindowProc(message, wParam, reinterpret_cast<LPARAM>(digits.c_str()));
        }
        return CEdit::WindowProc(message, wParam, lParam);
    }
    void OnChar(UINT ch, UINT rep, UINT flags) override
    {
        if ((ch >= '0' && ch <= '9') || ch == VK_BACK)
            CEdit::OnChar(ch, rep, flags);
    }
};

class Parent : public CWnd {
  public:
    std::vector<UINT> changes;
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        if (HIWORD(wParam) == EN_CHANGE)
            changes.push_back(LOWORD(wParam));
        return TRUE;
    }
};

TEST(Input, ControlClassesSeeTextAndCharactersFirst)
{
    Parent parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "P", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 100, 50), nullptr, 0));
    DigitsEdit edit;
    ASSERT_TRUE(edit.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 77));
    edit.SetWindowText("12:34");
    EXPECT_EQ(edit.GetWindowText(), "1234");
    EXPECT_EQ(parent.GetDlgItem(77), &edit);
    EXPECT_FALSE(parent.changes.empty());
    EXPECT_EQ(parent.changes.back(), 77u);

    edit.SetSel(0, -1);
    QTest::keyClicks(edit.GetWidget(), "9a8");
    EXPECT_EQ(edit.GetWindowText(), "98");
    QTest::keyClick(edit.GetWidget(), Qt::Key_Backspace);
    EXPECT_EQ(edit.GetWindowText(), "9");

    // An empty selection puts the caret there.
    edit.SetWindowText("1234");
    edit.SetSel(2, 2);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 2);
    EXPECT_EQ(edit.GetCaretIndex(), 2);
}

} // namespace

namespace {

// Windows that delete themselves when destroyed, as in-place editors do.
class SelfDeleting : public CWnd {
  public:
    static int deleted;
    ~SelfDeleting() override { ++deleted; }
    void PostNcDestroy() override { delete this; }
    void OnKeyDown(UINT ch, UINT, UINT) override
    {
        if (ch == VK_ESCAPE)
            DestroyWindow();
    }
};
int SelfDeleting::deleted = 0;

TEST(Input, WindowsMayDeleteThemselvesInTheirHandlers)
{
    auto* a = new SelfDeleting;
    ASSERT_TRUE(a->CreateEx(0, nullptr, "A", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    a->PostMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    EXPECT_EQ(SelfDeleting::deleted, 1);

    auto* b = new SelfDeleting;
    ASSERT_TRUE(b->CreateEx(0, nullptr, "B", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    QTest::keyClick(b->GetWidget(), Qt::Key_Escape);
    EXPECT_EQ(SelfDeleting::deleted, 2);
    QCoreApplication::processEvents();
}

} // namespace

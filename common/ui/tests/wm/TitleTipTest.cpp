// The title tip under a window manager: it is a tool-tip window that the
// manager leaves alone (no frame, never activated), laid over the cell whose
// text is cut, and the clicks the user means for the cell reach the cell
// through it: a click moves the focus there, a double click opens the cell's
// editor. Input comes through the X server as a user's would.
#include "../GridTestSupport.h"

#include <QElapsedTimer>
#include <QLineEdit>

// X11's headers come after Qt's (they define names Qt's headers use).
#include "WmDisplay.h"

namespace common::test {
namespace {

// Runs the event loop for the time, so that the X server's events arrive.
void Settle(int ms = 300)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The screen point at the middle of a cell, as the X server has it (Qt may
// not have heard yet where the window manager put the window).
QPoint CellCentre(const testing::TestDisplay& x, CGridCtrl& grid, int row, int col)
{
    CRect r;
    grid.GetCellRect(row, col, &r);
    QWidget* top = grid.GetWidget()->window();
    const QPoint inTop = grid.GetWidget()->mapTo(top, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    int sx = 0, sy = 0;
    Window child = 0;
    XTranslateCoordinates(x.Connection(), static_cast<Window>(top->winId()), DefaultRootWindow(x.Connection()),
                          inTop.x(), inTop.y(), &sx, &sy, &child);
    return {sx, sy};
}

// Rests the pointer on the cell until its tip shows; whether it showed.
bool HoverUntilTip(const testing::TestDisplay& x, CGridCtrl& grid, int row, int col)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; !grid.GetTitleTip().IsWindowVisible() && clock.elapsed() < 5000; ++i) {
        const QPoint p = CellCentre(x, grid, row, col);
        x.MoveTo(p.x() + i % 2, p.y());
        Settle(100);
    }
    return grid.GetTitleTip().IsWindowVisible() != FALSE;
}

// Runs the event loop until the condition holds or 5 s have passed; whether
// it holds.
bool SettleUntil(const std::function<bool()>& condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// The X window the window manager gave as the top-level window's parent
// (the root window when it does not frame it).
Window ParentOf(Display* display, Window w)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, w, &root, &parent, &children, &count);
    if (children)
        XFree(children);
    return parent;
}

TEST(TitleTipTest, TipIsAToolTipWindowThatPassesClicksToItsCell)
{
    testing::TestDisplay& x = WmDisplay();
    GridFixture f(3, 3);
    f.grid.SetItemText(1, 2, "a text much longer than its cell");
    f.grid.SetFocusCell(CCellID(1, 1));
    QWidget* top = f.parent.GetOuterWidget()->window();
    // Active as a click would make it: the tip shows only while the program
    // has the keyboard focus.
    Settle(500);
    x.Focus(static_cast<Window>(top->winId()));
    top->activateWindow();
    ASSERT_TRUE(SettleUntil([top] { return top->isActiveWindow(); }));
    // The window manager has framed and placed the window: its place stays
    // the same.
    ASSERT_TRUE(SettleUntil([&] {
        return ParentOf(x.Connection(), static_cast<Window>(top->winId())) != DefaultRootWindow(x.Connection());
    }));
    QPoint placed(-1, -1);
    ASSERT_TRUE(SettleUntil([&] {
        int sx = 0, sy = 0;
        Window child = 0;
        XTranslateCoordinates(x.Connection(), static_cast<Window>(top->winId()),
                              DefaultRootWindow(x.Connection()), 0, 0, &sx, &sy, &child);
        const bool same = placed == QPoint(sx, sy);
        placed = QPoint(sx, sy);
        Settle(200);
        return same;
    }));
    f.grid.SetFocus();
    ASSERT_TRUE(HoverUntilTip(x, f.grid, 1, 2));
    CGridTitleTip& tip = f.grid.GetTitleTip();
    const QPoint centre = CellCentre(x, f.grid, 1, 2);
    EXPECT_EQ(tip.GetTipText(), " a text much longer than its cell ");
    const Window tipWindow = static_cast<Window>(tip.GetOuterWidget()->winId());
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(x.Connection(), tipWindow, &attributes));
    EXPECT_TRUE(attributes.override_redirect);
    EXPECT_EQ(ParentOf(x.Connection(), tipWindow), DefaultRootWindow(x.Connection()));
    // The tip lies over the cell, where the pointer is.
    EXPECT_TRUE(tip.GetOuterWidget()->geometry().contains(centre));

    // A click meant for the cell moves the focus there.
    x.Click();
    SettleUntil([&f] { return f.Focus() == CCellID(1, 2); });
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_EQ(f.Focus(), CCellID(1, 2));
    EXPECT_TRUE(top->isActiveWindow());

    // Away and back: the tip again; a double click opens the cell's editor.
    x.MoveTo(centre.x(), centre.y() + 40);
    Settle();
    ASSERT_TRUE(HoverUntilTip(x, f.grid, 1, 2));
    f.parent.notes.clear();
    x.Click(2);
    Settle();
    EXPECT_EQ(f.parent.Codes(), (std::vector<int>{GVN_DBLCLICK, GVN_BEGINEDIT}));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(f.grid.GetWidget()->isAncestorOf(editor));
    EXPECT_EQ(editor->text().toStdString(), "a text much longer than its cell");
}

} // namespace
} // namespace common::test

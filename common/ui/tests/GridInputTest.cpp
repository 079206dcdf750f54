// Keys, mouse and in-place editing of the grid, with the notifications its
// parent receives, in order.
#include "GridTestSupport.h"
#include "common/ui/GridInPlaceEdit.h"

#include <QAction>
#include <cstring>
#include <gtest/gtest.h>

using namespace common;
using namespace common::test;

namespace {

CPoint CellCentre(CGridCtrl& grid, int row, int col)
{
    CRect r;
    EXPECT_TRUE(grid.GetCellRect(row, col, &r));
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

QPoint Q(CPoint p)
{
    return QPoint(p.x, p.y);
}

CEdit* OpenEditor(CGridCtrl& grid)
{
    return dynamic_cast<CEdit*>(grid.GetDlgItem(IDC_INPLACE_EDIT));
}

} // namespace

TEST(GridKeys, ArrowsStayOutOfTheFixedBandAndInsideTheTable)
{
    GridFixture f(5, 4);
    ASSERT_EQ(f.Focus(), CCellID(1, 1)); // the focus starts at the first non-fixed cell
    f.Key(VK_UP);
    f.Key(VK_LEFT);
    EXPECT_EQ(f.Focus(), CCellID(1, 1));
    f.Key(VK_RIGHT);
    f.Key(VK_DOWN);
    EXPECT_EQ(f.Focus(), CCellID(2, 2));
    f.Key(VK_END);
    EXPECT_EQ(f.Focus(), CCellID(2, 3));
    f.Key(VK_RIGHT);
    EXPECT_EQ(f.Focus(), CCellID(2, 3));
    f.Key(VK_HOME);
    EXPECT_EQ(f.Focus(), CCellID(2, 1));
    // Each move tells the old cell first, then the new one.
    f.parent.notes.clear();
    f.Key(VK_DOWN);
    EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_FOCUSCHANGING, 2, 1, 0}, {GVN_FOCUSCHANGED, 3, 1, 0}}));
    EXPECT_EQ(f.grid.GetItemState(3, 1) & GVIS_FOCUSED, GVIS_FOCUSED);
    EXPECT_EQ(f.grid.GetItemState(2, 1) & GVIS_FOCUSED, 0u);
}

TEST(GridKeys, CtrlArrowsGoToTheEndsAndScroll)
{
    GridFixture f(200, 30);
    f.Key(VK_DOWN, true);
    EXPECT_EQ(f.Focus(), CCellID(199, 1));
    EXPECT_TRUE(f.grid.IsCellVisible(199, 1));
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), f.grid.GetScrollMax(SB_VERT));
    f.Key(VK_RIGHT, true);
    EXPECT_EQ(f.Focus(), CCellID(199, 29));
    EXPECT_TRUE(f.grid.IsCellVisible(199, 29));
    f.Key(VK_HOME, true);
    EXPECT_EQ(f.Focus(), CCellID(1, 1));
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 0);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_HORZ), 0);
    f.Key(VK_END, true);
    EXPECT_EQ(f.Focus(), CCellID(199, 29));
    f.Key(VK_UP, true);
    EXPECT_EQ(f.Focus(), CCellID(1, 29));
    f.Key(VK_LEFT, true);
    EXPECT_EQ(f.Focus(), CCellID(1, 1));
    // Other keys with Ctrl do nothing.
    f.parent.notes.clear();
    f.Key(VK_DELETE, true);
    EXPECT_TRUE(f.parent.notes.empty());
}

TEST(GridKeys, PageKeysMoveByTheScrolledRowsAndDownKeepsTheFocusVisible)
{
    GridFixture f(200, 3);
    for (int i = 0; i < 30; ++i)
        f.Key(VK_DOWN);
    EXPECT_EQ(f.Focus(), CCellID(31, 1));
    EXPECT_TRUE(f.grid.IsCellVisible(31, 1));
    const int top = f.grid.GetTopLeftNonFixedCell().row;
    f.Key(VK_NEXT);
    const int moved = f.grid.GetTopLeftNonFixedCell().row - top;
    EXPECT_GT(moved, 5);
    EXPECT_EQ(f.Focus().row, 31 + moved);
    f.Key(VK_PRIOR);
    f.Key(VK_PRIOR);
    f.Key(VK_PRIOR);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 0);
    f.Key(VK_PRIOR); // the view no longer moves: the first non-fixed row
    EXPECT_EQ(f.Focus().row, 1);
}

TEST(GridKeys, TabWrapsAlongRowsAndLeavesTheLastCell)
{
    GridFixture f(3, 3);
    f.Key(VK_TAB);
    EXPECT_EQ(f.Focus(), CCellID(1, 2));
    f.Key(VK_TAB);
    EXPECT_EQ(f.Focus(), CCellID(2, 1));
    f.Key(VK_TAB, false, true);
    EXPECT_EQ(f.Focus(), CCellID(1, 2));
    f.grid.SetFocusCell(CCellID(2, 2));
    f.parent.notes.clear();
    f.Key(VK_TAB); // the last cell: default handling, the focus cell stays
    EXPECT_EQ(f.Focus(), CCellID(2, 2));
    EXPECT_TRUE(f.parent.notes.empty());
    f.grid.m_bTabAlongRows = FALSE;
    f.grid.SetFocusCell(CCellID(1, 1));
    f.Key(VK_TAB);
    EXPECT_EQ(f.Focus(), CCellID(2, 1));
    f.Key(VK_TAB);
    EXPECT_EQ(f.Focus(), CCellID(1, 2));
}

TEST(GridEdit, TypingEditsAndNotifiesBeginChangeEndInOrder)
{
    GridFixture f(4, 3);
    f.grid.SetItemText(1, 1, "12");
    f.Type("7");
    CEdit* edit = OpenEditor(f.grid);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetWindowText(), "7");
    f.Type("5");
    f.Key(VK_RETURN);
    EXPECT_EQ(f.grid.GetItemText(1, 1), "75");
    EXPECT_TRUE(f.grid.m_bModified);
    EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_BEGINEDIT, 1, 1, '7'}, {GVN_ENDEDIT, 1, 1, 0}}));
    QApplication::processEvents();
    EXPECT_EQ(OpenEditor(f.grid), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), f.grid.GetWidget());
}

TEST(GridEdit, FirstKeyDecidesTheStartingText)
{
    struct Case {
        UINT firstKey;
        const char* text;
    };
    for (const Case& c : {Case{'7', "7"}, Case{VK_BACK, "1"}, Case{1, "12"}, Case{VK_DOWN, "12"}}) {
        GridFixture f(3, 3);
        f.grid.SetItemText(1, 1, "12");
        f.grid.OnEditCell(1, 1, c.firstKey);
        CEdit* edit = OpenEditor(f.grid);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->GetWindowText(), c.text) << c.firstKey;
    }
}

TEST(GridEdit, EscapeKeepsTheTextButStillEnds)
{
    GridFixture f(3, 3);
    f.grid.SetItemText(1, 1, "abc");
    f.grid.OnEditCell(1, 1, 1);
    f.Type("xyz");
    f.Key(VK_ESCAPE);
    EXPECT_EQ(f.grid.GetItemText(1, 1), "abc");
    EXPECT_FALSE(f.grid.m_bModified);
    ASSERT_FALSE(f.parent.notes.empty());
    EXPECT_EQ(f.parent.notes.back(), (Note{GVN_ENDEDIT, 1, 1, 0}));
}

TEST(GridEdit, ArrowContinuationStopsAtCellsThatTakeNoTyping)
{
    // Ctrl+Down ends the edit and moves on; the next cell is a click cell
    // (read-only), whose begin-edit is an action a passing key must not run.
    for (UINT state : {UINT(GVIS_READONLY), UINT(GVIS_TOGGLE)}) {
        GridFixture f(4, 3);
        f.grid.SetItemState(2, 1, state);
        f.grid.OnEditCell(1, 1, 1);
        f.Type("5");
        f.Key(VK_DOWN, true);
        QApplication::processEvents(); // the first editor closes
        EXPECT_EQ(f.Focus(), CCellID(2, 1));
        EXPECT_EQ(OpenEditor(f.grid), nullptr);
        for (const Note& n : f.parent.notes)
            EXPECT_FALSE(n.code == GVN_BEGINEDIT && n.row == 2) << state;
    }
    // A cell that takes typing is edited on.
    GridFixture f(4, 3);
    f.grid.OnEditCell(1, 1, 1);
    f.Key(VK_DOWN, true);
    EXPECT_EQ(f.parent.notes.back(), (Note{GVN_BEGINEDIT, 2, 1, VK_DOWN}));
}

TEST(GridEdit, TheOpenEditorTakesKeysBeforeTheWindowsShortcuts)
{
    GridFixture f(3, 3);
    int fired = 0;
    QAction shortcut(f.parent.GetOuterWidget()->window());
    shortcut.setShortcut(QKeySequence(Qt::Key_Insert));
    shortcut.setShortcutContext(Qt::WindowShortcut);
    QObject::connect(&shortcut, &QAction::triggered, [&] { ++fired; });
    f.parent.GetOuterWidget()->window()->addAction(&shortcut);
    f.Key(VK_INSERT);
    EXPECT_EQ(fired, 1); // the grid itself lets the window have it
    f.grid.OnEditCell(1, 1, 1);
    ASSERT_NE(OpenEditor(f.grid), nullptr);
    f.Key(VK_INSERT);
    EXPECT_EQ(fired, 1);
    f.parent.GetOuterWidget()->window()->removeAction(&shortcut);
}

TEST(GridEdit, RefusedBeginEditKeepsTheCellReadOnly)
{
    GridFixture f(3, 3);
    f.grid.SetItemText(1, 1, "keep");
    f.parent.onBeginEdit = [](CGridCtrl* g, const GridNotify& nm) {
        g->SetItemState(nm.iRow, nm.iColumn, g->GetItemState(nm.iRow, nm.iColumn) | GVIS_READONLY);
    };
    f.Type("x");
    EXPECT_EQ(OpenEditor(f.grid), nullptr);
    EXPECT_EQ(f.grid.GetItemText(1, 1), "keep");
    EXPECT_EQ(f.parent.Codes(), (std::vector<int>{GVN_BEGINEDIT}));
    // Delete on a read-only cell does nothing.
    f.parent.notes.clear();
    f.Key(VK_DELETE);
    EXPECT_EQ(f.grid.GetItemText(1, 1), "keep");
    EXPECT_TRUE(f.parent.notes.empty());
}

TEST(GridEdit, DeleteEmptiesWithoutBeginEdit)
{
    GridFixture f(3, 3);
    f.grid.SetItemText(1, 1, "x");
    f.Key(VK_DELETE);
    EXPECT_EQ(f.grid.GetItemText(1, 1), "");
    EXPECT_TRUE(f.grid.m_bModified);
    EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_ENDEDIT, 1, 1, 0}}));
    EXPECT_EQ(f.Focus(), CCellID(1, 1));
}

TEST(GridEdit, CtrlDownInTheLastRowEndsAndReopensTheSameCell)
{
    GridFixture f(3, 3);
    f.grid.SetFocusCell(CCellID(2, 1));
    f.grid.OnEditCell(2, 1, 1);
    f.Type("9");
    f.parent.notes.clear();
    f.Key(VK_DOWN, true);
    EXPECT_EQ(f.grid.GetItemText(2, 1), "9");
    EXPECT_EQ(f.Focus(), CCellID(2, 1));
    EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_ENDEDIT, 2, 1, 0}, {GVN_BEGINEDIT, 2, 1, VK_DOWN}}));
    ASSERT_NE(OpenEditor(f.grid), nullptr);
}

TEST(GridEdit, CtrlRightContinuesEditingInTheNextCell)
{
    GridFixture f(3, 4);
    f.grid.OnEditCell(1, 1, 1);
    f.Type("a");
    f.parent.notes.clear();
    f.Key(VK_RIGHT, true);
    EXPECT_EQ(f.grid.GetItemText(1, 1), "a");
    EXPECT_EQ(f.parent.Codes(),
              (std::vector<int>{GVN_ENDEDIT, GVN_FOCUSCHANGING, GVN_FOCUSCHANGED, GVN_BEGINEDIT}));
    EXPECT_EQ(f.Focus(), CCellID(1, 2));
    CEdit* edit = OpenEditor(f.grid);
    ASSERT_NE(edit, nullptr);
    f.Type("b");
    f.Key(VK_RETURN);
    EXPECT_EQ(f.grid.GetItemText(1, 2), "b");
}

TEST(GridEdit, TabInTheEditorEndsItAndMovesOn)
{
    GridFixture f(3, 4);
    f.grid.OnEditCell(1, 1, 1);
    f.Type("t");
    f.Key(VK_TAB);
    QApplication::processEvents();
    EXPECT_EQ(f.grid.GetItemText(1, 1), "t");
    EXPECT_EQ(f.Focus(), CCellID(1, 2));
}

TEST(GridEdit, NumericKindsFilterTypedCharacters)
{
    GridFixture f(3, 3);
    f.grid.SetItemStyleFlags(1, 1, GVIS_POSITIVE_REAL);
    f.grid.OnEditCell(1, 1, 1);
    f.Type("-1e-5x");
    f.Key(VK_RETURN);
    EXPECT_EQ(f.grid.GetItemText(1, 1), "1e-5");
}

TEST(GridEdit, ToggleCellsToggleInsteadOfEditing)
{
    GridFixture f(3, 3);
    f.grid.SetItemState(1, 1, GVIS_TOGGLE);
    f.grid.SetItemImage(1, 1, 4);
    f.Type("a");
    EXPECT_EQ(OpenEditor(f.grid), nullptr);
    EXPECT_EQ(f.grid.GetItemState(1, 1) & GVIS_TOGGLE_ON, GVIS_TOGGLE_ON);
    EXPECT_EQ(f.grid.GetItemImage(1, 1), 5);
    EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_ENDEDIT, 1, 1, 0}}));
    f.Type(" ");
    EXPECT_EQ(f.grid.GetItemState(1, 1) & GVIS_TOGGLE_ON, 0u);
    EXPECT_EQ(f.grid.GetItemImage(1, 1), 4);
}

TEST(GridMouse, ClicksMoveTheFocusAndDoubleClickEdits)
{
    GridFixture f(5, 4);
    QWidget* w = f.grid.GetWidget();
    QTest::mouseClick(w, Qt::LeftButton, {}, Q(CellCentre(f.grid, 2, 2)));
    EXPECT_EQ(f.Focus(), CCellID(2, 2));
    EXPECT_EQ(f.parent.Codes(), (std::vector<int>{GVN_FOCUSCHANGING, GVN_FOCUSCHANGED}));
    // A fixed cell does not take the focus; the focus cell again starts nothing.
    f.parent.notes.clear();
    QTest::mouseClick(w, Qt::LeftButton, {}, Q(CellCentre(f.grid, 0, 3)));
    QTest::mouseClick(w, Qt::LeftButton, {}, Q(CellCentre(f.grid, 2, 2)));
    EXPECT_EQ(f.Focus(), CCellID(2, 2));
    EXPECT_TRUE(f.parent.notes.empty());
    EXPECT_EQ(OpenEditor(f.grid), nullptr);
    QTest::mouseDClick(w, Qt::LeftButton, {}, Q(CellCentre(f.grid, 2, 2)));
    EXPECT_EQ(f.parent.Codes(), (std::vector<int>{GVN_DBLCLICK, GVN_BEGINEDIT}));
    EXPECT_EQ(f.parent.notes.back().extra, 1u);
    EXPECT_NE(OpenEditor(f.grid), nullptr);
}

TEST(GridMouse, RightClickNotifiesFixedCellsToo)
{
    GridFixture f(5, 4);
    QTest::mouseClick(f.grid.GetWidget(), Qt::RightButton, {}, Q(CellCentre(f.grid, 0, 2)));
    EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_RCLICK, 0, 2, 0}}));
    EXPECT_EQ(f.Focus(), CCellID(1, 1));
}

TEST(GridScroll, HorizontalScrollingNotifiesTheTopLeftCell)
{
    GridFixture f(5, 30);
    f.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    ASSERT_EQ(f.parent.notes.size(), 1u);
    EXPECT_EQ(f.parent.notes[0], (Note{GVN_HSCROLL, 1, 2, 0}));
    f.parent.notes.clear();
    f.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(f.parent.notes.empty());
}

TEST(GridDraw, CellsInTheirColoursAndOutsideColourBeyond)
{
    GridFixture f(3, 2);
    f.grid.m_crOutsideColour = RGB(10, 20, 30);
    f.grid.m_crBkColour = RGB(200, 210, 220);
    f.grid.m_crFixedBkColour = RGB(90, 90, 90);
    f.grid.SetFocusCell(CCellID(-1, -1));
    f.grid.Invalidate();
    f.grid.UpdateWindow();
    QImage* img = f.grid.BackingImage();
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(f.grid.GetScrollMax(SB_HORZ), 0); // the columns fit: no horizontal range
    EXPECT_EQ(img->pixelColor(300, 10), QColor(10, 20, 30));
    EXPECT_EQ(img->pixelColor(100, 200), QColor(10, 20, 30));
    EXPECT_EQ(img->pixelColor(62, 42), QColor(200, 210, 220));
    EXPECT_EQ(img->pixelColor(30, 50), QColor(90, 90, 90));
    // A cell of its own colour.
    f.grid.SetItemBkColour(2, 1, RGB(255, 0, 0));
    f.grid.Invalidate();
    f.grid.UpdateWindow();
    EXPECT_EQ(img->pixelColor(90, 50), QColor(255, 0, 0));
}

TEST(GridDraw, FocusCellWithDefaultColourGetsTheGridColourAndAFrame)
{
    GridFixture f(3, 2);
    f.grid.m_crBkColour = RGB(200, 210, 220);
    f.grid.m_crTextColour = RGB(0, 0, 255);
    f.grid.Invalidate();
    f.grid.UpdateWindow();
    QImage* img = f.grid.BackingImage();
    CRect r;
    ASSERT_TRUE(f.grid.GetCellRect(1, 1, &r)); // the focus cell
    EXPECT_EQ(img->pixelColor(r.left + 1, r.top + 5), QColor(0, 0, 255));
    EXPECT_EQ(img->pixelColor(r.left + 4, r.top + 5), QColor(200, 210, 220));
}

TEST(GridScroll, TheLastRowComesFullyIntoView)
{
    GridFixture f(500, 3);
    f.grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    CRect r, client;
    f.grid.GetClientRect(&client);
    ASSERT_TRUE(f.grid.GetCellRect(499, 1, &r));
    EXPECT_LE(r.bottom, client.bottom);
    // Paging back lands at the top again.
    for (int i = 0; i < 1000 && f.grid.GetScrollPos32(SB_VERT) > 0; ++i)
        f.grid.SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(f.grid.GetTopLeftNonFixedCell(), CCellID(1, 1));
}

TEST(GridModel, NewFontSetsTheDefaultsAndEveryCell)
{
    CGridCtrl grid(2, 2);
    LOGFONT lf{};
    lf.lfHeight = -30;
    std::strcpy(lf.lfFaceName, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    const int oldHeight = grid.GetDefaultRowHeight();
    grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&font), FALSE);
    EXPECT_GT(grid.GetDefaultRowHeight(), oldHeight);
    EXPECT_EQ(grid.GetItemFont(1, 1)->lfHeight, -30);
    EXPECT_EQ(grid.GetRowHeight(1), oldHeight); // existing rows keep their height
}

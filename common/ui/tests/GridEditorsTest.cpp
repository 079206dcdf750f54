// The drop-down list editor, the title tip, resizing columns with the mouse
// and the messages a click leaves with the parent.
#include "GridTestSupport.h"
#include "common/ui/GridInPlaceEdit.h"

#include <gtest/gtest.h>

using namespace common;
using namespace common::test;

namespace {

class ClickParent : public NotifyParent {
  public:
    int commands = 0;
    std::vector<CPoint> ups;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 100 && lParam)
            ++commands;
        return TRUE;
    }
    void OnLButtonUp(UINT, CPoint p) override { ups.push_back(p); }
};

} // namespace

TEST(GridList, OpensOnTheCellTextAndStoresTheChosenItem)
{
    GridFixture f(3, 3);
    f.grid.SetItemState(1, 1, GVIS_TEXT | GVIS_LIST);
    f.grid.SetItemListItems(1, 1, {"NIHIL", "HE", "HI_NORML"});
    f.grid.SetItemText(1, 1, "HE");
    f.grid.OnEditCell(1, 1, 1);
    auto* list = dynamic_cast<CComboBox*>(f.grid.GetDlgItem(IDC_INPLACE_LIST));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCurSel(), 1);
    // The user picks an item (the drop-down closes, the list has the focus)
    // and then clicks elsewhere.
    list->SetCurSel(2);
    list->ShowDropDown(FALSE);
    list->SetFocus();
    f.grid.SetFocus();
    EXPECT_EQ(f.grid.GetItemText(1, 1), "HI_NORML");
    EXPECT_EQ(f.parent.notes.back(), (Note{GVN_ENDEDIT, 1, 1, 0}));

    // A text that begins no item: nothing selected, and ending stores "".
    QApplication::processEvents(); // the first list closes
    ASSERT_EQ(f.grid.GetDlgItem(IDC_INPLACE_LIST), nullptr);
    f.grid.SetItemText(1, 1, "other");
    f.grid.OnEditCell(1, 1, 1);
    list = dynamic_cast<CComboBox*>(f.grid.GetDlgItem(IDC_INPLACE_LIST));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST(GridTitleTip, ShownOnlyForCutTexts)
{
    GridFixture f(3, 3);
    CGridTitleTip& tip = f.grid.GetTitleTip();
    ASSERT_NE(tip.GetSafeHwnd(), nullptr);
    CRect cell;
    ASSERT_TRUE(f.grid.GetCellRect(1, 1, &cell));
    tip.Show(cell, "ab");
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.Show(cell, "a text much too long for a cell of sixty pixels");
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_EQ(tip.GetTipText(), " a text much too long for a cell of sixty pixels ");
    tip.Hide();
    EXPECT_FALSE(tip.IsWindowVisible());
}

TEST(GridMouse, DraggingAColumnDividerResizesTheColumn)
{
    GridFixture f(3, 3);
    QWidget* w = f.grid.GetWidget();
    // The divider between columns 1 and 2 lies at x = 119 / 120.
    QTest::mouseMove(w, QPoint(119, 10));
    f.grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(119, 10));
    EXPECT_EQ(f.grid.GetMouseMode(), 8);
    f.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(119, 10));
    EXPECT_EQ(f.grid.GetMouseMode(), 9);
    f.grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 10));
    f.grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
    EXPECT_EQ(f.grid.GetMouseMode(), 0);
    EXPECT_EQ(f.grid.GetColumnWidth(1), 150 - 60);
    EXPECT_EQ(f.grid.GetColumnWidth(2), 60);
    // Over the body the mode stays 0.
    f.grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(119, 50));
    EXPECT_EQ(f.grid.GetMouseMode(), 0);
}

TEST(GridMouse, ReleasingOverACellTellsTheParent)
{
    ClickParent parent;
    parent.CreateEx(0, nullptr, "T", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0);
    CGridCtrl grid(4, 4, 1, 1);
    grid.Create(CRect(0, 0, 300, 200), &parent, 100);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 30));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(70, 30));
    QApplication::processEvents(); // the command is posted
    EXPECT_EQ(parent.commands, 1);
    ASSERT_EQ(parent.ups.size(), 1u);
    EXPECT_EQ(parent.ups[0], CPoint(70, 30));
}

TEST(GridFocus, ReleaseOnKillFocusReturnsToTheSameCell)
{
    GridFixture f(4, 4);
    f.grid.m_bReleaseFocusOnKillFocus = TRUE;
    f.grid.SetFocusCell(CCellID(2, 3));
    f.parent.notes.clear();
    f.parent.SetFocus();
    EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_FOCUSCHANGING, 2, 3, 0}}));
    EXPECT_EQ(f.grid.GetItemState(2, 3) & GVIS_FOCUSED, 0u);
    EXPECT_EQ(f.Focus(), CCellID(2, 3));
    f.grid.SetFocus();
    EXPECT_EQ(f.grid.GetItemState(2, 3) & GVIS_FOCUSED, GVIS_FOCUSED);
}

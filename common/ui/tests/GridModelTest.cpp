// The grid's table of cells: sizes, fixed bands, the cell defaults, the item
// record and the focus bookkeeping of row changes.
#include "GridTestSupport.h"

#include <gtest/gtest.h>

using namespace common;
using namespace common::test;

TEST(GridModel, CountsCellsAndDefaults)
{
    CGridCtrl grid(3, 2, 1, 1);
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetColumnCount(), 2);
    EXPECT_EQ(grid.GetItemState(1, 1), 0x2000u);
    EXPECT_EQ(grid.GetItemImage(1, 1), -1);
    EXPECT_EQ(grid.GetItemBkColour(1, 1), CLR_GRID_DEFAULT);
    EXPECT_EQ(grid.GetItemText(-1, 0), "");
    EXPECT_EQ(grid.GetItemState(5, 0), 0u);
    EXPECT_FALSE(grid.SetItemText(3, 0, "x"));
    EXPECT_EQ(grid.GetColumnWidth(2), -1);
    EXPECT_FALSE(grid.SetRowHeight(0, -1));

    // A fixed count beyond the table grows it; shrinking cuts the fixed band.
    grid.SetFixedRowCount(5);
    EXPECT_EQ(grid.GetRowCount(), 5);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.GetFixedRowCount(), 2);
}

TEST(GridModel, NewRowsTakeTheFormatOfTheRowAbove)
{
    CGridCtrl grid(2, 2);
    grid.SetItemFormat(1, 1, DT_RIGHT);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetItemFormat(3, 1), static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(grid.GetItemFormat(3, 0), 0u);
}

TEST(GridModel, StyleFlagsReplaceOnlyTheEditorKind)
{
    CGridCtrl grid(2, 2);
    grid.SetItemState(1, 1, 0x2001);
    grid.SetItemStyleFlags(1, 1, 0x08);
    EXPECT_EQ(grid.GetItemState(1, 1), 0x0009u);
    EXPECT_EQ(EditorKindOfState(0x2000 | 0x0400), 4);
    EXPECT_EQ(EditorKindOfState(0x0400 | 0x1000), 1);
}

TEST(GridModel, ItemRecordCopiesOnlyMaskedMembers)
{
    CGridCtrl grid(2, 2);
    CGridItem item;
    item.row = 1;
    item.col = 0;
    item.mask = GVIF_TEXT | GVIF_LISTITEMS | GVIF_PATTERN;
    item.text = "a";
    item.listItems = {"x", "y"};
    item.pattern = {1, 2, 3, 4, 5, 6, 7, 8};
    item.image = 7; // not masked
    ASSERT_TRUE(grid.SetItem(&item));
    CGridItem back;
    back.row = 1;
    back.col = 0;
    back.mask = GVIF_TEXT | GVIF_IMAGE | GVIF_LISTITEMS | GVIF_PATTERN;
    ASSERT_TRUE(grid.GetItem(&back));
    EXPECT_EQ(back.text, "a");
    EXPECT_EQ(back.image, -1);
    EXPECT_EQ(back.listItems, item.listItems);
    EXPECT_EQ(back.pattern, item.pattern);
    item.row = 9;
    EXPECT_FALSE(grid.SetItem(&item));
    EXPECT_FALSE(grid.SetItem(nullptr));
}

TEST(GridModel, InsertAndDeleteRows)
{
    CGridCtrl grid(3, 2, 1, 0);
    EXPECT_EQ(grid.InsertRow("end", 3), 3);
    EXPECT_EQ(grid.GetItemText(3, 0), "end");
    EXPECT_EQ(grid.InsertRow("x", 9), -1);
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_FALSE(grid.DeleteRow(3));
}

TEST(GridModel, RowChangesAroundTheFocusCell)
{
    GridFixture f(10, 4);
    f.grid.SetFocusCell(CCellID(8, 2));
    f.parent.notes.clear();
    // Unchanged count: nothing happens.
    f.grid.SetRowCount(10);
    EXPECT_TRUE(f.parent.notes.empty());
    // Deleting a row above moves the focus up; deleting the focus row clears
    // it without notification.
    f.grid.DeleteRow(3);
    EXPECT_EQ(f.Focus(), CCellID(7, 2));
    f.grid.DeleteRow(7);
    EXPECT_EQ(f.Focus(), CCellID(-1, -1));
    EXPECT_TRUE(f.parent.notes.empty());
    // Shrinking below the focus row tells the parent before the cells go.
    f.grid.SetFocusCell(CCellID(6, 1));
    f.parent.notes.clear();
    f.grid.SetRowCount(5);
    ASSERT_EQ(f.parent.notes.size(), 1u);
    EXPECT_EQ(f.parent.notes[0], (Note{GVN_FOCUSCHANGING, 6, 1, 0}));
}

TEST(GridModel, ExpandColumnsSpreadsTheRest)
{
    GridFixture f(3, 3, 0, 0);
    for (int c = 0; c < 3; ++c)
        f.grid.SetColumnWidth(c, 50);
    CRect client;
    f.grid.GetClientRect(&client);
    const int d = client.Width() - 150 - 1;
    f.grid.ExpandColumnsToFit();
    int total = 0;
    for (int c = 0; c < 3; ++c)
        total += f.grid.GetColumnWidth(c);
    EXPECT_EQ(total, 150 + d);
    EXPECT_EQ(f.grid.GetColumnWidth(0), 50 + d / 3 + (d % 3 > 0 ? 1 : 0));
    EXPECT_EQ(f.grid.GetColumnWidth(2), 50 + d / 3);
}

// The patterns dialog: the grid shape for N patterns, the cells painted
// with their patterns and the pick through focus, double click and OK.
#include "common/ui/DlgPatterns.h"

#include "platform/ui/TestHook.h"

#include <QApplication>
#include <fstream>
#include <gtest/gtest.h>

using namespace common;

namespace {

// N patterns; pattern k has first colour k, second colour 0xFFFFFF and rows k.
std::string WritePatterns(int n, const char* name)
{
    std::ofstream out(name, std::ios::binary);
    out << "[PATTERNS]\r\nN=" << n << "\r\n";
    for (int k = 1; k <= n; ++k) {
        out << "any" << k << "=" << std::hex << k << ",FFFFFF";
        for (int r = 0; r < 8; ++r)
            out << "," << std::hex << (r % 2 ? 0xF0 : 0x0F);
        out << std::dec << "\r\n";
    }
    return name;
}

void Register()
{
    platform::Resources::Get().AddDialog(PatternsDialogTemplate(true));
}

} // namespace

TEST(DlgPatterns, ShapeFollowsTheCount)
{
    struct Case {
        int n, rows, cols;
    };
    for (const Case& c : {Case{5, 2, 3}, Case{9, 3, 3}, Case{10, 3, 4}, Case{1, 1, 1}}) {
        CDlgPatterns dlg(WritePatterns(c.n, "shape.pat"), nullptr);
        EXPECT_EQ(dlg.GetCount(), c.n);
        EXPECT_EQ(dlg.GetRows(), c.rows) << c.n;
        EXPECT_EQ(dlg.GetColumns(), c.cols) << c.n;
    }
}

TEST(DlgPatterns, CellsCarryTheirPatternsAndEmptyCellsCannotBeChosen)
{
    Register();
    platform::TestHook::Get().Enable();
    CDlgPatterns dlg(WritePatterns(5, "five.pat"), nullptr);
    dlg.m_nPattern = 4;
    bool checked = false;
    platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
        auto& p = static_cast<CDlgPatterns&>(d);
        CGridCtrl& g = p.GetGrid();
        EXPECT_EQ(g.GetFocusCell(), CCellID(1, 0)); // pattern 4
        EXPECT_EQ(g.GetItemState(0, 1), static_cast<UINT>(GVIS_PATTERN | GVIS_READONLY));
        EXPECT_EQ(g.GetItemBkColour(0, 1), 2u);
        EXPECT_EQ(g.GetItemFgColour(0, 1), 0xFFFFFFu);
        EXPECT_EQ(g.GetItemState(1, 2), static_cast<UINT>(GVIS_READONLY));
        EXPECT_EQ(g.GetItemBkColour(1, 2), CLR_GRID_DEFAULT);
        // The grid fits the window: no scrolling.
        EXPECT_EQ(g.GetScrollMax(SB_VERT), 0);
        EXPECT_EQ(g.GetScrollMax(SB_HORZ), 0);
        // OK on the empty sixth cell keeps the dialog open.
        g.SetFocusCell(CCellID(1, 2));
        p.ClickButton(IDOK);
        EXPECT_FALSE(p.IsEnded());
        g.SetFocusCell(CCellID(0, 2));
        p.ClickButton(IDOK);
        checked = true;
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(dlg.m_nPattern, 3);
}

TEST(DlgPatterns, DoubleClickChoosesAndEndsTheDialog)
{
    Register();
    platform::TestHook::Get().Enable();
    CDlgPatterns dlg(WritePatterns(9, "nine.pat"), nullptr);
    platform::TestHook::Get().PushDialogScript([](CDialog& d) {
        CGridCtrl& g = static_cast<CDlgPatterns&>(d).GetGrid();
        g.SetFocusCell(CCellID(2, 1));
        g.SendMessageToParent(2, 1, GVN_DBLCLICK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nPattern, 8);
}

TEST(DlgPatterns, MissingFileLeavesNoPatternsWithAMessage)
{
    platform::TestHook::Get().Enable();
    platform::TestHook::Get().ClearMessages();
    CDlgPatterns dlg("no-such.pat", nullptr);
    EXPECT_EQ(dlg.GetCount(), 0);
    EXPECT_EQ(dlg.GetPatterns().Get(0).rows[0], 0x87); // pattern 0 still exists
    EXPECT_EQ(platform::TestHook::Get().Messages().size(), 1u);
}

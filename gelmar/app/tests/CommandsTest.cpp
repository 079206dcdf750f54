// The document's display and table commands: Show Temperatures waits for a
// calculated solution, Clip Off for a clip, table commands for their table,
// Show RCL renames itself, and hiding a bar retiles the windows.
#include "AppFixture.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/PendingWindows.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/CellRaster.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

namespace gelmar::test {
namespace {

class CommandsTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    }
    // Opens the menu holding the command and returns its item.
    QAction* Item(UINT id)
    {
        for (QAction* top : Main()->GetWidget()->findChild<QMenuBar*>()->actions())
            if (QMenu* menu = top->menu()) {
                emit menu->aboutToShow();
                for (QAction* a : menu->actions())
                    if (a->data().toUInt() == id)
                        return a;
            }
        return nullptr;
    }
};

TEST_F(CommandsTest, ShowTemperaturesWaitsForACalculatedSolution)
{
    ASSERT_NE(g_graphView, nullptr);
    EXPECT_FALSE(Main()->ExecuteCommand(ID_SHOW_TEMPERATURES));
    EXPECT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
    EXPECT_EQ(g_graphView->m_viewKind, ViewKind::Temperatures);
    EXPECT_TRUE(Item(ID_SHOW_TEMPERATURES)->isChecked());
    // Its dialog: OK takes the values into the model; Set As Default also
    // makes them the parameter file's defaults.
    const ParameterSet defaults = TheEngine().parameters;
    const auto fill = [](const char* min, UINT button) {
        platform::TestHook::Get().PushDialogScript([=](CDialog& d) {
            d.SetDlgItemText(common::IDC_RANGE_MIN, min);
            d.SetDlgItemText(common::IDC_RANGE_MAX, "30");
            d.SetDlgItemText(common::IDC_RANGE_INC1, "2");
            d.SetDlgItemText(common::IDC_RANGE_INC2, "10");
            d.SetDlgItemText(common::IDC_RANGE_SINGLE, "12.5");
            d.ClickButton(button);
        });
    };
    TheEngine().parametersChanged = false;
    fill("-4", IDOK);
    EXPECT_TRUE(Main()->ExecuteCommand(ID_TEMPERATURE_RANGE));
    EXPECT_FLOAT_EQ(TheEngine().model.tmin, -4.0f);
    EXPECT_FLOAT_EQ(TheEngine().model.tmax, 30.0f);
    EXPECT_FLOAT_EQ(TheEngine().model.tsin, 12.5f);
    EXPECT_FLOAT_EQ(TheEngine().parameters.tmin, defaults.tmin);
    EXPECT_FALSE(TheEngine().parametersChanged);
    fill("-6", common::IDC_RANGE_SET_AS_DEFAULT);
    EXPECT_TRUE(Main()->ExecuteCommand(ID_TEMPERATURE_RANGE));
    EXPECT_FLOAT_EQ(TheEngine().model.tmin, -6.0f);
    EXPECT_FLOAT_EQ(TheEngine().parameters.tmin, -6.0f);
    EXPECT_FLOAT_EQ(TheEngine().parameters.tmax, 30.0f);
    EXPECT_FLOAT_EQ(TheEngine().parameters.tin1, 2.0f);
    EXPECT_FLOAT_EQ(TheEngine().parameters.tin2, 10.0f);
    EXPECT_FLOAT_EQ(TheEngine().parameters.tsin, 12.5f);
    EXPECT_TRUE(TheEngine().parametersChanged);
    TheEngine().parameters = defaults;
    TheEngine().parametersChanged = false;
    // An edit makes the solution stale.
    EXPECT_TRUE(Main()->ExecuteCommand(ID_SHOW_MATERIALS));
    Doc()->SetModified(TRUE);
    EXPECT_FALSE(Main()->ExecuteCommand(ID_SHOW_TEMPERATURES));
}

TEST_F(CommandsTest, ClipOffNeedsAClipAndRestoresTheWholeModel)
{
    EXPECT_FALSE(Main()->ExecuteCommand(ID_CLIP_OFF));
    TheEngine().model.clipLo[0] = 2;
    EXPECT_TRUE(Main()->ExecuteCommand(ID_CLIP_OFF));
    EXPECT_EQ(TheEngine().model.clipLo[0], 0);
    EXPECT_EQ(TheEngine().model.clipHi[0], TheEngine().model.axes[0].n);
    EXPECT_TRUE(g_graphView->m_totalView);
}

TEST_F(CommandsTest, TableCommandsAreDisabledWhileTheirTableIsClosed)
{
    // The Coordinates table is not open: Set Origin is disabled.
    EXPECT_FALSE(Item(ID_SET_ORIGIN)->isEnabled());
    EXPECT_FALSE(Main()->ExecuteCommand(ID_SET_ORIGIN));
    // Arrange Blocks goes with the Blocks table, which the file opened.
    CBlockView* blocks = m_app->FindView<CBlockView>();
    ASSERT_NE(blocks, nullptr);
    EXPECT_TRUE(Item(ID_ARRANGE_BLOCKS)->isEnabled());
    blocks->GetParentFrame()->SendMessage(WM_CLOSE);
    EXPECT_FALSE(Item(ID_ARRANGE_BLOCKS)->isEnabled());
}

TEST_F(CommandsTest, ShowRclRenamesItselfAndTurnsBack)
{
    EXPECT_EQ(Item(ID_SHOW_RCL)->text().toStdString(), "&Show RCL");
    Main()->ExecuteCommand(ID_SHOW_RCL);
    EXPECT_EQ(TheEngine().model.rcl, 1);
    EXPECT_EQ(Item(ID_SHOW_RCL)->text().toStdString(), "&Show XYZ");
    Main()->ExecuteCommand(ID_SHOW_RCL);
    EXPECT_EQ(TheEngine().model.rcl, 0);
}

TEST_F(CommandsTest, HidingTheToolbarRetilesTheWindows)
{
    Main()->MoveWindow(0, 0, 1000, 800);
    Main()->ArrangeViewFrames();
    auto* blocks = m_app->FindView<CBlockView>();
    const int before = blocks->GetParentFrame()->GetOuterWidget()->geometry().bottom();
    EXPECT_TRUE(Main()->ExecuteCommand(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(Main()->ToolBarVisible());
    const int client = Main()->GetMdiArea()->viewport()->height();
    const int after = blocks->GetParentFrame()->GetOuterWidget()->geometry().bottom();
    EXPECT_GT(after, before);
    EXPECT_NEAR(after, client - 1, 1);
}

TEST_F(CommandsTest, ConvertVoidProposesAFreeColourAndConvertsEvenOnCancel)
{
    EXPECT_FALSE(Main()->ExecuteCommand(ID_CONVERT_VOID)); // the wall fills its grid
    // The middle block now covers x cells 1..3 only: cell 4 is void.
    TheEngine().model.blocks[1].x2 = 4;
    g_app.voidColour = 1;
    std::string proposed;
    platform::TestHook::Get().PushDialogScript([&](CDialog& d) { proposed = d.GetDlgItemText(1279); });
    EXPECT_TRUE(Main()->ExecuteCommand(ID_CONVERT_VOID));
    // Colours 1 to 3 are in use: the search goes on upward to 4.
    EXPECT_EQ(proposed, "4");
    const CellRaster cells = RasteriseModel(TheEngine().model);
    EXPECT_EQ(cells.At(4, 0, 0), 4);
    EXPECT_EQ(cells.At(1, 0, 0), 1);
    EXPECT_FALSE(Main()->ExecuteCommand(ID_CONVERT_VOID));
    EXPECT_TRUE(Doc()->IsModified());
    ASSERT_NE(CurrentUndoRecord(TheEngine().history), nullptr);
    EXPECT_EQ(CurrentUndoRecord(TheEngine().history)->kind, kUndoBaseline);
}

TEST_F(CommandsTest, UndoAndRedoStepThroughTheEnginesHistory)
{
    EXPECT_FALSE(Main()->ExecuteCommand(ID_EDIT_UNDO));
    const std::string old = TheEngine().model.title;
    platform::TestHook::Get().PushDialogScript([](CDialog& d) {
        d.SetDlgItemText(1018, "New title");
        d.ClickButton(IDOK);
    });
    Main()->ExecuteCommand(ID_TITLE);
    ASSERT_EQ(TheEngine().model.title, "New title");
    EXPECT_FALSE(Item(ID_EDIT_REDO)->isEnabled());
    // Undo and Redo bring the Title dialog back, showing the title they restored.
    const auto expectTitleDialog = [](std::string title) {
        platform::TestHook::Get().PushDialogScript([title](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(1018), title);
            d.ClickButton(IDCANCEL);
        });
    };
    expectTitleDialog(old);
    EXPECT_TRUE(Main()->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_EQ(TheEngine().model.title, old);
    // Back at the baseline of the opened file: not modified.
    EXPECT_FALSE(Doc()->IsModified());
    expectTitleDialog("New title");
    EXPECT_TRUE(Main()->ExecuteCommand(ID_EDIT_REDO));
    EXPECT_EQ(TheEngine().model.title, "New title");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(CommandsTest, ReduceToClipKeepsTheClippedBlocksOnAGridOfTheirOwn)
{
    TheEngine().model.clipHi[0] = 3; // the inside surface and two cells of the wall
    platform::TestHook::Get().PushMessageBoxAnswer(IDYES);
    EXPECT_TRUE(Main()->ExecuteCommand(ID_REDUCE_TO_CLIP));
    EXPECT_EQ(TheEngine().model.axes[0].n, 2);
    EXPECT_FLOAT_EQ(TheEngine().model.axes[0].widths[1], 0.1f);
    const CellRaster cells = RasteriseModel(TheEngine().model);
    EXPECT_EQ(cells.At(0, 0, 0), 2);
    EXPECT_EQ(cells.At(1, 0, 0), 1);
    EXPECT_EQ(TheEngine().model.clipHi[0], 2);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(CurrentUndoRecord(TheEngine().history)->kind, kUndoBaseline);
}

TEST_F(CommandsTest, DragModeIsKeptAsASetting)
{
    platform::TestHook::Get().PushDialogScript([](CDialog& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(1146));
        d.CheckRadioButton(1146, 1147, 1147);
        d.ClickButton(IDOK);
    });
    EXPECT_TRUE(Main()->ExecuteCommand(ID_DRAG_MODE));
    EXPECT_EQ(TheEngine().parameters.drag, 1);
    EXPECT_TRUE(TheEngine().parametersChanged);
}

} // namespace
} // namespace gelmar::test

// The tables at work on the example wall: one undo record of each table's
// kind per edit, with Undo and Redo returning the file and the table's cell;
// the 3D view repainted in a new colour; the grid commands keeping every
// block where it was in metres; the edge cases of the Blocks, Colours, Grid,
// Minimum Grid, Coordinates and Clip tables; entries the data file could not
// hold back; and edits surviving Save and Open.
#include "AppFixture.h"
#include "TableSupport.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/editing/BlockEdits.h"
#include "gelmar/model/editing/ColourEdits.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QImage>
#include <QWidget>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace gelmar::test {
namespace {

class TablesTest : public AppFixture {
  public:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
        Activate(Main());
    }
    void Script(std::function<void(CDialog&)> f) { platform::TestHook::Get().PushDialogScript(std::move(f)); }
    // The table of a class, opened (or activated) by its window command.
    template <class T> T& Open(UINT command)
    {
        Main()->ExecuteCommand(command);
        T* v = m_app->FindView<T>();
        EXPECT_NE(v, nullptr);
        return *v;
    }
    std::string Title() const { return Main()->GetWindowText(); }
    int UndoKind() const
    {
        return CurrentUndoRecord(TheEngine().history) ? CurrentUndoRecord(TheEngine().history)->kind : -2;
    }
};

// Every block bound in metres: what the grid commands must keep.
std::vector<double> BlockPositions()
{
    std::vector<double> out;
    for (std::size_t b = 0; b < TheEngine().model.blocks.count; ++b) {
        const BlockRecord& r = TheEngine().model.blocks[b];
        const std::uint16_t lines[6] = {r.x1, r.x2, r.y1, r.y2, r.z1, r.z2};
        for (int k = 0; k < 6; ++k)
            out.push_back(
                (LineCoordinate(TheEngine().model, k / 2, lines[k]) - TheEngine().model.origin[k / 2]) *
                double(TheEngine().model.gridUnit));
    }
    return out;
}

TEST_F(TablesTest, EveryTableEditIsOneUndoRecordThatUndoAndRedoBringBack)
{
    struct Case {
        const char* table;
        std::function<common::CTableView&(TablesTest&)> open;
        int row, col;
        const char* text;
        int kind;
        bool modifies; // the document's flag (the clip is display only)
    };
    const Case cases[] = {
        {"Blocks", [](TablesTest& t) -> common::CTableView& { return t.Open<CBlockView>(ID_BLOCKS); }, 2, 4, "4",
         kUndoBlocks, true},
        {"Colours", [](TablesTest& t) -> common::CTableView& { return t.Open<CColorView>(ID_COLOURS); }, 1, 6,
         "0.6", kUndoColours, true},
        {"Grid", [](TablesTest& t) -> common::CTableView& { return t.Open<CGridView>(ID_GRID); }, 2, 1, "0.07",
         kUndoGrid, true},
        {"Minimum Grid", [](TablesTest& t) -> common::CTableView& { return t.Open<CMinGridView>(ID_MIN_GRID); },
         2, 0, "0.4", kUndoMinimumGrid, true},
        {"Clip Object", [](TablesTest& t) -> common::CTableView& { return t.Open<CClipView>(ID_CLIP_OBJECT); }, 1,
         1, "2", kUndoClip, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        // A saved model: a baseline, nothing to undo, not modified.
        ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE));
        EXPECT_EQ(Title(), "GELMAR - wall.glm");
        common::CTableView& view = c.open(*this);
        const std::string before = FormatDataFile(TheEngine().model);
        const int clipBefore = TheEngine().model.clipLo[0];
        TypeInto(view, c.row, c.col, c.text);
        EXPECT_EQ(UndoRecordCount(TheEngine().history), 2u);
        EXPECT_EQ(UndoKind(), c.kind);
        const std::string after = FormatDataFile(TheEngine().model);
        EXPECT_EQ(after != before, c.modifies); // the clip is no part of the file
        if (!c.modifies) {
            EXPECT_EQ(TheEngine().model.clipLo[0], 2);
        }
        EXPECT_EQ(Title(), c.modifies ? "GELMAR - wall.glm *" : "GELMAR - wall.glm");

        view.SetGridFocus(1, view.GetGrid()->GetFixedColumnCount());
        ASSERT_TRUE(Main()->ExecuteCommand(ID_EDIT_UNDO));
        EXPECT_EQ(FormatDataFile(TheEngine().model), before);
        EXPECT_EQ(TheEngine().model.clipLo[0], clipBefore);
        EXPECT_EQ(Title(), "GELMAR - wall.glm");
        // The table of the edit, at its cell.
        common::CTableView& shown = c.open(*this);
        EXPECT_EQ(shown.FocusRow(), c.row);
        EXPECT_EQ(shown.FocusColumn(), c.col);
        ASSERT_TRUE(Main()->ExecuteCommand(ID_EDIT_REDO));
        EXPECT_EQ(FormatDataFile(TheEngine().model), after);
        EXPECT_EQ(Title(), "GELMAR - wall.glm *");
    }
}

TEST_F(TablesTest, EscEndsAnEditWithoutStoringAnything)
{
    CBlockView& blocks = Open<CBlockView>(ID_BLOCKS);
    TypeInto(blocks, 2, 4, "4"); // a stored edit leaves the grid's flag behind it
    const std::string file = FormatDataFile(TheEngine().model);
    const std::size_t records = UndoRecordCount(TheEngine().history);
    TypeInto(blocks, 2, 3, "3", Qt::Key_Escape);
    EXPECT_EQ(FormatDataFile(TheEngine().model), file);
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records);
    EXPECT_EQ(Text(blocks, 2, 3), "1");
}

TEST_F(TablesTest, EditorsStartFromTheStoredValueThatReadsBackExactly)
{
    CColorView& colours = Open<CColorView>(ID_COLOURS);
    TheEngine().model.colours[1].lambda = 0.123456789f;
    colours.FillTable();
    EXPECT_EQ(Text(colours, 1, 6), "0.123");
    struct Case {
        int row, col;
        const char* editor;
    };
    for (const Case& c : {Case{1, 6, "0.12345679"}, Case{2, 11, "7.7"}, Case{1, 8, "1800"}}) {
        colours.SetGridFocus(c.row, c.col);
        colours.GetGrid()->OnEditCell(c.row, c.col, 1);
        common::CGridInPlaceEdit* editor = OpenEditor(colours);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->GetWindowText(), c.editor);
        QTest::keyClick(editor->GetWidget(), Qt::Key_Escape);
        QApplication::processEvents();
    }
    EXPECT_EQ(TheEngine().model.colours[1].lambda, 0.123456789f);
    CGridView& grid = Open<CGridView>(ID_GRID);
    grid.GetGrid()->OnEditCell(1, 1, 1);
    ASSERT_NE(OpenEditor(grid), nullptr);
    EXPECT_EQ(OpenEditor(grid)->GetWindowText(), "0.05");
    QTest::keyClick(OpenEditor(grid)->GetWidget(), Qt::Key_Escape);
}

constexpr const char* kPositiveRange = "Please enter a number between 1e-09 and 1e+09.";
constexpr const char* kNotANumber = "Please enter a number.";

TEST_F(TablesTest, EntriesTheDataFileCouldNotHoldKeepTheStoredValue)
{
    const std::string file = FormatDataFile(TheEngine().model);
    struct Case {
        const char* table;
        UINT open;
        int row, col;
        const char* text;
        const char* message; // or null
    };
    const Case cases[] = {
        {"Grid", ID_GRID, 2, 1, "0", kPositiveRange},
        {"Grid", ID_GRID, 2, 1, "1e39", kPositiveRange},
        {"Grid", ID_GRID, 2, 1, ".", kNotANumber},
        {"Blocks", ID_BLOCKS, 2, 4, "70000", nullptr},
        {"Blocks", ID_BLOCKS, 2, 2, "256", nullptr},
        {"Colours", ID_COLOURS, 1, 6, "1e39", kPositiveRange},
        {"Colours", ID_COLOURS, 1, 4, "wall λ", kNameDoesNotFit},
        {"Minimum Grid", ID_MIN_GRID, 1, 0, "0", "The width must be greater than 0."},
        {"Clip Object", ID_CLIP_OBJECT, 1, 1, "99", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + c.text);
        platform::TestHook::Get().ClearMessages();
        Main()->ExecuteCommand(c.open);
        CMDIChildWnd* child = Main()->MDIGetActive();
        ASSERT_NE(child, nullptr);
        auto* view = dynamic_cast<common::CTableView*>(child->GetActiveView());
        ASSERT_NE(view, nullptr);
        const std::string shown = Text(*view, c.row, c.col);
        TypeInto(*view, c.row, c.col, c.text);
        // A refused entry leaves its editor open: Esc gives it up.
        if (common::CGridInPlaceEdit* editor = OpenEditor(*view)) {
            QTest::keyClick(editor->GetWidget(), Qt::Key_Escape);
            QApplication::processEvents();
        }
        EXPECT_EQ(FormatDataFile(TheEngine().model), file);
        EXPECT_EQ(TheEngine().model.clipLo[0], 0);
        EXPECT_EQ(Text(*view, c.row, c.col), shown);
        EXPECT_EQ(Messages(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

// What a user types into a number cell: a refused entry says why, keeps the
// stored value and leaves the editor open with the text typed; an entry
// taken is shown whole in the cell's format.
TEST_F(TablesTest, NumberEntriesAreTakenOrRefusedWithTheReason)
{
    struct Case {
        UINT open;
        int row, col;
        const char* text;
        const char* shown;   // the cell afterwards
        const char* message; // or null: taken
    };
    const Case cases[] = {
        {ID_GRID, 2, 1, "-5", "0.050", kPositiveRange},
        {ID_GRID, 2, 1, "1e40", "0.050", kPositiveRange},
        {ID_GRID, 2, 1, "1e", "0.050", kNotANumber},
        {ID_COLOURS, 1, 6, "abc", "0.500", kNotANumber},
        {ID_COLOURS, 1, 6, "5abc", "0.500", kNotANumber},
        {ID_GRID, 2, 1, "1e30", "0.050", kPositiveRange},
        {ID_GRID, 2, 1, "250000", "250000.000", nullptr},
        {ID_COLOURS, 1, 6, "-5", "0.500", kPositiveRange},
        {ID_COLOURS, 1, 6, "0", "0.500", kPositiveRange},
        {ID_COLOURS, 1, 6, "1.5", "1.500", nullptr},
        {ID_COLOURS, 1, 8, "-1", nullptr, kPositiveRange},
        {ID_COLOURS, 1, 9, "0", nullptr, kPositiveRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in column " + std::to_string(c.col));
        platform::TestHook::Get().ClearMessages();
        Main()->ExecuteCommand(c.open);
        auto* view = dynamic_cast<common::CTableView*>(Main()->MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
        const std::string file = FormatDataFile(TheEngine().model);
        const std::string before = Text(*view, c.row, c.col);
        TypeInto(*view, c.row, c.col, c.text);
        common::CGridInPlaceEdit* editor = OpenEditor(*view);
        if (c.message) {
            EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->GetWindowText(), c.text);
            EXPECT_EQ(FormatDataFile(TheEngine().model), file);
            QTest::keyClick(editor->GetWidget(), Qt::Key_Escape);
            QApplication::processEvents();
            EXPECT_EQ(Text(*view, c.row, c.col), before);
        } else {
            EXPECT_TRUE(Messages().empty());
            EXPECT_EQ(editor, nullptr);
            EXPECT_EQ(Text(*view, c.row, c.col), c.shown);
            // The whole text fits its column.
            common::CGridCtrl* grid = view->GetGrid();
            EXPECT_LE(grid->GetTextExtent(c.shown, FALSE).cx, grid->GetColumnWidth(c.col));
        }
        if (c.shown && c.message)
            EXPECT_EQ(Text(*view, c.row, c.col), c.shown);
    }
}

TEST_F(TablesTest, GridCommandsKeepEveryBlockWhereItWasInMetres)
{
    CGridView& grid = Open<CGridView>(ID_GRID);
    struct Case {
        const char* command;
        std::function<void()> run;
        int intervals; // of x afterwards
    };
    const Case cases[] = {
        {"Split",
         [&] {
             grid.SetGridFocus(3, 1);
             Script([](CDialog& d) {
                 d.SetDlgItemText(1001, "3");
                 d.CheckRadioButton(1131, 1177, 1131);
                 d.SetDlgItemText(1125, "2");
                 d.ClickButton(IDOK);
             });
             Main()->ExecuteCommand(ID_GRID_SPLIT);
         },
         8},
        {"Merge",
         [&] {
             grid.SetGridFocus(3, 1);
             Main()->ExecuteCommand(ID_SWITCH_SELECT_DOWN); // 3 .. the end
             Main()->ExecuteCommand(ID_GRID_MERGE);
         },
         -1},
        {"Auto Split",
         [&] {
             Script([](CDialog& d) {
                 d.CheckDlgButton(1143, 1);
                 d.SetDlgItemText(1256, "0.3");
                 d.SetDlgItemText(1257, "0.02");
                 d.ClickButton(IDOK);
             });
             Main()->ExecuteCommand(ID_GRID_AUTO_SPLIT);
             EXPECT_GT(TheEngine().model.axes[0].n, 10); // the wall made finer
         },
         -1},
        {"Create Minimum Grid",
         [&] {
             Script([](CDialog& d) { d.ClickButton(IDOK); });
             Main()->ExecuteCommand(ID_MIN_GRID_CREATE);
         },
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const std::vector<double> before = BlockPositions();
        const std::size_t records = UndoRecordCount(TheEngine().history);
        c.run();
        const std::vector<double> after = BlockPositions();
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i)
            EXPECT_NEAR(after[i], before[i], 1e-6) << i;
        if (c.intervals >= 0) {
            EXPECT_EQ(TheEngine().model.axes[0].n, c.intervals);
        }
        EXPECT_EQ(UndoRecordCount(TheEngine().history), records + 1);
        EXPECT_EQ(UndoKind(), kUndoGrid);
        // The table shows the new grid, its length unchanged.
        EXPECT_EQ(Text(grid, grid.GetGrid()->GetRowCount() - 1, 1), "0.300");
    }
}

TEST_F(TablesTest, InsertAfterMovesTheBlocksThatStartPastTheNewInterval)
{
    CGridView& grid = Open<CGridView>(ID_GRID);
    grid.SetGridFocus(3, 1); // interval 3: the wall spans lines 1..5
    ASSERT_TRUE(Main()->ExecuteCommand(ID_INSERT_AFTER));
    EXPECT_EQ(TheEngine().model.blocks[1].x1, 1);
    EXPECT_EQ(TheEngine().model.blocks[1].x2, 6);
    EXPECT_EQ(TheEngine().model.blocks[2].x1, 6);
    EXPECT_EQ(grid.FocusRow(), 4);
    EXPECT_EQ(Text(grid, 4, 1), "1.000");
    // Select All (3x) with everything selected is disabled and ticked.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_GRID_SELECT_ALL));
    EXPECT_FALSE(Main()->ExecuteCommand(ID_GRID_SELECT_ALL));
    EXPECT_EQ(grid.GetGrid()->GetItemBkColour(2, 1), RGB(0x91, 0xE1, 0xE1));
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DESELECT_ALL));
    EXPECT_FALSE(Main()->ExecuteCommand(ID_DESELECT_ALL));
}

TEST_F(TablesTest, MinimumGridWidthsScaleTheIntervalsInside)
{
    CMinGridView& minGrid = Open<CMinGridView>(ID_MIN_GRID);
    EXPECT_EQ(m_app->FindView<CGridView>(), nullptr); // the Grid table closed
    // Lines 0, 1, 5 and 6 carry blocks: three minimum intervals on x.
    EXPECT_EQ(minGrid.MinimumGrid(0).widths.size(), 3u);
    EXPECT_EQ(Text(minGrid, 2, 0), "0.200");
    EXPECT_EQ(Text(minGrid, 4, 0), "0.300"); // the axis length
    TypeInto(minGrid, 2, 0, "0.4");
    for (int i = 1; i < 5; ++i)
        EXPECT_FLOAT_EQ(TheEngine().model.axes[0].widths[static_cast<std::size_t>(i)], 0.1f) << i;
    EXPECT_FLOAT_EQ(TheEngine().model.axes[0].widths[0], 0.05f);
    EXPECT_EQ(Text(minGrid, 4, 0), "0.500");
    GridSpan span;
    minGrid.SetGridFocus(2, 0);
    minGrid.GetSelectedSpan(span);
    EXPECT_EQ(span.lo[0], 1);
    EXPECT_EQ(span.hi[0], 5);
    EXPECT_EQ(span.axis, 1);
    // A block moved while the table is open: the next edit sees the new grid.
    TheEngine().model.blocks[1].x2 = 3;
    minGrid.FillTable();
    EXPECT_EQ(minGrid.MinimumGrid(0).widths.size(), 4u);
}

TEST_F(TablesTest, SetOriginMovesTheCoordinatesWithoutAnEdit)
{
    CCoordView& coords = Open<CCoordView>(ID_COORDINATES);
    const std::size_t records = UndoRecordCount(TheEngine().history);
    coords.SetGridFocus(7, 1); // the last line of x
    ASSERT_TRUE(Main()->ExecuteCommand(ID_SET_ORIGIN));
    EXPECT_FLOAT_EQ(TheEngine().model.origin[0], 0.3f);
    EXPECT_EQ(Text(coords, 1, 1), "-0.300");
    EXPECT_EQ(Text(coords, 7, 1), "0.000");
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records);
    EXPECT_EQ(Title(), "GELMAR - wall.glm");
    coords.SetGridFocus(1, 1);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_SET_ORIGIN));
    EXPECT_FLOAT_EQ(TheEngine().model.origin[0], 0.0f);
    // Past the lines of y there is no line to take.
    coords.SetGridFocus(5, 2);
    EXPECT_FALSE(Main()->ExecuteCommand(ID_SET_ORIGIN));
    GridSpan span;
    coords.SetGridFocus(3, 1);
    coords.GetSelectedSpan(span);
    EXPECT_EQ(span.lo[0], 0);
    EXPECT_EQ(span.hi[0], 2);
}

TEST_F(TablesTest, ClipTablesChangeTheViewButNotTheModel)
{
    CClipView& clip = Open<CClipView>(ID_CLIP_OBJECT);
    EXPECT_EQ(Text(clip, 3, 1), "6");
    Main()->ExecuteCommand(ID_SHOW_RCL);
    EXPECT_EQ(Text(clip, 1, 1), "1"); // node numbers
    TypeInto(clip, 1, 1, "7");
    EXPECT_EQ(TheEngine().model.clipLo[0], 3);
    EXPECT_EQ(UndoKind(), kUndoClip);
    EXPECT_EQ(Title(), "GELMAR - wall.glm");
    Main()->ExecuteCommand(ID_SHOW_RCL);

    CClipColorView& colours = Open<CClipColorView>(ID_CLIP_COLOURS);
    ASSERT_EQ(colours.GetGrid()->GetRowCount(), 4);
    EXPECT_EQ(Text(colours, 2, 5), "YES");
    const std::size_t records = UndoRecordCount(TheEngine().history);
    Click(colours, 2, 5);
    EXPECT_EQ(TheEngine().model.colours[2].clipShow, 0);
    EXPECT_EQ(Text(colours, 2, 5), "NO");
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records);
    EXPECT_EQ(Title(), "GELMAR - wall.glm");
    colours.GoToCell(3, 5);
    EXPECT_EQ(colours.FocusRow(), 3);
}

TEST_F(TablesTest, DeleteAsksAboutTheFocusedBlockAndNeverTheLast)
{
    CBlockView& blocks = Open<CBlockView>(ID_BLOCKS);
    blocks.SetGridFocus(2, 2);
    platform::TestHook::Get().PushMessageBoxAnswer(IDNO);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DELETE));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Delete selected block(s) ?"});
    EXPECT_EQ(TheEngine().model.blocks.count, 3);
    EXPECT_TRUE(IsBlockSelected(TheEngine().model.blocks[1]));
    EXPECT_EQ(blocks.GetGrid()->GetItemBkColour(2, 3), RGB(145, 225, 225));
    // Everything selected: Delete is disabled.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(Main()->ExecuteCommand(ID_DELETE));
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DESELECT_ALL));
    blocks.SetGridFocus(3, 2);
    platform::TestHook::Get().PushMessageBoxAnswer(IDYES);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DELETE));
    EXPECT_EQ(TheEngine().model.blocks.count, 2);
    EXPECT_FALSE(TheEngine().model.colours[3].inUse);
    EXPECT_EQ(blocks.GetGrid()->GetRowCount(), 3);
    EXPECT_EQ(UndoKind(), kUndoBlocks);
}

TEST_F(TablesTest, BlockCommandsCopyMoveRecolourAndListOneColour)
{
    CBlockView& blocks = Open<CBlockView>(ID_BLOCKS);
    blocks.SetGridFocus(1, 2);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_BLOCKS_COPY)); // block 1 after itself
    EXPECT_EQ(TheEngine().model.blocks.count, 4);
    EXPECT_EQ(TheEngine().model.blocks[1].colour, 2);
    EXPECT_TRUE(IsBlockSelected(TheEngine().model.blocks[1]));
    blocks.SetGridFocus(4, 2);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_BLOCKS_MOVE_SELECTION));
    EXPECT_EQ(TheEngine().model.blocks[3].colour, 2);
    EXPECT_EQ(blocks.GetGrid()->GetRowCount(), 5);

    Script([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1281), "All blocks with colour number 2 get colour number");
        d.SetDlgItemText(1280, "4");
        d.ClickButton(IDOK);
    });
    blocks.SetGridFocus(1, 2);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_NEW_COLOUR));
    EXPECT_EQ(TheEngine().model.blocks[0].colour, 4);
    EXPECT_EQ(TheEngine().model.blocks[3].colour, 4);
    EXPECT_TRUE(TheEngine().model.colours[4].inUse);
    EXPECT_FALSE(TheEngine().model.colours[2].inUse);

    ASSERT_TRUE(Main()->ExecuteCommand(ID_BLOCKS_LIST_SAME_COLOUR));
    EXPECT_EQ(blocks.ListMode(), 1);
    EXPECT_EQ(blocks.GetGrid()->GetRowCount(), 3);
    EXPECT_EQ(blocks.BlockFromRow(2), 3);
    EXPECT_EQ(Text(blocks, 2, 0), "4");
    EXPECT_TRUE(blocks.GetGrid()->GetItemState(1, 2) & common::GVIS_READONLY);
    EXPECT_FALSE(Main()->ExecuteCommand(ID_INSERT_BEFORE));
    ASSERT_TRUE(Main()->ExecuteCommand(ID_BLOCKS_LIST_ALL));
    EXPECT_EQ(blocks.GetGrid()->GetRowCount(), 5);
}

TEST_F(TablesTest, TransformAndInsertFileKeepTheModelReadable)
{
    CBlockView& blocks = Open<CBlockView>(ID_BLOCKS);
    blocks.SetGridFocus(3, 2); // the outside air
    const std::vector<double> before = BlockPositions();
    Script([](CDialog& d) {
        d.CheckRadioButton(1060, 1062, 1060);
        d.SetDlgItemText(1051, "0.1");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_TRANSFORM_COORDINATES));
    const std::vector<double> after = BlockPositions();
    EXPECT_NEAR(after[12], before[12] + 0.1, 1e-6);
    EXPECT_NEAR(after[0], before[0], 1e-6);
    EXPECT_EQ(UndoKind(), kUndoBlocks);

    // Scaling by 0 would leave a block without thickness: refused.
    const std::string file = FormatDataFile(TheEngine().model);
    Script([](CDialog& d) {
        d.CheckRadioButton(1060, 1062, 1062);
        d.SetDlgItemText(1063, "0");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_TRANSFORM_COORDINATES));
    EXPECT_EQ(FormatDataFile(TheEngine().model), file);
    EXPECT_EQ(Messages().back(), kBlockWithoutThickness);

    // Another file's blocks follow the focused block, at the origin.
    const std::string part = ScratchFolder() + "/work/part.glm";
    WriteFile(part, "nxwi=1\r\nxwid=0.05\r\nnywi=1\r\nywid=1\r\nnzwi=1\r\nzwid=1\r\ncolr=7\r\n"
                    "crgb=9 9 9\r\nnblk=1\r\nblok=0 7 0 1 0 1 0 1\r\n");
    blocks.SetGridFocus(1, 2);
    platform::TestHook::Get().PushFileDialogAnswer({part});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_INSERT_FILE));
    ASSERT_EQ(TheEngine().model.blocks.count, 4);
    EXPECT_EQ(TheEngine().model.blocks[1].colour, 7);
    EXPECT_TRUE(IsBlockSelected(TheEngine().model.blocks[1]));
    EXPECT_TRUE(TheEngine().model.colours[7].inUse);
    EXPECT_EQ(TheEngine().model.dataFilePath, ScratchFolder() + "/work/wall.glm");
    // Saved and read back: the same model.
    const std::string now = FormatDataFile(TheEngine().model);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE));
    platform::TestHook::Get().PushFileDialogAnswer({TheEngine().model.dataFilePath});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(FormatDataFile(TheEngine().model), now);
}

TEST_F(TablesTest, ColourClicksAndCommands)
{
    CColorView& colours = Open<CColorView>(ID_COLOURS);
    EXPECT_EQ(Text(colours, 0, 6), "λ\n[W/mK]");
    EXPECT_EQ(Text(colours, 0, 22), "τs\n[-]");
    // The type column steps; a rule of BC_SIMPL steps through its four.
    Click(colours, 2, 3);
    EXPECT_EQ(Text(colours, 2, 3), "HI_NORML");
    EXPECT_EQ(TheEngine().model.colours[2].hGlobal, 7.7f); // HI_NORML
    EXPECT_TRUE(colours.GetGrid()->GetItemState(2, 11) & common::GVIS_READONLY);
    Click(colours, 2, 3);
    EXPECT_EQ(TheEngine().model.colours[2].hGlobal, 5.0f);
    EXPECT_EQ(UndoKind(), kUndoColours);

    // A pattern number the pattern list does not hold draws pattern 1.
    TheEngine().model.colours[1].pattern = 99999;
    colours.FillTable();
    const common::CPattern& first = Main()->m_dlgPatterns.GetPatterns().Get(1);
    EXPECT_EQ(colours.GetGrid()->GetItemBkColour(1, 5), first.firstColour);

    // Copy Row and Paste Row.
    colours.SetGridFocus(1, 2);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_COPY_ROW));
    EXPECT_FALSE(Main()->ExecuteCommand(ID_PASTE_ROW)); // onto itself
    colours.SetGridFocus(3, 2);
    platform::TestHook::Get().PushMessageBoxAnswer(IDYES);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_PASTE_ROW));
    EXPECT_EQ(Messages().back(), "Overwrite properties of colour 3\nby properties of colour 1 ?");
    EXPECT_EQ(TheEngine().model.colours[3].type, MATERIAL);
    EXPECT_EQ(TheEngine().model.colours[3].lambda, 0.5f);
    EXPECT_EQ(TheEngine().model.colours[3].name, "Wall");

    // Load Material: the first material of the first database.
    Script([](CDialog& d) {
        auto* list = static_cast<CListBox*>(d.GetDlgItem(common::IDC_MATERIAL_LIST));
        auto& m = static_cast<common::CDlgMaterialDatabase&>(d);
        for (int level = 0; level < 3; ++level) {
            list->SetCurSel(0);
            m.OnSelchangeMaterial();
            m.ClickButton(IDOK);
        }
    });
    colours.SetGridFocus(3, 2);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_LOAD_MATERIAL));
    EXPECT_EQ(TheEngine().model.colours[3].name, "Concrete, medium density 1800 kg/m3");
    EXPECT_FLOAT_EQ(TheEngine().model.colours[3].lambda, 1.15f);
    EXPECT_EQ(TheEngine().model.colours[3].pattern, 2);
    EXPECT_EQ(Text(colours, 3, 6), "1.150");

    // A cavity: EQUIMAT with a rule, its two emissivities kept in its name.
    EXPECT_FALSE(Main()->ExecuteCommand(ID_CAVITY_EMISSIVITIES));
    TheEngine().model.colours[3].type = EQUIMAT;
    TheEngine().model.colours[3].rule = 1;
    Script([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1259), "0.9");
        d.SetDlgItemText(1259, "0.1");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_CAVITY_EMISSIVITIES));
    EXPECT_EQ(TheEngine().model.colours[3].name, "e1=0.10  e2=0.90");
    EXPECT_EQ(Text(colours, 3, 4), "e1=0.10  e2=0.90");
}

TEST_F(TablesTest, SplitZonesGivesBothHalvesOfTheWallColoursOfTheirOwn)
{
    CBlockView& blocks = Open<CBlockView>(ID_BLOCKS);
    blocks.SetGridFocus(3, 2);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_INSERT_AFTER));
    TypeInto(blocks, 4, 2, "3");
    TypeInto(blocks, 4, 4, "3");
    TypeInto(blocks, 4, 3, "2"); // a cell of outside air across the wall
    CColorView& colours = Open<CColorView>(ID_COLOURS);
    colours.SetGridFocus(1, 2);
    Script([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1282), "4");
        d.SetDlgItemText(1282, "10");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_SPLIT_ZONES));
    EXPECT_FALSE(TheEngine().model.colours[1].inUse);
    EXPECT_TRUE(TheEngine().model.colours[10].inUse);
    EXPECT_TRUE(TheEngine().model.colours[11].inUse);
    EXPECT_EQ(TheEngine().model.colours[11].name, "Wall");
    EXPECT_EQ(colours.ColourFromRow(colours.FocusRow()), 10);
    EXPECT_EQ(UndoKind(), kUndoColours);
    // The Blocks table shows the new blocks.
    EXPECT_EQ(blocks.GetGrid()->GetRowCount(), static_cast<int>(TheEngine().model.blocks.count) + 1);
}

TEST_F(TablesTest, ShowRclTurnsTheThirdAxisAndBackToTheSameFocus)
{
    CGridView& grid = Open<CGridView>(ID_GRID);
    CBlockView& blocks = Open<CBlockView>(ID_BLOCKS);
    EXPECT_EQ(Text(blocks, 0, 7), "Zmin");
    grid.SetGridFocus(1, 3);
    Main()->ExecuteCommand(ID_SHOW_RCL);
    EXPECT_EQ(Text(blocks, 0, 7), "Lmin");
    EXPECT_EQ(Text(blocks, 1, 3), "1"); // x1 = 0 as a node number
    EXPECT_EQ(Text(grid, 1, 0), "1-3");
    EXPECT_EQ(Text(grid, 0, 3), "          L\n[m]");
    Main()->ExecuteCommand(ID_SHOW_RCL);
    EXPECT_EQ(grid.FocusRow(), 1);
    EXPECT_EQ(grid.FocusColumn(), 3);
    EXPECT_EQ(Text(grid, 0, 3), "          Z\n[m]");
}

TEST_F(TablesTest, ColoursListModesAndTheBlocksTableFollowEachOther)
{
    CColorView& colours = Open<CColorView>(ID_COLOURS);
    CBlockView& blocks = Open<CBlockView>(ID_BLOCKS);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_COLOURS_LIST_ALL));
    EXPECT_EQ(colours.GetGrid()->GetRowCount(), 257);
    EXPECT_FALSE(Main()->ExecuteCommand(ID_COLOURS_LIST_ALL));
    EXPECT_TRUE(colours.GetGrid()->GetItemState(5, 4) & common::GVIS_READONLY); // colour 4 not in use
    ASSERT_TRUE(Main()->ExecuteCommand(ID_COLOURS_LIST_DEFINED));
    EXPECT_EQ(colours.GetGrid()->GetRowCount(), 4);
    // A colour focused in the Colours table: the Blocks table goes to its first block.
    colours.SetGridFocus(3, 2); // colour 3
    EXPECT_EQ(blocks.FocusBlock(), 2);
    // And a block focused in the Blocks table shows its colour.
    g_graphView->m_overlayKind = kLinkBlocks;
    blocks.SetGridFocus(2, 2);
    EXPECT_EQ(colours.ColourFromRow(colours.FocusRow()), 1);
}

} // namespace
} // namespace gelmar::test

// The tables of the model's lists at work on the example wall: a function,
// an output node, an output block and report items made in the tables give
// the file and the report gelmar-calc gives of the same lists written by
// hand; every table's edit is one undo record of its kind that Undo and
// Redo bring back; the function graph comes and goes with the Functions
// table; bad entries, refusals and the faults the engine reports of lists
// edited into a broken state.
#include "AppFixture.h"
#include "CalcDriver.h"
#include "TableSupport.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/OutputEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ViewState.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

namespace gelmar::test {
namespace {

// Lets posted messages and deferred deletions run (a closing window goes
// only then).
void Settle()
{
    for (int k = 0; k < 3; ++k) {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class ConditionTablesTest : public AppFixture {
  public:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
        Activate(Main());
    }
    template <class T> T& Open(UINT command)
    {
        Main()->ExecuteCommand(command);
        T* v = m_app->FindView<T>();
        EXPECT_NE(v, nullptr);
        return *v;
    }
    void Insert(common::CTableView& view, int row)
    {
        view.SetGridFocus(row, view.GetGrid()->GetFixedColumnCount());
        ASSERT_TRUE(Main()->ExecuteCommand(ID_INSERT_AFTER));
    }
    // Calc System runs an hour of transient steps.
    void RunForAnHour()
    {
        platform::TestHook::Get().PushDialogScript([](CDialog& d) {
            d.SetDlgItemText(IDC_CALC_DURATION, "0000:01:00:00");
            d.ClickButton(IDOK);
        });
        ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_PARAMETERS));
        ASSERT_GT(TheEngine().model.calcDuration, 0);
    }
    std::string Title() const { return Main()->GetWindowText(); }
    int UndoKind() const
    {
        return CurrentUndoRecord(TheEngine().history) ? CurrentUndoRecord(TheEngine().history)->kind : -2;
    }
};

// The example's text with the outside temperature given by T01 and the
// lists appended, as a user would write them.
std::string HandWrittenWall()
{
    std::istringstream in(ReadFile((fs::path(SUITE_EXAMPLES_DIR) / "wall.glm").string()));
    std::string out, line;
    bool outside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out += line + "\n";
        if (line.rfind("colr=", 0) == 0)
            outside = line == "colr=3";
        if (outside && line == "temp=0")
            out += "tmpf=T01\n";
    }
    out += "funt=1 1\nfunr=T01\nfunp=0 0 0 0 0 0\n"
           "nond=1\nonod=0 1 0 0\n"
           "nobl=1\noblk=0 1 6 0 1 0 2\n"
           "nrpt=4\n"
           "rept=0 0 1 0 8 2\n"
           "rept=1 3 1 0 12 7\n"
           "rept=2 4 1 0 8 2\n"
           "rept=3 1 2 3 8 2\n";
    return out;
}

TEST_F(ConditionTablesTest, ListsMadeInTheTablesReportAsTheSameListsWrittenByHand)
{
    // gelmar-calc on the hand-written file: its saved form and its results.
    const fs::path driver = fs::path(ScratchFolder()) / "driver";
    fs::create_directories(driver);
    WriteFile((driver / "wall.glm").string(), HandWrittenWall());
    ASSERT_TRUE(RunDriver(driver, "--no-calc --save written.glm wall.glm"));
    const std::string expected = ReadFile((driver / "written.glm").string());
    fs::remove(driver / "written.glm");
    ASSERT_TRUE(RunDriver(driver, "wall.glm"));
    fs::remove(driver / "wall.glm");

    // The function T01, CONST 0; the graph opens beside the table.
    CFuncView& functions = Open<CFuncView>(ID_FUNCTIONS);
    Insert(functions, 1);
    ASSERT_EQ(TheEngine().model.functions.count, 1u);
    EXPECT_EQ(Text(functions, 1, 1), "T01");
    Click(functions, 1, 2);
    EXPECT_EQ(Text(functions, 1, 2), "CONST");
    TypeInto(functions, 1, 4, "0");
    Settle();
    EXPECT_NE(g_funcGraphView, nullptr);

    // The outside air follows it: typed in lower case in the Colours table.
    CColorView& colours = Open<CColorView>(ID_COLOURS);
    Settle();
    EXPECT_EQ(g_funcGraphView, nullptr); // another table took the focus
    TypeInto(colours, 3, 10, "t01");
    EXPECT_EQ(Text(colours, 3, 10), "T01");

    // The output node at the inside surface (grid line 1).
    COutNodeView& nodes = Open<COutNodeView>(ID_OUTPUT_NODES);
    Insert(nodes, 1);
    TypeInto(nodes, 1, 1, "1");
    EXPECT_EQ(Text(nodes, 1, 1), "1");

    // The output block around the wall's nodes.
    COutBlockView& blocks = Open<COutBlockView>(ID_OUTPUT_BLOCKS);
    Insert(blocks, 1);
    TypeInto(blocks, 1, 1, "0.5");
    TypeInto(blocks, 1, 2, "5.5");
    EXPECT_EQ(Text(blocks, 1, 2), "5.5");

    // The report: TIME, OUTPUT NODE 1 (12 wide, 7 decimals), OUTPUT BLOCK 1,
    // COLOUR 2 q.
    CReportView& report = Open<CReportView>(ID_REPORT_DEFINITION);
    for (int row = 1; row <= 4; ++row)
        Insert(report, row - 1 < 1 ? 1 : row - 1);
    ASSERT_EQ(TheEngine().model.reportItems.count, 4);
    for (int k = 0; k < 5; ++k)
        Click(report, 2, 1);
    EXPECT_EQ(Text(report, 2, 1), "OUTPUT NODE");
    EXPECT_EQ(Text(report, 2, 3), "θ");
    TypeInto(report, 2, 4, "12");
    TypeInto(report, 2, 5, "7");
    for (int k = 0; k < 6; ++k)
        Click(report, 3, 1);
    EXPECT_EQ(Text(report, 3, 1), "OUTPUT BLOCK");
    Click(report, 4, 1);
    EXPECT_EQ(Text(report, 4, 1), "COLOUR");
    TypeInto(report, 4, 2, "2");
    for (int k = 0; k < 3; ++k)
        Click(report, 4, 3);
    EXPECT_EQ(Text(report, 4, 3), "q");
    EXPECT_TRUE(Messages().empty()) << ::testing::PrintToString(Messages());

    // Saved: the file gelmar-calc writes of the hand-written one.
    const fs::path work = fs::path(ScratchFolder()) / "work";
    fs::create_directories(work);
    const std::string saved = (work / "wall.glm").string();
    platform::TestHook::Get().PushFileDialogAnswer({saved});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_EQ(ReadFile(saved), expected);
    // Reopened, every list is there.
    platform::TestHook::Get().PushFileDialogAnswer({saved});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(FormatDataFile(TheEngine().model), expected);

    // Calc System: gelmar-calc's result files, the report among them.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
    EXPECT_TRUE(Messages().empty()) << ::testing::PrintToString(Messages());
    std::string reportText;
    for (const auto& entry : fs::directory_iterator(driver)) {
        const fs::path mine = work / entry.path().filename();
        ASSERT_TRUE(fs::exists(mine)) << entry.path().filename();
        EXPECT_EQ(ReadFile(mine.string()), ReadFile(entry.path().string())) << entry.path().filename();
        if (entry.path().extension() == ".txt")
            reportText = ReadFile(mine.string());
    }
    // The node column: the inside surface lies q / 7.7 below the inside air,
    // q = 20 / (1/7.7 + 0.2/0.5 + 1/25) through the series resistances.
    const double q = 20.0 / (1 / 7.7 + 0.2 / 0.5 + 1.0 / 25);
    EXPECT_NEAR(20.0 - q / 7.7, 15.4421148, 1e-7);
    EXPECT_NE(reportText.find("15.4421148"), std::string::npos) << reportText;
}

struct UndoCase {
    const char* table;
    UINT command;
    int kind;
};

TEST_F(ConditionTablesTest, EveryTablesInsertIsOneUndoRecordThatUndoAndRedoBringBack)
{
    const UndoCase cases[] = {
        {"Node BCs", ID_NODE_BCS, kUndoNodeBcs},
        {"Borderface BCs", ID_BORDER_BCS, kUndoBorderBcs},
        {"Material BCs", ID_MATERIAL_BCS, kUndoMaterialBcs},
        {"Functions", ID_FUNCTIONS, kUndoFunctions},
        {"Output Nodes", ID_OUTPUT_NODES, kUndoOutputNodes},
        {"Output Blocks", ID_OUTPUT_BLOCKS, kUndoOutputBlocks},
        {"Report Definition", ID_REPORT_DEFINITION, kUndoReport},
        {"Sun Obstacles", ID_SUN_OBSTACLES, kUndoSunObstacles},
        {"Ventilation Flows", ID_VENTILATION_FLOWS, kUndoVentilation},
        {"Controls", ID_CONTROLS, kUndoControls},
    };
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE));
        EXPECT_EQ(Title(), "GELMAR - wall.glm");
        const std::string before = FormatDataFile(TheEngine().model);
        ASSERT_TRUE(Main()->ExecuteCommand(c.command));
        auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
        auto* view = dynamic_cast<CListTableView*>(main->MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
        const int rows = view->RecordCount();
        Insert(*view, rows);
        EXPECT_EQ(view->RecordCount(), rows + 1);
        EXPECT_EQ(UndoRecordCount(TheEngine().history), 2u);
        EXPECT_EQ(UndoKind(), c.kind);
        const std::string after = FormatDataFile(TheEngine().model);
        EXPECT_NE(after, before);
        EXPECT_EQ(Title(), "GELMAR - wall.glm *");

        view->SetGridFocus(1, 1);
        ASSERT_TRUE(Main()->ExecuteCommand(ID_EDIT_UNDO));
        EXPECT_EQ(FormatDataFile(TheEngine().model), before);
        EXPECT_EQ(Title(), "GELMAR - wall.glm");
        auto* shown = dynamic_cast<CListTableView*>(main->MDIGetActive()->GetActiveView());
        ASSERT_EQ(shown, view);
        EXPECT_EQ(shown->RecordCount(), rows);
        EXPECT_EQ(shown->FocusRow(), std::max(rows, 1));
        ASSERT_TRUE(Main()->ExecuteCommand(ID_EDIT_REDO));
        EXPECT_EQ(FormatDataFile(TheEngine().model), after);
        EXPECT_EQ(Title(), "GELMAR - wall.glm *");
        EXPECT_EQ(view->RecordCount(), rows + 1);
    }
}

TEST_F(ConditionTablesTest, TheFunctionGraphComesAndGoesWithTheFunctionsTable)
{
    CFuncView& functions = Open<CFuncView>(ID_FUNCTIONS);
    Settle();
    ASSERT_NE(g_funcGraphView, nullptr);
    // The keyboard stays with the table.
    auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    EXPECT_EQ(main->MDIGetActive()->GetActiveView(), &functions);
    Open<CNodeView>(ID_NODE_BCS);
    Settle();
    EXPECT_EQ(g_funcGraphView, nullptr);
    Open<CFuncView>(ID_FUNCTIONS);
    Settle();
    EXPECT_NE(g_funcGraphView, nullptr);
}

TEST_F(ConditionTablesTest, BadEntriesInTheTables)
{
    // Sun obstacles: a non-number is 0, an azimuth of 200 stays.
    CSunObstView& sun = Open<CSunObstView>(ID_SUN_OBSTACLES);
    ASSERT_EQ(sun.RecordCount(), 1);
    TypeInto(sun, 1, 1, "abc");
    TypeInto(sun, 1, 2, "200");
    EXPECT_EQ(TheEngine().model.sunObstacles[0].azimuthFrom, 0.0f);
    EXPECT_EQ(TheEngine().model.sunObstacles[0].azimuthTo, 200.0f);
    EXPECT_EQ(Text(sun, 1, 2), "200");

    // A flow between the same colour keeps only one end.
    CVentView& vent = Open<CVentView>(ID_VENTILATION_FLOWS);
    Insert(vent, 1);
    TypeInto(vent, 1, 3, "2");
    TypeInto(vent, 1, 4, "2");
    EXPECT_EQ(TheEngine().model.ventFlows[0].colourFrom, 2);
    EXPECT_EQ(TheEngine().model.ventFlows[0].colourTo, -1);
    EXPECT_EQ(Text(vent, 1, 4), "");
    TypeInto(vent, 1, 4, "300");
    EXPECT_EQ(TheEngine().model.ventFlows[0].colourTo, -1);
    TypeInto(vent, 1, 4, "3");
    TypeInto(vent, 1, 5, "0.05");
    EXPECT_EQ(TheEngine().model.ventFlows[0].flow, 0.05f);
    EXPECT_EQ(Text(vent, 1, 5), "0.050000");
    TypeInto(vent, 1, 5, "xyz");
    EXPECT_EQ(TheEngine().model.ventFlows[0].flow, 0.05f);

    // Controls: the target must name an existing T function of three
    // characters; the zones cannot be one colour.
    CFuncView& functions = Open<CFuncView>(ID_FUNCTIONS);
    Insert(functions, 1);
    TypeInto(functions, 1, 1, "t05");
    EXPECT_EQ(Text(functions, 1, 1), "T05");
    CControlView& controls = Open<CControlView>(ID_CONTROLS);
    Insert(controls, 1);
    TypeInto(controls, 1, 2, "t05");
    EXPECT_EQ(Text(controls, 1, 2), "T05");
    TypeInto(controls, 1, 2, "T5");
    EXPECT_EQ(Text(controls, 1, 2), "T05");
    TypeInto(controls, 1, 2, "t06");
    EXPECT_EQ(Text(controls, 1, 2), "");
    EXPECT_EQ(Text(controls, 1, 5), "HEATING");
    Click(controls, 1, 5);
    EXPECT_EQ(Text(controls, 1, 5), "COOLING");

    // The report's width and decimals the file could not hold are refused.
    CReportView& report = Open<CReportView>(ID_REPORT_DEFINITION);
    Insert(report, 1);
    platform::TestHook::Get().ClearMessages();
    TypeInto(report, 1, 4, "0");
    EXPECT_EQ(TheEngine().model.reportItems[0].width, 8);
    EXPECT_EQ(Text(report, 1, 4), "8");
    EXPECT_EQ(Messages(), std::vector<std::string>{kReportWidthTooSmall});
    EXPECT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE));
    platform::TestHook::Get().PushFileDialogAnswer({TheEngine().model.dataFilePath});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(TheEngine().model.reportItems.count, 1);
}

TEST_F(ConditionTablesTest, ListsEditedIntoABrokenStateStopCalcSystemWithTheirMessage)
{
    // A control whose off function was deleted.
    CFuncView& functions = Open<CFuncView>(ID_FUNCTIONS);
    Insert(functions, 1);
    TypeInto(functions, 1, 1, "P01");
    Insert(functions, 1);
    ASSERT_EQ(Text(functions, 2, 1), "P02");
    Click(functions, 1, 2);
    Click(functions, 2, 2);
    EXPECT_EQ(Text(functions, 2, 2), "CONST");
    COutNodeView& nodes = Open<COutNodeView>(ID_OUTPUT_NODES);
    Insert(nodes, 1);
    TypeInto(nodes, 1, 1, "1");
    CControlView& controls = Open<CControlView>(ID_CONTROLS);
    Insert(controls, 1);
    TypeInto(controls, 1, 1, "1");
    TypeInto(controls, 1, 8, "p01");
    TypeInto(controls, 1, 9, "p02");
    EXPECT_EQ(Text(controls, 1, 8), "P01");
    Open<CFuncView>(ID_FUNCTIONS).SetGridFocus(1, 1);
    platform::TestHook::Get().PushMessageBoxAnswer(IDYES);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DELETE));
    ASSERT_EQ(TheEngine().model.functions.count, 1u);
    EXPECT_EQ(TheEngine().model.controls[0].offFunc.View(), "P01"); // controls keep their references
    // Controls act in a transient run.
    RunForAnHour();
    platform::TestHook::Get().ClearMessages();
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error in control no. 1"});
}

TEST_F(ConditionTablesTest, AFlowFromTheWallsMaterialIsASyntaxError)
{
    CVentView& vent = Open<CVentView>(ID_VENTILATION_FLOWS);
    Insert(vent, 1);
    TypeInto(vent, 1, 3, "1");
    TypeInto(vent, 1, 4, "2");
    platform::TestHook::Get().ClearMessages();
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Syntax error in ventilation flow 1"});
}

TEST_F(ConditionTablesTest, ASunnyColourWithoutTheSolarFunctionIsRefused)
{
    CColorView& colours = Open<CColorView>(ID_COLOURS);
    Click(colours, 3, 20);
    ASSERT_EQ(Text(colours, 3, 20), "YES");
    RunForAnHour();
    platform::TestHook::Get().ClearMessages();
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Solar radiation function (G01 or D01) not present"});
}

TEST_F(ConditionTablesTest, AFunctionsFileIsChosenInTheOpenDialog)
{
    const std::string file = (fs::path(ScratchFolder()) / "outside.tmp").string();
    WriteFile(file, "0 0\n");
    CFuncView& functions = Open<CFuncView>(ID_FUNCTIONS);
    Insert(functions, 1);
    ASSERT_EQ(TheEngine().model.functions[0].shape, 0); // FILE
    const std::size_t records = UndoRecordCount(TheEngine().history);
    // A cancelled dialog is no edit.
    platform::TestHook::Get().PushFileDialogAnswer({});
    Click(functions, 1, 3);
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records);
    EXPECT_TRUE(TheEngine().model.functions[0].filePath.empty());
    platform::TestHook::Get().PushFileDialogAnswer({file});
    Click(functions, 1, 3);
    EXPECT_EQ(TheEngine().model.functions[0].filePath, file);
    EXPECT_EQ(Text(functions, 1, 3), "outside.tmp");
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records + 1);
    EXPECT_EQ(UndoKind(), kUndoFunctions);
}

TEST_F(ConditionTablesTest, SunObstacleDeletesAndGoToKeepTheFocusInTheTable)
{
    CSunObstView& sun = Open<CSunObstView>(ID_SUN_OBSTACLES);
    Insert(sun, 1);
    Insert(sun, 2);
    ASSERT_EQ(sun.RecordCount(), 3);
    sun.GoToCell(9, 2); // beyond the count: the last obstacle
    EXPECT_EQ(sun.FocusRow(), 3);
    EXPECT_EQ(sun.FocusColumn(), 2);
    platform::TestHook::Get().PushMessageBoxAnswer(IDNO);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DELETE));
    EXPECT_EQ(sun.RecordCount(), 3);
    // The last row deleted: the focus goes to the new last row.
    platform::TestHook::Get().PushMessageBoxAnswer(IDYES);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DELETE));
    EXPECT_EQ(sun.RecordCount(), 2);
    EXPECT_EQ(sun.FocusRow(), 2);
    EXPECT_EQ(sun.GetGrid()->GetRowCount(), 3);
    EXPECT_EQ(UndoKind(), kUndoSunObstacles);
    for (int k = 0; k < 2; ++k) {
        platform::TestHook::Get().PushMessageBoxAnswer(IDYES);
        ASSERT_TRUE(Main()->ExecuteCommand(ID_DELETE));
    }
    EXPECT_EQ(sun.RecordCount(), 0);
    sun.GoToCell(5, 3); // no obstacles: the first cell
    EXPECT_EQ(sun.FocusRow(), 1);
    EXPECT_EQ(sun.FocusColumn(), 1);
}

struct BcCase {
    const char* table;
    UINT command;
    std::vector<std::pair<int, const char*>> colours; // typed first
    int typeColumn;
    const char* second; // the type's second kind
    const char* function; // a function of the second value's letter
};

TEST_F(ConditionTablesTest, BcTypesSwitchByAClickAndValuesTakeNumbersOrFunctions)
{
    const BcCase cases[] = {
        {"Node BCs", ID_NODE_BCS, {}, 4, "POWER", "P01"},
        {"Borderface BCs", ID_BORDER_BCS, {{3, "2"}, {4, "1"}}, 5, "FLUX", "I01"},
        {"Material BCs", ID_MATERIAL_BCS, {{2, "1"}}, 3, "POWER", "P01"},
    };
    CFuncView& functions = Open<CFuncView>(ID_FUNCTIONS);
    Insert(functions, 1);
    Insert(functions, 1);
    TypeInto(functions, 1, 1, "P01");
    TypeInto(functions, 2, 1, "I01");
    for (const BcCase& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_TRUE(Main()->ExecuteCommand(c.command));
        auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
        auto* view = dynamic_cast<CListTableView*>(main->MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
        Insert(*view, 1);
        const int t = c.typeColumn;
        if (!c.colours.empty()) {
            // Without its colours the BC has no type or values yet.
            Click(*view, 1, t);
            EXPECT_EQ(Text(*view, 1, t), "");
        }
        for (const auto& [col, text] : c.colours)
            TypeInto(*view, 1, col, text);
        EXPECT_EQ(Text(*view, 1, t), "TEMP");
        TypeInto(*view, 1, t + 1, "12.5");
        EXPECT_EQ(Text(*view, 1, t + 1), "12.5");
        EXPECT_EQ(Text(*view, 1, t + 2), ""); // applies to the other type only
        const std::size_t records = UndoRecordCount(TheEngine().history);
        Click(*view, 1, t);
        EXPECT_EQ(Text(*view, 1, t), c.second);
        EXPECT_EQ(UndoRecordCount(TheEngine().history), records + 1);
        EXPECT_EQ(Text(*view, 1, t + 1), "");
        std::string lower(c.function);
        lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
        TypeInto(*view, 1, t + 2, lower);
        EXPECT_EQ(Text(*view, 1, t + 2), c.function);
        // A name of no function resets the reference and keeps the value.
        TypeInto(*view, 1, t + 2, "x99");
        EXPECT_EQ(Text(*view, 1, t + 2), "0");
        Click(*view, 1, t);
        EXPECT_EQ(Text(*view, 1, t + 1), "12.5");
    }
}

struct LinkCase {
    const char* table;
    UINT command;
    int link; // what the 3D view outlines
    std::function<int()> focused;
    int colourColumn = 0; // of the BCs that outline a colour
};

TEST_F(ConditionTablesTest, TablesTellThe3DViewAndTheGraphsWhatTheyShow)
{
    const LinkCase cases[] = {
        {"Node BCs", ID_NODE_BCS, kLinkNodeBcs, [] { return Seams().focusedNodeBc(); }},
        {"Borderface BCs", ID_BORDER_BCS, kLinkColourOutline, nullptr, 3},
        {"Material BCs", ID_MATERIAL_BCS, kLinkColourOutline, nullptr, 2},
        {"Output Nodes", ID_OUTPUT_NODES, kLinkOutputNodes, [] { return Seams().focusedOutputNode(); }},
        {"Output Blocks", ID_OUTPUT_BLOCKS, kLinkOutputBlocks, [] { return Seams().focusedOutputBlock(); }},
        {"Functions", ID_FUNCTIONS, kLinkNone, [] { return Seams().selectedFunction(); }},
    };
    ASSERT_NE(g_graphView, nullptr);
    // A node BC edit frees the results of an earlier run and the 3D view
    // leaves the temperatures.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
    ASSERT_FALSE(TheEngine().run.work.solution.empty());
    g_graphView->m_viewKind = ViewKind::Temperatures;
    CNodeView& nodes = Open<CNodeView>(ID_NODE_BCS);
    Insert(nodes, 1);
    EXPECT_TRUE(TheEngine().run.work.solution.empty());
    EXPECT_EQ(g_graphView->m_viewKind, ViewKind::Materials);
    TheEngine().model.nodeBcs.count = 0;
    nodes.FillTable();

    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_TRUE(Main()->ExecuteCommand(c.command));
        auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
        auto* view = dynamic_cast<CListTableView*>(main->MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
        if (c.focused) {
            EXPECT_EQ(c.focused(), -1); // no records yet
        }
        Insert(*view, 1);
        Insert(*view, 1);
        view->SetGridFocus(2, 1);
        Settle();
        // Border and material BCs outline a colour once they have one.
        if (c.colourColumn) {
            TypeInto(*view, 2, c.colourColumn, "1");
            Settle();
        }
        EXPECT_EQ(g_graphView->m_overlayKind, c.link);
        if (c.focused) {
            EXPECT_EQ(c.focused(), 1);
        }
    }
}

TEST_F(ConditionTablesTest, InsertsAreGreyedAtTheListsLimits)
{
    struct Full {
        const char* table;
        UINT command;
        std::function<void()> fill;
        bool before; // the table offers Insert Before
    } cases[] = {
        {"Sun Obstacles", ID_SUN_OBSTACLES, [] { TheEngine().model.sunObstacleCount = kMaxSunObstacles; },
         true},
        {"Ventilation Flows", ID_VENTILATION_FLOWS,
         [] { TheEngine().model.ventFlowCount = kMaxVentilationFlows; }, false},
    };
    for (const Full& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_TRUE(Main()->ExecuteCommand(c.command));
        auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
        CView* view = main->MDIGetActive()->GetActiveView();
        CCmdUI after(ID_INSERT_AFTER), before(ID_INSERT_BEFORE), del(ID_DELETE);
        view->OnCmdMsg(ID_INSERT_AFTER, CN_UPDATE_COMMAND_UI, &after);
        view->OnCmdMsg(ID_DELETE, CN_UPDATE_COMMAND_UI, &del);
        EXPECT_TRUE(after.m_bEnabled);
        c.fill();
        view->OnCmdMsg(ID_INSERT_AFTER, CN_UPDATE_COMMAND_UI, &after);
        view->OnCmdMsg(ID_DELETE, CN_UPDATE_COMMAND_UI, &del);
        EXPECT_FALSE(after.m_bEnabled);
        EXPECT_TRUE(del.m_bEnabled);
        if (c.before) {
            view->OnCmdMsg(ID_INSERT_BEFORE, CN_UPDATE_COMMAND_UI, &before);
            EXPECT_FALSE(before.m_bEnabled);
        }
    }
}

} // namespace
} // namespace gelmar::test

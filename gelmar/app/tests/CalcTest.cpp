// The calculation commands on the real engine: the engine's messages of a
// failing run, the questions, the progress window's read-outs and placement,
// Esc during a long run, and Calc System against gelmar-calc.
#include "AppFixture.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/CalcProgress.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace gelmar::test {
namespace {

class CalcTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
        work = fs::path(ScratchFolder()) / "work";
    }
    // An edit in the undo history, so that a command's clearing shows.
    static void MakeUndoHistory()
    {
        SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoTitle, 0, 0);
        ASSERT_EQ(UndoRecordCount(TheEngine().history), 2u);
    }
    // Only the baseline that the command saved after clearing is left.
    static void ExpectOnlyABaseline()
    {
        EXPECT_EQ(UndoRecordCount(TheEngine().history), 1u);
        ASSERT_NE(CurrentUndoRecord(TheEngine().history), nullptr);
        EXPECT_EQ(CurrentUndoRecord(TheEngine().history)->kind, kUndoBaseline);
    }
    // A long run (a year of one-minute steps, a file every 1000 steps); f
    // runs while the run is under way, then Esc is pressed.
    static void DuringALongRun(std::function<void()> f)
    {
        TheEngine().model.timeStep = 60;
        TheEngine().model.calcDuration = 365 * 86400;
        TheEngine().model.saveFrequency = 1000;
        // Esc goes in once the run has finished its first step, however slow
        // the machine: a fixed delay could land before the run had started.
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, f] {
            if (!g_calcProgress || TheEngine().run.calcTime <= 0)
                return;
            poll->stop();
            poll->deleteLater();
            f();
            QWidget* target = QApplication::activeModalWidget();
            if (!target)
                target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
        });
        poll->start(20);
    }
    fs::path work;
};

// Colour 1 takes its specific heat from a table file of the data file's
// folder, which the run reads first.
void UseHeatCapacityTable(const std::string& file)
{
    ModelStore& m = TheEngine().model;
    const std::uint16_t n = m.functions.count;
    GrowFunctionArray(TheEngine().model, n + 1);
    m.functions.count = static_cast<std::uint16_t>(n + 1);
    m.functions[n] = FunctionRecord{};
    m.functions[n].name = FunctionName("C01");
    m.functions[n].shape = 0;
    m.functions[n].filePath = file;
    m.colours[1].heatCapacityFunc = FunctionName("C01");
}

TEST_F(CalcTest, EngineFailuresShowTheEngineMessageInAnOkBox)
{
    UseHeatCapacityTable("c.fce");
    const std::string table = (work / "c.fce").string();
    struct Case {
        const char* file; // nullptr: no file
        std::string message;
    };
    const Case cases[] = {
        {nullptr, "Failed to open file\n" + table},
        {"0 800\r\n20 x\r\n", "Syntax error in file " + table + "\nLine 2"},
    };
    for (const Case& c : cases) {
        fs::remove(table);
        if (c.file)
            WriteFile(table, c.file);
        platform::TestHook::Get().ClearMessages();
        MakeUndoHistory();
        EXPECT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
        EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
        ExpectOnlyABaseline();
        // The message boxes have no icon and the OK button alone.
        for (const auto& m : platform::TestHook::Get().Messages())
            EXPECT_EQ(m.style, UINT(MB_OK));
        EXPECT_FALSE(fs::exists(work / "tmp0000.sol"));
    }
}

TEST_F(CalcTest, ModelOfMaterialsOnlyCannotBeCalculated)
{
    for (ColourRecord& c : TheEngine().model.colours)
        c.type = MATERIAL;
    EXPECT_FALSE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
    EXPECT_FALSE(fs::exists(work / "tmp0000.sol"));
}

TEST_F(CalcTest, NeverSavedModelIsNotCalculated)
{
    MakeUndoHistory();
    TheEngine().model.dataFilePath.clear();
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_FALSE(fs::exists(work / "tmp0000.sol"));
    EXPECT_EQ(UndoRecordCount(TheEngine().history), 2u);
}

// The engine's questions reach the user as message boxes of their buttons,
// and the button chosen comes back as the engine's answer.
TEST_F(CalcTest, EngineQuestionsAreMessageBoxesOfTheirButtons)
{
    struct Case {
        MessageStyle style;
        UINT type;
        int button;
        MessageAnswer answer;
    };
    const Case cases[] = {
        {MessageStyle::YesNo, MB_YESNO, IDYES, MessageAnswer::Yes},
        {MessageStyle::YesNo, MB_YESNO, IDNO, MessageAnswer::No},
        {MessageStyle::YesNoCancel, MB_YESNOCANCEL, IDYES, MessageAnswer::Yes},
        {MessageStyle::YesNoCancel, MB_YESNOCANCEL, IDNO, MessageAnswer::No},
        {MessageStyle::YesNoCancel, MB_YESNOCANCEL, IDCANCEL, MessageAnswer::Cancel},
        {MessageStyle::OkCancel, MB_OKCANCEL, IDCANCEL, MessageAnswer::Cancel},
        {MessageStyle::Ok, MB_OK, IDOK, MessageAnswer::Ok},
    };
    for (const Case& c : cases) {
        platform::TestHook::Get().ClearMessages();
        platform::TestHook::Get().PushMessageBoxAnswer(c.button);
        EXPECT_EQ(Host().MessageBox("Recalculate view factors ?", c.style), c.answer) << c.button;
        ASSERT_EQ(platform::TestHook::Get().Messages().size(), 1u);
        EXPECT_EQ(platform::TestHook::Get().Messages()[0].style, c.type);
    }
}

TEST_F(CalcTest, MinimumGridAsksBeforeCalculating)
{
    // Lines 2 to 4 of the x axis bound no block: merged away, every line does.
    ASSERT_TRUE(MergeGridLines(TheEngine().model, 0, 1, 4));
    ASSERT_TRUE(IsMinimumGrid(TheEngine().model));
    platform::TestHook::Get().PushMessageBoxAnswer(IDNO);
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{
                  "Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?"});
    EXPECT_FALSE(fs::exists(work / "tmp0000.sol"));
    platform::TestHook::Get().PushMessageBoxAnswer(IDYES);
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_TRUE(fs::exists(work / "tmp0000.sol"));
}

TEST_F(CalcTest, ProgressWindowShowsItsLimitsAndSitsInTheLowerRightCorner)
{
    TheEngine().model.linearRadiation = 1;
    TheEngine().model.recalcCen = 0;
    TheEngine().model.cycles = 20;
    std::string cycles, caption, nodes;
    long long nodeCount = -1;
    CRect dialog, main;
    bool pointerDuringRun = false;
    DuringALongRun([&] {
        pointerDuringRun = g_calcProgress != nullptr && g_activeProgress != nullptr;
        if (!g_calcProgress)
            return;
        cycles = g_calcProgress->GetDlgItemText(IDC_CYCLES_LIMIT);
        caption = g_calcProgress->GetWindowText();
        nodes = g_calcProgress->GetDlgItemText(IDC_NODE_COUNT);
        nodeCount = TheEngine().run.work.gridNodeCount;
        g_calcProgress->GetWindowRect(&dialog);
    });
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    Main()->GetWindowRect(&main);
    EXPECT_TRUE(pointerDuringRun);
    EXPECT_EQ(cycles, "1");
    EXPECT_EQ(caption, "GELMAR - Calculation [wall.glm]");
    // The engine's read-outs reach the window through the host.
    EXPECT_EQ(nodes, std::to_string(nodeCount));
    EXPECT_EQ(dialog.left, main.Width() - dialog.Width() - 10);
    EXPECT_EQ(dialog.top, main.Height() - dialog.Height() - 10);
    // After the window has gone nothing can write into it.
    EXPECT_EQ(g_calcProgress, nullptr);
    EXPECT_EQ(g_activeProgress, nullptr);
}

TEST_F(CalcTest, EscStopsALongCalculationWithoutAMessage)
{
    long long timeAtEsc = 0;
    DuringALongRun([&] { timeAtEsc = TheEngine().run.calcTime; });
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    // The current time stands one step before the interrupted one.
    EXPECT_LT(TheEngine().run.calcTime, TheEngine().model.calcDuration);
    EXPECT_EQ(TheEngine().run.calcTime, timeAtEsc - TheEngine().model.timeStep);
    // Every result file written is whole: as long as the first.
    std::vector<std::string> results;
    for (const auto& entry : fs::directory_iterator(work))
        if (entry.path().extension() == ".sol")
            results.push_back(ReadFile(entry.path().string()));
    ASSERT_FALSE(results.empty());
    for (const std::string& r : results)
        EXPECT_EQ(r.size(), results.front().size());
}

// A square cavity in a one-cell-thick section: its four faces see each other.
TEST_F(CalcTest, CalcViewFactorsWritesTheViewFactorFileInItsWindow)
{
    const std::string cavity = (work / "cavity.glm").string();
    WriteFile(cavity, "nxwi=3\r\nxwid=1\r\nxwid=1\r\nxwid=1\r\nnywi=3\r\nywid=1\r\nywid=1\r\nywid=1\r\n"
                      "nzwi=1\r\nzwid=2\r\ncolr=1\r\ntype=0\r\ncolr=2\r\ntype=4\r\n"
                      "nblk=2\r\nblok=0 1 0 3 0 3 0 1\r\nblok=1 2 1 2 1 2 0 1\r\n");
    platform::TestHook::Get().PushFileDialogAnswer({cavity});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_OPEN));
    ASSERT_EQ(TheEngine().model.dataFilePath, cavity);
    MakeUndoHistory();
    EXPECT_TRUE(Main()->ExecuteCommand(ID_CALC_VIEW_FACTORS));
    EXPECT_TRUE(Messages().empty()) << ::testing::PrintToString(Messages());
    EXPECT_TRUE(fs::exists(work / "tmp.vwf"));
    EXPECT_EQ(g_viewFactorProgress, nullptr);
    ExpectOnlyABaseline();
}

TEST_F(CalcTest, SolarFluxesWithoutTheirFunctionsShowTheEngineMessage)
{
    TheEngine().model.colours[2].solar = 1;
    MakeUndoHistory();
    EXPECT_TRUE(Main()->ExecuteCommand(ID_CALC_SOLAR_FLUXES));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Solar radiation function (G01 or D01) not present"});
    EXPECT_EQ(g_solarProgress, nullptr);
    ExpectOnlyABaseline();
}

// Calc System from the menu and the driver run the same calculation; both
// write their result files into the working folder.
TEST_F(CalcTest, CalcSystemWritesTheSameResultFilesAsTheDriver)
{
    const fs::path driverDir = fs::path(ScratchFolder()) / "driver";
    fs::create_directories(driverDir);
    const std::string wall = (fs::path(SUITE_EXAMPLES_DIR) / "wall.glm").string();
    const std::string command = "cd '" + driverDir.string() + "' && '" + GELMAR_CALC_EXE + "' '" + wall +
                                "' > /dev/null 2> driver.err";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile((driverDir / "driver.err").string());
    fs::remove(driverDir / "driver.err");

    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_TRUE(Messages().empty());
    int files = 0;
    for (const auto& entry : fs::directory_iterator(driverDir)) {
        const fs::path mine = work / entry.path().filename();
        ASSERT_TRUE(fs::exists(mine)) << entry.path().filename();
        EXPECT_EQ(ReadFile(mine.string()), ReadFile(entry.path().string())) << entry.path().filename();
        ++files;
    }
    EXPECT_GT(files, 0);
    // The temperatures are shown once the run has ended.
    ASSERT_NE(g_graphView, nullptr);
    EXPECT_EQ(g_graphView->m_viewKind, ViewKind::Temperatures);
}

} // namespace
} // namespace gelmar::test

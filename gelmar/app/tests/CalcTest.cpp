// The calculation commands: the error codes of a failing engine mapped to
// their messages, the view-factor question, the progress window's read-outs
// and placement, Esc during a long run, and Calc System against gelmar-calc.
#include "AppFixture.h"
#include "common/core/ErrorCode.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/CalcProgress.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/model/EngineServices.h"
#include "gelmar/model/ModelStore.h"
#include "platform/core/Folders.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

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
        Seams().clearUndo = [this] { undoLog.push_back("clear"); };
        Seams().saveUndo = [this](int kind) { undoLog.push_back("save " + std::to_string(kind)); };
    }
    std::vector<std::string> undoLog;
};

TEST_F(CalcTest, EngineFailuresShowTheMessageOfTheirCode)
{
    struct Case {
        int code;
        std::string message; // empty: none shown here
        int checkReport;     // code passed to the check's reporting form, 0 none
    };
    g_model.sharedPath = "/data/T01.fun";
    Seams().syntaxErrorLine = [] { return 7; };
    const Case cases[] = {
        {1, "Not enough memory", 0},
        {2, "Failed to open file\n/data/T01.fun", 0},
        {3, "Syntax error in file /data/T01.fun\nLine 7", 0},
        {4, "", 4},
        {5, "", 5},
        {6, "", 0},
        {7, "", 7},
        {8, "Error in ventilation system", 0},
        {9, "Solar radiation function (G01 or D01) not present", 0},
        {10, "", 10},
        {11, "", 11},
        {12, "", 12},
    };
    for (const Case& c : cases) {
        platform::TestHook::Get().ClearMessages();
        undoLog.clear();
        int reported = 0;
        Seams().reportCheckError = [&](int code) { reported = code; };
        Seams().runTransient = [&] { common::RaiseError(c.code); };
        EXPECT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
        EXPECT_EQ(Messages(),
                  c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
            << c.code;
        EXPECT_EQ(reported, c.checkReport) << c.code;
        EXPECT_EQ(common::ErrorCode(), 0);
        EXPECT_EQ(undoLog, (std::vector<std::string>{"clear", "save -1"})) << c.code;
        // The message boxes have no icon and the OK button alone.
        for (const auto& m : platform::TestHook::Get().Messages())
            EXPECT_EQ(m.style, UINT(MB_OK));
    }
}

TEST_F(CalcTest, ModelOfMaterialsOnlyCannotBeCalculated)
{
    bool ran = false;
    Seams().runTransient = [&] { ran = true; };
    for (ColourRecord& c : g_model.colours)
        c.type = MATERIAL;
    EXPECT_FALSE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
    EXPECT_FALSE(ran);
}

TEST_F(CalcTest, NeverSavedModelIsNotCalculated)
{
    bool ran = false;
    Seams().runTransient = [&] { ran = true; };
    g_model.dataFilePath.clear();
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(undoLog.empty());
}

TEST_F(CalcTest, ExistingViewFactorFileIsReusedOnNo)
{
    g_model.colours[2].type = BC_FREE; // a radiating colour in use
    ASSERT_TRUE(HasRadiatingColours());
    WriteFile("tmp.vwf", "view factors");
    std::vector<std::string> runs;
    Seams().runViewFactors = [&] { runs.push_back("vf"); };
    Seams().runTransient = [&] { runs.push_back("calc"); };
    struct Case {
        int answer;
        std::vector<std::string> runs;
    };
    for (const Case& c : {Case{IDNO, {"calc"}}, Case{IDYES, {"vf", "calc"}}, Case{IDCANCEL, {}}}) {
        runs.clear();
        platform::TestHook::Get().ClearMessages();
        platform::TestHook::Get().PushMessageBoxAnswer(c.answer);
        Main()->ExecuteCommand(ID_CALC_SYSTEM);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Recalculate view factors ?"});
        EXPECT_EQ(runs, c.runs) << c.answer;
    }
}

TEST_F(CalcTest, MinimumGridAsksBeforeCalculating)
{
    bool ran = false;
    Seams().runTransient = [&] { ran = true; };
    Seams().isMinimumGrid = [] { return true; };
    platform::TestHook::Get().PushMessageBoxAnswer(IDNO);
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_FALSE(ran);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{
                  "Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?"});
}

TEST_F(CalcTest, ProgressWindowShowsItsLimitsAndSitsInTheLowerRightCorner)
{
    g_model.linearRadiation = 1;
    g_model.recalcCen = 0;
    g_model.cycles = 20;
    std::string cycles, caption;
    CRect dialog, main;
    bool pointerDuringRun = false;
    Seams().runTransient = [&] {
        pointerDuringRun = g_calcProgress != nullptr && g_activeProgress != nullptr;
        cycles = g_calcProgress->GetDlgItemText(IDC_CYCLES_LIMIT);
        caption = g_calcProgress->GetWindowText();
        g_calcProgress->GetWindowRect(&dialog);
    };
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    Main()->GetWindowRect(&main);
    EXPECT_TRUE(pointerDuringRun);
    EXPECT_EQ(cycles, "1");
    EXPECT_EQ(caption, "GELMAR - Calculation [wall.glm]");
    EXPECT_EQ(dialog.left, main.Width() - dialog.Width() - 10);
    EXPECT_EQ(dialog.top, main.Height() - dialog.Height() - 10);
    // After the window has gone nothing can write into it.
    EXPECT_EQ(g_calcProgress, nullptr);
    EXPECT_EQ(g_activeProgress, nullptr);
}

TEST_F(CalcTest, EscStopsALongCalculationWithoutAMessage)
{
    g_model.calcTime = 3600;
    g_model.timeStep = 600;
    long steps = 0;
    const std::string result = ScratchFolder() + "/work/tmp0001.sol";
    Seams().runTransient = [&] {
        // A result file is written whole or not at all: into a side file
        // renamed when complete.
        const std::string part = result + ".part";
        WriteFile(part, "partial");
        try {
            for (steps = 0; steps < 100000000; ++steps)
                CheckEscAbort();
        } catch (...) {
            fs::remove(part);
            throw;
        }
        fs::rename(part, result);
    };
    QTimer::singleShot(200, [] {
        QWidget* target = QApplication::activeModalWidget();
        if (!target)
            target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    });
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_LT(steps, 100000000);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(common::ErrorCode(), 0);
    EXPECT_FALSE(fs::exists(result));
    EXPECT_FALSE(fs::exists(result + ".part"));
    // The current time stands one step before the interrupted one.
    EXPECT_EQ(g_model.calcTime, 3000);
}

// Calc System from the menu and the driver run the same calculation; both
// write their result files into the working folder. The engine's transient
// run has not joined the build while gelmar-calc refuses to calculate.
TEST_F(CalcTest, CalcSystemWritesTheSameResultFilesAsTheDriver)
{
    const fs::path driverDir = fs::path(ScratchFolder()) / "driver";
    fs::create_directories(driverDir);
    const std::string wall = (fs::path(SUITE_EXAMPLES_DIR) / "wall.glm").string();
    const std::string command = "cd '" + driverDir.string() + "' && '" + GELMAR_CALC_EXE + "' '" + wall +
                                "' > /dev/null 2> driver.err";
    if (std::system(command.c_str()) != 0)
        GTEST_SKIP() << "gelmar-calc does not calculate in this build";
    fs::remove(driverDir / "driver.err");

    const fs::path appDir = fs::path(ScratchFolder()) / "work";
    Main()->ExecuteCommand(ID_CALC_SYSTEM);
    EXPECT_TRUE(Messages().empty());
    for (const auto& entry : fs::directory_iterator(driverDir)) {
        const fs::path mine = appDir / entry.path().filename();
        ASSERT_TRUE(fs::exists(mine)) << entry.path().filename();
        EXPECT_EQ(ReadFile(mine.string()), ReadFile(entry.path().string())) << entry.path().filename();
    }
}

} // namespace
} // namespace gelmar::test

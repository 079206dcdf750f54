// The runs of the progress windows: Calc System asks the host for the
// calculation window and takes the run's outcome from it; a host without
// windows runs the window's work directly.
#include "CalcModel.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/store/Errors.h"

#include <gtest/gtest.h>

namespace gelmar::test {
namespace {

// Shows no window: records the request and runs the work, or closes the
// window unrun when told to.
class WindowHost : public NullEngineHost {
  public:
    WorkOutcome RunProgressWindow(ProgressWindow w, ModelStore&, RunState&, const ProgressWork& work) override
    {
        windows.push_back(w);
        return closeUnrun ? WorkOutcome::Aborted() : work();
    }
    std::vector<ProgressWindow> windows;
    bool closeUnrun = false;
};

class ProgressWindowTest : public CalcEngineTest {
  protected:
    void SetUp() override
    {
        CalcEngineTest::SetUp();
        SetHost(&windowHost);
        SetGrid(Uniform(3, 0.1f), Uniform(1, 1), Uniform(1, 1));
        Colour(1, MATERIAL);
        Surface(2, 20, 8);
        Surface(3, 0, 25);
        Block(2, 0, 1, 0, 1, 0, 1);
        Block(1, 1, 2, 0, 1, 0, 1);
        Block(3, 2, 3, 0, 1, 0, 1);
    }
    WindowHost windowHost;
};

TEST_F(ProgressWindowTest, CalcSystemTakesTheOutcomeOfTheHostsWindow)
{
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Done);
    EXPECT_EQ(windowHost.windows, std::vector<ProgressWindow>{ProgressWindow::Calculation});
    EXPECT_FALSE(engine.run.work.solution.empty());

    // A window that closed before its run: no result, no message of a code.
    FreeWorkArrays(engine.run, WorkGroup::AfterEdit);
    windowHost.windows.clear();
    windowHost.messages.clear();
    windowHost.closeUnrun = true;
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Aborted);
    EXPECT_EQ(windowHost.windows, std::vector<ProgressWindow>{ProgressWindow::Calculation});
    EXPECT_TRUE(engine.run.work.solution.empty());
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
}

TEST_F(ProgressWindowTest, HostWithoutWindowsRunsTheWorkDirectly)
{
    SetHost(nullptr);
    EXPECT_TRUE(RunCalculationDialog(engine.model, engine.run, Host()).Normal());
    EXPECT_FALSE(engine.run.work.solution.empty());
    // No radiating faces: the view-factor run ends normally with nothing to write.
    EXPECT_TRUE(RunViewFactorDialog(engine.model, engine.run, Host()).Normal());
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
}

TEST_F(ProgressWindowTest, CalcSolarFluxesRunsInTheSolarFluxWindow)
{
    // Without solar colours the run marches the time axis with nothing to
    // write, in its own window, and ends normally.
    EXPECT_EQ(RunCalcSolarFluxes(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Done);
    EXPECT_EQ(windowHost.windows, std::vector<ProgressWindow>{ProgressWindow::SolarFluxes});
    EXPECT_TRUE(windowHost.messages.empty());
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
}

} // namespace
} // namespace gelmar::test

// Damaged models never give a run that reports success with numbers that
// are not finite: a grid interval without a finite positive length is
// refused before the run with a message naming its axis and interval, and a
// value that overflows in the equations or results stops the run with a
// message naming the step. Through gelmar-calc: a non-zero exit, the message
// on standard error, and no result file holding "nan" or "inf".
#include "gelmar/model/calc/FiniteChecks.h"

#include "CalcModel.h"
#include "gelmar/model/store/Engine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace gelmar::test {
namespace {

namespace fs = std::filesystem;

// A plane wall between two simple boundaries, saved at every step, with a
// report of the time and the heat entering on the inside.
const std::string kWall = "titl=Wall\r\ngrun=1\r\ncalc=0\r\nsave=1 1\r\n"
                          "nxwi=4\r\nxwid=0.1\r\nxwid=0.1\r\nxwid=0.1\r\nxwid=0.1\r\n"
                          "nywi=1\r\nywid=1\r\nnzwi=1\r\nzwid=1\r\n"
                          "colr=1\r\ntype=0\r\nlamb=0.5\r\nro  =1800\r\nc   =1000\r\n"
                          "colr=2\r\ntype=1\r\ntemp=20\r\nhglo=7.7\r\n"
                          "colr=3\r\ntype=1\r\ntemp=0\r\nhglo=25\r\n"
                          "nblk=3\r\nblok=0 2 0 1 0 1 0 1\r\nblok=1 1 1 3 0 1 0 1\r\nblok=2 3 3 4 0 1 0 1\r\n"
                          "nrpt=2\r\nrept=0 0 1 0 8 0\r\nrept=1 1 2 8 12 3\r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

class DamagedModelTest : public EngineTest {
  protected:
    // Runs gelmar-calc on the model text; its exit status.
    int RunDriver(const std::string& text)
    {
        WriteBytes("m.glm", text);
        const std::string command = std::string("'") + GELMAR_CALC_EXE + "' m.glm 2> driver.err";
        const int status = std::system(command.c_str());
        stderrText = ReadBytes("driver.err");
        return status;
    }
    // The files the run wrote, with their bytes.
    static std::vector<std::pair<std::string, std::string>> ResultFiles()
    {
        std::vector<std::pair<std::string, std::string>> files;
        for (const fs::directory_entry& e : fs::directory_iterator(fs::current_path())) {
            const std::string name = e.path().filename().string();
            if (name != "m.glm" && name != "driver.err")
                files.emplace_back(name, ReadBytes(name));
        }
        return files;
    }
    std::string stderrText;
};

TEST_F(DamagedModelTest, EachDamageGivesItsMessageAFailedExitAndNoNonFiniteResult)
{
    struct Case {
        const char* name;
        std::string text;
        const char* message; // the start of the message on standard error
    };
    const std::string x1 = "xwid=0.1\r\nnywi";
    const Case cases[] = {
        {"width 0", Replace(kWall, x1, "xwid=0\r\nnywi"),
         "The X interval 4 has width 0 (grid unit 1 m):\na grid interval needs a finite positive length."},
        {"missing width line", Replace(kWall, x1, "nywi"), "The X interval 4 has width 0 (grid unit 1 m):"},
        {"width 1e38", Replace(kWall, "ywid=1\r\n", "ywid=1e38\r\n"),
         "The calculation stopped in time step 0:\nthe equations of the step hold a value that is not a "
         "finite number."},
        {"grid unit 1e38", Replace(kWall, "grun=1\r\n", "grun=1e38\r\n"),
         "The calculation stopped in time step 0:\nthe equations"},
        {"conductivity 1e38", Replace(kWall, "lamb=0.5", "lamb=1e38"),
         "The calculation stopped in time step 0:\nthe equations"},
        {"h 1e38", Replace(kWall, "hglo=7.7", "hglo=1e38"),
         "The calculation stopped in time step 0:\nthe equations"},
        // The capacity enters from the first time step on: the steady step's
        // files and report row are written, the next step stops.
        {"density 1e38, transient",
         Replace(Replace(kWall, "ro  =1800", "ro  =1e38"), "calc=0", "calc=1\r\nstep=1"),
         "The calculation stopped in time step 1:\nthe equations"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const fs::directory_entry& e : fs::directory_iterator(fs::current_path()))
            fs::remove_all(e.path());
        EXPECT_NE(RunDriver(c.text), 0);
        EXPECT_EQ(stderrText.rfind(c.message, 0), 0u) << stderrText;
        for (const auto& [name, bytes] : ResultFiles()) {
            EXPECT_EQ(Lower(bytes).find("nan"), std::string::npos) << name;
            EXPECT_EQ(Lower(bytes).find("inf"), std::string::npos) << name;
        }
    }
    // The transient case kept what its finished step computed.
    EXPECT_TRUE(fs::exists("tmp0000.sol"));
    EXPECT_FALSE(fs::exists("tmp0001.sol"));
    const std::string report = ReadBytes("m.txt");
    EXPECT_NE(report.find("Column 2: Colour 2, sum of heat flows into object [W]"), std::string::npos);
    EXPECT_NE(report.find("\r\n       0\t"), std::string::npos) << report;
    EXPECT_EQ(report.find("\r\n       1\t"), std::string::npos) << report;

    // The model undamaged: the run succeeds.
    for (const fs::directory_entry& e : fs::directory_iterator(fs::current_path()))
        fs::remove_all(e.path());
    EXPECT_EQ(RunDriver(kWall), 0) << stderrText;
    EXPECT_TRUE(fs::exists("tmp0000.sol"));
}

class GridLengthTest : public CalcEngineTest {};

TEST_F(GridLengthTest, TheFirstBadIntervalIsNamedByItsAxisInTheModelsNaming)
{
    struct Case {
        const char* name;
        int axis, cell;
        float width, unit;
        bool rcl;
        const char* message; // empty: the grid is sound
    };
    const Case cases[] = {
        {"sound", 1, 1, 0.5f, 1.0f, false, ""},
        {"negative", 1, 1, -1.0f, 1.0f, false, "The Y interval 2 has width -1 (grid unit 1 m):"},
        {"zero in RCL naming", 2, 0, 0.0f, 0.001f, true,
         "The L interval 1 to 3 has width 0 (grid unit 0.001 m):"},
        {"length overflows", 0, 2, 1e30f, 1e10f, false,
         "The X interval 3 has width 1e+30 (grid unit 1e+10 m):"},
        {"tiny unit", 0, 0, 1e-30f, 1e-30f, false, "The X interval 1 has width 1e-30 (grid unit 1e-30 m):"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetGrid(Uniform(3, 1), Uniform(3, 1), Uniform(3, 1));
        engine.model.axes[static_cast<std::size_t>(c.axis)].widths[static_cast<std::size_t>(c.cell)] =
            c.width;
        engine.model.gridUnit = c.unit;
        engine.model.rcl = c.rcl ? 1 : 0;
        const std::optional<GridLengthFault> fault = FindGridLengthFault(engine.model);
        const std::string message = fault ? GridLengthError(engine.model, *fault).Message() : std::string();
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
        EXPECT_EQ(FindGridLengthFault(engine.model).has_value(), *c.message != '\0');
    }
}

TEST_F(GridLengthTest, CalcSystemRefusesABadGridBeforeAnyQuestionOrFile)
{
    Colour(1, MATERIAL);
    Surface(2, 20, 8);
    Colour(3, BC_FREE); // radiating: Calc System would ask about view factors
    SetGrid({1, 0, 1}, Uniform(1, 1), Uniform(1, 1));
    Block(2, 0, 1, 0, 1, 0, 1);
    Block(1, 1, 2, 0, 1, 0, 1);
    Block(3, 2, 3, 0, 1, 0, 1);
    WriteBytes("tmp.vwf", "nzon=1\r\n");
    for (auto run : {&RunCalcSystem, &RunCalcSolarFluxes}) {
        host.messages.clear();
        EXPECT_EQ(run(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].rfind("The X interval 2 has width 0", 0), 0u) << host.messages[0];
        EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
        EXPECT_FALSE(std::filesystem::exists("tmp0000.sol"));
    }
    // The window's own guard, for the runs that skip Calc System (Batch).
    EXPECT_FALSE(RunCalculationWindow(engine.model, engine.run, Host()).Normal());
    EXPECT_EQ(PendingErrorCode(), ErrorCode::GridLength);
    ClearPendingError();
}

} // namespace
} // namespace gelmar::test

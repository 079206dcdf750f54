// The example wall built from File New through the tables and dialogs alone:
// the grid typed into the Grid table, the blocks into the Blocks table, the
// colours into the Colours table (display colours picked, types clicked,
// values typed), the title and run settings in their dialogs. Saved, the
// file is the one gelmar-calc writes of examples/wall.glm; reopened, the
// model is the same; Calc System gives gelmar-calc's result files, whose heat
// flux and inside surface temperature are those of the series resistances.
#include "AppFixture.h"
#include "CalcDriver.h"
#include "TableSupport.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace gelmar::test {
namespace {

class WallFromTablesTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        work = fs::path(ScratchFolder()) / "work";
    }
    void Script(std::function<void(CDialog&)> f) { platform::TestHook::Get().PushDialogScript(std::move(f)); }
    template <class T> T& View()
    {
        T* v = m_app->FindView<T>();
        EXPECT_NE(v, nullptr);
        return *v;
    }
    fs::path work;
};

TEST_F(WallFromTablesTest, BuiltFromFileNewItSavesAndCalculatesAsTheExample)
{
    // gelmar-calc's own file of the example and its results.
    const std::string example = fs::path(SUITE_EXAMPLES_DIR) / "wall.glm";
    const fs::path driver = fs::path(ScratchFolder()) / "driver";
    ASSERT_TRUE(RunDriver(driver, "--no-calc --save written.glm '" + example + "'"));
    const std::string expected = ReadFile((driver / "written.glm").string());
    fs::remove(driver / "written.glm");
    ASSERT_TRUE(RunDriver(driver, "'" + example + "'"));

    ASSERT_TRUE(Start()); // File New
    Activate(Main());

    // Title and run settings through their dialogs.
    Script([](CDialog& d) {
        d.SetDlgItemText(1018, "Plane wall 0.2 m, lambda 0.5 W/(m.K), 20 C inside, 0 C outside");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_TITLE));
    Script([](CDialog& d) {
        d.SetDlgItemText(IDC_CALC_DURATION, "0000:00:00:00");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_PARAMETERS));
    Script([](CDialog& d) {
        d.CheckRadioButton(1196, 1197, 1196);
        d.SetDlgItemText(1198, "1");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_SAVE_FREQUENCY));

    // The grid: six intervals of 0.05 m across the wall.
    CGridView& grid = View<CGridView>();
    TypeInto(grid, 1, 1, "0.05");
    for (int i = 0; i < 5; ++i) {
        grid.SetGridFocus(i + 1, 1);
        ASSERT_TRUE(Main()->ExecuteCommand(ID_INSERT_AFTER));
        TypeInto(grid, i + 2, 1, "0.05");
    }
    EXPECT_EQ(TheEngine().model.axes[0].n, 6);
    EXPECT_EQ(Text(grid, 7, 1), "0.300");

    // The blocks: inside air, wall, outside air.
    CBlockView& blocks = View<CBlockView>();
    TypeInto(blocks, 1, 2, "2");
    blocks.SetGridFocus(1, 2);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_INSERT_AFTER));
    TypeInto(blocks, 2, 2, "1");
    TypeInto(blocks, 2, 4, "5");
    TypeInto(blocks, 2, 3, "1");
    ASSERT_TRUE(Main()->ExecuteCommand(ID_INSERT_AFTER));
    TypeInto(blocks, 3, 2, "3");
    TypeInto(blocks, 3, 3, "5"); // Xmax follows to 6
    EXPECT_EQ(Text(blocks, 3, 4), "6");

    // The colours: listed are those in use, 1, 2 and 3.
    CColorView& colours = View<CColorView>();
    ASSERT_EQ(colours.GetGrid()->GetRowCount(), 4);
    struct Colour {
        int number;
        COLORREF rgb;
        int typeClicks;
        const char* name;
        std::vector<std::pair<int, const char*>> values;
    };
    const Colour wall[] = {
        {1, RGB(200, 120, 80), 0, "Wall", {{6, "0.5"}, {8, "1800"}, {9, "1000"}}},
        {2, RGB(255, 0, 0), 2, "Inside", {{10, "20"}, {11, "7.7"}}},
        {3, RGB(0, 128, 255), 2, "Outside", {{10, "0"}, {11, "25"}}},
    };
    for (const Colour& c : wall) {
        const int row = c.number;
        ASSERT_EQ(colours.ColourFromRow(row), c.number);
        platform::TestHook::Get().PushColorDialogAnswer(c.rgb);
        Click(colours, row, 1);
        for (int k = 0; k < c.typeClicks; ++k)
            Click(colours, row, 2);
        TypeInto(colours, row, 4, c.name);
        for (const auto& [col, text] : c.values)
            TypeInto(colours, row, col, text);
    }
    EXPECT_EQ(Text(colours, 2, 2), "BC_SIMPL");
    EXPECT_EQ(Text(colours, 2, 11), "7.70");
    EXPECT_TRUE(Messages().empty()) << ::testing::PrintToString(Messages());

    // Saved under the example's name: the file gelmar-calc writes of it.
    const std::string saved = (work / "wall.glm").string();
    platform::TestHook::Get().PushFileDialogAnswer({saved});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_EQ(ReadFile(saved), expected);

    // Reopened: the same model, shown in the tables.
    platform::TestHook::Get().PushFileDialogAnswer({saved});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(FormatDataFile(TheEngine().model), expected);
    ASSERT_NE(m_app->FindView<CBlockView>(), nullptr);
    EXPECT_EQ(Text(View<CBlockView>(), 2, 4), "5");

    // Calc System: gelmar-calc's result files, byte for byte.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
    EXPECT_TRUE(Messages().empty()) << ::testing::PrintToString(Messages());
    int files = 0;
    for (const auto& entry : fs::directory_iterator(driver)) {
        const fs::path mine = work / entry.path().filename();
        ASSERT_TRUE(fs::exists(mine)) << entry.path().filename();
        EXPECT_EQ(ReadFile(mine.string()), ReadFile(entry.path().string())) << entry.path().filename();
        ++files;
    }
    EXPECT_GT(files, 0);

    // The series resistances: q = 20 / (1/7.7 + 0.2/0.5 + 1/25), and the
    // inside surface lies q / 7.7 below the inside air.
    const double q = 20.0 / (1 / 7.7 + 0.2 / 0.5 + 1.0 / 25);
    EXPECT_NEAR(q, 35.0957, 5e-5);
    ASSERT_TRUE(TheEngine().run.solutionValid);
    const double inside = 20.0 - q / 7.7;
    EXPECT_NEAR(inside, 15.4421148, 5e-7);
    // The node on the inside face of the wall (grid line 1).
    const std::size_t node = static_cast<std::size_t>(TheEngine().run.work.nodeIndex[1]);
    ASSERT_LT(node, TheEngine().run.work.solution.size());
    EXPECT_NEAR(TheEngine().run.work.solution[node], inside, 1e-4);
}

} // namespace
} // namespace gelmar::test

// The text report of a transient run: which items become columns, the
// header, legends and one row per report step of a small steady wall, the
// conduction heat flow into output blocks, the buffer size, and the new
// records of the output lists.
#include "CalcModel.h"
#include "gelmar/model/output/OutputReport.h"

#include <sstream>

namespace gelmar::test {
namespace {

// Lines of a text file with their CRLF ends removed (each must have one).
std::vector<std::string> CrlfLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "text after the last line end";
    return lines;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char ch : line)
        if (ch == '\t')
            fields.emplace_back();
        else
            fields.back() += ch;
    return fields;
}

class ReportFileTest : public CalcEngineTest {
  protected:
    void Items(std::initializer_list<ReportItemRecord> items)
    {
        GrowReportItemArray(engine.model, items.size());
        engine.model.reportItems.count = static_cast<std::int32_t>(items.size());
        std::copy(items.begin(), items.end(), engine.model.reportItems.data.begin());
    }
    void OutputBlock(int i1, int i2, int j1, int j2, int k1, int k2)
    {
        const std::int32_t n = engine.model.outputBlocks.count++;
        engine.model.outputBlocks[static_cast<std::size_t>(n)] =
            OutputBlockRecord{static_cast<std::uint16_t>(i1),
                              static_cast<std::uint16_t>(i2),
                              static_cast<std::uint16_t>(j1),
                              static_cast<std::uint16_t>(j2),
                              static_cast<std::uint16_t>(k1),
                              static_cast<std::uint16_t>(k2),
                              {}};
    }
    // Outside at 0 C (h 25) | four cells of 5 cm, lambda 0.5 | inside at 20 C (h 7.7).
    void SteadyWall()
    {
        SetGrid({0.1f, 0.05f, 0.05f, 0.05f, 0.05f, 0.1f}, {1}, {1});
        Surface(1, 0, 25);
        Colour(2, MATERIAL, 0.5f);
        Surface(3, 20, 7.7f);
        Block(1, 0, 1, 0, 1, 0, 1);
        Block(2, 1, 5, 0, 1, 0, 1);
        Block(3, 5, 6, 0, 1, 0, 1);
    }
};

TEST_F(ReportFileTest, HeaderLegendsAndOneRowPerReportStep)
{
    SteadyWall();
    engine.model.outputNodes.count = 1;
    engine.model.outputNodes[0] = OutputNodeRecord{5, 0, 0, 0, 0, 0};
    OutputBlock(3, 6, 0, 2, 0, 2); // its Xmin face lies inside the wall
    OutputBlock(0, 3, 0, 2, 0, 2); // its Xmin face on the model's first line
    Items({
        {0, 1, 1, 14, 2, 0}, // time as dddd:hh:mm:ss
        {3, 1, 0, 9, 4, 0},  // inside surface node
        {1, 2, 1, 8, 2, 0},  // BC temperature of a MATERIAL colour: invalid
        {4, 1, 0, 10, 3, 0}, // block 1
        {4, 2, 0, 10, 3, 0}, // block 2
        {2, 5, 0, 8, 2, 0},  // node BC 5 of none: invalid
    });
    engine.model.timeStep = 3600;
    engine.model.calcDuration = 3 * 3600;
    engine.model.startupDuration = 3600;
    engine.model.reportFrequency = 2;
    ASSERT_TRUE(Run()) << LastMessage();

    const std::vector<std::string> lines = CrlfLines(ReadBytes("model.txt"));
    const std::vector<std::string> head = {
        "GELMAR - Report Output",
        "",
        "GELMAR data file: model.glm",
        "",
        "Column 1: Time [dddd:hh:mm:ss]",
        "Column 2: Output node 1, temperature [\xB0"
        "C]",
        "Column 3: Output block 1, incoming heat flow through conduction [W]",
        "Column 4: Output block 2, incoming heat flow through conduction [W]",
        "",
    };
    ASSERT_EQ(lines.size(), head.size() + 2); // report steps 0 and 7200 s
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 9), head);

    const double q = 20.0 / (1 / 7.7 + 4 * 0.05 / 0.5 + 1 / 25.0); // W/m2 towards the outside
    const char* times[] = {" 0000:00:00:00", " 0000:02:00:00"};
    for (int row = 0; row < 2; ++row) {
        const std::vector<std::string> f = Fields(lines[9 + static_cast<std::size_t>(row)]);
        ASSERT_EQ(f.size(), 6u) << lines[9 + static_cast<std::size_t>(row)];
        EXPECT_EQ(f[0], times[row]);
        EXPECT_EQ(f[1].size(), 9u);
        EXPECT_NEAR(std::stod(f[1]), 20 - q / 7.7, 1e-4);
        EXPECT_EQ(f[2], ""); // the invalid colour item leaves its field empty
        EXPECT_EQ(f[3].size(), 10u);
        // Block 1 loses the wall's flow through its Xmin face; its Xmax face
        // borders the inside surface cell, which conducts nothing. Block 2
        // gains it through its Xmax face; nothing enters from outside the grid.
        EXPECT_NEAR(std::stod(f[3]), -q, 1e-3);
        EXPECT_NEAR(std::stod(f[4]), q, 1e-3);
        EXPECT_EQ(f[5], ""); // the last item, invalid: a trailing empty field
    }
    EXPECT_EQ(ReportBufferFill(engine.run), 2u * 4u);
}

TEST_F(ReportFileTest, WithoutValidItemsOnlyTheHeaderIsWritten)
{
    SteadyWall();
    Items({{2, 1, 0, 8, 2, 0}, {8, 1, 0, 8, 2, 0}, {7, 0, 0, 8, 2, 0}});
    engine.model.calcDuration = 7200;
    ASSERT_TRUE(Run()) << LastMessage();
    EXPECT_EQ(ReadBytes("model.txt"),
              "GELMAR - Report Output\r\n\r\nGELMAR data file: model.glm\r\n\r\n\r\n");
    EXPECT_TRUE(engine.run.work.outputIndex.empty());
}

TEST_F(ReportFileTest, ItemValidationAndBufferSize)
{
    SteadyWall();
    engine.model.colours[4] = ColourRecord{};
    engine.model.colours[4].inUse = 1;
    engine.model.colours[4].type = EQUIMAT;
    engine.model.colours[4].rule = 2;
    GrowNodeBcArray(engine.model, 1);
    engine.model.nodeBcs.count = 1;
    engine.model.nodeBcs[0] = NodeBcRecord{};
    engine.model.nodeBcs[0].type = 1;
    struct Case {
        ReportItemRecord item;
        int valid;
    } cases[] = {
        {{0, 0, 0, 8, 2, 0}, 1},  {{0, 0, 2, 8, 2, 0}, 0},    // time; unknown sub-kind
        {{1, 4, 0, 8, 2, 0}, 1},  {{1, 2, 0, 8, 2, 0}, 0},    // equivalent lambda: EQUIMAT with a rule
        {{1, 1, 1, 8, 2, 0}, 1},  {{1, 1, 4, 8, 2, 0}, 0},    // BC_SIMPL temperature; no air temperature
        {{1, 1, 8, 8, 2, 0}, 1},  {{1, 2, 9, 8, 2, 0}, 0},    // heat flows of a boundary colour only
        {{1, 2, 10, 8, 2, 0}, 0}, {{1, 2, 18, 8, 2, 0}, 1},   // solar value without solar results; mean
        {{1, 9, 16, 8, 2, 0}, 0}, {{1, 300, 16, 8, 2, 0}, 0}, // colour not in use; beyond 255
        {{2, 1, 1, 8, 2, 0}, 1},  {{2, 1, 0, 8, 2, 0}, 0},    // node BC of its own type only
        {{2, 0, 1, 8, 2, 0}, 0},  {{5, 1, 0, 8, 2, 0}, 0},    // item numbers count from 1
        {{3, 1, 0, 8, 2, 0}, 0},  {{4, 1, 0, 8, 2, 0}, 0},    // no output node or block
        {{7, 0, 1, 8, 2, 0}, 0},  {{8, 1, 0, 8, 2, 0}, 0},    // no solar results, no control
    };
    std::vector<ReportItemRecord> items;
    for (const Case& c : cases)
        items.push_back(c.item);
    GrowReportItemArray(engine.model, items.size());
    engine.model.reportItems.count = static_cast<std::int32_t>(items.size());
    std::copy(items.begin(), items.end(), engine.model.reportItems.data.begin());
    engine.model.timeStep = 600;
    engine.model.calcDuration = 7000;
    engine.model.reportFrequency = 3;
    SizeOutputBuffer(engine.model, engine.run);
    int expected = 0;
    for (std::size_t n = 0; n < items.size(); ++n) {
        EXPECT_EQ(engine.model.reportItems[n].valid, cases[n].valid) << "item " << n;
        expected += cases[n].valid;
    }
    // 7000 / 1800 = 3, plus the row at time 0.
    EXPECT_EQ(engine.run.work.outputIndex.size(), static_cast<std::size_t>(4 * expected));
    EXPECT_EQ(ReportBufferFill(engine.run), 0u);
    // A step of 0 in the settings sizes as a step of 1, never divides by 0.
    engine.model.timeStep = 0;
    engine.model.reportFrequency = 0;
    SizeOutputBuffer(engine.model, engine.run);
    EXPECT_EQ(engine.run.work.outputIndex.size(), static_cast<std::size_t>(7001 * expected));
}

TEST_F(ReportFileTest, NewOutputRecords)
{
    struct Case {
        std::vector<float> wx, wy, wz;
        int rcl;
        OutputBlockRecord block;
    } cases[] = {
        {{1, 1}, {1, 1}, {1}, 0, {0, 1, 0, 1, 0, 2, {}}},
        {{1, 1}, {1}, {1, 1, 1}, 0, {0, 1, 0, 2, 0, 1, {}}},
        {{1}, {1, 1}, {1, 1}, 0, {0, 2, 0, 1, 0, 1, {}}},
        {{1, 1}, {1, 1}, {1, 1, 1}, 1, {0, 1, 0, 1, 3, 4, {}}},
        {{1}, {1, 1}, {1}, 1, {0, 1, 0, 1, 0, 2, {}}}, // the top layer, then one cell on z
    };
    GrowOutputBlockArray(engine.model, 1);
    for (const Case& c : cases) {
        SetGrid(c.wx, c.wy, c.wz);
        engine.model.rcl = c.rcl;
        InitOutputBlock(engine.model, 0);
        EXPECT_EQ(engine.model.outputBlocks[0], c.block)
            << c.wx.size() << c.wy.size() << c.wz.size() << c.rcl;
    }
    GrowReportItemArray(engine.model, 1);
    engine.model.reportItems[0].kind = 5;
    InitReportItem(engine.model, 0);
    EXPECT_EQ(engine.model.reportItems[0], (ReportItemRecord{0, 1, 0, 8, 2, 0}));
    FreeReportItemArray(engine.model);
    EXPECT_EQ(engine.model.reportItems.capacity, 0);
}

TEST_F(ReportFileTest, OutputBlockBoxInTheClipBox)
{
    SetGrid({1, 2, 3, 4}, {1, 1}, {2, 2});
    engine.model.clipLo[0] = 1;
    engine.model.clipHi[0] = 3;
    engine.model.clipLo[1] = 0;
    engine.model.clipHi[1] = 2;
    engine.model.clipLo[2] = 0;
    engine.model.clipHi[2] = 2;
    std::uint16_t range[6];
    EXPECT_FALSE(ClipOutputBlockRange(engine.model, OutputBlockRecord{0, 1, 0, 1, 0, 1, {}}, range));
    ASSERT_TRUE(ClipOutputBlockRange(engine.model, OutputBlockRecord{0, 3, 1, 3, 1, 2, {}}, range));
    const std::uint16_t clipped[6] = {1, 3, 1, 3, 1, 2};
    EXPECT_TRUE(std::equal(range, range + 6, clipped));
    float box[6];
    ComputeOutputBlockBox(engine.model, range, box);
    // x: raised to the clip line 1 (at 1); upper 3 is a node bound: middle
    // of cell 2 (3 + 1.5). y: lower 1 half a cell out (0.5); upper 3 meets
    // the clip box (line 2 at 2). z: lower 1 at 1, upper 2 at 3.
    const float expected[6] = {1, 4.5f, 0.5f, 2, 1, 3};
    for (int n = 0; n < 6; ++n)
        EXPECT_FLOAT_EQ(box[n], expected[n]) << n;
}

} // namespace
} // namespace gelmar::test

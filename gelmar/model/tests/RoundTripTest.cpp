// Writing the data file: a rich model reads back to the same store and the
// same bytes.
#include "ModelBuilder.h"

namespace gelmar::test {
namespace {

using RoundTripTest = EngineTest;

// Fills the store with every kind of record and setting.
void BuildRichModel(ModelStore& m)
{
    m.title = "Corner \xc3\xa9" + std::string("\r\n") + std::string(300, 't');
    m.gridUnit = 0.001f;
    const std::uint16_t cells[3] = {4, 3, 2};
    for (int k = 0; k < 3; ++k) {
        m.axes[k].n = cells[k];
        for (int i = 0; i < cells[k]; ++i)
            m.axes[k].widths[i] = 0.1f * static_cast<float>(i + 1) + 1.0f / 3.0f;
    }
    m.rcl = 1;
    m.viewAzimuth = 12.5f;
    m.timeStep = 300;
    m.startupDuration = 3600;
    m.calcDuration = 7200;
    m.day0 = 32;
    m.saveResults = 1;
    m.saveFrequency = 6;
    m.reportFrequency = 2;
    m.latitude = 40.1f;
    m.rot1z = 15;
    m.rot2x = -3;
    m.rot3z = 1;
    m.hrBlack = 4.9f;
    m.rays = 250;
    m.airspaceDeltaT = 0.0000001f;
    m.tsin = 12.5f;
    for (int n : {0, 5, 255}) {
        ColourRecord& c = m.colours[n];
        c.inUse = 1;
        SetDisplayColour(c, n, 255 - n, 7);
        c.type = n == 5 ? BC_FRE_S : MATERIAL;
        c.rule = n == 5 ? 2 : 0;
        c.name = n == 0 ? "" : "Colour \xe2\x82\xac " + std::to_string(n);
        c.pattern = 3 + n;
        c.lambda = 0.035f * static_cast<float>(n + 1);
        c.temperature = -10.25f;
        c.hGlobal = 25;
        c.solar = n == 5;
        c.solarReflection = 0.3f;
        c.temperatureFunc.Set("T03");
        c.emissivityFunc.Set("E01");
        c.con2 = 0.5f;
    }
    m.colours[9].unlinked = 1;
    m.blocks.count = 2;
    m.blocks[0] = BlockRecord{0, 0, 4, 0, 3, 0, 2, {}, 0};
    m.blocks[1] = BlockRecord{5, 1, 3, 0, 1, 1, 2, {}, 0};
    GrowMaterialBcArray(m, 2);
    m.nodeBcs.count = 1;
    m.nodeBcs[0] = NodeBcRecord{1, 4, 3, 2, 0, 0, 0, 21.5f, 0, FunctionName("T00"), FunctionName("P02"), {}};
    m.borderBcs.count = 2;
    m.borderBcs[0] = BorderFaceBcRecord{0, 5, 1, 0, 12, FunctionName("T01"), FunctionName("I00"), {}};
    m.borderBcs[1] = BorderFaceBcRecord{};
    m.materialBcs.count = 1;
    m.materialBcs[0] = MaterialBcRecord{255, 1, 3.5f, -2, FunctionName("T00"), FunctionName("P00"), {}};
    GrowFunctionArray(m, 3);
    m.functions.count = 2;
    m.functions[0] = FunctionRecord{};
    m.functions[0].name.Set("T01");
    m.functions[0].shape = 5;
    for (int p = 0; p < 6; ++p)
        m.functions[0].params[p] = 1.5f * static_cast<float>(p) - 0.1f;
    m.functions[1] = FunctionRecord{};
    m.functions[1].name.Set("D02");
    m.functions[1].filePath = "data/weather.txt";
    m.functions[1].fileTitle = "weather";
    m.ventFlowCount = 2;
    m.ventFlows[0] = VentilationFlowRecord{5, -1, 0.25f, FunctionName("V01"), {}};
    m.ventFlows[1] = VentilationFlowRecord{0, 255, 0, FunctionName("V00"), {}};
    m.controls.count = 2;
    m.controls[0] = ControlRecord{};
    m.controls[1] = ControlRecord{3,
                                  FunctionName("T01"),
                                  0.5f,
                                  2.0f,
                                  COOLING,
                                  10,
                                  20,
                                  FunctionName("P01"),
                                  FunctionName("P02"),
                                  1,
                                  1.5f,
                                  5,
                                  255,
                                  {}};
    m.outputNodes.count = 1;
    m.outputNodes[0] = OutputNodeRecord{4, 0, 2, 0, 0, 0};
    m.outputBlocks.count = 1;
    m.outputBlocks[0] = OutputBlockRecord{0, 5, 1, 2, 0, 3, {}};
    m.reportItems.count = 1;
    m.reportItems[0] = ReportItemRecord{8, 3, 18, 10, 4, 0};
    m.sunObstacleCount = 2;
    m.sunObstacles[1] = SunObstacleRecord{-45, 45, 10, 20.5f};
    ComputeGridCoordinates(m);
}

// Compares the parts of the store that the data file carries.
void ExpectSameModel(const ModelStore& a, const ModelStore& b)
{
    EXPECT_EQ(a.title, b.title);
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(a.axes[k].n, b.axes[k].n);
        for (int i = 0; i < a.axes[k].n; ++i) {
            EXPECT_EQ(a.axes[k].widths[i], b.axes[k].widths[i]);
            EXPECT_EQ(a.axes[k].coords[i], b.axes[k].coords[i]);
        }
    }
    for (int c = 0; c < kColourCount; ++c) {
        if (a.colours[c].inUse || b.colours[c].inUse) {
            EXPECT_EQ(a.colours[c], b.colours[c]) << c;
        }
    }
    const auto same = [](const auto& x, const auto& y) {
        ASSERT_EQ(x.count, y.count);
        for (std::size_t i = 0; i < static_cast<std::size_t>(x.count); ++i)
            EXPECT_EQ(x[i], y[i]) << i;
    };
    same(a.blocks, b.blocks);
    same(a.nodeBcs, b.nodeBcs);
    same(a.borderBcs, b.borderBcs);
    same(a.materialBcs, b.materialBcs);
    same(a.functions, b.functions);
    same(a.controls, b.controls);
    same(a.outputNodes, b.outputNodes);
    same(a.outputBlocks, b.outputBlocks);
    same(a.reportItems, b.reportItems);
    ASSERT_EQ(a.ventFlowCount, b.ventFlowCount);
    for (int i = 0; i < a.ventFlowCount; ++i)
        EXPECT_EQ(a.ventFlows[i], b.ventFlows[i]);
    ASSERT_EQ(a.sunObstacleCount, b.sunObstacleCount);
    for (int i = 0; i < a.sunObstacleCount; ++i)
        EXPECT_EQ(a.sunObstacles[i], b.sunObstacles[i]);
    const auto settings = [](const ModelStore& m) {
        return std::vector<double>{m.gridUnit,
                                   double(m.rcl),
                                   m.viewAzimuth,
                                   m.viewAltitude,
                                   double(m.timeStep),
                                   double(m.startupDuration),
                                   double(m.calcDuration),
                                   double(m.day0),
                                   double(m.saveResults),
                                   double(m.saveFrequency),
                                   double(m.reportFrequency),
                                   m.latitude,
                                   m.longitude,
                                   m.timeZone,
                                   m.groundReflection,
                                   m.rot1z,
                                   m.rot2x,
                                   m.rot3z,
                                   m.hrBlack,
                                   double(m.rays),
                                   m.airspaceDeltaT,
                                   m.tsin,
                                   m.tmax,
                                   double(m.linearRadiation),
                                   m.minViewFactor,
                                   double(m.iterations)};
    };
    EXPECT_EQ(settings(a), settings(b));
}

TEST_F(RoundTripTest, RichModelReadsBackIdentically)
{
    BuildRichModel(engine.model);
    const ModelStore original = engine.model;
    ASSERT_TRUE(WriteDataFile(engine.model, "rich.glm"));
    const std::string first = ReadBytes("rich.glm");
    EXPECT_NE(first.find("\r\n"), std::string::npos);
    EXPECT_EQ(first.find("\n\n"), std::string::npos);
    // Every line stays within the reader's limit.
    for (std::size_t p = 0, q; (q = first.find("\r\n", p)) != std::string::npos; p = q + 2)
        ASSERT_LE(q - p, 255u);

    // Into a store that held another model: the file decides everything.
    for (ColourRecord& c : engine.model.colours)
        c.lambda = 7;
    engine.model.dataFilePath = "rich.glm";
    ASSERT_TRUE(
        ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters, Host()))
        << (host.messages.empty() ? "" : host.messages[0]);
    ExpectSameModel(original, engine.model);

    ASSERT_TRUE(WriteDataFile(engine.model, "rich2.glm"));
    EXPECT_EQ(ReadBytes("rich2.glm"), first);
}

TEST_F(RoundTripTest, EmptyModelWritesNoCountsThatWouldBeRefused)
{
    const std::string bytes = FormatDataFile(engine.model);
    EXPECT_EQ(bytes.find("nblk="), std::string::npos);
    EXPECT_EQ(bytes.find("nxwi="), std::string::npos);
    WriteBytes("empty.glm", bytes);
    engine.model.dataFilePath = "empty.glm";
    EXPECT_TRUE(
        ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters, Host()));
    EXPECT_EQ(FormatDataFile(engine.model), bytes);
}

TEST_F(RoundTripTest, FunctionNameFieldsNeverCutACharacter)
{
    // Byte 0x89 is a three-byte character in memory: a three-byte name
    // field must keep whole characters, or the saved name reads back changed.
    for (const char* name : {"5\x89\x89", "T0\x89", "\xE9\xE9"}) {
        SCOPED_TRACE(name);
        WriteBytes("names.glm", std::string("nmat=1\r\nmati=0\r\nmatf=") + name + "\r\n");
        engine.model.dataFilePath = "names.glm";
        ASSERT_TRUE(
            ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters, Host()));
        const std::string first = FormatDataFile(engine.model);
        ASSERT_TRUE(WriteDataFile(engine.model, "names2.glm"));
        engine.model.dataFilePath = "names2.glm";
        ASSERT_TRUE(
            ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters, Host()));
        EXPECT_EQ(FormatDataFile(engine.model), first);
    }
}

TEST_F(RoundTripTest, FailedWriteKeepsTheOldFile)
{
    WriteBytes("dir-as-file.glm", "old");
    EXPECT_FALSE(WriteDataFile(engine.model, "no-such-folder/x.glm"));
    EXPECT_EQ(ReadBytes("dir-as-file.glm"), "old");
}

} // namespace
} // namespace gelmar::test

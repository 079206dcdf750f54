// Listing test support.
#include "ListingSupport.h"

#include "common/core/RtfDocument.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

namespace gelmar::test {

void LoadGelmarStrings()
{
    static const bool loaded = [] {
        std::string error;
        const bool ok = platform::Strings().LoadEnglishFile(
            std::string(SUITE_SOURCE_DIR) + "/resources/gelmar/Gelmar.str", &error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }();
    ASSERT_TRUE(loaded);
}

std::unique_ptr<ModelStore> NewStore()
{
    return std::make_unique<ModelStore>();
}

void SetAxis(ModelStore& m, int axis, std::initializer_list<float> widths)
{
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    a.n = static_cast<std::uint16_t>(widths.size());
    a.widths.assign(widths);
    a.coords.clear();
    float sum = 0;
    for (float w : widths)
        a.coords.push_back(sum += w);
}

BlockRecord& AddBlock(ModelStore& m, int colour, int x1, int x2, int y1, int y2, int z1, int z2)
{
    m.blocks.Grow(m.blocks.count + 1u);
    BlockRecord& b = m.blocks[m.blocks.count++];
    b = BlockRecord{};
    b.colour = static_cast<std::uint8_t>(colour);
    b.x1 = static_cast<std::uint16_t>(x1);
    b.x2 = static_cast<std::uint16_t>(x2);
    b.y1 = static_cast<std::uint16_t>(y1);
    b.y2 = static_cast<std::uint16_t>(y2);
    b.z1 = static_cast<std::uint16_t>(z1);
    b.z2 = static_cast<std::uint16_t>(z2);
    return b;
}

ColourRecord& UseColour(ModelStore& m, int n, int type, const std::string& name)
{
    ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
    c.inUse = 1;
    c.type = type;
    c.name = name;
    return c;
}

ShownListing Show(const std::function<void(ListingWriter&)>& listing)
{
    ShownListing shown;
    ListingWriter out([&](common::CRtfDocument& doc) {
        ++shown.handOvers;
        for (const common::CRtfTextRun& run : doc.TakeRuns()) {
            shown.text += run.text;
            if (run.format.switches[common::CRtfRun::kBold].on)
                shown.bold.push_back(run.text);
            if (run.format.switches[common::CRtfRun::kUnderline].on)
                shown.underlined.push_back(run.text);
        }
    });
    listing(out);
    out.Finish();
    return shown;
}

std::unique_ptr<ModelStore> WallModel()
{
    auto m = NewStore();
    m->title = "Wall test";
    m->dataFilePath = "/models/wall.glm";
    SetAxis(*m, 0, {0.25f, 0.5f, 0.125f, 0.125f, 1.0f});
    SetAxis(*m, 1, {1.0f, 0.5f});
    SetAxis(*m, 2, {2.0f});
    AddBlock(*m, 1, 0, 2, 0, 2, 0, 1);
    AddBlock(*m, 2, 2, 5, 0, 1, 0, 1);

    m->functions.Grow(4);
    m->functions.count = 4;
    FunctionRecord& constant = m->functions[0];
    constant.name = FunctionName("T01");
    constant.shape = 1;
    constant.params[0] = 20;
    constant.inUse = 1;
    FunctionRecord& file = m->functions[1];
    file.name = FunctionName("T02");
    file.shape = 0;
    file.filePath = "C:\\data\\t.fte";
    file.inUse = 1;
    FunctionRecord& sine = m->functions[2];
    sine.name = FunctionName("I01");
    sine.shape = 5;
    sine.params[0] = 100;
    sine.params[1] = 50;
    sine.params[2] = 1440;
    sine.params[3] = 0;
    sine.inUse = 1;
    m->functions[3].name = FunctionName("C01"); // not referred to: not listed
    m->functions[3].shape = 1;

    ColourRecord& concrete = UseColour(*m, 1, MATERIAL, "Concrete");
    concrete.lambda = 1.7f;
    concrete.epsilon = 0.9f;
    concrete.density = 2400;
    concrete.heatCapacity = 880;
    concrete.solarReflection = 0.3f;
    concrete.solarTransmission = 0;
    ColourRecord& inside = UseColour(*m, 2, BC_SIMPL, "Inside air");
    inside.rule = 1;
    inside.temperature = 20;
    inside.temperatureFunc = FunctionName("T01");
    inside.hGlobal = 7.7f;
    inside.fluxFunc = FunctionName("I01");
    inside.solar = 1;
    ColourRecord& cavity = UseColour(*m, 3, BC_FREE, "Cavity");
    cavity.rule = 2;
    cavity.density = 1.2f;
    cavity.heatCapacity = 1000;
    cavity.flux = 0;
    cavity.hConvective = 2.5f;
    cavity.qConvective = 0;
    cavity.con1 = 0.025f;
    cavity.con2 = 0.73f;
    cavity.con3 = 0.333333f;

    m->nodeBcs.Grow(2);
    m->nodeBcs.count = 2;
    m->nodeBcs[0].type = 0;
    m->nodeBcs[0].i = 1, m->nodeBcs[0].j = 1, m->nodeBcs[0].k = 0;
    m->nodeBcs[0].temperature = 15;
    m->nodeBcs[1].type = 1;
    m->nodeBcs[1].i = 3, m->nodeBcs[1].j = 0, m->nodeBcs[1].k = 1;
    m->nodeBcs[1].power = 50;

    m->borderBcs.Grow(2);
    m->borderBcs.count = 2;
    m->borderBcs[0].colour1 = 1, m->borderBcs[0].colour2 = 2;
    m->borderBcs[0].type = 0;
    m->borderBcs[0].temperature = 10;
    m->borderBcs[1].colour1 = 3, m->borderBcs[1].colour2 = -1;

    m->materialBcs.Grow(2);
    m->materialBcs.count = 2;
    m->materialBcs[0].colour = 1;
    m->materialBcs[0].type = 1;
    m->materialBcs[0].power = 1000;
    m->materialBcs[1].colour = 1;
    m->materialBcs[1].type = 0;
    m->materialBcs[1].temperature = 5;

    m->ventFlowCount = 1;
    m->ventFlows[0].colourFrom = 3;
    m->ventFlows[0].colourTo = -1;
    m->ventFlows[0].flow = 0.01f;

    m->outputNodes.Grow(1);
    m->outputNodes.count = 1;
    m->outputNodes[0].i = 2, m->outputNodes[0].j = 1, m->outputNodes[0].k = 0;
    m->outputBlocks.Grow(1);
    m->outputBlocks.count = 1;
    OutputBlockRecord& ob = m->outputBlocks[0];
    ob.i1 = 2, ob.i2 = 5, ob.j1 = 0, ob.j2 = 1, ob.k1 = 0, ob.k2 = 1;

    m->sunObstacleCount = 1;
    m->sunObstacles[0] = {90, 180, 0, 30};

    m->controls.Grow(1);
    m->controls.count = 1;
    ControlRecord& control = m->controls[0];
    control.sensor = 1;
    control.targetFunc = FunctionName("T03");
    control.purpose = HEATING;
    control.timeOn = 10;
    control.timeOff = 5;
    control.offFunc = FunctionName("V01");
    control.onFunc = FunctionName("V02");
    control.testDeltaT = 1;
    control.deltaT = 2;
    control.zone1 = 3;
    control.zone2 = 4;
    return m;
}

std::unique_ptr<ModelStore> ResultModel()
{
    auto m = NewStore();
    m->dataFilePath = "/data/r.glm";
    SetAxis(*m, 0, {1, 1});
    SetAxis(*m, 1, {1});
    SetAxis(*m, 2, {1});
    ColourRecord& brick = UseColour(*m, 1, MATERIAL, "Brick");
    brick.resultMin = 10.5f;
    brick.resultMax = 19.25f;
    brick.working.lowestPoint[0] = 0, brick.working.lowestPoint[1] = 0, brick.working.lowestPoint[2] = 0;
    brick.working.highestPoint[0] = 2, brick.working.highestPoint[1] = 1, brick.working.highestPoint[2] = 1;
    ColourRecord& inside = UseColour(*m, 2, BC_SIMPL, "Inside surface of the wall");
    inside.resultMin = inside.resultMax = 20;
    inside.working.lowestPoint[0] = inside.working.highestPoint[0] = 2;
    inside.resultValue1 = 12.5f;
    ColourRecord& air = UseColour(*m, 3, BC_FREE, "Air");
    air.airTemperature = 18.25f;
    air.resultValue2 = 3.5f;
    return m;
}

Work::Work(const ModelStore& m, std::int32_t time)
{
    run.calcTime = time;
    const int nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    w.rowStride = nx + 1;
    w.layerStride = (nx + 1) * (ny + 1);
    w.layerSize = nx * ny;
    w.nodeIndex.resize(static_cast<std::size_t>((nx + 1) * (ny + 1) * (nz + 1)));
    for (std::size_t n = 0; n < w.nodeIndex.size(); ++n) {
        w.nodeIndex[n] = static_cast<std::int32_t>(n);
        w.solution.push_back(10.0 + static_cast<double>(n));
    }
    w.gridNodeCount = static_cast<kernels::Index>(w.nodeIndex.size());
    w.cellColours.assign(static_cast<std::size_t>(nx * ny * nz), 0xFFFF);
}

void Work::Colour(const ModelStore& m, int c, int i, int j, int k)
{
    w.cellColours[static_cast<std::size_t>(i + j * m.axes[0].n + k * w.layerSize)] =
        static_cast<std::uint16_t>(c);
}

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace gelmar::test

// Init Areas && U Values on small models: an L-shaped corner gives one
// element per wall with its area on the outer or the inner face by the
// dimension setting; a model with one BC_SIMPL temperature gives the low
// faces of the solid box; the U lines measure only between BC_SIMPL
// environments of different temperatures; the wait cursor is shown.
#include "novelk/model/areas/InitAreas.h"

#include "CalcFixture.h"
#include "novelk/model/areas/Areas.h"

namespace novelk::test {
namespace {

class WaitHost : public CalcHost {
  public:
    void BeginWaitCursor() override { calls.push_back("wait"); }
    void EndWaitCursor() override { calls.push_back("end wait"); }
};

class InitAreasTest : public CalcTest {
  protected:
    // Unit cells: outside air (0 °C, h 25) one cell thick, walls of three
    // cells (lambda 1) 8 cells long from the outer corner, inside air
    // (20 °C, h 7.7) one cell thick; 2D along Z.
    void BuildCorner()
    {
        const int n = 9;
        SetUnitGrid(n, n, 1);
        Surface(1, 20, 7.7f);
        Surface(2, 0, 25);
        Material(3, 1.0f);
        AddBlock(2, 0, n, 0, 1, 0, 1);
        AddBlock(2, 0, 1, 1, n, 0, 1);
        AddBlock(3, 1, n, 1, 4, 0, 1);
        AddBlock(3, 1, 4, 4, n, 0, 1);
        AddBlock(1, 4, n, 4, 5, 0, 1);
        AddBlock(1, 4, 5, 5, n, 0, 1);
    }
    static AreaRecord Box(int x1, int x2, int y1, int y2, int z1, int z2)
    {
        return AreaRecord{std::uint16_t(x1), std::uint16_t(x2), std::uint16_t(y1),
                          std::uint16_t(y2), std::uint16_t(z1), std::uint16_t(z2)};
    }
    // The six bounds of a record, to compare boxes alone.
    static std::array<int, 6> Bounds(const AreaRecord& r) { return {r.x1, r.x2, r.y1, r.y2, r.z1, r.z2}; }

    WaitHost waitHost;
};

TEST_F(InitAreasTest, LShapedCornerGivesOneElementPerWall)
{
    BuildCorner();
    const double u = 1 / (1 / 7.7 + 3.0 + 1 / 25.0);
    // External dimensions: the outer faces from the outer corner on; the
    // elements are the solid box's far edges through each wall.
    InitAreasAndUValues(model, run, waitHost, true);
    EXPECT_EQ(waitHost.calls, (std::vector<std::string>{"wait", "end wait"}));
    EXPECT_EQ(Bounds(model.elements[0]), Bounds(Box(1, 9, 9, 9, 0, 0)));
    EXPECT_EQ(Bounds(model.elements[1]), Bounds(Box(9, 9, 1, 9, 0, 0)));
    EXPECT_EQ(model.elements[2], AreaRecord{});
    EXPECT_NEAR(model.elements[0].value, u, 1e-9);
    EXPECT_NEAR(model.elements[1].value, u, 1e-9);
    EXPECT_EQ(Bounds(model.areas[0]), Bounds(Box(1, 1, 1, 9, 0, 1)));
    EXPECT_EQ(Bounds(model.areas[1]), Bounds(Box(1, 9, 1, 1, 0, 1)));
    EXPECT_EQ(model.areas[2], AreaRecord{});
    EXPECT_NEAR(model.areas[0].value, 8.0, 1e-9);
    EXPECT_NEAR(model.areas[1].value, 8.0, 1e-9);
    // Internal dimensions: the inner faces, from the inner corner on.
    InitAreasAndUValues(model, run, waitHost, false);
    EXPECT_EQ(Bounds(model.elements[0]), Bounds(Box(1, 9, 9, 9, 0, 0)));
    EXPECT_EQ(Bounds(model.elements[1]), Bounds(Box(9, 9, 1, 9, 0, 0)));
    EXPECT_EQ(Bounds(model.areas[0]), Bounds(Box(4, 4, 4, 9, 0, 1)));
    EXPECT_EQ(Bounds(model.areas[1]), Bounds(Box(4, 9, 4, 4, 0, 1)));
    EXPECT_NEAR(model.areas[0].value, 5.0, 1e-9);
    // The element records measure as the U lines did.
    const double measured[2] = {model.elements[0].value, model.elements[1].value};
    ComputeElementUValues(model);
    EXPECT_EQ(model.elements[0].value, measured[0]);
    EXPECT_EQ(model.elements[1].value, measured[1]);
}

TEST_F(InitAreasTest, OneSimpleTemperatureGivesTheLowFacesOfTheSolidBox)
{
    SetUnitGrid(7, 6, 5);
    Surface(1, 20, 7.7f);
    Surface(2, 20, 25); // the same temperature: nothing to measure between
    Material(3, 1.0f);
    AddBlock(1, 0, 2, 0, 6, 0, 5);
    AddBlock(2, 5, 7, 0, 6, 0, 5);
    AddBlock(3, 2, 5, 1, 4, 1, 3);
    model.elements[0] = Box(0, 7, 0, 0, 0, 0); // reset by the command
    InitAreasAndUValues(model, run, waitHost, true);
    for (const AreaRecord& e : model.elements)
        EXPECT_EQ(e, AreaRecord{});
    EXPECT_EQ(Bounds(model.areas[0]), Bounds(Box(2, 2, 1, 4, 1, 3)));
    EXPECT_EQ(Bounds(model.areas[1]), Bounds(Box(2, 5, 1, 1, 1, 3)));
    EXPECT_EQ(Bounds(model.areas[2]), Bounds(Box(2, 5, 1, 4, 1, 1)));
    EXPECT_NEAR(model.areas[0].value, 6.0, 1e-9);
    EXPECT_NEAR(model.areas[1].value, 6.0, 1e-9);
    EXPECT_NEAR(model.areas[2].value, 9.0, 1e-9);
    // Without any solid cell every record stays reset.
    model.blocks.count = 2;
    InitAreasAndUValues(model, run, waitHost, true);
    for (int i = 0; i < kAreaRecords; ++i) {
        EXPECT_EQ(model.areas[std::size_t(i)], AreaRecord{});
        EXPECT_EQ(model.elements[std::size_t(i)], AreaRecord{});
    }
}

TEST_F(InitAreasTest, ULinesMeasureBetweenSimpleEnvironmentsOfTwoTemperatures)
{
    // inside air | 2 cells of lambda 0.5 | outside air, along X.
    SetGrid({0.1f, 0.1f, 0.1f, 0.1f}, {1.0f}, {1.0f});
    Surface(1, 20, 7.7f);
    Surface(2, 0, 25);
    Material(3, 0.5f);
    AddBlock(1, 0, 1, 0, 1, 0, 1);
    AddBlock(3, 1, 3, 0, 1, 0, 1);
    AddBlock(2, 3, 4, 0, 1, 0, 1);
    const AreaRecord line = Box(0, 4, 0, 0, 0, 0);
    const double r = 1 / 7.7 + 0.4 + 1 / 25.0;
    struct Case {
        const char* what;
        void (*change)(ModelStore&);
        bool measures;
        int plane[2]; // external, internal
        int side[2];
    } cases[] = {
        {"two BC_SIMPL temperatures", [](ModelStore&) {}, true, {3, 1}, {1, 0}},
        {"warm and cold the other way round",
         [](ModelStore& m) { m.colours[1].temperature = -5; },
         true,
         {1, 3},
         {0, 1}},
        {"one temperature", [](ModelStore& m) { m.colours[2].temperature = 20; }, false, {}, {}},
        {"a BC_FRE_S environment", [](ModelStore& m) { m.colours[2].type = BC_FRE_S; }, false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModelStore saved = model;
        c.change(model);
        for (int way = 0; way < 2; ++way) {
            const std::optional<ULineMeasure> u = MeasureULine(model, line, way == 0);
            ASSERT_EQ(u.has_value(), c.measures);
            if (!u)
                continue;
            EXPECT_NEAR(u->r, r, 1e-6);
            EXPECT_EQ(u->plane, c.plane[way]);
            EXPECT_EQ(u->side, c.side[way]);
        }
        // The element line accepts BC_FRE_S and a single temperature.
        model.elements[0] = line;
        ComputeElementUValues(model);
        EXPECT_NEAR(model.elements[0].value, 1 / r, 1e-6);
        model = saved;
    }
}

} // namespace
} // namespace novelk::test

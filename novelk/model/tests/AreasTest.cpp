// Areas of the A records and the one-dimensional U of the element lines,
// against hand calculations of the layers (R = 1/hi + sum d/lambda + 1/he).
#include "novelk/model/areas/Areas.h"

#include "ModelFixture.h"

#include <cmath>

namespace novelk::test {
namespace {

using AreasTest = ModelTest;

double HandU()
{
    return 1.0 / (1 / 7.7 + 0.015 / 0.57 + 0.19 / 0.9 + 0.08 / 0.035 + 1 / 25.0);
}

class WallTest : public AreasTest {
  protected:
    // A wall along x of two rows on y: inside air (h 7.7), plaster, masonry,
    // insulation, outside air (h 25); widths in the grid unit.
    void Build(float unit, float scale)
    {
        model.gridUnit = unit;
        SetGrid({50 * scale, 15 * scale, 190 * scale, 80 * scale, 50 * scale}, {500 * scale, 500 * scale},
                {1000 * scale});
        SetColour(1, BC_SIMPL, 1, 20, 7.7f);
        SetColour(2, MATERIAL, 0.57f);
        SetColour(3, MATERIAL, 0.9f);
        SetColour(4, EQUIMAT, 0.035f); // a cavity layer with its equivalent conductivity counts alike
        SetColour(5, BC_SIMPL, 1, 0, 25.0f);
        for (int c = 0; c < 5; ++c)
            AddBlock(c + 1, c, c + 1, 0, 2, 0, 1);
    }
};

TEST_F(WallTest, ElementUOfALineThroughTheLayers)
{
    for (const auto& [unit, scale] : {std::pair{0.001f, 1.0f}, std::pair{1.0f, 0.001f}}) {
        ResetModel(model, defaults);
        Build(unit, scale);
        // Along x at the line between the two rows (both rows alike: uniform).
        const AreaRecord line{0, 5, 1, 1, 0, 0};
        ASSERT_TRUE(IsAxisLine(line));
        EXPECT_TRUE(IsUniformLine(model, line));
        const std::optional<double> r = MeasureElementLine(model, line);
        ASSERT_TRUE(r.has_value());
        EXPECT_NEAR(1 / *r, HandU(), 1e-6 * HandU());
        // Along the model's edge at y = 0, z = 1: the same.
        model.elements[1] = AreaRecord{0, 5, 0, 0, 1, 1};
        ComputeElementUValues(model);
        EXPECT_NEAR(model.elements[1].value, HandU(), 1e-6 * HandU());
        EXPECT_EQ(model.elements[0].value, 0); // a zero box is not a line
    }
}

TEST_F(WallTest, LinesThatDoNotMeasure)
{
    Build(0.001f, 1.0f);
    struct Case {
        const char* what;
        void (*change)(ModelStore&);
        AreaRecord line;
    } cases[] = {
        {"a box with two extents", [](ModelStore&) {}, AreaRecord{0, 5, 0, 1, 0, 0}},
        {"a box with none", [](ModelStore&) {}, AreaRecord{2, 2, 0, 0, 0, 0}},
        {"along a material boundary",
         [](ModelStore& m) {
             // Plaster over the masonry in the upper row.
             GrowBlockArray(m, m.blocks.count + 1u);
             m.blocks[m.blocks.count++] = BlockRecord{2, 2, 3, 1, 2, 0, 1};
         },
         AreaRecord{0, 5, 1, 1, 0, 0}},
        {"starts in a BC_FREE cell", [](ModelStore& m) { m.colours[1].type = BC_FREE; },
         AreaRecord{0, 5, 0, 0, 0, 0}},
        {"a TRANSMAT layer", [](ModelStore& m) { m.colours[3].type = TRANSMAT; },
         AreaRecord{0, 5, 0, 0, 0, 0}},
        {"no second environment", [](ModelStore& m) { m.blocks[4].colour = 3; },
         AreaRecord{0, 5, 0, 0, 0, 0}},
        {"a zero conductivity", [](ModelStore& m) { m.colours[2].lambda = 0; }, AreaRecord{0, 5, 0, 0, 0, 0}},
        {"an environment without h", [](ModelStore& m) { m.colours[1].hGlobal = 0; },
         AreaRecord{0, 5, 0, 0, 0, 0}},
        {"a zero width", [](ModelStore& m) { m.axes[0].widths[1] = 0; }, AreaRecord{0, 5, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ModelStore saved = model;
        c.change(model);
        model.elements[0] = c.line;
        ComputeElementUValues(model);
        EXPECT_EQ(model.elements[0].value, 0) << c.what;
        model = saved;
    }
}

TEST_F(AreasTest, TheFirstEnvironmentRestartsAtAnotherH)
{
    // Two cells of inside air: the second, with h 5, is the surface.
    model.gridUnit = 0.001f;
    SetGrid({25, 25, 15, 190, 80, 50}, {500}, {1000});
    SetColour(1, BC_SIMPL, 1, 20, 7.7f);
    SetColour(6, BC_SIMPL, 1, 20, 5.0f);
    SetColour(2, MATERIAL, 0.57f);
    SetColour(3, MATERIAL, 0.9f);
    SetColour(4, MATERIAL, 0.035f);
    SetColour(5, BC_SIMPL, 1, 0, 25.0f);
    const int order[] = {1, 6, 2, 3, 4, 5};
    for (int c = 0; c < 6; ++c)
        AddBlock(order[c], c, c + 1, 0, 1, 0, 1);
    const std::optional<double> r = MeasureElementLine(model, AreaRecord{0, 6, 0, 0, 0, 0});
    ASSERT_TRUE(r);
    EXPECT_NEAR(*r, 1 / 5.0 + 0.015 / 0.57 + 0.19 / 0.9 + 0.08 / 0.035 + 1 / 25.0, 1e-6);
}

TEST_F(WallTest, EnforcedValuesAndTheReader)
{
    Build(0.001f, 1.0f);
    model.elements[0] = AreaRecord{0, 5, 0, 0, 0, 0};
    model.elements[0].enforced = 0.4;
    ComputeElementUValues(model);
    EXPECT_EQ(GetElementUValue(model, 0), 0.4);
    model.elements[0].enforced = 0;
    EXPECT_NEAR(GetElementUValue(model, 0), HandU(), 1e-6 * HandU());
    // Reading the model computes the areas and the element values.
    model.areas[0] = AreaRecord{0, 0, 0, 2, 0, 1};
    WriteDataFile(model, "wall.nvk");
    ResetModel(model, defaults);
    ASSERT_EQ(ReadFile("wall.nvk"), "");
    EXPECT_NEAR(model.elements[0].value, HandU(), 1e-6 * HandU());
    EXPECT_NEAR(model.areas[0].value, 1.0 * 1.0, 1e-6); // 1000 mm x 1000 mm
}

TEST_F(AreasTest, AreasOfFlatBoxes)
{
    model.gridUnit = 0.01f;
    SetGrid({10, 20}, {30, 40}, {50});
    model.areas[0] = AreaRecord{1, 1, 0, 2, 0, 1}; // flat on x: y 70 x z 50
    model.areas[1] = AreaRecord{0, 2, 1, 1, 0, 1}; // flat on y: x 30 x z 50
    model.areas[2] = AreaRecord{0, 1, 0, 1, 0, 1}; // not flat
    ComputeAreas(model);
    EXPECT_NEAR(model.areas[0].value, 0.7 * 0.5, 1e-7);
    EXPECT_NEAR(model.areas[1].value, 0.3 * 0.5, 1e-7);
    EXPECT_EQ(model.areas[2].value, 0);
    EXPECT_FALSE(AreaOverlapsOther(model, 0));
    model.areas[2] = AreaRecord{2, 2, 0, 2, 0, 1}; // the same y and z span as A1
    ComputeAreas(model);
    EXPECT_TRUE(AreaOverlapsOther(model, 0));
    EXPECT_TRUE(AreaOverlapsOther(model, 2));
    EXPECT_FALSE(AreaOverlapsOther(model, 1));
    ResetAreas(model);
    EXPECT_EQ(model.areas[0], AreaRecord{});
    model.elements[1].enforced = 2;
    ResetElementUValues(model);
    EXPECT_EQ(model.elements[1], AreaRecord{});
}

} // namespace
} // namespace novelk::test

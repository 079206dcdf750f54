// Sources and surface terms of the assembly: point, face and volume powers
// reach the boundaries in full, a uniformly heated slab takes its parabola,
// and surfaces without a coefficient or flux add nothing.
#include "CalcModel.h"

namespace gelmar::test {
namespace {

class AssemblyTest : public CalcEngineTest {
  protected:
    // Surfaces 1 and 2 at 0 °C around four 50 mm cells of colours 3 (the
    // first two) and 4.
    void Wall(float h)
    {
        SetGrid({1, 0.05f, 0.05f, 0.05f, 0.05f, 1}, {1}, {1});
        Surface(1, 0, h);
        Surface(2, 0, h);
        Colour(3, MATERIAL, 0.5f);
        Colour(4, MATERIAL, 0.5f);
        Block(1, 0, 1, 0, 1, 0, 1);
        Block(3, 1, 3, 0, 1, 0, 1);
        Block(4, 3, 5, 0, 1, 0, 1);
        Block(2, 5, 6, 0, 1, 0, 1);
    }
    double NetOutflow() const
    {
        double out = 0;
        for (int c = 1; c <= 2; ++c)
            out += double(engine.model.colours[c].resultValue2) - engine.model.colours[c].resultValue1;
        return out;
    }
};

TEST_F(AssemblyTest, PointAndFacePowersLeaveThroughTheSurfaces)
{
    Wall(10);
    // Along z the grid has one cell: each record feeds (3, j, 0) and (3, j, 1).
    NodeBc(1, 3, 0, 0).power = 6;
    NodeBc(1, 3, 1, 0).power = 6;
    GrowBorderBcArray(engine.model, 1);
    engine.model.borderBcs.count = 1;
    BorderFaceBcRecord& face = engine.model.borderBcs[0];
    face = BorderFaceBcRecord{};
    face.colour1 = 4;
    face.colour2 = 3;
    face.type = 1;
    face.flux = 7; // W/m2 over 1 m2
    ASSERT_TRUE(Run());
    EXPECT_NEAR(NetOutflow(), 12 + 7, 1e-4);
    EXPECT_NEAR(T(3, 0, 0), T(3, 1, 1), 1e-9);
    // Symmetric wall: the two surfaces share the heat.
    EXPECT_NEAR(engine.model.colours[1].resultValue2, 9.5, 1e-4);

    // A later step of the unchanged model keeps the field.
    const double steady = T(3, 0, 0);
    engine.model.calcDuration = 2 * 3600;
    engine.model.colours[3].density = engine.model.colours[4].density = 1000;
    ASSERT_TRUE(Run());
    EXPECT_NEAR(T(3, 0, 0), steady, 1e-8);
}

TEST_F(AssemblyTest, UniformlyHeatedSlabTakesItsParabola)
{
    Wall(10);
    engine.model.colours[1].type = MATERIAL; // the two end cells become held layers
    engine.model.colours[2].type = MATERIAL;
    FixedMaterial(1, 0);
    FixedMaterial(2, 0);
    for (int c : {3, 4}) {
        MaterialBcRecord& r = FixedMaterial(c, 0);
        r.type = 1;
        r.power = 100; // W/m3
    }
    ASSERT_TRUE(Run());
    const double lambda = 0.5f, w = 0.05f, length = 4 * w;
    for (int i = 1; i <= 5; ++i) {
        const double x = (i - 1) * w;
        EXPECT_NEAR(T(i, 0, 1), 100 * x * (length - x) / (2 * lambda), 1e-7) << "point " << i;
    }
}

TEST_F(AssemblyTest, SurfaceWithoutCoefficientOrFluxIsAdiabatic)
{
    Wall(0);
    engine.model.colours[1].temperature = 50; // no coefficient: no effect
    NodeBc(0, 5, 0, 0).temperature = 4;
    NodeBc(0, 5, 1, 0).temperature = 4;
    ASSERT_TRUE(Run());
    for (int i = 1; i <= 5; ++i)
        EXPECT_NEAR(T(i, 1, 0), 4.0, 1e-8);
    engine.model.colours[1].flux = 20; // W/m2 into the wall, out at the held point
    ASSERT_TRUE(Run());
    EXPECT_NEAR(T(1, 0, 0) - T(5, 0, 0), 20 * 0.2 / 0.5, 1e-6);
}

} // namespace
} // namespace gelmar::test

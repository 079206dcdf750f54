// The model store: block corners of either handedness, bounds, grid
// coordinates, coordinate texts, the rotation, the colour queries and the reset.
#include "parven/model/store/ColourQueries.h"
#include "parven/model/store/CoordinateText.h"
#include "parven/model/store/ShapeModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace parven;

ShapeModel FreshModel()
{
    ShapeModel m;
    ResetModel(m, ProgramParameters{}, DefaultColourTable());
    return m;
}

double TripleProduct(const BlockRecord& b)
{
    double u[3], v[3], w[3];
    for (int k = 0; k < 3; ++k) {
        u[k] = b.points[1][k] - b.points[0][k];
        v[k] = b.points[2][k] - b.points[0][k];
        w[k] = b.points[3][k] - b.points[0][k];
    }
    return u[0] * (v[1] * w[2] - v[2] * w[1]) + u[1] * (v[2] * w[0] - v[0] * w[2]) + u[2] * (v[0] * w[1] - v[1] * w[0]);
}

TEST(ModelStore, BoxCornersOfEitherHandednessSpanAPositiveVolume)
{
    struct Case {
        float p1[3], p8[3];
    } cases[] = {
        {{0, 0, 0}, {10, 5, 5}},  {{10, 0, 0}, {0, 5, 5}},  {{0, 5, 0}, {10, 0, 5}}, {{0, 0, 5}, {10, 5, 0}},
        {{10, 5, 0}, {0, 0, 5}},  {{10, 0, 5}, {0, 5, 0}},  {{0, 5, 5}, {10, 0, 0}}, {{10, 5, 5}, {0, 0, 0}},
        {{-1.5f, 2, 3}, {4, -2, 0.25f}},
    };
    for (const Case& c : cases) {
        BlockRecord b;
        std::copy(c.p1, c.p1 + 3, b.points[0]);
        std::copy(c.p8, c.p8 + 3, b.points[7]);
        DeriveBlockCorners(b, false);
        EXPECT_GT(TripleProduct(b), 0) << c.p1[0] << " " << c.p8[0];
        // The opposite corner is the one entered, and the box spans it.
        EXPECT_EQ(b.points[7][0], c.p8[0]);
        EXPECT_EQ(b.points[7][1], c.p8[1]);
        EXPECT_EQ(b.points[7][2], c.p8[2]);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(b.points[4][k] + b.points[3][k] - b.points[0][k], b.points[7][k]);
    }
    // The corners named for a box given from (10, 0, 0) to (0, 5, 5).
    BlockRecord b;
    const float p1[3] = {10, 0, 0}, p8[3] = {0, 5, 5};
    std::copy(p1, p1 + 3, b.points[0]);
    std::copy(p8, p8 + 3, b.points[7]);
    DeriveBlockCorners(b, false);
    const float expected[4][3] = {{10, 0, 0}, {10, 5, 0}, {0, 0, 0}, {10, 0, 5}};
    for (int p = 0; p < 4; ++p)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(b.points[p][k], expected[p][k]) << p;
}

TEST(ModelStore, CornersFollowTheDefiningPointsOfEachForm)
{
    BlockRecord b;
    b.form = PARALLELEPIPED;
    const float p[4][3] = {{0, 0, 0}, {4, 1, 0}, {1, 3, 0}, {0.5f, 0.5f, 2}};
    for (int i = 0; i < 4; ++i)
        std::copy(p[i], p[i] + 3, b.points[i]);
    DeriveBlockCorners(b, false);
    EXPECT_EQ(b.points[7][0], 5.5f); // P2 + P3 + P4 - 2 P1
    EXPECT_EQ(b.points[7][1], 4.5f);
    EXPECT_EQ(b.points[7][2], 2.0f);
    BlockRecord hexahedron = b;
    hexahedron.form = HEXAHEDRON;
    hexahedron.points[7][0] = 9; // as entered
    BlockRecord kept = hexahedron;
    DeriveBlockCorners(hexahedron, false);
    EXPECT_EQ(hexahedron, kept);
    BlockRecord stl;
    stl.kind = STL;
    stl.points[7][0] = 3;
    kept = stl;
    DeriveBlockCorners(stl, false);
    EXPECT_EQ(stl, kept);
}

TEST(ModelStore, BoundsOfPointBlocksOnlyAreTheAxisLength)
{
    ShapeModel m = FreshModel();
    m.settings.axis = 80;
    GrowBlockArray(m, 2);
    m.blocks.count = 2;
    InitBlock(m, 0);
    InitBlock(m, 1);
    m.blocks[0].kind = m.blocks[1].kind = POINT;
    ComputeModelBounds(m);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(m.bounds.min[k], 0);
        EXPECT_EQ(m.bounds.max[k], 80);
        EXPECT_EQ(m.bounds.centre[k], 40);
    }
    EXPECT_FLOAT_EQ(m.bounds.halfDiagonal, 40 * std::sqrt(3.0f));
    // A SOLID block counts its defining corners.
    m.blocks[1].kind = SOLID;
    ComputeModelBounds(m);
    EXPECT_EQ(m.bounds.max[0], 100);
    EXPECT_EQ(m.bounds.min[2], 0);
}

ShapeModel GridModel(std::initializer_list<float> widths)
{
    ShapeModel m = FreshModel();
    GridAxis& a = m.axes[0];
    for (float w : widths)
        a.widths[a.n++] = w;
    m.origin[0] = 2;
    ComputeGridCoordinates(m);
    return m;
}

TEST(ModelStore, GridNumberTextsAndTheirParse)
{
    ShapeModel m = GridModel({0.1f, 0.2f}); // lines at 0.1 and 0.3 from the origin 2
    EXPECT_EQ(m.clipHi[0], 2);
    EXPECT_EQ(FormatCoordinate(m, 2.3f, 0), "2.30"); // outside grid-number mode
    m.settings.grcd = 1;
    m.settings.reso = 0.001f;
    struct Case {
        float value;
        const char* text;
    } cases[] = {
        {2.0f, "0"}, {2.3f, "2"}, {2.2f, "1.50"}, {2.1f, "1"}, {2.05f, "0.50"}, {2.4f, "2.50"}, {1.9f, "-1.00"},
        {2.3004f, "2"}, // within the resolution of the line
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCoordinate(m, c.value, 0), c.text) << c.value;
    struct Parse {
        const char* text;
        float value;
    } parses[] = {{"1.5", 2.2f}, {"2", 2.3f}, {"0", 2.0f}, {"0.5", 2.05f}, {"3", 2.5f}, {"-1", 1.9f}, {"x", 2.0f}};
    for (const Parse& p : parses)
        EXPECT_FLOAT_EQ(ParseCoordinate(m, p.text, 0), p.value) << p.text;
    m.settings.grcd = 0;
    EXPECT_EQ(ParseCoordinate(m, " 1.5", 0), 1.5f);
}

TEST(ModelStore, UnitLabels)
{
    struct Case {
        float scal;
        const char* label;
    } cases[] = {{1, "[m]"}, {0.1f, "[dm]"}, {0.01f, "[cm]"}, {0.001f, "[mm]"}, {0.005f, "[5 mm]"},
                 {0.25f, "[0.25 m]"}, {2, "[2 m]"}};
    ModelSettings s;
    for (const Case& c : cases) {
        s.scal = c.scal;
        EXPECT_EQ(FormatGridUnitLabel(s), c.label) << c.scal;
    }
}

TEST(ModelStore, RotationAboutAnAxis)
{
    const float z[3] = {0, 0, 2};
    const RotationMatrix r = MakeAxisRotationMatrix(z, 90);
    // x turns into y about z.
    EXPECT_NEAR(r[0][0], 0, 1e-12);
    EXPECT_NEAR(r[1][0], 1, 1e-12);
    EXPECT_NEAR(r[2][2], 1, 1e-12);
    // About (1, 1, 1) by 120 degrees the axes go round: x to y, y to z.
    const float diagonal[3] = {1, 1, 1};
    const RotationMatrix d = MakeAxisRotationMatrix(diagonal, 120);
    EXPECT_NEAR(d[1][0], 1, 1e-12);
    EXPECT_NEAR(d[2][1], 1, 1e-12);
    EXPECT_NEAR(d[0][2], 1, 1e-12);
    const float none[3] = {0, 0, 0};
    const RotationMatrix identity = MakeAxisRotationMatrix(none, 45);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(identity[i][j], i == j ? 1.0 : 0.0);
}

TEST(ModelStore, AreasAreParallelogramsInSquareMetres)
{
    ShapeModel m = FreshModel();
    const float p[9] = {0, 0, 0, 100, 0, 0, 0, 50, 30};
    std::copy(p, p + 9, &m.areas[1].points[0][0]);
    ComputeAreas(m);
    // The unit is the float 0.01: its square to float precision.
    EXPECT_NEAR(m.areas[1].area, 100 * std::sqrt(50.0 * 50 + 30 * 30) * 1e-4, 1e-7);
    EXPECT_EQ(m.areas[0].area, 0);
}

ShapeModel WithColours(std::initializer_list<ColourRecord> used)
{
    ShapeModel m = FreshModel();
    int n = 1;
    for (ColourRecord c : used) {
        c.inUse = 1;
        m.colours[static_cast<std::size_t>(n++)] = c;
    }
    return m;
}

ColourRecord Bc(int type, float temp, float hglo = 7.7f, float flux = 0)
{
    ColourRecord c;
    c.type = type;
    c.temp = temp;
    c.hglo = hglo;
    c.flux = flux;
    return c;
}

TEST(ModelStore, TwoBoundaryTemperatures)
{
    ColourRecord sky = Bc(BC_SKY, 0);
    sky.tair = sky.trad = -5;
    ColourRecord cloudy = sky;
    cloudy.trad = -10;
    struct Case {
        ShapeModel m;
        bool two;
    } cases[] = {
        {WithColours({Bc(BC_SIMPL, 20), Bc(BC_SIMPL, 0)}), true},
        {WithColours({Bc(BC_SIMPL, 20), Bc(BC_SIMPL, 20)}), false},
        {WithColours({Bc(BC_SIMPL, 20), Bc(BC_FRE_S, 0), Bc(BC_SIMPL, 20)}), true},
        {WithColours({Bc(BC_SIMPL, 20), Bc(BC_SIMPL, 0), Bc(BC_SIMPL, 10)}), false},
        {WithColours({Bc(BC_SIMPL, 20), Bc(BC_SIMPL, 0), Bc(BC_SIMPL, 5, 0, 0)}), true}, // no h, no flux
        {WithColours({Bc(BC_SIMPL, 20), Bc(BC_SIMPL, 0), Bc(BC_SIMPL, 5, 0, 3)}), false}, // a flux
        {WithColours({Bc(BC_SIMPL, 20), sky}), true},
        {WithColours({Bc(BC_SIMPL, 20), cloudy}), false},
        {WithColours({Bc(BC_SIMPL, 20), Bc(BC_NOSKY, 0)}), false},
        {WithColours({Bc(BC_SIMPL, 20), Bc(MATERIAL, 0), Bc(BC_SIMPL, 0)}), true},
    };
    int i = 0;
    for (const Case& c : cases)
        EXPECT_EQ(HasTwoBoundaryTemperatures(c.m), c.two) << i++;
}

TEST(ModelStore, ColourKindQueries)
{
    ColourRecord ruled = Bc(BC_FREE, 0);
    ruled.rule = 3;
    const ShapeModel m = WithColours({Bc(EQUIMAT, 0), ruled});
    EXPECT_TRUE(HasEquimatColours(m));
    EXPECT_TRUE(HasRadiatingColours(m));
    EXPECT_TRUE(HasViewFactorColours(m));
    EXPECT_TRUE(HasLongWaveColours(m));
    const ShapeModel simple = WithColours({Bc(BC_FRE_S, 0), Bc(TRANSMAT, 0)});
    EXPECT_TRUE(HasViewFactorColours(simple));
    EXPECT_TRUE(HasRadiatingColours(simple)); // TRANSMAT
    EXPECT_FALSE(HasLongWaveColours(simple));
    EXPECT_FALSE(HasEquimatColours(simple));
    ColourRecord named;
    EXPECT_FALSE(IsColourRowNonDefault(named));
    named.name = "Brick";
    EXPECT_TRUE(IsColourRowNonDefault(named));
}

TEST(ModelStore, ResetLeavesCapacitiesAndNoRecords)
{
    ShapeModel m = FreshModel();
    GrowBlockArray(m, 5000);
    m.blocks.count = 3;
    m.title = "old";
    m.settings.cycl = 99;
    m.session.linkEqualPoints = true;
    ProgramParameters defaults;
    defaults.cycl = 7;
    defaults.tras = 2;
    ResetModel(m, defaults, DefaultColourTable());
    EXPECT_EQ(m.blocks.capacity, 200u);
    EXPECT_EQ(m.blocks.count, 0u);
    EXPECT_EQ(m.borderBcs.capacity, 100u);
    EXPECT_EQ(m.materialBcs.capacity, 20u);
    EXPECT_EQ(m.gridCapacity, 200u);
    EXPECT_EQ(m.clipHi[2], 1);
    EXPECT_EQ(m.settings.viewAzimuth, 30.0f);
    EXPECT_EQ(m.settings.scal, 0.01f);
    EXPECT_EQ(m.settings.cycl, 7);
    EXPECT_EQ(m.session.mesh.tras, 2);
    EXPECT_TRUE(m.session.linkEqualPoints); // the session's
    EXPECT_TRUE(m.title.empty());
}

} // namespace

// The example models read as the program reads them (parameter file and
// colours of the program folder, then the start-up model, then the example),
// and give the figures their comments state.
#include "ModelFixture.h"
#include "novelk/model/areas/Areas.h"
#include "novelk/model/editing/FaceList.h"
#include "novelk/model/files/ColourFiles.h"
#include "novelk/model/files/ParameterFile.h"
#include "novelk/model/store/ColourQueries.h"

namespace novelk::test {
namespace {

class ExamplesTest : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        CurrentOutputSettings current;
        ReadParameterFile(SUITE_EXAMPLES_DIR, defaults, current);
        LoadMaterialColours(model, SUITE_EXAMPLES_DIR);
        ASSERT_EQ(ReadFile(Example("Novelk")), "");
    }
    static std::string Example(const char* name)
    {
        return std::string(SUITE_EXAMPLES_DIR) + "/" + name + ".nvk";
    }
};

double LayersU(std::initializer_list<double> resistances)
{
    double r = 0;
    for (double x : resistances)
        r += x;
    return 1 / r;
}

TEST_F(ExamplesTest, TheStartUpModelGivesThePalette)
{
    EXPECT_EQ(model.blocks.count, 1);
    EXPECT_EQ(model.colours[12].name, "Exterior");
    EXPECT_EQ(model.colours[12].hGlobal, 25.0f);
    EXPECT_EQ(model.colours[13].type, BC_FREE);
    EXPECT_EQ(model.colours[14].type, EQUIMAT);
    EXPECT_EQ(model.colours[2].displayColour, RGB(0, 128, 255)); // from MatColor.rgb
}

TEST_F(ExamplesTest, LayeredWall)
{
    ASSERT_EQ(ReadFile(Example("wall")), "");
    EXPECT_NEAR(GetElementUValue(model, 0),
                LayersU({1 / 7.7, 0.015 / 0.57, 0.19 / 0.9, 0.1 / 0.035, 0.1 / 0.9, 1 / 25.0}), 1e-6);
    EXPECT_NEAR(model.areas[0].value, 1.0, 1e-6);
    EXPECT_TRUE(HasTwoSimpleBcTemperatures(model));
}

TEST_F(ExamplesTest, TwoDimensionalCorner)
{
    ASSERT_EQ(ReadFile(Example("corner")), "");
    EXPECT_EQ(model.axes[2].n, 1);
    const double u = LayersU({1 / 7.7, 0.3 / 0.9, 0.1 / 0.035, 1 / 25.0});
    EXPECT_NEAR(GetElementUValue(model, 0), u, 1e-6);
    EXPECT_NEAR(GetElementUValue(model, 1), u, 1e-6);
    EXPECT_NEAR(model.areas[0].value, 1.0, 1e-6); // 1 m inside face x 1 m height
    EXPECT_NEAR(model.areas[1].value, 1.0, 1e-6);
    EXPECT_TRUE(HasTwoBoundaryTemperatures(model));
}

TEST_F(ExamplesTest, CavityWallInThreeDimensions)
{
    ASSERT_EQ(ReadFile(Example("cavity3d")), "");
    EXPECT_TRUE(HasViewFactorColours(model));
    EXPECT_TRUE(HasEquimatColours(model));
    EXPECT_TRUE(HasRadiatingColours(model));
    // Through the air layer away from the cavity: its equivalent conductivity.
    EXPECT_NEAR(GetElementUValue(model, 0), LayersU({1 / 7.7, 0.1 / 0.9, 0.05 / 0.15, 0.1 / 0.9, 1 / 25.0}),
                1e-6);
    // The cavity lies inside the wall: its neighbours show faces towards it.
    FaceList faces;
    BuildFaceList(model, faces);
    bool towardsCavity = false;
    for (const FaceRecord& f : faces.faces)
        towardsCavity = towardsCavity || ((f.flags & kFaceBetweenColours) &&
                                          model.blocks[static_cast<std::size_t>(f.neighbour)].colour == 13);
    EXPECT_TRUE(towardsCavity);
}

} // namespace
} // namespace novelk::test

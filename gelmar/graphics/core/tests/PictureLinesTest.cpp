// Object and grid lines: an object edge between two solids of different
// colours on a flat surface is drawn and one between equal colours is not;
// every grid line of a section face appears; in the perspective the edges
// behind the model are hidden and the ones in front are drawn.
#include "PictureFixture.h"

namespace gelmar::test {
namespace {

constexpr COLORREF kLine = RGB(10, 20, 30);

class PictureLinesTest : public PictureTest {
  protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        settings.objectPen = {kLine, 1};
        settings.gridPen = {kLine, 1};
    }
    // The Zmax section of the model into the raster, with the given layer.
    template <class Layer> void DrawTop(kernels::MemoryRaster& raster, Layer&& layer)
    {
        kernels::PictureCanvas canvas(raster.View());
        const PictureSource src = Source();
        PictureContext context(src, settings, canvas, raster.Width(), raster.Height(), {});
        kernels::SectionView view;
        view.SetSectionFullWindow(6, engine.model.clipCoord);
        transform = view.Transform(raster.Width(), raster.Height());
        context.SetSection(6, transform);
        layer(context);
    }
    // Line pixels in the column of model x (Zmax: u = x).
    int ColumnCount(const kernels::MemoryRaster& raster, double x) const
    {
        const int column = static_cast<int>(x * transform.scale + transform.x0);
        int n = 0;
        for (int y = 0; y < raster.Height(); ++y)
            n += raster.At(column, y) == kLine;
        return n;
    }

    PictureSettings settings;
    kernels::SectionTransform transform;
};

TEST_F(PictureLinesTest, AnEdgeBetweenDifferentColoursOnAFlatSurfaceIsDrawnOneBetweenEqualColoursIsNot)
{
    Grid({1.0f, 1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f});
    engine.model.clipCoord[1] = 3, engine.model.clipCoord[3] = 2, engine.model.clipCoord[5] = 1;
    Material(1, 1.0f, RGB(200, 0, 0));
    Material(2, 1.0f, RGB(0, 200, 0));
    // x 0..1 colour 1, x 1..2 colour 2, x 2..3 colour 2 again (its own block).
    Block(1, 0, 1, 0, 2, 0, 1);
    Block(2, 1, 2, 0, 2, 0, 1);
    Block(2, 2, 3, 0, 2, 0, 1);
    Build();
    kernels::MemoryRaster raster(300, 200);
    DrawTop(raster, [](PictureContext& c) { DrawObjectLines(c); });
    EXPECT_GT(ColumnCount(raster, 1.0), 50); // colour 1 | colour 2
    EXPECT_LE(ColumnCount(raster, 2.0), 2);  // colour 2 | colour 2: only the crossing outline
    EXPECT_GT(ColumnCount(raster, 0.0), 50); // the outline
    EXPECT_GT(ColumnCount(raster, 3.0) + ColumnCount(raster, 3.0 - 1.0 / transform.scale), 50);
}

TEST_F(PictureLinesTest, EveryGridLineOfASectionFaceIsDrawn)
{
    Grid({0.5f, 1.0f, 0.25f, 1.25f}, {1.0f, 1.0f}, {1.0f});
    engine.model.clipCoord[1] = 3, engine.model.clipCoord[3] = 2, engine.model.clipCoord[5] = 1;
    Material(1, 1.0f, RGB(200, 0, 0));
    Block(1, 0, 4, 0, 2, 0, 1);
    Build();
    kernels::MemoryRaster raster(300, 200);
    DrawTop(raster, [](PictureContext& c) { DrawFaceGridLines(c); });
    for (double x : {0.5, 1.5, 1.75})
        EXPECT_GT(ColumnCount(raster, x), 50) << x;
    EXPECT_LE(ColumnCount(raster, 1.0), 3); // no line at x = 1: only the three crossing ones
}

TEST_F(PictureLinesTest, EdgesBehindTheModelAreHiddenInThePerspective)
{
    Grid({1.0f}, {1.0f}, {1.0f});
    Material(1, 1.0f, RGB(200, 0, 0));
    Block(1, 0, 1, 0, 1, 0, 1);
    Build();
    const int w = 200, h = 200;
    kernels::MemoryRaster raster(w, h);
    kernels::PictureCanvas canvas(raster.View());
    const PictureSource src = Source();
    PictureContext context(src, settings, canvas, w, h, {});
    // From the corner (3, 3, 3): the edges at the far corner (0, 0, 0) are
    // hidden, those at the near corner (1, 1, 1) visible.
    const double eye[3] = {3.0, 2.6, 3.3}, centre[3] = {0.5, 0.5, 0.5}, up[3] = {0, 0, 1};
    double forward[16];
    Camera(eye, centre, up, 40.0, w, h, 0.5, 20.0, forward);
    kernels::PictureMatrix matrix;
    matrix.SetForward(forward);
    context.SetPerspective(matrix);
    ASSERT_EQ(context.Polygons().size(), 3u); // the three faces turned to the eye
    DrawObjectLines(context);
    auto lineNear = [&](double x, double y, double z) {
        double px, py, pz;
        matrix.Project(x, y, z, px, py, pz);
        int n = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                n += raster.At(static_cast<int>(px) + dx, static_cast<int>(py) + dy) == kLine;
        return n > 0;
    };
    // Middles of the three edges at the near corner, and of the three at the far one.
    EXPECT_TRUE(lineNear(0.5, 1.0, 1.0));
    EXPECT_TRUE(lineNear(1.0, 0.5, 1.0));
    EXPECT_TRUE(lineNear(1.0, 1.0, 0.5));
    EXPECT_FALSE(lineNear(0.5, 0.0, 0.0));
    EXPECT_FALSE(lineNear(0.0, 0.5, 0.0));
    EXPECT_FALSE(lineNear(0.0, 0.0, 0.5));
}

} // namespace
} // namespace gelmar::test

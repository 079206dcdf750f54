// Fills of Gelmar's pictures: face colours of random block models through
// random cameras against a brute-force nearest-plane search per pixel, the
// far-side colours of the boundary fill, temperature bands of a linear field
// against the colour of the value under each pixel, a range that cannot be
// banded, and the section's colours and patterns.
#include "PictureFixture.h"
#include "common/core/PatternFile.h"
#include "common/kernels/picture/PictureGeometry.h"

#include <random>

namespace gelmar::test {
namespace {

double SegmentDistance(double px, double py, const float a[2], const float b[2])
{
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a[0]) * dx + (py - a[1]) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a[0] + t * dx), py - (a[1] + t * dy));
}

class PictureFillTest : public PictureTest {};

TEST_F(PictureFillTest, FaceColoursOfRandomBlockModelsMatchTheNearestPlaneAtEveryPixel)
{
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const COLORREF palette[4] = {RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200), RGB(200, 200, 30)};
    const int w = 240, h = 180;
    long long compared = 0;
    for (int model = 0; model < 12; ++model) {
        FreeModel(engine);
        ResetModel(engine);
        std::vector<float> widths[3];
        for (auto& axis : widths)
            for (int n = 0; n < 5; ++n)
                axis.push_back(static_cast<float>(0.5 + u(rng)));
        Grid(widths[0], widths[1], widths[2]);
        for (int c = 1; c <= 4; ++c)
            Material(c, 1.0f, palette[c - 1]);
        for (int b = 0; b < 7; ++b) {
            int lo[3], hi[3];
            for (int a = 0; a < 3; ++a) {
                lo[a] = static_cast<int>(u(rng) * 4);
                hi[a] = lo[a] + 1 + static_cast<int>(u(rng) * (5 - lo[a]));
            }
            Block(1 + b % 4, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
        }
        Build();
        // A camera outside the model, looking at its centre.
        const double centre[3] = {engine.model.centre[0], engine.model.centre[1], engine.model.centre[2]};
        const double az = 6.283 * u(rng), alt = -1.2 + 2.4 * u(rng), r = 3.0 * engine.model.halfDiagonal;
        const double eye[3] = {centre[0] + r * std::cos(alt) * std::cos(az),
                               centre[1] + r * std::cos(alt) * std::sin(az), centre[2] + r * std::sin(alt)};
        const double up[3] = {0, 0, 1};
        double forward[16];
        Camera(eye, centre, up, 45.0, w, h, r * 0.2, r * 3.0, forward);
        kernels::PictureMatrix matrix;
        ASSERT_TRUE(matrix.SetForward(forward));

        kernels::MemoryRaster raster(w, h);
        kernels::PictureCanvas canvas(raster.View());
        PictureSettings settings;
        const PictureSource src = Source();
        PictureContext context(src, settings, canvas, w, h, {});
        context.SetPerspective(matrix);
        FillFaceColours(context, FaceColourMode::Materials);

        const std::vector<PicturePolygon>& polygons = context.Polygons();
        ASSERT_FALSE(polygons.empty());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double nearest = 1e300, edge = 1e300;
                COLORREF expected = kernels::kWhite;
                for (const PicturePolygon& p : polygons) {
                    const kernels::HiddenLinePolygon& s = p.shape;
                    for (int e = 0; e < 4; ++e)
                        edge = std::min(edge, SegmentDistance(x, y, s.corners[(e + 3) % 4], s.corners[e]));
                    if (!kernels::PointInPicturePolygon(static_cast<float>(x), static_cast<float>(y),
                                                        s.corners))
                        continue;
                    const double depth = s.a * x + s.b * y + s.c;
                    if (depth < nearest) {
                        nearest = depth;
                        expected = engine.model.colours[p.colour].displayColour;
                    }
                }
                if (edge <= 1.0)
                    continue;
                ++compared;
                ASSERT_EQ(raster.At(x, y), expected) << "model " << model << " pixel " << x << "," << y;
            }
    }
    EXPECT_GT(compared, 12 * w * h / 2);
}

TEST_F(PictureFillTest, TheBoundaryFillShowsTheFarSideAndLightYellowWithout)
{
    Grid({1.0f, 1.0f}, {1.0f}, {1.0f});
    Material(1, 1.0f, RGB(100, 100, 100));
    ColourRecord& bc = Surface(2, 20.0f, 7.7f);
    SetDisplayColour(bc, 250, 0, 0);
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    Build();
    // Seen from x-min, the material's x-min face borders nothing.
    kernels::MemoryRaster raster(100, 100);
    kernels::PictureCanvas canvas(raster.View());
    PictureSettings settings;
    const PictureSource src = Source();
    PictureContext context(src, settings, canvas, 100, 100, {});
    const double eye[3] = {-5.0, 0.5, 0.5}, centre[3] = {0.5, 0.5, 0.5}, up[3] = {0, 0, 1};
    double forward[16];
    Camera(eye, centre, up, 30.0, 100, 100, 1.0, 20.0, forward);
    kernels::PictureMatrix matrix;
    matrix.SetForward(forward);
    context.SetPerspective(matrix);
    FillFaceColours(context, FaceColourMode::FarSide);
    EXPECT_EQ(raster.At(50, 50), 0xD7FFFFu); // the x-min face: nothing beyond
    // Seen from the other end, through the BC block (no solid, no polygon):
    // the material's x-max face with the BC beyond it.
    kernels::MemoryRaster r2(100, 100);
    kernels::PictureCanvas c2(r2.View());
    PictureContext other(src, settings, c2, 100, 100, {});
    const double eye2[3] = {6.0, 0.5, 0.5};
    Camera(eye2, centre, up, 30.0, 100, 100, 1.0, 20.0, forward);
    matrix.SetForward(forward);
    other.SetPerspective(matrix);
    FillFaceColours(other, FaceColourMode::FarSide);
    EXPECT_EQ(r2.At(50, 50), RGB(250, 0, 0));
    FillFaceColours(other, FaceColourMode::Materials);
    EXPECT_EQ(r2.At(50, 50), RGB(100, 100, 100));
}

// A section on Zmin of one block with T = x + 2y: the colour under every
// pixel is the band of the value there.
class SectionBands : public PictureTest {
  protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        Grid(Uniform(6, 1.0f), Uniform(4, 1.0f), Uniform(2, 1.0f));
        Material(1, 1.0f, RGB(90, 90, 90));
        Block(1, 0, 6, 0, 4, 0, 2);
        Build();
        SetTemperatures([](double x, double y, double) { return x + 2.0 * y; });
        view.SetSectionFullWindow(5, kClip);
    }
    static constexpr float kClip[6] = {0, 6, 0, 4, 0, 2};
    kernels::SectionView view;
};

TEST_F(SectionBands, EveryPixelTakesTheColourOfItsValuesBand)
{
    const int w = 300, h = 220;
    kernels::MemoryRaster raster(w, h);
    kernels::PictureCanvas canvas(raster.View());
    PictureSettings settings;
    settings.temperature = {0.0f, 12.0f, 1.0f, 5.0f, {}, {}};
    const PictureSource src = Source();
    PictureContext context(src, settings, canvas, w, h, {});
    const kernels::SectionTransform t = view.Transform(w, h);
    context.SetSection(5, t);
    ASSERT_EQ(context.Polygons().size(), 1u);
    FillTemperatureBands(context);
    int compared = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Section 5: u = -x, v = -y.
            const double mx = -(x - t.x0) / t.scale, my = -(y - t.y0) / t.scale;
            if (mx < 0.1 || mx > 5.9 || my < 0.1 || my > 3.9)
                continue;
            const double value = mx + 2.0 * my;
            // One and a half pixels of value change on either side of a
            // band limit are left out (the corners are whole pixels).
            const double margin = 1.5 / t.scale * 3.0;
            if (std::fabs(value - std::round(value)) < margin || std::fabs(value - 12.0) < margin)
                continue;
            const COLORREF expected =
                value > 12.0 ? ValueToColour(scale, -1.0f)
                             : ValueToColour(scale, static_cast<float>(std::floor(value) / 12.0));
            ++compared;
            ASSERT_EQ(raster.At(x, y), expected) << x << "," << y << " value " << value;
        }
    EXPECT_GT(compared, 20000);
}

TEST_F(SectionBands, AnUpperLimitAtTheLowerOneFillsEverythingOutOfRange)
{
    const int w = 200, h = 150;
    for (const RangeSet range :
         {RangeSet{5.0f, 5.0f, 1.0f, 5.0f, {}, {}}, RangeSet{8.0f, 2.0f, 1.0f, 5.0f, {}, {}}}) {
        kernels::MemoryRaster raster(w, h);
        kernels::PictureCanvas canvas(raster.View());
        PictureSettings settings;
        settings.temperature = range;
        const PictureSource src = Source();
        PictureContext context(src, settings, canvas, w, h, {});
        context.SetSection(5, view.Transform(w, h));
        FillTemperatureBands(context);
        const COLORREF grey = ValueToColour(scale, -1.0f);
        EXPECT_EQ(raster.Count(grey) + raster.Count(kernels::kWhite), static_cast<long long>(w) * h);
        EXPECT_GT(raster.Count(grey), w * h / 2);
    }
}

TEST_F(SectionBands, MaterialsAndPatternsFillTheSectionFace)
{
    const int w = 200, h = 150;
    common::CPatternList patterns;
    ASSERT_TRUE(patterns.LoadFromBytes("[PATTERNS]\r\nN=1\r\n1=FF0000,FF,F0,F0,F0,F0,0F,0F,0F,0F\r\n"));
    engine.model.colours[1].pattern = 1;
    PictureSource src = Source();
    src.patterns = &patterns;
    kernels::MemoryRaster raster(w, h);
    kernels::PictureCanvas canvas(raster.View());
    PictureSettings settings;
    PictureContext context(src, settings, canvas, w, h, {});
    context.SetSection(5, view.Transform(w, h));
    FillSectionMaterials(context, SectionFillMode::Colours);
    EXPECT_EQ(raster.At(w / 2, h / 2), RGB(90, 90, 90));
    FillSectionMaterials(context, SectionFillMode::Patterns);
    // 1 bits in the first colour (0x0000FF: blue), 0 bits in the second (red).
    EXPECT_EQ(raster.At(96, 72), RGB(0, 0, 255));  // row 0 of the pattern, column 0: bit set
    EXPECT_EQ(raster.At(100, 72), RGB(255, 0, 0)); // column 4: clear
    EXPECT_EQ(raster.At(100, 76), RGB(0, 0, 255)); // row 4: 0x0F
}

} // namespace
} // namespace gelmar::test

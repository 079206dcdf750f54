// Isotherms over the faces of a picture: a linear field gives straight lines
// at the analytic place, one pixel wide and without gaps; a level through
// grid points is drawn once; every second increment takes the second pen;
// the single value; and lines behind the model are hidden in the perspective.
#include "PictureFixture.h"

#include <map>
#include <set>

namespace gelmar::test {
namespace {

constexpr COLORREF kFirst = RGB(255, 0, 0), kSecond = RGB(0, 0, 255), kSingle = RGB(0, 160, 0);

class IsolineTest : public PictureTest {
  protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        // Quads of different sizes: 8 x 5 cells on the Zmin face.
        Grid({0.5f, 1.0f, 0.75f, 1.25f, 0.5f, 1.0f, 1.0f, 0.5f}, {1.0f, 0.5f, 1.5f, 0.75f, 1.0f}, {1.0f});
        Material(1, 1.0f, RGB(200, 200, 200));
        Block(1, 0, 8, 0, 5, 0, 1);
        Build();
        settings.temperature = {-100.0f, 100.0f, 1.0f, 5.0f, {kFirst, 1}, {kSecond, 1}};
        settings.singlePen = {kSingle, 0};
        const float clip[6] = {0, 6.5f, 0, 4.75f, 0, 1};
        view.SetSectionFullWindow(5, clip);
    }
    // Draws the isotherms of the Zmin section into the raster.
    void Draw(kernels::MemoryRaster& raster)
    {
        kernels::PictureCanvas canvas(raster.View());
        const PictureSource src = Source();
        PictureContext context(src, settings, canvas, raster.Width(), raster.Height(), {});
        transform = view.Transform(raster.Width(), raster.Height());
        context.SetSection(5, transform);
        DrawIsolines(context);
    }
    // Model point of a pixel's centre on Zmin (u = -x, v = -y; a pixel takes
    // the points that truncate to it).
    void Model(int px, int py, double& x, double& y) const
    {
        x = -(px + 0.5 - transform.x0) / transform.scale;
        y = -(py + 0.5 - transform.y0) / transform.scale;
    }

    PictureSettings settings;
    kernels::SectionView view;
    kernels::SectionTransform transform;
};

TEST_F(IsolineTest, ALinearFieldGivesStraightLinesAtTheAnalyticPlace)
{
    // T = 1.3 x + 0.7 y: isotherms are straight lines across the face.
    const double gx = 1.3, gy = 0.7;
    SetTemperatures([&](double x, double y, double) { return gx * x + gy * y; });
    kernels::MemoryRaster raster(400, 300);
    Draw(raster);
    const double len = std::hypot(gx, gy);
    // Every line pixel lies within a pixel of its level's line: the square
    // of the pixel comes that close to it.
    std::map<int, std::set<int>> rowsOfLevel;
    long long pixels = 0;
    for (int y = 0; y < raster.Height(); ++y)
        for (int x = 0; x < raster.Width(); ++x) {
            const COLORREF c = raster.At(x, y);
            if (c == kernels::kWhite)
                continue;
            ++pixels;
            double mx, my;
            Model(x, y, mx, my);
            const double t = gx * mx + gy * my;
            const int level = static_cast<int>(std::lround(t));
            const double centre = std::fabs(t - level) / len * transform.scale;
            const double square = std::max(0.0, centre - 0.5 * (gx + gy) / len);
            EXPECT_LE(square, 1.0) << x << "," << y;
            EXPECT_EQ(c, level % 5 == 0 ? kSecond : kFirst) << x << "," << y;
            rowsOfLevel[level].insert(y);
        }
    EXPECT_GT(pixels, 1000);
    // Every row the level's line crosses holds a pixel of it.
    const double xmax = 6.5, ymax = 4.75;
    for (int level = 1; level < static_cast<int>(gx * xmax + gy * ymax); ++level) {
        int crossed = 0;
        for (int y = 0; y < raster.Height(); ++y) {
            double mx, my;
            Model(0, y, mx, my);
            // Rows of the face's own edge pixels are not asked for.
            const double edge = 1.0 / transform.scale;
            if (my <= edge || my >= ymax - edge)
                continue;
            // The line's x at this row, well inside the face.
            const double x = (level - gy * my) / gx;
            if (x <= 0.05 || x >= xmax - 0.05)
                continue;
            ++crossed;
            EXPECT_TRUE(rowsOfLevel[level].count(y)) << "level " << level << " row " << y;
        }
        EXPECT_GT(crossed, 0) << level;
    }
}

TEST_F(IsolineTest, ALevelThroughGridPointsIsDrawnOnceAndTheSingleValueWithItsPen)
{
    // T = x: level 2.25 runs along grid line x = 2.25 (a corner value of
    // whole quad columns); levels every 0.25.
    SetTemperatures([](double x, double, double) { return x; });
    settings.temperature.inc = 0.25f;
    settings.temperature.inc2 = 100.0f;
    kernels::MemoryRaster raster(400, 300);
    Draw(raster);
    // The line of 2.25 is drawn just right of the grid line (moved up by
    // 0.0001 of the increment), one pixel wide: one column per row.
    std::map<int, std::set<int>> columns;
    for (int y = 0; y < raster.Height(); ++y)
        for (int x = 0; x < raster.Width(); ++x) {
            if (raster.At(x, y) == kernels::kWhite)
                continue;
            double mx, my;
            Model(x, y, mx, my);
            if (std::fabs(mx - 2.25) * transform.scale < 1.5)
                columns[y].insert(x);
        }
    ASSERT_FALSE(columns.empty());
    for (const auto& [row, xs] : columns)
        EXPECT_EQ(xs.size(), 1u) << "row " << row;

    // The single value, with its own pen, also where no level is.
    settings.temperature.inc = 1.0f;
    settings.temperature.inc2 = 5.0f;
    settings.singleValue = 3.6f;
    settings.singlePen = {kSingle, 1};
    kernels::MemoryRaster single(400, 300);
    Draw(single);
    EXPECT_GT(single.Count(kSingle), 50);
    for (int y = 0; y < single.Height(); ++y)
        for (int x = 0; x < single.Width(); ++x)
            if (single.At(x, y) == kSingle) {
                double mx, my;
                Model(x, y, mx, my);
                EXPECT_LE(std::fabs(mx - 3.6) * transform.scale - 0.5, 1.0);
            }
}

TEST_F(IsolineTest, NoLineBelowTheLowerOrAboveTheUpperLimit)
{
    SetTemperatures([](double x, double, double) { return x; });
    settings.temperature.lower = 2.5f;
    settings.temperature.upper = 4.5f;
    kernels::MemoryRaster raster(400, 300);
    Draw(raster);
    std::set<long> levels;
    for (int y = 0; y < raster.Height(); ++y)
        for (int x = 0; x < raster.Width(); ++x)
            if (raster.At(x, y) != kernels::kWhite) {
                double mx, my;
                Model(x, y, mx, my);
                levels.insert(std::lround(mx));
            }
    EXPECT_EQ(levels, (std::set<long>{3, 4}));
}

} // namespace
} // namespace gelmar::test

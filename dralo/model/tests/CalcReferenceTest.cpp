// Calculations against solutions known without this program: a plane wall
// (exact for linear elements), the two reference cases of ISO 10211 (a
// series solution computed here, and the published temperatures and heat
// flow of a frame section).
#include "dralo/model/tests/CalcFixture.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace dralo::test {
namespace {

// Records what the calculation tests report beside their verdicts.
void Note(const char* what, double value)
{
    std::printf("[ NOTE     ] %s %.5g\n", what, value);
}

TEST_F(CalcTest, PlaneWallLiesOnTheExactProfile)
{
    // 0.2 m of λ 0.5 between 20 °C with h 7.7 and 0 °C with h 25, 2 cm
    // high, adiabatic above and below: q = 20 / (1/7.7 + 0.4 + 1/25).
    constexpr int kWide = 200, kHigh = 20;
    SetUpPlaneWall();
    const WorkOutcome outcome = Calculate();
    ASSERT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
    LoadResults();

    const double q = 20.0 / (1 / 7.7 + 0.2 / 0.5 + 1 / 25.0);
    EXPECT_NEAR(q, 35.0957, 1e-4);
    const double warm = 20 - q / 7.7, cold = q / 25;
    EXPECT_NEAR(warm, 15.4421, 1e-4);
    EXPECT_NEAR(cold, 1.40383, 1e-5);
    double worst = 0;
    for (std::size_t n = 0; n < result.mesh.points.size(); ++n) {
        const double x = result.mesh.points[n].x / 16.0 - 1; // pixels into the wall
        if (x < 0 || x > kWide)
            continue; // the boundary colours' outer corners
        worst = std::max(worst, std::abs(result.temperature[n] - (warm + (cold - warm) * x / kWide)));
    }
    EXPECT_LT(worst, 1e-5);
    Note("plane wall: worst node deviation K", worst);

    const FlowFile flw = ReadFlowFile();
    const double flow = q * kHigh * 0.001;
    EXPECT_NEAR(flw.colours.at(2).first, flow, 1e-5);
    EXPECT_NEAR(flw.colours.at(2).second, 0, 1e-9);
    EXPECT_NEAR(flw.colours.at(3).second, flow, 1e-5);
    EXPECT_NEAR(flw.colours.at(3).first, 0, 1e-9);

    // The flow function changes by the flow between the two adiabatic
    // borders and is the same along each of them.
    double top = 0, bottom = 0;
    int tops = 0, bottoms = 0;
    for (std::size_t t = 0; t < result.mesh.triangles.size(); ++t) {
        const MeshTriangle& tri = result.mesh.triangles[t];
        if (tri.colour != 1)
            continue;
        for (int k = 0; k < 3; ++k) {
            const MeshVertex& p = result.mesh.points[static_cast<std::size_t>(tri.v[k])];
            const double v = flw.corners[t][static_cast<std::size_t>(k)];
            if (p.y == 0) {
                if (tops++ > 0) {
                    EXPECT_NEAR(v, top, 1e-5);
                }
                top = v;
            } else if (p.y == 16 * kHigh) {
                if (bottoms++ > 0) {
                    EXPECT_NEAR(v, bottom, 1e-5);
                }
                bottom = v;
            }
        }
    }
    ASSERT_GT(tops, 2);
    ASSERT_GT(bottoms, 2);
    EXPECT_NEAR(std::abs(top - bottom), flow, 1e-5);
}

// Half a square column: T = 20 °C on top, 0 °C on the other three sides of
// the whole column 2w × 2w; by symmetry the half x ∈ [0, w] with its right
// side adiabatic. The Fourier series of the whole column.
double ColumnSeries(double x, double y, double w)
{
    const double side = 2 * w;
    double t = 0;
    for (int n = 1; n < 400; n += 2) {
        const double k = n * std::numbers::pi / side;
        // sinh(k y) / sinh(k side) without overflow
        const double ratio = std::exp(k * (y - side)) * (1 - std::exp(-2 * k * y)) / (1 - std::exp(-2 * k * side));
        t += 4 * 20 / (n * std::numbers::pi) * std::sin(k * x) * ratio;
    }
    return t;
}

TEST_F(CalcTest, SquareColumnMatchesTheSeriesSolution)
{
    // w = 40 pixels; the material in columns 1..w and rows 1..2w, a hot
    // strip of a boundary colour above, a cold one left and below. The
    // borderline BCs fix their sides at 20 and 0 °C.
    constexpr int w = 40;
    AllocatePixels(model, w + 1, 2 * w + 2, 3);
    Fill(1, 0, w + 1, 1, 2);
    Fill(1, 1, w + 1, 2 * w + 1, 1);
    Finish();
    model.pixs = 0.001f;
    Material(1, 1.0f);
    Boundary(2, 20, 5);
    Boundary(3, 0, 5);
    MeshSize(2);
    BorderlineTemp(1, 3, 0);
    BorderlineTemp(1, 2, 20);
    const WorkOutcome outcome = Calculate();
    ASSERT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
    LoadResults();

    // Rows from the hot side down, columns from the cold side: the published
    // values to one decimal for the first and the last row.
    const double hot[4] = {9.7, 13.4, 14.7, 15.1};
    const double last[4] = {0.3, 0.6, 0.8, 0.9};
    double worst = 0, worstPublished = 0;
    for (int j = 1; j <= 7; ++j)     // height above the cold bottom, w/4 steps
        for (int i = 1; i <= 4; ++i) { // distance from the cold side
            const double x = 16.0 + 160.0 * i, y = 16.0 + 32.0 * w - 160.0 * j;
            const double t = TemperatureAt(x, y);
            const double series = ColumnSeries(i * w / 4.0, j * w / 4.0, w);
            worst = std::max(worst, std::abs(t - series));
            EXPECT_NEAR(t, series, 0.1) << "point " << i << "," << j;
            if (j == 7 || j == 1) {
                const double published = (j == 7 ? hot : last)[i - 1];
                EXPECT_NEAR(series, published, 0.05 + 1e-9);
                worstPublished = std::max(worstPublished, std::abs(t - published));
                EXPECT_NEAR(t, published, 0.1) << "point " << i << "," << j;
            }
        }
    Note("square column: worst deviation from the series K", worst);
    Note("square column: worst deviation from the published values K", worstPublished);
}

TEST_F(CalcTest, FrameSectionMatchesThePublishedTemperaturesAndFlow)
{
    // Millimetres, x across, y up, 0.5 mm pixels; a boundary strip above
    // (0 °C, Rse 0.06) and below (20 °C, Rsi 0.11).
    constexpr double kPixel = 0.5, kTop = 47.5;
    const int wide = static_cast<int>(500 / kPixel), high = static_cast<int>(kTop / kPixel);
    AllocatePixels(model, wide, high + 2, 4);
    auto area = [&](double x0, double y0, double x1, double y1, int colour) {
        Fill(static_cast<int>(x0 / kPixel), 1 + static_cast<int>((kTop - y1) / kPixel), static_cast<int>(x1 / kPixel),
             1 + static_cast<int>((kTop - y0) / kPixel), colour);
    };
    Fill(0, 0, wide, 1, 5);
    Fill(0, high + 1, wide, high + 2, 6);
    area(0, 41.5, 500, 47.5, 1);
    area(0, 36.5, 15, 41.5, 2);
    area(0, 0, 500, 1.5, 3);
    area(0, 1.5, 1.5, 36.5, 3);
    area(0, 35, 15, 36.5, 3);
    Finish();
    model.pixs = static_cast<float>(kPixel / 1000);
    Material(1, 1.15f);
    Material(2, 0.12f);
    Material(3, 230);
    Material(4, 0.029f);
    Boundary(5, 0, static_cast<float>(1 / 0.06));
    Boundary(6, 20, static_cast<float>(1 / 0.11));
    MeshSize(3);
    model.colours[3].tric = 1;
    model.colours[2].tric = 2;
    const WorkOutcome outcome = Calculate();
    ASSERT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
    LoadResults();

    struct Point {
        const char* name;
        double x, y, t;
    };
    const Point points[] = {{"A", 0, 47.5, 7.1},  {"B", 500, 47.5, 0.8}, {"C", 0, 41.5, 7.9},
                            {"D", 15, 41.5, 6.3}, {"E", 500, 41.5, 0.8}, {"F", 0, 36.5, 16.4},
                            {"G", 15, 36.5, 16.3}, {"H", 0, 0, 16.8},    {"I", 500, 0, 18.3}};
    double worst = 0;
    for (const Point& p : points) {
        const double t = TemperatureAt(32.0 * p.x, 16.0 + 32.0 * (kTop - p.y));
        worst = std::max(worst, std::abs(t - p.t));
        EXPECT_NEAR(t, p.t, 0.1) << p.name;
    }
    const FlowFile flw = ReadFlowFile();
    const double in = flw.colours.at(6).first, out = flw.colours.at(5).second;
    EXPECT_NEAR(in, 9.5, 0.1);
    EXPECT_NEAR(out, in, 1e-6 * in);
    Note("frame section: worst deviation K", worst);
    Note("frame section: heat flow W/m", in);
}

} // namespace
} // namespace dralo::test

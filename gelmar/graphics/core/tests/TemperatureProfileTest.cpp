// The temperature profile: the default line and its limits, an empty line,
// the curve at the loaded temperatures with a gap across void cells and the
// material boundaries crossed, a line drawn against its axis, and a
// temperature range without span.
#include "PictureFixture.h"

namespace gelmar::test {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255), kGrey = RGB(192, 192, 192);

class ProfileTest : public PictureTest {
  protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        // x: 2 cells of colour 1, a void cell, 3 cells of colour 2.
        Grid({1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f});
        Material(1, 1.0f, RGB(1, 1, 1));
        Material(2, 1.0f, RGB(2, 2, 2));
        Block(1, 0, 2, 0, 2, 0, 1);
        Block(2, 3, 6, 0, 2, 0, 1);
        Build();
        SetTemperatures([](double x, double, double) { return 2.0 + 2.0 * x; });
        settings.temperature = {0.0f, 20.0f, 1.0f, 5.0f, {}, {}};
        settings.gridPen = {RGB(220, 220, 220), 1};
    }
    bool Draw(const ProfileLine& line)
    {
        kernels::PictureCanvas canvas(raster.View());
        const PictureSource src = Source();
        PictureContext context(src, settings, canvas, w, h, {});
        const bool drawn = DrawTemperatureProfile(context, line);
        texts = canvas.TakeTexts();
        return drawn;
    }
    // Pixels of the colour in the column of a position (scales of the Part:
    // 12 % to 92 % across, Tmax at 8 % and Tmin at 88 % down).
    int InColumn(double p, double pa, double pb, COLORREF c, int rowFrom = 0, int rowTo = -1) const
    {
        const double scale = w / ((pb - pa) * 1.25);
        const int x = static_cast<int>(p * scale + 0.12 * w - pa * scale);
        int n = 0;
        for (int y = rowFrom; y < (rowTo < 0 ? h : rowTo); ++y)
            n += raster.At(x, y) == c;
        return n;
    }
    int Row(double t) const
    {
        const double scale = h / ((0.0 - 20.0) * 1.25);
        return static_cast<int>(t * scale + 0.08 * h - 20.0 * scale);
    }

    const int w = 500, h = 400;
    kernels::MemoryRaster raster{500, 400};
    PictureSettings settings;
    std::vector<kernels::PictureText> texts;
};

TEST_F(ProfileTest, TheLineDefinitionStartsAlongXAndStaysOnTheGrid)
{
    ProfileLine line;
    EXPECT_EQ(PrepareProfileLine(line, engine.model), 0);
    EXPECT_EQ(line.b.i, 6);
    line.a = {9, 1, 7};
    line.b = {9, 1, 0};
    EXPECT_EQ(PrepareProfileLine(line, engine.model), 2);
    EXPECT_EQ(line.a.i, 6);
    EXPECT_EQ(line.a.k, 1);
    line.a = {1, 0, 0};
    line.b = {1, 2, 0};
    EXPECT_EQ(PrepareProfileLine(line, engine.model), 1);
    EXPECT_TRUE(Draw({{2, 1, 0}, {2, 1, 0}}) == false); // no line: nothing drawn
    EXPECT_EQ(raster.Count(kernels::kWhite), w * h);
}

TEST_F(ProfileTest, TheCurveFollowsTheTemperaturesAndBreaksAcrossVoidCells)
{
    ASSERT_TRUE(Draw({{0, 1, 0}, {6, 1, 0}}));
    // On the curve at x = 1 (T = 4) and x = 4.5 (T = 11).
    EXPECT_GT(InColumn(1.0, 0, 6, kBlue, Row(4.0) - 2, Row(4.0) + 3), 0);
    EXPECT_GT(InColumn(4.5, 0, 6, kBlue, Row(11.0) - 2, Row(11.0) + 3), 0);
    // No curve over the void cell from x = 2 to 3.
    EXPECT_EQ(InColumn(2.5, 0, 6, kBlue), 0);
    // Material boundaries at x = 2 (colour 1 | void) and 3 (void | colour 2),
    // none inside a material.
    EXPECT_GT(InColumn(2.0, 0, 6, kGrey), 100);
    EXPECT_GT(InColumn(3.0, 0, 6, kGrey), 100);
    EXPECT_EQ(InColumn(4.0, 0, 6, kGrey), 0);
    // Title with the two points and the time; the scale's numbers every 5.
    EXPECT_EQ(texts.front().text, "0.00"); // with the temperature decimals
    const std::string title = "From (0,1,0) to (6,1,0)";
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const auto& t) { return t.text == title; }));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.text == "20.00"; }));
}

TEST_F(ProfileTest, ALineAgainstItsAxisRunsTheOtherWay)
{
    ASSERT_TRUE(Draw({{6, 1, 0}, {0, 1, 0}}));
    // Position 6 now stands at 12 % and position 0 at 92 %.
    EXPECT_GT(InColumn(5.0, 6, 0, kBlue, Row(12.0) - 2, Row(12.0) + 3), 0);
    EXPECT_GT(InColumn(1.0, 6, 0, kBlue, Row(4.0) - 2, Row(4.0) + 3), 0);
}

TEST_F(ProfileTest, ATranslatedTitleTakesOnlyItsNumberFields)
{
    // A text whose fields are not all numbers cannot misread the arguments.
    PictureSource src = Source();
    src.texts.profileTitle = "Van (%d,%d,%d) %s naar (%d,%d,%d) 100%";
    kernels::PictureCanvas canvas(raster.View());
    PictureContext context(src, settings, canvas, w, h, {});
    ASSERT_TRUE(DrawTemperatureProfile(context, {{0, 1, 0}, {6, 1, 0}}));
    const std::vector<kernels::PictureText> t = canvas.TakeTexts();
    EXPECT_TRUE(std::any_of(t.begin(), t.end(),
                            [](const auto& x) { return x.text == "Van (0,1,0) %s naar (6,1,0) 100%"; }));
}

TEST_F(ProfileTest, ARangeWithoutSpanDrawsFrameAndTitleOnly)
{
    settings.temperature.upper = 0.0f;
    ASSERT_TRUE(Draw({{0, 1, 0}, {6, 1, 0}}));
    EXPECT_EQ(raster.Count(kBlue), 0);
    EXPECT_EQ(raster.Count(kGrey), 0);
    EXPECT_GT(raster.Count(kernels::kBlack), 2 * 300);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "From (0,1,0) to (6,1,0)");
}

} // namespace
} // namespace gelmar::test

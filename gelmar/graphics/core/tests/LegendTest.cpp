// The legend pane: materials sorted by conductivity and colour number,
// patterns listed once, the boundary colours' temperature, h and flux, the
// value scale from the next multiple above the lower limit with the fewest
// decimals, the flux scale with its unit, the sun legend by day and at
// night, dates, and section labels.
#include "PictureFixture.h"
#include "gelmar/graphics/core/PictureLegend.h"
#include "gelmar/model/store/Engine.h"

#include <algorithm>

namespace gelmar::test {
namespace {

class LegendTest : public PictureTest {
  protected:
    std::vector<kernels::PictureText> Draw(int section = 0)
    {
        kernels::PictureCanvas canvas(raster.View());
        const PictureSource src = Source(sun);
        PictureContext context(src, settings, canvas, 600, 400, {});
        DrawLegend(context, CRect(600, 0, 900, 400), section);
        return canvas.TakeTexts();
    }
    PictureSource Source(const SunState& s) const
    {
        PictureSource src = PictureTest::Source();
        src.sun = s;
        return src;
    }
    static std::vector<std::string> Strings(const std::vector<kernels::PictureText>& texts)
    {
        std::vector<std::string> out;
        for (const auto& t : texts)
            out.push_back(t.text);
        return out;
    }
    static bool Has(const std::vector<std::string>& v, const std::string& s)
    {
        return std::find(v.begin(), v.end(), s) != v.end();
    }

    kernels::MemoryRaster raster{900, 400};
    PictureSettings settings;
    SunState sun;
};

TEST_F(LegendTest, MaterialsRunByConductivityThenNumberAndPatternsAppearOnce)
{
    Material(7, 0.5f, RGB(1, 1, 1)).pattern = 3;
    Material(2, 0.5f, RGB(2, 2, 2)).pattern = 3;
    Material(9, 0.04f, RGB(3, 3, 3)).pattern = 4;
    Colour(5, TRANSMAT, 1.5f).pattern = 5;
    Surface(4, 20.0f, 7.7f);
    EXPECT_EQ(CollectLegendMaterials(engine.model, false),
              (std::vector<LegendMaterial>{{9, 0.04f}, {2, 0.5f}, {7, 0.5f}, {5, 1.5f}}));
    EXPECT_EQ(CollectLegendMaterials(engine.model, true),
              (std::vector<LegendMaterial>{{4, 0.04f}, {3, 0.5f}, {5, 1.5f}}));
    const std::vector<std::string> texts = Strings(Draw());
    EXPECT_EQ(texts, (std::vector<std::string>{"0.040", "0.500", "0.500", "1.500", "[W/mK]"}));
    // The swatches in the entries' colours, the first (lowest) at the bottom.
    EXPECT_GT(raster.Count(RGB(3, 3, 3)), 100);
    EXPECT_GT(raster.Count(RGB(2, 2, 2)), 100);
}

TEST_F(LegendTest, BoundaryColoursShowTemperatureHAndFlux)
{
    Material(1, 1.0f, RGB(1, 1, 1));
    ColourRecord& bc = Surface(3, 20.0f, 7.7f);
    bc.flux = 12.5f;
    bc.epsilon = 0.9f; // the record's fields right after lambda are not shown
    settings.fill = FillMode::BCs;
    std::vector<kernels::PictureText> texts = Draw();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "20.0\n7.70\n12.5");
    EXPECT_EQ(texts[1].text, "[°C]\n[W/m²K]\n[W/m²]");
    EXPECT_EQ(texts[0].format & kernels::kTextSingleLine, 0u);
    // With a radiating colour the colours are listed by number.
    Colour(6, BC_FREE);
    EXPECT_EQ(Strings(Draw()), (std::vector<std::string>{"3", "6", "Colour"}));
}

TEST_F(LegendTest, TheValueScaleStartsAtTheNextMultipleWithTheFewestDecimals)
{
    settings.fill = FillMode::Temperatures;
    settings.temperature = {0.5f, 10.0f, 2.5f, 5.0f, {}, {}};
    // Boundaries 2.5, 5, 7.5, 10 with one decimal; then the unit.
    EXPECT_EQ(Strings(Draw()), (std::vector<std::string>{"2.5", "5.0", "7.5", "10.0", "[°C]"}));
    // Each band's swatch takes the scale's colour of its lower boundary.
    EXPECT_GT(raster.Count(ValueToColour(scale, static_cast<float>((2.5 - 0.5) / 9.5))), 100);

    // The flux scale reads the heat-flux range; the ranges are back after.
    settings.fill = FillMode::Isofluxes;
    settings.flux = {0.0f, 50.0f, 25.0f, 50.0f, {}, {}};
    EXPECT_EQ(Strings(Draw()), (std::vector<std::string>{"0", "25", "50", "[W/m²]"}));
    EXPECT_FALSE(settings.isoflux);
    EXPECT_EQ(settings.temperature.lower, 0.5f);

    // An upper limit at the lower one: one band, out of range, no division.
    settings.fill = FillMode::Temperatures;
    settings.temperature = {5.0f, 5.0f, 1.0f, 5.0f, {}, {}};
    kernels::MemoryRaster fresh(900, 400);
    raster = fresh;
    EXPECT_EQ(Strings(Draw()), (std::vector<std::string>{"4", "5", "[°C]"}));
    EXPECT_GT(raster.Count(ValueToColour(scale, -1.0f)), 100);
}

TEST_F(LegendTest, TheSunLegendShowsTheDateAndTheSunOnlyByDay)
{
    settings.sunPosition = true;
    engine.run.calcTime = 400LL * 86400 + 3600;
    engine.model.day0 = 1;
    sun.altitude = -3.0f;
    std::vector<std::string> night = Strings(Draw());
    EXPECT_EQ(night, (std::vector<std::string>{"0400:01:00:00", "5 Feb"}));
    sun.altitude = 35.7f;
    sun.azimuth = 300.2f;
    std::vector<std::string> day = Strings(Draw());
    ASSERT_EQ(day.size(), 4u);
    EXPECT_EQ(day[2], "Sun azimuth = -60°");
    EXPECT_EQ(day[3], "Sun altitude = 35°");
}

TEST_F(LegendTest, DatesAndSectionLabels)
{
    EXPECT_EQ(PictureDate(400LL * 86400, 1), "5 Feb");
    EXPECT_EQ(PictureDate(0, 365), "31 Dec");
    EXPECT_EQ(PictureDate(0, 1), "1 Jan");
    EXPECT_EQ(PictureDate(86400LL * 30, 1), "31 Jan");
    EXPECT_EQ(PictureDate(86400LL * 31, 1), "1 Feb");
    Grid(Uniform(4, 1.0f), Uniform(5, 1.0f), Uniform(6, 1.0f));
    engine.model.clipLo[0] = 1, engine.model.clipHi[0] = 3;
    engine.model.clipLo[2] = 2, engine.model.clipHi[2] = 5;
    EXPECT_EQ(SectionLabel(engine.model, 1), "X = 1");
    EXPECT_EQ(SectionLabel(engine.model, 2), "X = 3");
    EXPECT_EQ(SectionLabel(engine.model, 6), "Z = 5");
    EXPECT_EQ(SectionLabel(engine.model, 7), "R = 3");  // 2 x 1 + 1
    EXPECT_EQ(SectionLabel(engine.model, 11), "L = 3"); // 2 (6 - 5) + 1
    EXPECT_EQ(SectionLabel(engine.model, 12), "L = 9"); // 2 (6 - 2) + 1
}

TEST_F(LegendTest, SectionAndTimeLabelsDoNotShareARow)
{
    Grid(Uniform(2, 1.0f), Uniform(2, 1.0f), Uniform(2, 1.0f));
    Material(1, 1.0f, RGB(5, 5, 5));
    settings.isothermalLines = true; // shows the time
    engine.run.calcTime = 60;
    const std::vector<kernels::PictureText> texts = Draw(5);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2].text, "Z = 0");
    EXPECT_EQ(texts[3].text, "0000:00:01:00");
    EXPECT_LE(texts[3].rect.bottom, (texts[2].rect.top + texts[2].rect.bottom) / 2);
    for (const auto& t : texts) // inside the pane
        EXPECT_GE(t.rect.top, -1);
}

} // namespace
} // namespace gelmar::test

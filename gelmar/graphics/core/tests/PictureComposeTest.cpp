// The whole picture: the layers of a section and of a perspective, an Esc
// during a flux pass that leaves no exchanged ranges behind, a range of very
// many increments stopped by Esc, the value read-out under the pointer, the
// sun display by day and at night, and the shadow display.
#include "PictureFixture.h"
#include "common/kernels/picture/ScanFiller.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/Errors.h"

#include <algorithm>

namespace gelmar::test {
namespace {

class PictureComposeTest : public PictureTest {
  protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        Grid(Uniform(4, 1.0f), Uniform(3, 1.0f), Uniform(2, 1.0f));
        Material(1, 1.0f, RGB(120, 120, 120));
        Surface(2, 0.0f, 25.0f);
        Block(1, 0, 4, 0, 3, 0, 2);
        Build();
        SetTemperatures([](double x, double, double) { return 4.0 * x; });
        picture.settings.temperature = {0.0f, 16.0f, 1.0f, 5.0f, {RGB(255, 0, 0), 1}, {RGB(0, 0, 255), 1}};
        picture.settings.flux = {0.0f, 100.0f, 10.0f, 50.0f, {RGB(0, 255, 0), 1}, {RGB(0, 128, 0), 1}};
        picture.settings.legend = false;
        picture.settings.objectLines = false;
        // A camera from (8, -6, 7) at the model's centre.
        const double eye[3] = {8, -6, 7}, centre[3] = {2, 1.5, 1}, up[3] = {0, 0, 1};
        double forward[16];
        Camera(eye, centre, up, 40.0, 320, 240, 1.0, 40.0, forward);
        picture.SetViewMatrix(forward);
    }
    PictureResult Draw(const PictureSource& src, const kernels::EscCheck& esc = {})
    {
        return picture.DrawPicture(src, raster.View(), CRect(0, 0, 320, 240), CRect(320, 0, 400, 240), esc);
    }

    Picture picture;
    kernels::MemoryRaster raster{400, 240, RGB(9, 9, 9)};
};

TEST_F(PictureComposeTest, ASectionDrawsItsLayersInsideThePictureAndTheLegendBeside)
{
    picture.projection = 5;
    picture.sectionView.SetSectionFullWindow(5, engine.model.clipCoord);
    picture.settings.fill = FillMode::Temperatures;
    picture.settings.isothermalLines = true;
    picture.settings.legend = true;
    const PictureResult result = Draw(Source());
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(picture.Polygons().size(), 1u);
    // Bands and lines inside the pane, the pane's rest white, the legend
    // pane's background left to the window.
    EXPECT_GT(raster.Count(RGB(255, 0, 0)), 100);
    EXPECT_EQ(raster.At(319, 0), kernels::kWhite);
    EXPECT_EQ(raster.At(399, 0), RGB(9, 9, 9));
    // The legend's texts, in its pane: the scale, the section and the time.
    ASSERT_FALSE(result.texts.empty());
    EXPECT_TRUE(std::any_of(result.texts.begin(), result.texts.end(),
                            [](const auto& t) { return t.text == "Z = 0"; }));
    for (const kernels::PictureText& t : result.texts)
        EXPECT_GE(t.rect.left, 320);
}

TEST_F(PictureComposeTest, EscDuringAFluxPassLeavesTheRangesAsTheyWere)
{
    picture.settings.fill = FillMode::Isofluxes;
    picture.settings.isofluxLines = true;
    int loads = 0;
    PictureSource src = Source();
    src.ensureFluxTable = [&] { ++loads; };
    int polls = 0;
    const PictureResult stopped = Draw(src, [&] { return ++polls == 3; });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    EXPECT_FALSE(picture.settings.isoflux);
    EXPECT_EQ(picture.settings.temperature.upper, 16.0f);
    EXPECT_EQ(picture.settings.flux.upper, 100.0f);
    EXPECT_EQ(loads, 1);
    // The next picture is whole.
    const PictureResult whole = Draw(src);
    EXPECT_FALSE(whole.stopped);
    EXPECT_FALSE(picture.settings.isoflux);
    EXPECT_EQ(picture.settings.temperature.inc, 1.0f);
    // A window closing after an abort may end a pass that is not open.
    EndIsofluxDrawing(picture.settings);
    EXPECT_EQ(picture.settings.temperature.inc, 1.0f);
}

TEST_F(PictureComposeTest, AVeryFineIncrementCanBeStoppedWithEsc)
{
    picture.settings.fill = FillMode::Temperatures;
    picture.settings.isothermalLines = true;
    picture.settings.temperature.inc = 1e-7f; // 1.6e8 increments over the range
    int polls = 0;
    const PictureResult result = Draw(Source(), [&] { return ++polls > 50; });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(polls, 51);
}

TEST_F(PictureComposeTest, TheValueUnderThePointerOfTheLastPicture)
{
    picture.projection = 5; // Zmin: u = -x, v = -y
    picture.sectionView.SetSectionFullWindow(5, engine.model.clipCoord);
    picture.settings.fill = FillMode::Temperatures;
    Draw(Source());
    const kernels::SectionTransform& t = picture.SectionTransform();
    const int px = static_cast<int>(-2.5 * t.scale + t.x0), py = static_cast<int>(-1.2 * t.scale + t.y0);
    std::string label;
    ASSERT_TRUE(picture.ValueLabelAtPoint(Source(), px, py, false, label));
    const double x = -(px - t.x0) / t.scale;
    EXPECT_NEAR(std::stod(label), 4.0 * x, 4.0 / t.scale + 0.01);
    EXPECT_EQ(label.substr(label.size() - 3), "°C");
    EXPECT_FALSE(picture.ValueLabelAtPoint(Source(), 2, 2, false, label));
    // In the perspective the face in front answers.
    picture.projection = 0;
    Draw(Source());
    double sx, sy, sz;
    picture.Matrix().Project(2.5, 0.0, 1.5, sx, sy, sz); // on the y-min face
    ASSERT_TRUE(
        picture.ValueLabelAtPoint(Source(), static_cast<int>(sx), static_cast<int>(sy), false, label));
    EXPECT_NEAR(std::stod(label), 10.0, 0.2);
    // Flux labels: W/m², the flux into the y-min face is 0 (no conduction across).
    ASSERT_TRUE(picture.ValueLabelAtPoint(Source(), static_cast<int>(sx), static_cast<int>(sy), true, label));
    EXPECT_EQ(label, "0.00 W/m²");
}

TEST_F(PictureComposeTest, TheSunDisplayDrawsTheDiscOnlyAboveTheHorizon)
{
    picture.settings.sunPosition = true;
    // A camera far enough out to hold the sun's distance of twice the model size.
    const double eye[3] = {30, -25, 20}, centre[3] = {2, 1.5, 1}, up[3] = {0, 0, 1};
    double forward[16];
    Camera(eye, centre, up, 40.0, 320, 240, 1.0, 100.0, forward);
    picture.SetViewMatrix(forward);
    PictureSource src = Source();
    // Noon at midsummer in the model's own site frame.
    engine.run.calcTime = 171LL * 86400 + 12 * 3600;
    engine.model.day0 = 1;
    ComputeSunPosition(0, engine.model.latitude, -engine.model.longitude, 172, 12.0f, -engine.model.timeZone,
                       src.sun.altitude, src.sun.azimuth);
    ASSERT_GT(src.sun.altitude, 0.0f);
    Draw(src);
    EXPECT_GT(raster.Count(RGB(255, 255, 0)), 200); // the disc
    double p[3];
    SunDisplayPoint(engine.model, src.sun, src.sun.altitude, src.sun.azimuth, p);
    double sx, sy, sz;
    picture.Matrix().Project(p[0], p[1], p[2], sx, sy, sz);
    EXPECT_EQ(raster.At(static_cast<int>(sx), static_cast<int>(sy)), RGB(255, 255, 0));
    // Hidden by an obstacle: grey. At night: no disc, the horizon stays.
    src.sunVisible = false;
    Draw(src);
    EXPECT_GT(raster.Count(RGB(127, 127, 127)), 200);
    src.sun.altitude = -10.0f;
    Draw(src);
    EXPECT_EQ(raster.Count(RGB(127, 127, 127)), 0);
    EXPECT_GT(raster.Count(RGB(255, 0, 0)), 20); // the site's north axis
}

TEST_F(PictureComposeTest, TheShadowDisplayLightensShadowedFacesWithABoundaryBeyond)
{
    // The material's top borders a BC colour; everything with x < 2 lies in
    // the shadow.
    FreeModel(engine);
    ResetModel(engine);
    Grid(Uniform(4, 1.0f), Uniform(3, 1.0f), Uniform(3, 1.0f));
    Material(1, 1.0f, RGB(120, 120, 120));
    Surface(2, 0.0f, 25.0f);
    Block(1, 0, 4, 0, 3, 0, 2);
    Block(2, 0, 4, 0, 3, 2, 3);
    Build();
    picture.settings.fill = FillMode::Materials;
    picture.settings.shadow = true;
    PictureSource src = Source();
    src.sun.altitude = 30.0f;
    src.rayBlocked = [](float x, float, float) { return x < 2.0f; };
    Draw(src);
    const COLORREF tint = kernels::ShadowTint(RGB(120, 120, 120));
    EXPECT_GT(raster.Count(tint), 100);
    EXPECT_GT(raster.Count(RGB(120, 120, 120)), 100);
}

} // namespace
} // namespace gelmar::test

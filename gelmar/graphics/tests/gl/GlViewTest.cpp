// Frames of the 3D view on a real OpenGL context: the background, the lit
// colour of each visible face against the fixed-function lighting formula,
// the transparent blend, a band colour at a known point of a linear field,
// the material frame without lighting against the picture engine's face
// fill for the same camera, the rubber band drawn over the picture, a view
// without height, a closed overlay table, and a context the platform
// creates again.
#include "GlFixture.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/graphics/GlScene.h"
#include "gelmar/graphics/core/PictureWalkers.h"
#include "gelmar/graphics/core/SceneFaces.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/store/ColourScale.h"
#include "resources/gelmar/GelmarIds.h"

#include <GL/gl.h>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <random>

namespace gelmar::test {
namespace {

constexpr COLORREF kWall = RGB(200, 120, 80);

class GlFrameTest : public GlViewTest {
  protected:
    // One block, 2 x 1.5 x 1, in the wall colour.
    void OneBlock()
    {
        NewModel({1.0f, 1.0f}, {1.5f}, {1.0f});
        Material(1, kWall, "Wall");
        Block(1, 0, 2, 0, 1, 0, 1);
    }
    // The visible faces of the block seen from azimuth 30, altitude 30: the
    // centre of each and its outward normal.
    struct FaceCentre {
        double p[3];
        double n[3];
    };
    static constexpr FaceCentre kVisible[3] = {
        {{2.0, 0.75, 0.5}, {1, 0, 0}}, {{1.0, 1.5, 0.5}, {0, 1, 0}}, {{1.0, 0.75, 1.0}, {0, 0, 1}}};
};

TEST_F(GlFrameTest, WhiteBackgroundAndLitFacesAsTheLightingFormulaGives)
{
    OneBlock();
    const QImage frame = Frame(ViewKind::Materials);
    ASSERT_EQ(frame.width(), view->m_cx);
    ASSERT_EQ(frame.height(), view->m_cy);
    EXPECT_EQ(Difference(frame, {2, 2}, RGB(255, 255, 255)), 0);
    EXPECT_EQ(Difference(frame, {view->m_cx - 3, view->m_cy - 3}, RGB(255, 255, 255)), 0);
    for (const FaceCentre& f : kVisible)
        EXPECT_LE(Difference(frame, Pixel(f.p[0], f.p[1], f.p[2]), Lit(kWall, f.n)), 2) << f.n[0] << f.n[1];
}

TEST_F(GlFrameTest, TransparentFacesBlendHalfWithWhatLiesBehind)
{
    OneBlock();
    const QImage frame = Frame(ViewKind::Transparent);
    const double a = 128.0 / 255.0;
    for (const FaceCentre& f : kVisible) {
        const COLORREF lit = Lit(kWall, f.n);
        auto blend = [a](int c) { return static_cast<int>(std::lround(c * a + 255 * (1 - a))); };
        const COLORREF expected = RGB(blend(GetRValue(lit)), blend(GetGValue(lit)), blend(GetBValue(lit)));
        EXPECT_LE(Difference(frame, Pixel(f.p[0], f.p[1], f.p[2]), expected), 2);
        // The framebuffer stays opaque, so the window shows these colours.
        const CPoint p = Pixel(f.p[0], f.p[1], f.p[2]);
        ASSERT_TRUE(wglMakeCurrent(view->m_hDC, view->m_hRC));
        std::uint8_t rgba[4] = {};
        glReadPixels(p.x, view->m_cy - 1 - p.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        wglMakeCurrent(nullptr, nullptr);
        EXPECT_EQ(rgba[3], 255);
    }
}

TEST_F(GlFrameTest, BandColourAtAKnownPointOfALinearField)
{
    // T = x along a bar of ten unit cells, bands of 1 from 0 to 10.
    NewModel(Uniform(10, 1.0f), {1.0f}, {1.0f});
    Material(1, kWall);
    Block(1, 0, 10, 0, 1, 0, 1);
    TheEngine().model.tmin = 0, TheEngine().model.tmax = 10, TheEngine().model.tin1 = 1;
    BuildPictureData(TheEngine());
    SetPictureTemperatures(TheEngine(), [](double x, double, double) { return x; });
    const QImage frame = Frame(ViewKind::Temperatures);
    const double up[3] = {0, 0, 1}, side[3] = {0, 1, 0};
    for (double x : {2.5, 3.5, 7.5}) {
        const COLORREF band =
            ValueToColour(TheEngine().colourScale, static_cast<float>(std::floor(x) / 10.0));
        EXPECT_LE(Difference(frame, Pixel(x, 0.5, 1.0), Lit(band, up)), 2) << x;
        EXPECT_LE(Difference(frame, Pixel(x, 1.0, 0.5), Lit(band, side)), 2) << x;
    }
}

TEST_F(GlFrameTest, NorthDisplayShowsTheDiscAndTheSunsPaths)
{
    OneBlock();
    g_app.showNorth = true;
    const QImage frame = Frame(ViewKind::Materials);
    g_app.showNorth = false;
    long long yellow = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            yellow += Difference(frame, {x, y}, RGB(255, 255, 0)) < 10;
    EXPECT_GT(yellow, 100); // the paths and the sun
    // Without it, no yellow at all.
    const QImage plain = Frame(ViewKind::Materials);
    for (int y = 0; y < plain.height(); y += 3)
        for (int x = 0; x < plain.width(); x += 3)
            ASSERT_GE(Difference(plain, {x, y}, RGB(255, 255, 0)), 10);
}

TEST_F(GlFrameTest, UnlitFrameAgreesWithThePictureEnginesFaceFill)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const COLORREF palette[3] = {RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200)};
    std::vector<float> widths[3];
    for (auto& axis : widths)
        for (int n = 0; n < 5; ++n)
            axis.push_back(static_cast<float>(0.5 + u(rng)));
    NewModel(widths[0], widths[1], widths[2]);
    for (int c = 1; c <= 3; ++c)
        Material(c, palette[c - 1]);
    for (int b = 0; b < 6; ++b) {
        int lo[3], hi[3];
        for (int a = 0; a < 3; ++a) {
            lo[a] = static_cast<int>(u(rng) * 4);
            hi[a] = lo[a] + 1 + static_cast<int>(u(rng) * (5 - lo[a]));
        }
        Block(1 + b % 3, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
    }
    TheEngine().model.viewAzimuth = 50, TheEngine().model.viewAltitude = 25;
    Frame(ViewKind::Materials);
    const int w = view->m_cx, h = view->m_cy;

    // The view's frame with the same surface, lighting off.
    ASSERT_TRUE(wglMakeCurrent(view->m_hDC, view->m_hRC));
    glViewport(0, 0, w, h);
    LoadProjection(ProjectionMatrix(*view, ModelViewExtent(TheEngine().model), false));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LoadModelView(
        CameraMatrix(*view, ModelViewAngles(TheEngine().model), ModelViewExtent(TheEngine().model), false));
    glDisable(GL_LIGHTING);
    TriangleMesh mesh;
    EmitBlockFaces(TheEngine().model, ViewKind::Materials, {}, 255, {}, TheEngine().view.faces, mesh);
    DrawMesh(mesh);
    glEnable(GL_LIGHTING);
    std::vector<std::uint32_t> gl(static_cast<std::size_t>(w) * h);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, gl.data());
    wglMakeCurrent(nullptr, nullptr);

    // The picture engine's fill through the view's picture matrix.
    view->ComputeViewMatrixInverse(0);
    kernels::MemoryRaster raster(w, h);
    kernels::PictureCanvas canvas(raster.View());
    PictureSettings settings;
    const PictureSource source(TheEngine().model, TheEngine().run, TheEngine().view.faces,
                               TheEngine().colourScale);
    PictureContext context(source, settings, canvas, w, h, {});
    context.SetPerspective(view->PictureMatrix());
    FillFaceColours(context, FaceColourMode::Materials);

    long long same = 0, drawn = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t g = gl[static_cast<std::size_t>(h - 1 - y) * w + x] & 0xFFFFFF;
            const COLORREF p = raster.At(x, y);
            const COLORREF q = RGB((g >> 16) & 0xFF, (g >> 8) & 0xFF, g & 0xFF);
            same += q == p;
            drawn += p != kernels::kWhite;
        }
    EXPECT_GT(drawn, w * h / 20);
    EXPECT_GE(static_cast<double>(same) / (static_cast<double>(w) * h), 0.99);
    view->Invalidate(FALSE);
}

TEST_F(GlFrameTest, RubberBandDrawnTwiceLeavesThePicture)
{
    OneBlock();
    const QImage before = Frame(ViewKind::Materials);
    view->m_drag.start = CPoint(40, 30);
    view->m_drag.current = CPoint(view->m_cx - 50, view->m_cy - 40);
    view->DrawRubberBand();
    Settle();
    const QImage banded = platform::GrabOpenGLFrame(view);
    // The band inverts its outline, over the background and over the block.
    EXPECT_EQ(Difference(banded, {40, 30}, RGB(0, 0, 0)), 0);
    EXPECT_NE(banded, before);
    view->DrawRubberBand();
    Settle();
    EXPECT_EQ(platform::GrabOpenGLFrame(view), before);
}

TEST_F(GlFrameTest, AViewWithoutHeightDrawsAndPicksNothing)
{
    OneBlock();
    Frame(ViewKind::Materials);
    const int cx = view->m_cx, cy = view->m_cy;
    view->m_cy = 0;
    CClientDC dc(view);
    view->OnDraw(&dc);
    EXPECT_EQ(view->PickBlock(CPoint(cx / 2, 0)), -1);
    view->m_cy = cy;
}

TEST_F(GlFrameTest, AGridOverlayWithItsTableClosedStillShowsTheFaces)
{
    OneBlock();
    if (CGridView* grid = m_app->FindView<CGridView>())
        grid->GetParentFrame()->SendMessage(WM_CLOSE);
    Settle();
    ASSERT_EQ(m_app->FindView<CGridView>(), nullptr);
    bool asked = false;
    Links().getSelectedSpan = [&](CView*, std::uint16_t span[6], int& axis) {
        asked = true;
        for (int k = 0; k < 6; ++k)
            span[k] = static_cast<std::uint16_t>(k % 2 ? 1 : 0);
        axis = 1;
        return true;
    };
    for (int kind : {1, 4, 6}) {
        view->m_overlayKind = kind;
        const QImage frame = Frame(ViewKind::Materials);
        EXPECT_LE(Difference(frame, Pixel(1.0, 1.5, 0.5), Lit(kWall, kVisible[1].n)), 2) << kind;
    }
    EXPECT_FALSE(asked); // no table, no span asked for
    ResetTableLinks();
}

TEST_F(GlFrameTest, GridTableSpanIsHighlightedAndOutlined)
{
    OneBlock();
    Doc()->OnCmdMsg(ID_GRID, CN_COMMAND, nullptr);
    Settle();
    Links().getSelectedSpan = [](CView*, std::uint16_t span[6], int& axis) {
        const std::uint16_t s[6] = {1, 2, 0, 1, 0, 1};
        std::copy(s, s + 6, span);
        axis = 1;
        return true;
    };
    view->m_overlayKind = 1;
    const QImage frame = Frame(ViewKind::Materials);
    // The second cell on x is lightened, the first is not.
    const double up[3] = {0, 0, 1};
    EXPECT_LE(Difference(frame, Pixel(1.5, 0.4, 1.0), Lit(HighlightColour(kWall), up)), 2);
    EXPECT_LE(Difference(frame, Pixel(0.5, 0.4, 1.0), Lit(kWall, up)), 2);
    // The span's box is drawn over it: its edge in black near the top
    // edge's middle.
    const CPoint edge = Pixel(1.5, 1.5, 1.0);
    int black = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            black += Difference(frame, {edge.x + dx, edge.y + dy}, RGB(0, 0, 0)) < 40;
    EXPECT_GT(black, 0);
    ResetTableLinks();
}

TEST_F(GlFrameTest, AFrameThatBuildsItsListDrawsIt)
{
    OneBlock();
    Frame(ViewKind::Materials);
    // The list not ready (a build that found no context yet): the frame
    // builds it, and still shows it.
    view->DeleteDisplayList();
    view->m_listReady = false;
    view->Invalidate(FALSE);
    Settle();
    EXPECT_TRUE(view->m_listReady);
    EXPECT_LE(Difference(platform::GrabOpenGLFrame(view), Pixel(1.0, 1.5, 0.5), Lit(kWall, kVisible[1].n)),
              2);
}

TEST_F(GlFrameTest, AContextCreatedAgainGetsItsStateAndListBack)
{
    OneBlock();
    Frame(ViewKind::Materials);
    auto* surface = dynamic_cast<QOpenGLWidget*>(view->GetWidget());
    ASSERT_NE(surface, nullptr);
    const QOpenGLContext* first = surface->context();
    // Moved to another window and back, the surface gets a new context
    // each time (the state set up and the display list of the first are gone).
    QWidget* parent = surface->parentWidget();
    const QRect geometry = surface->geometry();
    {
        QWidget other;
        other.resize(geometry.size());
        surface->setParent(&other);
        surface->show();
        other.show();
        Settle();
        EXPECT_NE(surface->context(), first);
        const QImage frame = platform::GrabOpenGLFrame(view);
        EXPECT_LE(Difference(frame, Pixel(1.0, 1.5, 0.5), Lit(kWall, kVisible[1].n)), 2);
        EXPECT_EQ(Difference(frame, {2, 2}, RGB(255, 255, 255)), 0);
        surface->setParent(parent);
        surface->setGeometry(geometry);
        surface->show();
    }
    Settle();
    ASSERT_TRUE(surface->isValid());
    // A frame of the view as it stands (no model update): the list in the
    // new context is the view's doing.
    view->Invalidate(FALSE);
    Settle();
    const QImage frame = platform::GrabOpenGLFrame(view);
    EXPECT_LE(Difference(frame, Pixel(1.0, 1.5, 0.5), Lit(kWall, kVisible[1].n)), 2);
    EXPECT_EQ(Difference(frame, {2, 2}, RGB(255, 255, 255)), 0);
}

} // namespace
} // namespace gelmar::test

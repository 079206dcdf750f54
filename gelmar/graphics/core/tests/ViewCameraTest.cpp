// The 3D view's camera and navigation: where the eye and the picture of a
// model point end up (projected through the forward picture matrix, an
// independent check of the matrices' composition), and the edge cases of
// zooming, rotating, panning and Zoom Numbers.
#include "gelmar/graphics/core/ViewCamera.h"

#include "common/kernels/picture/PictureMatrix.h"

#include <cmath>
#include <gtest/gtest.h>

namespace gelmar {
namespace {

class ViewCameraTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        camera.m_cx = 400;
        camera.m_cy = 300;
        extent.centre[0] = 1.0f, extent.centre[1] = 2.0f, extent.centre[2] = 0.5f;
        extent.size = 3.0f;
    }
    ViewAngles Angles() { return {azimuth, altitude}; }
    // Pixel of a model point through the current camera.
    void Project(const float p[3], double& px, double& py)
    {
        double forward[16];
        ForwardPictureMatrix(camera, Angles(), extent, false, forward);
        kernels::PictureMatrix m;
        m.SetForward(forward);
        double depth;
        m.Project(p[0], p[1], p[2], px, py, depth);
    }

    ViewCamera camera;
    ViewExtent extent;
    float azimuth = 30.0f, altitude = 30.0f;
    int mouseMode = 0;
    DragPoints drag;
};

TEST_F(ViewCameraTest, EyeLiesOnItsSphereAndTheFocusAtTheWindowCentre)
{
    const float angles[][2] = {{0, 0}, {30, 30}, {90, 45}, {200, -20}, {315, 80}};
    for (const auto& a : angles) {
        azimuth = a[0], altitude = a[1];
        CameraMatrix(camera, Angles(), extent, false);
        double r = 0, dot = 0;
        for (int k = 0; k < 3; ++k) {
            const double d = camera.m_eye[k] - extent.centre[k];
            r += d * d;
            dot += d * camera.m_up[k];
        }
        EXPECT_NEAR(std::sqrt(r), 2 * extent.size, 1e-5);
        EXPECT_NEAR(dot, 0.0, 1e-4); // up is square to the line of sight
        double px, py;
        Project(extent.centre, px, py);
        // The look-at rotation is single precision, as GLU's.
        EXPECT_NEAR(px, 200.0, 1e-4);
        EXPECT_NEAR(py, 150.0, 1e-4);
    }
    // Azimuth 0 looks from +x, 90 from +y, altitude 90 from above.
    azimuth = 0, altitude = 0;
    CameraMatrix(camera, Angles(), extent, false);
    EXPECT_NEAR(camera.m_eye[0], 1.0f + 6.0f, 1e-5);
    azimuth = 90;
    CameraMatrix(camera, Angles(), extent, false);
    EXPECT_NEAR(camera.m_eye[1], 2.0f + 6.0f, 1e-5);
    altitude = 90;
    CameraMatrix(camera, Angles(), extent, true);
    EXPECT_NEAR(camera.m_eye[2], 0.5f + 12.0f, 1e-5);
}

TEST_F(ViewCameraTest, TheViewAngleSpansTheSmallerWindowSide)
{
    // A point seen at half the view angle off the axis lies on the edge of
    // the smaller side, wide or tall.
    azimuth = 0, altitude = 0; // looking along -x, z up, y to the right... or left
    for (int tall = 0; tall < 2; ++tall) {
        camera.m_cx = tall ? 300 : 400;
        camera.m_cy = tall ? 400 : 300;
        camera.m_viewAngle = 50.0f;
        CameraMatrix(camera, Angles(), extent, false);
        const double distance = 2 * extent.size;
        const double offset = distance * std::tan(25.0 * 3.14159265358979323846 / 180.0);
        // Sideways (y) on a tall window, upwards (z) on a wide one.
        float p[3] = {extent.centre[0], extent.centre[1], extent.centre[2]};
        if (tall)
            p[1] += static_cast<float>(offset);
        else
            p[2] += static_cast<float>(offset);
        double px, py;
        Project(p, px, py);
        if (tall)
            EXPECT_NEAR(std::fabs(px - 150.0), 150.0, 1e-3);
        else
            EXPECT_NEAR(py, 0.0, 1e-3);
    }
}

TEST_F(ViewCameraTest, ZoomingInStopsAtTheSmallestAngleAndZoomingOutReturnsToTheTotalView)
{
    drag.current = CPoint(200, 150);
    for (int n = 0; n < 40; ++n)
        ZoomIn(camera, Angles(), extent, drag);
    EXPECT_EQ(camera.m_viewAngle, kMinViewAngle);
    EXPECT_EQ(camera.m_totalView, 0);

    camera.m_viewAngle = 40.0f;
    mouseMode = 2;
    EXPECT_TRUE(ZoomOut(camera, Angles(), mouseMode));
    EXPECT_EQ(camera.m_viewAngle, 60.0f);
    EXPECT_EQ(camera.m_totalView, 1);
    EXPECT_EQ(mouseMode, 0); // no panning in the total view
    EXPECT_EQ(camera.m_previousAngle, 40.0f);
    EXPECT_FALSE(ZoomOut(camera, Angles(), mouseMode));
}

TEST_F(ViewCameraTest, ZoomInBringsTheClickedPointToTheCentre)
{
    // A point on the focal plane at the clicked pixel ends at the centre.
    CameraMatrix(camera, Angles(), extent, false);
    const CPoint click(300, 80);
    double px, py;
    // The model point under the click on the plane through the focus: found
    // by panning a copy, which moves the focus exactly there.
    ViewCamera probe = camera;
    float az = azimuth, alt = altitude;
    PanToCentre(probe, {az, alt}, extent, click);
    Project(probe.m_focus, px, py);
    EXPECT_NEAR(px, click.x, 0.5);
    EXPECT_NEAR(py, click.y, 0.5);

    drag.current = click;
    ZoomIn(camera, Angles(), extent, drag);
    EXPECT_FLOAT_EQ(camera.m_viewAngle, 30.0f);
    Project(probe.m_focus, px, py);
    EXPECT_NEAR(px, 200.0, 1e-3);
    EXPECT_NEAR(py, 150.0, 1e-3);
}

TEST_F(ViewCameraTest, RotationKeepsBothAnglesInRange)
{
    // A very wide window: one step may turn by several times 360 degrees.
    camera.m_cx = 4000;
    camera.m_cy = 20;
    const CPoint moves[] = {{3999, 0}, {0, 19}, {-3000, -500}, {2500, 3000}, {10, 10}};
    for (bool dragMode : {false, true}) {
        drag.start = CPoint(0, 0);
        for (const CPoint& m : moves) {
            drag.current = m;
            RotateByDrag(camera, Angles(), drag, dragMode);
            EXPECT_GE(azimuth, 0.0f);
            EXPECT_LE(azimuth, 360.0f);
            EXPECT_GE(altitude, 0.0f);
            EXPECT_LE(altitude, 360.0f);
            EXPECT_EQ(drag.start, m);
        }
    }
    // A drag across the smaller side turns by 180 degrees; the sense
    // follows the Drag Mode setting.
    camera.m_cx = 400, camera.m_cy = 300;
    azimuth = 100, altitude = 10;
    drag.start = CPoint(0, 0);
    drag.current = CPoint(150, 0);
    RotateByDrag(camera, Angles(), drag, true);
    EXPECT_FLOAT_EQ(azimuth, 190.0f);
    drag.current = CPoint(150, 150);
    RotateByDrag(camera, Angles(), drag, false);
    EXPECT_FLOAT_EQ(altitude, 100.0f);
}

TEST_F(ViewCameraTest, AWindowWithoutSizeChangesNothing)
{
    for (const CSize size : {CSize(0, 300), CSize(400, 0), CSize(0, 0)}) {
        camera.m_cx = size.cx, camera.m_cy = size.cy;
        const ViewCamera before = camera;
        drag.start = CPoint(0, 0);
        drag.current = CPoint(50, 40);
        RotateByDrag(camera, Angles(), drag, true);
        PanToCentre(camera, Angles(), extent, CPoint(10, 10));
        EXPECT_FALSE(ZoomToRectangle(camera, Angles(), extent, drag));
        EXPECT_EQ(azimuth, 30.0f);
        EXPECT_EQ(camera.m_viewAngle, before.m_viewAngle);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(camera.m_focus[k], before.m_focus[k]);
        // The projection stays finite.
        const GlMatrix p = ProjectionMatrix(camera, extent, false);
        for (double v : p.m)
            EXPECT_TRUE(std::isfinite(v));
    }
}

TEST_F(ViewCameraTest, ZoomWindowFitsTheRectangleAndIgnoresAFlatOne)
{
    CameraMatrix(camera, Angles(), extent, false);
    drag.start = CPoint(100, 100);
    drag.current = CPoint(100, 180);
    EXPECT_FALSE(ZoomToRectangle(camera, Angles(), extent, drag));
    EXPECT_EQ(camera.m_totalView, 1);

    // A rectangle a quarter of the window wide and as wide as the window's
    // shape: the new view shows a quarter of the old width.
    drag.start = CPoint(250, 100);
    drag.current = CPoint(350, 175);
    ASSERT_TRUE(ZoomToRectangle(camera, Angles(), extent, drag));
    EXPECT_EQ(camera.m_totalView, 0);
    const double half = std::tan(camera.m_viewAngle / 2 * 3.14159265358979323846 / 180.0);
    EXPECT_NEAR(half, std::tan(30.0 * 3.14159265358979323846 / 180.0) * 0.25, 1e-6);
    EXPECT_EQ(drag.current, CPoint(300, 137));
}

TEST_F(ViewCameraTest, PreviousViewTogglesBetweenTwoViews)
{
    SaveView(camera, Angles());
    azimuth = 120, altitude = 45;
    camera.m_viewAngle = 12.0f;
    camera.m_totalView = 0;
    camera.m_focus[0] = 7.0f;
    SwapPreviousView(camera, Angles());
    EXPECT_EQ(azimuth, 30.0f);
    EXPECT_EQ(camera.m_viewAngle, 60.0f);
    EXPECT_EQ(camera.m_totalView, 1);
    SwapPreviousView(camera, Angles());
    EXPECT_EQ(azimuth, 120.0f);
    EXPECT_EQ(altitude, 45.0f);
    EXPECT_EQ(camera.m_focus[0], 7.0f);

    ZoomTotal(camera, Angles(), mouseMode = 3);
    EXPECT_EQ(mouseMode, 0);
    EXPECT_EQ(camera.m_totalView, 1);
    EXPECT_EQ(camera.m_previousAngle, 12.0f);
    ResetView(camera, mouseMode, true);
    EXPECT_EQ(camera.m_previousAngle, 0.0f);
}

TEST_F(ViewCameraTest, ArrowKeysTurnOrPanByTheirStep)
{
    struct Case {
        int mode;
        ArrowKey key;
        bool dragMode;
        float azimuth, altitude;
    } cases[] = {
        {0, ArrowKey::Left, true, 25, 30},   {0, ArrowKey::Right, true, 35, 30},
        {0, ArrowKey::Up, true, 30, 35},     {0, ArrowKey::Down, false, 30, 35},
        {0, ArrowKey::Left, false, 35, 30},  {3, ArrowKey::Left, true, 30, 30},
    };
    for (const Case& c : cases) {
        azimuth = altitude = 30.0f;
        const bool moved = MoveByArrowKey(camera, Angles(), extent, drag, c.mode, c.key, c.dragMode);
        EXPECT_EQ(moved, c.mode != 3);
        EXPECT_EQ(azimuth, c.azimuth);
        EXPECT_EQ(altitude, c.altitude);
    }
    // Pan: the point an eighth of the smaller side to the right comes to the
    // centre.
    camera.m_totalView = 0;
    CameraMatrix(camera, Angles(), extent, false);
    ViewCamera probe = camera;
    float az = azimuth, alt = altitude;
    PanToCentre(probe, {az, alt}, extent, CPoint(200 + 300 / 8, 150));
    ASSERT_TRUE(MoveByArrowKey(camera, Angles(), extent, drag, 2, ArrowKey::Right, true));
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(camera.m_focus[k], probe.m_focus[k], 1e-5);
}

TEST_F(ViewCameraTest, ZoomNumbersRestoreTheTotalViewOnlyAtSixtyDegreesOnTheCentre)
{
    camera.m_totalView = 0;
    camera.m_focus[0] = 4.0f;
    ZoomNumbers n = CurrentZoomNumbers(camera, Angles(), extent);
    EXPECT_EQ(n.focus[0], 4.0f);
    struct Case {
        float angle;
        float focusX;
        int total;
    } cases[] = {{60, 1.0f, 1}, {59.5f, 1.0f, 0}, {60, 1.5f, 0}};
    for (const Case& c : cases) {
        n.azimuth = 10, n.altitude = 20, n.viewAngle = c.angle;
        n.focus[0] = c.focusX, n.focus[1] = 2.0f, n.focus[2] = 0.5f;
        ApplyZoomNumbers(camera, Angles(), extent, n);
        EXPECT_EQ(camera.m_totalView, c.total);
        EXPECT_EQ(azimuth, 10.0f);
        EXPECT_EQ(camera.m_viewAngle, c.angle);
    }
    // The total view shows the centre as its focus.
    EXPECT_EQ(CurrentZoomNumbers(camera, Angles(), extent).focus[0], 1.5f);
    camera.m_totalView = 1;
    EXPECT_EQ(CurrentZoomNumbers(camera, Angles(), extent).focus[0], 1.0f);
}

TEST_F(ViewCameraTest, NormalisingBringsAnglesIntoRangeWithOneTurnWhereOneSuffices)
{
    const float cases[][2] = {{-10, 350}, {360, 0}, {359, 359}, {725, 5}, {-725, 355}, {0, 0}};
    for (const auto& c : cases) {
        azimuth = c[0];
        altitude = 0;
        NormaliseViewAngles(Angles());
        EXPECT_NEAR(azimuth, c[1], 1e-3) << c[0];
    }
}

} // namespace
} // namespace gelmar

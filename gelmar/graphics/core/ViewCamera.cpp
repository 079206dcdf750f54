// The 3D views' camera and navigation (see ViewCamera.h).
#include "gelmar/graphics/core/ViewCamera.h"

#include <algorithm>
#include <cmath>

namespace gelmar {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

double Length(const double v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

void Normalise(double v[3])
{
    const double n = Length(v);
    if (n > 0)
        for (int k = 0; k < 3; ++k)
            v[k] /= n;
}

int SmallerSide(const ViewCamera& camera)
{
    return std::min(camera.m_cx, camera.m_cy);
}

float WrapAngle(float a)
{
    if (a >= 0.0f && a < 360.0f)
        return a;
    a = std::fmod(a, 360.0f);
    if (a < 0.0f)
        a += 360.0f;
    return a;
}

} // namespace

void NormaliseViewAngles(ViewAngles angles)
{
    // One turn more or less brings every angle a drag step gives into range;
    // the remainder serves the steps of a very wide window as well.
    angles.azimuth = WrapAngle(angles.azimuth);
    angles.altitude = WrapAngle(angles.altitude);
}

void ComputeEyePosition(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, bool far)
{
    const double az = angles.azimuth * kDegree, alt = angles.altitude * kDegree;
    const double r = (far ? 4.0 : 2.0) * extent.size;
    const double d[3] = {std::cos(az) * std::cos(alt), std::sin(az) * std::cos(alt), std::sin(alt)};
    for (int k = 0; k < 3; ++k)
        camera.m_eye[k] = static_cast<float>(extent.centre[k] + r * d[k]);
}

void ComputeUpVector(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent)
{
    const double az = angles.azimuth * kDegree, alt = (angles.altitude + 90.0) * kDegree;
    const double r = 2.0 * extent.size;
    camera.m_up[0] = static_cast<float>(r * std::cos(az) * std::cos(alt));
    camera.m_up[1] = static_cast<float>(r * std::sin(az) * std::cos(alt));
    camera.m_up[2] = static_cast<float>(r * std::sin(alt));
}

GlMatrix CameraMatrix(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, bool far)
{
    ComputeEyePosition(camera, angles, extent, far);
    if (camera.m_totalView)
        std::copy(extent.centre, extent.centre + 3, camera.m_focus);
    ComputeUpVector(camera, angles, extent);
    const double eye[3] = {camera.m_eye[0], camera.m_eye[1], camera.m_eye[2]};
    const double focus[3] = {camera.m_focus[0], camera.m_focus[1], camera.m_focus[2]};
    const double up[3] = {camera.m_up[0], camera.m_up[1], camera.m_up[2]};
    return LookAtMatrix(eye, focus, up);
}

namespace {

// The vertical opening angle that keeps the view angle across the smaller
// window side.
double Fovy(const ViewCamera& camera, double& aspect)
{
    aspect = camera.m_cy > 0 ? static_cast<double>(camera.m_cx) / camera.m_cy : 0.0;
    double fovy = camera.m_viewAngle;
    if (aspect > 0 && aspect < 1)
        fovy = 2 * std::atan(std::tan(camera.m_viewAngle / 2 * kDegree) / aspect) / kDegree;
    return fovy;
}

} // namespace

GlMatrix ProjectionMatrix(const ViewCamera& camera, const ViewExtent& extent, bool far)
{
    double aspect;
    const double fovy = Fovy(camera, aspect);
    const double size = extent.size;
    return far ? PerspectiveMatrix(fovy, aspect, 3 * size, 5 * size)
               : PerspectiveMatrix(fovy, aspect, size, 3 * size);
}

GlMatrix PickProjectionMatrix(const ViewCamera& camera, const ViewExtent& extent, double x, double y,
                              const int viewport[4])
{
    double aspect;
    const double fovy = Fovy(camera, aspect);
    return MultiplyMatrices(PickMatrix(x, y, 1, 1, viewport),
                            PerspectiveMatrix(fovy, aspect, extent.size, 3.0 * extent.size));
}

void ForwardPictureMatrix(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, bool far,
                          double forward[16])
{
    const GlMatrix modelView = CameraMatrix(camera, angles, extent, far);
    const GlMatrix projection = ProjectionMatrix(camera, extent, far);
    RowMajor(MultiplyMatrices(ViewportMapping(camera.m_cx, camera.m_cy), MultiplyMatrices(projection, modelView)),
             forward);
}

void SaveView(ViewCamera& camera, ViewAngles angles)
{
    camera.m_previousTotalView = camera.m_totalView;
    camera.m_previousAngle = camera.m_viewAngle;
    std::copy(camera.m_focus, camera.m_focus + 3, camera.m_previousFocus);
    camera.m_previousAzimuth = angles.azimuth;
    camera.m_previousAltitude = angles.altitude;
}

void SwapPreviousView(ViewCamera& camera, ViewAngles angles)
{
    std::swap(camera.m_totalView, camera.m_previousTotalView);
    std::swap(camera.m_viewAngle, camera.m_previousAngle);
    for (int k = 0; k < 3; ++k)
        std::swap(camera.m_focus[k], camera.m_previousFocus[k]);
    std::swap(angles.azimuth, camera.m_previousAzimuth);
    std::swap(angles.altitude, camera.m_previousAltitude);
}

void ResetView(ViewCamera& camera, int& mouseMode, bool forgetPrevious)
{
    camera.m_totalView = 1;
    camera.m_viewAngle = 60.0f;
    mouseMode = 0;
    if (forgetPrevious)
        camera.m_previousAngle = 0.0f;
}

void RotateByDrag(ViewCamera& camera, ViewAngles angles, DragPoints& drag, bool dragMode)
{
    const int side = SmallerSide(camera);
    if (side <= 0)
        return;
    int dx = drag.current.x - drag.start.x, dy = drag.current.y - drag.start.y;
    if (!dragMode)
        dx = -dx, dy = -dy;
    const float f = 180.0f / static_cast<float>(side);
    angles.azimuth += static_cast<float>(dx) * f;
    angles.altitude -= static_cast<float>(dy) * f;
    drag.start = drag.current;
    NormaliseViewAngles(angles);
}

void PanToCentre(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, CPoint p)
{
    const int side = SmallerSide(camera);
    if (side <= 0)
        return;
    if (camera.m_totalView)
        std::copy(extent.centre, extent.centre + 3, camera.m_focus);
    ComputeEyePosition(camera, angles, extent, false);
    double v[3];
    for (int k = 0; k < 3; ++k)
        v[k] = static_cast<double>(camera.m_focus[k]) - camera.m_eye[k];
    const double s = 2 * std::tan(camera.m_viewAngle / 2 * kDegree) * Length(v) / side;
    const double a = (p.x - camera.m_cx / 2) * s;
    const double b = (camera.m_cy / 2 - p.y) * s;
    ComputeUpVector(camera, angles, extent);
    double u[3] = {camera.m_up[0], camera.m_up[1], camera.m_up[2]};
    Normalise(u);
    double r[3] = {v[1] * u[2] - v[2] * u[1], v[2] * u[0] - v[0] * u[2], v[0] * u[1] - v[1] * u[0]};
    Normalise(r);
    for (int k = 0; k < 3; ++k)
        camera.m_focus[k] = static_cast<float>(camera.m_focus[k] + b * u[k] + a * r[k]);
}

void PanByDrag(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag,
               bool dragMode)
{
    int dx = drag.current.x - drag.start.x, dy = drag.current.y - drag.start.y;
    if (!dragMode)
        dx = -dx, dy = -dy;
    const CPoint target(camera.m_cx / 2 + dx, camera.m_cy / 2 + dy);
    drag.start = drag.current;
    PanToCentre(camera, angles, extent, target);
}

bool ZoomToRectangle(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag)
{
    const int w = std::abs(drag.current.x - drag.start.x), h = std::abs(drag.current.y - drag.start.y);
    if (w == 0 || h == 0 || camera.m_cx <= 0 || camera.m_cy <= 0)
        return false;
    const double rw = static_cast<double>(camera.m_cx) / camera.m_cy;
    const double rr = static_cast<double>(w) / h;
    const double q = rw <= rr ? (w / rw) / camera.m_cy : static_cast<double>(h) / camera.m_cy;
    drag.current = CPoint((drag.start.x + drag.current.x) / 2, (drag.start.y + drag.current.y) / 2);
    PanToCentre(camera, angles, extent, drag.current);
    camera.m_totalView = 0;
    camera.m_viewAngle =
        static_cast<float>(2 * std::atan(std::tan(camera.m_viewAngle / 2 * kDegree) * q) / kDegree);
    return true;
}

void ZoomIn(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag)
{
    SaveView(camera, angles);
    drag.start = CPoint(camera.m_cx / 2, camera.m_cy / 2);
    PanByDrag(camera, angles, extent, drag, true);
    camera.m_viewAngle = std::max(camera.m_viewAngle / 2, kMinViewAngle);
    camera.m_totalView = 0;
}

bool ZoomOut(ViewCamera& camera, ViewAngles angles, int& mouseMode)
{
    if (camera.m_totalView)
        return false;
    SaveView(camera, angles);
    camera.m_viewAngle *= 2;
    if (camera.m_viewAngle >= 60.0f) {
        camera.m_viewAngle = 60.0f;
        camera.m_totalView = 1;
        if (mouseMode == 2)
            mouseMode = 0;
    }
    return true;
}

void ZoomTotal(ViewCamera& camera, ViewAngles angles, int& mouseMode)
{
    SaveView(camera, angles);
    ResetView(camera, mouseMode, false);
}

bool MoveByArrowKey(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag,
                    int mouseMode, ArrowKey key, bool dragMode)
{
    if (mouseMode == 0) {
        const float step = dragMode ? 5.0f : -5.0f;
        SaveView(camera, angles);
        switch (key) {
        case ArrowKey::Left:
            angles.azimuth -= step;
            break;
        case ArrowKey::Right:
            angles.azimuth += step;
            break;
        case ArrowKey::Up:
            angles.altitude += step;
            break;
        case ArrowKey::Down:
            angles.altitude -= step;
            break;
        }
        NormaliseViewAngles(angles);
        return true;
    }
    if (mouseMode == 2) {
        int step = std::min(camera.m_cx, camera.m_cy) / 8;
        if (!dragMode)
            step = -step;
        CPoint target(camera.m_cx / 2, camera.m_cy / 2);
        switch (key) {
        case ArrowKey::Left:
            target.x -= step;
            break;
        case ArrowKey::Right:
            target.x += step;
            break;
        case ArrowKey::Up:
            target.y -= step;
            break;
        case ArrowKey::Down:
            target.y += step;
            break;
        }
        SaveView(camera, angles);
        drag.current = target;
        PanToCentre(camera, angles, extent, target);
        return true;
    }
    return false;
}

ZoomNumbers CurrentZoomNumbers(const ViewCamera& camera, ViewAngles angles, const ViewExtent& extent)
{
    ZoomNumbers n;
    n.azimuth = angles.azimuth;
    n.altitude = angles.altitude;
    n.viewAngle = camera.m_viewAngle;
    for (int k = 0; k < 3; ++k)
        n.focus[k] = camera.m_totalView ? extent.centre[k] : camera.m_focus[k];
    return n;
}

void ApplyZoomNumbers(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent,
                      const ZoomNumbers& numbers)
{
    angles.azimuth = numbers.azimuth;
    angles.altitude = numbers.altitude;
    camera.m_viewAngle = numbers.viewAngle;
    bool atCentre = true;
    for (int k = 0; k < 3; ++k) {
        camera.m_focus[k] = numbers.focus[k];
        atCentre = atCentre && numbers.focus[k] == extent.centre[k];
    }
    camera.m_totalView = numbers.viewAngle == 60.0f && atCentre ? 1 : 0;
}

} // namespace gelmar

// Section windows, transform, zoom and pan (see SectionView.h).
#include "common/kernels/picture/SectionView.h"

#include "common/kernels/picture/PictureCanvas.h"

#include <algorithm>
#include <utility>

namespace kernels {

void SectionCoordinates(int section, double x, double y, double z, double& u, double& v)
{
    switch (section) {
    case 1:
    case 7:
        u = -y, v = -z;
        break;
    case 2:
    case 8:
        u = y, v = -z;
        break;
    case 3:
    case 9:
        u = x, v = -z;
        break;
    case 4:
    case 10:
        u = -x, v = -z;
        break;
    case 5:
    case 12:
        u = -x, v = -y;
        break;
    default: // 6, 11
        u = x, v = -y;
        break;
    }
}

SectionTransform ComputeSectionTransform(const SectionWindow& window, int width, int height)
{
    SectionTransform t;
    const double du = static_cast<double>(window.umax) - window.umin;
    const double dv = static_cast<double>(window.vmax) - window.vmin;
    if (!(du > 0.0) || !(dv > 0.0) || width <= 0 || height <= 0)
        return t; // an empty window: the plane unscaled
    if (dv * width < du * height) {
        t.scale = width / du;
        t.x0 = 0.5 - window.umin * t.scale;
        t.y0 = (height - dv * t.scale + 1.0) * 0.5 - window.vmin * t.scale;
    } else {
        t.scale = height / dv;
        t.y0 = 0.5 - window.vmin * t.scale;
        t.x0 = (width - du * t.scale + 1.0) * 0.5 - window.umin * t.scale;
    }
    return t;
}

CPoint ProjectToSection(int section, const SectionTransform& transform, double x, double y, double z)
{
    double u, v;
    SectionCoordinates(section, x, y, z, u, v);
    return {TruncToPixel(u * transform.scale + transform.x0),
            TruncToPixel(v * transform.scale + transform.y0)};
}

SectionWindow SectionFullWindow(int section, const float c[6])
{
    // The extreme points of the face's box give the ranges of u and v.
    double umin = 1e300, umax = -1e300, vmin = 1e300, vmax = -1e300;
    for (int n = 0; n < 8; ++n) {
        double u, v;
        SectionCoordinates(section, c[n & 1], c[2 + ((n >> 1) & 1)], c[4 + ((n >> 2) & 1)], u, v);
        umin = std::min(umin, u), umax = std::max(umax, u);
        vmin = std::min(vmin, v), vmax = std::max(vmax, v);
    }
    const double mu = 0.025 * (umax - umin), mv = 0.025 * (vmax - vmin);
    return {static_cast<float>(umin - mu), static_cast<float>(umax + mu), static_cast<float>(vmin - mv),
            static_cast<float>(vmax + mv)};
}

bool ZoomSectionToRectangle(SectionWindow& window, const SectionTransform& t, int width, int height, CPoint a,
                            CPoint b)
{
    if (width <= 0 || height <= 0)
        return false;
    const double x1 = std::min(a.x, b.x), x2 = std::max(a.x, b.x);
    const double y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    const double fx1 = x1 / width, fy1 = y1 / height, fx2 = x2 / width, fy2 = y2 / height;
    if (fx1 <= 0 && fy1 <= 0 && fx2 >= 1 && fy2 >= 1)
        return false;
    // The window the whole pane shows.
    const double ua = -t.x0 / t.scale, ub = (width - t.x0) / t.scale;
    const double va = -t.y0 / t.scale, vb = (height - t.y0) / t.scale;
    window.umin = static_cast<float>(ua + fx1 * (ub - ua));
    window.umax = static_cast<float>(ua + fx2 * (ub - ua));
    window.vmin = static_cast<float>(va + fy1 * (vb - va));
    window.vmax = static_cast<float>(va + fy2 * (vb - va));
    return true;
}

void PanSectionWindow(SectionWindow& window, double scale, CPoint a, CPoint b, bool dragMode)
{
    double du = (b.x - a.x) / scale, dv = (b.y - a.y) / scale;
    if (!dragMode) {
        du = -du;
        dv = -dv;
    }
    window.umin = static_cast<float>(window.umin + du);
    window.umax = static_cast<float>(window.umax + du);
    window.vmin = static_cast<float>(window.vmin + dv);
    window.vmax = static_cast<float>(window.vmax + dv);
}

void SectionView::SetSectionFullWindow(int section, const float clipCoord[6])
{
    m_full = SectionFullWindow(section, clipCoord);
    ResetSectionWindow();
    SaveSectionWindow();
}

SectionTransform SectionView::Transform(int width, int height) const
{
    return ComputeSectionTransform(m_current, width, height);
}

void SectionView::ZoomInAtPoint(CPoint centre, CPoint point, int width, int height)
{
    SaveSectionWindow();
    PanSectionWindow(m_current, Transform(width, height).scale, centre, point, true);
    const float qu = (m_current.umax - m_current.umin) * 0.25f;
    const float qv = (m_current.vmax - m_current.vmin) * 0.25f;
    m_current.umin += qu;
    m_current.umax -= qu;
    m_current.vmin += qv;
    m_current.vmax -= qv;
}

void SectionView::ZoomOut()
{
    SaveSectionWindow();
    const float hu = (m_current.umax - m_current.umin) * 0.5f;
    const float hv = (m_current.vmax - m_current.vmin) * 0.5f;
    m_current.umin -= hu;
    m_current.umax += hu;
    m_current.vmin -= hv;
    m_current.vmax += hv;
}

void SectionView::ZoomTotal()
{
    SaveSectionWindow();
    ResetSectionWindow();
}

void SectionView::PreviousView()
{
    std::swap(m_current, m_previous);
}

void SectionView::ZoomToRectangle(CPoint a, CPoint b, int width, int height)
{
    SaveSectionWindow();
    ZoomSectionToRectangle(m_current, Transform(width, height), width, height, a, b);
}

void SectionView::Pan(CPoint a, CPoint b, int width, int height, bool dragMode)
{
    SaveSectionWindow();
    PanSectionWindow(m_current, Transform(width, height).scale, a, b, dragMode);
}

} // namespace kernels

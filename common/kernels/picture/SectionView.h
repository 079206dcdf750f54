// The view of a section picture: the part of the section plane that is
// shown (the current window, in model length units u, v), the window of the
// whole section with a margin and the window before the last change, the
// uniform scale and offsets that fit the current window into the picture
// pane, and the zoom and pan rules of the section views.
//
// Sections 1..6 lie on the clip box faces Xmin, Xmax, Ymin, Ymax, Zmin, Zmax;
// 7..12 are the same faces named R, C, L in cylindrical models (L runs
// against z, so Lmin is Zmax's face and Lmax Zmin's).
#pragma once
#include "platform/core/Types.h"

namespace kernels {

struct SectionWindow {
    float umin = 0, umax = 1, vmin = 0, vmax = 1;

    bool operator==(const SectionWindow&) const = default;
};

// Pixels per model unit and the offsets (each including +0.5, so that the
// truncation of a projection rounds).
struct SectionTransform {
    double scale = 1.0;
    double x0 = 0.5;
    double y0 = 0.5;
};

// In-plane coordinates of a model point on a section (screen x grows with
// u, screen y with v): 1, 7 (-y, -z); 2, 8 (y, -z); 3, 9 (x, -z); 4, 10 (-x,
// -z); 5, 12 (-x, -y); 6, 11 (x, -y).
void SectionCoordinates(int section, double x, double y, double z, double& u, double& v);

// Fits the window into a pane of width x height pixels with one scale,
// centred along the looser axis.
SectionTransform ComputeSectionTransform(const SectionWindow& window, int width, int height);

// Pixel of a model point (truncation toward zero of u scale + x0, v scale +
// y0; far points are held far outside the picture).
CPoint ProjectToSection(int section, const SectionTransform& transform, double x, double y, double z);

// The window of the clip box face (bounds x lower, x upper, y lower, y upper,
// z lower, z upper) with a margin of 2.5 % of each length on both sides.
SectionWindow SectionFullWindow(int section, const float clipCoord[6]);

// The window shown by a rectangle of pane pixels (corners in any order);
// false, unchanged, when the rectangle covers the whole pane.
bool ZoomSectionToRectangle(SectionWindow& window, const SectionTransform& transform, int width, int height,
                            CPoint a, CPoint b);
// Moves the window by a drag from a to b in pixels: the picture follows the
// mouse, or with dragMode set the window does.
void PanSectionWindow(SectionWindow& window, double scale, CPoint a, CPoint b, bool dragMode);

// The current, full and previous windows of a section view and the commands
// on them; Zoom Total, Zoom Out, Zoom In and the zoom and pan drags keep the
// window they leave as the previous one.
class SectionView {
  public:
    // A section selected or the clip changed: the full window of the face,
    // shown whole, with no other previous window.
    void SetSectionFullWindow(int section, const float clipCoord[6]);
    void ResetSectionWindow() { m_current = m_full; }
    void SaveSectionWindow() { m_previous = m_current; }

    SectionTransform Transform(int width, int height) const;
    // Zoom In at a pane point: the point comes to the pane centre and the
    // window shrinks to half its width and height.
    void ZoomInAtPoint(CPoint centre, CPoint point, int width, int height);
    // Zoom Out: the window doubles about its centre.
    void ZoomOut();
    // Zoom Total: the full window.
    void ZoomTotal();
    // Previous View: current and previous change places.
    void PreviousView();
    // The drags (window saved first); a zoom rectangle that covers the pane
    // changes nothing.
    void ZoomToRectangle(CPoint a, CPoint b, int width, int height);
    void Pan(CPoint a, CPoint b, int width, int height, bool dragMode);

    bool AtFullWindow() const { return m_current == m_full; }
    bool HasPreviousWindow() const { return !(m_current == m_previous); }
    const SectionWindow& Current() const { return m_current; }
    const SectionWindow& Full() const { return m_full; }
    const SectionWindow& Previous() const { return m_previous; }
    // The Numbers dialog's entry.
    void SetCurrent(const SectionWindow& window) { m_current = window; }

  private:
    SectionWindow m_current, m_full, m_previous;
};

} // namespace kernels

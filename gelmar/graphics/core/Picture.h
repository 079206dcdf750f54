// A picture of the graphic output window: the perspective of the model's
// visible faces or a section on a face of the clip object, with its fill,
// grid lines, isoflux lines, isotherms and object lines in that order, the
// sun display, the legend, or instead the temperature profile. The window
// owns one Picture for as long as it is open: it holds the display settings,
// the projection, the section view and the profile line, and the polygons
// and projection of the last picture for the value read-out. Drawing writes
// the pixels into the raster the window hands over and returns the texts
// for the window to draw.
#pragma once
#include "common/kernels/picture/PictureCanvas.h"
#include "gelmar/graphics/core/PictureSettings.h"
#include "gelmar/graphics/core/PictureSource.h"
#include "gelmar/graphics/core/PictureWalkers.h"
#include "gelmar/graphics/core/TemperatureProfile.h"

#include <string>
#include <vector>

namespace gelmar {

// The engine's Esc poll for the pictures: an Esc pressed since the drawing
// began aborts it (through the engine host).
kernels::EscCheck EngineEscCheck();

struct PictureResult {
    std::vector<kernels::PictureText> texts;
    // Esc ended the picture before it was complete (the window sets its stop
    // flag and does not show it).
    bool stopped = false;
    // The profile was to be drawn for a line whose points coincide: the
    // window switches the profile display off.
    bool profileEmpty = false;
};

class Picture {
  public:
    PictureSettings settings;
    // 0: the perspective; 1..6 the sections Xmin .. Zmax, 7..12 the same in
    // cylindrical naming.
    int projection = 0;
    kernels::SectionView sectionView;
    ProfileLine profileLine;

    // The camera of the 3D view for the perspective: the forward picture
    // matrix (viewport mapping x projection x modelview) of a view of the
    // picture pane's size.
    void SetViewMatrix(const double forward[16]);
    const kernels::PictureMatrix& Matrix() const { return m_matrix; }

    // Draws the whole picture into the raster: the picture pane (raster
    // coordinates) white, then the legend into the legend pane when the
    // legend is on and the profile off (an empty pane: none), then the
    // perspective, the section or the profile inside the picture pane. An
    // Esc through esc stops it where it is; a flux pass left open is ended
    // either way. Memory shortage leaves as the engine's error 1.
    PictureResult DrawPicture(const PictureSource& source, kernels::RasterView raster,
                              const CRect& picturePane, const CRect& legendPane,
                              const kernels::EscCheck& esc);

    // The value label of a quad c0..c3 under a pane point of the last
    // picture: "%.*f°C" with the temperature decimals, or for fluxes (the
    // flux magnitude into the given face orientation) "%.*f W/m²" with the
    // flux decimals; false when the point is not on the quad.
    bool FormatValueLabelAtPoint(const PictureSource& source, int px, int py, const GridPoint c[4], bool flux,
                                 int orientation, std::string& label) const;
    // The value label at a pane point: the nearest polygon of the last
    // picture under it, and its quad that holds the point.
    bool ValueLabelAtPoint(const PictureSource& source, int px, int py, bool flux, std::string& label) const;

    // The polygons of the last picture.
    const std::vector<PicturePolygon>& Polygons() const { return m_polygons; }
    const kernels::SectionTransform& SectionTransform() const { return m_transform; }

  private:
    void DrawPerspective(PictureContext& context);
    void DrawSection(PictureContext& context);
    void ProjectForReadout(const PictureSource& source, const GridPoint& p, double& x, double& y) const;

    kernels::PictureMatrix m_matrix;
    std::vector<PicturePolygon> m_polygons;
    kernels::SectionTransform m_transform;
    int m_drawn = -1; // projection of the last picture, -1 before the first
};

} // namespace gelmar

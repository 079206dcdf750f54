// The layers of a Gelmar picture, each a walk over the picture polygons:
// face and band fills, section materials and patterns, object and grid
// lines, isotherms and isoflux lines, the sun display and the temperature
// profile. They draw through a PictureContext, which holds what one picture
// needs while it is drawn (source, settings, canvas, projection, polygons,
// the current line and the flux modes) and is dropped when it is done, so an
// aborted picture leaves nothing behind.
#pragma once
#include "common/kernels/KernelTypes.h"
#include "common/kernels/picture/BandPolygons.h"
#include "common/kernels/picture/HiddenLines.h"
#include "common/kernels/picture/LinePlotter.h"
#include "common/kernels/picture/PictureMatrix.h"
#include "common/kernels/picture/SectionView.h"
#include "gelmar/graphics/core/PictureGrid.h"
#include "gelmar/graphics/core/PicturePolygons.h"
#include "gelmar/graphics/core/PictureSettings.h"
#include "gelmar/graphics/core/PictureSource.h"

#include <string>
#include <vector>

namespace gelmar {

class PictureContext {
  public:
    PictureContext(const PictureSource& source, PictureSettings& settings, kernels::PictureCanvas& canvas,
                   int width, int height, kernels::EscCheck esc);

    // The picture kind: the perspective through the matrix, or section
    // 1..12 through the transform; either builds the polygons.
    void SetPerspective(const kernels::PictureMatrix& matrix);
    void SetSection(int section, const kernels::SectionTransform& transform);

    bool Perspective() const { return m_section == 0; }
    int Section() const { return m_section; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const kernels::PictureMatrix& Matrix() const { return m_matrix; }
    const kernels::SectionTransform& Transform() const { return m_transform; }
    std::vector<PicturePolygon>& Polygons() { return m_polygons; }
    const PictureSource& Source() const { return m_source; }
    PictureSettings& Settings() { return m_settings; }
    kernels::PictureCanvas& Canvas() { return m_canvas; }
    kernels::LinePlotter& Plotter() { return m_plotter; }
    const kernels::EscCheck& Esc() const { return m_esc; }

    // Picture point of a grid point: pixel x, y and depth (0 in a section,
    // where x and y are whole pixels).
    void Project(const GridPoint& p, double& x, double& y, double& z) const;
    // The value a fill or isoline takes at a grid point: the loaded
    // temperature, or in a flux pass the flux magnitude into the current
    // face orientation, or in solar mode the absorbed solar flux of the
    // current colour.
    float CornerValue(const GridPoint& p) const;
    // A segment over the fills in the current line: hidden parts removed in
    // the perspective, plotted whole in a section.
    void DrawSegment(double x1, double y1, double z1, double x2, double y2, double z2);
    void DrawGridSegment(const GridPoint& p, const GridPoint& q);

    // Flux passes: the range exchange of the settings and, on first use, the
    // flux table.
    void BeginFlux();
    void EndFlux();
    bool Isoflux() const { return m_settings.isoflux; }
    bool solarMode = false;
    int faceOrientation = 0;
    int currentColour = 0;

    // The corner orientation of a polygon's quads: its face's orientation
    // when the face's own block carries the polygon's colour, else the
    // opposite one.
    int CornerOrientation(const PicturePolygon& polygon) const;

  private:
    const PictureSource& m_source;
    PictureSettings& m_settings;
    kernels::PictureCanvas& m_canvas;
    kernels::LinePlotter m_plotter;
    kernels::EscCheck m_esc;
    int m_width, m_height;
    int m_section = 0;
    kernels::PictureMatrix m_matrix;
    kernels::SectionTransform m_transform;
    std::vector<PicturePolygon> m_polygons;
    std::vector<kernels::HiddenLinePolygon> m_shapes;
    kernels::HiddenLineRemover m_hidden;
};

// The picture points and values of every grid point of a face, loaded once
// for the walk over its quads (each grid point is a corner of up to four).
class FacePoints {
  public:
    // The face's grid points in the polygon's mode (values of the current
    // colour and face orientation); floats keeps the perspective's points at
    // float precision, as the isolines take them.
    void Load(const PictureContext& context, const FaceRecord& face, int cornerOrientation,
              bool floats = false);
    int QuadsA() const { return m_na; }
    int QuadsB() const { return m_nb; }
    // Corners c0..c3 of quad (a, b), counted from the face's first cell, in
    // the corner order of the orientation given to Load.
    void Quad(int a, int b, kernels::BandVertex v[4]) const;
    // The quad's b offset of each corner (0 or 1).
    const int* CornerOffsetsB() const { return m_forward ? kForwardB : kBackwardB; }

  private:
    static constexpr int kForwardB[4] = {0, 0, 1, 1};
    static constexpr int kBackwardB[4] = {0, 1, 1, 0};
    int m_na = 0, m_nb = 0;
    bool m_forward = true;
    std::vector<kernels::BandVertex> m_points; // (na + 1) x (nb + 1), a outer
};

// Flux pass for one scope over a context.
class ContextFlux {
  public:
    explicit ContextFlux(PictureContext& context) : m_context(context), m_began(!context.Isoflux())
    {
        m_context.BeginFlux();
    }
    ~ContextFlux()
    {
        if (m_began)
            m_context.EndFlux();
    }
    ContextFlux(const ContextFlux&) = delete;
    ContextFlux& operator=(const ContextFlux&) = delete;

  private:
    PictureContext& m_context;
    bool m_began;
};

// Fills.
enum class FaceColourMode { Materials, FarSide };
void FillFaceColours(PictureContext& context, FaceColourMode mode);
void FillTemperatureBands(PictureContext& context);
// A flux pass around the band fill; solar for the absorbed solar fluxes.
void FillIsofluxBands(PictureContext& context, bool solar);
enum class SectionFillMode { Colours, Patterns };
void FillSectionMaterials(PictureContext& context, SectionFillMode mode);

// Lines.
void DrawObjectLines(PictureContext& context);
void DrawObjectEdge(PictureContext& context, const GridPoint& p, const GridPoint& q);
void DrawFaceGridLines(PictureContext& context);
void DrawIsolines(PictureContext& context);
void DrawIsofluxLines(PictureContext& context);

// The sun display of the perspective: horizon, site axes and the day's path;
// and the sun itself when it stands above the horizon.
void DrawSunPosition(PictureContext& context);
void DrawSunDisc(PictureContext& context);
// The model point towards the sun at altitude and azimuth (degrees) at the
// sun display's distance from the model centre.
void SunDisplayPoint(const ModelStore& model, const SunState& sun, double altitude, double azimuth,
                     double out[3]);

} // namespace gelmar

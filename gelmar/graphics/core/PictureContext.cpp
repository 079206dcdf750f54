// The state of one picture while it is drawn (see PictureWalkers.h).
#include "gelmar/graphics/core/PictureWalkers.h"
#include "gelmar/graphics/core/SurfaceHeatFlux.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/store/ViewState.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gelmar {

PictureSource::PictureSource(const ModelStore& m, const RunState& r, const FaceList& f, const ColourScale& c)
    : model(m), run(r), work(r.work), solar(r.solar), faces(f), colourScale(c)
{
}

PictureContext::PictureContext(const PictureSource& source, PictureSettings& settings,
                               kernels::PictureCanvas& canvas, int width, int height, kernels::EscCheck esc)
    : m_source(source), m_settings(settings), m_canvas(canvas), m_plotter(canvas, esc), m_esc(std::move(esc)),
      m_width(width), m_height(height)
{
}

void PictureContext::SetPerspective(const kernels::PictureMatrix& matrix)
{
    m_section = 0;
    m_matrix = matrix;
    m_polygons = BuildPicturePolygons(m_source.model, m_source.faces, m_matrix, m_width, m_height);
    m_shapes.clear();
    m_shapes.reserve(m_polygons.size());
    for (const PicturePolygon& p : m_polygons)
        m_shapes.push_back(p.shape);
    m_hidden.Build(m_shapes, m_width, m_height);
}

void PictureContext::SetSection(int section, const kernels::SectionTransform& transform)
{
    m_section = section;
    m_transform = transform;
    m_polygons = BuildSectionPolygons(m_source.model, m_source.faces, section, transform, m_width, m_height);
    m_shapes.clear();
}

void PictureContext::Project(const GridPoint& p, double& x, double& y, double& z) const
{
    const double mx = GridLineCoordinate(m_source.model, 0, p.i);
    const double my = GridLineCoordinate(m_source.model, 1, p.j);
    const double mz = GridLineCoordinate(m_source.model, 2, p.k);
    if (Perspective()) {
        m_matrix.Project(mx, my, mz, x, y, z);
        return;
    }
    const CPoint s = kernels::ProjectToSection(m_section, m_transform, mx, my, mz);
    x = s.x;
    y = s.y;
    z = 0.0;
}

float PictureContext::CornerValue(const GridPoint& p) const
{
    if (solarMode)
        return AbsorbedSolarFluxAtNode(m_source.solar, m_source.model, m_source.work, p.i, p.j, p.k,
                                       faceOrientation, currentColour);
    if (m_settings.isoflux)
        return std::fabs(
            HeatFluxAtSurfaceNode(m_source.model, m_source.work, p.i, p.j, p.k, faceOrientation));
    return static_cast<float>(GetNodeValueAt(m_source.model, m_source.work, p.i, p.j, p.k, 0));
}

void PictureContext::DrawSegment(double x1, double y1, double z1, double x2, double y2, double z2)
{
    if (Perspective())
        m_hidden.DrawHiddenLineSegment(
            x1, y1, z1, x2, y2, z2,
            [this](double a, double b, double c, double d) { m_plotter.PlotThickLine(a, b, c, d); });
    else
        m_plotter.PlotThickLine(x1, y1, x2, y2);
}

void PictureContext::DrawGridSegment(const GridPoint& p, const GridPoint& q)
{
    double a[3], b[3];
    Project(p, a[0], a[1], a[2]);
    Project(q, b[0], b[1], b[2]);
    DrawSegment(a[0], a[1], a[2], b[0], b[1], b[2]);
}

void PictureContext::BeginFlux()
{
    if (m_settings.isoflux)
        return;
    kernels::LinePen line = m_plotter.Pen();
    BeginIsofluxDrawing(m_settings, &line);
    m_plotter.SetPen(line);
    if (m_source.ensureFluxTable)
        m_source.ensureFluxTable();
}

void PictureContext::EndFlux()
{
    kernels::LinePen line = m_plotter.Pen();
    EndIsofluxDrawing(m_settings, &line);
    m_plotter.SetPen(line);
}

void FacePoints::Load(const PictureContext& context, const FaceRecord& face, int cornerOrientation,
                      bool floats)
{
    const int axis = FaceOrientation(face) / 2;
    const int ua = axis == 0 ? 1 : 0, ub = axis == 2 ? 1 : 2;
    const int a0 = face.bounds[2 * ua], b0 = face.bounds[2 * ub];
    m_na = std::max(0, face.bounds[2 * ua + 1] - a0);
    m_nb = std::max(0, face.bounds[2 * ub + 1] - b0);
    m_forward = cornerOrientation == 0 || cornerOrientation == 3 || cornerOrientation == 4;
    m_points.resize(static_cast<std::size_t>(m_na + 1) * static_cast<std::size_t>(m_nb + 1));
    int p[3];
    p[axis] = face.bounds[2 * axis];
    std::size_t n = 0;
    for (int a = 0; a <= m_na; ++a)
        for (int b = 0; b <= m_nb; ++b, ++n) {
            p[ua] = a0 + a;
            p[ub] = b0 + b;
            const GridPoint g{p[0], p[1], p[2]};
            kernels::BandVertex& v = m_points[n];
            context.Project(g, v.x, v.y, v.z);
            if (floats) {
                v.x = static_cast<float>(v.x);
                v.y = static_cast<float>(v.y);
                v.z = static_cast<float>(v.z);
            }
            v.value = context.CornerValue(g);
        }
}

void FacePoints::Quad(int a, int b, kernels::BandVertex v[4]) const
{
    const std::size_t row = static_cast<std::size_t>(m_nb + 1);
    const std::size_t at = static_cast<std::size_t>(a) * row + static_cast<std::size_t>(b);
    // Forward: (a, b), (a+1, b), (a+1, b+1), (a, b+1); backward: (a, b),
    // (a, b+1), (a+1, b+1), (a+1, b).
    v[0] = m_points[at];
    v[2] = m_points[at + row + 1];
    v[1] = m_forward ? m_points[at + row] : m_points[at + 1];
    v[3] = m_forward ? m_points[at + 1] : m_points[at + row];
}

int PictureContext::CornerOrientation(const PicturePolygon& polygon) const
{
    const FaceRecord& f = polygon.face;
    const ModelStore& m = m_source.model;
    const bool own = f.block >= 0 && f.block < m.blocks.count &&
                     m.blocks[static_cast<std::size_t>(f.block)].colour == polygon.colour;
    return own ? FaceOrientation(f) : OppositeOrientation(FaceOrientation(f));
}

} // namespace gelmar

// Composing a picture and reading values back from it (see Picture.h).
#include "gelmar/graphics/core/Picture.h"

#include "common/kernels/picture/LegendLayout.h"
#include "common/kernels/picture/PictureGeometry.h"
#include "gelmar/graphics/core/PictureLegend.h"
#include "gelmar/graphics/core/SurfaceHeatFlux.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"

#include <cmath>
#include <utility>

namespace gelmar {

kernels::EscCheck EngineEscCheck()
{
    return [] {
        CheckEscAbort(Host());
        return false;
    };
}

void Picture::SetViewMatrix(const double forward[16])
{
    m_matrix.SetForward(forward);
}

void Picture::DrawPerspective(PictureContext& context)
{
    context.SetPerspective(m_matrix);
    if (!context.Polygons().empty()) {
        switch (settings.fill) {
        case FillMode::Materials:
            FillFaceColours(context, FaceColourMode::Materials);
            break;
        case FillMode::BCs:
            FillFaceColours(context, FaceColourMode::FarSide);
            break;
        case FillMode::Temperatures:
            FillTemperatureBands(context);
            break;
        case FillMode::Isofluxes:
            FillIsofluxBands(context, false);
            break;
        case FillMode::AbsorbedSolarFluxes:
            FillIsofluxBands(context, true);
            break;
        case FillMode::Patterns:
        case FillMode::Off:
            break;
        }
        if (settings.gridLines)
            DrawFaceGridLines(context);
        if (settings.isofluxLines)
            DrawIsofluxLines(context);
        if (settings.isothermalLines)
            DrawIsolines(context);
        if (settings.objectLines)
            DrawObjectLines(context);
    }
    if (settings.sunPosition) {
        DrawSunPosition(context);
        if (context.Source().sun.altitude > 0)
            DrawSunDisc(context);
    }
}

void Picture::DrawSection(PictureContext& context)
{
    const kernels::SectionTransform t = sectionView.Transform(context.Width(), context.Height());
    context.SetSection(projection, t);
    if (context.Polygons().empty())
        return;
    switch (settings.fill) {
    case FillMode::Materials:
        FillSectionMaterials(context, SectionFillMode::Colours);
        break;
    case FillMode::Patterns:
        FillSectionMaterials(context, SectionFillMode::Patterns);
        break;
    case FillMode::Temperatures:
        FillTemperatureBands(context);
        break;
    case FillMode::Isofluxes:
        FillIsofluxBands(context, false);
        break;
    case FillMode::AbsorbedSolarFluxes:
        FillIsofluxBands(context, true);
        break;
    case FillMode::BCs:
    case FillMode::Off:
        break;
    }
    if (settings.gridLines)
        DrawFaceGridLines(context);
    if (settings.isofluxLines)
        DrawIsofluxLines(context);
    if (settings.isothermalLines)
        DrawIsolines(context);
    if (settings.objectLines)
        DrawObjectLines(context);
}

PictureResult Picture::DrawPicture(const PictureSource& source, kernels::RasterView raster,
                                   const CRect& picturePane, const CRect& legendPane,
                                   const kernels::EscCheck& esc)
{
    PictureResult result;
    kernels::PictureCanvas canvas(raster);
    canvas.FillRect(picturePane, kernels::FillBrush::Solid(kernels::kWhite));
    const int width = picturePane.Width(), height = picturePane.Height();
    // The picture's own state goes when it is done; the flux pass of the
    // settings is closed whichever way the drawing ends.
    struct CloseFluxPass {
        PictureSettings& s;
        ~CloseFluxPass() { EndIsofluxDrawing(s); }
    } close{settings};
    try {
        if (settings.legend && !settings.profile && !legendPane.IsRectEmpty()) {
            PictureContext legend(source, settings, canvas, width, height, esc);
            DrawLegend(legend, legendPane, projection);
        }
        canvas.SetClip(picturePane);
        canvas.SetOrigin(picturePane.left, picturePane.top);
        PictureContext context(source, settings, canvas, width, height, esc);
        if (settings.profile) {
            result.profileEmpty = !DrawTemperatureProfile(context, profileLine);
        } else {
            if (projection == 0)
                DrawPerspective(context);
            else
                DrawSection(context);
            m_polygons = std::move(context.Polygons());
            m_transform = context.Transform();
            m_drawn = projection;
        }
    } catch (const EscAbort&) {
        result.stopped = true;
    }
    result.texts = canvas.TakeTexts();
    return result;
}

void Picture::ProjectForReadout(const PictureSource& source, const GridPoint& p, double& x, double& y) const
{
    const double mx = GridLineCoordinate(source.model, 0, p.i), my = GridLineCoordinate(source.model, 1, p.j),
                 mz = GridLineCoordinate(source.model, 2, p.k);
    if (m_drawn <= 0) {
        double depth;
        m_matrix.Project(mx, my, mz, x, y, depth);
        return;
    }
    const CPoint s = kernels::ProjectToSection(m_drawn, m_transform, mx, my, mz);
    x = s.x;
    y = s.y;
}

bool Picture::FormatValueLabelAtPoint(const PictureSource& source, int px, int py, const GridPoint c[4],
                                      bool flux, int orientation, std::string& label) const
{
    kernels::QuadCorner q[4];
    for (int n = 0; n < 4; ++n)
        ProjectForReadout(source, c[n], q[n].x, q[n].y);
    if (px < kernels::MinOfFour(q[0].x, q[1].x, q[2].x, q[3].x) ||
        px > kernels::MaxOfFour(q[0].x, q[1].x, q[2].x, q[3].x) ||
        py < kernels::MinOfFour(q[0].y, q[1].y, q[2].y, q[3].y) ||
        py > kernels::MaxOfFour(q[0].y, q[1].y, q[2].y, q[3].y))
        return false;
    for (int n = 0; n < 4; ++n)
        q[n].value =
            flux ? std::fabs(
                       HeatFluxAtSurfaceNode(source.model, source.work, c[n].i, c[n].j, c[n].k, orientation))
                 : static_cast<float>(GetNodeValueAt(source.model, source.work, c[n].i, c[n].j, c[n].k, 0));
    if ((q[3].y - q[1].y) * (q[2].x - q[0].x) + (q[3].x - q[1].x) * (q[0].y - q[2].y) < 0)
        std::swap(q[1], q[3]);
    for (int e = 0; e < 4; ++e) {
        const kernels::QuadCorner& a = q[e];
        const kernels::QuadCorner& b = q[(e + 1) % 4];
        if ((b.y - a.y) * (px - a.x) - (b.x - a.x) * (py - a.y) > 0)
            return false;
    }
    const float v = kernels::ValueAtPicturePoint(px, py, q);
    label = flux ? kernels::FormatFixed(v, settings.fluxDecimals) + " W/m²"
                 : kernels::FormatFixed(v, settings.temperatureDecimals) + "°C";
    return true;
}

bool Picture::ValueLabelAtPoint(const PictureSource& source, int px, int py, bool flux,
                                std::string& label) const
{
    // The polygon in front at the point: the nearest depth plane in the
    // perspective, the only one in a section.
    const PicturePolygon* best = nullptr;
    double bestDepth = 0.0;
    for (const PicturePolygon& p : m_polygons) {
        const kernels::HiddenLinePolygon& s = p.shape;
        if (px < s.xmin || px > s.xmax || py < s.ymin || py > s.ymax)
            continue;
        if (m_drawn > 0) {
            best = &p;
            break;
        }
        if (!kernels::PointInPicturePolygon(static_cast<float>(px), static_cast<float>(py), s.corners))
            continue;
        const double depth = s.a * px + s.b * py + s.c;
        if (!best || depth < bestDepth) {
            best = &p;
            bestDepth = depth;
        }
    }
    if (!best)
        return false;
    const ModelStore& m = source.model;
    const FaceRecord& f = best->face;
    const bool own = f.block >= 0 && f.block < m.blocks.count &&
                     m.blocks[static_cast<std::size_t>(f.block)].colour == best->colour;
    const int orientation = own ? FaceOrientation(f) : OppositeOrientation(FaceOrientation(f));
    bool found = false;
    ForEachFaceQuad(f, orientation, [&](const GridPoint c[4]) {
        if (!found)
            found = FormatValueLabelAtPoint(source, px, py, c, flux, orientation, label);
    });
    return found;
}

} // namespace gelmar

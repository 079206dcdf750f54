// Face colours, value bands and section materials of the pictures (see
// PictureWalkers.h).
#include "common/core/PatternFile.h"
#include "common/kernels/picture/ScanFiller.h"
#include "gelmar/graphics/core/PictureWalkers.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"

#include <algorithm>
#include <new>
#include <span>

namespace gelmar {

namespace {

// The colour of far sides without a colour in the boundary fill.
constexpr COLORREF kNoFarColour = 0xD7FFFF;

COLORREF DisplayColour(const ModelStore& model, int colour)
{
    return model.colours[static_cast<std::size_t>(colour)].displayColour;
}

// Paints the filler's shapes; in the perspective with the shadow display on
// and the sun up, pixel by pixel with the shadowed ones lightened.
void Scan(PictureContext& context, kernels::ScanFiller& filler)
{
    const PictureSource& src = context.Source();
    kernels::ScanFiller::ShadowTest shadow;
    if (context.Perspective() && context.Settings().shadow && src.sun.altitude > 0 && src.rayBlocked) {
        shadow = [&](int column, int row, const kernels::ScanFiller::Entry& entry) {
            const PicturePolygon& p = context.Polygons()[static_cast<std::size_t>(entry.tag)];
            if (p.farColour < 0)
                return false;
            const double depth = p.shape.a * column + p.shape.b * row + p.shape.c;
            double x, y, z;
            context.Matrix().Unproject(column, row, depth, x, y, z);
            return src.rayBlocked(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        };
    }
    filler.ScanFillEdges(context.Canvas(), context.Esc(), shadow);
}

kernels::DepthPlane PlaneOf(const PicturePolygon& p)
{
    return {p.shape.a, p.shape.b, p.shape.c, p.shape.zmin, p.shape.zmax};
}

// A memory shortage in a fill is the engine's error 1.
template <class Work> void WithMemoryError(Work&& work)
{
    try {
        work();
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
}

} // namespace

void FillFaceColours(PictureContext& context, FaceColourMode mode)
{
    WithMemoryError([&] {
        const ModelStore& model = context.Source().model;
        kernels::ScanFiller filler(context.Width(), context.Height());
        const std::vector<PicturePolygon>& polygons = context.Polygons();
        for (std::size_t n = 0; n < polygons.size(); ++n) {
            const PicturePolygon& p = polygons[n];
            const kernels::HiddenLinePolygon& s = p.shape;
            if (!(s.xmax >= 0 && s.ymax >= 0 && s.xmin <= context.Width() && s.ymin <= context.Height()))
                continue;
            COLORREF colour = DisplayColour(model, p.colour);
            if (mode == FaceColourMode::FarSide)
                colour = p.farColour < 0 ? kNoFarColour : DisplayColour(model, p.farColour);
            filler.BeginEntry(PlaneOf(p), colour, static_cast<std::int32_t>(n));
            for (int e = 0; e < 4; ++e) {
                const float* a = s.corners[(e + 3) % 4];
                const float* b = s.corners[e];
                filler.AddFillEdge(a[0], a[1], b[0], b[1]);
            }
        }
        Scan(context, filler);
    });
}

namespace {

// Adds one filled shape: a convex polygon of the picture, edge by edge in its
// order, unless it lies wholly beyond a side of the image.
void AddShape(kernels::ScanFiller& filler, std::span<const kernels::BandVertex> points,
              const kernels::DepthPlane& plane, COLORREF colour, std::int32_t tag, int w, int h)
{
    auto all = [&](auto test) { return std::all_of(points.begin(), points.end(), test); };
    if (all([](const kernels::BandVertex& p) { return p.x <= 0; }) ||
        all([](const kernels::BandVertex& p) { return p.y <= 0; }) ||
        all([&](const kernels::BandVertex& p) { return p.x >= w; }) ||
        all([&](const kernels::BandVertex& p) { return p.y >= h; }))
        return;
    filler.BeginEntry(plane, colour, tag);
    for (std::size_t k = 0; k < points.size(); ++k) {
        const kernels::BandVertex& a = points[k];
        const kernels::BandVertex& b = points[(k + 1) % points.size()];
        filler.AddFillEdge(a.x, a.y, b.x, b.y);
    }
}

} // namespace

void FillTemperatureBands(PictureContext& context)
{
    WithMemoryError([&] {
        const PictureSource& src = context.Source();
        const RangeSet& r = context.Settings().temperature;
        const kernels::ValueRange range{r.lower, r.upper, r.inc};
        const bool flux = context.Isoflux();
        const int w = context.Width(), h = context.Height();
        kernels::ScanFiller filler(w, h);
        struct Band {
            double low, high, fraction, eps;
        };
        std::vector<Band> bands;
        std::vector<kernels::BandVertex> outline;
        FacePoints face;
        const std::vector<PicturePolygon>& polygons = context.Polygons();
        // Room for a shape of four edges per quad, so the filler does not
        // move its records while they are added.
        std::size_t quads = 0;
        for (const PicturePolygon& p : polygons)
            quads += static_cast<std::size_t>(FaceQuadCount(p.face));
        filler.Reserve(quads, 4 * quads);
        for (std::size_t n = 0; n < polygons.size(); ++n) {
            const PicturePolygon& p = polygons[n];
            context.currentColour = p.colour;
            const int corners = context.CornerOrientation(p);
            if (flux)
                context.faceOrientation = corners;
            const kernels::DepthPlane plane = PlaneOf(p);
            const std::int32_t tag = static_cast<std::int32_t>(n);
            // Quads that lie wholly in one band are one shape with their
            // neighbours of the same band along the quad row: the same pixels
            // in the same colour as their band triangles, in far fewer shapes.
            face.Load(context, p.face, corners);
            const int* offsetB = face.CornerOffsetsB();
            struct Run {
                bool open = false;
                COLORREF colour = 0;
                int a = 0, nextB = 0;
                kernels::BandVertex strip[4];
            } run;
            auto flush = [&] {
                if (run.open)
                    AddShape(filler, run.strip, plane, run.colour, tag, w, h);
                run.open = false;
            };
            for (int qa = 0; qa < face.QuadsA(); ++qa)
                for (int qb = 0; qb < face.QuadsB(); ++qb) {
                    kernels::BandVertex v[4];
                    face.Quad(qa, qb, v);
                    const double vmin = std::min({v[0].value, v[1].value, v[2].value, v[3].value});
                    const double vmax = std::max({v[0].value, v[1].value, v[2].value, v[3].value});
                    bands.clear();
                    kernels::QuadBands(
                        vmin, vmax, range, flux,
                        [&](double low, double high, double fraction, double eps) {
                            bands.push_back({low, high, fraction, eps});
                        },
                        context.Esc());
                    if (bands.size() == 1 && vmin >= bands[0].low - bands[0].eps &&
                        vmax <= bands[0].high + bands[0].eps) {
                        const COLORREF colour =
                            ValueToColour(src.colourScale, static_cast<float>(bands[0].fraction));
                        if (run.open && run.colour == colour && run.a == qa && run.nextB == qb) {
                            for (int k = 0; k < 4; ++k)
                                if (offsetB[k] == 1)
                                    run.strip[k] = v[k];
                        } else {
                            flush();
                            run.open = true;
                            run.colour = colour;
                            run.a = qa;
                            std::copy(v, v + 4, run.strip);
                        }
                        run.nextB = qb + 1;
                        continue;
                    }
                    flush();
                    for (const Band& band : bands) {
                        const COLORREF colour =
                            ValueToColour(src.colourScale, static_cast<float>(band.fraction));
                        outline.clear();
                        kernels::BandOutline(v, band.low, band.high, band.eps, outline);
                        kernels::FanPieces(outline, band.low, band.high, band.eps,
                                           [&](std::span<const kernels::BandVertex> piece) {
                                               AddShape(filler, piece, plane, colour, tag, w, h);
                                           });
                    }
                }
            flush();
        }
        Scan(context, filler);
    });
}

void FillIsofluxBands(PictureContext& context, bool solar)
{
    ContextFlux pass(context);
    context.solarMode = solar;
    struct SolarOff {
        PictureContext& c;
        ~SolarOff() { c.solarMode = false; }
    } off{context};
    FillTemperatureBands(context);
}

void FillSectionMaterials(PictureContext& context, SectionFillMode mode)
{
    const ModelStore& model = context.Source().model;
    const common::CPatternList* patterns = context.Source().patterns;
    const int section = context.Section();
    const kernels::SectionTransform& t = context.Transform();
    for (const PicturePolygon& p : context.Polygons()) {
        const FaceRecord& f = p.face;
        const float x1 = GridLineCoordinate(model, 0, f.bounds[0]),
                    x2 = GridLineCoordinate(model, 0, f.bounds[1]);
        const float y1 = GridLineCoordinate(model, 1, f.bounds[2]),
                    y2 = GridLineCoordinate(model, 1, f.bounds[3]);
        const float z1 = GridLineCoordinate(model, 2, f.bounds[4]),
                    z2 = GridLineCoordinate(model, 2, f.bounds[5]);
        float q[4][3] = {{x1, y1, z1}, {}, {}, {}};
        switch (FaceOrientation(f) / 2) {
        case 0:
            q[1][0] = x1, q[1][1] = y2, q[1][2] = z1, q[2][0] = x1, q[2][1] = y2, q[2][2] = z2;
            q[3][0] = x1, q[3][1] = y1, q[3][2] = z2;
            break;
        case 1:
            q[1][0] = x2, q[1][1] = y1, q[1][2] = z1, q[2][0] = x2, q[2][1] = y1, q[2][2] = z2;
            q[3][0] = x1, q[3][1] = y1, q[3][2] = z2;
            break;
        default:
            q[1][0] = x2, q[1][1] = y1, q[1][2] = z1, q[2][0] = x2, q[2][1] = y2, q[2][2] = z1;
            q[3][0] = x1, q[3][1] = y2, q[3][2] = z1;
            break;
        }
        CPoint points[4];
        for (int k = 0; k < 4; ++k)
            points[k] = kernels::ProjectToSection(section, t, q[k][0], q[k][1], q[k][2]);
        const ColourRecord& colour = model.colours[p.colour];
        kernels::FillBrush brush = kernels::FillBrush::Solid(colour.displayColour);
        if (mode == SectionFillMode::Patterns) {
            // A pattern's first colour shows its 1 bits, its second its 0 bits.
            const common::CPattern fallback;
            const common::CPattern& pattern = patterns ? patterns->Get(colour.pattern) : fallback;
            brush = kernels::FillBrush::Pattern(pattern.rows, pattern.secondColour, pattern.firstColour);
        }
        context.Canvas().FillPolygon(points, brush);
    }
}

} // namespace gelmar

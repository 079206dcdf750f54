// The sun display of the perspective pictures: horizon, site axes, the
// day's path and the sun (see PictureWalkers.h).
#include "common/kernels/picture/PictureCanvas.h"
#include "gelmar/graphics/core/PictureWalkers.h"
#include "gelmar/graphics/core/SunPath.h"
#include "gelmar/model/calc/RunState.h"

#include <cmath>
#include <vector>

namespace gelmar {

namespace {

// The model centre and the display's radius, twice the model size.
void CentreAndRadius(const ModelStore& model, double centre[3], double& radius)
{
    double squares = 0.0;
    for (int a = 0; a < 3; ++a) {
        centre[a] = GridLineCoordinate(model, a, model.axes[static_cast<std::size_t>(a)].n) * 0.5;
        squares += centre[a] * centre[a];
    }
    radius = 2.0 * std::sqrt(squares);
}

CPoint Pixel(const PictureContext& context, const double p[3])
{
    double x, y, z;
    context.Matrix().Project(p[0], p[1], p[2], x, y, z);
    return {kernels::TruncToPixel(x), kernels::TruncToPixel(y)};
}

} // namespace

void SunDisplayPoint(const ModelStore& model, const SunState& sun, double altitude, double azimuth,
                     double out[3])
{
    double centre[3], radius;
    CentreAndRadius(model, centre, radius);
    double d[3];
    SunDirection(sun.frame, altitude, azimuth, d);
    for (int k = 0; k < 3; ++k)
        out[k] = centre[k] + radius * d[k];
}

void DrawSunPosition(PictureContext& context)
{
    const PictureSource& src = context.Source();
    const ModelStore& model = src.model;
    const SunState& sun = src.sun;
    kernels::PictureCanvas& canvas = context.Canvas();
    double centre[3], radius;
    CentreAndRadius(model, centre, radius);

    // The horizon circle in the site's orientation.
    std::vector<CPoint> horizon;
    for (int n = 0; n <= 72; ++n) {
        const double t = n * 5.0 * kDegToRad;
        double p[3];
        for (int k = 0; k < 3; ++k)
            p[k] = centre[k] + radius * (std::cos(t) * sun.frame[0][k] + std::sin(t) * sun.frame[1][k]);
        horizon.push_back(Pixel(context, p));
    }
    canvas.DrawPolyline(horizon, {kernels::kBlack, 1, false});

    // The site's axes: north red, west green, up blue.
    const CPoint from = Pixel(context, centre);
    const COLORREF axisColour[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int a = 0; a < 3; ++a) {
        double p[3];
        for (int k = 0; k < 3; ++k)
            p[k] = centre[k] + radius * sun.frame[a][k];
        canvas.DrawLine(from, Pixel(context, p), {axisColour[a], 2, false});
    }

    // The day's path, above the horizon only, as the solar run places the sun.
    const kernels::LineStyle path{kernels::kBlack, 1, false};
    ForEachSunPathStep(model, SunDisplayDay(model, src.run.calcTime), 23.5f, 0.5f, 48,
                       [&](double a0, double z0, double a1, double z1) {
                           double p[3], q[3];
                           SunDisplayPoint(model, sun, a0, z0, p);
                           SunDisplayPoint(model, sun, a1, z1, q);
                           canvas.DrawLine(Pixel(context, p), Pixel(context, q), path);
                       });
}

void DrawSunDisc(PictureContext& context)
{
    const PictureSource& src = context.Source();
    double centre[3], radius, sunPoint[3];
    CentreAndRadius(src.model, centre, radius);
    SunDisplayPoint(src.model, src.sun, src.sun.altitude, src.sun.azimuth, sunPoint);
    const CPoint c = Pixel(context, centre), s = Pixel(context, sunPoint);
    kernels::PictureCanvas& canvas = context.Canvas();
    canvas.DrawLine(c, s, {kernels::kBlack, 1, true});
    const COLORREF fill = src.sunVisible ? RGB(255, 255, 0) : RGB(127, 127, 127);
    canvas.FillDisc({s.x - 10, s.y - 10, s.x + 11, s.y + 11}, fill, kernels::kBlack);
}

} // namespace gelmar

// Coordinate texts, grid-line numbers, the unit label and the axis rotation.
#include "parven/model/store/CoordinateText.h"

#include "common/core/NumberText.h"

#include <cmath>
#include <numbers>

namespace parven {

namespace {

// Line j of an axis relative to its origin (line 0 at 0).
double Line(const GridAxis& a, std::size_t j)
{
    return j == 0 ? 0.0 : a.coords[j - 1];
}

// g + (r - line g) / (line g+1 - line g): the fractional line number of r
// on the line pair (g, g + 1).
double OnPair(const GridAxis& a, std::size_t g, double r)
{
    const double lo = Line(a, g), hi = Line(a, g + 1);
    return hi == lo ? static_cast<double>(g) : static_cast<double>(g) + (r - lo) / (hi - lo);
}

} // namespace

std::string FormatCoordinate(const ShapeModel& m, float value, int axis)
{
    const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (!m.settings.grcd || a.n == 0)
        return common::FormatDecimals(value, 2);
    const double r = static_cast<double>(value) - m.origin[axis];
    const double reso = m.settings.reso;
    if (std::fabs(r) < reso)
        return "0";
    std::size_t above = a.n + 1; // the first line above r
    for (std::size_t j = 1; j <= a.n; ++j) {
        if (std::fabs(Line(a, j) - r) < reso)
            return std::to_string(j);
        if (Line(a, j) > r) {
            above = j;
            break;
        }
    }
    // Beyond the last line the last pair of lines goes on.
    const std::size_t pair = above <= a.n ? above - 1 : (a.n >= 2 ? a.n - 1 : 0);
    return common::FormatDecimals(OnPair(a, pair, r), 2);
}

float ParseCoordinate(const ShapeModel& m, const char* text, int axis)
{
    double g = 0;
    const char* p = text;
    if (!common::ScanDouble(p, g))
        g = 0;
    const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (!m.settings.grcd || a.n == 0)
        return static_cast<float>(g);
    const double origin = m.origin[axis];
    const double n = a.n;
    if (g == std::floor(g) && g >= 0 && g <= n)
        return static_cast<float>(origin + Line(a, static_cast<std::size_t>(g)));
    // The pair of lines below and above g, the first or last pair outside.
    const std::size_t lo = g < 1 ? 0 : g >= n ? (a.n >= 2 ? a.n - 1 : 0) : static_cast<std::size_t>(g);
    const double lower = Line(a, lo), upper = Line(a, lo + 1);
    return static_cast<float>(origin + lower + (g - static_cast<double>(lo)) * (upper - lower));
}

RotationMatrix MakeAxisRotationMatrix(const float axis[3], float angleDegrees)
{
    RotationMatrix r{};
    const double x = axis[0], y = axis[1], z = axis[2];
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) {
        for (int k = 0; k < 3; ++k)
            r[k][k] = 1;
        return r;
    }
    // Rodrigues' form of the rotation about the unit axis u.
    const double u[3] = {x / length, y / length, z / length};
    const double angle = angleDegrees * std::numbers::pi / 180.0;
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    r[0] = {t * u[0] * u[0] + c, t * u[0] * u[1] - s * u[2], t * u[0] * u[2] + s * u[1]};
    r[1] = {t * u[0] * u[1] + s * u[2], t * u[1] * u[1] + c, t * u[1] * u[2] - s * u[0]};
    r[2] = {t * u[0] * u[2] - s * u[1], t * u[1] * u[2] + s * u[0], t * u[2] * u[2] + c};
    return r;
}

} // namespace parven

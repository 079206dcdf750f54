// CEN surface and cavity coefficients over a cell grid.
#include "common/kernels/CavityRules.h"

#include "common/core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kernels {

namespace {

double Extent(std::span<const float> widths, int lo, int hi)
{
    double sum = 0;
    for (int c = lo; c <= hi; ++c)
        sum += widths[static_cast<std::size_t>(c)];
    return sum;
}

bool IsValidRule(int rule)
{
    return rule >= 1 && rule <= 12;
}

} // namespace

double SurfaceRuleCoefficient(int rule)
{
    static const double h[4] = {0.0, 7.7, 5.0, 25.0};
    return rule >= 1 && rule <= 3 ? h[rule] : 0.0;
}

ColourCellBox FindColourCells(const CellGrid& grid, const CellWidths& widths, int colour)
{
    ColourCellBox box;
    bool any = false;
    for (int k = 0; k < grid.nz; ++k)
        for (int j = 0; j < grid.ny; ++j)
            for (int i = 0; i < grid.nx; ++i) {
                if (grid.ColourAt(i, j, k) != colour)
                    continue;
                const int p[3] = {i, j, k};
                for (int a = 0; a < 3; ++a) {
                    box.lo[a] = any ? std::min(box.lo[a], p[a]) : p[a];
                    box.hi[a] = any ? std::max(box.hi[a], p[a]) : p[a];
                }
                any = true;
                box.volume += double(widths[0][static_cast<std::size_t>(i)]) *
                              widths[1][static_cast<std::size_t>(j)] * widths[2][static_cast<std::size_t>(k)];
            }
    return box;
}

int CavityHeatAxis(int rule)
{
    static const int axis[6] = {0, 0, 1, 1, 2, 2};
    return axis[(rule - 1) % 6];
}

int CavityWidthAxis(int rule)
{
    static const int axis[6] = {1, 2, 0, 2, 0, 1};
    return axis[(rule - 1) % 6];
}

CavitySize MeasureColourCavity(const CellGrid& grid, const CellWidths& widths, double gridUnit, int colour,
                               int rule)
{
    CavitySize size;
    if (!IsValidRule(rule))
        return size;
    const ColourCellBox box = FindColourCells(grid, widths, colour);
    if (box.volume <= 0)
        return size;
    double l[3];
    for (int a = 0; a < 3; ++a)
        l[a] = Extent(widths[a], box.lo[a], box.hi[a]);
    const double f = std::sqrt(box.volume / (l[0] * l[1] * l[2]));
    size.d = f * l[CavityHeatAxis(rule)] * gridUnit;
    size.b = f * l[CavityWidthAxis(rule)] * gridUnit;
    return size;
}

int CountAdiabaticCavitySides(const CellGrid& grid, int colour, int rule,
                              const std::function<bool(int colour)>& adiabatic)
{
    if (!IsValidRule(rule))
        return 0;
    // Only the box is needed here: widths of 1 stand in for the real ones.
    ColourCellBox box;
    bool any = false;
    for (int k = 0; k < grid.nz; ++k)
        for (int j = 0; j < grid.ny; ++j)
            for (int i = 0; i < grid.nx; ++i)
                if (grid.ColourAt(i, j, k) == colour) {
                    const int p[3] = {i, j, k};
                    for (int a = 0; a < 3; ++a) {
                        box.lo[a] = any ? std::min(box.lo[a], p[a]) : p[a];
                        box.hi[a] = any ? std::max(box.hi[a], p[a]) : p[a];
                    }
                    any = true;
                }
    if (box.Empty())
        return 0;
    const int axis = CavityWidthAxis(rule);
    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
    int sides = 0;
    for (int side = 0; side < 2; ++side) {
        const int face = side == 0 ? box.lo[axis] : box.hi[axis];
        const int outside = side == 0 ? face - 1 : face + 1;
        bool closed = true;
        for (int a = box.lo[u]; a <= box.hi[u] && closed; ++a)
            for (int b = box.lo[v]; b <= box.hi[v] && closed; ++b) {
                int p[3];
                p[axis] = face;
                p[u] = a;
                p[v] = b;
                if (grid.ColourAt(p[0], p[1], p[2]) != colour)
                    continue;
                p[axis] = outside;
                const int beyond = grid.ColourAt(p[0], p[1], p[2]);
                closed = beyond < 0 || adiabatic(beyond);
            }
        sides += closed ? 1 : 0;
    }
    return sides;
}

bool CavityEmissivities(std::string_view name, double& e1, double& e2)
{
    e1 = e2 = 0.9;
    // The name is matched from its start as "e1=%f e2=%f" would match it.
    const std::string text(name);
    const char* p = text.c_str();
    float a = 0, b = 0;
    if (text.compare(0, 3, "e1=") != 0)
        return false;
    p += 3;
    if (!common::ScanFloat(p, a))
        return false;
    while (*p == ' ' || static_cast<unsigned char>(*p - '\t') <= 4)
        ++p;
    if (std::string_view(p).substr(0, 3) != "e2=")
        return false;
    p += 3;
    if (!common::ScanFloat(p, b))
        return false;
    e1 = std::clamp(double(a), 0.001, 1.0);
    e2 = std::clamp(double(b), 0.001, 1.0);
    return true;
}

CavityTemperatures CavityTemperatureDifference(bool conRule, double airTemperature, double lowest,
                                               double highest)
{
    CavityTemperatures t;
    if (conRule) {
        t.deltaT = std::max(std::abs(airTemperature - lowest), std::abs(highest - airTemperature));
    } else {
        t.deltaT = highest - lowest;
        t.mean = (highest + lowest) / 2.0;
    }
    return t;
}

CavityCoefficient ComputeCavityCoefficient(const CavityInput& in)
{
    CavityCoefficient out;
    // A negative difference has no power: it counts as none.
    const double dT = std::max({in.temperatures.deltaT, in.deltaTFloor, 0.0});
    if (in.conRule) {
        out.ha = 2.0 * in.con2 * std::pow(dT, in.con3);
        out.value = out.ha;
        return out;
    }
    const double d = in.size.d, b = in.size.b;
    const double a = d > 0 ? in.con1 / d : 0.0;
    const double p = d > 0 ? in.con2 * std::pow(dT, in.con3) : 0.0;
    out.ha = b < 0.005 ? a : (a > p ? a : p);
    if (!in.equivalentMaterial) {
        out.value = 2.0 * out.ha;
        return out;
    }
    if (d <= 0 || b <= 0)
        return out;
    double e1 = 0.9, e2 = 0.9;
    CavityEmissivities(in.name, e1, e2);
    const double e = 1.0 / (1.0 / e1 + 1.0 / e2 - 1.0);
    double width = b;
    if (in.adiabaticSides == 1)
        width *= 2.0;
    const double r = in.adiabaticSides == 2 ? 0.0 : d / width;
    const double f = (std::sqrt(r * r + 1.0) + 1.0 - r) / 2.0;
    const double t = in.temperatures.mean + 273.16;
    const double hr = 4.0 * 5.67e-8 * t * t * t / (1.0 / e + 1.0 / f - 1.0);
    out.value = (out.ha + hr) * d;
    if (in.rule >= 7)
        out.value *= 2.0;
    return out;
}

} // namespace kernels

// The surface and cavity rules.
#include "dralo/model/rules/SurfaceRules.h"

#include "common/kernels/CavityRules.h"
#include "dralo/model/store/ColourQueries.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dralo {

namespace {

bool IsDefinedRule(const ColourRecord& c)
{
    return c.type >= 0 && c.type < kColourTypeCount && c.rule > 0 && c.rule < 7 &&
           !kRuleKeywords[static_cast<std::size_t>(c.type)][static_cast<std::size_t>(c.rule)].empty();
}

// CEN_CON: the large cavity of BC_FREE and the surface convection of BC_SKY
// and BC_NOSKY.
bool IsLargeCavityRule(const ColourRecord& c)
{
    return (c.type == BC_FREE && c.rule == CEN_CON_FREE) ||
           ((c.type == BC_SKY || c.type == BC_NOSKY) && c.rule == CEN_CON);
}

// Rules whose heat-flow direction comes from the temperature field.
bool IsDirectionRule(const ColourRecord& c)
{
    return (c.type == EQUIMAT && (c.rule == CEN_DIR_I || c.rule == CEN_DIR_E)) ||
           (c.type == TRANSMAT && c.rule == CEN_DIR_I_TRANSMAT) || (c.type == BC_FREE && c.rule == CEN_DIR_I_FREE);
}

// An outside neighbour takes part unless it is an adiabatic boundary colour.
bool IsSideNeighbourActive(const BitmapModel& m, std::int32_t x, std::int32_t y)
{
    const int c = GetPixelColour(m, x, y);
    return c >= 0 && !IsAdiabaticBoundary(m.colours[static_cast<std::size_t>(c)]);
}

// Whether a side of the colour's box is adiabatic: the pixels of the colour
// on row (column) `at` look one step outwards by (dx, dy).
bool IsAdiabaticSide(const BitmapModel& m, int colour, bool row, std::int32_t at, int dx, int dy)
{
    const ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    const std::int32_t from = row ? c.minX : c.minY, to = row ? c.maxX : c.maxY;
    const std::int32_t outX = row ? 0 : at + dx, outY = row ? at + dy : 0;
    if ((row && (outY < 0 || outY >= m.height)) || (!row && (outX < 0 || outX >= m.width)))
        return m.calc.bsym != 0;
    for (std::int32_t i = from; i <= to; ++i) {
        const std::int32_t x = row ? i : at, y = row ? at : i;
        if (GetPixelColour(m, x, y) == colour && IsSideNeighbourActive(m, x + dx, y + dy))
            return false;
    }
    return true;
}

} // namespace

bool HasLongWaveColours(const BitmapModel& m)
{
    for (const ColourRecord& c : m.colours)
        if (c.present && c.type != MATERIAL && c.type != BC_SIMPL && c.type != BC_FRE_S && c.rule != NIHIL)
            return true;
    return false;
}

bool UpdateRuleOrientation(BitmapModel& m)
{
    bool changed = false;
    for (ColourRecord& c : m.colours) {
        if (!c.present || c.type != EQUIMAT)
            continue;
        const int before = c.rule;
        if (c.flowAxis == 2 && (c.rule == CEN_Xy_I || c.rule == CEN_Xy_E))
            ++c.rule;
        else if (c.flowAxis == 1 && (c.rule == CEN_Yx_I || c.rule == CEN_Yx_E))
            --c.rule;
        changed = changed || c.rule != before;
    }
    return changed;
}

bool ComputeCavityTemperatures(const BitmapModel& m, int colour, CavityTemperatures& t)
{
    const ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    const double lo = c.lowestTemperature, hi = c.highestTemperature;
    if (!(lo <= hi) || lo >= kNoLowestTemperature || hi <= kNoHighestTemperature)
        return false; // no solution temperatures for this colour
    const kernels::CavityTemperatures k = kernels::CavityTemperatureDifference(IsLargeCavityRule(c), c.tair, lo, hi);
    t.deltaT = k.deltaT;
    t.mean = k.mean;
    return true;
}

CavityDimensions ComputeCavityDimensions(BitmapModel& m, int colour, bool withSolution,
                                         const CavityBoundaryNodes* nodes, double deltaT)
{
    ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    const double pixs = m.pixs;
    double w = (static_cast<double>(c.maxX) - c.minX + 1) * pixs;
    double t = (static_cast<double>(c.maxY) - c.minY + 1) * pixs;
    const double area = static_cast<double>(c.pixelCount) * pixs * pixs;
    const double fx = c.flowX, fy = c.flowY;
    if (IsDirectionRule(c)) {
        if (withSolution && (fx != 0 || fy != 0)) {
            std::vector<MeshPoint> points;
            if (nodes && *nodes)
                (*nodes)(colour, points);
            if (points.empty()) {
                if (fx != 1.0)
                    std::swap(w, t);
            } else {
                double alongLo = std::numeric_limits<double>::max(), alongHi = -alongLo;
                double acrossLo = alongLo, acrossHi = -alongLo;
                for (const MeshPoint& p : points) {
                    const double along = fx * p.first + fy * p.second;
                    const double across = fx * p.second - fy * p.first;
                    alongLo = std::min(alongLo, along);
                    alongHi = std::max(alongHi, along);
                    acrossLo = std::min(acrossLo, across);
                    acrossHi = std::max(acrossHi, across);
                }
                w = (alongHi - alongLo) * pixs / 16.0;
                t = (acrossHi - acrossLo) * pixs / 16.0;
            }
        } else if (std::abs(fy) > std::abs(fx)) {
            std::swap(w, t);
        }
    } else if (c.rule != 1 && c.rule != 3) {
        std::swap(w, t);
    }
    CavityDimensions dims;
    if (!(area > 0 && w > 0 && t > 0 && std::isfinite(area * w / t)))
        return dims; // a cavity without extent: nothing can be derived
    dims.b = std::sqrt(area * w / t);
    dims.d = area / dims.b;
    dims.valid = true;
    if (IsDirectionRule(c)) {
        c.cavityB = static_cast<float>(dims.b);
        c.cavityD = static_cast<float>(dims.d);
        c.cavityDeltaT = static_cast<float>(deltaT);
    }
    return dims;
}

int CountAdiabaticCavitySides(const BitmapModel& m, int colour)
{
    const ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    if (c.rule < 1 || c.rule > 4)
        return 0;
    if (c.rule == CEN_Yx_I || c.rule == CEN_Yx_E)
        return (IsAdiabaticSide(m, colour, false, c.minX, -1, 0) ? 1 : 0) +
               (IsAdiabaticSide(m, colour, false, c.maxX, 1, 0) ? 1 : 0);
    return (IsAdiabaticSide(m, colour, true, c.minY, 0, -1) ? 1 : 0) +
           (IsAdiabaticSide(m, colour, true, c.maxY, 0, 1) ? 1 : 0);
}

CavityValues ComputeCavityConductivity(BitmapModel& m, int colour, const CavityTemperatures& t, bool withSolution,
                                       const CavityBoundaryNodes* nodes)
{
    const ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    CavityValues v;
    // The air's coefficient is the CEN one every program uses: here b is
    // the cavity's thickness along the heat flow and d its width across it.
    kernels::CavityInput air;
    air.conRule = IsLargeCavityRule(c);
    air.con1 = c.con1;
    air.con2 = c.con2;
    air.con3 = c.con3;
    air.temperatures.deltaT = t.deltaT;
    if (air.conRule) {
        v.ha = kernels::ComputeCavityCoefficient(air).ha;
        v.valid = std::isfinite(v.ha);
        return v;
    }
    const CavityDimensions dims = ComputeCavityDimensions(m, colour, withSolution, nodes, t.deltaT);
    if (!dims.valid)
        return v;
    double d = dims.d;
    air.size.d = dims.b;
    air.size.b = dims.d;
    const kernels::CavityCoefficient coefficient = kernels::ComputeCavityCoefficient(air);
    v.ha = coefficient.ha;
    if (c.type == BC_FREE) {
        v.ha = coefficient.value; // both faces
        v.valid = std::isfinite(v.ha);
        return v;
    }
    if (c.type == EQUIMAT) {
        double e1, e2;
        kernels::CavityEmissivities(c.name, e1, e2);
        const double e = 1.0 / (1.0 / e1 + 1.0 / e2 - 1.0);
        const int adiabatic = CountAdiabaticCavitySides(m, colour);
        if (adiabatic == 1)
            d *= 2.0;
        const double r = adiabatic == 2 ? 0.0 : dims.b / d;
        const double tk = t.mean + 273.16;
        v.hr = (std::sqrt(r * r + 1.0) + 1.0 - r) / 2.0 * tk * tk * tk * e * 2.268e-7;
    }
    v.lambda = (v.ha + v.hr) * dims.b;
    if (c.rule == CEN_Xy_E || c.rule == CEN_Yx_E || c.rule == CEN_DIR_E)
        v.lambda *= 2.0;
    v.valid = std::isfinite(v.lambda) && std::isfinite(v.ha);
    return v;
}

bool StoreRuleResult(BitmapModel& m, int colour, const CavityValues& v)
{
    ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    if (!v.valid)
        return false;
    if (c.type == EQUIMAT || c.type == TRANSMAT) {
        if (std::abs(v.lambda - c.lamb) > 0.0001) {
            c.lamb = static_cast<float>(v.lambda);
            return true;
        }
    } else if (std::abs(v.ha - c.hcon) > 0.001) {
        c.hcon = static_cast<float>(v.ha);
        return true;
    }
    return false;
}

bool ApplySurfaceRules(BitmapModel& m, bool withSolution, const CavityBoundaryNodes* nodes)
{
    bool changed = withSolution && UpdateRuleOrientation(m);
    for (int n = 0; n < kColourCount; ++n) {
        ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (!c.present || c.type == MATERIAL || !IsDefinedRule(c))
            continue;
        if (c.type == BC_SIMPL || c.type == BC_FRE_S) {
            const auto h = static_cast<float>(kernels::SurfaceRuleCoefficient(c.rule));
            if (std::abs(c.hglo - h) > 0.001f) {
                c.hglo = h;
                changed = true;
            }
            continue;
        }
        CavityTemperatures t{m.calc.dtas, 10.0};
        if (withSolution && m.calc.usol) {
            CavityTemperatures fromSolution;
            if (ComputeCavityTemperatures(m, n, fromSolution))
                t = fromSolution;
        }
        const CavityValues v = ComputeCavityConductivity(m, n, t, withSolution, nodes);
        changed = StoreRuleResult(m, n, v) || changed;
    }
    return changed;
}

} // namespace dralo

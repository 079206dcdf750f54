// CEN rules of surfaces and cavities, start conductivities and zone fill.
#include "gelmar/model/calc/SurfaceRules.h"

#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gelmar {

namespace {

bool g_cavityChanged = false;

// First and second axis of an EQUIMAT/BC_FREE CEN rule 1..12 (x 0, y 1, z 2).
int HeatAxis(int rule)
{
    switch ((rule - 1) % 6) {
    case 0:
    case 1:
        return 0;
    case 2:
    case 3:
        return 1;
    default:
        return 2;
    }
}
int WidthAxis(int rule)
{
    static const int axis[6] = {1, 2, 0, 2, 0, 1};
    return axis[(rule - 1) % 6];
}

bool IsConAxisRule(const ColourRecord& c)
{
    return (c.type == BC_FREE && c.rule == 7) || ((c.type == BC_SKY || c.type == BC_NOSKY) && c.rule == 1);
}

// Bounding box and volume (grid units cubed) of a colour's cells.
struct CellBox {
    int lo[3] = {0, 0, 0}, hi[3] = {-1, -1, -1};
    double volume = 0;
};

CellBox ColourCells(int colour)
{
    EnsureCellArray();
    CellBox box;
    bool any = false;
    const ModelStore& m = g_model;
    for (int k = 0; k < m.axes[2].n; ++k)
        for (int j = 0; j < m.axes[1].n; ++j)
            for (int i = 0; i < m.axes[0].n; ++i) {
                if (GetCellColour(i, j, k) != colour)
                    continue;
                const int p[3] = {i, j, k};
                for (int a = 0; a < 3; ++a) {
                    box.lo[a] = any ? std::min(box.lo[a], p[a]) : p[a];
                    box.hi[a] = any ? std::max(box.hi[a], p[a]) : p[a];
                }
                any = true;
                box.volume += double(m.axes[0].widths[i]) * m.axes[1].widths[j] * m.axes[2].widths[k];
            }
    return box;
}

double Extent(int axis, int lo, int hi)
{
    const GridAxis& a = g_model.axes[axis];
    double sum = 0;
    for (int c = lo; c <= hi; ++c)
        sum += a.widths[c];
    return sum;
}

void StoreCavityCoefficient(ColourRecord& c, double ha, double lambdaEq)
{
    if (c.type == EQUIMAT) {
        if (std::abs(lambdaEq - c.lambda) > 0.0001) {
            c.lambda = static_cast<float>(lambdaEq);
            g_cavityChanged = true;
        }
    } else if (std::abs(ha - c.hConvective) > 0.001) {
        c.hConvective = static_cast<float>(ha);
        g_cavityChanged = true;
    }
}

void ApplyCavityRule(int colour, double dT, double tMean)
{
    ColourRecord& c = g_model.colours[colour];
    const double c1 = c.con1, c2 = c.con2, n = c.con3;
    if (IsConAxisRule(c)) {
        StoreCavityCoefficient(c, 2.0 * c2 * std::pow(dT, n), 0.0);
        return;
    }
    const CavitySize size = CavityDimensions(colour, c.rule);
    const double a = size.d > 0 ? c1 / size.d : 0.0;
    const double p = size.d > 0 ? c2 * std::pow(dT, n) : 0.0;
    const double ha = size.b < 0.005 ? a : (a > p ? a : p);
    if (c.type == EQUIMAT) {
        double lambdaEq = 0.0;
        if (size.d > 0 && size.b > 0) {
            float e1 = 0.9f, e2 = 0.9f;
            if (std::sscanf(c.name.c_str(), "e1=%f e2=%f", &e1, &e2) == 2) {
                e1 = std::clamp(e1, 0.001f, 1.0f);
                e2 = std::clamp(e2, 0.001f, 1.0f);
            } else {
                e1 = e2 = 0.9f;
            }
            const double e = 1.0 / (1.0 / e1 + 1.0 / e2 - 1.0);
            double b = size.b;
            const int sides = CountAdiabaticSides(colour, c.rule);
            if (sides == 1)
                b *= 2.0;
            const double r = sides == 2 ? 0.0 : size.d / b;
            const double t = tMean + 273.16;
            const double f = (std::sqrt(r * r + 1.0) + 1.0 - r) / 2.0;
            lambdaEq = (2.268e-7 * t * t * t / (1.0 / e + 1.0 / f - 1.0) + ha) * size.d;
            if (c.rule >= 7)
                lambdaEq *= 2.0;
        }
        StoreCavityCoefficient(c, ha, lambdaEq);
    } else {
        StoreCavityCoefficient(c, 2.0 * ha, 0.0);
    }
}

} // namespace

CavitySize CavityDimensions(int colour, int rule)
{
    CavitySize size;
    if (rule < 1 || rule > 12)
        return size;
    const CellBox box = ColourCells(colour);
    if (box.volume <= 0)
        return size;
    double l[3];
    for (int a = 0; a < 3; ++a)
        l[a] = Extent(a, box.lo[a], box.hi[a]);
    const double f = std::sqrt(box.volume / (l[0] * l[1] * l[2]));
    const double scale = g_model.gridUnit;
    size.d = f * l[HeatAxis(rule)] * scale;
    size.b = f * l[WidthAxis(rule)] * scale;
    return size;
}

int CountAdiabaticSides(int colour, int rule)
{
    if (rule < 1 || rule > 12)
        return 0;
    const CellBox box = ColourCells(colour);
    if (box.hi[0] < 0)
        return 0;
    const int axis = WidthAxis(rule);
    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
    int sides = 0;
    for (int side = 0; side < 2; ++side) {
        const int face = side == 0 ? box.lo[axis] : box.hi[axis];
        const int outside = side == 0 ? face - 1 : face + 1;
        bool adiabatic = true;
        for (int a = box.lo[u]; a <= box.hi[u] && adiabatic; ++a)
            for (int b = box.lo[v]; b <= box.hi[v] && adiabatic; ++b) {
                int p[3];
                p[axis] = face;
                p[u] = a;
                p[v] = b;
                if (GetCellColour(p[0], p[1], p[2]) != colour)
                    continue;
                p[axis] = outside;
                const int nb = GetCellColour(p[0], p[1], p[2]);
                if (nb < 0)
                    continue; // beyond the grid or void
                const ColourRecord& n = g_model.colours[nb];
                adiabatic = (n.type == BC_SIMPL || n.type == BC_FRE_S) && n.hGlobal == 0 && n.flux == 0;
            }
        sides += adiabatic ? 1 : 0;
    }
    return sides;
}

int ApplySurfaceRules(int recompute)
{
    // Only the cavity rules look at cells.
    if (!g_run.solutionValid && HasRuleColours())
        RasteriseBlocks();
    bool changed = false;
    g_cavityChanged = false;
    for (int colour = 0; colour < kColourCount; ++colour) {
        ColourRecord& c = g_model.colours[colour];
        if (!c.inUse || c.type == MATERIAL || c.type == TRANSMAT || c.rule == 0)
            continue;
        if (c.type == BC_SIMPL || c.type == BC_FRE_S) {
            static const float h[4] = {0.0f, 7.7f, 5.0f, 25.0f};
            if (c.rule < 1 || c.rule > 3)
                continue;
            if (std::abs(h[c.rule] - c.hGlobal) > 0.001f)
                changed = true;
            c.hGlobal = h[c.rule];
            continue;
        }
        double dT = g_model.airspaceDeltaT, tMean = 10.0;
        if (recompute) {
            const double lo = c.resultMin, hi = c.resultMax;
            if (IsConAxisRule(c)) {
                dT = std::max(std::abs(c.airTemperature - lo), std::abs(hi - c.airTemperature));
            } else {
                dT = hi - lo;
                tMean = (hi + lo) / 2.0;
            }
        }
        if (dT < 0.1)
            dT = 0.1;
        ApplyCavityRule(colour, dT, tMean);
    }
    return changed ? 1 : 0;
}

bool HasRuleColours()
{
    for (const ColourRecord& c : g_model.colours)
        if (c.inUse && c.rule != 0 &&
            (c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == EQUIMAT))
            return true;
    return false;
}

bool CavityCoefficientChanged()
{
    return g_cavityChanged;
}

void PrepareConductivities()
{
    ApplySurfaceRules(0);
    for (ColourRecord& c : g_model.colours)
        if (c.inUse && IsConductiveType(c.type))
            c.lambda = GetConductivityAt(c, 10.0f, false);
}

void FloodFillColourZone(int i, int j, int k, int oldColour, int newColour,
                         std::vector<std::uint8_t>& visited, std::vector<std::int64_t>& stack)
{
    const ModelStore& m = g_model;
    const std::int64_t nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    const std::int64_t cells = nx * ny * nz;
    if (i < 0 || j < 0 || k < 0 || i >= nx || j >= ny || k >= nz)
        return;
    if (static_cast<std::int64_t>(visited.size()) < cells)
        visited.assign(cells, 0);
    stack.clear();
    int lo[3] = {i, j, k}, hi[3] = {i, j, k};
    int p[3] = {i, j, k};
    const int step[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    auto index = [&](const int* q) { return q[0] + q[1] * nx + q[2] * nx * ny; };
    bool enter = true;
    for (;;) {
        if (enter) {
            SetCellColour(newColour, p[0], p[1], p[2]);
            visited[index(p)] = 1;
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], p[a]);
                hi[a] = std::max(hi[a], p[a]);
            }
        }
        int next = -1;
        for (int d = 0; d < 6 && next < 0; ++d) {
            const int q[3] = {p[0] + step[d][0], p[1] + step[d][1], p[2] + step[d][2]};
            if (q[0] < 0 || q[1] < 0 || q[2] < 0 || q[0] >= nx || q[1] >= ny || q[2] >= nz)
                continue;
            const int colour = GetCellColour(q[0], q[1], q[2]);
            if (!visited[index(q)] && colour >= 0 && (colour & 0xFF) == (oldColour & 0xFF))
                next = d;
        }
        if (next >= 0) {
            // The last direction leaves nothing to come back for.
            if (next != 5)
                stack.push_back(index(p));
            for (int a = 0; a < 3; ++a)
                p[a] += step[next][a];
            enter = true;
            continue;
        }
        if (stack.empty())
            break;
        const std::int64_t top = stack.back();
        stack.pop_back();
        p[0] = static_cast<int>(top % nx);
        p[1] = static_cast<int>((top / nx) % ny);
        p[2] = static_cast<int>(top / (nx * ny));
        enter = false;
    }
    ColourRecord& c = g_model.colours[newColour & 0xFF];
    for (int a = 0; a < 3; ++a) {
        c.cellBox[2 * a] = static_cast<std::uint16_t>(lo[a]);
        c.cellBox[2 * a + 1] = static_cast<std::uint16_t>(hi[a]);
    }
}

} // namespace gelmar

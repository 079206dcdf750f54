// Capacity, conduction, surface conditions and boundary powers of the node
// system. Surfaces couple a face's four corners so that the surface
// temperature a corner sees is half its own plus a quarter of each neighbour
// along the face's edges.
#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "common/kernels/ColourFaces.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <algorithm>
#include <array>

namespace gelmar {

namespace {

struct Context {
    int step = 0;
    double s = 1.0;
    const float* w[3] = {};
    int n[3] = {};
    double* diag = nullptr;
    double* b = nullptr;
    kernels::SymmetricMatrix* a = nullptr;

    double Width(int axis, int cell) const { return w[axis][cell]; }
    void Couple(std::int32_t p, std::int32_t q, double value) const
    {
        if (p != q)
            a->Element(p, q) += value;
    }
};

void ClearEquationSystem(RunState& run, EngineHost& host, const Context& c)
{
    // A later step's right-hand side is rebuilt from the kept one instead.
    kernels::ClearSystemValues(*run.work.matrix,
                               c.step == 0 ? std::span<double>(run.work.rhs) : std::span<double>(), {}, [&host] {
                                   CheckEscAbort(host);
                                   return false;
                               });
}

const ColourRecord& Colour(ModelStore& model, int colour)
{
    return model.colours[colour];
}

void AssembleCapacityAndSources(ModelStore& model, RunState& run, EngineHost& host, const Context& c)
{
    const std::vector<double>& kept = run.work.keptRhs;
    for (kernels::Index r = 0; r < run.work.rowCount; ++r)
        c.b[r] = -kept[r];
    const double k = static_cast<float>(c.s * c.s * c.s / (8.0 * model.timeStep));
    const double* x = run.work.solution.data();
    const double* x0 = run.work.previous.data();
    const double* x00 = run.work.previous2.data();
    const bool ventilated = HasVentilationFlows(model);
    kernels::Index visited = 0;
    for (int i = 0; i <= c.n[0]; ++i)
        for (int j = 0; j <= c.n[1]; ++j)
            for (int kk = 0; kk <= c.n[2]; ++kk) {
                const std::int32_t node = GetNodeIndex(model, run.work, i, j, kk);
                if (node < 0)
                    continue;
                if (++visited % 10000 == 0)
                    CheckEscAbort(host);
                const double t1 = x[node], t0 = x0[node], t00 = c.step >= 2 ? x00[node] : 0.0;
                const double tRef = ventilated ? t0 : t1;
                for (int ck = kk - 1; ck <= kk; ++ck)
                    for (int cj = j - 1; cj <= j; ++cj)
                        for (int ci = i - 1; ci <= i; ++ci) {
                            const int colour = GetCellColour(model, run.work, ci, cj, ck);
                            if (colour < 0 || !IsConductiveType(Colour(model, colour).type))
                                continue;
                            const ColourRecord& col = Colour(model, colour);
                            const double c1 = GetSpecificHeatAt(model, run, col, static_cast<float>(t1));
                            const double c0 = GetSpecificHeatAt(model, run, col, static_cast<float>(t0));
                            const double w =
                                c.Width(0, ci) * c.Width(1, cj) * c.Width(2, ck) * col.density * k;
                            c.diag[node] += (c0 + c1) * w;
                            if (c.step == 1) {
                                c.b[node] += (c0 + c1) * w * tRef;
                            } else {
                                const double c00 = GetSpecificHeatAt(model, run, col, static_cast<float>(t00));
                                c.b[node] += (c00 + 2 * c0 + c1) * w * tRef;
                            }
                        }
            }
    AssembleAirNodeCapacities(model, run, host, c.step, k);
}

// The twelve edges of a cell as pairs of its corners (corner bits: x 1, y 2, z 4).
constexpr int kEdges[12][3] = {{0, 1, 0}, {2, 3, 0}, {4, 5, 0}, {6, 7, 0}, {0, 2, 1}, {1, 3, 1},
                               {4, 6, 1}, {5, 7, 1}, {0, 4, 2}, {1, 5, 2}, {2, 6, 2}, {3, 7, 2}};

void AddCellConductances(ModelStore& model, RunState& run, const Context& c, int colour, int i, int j, int k)
{
    const ColourRecord& col = Colour(model, colour);
    std::array<std::int32_t, 8> node;
    std::array<double, 8> t, tPrev;
    for (int q = 0; q < 8; ++q) {
        node[q] = GetNodeIndex(model, run.work, i + (q & 1), j + ((q >> 1) & 1), k + ((q >> 2) & 1));
        t[q] = node[q] == -1 ? 0.0 : GetNodeValue(model, run.work, node[q], 0);
        tPrev[q] = node[q] == -1 || c.step == 0 ? 0.0 : GetNodeValue(model, run.work, node[q], 1);
    }
    const double wx = c.Width(0, i), wy = c.Width(1, j), wz = c.Width(2, k);
    const double g[3] = {c.s * 0.25 * wy * wz / wx, c.s * 0.25 * wx * wz / wy, c.s * 0.25 * wx * wy / wz};
    for (const auto& e : kEdges) {
        const std::int32_t na = node[e[0]], nb = node[e[1]];
        if (na == -1 || nb == -1 || (na < 0 && nb < 0))
            continue;
        const double ge = g[e[2]];
        const double lambda = GetConductivityAt(model, run, col, static_cast<float>(0.5 * (t[e[0]] + t[e[1]])), false);
        const bool oneFixed = (na < 0) != (nb < 0);
        const double lambdaPrev =
            oneFixed && c.step > 0
                ? GetConductivityAt(model, run, col, static_cast<float>(0.5 * (tPrev[e[0]] + tPrev[e[1]])), true)
                : 0.0;
        auto end = [&](std::int32_t self, std::int32_t other, int otherCorner) {
            if (self < 0)
                return;
            c.diag[self] += lambda * ge;
            if (other < 0)
                c.b[self] += c.step > 0 ? ge * (lambda * t[otherCorner] + lambdaPrev * tPrev[otherCorner])
                                        : ge * lambda * t[otherCorner];
            else if (other < self)
                c.Couple(self, other, -lambda * ge);
        };
        end(na, nb, e[1]);
        end(nb, na, e[0]);
    }
}

// The surface condition of boundary colour `colour` on the face across
// `axis` at grid plane `plane`, spanning cells (u, v) of the other two axes.
void AddSurfaceBoundaryCondition(ModelStore& model, RunState& run, const Context& c, int colour, int axis, int plane, int u, int v)
{
    const ColourRecord& col = Colour(model, colour);
    const ColourWorkingValues& wv = col.working;
    const int au = axis == 0 ? 1 : 0, av = axis == 2 ? 1 : 2;
    const double area = c.s * c.s * c.Width(au, u) * c.Width(av, v);
    const double a = area / 4.0;
    const bool simple = col.type == BC_SIMPL || col.type == BC_FRE_S;
    double h = simple ? col.hGlobal : col.hConvective;
    double hPrev = simple ? wv.previousHGlobal : wv.previousHConvective;
    double temp = simple ? col.temperature : col.airTemperature;
    double tempPrev = simple ? wv.previousTemperature : wv.previousAirTemperature;
    // A free surface whose air is not held carries its air temperature
    // through the zone terms; held air is a fixed environment.
    if ((col.type == BC_FRE_S || col.type == BC_FREE) && !wv.airFixed)
        temp = tempPrev = 0.0;
    const double q = col.flux, qPrev = wv.previousFlux;
    if (c.step == 0)
        hPrev = 0.0;
    const double e =
        c.step == 0 ? h * a * temp + q * a : (q + qPrev) * a + h * a * temp + hPrev * a * tempPrev;
    if (h == 0 && e == 0)
        return;
    int p[3];
    p[axis] = plane;
    const int du[4] = {0, 1, 1, 0}, dv[4] = {0, 0, 1, 1};
    std::array<std::int32_t, 4> corner;
    for (int m = 0; m < 4; ++m) {
        p[au] = u + du[m];
        p[av] = v + dv[m];
        corner[m] = GetNodeIndex(model, run.work, p[0], p[1], p[2]);
    }
    for (int m = 0; m < 4; ++m) {
        const std::int32_t self = corner[m];
        if (self < 0)
            continue;
        if (h != 0 || hPrev != 0) {
            c.diag[self] += h * a / 2;
            for (int side : {3, 1}) {
                const std::int32_t other = corner[(m + side) % 4];
                if (other >= 0 && other < self)
                    c.Couple(self, other, h * a / 4);
                else if (other <= -2)
                    c.b[self] -= c.step > 0
                                     ? (h * GetNodeValue(model, run.work, other, 0) + hPrev * GetNodeValue(model, run.work, other, 1)) * a / 4
                                     : h * GetNodeValue(model, run.work, other, 0) * a / 4;
            }
        }
        if (e != 0)
            c.b[self] += e;
    }
}

void AddSurfaceFacesOfCell(ModelStore& model, RunState& run, const Context& c, int colour, int i, int j, int k)
{
    const int cell[3] = {i, j, k};
    for (int axis = 0; axis < 3; ++axis)
        for (int dir = -1; dir <= 1; dir += 2) {
            int nb[3] = {i, j, k};
            nb[axis] += dir;
            if (!IsConductiveCell(model, run, nb[0], nb[1], nb[2]))
                continue;
            const int plane = dir < 0 ? cell[axis] : cell[axis] + 1;
            const int u = axis == 0 ? j : i, v = axis == 2 ? j : k;
            AddSurfaceBoundaryCondition(model, run, c, colour, axis, plane, u, v);
        }
}

void AssembleCellConduction(ModelStore& model, RunState& run, EngineHost& host, const Context& c)
{
    kernels::Index visited = 0;
    for (int i = 0; i < c.n[0]; ++i)
        for (int j = 0; j < c.n[1]; ++j)
            for (int k = 0; k < c.n[2]; ++k) {
                if (++visited % 10000 == 0)
                    CheckEscAbort(host);
                const int colour = GetCellColour(model, run.work, i, j, k);
                if (colour < 0)
                    continue;
                if (IsConductiveType(Colour(model, colour).type))
                    AddCellConductances(model, run, c, colour, i, j, k);
                else
                    AddSurfaceFacesOfCell(model, run, c, colour, i, j, k);
            }
}

void AddToCalculationNode(ModelStore& model, RunState& run, const Context& c, int i, int j, int k, double value)
{
    const std::int32_t n = GetNodeIndex(model, run.work, i, j, k);
    if (n >= 0)
        c.b[n] += value;
}

void AssembleNodeBcs(ModelStore& model, RunState& run, const Context& c)
{
    int flat = -1;
    for (int a = 2; a >= 0 && flat < 0; --a)
        if (c.n[a] == 1)
            flat = a;
    for (std::int32_t r = 0; r < model.nodeBcs.count; ++r) {
        const NodeBcRecord& bc = model.nodeBcs[r];
        if (bc.type != 1)
            continue;
        const double half = (static_cast<double>(bc.power) + bc.working.previous) * 0.5;
        int p[3] = {bc.i, bc.j, bc.k};
        for (int layer = 0; layer <= 1; ++layer) {
            if (flat >= 0)
                p[flat] = layer;
            AddToCalculationNode(model, run, c, p[0], p[1], p[2], half);
        }
    }
    for (std::int32_t r = 0; r < model.borderBcs.count; ++r) {
        const BorderFaceBcRecord& bc = model.borderBcs[r];
        if (bc.type != 1 || bc.colour1 < 0 || bc.colour2 < 0)
            continue;
        const double value = static_cast<double>(bc.flux) + bc.working.previous;
        const kernels::CellGrid cells{c.n[0], c.n[1], c.n[2], run.work.cellColours};
        kernels::ForEachColourPairFace(
            cells, bc.colour1, bc.colour2, [&](int axis, const std::array<int, 3>& cell) {
                const int au = axis == 0 ? 1 : 0, av = axis == 2 ? 1 : 2;
                const double share = value * c.s * c.s * c.Width(au, cell[au]) * c.Width(av, cell[av]) / 4.0;
                for (int m = 0; m < 4; ++m) {
                    int p[3] = {cell[0], cell[1], cell[2]};
                    ++p[axis];
                    p[au] += m & 1;
                    p[av] += m >> 1;
                    AddToCalculationNode(model, run, c, p[0], p[1], p[2], share);
                }
            });
    }
    for (std::int32_t r = 0; r < model.materialBcs.count; ++r) {
        const MaterialBcRecord& bc = model.materialBcs[r];
        if (bc.type != 1 || bc.colour < 0 || bc.colour >= kColourCount ||
            !IsConductiveType(Colour(model, bc.colour).type))
            continue;
        const double value = static_cast<double>(bc.power) + bc.working.previous;
        for (int i = 0; i < c.n[0]; ++i)
            for (int j = 0; j < c.n[1]; ++j)
                for (int k = 0; k < c.n[2]; ++k) {
                    if (GetCellColour(model, run.work, i, j, k) != bc.colour)
                        continue;
                    const double share =
                        value * c.s * c.s * c.s * c.Width(0, i) * c.Width(1, j) * c.Width(2, k) / 8.0;
                    for (int q = 0; q < 8; ++q)
                        AddToCalculationNode(model, run, c, i + (q & 1), j + ((q >> 1) & 1), k + ((q >> 2) & 1), share);
                }
    }
    AddSolarNodeSources(run, c.b);
}

} // namespace

void AssembleEquations(ModelStore& model, RunState& run, EngineHost& host, int stepCounter)
{
    Context c;
    c.step = stepCounter;
    c.s = model.gridUnit;
    for (int a = 0; a < 3; ++a) {
        c.w[a] = model.axes[a].widths.data();
        c.n[a] = model.axes[a].n;
    }
    c.a = run.work.matrix.get();
    c.diag = c.a->Diagonal().data();
    c.b = run.work.rhs.data();

    ClearEquationSystem(run, host, c);
    if (c.step > 0)
        AssembleCapacityAndSources(model, run, host, c);
    AssembleCellConduction(model, run, host, c);
    AssembleNodeBcs(model, run, c);
    AssembleLongWaveRadiation(model, run, host, c.step);
    AssembleBoundaryColourRows(model, run);
    c.a->FixZeroDiagonals();
}

} // namespace gelmar

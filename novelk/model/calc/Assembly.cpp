// Conduction, surface, boundary-condition and zone terms of the system.
#include "novelk/model/calc/Assembly.h"

#include "common/kernels/ColourFaces.h"
#include "common/kernels/NodeNumbering.h"
#include "common/kernels/ViewFactorZone.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/Zones.h"
#include "novelk/model/store/EngineHost.h"

#include <array>

namespace novelk {

namespace {

// The system of the run with its fixed-node values.
struct System {
    const ModelStore& m;
    RunState& run;
    kernels::SymmetricMatrix& k;
    double* diag;
    double* b;

    double Value(std::int32_t n) const { return GetNodeValue(m, run, n); }
    double& Element(std::int32_t a, std::int32_t c) const { return k.Element(a, c); }
};

// A conductive cell conducts: its colour is of a conductive type with lamb > 0.
bool Conducts(const ModelStore& m, int colour)
{
    if (colour < 0)
        return false;
    const ColourRecord& c = m.colours[std::size_t(colour)];
    return IsConductiveType(c.type) && c.lambda > 0;
}

bool IsBoundaryType(int type)
{
    return type == BC_SIMPL || type == BC_FREE || type == BC_SKY || type == BC_NOSKY || type == BC_FRE_S;
}

// The twelve edges of a cell as pairs of its corners (corner bits: x 1, y 2,
// z 4) and their axis.
constexpr int kEdges[12][3] = {{0, 1, 0}, {2, 3, 0}, {4, 5, 0}, {6, 7, 0}, {0, 2, 1}, {1, 3, 1},
                               {4, 6, 1}, {5, 7, 1}, {0, 4, 2}, {1, 5, 2}, {2, 6, 2}, {3, 7, 2}};

void AddCellConductances(const System& s, int i, int j, int k, double lambda)
{
    const ModelStore& m = s.m;
    const double grun = m.gridUnit;
    const double dx = m.axes[0].widths[std::size_t(i)], dy = m.axes[1].widths[std::size_t(j)],
                 dz = m.axes[2].widths[std::size_t(k)];
    const double g[3] = {lambda * grun * dy * dz / (4 * dx), lambda * grun * dx * dz / (4 * dy),
                         lambda * grun * dx * dy / (4 * dz)};
    std::int32_t node[8];
    for (int q = 0; q < 8; ++q)
        node[q] = GetNodeIndex(s.run, i + (q & 1), j + ((q >> 1) & 1), k + ((q >> 2) & 1));
    for (const auto& e : kEdges) {
        const std::int32_t a = node[e[0]], c = node[e[1]];
        const double ge = g[e[2]];
        auto end = [&](std::int32_t self, std::int32_t other) {
            if (self < 0)
                return;
            s.diag[self] += ge;
            if (other <= -2)
                s.b[self] += ge * s.Value(other);
            else if (other >= 0 && other < self)
                s.Element(self, other) -= ge;
        };
        end(a, c);
        end(c, a);
    }
}

// The surface terms of the face between boundary cell (i, j, k) of the colour
// and its conductive neighbour across side d (0..5: -x, +x, -y, +y, -z, +z).
void AddBoundaryFaceTerms(const System& s, int i, int j, int k, int d, const ColourRecord& colour)
{
    const ModelStore& m = s.m;
    const int axis = d / 2;
    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
    const int cell[3] = {i, j, k};
    const double grun = m.gridUnit;
    const double area = double(m.axes[std::size_t(u)].widths[std::size_t(cell[u])]) *
                        m.axes[std::size_t(v)].widths[std::size_t(cell[v])] * grun * grun;
    const double aq = area / 4;
    double h = 0, ta = 0;
    switch (colour.type) {
    case BC_SIMPL:
        h = colour.hGlobal, ta = colour.temperature;
        break;
    case BC_FRE_S:
        h = colour.hGlobal; // the zone's air node carries the air temperature
        break;
    case BC_FREE:
        h = colour.hConvective;
        break;
    default: // BC_SKY, BC_NOSKY
        h = colour.hConvective, ta = colour.airTemperature;
        break;
    }
    const double big = h * aq;
    const double constant = big * ta + double(colour.flux) * aq;
    if (big == 0 && constant == 0)
        return;
    // The face's corners in cyclic order around it.
    std::int32_t corner[4];
    const int du[4] = {0, 1, 1, 0}, dv[4] = {0, 0, 1, 1};
    for (int q = 0; q < 4; ++q) {
        int p[3];
        p[axis] = cell[axis] + (d & 1);
        p[u] = cell[u] + du[q];
        p[v] = cell[v] + dv[q];
        corner[q] = GetNodeIndex(s.run, p[0], p[1], p[2]);
    }
    for (int q = 0; q < 4; ++q) {
        const std::int32_t c = corner[q];
        if (c < 0)
            continue;
        if (big != 0) {
            s.diag[c] += big / 2;
            for (const std::int32_t e : {corner[(q + 1) % 4], corner[(q + 3) % 4]}) {
                if (e <= -2)
                    s.b[c] -= big / 4 * s.Value(e);
                else if (e >= 0 && e < c)
                    s.Element(c, e) += big / 4;
            }
        }
        s.b[c] += constant;
    }
}

void AddToUnknown(const System& s, long long i, long long j, long long k, double value)
{
    const std::int32_t n = GetNodeIndex(s.run, i, j, k);
    if (n >= 0)
        s.b[n] += value;
}

// The zone terms go straight into the matrix and right-hand side.
class MatrixSink : public kernels::EquationSink {
  public:
    explicit MatrixSink(const System& s) : m_s(s) {}
    void AddDiagonal(int row, double v) override { m_s.diag[row] += v; }
    void SetDiagonal(int row, double v) override { m_s.diag[row] = v; }
    void AddLower(int row, int col, double v) override { m_s.Element(row, col) += v; }
    void SetLower(int row, int col, double v) override { m_s.Element(row, col) = v; }
    void AddRhs(int row, double v) override { m_s.b[row] += v; }

  private:
    const System& m_s;
};

System SystemOf(const ModelStore& m, RunState& run)
{
    kernels::SymmetricMatrix& k = *run.calc.matrix;
    return {m, run, k, k.Diagonal().data(), run.calc.rhs.data()};
}

} // namespace

kernels::RadiationLaw RadiationLawOf(const ModelStore& m, const RunState& run)
{
    return {m.calc.linearRadiation != 0 || !run.resultsLoaded, m.calc.hrBlack};
}

void AssembleCellConductances(const ModelStore& m, RunState& run, EngineHost& host)
{
    const System s = SystemOf(m, run);
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    long long visited = 0;
    for (int i = 0; i < n[0]; ++i)
        for (int j = 0; j < n[1]; ++j)
            for (int k = 0; k < n[2]; ++k) {
                if (++visited % 10000 == 0)
                    CheckEscAbort(host);
                const int colour = GetCellColour(run.cells, i, j, k);
                if (colour < 0)
                    continue;
                const ColourRecord& c = m.colours[std::size_t(colour)];
                if (Conducts(m, colour)) {
                    AddCellConductances(s, i, j, k, c.lambda);
                } else if (IsBoundaryType(c.type)) {
                    static constexpr int kStep[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0},
                                                        {0, 1, 0},  {0, 0, -1}, {0, 0, 1}};
                    for (int d = 0; d < 6; ++d)
                        if (Conducts(m, GetCellColour(run.cells, i + kStep[d][0], j + kStep[d][1], k + kStep[d][2])))
                            AddBoundaryFaceTerms(s, i, j, k, d, c);
                }
            }
}

void ApplyPowerAndFluxBcs(const ModelStore& m, RunState& run)
{
    const System s = SystemOf(m, run);
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    const double grun = m.gridUnit;
    const int flat = kernels::SelectThinAxis(n[0], n[1], n[2]);
    for (std::size_t r = 0; r < std::size_t(m.nodeBcs.count); ++r) {
        const NodeBcRecord& bc = m.nodeBcs[r];
        if (bc.type != NODE_POWER)
            continue;
        // Half the power to each of the two points of a line across a
        // single-cell axis; a point that is no unknown receives nothing.
        long long p[3] = {bc.i, bc.j, bc.k};
        for (int half = 0; half <= 1; ++half) {
            if (flat >= 0)
                p[flat] = half;
            AddToUnknown(s, p[0], p[1], p[2], bc.power / 2.0);
        }
    }
    for (std::size_t r = 0; r < std::size_t(m.borderBcs.count); ++r) {
        const BorderFaceBcRecord& bc = m.borderBcs[r];
        if (bc.type != BORDER_FLUX || bc.colour1 < 0 || bc.colour2 < 0)
            continue;
        kernels::ForEachColourPairFace(CellGridOf(run), bc.colour1, bc.colour2,
                                       [&](int axis, const std::array<int, 3>& cell) {
                                           const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
                                           const double share =
                                               double(bc.flux) * grun * grun *
                                               m.axes[std::size_t(u)].widths[std::size_t(cell[u])] *
                                               m.axes[std::size_t(v)].widths[std::size_t(cell[v])] / 4.0;
                                           for (int q = 0; q < 4; ++q) {
                                               long long p[3] = {cell[0], cell[1], cell[2]};
                                               ++p[axis];
                                               p[u] += q & 1;
                                               p[v] += q >> 1;
                                               AddToUnknown(s, p[0], p[1], p[2], share);
                                           }
                                       });
    }
    for (std::size_t r = 0; r < std::size_t(m.materialBcs.count); ++r) {
        const MaterialBcRecord& bc = m.materialBcs[r];
        if (bc.type != MATERIAL_POWER || bc.colour < 0 || bc.colour >= kColourCount ||
            !IsConductiveType(m.colours[std::size_t(bc.colour)].type))
            continue;
        for (int i = 0; i < n[0]; ++i)
            for (int j = 0; j < n[1]; ++j)
                for (int k = 0; k < n[2]; ++k) {
                    if (GetCellColour(run.cells, i, j, k) != bc.colour)
                        continue;
                    const double share = double(bc.power) * grun * grun * grun *
                                         m.axes[0].widths[std::size_t(i)] * m.axes[1].widths[std::size_t(j)] *
                                         m.axes[2].widths[std::size_t(k)] / 8.0;
                    for (int q = 0; q < 8; ++q)
                        AddToUnknown(s, i + (q & 1), j + ((q >> 1) & 1), k + ((q >> 2) & 1), share);
                }
    }
}

void AssembleZoneCouplings(const ModelStore& m, RunState& run, EngineHost& host)
{
    const System s = SystemOf(m, run);
    MatrixSink sink(s);
    const kernels::RadiationLaw law = RadiationLawOf(m, run);
    const kernels::NodeValue value = [&](int n, int) { return GetNodeValue(m, run, n); };
    const CalcArrays& c = run.calc;
    long long entries = 0;
    for (const CavityZone& zone : c.zones) {
        const bool solarFree = zone.type == BC_FRE_S;
        // Every face of an air zone exchanges with the air node by convection.
        if (zone.airNode >= 0) {
            const int air = static_cast<int>(zone.airNode);
            for (const ZoneFace& f : zone.faces) {
                if (++entries % (solarFree ? 5000 : 10000) == 0)
                    CheckEscAbort(host);
                if (f.airConductance == 0.0)
                    continue;
                const double g[2] = {f.airConductance, 0.0};
                kernels::AddFaceConvection(sink, air, f.corners, g, false, value);
            }
        }
        if (!solarFree && zone.fileZone >= 0 && zone.firstRadiationNode >= 0) {
            const FileZone& file = c.fileZones[std::size_t(zone.fileZone)];
            std::vector<kernels::RadiosityFace> faces;
            faces.reserve(zone.faces.size());
            for (const ZoneFace& f : zone.faces) {
                kernels::RadiosityFace r;
                r.row = static_cast<int>(RadiationNodeUnknown(run, zone, f));
                r.corners = f.corners;
                r.area = f.area;
                r.emissivity[0] = kernels::FaceEmissivity(m.colours[f.solidColour].epsilon,
                                                          f.solidColour == f.cavityColour);
                faces.push_back(r);
            }
            std::vector<kernels::RadiosityNode> nodes(std::size_t(file.nodeCount));
            for (int i = 0; i < file.nodeCount; ++i) {
                const RadiationNode& r = c.radiationNodes[std::size_t(file.firstNode + i)];
                kernels::RadiosityNode& n = nodes[std::size_t(i)];
                n.row = static_cast<int>(zone.firstRadiationNode + i);
                n.area = r.area;
                n.unseen = r.remainder;
                n.skyTemperature[0] = m.colours[r.cavityColour].radiantTemperature;
            }
            kernels::ZoneRadiationInput in;
            in.faces = faces;
            in.nodes = nodes;
            in.factors = file.factors;
            in.law = law;
            in.extraRow = static_cast<int>(zone.closureNode);
            in.remainder = zone.type == BC_SKY ? kernels::RemainderSink::Sky
                           : zone.closureNode >= 0 ? kernels::RemainderSink::ExtraNode
                                                   : kernels::RemainderSink::None;
            kernels::AssembleZoneRadiation(in, value, sink);
        } else if (zone.closureNode >= 0) {
            // A closure node without radiation nodes couples to nothing.
            s.diag[zone.closureNode] = 1.0;
        }
        if (zone.airNode >= 0) {
            s.diag[zone.airNode] = zone.airDiagonal;
            s.b[zone.airNode] += zone.airHeatInput;
        }
        CheckEscAbort(host);
    }
}

void AssembleCoefficients(const ModelStore& m, RunState& run, EngineHost& host)
{
    CalcArrays& c = run.calc;
    kernels::ClearSystemValues(*c.matrix, c.rhs, {c.work.r, c.work.z, c.work.p}, [&host] {
        CheckEscAbort(host);
        return false;
    });
    AssembleCellConductances(m, run, host);
    ApplyPowerAndFluxBcs(m, run);
    AssembleZoneCouplings(m, run, host);
    c.matrix->FixZeroDiagonals();
}

} // namespace novelk

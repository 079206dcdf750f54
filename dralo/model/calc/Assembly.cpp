// Node conditions, matrix structure, assembly and factor over the shared
// sparse kernels.
#include "dralo/model/calc/Assembly.h"

#include "dralo/model/lines/BorderlineBcs.h"
#include "dralo/model/store/EngineHost.h"

#include <cmath>

namespace dralo {

namespace {

constexpr double kPi = 3.14159;

std::size_t U(std::int64_t i)
{
    return static_cast<std::size_t>(i);
}

} // namespace

kernels::EscCheck EscOf(EngineHost& host)
{
    return [&host] {
        CheckEscAbort(host);
        return false;
    };
}

double SegmentLength(const MeshVertex& a, const MeshVertex& b)
{
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    if (dx == 0 || dy == 0)
        return std::abs(dx + dy);
    const double square = dx * dx + dy * dy;
    return square < 1e-6 ? 0.0 : std::sqrt(square);
}

CornerGeometry TriangleCorners(const Mesh& mesh, const MeshTriangle& t)
{
    CornerGeometry g{};
    for (int k = 0; k < 3; ++k) {
        const MeshVertex& a = mesh.points[U(t.v[k])];
        const MeshVertex& b = mesh.points[U(t.v[(k + 1) % 3])];
        const MeshVertex& c = mesh.points[U(t.v[(k + 2) % 3])];
        const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
        const double fx = double(c.x) - a.x, fy = double(c.y) - a.y;
        const double cross = dx * fy - dy * fx;
        g.cot[k] = cross != 0 ? (dx * fx + dy * fy) / cross : 0.0;
    }
    for (int k = 0; k < 2; ++k) {
        const double cot = g.cot[k];
        double angle;
        if (std::abs(cot) < 1e-6) {
            angle = 1.570795;
        } else {
            angle = std::atan2(1.0 / cot, 1.0);
            if (angle < 0)
                angle += kPi;
        }
        g.angle[k] = static_cast<float>(angle);
    }
    g.angle[2] = static_cast<float>(kPi - g.angle[0] - g.angle[1]);
    return g;
}

void ApplyBorderlineBcs(BitmapModel& m, RunState& run, EngineHost& host)
{
    AllocNodeArrays(run);
    ValidateBorderlineBcs(m);
    const Mesh& mesh = run.mesh;
    EscPoll poll(host, 1000);
    for (int k = 0; k < m.nbor; ++k) {
        const BorderlineBcRecord& r = m.borderlineBcs[static_cast<std::size_t>(k)];
        if (!r.valid)
            continue;
        auto apply = [&](std::int32_t a, std::int32_t b) {
            if (r.bory == kBorderlineTemp) {
                for (std::int32_t n : {a, b}) {
                    run.nodeKind[U(n)] = kNodeFixed;
                    run.fixedTemperature[U(n)] = r.bort;
                }
                return;
            }
            const double half = SegmentLength(mesh.points[U(a)], mesh.points[U(b)]) / 16.0 * m.pixs / 2.0;
            for (std::int32_t n : {a, b}) {
                run.nodeKind[U(n)] = kNodeHeatInput;
                run.heatInput[U(n)] += static_cast<float>(r.borq * half);
            }
        };
        for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
            poll.Step();
            const MeshTriangle& tri = mesh.triangles[t];
            if (tri.colour != r.bor1)
                continue;
            for (int j = 0; j < 3; ++j) {
                const std::int32_t nb = mesh.neighbours[t][U(j)];
                if (nb >= 0 && mesh.triangles[U(nb)].colour == r.bor2)
                    apply(tri.v[j], tri.v[(j + 1) % 3]);
            }
        }
        for (const BorderEdge& b : mesh.borders) {
            poll.Step();
            const bool pair = (b.material == r.bor1 && b.boundary == r.bor2) || (b.material == r.bor2 && b.boundary == r.bor1);
            if (!pair)
                continue;
            if (r.bory == kBorderlineFlux && m.colours[b.boundary].type == TRANSMAT)
                continue;
            apply(b.start, b.end);
        }
    }
}

void BuildMatrixStructure(RunState& run, EngineHost& host)
{
    const Mesh& mesh = run.mesh;
    EscPoll poll(host, 5000);
    run.matrix.reset();
    run.pattern = std::make_unique<kernels::SymmetricPattern>(kernels::BuildSymmetricPattern(
        run.equations, static_cast<kernels::Index>(mesh.points.size()),
        [&](auto&& link) {
            for (const MeshTriangle& t : mesh.triangles) {
                poll.Step();
                link(t.v[0], t.v[1]);
                link(t.v[0], t.v[2]);
                link(t.v[1], t.v[2]);
            }
            for (const BorderEdge& b : mesh.borders) {
                poll.Step();
                link(b.start, b.end);
            }
            LinkRadiationNodes(run.radiation, [&](std::int32_t i, std::int32_t j) { link(i, j); });
        },
        EscOf(host)));
    run.matrix = std::make_unique<kernels::SymmetricMatrix>(*run.pattern);
    run.rhs.assign(U(run.equations), 0.0);
}

void AssembleCoefficients(const BitmapModel& m, RunState& run, EngineHost& host)
{
    kernels::SymmetricMatrix& a = *run.matrix;
    const Mesh& mesh = run.mesh;
    kernels::ClearSystemValues(a, run.rhs, {run.work.r, run.work.z, run.work.p}, EscOf(host));
    std::vector<double>& diag = a.Diagonal();
    std::vector<double>& b = run.rhs;
    auto fixed = [&](std::int32_t n) { return run.nodeKind[U(n)] == kNodeFixed; };

    EscPoll poll(host, 1000);
    for (const MeshTriangle& t : mesh.triangles) {
        poll.Step();
        const CornerGeometry g = TriangleCorners(mesh, t);
        const double lambda = m.colours[t.colour].lamb;
        for (int i = 0; i < 3; ++i) {
            const std::int32_t n = t.v[i];
            if (fixed(n)) {
                diag[U(n)] = 1.0;
                b[U(n)] = run.fixedTemperature[U(n)];
                continue;
            }
            // The side to each neighbour couples by λ·cot(opposite corner)/2.
            const std::int32_t nb[2] = {t.v[(i + 1) % 3], t.v[(i + 2) % 3]};
            const double w[2] = {lambda * g.cot[(i + 2) % 3] / 2.0, lambda * g.cot[(i + 1) % 3] / 2.0};
            diag[U(n)] += w[0] + w[1];
            for (int j = 0; j < 2; ++j) {
                if (fixed(nb[j]))
                    b[U(n)] += w[j] * run.fixedTemperature[U(nb[j])];
                else if (nb[j] < n)
                    a.Element(n, nb[j]) -= w[j];
            }
        }
    }
    for (const BorderEdge& e : mesh.borders) {
        poll.Step();
        const ColourRecord& c = m.colours[e.boundary];
        double h = 0, environment = 0;
        switch (c.type) {
        case TRANSMAT:
            continue;
        case BC_SIMPL:
            h = c.hglo;
            environment = c.temp;
            break;
        case BC_FRE_S:
            h = c.hglo;
            break;
        case BC_FREE:
            h = c.hcon;
            break;
        default:
            h = c.hcon;
            environment = c.tair;
            break;
        }
        const double half = SegmentLength(mesh.points[U(e.start)], mesh.points[U(e.end)]) * m.pixs / 32.0;
        const double g = h * half;
        const double source = half * c.flux + environment * g;
        if (g == 0 && source == 0)
            continue;
        const std::int32_t ends[2] = {e.start, e.end};
        for (int k = 0; k < 2; ++k) {
            const std::int32_t n = ends[k], other = ends[1 - k];
            if (fixed(n))
                continue;
            diag[U(n)] += 0.75 * g;
            if (fixed(other))
                b[U(n)] -= 0.25 * g * run.fixedTemperature[U(other)];
            else if (other < n)
                a.Element(n, other) += 0.25 * g;
            b[U(n)] += source;
        }
    }
    for (kernels::Index n = 0; n < run.equations; ++n)
        if (run.nodeKind[U(n)] == kNodeHeatInput)
            b[U(n)] += run.heatInput[U(n)];
    AssembleRadiation(run.radiation, run.nodeKind, run.fixedTemperature, a, b);
    a.FixZeroDiagonals();
}

void FactorIncompleteCholesky(RunState& run, EngineHost& host)
{
    run.factor.Factorise(*run.matrix, EscOf(host));
}

} // namespace dralo

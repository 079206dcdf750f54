// Flow directions, the flow function, boundary flows and flux densities.
//
// The flow function: within a triangle the heat flux is constant, so the
// flow function is linear there; known up to a constant per triangle from
// its corner flows, its values are tied together around each mesh point
// (the fan of triangles at the point, an angle-weighted mean of the point's
// value as each triangle sees it) and then across the whole mesh by a walk
// over the triangles' neighbours.
#include "dralo/model/calc/HeatFlows.h"

#include "common/kernels/HeatBalance.h"
#include "common/kernels/ResultFiles.h"
#include "dralo/model/calc/Assembly.h"
#include "dralo/model/calc/Solver.h"
#include "dralo/model/mesh/MeshPoints.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <algorithm>
#include <cmath>

namespace dralo {

namespace {

std::size_t U(std::int64_t i)
{
    return static_cast<std::size_t>(i);
}

int IndexOf(const MeshTriangle& t, std::int32_t p)
{
    return t.v[0] == p ? 0 : t.v[1] == p ? 1 : 2;
}

bool IsAdiabaticSimple(const ColourRecord& c)
{
    return c.type == BC_SIMPL && c.hglo == 0.0f && c.flux == 0.0f;
}

} // namespace

void ComputeColourFlowDirections(BitmapModel& m, const RunState& run, EngineHost& host)
{
    auto concerned = [&](int n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        return c.present && ((c.type == EQUIMAT && c.rule > 0) || (c.type == TRANSMAT && c.rule == 1) ||
                             (c.type == BC_FREE && c.rule == CEN_DIR_I_FREE));
    };
    double gx[kColourCount] = {}, gy[kColourCount] = {};
    const Mesh& mesh = run.mesh;
    const std::vector<double>& temp = run.temperature;
    EscPoll poll(host, 3000);
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        poll.Step();
        const MeshTriangle& tri = mesh.triangles[t];
        if (!concerned(tri.colour))
            continue;
        for (int k = 0; k < 3; ++k) {
            const std::int32_t nb = mesh.neighbours[t][U(k)];
            if (nb >= 0 && mesh.triangles[U(nb)].colour == tri.colour)
                continue;
            const std::int32_t b = tri.v[k], d = tri.v[(k + 1) % 3];
            const double s = temp[U(d)] + temp[U(b)];
            gx[tri.colour] += s * (double(mesh.points[U(d)].y) - mesh.points[U(b)].y);
            gy[tri.colour] += s * (double(mesh.points[U(b)].x) - mesh.points[U(d)].x);
        }
    }
    for (const BorderEdge& e : mesh.borders) {
        const ColourRecord& c = m.colours[e.boundary];
        if (!(c.type == BC_FREE && c.rule == CEN_DIR_I_FREE) || !c.present)
            continue;
        const double s = temp[U(e.start)] + temp[U(e.end)];
        gx[e.boundary] += s * (double(mesh.points[U(e.start)].y) - mesh.points[U(e.end)].y);
        gy[e.boundary] += s * (double(mesh.points[U(e.end)].x) - mesh.points[U(e.start)].x);
    }
    for (int n = 0; n < kColourCount; ++n) {
        if (!concerned(n))
            continue;
        ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        double x = gx[n], y = gy[n];
        if (c.type == EQUIMAT && c.rule >= 1 && c.rule <= 4) {
            x = std::abs(x);
            y = std::abs(y);
            c.flowAxis = x >= y ? 1 : 2;
        } else {
            const double length = std::hypot(x, y);
            if (length > 0) {
                x /= length;
                y /= length;
            } else {
                x = 1;
                y = 0;
            }
        }
        c.flowX = static_cast<float>(x);
        c.flowY = static_cast<float>(y);
    }
}

std::vector<std::array<double, 3>> ComputeFlowFunction(const BitmapModel& m, const RunState& run, EngineHost& host)
{
    const Mesh& mesh = run.mesh;
    const std::size_t n = mesh.triangles.size();
    std::vector<std::array<double, 3>> value(n, {0.0, 0.0, 0.0});
    std::vector<std::uint8_t> excluded(n, 0);
    std::size_t included = 0;
    for (std::size_t t = 0; t < n; ++t) {
        const MeshTriangle& tri = mesh.triangles[t];
        bool out = m.colours[tri.colour].type == TRANSMAT;
        for (std::int32_t v : tri.v)
            out = out || run.nodeKind[U(v)] != kNodeFree;
        excluded[t] = out;
        included += !out;
    }
    if (included == 0)
        return value;

    // Corner flows, and the relative value at each corner (the flow
    // function at the middle of the side that starts there).
    std::vector<std::array<double, 3>> flow(n), relative(n);
    std::vector<std::array<float, 3>> angle(n);
    EscPoll poll(host, 3000);
    for (std::size_t t = 0; t < n; ++t) {
        poll.Step();
        if (excluded[t])
            continue;
        const MeshTriangle& tri = mesh.triangles[t];
        const CornerGeometry g = TriangleCorners(mesh, tri);
        const double half = m.colours[tri.colour].lamb / 2.0;
        const double t0 = run.temperature[U(tri.v[0])], t1 = run.temperature[U(tri.v[1])],
                     t2 = run.temperature[U(tri.v[2])];
        const double f0 = half * (g.cot[2] * (t0 - t1) + g.cot[1] * (t0 - t2));
        const double f1 = half * (g.cot[2] * (t1 - t0) + g.cot[0] * (t1 - t2));
        flow[t] = {f0, f1, -(f0 + f1)};
        relative[t] = {-f0, -(f0 + f1), 0.0};
        for (int k = 0; k < 3; ++k)
            angle[t][U(k)] = g.angle[k];
    }

    // The fans around each point.
    std::vector<std::int32_t> doneFor(n, -1);
    std::vector<std::int32_t> fan;
    EscPoll pointPoll(host, 500);
    for (std::size_t p = 0; p < mesh.points.size(); ++p) {
        pointPoll.Step();
        const std::int32_t point = static_cast<std::int32_t>(p);
        const std::int32_t first = mesh.pointTriangleStart[p], last = mesh.pointTriangleStart[p + 1];
        const std::size_t degree = U(last - first);
        auto open = [&](std::int32_t t) { return t < 0 || excluded[U(t)]; };
        auto backward = [&](std::int32_t t) {
            const MeshTriangle& tri = mesh.triangles[U(t)];
            return mesh.neighbours[U(t)][U((IndexOf(tri, point) + 2) % 3)];
        };
        auto forward = [&](std::int32_t t) {
            const MeshTriangle& tri = mesh.triangles[U(t)];
            return mesh.neighbours[U(t)][U(IndexOf(tri, point))];
        };
        for (std::int32_t i = first; i < last; ++i) {
            const std::int32_t t0 = mesh.pointTriangles[U(i)];
            if (excluded[U(t0)] || doneFor[U(t0)] == point)
                continue;
            // The fan starts where walking backward meets its end, or with
            // t0 when the walk comes round.
            std::int32_t start = t0;
            for (std::size_t steps = 0; steps < degree; ++steps) {
                const std::int32_t b = backward(start);
                if (open(b) || b == t0)
                    break;
                start = b;
            }
            fan.clear();
            for (std::int32_t t = start; !open(t) && fan.size() < degree;) {
                fan.push_back(t);
                t = forward(t);
                if (t == start)
                    break;
            }
            // Running sum of the flows leaving the point, the mean value at
            // the point, and each triangle's value there in its own terms.
            double sum = 0, weighted = 0, weights = 0;
            for (std::int32_t t : fan) {
                const int k = IndexOf(mesh.triangles[U(t)], point);
                const double a = angle[U(t)][U(k)];
                weighted += a * (sum + flow[U(t)][U((k + 1) % 3)]);
                weights += a;
                sum -= flow[U(t)][U(k)];
            }
            const double mean = weights != 0 ? weighted / weights : 0.0;
            sum = 0;
            for (std::int32_t t : fan) {
                const int k = IndexOf(mesh.triangles[U(t)], point);
                value[U(t)][U(k)] = static_cast<float>(mean - sum + relative[U(t)][U((k + 2) % 3)]);
                doneFor[U(t)] = point;
                sum -= flow[U(t)][U(k)];
            }
        }
    }

    // One level across the mesh: each triangle reached is shifted to agree
    // with the one it was reached from at their common corner.
    std::vector<std::uint8_t> visited(n, 0);
    std::vector<std::int32_t> stack;
    EscPoll walkPoll(host, 1000);
    for (std::size_t s = 0; s < n; ++s) {
        if (visited[s] || excluded[s])
            continue;
        visited[s] = 1;
        stack.push_back(static_cast<std::int32_t>(s));
        while (!stack.empty()) {
            walkPoll.Step();
            const std::int32_t t = stack.back();
            stack.pop_back();
            const MeshTriangle& tri = mesh.triangles[U(t)];
            for (int k = 0; k < 3; ++k) {
                const std::int32_t nb = mesh.neighbours[U(t)][U(k)];
                if (nb < 0 || excluded[U(nb)] || visited[U(nb)])
                    continue;
                const std::int32_t corner = tri.v[k];
                const double shift = value[U(t)][U(k)] - value[U(nb)][U(IndexOf(mesh.triangles[U(nb)], corner))];
                for (double& v : value[U(nb)])
                    v += shift;
                visited[U(nb)] = 1;
                stack.push_back(nb);
            }
        }
    }
    return value;
}

void ComputeBoundaryFlows(BitmapModel& m, RunState& run, EngineHost& host)
{
    for (ColourRecord& c : m.colours)
        if (c.present && c.type != MATERIAL && c.type != EQUIMAT)
            c.heatFlowIn = c.heatFlowOut = 0.0f;
    const Mesh& mesh = run.mesh;
    // One value per equation: the radiation nodes follow the mesh points.
    std::vector<double> exchange(static_cast<std::size_t>(run.equations), 0.0);
    kernels::ComputeHeatBalance(*run.matrix, run.rhs.data(), run.temperature.data(), exchange.data(), BalanceRule(),
                                EscOf(host), &run.work.team);
    std::vector<std::uint8_t> counted(mesh.points.size(), 0);
    double in[kColourCount] = {}, out[kColourCount] = {};
    for (const BorderEdge& e : mesh.borders) {
        if (IsAdiabaticSimple(m.colours[e.boundary]))
            continue;
        for (std::int32_t n : {e.start, e.end}) {
            if (counted[U(n)])
                continue;
            counted[U(n)] = 1;
            const double f = exchange[U(n)];
            (f > 0 ? in : out)[e.boundary] += std::abs(f);
        }
    }
    for (int n = 0; n < kColourCount; ++n) {
        ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (c.present && c.type != MATERIAL && c.type != EQUIMAT) {
            c.heatFlowIn = static_cast<float>(in[n]);
            c.heatFlowOut = static_cast<float>(out[n]);
        }
    }
}

std::vector<double> ComputeFluxDensities(const BitmapModel& m, const RunState& run, EngineHost& host)
{
    const Mesh& mesh = run.mesh;
    std::vector<double> q(mesh.points.size(), 0.0);
    const double metres = m.pixs / 16.0;
    auto length = [&](double ax, double ay, double bx, double by) {
        const double dx = bx - ax, dy = by - ay;
        if (dx == 0 || dy == 0)
            return std::abs(dx + dy) * metres;
        const double square = dx * dx + dy * dy;
        return square < 1e-6 ? 0.0 : std::sqrt(square) * metres;
    };
    EscPoll poll(host, 3000);
    for (const MeshTriangle& t : mesh.triangles) {
        poll.Step();
        const double lambda = m.colours[t.colour].lamb;
        for (int k = 0; k < 3; ++k) {
            const std::int32_t a = t.v[k], b = t.v[(k + 1) % 3], c = t.v[(k + 2) % 3];
            const MeshVertex& pa = mesh.points[U(a)];
            const MeshVertex& pb = mesh.points[U(b)];
            const MeshVertex& pc = mesh.points[U(c)];
            const double ta = run.temperature[U(a)], tb = run.temperature[U(b)], tc = run.temperature[U(c)];
            const double side = length(pa.x, pa.y, pb.x, pb.y);
            if (side > 0) {
                const double e = lambda * std::abs(ta - tb) / side;
                q[U(a)] = std::max(q[U(a)], e);
                q[U(b)] = std::max(q[U(b)], e);
            }
            const double median = length(pa.x, pa.y, (double(pb.x) + pc.x) / 2.0, (double(pb.y) + pc.y) / 2.0);
            if (median > 0)
                q[U(a)] = std::max(q[U(a)], lambda * std::abs(ta - (tb + tc) / 2.0) / median);
        }
    }
    return q;
}

void WriteFlowFile(BitmapModel& m, RunState& run, EngineHost& host)
{
    const std::vector<std::array<double, 3>> value = ComputeFlowFunction(m, run, host);
    ComputeBoundaryFlows(m, run, host);
    const std::string path = TempFilePath(run.workFolder, kFlowFileName);
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    const Mesh& mesh = run.mesh;
    w.Line("D " + std::to_string(mesh.points.size()) + " " + std::to_string(mesh.triangles.size()) + " " +
           std::to_string(mesh.borders.size()) + " " + std::to_string(mesh.zoneEdges.size()));
    std::string line;
    for (const std::array<double, 3>& v : value) {
        line.assign(1, 'T');
        for (double x : v) {
            line += ' ';
            line += kernels::FormatShortG(static_cast<float>(x));
        }
        w.Line(line);
    }
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (c.present && c.type != MATERIAL && c.type != EQUIMAT)
            w.Line("B " + std::to_string(n) + " " + kernels::FormatShortG(c.heatFlowIn) + " " +
                   kernels::FormatShortG(c.heatFlowOut));
    }
    if (!w.Close())
        throw EngineError::FileOpen(path);
}

void WriteFluxFile(const BitmapModel& m, const RunState& run, EngineHost& host)
{
    const std::vector<double> q = ComputeFluxDensities(m, run, host);
    const std::string path = TempFilePath(run.workFolder, kFluxFileName);
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    w.Line("D " + std::to_string(q.size()));
    std::string line;
    for (double v : q) {
        line.assign(1, 'N');
        line += ' ';
        line += kernels::FormatShortG(v);
        w.Line(line);
    }
    if (!w.Close())
        throw EngineError::FileOpen(path);
}

CavityBoundaryNodes MeshCavityNodes(const RunState& run)
{
    return [&run](int colour, std::vector<MeshPoint>& nodes) {
        const Mesh& mesh = run.mesh;
        for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
            const MeshTriangle& tri = mesh.triangles[t];
            if (tri.colour != colour)
                continue;
            for (int k = 0; k < 3; ++k) {
                const std::int32_t nb = mesh.neighbours[t][U(k)];
                if (nb >= 0 && mesh.triangles[U(nb)].colour == colour)
                    continue;
                for (std::int32_t v : {tri.v[k], tri.v[(k + 1) % 3]})
                    nodes.push_back({mesh.points[U(v)].x, mesh.points[U(v)].y});
            }
        }
        for (const BorderEdge& e : mesh.borders)
            if (e.boundary == colour)
                for (std::int32_t v : {e.start, e.end})
                    nodes.push_back({mesh.points[U(v)].x, mesh.points[U(v)].y});
    };
}

} // namespace dralo

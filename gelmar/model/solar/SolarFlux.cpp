// Solar fluxes of a time step and the node sources (see SolarFlux.h).
#include "gelmar/model/solar/SolarFlux.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/solar/SolarExchange.h"
#include "gelmar/model/solar/SolarFiles.h"
#include "gelmar/model/solar/SunPosition.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace gelmar {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSolarConstant = 1353.0; // W/m2

// The diffuse sky models' shape term of a face tilted by beta (radians).
double TiltTerm(double beta)
{
    const double s = std::sin(beta / 2);
    return std::sin(beta) - beta * std::cos(beta) - kPi * s * s;
}

double IsotropicShare(double beta, double b)
{
    const double c = std::cos(beta / 2);
    return c * c + 2 * b / (kPi * (3 + 2 * b)) * TiltTerm(beta);
}

SolarNodeSource* FindSource(RunState& run, std::int32_t node)
{
    std::vector<SolarNodeSource>& s = run.solar.sources;
    auto it = std::lower_bound(s.begin(), s.end(), node,
                               [](const SolarNodeSource& e, std::int32_t n) { return e.node < n; });
    return it != s.end() && it->node == node ? &*it : nullptr;
}

void AddNodePower(RunState& run, std::int32_t node, double power)
{
    if (SolarNodeSource* s = FindSource(run, node))
        s->power += static_cast<float>(power);
}

// The grid point p moved to index `line` on the axis.
std::int32_t NodeOnAxis(RunState& run, const int (&p)[3], int axis, int line)
{
    int q[3] = {p[0], p[1], p[2]};
    q[axis] = line;
    return run.solar.grid.NodeIndex(q[0], q[1], q[2]);
}

} // namespace

bool IsTransparentOrEquivalent(ModelStore& model, int colour)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const ColourRecord& c = model.colours[colour];
    return c.type == EQUIMAT || (c.type == MATERIAL && c.solarTransmission > 0.0f);
}

float SolarReflectionAt(ModelStore& model, RunState& run, int colour, float angle)
{
    if (run.solar.reflectsAll[colour])
        return 1.0f;
    const ColourRecord& c = model.colours[colour];
    if (c.reflectionFunc.IsNone() || !run.solar.hooks.reflectionAt)
        return c.solarReflection;
    return run.solar.hooks.reflectionAt(colour, angle);
}

void SetDiffuseReflection(ModelStore& model, RunState& run)
{
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = model.colours[n];
        run.solar.reflectsAll[n] = c.type == TRANSMAT;
        run.solar.transmission[n] = c.type == TRANSMAT ? 0.0f : c.solarTransmission;
        run.solar.diffuseReflection[n] = c.type == TRANSMAT ? 1.0f : 0.0f;
        if (!c.inUse || (c.type != MATERIAL && c.type != EQUIMAT))
            continue;
        if (c.reflectionFunc.IsNone() || !run.solar.hooks.reflectionAt) {
            run.solar.diffuseReflection[n] = c.solarReflection;
            continue;
        }
        double sum = 0;
        for (int s = 0; s < 10; ++s)
            sum += run.solar.hooks.reflectionAt(n, static_cast<float>(std::asin(0.05 + 0.1 * s) * kRadToDeg));
        run.solar.diffuseReflection[n] = static_cast<float>(sum / 10);
    }
}

float BeamNormalIrradiance(float beam, float altitude, int day)
{
    const double sinH = std::sin(altitude * kDegToRad);
    if (beam <= 0 || sinH <= 0)
        return 0.0f;
    const double extraterrestrial = kSolarConstant * (1 + 0.033 * std::cos(0.017203 * day));
    return static_cast<float>(std::min(beam / sinH, extraterrestrial));
}

FaceIrradiance ComputeFaceIrradiance(ModelStore& model, RunState& run, EngineHost& host, SurfaceGroup& group, const FaceDirection& face, float global,
                                     float diffuse, int day)
{
    FaceIrradiance e;
    const double D = std::max(diffuse, 0.0f);
    const double B = std::max(global - static_cast<float>(D), 0.0f);
    const double Dsky = group.skyView * D;
    const double beta = face.tilt * kDegToRad;
    const double sinH = std::sin(run.sun.altitude * kDegToRad);
    const float beamNormal = BeamNormalIrradiance(static_cast<float>(B), run.sun.altitude, day);

    e.cosIncidence = ComputeIncidence(run, face);
    group.shading = 0;
    if (B > 0 && run.sun.visible && IsSunVisible(model, run) &&
        !IsRayBlocked(model, run, host, GridLineCoordinate(model, 0, group.i), GridLineCoordinate(model, 1, group.j),
                      GridLineCoordinate(model, 2, group.k))) {
        e.direct = beamNormal * e.cosIncidence;
        group.shading = 1;
    }
    if (run.sun.visible && B >= 5) {
        const double reference = (1 + 0.033 * sinH * std::cos(0.017203 * day)) * kSolarConstant;
        // The share of the beam in the sky's diffuse light; data that claim
        // more beam than the sun can give are held at 1.
        const double a = std::min(B / reference, 1.0);
        const double k =
            TiltTerm(beta) * (0.00263 - 0.712 * a - 0.6883 * a * a) + std::cos(beta / 2) * std::cos(beta / 2);
        // a * cos(theta) / sin(h), written with the bounded beam normal.
        const double circumsolar = beamNormal / reference * e.cosIncidence;
        e.diffuse = static_cast<float>(Dsky * (k * (1 - a) + circumsolar));
    } else {
        e.diffuse = static_cast<float>(Dsky * IsotropicShare(beta, run.sun.visible ? 1.68 : 5.73));
    }
    const double s = std::sin(beta / 2);
    e.ground = static_cast<float>(s * s * (B + Dsky) * model.groundReflection);
    return e;
}

void ComputeSolarFluxesForStep(ModelStore& model, RunState& run, EngineHost& host, long long t, long long stepCounter)
{
    run.solar.sourcesLeftOut = false;
    const bool saveStep = IsSaveStep(model, t);
    if (saveStep)
        RemoveSolarFluxFile(model, t);
    if (!run.solar.solar || run.solar.sources.empty())
        return;
    for (SunlitNodeRecord& r : run.solar.records)
        r.flux = 0;
    for (SolarNodeSource& s : run.solar.sources) {
        s.previous = stepCounter == 0 ? 0.0f : s.power;
        s.power = 0;
    }
    UpdateSunPosition(model, run, t);
    if (run.sun.altitude <= 0)
        return;
    const auto evaluate = [&](int function) {
        return run.solar.hooks.evaluate && function >= 0
                   ? run.solar.hooks.evaluate(function, static_cast<double>(t))
                   : 0.0f;
    };
    const float G = evaluate(run.solar.globalFunction);
    const float D = evaluate(run.solar.diffuseFunction);
    const int day = RunDay(model, t);
    std::fill(std::begin(run.solar.directIrradiance), std::end(run.solar.directIrradiance), 0.0f);
    if (G > D) {
        const float beamNormal = BeamNormalIrradiance(G - D, run.sun.altitude, day);
        for (int o = 0; o < 6; ++o) {
            const float c = ComputeIncidence(run, SetFaceDirection(run, o));
            if (run.sun.visible && IsSunVisible(model, run))
                run.solar.directIrradiance[o] = beamNormal * c;
        }
    }

    for (ZoneFacePower& p : run.solar.zoneFaces)
        p.pending = p.direct = p.diffuse = p.reflected = p.exchanged = 0;
    for (TransmissionNode& tn : run.solar.transmissionNodes)
        tn.pending = 0;

    std::vector<SurfaceGroup>& groups = run.solar.groups;
    float reflected = 0; // W/m2 that the last computed group reflects
    for (std::size_t n = 0; n < groups.size(); ++n) {
        if ((n + 1) % 1000 == 0)
            CheckEscAbort(host);
        SurfaceGroup& g = groups[n];
        if (n > 0 && groups[n - 1].node == g.node && groups[n - 1].orientation == g.orientation &&
            groups[n - 1].colour == g.colour) {
            g.absorbedDirect = groups[n - 1].absorbedDirect;
            g.absorbedDiffuse = groups[n - 1].absorbedDiffuse;
            g.shading = groups[n - 1].shading;
            // A copied group reflects as much as the one it copies, into its
            // own zone face.
            if (g.link >= 0)
                run.solar.zoneFaces[static_cast<std::size_t>(g.link)].reflected += reflected * g.area;
            continue;
        }
        const FaceIrradiance e = ComputeFaceIrradiance(model, run, host, g, SetFaceDirection(run, g.orientation), G, D, day);
        float rho = 0;
        if (e.direct != 0) {
            const float angle =
                static_cast<float>(std::acos(std::clamp(e.cosIncidence, -1.0f, 1.0f)) * kRadToDeg);
            rho = SolarReflectionAt(model, run, g.colour, angle);
        }
        g.absorbedDirect = (1 - rho) * e.direct;
        g.absorbedDiffuse = (e.diffuse + e.ground) * (1 - run.solar.diffuseReflection[g.colour]);
        reflected = rho * e.direct + run.solar.diffuseReflection[g.colour] * (e.diffuse + e.ground);
        if (g.link >= 0)
            run.solar.zoneFaces[static_cast<std::size_t>(g.link)].reflected += reflected * g.area;
    }
    AccumulateGroupFluxes(run, host);
    DistributeSolarPower(model, run, host);
    SolveZoneExchange(run, host);
    SolarNodeSources(model, run, host);
    if (saveStep)
        WriteSolarFluxFile(model, run, t);
}

void AccumulateGroupFluxes(RunState& run, EngineHost& host)
{
    std::vector<SunlitNodeRecord>& records = run.solar.records;
    auto keyOf = [](const auto& x) { return std::tuple(x.node, x.orientation, x.corner); };
    long counter = 0;
    for (const SurfaceGroup& g : run.solar.groups) {
        if (g.absorbedDirect == 0 && g.absorbedDiffuse == 0)
            continue;
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        auto r = std::partition_point(records.begin(), records.end(),
                                      [&](const SunlitNodeRecord& x) { return keyOf(x) < keyOf(g); });
        if (r != records.end() && keyOf(*r) == keyOf(g))
            r->flux += (1 - run.solar.transmission[r->colour]) * (g.absorbedDirect + g.absorbedDiffuse);
    }
}

std::array<int, 3> FindTransparentEnd(ModelStore& model, RunState& run, int i, int j, int k, int orientation, int corner)
{
    int cell[3] = {i, j, k};
    for (int a = 0; a < 3; ++a) {
        if (!(corner >> a & 1))
            --cell[a];
    }
    const int axis = orientation / 2;
    const int step = orientation % 2 == 0 ? 1 : -1;
    for (;;) {
        cell[axis] += step;
        if (cell[axis] < 0 || cell[axis] >= model.axes[axis].n)
            break;
        if (!IsTransparentOrEquivalent(model, run.solar.grid.CellColour(cell[0], cell[1], cell[2])))
            break;
    }
    std::array<int, 3> end = {cell[0], cell[1], cell[2]};
    for (int a = 0; a < 3; ++a) {
        if (!(corner >> a & 1))
            ++end[a];
    }
    return end;
}

void SolarNodeSources(ModelStore& model, RunState& run, EngineHost& host)
{
    long counter = 0;
    for (const SunlitNodeRecord& r : run.solar.records) {
        if (r.flux == 0)
            continue;
        if (++counter % 10000 == 0)
            CheckEscAbort(host);
        const double power = static_cast<double>(r.area) * r.flux;
        if (!IsTransparentOrEquivalent(model, r.colour)) {
            AddNodePower(run, r.node, power);
            continue;
        }
        const int axis = r.orientation / 2;
        const int p[3] = {r.i, r.j, r.k};
        const std::array<int, 3> far = FindTransparentEnd(model, run, r.i, r.j, r.k, r.orientation, r.corner);
        const int lo = std::min(p[axis], far[axis]), hi = std::max(p[axis], far[axis]);
        const double depth = GridLineCoordinate(model, axis, hi) - GridLineCoordinate(model, axis, lo);
        if (!(depth > 0)) {
            AddNodePower(run, r.node, power);
            continue;
        }
        for (int line = lo; line < hi; ++line) {
            const double share =
                model.axes[axis].widths[static_cast<std::size_t>(line)] * power / (2 * depth);
            AddNodePower(run, NodeOnAxis(run, p, axis, line), share);
            AddNodePower(run, NodeOnAxis(run, p, axis, line + 1), share);
        }
    }
}

void BuildSolarNodeList(ModelStore& model, RunState& run, EngineHost& host)
{
    std::vector<std::int32_t> nodes;
    long counter = 0;
    for (const SunlitNodeRecord& r : run.solar.records) {
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        nodes.push_back(r.node);
        if (!IsTransparentOrEquivalent(model, r.colour))
            continue;
        const int axis = r.orientation / 2;
        const int p[3] = {r.i, r.j, r.k};
        const std::array<int, 3> far = FindTransparentEnd(model, run, r.i, r.j, r.k, r.orientation, r.corner);
        const int step = far[axis] > p[axis] ? 1 : -1;
        for (int line = p[axis]; line != far[axis];) {
            line += step;
            nodes.push_back(NodeOnAxis(run, p, axis, line));
        }
    }
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    run.solar.sources.clear();
    for (const std::int32_t n : nodes) {
        if (n >= 0 && (run.solar.grid.gridNodes <= 0 || n < run.solar.grid.gridNodes))
            run.solar.sources.push_back({n, 0.0f, 0.0f});
    }
}

std::span<const SolarNodeSource> SolarNodeSourceList(RunState& run)
{
    return run.solar.sources;
}

float SolarNodePower(RunState& run, std::int32_t node)
{
    const SolarNodeSource* s = FindSource(run, node);
    return s ? s->power : 0.0f;
}

} // namespace gelmar

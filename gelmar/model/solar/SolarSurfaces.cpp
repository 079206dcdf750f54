// Solar surfaces, surface groups, shading and sky view (see SolarSurfaces.h).
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/ModelFaces.h"
#include "gelmar/model/solar/SolarExchange.h"
#include "gelmar/model/solar/SolarFiles.h"
#include "gelmar/model/solar/SolarFlux.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/Random.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace gelmar {

namespace {

// The ray test polls Esc once per this many faces.
constexpr int kFacesPerEscCheck = 500;

constexpr int kSkyDirections = 10000;

int AxisCells(ModelStore& model, int axis)
{
    return model.axes[axis].n;
}

// The solid-surface faces of the visible faces that pass the test; the test
// gets the owner's and the neighbour's colour (-1 for none) and answers 0
// (not taken), 1 (taken) or 2 (taken, turned to the other side).
template <class Test>
std::vector<SolarFace> SelectFaces(ModelStore& model, EngineHost& host, const std::vector<kernels::BlockFacePiece>& visible, Test test)
{
    std::vector<SolarFace> out;
    long counter = 0;
    for (const kernels::BlockFacePiece& f : visible) {
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        const int own = model.blocks[f.block].colour;
        const int across = (f.flags & kernels::kFaceBetweenColours) ? model.blocks[f.neighbour].colour : -1;
        const int taken = test(own, across);
        if (taken == 0)
            continue;
        SolarFace s;
        std::copy(f.bounds, f.bounds + 6, s.box);
        const int o = f.flags & kernels::kFaceOrientation;
        s.orientation = static_cast<std::uint8_t>(taken == 2 ? (o ^ 1) : o);
        out.push_back(s);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

bool IsOpaqueSolid(ModelStore& model, int colour)
{
    return IsSolidColour(model, colour) && model.colours[colour].solarTransmission == 0.0f;
}

} // namespace

bool IsSolarColour(ModelStore& model, int c)
{
    if (c < 0 || c >= kColourCount)
        return false;
    const ColourRecord& r = model.colours[c];
    return r.inUse && (r.type == BC_SIMPL || r.type == BC_SKY) && r.solar;
}

bool IsSolidColour(ModelStore& model, int c)
{
    return c >= 0 && c < kColourCount &&
           (model.colours[c].type == MATERIAL || model.colours[c].type == EQUIMAT);
}

bool HasSolarColours(ModelStore& model, RunState& run)
{
    run.solar.solar = false;
    for (int c = 0; c < kColourCount && !run.solar.solar; ++c)
        run.solar.solar = IsSolarColour(model, c);
    return run.solar.solar;
}

void CheckSolarContacts(ModelStore& model, RunState& run)
{
    if (!run.solar.solar)
        return;
    const SolarGrid& grid = run.solar.grid;
    const int step[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    for (int k = 0; k < AxisCells(model, 2); ++k)
        for (int j = 0; j < AxisCells(model, 1); ++j)
            for (int i = 0; i < AxisCells(model, 0); ++i) {
                const int c = grid.CellColour(i, j, k);
                if (c < 0 || model.colours[c].type != EQUIMAT)
                    continue;
                for (const auto& s : step) {
                    const int n = grid.CellColour(i + s[0], j + s[1], k + s[2]);
                    if (n >= 0 && n != c && IsSolarColour(model, n)) {
                        throw EngineError::SolarContact(c, n);
                    }
                }
            }
}

void PrepareSolarSurfaces(ModelStore& model, RunState& run, EngineHost& host, bool full)
{
    // The report's sun and absorbed-flux columns follow the run that made
    // them: valid exactly when a solar colour takes part.
    run.solarResults = HasSolarColours(model, run);
    if (!run.solarResults)
        return;
    // Face directions and the sky-view rays need the site frame.
    BuildSiteRotation(model, run);
    // The whole model's visible faces, computed aside: the 3D view's list and
    // the clip range stay as they are.
    const std::vector<kernels::BlockFacePiece> visible = ComputeWholeModelFaces(model);
    if (full) {
        run.solar.solarFaces = SelectFaces(model, host, visible, [&model](int own, int across) {
            if (across < 0)
                return 0;
            if (IsSolidColour(model, own) && IsSolarColour(model, across))
                return 1;
            return IsSolarColour(model, own) && IsSolidColour(model, across) ? 2 : 0;
        });
    }
    run.solar.shadingFaces = SelectFaces(model, host, visible, [&model](int own, int across) {
        if (across < 0)
            return IsOpaqueSolid(model, own) ? 1 : 0;
        if (IsOpaqueSolid(model, own) && !IsSolidColour(model, across))
            return 1;
        return !IsSolidColour(model, own) && IsOpaqueSolid(model, across) ? 2 : 0;
    });
    ComputeShadingRayLength(model, run);
    ComputeShadingPlaneOffset(model, run);
    BuildShadingPlanes(model, run);
    if (full) {
        // The colour factors first: the exchange tables read them.
        SetDiffuseReflection(model, run);
        BuildSurfaceGroups(model, run, host);
        BuildSunlitNodeRecords(model, run, host);
        PrepareSolarExchange(model, run);
        BuildSolarNodeList(model, run, host);
    }
}

void ComputeShadingRayLength(ModelStore& model, RunState& run)
{
    float largest = 0;
    for (int a = 0; a < 3; ++a)
        largest = std::max(largest, GridLineCoordinate(model, a, AxisCells(model, a)));
    run.solar.rayLength = 2 * largest;
}

void ComputeShadingPlaneOffset(ModelStore& model, RunState& run)
{
    float smallest = 1e38f;
    for (int a = 0; a < 3; ++a)
        for (int c = 0; c < AxisCells(model, a); ++c)
            smallest = std::min(smallest, model.axes[a].widths[static_cast<std::size_t>(c)]);
    float delta = 0.1f * smallest;
    for (int a = 0; a < 3; ++a)
        delta = std::min(delta, 0.001f * GridLineCoordinate(model, a, AxisCells(model, a)));
    run.solar.planeOffset = delta;
}

void BuildSurfaceGroups(ModelStore& model, RunState& run, EngineHost& host)
{
    std::vector<SurfaceGroup>& groups = run.solar.groups;
    groups.clear();
    if (run.solar.solarFaces.empty())
        return;
    long counter = 0;
    for (const SolarFace& f : run.solar.solarFaces) {
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        const int o = f.orientation;
        const int axis = o / 2;
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        for (int cu = f.box[2 * u]; cu < f.box[2 * u + 1]; ++cu)
            for (int cv = f.box[2 * v]; cv < f.box[2 * v + 1]; ++cv)
                for (int du = 0; du < 2; ++du)
                    for (int dv = 0; dv < 2; ++dv) {
                        int p[3];
                        p[axis] = f.box[2 * axis];
                        p[u] = cu + du;
                        p[v] = cv + dv;
                        SurfaceGroup g;
                        g.i = static_cast<std::uint16_t>(p[0]);
                        g.j = static_cast<std::uint16_t>(p[1]);
                        g.k = static_cast<std::uint16_t>(p[2]);
                        g.orientation = static_cast<std::uint8_t>(o);
                        int corner = 0;
                        if (o % 2 == 0)
                            corner |= 1 << axis;
                        if (du == 0)
                            corner |= 1 << u;
                        if (dv == 0)
                            corner |= 1 << v;
                        g.corner = static_cast<std::uint8_t>(corner);
                        g.node = run.solar.grid.NodeIndex(p[0], p[1], p[2]);
                        groups.push_back(g);
                    }
    }
    auto key = [](const SurfaceGroup& g) { return std::tuple(g.node, g.orientation, g.corner); };
    std::stable_sort(groups.begin(), groups.end(),
                     [&](const SurfaceGroup& a, const SurfaceGroup& b) { return key(a) < key(b); });
    groups.erase(std::unique(groups.begin(), groups.end(),
                             [&](const SurfaceGroup& a, const SurfaceGroup& b) {
                                 return key(a) == key(b) && a.i == b.i && a.j == b.j && a.k == b.k;
                             }),
                 groups.end());
    const double areaScale = static_cast<double>(model.gridUnit) * model.gridUnit;
    counter = 0;
    for (SurfaceGroup& g : groups) {
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        const int p[3] = {g.i, g.j, g.k};
        int cell[3];
        for (int a = 0; a < 3; ++a)
            cell[a] = (g.corner >> a & 1) ? p[a] : p[a] - 1;
        g.colour = static_cast<std::uint8_t>(run.solar.grid.CellColour(cell[0], cell[1], cell[2]));
        const int axis = g.orientation / 2;
        double area = areaScale * 0.25;
        for (int a = 0; a < 3; ++a) {
            if (a != axis)
                area *= model.axes[a].widths[static_cast<std::size_t>(cell[a])];
        }
        g.area = static_cast<float>(area);
        g.link = -1;
    }
    ComputeSkyViewFractions(model, run, host);
}

void BuildSunlitNodeRecords(ModelStore& model, RunState& run, EngineHost& host)
{
    std::vector<SunlitNodeRecord>& records = run.solar.records;
    records.clear();
    records.reserve(run.solar.groups.size());
    long counter = 0;
    for (const SurfaceGroup& g : run.solar.groups) {
        if (++counter % 10000 == 0)
            CheckEscAbort(host);
        SunlitNodeRecord r;
        r.i = g.i, r.j = g.j, r.k = g.k;
        r.orientation = g.orientation;
        r.corner = g.corner;
        r.node = g.node;
        r.colour = g.colour;
        r.area = g.area;
        records.push_back(r);
    }
    // The faces of the radiation zones whose cavity is not solar receive
    // only transmitted and reflected sun: four records each.
    for (const SolarZone& zone : run.solar.zones) {
        if (zone.type == BC_FRE_S)
            continue;
        for (const SolarZoneFace& f : zone.faces) {
            if (IsSolarColour(model, f.zoneColour))
                continue;
            for (const auto& p : f.corners) {
                SunlitNodeRecord r;
                r.i = static_cast<std::uint16_t>(p[0]);
                r.j = static_cast<std::uint16_t>(p[1]);
                r.k = static_cast<std::uint16_t>(p[2]);
                r.orientation = static_cast<std::uint8_t>(f.geometry.orientation);
                int corner = 0;
                for (int a = 0; a < 3; ++a) {
                    if (f.cell[a] == p[a])
                        corner |= 1 << a;
                }
                r.corner = static_cast<std::uint8_t>(corner);
                r.node = run.solar.grid.NodeIndex(p[0], p[1], p[2]);
                r.colour = static_cast<std::uint8_t>(f.ownerColour);
                r.area = static_cast<float>(f.area / 4);
                records.push_back(r);
            }
        }
    }
    std::stable_sort(
        records.begin(), records.end(), [](const SunlitNodeRecord& a, const SunlitNodeRecord& b) {
            return std::tuple(a.node, a.orientation, a.corner) < std::tuple(b.node, b.orientation, b.corner);
        });
    for (std::size_t n = 0; n < records.size(); ++n)
        records[n].fileLine = static_cast<std::int32_t>(n);
    if (!records.empty())
        WriteSunlitNodesFile(model, run);
}

FaceDirection SetFaceDirection(RunState& run, int orientation)
{
    float n[3] = {0, 0, 0};
    n[orientation / 2] = orientation % 2 == 0 ? -1.0f : 1.0f;
    const float(&e)[3][3] = run.sun.frame;
    auto dot = [&](int m) { return n[0] * e[m][0] + n[1] * e[m][1] + n[2] * e[m][2]; };
    double north = dot(0), west = dot(1);
    const double up = std::clamp(static_cast<double>(dot(2)), -1.0, 1.0);
    FaceDirection d;
    d.tilt = static_cast<float>(90.0 - std::asin(up) * kRadToDeg);
    const double length = std::hypot(north, west);
    if (length > 0) {
        north /= length;
        west /= length;
    } else {
        north = 1;
        west = 0;
    }
    double angle = std::acos(std::clamp(north, -1.0, 1.0)) * kRadToDeg;
    if (west < 0)
        angle = -angle;
    double gamma = 180.0 - angle;
    gamma = std::fmod(gamma, 360.0);
    if (gamma < 0)
        gamma += 360.0;
    d.azimuth = static_cast<float>(gamma);
    return d;
}

float ComputeIncidence(RunState& run, const FaceDirection& face)
{
    double diff = std::fmod(static_cast<double>(run.sun.azimuth) - face.azimuth, 360.0);
    if (diff < 0)
        diff += 360.0;
    const double h = run.sun.altitude * kDegToRad;
    const double beta = face.tilt * kDegToRad;
    const float c = static_cast<float>(std::cos(diff * kDegToRad) * std::cos(h) * std::sin(beta) +
                                       std::sin(h) * std::cos(beta));
    run.sun.visible = c >= 0;
    return c;
}

void BuildShadingPlanes(ModelStore& model, RunState& run)
{
    std::vector<ShadingPlane>& planes = run.solar.shadingPlanes;
    planes.clear();
    for (const SolarFace& f : run.solar.shadingFaces) {
        const int axis = f.orientation / 2;
        if (AxisCells(model, axis) == 1)
            continue;
        ShadingPlane p;
        p.axis = axis;
        p.plane = GridLineCoordinate(model, axis, f.box[2 * axis]);
        p.plane += f.orientation % 2 == 0 ? run.solar.planeOffset : -run.solar.planeOffset;
        for (int a = 0; a < 3; ++a) {
            const bool tested = a != axis && AxisCells(model, a) >= 2;
            p.lo[a] = tested ? GridLineCoordinate(model, a, f.box[2 * a]) : -std::numeric_limits<float>::infinity();
            p.hi[a] =
                tested ? GridLineCoordinate(model, a, f.box[2 * a + 1]) : std::numeric_limits<float>::infinity();
        }
        planes.push_back(p);
    }
}

bool IsRayBlocked(ModelStore& model, RunState& run, EngineHost& host, float x, float y, float z)
{
    float d[3];
    ComputeSunDirection(model, run, d[0], d[1], d[2]);
    const float p[3] = {x, y, z};
    const float L = run.solar.rayLength;
    float lo[3], hi[3];
    for (int a = 0; a < 3; ++a) {
        const float end = p[a] + L * d[a];
        lo[a] = std::min(p[a], end);
        hi[a] = std::max(p[a], end);
    }
    for (const ShadingPlane& f : run.solar.shadingPlanes) {
        if (--run.solar.escCountdown == 0) {
            run.solar.escCountdown = kFacesPerEscCheck;
            CheckEscAbort(host);
        }
        const int axis = f.axis;
        if (!(lo[axis] < f.plane && f.plane < hi[axis]))
            continue;
        const float t = (f.plane - p[axis]) / (L * d[axis]);
        bool inside = true;
        for (int a = 0; inside && a < 3; ++a) {
            if (a == axis)
                continue;
            const float c = p[a] + t * L * d[a];
            inside = f.lo[a] <= c && c <= f.hi[a];
        }
        if (inside)
            return true;
    }
    return false;
}

void ComputeSkyViewFractions(ModelStore& model, RunState& run, EngineHost& host)
{
    const SunState saved = run.sun;
    std::vector<SurfaceGroup>& groups = run.solar.groups;
    auto onUpperThinPlane = [&model](const SurfaceGroup& g) {
        const int p[3] = {g.i, g.j, g.k};
        for (int a = 0; a < 3; ++a) {
            if (AxisCells(model, a) == 1 && p[a] == 1)
                return true;
        }
        return false;
    };
    for (std::size_t n = 0; n < groups.size(); ++n) {
        SurfaceGroup& g = groups[n];
        if (onUpperThinPlane(g))
            continue;
        if (n > 0 && groups[n - 1].node == g.node && groups[n - 1].orientation == g.orientation) {
            g.skyView = groups[n - 1].skyView;
            continue;
        }
        const FaceDirection face = SetFaceDirection(run, g.orientation);
        const float px = GridLineCoordinate(model, 0, g.i), py = GridLineCoordinate(model, 1, g.j),
                    pz = GridLineCoordinate(model, 2, g.k);
        int seen = 0, open = 0;
        for (int r = 0; r < kSkyDirections; ++r) {
            if ((r + 1) % 1000 == 0)
                CheckEscAbort(host);
            double azimuth = platform::rand15() * 360.0 / 32767.0 + 0.0001;
            if (azimuth >= 360.0)
                azimuth -= 360.0;
            const double altitude = std::min(std::asin(platform::rand15() / 32767.0) * kRadToDeg, 89.9999);
            run.sun.azimuth = static_cast<float>(azimuth);
            run.sun.altitude = static_cast<float>(altitude);
            ComputeIncidence(run, face);
            if (!run.sun.visible)
                continue;
            ++seen;
            if (IsSunVisible(model, run) && !IsRayBlocked(model, run, host, px, py, pz))
                ++open;
        }
        g.skyView = seen > 0 ? static_cast<float>(open) / static_cast<float>(seen) : 0.0f;
    }
    // In a model one cell thick the groups of the upper outer plane are those
    // of the lower one.
    for (SurfaceGroup& g : groups) {
        if (!onUpperThinPlane(g))
            continue;
        int p[3] = {g.i, g.j, g.k};
        for (int a = 0; a < 3; ++a) {
            if (AxisCells(model, a) == 1 && p[a] == 1)
                p[a] = 0;
        }
        const std::int32_t node = run.solar.grid.NodeIndex(p[0], p[1], p[2]);
        auto lower = std::partition_point(groups.begin(), groups.end(),
                                          [&](const SurfaceGroup& x) { return x.node < node; });
        for (; lower != groups.end() && lower->node == node; ++lower) {
            if (lower->orientation == g.orientation) {
                g.skyView = lower->skyView;
                break;
            }
        }
    }
    run.sun = saved;
}

float AbsorbedSolarFluxAtNode(std::span<const SunlitNodeRecord> records, std::int32_t node, int orientation,
                              int colour)
{
    const auto key = std::tuple(node, orientation, colour);
    auto keyOf = [](const SunlitNodeRecord& r) {
        return std::tuple(r.node, int(r.orientation), int(r.colour));
    };
    auto r = std::partition_point(records.begin(), records.end(),
                                  [&](const SunlitNodeRecord& x) { return keyOf(x) < key; });
    double weighted = 0, area = 0;
    for (; r != records.end() && keyOf(*r) == key; ++r) {
        weighted += static_cast<double>(r->flux) * r->area;
        area += r->area;
    }
    return area > 0 ? static_cast<float>(weighted / area) : 0.0f;
}

float AbsorbedSolarFluxAtNode(const SolarState& solar, const ModelStore& model, const WorkArrays& work, int i,
                              int j, int k, int orientation, int colour)
{
    const std::int32_t node = GetNodeIndex(model, work, i, j, k);
    if (node < 0)
        return 0.0f;
    return AbsorbedSolarFluxAtNode(solar.records, node, orientation, colour);
}

float GetSurfaceFlux(RunState& run, int i, int j, int k, int orientation, int colour)
{
    return AbsorbedSolarFluxAtNode(run.solar.records, run.solar.grid.NodeIndex(i, j, k), orientation, colour);
}

} // namespace gelmar

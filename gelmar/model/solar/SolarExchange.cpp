// Solar transmission and reflection passes and the zone exchange (see
// SolarExchange.h).
#include "gelmar/model/solar/SolarExchange.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/solar/SolarFlux.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace gelmar {

namespace {

// Passes per step at most: power that circulates between glazed faces
// without being absorbed would otherwise keep the passes going for ever.
constexpr int kMaxPasses = 1000;

bool IsExchangeZone(const SolarZone& z)
{
    return z.type != BC_FRE_S;
}

const SolarZoneFace& FaceOf(RunState& run, const ZoneFacePower& p)
{
    return run.solar.zones[static_cast<std::size_t>(p.zone)].faces[static_cast<std::size_t>(p.face)];
}

auto BoxKey(const kernels::ViewFactorFace& f)
{
    return std::tuple(f.lo[0], f.lo[1], f.lo[2], f.hi[0], f.hi[1], f.hi[2]);
}

// The face of orientation o faces a ray of direction d (it enters the face's
// solid through it).
bool FacesRay(int o, float dx, float dy, float dz)
{
    const float d[3] = {dx, dy, dz};
    return o % 2 == 0 ? d[o / 2] > 0 : d[o / 2] < 0;
}

// The zone-face entry with exactly the box, -1 for none.
int FindZoneFace(RunState& run, const kernels::ViewFactorFace& box)
{
    const std::vector<ZoneFacePower>& list = run.solar.zoneFaces;
    const auto key = BoxKey(box);
    auto it = std::partition_point(list.begin(), list.end(),
                                   [&](const ZoneFacePower& p) { return BoxKey(FaceOf(run, p).geometry) < key; });
    return it != list.end() && BoxKey(FaceOf(run, *it).geometry) == key ? static_cast<int>(it - list.begin()) : -1;
}

int FindTransmissionNode(RunState& run, std::int32_t node)
{
    const std::vector<TransmissionNode>& t = run.solar.transmissionNodes;
    auto it =
        std::partition_point(t.begin(), t.end(), [&](const TransmissionNode& n) { return n.node < node; });
    return it != t.end() && it->node == node ? static_cast<int>(it - t.begin()) : -1;
}

float Capacity(RunState& run, const ZoneFacePower& p)
{
    const SolarZoneFace& f = FaceOf(run, p);
    return run.solar.directIrradiance[f.geometry.orientation] * static_cast<float>(f.area);
}

// Corner code of a cell seen from one of its grid points.
int CornerCode(const std::array<int, 3>& cell, const std::array<int, 3>& point)
{
    int code = 0;
    for (int a = 0; a < 3; ++a) {
        if (cell[a] == point[a])
            code |= 1 << a;
    }
    return code;
}

SunlitNodeRecord* FindRecord(RunState& run, std::int32_t node, int orientation, int corner)
{
    std::vector<SunlitNodeRecord>& r = run.solar.records;
    const auto key = std::tuple(node, orientation, corner);
    auto it = std::partition_point(r.begin(), r.end(), [&](const SunlitNodeRecord& x) {
        return std::tuple(x.node, int(x.orientation), int(x.corner)) < key;
    });
    return it != r.end() && std::tuple(it->node, int(it->orientation), int(it->corner)) == key ? &*it
                                                                                               : nullptr;
}

} // namespace

double ZoneViewFactor(RunState& run, int zone, int a, int b)
{
    if (a == b)
        return 0;
    const SolarZone& z = run.solar.zones[static_cast<std::size_t>(zone)];
    if (b < a)
        return z.viewFactors[kernels::PackedIndex(static_cast<std::size_t>(a), static_cast<std::size_t>(b))];
    const double areaA = z.fileAreas[static_cast<std::size_t>(a)];
    // A face without area sends nothing.
    if (!(areaA > 0))
        return 0;
    return z.viewFactors[kernels::PackedIndex(static_cast<std::size_t>(b), static_cast<std::size_t>(a))] *
           z.fileAreas[static_cast<std::size_t>(b)] / areaA;
}

void PrepareSolarExchange(ModelStore& model, RunState& run)
{
    SolarState& s = run.solar;
    s.zoneFaces.clear();
    s.zoneFaceOf.assign(s.zones.size(), {});
    s.exchangeFaces.clear();
    s.exchangeBase.assign(s.zones.size(), 0);
    s.transmissionNodes.clear();
    s.zoneFacesAtNode.clear();
    s.exchangeMatrix.clear();

    std::map<std::int32_t, std::uint8_t> masks;
    std::set<std::int32_t> marked;
    std::size_t exchangeCount = 0;
    for (std::size_t z = 0; z < s.zones.size(); ++z) {
        const SolarZone& zone = s.zones[z];
        if (!IsExchangeZone(zone))
            continue;
        s.exchangeBase[z] = static_cast<int>(exchangeCount);
        exchangeCount += zone.fileFaces.size();
        for (const SolarZoneFace& f : zone.faces) {
            const bool transparent = model.colours[f.ownerColour].solarTransmission > 0;
            for (const auto& c : f.corners) {
                const std::int32_t node = s.grid.NodeIndex(c[0], c[1], c[2]);
                if (node < 0)
                    continue;
                masks[node] |= static_cast<std::uint8_t>(1 << f.geometry.orientation);
                if (transparent)
                    marked.insert(node);
            }
        }
    }
    // Without a transparent solid at a zone there are no passes and no
    // exchange, and no group gets a link.
    if (marked.empty())
        return;

    for (std::size_t z = 0; z < s.zones.size(); ++z) {
        const SolarZone& zone = s.zones[z];
        if (!IsExchangeZone(zone))
            continue;
        for (std::size_t f = 0; f < zone.faces.size(); ++f) {
            ZoneFacePower p;
            p.zone = static_cast<int>(z);
            p.face = static_cast<int>(f);
            s.zoneFaces.push_back(p);
        }
        for (std::size_t f = 0; f < zone.fileFaces.size(); ++f)
            s.exchangeFaces.push_back({static_cast<int>(z), static_cast<int>(f), 0.0f, 0.0f});
    }
    if (s.zoneFaces.empty())
        return;
    std::stable_sort(s.zoneFaces.begin(), s.zoneFaces.end(),
                     [&run](const ZoneFacePower& a, const ZoneFacePower& b) {
                         return BoxKey(FaceOf(run, a).geometry) < BoxKey(FaceOf(run, b).geometry);
                     });
    for (std::size_t z = 0; z < s.zones.size(); ++z)
        s.zoneFaceOf[z].assign(s.zones[z].faces.size(), -1);
    for (std::size_t e = 0; e < s.zoneFaces.size(); ++e) {
        const ZoneFacePower& p = s.zoneFaces[e];
        s.zoneFaceOf[static_cast<std::size_t>(p.zone)][static_cast<std::size_t>(p.face)] =
            static_cast<int>(e);
        for (const auto& c : FaceOf(run, p).corners) {
            const std::int32_t node = s.grid.NodeIndex(c[0], c[1], c[2]);
            if (node >= 0)
                s.zoneFacesAtNode.emplace_back(node, static_cast<int>(e));
        }
    }
    std::sort(s.zoneFacesAtNode.begin(), s.zoneFacesAtNode.end());
    const std::size_t n = s.exchangeFaces.size();
    s.exchangeMatrix.assign(n * (n + 1), 0.0);
    for (const std::int32_t node : marked) {
        TransmissionNode t;
        t.node = node;
        t.mask = masks[node];
        s.transmissionNodes.push_back(t);
    }

    // Each group links to the first zone face with its cell and orientation.
    std::map<std::tuple<int, int, int, int>, int> firstFace;
    for (std::size_t e = 0; e < s.zoneFaces.size(); ++e) {
        const SolarZoneFace& f = FaceOf(run, s.zoneFaces[e]);
        firstFace.emplace(std::tuple(f.cell[0], f.cell[1], f.cell[2], f.geometry.orientation),
                          static_cast<int>(e));
    }
    for (SurfaceGroup& g : s.groups) {
        const int p[3] = {g.i, g.j, g.k};
        int cell[3];
        for (int a = 0; a < 3; ++a)
            cell[a] = (g.corner >> a & 1) ? p[a] : p[a] - 1;
        auto it = firstFace.find(std::tuple(cell[0], cell[1], cell[2], int(g.orientation)));
        g.link = it != firstFace.end() ? it->second : -1;
    }
}

void FindFaceBeyond(ModelStore& model, RunState& run, int i, int j, int k, int orientation, int corner, int& face, int* node)
{
    face = -1;
    if (node)
        *node = -1;
    std::array<int, 3> cell = {i, j, k};
    for (int a = 0; a < 3; ++a) {
        if (!(corner >> a & 1))
            --cell[a];
    }
    const int axis = orientation / 2;
    const int step = orientation % 2 == 0 ? 1 : -1;
    int colour;
    do {
        cell[axis] += step;
        colour = run.solar.grid.CellColour(cell[0], cell[1], cell[2]);
    } while (IsTransparentOrEquivalent(model, colour));
    if (colour < 0)
        return;
    const int type = model.colours[colour].type;
    if (type != BC_FREE && type != BC_SKY && type != BC_NOSKY && type != TRANSMAT)
        return;
    kernels::ViewFactorFace box{};
    for (int a = 0; a < 3; ++a) {
        box.lo[a] = GridLineCoordinate(model, a, cell[a]);
        box.hi[a] = GridLineCoordinate(model, a, cell[a] + 1);
    }
    // The cell's side towards the walked cells.
    if (step > 0)
        box.hi[axis] = box.lo[axis];
    else
        box.lo[axis] = box.hi[axis];
    face = FindZoneFace(run, box);
    if (!node)
        return;
    std::array<int, 3> point = cell;
    for (int a = 0; a < 3; ++a) {
        if (!(corner >> a & 1))
            ++point[a];
    }
    const int t = FindTransmissionNode(run, run.solar.grid.NodeIndex(point[0], point[1], point[2]));
    if (t >= 0) {
        TransmissionNode& tn = run.solar.transmissionNodes[static_cast<std::size_t>(t)];
        tn.i = static_cast<std::uint16_t>(point[0]);
        tn.j = static_cast<std::uint16_t>(point[1]);
        tn.k = static_cast<std::uint16_t>(point[2]);
        *node = t;
    }
}

void TransmitSurfaceGroups(ModelStore& model, RunState& run, EngineHost& host)
{
    long counter = 0;
    for (const SurfaceGroup& g : run.solar.groups) {
        const float tau = run.solar.transmission[g.colour];
        if ((g.absorbedDirect == 0 && g.absorbedDiffuse == 0) || !(tau > 0))
            continue;
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        int face = -1, node = -1;
        FindFaceBeyond(model, run, g.i, g.j, g.k, g.orientation, g.corner, face, &node);
        if (face >= 0 && g.absorbedDiffuse > 0)
            run.solar.zoneFaces[static_cast<std::size_t>(face)].pending += g.area * tau * g.absorbedDiffuse;
        if (node >= 0 && g.absorbedDirect > 0)
            run.solar.transmissionNodes[static_cast<std::size_t>(node)].pending +=
                g.area * tau * g.absorbedDirect;
    }
}

bool HasPendingSolarPower(RunState& run)
{
    for (const TransmissionNode& t : run.solar.transmissionNodes) {
        if (t.pending > 0)
            return true;
    }
    for (const ZoneFacePower& p : run.solar.zoneFaces) {
        if (p.pending > 0)
            return true;
    }
    return false;
}

void DistributeSolarPower(ModelStore& model, RunState& run, EngineHost& host)
{
    if (run.solar.zoneFaces.empty())
        return;
    TransmitSurfaceGroups(model, run, host);
    for (int pass = 0; pass < kMaxPasses && HasPendingSolarPower(run); ++pass) {
        FollowTransmittedPatches(model, run, host);
        SpreadZoneReflection(run, host);
        SplitReceivedSolar(model, run, host);
        MapZoneFacePower(run, host);
        TransmitZoneFacePower(model, run, host);
    }
}

void FollowTransmittedPatches(ModelStore& model, RunState& run, EngineHost& host)
{
    float s[3];
    ComputeSunDirection(model, run, s[0], s[1], s[2]);
    const float L = run.solar.rayLength;
    const float d[3] = {-L * s[0], -L * s[1], -L * s[2]};
    long tested = 0;
    for (std::size_t t = 0; t < run.solar.transmissionNodes.size(); ++t) {
        TransmissionNode& tn = run.solar.transmissionNodes[t];
        if (tn.pending == 0)
            continue;
        const int node = static_cast<int>(t);
        const std::uint8_t m = tn.mask;
        auto has = [&](int o) { return (m >> o & 1) != 0; };
        if ((d[0] < 0 && has(1)) || (d[0] > 0 && has(0))) {
            DepositPatchAtNode(model, run, node, d[0], 0, 0);
            continue;
        }
        if ((d[1] < 0 && has(3)) || (d[1] > 0 && has(2))) {
            DepositPatchAtNode(model, run, node, d[0], d[1], 0);
            continue;
        }
        if ((d[2] < 0 && has(5)) || (d[2] > 0 && has(4))) {
            DepositPatchAtNode(model, run, node, d[0], d[1], d[2]);
            continue;
        }
        const float q[3] = {GridLineCoordinate(model, 0, tn.i), GridLineCoordinate(model, 1, tn.j),
                            GridLineCoordinate(model, 2, tn.k)};
        float lo[3], hi[3];
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(q[a], q[a] + d[a]);
            hi[a] = std::max(q[a], q[a] + d[a]);
        }
        float best = 1;
        int hit = -1;
        for (std::size_t e = 0; e < run.solar.zoneFaces.size(); ++e) {
            if (++tested % 10000 == 0)
                CheckEscAbort(host);
            const kernels::ViewFactorFace& f = FaceOf(run, run.solar.zoneFaces[e]).geometry;
            bool overlaps = true;
            for (int a = 0; overlaps && a < 3; ++a)
                overlaps = f.lo[a] <= hi[a] && lo[a] <= f.hi[a];
            if (!overlaps)
                continue;
            int axis = 2;
            if (f.lo[0] == f.hi[0])
                axis = 0;
            else if (f.lo[1] == f.hi[1])
                axis = 1;
            else if (f.lo[2] != f.hi[2])
                continue;
            if (d[axis] == 0)
                continue;
            const float tt = (f.lo[axis] - q[axis]) / d[axis];
            if (!(tt > 0 && tt < 1 && tt < best))
                continue;
            bool inside = true;
            for (int a = 0; inside && a < 3; ++a) {
                if (a == axis)
                    continue;
                const float c = q[a] + tt * d[a];
                inside = f.lo[a] <= c && c <= f.hi[a];
            }
            if (inside) {
                best = tt;
                hit = static_cast<int>(e);
            }
        }
        // Power that leaves the model or meets a face from behind is lost.
        if (hit >= 0 &&
            FacesRay(FaceOf(run, run.solar.zoneFaces[static_cast<std::size_t>(hit)]).geometry.orientation, d[0],
                     d[1], d[2]))
            DepositDirectPower(run, tn.pending, hit, q[0] + best * d[0], q[1] + best * d[1], q[2] + best * d[2]);
        tn.pending = 0;
    }
}

void DepositPatchAtNode(ModelStore& model, RunState& run, int node, float dx, float dy, float dz)
{
    TransmissionNode& tn = run.solar.transmissionNodes[static_cast<std::size_t>(node)];
    const float power = tn.pending;
    tn.pending = 0;
    const auto& at = run.solar.zoneFacesAtNode;
    auto first = std::partition_point(at.begin(), at.end(), [&](const auto& x) { return x.first < tn.node; });
    std::vector<int> faces;
    double area = 0;
    for (auto it = first; it != at.end() && it->first == tn.node; ++it) {
        const SolarZoneFace& f = FaceOf(run, run.solar.zoneFaces[static_cast<std::size_t>(it->second)]);
        if (!FacesRay(f.geometry.orientation, dx, dy, dz))
            continue;
        faces.push_back(it->second);
        area += f.area;
    }
    if (!(area > 0))
        return;
    const float x = GridLineCoordinate(model, 0, tn.i), y = GridLineCoordinate(model, 1, tn.j),
                z = GridLineCoordinate(model, 2, tn.k);
    for (const int e : faces) {
        const double share = FaceOf(run, run.solar.zoneFaces[static_cast<std::size_t>(e)]).area * power / area;
        DepositDirectPower(run, static_cast<float>(share), e, x, y, z);
    }
}

void DepositDirectPower(RunState& run, float power, int face, float x, float y, float z)
{
    std::vector<ZoneFacePower>& list = run.solar.zoneFaces;
    ZoneFacePower& h = list[static_cast<std::size_t>(face)];
    if (h.direct + power < Capacity(run, h)) {
        h.direct += power;
        return;
    }
    for (ZoneFacePower& p : list) {
        p.taken = false;
        p.open = p.zone == h.zone && p.direct < Capacity(run, p);
    }
    double remaining = power;
    double area = 0;
    if (h.open) {
        h.taken = true;
        area = FaceOf(run, h).area;
        remaining -= Capacity(run, h) - h.direct;
    }
    for (;;) {
        if (!(remaining > 0))
            break;
        const int next = FindNearestOpenFace(run, x, y, z);
        if (next < 0)
            break;
        ZoneFacePower& p = list[static_cast<std::size_t>(next)];
        p.taken = true;
        area += FaceOf(run, p).area;
        remaining -= Capacity(run, p) - p.direct;
    }
    // The faces taken share the power by area; without one it is dropped.
    if (!(area > 0))
        return;
    for (ZoneFacePower& p : list) {
        if (p.taken)
            p.direct += static_cast<float>(FaceOf(run, p).area * power / area);
    }
}

int FindNearestOpenFace(RunState& run, float x, float y, float z)
{
    const float q[3] = {x, y, z};
    float best = 1e38f;
    int found = -1;
    for (std::size_t e = 0; e < run.solar.zoneFaces.size(); ++e) {
        const ZoneFacePower& p = run.solar.zoneFaces[e];
        if (!p.open || p.taken)
            continue;
        const kernels::ViewFactorFace& f = FaceOf(run, p).geometry;
        float distance = 0;
        for (int a = 0; a < 3; ++a) {
            if (q[a] < f.lo[a])
                distance += f.lo[a] - q[a];
            else if (q[a] > f.hi[a])
                distance += q[a] - f.hi[a];
        }
        if (distance < best) {
            best = distance;
            found = static_cast<int>(e);
        }
    }
    return found;
}

void SpreadZoneReflection(RunState& run, EngineHost& host)
{
    long counter = 0;
    for (std::size_t z = 0; z < run.solar.zones.size(); ++z) {
        const SolarZone& zone = run.solar.zones[z];
        if (!IsExchangeZone(zone))
            continue;
        const std::vector<int>& entries = run.solar.zoneFaceOf[z];
        for (std::size_t i = 0; i < zone.faces.size(); ++i) {
            if (++counter % 10000 == 0)
                CheckEscAbort(host);
            const float pending = run.solar.zoneFaces[static_cast<std::size_t>(entries[i])].pending;
            const int a = zone.fileFaceOfFace[i];
            if (!(pending > 0) || a < 0)
                continue;
            for (std::size_t j = 0; j < zone.faces.size(); ++j) {
                const int b = zone.fileFaceOfFace[j];
                if (b < 0)
                    continue;
                const double f = ZoneViewFactor(run, static_cast<int>(z), a, b);
                const double fileArea = zone.fileAreas[static_cast<std::size_t>(b)];
                if (f > 0 && fileArea > 0)
                    run.solar.zoneFaces[static_cast<std::size_t>(entries[j])].diffuse +=
                        static_cast<float>(f * (zone.faces[j].area / fileArea) * pending);
            }
        }
    }
    for (ZoneFacePower& p : run.solar.zoneFaces)
        p.pending = 0;
}

void SplitReceivedSolar(ModelStore& model, RunState& run, EngineHost& host)
{
    long counter = 0;
    for (ZoneFacePower& p : run.solar.zoneFaces) {
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        const SolarZoneFace& f = FaceOf(run, p);
        const int c = f.ownerColour;
        if (p.direct > 0) {
            const float cosTheta = ComputeIncidence(run, SetFaceDirection(run, f.geometry.orientation));
            const float angle = static_cast<float>(std::acos(std::clamp(cosTheta, -1.0f, 1.0f)) * kRadToDeg);
            const float rho = SolarReflectionAt(model, run, c, angle);
            p.reflected += rho * p.direct;
            p.direct -= rho * p.direct;
        }
        if (p.diffuse > 0) {
            const float rho = run.solar.diffuseReflection[c];
            p.reflected += rho * p.diffuse;
            p.diffuse -= rho * p.diffuse;
        }
    }
}

void MapZoneFacePower(RunState& run, EngineHost& host)
{
    long counter = 0;
    for (ZoneFacePower& p : run.solar.zoneFaces) {
        if (p.direct == 0 && p.diffuse == 0 && p.exchanged == 0)
            continue;
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        const SolarZoneFace& f = FaceOf(run, p);
        const int c = f.ownerColour;
        const float tau = run.solar.transmission[c];
        if (1 - tau <= 0)
            continue;
        float absorbed = 0;
        if (p.direct > 0) {
            const float a = (1 - tau) * p.direct;
            p.direct -= a;
            absorbed += a;
        }
        if (p.diffuse > 0) {
            const float b = (1 - tau) * p.diffuse;
            p.diffuse -= b;
            absorbed += b;
        }
        if (p.exchanged > 0)
            absorbed += (1 - run.solar.diffuseReflection[c]) * (1 - tau) * p.exchanged;
        p.exchanged = 0;
        // A face without area carries no records to take the power.
        if (!(f.area > 0))
            continue;
        const float flux = static_cast<float>(absorbed / f.area);
        for (const auto& corner : f.corners) {
            const std::int32_t node = run.solar.grid.NodeIndex(corner[0], corner[1], corner[2]);
            if (SunlitNodeRecord* r = FindRecord(run, node, f.geometry.orientation, CornerCode(f.cell, corner)))
                r->flux += flux;
        }
    }
}

void TransmitZoneFacePower(ModelStore& model, RunState& run, EngineHost& host)
{
    long counter = 0;
    for (ZoneFacePower& p : run.solar.zoneFaces) {
        if (!(p.direct > 0) && !(p.diffuse > 0))
            continue;
        if (++counter % 1000 == 0)
            CheckEscAbort(host);
        const SolarZoneFace& f = FaceOf(run, p);
        const int o = f.geometry.orientation;
        const int axis = o / 2;
        std::array<int, 3> point = f.cell;
        if (o % 2 == 1)
            ++point[axis];
        const int corner = o % 2 == 1 ? 7 & ~(1 << axis) : 7;
        int beyond = -1;
        FindFaceBeyond(model, run, point[0], point[1], point[2], o, corner, beyond, nullptr);
        if (beyond >= 0) {
            ZoneFacePower& g = run.solar.zoneFaces[static_cast<std::size_t>(beyond)];
            g.pending += p.diffuse;
            const float quarter = p.direct / 4;
            if (quarter > 0) {
                const SolarZoneFace& gf = FaceOf(run, g);
                for (const auto& c : gf.corners) {
                    const std::int32_t node = run.solar.grid.NodeIndex(c[0], c[1], c[2]);
                    const int t = FindTransmissionNode(run, node);
                    if (t < 0)
                        continue;
                    TransmissionNode& tn = run.solar.transmissionNodes[static_cast<std::size_t>(t)];
                    tn.pending += quarter;
                    // The first corner of the face with this node names its point.
                    for (const auto& first : gf.corners) {
                        if (run.solar.grid.NodeIndex(first[0], first[1], first[2]) == node) {
                            tn.i = static_cast<std::uint16_t>(first[0]);
                            tn.j = static_cast<std::uint16_t>(first[1]);
                            tn.k = static_cast<std::uint16_t>(first[2]);
                            break;
                        }
                    }
                }
            }
        }
        p.direct = 0;
        p.diffuse = 0;
    }
}

int FindFaceBehind(RunState& run, int a)
{
    const ExchangeFace& ea = run.solar.exchangeFaces[static_cast<std::size_t>(a)];
    const SolarZone& za = run.solar.zones[static_cast<std::size_t>(ea.zone)];
    const kernels::ViewFactorFace& fa = za.fileFaces[static_cast<std::size_t>(ea.face)];
    const int o = fa.orientation;
    const int axis = o / 2;
    const int wanted = o ^ 1;
    int found = -1;
    float best = 0;
    for (std::size_t n = 0; n < run.solar.exchangeFaces.size(); ++n) {
        const ExchangeFace& e = run.solar.exchangeFaces[n];
        const kernels::ViewFactorFace& f =
            run.solar.zones[static_cast<std::size_t>(e.zone)].fileFaces[static_cast<std::size_t>(e.face)];
        if (f.orientation != wanted)
            continue;
        bool same = true;
        for (int b = 0; same && b < 3; ++b) {
            if (b != axis)
                same = f.lo[b] == fa.lo[b] && f.hi[b] == fa.hi[b];
        }
        if (!same)
            continue;
        // On the side of a's solid cell: beyond it along the inward direction.
        const bool beyond = o % 2 == 0 ? f.lo[axis] > fa.lo[axis] : f.lo[axis] < fa.lo[axis];
        if (!beyond)
            continue;
        if (found < 0 || (o % 2 == 0 ? f.lo[axis] < best : f.lo[axis] > best)) {
            found = static_cast<int>(n);
            best = f.lo[axis];
        }
    }
    return found;
}

void EliminateExchangeSystem(EngineHost& host, std::span<double> m, std::size_t n)
{
    const std::size_t w = n + 1;
    long long updates = 0;
    auto count = [&] {
        if (++updates % 1000000 == 0)
            CheckEscAbort(host);
    };
    for (std::size_t c = 0; c + 1 < n; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < n; ++r) {
            if (std::fabs(m[r * w + c]) > std::fabs(m[pivot * w + c]))
                pivot = r;
        }
        if (pivot != c) {
            for (std::size_t k = c; k <= n; ++k)
                std::swap(m[c * w + k], m[pivot * w + k]);
        }
        const double diagonal = m[c * w + c];
        if (diagonal == 0)
            continue;
        for (std::size_t r = c + 1; r < n; ++r) {
            if (m[r * w + c] == 0)
                continue;
            const double f = m[r * w + c] / diagonal;
            for (std::size_t k = c + 1; k <= n; ++k) {
                m[r * w + k] -= f * m[c * w + k];
                count();
            }
        }
    }
    for (std::size_t r = n; r-- > 0;) {
        if (m[r * w + r] == 0) {
            m[r * w + n] = 0;
            continue;
        }
        double sum = m[r * w + n];
        for (std::size_t k = r + 1; k < n; ++k) {
            sum -= m[r * w + k] * m[k * w + n];
            count();
        }
        m[r * w + n] = sum / m[r * w + r];
    }
}

void SolveZoneExchange(RunState& run, EngineHost& host)
{
    SolarState& s = run.solar;
    if (s.zoneFaces.empty())
        return;
    const std::size_t n = s.exchangeFaces.size();
    const std::size_t w = n + 1;
    std::vector<double>& m = s.exchangeMatrix;
    m.assign(n * w, 0.0);
    for (std::size_t r = 0; r < n; ++r)
        m[r * w + r] = 1;
    long pairs = 0;
    for (std::size_t z = 0; z < s.zones.size(); ++z) {
        const SolarZone& zone = s.zones[z];
        if (!IsExchangeZone(zone))
            continue;
        const std::size_t base = static_cast<std::size_t>(s.exchangeBase[z]);
        const std::size_t files = zone.fileFaces.size();
        for (std::size_t a = 0; a < files; ++a)
            s.exchangeFaces[base + a].reflected = 0;
        for (std::size_t f = 0; f < zone.faces.size(); ++f) {
            const int a = zone.fileFaceOfFace[f];
            if (a >= 0)
                s.exchangeFaces[base + static_cast<std::size_t>(a)].reflected +=
                    s.zoneFaces[static_cast<std::size_t>(s.zoneFaceOf[z][f])].reflected;
        }
        for (std::size_t a = 0; a < files; ++a) {
            const double pa = s.exchangeFaces[base + a].reflected;
            const int c = zone.fileOwnerColours[a];
            const double rho = s.diffuseReflection[c];
            const double tau = s.transmission[c];
            const int behind = tau > 0 ? FindFaceBehind(run, static_cast<int>(base + a)) : -1;
            double through = 0;
            if (behind >= 0) {
                const ExchangeFace& eb = s.exchangeFaces[static_cast<std::size_t>(behind)];
                const int cb = s.zones[static_cast<std::size_t>(eb.zone)]
                                   .fileOwnerColours[static_cast<std::size_t>(eb.face)];
                if (s.transmission[cb] > 0 && s.diffuseReflection[cb] < 1)
                    through = (1 - s.diffuseReflection[cb]) * s.transmission[cb];
            }
            for (std::size_t b = 0; b < files; ++b) {
                if (++pairs % 10000 == 0)
                    CheckEscAbort(host);
                const double f =
                    ZoneViewFactor(run, static_cast<int>(z), static_cast<int>(a), static_cast<int>(b));
                if (!(f > 0))
                    continue;
                const std::size_t row = (base + b) * w;
                if (pa > 0)
                    m[row + n] += pa * f;
                if (rho > 0)
                    m[row + base + a] -= rho * f;
                if (through > 0)
                    m[row + static_cast<std::size_t>(behind)] -= through * f;
            }
        }
    }
    EliminateExchangeSystem(host, m, n);
    for (std::size_t r = 0; r < n; ++r)
        s.exchangeFaces[r].exchanged = static_cast<float>(m[r * w + n]);
    for (ZoneFacePower& p : s.zoneFaces) {
        const SolarZone& zone = s.zones[static_cast<std::size_t>(p.zone)];
        const int a = zone.fileFaceOfFace[static_cast<std::size_t>(p.face)];
        const double fileArea = a >= 0 ? zone.fileAreas[static_cast<std::size_t>(a)] : 0.0;
        p.exchanged = 0;
        if (a >= 0 && fileArea > 0)
            p.exchanged =
                static_cast<float>(s.exchangeFaces[static_cast<std::size_t>(
                                                       s.exchangeBase[static_cast<std::size_t>(p.zone)] + a)]
                                       .exchanged *
                                   FaceOf(run, p).area / fileArea);
    }
    MapZoneFacePower(run, host);
}

} // namespace gelmar

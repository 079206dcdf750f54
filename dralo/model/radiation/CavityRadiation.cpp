// Radiation zones, their view factors and coefficients, and their terms in
// the matrix.
#include "dralo/model/radiation/CavityRadiation.h"

#include "common/kernels/SegmentViewFactor.h"
#include "common/kernels/SymmetricMatrix.h"
#include "common/kernels/ViewFactorZone.h"
#include "dralo/model/calc/Assembly.h"
#include "dralo/model/calc/RunState.h"
#include "dralo/model/store/EngineHost.h"

#include <algorithm>
#include <cstdio>

namespace dralo {

namespace {

constexpr double kSigma = 5.67e-8;
constexpr double kKelvin = 273.16;

std::size_t U(std::int64_t i)
{
    return static_cast<std::size_t>(i);
}

// A·h of radiation between two temperatures in kelvin, per unit of area.
double RadiationFactor(double t1, double t2)
{
    return kSigma * (t1 + t2) * (t1 * t1 + t2 * t2);
}

void WriteViewFile(const CavityRadiation& r, const std::string& workFolder)
{
    // The linear coefficients, as the earlier cycles' file held them; the
    // calculation itself keeps its own copy in memory.
    std::FILE* f = std::fopen(common::TempFilePath(workFolder, kViewFileName).c_str(), "wb");
    if (!f) {
        return;
    }
    for (const ZoneCoefficients& z : r.present) {
        if (z.diagonal.empty()) {
            continue;
        }
        if (!z.couplings.empty()) { // a zone of one segment has no pairs (and no array to write from)
            std::fwrite(z.couplings.data(), sizeof(double), z.couplings.size(), f);
        }
        for (std::size_t k = 0; k < z.diagonal.size(); ++k) {
            const double v[4] = {z.diagonal[k], z.halfEmission[k], z.environment[k], z.environmentRhs[k]};
            std::fwrite(v, sizeof(double), 4, f);
        }
        std::fwrite(&z.environmentTotal, sizeof(double), 1, f);
    }
    std::fclose(f);
}

} // namespace

std::int32_t RadiationZone::AirNode() const
{
    return type == BC_FRE_S ? firstEquation : firstEquation + static_cast<std::int32_t>(segments.size());
}

std::int32_t RadiationZone::EnvironmentNode() const
{
    return firstEquation + static_cast<std::int32_t>(segments.size()) + (type == BC_FREE ? 1 : 0);
}

std::int32_t RadiationZone::NodeCount() const
{
    if (type == BC_FRE_S) {
        return 1;
    }
    return static_cast<std::int32_t>(segments.size()) + (HasAirNode() ? 1 : 0) + (HasEnvironmentNode() ? 1 : 0);
}

double BlackRadiationCoefficient(double t1, double t2)
{
    return RadiationFactor(t1 + kKelvin, t2 + kKelvin);
}

namespace {

void ComputeZoneAirCouplings(const BitmapModel& m, RadiationZone& z)
{
    z.airTotal = 0;
    if (!z.HasAirNode()) {
        return;
    }
    double sum = 0;
    for (RadiationSegment& s : z.segments) {
        const ColourRecord& c = m.colours[s.boundary];
        const double h = z.type == BC_FRE_S ? c.hglo : c.hcon;
        s.airCoupling = -(h * s.length * m.pixs / 16.0 * 0.5);
        sum += s.airCoupling;
    }
    z.airTotal = sum == 0 ? 0.0 : -2.0 * sum;
}

} // namespace

void ComputeViewFactors(const BitmapModel& m, const Mesh& mesh, CavityRadiation& r, std::int64_t& equations,
                        const std::string& workFolder, EngineHost& host, unsigned threads)
{
    r.zones.assign(mesh.zoneEdges.size(), RadiationZone());
    std::vector<bool> counted(256, false);
    for (const BorderEdge& e : mesh.borders) {
        if (e.zone < 0 || U(e.zone) >= r.zones.size()) {
            continue;
        }
        RadiationZone& z = r.zones[U(e.zone)];
        const ColourRecord& c = m.colours[e.boundary];
        z.type = c.type;
        if (!counted[e.boundary] && (c.type == BC_FREE || c.type == BC_FRE_S)) {
            z.convectiveInput += c.qcon;
        }
        counted[e.boundary] = true;
        RadiationSegment s;
        s.start = e.start;
        s.end = e.end;
        s.material = e.material;
        s.boundary = e.boundary;
        s.length = SegmentLength(mesh.points[U(e.start)], mesh.points[U(e.end)]);
        z.segments.push_back(s);
    }
    EscPoll poll(host, 2000);
    const double pixel = m.pixs / 16.0; // metres per 1/16 pixel
    // View factors of the zones done so far, and the count last shown: the
    // read-out moves every 10000 pairs and shows the total at the end.
    long long earlierZones = 0;
    long long shown = 0;
    for (RadiationZone& z : r.zones) {
        z.firstEquation = static_cast<std::int32_t>(equations);
        equations += z.NodeCount();
        if (z.type == BC_FRE_S) {
            for (RadiationSegment& s : z.segments) {
                s.emissivity = 1.0f;
            }
            ComputeZoneAirCouplings(m, z);
            continue;
        }
        std::vector<kernels::ViewSegment> segments;
        std::vector<double> lengths;
        for (RadiationSegment& s : z.segments) {
            poll.Step();
            const ColourRecord& boundary = m.colours[s.boundary];
            const bool transparent = boundary.type == TRANSMAT && s.boundary == s.material;
            s.emissivity = transparent ? 0.0f : std::min(m.colours[s.material].epsi, 0.9999f);
            const double e = s.emissivity;
            s.diagonal = s.length * pixel / (1.0 - e);
            s.halfEmission = e * s.diagonal / 2.0;
            const MeshVertex& a = mesh.points[U(s.start)];
            const MeshVertex& b = mesh.points[U(s.end)];
            segments.push_back({double(a.x), double(a.y), double(b.x), double(b.y)});
            lengths.push_back(s.length);
        }
        z.couplings.assign(kernels::PackedSize(segments.size()), 0.0);
        kernels::SegmentViewFactorSettings settings;
        settings.rays = m.calc.rays;
        settings.vwfc = m.calc.vwfc;
        kernels::PairLoopOptions options;
        options.threads = threads;
        // The pair loop reports every 2000 pairs.
        options.poll = [&](std::size_t done) {
            CheckEscAbort(host);
            const long long count = earlierZones + static_cast<long long>(done);
            if (count / 10000 != shown / 10000) {
                shown = count;
                host.ShowViewFactorCount(count);
            }
        };
        kernels::ComputeSegmentZoneViewFactors(segments, settings, z.couplings, options);
        earlierZones += static_cast<long long>(z.couplings.size());
        kernels::NormaliseViewFactorRows(z.couplings, lengths, [&] { poll.Step(); });
        for (std::size_t i = 0; i < z.segments.size(); ++i) {
            RadiationSegment& s = z.segments[i];
            const double f = kernels::ViewFactorRowSum(z.couplings, lengths, i);
            const double area = s.length * pixel;
            if (f < 0.9999) {
                if (z.type == BC_FREE || z.type == TRANSMAT || z.type == BC_SKY) {
                    s.environment = (f - 1.0) * area;
                }
                if (z.type == BC_SKY) {
                    s.environmentRhs = -(s.environment * m.colours[s.boundary].trad);
                }
                if (z.type == BC_NOSKY) {
                    const double e = s.emissivity;
                    s.diagonal = area * (f + e / (1.0 - e));
                }
            }
        }
        for (double& v : z.couplings) {
            v *= -pixel;
        }
        for (std::size_t i = 1; i < z.segments.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (z.couplings[kernels::PackedIndex(i, j)] != 0) {
                    ++z.segments[i].couplings;
                    ++z.segments[j].couplings;
                }
            }
        }
        ComputeZoneAirCouplings(m, z);
    }
    host.ShowViewFactorCount(earlierZones);
    r.present.assign(r.zones.size(), ZoneCoefficients());
    std::vector<double> none;
    UpdateViewFactors(m, mesh, r, none);
    if (m.calc.linr == 0) {
        WriteViewFile(r, workFolder);
    }
}

void UpdateViewFactors(const BitmapModel& m, const Mesh& mesh, CavityRadiation& r,
                       const std::vector<double>& temperature)
{
    // Without temperatures (before the first solution) the linear values.
    const bool linear = m.calc.linr != 0 || temperature.empty();
    const double hrbl = m.calc.hrbl;
    auto kelvin = [&](std::int32_t n) { return temperature[U(n)] + kKelvin; };
    for (std::size_t zi = 0; zi < r.zones.size(); ++zi) {
        RadiationZone& z = r.zones[zi];
        ZoneCoefficients& c = r.present[zi];
        ComputeZoneAirCouplings(m, z);
        if (!z.HasSegmentNodes()) {
            continue;
        }
        const std::size_t n = z.segments.size();
        c.couplings = z.couplings;
        c.diagonal.assign(n, 0.0);
        c.halfEmission.assign(n, 0.0);
        c.environment.assign(n, 0.0);
        c.environmentRhs.assign(n, 0.0);
        if (linear) {
            for (double& v : c.couplings) {
                v *= hrbl;
            }
            for (std::size_t k = 0; k < n; ++k) {
                const RadiationSegment& s = z.segments[k];
                c.diagonal[k] = s.diagonal * hrbl;
                c.halfEmission[k] = s.halfEmission * hrbl;
                c.environment[k] = s.environment * hrbl;
                c.environmentRhs[k] = s.environmentRhs * hrbl;
            }
            double environmentSum = 0;
            for (double v : c.environment) {
                environmentSum += v;
            }
            c.environmentTotal = z.HasEnvironmentNode() ? (environmentSum == 0 ? 1.0 : -environmentSum) : 0.0;
            continue;
        }
        for (std::size_t i = 1; i < n; ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                double& v = c.couplings[kernels::PackedIndex(i, j)];
                if (v != 0) {
                    v *= RadiationFactor(kelvin(z.SegmentNode(i)), kelvin(z.SegmentNode(j)));
                }
            }
        }
        const double environmentT =
            z.HasEnvironmentNode() ? kelvin(z.EnvironmentNode()) : 0.0;
        double environmentSum = 0;
        for (std::size_t k = 0; k < n; ++k) {
            const RadiationSegment& s = z.segments[k];
            const double tk = kelvin(z.SegmentNode(k));
            const double surface = (kelvin(s.start) + kelvin(s.end)) / 2.0;
            c.halfEmission[k] = s.halfEmission * RadiationFactor(surface, tk);
            const double te = z.type == BC_SKY ? m.colours[s.boundary].trad + kKelvin : environmentT;
            const double fe = RadiationFactor(te, tk);
            c.environment[k] = s.environment * fe;
            c.environmentRhs[k] = s.environmentRhs * fe;
            environmentSum += c.environment[k];
        }
        for (std::size_t k = 0; k < n; ++k) {
            double sum = 0;
            for (std::size_t j = 0; j < n; ++j) {
                if (j != k) {
                    sum += c.couplings[kernels::PackedIndex(std::max(j, k), std::min(j, k))];
                }
            }
            c.diagonal[k] = -sum + 2.0 * c.halfEmission[k] - c.environment[k];
        }
        c.environmentTotal = z.HasEnvironmentNode() ? (environmentSum == 0 ? 1.0 : -environmentSum) : 0.0;
    }
    (void)mesh;
}

void LinkRadiationNodes(const CavityRadiation& r, const std::function<void(std::int32_t, std::int32_t)>& link)
{
    for (const RadiationZone& z : r.zones) {
        const std::size_t n = z.segments.size();
        for (std::size_t k = 0; k < n; ++k) {
            const RadiationSegment& s = z.segments[k];
            if (z.HasAirNode()) {
                link(z.AirNode(), s.start);
                link(z.AirNode(), s.end);
            }
            if (!z.HasSegmentNodes()) {
                continue;
            }
            const std::int32_t node = z.SegmentNode(k);
            if (s.halfEmission != 0) {
                link(node, s.start);
                link(node, s.end);
            }
            for (std::size_t j = 0; j < k; ++j) {
                if (z.couplings[kernels::PackedIndex(k, j)] != 0) {
                    link(node, z.SegmentNode(j));
                }
            }
            if (z.HasEnvironmentNode() && s.environment != 0) {
                link(z.EnvironmentNode(), node);
            }
        }
    }
}

void AssembleRadiation(const CavityRadiation& r, const std::vector<std::uint8_t>& nodeKind,
                       const std::vector<float>& fixedTemperature, kernels::SymmetricMatrix& a, std::vector<double>& b)
{
    std::vector<double>& diag = a.Diagonal();
    auto fixed = [&](std::int32_t n) { return nodeKind[U(n)] == kNodeFixed; };
    // Adds the coupling v between node i and node j (one of them may be fixed).
    auto couple = [&](std::int32_t i, std::int32_t j, double v) {
        if (fixed(i) && fixed(j)) {
            return;
        }
        if (fixed(j)) {
            b[U(i)] -= v * fixedTemperature[U(j)];
        } else if (fixed(i)) {
            b[U(j)] -= v * fixedTemperature[U(i)];
        } else {
            a.Element(std::max(i, j), std::min(i, j)) += v;
        }
    };
    for (std::size_t zi = 0; zi < r.zones.size(); ++zi) {
        const RadiationZone& z = r.zones[zi];
        const ZoneCoefficients& c = r.present[zi];
        if (z.HasAirNode()) {
            const std::int32_t air = z.AirNode();
            diag[U(air)] += z.airTotal;
            b[U(air)] += z.convectiveInput;
            for (const RadiationSegment& s : z.segments) {
                couple(air, s.start, s.airCoupling);
                couple(air, s.end, s.airCoupling);
            }
        }
        if (!z.HasSegmentNodes()) {
            continue;
        }
        for (std::size_t k = 0; k < z.segments.size(); ++k) {
            const RadiationSegment& s = z.segments[k];
            const std::int32_t node = z.SegmentNode(k);
            diag[U(node)] += c.diagonal[k];
            if (z.type == BC_SKY) {
                b[U(node)] += c.environmentRhs[k];
            }
            const double l = c.halfEmission[k];
            if (l != 0) {
                const std::int32_t ends[2] = {s.start, s.end};
                for (int e = 0; e < 2; ++e) {
                    if (!fixed(ends[e])) {
                        diag[U(ends[e])] += 0.75 * l;
                    }
                }
                // The mutual term enters both ends' rows: once in the
                // stored element, or once per free end on the right.
                if (fixed(s.start) != fixed(s.end)) {
                    const std::int32_t freeEnd = fixed(s.start) ? s.end : s.start;
                    const std::int32_t fixedEnd = fixed(s.start) ? s.start : s.end;
                    b[U(freeEnd)] -= 0.25 * l * fixedTemperature[U(fixedEnd)];
                } else if (!fixed(s.start)) {
                    a.Element(std::max(s.start, s.end), std::min(s.start, s.end)) += 0.25 * l;
                }
                couple(node, s.start, -l);
                couple(node, s.end, -l);
            }
            for (std::size_t j = 0; j < k; ++j) {
                const double v = c.couplings[kernels::PackedIndex(k, j)];
                if (v != 0) {
                    a.Element(node, z.SegmentNode(j)) += v;
                }
            }
        }
        if (z.HasEnvironmentNode()) {
            const std::int32_t env = z.EnvironmentNode();
            diag[U(env)] += c.environmentTotal;
            for (std::size_t k = 0; k < z.segments.size(); ++k) {
                if (c.environment[k] != 0) {
                    a.Element(env, z.SegmentNode(k)) += c.environment[k];
                }
            }
        }
    }
}

} // namespace dralo

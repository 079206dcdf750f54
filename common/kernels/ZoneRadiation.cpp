// Radiation and convection terms of a zone's equations.
#include "common/kernels/ZoneRadiation.h"

#include "common/kernels/ViewFactorZone.h"

#include <algorithm>
#include <stdexcept>

namespace kernels {

double RadiationTemperatureFactor(double t1, double t2, const RadiationLaw& law)
{
    if (law.linear)
        return law.hrBlack;
    const double a = t1 + kKelvinOffset;
    const double b = t2 + kKelvinOffset;
    return kStefanBoltzmann * (a * a + b * b) * (a + b);
}

double FaceEmissivity(double epsi, bool sameColourBothSides)
{
    return sameColourBothSides ? 0.0 : std::min(epsi, kMaxEmissivity);
}

double RadiosityCoupling(double emissivity, double area, double hr)
{
    const double e = std::min(emissivity, kMaxEmissivity);
    return e * area * 0.25 / (1.0 - e) * hr;
}

double FaceMeanTemperature(const std::array<int, 4>& corners, const NodeValue& value, int level)
{
    double sum = 0;
    for (int n : corners)
        if (n != -1)
            sum += value(n, level);
    return 0.25 * sum;
}

namespace {

// Each corner of a face coupled to row r with g (and g' of the previous
// level): the corner sees half its own and a quarter of each edge
// neighbour's temperature.
void AddCornerCouplings(EquationSink& sink, int r, const std::array<int, 4>& corners, double g,
                        double gPrevious, bool transient, const NodeValue& value)
{
    for (std::size_t c = 0; c < 4; ++c) {
        const int n = corners[c];
        if (n <= -2) {
            sink.AddRhs(r, g * value(n, 0) + (transient ? gPrevious * value(n, 1) : 0.0));
            continue;
        }
        if (n < 0)
            continue;
        sink.AddDiagonal(n, 0.5 * g);
        for (const int m : {corners[(c + 1) % 4], corners[(c + 3) % 4]}) {
            if (m >= 0 && m < n)
                sink.AddLower(n, m, 0.25 * g);
            else if (m <= -2)
                sink.AddRhs(n, -0.25 * (g * value(m, 0) + (transient ? gPrevious * value(m, 1) : 0.0)));
        }
        sink.AddLower(r, n, -g);
    }
    sink.AddDiagonal(r, 4.0 * g);
}

void SetSymmetric(EquationSink& sink, int a, int b, double v)
{
    if (a > b)
        sink.SetLower(a, b, v);
    else
        sink.SetLower(b, a, v);
}

} // namespace

void AssembleZoneRadiation(const ZoneRadiationInput& zone, const NodeValue& value, EquationSink& sink)
{
    const std::size_t n = zone.nodes.size();
    if (zone.factors.size() < PackedSize(n))
        throw std::invalid_argument("view-factor matrix smaller than the zone's pairs");

    for (const RadiosityFace& f : zone.faces) {
        if (f.row < 0)
            continue;
        const double hr =
            RadiationTemperatureFactor(value(f.row, 0), FaceMeanTemperature(f.corners, value, 0), zone.law);
        const double g = RadiosityCoupling(f.emissivity[0], f.area, hr);
        if (g == 0.0)
            continue;
        double gPrevious = 0;
        if (zone.transient) {
            const double hrPrevious = RadiationTemperatureFactor(
                value(f.row, 1), FaceMeanTemperature(f.corners, value, 1), zone.law);
            gPrevious = RadiosityCoupling(f.emissivity[1], f.area, hrPrevious);
        }
        AddCornerCouplings(sink, f.row, f.corners, g, gPrevious, zone.transient, value);
    }

    for (std::size_t i = 1; i < n; ++i) {
        const RadiosityNode& a = zone.nodes[i];
        for (std::size_t j = 0; j < i; ++j) {
            const double F = zone.factors[PackedIndex(i, j)];
            const RadiosityNode& b = zone.nodes[j];
            if (F == 0.0 || a.row < 0 || b.row < 0)
                continue;
            const double c =
                RadiationTemperatureFactor(value(a.row, 0), value(b.row, 0), zone.law) * F * a.area;
            SetSymmetric(sink, a.row, b.row, -c);
            sink.AddDiagonal(a.row, c);
            sink.AddDiagonal(b.row, c);
        }
    }

    if (zone.remainder == RemainderSink::None)
        return;
    double extraSum = 0;
    for (const RadiosityNode& a : zone.nodes) {
        if (a.unseen == 0.0 || a.row < 0)
            continue;
        if (zone.remainder == RemainderSink::Sky) {
            // The sky is a fixed temperature: both levels on the right-hand
            // side, as for any fixed boundary.
            const double sky = a.skyTemperature[0];
            const double c = RadiationTemperatureFactor(value(a.row, 0), sky, zone.law) * a.unseen * a.area;
            sink.AddDiagonal(a.row, c);
            double rhs = c * sky;
            if (zone.transient) {
                const double skyPrevious = a.skyTemperature[1];
                rhs += RadiationTemperatureFactor(value(a.row, 1), skyPrevious, zone.law) * a.unseen *
                       a.area * skyPrevious;
            }
            sink.AddRhs(a.row, rhs);
        } else {
            const double c = RadiationTemperatureFactor(value(a.row, 0), value(zone.extraRow, 0), zone.law) *
                             a.unseen * a.area;
            SetSymmetric(sink, zone.extraRow, a.row, -c);
            sink.AddDiagonal(a.row, c);
            extraSum += c;
        }
    }
    if (zone.remainder == RemainderSink::ExtraNode && zone.extraRow >= 0)
        sink.SetDiagonal(zone.extraRow, extraSum != 0.0 ? extraSum : 1.0);
}

void AddFaceConvection(EquationSink& sink, int airRow, const std::array<int, 4>& corners,
                       const double coefficient[2], bool transient, const NodeValue& value)
{
    for (int n : corners) {
        if (n >= 0)
            sink.AddLower(airRow, n, coefficient[0]);
        else if (n <= -2)
            sink.AddRhs(airRow,
                        -(coefficient[0] * value(n, 0) + (transient ? coefficient[1] * value(n, 1) : 0.0)));
    }
}

double FaceHeatFlowDensity(double emissivity, double radiosityTemperature, double faceTemperature,
                           const RadiationLaw& law, double hConvective, double airTemperature, double flux)
{
    const double e = std::min(emissivity, kMaxEmissivity);
    const double hr = RadiationTemperatureFactor(radiosityTemperature, faceTemperature, law);
    return e * hr / (1.0 - e) * (radiosityTemperature - faceTemperature) +
           hConvective * (airTemperature - faceTemperature) + flux;
}

} // namespace kernels

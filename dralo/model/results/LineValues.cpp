// Line U values at the result temperatures, psi, Ueq, Uf and the
// temperature factor.
#include "dralo/model/results/LineValues.h"

#include "dralo/model/lines/Distances.h"
#include "dralo/model/lines/LineWalk.h"
#include "dralo/model/store/ColourQueries.h"

#include <cmath>
#include <vector>

namespace dralo {

namespace {

constexpr double kSigma = 5.67e-8;
constexpr double kKelvin = 273.16;

bool IsConducting(int type)
{
    return type == MATERIAL || type == EQUIMAT;
}

bool IsSurfaceBoundary(int type)
{
    return type == BC_SIMPL || type == BC_FRE_S;
}

// Radiative coefficient between two grey surfaces, temperatures in kelvin:
// sigma (T1^4 - T2^4) / (T1 - T2) in its factored form, which stays finite
// when the two temperatures are equal.
double RadiativeCoefficient(double t1, double t2, double e1, double e2)
{
    return std::abs(kSigma * (t1 * t1 + t2 * t2) * (t1 + t2) / (1.0 / e1 + 1.0 / e2 - 1.0));
}

// Surface towards a sky of radiant temperature tr (kelvin), factored alike.
double SkyCoefficient(double e, double t, double tr)
{
    return std::abs(e * kSigma * (t * t + tr * tr) * (t + tr));
}

std::optional<double> PointTemperature(const MeshResults& r, std::int32_t x, std::int32_t y)
{
    for (const ResultPoint& p : r.points) {
        if (p.x == x && p.y == y) {
            return p.temperature;
        }
    }
    return std::nullopt;
}

} // namespace

namespace {

// The temperature where the segment a-b (1/16 pixel) crosses a contour edge
// of the results, taking the crossing nearest to (px, py).
std::optional<double> CrossingTemperature(const MeshResults& r, double ax, double ay, double bx, double by,
                                          double px, double py)
{
    double best = 1e29;
    std::optional<double> value;
    for (const ResultTriangle& t : r.triangles) {
        for (int c = 0; c < 3; ++c) {
            if (!(t.contour & (1 << c))) {
                continue;
            }
            const ResultPoint& p = r.points[static_cast<std::size_t>(t.v[static_cast<std::size_t>(c)])];
            const ResultPoint& q = r.points[static_cast<std::size_t>(t.v[static_cast<std::size_t>((c + 1) % 3)])];
            const double ex = q.x - p.x, ey = q.y - p.y;
            const double dx = bx - ax, dy = by - ay;
            const double den = dx * ey - dy * ex;
            if (den == 0) {
                continue;
            }
            // a + s d = p + u e
            const double s = ((p.x - ax) * ey - (p.y - ay) * ex) / den;
            const double u = ((p.x - ax) * dy - (p.y - ay) * dx) / den;
            if (s < 0 || s > 1 || u < 0 || u > 1) {
                continue;
            }
            const double cx = ax + s * dx, cy = ay + s * dy;
            const double d2 = (cx - px) * (cx - px) + (cy - py) * (cy - py);
            if (d2 < best) {
                best = d2;
                value = p.temperature + u * (q.temperature - p.temperature);
            }
        }
    }
    return value;
}

// A temperature the walk needs is missing from the results.
struct MissingTemperature {};

float UserUValue(const BitmapModel& m, int k)
{
    switch (k) {
    case 0:
        return m.report.ulfc;
    case 1:
        return m.report.urfc;
    case 2:
        return m.report.utfc;
    case 3:
        return m.report.ubfc;
    default:
        return k - 4 < m.ndis && k >= 4 ? m.distances[static_cast<std::size_t>(k - 4)].diuc : 0.0f;
    }
}

} // namespace

std::optional<double> ResultTemperatureOnLine(const BitmapModel& m, const MeshResults& r, int k, std::int32_t x,
                                              std::int32_t y)
{
    if (k < 4) {
        return PointTemperature(r, 16 * x + (k == 1 ? 16 : 0), 16 * y + (k == 3 ? 16 : 0));
    }
    std::int32_t x1, y1, x2, y2;
    if (!GetLineEnds(m, k, x1, y1, x2, y2)) {
        return std::nullopt;
    }
    return CrossingTemperature(r, 16.0 * x1 + 8, 16.0 * y1 + 8, 16.0 * x2 + 8, 16.0 * y2 + 8, 16.0 * x + 8,
                               16.0 * y + 8);
}

std::optional<double> ComputeSideUValue(const BitmapModel& m, const MeshResults& r, int k)
{
    const float user = UserUValue(m, k);
    if (user > 0) {
        return user;
    }
    if (!IsLineUValueComputable(m, k)) {
        return std::nullopt;
    }
    const std::vector<LineRun> runs = LineRuns(m, k);
    const bool linear = m.calc.linr != 0;
    double resistance = 0.0;
    std::int32_t startX = runs.front().x, startY = runs.front().y;
    double t1 = 0, e1 = 0.9; // where a cavity began
    for (std::size_t i = 0; i + 1 < runs.size(); ++i) {
        const ColourRecord& p = m.colours[static_cast<std::size_t>(runs[i].colour)];
        const ColourRecord& q = m.colours[static_cast<std::size_t>(runs[i + 1].colour)];
        const std::int32_t x = runs[i + 1].x, y = runs[i + 1].y;
        const double d = std::hypot(double(x - startX), double(y - startY)) * m.pixs;
        // Kelvin at the pixel where the colour changes.
        auto here = [&]() -> double {
            const std::optional<double> t = ResultTemperatureOnLine(m, r, k, x, y);
            if (!t) {
                throw MissingTemperature();
            }
            return *t + kKelvin;
        };
        try {
            if (IsConducting(p.type)) {
                resistance += d / p.lamb;
            } else if (p.type == TRANSMAT) {
                const double t2 = here();
                const double e2 = IsConducting(q.type) ? q.epsi : 0.9;
                const double hr = linear ? m.calc.hrbl / (1.0 / e1 + 1.0 / e2 - 1.0) : RadiativeCoefficient(t1, t2, e1, e2);
                resistance += 1.0 / (p.lamb / d + hr);
            } else if (IsSurfaceBoundary(p.type)) {
                if (IsConducting(q.type)) {
                    resistance += 1.0 / p.hglo;
                }
            } else if (p.type == BC_FREE) {
                if (IsConducting(q.type)) {
                    resistance += 1.0 / (RadiativeCoefficient(t1, here(), e1, q.epsi) + 0.5 * p.hcon);
                }
            } else if (p.type == BC_SKY) {
                if (IsConducting(q.type)) {
                    resistance += 1.0 / (SkyCoefficient(q.epsi, here(), p.trad + kKelvin) + p.hcon);
                }
            }
            if (IsConducting(p.type) || p.type == TRANSMAT) {
                if (IsSurfaceBoundary(q.type)) {
                    resistance += 1.0 / q.hglo;
                } else if (q.type == BC_FREE) {
                    t1 = here();
                    e1 = p.epsi;
                } else if (q.type == BC_SKY) {
                    resistance += 1.0 / (SkyCoefficient(p.epsi, here(), q.trad + kKelvin) + q.hcon);
                }
            }
            if (IsConducting(q.type)) {
                startX = x, startY = y;
            } else if (q.type == TRANSMAT) {
                t1 = here();
                e1 = IsConducting(p.type) ? p.epsi : 0.9;
                startX = x, startY = y;
            }
        } catch (const MissingTemperature&) {
            return std::nullopt;
        }
    }
    return resistance > 0 ? 1.0 / resistance : 0.0;
}

double SaturationVapourPressure(double t)
{
    if (t < 0) {
        return 610.96 * std::exp(0.08236 * t - 0.00030151 * t * t + 1.3002e-6 * t * t * t);
    }
    if (t <= 40) {
        return 610.96 * std::exp(0.07263 * t - 0.00029507 * t * t + 9.2011e-7 * t * t * t);
    }
    const double f = 273.16 / (t + 273.16);
    const double x = 10.79586 * (1 - f) + 5.02808 * std::log10(f) +
                     0.000150474 * (1 - std::pow(10.0, -8.29692 * (1 / f - 1))) +
                     0.00042873 * (std::pow(10.0, 4.76955 * (1 - f)) - 1) - 2.2195983;
    return 101325 * std::pow(10.0, x);
}

namespace {

// The environment temperature of a colour; false when it has none. For psi
// and Uf a surface boundary counts with a surface coefficient, for the
// temperature factor also with a heat flux.
bool EnvironmentTemperature(const ColourRecord& c, bool withFlux, double& t)
{
    if (!c.present) {
        return false;
    }
    if (IsSurfaceBoundary(c.type) && (c.hglo != 0 || (withFlux && c.flux != 0))) {
        t = c.temp;
        return true;
    }
    if (c.type == BC_SKY || c.type == BC_NOSKY) {
        t = c.tair;
        return true;
    }
    return false;
}

// The highest and lowest environment temperature; false without any.
bool EnvironmentRange(const BitmapModel& m, bool withFlux, double& ti, double& te)
{
    bool any = false;
    for (const ColourRecord& c : m.colours) {
        double t = 0;
        if (EnvironmentTemperature(c, withFlux, t)) {
            ti = any ? std::max(ti, t) : t;
            te = any ? std::min(te, t) : t;
            any = true;
        }
    }
    return any;
}

} // namespace

Environments FindEnvironments(const BitmapModel& m)
{
    Environments env;
    EnvironmentRange(m, false, env.ti, env.te);
    if (env.ti > env.te) {
        double atTi = 0, atTe = 0;
        for (const ColourRecord& c : m.colours) {
            double t = 0;
            if (EnvironmentTemperature(c, false, t)) {
                const double net = double(c.heatFlowIn) - double(c.heatFlowOut);
                atTi += t == env.ti ? net : 0.0;
                atTe += t == env.te ? net : 0.0;
            }
        }
        env.q = (atTi - atTe) / 2.0;
    }
    return env;
}

PsiValues ComputePsiValues(const BitmapModel& m, const MeshResults& r)
{
    PsiValues v;
    const ReportSettings& s = m.report;
    if (s.flk1) {
        v.u1 = ComputeSideUValue(m, r, s.sid1).value_or(0.0);
        v.l1 = GetDistanceLength(m, s.dis1 - 1);
    }
    if (s.flk2) {
        v.u2 = ComputeSideUValue(m, r, s.sid2).value_or(0.0);
        v.l2 = GetDistanceLength(m, s.dis2 - 1);
    }
    if ((v.l1 == 0 && v.l2 == 0) || !HasTwoBoundaryTemperatures(m)) {
        return v;
    }
    v.env = FindEnvironments(m);
    if (!(v.env.te < v.env.ti)) {
        return v;
    }
    v.shown = true;
    const double dt = v.env.ti - v.env.te;
    v.psiShown = (v.u1 > 0 && v.l1 > 0) || (v.u2 > 0 && v.l2 > 0);
    v.psi = v.env.q / dt - v.u1 * v.l1 - v.u2 * v.l2;
    v.ueq = v.env.q / (dt * (v.l1 + v.l2));
    return v;
}

FrameValues ComputeFrameValues(BitmapModel& m, const MeshResults& r)
{
    FrameValues v;
    ReportSettings& s = m.report;
    if (m.ndis < 2) {
        s.rufr = 0;
    }
    if (m.ndis < 3) {
        s.pan2 = 0;
    }
    if (!HasTwoBoundaryTemperatures(m)) {
        return v;
    }
    v.wf = GetDistanceLength(m, s.difr - 1);
    v.up1 = ComputeSideUValue(m, r, s.sidp).value_or(0.0);
    v.wp1 = GetDistanceLength(m, s.dipa - 1);
    if (s.pan1 && s.pan2) {
        v.up2 = ComputeSideUValue(m, r, s.sip2).value_or(0.0);
        v.wp2 = GetDistanceLength(m, s.dip2 - 1);
    }
    v.env = FindEnvironments(m);
    if (v.wf == 0 || v.up1 == 0 || v.wp1 == 0 || !(v.env.te < v.env.ti)) {
        return v;
    }
    v.shown = true;
    v.uf = (v.env.q / (v.env.ti - v.env.te) - v.up1 * v.wp1 - v.up2 * v.wp2) / v.wf;
    return v;
}

TemperatureFactor ComputeTemperatureFactor(const BitmapModel& m)
{
    TemperatureFactor f;
    if (!EnvironmentRange(m, true, f.ti, f.te) || !(f.ti > f.te)) {
        return f;
    }
    const ColourRecord* inner = nullptr;
    for (const ColourRecord& c : m.colours) {
        double t = 0;
        if (EnvironmentTemperature(c, true, t) && t == f.ti && (!inner || c.lowestTemperature < inner->lowestTemperature)) {
            inner = &c;
        }
    }
    f.defined = true;
    f.tsiMin = inner->lowestTemperature;
    f.f = (f.tsiMin - f.te) / (f.ti - f.te);
    f.hasH = IsSurfaceBoundary(inner->type);
    f.hi = f.hasH ? inner->hglo : 0.0;
    f.condensationRh = 100.0 * SaturationVapourPressure(f.tsiMin) / SaturationVapourPressure(f.ti);
    return f;
}

} // namespace dralo

// Analytic rectangle and segment view factors and the obstruction rays.
#include "common/kernels/ViewFactor.h"

#include "common/kernels/SegmentViewFactor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>
#include <utility>

namespace kernels {

namespace {

// Below this A*F (grid units) a pair is taken as not seeing each other.
constexpr double kSmallestExchange = 1e-6;
// 1/32767: maps a 15-bit random number onto 0..1.
constexpr float kRandScale = 3.0518509e-5f;

struct PairFace {
    double lo[3];
    double hi[3];
    int orientation;
};

PairFace Load(const ViewFactorFace& f)
{
    return {{f.lo[0], f.lo[1], f.lo[2]}, {f.hi[0], f.hi[1], f.hi[2]}, f.orientation};
}

// Exchanges axes p and q of both faces; orientations follow the axes.
void SwapAxes(PairFace& a, PairFace& b, int p, int q)
{
    for (PairFace* f : {&a, &b}) {
        std::swap(f->lo[p], f->lo[q]);
        std::swap(f->hi[p], f->hi[q]);
        const int axis = f->orientation / 2;
        if (axis == p) {
            f->orientation = 2 * q + (f->orientation & 1);
        } else if (axis == q) {
            f->orientation = 2 * p + (f->orientation & 1);
        }
    }
}

// Mirrors both faces on the axis (v becomes -v); the sides on it exchange.
void Mirror(PairFace& a, PairFace& b, int axis)
{
    for (PairFace* f : {&a, &b}) {
        const double lo = f->lo[axis];
        f->lo[axis] = -f->hi[axis];
        f->hi[axis] = -lo;
        if (f->orientation / 2 == axis) {
            f->orientation ^= 1;
        }
    }
}

double Extent(const ViewFactorFace& f, int axis)
{
    return double(f.hi[axis]) - double(f.lo[axis]);
}

// Area in grid units: the product of the two extents off the face's own axis.
double GridArea(const ViewFactorFace& f)
{
    const int axis = f.orientation / 2;
    double area = 1.0;
    for (int a = 0; a < 3; ++a) {
        if (a != axis) {
            area *= Extent(f, a);
        }
    }
    return area;
}

int RayCount(const ViewFactorSettings& settings, double largerFactor)
{
    const double rays = settings.rays * largerFactor;
    const double n = settings.rounding == RayRounding::Nearest ? std::floor(rays + 0.5) : std::trunc(rays);
    return n < 1.0 ? 1 : static_cast<int>(std::min(n, 2147483647.0));
}

// Common tail of both pair formulas: the thresholds, the rays and the
// scaling of the unobstructed value af (grid units) by the unblocked share.
double ObstructedExchange(const ObstructionScene& scene, std::size_t i, std::size_t j, double af,
                          double size1, double size2, const ViewFactorSettings& settings,
                          platform::Rand15& rng)
{
    if (af < kSmallestExchange) {
        return 0.0;
    }
    const double f12 = af / size1;
    const double f21 = af / size2;
    if (f12 < settings.vwfc && f21 < settings.vwfc) {
        return 0.0;
    }
    const int n = RayCount(settings, std::max(f12, f21));
    const int m = scene.EstimateUnobstructedFraction(i, j, n, rng);
    if (m == 0) {
        return 0.0;
    }
    return m >= n ? af : (double(m) / double(n)) * af;
}

// The two in-plane axes of a model one cell thick along thinAxis.
std::pair<int, int> PlaneAxes(int thinAxis)
{
    if (thinAxis == 2) {
        return {0, 1};
    }
    if (thinAxis == 1) {
        return {0, 2};
    }
    return {1, 2};
}

// A face as a segment of the plane: bounds on the plane's first (a) and
// second (b) axis and its side 0..3 (-a, +a, -b, +b); side -1 when the face
// lies across the thin axis.
struct Segment {
    double a1, a2, b1, b2;
    int side;
};

Segment ToSegment(const ViewFactorFace& f, int thinAxis)
{
    const auto [pa, pb] = PlaneAxes(thinAxis);
    const int axis = f.orientation / 2;
    int side = -1;
    if (axis == pa) {
        side = f.orientation & 1;
    } else if (axis == pb) {
        side = 2 + (f.orientation & 1);
    }
    return {f.lo[pa], f.hi[pa], f.lo[pb], f.hi[pb], side};
}

// The segment in the plane's (a, b) coordinates: a face on an a side is
// flat in a, one on a b side flat in b.
ViewSegment PlaneSegment(const Segment& s)
{
    return s.side < 2 ? ViewSegment{s.a1, s.b1, s.a1, s.b2} : ViewSegment{s.a1, s.b1, s.a2, s.b1};
}

// Crossed strings between two faces of the plane (parallel or
// perpendicular), whole, as the visibility tests below let them see each
// other.
double StripExchange(const Segment& s1, const Segment& s2)
{
    return CrossedStringsExchange(PlaneSegment(s1), PlaneSegment(s2));
}

// Perpendicular strips: visible when each lies at least partly in front of
// the other's side.
double PerpendicularStripFactor(Segment s1, Segment s2)
{
    // Face 1 on a b side (flat in b), face 2 on an a side (flat in a).
    if (s1.side < 2) {
        std::swap(s1, s2);
    }
    const double b1 = s1.b1;
    const double a2 = s2.a1;
    if (s1.side == 3 && !(b1 < s2.b2)) {
        return 0.0;
    }
    if (s1.side == 2 && !(s2.b1 < b1)) {
        return 0.0;
    }
    if (s2.side == 0 && !(s1.a1 < a2)) {
        return 0.0;
    }
    if (s2.side == 1 && !(a2 < s1.a2)) {
        return 0.0;
    }
    return StripExchange(s1, s2);
}

} // namespace

int SelectThinAxis(int nx, int ny, int nz)
{
    if (nz == 1) {
        return 2;
    }
    if (ny == 1) {
        return 1;
    }
    if (nx == 1) {
        return 0;
    }
    return -1;
}

double RectangleFactorTermA(double a, double b, double d)
{
    if (a == 0.0 && b == 0.0) {
        return 0.0;
    }
    const double ca = a == 0.0 ? d : std::sqrt(a * a + d * d);
    const double cb = b == 0.0 ? d : std::sqrt(b * b + d * d);
    double term = 0.0;
    if (a != 0.0) {
        term += a * cb * std::atan(a / cb) - 0.5 * d * d * std::log((cb * cb + a * a) / (cb * cb));
    }
    if (b != 0.0) {
        term += b * ca * std::atan(b / ca);
    }
    return term;
}

double RectangleFactorTermB(double a, double b, double c)
{
    const double a2 = a * a;
    const double s = b * b + c * c;
    double term = 0.0;
    if (a2 + s != 0.0) {
        term += 0.25 * (a2 - s) * std::log(a2 + s);
    }
    if (a != 0.0 && s != 0.0) {
        const double root = std::sqrt(s);
        term += a * root * std::atan(a / root);
    }
    return term;
}

double UnobstructedRectangleExchange(const ViewFactorFace& f1, const ViewFactorFace& f2)
{
    PairFace a = Load(f1);
    PairFace b = Load(f2);
    if (a.orientation == b.orientation) {
        return 0.0;
    }
    // Standard position: face 1 on the -x side at x = X1, face 2 on the +x
    // side (parallel) or on the -y side (perpendicular) in front of it.
    if (a.orientation / 2 == 1) {
        SwapAxes(a, b, 0, 1);
    } else if (a.orientation / 2 == 2) {
        SwapAxes(a, b, 0, 2);
    }
    if (b.orientation / 2 == 2) {
        SwapAxes(a, b, 1, 2);
    }
    if (a.orientation == 1) {
        Mirror(a, b, 0);
    }
    if (b.orientation == 3) {
        Mirror(a, b, 1);
    }
    const double x1 = a.lo[0];
    if (!(b.lo[0] < x1)) {
        return 0.0;
    }
    double sum = 0.0;
    if (b.orientation == 1) {
        const double d = x1 - b.lo[0];
        const double like[2][2] = {{b.hi[1] - a.hi[1], b.lo[1] - a.lo[1]},
                                   {b.hi[2] - a.hi[2], b.lo[2] - a.lo[2]}};
        const double unlike[2][2] = {{b.hi[1] - a.lo[1], b.lo[1] - a.hi[1]},
                                     {b.hi[2] - a.lo[2], b.lo[2] - a.hi[2]}};
        for (int m = 0; m < 2; ++m) {
            for (int n = 0; n < 2; ++n) {
                sum += RectangleFactorTermA(like[0][m], like[1][n], d);
                sum += RectangleFactorTermA(unlike[0][m], unlike[1][n], d);
                sum -= RectangleFactorTermA(like[0][m], unlike[1][n], d);
                sum -= RectangleFactorTermA(unlike[0][m], like[1][n], d);
            }
        }
    } else {
        const double y2 = b.lo[1];
        if (!(a.lo[1] < y2)) {
            return 0.0;
        }
        const double p1 = y2 - a.hi[1];
        const double p2 = y2 - a.lo[1];
        const double q1 = x1 - b.hi[0];
        const double q2 = x1 - b.lo[0];
        const double like[2] = {b.hi[2] - a.hi[2], b.lo[2] - a.lo[2]};
        const double unlike[2] = {b.hi[2] - a.lo[2], b.lo[2] - a.hi[2]};
        auto corners = [&](double w) {
            return RectangleFactorTermB(w, p2, q2) + RectangleFactorTermB(w, p1, q1) -
                   RectangleFactorTermB(w, p2, q1) - RectangleFactorTermB(w, p1, q2);
        };
        for (int m = 0; m < 2; ++m) {
            sum += corners(like[m]) - corners(unlike[m]);
        }
    }
    return sum / (2.0 * std::numbers::pi);
}

double UnobstructedSegmentExchange(const ViewFactorFace& f1, const ViewFactorFace& f2, int thinAxis)
{
    const Segment s1 = ToSegment(f1, thinAxis);
    const Segment s2 = ToSegment(f2, thinAxis);
    if (s1.side < 0 || s2.side < 0 || s1.side == s2.side) {
        return 0.0;
    }
    if ((s1.side ^ s2.side) > 1) {
        return PerpendicularStripFactor(s1, s2);
    }
    if (s1.side < 2) {
        const double a1 = s1.a1;
        const double a2 = s2.a1;
        if ((s1.side == 0 && !(a2 < a1)) || (s1.side == 1 && !(a2 > a1))) {
            return 0.0;
        }
        return StripExchange(s1, s2);
    }
    const double b1 = s1.b1;
    const double b2 = s2.b1;
    if ((s1.side == 2 && !(b2 < b1)) || (s1.side == 3 && !(b2 > b1))) {
        return 0.0;
    }
    return StripExchange(s1, s2);
}

ObstructionScene::ObstructionScene(std::span<const ViewFactorFace> faces) : m_faces(faces)
{
    if (!m_tree.Init(faces.size())) {
        throw std::bad_alloc();
    }
    for (std::size_t n = 0; n < faces.size(); ++n) {
        const ViewFactorFace& f = faces[n];
        m_tree.AddBox(static_cast<std::int32_t>(n), f.lo[0], f.lo[1], f.lo[2], f.hi[0], f.hi[1], f.hi[2]);
    }
    m_tree.Build();
}

int ObstructionScene::EstimateUnobstructedFraction(std::size_t i, std::size_t j, int n,
                                                   platform::Rand15& rng) const
{
    const ViewFactorFace& f1 = m_faces[i];
    const ViewFactorFace& f2 = m_faces[j];
    int unblocked = 0;
    for (int ray = 0; ray < n; ++ray) {
        // One random number per face: the points run along the face diagonals.
        const float t1 = float(rng.Next()) * kRandScale;
        const float t2 = float(rng.Next()) * kRandScale;
        float start[3];
        float end[3];
        float lo[3];
        float hi[3];
        for (int a = 0; a < 3; ++a) {
            start[a] = f1.lo[a] + t1 * (f1.hi[a] - f1.lo[a]);
            end[a] = f2.lo[a] + t2 * (f2.hi[a] - f2.lo[a]);
            // A face only blocks when it overlaps the segment's box with strict
            // inequalities: the inclusive tree query on the box shrunk by one
            // float step on each side gives exactly those faces.
            lo[a] = std::nextafter(std::min(start[a], end[a]), std::numeric_limits<float>::infinity());
            hi[a] = std::nextafter(std::max(start[a], end[a]), -std::numeric_limits<float>::infinity());
        }
        const bool clear = m_tree.VisitOverlaps(lo, hi, [&](std::int32_t id) {
            const std::size_t k = static_cast<std::size_t>(id);
            if (k == i || k == j) {
                return true;
            }
            const ViewFactorFace& g = m_faces[k];
            const int flat = g.lo[0] == g.hi[0] ? 0 : (g.lo[1] == g.hi[1] ? 1 : 2);
            // The strict overlap puts the plane strictly between the ends.
            const float t = (g.lo[flat] - start[flat]) / (end[flat] - start[flat]);
            for (int a = 0; a < 3; ++a) {
                if (a == flat) {
                    continue;
                }
                const float c = start[a] + t * (end[a] - start[a]);
                if (c < g.lo[a] || c > g.hi[a]) {
                    return true;
                }
            }
            return false;
        });
        if (clear) {
            ++unblocked;
        }
    }
    return unblocked;
}

double ComputeRectangleViewFactor(const ObstructionScene& scene, std::size_t i, std::size_t j,
                                  const ViewFactorSettings& settings, platform::Rand15& rng)
{
    const ViewFactorFace& f1 = scene.Faces()[i];
    const ViewFactorFace& f2 = scene.Faces()[j];
    const double af = UnobstructedRectangleExchange(f1, f2);
    return ObstructedExchange(scene, i, j, af, GridArea(f1), GridArea(f2), settings, rng) * settings.grun *
           settings.grun;
}

double ComputeFacePairViewFactor(const ObstructionScene& scene, std::size_t i, std::size_t j,
                                 const ViewFactorSettings& settings, platform::Rand15& rng)
{
    const ViewFactorFace& f1 = scene.Faces()[i];
    const ViewFactorFace& f2 = scene.Faces()[j];
    const double lf = UnobstructedSegmentExchange(f1, f2, settings.thinAxis);
    const std::pair<int, int> plane = PlaneAxes(settings.thinAxis);
    const int pa = plane.first;
    const int pb = plane.second;
    auto length = [&](const ViewFactorFace& f) {
        return f.orientation / 2 == pa ? Extent(f, pb) : Extent(f, pa);
    };
    return ObstructedExchange(scene, i, j, lf, length(f1), length(f2), settings, rng) * settings.thinWidth *
           settings.grun * settings.grun;
}

double ComputePairViewFactor(const ObstructionScene& scene, std::size_t i, std::size_t j,
                             const ViewFactorSettings& settings, platform::Rand15& rng)
{
    return settings.thinAxis < 0 ? ComputeRectangleViewFactor(scene, i, j, settings, rng)
                                 : ComputeFacePairViewFactor(scene, i, j, settings, rng);
}

} // namespace kernels

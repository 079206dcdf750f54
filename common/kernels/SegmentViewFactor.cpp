// Crossed strings, clipping and obstruction rays of two-dimensional cavities.
#include "common/kernels/SegmentViewFactor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace kernels {

namespace {

constexpr double kTiny = 1e-6;

double Cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

// Which side of the line through (x1, y1), (x2, y2) the point lies on.
double Orientation(double x1, double y1, double x2, double y2, double px, double py)
{
    return Cross(x2 - x1, y2 - y1, px - x1, py - y1);
}

double Length(const ViewSegment& s)
{
    return std::hypot(s.x2 - s.x1, s.y2 - s.y1);
}

double Distance(double ax, double ay, double bx, double by)
{
    return std::hypot(bx - ax, by - ay);
}

bool OppositeStrict(double a, double b)
{
    return (a > 0 && b < 0) || (a < 0 && b > 0);
}

// Float bounds that contain the double interval, so that the tree's
// candidate search never misses a segment.
float Below(double v)
{
    return std::nextafter(static_cast<float>(v), -std::numeric_limits<float>::infinity());
}
float Above(double v)
{
    return std::nextafter(static_cast<float>(v), std::numeric_limits<float>::infinity());
}

} // namespace

bool ClipInFrontOf(const ViewSegment& s, const ViewSegment& other, ViewSegment& clipped)
{
    const double d1 = Orientation(other.x1, other.y1, other.x2, other.y2, s.x1, s.y1);
    const double d2 = Orientation(other.x1, other.y1, other.x2, other.y2, s.x2, s.y2);
    if (!(d1 > 0) && !(d2 > 0)) {
        return false;
    }
    clipped = s;
    if (d1 < 0 || d2 < 0) {
        // Crossing the other's line: keep the part on its front.
        const double t = d1 / (d1 - d2);
        const double cx = s.x1 + t * (s.x2 - s.x1);
        const double cy = s.y1 + t * (s.y2 - s.y1);
        if (d1 < 0) {
            clipped.x1 = cx;
            clipped.y1 = cy;
        } else {
            clipped.x2 = cx;
            clipped.y2 = cy;
        }
    }
    return true;
}

double CrossedStringsExchange(const ViewSegment& a, const ViewSegment& b)
{
    const double crossed = Distance(a.x1, a.y1, b.x2, b.y2) + Distance(a.x2, a.y2, b.x1, b.y1);
    const double uncrossed = Distance(a.x1, a.y1, b.x1, b.y1) + Distance(a.x2, a.y2, b.x2, b.y2);
    return std::abs(crossed - uncrossed) / 2.0;
}

SegmentScene::SegmentScene(std::span<const ViewSegment> segments) : m_segments(segments)
{
    if (!m_tree.Init(segments.size())) {
        throw std::bad_alloc();
    }
    for (std::size_t n = 0; n < segments.size(); ++n) {
        const ViewSegment& s = segments[n];
        m_tree.AddBox(static_cast<std::int32_t>(n), Below(std::min(s.x1, s.x2)), Below(std::min(s.y1, s.y2)), 0.0f,
                      Above(std::max(s.x1, s.x2)), Above(std::max(s.y1, s.y2)), 0.0f);
    }
    m_tree.Build(2); // the boxes all lie in the plane z = 0
}

bool SegmentScene::IsBlocked(double ax, double ay, double bx, double by, std::size_t skip1, std::size_t skip2) const
{
    auto blocks = [&](std::int32_t id) {
        const auto k = static_cast<std::size_t>(id);
        if (k == skip1 || k == skip2) {
            return false;
        }
        const ViewSegment& s = m_segments[k];
        if (std::max(s.x1, s.x2) < std::min(ax, bx) || std::min(s.x1, s.x2) > std::max(ax, bx) ||
            std::max(s.y1, s.y2) < std::min(ay, by) || std::min(s.y1, s.y2) > std::max(ay, by)) {
            return false;
        }
        return OppositeStrict(Orientation(ax, ay, bx, by, s.x1, s.y1), Orientation(ax, ay, bx, by, s.x2, s.y2)) &&
               OppositeStrict(Orientation(s.x1, s.y1, s.x2, s.y2, ax, ay), Orientation(s.x1, s.y1, s.x2, s.y2, bx, by));
    };
    // Only the segments whose boxes lie along the ray, not all those in the
    // ray's bounding box, which for a long slanted ray is most of the zone.
    const double a[3] = {ax, ay, 0.0};
    const double b[3] = {bx, by, 0.0};
    return !m_tree.VisitAlongSegment(a, b, [&](std::int32_t id) { return !blocks(id); });
}

double ComputeSegmentPairViewFactor(const SegmentScene& scene, std::size_t i, std::size_t j,
                                    const SegmentViewFactorSettings& settings, platform::Rand15& rng)
{
    const ViewSegment& si = scene.Segments()[i];
    const ViewSegment& sj = scene.Segments()[j];
    ViewSegment ci;
    ViewSegment cj;
    if (!ClipInFrontOf(si, sj, ci) || !ClipInFrontOf(sj, si, cj)) {
        return 0.0;
    }
    const double ai = Length(ci);
    const double aj = Length(cj);
    if (ai < kTiny || aj < kTiny) {
        return 0.0;
    }
    const double x = CrossedStringsExchange(ci, cj);
    if (x < kTiny) {
        return 0.0;
    }
    const double fij = x / ai;
    const double fji = x / aj;
    if (fij < settings.vwfc && fji < settings.vwfc) {
        return 0.0;
    }
    const int rays = std::max(1, static_cast<int>(std::max(fij, fji) * settings.rays));
    int passed = 0;
    for (int r = 0; r < rays; ++r) {
        const double t = rng.Next() / 32767.0;
        const double s = rng.Next() / 32767.0;
        const double ax = ci.x1 + t * (ci.x2 - ci.x1);
        const double ay = ci.y1 + t * (ci.y2 - ci.y1);
        const double bx = cj.x1 + s * (cj.x2 - cj.x1);
        const double by = cj.y1 + s * (cj.y2 - cj.y1);
        if (!scene.IsBlocked(ax, ay, bx, by, i, j)) {
            ++passed;
        }
    }
    if (passed == rays) {
        return x;
    }
    return passed == 0 ? 0.0 : x * passed / rays;
}

void ComputeSegmentZoneViewFactors(std::span<const ViewSegment> segments, const SegmentViewFactorSettings& settings,
                                   std::span<double> matrix, const PairLoopOptions& options)
{
    if (PackedSize(segments.size()) == 0) {
        return;
    }
    const SegmentScene scene(segments);
    RunZonePairLoop(
        segments.size(), matrix,
        [&](std::size_t i, std::size_t j, platform::Rand15& rng) {
            return ComputeSegmentPairViewFactor(scene, i, j, settings, rng);
        },
        options);
}

} // namespace kernels

// The pieces of a split grid cell.
#include "common/kernels/GridSplit.h"

#include <algorithm>
#include <cmath>

namespace kernels {

namespace {

// Most cells of one axis (its count is 16-bit).
constexpr std::size_t kMaxCells = 0xFFFF;
// Most graded pieces in one part of an Auto Split cell.
constexpr int kMaxGradedPieces = 1000;

std::vector<float> Border(float w, float d, bool first)
{
    if (!(d > 0) || d > w - 0.001f)
        return {w};
    return first ? std::vector<float>{d, w - d} : std::vector<float>{w - d, d};
}

} // namespace

std::vector<float> MaximumWidths(double w, double d)
{
    if (!(d > 0) || !(w > 0))
        return {static_cast<float>(w)};
    double pieces = std::ceil(w / d);
    const double rest = std::fmod(w, d);
    if (rest > 0 && rest < w * 0.001)
        pieces -= 1;
    if (pieces > static_cast<double>(kMaxCells))
        return {};
    const std::size_t n = static_cast<std::size_t>(pieces);
    if (n <= 1)
        return {static_cast<float>(w)};
    std::vector<float> out(n - 1, static_cast<float>(d));
    out.push_back(static_cast<float>(w - static_cast<double>(n - 1) * d));
    return out;
}

std::vector<float> SplitWidths(float w, const SplitSettings& s, bool mirrored)
{
    std::vector<float> out;
    switch (s.method) {
    case kSplitGeometric: {
        const int n = s.subdivisions;
        if (n <= 1 || !(s.ratio > 0))
            return {w};
        if (static_cast<std::size_t>(n) > kMaxCells)
            return {};
        const double q = s.ratio;
        double piece = q == 1 ? static_cast<double>(w) / n : w * (q - 1) / (std::pow(q, n) - 1);
        for (int i = 0; i < n; ++i, piece *= q) {
            // A ratio so large that the pieces underflow or overflow splits nothing.
            if (!(piece > 0) || !std::isfinite(piece))
                return {w};
            out.push_back(static_cast<float>(piece));
        }
        break;
    }
    case kSplitMaximum:
        out = MaximumWidths(w, s.meshWidth);
        break;
    case kSplitBorder1:
        out = Border(w, s.meshWidth, true);
        break;
    case kSplitBorder2:
        out = Border(w, s.meshWidth, false);
        break;
    case kSplitBorder12:
        out = Border(w, s.meshWidth, false);
        if (out.size() == 2) {
            std::vector<float> first = Border(out[0], s.meshWidth, true);
            first.push_back(out[1]);
            out.swap(first);
        }
        break;
    default:
        return {w};
    }
    // The third axis listed from the top: the same pieces from the other end
    // (a geometric series with ratio 1/q).
    if (mirrored)
        std::reverse(out.begin(), out.end());
    return out;
}

std::vector<float> GradedWidths(float w, float d, float q, bool fineAtLower)
{
    if (!(d > 0) || !(q > 0))
        return {w};
    // The smallest k whose k graded pieces reach the width; k - 1 of them are
    // kept and the rest completes the width.
    std::vector<float> out;
    double sum = 0, piece = d;
    for (int k = 1; k < kMaxGradedPieces; ++k, piece *= q) {
        if (sum + piece >= static_cast<double>(w) - 0.0001)
            break;
        out.push_back(static_cast<float>(piece));
        sum += piece;
    }
    out.push_back(static_cast<float>(w - sum));
    if (!fineAtLower)
        std::reverse(out.begin(), out.end());
    return out;
}

std::vector<float> AutoSplitCell(float w, std::size_t cell, std::size_t n, const AutoSplitSettings& s)
{
    if (w <= s.sizeLimit)
        return MaximumWidths(w, s.distance);
    if (n == 1)
        return {w};
    // The fine piece lies at the cell's end inside the axis: the first cell
    // grades from its upper line, the last from its lower one, a middle cell
    // from both after halving.
    if (cell == 0)
        return GradedWidths(w, s.distance, s.ratio, false);
    if (cell == n - 1)
        return GradedWidths(w, s.distance, s.ratio, true);
    std::vector<float> pieces = GradedWidths(w / 2, s.distance, s.ratio, true);
    const std::vector<float> upper = GradedWidths(w - w / 2, s.distance, s.ratio, false);
    pieces.insert(pieces.end(), upper.begin(), upper.end());
    return pieces;
}

} // namespace kernels

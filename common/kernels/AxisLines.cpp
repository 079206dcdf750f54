// Rebuilding an axis from coordinates and finding lines again.
#include "common/kernels/AxisLines.h"

#include <algorithm>
#include <cmath>

namespace kernels {

double SnapToLengthQuantum(double length, double quantum)
{
    // Quanta per unit: dividing by it is exact where multiplying by the
    // quantum is not (1 / 0.001 is exactly 1000).
    const double perQuantum = 1.0 / quantum;
    return std::round(length * perQuantum) / perQuantum;
}

int CompareCoordinates(float a, float b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

void SortDistinctCoordinates(std::vector<float>& list)
{
    std::sort(list.begin(), list.end(), [](float a, float b) { return CompareCoordinates(a, b) < 0; });
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

float AxisFromSortedCoordinates(std::span<const float> sorted, std::span<float> coords,
                                std::span<float> widths)
{
    const float first = sorted[0];
    const std::size_t n = sorted.size() - 1;
    for (std::size_t i = 1; i <= n; ++i)
        coords[i - 1] = sorted[i] - first;
    WidthsFromCoordinates(coords.first(n), widths);
    return first;
}

void WidthsFromCoordinates(std::span<const float> coords, std::span<float> widths)
{
    for (std::size_t i = 0; i < coords.size(); ++i)
        widths[i] = i == 0 ? coords[0] : coords[i] - coords[i - 1];
}

std::optional<std::size_t> FindExactLine(std::span<const float> coords, float c)
{
    if (c == 0.0f)
        return 0;
    const auto p = std::lower_bound(coords.begin(), coords.end(), c);
    if (p != coords.end() && *p == c)
        return static_cast<std::size_t>(p - coords.begin()) + 1;
    return std::nullopt;
}

std::size_t NearestLine(std::span<const float> coords, float c)
{
    // Line i lies at coords[i - 1]; line 0 at 0 comes first. The first line
    // not below c and the last one below it are the candidates.
    const auto p = std::lower_bound(coords.begin(), coords.end(), c);
    std::size_t above = static_cast<std::size_t>(p - coords.begin()) + 1; // line of *p
    if (c <= 0.0f)
        return 0;
    std::size_t below = above - 1; // line of p[-1], or line 0
    const float belowCoord = below == 0 ? 0.0f : coords[below - 1];
    // The lowest of several equal lines below.
    while (below > 0 && (below == 1 ? 0.0f : coords[below - 2]) == belowCoord)
        --below;
    if (p == coords.end())
        return below;
    return static_cast<double>(c) - belowCoord <= static_cast<double>(*p) - c ? below : above;
}

} // namespace kernels

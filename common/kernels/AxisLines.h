// Grid lines of one axis from coordinates, as the programs rebuild an axis
// after its lines change (minimum grid, merging, inserting a file): the
// items' coordinates, snapped to the program's length quantum, are sorted
// into distinct lines, the lowest becomes line 0, and each item finds its
// line again. An axis is held as the coordinates of lines 1..n (line 0 lies
// at 0, sorted ascending) and the widths of its n cells.
#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace kernels {

// The block-grid programs keep lengths to this quantum (grid units) when
// lines are rebuilt; the shape program keeps them to the model's resolution.
constexpr double kLengthQuantum = 0.001;

// Nearest multiple of the quantum (> 0), halves away from zero.
double SnapToLengthQuantum(double length, double quantum);

// -1, 0 or 1: the ascending order of coordinates.
int CompareCoordinates(float a, float b);

// Sorts the coordinates ascending and keeps one of each equal value.
void SortDistinctCoordinates(std::vector<float>& list);

// From distinct ascending coordinates (at least one): the first is the new
// line 0 and is returned; coords receives the others less the first (lines
// 1..n, n = list size - 1) and widths the n cell widths. Callers subtract the
// returned value from their items the same way, so that items and lines stay
// exactly equal.
float AxisFromSortedCoordinates(std::span<const float> sorted, std::span<float> coords,
                                std::span<float> widths);

// Widths of the n cells from the coordinates of lines 1..n.
void WidthsFromCoordinates(std::span<const float> coords, std::span<float> widths);

// The line whose coordinate equals c, found by halving (0 for c = 0, the
// lowest of equal lines); empty when no line has it.
std::optional<std::size_t> FindExactLine(std::span<const float> coords, float c);

// The line nearest to c by absolute distance, line 0 at 0 included; of two
// equally near lines the lower one.
std::size_t NearestLine(std::span<const float> coords, float c);

} // namespace kernels

// How the axis tables of the block programs (Grid, Minimum Grid,
// Coordinates, Clip Object) number their rows, and the Grid table's interval
// selection. In the R/C/L naming the third axis is listed from the top, so a
// row of that axis names the mirrored interval or line, and an index is shown
// as the node number 2i + 1. The selection of interval i is bit 0 of the flag
// byte of its first line i.
#pragma once
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace kernels {

// Interval (0-based) shown in table row `row` (1-based) of an axis of n
// intervals, and the row of an interval.
inline int IntervalOfRow(int row, int n, bool mirrored)
{
    return mirrored ? n - row : row - 1;
}
inline int RowOfInterval(int interval, int n, bool mirrored)
{
    return mirrored ? n - interval : interval + 1;
}
// Grid line (0..n) shown in row `row` of a column of lines, and the row of a line.
inline int LineOfRow(int row, int n, bool mirrored)
{
    return mirrored ? n + 1 - row : row - 1;
}
inline int RowOfLine(int line, int n, bool mirrored)
{
    return mirrored ? n + 1 - line : line + 1;
}
// The node number under which the R/C/L naming shows grid line i.
inline int NodeNumber(int line)
{
    return 2 * line + 1;
}
// A typed node number back to its line (the remainder dropped).
inline int LineOfNodeNumber(int entered)
{
    return entered / 2;
}

// The Clip Object table's two rows of one axis of n intervals: what the Min.
// and Max. rows show of the clip range lo..hi (line indices, not yet turned
// into node numbers), and an entry v (a line index) typed into one of them.
// The third axis in the R/C/L naming is mirrored: Min. shows n - hi and Max.
// n - lo. Out of range entries change nothing (false); an entry that meets
// the other bound pushes it one interval on.
int ShownClipBound(int lo, int hi, bool minRow, int n, bool mirrored);
bool EditClipRange(int& lo, int& hi, bool minRow, int v, int n, bool mirrored);

// The Grid table's selection on the flag bytes of one axis of n intervals.
constexpr std::uint8_t kIntervalSelected = 1;
inline bool IsIntervalSelected(std::span<const std::uint8_t> flags, int interval)
{
    return (flags[static_cast<std::size_t>(interval)] & kIntervalSelected) != 0;
}
int CountSelectedIntervals(std::span<const std::uint8_t> flags, int n);
void SelectIntervals(std::span<std::uint8_t> flags, int n, bool on);
// Switch Select Downward (step +1) or Upward (step -1): toggles the interval
// `start` and its neighbours in that direction as long as their selection
// equals the one `start` had.
void ToggleIntervalRun(std::span<std::uint8_t> flags, int n, int start, int step);
// The maximal runs first..last of selected intervals, in increasing order.
std::vector<std::pair<int, int>> SelectedRuns(std::span<const std::uint8_t> flags, int n);

} // namespace kernels

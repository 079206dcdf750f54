// Clip rows and the interval selection of the axis tables.
#include "common/kernels/TableAxes.h"

namespace kernels {

int ShownClipBound(int lo, int hi, bool minRow, int n, bool mirrored)
{
    if (mirrored)
        return minRow ? n - hi : n - lo;
    return minRow ? lo : hi;
}

bool EditClipRange(int& lo, int& hi, bool minRow, int v, int n, bool mirrored)
{
    if (minRow ? !(v >= 0 && v < n) : !(v > 0 && v <= n))
        return false;
    // Mirrored, the Min. row moves the upper bound and Max. the lower one.
    if (minRow != mirrored) {
        lo = mirrored ? n - v : v;
        if (hi <= lo)
            hi = lo + 1;
    } else {
        hi = mirrored ? n - v : v;
        if (lo >= hi)
            lo = hi - 1;
    }
    return true;
}

int CountSelectedIntervals(std::span<const std::uint8_t> flags, int n)
{
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += IsIntervalSelected(flags, i);
    return count;
}

void SelectIntervals(std::span<std::uint8_t> flags, int n, bool on)
{
    for (int i = 0; i < n; ++i) {
        std::uint8_t& f = flags[static_cast<std::size_t>(i)];
        f = static_cast<std::uint8_t>(on ? f | kIntervalSelected : f & ~kIntervalSelected);
    }
}

void ToggleIntervalRun(std::span<std::uint8_t> flags, int n, int start, int step)
{
    if (start < 0 || start >= n)
        return;
    const bool was = IsIntervalSelected(flags, start);
    for (int i = start; i >= 0 && i < n && IsIntervalSelected(flags, i) == was; i += step)
        flags[static_cast<std::size_t>(i)] ^= kIntervalSelected;
}

std::vector<std::pair<int, int>> SelectedRuns(std::span<const std::uint8_t> flags, int n)
{
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < n; ++i) {
        if (!IsIntervalSelected(flags, i))
            continue;
        int last = i;
        while (last + 1 < n && IsIntervalSelected(flags, last + 1))
            ++last;
        runs.emplace_back(i, last);
        i = last;
    }
    return runs;
}

} // namespace kernels

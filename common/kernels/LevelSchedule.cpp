// Planning the levels: chunks from the rows' last lower column, chunk levels
// in one pass in row order (a chunk only depends on earlier chunks), then
// the chunks sorted by level and grouped into tasks.
#include "common/kernels/LevelSchedule.h"

#include "common/kernels/SymmetricPattern.h"

#include <algorithm>

namespace kernels {

namespace {

LevelSchedule OneTask(Index grid)
{
    LevelSchedule s;
    if (grid > 0) {
        s.chunkStart = {0, static_cast<std::int32_t>(grid)};
        s.taskChunks = {0};
        s.taskOfChunk = {0};
        s.taskStart = {0, 1};
        s.levelStart = {0, 1};
        s.waitStart = {0, 0};
        s.freedStart = {0, 0};
    }
    return s;
}

} // namespace

LevelSchedule PlanLevels(const SymmetricPattern& pattern, const ScheduleLimits& limits)
{
    const Index grid = pattern.GridRowCount();
    if (grid < limits.parallelRows)
        return OneTask(grid);
    const LowerPosition* start = pattern.RowStarts();
    const Column* col = pattern.Columns();

    LevelSchedule s;
    s.chunkStart.clear();
    std::vector<std::int32_t> chunkOf(grid);
    for (Index n = 0; n < grid; ++n) {
        // Columns ascend, so a row depends on the row before when that is its last column.
        const bool follows = start[n + 1] > start[n] && col[start[n + 1] - 1] == n - 1;
        if (n == 0 || !follows || n - s.chunkStart.back() >= limits.chunkRows)
            s.chunkStart.push_back(static_cast<std::int32_t>(n));
        chunkOf[n] = static_cast<std::int32_t>(s.chunkStart.size() - 1);
    }
    s.chunkStart.push_back(static_cast<std::int32_t>(grid));
    const Index chunks = static_cast<Index>(s.chunkStart.size()) - 1;

    std::vector<std::int32_t> level(chunks, 0);
    std::int32_t top = 0;
    for (Index c = 0; c < chunks; ++c) {
        std::int32_t l = 0;
        for (Index e = start[s.chunkStart[c]]; e < start[s.chunkStart[c + 1]]; ++e) {
            const std::int32_t other = chunkOf[col[e]];
            if (other != c)
                l = std::max(l, level[other] + 1);
        }
        level[c] = l;
        top = std::max(top, l);
    }
    const Index levels = Index{top} + 1;
    if (grid / levels < limits.rowsPerLevel)
        return OneTask(grid);

    std::vector<std::int32_t> first(levels + 1, 0);
    for (std::int32_t l : level)
        ++first[l + 1];
    for (Index l = 0; l < levels; ++l)
        first[l + 1] += first[l];
    s.taskChunks.resize(chunks);
    std::vector<std::int32_t> fill(first.begin(), first.end() - 1);
    for (Index c = 0; c < chunks; ++c)
        s.taskChunks[fill[level[c]]++] = static_cast<std::int32_t>(c);

    for (Index l = 0; l < levels; ++l) {
        Index rows = 0;
        for (std::int32_t k = first[l]; k < first[l + 1]; ++k) {
            const std::int32_t c = s.taskChunks[k];
            rows += s.chunkStart[c + 1] - s.chunkStart[c];
            if (rows >= limits.taskRows) {
                s.taskStart.push_back(k + 1);
                rows = 0;
            }
        }
        if (rows > 0)
            s.taskStart.push_back(first[l + 1]);
        s.levelStart.push_back(static_cast<std::int32_t>(s.taskStart.size() - 1));
    }

    // The tasks each task waits for, from the chunks its rows depend on.
    const Index tasks = s.TaskCount();
    std::vector<std::int32_t>& taskOf = s.taskOfChunk;
    taskOf.resize(chunks);
    for (Index t = 0; t < tasks; ++t)
        for (std::int32_t k = s.taskStart[t]; k < s.taskStart[t + 1]; ++k)
            taskOf[s.taskChunks[k]] = static_cast<std::int32_t>(t);
    std::vector<std::int32_t> mine;
    for (Index t = 0; t < tasks; ++t) {
        mine.clear();
        for (std::int32_t k = s.taskStart[t]; k < s.taskStart[t + 1]; ++k) {
            const std::int32_t c = s.taskChunks[k];
            for (Index e = start[s.chunkStart[c]]; e < start[s.chunkStart[c + 1]]; ++e) {
                const std::int32_t other = taskOf[chunkOf[col[e]]];
                if (other != t)
                    mine.push_back(other);
            }
        }
        std::sort(mine.begin(), mine.end());
        mine.erase(std::unique(mine.begin(), mine.end()), mine.end());
        s.waitFor.insert(s.waitFor.end(), mine.begin(), mine.end());
        s.waitStart.push_back(static_cast<std::int32_t>(s.waitFor.size()));
    }
    s.freedStart.assign(tasks + 1, 0);
    for (std::int32_t w : s.waitFor)
        ++s.freedStart[w + 1];
    for (Index t = 0; t < tasks; ++t)
        s.freedStart[t + 1] += s.freedStart[t];
    s.freed.resize(s.waitFor.size());
    std::vector<std::int32_t> fillFreed(s.freedStart.begin(), s.freedStart.end() - 1);
    for (Index t = 0; t < tasks; ++t)
        for (std::int32_t k = s.waitStart[t]; k < s.waitStart[t + 1]; ++k)
            s.freed[fillFreed[s.waitFor[k]]++] = static_cast<std::int32_t>(t);
    return s;
}

} // namespace kernels

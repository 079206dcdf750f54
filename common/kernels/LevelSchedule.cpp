// Planning the schedule: chunks from the rows' last lower column; then
// either wavefront tasks (runs of chained chunks, their levels in one pass in
// row order, as a task only depends on earlier tasks) or chunk levels with
// the chunks of each level grouped into tasks; last the tasks each task
// waits for and frees.
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

struct Chunks {
    std::vector<std::int32_t> start; // rows [start[c], start[c + 1]) form chunk c
    std::vector<std::int32_t> of;    // the chunk of each row
    Index Count() const { return static_cast<Index>(start.size()) - 1; }
};

Chunks CutChunks(const SymmetricPattern& pattern, const ScheduleLimits& limits)
{
    const Index grid = pattern.GridRowCount();
    const LowerPosition* start = pattern.RowStarts();
    const Column* col = pattern.Columns();
    Chunks c;
    c.of.resize(grid);
    for (Index n = 0; n < grid; ++n) {
        // Columns ascend, so a row depends on the row before when that is its last column.
        const bool follows = start[n + 1] > start[n] && col[start[n + 1] - 1] == n - 1;
        if (n == 0 || !follows || n - c.start.back() >= limits.chunkRows)
            c.start.push_back(static_cast<std::int32_t>(n));
        c.of[n] = static_cast<std::int32_t>(c.start.size() - 1);
    }
    c.start.push_back(static_cast<std::int32_t>(grid));
    return c;
}

// Levels of groups of chunks, where group[c] is the group of chunk c and a
// group only depends on earlier groups: one more than the highest level of
// the groups that its rows depend on. Returns the number of levels.
Index GroupLevels(const SymmetricPattern& pattern, const Chunks& chunks, const std::vector<std::int32_t>& group,
                  std::vector<std::int32_t>& level)
{
    const LowerPosition* start = pattern.RowStarts();
    const Column* col = pattern.Columns();
    level.assign(group.empty() ? 0 : group.back() + 1, 0);
    std::int32_t top = 0;
    for (Index c = 0; c < chunks.Count(); ++c) {
        const std::int32_t g = group[c];
        std::int32_t l = level[g];
        for (Index e = start[chunks.start[c]]; e < start[chunks.start[c + 1]]; ++e) {
            const std::int32_t other = group[chunks.of[col[e]]];
            if (other != g)
                l = std::max(l, level[other] + 1);
        }
        level[g] = l;
        top = std::max(top, l);
    }
    return Index{top} + 1;
}

// Whether chunk c depends on chunk c - 1, for every chunk.
std::vector<bool> ChainedChunks(const SymmetricPattern& pattern, const Chunks& chunks)
{
    const LowerPosition* start = pattern.RowStarts();
    const Column* col = pattern.Columns();
    std::vector<bool> chained(chunks.Count(), false);
    for (Index c = 1; c < chunks.Count(); ++c)
        for (Index e = start[chunks.start[c]]; e < start[chunks.start[c + 1]] && !chained[c]; ++e)
            chained[c] = chunks.of[col[e]] == c - 1;
    return chained;
}

// Runs of chained chunks cut once they hold `rows` rows.
std::vector<std::int32_t> WavefrontGroups(const Chunks& chunks, const std::vector<bool>& chained, Index rows)
{
    std::vector<std::int32_t> group(chunks.Count());
    std::int32_t g = -1;
    Index held = 0;
    for (Index c = 0; c < chunks.Count(); ++c) {
        if (c == 0 || !chained[c] || held >= rows) {
            ++g;
            held = 0;
        }
        group[c] = g;
        held += chunks.start[c + 1] - chunks.start[c];
    }
    return group;
}

// Where each level starts when the items are sorted by level: first[l] items
// lie below level l.
std::vector<std::int32_t> LevelStarts(const std::vector<std::int32_t>& level, Index levels)
{
    std::vector<std::int32_t> first(levels + 1, 0);
    for (std::int32_t l : level)
        ++first[l + 1];
    for (Index l = 0; l < levels; ++l)
        first[l + 1] += first[l];
    return first;
}

// The schedule's tasks from groups of chunks in row order and their levels:
// tasks by level, then by row; each task's chunks in row order.
void TasksFromGroups(LevelSchedule& s, const std::vector<std::int32_t>& group, const std::vector<std::int32_t>& level,
                     Index levels)
{
    const Index groups = static_cast<Index>(level.size());
    const std::vector<std::int32_t> first = LevelStarts(level, levels);
    std::vector<std::int32_t> taskOfGroup(groups);
    std::vector<std::int32_t> fill(first.begin(), first.end() - 1);
    for (Index g = 0; g < groups; ++g)
        taskOfGroup[g] = fill[level[g]]++;
    // Chunks per task, then each chunk at its place.
    std::vector<std::int32_t> size(groups + 1, 0);
    for (std::int32_t g : group)
        ++size[taskOfGroup[g] + 1];
    s.taskStart.assign(groups + 1, 0);
    for (Index t = 0; t < groups; ++t)
        s.taskStart[t + 1] = s.taskStart[t] + size[t + 1];
    s.taskChunks.resize(group.size());
    std::vector<std::int32_t> place(s.taskStart.begin(), s.taskStart.end() - 1);
    for (std::size_t c = 0; c < group.size(); ++c)
        s.taskChunks[place[taskOfGroup[group[c]]]++] = static_cast<std::int32_t>(c);
    s.levelStart.assign(first.begin(), first.end());
}

// The chunks sorted by level, then by row, and grouped into tasks of at
// least taskRows rows within each level.
void TasksByChunkLevels(LevelSchedule& s, const std::vector<std::int32_t>& level, Index levels, Index taskRows)
{
    const Index chunks = static_cast<Index>(level.size());
    const std::vector<std::int32_t> first = LevelStarts(level, levels);
    s.taskChunks.resize(chunks);
    std::vector<std::int32_t> fill(first.begin(), first.end() - 1);
    for (Index c = 0; c < chunks; ++c)
        s.taskChunks[fill[level[c]]++] = static_cast<std::int32_t>(c);

    s.taskStart = {0};
    s.levelStart = {0};
    for (Index l = 0; l < levels; ++l) {
        Index rows = 0;
        for (std::int32_t k = first[l]; k < first[l + 1]; ++k) {
            const std::int32_t c = s.taskChunks[k];
            rows += s.chunkStart[c + 1] - s.chunkStart[c];
            if (rows >= taskRows) {
                s.taskStart.push_back(k + 1);
                rows = 0;
            }
        }
        if (rows > 0)
            s.taskStart.push_back(first[l + 1]);
        s.levelStart.push_back(static_cast<std::int32_t>(s.taskStart.size() - 1));
    }
}

// The tasks each task waits for, from the chunks its rows depend on, and
// the tasks each task frees.
void LinkTasks(LevelSchedule& s, const SymmetricPattern& pattern, const Chunks& chunks)
{
    const LowerPosition* start = pattern.RowStarts();
    const Column* col = pattern.Columns();
    const Index tasks = s.TaskCount();
    std::vector<std::int32_t>& taskOf = s.taskOfChunk;
    taskOf.resize(chunks.Count());
    for (Index t = 0; t < tasks; ++t)
        for (std::int32_t k = s.taskStart[t]; k < s.taskStart[t + 1]; ++k)
            taskOf[s.taskChunks[k]] = static_cast<std::int32_t>(t);
    std::vector<std::int32_t> mine;
    for (Index t = 0; t < tasks; ++t) {
        mine.clear();
        for (std::int32_t k = s.taskStart[t]; k < s.taskStart[t + 1]; ++k) {
            const std::int32_t c = s.taskChunks[k];
            for (Index e = start[s.chunkStart[c]]; e < start[s.chunkStart[c + 1]]; ++e) {
                const std::int32_t other = taskOf[chunks.of[col[e]]];
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
}

} // namespace

LevelSchedule PlanLevels(const SymmetricPattern& pattern, const ScheduleLimits& limits)
{
    const Index grid = pattern.GridRowCount();
    if (grid < limits.parallelRows)
        return OneTask(grid);
    const Chunks chunks = CutChunks(pattern, limits);

    LevelSchedule s;
    s.chunkStart = chunks.start;

    // Wavefront tasks, as long as the levels stay wide enough: the longest
    // that still keep wavefrontWidth tasks per level on average.
    const std::vector<bool> chained = ChainedChunks(pattern, chunks);
    std::vector<std::int32_t> group, level, bestGroup, bestLevel;
    Index bestLevels = 0;
    for (Index rows = limits.wavefrontRows; rows > 0 && rows <= grid; rows *= 2) {
        group = WavefrontGroups(chunks, chained, rows);
        const Index levels = GroupLevels(pattern, chunks, group, level);
        if (levels <= 1 || static_cast<Index>(level.size()) < limits.wavefrontWidth * levels)
            break;
        bestGroup.swap(group);
        bestLevel.swap(level);
        bestLevels = levels;
    }
    if (bestLevels > 0) {
        TasksFromGroups(s, bestGroup, bestLevel, bestLevels);
    } else {
        // Chunk levels, each chunk a group of its own.
        group.resize(chunks.Count());
        for (Index c = 0; c < chunks.Count(); ++c)
            group[c] = static_cast<std::int32_t>(c);
        const Index levels = GroupLevels(pattern, chunks, group, level);
        if (grid / levels < limits.rowsPerLevel)
            return OneTask(grid);
        TasksByChunkLevels(s, level, levels, limits.taskRows);
    }
    LinkTasks(s, pattern, chunks);
    return s;
}

} // namespace kernels

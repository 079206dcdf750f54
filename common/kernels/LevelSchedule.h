// The order in which the incomplete-Cholesky factorisation and its two
// substitutions visit the grid rows when several threads share the work.
//
// A row depends on the rows of its lower columns. Consecutive rows that each
// depend on the row before form a chunk (on a block grid: a line of nodes
// along the innermost axis), which one thread runs in row order. Chunks are
// grouped into tasks, the unit that a thread takes and for which a partial
// sum is kept, in one of two ways:
//  - Wavefronts: consecutive chunks that each depend on the chunk before
//    (on a block grid: the lines of one grid plane) are cut into runs of
//    some hundreds of rows, each a task. A task's level is one more than the
//    highest level of the tasks it depends on, so on a block grid task t of
//    plane i has the level t + i: the planes pass through the threads as a
//    pipeline, and each task is long enough for its waits to be cheap.
//  - Levels: a chunk's level is one more than the highest level of the
//    chunks it depends on (on a block grid the diagonal planes of the lines,
//    i + j constant), and the chunks of a level are grouped into tasks of
//    some tens of rows. This is the way when wavefronts are too narrow to
//    share (a single grid plane, a mesh numbered without such runs).
// The tasks of one level are independent of each other. Each task knows the
// tasks it waits for, so that threads take tasks one after another in level
// order and wait only where a task they took is not yet free to run; no
// thread waits for a whole level (which on a busy machine means waiting for
// the slowest thread at every level).
//
// Every row is computed by the same arithmetic whichever thread runs it, and
// the schedule depends on the pattern alone, so the results do not depend on
// the number of threads. Where the levels are too thin to pay for the
// synchronisation (a chain of rows, a small system), the schedule is one
// task of all rows in row order: the one-thread path.
#pragma once

#include "common/kernels/KernelTypes.h"

#include <cstdint>
#include <vector>

namespace kernels {

class SymmetricPattern;

struct ScheduleLimits {
    Index parallelRows = 20000;  // fewer grid rows: one task
    Index rowsPerLevel = 256;    // fewer on average: one task
    Index chunkRows = 128;       // a longer run of dependent rows is cut
    Index taskRows = 64;         // chunks are grouped up to at least this
    // Wavefront tasks hold at least wavefrontRows rows (doubled while the
    // levels keep wavefrontWidth tasks on average); narrower: levels.
    Index wavefrontRows = 256;
    Index wavefrontWidth = 12;
};

struct LevelSchedule {
    // Rows [chunkStart[c], chunkStart[c + 1]) form chunk c.
    std::vector<std::int32_t> chunkStart{0};
    // Chunk numbers by level, then by row; task t runs the chunks
    // taskChunks[taskStart[t]] .. taskChunks[taskStart[t + 1] - 1].
    std::vector<std::int32_t> taskChunks;
    std::vector<std::int32_t> taskStart{0};
    // Level l holds the tasks [levelStart[l], levelStart[l + 1]).
    std::vector<std::int32_t> levelStart{0};
    // The task of each chunk.
    std::vector<std::int32_t> taskOfChunk;
    // Task t waits for the tasks waitFor[waitStart[t]] .. (all earlier ones)
    // in the forward direction, and for the tasks freed[freedStart[t]] ..
    // (all later ones, those that wait for t) in the backward direction.
    std::vector<std::int32_t> waitStart{0}, waitFor;
    std::vector<std::int32_t> freedStart{0}, freed;

    Index LevelCount() const { return static_cast<Index>(levelStart.size()) - 1; }
    Index TaskCount() const { return static_cast<Index>(taskStart.size()) - 1; }
};

// The schedule of the pattern's grid rows.
LevelSchedule PlanLevels(const SymmetricPattern& pattern, const ScheduleLimits& limits);

} // namespace kernels

// Running the kernels' row loops on several threads while keeping every
// result independent of how many there are. Rows are cut into fixed blocks of
// kBlockRows; a reduction keeps one partial result per block and adds the
// partials in block order, so a sum is the same for one thread or sixty-four.
// Threads take the next block (or task) as they become free, so a thread that
// the system holds back delays only the block it holds. Systems below
// kParallelRows rows stay on the calling thread: waking threads would cost
// more than it saves.
#pragma once

#include "common/kernels/LevelSchedule.h"

#include <functional>
#include <memory>
#include <vector>

namespace kernels {

inline constexpr Index kBlockRows = 4096;
inline constexpr Index kParallelRows = 20000;

// The number of threads the machine offers this process: SUITE_THREADS when
// it is set to a positive number, else the cores the process may run on.
int MachineThreads();

// A set of worker threads that the caller's loops share out their work
// among, the calling thread taking part. Its threads start with the first
// loop that uses them and end with the team. Between loops they wait a few
// microseconds for the next one, then sleep. One caller at a time.
class ThreadTeam {
  public:
    // MachineThreads() threads, or `threads` when that is positive.
    ThreadTeam() : ThreadTeam(0) {}
    explicit ThreadTeam(int threads);
    ~ThreadTeam();
    ThreadTeam(ThreadTeam&&) noexcept;
    ThreadTeam& operator=(ThreadTeam&&) noexcept;

    int Size() const { return size_; }
    // Runs worker() on `threads` threads (at most Size()), the calling one
    // among them, and returns when all have returned. worker must not throw.
    void Run(int threads, const std::function<void()>& worker);

  private:
    struct Workers;
    int size_ = 1;
    std::unique_ptr<Workers> workers_;
};

// Whether a loop over `rows` rows runs on the calling thread alone.
inline bool OnOneThread(const ThreadTeam* team, Index rows)
{
    return !team || team->Size() == 1 || rows < kParallelRows;
}

inline Index BlockCount(Index rows)
{
    return (rows + kBlockRows - 1) / kBlockRows;
}

// body(first, end, block) for every block [first, end) of [0, rows), on the
// team's threads (none: on the calling thread alone).
void ForEachBlock(Index rows, ThreadTeam* team, const std::function<void(Index, Index, Index)>& body);

// Sum of the per-block partials in block order.
double SumInOrder(const std::vector<double>& partials);

// body(task) for the tasks of the levels [firstLevel, endLevel) of the
// schedule, in level order (or the reverse). A task runs once the tasks it
// waits for in that direction have run; tasks outside the levels count as
// done. On one thread the tasks run one after another in that order.
void ForEachTask(const LevelSchedule& schedule, Index firstLevel, Index endLevel, bool reverse, ThreadTeam* team,
                 const std::function<void(Index task)>& body);

} // namespace kernels

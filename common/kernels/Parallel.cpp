// The team's workers watch a generation counter: the caller publishes a job
// and bumps the counter, each worker runs the job and counts itself out. A
// waiting thread spins briefly (the next loop of a solver iteration follows
// within microseconds) and then sleeps on the counter, so that idle workers
// never hold a core that a working thread needs. Within a loop, work is
// handed out through one atomic counter, and a task waits for the tasks it
// depends on by watching their flags in the same way.
#include "common/kernels/Parallel.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <thread>

#ifdef __linux__
#include <sched.h>
#endif

namespace kernels {

namespace {

inline void Pause()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// About 20 to 50 microseconds of pauses.
constexpr int kSpins = 2000;

// A task's done flag. A 32-bit word, so that waiting and waking go straight
// to the system's futex on the flag itself: a flag of another width wakes
// through a counter that the whole process shares, one contended update per
// finished task.
using DoneFlag = std::atomic<std::uint32_t>;

// Spins briefly, yields its core for a while, then sleeps until the flag is
// set: on a busy machine the thread it waits for may need that core.
void AwaitFlag(const DoneFlag& flag)
{
    for (int spin = 0; flag.load(std::memory_order_acquire) == 0; ++spin) {
        if (spin < 200)
            Pause();
        else if (spin < 300)
            std::this_thread::yield();
        else
            flag.wait(0, std::memory_order_acquire);
    }
}

} // namespace

int MachineThreads()
{
    if (const char* text = std::getenv("SUITE_THREADS")) {
        char* end = nullptr;
        const long n = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && n > 0)
            return static_cast<int>(std::min(n, 1024L));
    }
#ifdef __linux__
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof(set), &set) == 0)
        return std::max(1, CPU_COUNT(&set));
#endif
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

struct ThreadTeam::Workers {
    std::vector<std::thread> threads;
    std::atomic<std::uint32_t> generation{0};
    std::atomic<int> running{0};
    const std::function<void()>* job = nullptr;
    int taking = 0; // workers 1 .. taking - 1 run the job
    bool stop = false;

    void Loop(int me)
    {
        std::uint32_t seen = 0;
        for (;;) {
            std::uint32_t now;
            for (int spin = 0; (now = generation.load(std::memory_order_acquire)) == seen; ++spin) {
                if (spin < kSpins)
                    Pause();
                else
                    generation.wait(seen, std::memory_order_acquire);
            }
            seen = now;
            if (stop)
                return;
            if (me < taking)
                (*job)();
            if (running.fetch_sub(1, std::memory_order_acq_rel) == 1)
                running.notify_one();
        }
    }

    void Publish(const std::function<void()>* work, int count, bool end)
    {
        job = work;
        taking = count;
        stop = end;
        running.store(static_cast<int>(threads.size()), std::memory_order_relaxed);
        generation.fetch_add(1, std::memory_order_release);
        generation.notify_all();
    }

    void AwaitAll()
    {
        int left;
        for (int spin = 0; (left = running.load(std::memory_order_acquire)) != 0; ++spin) {
            if (spin < kSpins)
                Pause();
            else
                running.wait(left, std::memory_order_acquire);
        }
    }
};

ThreadTeam::ThreadTeam(int threads) : size_(threads > 0 ? threads : MachineThreads()) {}

ThreadTeam::~ThreadTeam()
{
    if (workers_) {
        workers_->Publish(nullptr, 0, true);
        for (std::thread& t : workers_->threads)
            t.join();
    }
}

ThreadTeam::ThreadTeam(ThreadTeam&& other) noexcept : size_(other.size_), workers_(std::move(other.workers_)) {}

ThreadTeam& ThreadTeam::operator=(ThreadTeam&& other) noexcept
{
    if (this != &other) {
        ThreadTeam old(std::move(*this));
        size_ = other.size_;
        workers_ = std::move(other.workers_);
    }
    return *this;
}

void ThreadTeam::Run(int threads, const std::function<void()>& worker)
{
    const int count = std::min(threads, size_);
    if (count <= 1) {
        worker();
        return;
    }
    if (!workers_) {
        auto w = std::make_unique<Workers>();
        try {
            for (int me = 1; me < size_; ++me)
                w->threads.emplace_back([raw = w.get(), me] { raw->Loop(me); });
        } catch (const std::system_error&) {
            // Fewer threads than asked for: the loops hand out their work to
            // those there are.
        }
        size_ = static_cast<int>(w->threads.size()) + 1;
        workers_ = std::move(w);
        if (size_ == 1) {
            worker();
            return;
        }
    }
    workers_->Publish(&worker, std::min(count, size_), false);
    worker();
    workers_->AwaitAll();
}

void ForEachBlock(Index rows, ThreadTeam* team, const std::function<void(Index, Index, Index)>& body)
{
    const Index blocks = BlockCount(rows);
    std::atomic<Index> next{0};
    auto work = [&] {
        for (Index b = next++; b < blocks; b = next++)
            body(b * kBlockRows, std::min(rows, (b + 1) * kBlockRows), b);
    };
    if (OnOneThread(team, rows))
        work();
    else
        team->Run(static_cast<int>(std::min<Index>(team->Size(), blocks)), work);
}

double SumInOrder(const std::vector<double>& partials)
{
    double sum = 0.0;
    for (double p : partials)
        sum += p;
    return sum;
}

void ForEachTask(const LevelSchedule& s, Index firstLevel, Index endLevel, bool reverse, ThreadTeam* team,
                 const std::function<void(Index task)>& body)
{
    if (endLevel <= firstLevel)
        return;
    const Index first = s.levelStart[firstLevel], end = s.levelStart[endLevel], count = end - first;
    // A schedule of one task per level is a one-thread schedule.
    if (!team || team->Size() == 1 || count <= endLevel - firstLevel) {
        for (Index i = 0; i < count; ++i)
            body(reverse ? end - 1 - i : first + i);
        return;
    }
    const std::vector<std::int32_t>& waitStart = reverse ? s.freedStart : s.waitStart;
    const std::vector<std::int32_t>& waitFor = reverse ? s.freed : s.waitFor;
    std::unique_ptr<DoneFlag[]> done(new DoneFlag[count]);
    for (Index i = 0; i < count; ++i)
        done[i].store(0, std::memory_order_relaxed);
    std::atomic<Index> next{0};
    team->Run(static_cast<int>(std::min<Index>(team->Size(), count)), [&] {
        for (Index i = next++; i < count; i = next++) {
            const Index t = reverse ? end - 1 - i : first + i;
            for (std::int32_t k = waitStart[t]; k < waitStart[t + 1]; ++k) {
                const Index w = waitFor[k];
                if (w >= first && w < end)
                    AwaitFlag(done[w - first]);
            }
            body(t);
            done[t - first].store(1, std::memory_order_release);
            done[t - first].notify_all();
        }
    });
}

} // namespace kernels

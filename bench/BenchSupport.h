// What the benchmarks share: the small-size switch that CTest's single run
// sets, the process's memory figures, and a reporter that keeps the shortest real time of each benchmark's
// repetitions, so that a moment of load from other processes does not decide
// the ratios computed from them.
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bench {

// True when SUITE_BENCH_SMALL=1: every benchmark then picks a small size.
inline bool Small()
{
    const char* small = std::getenv("SUITE_BENCH_SMALL");
    return small != nullptr && std::string(small) == "1";
}

// A figure of this process's memory from /proc/self/status ("VmRSS",
// "VmHWM"), in bytes.
inline long ProcStatus(const std::string& key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::atol(line.c_str() + key.size() + 1) * 1024;
    return 0;
}

// The reference of the file benchmarks: the seconds a plain fgets loop takes
// to read every line of the file.
inline double LineLoopSeconds(const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    char line[512];
    long lines = 0;
    while (f && std::fgets(line, sizeof line, f))
        ++lines;
    if (f)
        std::fclose(f);
    benchmark::DoNotOptimize(lines);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs work once per iteration as the iteration's manual time, each after
// a plain line loop over the file, and reports the ratio of the two
// ("ratio_vs_line_loop").
template <typename Work> void RunAgainstLineLoop(benchmark::State& state, const std::string& path, Work work)
{
    double workTime = 0, loopTime = 0;
    for (auto _ : state) {
        loopTime += LineLoopSeconds(path);
        const auto start = std::chrono::steady_clock::now();
        work();
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        workTime += t;
        state.SetIterationTime(t);
    }
    state.counters["ratio_vs_line_loop"] = workTime / loopTime;
}

// Starts the peak ("VmHWM") again from the present resident memory.
inline void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

class ShortestTimeReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                const auto [it, added] = m_seconds.emplace(run.run_name.function_name, run.GetAdjustedRealTime());
                if (!added)
                    it->second = std::min(it->second, run.GetAdjustedRealTime());
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Shortest real time of each benchmark, by name.
    const std::map<std::string, double>& Times() const { return m_seconds; }

  private:
    std::map<std::string, double> m_seconds;
};

// The ratios of a benchmark run over growing sizes on one and on several
// threads, from the shortest times: the cost of each doubling of the size
// (target at most 4.5) and the speed-up of the last thread count over the
// first (target at least 5). `name` gives a benchmark's name, `unit` the
// word for the size ("faces").
inline void PrintDoublingAndSpeedUp(const std::map<std::string, double>& times, const std::vector<int>& sizes,
                                    const std::vector<unsigned>& threadCounts,
                                    const std::function<std::string(int, unsigned)>& name, const char* unit)
{
    auto time = [&](int size, unsigned threads) {
        const auto it = times.find(name(size, threads));
        return it == times.end() ? 0.0 : it->second;
    };
    std::printf("\nCost of doubling the %s (target at most 4.5):\n", unit);
    for (unsigned threads : threadCounts) {
        for (std::size_t n = 1; n < sizes.size(); ++n) {
            const double before = time(sizes[n - 1], threads);
            const double after = time(sizes[n], threads);
            if (before > 0 && after > 0) {
                std::printf("  %u thread(s), %d -> %d %s: %.2f\n", threads, sizes[n - 1], sizes[n], unit,
                            after / before);
            }
        }
    }
    std::printf("Speed-up of %u threads over %u (target at least 5):\n", threadCounts.back(), threadCounts.front());
    for (int size : sizes) {
        const double one = time(size, threadCounts.front()), many = time(size, threadCounts.back());
        if (one > 0 && many > 0) {
            std::printf("  %d %s: %.2f\n", size, unit, one / many);
        }
    }
}

// Runs run(state, size, threads) as the benchmark name(size, threads) for
// every size and thread count (one iteration, three repetitions, real time
// in milliseconds) and prints the ratios of the shortest times.
inline void RunSizesAndThreads(int& argc, char** argv, const std::vector<int>& sizes,
                               const std::vector<unsigned>& threadCounts,
                               const std::function<std::string(int, unsigned)>& name,
                               const std::function<void(benchmark::State&, int, unsigned)>& run, const char* unit)
{
    for (int size : sizes) {
        for (unsigned threads : threadCounts) {
            benchmark::RegisterBenchmark(name(size, threads).c_str(),
                                         [run, size, threads](benchmark::State& state) { run(state, size, threads); })
                ->Iterations(1)
                ->Repetitions(3)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    ShortestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintDoublingAndSpeedUp(reporter.Times(), sizes, threadCounts, name, unit);
}

} // namespace bench

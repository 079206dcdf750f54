// What the benchmarks share: the small-size switch that CTest's single run
// sets, the process's memory figures, and a reporter that keeps the shortest real time of each benchmark's
// repetitions, so that a moment of load from other processes does not decide
// the ratios computed from them.
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
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

} // namespace bench

// Painting and scrolling a grid of 65,535 rows, reported as a ratio against
// the same work on a grid of 100 rows measured in the same run. Each step
// scrolls one line (back to the top at the end of the range) and repaints
// the whole window through WM_PAINT. Both tables hold texts of the same
// length. SUITE_BENCH_SMALL=1 takes 5,000 rows and fewer steps.
#include "common/ui/GridCtrl.h"

#include <QApplication>
#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

struct Table {
    CWnd parent;
    common::CGridCtrl grid;
    explicit Table(int rows) : grid(rows, 8, 1, 1)
    {
        parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0);
        grid.Create(CRect(0, 0, 640, 480), &parent, 1);
        for (int r = 1; r < rows; ++r)
            for (int c = 0; c < 8; ++c)
                grid.SetItemText(r, c, std::to_string(100 + (r * 8 + c) % 900));
        grid.ResetScrollBars();
    }
    // One scroll step and a full repaint.
    void Step()
    {
        if (grid.GetScrollPos32(SB_VERT) >= grid.GetScrollMax(SB_VERT))
            grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        else
            grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        grid.Invalidate();
        grid.UpdateWindow();
    }
};

// Made on first use; destroyed before the application object goes.
std::unique_ptr<Table> g_small, g_large;

Table& TableOf(int rows)
{
    auto& t = rows <= 100 ? g_small : g_large;
    if (!t)
        t = std::make_unique<Table>(rows);
    return *t;
}

double TimeSteps(Table& t, int steps)
{
    const auto start = Clock::now();
    for (int i = 0; i < steps; ++i)
        t.Step();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_PaintAndScroll(benchmark::State& state)
{
    const int rows = bench::Small() ? 5000 : static_cast<int>(state.range(0));
    Table& reference = TableOf(100);
    Table& table = TableOf(rows);
    double tableTime = 0, referenceTime = 0;
    // Short alternating runs, so that a change of machine load hits both.
    for (auto _ : state) {
        double t = 0;
        for (int round = 0; round < 5; ++round) {
            t += TimeSteps(table, 5);
            referenceTime += TimeSteps(reference, 5);
        }
        tableTime += t;
        state.SetIterationTime(t);
    }
    state.counters["ratio_vs_100_rows"] = tableTime / referenceTime;
}

BENCHMARK(BM_PaintAndScroll)->Arg(65535)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_small.reset();
    g_large.reset();
    return 0;
}

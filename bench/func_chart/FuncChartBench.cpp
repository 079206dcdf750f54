// The function chart with a series of 1,000,000 points against one of
// 10,000, measured in the same run: adding the points one by one (the
// series grows geometrically) and painting the chart into a memory bitmap
// of its size, as its paint handler does. Per point, the large series
// should cost at most 1.5 times the small one for each. SUITE_BENCH_SMALL=1
// takes 100,000 points for the large series.
#include "bench/BenchSupport.h"
#include "gelmar/graphics/FuncChartCtrl.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>

namespace {

using Clock = std::chrono::steady_clock;

struct Window {
    CWnd parent;
    gelmar::CFuncChartCtrl chart;
    Window()
    {
        parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr, 0);
        chart.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 700), &parent, 10100);
        chart.rightAxisShown = 0;
        chart.SetSeries(0, PS_SOLID, 0xFF0000, "", 0);
    }
};
std::unique_ptr<Window> g_window;

struct Times {
    double add = 0, paint = 0;
};

// Fifty periods of a sine across the x range, n points.
Times AddAndPaint(int n)
{
    gelmar::CFuncChartCtrl& chart = g_window->chart;
    chart.ClearAll();
    const double x0 = 0, x1 = 100, y0 = 0, y1 = 10;
    chart.SetXRange(&x0, &x1, FALSE);
    chart.SetYRange(&y0, &y1);
    chart.xAxis.majorStep = 10;
    chart.leftAxis.majorStep = 1;
    Times t;
    auto start = Clock::now();
    for (int i = 0; i < n; ++i) {
        const double x = 100.0 * i / n;
        const double y = 5 + 4 * std::sin(2 * std::numbers::pi * 50 * i / n);
        if (!chart.AddPoint(0, &x, &y))
            std::abort();
    }
    t.add = std::chrono::duration<double>(Clock::now() - start).count();
    CDC dc;
    CBitmap bitmap;
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, 1000, 700);
    dc.SelectObject(&bitmap);
    start = Clock::now();
    chart.DrawChart(&dc);
    dc.DeleteDC();
    t.paint = std::chrono::duration<double>(Clock::now() - start).count();
    return t;
}

void BM_FuncChartMillionPoints(benchmark::State& state)
{
    const int large = bench::Small() ? 100000 : static_cast<int>(state.range(0));
    const int small = 10000;
    // The shortest time of each: a moment of load from other processes
    // decides nothing. The small series is measured several times a round,
    // as it takes a fraction of a millisecond.
    Times largeBest{1e30, 1e30}, smallBest{1e30, 1e30};
    auto keep = [](Times& best, const Times& t) {
        best.add = std::min(best.add, t.add);
        best.paint = std::min(best.paint, t.paint);
    };
    for (auto _ : state) {
        const Times l = AddAndPaint(large);
        keep(largeBest, l);
        for (int i = 0; i < 10; ++i)
            keep(smallBest, AddAndPaint(small));
        state.SetIterationTime(l.add + l.paint);
    }
    const double scale = static_cast<double>(small) / large;
    state.counters["points"] = large;
    state.counters["add_per_point_ratio"] = largeBest.add / smallBest.add * scale;
    state.counters["paint_per_point_ratio"] = largeBest.paint / smallBest.paint * scale;
}

BENCHMARK(BM_FuncChartMillionPoints)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    g_window = std::make_unique<Window>();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}

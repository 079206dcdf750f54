// The input listing of a model of 65,535 blocks, shown in the text window as
// the text output window shows it (handed over every 20 rows, text beyond
// the window's limit of 200,000 characters dropped) against the same listing
// written with Save As, measured in the same run: showing should cost at most
// twice as much as saving. SUITE_BENCH_SMALL=1 takes 5,000 blocks.
#include "bench/BenchSupport.h"
#include "common/ui/PrintTextWnd.h"
#include "gelmar/graphics/core/InputDataListing.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// Blocks of four colours on a grid of 64 x 32 x 32 cells.
std::unique_ptr<gelmar::ModelStore> BlockModel(int blocks)
{
    auto m = std::make_unique<gelmar::ModelStore>();
    m->dataFilePath = "blocks.glm";
    const int n[3] = {64, 32, 32};
    for (int a = 0; a < 3; ++a) {
        gelmar::GridAxis& axis = m->axes[static_cast<std::size_t>(a)];
        axis.n = static_cast<std::uint16_t>(n[a]);
        for (int i = 0; i < n[a]; ++i) {
            axis.widths.push_back(0.05f + 0.001f * static_cast<float>(i));
            axis.coords.push_back((axis.coords.empty() ? 0.0f : axis.coords.back()) + axis.widths.back());
        }
    }
    for (int c = 1; c <= 4; ++c) {
        gelmar::ColourRecord& colour = m->colours[static_cast<std::size_t>(c)];
        colour.inUse = 1;
        colour.type = c == 1 ? gelmar::MATERIAL : gelmar::BC_SIMPL;
        colour.name = "Colour " + std::to_string(c);
    }
    m->blocks.Grow(static_cast<std::size_t>(blocks));
    m->blocks.count = static_cast<std::uint16_t>(blocks);
    for (int b = 0; b < blocks; ++b) {
        gelmar::BlockRecord& r = m->blocks[static_cast<std::size_t>(b)];
        r.colour = static_cast<std::uint8_t>(1 + b % 4);
        r.x1 = static_cast<std::uint16_t>(b % 64);
        r.x2 = static_cast<std::uint16_t>(r.x1 + 1);
        r.y1 = static_cast<std::uint16_t>(b / 64 % 32);
        r.y2 = static_cast<std::uint16_t>(r.y1 + 1);
        r.z1 = static_cast<std::uint16_t>(b / 2048 % 32);
        r.z2 = static_cast<std::uint16_t>(r.z1 + 1);
    }
    return m;
}

struct Window {
    CWnd parent;
    common::CPrintTextWnd text;
    Window()
    {
        parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0);
        text.Create(nullptr, "", WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(0, 0, 800, 600), &parent, 1);
        text.LimitText(200000);
    }
};
std::unique_ptr<Window> g_window;

double Show(const gelmar::ModelStore& m)
{
    const auto start = Clock::now();
    g_window->text.Clear();
    gelmar::ListingWriter out([](common::CRtfDocument& doc) { g_window->text << doc; });
    gelmar::WriteInputDataListing(out, m);
    out.Finish();
    g_window->text.SetSel(0, 0);
    QApplication::processEvents();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Save(const gelmar::ModelStore& m)
{
    const auto start = Clock::now();
    gelmar::ListingWriter out;
    gelmar::WriteInputDataListing(out, m);
    if (!out.Document().WriteFile("listing.doc"))
        std::abort();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_ShowInputListing(benchmark::State& state)
{
    const auto m = BlockModel(bench::Small() ? 5000 : static_cast<int>(state.range(0)));
    double showTime = 0, saveTime = 0;
    // Alternating, so that a change of machine load hits both.
    for (auto _ : state) {
        const double t = Show(*m);
        saveTime += Save(*m);
        showTime += t;
        state.SetIterationTime(t);
    }
    state.counters["text_length"] = static_cast<double>(g_window->text.GetTextLength());
    state.counters["ratio_vs_save"] = showTime / saveTime;
}

BENCHMARK(BM_ShowInputListing)->Arg(65535)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    platform::Strings().LoadEnglishFile(std::string(SUITE_SOURCE_DIR) + "/resources/gelmar/Gelmar.str");
    g_window = std::make_unique<Window>();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}

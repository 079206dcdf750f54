// The Blocks table of the program with a model of 65,535 blocks against one
// of 100 blocks, measured in the same run: scrolling a line and repainting,
// and a colour typed into a block's cell with the Colours table open, as the
// user sees it: the whole refresh chain of the edit (in-use flags, surface
// rules, the undo record, the linked tables) and the repainting of the open
// tables. The 3D view is closed: what it draws is the graphics' own cost. Opening the model (its tables
// filled) is reported against opening a model of a tenth of its blocks: the cost should grow linearly. The
// ratios compare medians of the single steps, so that a moment of load from other processes does not decide
// them. SUITE_BENCH_SMALL=1 takes 5,000 and 500 blocks. The Node BCs table is measured the same way with
// 65,535 node boundary conditions against 100: scrolling, and a temperature typed into a row (its undo
// record, the freed results and the repainting).
#include "bench/BenchSupport.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/GelmarApp.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

double Sum(const std::vector<double>& v)
{
    double s = 0;
    for (double x : v)
        s += x;
    return s;
}

// A model of unit-cell blocks of four colours on a grid of 64 x 32 x 32.
std::string WriteModel(int blocks)
{
    const std::string path = "blocks" + std::to_string(blocks) + ".glm";
    std::ofstream out(path, std::ios::binary);
    const int n[3] = {64, 32, 32};
    const char* axes[3] = {"x", "y", "z"};
    for (int a = 0; a < 3; ++a) {
        out << "n" << axes[a] << "wi=" << n[a] << "\r\n";
        for (int i = 0; i < n[a]; ++i)
            out << axes[a] << "wid=0.05\r\n";
    }
    for (int c = 1; c <= 4; ++c)
        out << "colr=" << c << "\r\ncrgb=" << 60 * c << " 100 100\r\ntype=" << (c == 1 ? 0 : 1)
            << "\r\nname=Colour " << c << "\r\n";
    out << "nblk=" << blocks << "\r\n";
    for (int b = 0; b < blocks; ++b) {
        const int x = b % 64, y = b / 64 % 32, z = b / 2048 % 32;
        out << "blok=" << b << " " << 1 + b % 4 << " " << x << " " << x + 1 << " " << y << " " << y + 1 << " "
            << z << " " << z + 1 << "\r\n";
    }
    return fs::absolute(path).string();
}

// The model above with a few blocks and the given number of node BCs spread
// over the grid points.
std::string WriteNodeBcModel(int count)
{
    const std::string path = WriteModel(100);
    const std::string named = "nodes" + std::to_string(count) + ".glm";
    fs::copy_file(path, named, fs::copy_options::overwrite_existing);
    std::ofstream out(named, std::ios::binary | std::ios::app);
    out << "nnbc=" << count << "\r\n";
    for (int n = 0; n < count; ++n)
        out << "nbcd=" << n << " " << n % 65 << " " << n / 65 % 33 << " " << n / 2145 % 33 << "\r\n";
    return fs::absolute(named).string();
}

class Program {
  public:
    Program()
    {
        const fs::path bin = fs::absolute("bin");
        fs::create_directories(bin);
        const fs::path examples = SUITE_EXAMPLES_DIR;
        for (const char* name :
             {"Gelmar.prm", "MatColor.rgb", "RainbowColor.rgb", "RainbowGray.rgb", "Patterns.pat"})
            fs::copy_file(examples / name, bin / name, fs::copy_options::overwrite_existing);
        fs::copy(examples / "Materials", bin.parent_path() / "Materials",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        setenv("XDG_CONFIG_HOME", fs::absolute("config").c_str(), 1);
        setenv("XDG_DATA_HOME", fs::absolute("data").c_str(), 1);
        platform::TestHook::Get().Enable();
        m_app = std::make_unique<gelmar::CGelmarApp>();
        gelmar::g_app.programFolder = bin.string();
        if (!m_app->InitInstance())
            std::abort();
        QApplication::processEvents();
    }
    ~Program()
    {
        Close();
        if (m_app->m_pMainWnd && m_app->m_pMainWnd->GetSafeHwnd())
            m_app->m_pMainWnd->DestroyWindow();
        QApplication::processEvents();
        m_app.reset();
        platform::TestHook::Get().Reset();
    }
    // Seconds to open the model, its tables filled.
    double Open(const std::string& path)
    {
        Close();
        const auto start = Clock::now();
        if (!m_app->OpenDocumentFile(path.c_str()))
            std::abort();
        QApplication::processEvents();
        const double t = Seconds(start);
        if (gelmar::g_graphView)
            gelmar::g_graphView->GetParentFrame()->SendMessage(WM_CLOSE);
        QApplication::processEvents();
        return t;
    }
    void Close()
    {
        if (gelmar::CGelmarDoc* doc = m_app->ActiveGelmarDoc()) {
            doc->SetModified(FALSE);
            m_app->CloseActiveDocument();
        }
        gelmar::ClearUndoHistory(m_app->GetEngine().history);
        QApplication::processEvents();
    }
    gelmar::CBlockView& Blocks() { return *m_app->FindView<gelmar::CBlockView>(); }
    gelmar::CNodeView& NodeBcs()
    {
        static_cast<CFrameWnd*>(m_app->m_pMainWnd)->ExecuteCommand(gelmar::ID_NODE_BCS);
        QApplication::processEvents();
        return *m_app->FindView<gelmar::CNodeView>();
    }

  private:
    std::unique_ptr<gelmar::CGelmarApp> m_app;
};

std::unique_ptr<Program> g_program;

// Steps of scrolling one line and repainting a table, timed one by one.
void Scroll(common::CTableView& table, int steps, std::vector<double>& times)
{
    common::CGridCtrl& grid = *table.GetGrid();
    for (int i = 0; i < steps; ++i) {
        const auto start = Clock::now();
        if (grid.GetScrollPos32(SB_VERT) >= grid.GetScrollMax(SB_VERT))
            grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        else
            grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        grid.Invalidate();
        grid.UpdateWindow();
        times.push_back(Seconds(start));
    }
}

// Two texts typed in turn into a cell of the first row (the Blocks table's
// colour, the Node BCs table's temperature), each edit ended as the
// in-place editor ends it.
void Edit(common::CTableView& table, int col, const char* a, const char* b, int edits,
          std::vector<double>& times)
{
    common::CGridCtrl& grid = *table.GetGrid();
    for (int i = 0; i < edits; ++i) {
        table.SetGridFocus(1, col);
        grid.SetItemText(1, col, i % 2 ? a : b);
        grid.m_bModified = TRUE;
        QApplication::processEvents();
        const auto start = Clock::now();
        grid.SendMessageToParent(1, col, common::GVN_ENDEDIT);
        QApplication::processEvents();
        times.push_back(Seconds(start));
    }
}

// Scrolling and cell edits of one table in a small and a large model, in
// turn, so that a change of machine load hits both sizes; the medians'
// ratios as counters.
template <class Table>
void MeasureTable(benchmark::State& state, const std::string& small, const std::string& big, Table table,
                  int col, const char* a, const char* b)
{
    std::vector<double> scrollSmall, scrollLarge, editSmall, editLarge;
    for (auto _ : state) {
        g_program->Open(small);
        Scroll(table(), 20, scrollSmall);
        Edit(table(), col, a, b, 20, editSmall);
        g_program->Open(big);
        const std::size_t scrolled = scrollLarge.size(), edited = editLarge.size();
        Scroll(table(), 20, scrollLarge);
        Edit(table(), col, a, b, 20, editLarge);
        state.SetIterationTime(
            Sum({scrollLarge.begin() + static_cast<std::ptrdiff_t>(scrolled), scrollLarge.end()}) +
            Sum({editLarge.begin() + static_cast<std::ptrdiff_t>(edited), editLarge.end()}));
    }
    state.counters["scroll_ratio_vs_100"] = Median(scrollLarge) / Median(scrollSmall);
    state.counters["edit_ratio_vs_100"] = Median(editLarge) / Median(editSmall);
    g_program->Close();
}

void BM_BlocksTable(benchmark::State& state)
{
    const int large = bench::Small() ? 5000 : static_cast<int>(state.range(0));
    MeasureTable(
        state, WriteModel(100), WriteModel(large),
        []() -> common::CTableView& { return g_program->Blocks(); }, 2, "1", "2");
}

void BM_NodeBcsTable(benchmark::State& state)
{
    const int large = bench::Small() ? 5000 : static_cast<int>(state.range(0));
    MeasureTable(
        state, WriteNodeBcModel(100), WriteNodeBcModel(large),
        []() -> common::CTableView& { return g_program->NodeBcs(); }, 5, "10", "11");
}

void BM_OpenModel(benchmark::State& state)
{
    const int large = bench::Small() ? 5000 : static_cast<int>(state.range(0));
    const std::string tenth = WriteModel(large / 10), big = WriteModel(large);
    double openTenth = 0, openLarge = 0;
    for (auto _ : state) {
        openTenth += g_program->Open(tenth);
        const double t = g_program->Open(big);
        openLarge += t;
        state.SetIterationTime(t);
    }
    state.counters["open_ratio_vs_tenth"] = openLarge / openTenth;
    state.counters["open_s"] = openLarge / static_cast<double>(state.iterations());
    g_program->Close();
}

BENCHMARK(BM_BlocksTable)->Arg(65535)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NodeBcsTable)->Arg(65535)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenModel)->Arg(65535)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    g_program = std::make_unique<Program>();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_program.reset();
    return 0;
}

// Benchmark of the 3D view on a real OpenGL context (Qt's xcb platform under
// a virtual X server). The model is a lattice of separate unit blocks, each
// with its six faces visible. Reported as counters of one run, each time the
// shortest of five:
//  (a) frame_per_face_vs_500_blocks: a frame after a camera change (the
//      view's drawing: the display list replayed, overlays, the buffer
//      swapped; until glFinish), per face piece, for 65,535
//      blocks over the same for 500 blocks; target <= 1.5.
//  (b) frame_vs_draw_arrays: that frame of 65,535 blocks over drawing the
//      same triangles once with glDrawArrays (lit, cleared, finished);
//      target <= 1.5.
//  (c) pick_vs_frame: the colour read-out of a mouse move over the nearest
//      block (a block pick in the materials view) over one frame; value_pick_vs_frame: the
//      temperature read-out (face pick, quad pick, value) over one frame of
//      the temperatures view; targets <= 1.
// SUITE_BENCH_SMALL=1 takes 2,000 blocks against 500. Without an X display
// the benchmark says so and ends. The view reaches the engine through the
// application object, as in the program: the benchmark makes one (without
// starting the program) and builds its models in that object's engine. Like
// the program at its end, that object removes the temporary result files
// ("tmp.sol", "tmp.flx", "tmp.vwf") of the folder it runs in.
#include "bench/BenchSupport.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GelmarApp.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/graphics/GlScene.h"
#include "gelmar/graphics/core/PictureGrid.h"
#include "gelmar/graphics/core/SceneFaces.h"
#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/CellRaster.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"

#include <GL/gl.h>
#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace gelmar;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void Settle()
{
    for (int n = 0; n < 8; ++n)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A lattice of `count` unit blocks, one empty cell between neighbours.
void BuildLattice(Engine& e, int count)
{
    int side = 1;
    while (side * side * side < count)
        ++side;
    FreeModel(e);
    ResetModel(e);
    ModelStore& m = e.model;
    const int cells = 2 * side + 1;
    GrowGridLineArrays(m, static_cast<std::size_t>(cells + 1));
    for (int a = 0; a < 3; ++a) {
        m.axes[a].n = static_cast<std::uint16_t>(cells);
        std::fill(m.axes[a].widths.begin(), m.axes[a].widths.begin() + cells, 1.0f);
        m.clipLo[a] = 0;
        m.clipHi[a] = static_cast<std::uint16_t>(cells);
    }
    ComputeGridCoordinates(m);
    ComputeModelExtent(m);
    ColourRecord& c = m.colours[1];
    c = ColourRecord{};
    c.inUse = 1;
    c.type = MATERIAL;
    SetDisplayColour(c, 200, 120, 80);
    GrowBlockArray(m, static_cast<std::size_t>(count));
    int n = 0;
    for (int i = 0; i < side && n < count; ++i)
        for (int j = 0; j < side && n < count; ++j)
            for (int k = 0; k < side && n < count; ++k, ++n) {
                BlockRecord& b = m.blocks[static_cast<std::size_t>(n)];
                b = BlockRecord{};
                b.colour = 1;
                b.x1 = static_cast<std::uint16_t>(2 * i + 1), b.x2 = static_cast<std::uint16_t>(2 * i + 2);
                b.y1 = static_cast<std::uint16_t>(2 * j + 1), b.y2 = static_cast<std::uint16_t>(2 * j + 2);
                b.z1 = static_cast<std::uint16_t>(2 * k + 1), b.z2 = static_cast<std::uint16_t>(2 * k + 2);
            }
    m.blocks.count = static_cast<std::uint16_t>(count);
    m.tmin = 0, m.tmax = 20, m.tin1 = 1;
}

// Temperatures rising along the lattice's diagonal.
void LoadField(Engine& e)
{
    ModelStore& m = e.model;
    WorkArrays& work = e.run.work;
    RasteriseBlocks(m, e.run);
    BuildNodeNumbering(m, e.run, Host());
    work.solution.assign(static_cast<std::size_t>(work.rowCount), 0.0);
    for (int i = 0; i <= m.axes[0].n; ++i)
        for (int j = 0; j <= m.axes[1].n; ++j)
            for (int k = 0; k <= m.axes[2].n; ++k) {
                const std::int32_t node = GetNodeIndex(m, work, i, j, k);
                if (node >= 0)
                    work.solution[static_cast<std::size_t>(node)] = 20.0 * (i + j + k) / (3.0 * m.axes[0].n);
            }
}

// The 3D view of the model in a window of its own.
class Scene {
  public:
    explicit Scene(ModelStore& model) : m_model(model)
    {
        m_host.CreateEx(0, nullptr, "View3D", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 820, 640),
                        nullptr, 0);
        view = new CGraphView;
        // As in the program: the pixel format is set before the view shows.
        view->Create(nullptr, "", WS_CHILD, CRect(0, 0, 800, 600), &m_host, 1);
        view->OnInitialUpdate();
        view->ShowWindow(SW_SHOW);
        Settle();
    }
    ~Scene()
    {
        view->DestroyWindow();
        m_host.DestroyWindow();
        Settle();
    }
    bool HasContext() const { return view->m_hRC != nullptr; }

    void Show(ViewKind kind)
    {
        view->m_viewKind = kind;
        view->UpdateModel();
        Settle();
    }
    void Finish()
    {
        wglMakeCurrent(view->m_hDC, view->m_hRC);
        glFinish();
        wglMakeCurrent(nullptr, nullptr);
    }
    // A frame after the camera turned by a degree: the view's drawing, done
    // (the platform shows it afterwards).
    double Frame()
    {
        m_model.viewAzimuth = std::fmod(m_model.viewAzimuth + 1.0f, 360.0f);
        const auto t0 = Clock::now();
        view->OnDraw(view->m_hDC);
        Finish();
        const double seconds = Seconds(t0);
        Settle();
        return seconds;
    }
    // The same triangles once with glDrawArrays.
    double DrawArrays(const TriangleMesh& mesh)
    {
        const auto t0 = Clock::now();
        wglMakeCurrent(view->m_hDC, view->m_hRC);
        glViewport(0, 0, view->m_cx, view->m_cy);
        LoadProjection(ProjectionMatrix(*view, ModelViewExtent(m_model), false));
        SetupViewLighting();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LoadModelView(CameraMatrix(*view, ModelViewAngles(m_model), ModelViewExtent(m_model), false));
        DrawMesh(mesh);
        glFinish();
        wglMakeCurrent(nullptr, nullptr);
        return Seconds(t0);
    }
    // The pixel of the top face's centre of the block farthest along the
    // lattice's diagonal, the one nearest the eye.
    CPoint NearestBlockTop()
    {
        const ModelStore& m = m_model;
        std::size_t nearest = 0;
        for (std::size_t n = 1; n < m.blocks.count; ++n) {
            const BlockRecord& a = m.blocks[n];
            const BlockRecord& c = m.blocks[nearest];
            if (a.x1 + a.y1 + a.z1 > c.x1 + c.y1 + c.z1)
                nearest = n;
        }
        const BlockRecord& b = m.blocks[nearest];
        const double x = (GridLineCoordinate(m, 0, b.x1) + GridLineCoordinate(m, 0, b.x2)) / 2;
        const double y = (GridLineCoordinate(m, 1, b.y1) + GridLineCoordinate(m, 1, b.y2)) / 2;
        view->ComputeViewMatrixInverse(0);
        double px, py, depth;
        view->PictureMatrix().Project(x, y, GridLineCoordinate(m, 2, b.z2), px, py, depth);
        return {static_cast<int>(px), static_cast<int>(py)};
    }

    CGraphView* view = nullptr;

  private:
    ModelStore& m_model;
    CWnd m_host;
};

template <class F> double Shortest(F&& f)
{
    double best = 1e30;
    for (int rep = 0; rep < 5; ++rep)
        best = std::min(best, f());
    return best;
}

void BM_View3D(benchmark::State& state)
{
    const int large = bench::Small() ? 2000 : 65535, small = 500;
    Engine& engine = TheEngine();
    Scene scene(engine.model);
    if (!scene.HasContext()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        BuildLattice(engine, small);
        scene.Show(ViewKind::Materials);
        const double smallFaces = engine.view.faces.count;
        const double smallFrame = Shortest([&] { return scene.Frame(); });

        BuildLattice(engine, large);
        LoadField(engine);
        scene.Show(ViewKind::Materials);
        const double largeFaces = engine.view.faces.count;
        const double frame = Shortest([&] { return scene.Frame(); });
        TriangleMesh mesh;
        EmitBlockFaces(engine.model, ViewKind::Materials, {}, 255, {}, engine.view.faces, mesh);
        const double arrays = Shortest([&] { return scene.DrawArrays(mesh); });
        // The read-outs aim at the nearest block.
        const CPoint p = scene.NearestBlockTop();
        std::string text;
        const double pick = Shortest([&] {
            const auto t0 = Clock::now();
            text = scene.view->ReadColourAtPoint(p);
            return Seconds(t0);
        });
        if (scene.view->PickBlock(p) < 0)
            state.SkipWithError("the block pick hit nothing");

        scene.Show(ViewKind::Temperatures);
        const double temperatureFrame = Shortest([&] { return scene.Frame(); });
        const double valuePick = Shortest([&] {
            const auto t0 = Clock::now();
            text = scene.view->ReadValueAtPoint(p);
            return Seconds(t0);
        });
        if (text.empty())
            state.SkipWithError("the value pick hit nothing");

        state.counters["faces_large"] = largeFaces;
        state.counters["frame_large_ms"] = frame * 1e3;
        state.counters["frame_per_face_vs_500_blocks"] = (frame / largeFaces) / (smallFrame / smallFaces);
        state.counters["frame_vs_draw_arrays"] = frame / arrays;
        state.counters["pick_vs_frame"] = pick / frame;
        state.counters["value_pick_vs_frame"] = valuePick / temperatureFrame;
        state.SetIterationTime(frame);
    }
}

BENCHMARK(BM_View3D)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::printf("view3d_bench: no X display; run it under xvfb-run\n");
        return 0;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    // The application object, not started: the view's engine.
    CGelmarApp program;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

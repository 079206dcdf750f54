// Benchmark of Gelmar's pictures on a block model of 100 x 100 x 100 cells of
// 1 cm (about a million nodes): a material with an inner cube of another, a
// surface layer on each x face, and a smooth analytic temperature field that
// the engine's own writer stores as the step file "tmp0000.sol".
//
// Reported as counters of one run, each the shortest of three:
//  (a) section_vs_read: a section picture through the middle of the model
//      (temperature fill, isotherms, grid lines; 1600 x 1200 pixels) over the
//      time of reading the step back (ReadSolutionFile); target <= 0.25.
//  (b) perspective_vs_read: a perspective of the whole model (temperature
//      fill, isotherms, grid and object lines; 1600 x 1200) over the same
//      read; target <= 2.
// SUITE_BENCH_SMALL=1 runs a 12 x 12 x 12 model.
#include "bench/BenchSupport.h"
#include "gelmar/graphics/core/Picture.h"
#include "gelmar/graphics/core/VisibleFaceList.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>

using namespace gelmar;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void AddBlock(ModelStore& m, int colour, int x1, int x2, int y1, int y2, int z1, int z2)
{
    const std::size_t n = m.blocks.count;
    GrowBlockArray(m, n + 1);
    BlockRecord& b = m.blocks[n];
    b = BlockRecord{};
    b.colour = static_cast<std::uint8_t>(colour);
    b.x1 = static_cast<std::uint16_t>(x1), b.x2 = static_cast<std::uint16_t>(x2);
    b.y1 = static_cast<std::uint16_t>(y1), b.y2 = static_cast<std::uint16_t>(y2);
    b.z1 = static_cast<std::uint16_t>(z1), b.z2 = static_cast<std::uint16_t>(z2);
    m.blocks.count = static_cast<std::uint16_t>(n + 1);
}

void BuildModel(Engine& e, int n)
{
    FreeModel(e);
    ResetModel(e);
    ModelStore& m = e.model;
    m.dataFilePath = "model.glm";
    GrowGridLineArrays(m, n + 1);
    for (int a = 0; a < 3; ++a) {
        m.axes[a].n = static_cast<std::uint16_t>(n);
        std::fill(m.axes[a].widths.begin(), m.axes[a].widths.begin() + n, 0.01f);
        m.clipLo[a] = 0;
        m.clipHi[a] = static_cast<std::uint16_t>(n);
    }
    ComputeGridCoordinates(m);
    ComputeModelExtent(m);
    auto colour = [&](int c, ColourType type, float lambda, COLORREF rgb) -> ColourRecord& {
        ColourRecord& r = m.colours[c];
        r = ColourRecord{};
        r.inUse = 1;
        r.type = type;
        r.lambda = lambda;
        SetDisplayColour(r, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
        return r;
    };
    colour(1, MATERIAL, 1.0f, RGB(200, 120, 80));
    colour(2, MATERIAL, 0.01f, RGB(240, 240, 120));
    colour(3, BC_SIMPL, 1.0f, RGB(255, 0, 0)).temperature = 20.0f;
    colour(4, BC_SIMPL, 1.0f, RGB(0, 0, 255)).temperature = 0.0f;
    AddBlock(m, 1, 0, n, 0, n, 0, n);
    AddBlock(m, 2, n / 4, n - n / 4, n / 4, n - n / 4, n / 4, n - n / 4);
    AddBlock(m, 3, 0, 1, 0, n, 0, n);
    AddBlock(m, 4, n - 1, n, 0, n, 0, n);
    m.timeStep = 3600;
    e.run.calcTime = 0;
}

// A smooth field over 0..20 °C: falling across x with waves along y and z.
void WriteAnalyticStep(Engine& e)
{
    ModelStore& m = e.model;
    RunState& run = e.run;
    WorkArrays& work = run.work;
    RasteriseBlocks(m, run);
    BuildNodeNumbering(m, run, Host());
    work.solution.assign(static_cast<std::size_t>(work.rowCount), 0.0);
    const double size = m.extent[0];
    for (int i = 0; i <= m.axes[0].n; ++i)
        for (int j = 0; j <= m.axes[1].n; ++j)
            for (int k = 0; k <= m.axes[2].n; ++k) {
                const std::int32_t node = GetNodeIndex(m, work, i, j, k);
                if (node < 0)
                    continue;
                const double x = i * 0.01 / size, y = j * 0.01 / size, z = k * 0.01 / size;
                work.solution[static_cast<std::size_t>(node)] =
                    20.0 * (1.0 - x) + 2.5 * std::sin(6.0 * y) * std::cos(5.0 * z);
            }
    UpdateColourTemperatureRanges(m, run);
    WriteSolutionFile(m, run);
}

struct Camera {
    double forward[16];
};

// Viewport x perspective x look-at for a view of the whole model.
Camera ObliqueCamera(const ModelStore& m, int w, int h)
{
    const double c[3] = {m.centre[0], m.centre[1], m.centre[2]};
    const double r = 3.0 * m.halfDiagonal;
    const double eye[3] = {c[0] + 0.6 * r, c[1] - 0.55 * r, c[2] + 0.58 * r};
    double f[3] = {c[0] - eye[0], c[1] - eye[1], c[2] - eye[2]};
    auto normalise = [](double v[3]) {
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        for (int k = 0; k < 3; ++k)
            v[k] /= n;
    };
    normalise(f);
    const double up[3] = {0, 0, 1};
    double s[3] = {f[1] * up[2] - f[2] * up[1], f[2] * up[0] - f[0] * up[2], f[0] * up[1] - f[1] * up[0]};
    normalise(s);
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    const double look[16] = {s[0],  s[1],  s[2],  -(s[0] * eye[0] + s[1] * eye[1] + s[2] * eye[2]),
                             u[0],  u[1],  u[2],  -(u[0] * eye[0] + u[1] * eye[1] + u[2] * eye[2]),
                             -f[0], -f[1], -f[2], f[0] * eye[0] + f[1] * eye[1] + f[2] * eye[2],
                             0,     0,     0,     1};
    const double zn = 0.2 * r, zf = 3.0 * r, cot = 1.0 / std::tan(20.0 * 3.14159265358979 / 180.0);
    const double persp[16] = {
        cot * h / w, 0, 0,  0, 0, cot, 0, 0, 0, 0, (zf + zn) / (zn - zf), 2 * zf * zn / (zn - zf),
        0,           0, -1, 0};
    const double view[16] = {w / 2.0, 0, 0, w / 2.0, 0, -h / 2.0, 0, h / 2.0, 0, 0, 1, 0, 0, 0, 0, 1};
    auto multiply = [](const double* a, const double* b, double* out) {
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col) {
                double sum = 0;
                for (int k = 0; k < 4; ++k)
                    sum += a[row * 4 + k] * b[k * 4 + col];
                out[row * 4 + col] = sum;
            }
    };
    double pl[16];
    Camera camera;
    multiply(persp, look, pl);
    multiply(view, pl, camera.forward);
    return camera;
}

void BM_PicturesAgainstReadingTheStep(benchmark::State& state)
{
    const int n = bench::Small() ? 12 : 100;
    const int w = 1600, h = 1200;
    NullEngineHost host;
    Engine engine{host};
    ModelStore& model = engine.model;
    RunState& run = engine.run;
    for (auto _ : state) {
        BuildModel(engine, n);
        WriteAnalyticStep(engine);

        double read = 1e30;
        for (int rep = 0; rep < 3; ++rep) {
            auto t0 = Clock::now();
            if (!ReadSolutionFile(model, run, BuildStepFileName(model, run, ".sol")))
                state.SkipWithError("the step file could not be read back");
            read = std::min(read, Seconds(t0));
        }

        ColourScale scale;
        for (int e = 0; e < 16; ++e)
            scale.entries.push_back({static_cast<std::uint8_t>(e * 17),
                                     static_cast<std::uint8_t>(255 - e * 17),
                                     static_cast<std::uint8_t>(128)});
        const PictureSource source(model, run, engine.view.faces, scale);
        kernels::MemoryRaster raster(w, h);
        Picture picture;
        picture.settings.temperature = {0.0f, 20.0f, 1.0f, 5.0f, {RGB(255, 255, 255), 1}, {RGB(0, 0, 0), 1}};
        picture.settings.fill = FillMode::Temperatures;
        picture.settings.isothermalLines = true;
        picture.settings.gridLines = true;
        picture.settings.legend = false;

        // (a) A section through the middle: the clip box's upper z face.
        model.clipHi[2] = static_cast<std::uint16_t>(n / 2);
        ComputeModelExtent(model);
        model.clipCoord[0] = 0, model.clipCoord[1] = model.extent[0];
        model.clipCoord[2] = 0, model.clipCoord[3] = model.extent[1];
        model.clipCoord[4] = 0, model.clipCoord[5] = static_cast<float>(model.extent[2] * 0.5);
        CollectBlockFaces(model, engine.view);
        BuildVisibleFaceList(model, engine.view);
        picture.projection = 6;
        picture.settings.objectLines = false;
        picture.sectionView.SetSectionFullWindow(6, model.clipCoord);
        double section = 1e30;
        for (int rep = 0; rep < 3; ++rep) {
            auto t0 = Clock::now();
            picture.DrawPicture(source, raster.View(), CRect(0, 0, w, h), CRect(), {});
            section = std::min(section, Seconds(t0));
        }
        const double sectionPolygons = double(picture.Polygons().size());

        // (b) The perspective of the whole model.
        model.clipHi[2] = static_cast<std::uint16_t>(n);
        ComputeModelExtent(model);
        CollectBlockFaces(model, engine.view);
        BuildVisibleFaceList(model, engine.view);
        picture.projection = 0;
        picture.settings.objectLines = true;
        picture.SetViewMatrix(ObliqueCamera(model, w, h).forward);
        double perspective = 1e30;
        for (int rep = 0; rep < 3; ++rep) {
            auto t0 = Clock::now();
            picture.DrawPicture(source, raster.View(), CRect(0, 0, w, h), CRect(), {});
            perspective = std::min(perspective, Seconds(t0));
        }

        state.counters["nodes"] = double(run.work.gridNodeCount);
        state.counters["read_s"] = read;
        state.counters["section_s"] = section;
        state.counters["perspective_s"] = perspective;
        state.counters["section_polygons"] = sectionPolygons;
        state.counters["perspective_polygons"] = double(picture.Polygons().size());
        state.counters["section_vs_read"] = section / read;
        state.counters["perspective_vs_read"] = perspective / read;
        std::remove("tmp0000.sol");
        FreeWorkArrays(run, WorkGroup::Calculation);
        FreeWorkArrays(run, WorkGroup::AfterEdit);
    }
}

} // namespace

BENCHMARK(BM_PicturesAgainstReadingTheStep)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();

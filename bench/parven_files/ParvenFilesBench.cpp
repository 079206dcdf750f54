// Parven's files, each as a ratio against a reference measured in the same
// run:
//  - an ASCII STL file of 1,000,000 triangles read (vertices joined) against
//    a plain loop that reads the same file's lines and scans the numbers of
//    its vertex lines (target: within 3);
//  - ten STL blocks of 100,000 triangles each read with their data file
//    against one block of 1,000,000 (target: within 1.3): the joining of
//    vertices after each read costs only what that read added;
//  - a .pvn model of 100,000 blocks and 10,000 grid lines per axis read and
//    written against a plain fgets loop over the same file (target: within 3).
// SUITE_BENCH_SMALL=1 takes small sizes.
#include "bench/BenchSupport.h"
#include "parven/model/files/DataFile.h"
#include "parven/model/stl/StlFiles.h"
#include "parven/model/store/Engine.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::size_t Triangles()
{
    return bench::Small() ? 20000 : 1000000;
}

// A surface of n x n quads (two triangles each) over a wavy height field,
// shifted by `offset` along x: every inner vertex is shared by six triangles,
// as in the meshes CAD programs export.
template <typename Facet> void ForEachFacet(std::size_t triangles, float offset, Facet&& facet)
{
    const std::size_t n = static_cast<std::size_t>(std::sqrt(double(triangles) / 2));
    const auto point = [n, offset](std::size_t i, std::size_t j) {
        const float x = offset + 100.0f * float(i) / float(n), y = 100.0f * float(j) / float(n);
        return std::array<float, 3>{x, y, 5.0f * std::sin(x * 0.37f) * std::cos(y * 0.21f)};
    };
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) {
            facet(point(i, j), point(i + 1, j), point(i + 1, j + 1));
            facet(point(i, j), point(i + 1, j + 1), point(i, j + 1));
        }
}

void WriteAsciiStl(const std::string& path, std::size_t triangles)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("solid surface\n", f);
    ForEachFacet(triangles, 0, [f](const auto& a, const auto& b, const auto& c) {
        std::fputs("  facet normal 0 0 1\n    outer loop\n", f);
        for (const auto* p : {&a, &b, &c})
            std::fprintf(f, "      vertex %.7g %.7g %.7g\n", (*p)[0], (*p)[1], (*p)[2]);
        std::fputs("    endloop\n  endfacet\n", f);
    });
    std::fputs("endsolid surface\n", f);
    std::fclose(f);
}

void WriteBinaryStl(const std::string& path, std::size_t triangles, float offset)
{
    std::string bytes(80, ' ');
    std::string facets;
    std::uint32_t count = 0;
    ForEachFacet(triangles, offset, [&](const auto& a, const auto& b, const auto& c) {
        const float normal[3] = {0, 0, 1};
        facets.append(reinterpret_cast<const char*>(normal), 12);
        for (const auto* p : {&a, &b, &c})
            facets.append(reinterpret_cast<const char*>(p->data()), 12);
        facets.append(2, '\0');
        ++count;
    });
    bytes.append(reinterpret_cast<const char*>(&count), 4);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fwrite(facets.data(), 1, facets.size(), f);
    std::fclose(f);
}

// Reads the data file as File Open does; its seconds.
double ReadSeconds(parven::Engine& e, const std::string& path)
{
    const auto start = Clock::now();
    parven::ReadDataFile(e.model, e.mesh, e.run, e.parameters, e.startColours, path, parven::ReadMode::Open, e.host);
    return Seconds(start);
}

// First the data file, while no large STL file is being written back.
// The large model, written once by the writer under test.
struct LargeModel {
    LargeModel() : engine(host)
    {
        parven::ShapeModel& m = engine.model;
        const std::size_t blocks = bench::Small() ? 1000 : 100000, lines = bench::Small() ? 100 : 10000;
        parven::SetGridCapacity(m, lines + 100);
        for (parven::GridAxis& a : m.axes) {
            a.n = static_cast<std::uint16_t>(lines);
            for (std::size_t i = 0; i < lines; ++i)
                a.widths[i] = 0.5f + 0.01f * float(i % 13);
        }
        parven::GrowBlockArray(m, blocks);
        m.blocks.count = static_cast<std::uint32_t>(blocks);
        for (std::size_t b = 0; b < blocks; ++b) {
            m.currentColour = static_cast<std::uint8_t>(b % 256);
            parven::InitBlock(m, b);
            parven::BlockRecord& r = m.blocks[b];
            const float x = float(b % 100) * 1.5f, y = float((b / 100) % 100) * 2.25f, z = float(b / 10000) * 3.125f;
            const float p1[3] = {x, y, z}, p8[3] = {x + 1.5f, y + 2.25f, z + 3.125f};
            std::copy(p1, p1 + 3, r.points[0]);
            std::copy(p8, p8 + 3, r.points[7]);
            parven::DeriveBlockCorners(r, false);
        }
        for (std::size_t c = 0; c < parven::kColourCount; ++c)
            m.colours[c].name = "Colour " + std::to_string(c);
        parven::SaveDataFile(m, engine.startColours, "large.pvn");
    }
    parven::NullEngineHost host;
    parven::Engine engine;
};

LargeModel& Large()
{
    static LargeModel model;
    return model;
}

void BM_ReadLargeDataFile(benchmark::State& state)
{
    LargeModel& l = Large();
    bench::RunAgainstLineLoop(state, "large.pvn", [&l] { ReadSeconds(l.engine, "large.pvn"); });
    state.counters["blocks"] = double(l.engine.model.blocks.count);
}
BENCHMARK(BM_ReadLargeDataFile)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

void BM_WriteLargeDataFile(benchmark::State& state)
{
    LargeModel& l = Large();
    bench::RunAgainstLineLoop(state, "large.pvn", [&l] { parven::SaveDataFile(l.engine.model, l.engine.startColours, "written.pvn"); });
}
BENCHMARK(BM_WriteLargeDataFile)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);


// The reference: every line through fgets, the three numbers of each vertex
// line through strtof.
double VertexLineLoopSeconds(const std::string& path)
{
    const auto start = Clock::now();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    char line[512];
    double sum = 0;
    while (std::fgets(line, sizeof line, f)) {
        const char* p = line;
        while (*p == ' ')
            ++p;
        if (std::strncmp(p, "vertex", 6) != 0)
            continue;
        char* end = const_cast<char*>(p + 6);
        for (int k = 0; k < 3; ++k)
            sum += std::strtof(end, &end);
    }
    std::fclose(f);
    benchmark::DoNotOptimize(sum);
    return Seconds(start);
}

void BM_AsciiStlAgainstVertexLineLoop(benchmark::State& state)
{
    static const bool written = (WriteAsciiStl("surface.stl", Triangles()), true);
    (void)written;
    double read = 0, loop = 0;
    for (auto _ : state) {
        loop += VertexLineLoopSeconds("surface.stl");
        parven::StlMesh mesh;
        const auto start = Clock::now();
        if (!parven::ReadStlFile(mesh, "surface.stl"))
            state.SkipWithError("the STL file did not read");
        const double t = Seconds(start);
        read += t;
        state.SetIterationTime(t);
        state.counters["triangles"] = double(mesh.triangles.size());
        state.counters["vertices"] = double(mesh.vertices.size());
    }
    state.counters["ratio_vs_vertex_line_loop"] = read / loop;
}
BENCHMARK(BM_AsciiStlAgainstVertexLineLoop)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

// A data file of `blocks` STL blocks, block k reading "part<k>.stl".
std::string StlModel(std::size_t blocks, const std::string& prefix)
{
    std::string text = "nblk=" + std::to_string(blocks) + "\n";
    for (std::size_t k = 0; k < blocks; ++k)
        text += "blok=" + std::to_string(k) + "\nbsol=1\nbstl=" + prefix + std::to_string(k) + "\n";
    const std::string path = prefix + ".pvn";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs(text.c_str(), f);
    std::fclose(f);
    return path;
}

void BM_TenStlBlocksAgainstOne(benchmark::State& state)
{
    static const bool written = [] {
        for (int k = 0; k < 10; ++k)
            WriteBinaryStl("ten" + std::to_string(k) + ".stl", Triangles() / 10, 200.0f * float(k));
        WriteBinaryStl("one0.stl", Triangles(), 0);
        return true;
    }();
    (void)written;
    const std::string ten = StlModel(10, "ten"), one = StlModel(1, "one");
    parven::NullEngineHost host;
    parven::Engine engine(host);
    double tenTime = 0, oneTime = 0;
    for (auto _ : state) {
        oneTime += ReadSeconds(engine, one);
        const double t = ReadSeconds(engine, ten);
        tenTime += t;
        state.SetIterationTime(t);
    }
    state.counters["triangles"] = double(engine.model.stl.triangles.size());
    state.counters["ratio_ten_vs_one"] = tenTime / oneTime;
}
BENCHMARK(BM_TenStlBlocksAgainstOne)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

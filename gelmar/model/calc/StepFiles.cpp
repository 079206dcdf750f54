// Solution and heat-flow files, per-colour step results and time levels.
#include "gelmar/model/calc/StepFiles.h"

#include "common/core/ErrorCode.h"
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace gelmar {

namespace {

// The functions of time at the read-back time: the current values follow
// their functions as during the run. A function file that can no longer be
// read leaves those values at their fixed numbers; the solution still shows.
void PrepareFunctionsForReadBack()
{
    const std::string path = g_model.sharedPath;
    ResolveFunctionReferences();
    try {
        CollectFunctionFiles();
        LoadPropertyTables();
    } catch (const common::EngineException&) {
        common::ResetErrorCode();
        FreeFunctionFileData();
    }
    EvaluateColourFunctions(false);
    g_model.sharedPath = path;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// "%g" and "%.10f" independent of the process locale.
std::string G(double v)
{
    char buf[64];
    return {buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6).ptr};
}
std::string F10(double v)
{
    char buf[400];
    return {buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 10).ptr};
}

File OpenForWriting()
{
    File f(std::fopen(g_model.sharedPath.c_str(), "wb"));
    if (!f)
        common::RaiseError(kErrorFileOpen);
    return f;
}

void Line(std::FILE* f, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), f);
    std::fwrite("\r\n", 1, 2, f);
}

std::string S(long long v)
{
    return std::to_string(v);
}

bool IsBoundaryResultColour(const ColourRecord& c)
{
    return c.type != MATERIAL && c.type != EQUIMAT;
}

} // namespace

void BuildStepFileName(const char* extension)
{
    const long long every =
        static_cast<long long>(std::max(1, g_model.saveFrequency)) * std::max(1, g_model.timeStep);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%04lld%s", "tmp", g_model.calcTime / every, extension);
    g_model.sharedPath = buf;
}

void WriteSolutionFile()
{
    BuildStepFileName(".sol");
    File file = OpenForWriting();
    std::FILE* f = file.get();
    const ModelStore& m = g_model;
    const WorkArrays& w = g_work;
    const kernels::SolverState& s = g_run.solver;
    Line(f, "D " + S(m.blocks.count) + " " + S(m.nodeBcs.count) + " " + S(ZoneCount()));
    Line(f, "R " + S(w.rowCount) + " " + S(w.gridNodeCount) + " " + G(s.largestChange) + " " +
                G(s.objectDivergence) + " " + G(s.nodeDivergence));
    for (int i = 0; i <= m.axes[0].n; ++i)
        for (int j = 0; j <= m.axes[1].n; ++j)
            for (int k = 0; k <= m.axes[2].n; ++k) {
                const std::int32_t n = GetNodeIndex(i, j, k);
                if (n >= 0)
                    Line(f, "N " + F10(w.solution[n]) + " " + S(i) + " " + S(j) + " " + S(k));
            }
    for (kernels::Index n = w.gridNodeCount; n < w.rowCount; ++n)
        Line(f, "N " + F10(w.solution[n]));
    for (int c = 0; c < kColourCount; ++c) {
        double air = 0;
        if (m.colours[c].inUse && ColourAirNodeTemperature(c, air))
            Line(f, "C " + S(c) + " " + F10(air));
    }
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = m.colours[c];
        if (!r.inUse)
            continue;
        const auto& lo = r.working.lowestPoint;
        const auto& hi = r.working.highestPoint;
        Line(f, "T " + S(c) + " " + G(r.resultMin) + " " + S(lo[0]) + " " + S(lo[1]) + " " + S(lo[2]) + " " +
                    G(r.resultMax) + " " + S(hi[0]) + " " + S(hi[1]) + " " + S(hi[2]));
    }
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = m.colours[c];
        if (r.inUse && IsBoundaryResultColour(r))
            Line(f, "Q " + S(c) + " " + G(r.resultValue1) + " " + G(r.resultValue2));
    }
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n)
        if (m.nodeBcs[n].type == 0)
            Line(f, "B " + S(n) + " " + G(m.nodeBcs[n].temperature));
    for (std::int32_t n = 0; n < m.borderBcs.count; ++n) {
        const BorderFaceBcRecord& r = m.borderBcs[n];
        if (r.type == 0 && r.colour1 >= 0 && r.colour2 >= 0)
            Line(f, "F " + S(n) + " " + G(r.temperature));
    }
    if (std::ferror(f))
        common::RaiseError(kErrorFileOpen);
}

void WriteFluxFile()
{
    BuildStepFileName(".flx");
    File file = OpenForWriting();
    WriteZoneFaceFlows(file.get());
}

bool ReadSolutionFile(int usePath)
{
    g_run.solutionValid = false;
    g_run.solver.largestChange = 0.0f;
    g_run.solver.objectDivergence = g_run.solver.nodeDivergence = 200.0f;
    if (usePath == 0)
        BuildStepFileName(".sol");
    common::KeywordLineReader reader;
    if (!reader.Open(g_model.sharedPath))
        return false;
    const ModelStore& m = g_model;
    bool bad = false;
    bool haveRows = false;
    kernels::Index rows = 0, stored = 0;
    int key = -1;
    while (!bad) {
        const common::LineStatus status = reader.ReadKeywordLine("DRNCTQBF", 1, key);
        if (status == common::LineStatus::End)
            break;
        if (status == common::LineStatus::TooLong) {
            bad = true;
            break;
        }
        const char* p = reader.Value();
        int a = 0, b = 0, c = 0;
        float x = 0, y = 0, z = 0;
        double v = 0;
        auto colourOk = [&] { return a >= 0 && a < kColourCount; };
        switch (key) {
        case 0: // D
            bad = !common::ScanInt(p, a) || !common::ScanInt(p, b) || !common::ScanInt(p, c) ||
                  a != m.blocks.count || b != m.nodeBcs.count;
            break;
        case 1: // R
            bad = !common::ScanInt(p, a) || !common::ScanInt(p, b) || !common::ScanFloat(p, x) ||
                  !common::ScanFloat(p, y) || !common::ScanFloat(p, z) || b != g_work.gridNodeCount ||
                  a < b || x < 0 || y < 0 || y > 200 || z < 0 || z > 200;
            if (!bad) {
                g_run.solver.largestChange = x;
                g_run.solver.objectDivergence = y;
                g_run.solver.nodeDivergence = z;
                if (g_work.solution.empty())
                    AllocWorkArray(kSolutionVector);
                rows = std::min<kernels::Index>(a, static_cast<kernels::Index>(g_work.solution.size()));
                haveRows = true;
            }
            break;
        case 2: // N: only after the R line, and never beyond the rows
            bad = !haveRows || !common::ScanDouble(p, v);
            if (!bad && stored < rows)
                g_work.solution[stored++] = v;
            break;
        case 3: // C
            bad = !common::ScanInt(p, a) || !common::ScanDouble(p, v) || !colourOk();
            if (!bad) {
                ColourRecord& r = g_model.colours[a];
                r.airTemperature = static_cast<float>(v);
                if (r.type == BC_FRE_S)
                    r.temperature = static_cast<float>(v);
            }
            break;
        case 4: { // T
            int lo[3], hi[3];
            bad = !common::ScanInt(p, a) || !common::ScanFloat(p, x) || !common::ScanInt(p, lo[0]) ||
                  !common::ScanInt(p, lo[1]) || !common::ScanInt(p, lo[2]) || !common::ScanFloat(p, y) ||
                  !common::ScanInt(p, hi[0]) || !common::ScanInt(p, hi[1]) || !common::ScanInt(p, hi[2]) ||
                  !colourOk();
            if (!bad) {
                ColourRecord& r = g_model.colours[a];
                r.resultMin = x;
                r.resultMax = y;
                for (int q = 0; q < 3; ++q) {
                    r.working.lowestPoint[q] = static_cast<std::uint16_t>(lo[q]);
                    r.working.highestPoint[q] = static_cast<std::uint16_t>(hi[q]);
                }
            }
            break;
        }
        case 5: // Q
            bad = !common::ScanInt(p, a) || !common::ScanFloat(p, x) || !common::ScanFloat(p, y) ||
                  !colourOk() || x < 0 || y < 0;
            if (!bad) {
                g_model.colours[a].resultValue1 = x;
                g_model.colours[a].resultValue2 = y;
            }
            break;
        case 6: // B
            bad = !common::ScanInt(p, a) || !common::ScanFloat(p, x) || a < 0 || a >= m.nodeBcs.count;
            if (!bad)
                g_model.nodeBcs[a].temperature = x;
            break;
        case 7: // F
            bad = !common::ScanInt(p, a) || !common::ScanFloat(p, x) || a < 0 || a >= m.borderBcs.count;
            if (!bad)
                g_model.borderBcs[a].temperature = x;
            break;
        default:
            break;
        }
    }
    if (bad) {
        ClearSolution();
        return false;
    }
    PrepareFunctionsForReadBack();
    g_run.solutionValid = true;
    g_run.fluxesValid = false;
    return true;
}

void ReadFluxFile()
{
    BuildStepFileName(".flx");
    common::KeywordLineReader reader;
    if (!reader.Open(g_model.sharedPath))
        return;
    std::vector<HeatFlowRecord> kept;
    int key = -1;
    for (;;) {
        const common::LineStatus status = reader.ReadKeywordLine({}, 0, key);
        if (status == common::LineStatus::End)
            break;
        if (status == common::LineStatus::TooLong)
            continue;
        const char* p = reader.Value();
        int i = 0, j = 0, k = 0, d = 0;
        float q = 0;
        if (common::ScanInt(p, i) && common::ScanInt(p, j) && common::ScanInt(p, k) &&
            common::ScanInt(p, d) && common::ScanFloat(p, q))
            kept.push_back({static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(j),
                            static_cast<std::uint16_t>(k), static_cast<std::uint8_t>(d), q});
    }
    AllocWorkArray(kHeatFlowRecords, static_cast<kernels::Index>(kept.size()));
    std::copy(kept.begin(), kept.end(), g_work.heatFlows.begin());
    std::stable_sort(g_work.heatFlows.begin(), g_work.heatFlows.end(), [](const auto& a, const auto& b) {
        return std::tie(a.i, a.j, a.k, a.direction) < std::tie(b.i, b.j, b.k, b.direction);
    });
    g_run.fluxesValid = true;
}

void EnsureFluxTable()
{
    if (g_run.fluxesValid)
        return;
    g_work.heatFlows.clear();
    if (HasRadiatingColours())
        ReadFluxFile();
    g_run.fluxesValid = true;
}

void RemoveStepFiles()
{
    std::error_code ec;
    std::vector<std::filesystem::path> doomed;
    for (const auto& entry : std::filesystem::directory_iterator(".", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != 11 || !entry.is_regular_file(ec))
            continue;
        std::string lower = name;
        for (char& ch : lower)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        const bool digits =
            std::all_of(lower.begin() + 3, lower.begin() + 7, [](char ch) { return ch >= '0' && ch <= '9'; });
        const std::string ext = lower.substr(7);
        if (lower.compare(0, 3, "tmp") == 0 && digits &&
            (ext == ".sol" || ext == ".flx" || ext == ".sfx" || ext == ".sfd"))
            doomed.push_back(entry.path());
    }
    for (const auto& p : doomed)
        std::filesystem::remove(p, ec);
}

void UpdateColourTemperatureRanges()
{
    UpdateZoneAirTemperatures();
    for (ColourRecord& c : g_model.colours)
        if (c.inUse) {
            c.resultMin = 9.0e9f;
            c.resultMax = -9.0e9f;
        }
    const ModelStore& m = g_model;
    for (int i = 0; i < m.axes[0].n; ++i)
        for (int j = 0; j < m.axes[1].n; ++j)
            for (int k = 0; k < m.axes[2].n; ++k) {
                const int colour = GetCellColour(i, j, k);
                if (colour < 0 || colour >= kColourCount)
                    continue;
                ColourRecord& c = g_model.colours[colour];
                for (int q = 0; q < 8; ++q) {
                    const int p[3] = {i + (q & 1), j + ((q >> 1) & 1), k + ((q >> 2) & 1)};
                    const std::int32_t n = GetNodeIndex(p[0], p[1], p[2]);
                    if (n == -1)
                        continue;
                    const float t = static_cast<float>(GetNodeValue(n, 0));
                    auto place = [&](std::uint16_t* at) {
                        for (int a = 0; a < 3; ++a)
                            at[a] = static_cast<std::uint16_t>(p[a]);
                    };
                    if (t < c.resultMin) {
                        c.resultMin = t;
                        place(c.working.lowestPoint);
                    }
                    if (t > c.resultMax) {
                        c.resultMax = t;
                        place(c.working.highestPoint);
                    }
                }
            }
}

void ComputeColourHeatFlows()
{
    EvaluateColourFunctions(false);
    ClearSolarFluxColumn();
    AssembleEquations(0);
    const kernels::Index grid = g_work.gridNodeCount;
    std::vector<double> flows(grid, 0.0);
    kernels::ComputeHeatBalance(*g_work.matrix, g_work.rhs.data(), g_work.solution.data(), flows.data(),
                                kernels::HeatBalanceRule{}, [] {
                                    CheckEscAbort();
                                    return false;
                                },
                                &g_work.solverWork.team);
    for (ColourRecord& c : g_model.colours)
        if (c.inUse && IsBoundaryResultColour(c))
            c.resultValue1 = c.resultValue2 = 0.0f;
    const ModelStore& m = g_model;
    for (int i = 0; i < m.axes[0].n; ++i)
        for (int j = 0; j < m.axes[1].n; ++j)
            for (int k = 0; k < m.axes[2].n; ++k) {
                const int colour = GetCellColour(i, j, k);
                if (colour < 0 || colour >= kColourCount)
                    continue;
                ColourRecord& c = g_model.colours[colour];
                if (!IsBoundaryResultColour(c) ||
                    ((c.type == BC_SIMPL || c.type == BC_FRE_S) && c.hGlobal == 0 && c.flux == 0))
                    continue;
                for (int q = 0; q < 8; ++q) {
                    const std::int32_t n = GetNodeIndex(i + (q & 1), j + ((q >> 1) & 1), k + ((q >> 2) & 1));
                    if (n < 0 || n >= grid || flows[n] == 0.0)
                        continue;
                    if (flows[n] >= 0)
                        c.resultValue1 += static_cast<float>(flows[n]);
                    else
                        c.resultValue2 += static_cast<float>(-flows[n]);
                    flows[n] = 0.0;
                }
            }
}

void AdvanceTimeLevel()
{
    WorkArrays& w = g_work;
    w.keptRhs = w.rhs;
    if (g_run.step >= 1)
        w.previous2 = w.previous;
    w.previous = w.solution;
    AdvanceZoneFaces();
}

} // namespace gelmar

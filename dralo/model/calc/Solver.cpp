// The solver over the shared kernels and the solution file.
#include "dralo/model/calc/Solver.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/kernels/ResultFiles.h"
#include "common/kernels/SolverReadouts.h"
#include "dralo/model/calc/Assembly.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dralo {

namespace {

std::size_t U(std::int64_t i)
{
    return static_cast<std::size_t>(i);
}

std::string Text(long long v)
{
    return std::to_string(v);
}

// A temperature the file may hold: finite and within the range of the
// colours' float values (so that what the writer makes of it reads back).
bool Plausible(double t)
{
    return std::abs(t) <= double(std::numeric_limits<float>::max());
}

} // namespace

kernels::HeatBalanceRule BalanceRule()
{
    return {1e-10, true};
}

void ClearNodeTemperatures(RunState& run)
{
    run.temperature.assign(U(run.equations), 0.0);
}

void RunConjugateGradient(BitmapModel& m, RunState& run, EngineHost& host)
{
    if (!run.solutionAvailable) {
        std::fill(run.temperature.begin(), run.temperature.end(), 0.0);
        run.solutionAvailable = true;
    }
    kernels::SolverState& state = run.solver;
    // The largest change carries over from the previous solve (or the
    // solution file) into the first stop test.
    state.largestChange = run.readouts.largestChange;
    const kernels::SolverLimits limits{m.calc.iter, m.calc.mxdt, m.calc.mxod, m.calc.mxnd};
    kernels::SolverHooks hooks;
    // Esc keeps what the solve has reached: the solution file first.
    hooks.esc = [&m, &run, &host] {
        if (host.EscPressed()) {
            WriteSolutionFile(m, run);
            throw EscAbort{};
        }
        host.StepProgress();
        return false;
    };
    hooks.progress = [&](const kernels::SolverState& s) { kernels::ShowSolverReadouts(s, run.readouts, host); };
    hooks.balanceRule = BalanceRule();
    const kernels::SolveOutcome outcome = kernels::SolveConjugateGradient(
        *run.matrix, run.factor, run.rhs.data(), run.temperature.data(), run.work, state, limits, hooks);
    if (outcome == kernels::SolveOutcome::Settled) {
        // The read-out after the loop counts one iteration more, as after a
        // full run.
        ++state.iterations;
        kernels::ShowSolverReadouts(state, run.readouts, host);
    }
}

void ComputeColourTemperatureRanges(BitmapModel& m, const RunState& run)
{
    for (ColourRecord& c : m.colours)
        if (c.present) {
            c.lowestTemperature = kNoLowestTemperature;
            c.highestTemperature = kNoHighestTemperature;
        }
    auto widen = [&](int colour, std::int32_t n) {
        ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
        if (!c.present || U(n) >= run.temperature.size())
            return;
        const float t = static_cast<float>(run.temperature[U(n)]);
        c.lowestTemperature = std::min(c.lowestTemperature, t);
        c.highestTemperature = std::max(c.highestTemperature, t);
    };
    for (const MeshTriangle& t : run.mesh.triangles)
        for (std::int32_t n : t.v)
            widen(t.colour, n);
    for (const BorderEdge& e : run.mesh.borders) {
        widen(e.boundary, e.start);
        widen(e.boundary, e.end);
    }
}

void WriteSolutionFile(BitmapModel& m, const RunState& run)
{
    ComputeColourTemperatureRanges(m, run);
    const std::string path = TempFilePath(run.workFolder, kSolutionFileName);
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    const Mesh& mesh = run.mesh;
    w.Line("D " + Text(static_cast<long long>(mesh.points.size())) + " " + Text(static_cast<long long>(mesh.triangles.size())) +
           " " + Text(static_cast<long long>(mesh.borders.size())) + " " + Text(static_cast<long long>(mesh.zoneEdges.size())));
    const SolverReadouts& r = run.readouts;
    w.Line("R " + Text(run.equations) + " " + kernels::FormatShortG(r.largestChange) + " " +
           kernels::FormatShortG(r.objectDivergence) + " " + kernels::FormatShortG(r.nodeDivergence));
    std::string line;
    for (kernels::Index n = 0; n < run.equations; ++n) {
        const double t = U(n) < run.temperature.size() ? run.temperature[U(n)] : 0.0;
        line.assign(1, 'N');
        line += ' ';
        line += kernels::FormatFixed10(t);
        w.Line(line);
    }
    // A free cavity's air temperature: its zone's air node.
    for (int n = 0; n < kColourCount; ++n) {
        ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (!c.present || (c.type != BC_FREE && c.type != BC_FRE_S) || c.radiationZone < 0 ||
            U(c.radiationZone) >= run.radiation.zones.size())
            continue;
        const std::size_t air = U(run.radiation.zones[U(c.radiationZone)].AirNode());
        if (air < run.temperature.size()) {
            c.tair = static_cast<float>(run.temperature[air]);
            w.Line("C " + Text(n) + " " + kernels::FormatFixed10(run.temperature[air]));
        }
    }
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (c.present)
            w.Line("I " + Text(n) + " " + kernels::FormatShortG(c.lowestTemperature) + " " +
                   kernels::FormatShortG(c.highestTemperature));
    }
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (c.present && c.type == EQUIMAT && c.rule >= 1 && c.rule <= 4)
            w.Line("F " + Text(n) + " " + Text(c.flowAxis));
    }
    if (!w.Close())
        throw EngineError::FileOpen(path);
}

bool ReadSolutionFile(BitmapModel& m, RunState& run)
{
    run.readouts.largestChange = 0.0f;
    run.readouts.objectDivergence = run.readouts.nodeDivergence = 200.0f;
    run.solutionAvailable = false;
    run.temperature.assign(U(run.equations), 0.0);

    common::KeywordLineReader reader;
    if (!reader.Open(TempFilePath(run.workFolder, kSolutionFileName)) &&
        (m.dataFilePath.empty() || !reader.Open(ReplaceExtension(m.dataFilePath, ".sol"))))
        return false;
    // Colour values are taken only from a file read whole.
    struct ColourLine {
        int key, colour;
        double a, b;
    };
    std::vector<ColourLine> colourLines;
    SolverReadouts readouts = run.readouts;
    kernels::Index values = 0;
    const Mesh& mesh = run.mesh;
    auto fail = [&] {
        std::fill(run.temperature.begin(), run.temperature.end(), 0.0);
        return false;
    };
    for (;;) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine("DRNCIF", 1, key);
        if (status == common::LineStatus::End)
            break;
        if (status == common::LineStatus::TooLong)
            return fail();
        const char* p = reader.Value();
        int i[4] = {};
        double d[3] = {};
        float f[3] = {};
        switch (key) {
        case 0:
            if (!common::ScanInt(p, i[0]) || !common::ScanInt(p, i[1]) || !common::ScanInt(p, i[2]) ||
                !common::ScanInt(p, i[3]) || U(i[0]) != mesh.points.size() || U(i[1]) != mesh.triangles.size() ||
                U(i[2]) != mesh.borders.size() || U(i[3]) != mesh.zoneEdges.size() || i[0] < 0 || i[1] < 0 ||
                i[2] < 0 || i[3] < 0)
                return fail();
            break;
        case 1:
            if (!common::ScanInt(p, i[0]) || !common::ScanFloat(p, f[0]) || !common::ScanFloat(p, f[1]) ||
                !common::ScanFloat(p, f[2]) || i[0] != run.equations || !(f[0] >= 0) || !(f[1] >= 0 && f[1] <= 200) ||
                !(f[2] >= 0 && f[2] <= 200))
                return fail();
            readouts.largestChange = f[0];
            readouts.objectDivergence = f[1];
            readouts.nodeDivergence = f[2];
            break;
        case 2:
            if (!common::ScanDouble(p, d[0]) || !Plausible(d[0]) || values >= run.equations)
                return fail();
            run.temperature[U(values++)] = d[0];
            break;
        case 3:
            if (!common::ScanInt(p, i[0]) || !common::ScanDouble(p, d[0]) || !Plausible(d[0]) || i[0] < 0 ||
                i[0] > 255)
                return fail();
            colourLines.push_back({key, i[0], d[0], 0});
            break;
        case 4:
            if (!common::ScanInt(p, i[0]) || !common::ScanDouble(p, d[0]) || !common::ScanDouble(p, d[1]) ||
                !Plausible(d[0]) || !Plausible(d[1]) || i[0] < 0 || i[0] > 255)
                return fail();
            colourLines.push_back({key, i[0], d[0], d[1]});
            break;
        case 5:
            if (!common::ScanInt(p, i[0]) || !common::ScanInt(p, i[1]) || i[0] < 0 || i[0] > 255 || i[1] < 0 ||
                i[1] > 2)
                return fail();
            colourLines.push_back({key, i[0], double(i[1]), 0});
            break;
        default:
            break;
        }
    }
    if (values != run.equations)
        return fail();
    for (const ColourLine& l : colourLines) {
        ColourRecord& c = m.colours[static_cast<std::size_t>(l.colour)];
        if (l.key == 3) {
            c.tair = static_cast<float>(l.a);
        } else if (l.key == 4) {
            c.lowestTemperature = static_cast<float>(l.a);
            c.highestTemperature = static_cast<float>(l.b);
        } else {
            c.flowAxis = static_cast<int>(l.a);
        }
    }
    run.readouts = readouts;
    run.solutionAvailable = true;
    return true;
}

} // namespace dralo

// The sunlit-node file and the solar flux files (see SolarFiles.h).
#include "gelmar/model/solar/SolarFiles.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/core/TextFileWriter.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <tuple>

namespace gelmar {

namespace {

void SaveOrRaise(const common::TextFileWriter& w, const std::string& path)
{
    if (!w.Save(path))
        throw EngineError::FileOpen(path);
}

// A value of a solar file; a value that is not finite stops the run rather
// than enter the file.
std::string FiniteText(RunState& run, float v)
{
    if (!std::isfinite(v))
        throw EngineError::NotFinite(ErrorCode::NotFiniteResults, run.step);
    return common::FormatFloat(v);
}

// Record indices by their line in the sunlit-node file.
std::vector<std::size_t> RecordsByFileLine(RunState& run)
{
    const std::vector<SunlitNodeRecord>& records = run.solar.records;
    std::vector<std::size_t> byLine(records.size(), records.size());
    for (std::size_t n = 0; n < records.size(); ++n) {
        const auto line = static_cast<std::size_t>(records[n].fileLine);
        if (line < byLine.size())
            byLine[line] = n;
    }
    return byLine;
}

} // namespace

std::string SolarFileName(ModelStore& model, long long t, const char* extension)
{
    const long long frequency = model.saveFrequency > 0 ? model.saveFrequency : 1;
    const long long step = model.timeStep > 0 ? model.timeStep : 1;
    char name[40];
    std::snprintf(name, sizeof name, "tmp%04lld", t / (frequency * step));
    return name + std::string(extension);
}

bool IsSaveStep(ModelStore& model, long long t)
{
    if (!model.saveResults || t < 0 || model.timeStep <= 0)
        return false;
    const long long frequency = model.saveFrequency > 0 ? model.saveFrequency : 1;
    return (t / model.timeStep) % frequency == 0;
}

void WriteSunlitNodesFile(ModelStore& model, RunState& run)
{
    const std::vector<std::size_t> byLine = RecordsByFileLine(run);
    common::TextFileWriter w;
    w.Put("D " + std::to_string(run.solar.records.size()));
    w.EndLine();
    for (const std::size_t n : byLine) {
        if (n >= run.solar.records.size())
            continue;
        const SunlitNodeRecord& r = run.solar.records[n];
        w.Put("N " + std::to_string(r.node) + " " + std::to_string(r.orientation) + " " +
              std::to_string(r.colour) + " " + FiniteText(run, r.area));
        w.EndLine();
    }
    SaveOrRaise(w, SolarFileName(model, 0, ".sfd"));
}

bool ReadSunlitNodesFile(ModelStore& model, RunState& run, EngineHost& host)
{
    std::vector<SunlitNodeRecord>& records = run.solar.records;
    records.clear();
    const std::string path = SolarFileName(model, 0, ".sfd");
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        return false;
    long long expected = -1;
    bool ok = true;
    int key = -1;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine("DN", 1, key);
        if (st == common::LineStatus::End)
            break;
        const char* p = reader.Value();
        if (st == common::LineStatus::TooLong || key < 0) {
            ok = false;
        } else if (key == 0) {
            int count = 0;
            ok = expected < 0 && common::ScanInt(p, count) && count >= 1;
            expected = count;
        } else {
            int node = 0, orientation = 0, colour = 0;
            float area = 0;
            ok = expected >= 0 && static_cast<long long>(records.size()) < expected &&
                 common::ScanInt(p, node) && common::ScanInt(p, orientation) && common::ScanInt(p, colour) &&
                 common::ScanFloat(p, area) && node >= 0 && node < run.solar.grid.gridNodes &&
                 orientation >= 0 && orientation <= 5 && colour >= 0 && colour <= 255 && area > 0;
            if (ok) {
                SunlitNodeRecord r;
                r.node = node;
                r.orientation = static_cast<std::uint8_t>(orientation);
                r.colour = static_cast<std::uint8_t>(colour);
                r.area = area;
                r.fileLine = static_cast<std::int32_t>(records.size());
                records.push_back(r);
            }
        }
        if (!ok)
            break;
    }
    if (ok && static_cast<long long>(records.size()) != expected)
        ok = false;
    if (!ok) {
        records.clear();
        ReportSyntaxError(host, path, reader.LineCounter());
    }
    return ok;
}

void RemoveSolarFluxFile(ModelStore& model, long long t)
{
    std::error_code ec;
    std::filesystem::remove(SolarFileName(model, t, ".sfx"), ec);
}

void WriteSolarFluxFile(ModelStore& model, RunState& run, long long t)
{
    common::TextFileWriter w;
    for (const std::size_t n : RecordsByFileLine(run)) {
        if (n >= run.solar.records.size())
            continue;
        w.Put(FiniteText(run, run.solar.records[n].flux));
        w.EndLine();
    }
    SaveOrRaise(w, SolarFileName(model, t, ".sfx"));
}

void ReadSolarFluxFile(ModelStore& model, RunState& run, EngineHost& host, long long t)
{
    if (!run.solar.solar)
        return;
    if (run.solar.records.empty())
        ReadSunlitNodesFile(model, run, host);
    std::vector<SunlitNodeRecord>& records = run.solar.records;
    if (records.empty())
        return;
    for (SunlitNodeRecord& r : records)
        r.flux = 0;
    // Line n belongs to the record that line n of the sunlit-node file named,
    // also when the records were reordered by an earlier read.
    const std::vector<std::size_t> byLine = RecordsByFileLine(run);
    common::KeywordLineReader reader;
    if (reader.Open(SolarFileName(model, t, ".sfx"))) {
        std::size_t line = 0;
        int key = -1;
        common::LineStatus st;
        while (line < byLine.size() && (st = reader.ReadKeywordLine("", 1, key)) != common::LineStatus::End) {
            const char* p = reader.Value();
            float flux = 0;
            if (st == common::LineStatus::TooLong || !common::ScanFloat(p, flux))
                continue;
            if (byLine[line] < records.size())
                records[byLine[line]].flux = flux;
            ++line;
        }
    }
    if (records.size() > 1) {
        std::stable_sort(records.begin(), records.end(),
                         [](const SunlitNodeRecord& a, const SunlitNodeRecord& b) {
                             return std::tuple(a.node, a.orientation, a.colour) <
                                    std::tuple(b.node, b.orientation, b.colour);
                         });
    }
}

} // namespace gelmar

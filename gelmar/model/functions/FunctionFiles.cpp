// Reading, chaining and evaluating the time series files of the functions of
// time.
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/calc/RunState.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace gelmar {

namespace {

// Keys of the time series files, three characters each, in this order.
constexpr std::string_view kKeys = "PRVNXTTIMDATFTEFIRFFHFVRFMTFSGFSDFHTFCOFTRFEM";
enum Key { kPrv = 0, kNxt = 1, kTim = 2, kDat = 3, kFmt = 8 };

constexpr long long kDay = 86400;

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Upper(x) == Upper(y); });
}

// The file-name part of a text: no folder, no extension, no trailing blanks.
std::string FileNamePart(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const std::size_t slash = text.find_last_of("/\\:");
    if (slash != std::string_view::npos)
        text.remove_prefix(slash + 1);
    const std::size_t dot = text.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        text = text.substr(0, dot);
    return std::string(text);
}

std::string TablePath(const FunctionFileTable& t)
{
    if (t.name.empty())
        return {};
    const std::filesystem::path folder(t.drive + t.folder);
    return (folder / (t.name + t.extension)).string();
}

// The table's file with the given name (same folder and extension).
void ReadNeighbour(ModelStore& model, RunState& run, FunctionFileTable& t, const std::string& name)
{
    t.name = name;
    ReadFunctionFile(model, run, t);
}

long long Span(const FunctionFileTable& t)
{
    return static_cast<long long>(t.step) * (t.count - 1);
}

// Reads one value token of a data line; the whole token must be a number.
bool ScanToken(std::string_view token, float& value)
{
    char text[64];
    if (token.size() >= sizeof text)
        return false;
    std::memcpy(text, token.data(), token.size());
    text[token.size()] = 0;
    const char* p = text;
    return common::ScanFloat(p, value) && *p == 0;
}

} // namespace

const char* FunctionRecordCode(char letter)
{
    switch (Upper(letter)) {
    case 'T':
        return "FTE";
    case 'I':
        return "FIR";
    case 'P':
        return "FFH";
    case 'V':
        return "FVR";
    case 'G':
        return "FSG";
    case 'D':
        return "FSD";
    case 'M':
        return "FCO";
    case 'H':
        return "FHT";
    case 'S':
        return "FTR";
    case 'E':
        return "FEM";
    default:
        return nullptr;
    }
}

char FunctionLetter(const char* name)
{
    return Upper(name[0]);
}

void ReadFunctionFile(ModelStore& model, RunState& run, FunctionFileTable& t)
{
    const std::string path = TablePath(t);
    common::KeywordLineReader reader;
    if (path.empty() || !reader.Open(path))
        throw EngineError::FileOpen(path);
    t.previousName = t.name;
    t.nextName = t.name;
    t.step = 0;
    t.count = 0;
    t.startDay = 0;
    t.valueMin = t.valueMax = 0;
    bool timeLine = false;
    for (;;) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine(kKeys, 3, key);
        if (status == common::LineStatus::End)
            break;
        const int line = reader.LineCounter();
        if (status == common::LineStatus::TooLong)
            throw EngineError::Syntax(path, line);
        const char* p = reader.Value();
        if (*p == ' ')
            ++p;
        if (key == kPrv || key == kNxt) {
            (key == kPrv ? t.previousName : t.nextName) = FileNamePart(p);
        } else if (key == kTim) {
            int mode = 0, step = 0, intervals = 0;
            // A step of 0 would never move along the series.
            if (!common::ScanInt(p, mode) || !common::ScanInt(p, step) || !common::ScanInt(p, intervals) ||
                (mode != 0 && mode != 1) || step < 1 || intervals < 1 || intervals == 0x7FFFFFFF)
                throw EngineError::Syntax(path, line);
            t.interpolate = mode == 0 ? 1 : 0;
            t.step = step;
            t.count = intervals + 1;
            timeLine = true;
        } else if (key == kDat) {
            float v[4] = {};
            int n = 0;
            while (n < 4 && common::ScanFloat(p, v[n]))
                ++n;
            if (n < 1 || v[0] < 0 || v[0] > 1.0e8f)
                throw EngineError::Syntax(path, line);
            t.startDay = static_cast<int>(v[0]);
            const bool solar = std::strcmp(t.code, "FSG") == 0 || std::strcmp(t.code, "FSD") == 0;
            if (solar && n == 4) {
                model.latitude = v[1];
                model.longitude = v[2];
                model.timeZone = v[3];
                run.functions.siteFromFile = 1;
            }
        } else if (key == kFmt) {
            int a = 0, b = 0, c = 0;
            float lo = 0, hi = 0;
            if (!common::ScanInt(p, a) || !common::ScanInt(p, b) || !common::ScanInt(p, c) ||
                !common::ScanFloat(p, lo) || !common::ScanFloat(p, hi) || lo > hi)
                throw EngineError::Syntax(path, line);
            t.valueMin = lo;
            t.valueMax = hi;
        } else if (key >= 0) {
            // The first record code ends the header.
            if (!timeLine)
                throw EngineError::Syntax(path, line);
            return;
        }
    }
    if (!timeLine)
        throw EngineError::Syntax(path, reader.LineCounter());
}

void ReadFunctionTableFile(FunctionFileTable& t)
{
    const std::string path = TablePath(t);
    common::KeywordLineReader reader;
    if (path.empty() || !reader.Open(path))
        throw EngineError::FileOpen(path);
    t.values.clear();
    // The file announces its count; memory follows the values really found.
    t.values.reserve(static_cast<std::size_t>(std::min(t.count, 1 << 16)));
    const std::size_t count = static_cast<std::size_t>(t.count);
    while (t.values.size() < count) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine(std::string_view(t.code, 3), 3, key);
        if (status == common::LineStatus::End)
            break;
        const int line = reader.LineCounter();
        if (status == common::LineStatus::TooLong)
            throw EngineError::Syntax(path, line);
        if (key != 0)
            continue;
        std::string_view rest = reader.ValueView();
        while (t.values.size() < count) {
            const std::size_t first = rest.find_first_not_of(", \t");
            if (first == std::string_view::npos)
                break;
            rest.remove_prefix(first);
            const std::size_t last = std::min(rest.find_first_of(", \t"), rest.size());
            float value = 0;
            if (!ScanToken(rest.substr(0, last), value))
                throw EngineError::Syntax(path, line);
            t.values.push_back(value);
            rest.remove_prefix(last);
        }
    }
    // A file with fewer values than its "TIM" line announces cannot be
    // evaluated over its period.
    if (t.values.size() < count)
        throw EngineError::Syntax(path, reader.LineCounter());
}

void CollectFunctionFiles(ModelStore& model, RunState& run)
{
    FreeFunctionFileData(run);
    run.functions.siteFromFile = 0;
    for (std::size_t f = 0; f < model.functions.count; ++f) {
        FunctionRecord& r = model.functions[f];
        const char letter = FunctionLetter(r.name.text);
        if (!r.inUse || r.shape != 0 || letter == 0 || !std::strchr(kTimeFunctionLetters, letter))
            continue;
        FunctionFileTable t;
        const std::filesystem::path p(r.filePath);
        t.drive = p.root_name().string();
        t.folder = p.parent_path().string().substr(t.drive.size());
        t.name = p.stem().string();
        t.extension = p.extension().string();
        if (t.drive.empty() && t.folder.empty() && !model.dataFilePath.empty())
            t.folder = std::filesystem::path(model.dataFilePath).parent_path().string();
        std::memcpy(t.code, FunctionRecordCode(letter), 4);
        t.function = static_cast<int>(f);
        r.tableIndex = static_cast<std::int32_t>(run.functions.files.size());
        run.functions.files.push_back(std::move(t));
    }
    const long long t0 = (static_cast<long long>(model.day0) - 1) * kDay;
    for (FunctionFileTable& t : run.functions.files) {
        bool first = true, forward = true;
        for (;;) {
            ReadFunctionFile(model, run, t);
            if (first)
                t.start = t.startDay == 0 ? 0 : (static_cast<long long>(t.startDay) - 1) * kDay;
            first = false;
            if (forward)
                t.end = t.start + Span(t);
            else
                t.start = t.end - Span(t);
            if (t0 < t.end && t0 >= t.start)
                break;
            const long long span = Span(t);
            if (t0 < t.start) {
                if (SameName(t.previousName, t.name)) {
                    // The file repeats itself: whole periods back at once.
                    t.start -= (t.start - t0 + span - 1) / span * span;
                    t.end = t.start + span;
                    break;
                }
                t.name = t.previousName;
                forward = false;
                t.end = t.start;
            } else {
                if (SameName(t.nextName, t.name)) {
                    t.start += (t0 - t.start) / span * span;
                    t.end = t.start + span;
                    break;
                }
                t.name = t.nextName;
                forward = true;
                t.start = t.end;
            }
        }
        t.start -= t0;
        t.end -= t0;
        ReadFunctionTableFile(t);
    }
}

void SyncFunctionFileToTime(ModelStore& model, RunState& run, FunctionFileTable& t, double time)
{
    bool moved = false;
    while (time < static_cast<double>(t.start)) {
        const long long span = Span(t);
        if (SameName(t.previousName, t.name)) {
            const double periods =
                std::ceil((static_cast<double>(t.start) - time) / static_cast<double>(span));
            t.start -= static_cast<long long>(periods) * span;
            t.end = t.start + span;
            break;
        }
        const long long end = t.start;
        ReadNeighbour(model, run, t, t.previousName);
        t.end = end;
        t.start = end - Span(t);
        moved = true;
    }
    while (time > static_cast<double>(t.end)) {
        const long long span = Span(t);
        if (SameName(t.nextName, t.name)) {
            const double periods =
                std::floor((time - static_cast<double>(t.start)) / static_cast<double>(span));
            t.start += static_cast<long long>(periods) * span;
            t.end = t.start + span;
            break;
        }
        const long long start = t.end;
        ReadNeighbour(model, run, t, t.nextName);
        t.start = start;
        t.end = start + Span(t);
        moved = true;
    }
    if (moved)
        ReadFunctionTableFile(t);
}

float EvaluateFunctionFile(ModelStore& model, RunState& run, int n, double time)
{
    if (n < 0 || n >= static_cast<int>(run.functions.files.size()))
        return 0.0f;
    FunctionFileTable& t = run.functions.files[static_cast<std::size_t>(n)];
    SyncFunctionFileToTime(model, run, t, time);
    const float x = static_cast<float>((time - static_cast<double>(t.start)) / t.step);
    const int last = t.count - 1;
    const int i = std::clamp(static_cast<int>(x), 0, last);
    if (!t.interpolate || i == last)
        return t.values[static_cast<std::size_t>(i)];
    const float f = x - static_cast<float>(i);
    const float a = t.values[static_cast<std::size_t>(i)];
    const float b = t.values[static_cast<std::size_t>(i) + 1];
    if (f < 0.0001f)
        return a;
    if (f > 0.9999f)
        return b;
    const double t0 = static_cast<double>(t.start) + static_cast<double>(i) * t.step;
    const double t1 = t0 + t.step;
    const SolarInterpolation& s = run.functions.solarInterpolation;
    if (s.active) {
        const double rise = static_cast<double>(s.sunrise), set = static_cast<double>(s.sunset);
        if (a == 0 && rise > t0 && rise < t1)
            return time < rise ? 0.0f : static_cast<float>((time - rise) * b / (t1 - rise));
        if (b == 0 && set > t0 && set < t1)
            return time < set ? static_cast<float>((set - time) * a / (set - t0)) : 0.0f;
    }
    return static_cast<float>(a + (b - a) * (time - t0) / t.step);
}

void FreeFunctionFileData(RunState& run)
{
    std::vector<FunctionFileTable>().swap(run.functions.files);
}

int GetFunctionFileStep(RunState& run, int n)
{
    return n >= 0 && n < static_cast<int>(run.functions.files.size())
               ? run.functions.files[static_cast<std::size_t>(n)].step
               : 0;
}

int GetFunctionFileInterpolate(RunState& run, int n)
{
    return n >= 0 && n < static_cast<int>(run.functions.files.size())
               ? run.functions.files[static_cast<std::size_t>(n)].interpolate
               : 0;
}

} // namespace gelmar

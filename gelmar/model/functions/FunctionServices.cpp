// Function names, file dialog, display ranges and graph axis steps.
#include "gelmar/model/functions/FunctionServices.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/ViewState.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/editing/FunctionEdits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace gelmar {

namespace {

struct KindText {
    char letter;
    const char* extension;
    const char* filter;
};

constexpr KindText kKinds[] = {
    {'C', "fce", "Specific heat = f(temp) (*.fce)|*.fce||"},
    {'D', "fsd", "Diff.hor.solar radiation = f(time) (*.fsd)|*.fsd||"},
    {'E', "fem", "Emissivity = f(time) (*.fem)|*.fem||"},
    {'G', "fsg", "Glob.hor.solar radiation = f(time) (*.fsg)|*.fsg||"},
    {'H', "fht", "Surf.heat transfer coeff. = f(time) (*.fht)|*.fht||"},
    {'I', "fir", "Infrared radiation = f(time) (*.fir)|*.fir||"},
    {'L', "fla", "Thermal conductivity = f(temp) (*.fla)|*.fla||"},
    {'M', "fco", "Thermal conductivity = f(time) (*.fco)|*.fco||"},
    {'P', "ffh", "Power = f(time) (*.ffh)|*.ffh||"},
    {'R', "frf", "Solar reflection = f(angle) (*.frf)|*.frf||"},
    {'S', "ftr", "Solar transmission = f(time) (*.ftr)|*.ftr||"},
    {'T', "fte", "Temperature = f(time) (*.fte)|*.fte||"},
    {'V', "fvr", "Ventilation flow = f(time) (*.fvr)|*.fvr||"},
};

const KindText* Kind(char letter)
{
    const char up = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 32) : letter;
    for (const KindText& k : kKinds)
        if (k.letter == up)
            return &k;
    return nullptr;
}

// Range of the two levels with a margin of 1.
void LevelRange(FunctionRecord& r, float a, float b)
{
    r.rangeYMin = std::min(a, b) - 1;
    r.rangeYMax = std::max(a, b) + 1;
}

void LoadFileRange(ModelStore& model, RunState& run, FunctionRecord& r, std::size_t f)
{
    const char letter = FunctionLetter(r.name.text);
    try {
        if (letter != 0 && std::strchr(kTableFunctionLetters, letter)) {
            LoadPropertyTables(model, run);
            if (letter == 'R') {
                r.rangeXMin = 0;
                r.rangeXMax = 90;
                r.rangeYMin = 0;
                r.rangeYMax = 0.9f;
            } else if (r.tableIndex >= 0 && r.tableIndex < static_cast<int>(run.functions.propertyTables.size())) {
                const PropertyTable& t = run.functions.propertyTables[static_cast<std::size_t>(r.tableIndex)];
                r.rangeXMin = t.arguments.empty() ? 0 : t.arguments.front();
                r.rangeXMax = t.arguments.empty() ? 0 : t.arguments.back();
                r.rangeYMin = 1.0e9f;
                r.rangeYMax = -1.0e9f;
                for (float v : t.values) {
                    r.rangeYMin = std::min(r.rangeYMin, v);
                    r.rangeYMax = std::max(r.rangeYMax, v);
                }
            }
        } else if (letter != 0 && std::strchr(kTimeFunctionLetters, letter)) {
            CollectFunctionFiles(model, run);
            const FunctionFileTable* t = nullptr;
            for (const FunctionFileTable& table : run.functions.files)
                if (table.function == static_cast<int>(f))
                    t = &table;
            if (t) {
                const long long t0 = (static_cast<long long>(model.day0) - 1) * 86400;
                const long long start =
                    t->startDay == 0 ? 0 : (static_cast<long long>(t->startDay) - 1) * 86400;
                r.rangeXMin = static_cast<float>(start - t0);
                r.rangeXMax =
                    static_cast<float>(start - t0 + static_cast<long long>(t->step) * (t->count - 1));
                r.rangeYMin = t->valueMin;
                r.rangeYMax = t->valueMax;
            }
        }
    } catch (const EngineError&) {
        r.rangeXMin = r.rangeXMax = r.rangeYMin = r.rangeYMax = 0;
    }
}

} // namespace

const char* FunctionShapeName(int shape)
{
    static const char* const names[] = {"FILE", "CONST", "STEP0", "STEP1", "STEP2", "SINE", "SINPOS"};
    return shape >= 0 && shape < 7 ? names[shape] : "";
}

const char* FunctionShapeDescription(int shape)
{
    static const char* const texts[] = {
        "Function defined in external file",
        "Constant function (defined by 1 parameter)",
        "Step function (defined by 4 parameters)",
        "Step function (defined by 5 parameters)",
        "Step function (defined by 6 parameters)",
        "Sine function",
        "Positive sine function",
    };
    return shape >= 0 && shape < 7 ? texts[shape] : "";
}

const char* FunctionFileFilter(char letter)
{
    const KindText* k = Kind(letter);
    return k ? k->filter : "";
}

const char* FunctionFileExtension(char letter)
{
    const KindText* k = Kind(letter);
    return k ? k->extension : "";
}

void FreeFunctionArray(ModelStore& model)
{
    model.functions.Free();
}

void MakeUniqueFunctionName(ModelStore& model, char name[4])
{
    if (const std::optional<FunctionName> free = FirstFreeFunctionName(model, name[0]))
        std::memcpy(name, free->text, 4);
}

bool IsFunctionNameUsed(ModelStore& model, std::size_t f)
{
    for (std::size_t g = 0; g < model.functions.count; ++g)
        if (g != f && model.functions[g].name == model.functions[f].name)
            return true;
    return false;
}

void BrowseFunctionFile(ModelStore& model, ViewState& view, EngineHost& host, std::size_t f)
{
    FunctionRecord& r = model.functions[f];
    const char* extension = FunctionFileExtension(r.name.text[0]);
    std::string path = r.filePath;
    if (path.empty()) {
        const std::filesystem::path last(view.functionFileFolder);
        path = (last.parent_path() / (std::string("*.") + extension)).string();
    }
    if (!host.ChooseFileToOpen(FunctionFileFilter(r.name.text[0]), extension, path))
        return;
    r.filePath = path;
    r.fileTitle = std::filesystem::path(path).filename().string();
    view.functionFileFolder = path;
}

void LoadFunctionForDisplay(ModelStore& model, RunState& run, EngineHost& host, std::size_t f)
{
    FunctionRecord& r = model.functions[f];
    r.rangeXMin = r.rangeXMax = r.rangeYMin = r.rangeYMax = 0;
    const float* p = r.params;
    switch (r.shape) {
    case 0:
        for (std::size_t g = 0; g < model.functions.count; ++g)
            model.functions[g].inUse = 0;
        r.inUse = 1;
        LoadFileRange(model, run, r, f);
        r.inUse = 0;
        break;
    case 1:
        r.rangeXMax = 3600;
        r.rangeYMin = p[0] - 1;
        r.rangeYMax = p[0] + 1;
        break;
    case 2:
        r.rangeXMax = p[2] + p[3] < 1 ? 1 : 120 * (p[2] + p[3]);
        LevelRange(r, p[0], p[1]);
        break;
    case 3:
        r.rangeXMax = 120 * (p[2] + 2 * p[3] + p[4]);
        LevelRange(r, p[0], p[1]);
        break;
    case 4:
        r.rangeXMax = 120 * p[2];
        LevelRange(r, p[0], p[1]);
        break;
    case 5:
        r.rangeXMax = 120 * p[2];
        r.rangeYMin = p[0] - p[1] - 1;
        r.rangeYMax = p[0] + p[1] + 1;
        break;
    case 6:
        r.rangeXMax = 120 * p[1];
        r.rangeYMax = p[0] + 1;
        break;
    default:
        break;
    }
    host.UpdateFunctionGraph();
}

AxisSteps ChooseTimeAxisSteps(double min, double max)
{
    struct Row {
        double span, major, minor;
        int unit;
    };
    static constexpr Row rows[] = {
        {60, 10, 1, 0},
        {300, 60, 10, 1},
        {900, 300, 60, 1},
        {3600, 600, 120, 1},
        {10800, 1800, 300, 1},
        {21600, 3600, 600, 2},
        {43200, 3600, 900, 2},
        {86400, 10800, 3600, 2},
        {432000, 43200, 10800, 2},
        {2592000, 432000, 86400, 3},
        {31536000, 2592000, 864000, 3},
    };
    AxisSteps a{8640000, 2160000, 3, min, max};
    const double span = max - min;
    for (const Row& r : rows)
        if (span <= r.span) {
            a.major = r.major;
            a.minor = r.minor;
            a.unit = r.unit;
            break;
        }
    return a;
}

AxisSteps ChooseAxisSteps(double min, double max, bool widen)
{
    AxisSteps a;
    a.min = min;
    a.max = max;
    const double r = std::max(1.0, std::fabs(max - min));
    const double p = std::pow(10.0, std::floor(std::log10(r)));
    const double q = r / p;
    if (q < 1.2) {
        a.major = 0.2 * p;
        a.minor = 0.1 * p;
    } else if (q < 3) {
        a.major = 0.5 * p;
        a.minor = 0.1 * p;
    } else if (q < 6) {
        a.major = p;
        a.minor = 0.2 * p;
    } else {
        a.major = 2 * p;
        a.minor = 0.5 * p;
    }
    if (widen) {
        if (min != 0) // largest multiple strictly below
            a.min = (std::ceil(min / a.major) - 1) * a.major;
        if (max != 0) // smallest multiple strictly above
            a.max = (std::floor(max / a.major) + 1) * a.major;
    }
    return a;
}

} // namespace gelmar

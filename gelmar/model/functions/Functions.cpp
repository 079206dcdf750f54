// Name resolution, analytic shapes, property tables and per-step evaluation
// of the model's functions.
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/calc/RunState.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/controls/Controls.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string_view>

namespace gelmar {

namespace {

// Index of the first function of that name, marked in use; -1 when none.
int Resolve(ModelStore& model, const FunctionName& name)
{
    if (name.IsNone())
        return -1;
    for (std::size_t f = 0; f < model.functions.count; ++f)
        if (model.functions[f].name == name) {
            model.functions[f].inUse = 1;
            return static_cast<int>(f);
        }
    return -1;
}

bool IsConductive(int type)
{
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

// The colour's L and M names are searched together: the first function that
// carries either name ends the search.
void ResolveConductivity(ModelStore& model, ColourRecord& c)
{
    for (std::size_t f = 0; f < model.functions.count; ++f) {
        const FunctionName& name = model.functions[f].name;
        const bool l = !c.lambdaFunc.IsNone() && name == c.lambdaFunc;
        const bool m = !c.lambda2Func.IsNone() && name == c.lambda2Func;
        if (l || m) {
            c.working.function[l ? kFnLambda : kFnLambdaTime] = static_cast<int>(f);
            model.functions[f].inUse = 1;
            return;
        }
    }
}

void ResolveColour(ModelStore& model, ColourRecord& c, bool radiating)
{
    auto& fn = c.working.function;
    fn.fill(-1);
    const int t = c.type;
    if (t == MATERIAL || t == TRANSMAT || (t == EQUIMAT && c.rule == 0))
        ResolveConductivity(model, c);
    if (IsConductive(t) || t == BC_FRE_S || t == BC_FREE)
        fn[kFnHeatCapacity] = Resolve(model, c.heatCapacityFunc);
    if (t == BC_SIMPL)
        fn[kFnTemperature] = Resolve(model, c.temperatureFunc);
    if ((t == BC_SIMPL || t == BC_FRE_S) && c.rule == 0)
        fn[kFnHGlobal] = Resolve(model, c.hGlobalFunc);
    if (!IsConductive(t))
        fn[kFnFlux] = Resolve(model, c.fluxFunc);
    if (t == BC_SKY || t == BC_NOSKY)
        fn[kFnAirTemperature] = Resolve(model, c.airTemperatureFunc);
    if ((t == BC_FREE || t == BC_SKY || t == BC_NOSKY) && c.rule == 0)
        fn[kFnHConvective] = Resolve(model, c.hConvectiveFunc);
    if (t == BC_FREE || t == BC_FRE_S)
        fn[kFnQConvective] = Resolve(model, c.qConvectiveFunc);
    if (t == BC_SKY)
        fn[kFnRadiantTemperature] = Resolve(model, c.radiantTemperatureFunc);
    if (t == MATERIAL) {
        fn[kFnReflection] = Resolve(model, c.reflectionFunc);
        fn[kFnTransmission] = Resolve(model, c.transmissionFunc);
    }
    if ((t == MATERIAL || t == EQUIMAT) && radiating)
        fn[kFnEmissivity] = Resolve(model, c.emissivityFunc);
}

int FindByName(ModelStore& model, const char* name)
{
    return Resolve(model, FunctionName(name));
}

char Letter(const FunctionRecord& f)
{
    return f.name.text[0] >= 'a' && f.name.text[0] <= 'z' ? static_cast<char>(f.name.text[0] - 32)
                                                          : f.name.text[0];
}

// A bare file name lies beside the data file.
std::string FunctionFilePath(ModelStore& model, const std::string& path)
{
    const std::filesystem::path p(path);
    if (p.has_parent_path() || model.dataFilePath.empty())
        return path;
    return (std::filesystem::path(model.dataFilePath).parent_path() / p).string();
}

// Moves the current value into its previous slot (0 at the first step),
// then evaluates the function when there is one.
void Drive(ModelStore& model, RunState& run, float& value, float* previous, int function, bool keepPrevious, double t)
{
    if (keepPrevious && previous)
        *previous = run.stepLength == 0 ? 0.0f : value;
    if (function >= 0)
        value = EvaluateFunction(model, run, function, t);
}

} // namespace

void ResolveFunctionReferences(ModelStore& model, RunState& run)
{
    for (std::size_t f = 0; f < model.functions.count; ++f)
        model.functions[f].inUse = 0;
    const bool radiating = HasRadiatingColours(model);
    for (ColourRecord& c : model.colours)
        ResolveColour(model, c, radiating);
    for (std::int32_t n = 0; n < model.nodeBcs.count; ++n) {
        NodeBcRecord& r = model.nodeBcs[n];
        r.working.function = Resolve(model, r.type == 0 ? r.temperatureFunc : r.powerFunc);
    }
    for (std::int32_t n = 0; n < model.borderBcs.count; ++n) {
        BorderFaceBcRecord& r = model.borderBcs[n];
        r.working.function = Resolve(model, r.type == 0 ? r.temperatureFunc : r.fluxFunc);
    }
    for (std::int32_t n = 0; n < model.materialBcs.count; ++n) {
        MaterialBcRecord& r = model.materialBcs[n];
        r.working.function = Resolve(model, r.type == 0 ? r.temperatureFunc : r.powerFunc);
    }
    ResolveVentilationFlowReferences(model);
    ResolveControlReferences(model);
    run.functions.globalSolar = FindByName(model, "G01");
    run.functions.diffuseSolar = FindByName(model, "D01");
}

int GlobalSolarFunction(RunState& run)
{
    return run.functions.globalSolar;
}
int DiffuseSolarFunction(RunState& run)
{
    return run.functions.diffuseSolar;
}

bool HasTemperatureDependentMaterials(ModelStore& model, RunState& run)
{
    ResolveFunctionReferences(model, run);
    auto fromFile = [&model](int f) { return f >= 0 && model.functions[f].shape == 0; };
    for (const ColourRecord& c : model.colours) {
        if (!c.inUse)
            continue;
        if (c.type == MATERIAL || c.type == TRANSMAT || (c.type == EQUIMAT && c.rule == 0))
            if (fromFile(c.working.function[kFnLambda]) || fromFile(c.working.function[kFnHeatCapacity]))
                return true;
    }
    return false;
}

float EvaluateFunction(ModelStore& model, RunState& run, int n, double seconds)
{
    if (n < 0 || n >= model.functions.count)
        return 0.0f;
    const FunctionRecord& f = model.functions[n];
    const float* p = f.params;
    const double t = seconds * 0.016666668; // minutes
    // Raises x by whole periods until it is not negative; the phase in the period.
    auto phase = [](double x, double period) {
        if (x < 0)
            x += std::ceil(-x / period) * period;
        return std::fmod(x, period);
    };
    switch (f.shape) {
    case 1:
        return p[0];
    case 2:
        if (t <= p[2] || p[3] <= 0)
            return t <= p[2] ? p[0] : p[1];
        if (t >= p[2] + p[3])
            return p[1];
        return static_cast<float>(p[0] + (p[1] - p[0]) * (t - p[2]) / p[3]);
    case 3: {
        if (p[3] <= 0) // no transition: a plain pulse of level 2
            return t > p[2] && t <= p[2] + p[4] ? p[1] : p[0];
        if (t <= p[2] || t >= p[2] + 2 * p[3] + p[4])
            return p[0];
        if (t < p[2] + p[3])
            return static_cast<float>(p[0] + (p[1] - p[0]) * (t - p[2]) / p[3]);
        if (t <= p[2] + p[3] + p[4])
            return p[1];
        return static_cast<float>(p[1] + (p[0] - p[1]) * (t - (p[2] + p[3] + p[4])) / p[3]);
    }
    case 4: {
        // A period or transition of 0 has no shape: the first level holds.
        if (p[2] <= 0 || p[4] <= 0)
            return p[0];
        const double ph = phase(t - p[5], p[2]);
        if (ph <= p[3])
            return p[0];
        if (ph < p[3] + p[4])
            return static_cast<float>(p[0] + (p[1] - p[0]) * (ph - p[3]) / p[4]);
        if (ph <= p[2] - p[4])
            return p[1];
        return static_cast<float>(p[0] + (p[1] - p[0]) * (p[2] - ph) / p[4]);
    }
    case 5:
        if (p[2] == 0)
            return p[0];
        return static_cast<float>(p[0] + p[1] * std::sin(2 * std::numbers::pi * (t - p[3]) / p[2]));
    case 6: {
        if (p[1] <= 0 || p[2] == 0)
            return 0.0f;
        const double ph = phase(t - p[3], p[1]);
        return ph < p[2] ? static_cast<float>(p[0] * std::sin(std::numbers::pi * ph / p[2])) : 0.0f;
    }
    default: {
        // Shape 0 of the time kinds: the loaded series, when this function's
        // file is loaded.
        const int table = f.tableIndex;
        if (table < 0 || table >= static_cast<int>(run.functions.files.size()) ||
            run.functions.files[static_cast<std::size_t>(table)].function != n)
            return 0.0f;
        return EvaluateFunctionFile(model, run, table, seconds);
    }
    }
}

void ReadPropertyTableFile(const std::string& path, PropertyTable& table)
{
    table = PropertyTable{};
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        throw EngineError::FileOpen(path);
    int key = -1;
    for (;;) {
        const common::LineStatus status = reader.ReadKeywordLine({}, 0, key);
        if (status == common::LineStatus::End)
            break;
        if (status == common::LineStatus::TooLong)
            throw EngineError::Syntax(path, reader.LineCounter());
        // A line of less than two characters (its line end counted) ends the table.
        if (reader.ValueView().empty())
            break;
        const char* p = reader.Value();
        float x = 0, y = 0;
        if (!common::ScanFloat(p, x) || !common::ScanFloat(p, y) || y < 0 ||
            (!table.arguments.empty() && x < table.arguments.back()))
            throw EngineError::Syntax(path, reader.LineCounter());
        table.arguments.push_back(x);
        table.values.push_back(y);
    }
    if (table.arguments.empty())
        throw EngineError::Syntax(path, reader.LineCounter());
}

void LoadPropertyTables(ModelStore& model, RunState& run)
{
    FreePropertyTables(run);
    for (std::size_t f = 0; f < model.functions.count; ++f) {
        FunctionRecord& r = model.functions[f];
        const char letter = Letter(r);
        if (!r.inUse || r.shape != 0 || (letter != 'L' && letter != 'C' && letter != 'R'))
            continue;
        PropertyTable table;
        ReadPropertyTableFile(FunctionFilePath(model, r.filePath), table);
        r.tableIndex = static_cast<std::int32_t>(run.functions.propertyTables.size());
        run.functions.propertyTables.push_back(std::move(table));
    }
}

void FreePropertyTables(RunState& run)
{
    std::vector<PropertyTable>().swap(run.functions.propertyTables);
}

float EvaluatePropertyTable(ModelStore& model, RunState& run, int n, float x)
{
    if (n < 0 || n >= model.functions.count)
        return 0.0f;
    const FunctionRecord& f = model.functions[n];
    if (f.shape != 0)
        return EvaluateFunction(model, run, n, 0.0);
    if (f.tableIndex < 0 || f.tableIndex >= static_cast<int>(run.functions.propertyTables.size()))
        return 0.0f;
    const PropertyTable& t = run.functions.propertyTables[f.tableIndex];
    const std::vector<float>& a = t.arguments;
    if (x <= a.front())
        return t.values.front();
    if (x > a.back())
        return t.values.back();
    std::size_t i = 1;
    while (a[i] < x)
        ++i;
    const float span = a[i] - a[i - 1];
    if (span <= 0)
        return t.values[i];
    return t.values[i - 1] + (t.values[i] - t.values[i - 1]) * (x - a[i - 1]) / span;
}

float GetConductivityAt(ModelStore& model, RunState& run, const ColourRecord& c, float temperature, bool previous)
{
    if ((c.type == EQUIMAT && c.rule != 0) || c.lambdaFunc.IsNone() || c.working.function[kFnLambda] < 0)
        return previous ? c.working.previousLambda : c.lambda;
    return EvaluatePropertyTable(model, run, c.working.function[kFnLambda], temperature);
}

float GetSolarReflectionAt(ModelStore& model, RunState& run, const ColourRecord& c, float angle)
{
    if (c.reflectionFunc.IsNone() || c.working.function[kFnReflection] < 0)
        return c.solarReflection;
    return EvaluatePropertyTable(model, run, c.working.function[kFnReflection], angle);
}

float GetSpecificHeatAt(ModelStore& model, RunState& run, const ColourRecord& c, float temperature)
{
    if (c.heatCapacityFunc.IsNone() || c.working.function[kFnHeatCapacity] < 0)
        return c.heatCapacity;
    return EvaluatePropertyTable(model, run, c.working.function[kFnHeatCapacity], temperature);
}

void EvaluateColourFunctions(ModelStore& model, RunState& run, bool keep)
{
    const double t = run.calcTime;
    for (ColourRecord& c : model.colours) {
        ColourWorkingValues& w = c.working;
        const auto& fn = w.function;
        const int type = c.type;
        if (IsConductive(type))
            Drive(model, run, c.lambda, &w.previousLambda, fn[kFnLambdaTime], keep, t);
        if (type == BC_SIMPL || (type == BC_FRE_S && c.solar))
            Drive(model, run, c.temperature, &w.previousTemperature, fn[kFnTemperature], keep, t);
        if (type == BC_SIMPL || type == BC_FRE_S)
            Drive(model, run, c.hGlobal, &w.previousHGlobal, fn[kFnHGlobal], keep, t);
        Drive(model, run, c.flux, &w.previousFlux, fn[kFnFlux], keep, t);
        if (type == BC_SKY || type == BC_NOSKY || (type == BC_FREE && c.solar))
            Drive(model, run, c.airTemperature, &w.previousAirTemperature, fn[kFnAirTemperature], keep, t);
        if (type == BC_FREE || type == BC_SKY || type == BC_NOSKY)
            Drive(model, run, c.hConvective, &w.previousHConvective, fn[kFnHConvective], keep, t);
        if (type == BC_FREE || type == BC_FRE_S)
            Drive(model, run, c.qConvective, &w.previousQConvective, fn[kFnQConvective], keep, t);
        if (type == BC_SKY)
            Drive(model, run, c.radiantTemperature, nullptr, fn[kFnRadiantTemperature], keep, t);
        if (type == MATERIAL)
            Drive(model, run, c.solarTransmission, nullptr, fn[kFnTransmission], keep, t);
        if (type == MATERIAL || type == EQUIMAT)
            Drive(model, run, c.epsilon, &w.previousEpsilon, fn[kFnEmissivity], keep, t);
    }
    for (std::int32_t n = 0; n < model.nodeBcs.count; ++n) {
        NodeBcRecord& r = model.nodeBcs[n];
        Drive(model, run, r.type == 0 ? r.temperature : r.power, &r.working.previous, r.working.function, keep, t);
    }
    for (std::int32_t n = 0; n < model.borderBcs.count; ++n) {
        BorderFaceBcRecord& r = model.borderBcs[n];
        Drive(model, run, r.type == 0 ? r.temperature : r.flux, &r.working.previous, r.working.function, keep, t);
    }
    for (std::int32_t n = 0; n < model.materialBcs.count; ++n) {
        MaterialBcRecord& r = model.materialBcs[n];
        Drive(model, run, r.type == 0 ? r.temperature : r.power, &r.working.previous, r.working.function, keep, t);
    }
    EvaluateVentilationFlows(model, run, keep);
    EvaluateControlTargets(model, run);
}

} // namespace gelmar

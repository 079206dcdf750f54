// The function graph's reading of the model and of its function files,
// through the engine's function services.
#include "gelmar/graphics/core/FunctionGraphModel.h"

#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstring>

namespace gelmar {

std::size_t GraphFunctionCount(const ModelStore& model)
{
    return model.functions.count;
}

const FunctionRecord* GraphFunctionAtRow(const ModelStore& model, int row)
{
    if (row < 1 || static_cast<std::size_t>(row) > model.functions.count)
        return nullptr;
    return &model.functions[static_cast<std::size_t>(row - 1)];
}

CalculationSpan GraphCalculationSpan(const ModelStore& model)
{
    return {static_cast<double>(model.startupDuration), static_cast<double>(model.calcDuration)};
}

GraphFunctionData::GraphFunctionData(ModelStore& model, RunState& run, const FunctionRecord& f)
{
    if (f.shape != 0)
        return;
    const char letter = FunctionLetter(f.name.text);
    const bool table = letter != 0 && std::strchr(kTableFunctionLetters, letter);
    if (!table && (letter == 0 || !std::strchr(kTimeFunctionLetters, letter)))
        return;
    // Only this function is loaded: its record carries the one load mark.
    for (std::size_t g = 0; g < model.functions.count; ++g) {
        FunctionRecord& r = model.functions[g];
        r.inUse = &r == &f ? 1 : 0;
        if (&r == &f)
            m_record = &r;
    }
    if (!m_record)
        return;
    try {
        if (table) {
            LoadPropertyTables(model, run);
            const auto& tables = run.functions.propertyTables;
            const int t = m_record->tableIndex;
            if (t >= 0 && static_cast<std::size_t>(t) < tables.size()) {
                m_data.arguments = &tables[static_cast<std::size_t>(t)].arguments;
                m_data.values = &tables[static_cast<std::size_t>(t)].values;
            }
        } else {
            CollectFunctionFiles(model, run);
            const auto& files = run.functions.files;
            const int t = m_record->tableIndex;
            if (!files.empty() && t >= 0 && static_cast<std::size_t>(t) < files.size()) {
                m_data.step = GetFunctionFileStep(run, t);
                m_data.stepwise = GetFunctionFileInterpolate(run, t) == 0;
                m_data.seriesValue = [&model, &run, t](double time) {
                    return static_cast<double>(EvaluateFunctionFile(model, run, t, time));
                };
            }
        }
    } catch (const EngineError& e) {
        m_error = e.Message();
        m_data = FunctionSampleData{};
    } catch (const EscAbort&) {
        m_data = FunctionSampleData{};
    }
}

GraphFunctionData::~GraphFunctionData()
{
    if (m_record)
        m_record->inUse = 0;
}

std::vector<SamplePoint> SampleGraphFunction(ModelStore& model, RunState& run, const FunctionRecord& f,
                                             SampleRequest request, std::string* error)
{
    request.letter = FunctionLetter(f.name.text);
    request.shape = f.shape;
    std::memcpy(request.p, f.params, sizeof request.p);
    GraphFunctionData data(model, run, f);
    *error = data.Error();
    if (!error->empty())
        return {};
    try {
        return SampleFunction(request, data.Data());
    } catch (const EngineError& e) {
        *error = e.Message();
        return {};
    } catch (const EscAbort&) {
        error->clear();
        return {};
    }
}

} // namespace gelmar

// The function graph's reading of the model and of its function files,
// through the engine's function services.
#include "gelmar/graphics/core/FunctionGraphModel.h"

#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstring>

namespace gelmar {

std::size_t GraphFunctionCount()
{
    return g_model.functions.count;
}

const FunctionRecord* GraphFunctionAtRow(int row)
{
    if (row < 1 || static_cast<std::size_t>(row) > g_model.functions.count)
        return nullptr;
    return &g_model.functions[static_cast<std::size_t>(row - 1)];
}

CalculationSpan GraphCalculationSpan()
{
    return {static_cast<double>(g_model.startupDuration), static_cast<double>(g_model.calcDuration)};
}

GraphFunctionData::GraphFunctionData(const FunctionRecord& f)
{
    if (f.shape != 0)
        return;
    const char letter = FunctionLetter(f.name.text);
    const bool table = letter != 0 && std::strchr(kTableFunctionLetters, letter);
    if (!table && (letter == 0 || !std::strchr(kTimeFunctionLetters, letter)))
        return;
    // Only this function is loaded: its record carries the one load mark.
    for (std::size_t g = 0; g < g_model.functions.count; ++g) {
        FunctionRecord& r = g_model.functions[g];
        r.inUse = &r == &f ? 1 : 0;
        if (&r == &f)
            m_record = &r;
    }
    if (!m_record)
        return;
    try {
        if (table) {
            LoadPropertyTables(g_model, g_run);
            const int t = m_record->tableIndex;
            if (t >= 0 && static_cast<std::size_t>(t) < g_propertyTables.size()) {
                m_data.arguments = &g_propertyTables[static_cast<std::size_t>(t)].arguments;
                m_data.values = &g_propertyTables[static_cast<std::size_t>(t)].values;
            }
        } else {
            CollectFunctionFiles(g_model, g_run);
            const int t = m_record->tableIndex;
            if (!g_functionFiles.empty() && t >= 0 && static_cast<std::size_t>(t) < g_functionFiles.size()) {
                m_data.step = GetFunctionFileStep(g_run, t);
                m_data.stepwise = GetFunctionFileInterpolate(g_run, t) == 0;
                m_data.seriesValue = [t](double time) {
                    return static_cast<double>(EvaluateFunctionFile(g_model, g_run, t, time));
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

std::vector<SamplePoint> SampleGraphFunction(const FunctionRecord& f, SampleRequest request,
                                             std::string* error)
{
    request.letter = FunctionLetter(f.name.text);
    request.shape = f.shape;
    std::memcpy(request.p, f.params, sizeof request.p);
    GraphFunctionData data(f);
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

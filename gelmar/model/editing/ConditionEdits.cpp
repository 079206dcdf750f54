// Cell entries of the boundary-condition, flow, control and sun-obstacle
// tables.
#include "gelmar/model/editing/ConditionEdits.h"

#include "common/core/NumberText.h"
#include "common/kernels/TableAxes.h"
#include "gelmar/model/editing/CellEntry.h"

namespace gelmar {

int SingleIntervalAxis(const ModelStore& m)
{
    for (int axis = 2; axis >= 0; --axis)
        if (m.axes[static_cast<std::size_t>(axis)].n == 1)
            return axis;
    return -1;
}

int ShownLineIndex(const ModelStore& m, int axis, int value)
{
    if (!m.rcl)
        return value;
    return kernels::NodeNumber(axis == 2 ? m.axes[2].n - value : value);
}

std::optional<int> LineIndexEntry(const ModelStore& m, int axis, std::string_view text)
{
    std::optional<int> v = ReadCellInt(text);
    if (!v)
        return std::nullopt;
    const int n = m.axes[static_cast<std::size_t>(axis)].n;
    // A node number is halved, its remainder dropped (a negative one stays negative).
    int line = m.rcl ? (*v >> 1) : *v;
    if (line < 0 || line > n)
        return std::nullopt;
    if (m.rcl && axis == 2)
        line = n - line;
    return line;
}

std::optional<int> ColourNumberEntry(const ModelStore& m, std::string_view text, int other)
{
    const std::optional<int> v = ReadCellInt(text);
    if (!v)
        return std::nullopt;
    if (*v < 0 || *v >= kColourCount || !m.colours[static_cast<std::size_t>(*v)].inUse || *v == other)
        return -1;
    return *v;
}

bool StoreBcValue(const ModelStore& m, std::string_view text, char letter, float& value, FunctionName& reference,
                  const char* defaultName)
{
    const CellEntry entry = ReadValueOrFunction(text, std::string_view(&letter, 1), m);
    return StoreValueOrFunction(entry, value, reference, defaultName, OnNeither::ResetReference);
}

std::string BcValueText(float value, const FunctionName& reference)
{
    return ValueOrFunctionText(value, reference, -1);
}

bool StoreFlowValue(const ModelStore& m, std::string_view text, VentilationFlowRecord& flow)
{
    const CellEntry entry = ReadValueOrFunction(text, "V", m);
    return StoreValueOrFunction(entry, flow.flow, flow.flowFunc, "V00", OnNeither::Keep);
}

std::string FlowValueText(const VentilationFlowRecord& flow)
{
    return ValueOrFunctionText(flow.flow, flow.flowFunc, 6);
}

bool StoreControlFunction(const ModelStore& m, std::string_view text, std::string_view letters,
                          FunctionName& field)
{
    if (text.size() != 3)
        return false;
    const FunctionName before = field;
    const CellEntry entry = ReadValueOrFunction(text, letters, m);
    field = entry.kind == CellEntry::Function ? entry.function : FunctionName{};
    return !(field == before);
}

bool ControlUsesZones(const ControlRecord& c)
{
    return c.offFunc.text[0] == 'V';
}

bool StoreControlSensor(const ModelStore& m, std::string_view text, ControlRecord& c)
{
    const std::optional<int> v = ReadCellInt(text);
    if (!v || *v < 1 || *v > m.outputNodes.count)
        return false;
    c.sensor = *v;
    return true;
}

float SunObstacleEntry(std::string_view text)
{
    return ReadCellFloat(text).value_or(0.0f);
}

} // namespace gelmar

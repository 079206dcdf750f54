// Function names, shapes, parameters, inserts and reference clearing.
#include "gelmar/model/editing/FunctionEdits.h"

#include "common/core/NumberText.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/ListEdits.h"
#include "gelmar/model/store/EngineHost.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace gelmar {

namespace {

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

FunctionName NameOf(char letter, int number)
{
    char text[8];
    std::snprintf(text, sizeof text, "%c%02d", letter, number);
    return FunctionName(text);
}

// Keeps the name, clears everything else.
void ClearKeepingName(FunctionRecord& r)
{
    const FunctionName name = r.name;
    r = FunctionRecord{};
    r.name = name;
}

bool SameName(const FunctionName& a, const FunctionName& b)
{
    const std::string_view x = a.View(), y = b.View();
    if (x.size() != y.size())
        return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (Upper(x[i]) != Upper(y[i]))
            return false;
    return true;
}

bool Reset(FunctionName& field, const FunctionName& name, const char* defaultName)
{
    if (!SameName(field, name))
        return false;
    field = FunctionName(defaultName);
    return true;
}

} // namespace

std::optional<FunctionName> FirstFreeFunctionName(const ModelStore& m, char letter, std::size_t except)
{
    for (int n = 1; n <= 99; ++n) {
        const FunctionName candidate = NameOf(letter, n);
        bool taken = false;
        for (std::size_t f = 0; f < m.functions.count && !taken; ++f)
            taken = f != except && m.functions[f].name == candidate;
        if (!taken)
            return candidate;
    }
    return std::nullopt;
}

std::size_t CountFunctionsOfLetter(const ModelStore& m, char letter)
{
    std::size_t n = 0;
    for (std::size_t f = 0; f < m.functions.count; ++f)
        n += m.functions[f].name.text[0] == letter;
    return n;
}

bool RenameFunction(ModelStore& m, std::size_t f, std::string_view text, EngineHost& host)
{
    if (f >= m.functions.count)
        return false;
    std::optional<FunctionName> name;
    const char first = text.empty() ? '\0' : Upper(text[0]);
    if (first == '\0' || !std::strchr(kFunctionLetters, first)) {
        name = NameOf('T', 1);
    } else {
        const std::string rest(text.substr(1));
        const char* p = rest.c_str();
        int number = 0;
        if (common::ScanInt(p, number) && number >= 1 && number <= 99)
            name = NameOf(first, number);
    }
    if (name) {
        for (std::size_t g = 0; g < m.functions.count; ++g)
            if (g != f && m.functions[g].name == *name)
                name.reset();
    }
    if (!name)
        name = FirstFreeFunctionName(m, first && std::strchr(kFunctionLetters, first) ? first : 'T', f);
    if (!name) {
        host.MessageBox(kNoFreeFunctionName, MessageStyle::Ok);
        return false;
    }
    FunctionRecord& r = m.functions[f];
    r.name = *name;
    ClearKeepingName(r);
    return true;
}

int FunctionParameterCount(int shape)
{
    static const int counts[] = {0, 1, 4, 5, 6, 4, 4};
    return shape >= 0 && shape < 7 ? counts[shape] : 0;
}

bool StepFunctionShape(ModelStore& m, std::size_t f)
{
    if (f >= m.functions.count)
        return false;
    FunctionRecord& r = m.functions[f];
    const char letter = r.name.text[0];
    if (letter != '\0' && std::strchr(kFileOnlyFunctionLetters, letter))
        return false;
    r.shape = static_cast<std::uint8_t>(r.shape >= 6 ? 0 : r.shape + 1);
    return true;
}

bool EditFunctionParameter(ModelStore& m, std::size_t f, int parameter, std::string_view text)
{
    if (f >= m.functions.count || parameter < 0 || parameter >= 6)
        return false;
    const std::optional<float> v = ReadCellFloat(text);
    if (!v)
        return false;
    m.functions[f].params[parameter] = *v;
    return true;
}

bool CanInsertFunction(const ModelStore& m, std::size_t focus)
{
    if (m.functions.count == 0)
        return true;
    if (focus >= m.functions.count || m.functions.count >= ListLimit(ModelList::Functions))
        return false;
    return CountFunctionsOfLetter(m, m.functions[focus].name.text[0]) < 99;
}

std::optional<std::size_t> InsertFunction(ModelStore& m, std::size_t focus, bool after, EngineHost& host)
{
    const bool first = m.functions.count == 0;
    std::optional<FunctionName> name;
    std::size_t at = 0;
    if (first) {
        name = NameOf('T', 1);
    } else {
        focus = std::min<std::size_t>(focus, m.functions.count - 1u);
        name = FirstFreeFunctionName(m, m.functions[focus].name.text[0]);
        at = after ? focus + 1 : focus;
    }
    if (!name) {
        host.MessageBox(kNoFreeFunctionName, MessageStyle::Ok);
        return std::nullopt;
    }
    if (!InsertListRecord(m, ModelList::Functions, at, host))
        return std::nullopt;
    m.functions[at].name = *name;
    return at;
}

ClearedReferences ClearFunctionReferences(ModelStore& m, const FunctionName& name)
{
    ClearedReferences cleared;
    if (name.IsNone())
        return cleared;
    for (ColourRecord& c : m.colours) {
        bool any = false;
        any |= Reset(c.lambdaFunc, name, "L00");
        any |= Reset(c.lambda2Func, name, "M00");
        any |= Reset(c.heatCapacityFunc, name, "C00");
        any |= Reset(c.temperatureFunc, name, "T00");
        any |= Reset(c.hGlobalFunc, name, "H00");
        any |= Reset(c.fluxFunc, name, "I00");
        any |= Reset(c.airTemperatureFunc, name, "T00");
        any |= Reset(c.hConvectiveFunc, name, "H00");
        any |= Reset(c.qConvectiveFunc, name, "P00");
        any |= Reset(c.radiantTemperatureFunc, name, "T00");
        any |= Reset(c.reflectionFunc, name, "R00");
        any |= Reset(c.transmissionFunc, name, "S00");
        any |= Reset(c.emissivityFunc, name, "E00");
        cleared.colours |= any;
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.nodeBcs.count); ++n) {
        NodeBcRecord& r = m.nodeBcs[n];
        cleared.nodeBcs |= Reset(r.temperatureFunc, name, "T00");
        cleared.nodeBcs |= Reset(r.powerFunc, name, "P00");
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.borderBcs.count); ++n) {
        BorderFaceBcRecord& r = m.borderBcs[n];
        cleared.borderBcs |= Reset(r.temperatureFunc, name, "T00");
        cleared.borderBcs |= Reset(r.fluxFunc, name, "I00");
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.materialBcs.count); ++n) {
        MaterialBcRecord& r = m.materialBcs[n];
        cleared.materialBcs |= Reset(r.temperatureFunc, name, "T00");
        cleared.materialBcs |= Reset(r.powerFunc, name, "P00");
    }
    for (int n = 0; n < m.ventFlowCount; ++n)
        cleared.ventFlows |= Reset(m.ventFlows[static_cast<std::size_t>(n)].flowFunc, name, "V00");
    return cleared;
}

} // namespace gelmar

// Reading table cells: numbers as the data file's reader reads them, and
// value-or-function entries.
#include "gelmar/model/editing/CellEntry.h"

#include "common/core/NumberText.h"
#include "gelmar/model/store/ModelStore.h"

#include <cctype>

namespace gelmar {

std::optional<float> ReadCellFloat(std::string_view text)
{
    const std::string copy(text); // the scanner reads up to a terminating zero
    const char* p = copy.c_str();
    float v = 0;
    if (!common::ScanFloat(p, v))
        return std::nullopt;
    return v;
}

std::optional<int> ReadCellInt(std::string_view text)
{
    const std::string copy(text);
    const char* p = copy.c_str();
    int v = 0;
    if (!common::ScanInt(p, v))
        return std::nullopt;
    return v;
}

bool FunctionExists(const ModelStore& model, std::string_view name)
{
    for (std::size_t f = 0; f < model.functions.count; ++f)
        if (model.functions[f].name.View() == name)
            return true;
    return false;
}

CellEntry ReadValueOrFunction(std::string_view text, std::string_view letters, const ModelStore& model)
{
    CellEntry entry;
    if (text.size() == 3 && std::isdigit(static_cast<unsigned char>(text[1])) &&
        std::isdigit(static_cast<unsigned char>(text[2]))) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        const int number = (text[1] - '0') * 10 + (text[2] - '0');
        const std::string name{letter, text[1], text[2]};
        if (letters.find(letter) != std::string_view::npos && number >= 1 && FunctionExists(model, name)) {
            entry.kind = CellEntry::Function;
            entry.function = FunctionName(name);
            return entry;
        }
    }
    if (const std::optional<float> v = ReadCellFloat(text)) {
        entry.kind = CellEntry::Number;
        entry.number = *v;
    }
    return entry;
}

bool StoreValueOrFunction(const CellEntry& entry, float& value, FunctionName& reference,
                          std::string_view defaultName, OnNeither neither)
{
    const FunctionName before = reference;
    const float old = value;
    switch (entry.kind) {
    case CellEntry::Number:
        value = entry.number;
        reference = FunctionName(defaultName);
        break;
    case CellEntry::Function:
        reference = entry.function;
        break;
    case CellEntry::Neither:
        if (neither == OnNeither::ResetReference)
            reference = FunctionName(defaultName);
        break;
    }
    return !(reference == before) || !(value == old);
}

std::string ValueOrFunctionText(float value, const FunctionName& reference, int decimals)
{
    if (!reference.IsNone())
        return std::string(reference.View());
    return common::FormatDecimals(value, decimals);
}

std::string ExactFloatText(float value)
{
    return common::FormatFloat(value);
}

} // namespace gelmar

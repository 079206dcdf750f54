// The general settings of a model as one table: each data-file key with the
// store members it fills, the range a value must meet, and its reset value
// (a constant, or the parameter-file default). The data-file reader checks
// and stores through it, the writer writes through it in its order, and the
// model reset takes its values from it, so the three cannot disagree.
#pragma once
#include "gelmar/model/files/DataKeys.h"

#include <array>
#include <cstdint>
#include <span>

namespace gelmar {

struct ModelStore;
struct ParameterSet;

// The condition a setting's value must meet; the reader refuses any other
// value and the writer leaves a key with such a value out.
enum class SettingRange : std::uint8_t {
    Any,         // a number
    Positive,    // > 0
    NonNegative, // >= 0
    AtLeastOne,  // >= 1
    ZeroOrOne,   // 0 or 1
};

// When the writer writes a key.
enum class SettingWrite : std::uint8_t {
    Always,      // every time (its reset value comes from the parameter file,
                 // so the file must not depend on the machine's defaults)
    WhenChanged, // only where a value differs from its reset value (these
                 // keys have constant reset values)
};

// One value on a setting's line: an integer or a real member of the store.
struct SettingValue {
    std::int32_t ModelStore::*integer = nullptr;
    float ModelStore::*real = nullptr;
    SettingRange range = SettingRange::Any;
    // The reset value: the parameter-file default when one is named,
    // otherwise the constant (exact for every value held here).
    std::int32_t ParameterSet::*integerDefault = nullptr;
    float ParameterSet::*realDefault = nullptr;
    double reset = 0;

    bool IsUsed() const { return integer != nullptr || real != nullptr; }
};

struct SettingKey {
    DataKey key;
    SettingWrite write;
    // The values on the key's line; the second is unused on one-value lines,
    // and both values of a two-value line are of one type.
    std::array<SettingValue, 2> values;
    // A missing or refused value sets the reset value instead of being a
    // syntax error.
    bool badValueResets = false;

    int ValueCount() const { return values[1].IsUsed() ? 2 : 1; }
};

// The general settings, in the order the writer writes them.
std::span<const SettingKey> SettingKeys();
// The table entry of a data-file key; nullptr when the key is no setting.
const SettingKey* FindSettingKey(int key);

bool IsInSettingRange(SettingRange range, double value);
// The reset value of one setting value for the given parameter defaults.
double SettingResetValue(const SettingValue& value, const ParameterSet& parameters);
// Every setting of the table back to its reset value.
void ResetSettings(ModelStore& m, const ParameterSet& parameters);

} // namespace gelmar

// One table per keyed file drives its reading, writing and reset: each key
// with the record fields its values fill, the range a value must meet, the
// value a reset gives it (a constant, or a field of a defaults record) and
// when the writer writes it. The readers check and store through the table,
// the writers write through it in its order, and the resets take their
// values from it, so the three cannot disagree. The programs' data-file
// settings and their parameter files ("Gelmar.prm", "Novelk.prm",
// "Dralo.prm", "Parven.prm") are such tables.
//
// A keyed file's line is a five-character key (four letters and "=") and
// blank-separated values. A key's number is its position in the reader's
// key string (KeyPosition), so a switch over keys reads `case Key("colr="):`.
#pragma once
#include "common/core/KeyedLineWriter.h"
#include "common/core/NumberText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace common {

inline constexpr std::size_t kKeyLength = 5;

// The position of key in a string of keys of kKeyLength characters each; a
// key that is not there does not compile where a constant is needed.
consteval int KeyPosition(std::string_view keys, std::string_view key)
{
    if (key.size() != kKeyLength || keys.size() % kKeyLength != 0)
        throw "a key is four letters and '='";
    for (std::size_t i = 0; i < keys.size(); i += kKeyLength)
        if (keys.substr(i, kKeyLength) == key)
            return static_cast<int>(i / kKeyLength);
    throw "no such key";
}

// The condition a value must meet; a reader refuses any other value and a
// writer leaves a key with such a value out.
enum class ValueRange : std::uint8_t {
    Any,         // a number
    Positive,    // > 0
    NonNegative, // >= 0
    AtLeastOne,  // >= 1
    ZeroOrOne,   // 0 or 1
    ZeroToOne,   // 0 .. 1 (a fraction)
    ZeroTo300,   // 0 .. 300 (a divergence, %)
};

bool IsInRange(ValueRange range, double value);

// Two keys alike but for the case of their letters.
bool EqualKeys(std::string_view a, std::string_view b);

// When a writer writes a key.
enum class KeyWrite : std::uint8_t {
    Always,      // every time
    WhenChanged, // only where a value differs from its reset value
};

// How a writer writes a real value (KeyedLineWriter's form, or "%f"'s six
// decimals where a file defines it so).
enum class ValueForm : std::uint8_t { Real, Fixed6 };

// One value on a key's line: an integer, a real or a byte field of the
// record (a byte holds a colour number, 0..255).
template <class Record, class Defaults = Record> struct KeyValue {
    std::int32_t Record::*integer = nullptr;
    float Record::*real = nullptr;
    ValueRange range = ValueRange::Any;
    // The reset value: the defaults' field when one is named, else the
    // constant (exact for every value held here).
    std::int32_t Defaults::*integerDefault = nullptr;
    float Defaults::*realDefault = nullptr;
    double reset = 0;
    ValueForm form = ValueForm::Real;
    std::uint8_t Record::*byte = nullptr;

    bool IsUsed() const { return integer != nullptr || real != nullptr || byte != nullptr; }
    double Get(const Record& r) const
    {
        return integer ? static_cast<double>(r.*integer)
               : byte  ? static_cast<double>(r.*byte)
                       : static_cast<double>(r.*real);
    }
    // The value the field would hold: truncated toward zero for an integer
    // or a byte, rounded to a float for a real.
    double Stored(double v) const { return integer || byte ? std::trunc(v) : static_cast<double>(static_cast<float>(v)); }
    // Whether the field's type holds v: an int32 or a byte after truncation
    // toward zero, or a finite float.
    bool Fits(double v) const
    {
        return integer ? std::fabs(v) < 2147483648.0
               : byte  ? v > -1.0 && v < 256.0
                       : std::fabs(v) <= 3.4028234663852886e38;
    }
    // Whether v fits and the value stored meets the range.
    bool Accepts(double v) const { return Fits(v) && IsInRange(range, Stored(v)); }
    // Stores v, which Accepts: a float, or an integer truncated toward zero.
    void Set(Record& r, double v) const
    {
        if (integer)
            r.*integer = static_cast<std::int32_t>(v);
        else if (byte)
            r.*byte = static_cast<std::uint8_t>(v);
        else
            r.*real = static_cast<float>(v);
    }
    double ResetValue(const Defaults& d) const
    {
        if (integerDefault)
            return d.*integerDefault;
        if (realDefault)
            return d.*realDefault;
        return reset;
    }
};

template <class Record, class Defaults = Record> struct KeyEntry {
    std::string_view key; // four letters and "="
    KeyWrite write = KeyWrite::Always;
    // The values on the key's line; the second is unused on one-value lines.
    std::array<KeyValue<Record, Defaults>, 2> values{};
    // A missing or refused value sets the reset value instead of being a
    // syntax error.
    bool badValueResets = false;
    // A number that fits the field but is out of its range leaves the field
    // as it was instead of being a syntax error (a line without its numbers
    // stays bad).
    bool outOfRangeSkips = false;

    int ValueCount() const { return values[1].IsUsed() ? 2 : 1; }
};

// Builders of table rows: a field with a constant reset value, or one reset
// from a defaults field.
template <class Record, class Defaults = Record>
constexpr KeyValue<Record, Defaults> IntValue(std::int32_t Record::*field, ValueRange range = ValueRange::Any,
                                              double reset = 0)
{
    return {field, nullptr, range, nullptr, nullptr, reset};
}
template <class Record, class Defaults = Record>
constexpr KeyValue<Record, Defaults> RealValue(float Record::*field, ValueRange range = ValueRange::Any,
                                               double reset = 0, ValueForm form = ValueForm::Real)
{
    return {nullptr, field, range, nullptr, nullptr, reset, form};
}
template <class Record, class Defaults>
constexpr KeyValue<Record, Defaults> IntValue(std::int32_t Record::*field, ValueRange range,
                                              std::int32_t Defaults::*reset)
{
    return {field, nullptr, range, reset, nullptr, 0};
}
template <class Record, class Defaults>
constexpr KeyValue<Record, Defaults> RealValue(float Record::*field, ValueRange range, float Defaults::*reset)
{
    return {nullptr, field, range, nullptr, reset, 0};
}
// A byte field (a colour number) with a constant reset value.
template <class Record, class Defaults = Record>
constexpr KeyValue<Record, Defaults> ByteValue(std::uint8_t Record::*field, double reset = 0)
{
    return {nullptr, nullptr, ValueRange::Any, nullptr, nullptr, reset, ValueForm::Real, field};
}

// The keys of a table, one after the other, as the line reader takes them.
template <class Record, class Defaults> std::string KeysOf(std::span<const KeyEntry<Record, Defaults>> table)
{
    std::string keys;
    for (const auto& e : table)
        keys.append(e.key);
    return keys;
}

// The entry of a key (five characters, any case), or nullptr.
template <class Record, class Defaults>
const KeyEntry<Record, Defaults>* FindKey(std::span<const KeyEntry<Record, Defaults>> table, std::string_view key);

// Reads the values of an entry's line from text into the record: all of them
// must be numbers the fields accept (else, unless badValueResets, false and
// nothing is stored; with it the reset values take their place; with
// outOfRangeSkips numbers that fit but are out of range store nothing and
// give true).
template <class Record, class Defaults>
bool ReadKeyValues(const KeyEntry<Record, Defaults>& e, const char* text, Record& r, const Defaults& d)
{
    double v[2] = {};
    bool good = true, fit = true;
    const int n = e.ValueCount();
    for (int i = 0; i < n; ++i) {
        const auto& value = e.values[static_cast<std::size_t>(i)];
        fit = fit && ScanDouble(text, v[i]) && value.Fits(v[i]);
        good = good && fit && value.Accepts(v[i]);
    }
    if (!good && fit && e.outOfRangeSkips)
        return true;
    if (!good) {
        if (!e.badValueResets)
            return false;
        for (int i = 0; i < n; ++i)
            v[i] = e.values[static_cast<std::size_t>(i)].ResetValue(d);
    }
    for (int i = 0; i < n; ++i)
        e.values[static_cast<std::size_t>(i)].Set(r, v[i]);
    return true;
}

// Writes an entry's line: always, or when changed from the reset values; a
// value the reader would refuse leaves the key out.
template <class Record, class Defaults>
void WriteKeyLine(KeyedLineWriter& out, const KeyEntry<Record, Defaults>& e, const Record& r, const Defaults& d)
{
    const int n = e.ValueCount();
    bool accepted = true, changed = false;
    for (int i = 0; i < n; ++i) {
        const auto& v = e.values[static_cast<std::size_t>(i)];
        const double value = v.Get(r);
        accepted = accepted && v.Accepts(value);
        changed = changed || value != v.ResetValue(d);
    }
    if (!accepted || (e.write == KeyWrite::WhenChanged && !changed))
        return;
    out.BeginLine(e.key);
    for (int i = 0; i < n; ++i) {
        const auto& v = e.values[static_cast<std::size_t>(i)];
        if (v.integer || v.byte)
            out.Int(static_cast<long long>(v.Get(r)));
        else if (v.form == ValueForm::Fixed6)
            out.Fixed6(r.*v.real);
        else
            out.Real(r.*v.real);
    }
    out.EndLine();
}

// Every value of the table back to its reset value.
template <class Record, class Defaults>
void ResetKeys(std::span<const KeyEntry<Record, Defaults>> table, Record& r, const Defaults& d)
{
    for (const auto& e : table)
        for (const auto& v : e.values)
            if (v.IsUsed())
                v.Set(r, v.ResetValue(d));
}

template <class Record, class Defaults>
const KeyEntry<Record, Defaults>* FindKey(std::span<const KeyEntry<Record, Defaults>> table, std::string_view key)
{
    for (const auto& e : table)
        if (key.size() == e.key.size() && EqualKeys(key, e.key))
            return &e;
    return nullptr;
}

} // namespace common

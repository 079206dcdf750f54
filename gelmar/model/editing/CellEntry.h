// The reading of what a user typed into a table cell, for every table of the
// model. A number is read from the start of the text, as the C library's
// scanf reads it but independent of the locale; a cell that holds a value or
// a function reference ("T01") takes either. Only what the data file can
// hold back is ever accepted: an empty or non-numeric text, a number that is
// not finite or does not fit a float (or a 32-bit integer) gives nothing, and
// the table keeps its stored value.
#pragma once
#include "gelmar/model/functions/FunctionName.h"

#include <optional>
#include <string>
#include <string_view>

namespace gelmar {

struct ModelStore;

// A real number at the start of the text (leading blanks skipped).
std::optional<float> ReadCellFloat(std::string_view text);
// An integer at the start of the text, as atoi reads it.
std::optional<int> ReadCellInt(std::string_view text);

// What a value-or-function cell received.
struct CellEntry {
    enum Kind { Neither, Number, Function } kind = Neither;
    float number = 0;
    FunctionName function; // the reference, upper-cased (Function)
};

// letters: the function letters the column accepts, tried in their order.
// Exactly three characters, upper-cased, of one of those letters and two
// digits 01..99 naming an existing function, are a reference; otherwise the
// text is read as a number.
CellEntry ReadValueOrFunction(std::string_view text, std::string_view letters, const ModelStore& model);

// True when the model has a function of that name.
bool FunctionExists(const ModelStore& model, std::string_view name);

// Stores an entry into a value and its function reference: a number sets the
// value and resets the reference to its default ("T00"), a reference sets the
// reference and keeps the value. What happens to a text that is neither is
// the table's choice. False when nothing changed.
enum class OnNeither { Keep, ResetReference };
bool StoreValueOrFunction(const CellEntry& entry, float& value, FunctionName& reference,
                          std::string_view defaultName, OnNeither neither = OnNeither::Keep);

// A value or function cell's text: the reference when it names a function,
// else the value with `decimals` digits after the point ("%g" for < 0).
std::string ValueOrFunctionText(float value, const FunctionName& reference, int decimals);

// The text an in-place editor starts from: the shortest form that reads
// back as exactly the stored float.
std::string ExactFloatText(float value);

} // namespace gelmar

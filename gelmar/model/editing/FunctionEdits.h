// The Functions table's edits on the store: a typed name made a valid,
// unique function name, the shape stepped, a parameter typed, a function
// inserted with the first free name of the focused function's letter, and
// the references to a deleted function reset to their fields' defaults.
#pragma once
#include "gelmar/model/store/ModelStore.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gelmar {

class EngineHost;

// The letters of the function kinds.
inline constexpr char kFunctionLetters[] = "TIPLMCVGDRHSE";
// Functions of these letters are always file functions.
inline constexpr char kFileOnlyFunctionLetters[] = "LCR";

// The name letter + 01..99 with the lowest number that no function other
// than `except` carries; nothing when all 99 are taken.
std::optional<FunctionName> FirstFreeFunctionName(const ModelStore& m, char letter,
                                                  std::size_t except = static_cast<std::size_t>(-1));
// Functions whose name starts with the letter.
std::size_t CountFunctionsOfLetter(const ModelStore& m, char letter);

// The name typed into function f's Ref. cell: upper-cased; a first letter
// that names no kind gives "T01"; the letter and a number 1..99 give that
// name ("m3" is M03); anything else, or a name another function carries,
// the first free number of the letter. The function is then cleared (shape
// 0, no file, parameters 0). When the letter has no free number the name
// is refused with a message and the function stays as it was (false).
bool RenameFunction(ModelStore& m, std::size_t f, std::string_view text, EngineHost& host);
inline constexpr char kNoFreeFunctionName[] =
    "All 99 names of this function kind are in use; the name was not changed.";

// The parameters a shape has (FILE none, CONST one, STEP0 four, STEP1 five,
// STEP2 six, SINE and SINPOS four).
int FunctionParameterCount(int shape);
// The Type cell's step: the next shape, SINPOS back to FILE; functions of
// the letters L, C and R stay file functions (false).
bool StepFunctionShape(ModelStore& m, std::size_t f);
// Parameter 0..5 typed; a text that is not a number changes nothing.
bool EditFunctionParameter(ModelStore& m, std::size_t f, int parameter, std::string_view text);

// Insert is offered while the focused function's letter has fewer than 99
// functions (always when there is none).
bool CanInsertFunction(const ModelStore& m, std::size_t focus);
// A new function before (or after) function `focus`: the first free name of
// focus's letter ("T01" for the first function), cleared. Its index, or
// nothing when the list is full (a message was shown).
std::optional<std::size_t> InsertFunction(ModelStore& m, std::size_t focus, bool after, EngineHost& host);

// Every reference to the function name (compared without regard to case)
// in colours, node, border-face and material BCs and ventilation flows is
// reset to its field's default; controls keep theirs. Says which lists
// changed.
struct ClearedReferences {
    bool colours = false, nodeBcs = false, borderBcs = false, materialBcs = false, ventFlows = false;
};
ClearedReferences ClearFunctionReferences(ModelStore& m, const FunctionName& name);

} // namespace gelmar

// The parameter file "Parven.prm" in the program folder: the program
// defaults (ProgramParameters), read at start-up and written at exit when a
// setting changed, through one key table in the file's write order.
#pragma once
#include "parven/model/store/ProgramParameters.h"

#include <string>

namespace parven {

// Reads "Parven.prm" of the folder into the defaults, then takes the output
// settings from them. A missing file keeps the built-in defaults; a line
// without a number is skipped; whole-number keys take the integer part of
// their value. Never an error.
void ReadParameterFile(const std::string& programFolder, ProgramParameters& defaults,
                       CurrentOutputSettings& output);
// Writes every default, one "key=value" line each; false when the file
// cannot be written (the old file stays).
bool WriteParameterFile(const std::string& programFolder, const ProgramParameters& defaults);

} // namespace parven

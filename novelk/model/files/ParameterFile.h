// The parameter file "Novelk.prm" in the program folder: the program-wide
// defaults, one "key=value" line each, and the eight default graphic-report
// entries as "grep=" lines.
#pragma once
#include "novelk/model/store/ProgramParameters.h"

#include <string>

namespace novelk {

inline constexpr const char* kParameterFileName = "Novelk.prm";

// Reads programFolder/"Novelk.prm" into the defaults: the report entries
// start reset; a missing file, a line that does not parse and unknown keys
// keep the defaults (never a message). Values are read as reals and integer
// keys truncated toward zero. The current output settings take the file's
// decimals and image settings whether or not it was read.
void ReadParameterFile(const std::string& programFolder, ProgramParameters& defaults,
                       CurrentOutputSettings& current);
// Writes every default to programFolder/"Novelk.prm" (written whole, then
// put in place); false when it cannot be written.
bool WriteParameterFile(const std::string& programFolder, const ProgramParameters& defaults);

} // namespace novelk

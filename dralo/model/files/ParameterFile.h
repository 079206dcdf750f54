// The parameter file "Dralo.prm" in the program folder: the program-wide
// defaults, one "key=value" line each, read and written through one key
// table.
#pragma once
#include "common/core/KeyTable.h"
#include "dralo/model/store/ProgramParameters.h"

#include <span>
#include <string>

namespace dralo {

inline constexpr const char* kParameterFileName = "Dralo.prm";

// The keys of the file in the order the writer writes them, each with its
// field and the range the data file's key of the same value checks (colour
// numbers 0..255). "pixs", "tris", "mbor" and "grep", which older files
// hold, are no keys of it: their lines are skipped.
std::span<const common::KeyEntry<ProgramParameters>> ParameterKeys();

// Reads programFolder/"Dralo.prm" into the parameters: a line that does not
// parse, an unknown key and a value outside its field's type or range keep
// the parameter, without a message; numbers are read as reals, integer keys
// truncated toward zero. Then the session takes the file's decimals, image
// and Split Zones settings. A file that cannot be opened is EngineError
// FileOpen with the path, the parameters and the session unchanged (at
// start-up a missing file keeps the built-in values).
void ReadParameterFile(ProgramParameters& parameters, SessionSettings& session, const std::string& programFolder);
// The bytes of the file: every key of the table in its order, reals in the
// "%g" form where it reads back exactly ("dtas" and "lahm" with six
// decimals), CRLF line ends.
std::string FormatParameterFile(const ProgramParameters& parameters);
// Writes them to programFolder/"Dralo.prm" (written whole, then put in
// place); false when it cannot be written.
bool WriteParameterFile(const ProgramParameters& parameters, const std::string& programFolder);

} // namespace dralo

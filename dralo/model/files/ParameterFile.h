// The parameter file "Dralo.prm" in the program folder: the program-wide
// defaults, one "key=value" line each.
#pragma once
#include "dralo/model/store/ProgramParameters.h"

#include <string>

namespace dralo {

inline constexpr const char* kParameterFileName = "Dralo.prm";

// Reads programFolder/"Dralo.prm" into the defaults; a missing file, a line
// that does not parse, an unknown key and a value the data file would refuse
// (or a colour number above 255) keep the defaults, without a message.
// Numbers are read as reals, integer keys truncated toward zero; "pixs",
// "tris", "mbor" and "grep" are known and ignored. The session settings take
// the file's decimals, image and Split Zones settings whether or not it was
// read. True when the file was read.
bool ReadParameterFile(const std::string& programFolder, ProgramParameters& defaults, SessionSettings& session);
// The bytes of the file: every default in the fixed order, CRLF line ends.
std::string FormatParameterFile(const ProgramParameters& defaults);
// Writes them to programFolder/"Dralo.prm" (written whole, then put in
// place); false when it cannot be written.
bool WriteParameterFile(const std::string& programFolder, const ProgramParameters& defaults);

} // namespace dralo

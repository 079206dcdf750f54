// Failures of the Parven engine: an EngineError of the kit (common/core) with
// Parven's codes and messages, built where the failure happens with the file
// and line, or the colour and grid cell, that its message names; the command
// that started the work catches it and shows Message(). Parven words the
// shared codes its own way ("Cannot open file %s", "Syntax error in file %s,
// line %d"): an error of the kit turns into Parven's with Parven's text. An
// Esc press ends the work with EscAbort, which shows nothing.
#pragma once
#include "common/core/EngineError.h"

#include <string>

namespace parven {

using common::EscAbort;

enum class ErrorCode : int {
    None = 0,
    Memory = 1,             // "Not enough memory"
    FileOpen = 2,           // "Cannot open file %s"
    Syntax = 3,             // "Syntax error in file %s, line %d"
    SeparatedZones = 4,     // a boundary colour occurs in separated zones
    DifferentBcTypes = 5,   // a boundary colour touches one of a different type
    FitGrid = 7,            // the fit grid failed for a volume element
    TransmatBesideVoid = 8, // a TRANSMAT colour borders void space
};

// "Not enough memory", "Cannot open file %s", "Syntax error in file %s, line %d".
std::string MemoryText();
std::string FileOpenText(const std::string& path);
std::string SyntaxErrorText(const std::string& path, int line);

class EngineError : public common::ProgramError<EngineError> {
  public:
    // The kit's error with Parven's text for the shared codes.
    explicit EngineError(const common::EngineError& e);

    // Codes 4, 5 and 8: the colour and the grid cell X, Y, Z where it was found.
    static EngineError ModelCheck(ErrorCode code, int colour, int x, int y, int z);
    // Code 7: the volume element between grid lines x..x+1, y..y+1, z..z+1.
    static EngineError FitGrid(int x, int y, int z);

    ErrorCode Code() const { return static_cast<ErrorCode>(CodeValue()); }
};

} // namespace parven

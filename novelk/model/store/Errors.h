// Failures of the Novelk engine: an EngineError of the kit (common/core)
// with Novelk's codes and messages, built where the failure happens; the
// command that started the work catches it and shows Message(). An Esc press
// ends the work with EscAbort, which shows nothing.
#pragma once
#include "common/core/EngineError.h"

#include <string>

namespace novelk {

using common::EscAbort;

enum class ErrorCode : int {
    None = 0,
    Memory = 1,               // "Not enough memory"
    FileOpen = 2,             // "Failed to open file\n%s"
    Syntax = 3,               // "Syntax error in file %s\nLine %d"
    SeparatedZones = 4,       // "BC (colour %d) occurs in separated zones." + location
    DifferentBcTypes = 5,     // "BC (colour %d) touches other BC of different type." + location
    Bitmap = 6,               // "Bitmap creation failed.\nBitmap size too large."
    TransmatBesideVoid = 7,   // "TRANSMAT (colour %d) bordering void space.\n" + location
    TooManyGridIntervals = 8, // an axis would need more than 65535 cells
};

// The grid point a model-check message names, and whether the axes are named
// R, C, L (else X, Y, Z).
struct ErrorLocation {
    int i = 0, j = 0, k = 0;
    bool rcl = false;
};

class EngineError : public common::EngineError {
  public:
    explicit EngineError(const common::EngineError& e) : common::EngineError(e) {}

    static EngineError Memory() { return EngineError(common::EngineError::Memory()); }
    static EngineError FileOpen(std::string path) { return EngineError(common::EngineError::FileOpen(std::move(path))); }
    static EngineError Syntax(std::string path, int line)
    {
        return EngineError(common::EngineError::Syntax(std::move(path), line));
    }
    // Codes 4, 5 and 7, with the colour and the grid point they name.
    static EngineError ModelCheck(ErrorCode code, int colour, ErrorLocation where);
    static EngineError Bitmap();
    static EngineError TooManyGridIntervals();

    ErrorCode Code() const { return static_cast<ErrorCode>(CodeValue()); }
    ErrorLocation Where() const { return {Context().i, Context().j, Context().k, Context().rcl}; }
};

} // namespace novelk

// Failures of the Dralo engine: an EngineError carries its code and the
// context its message needs (file, line, colours), built where the failure
// happens; the command that started the work catches it and shows Message().
// An Esc press ends the work with EscAbort, which shows nothing. The other
// texts the engine shows itself (through the host) are here too.
#pragma once
#include "common/core/EngineError.h"

#include <string>

namespace dralo {

enum class ErrorCode : int {
    None = 0,
    Memory = 1,          // "Not enough memory" (259)
    FileOpen = 2,        // "Failed to open file\n%s" (260)
    Syntax = 3,          // "Syntax error in file %s\nLine %d" (261)
    SeparatedZones = 4,  // "Boundary condition (colour %d) occurs in separated zones" (265)
    TouchingBcTypes = 5, // "Two boundary conditions of different type ..." (266)
    ResultFile = 6,      // "Cannot find solution file ..." (268)
    Bitmap = 7,          // "Bitmap creation failed.\nBitmap size too large." (267)
    Triangulation = 8,   // "Triangulation failed in colour %d"
};

class EngineError : public common::ProgramError<EngineError> {
  public:
    explicit EngineError(const common::EngineError& e) : ProgramError(e) {}

    static EngineError SeparatedZones(int colour);
    // The two colours, the smaller first.
    static EngineError TouchingBcTypes(int a, int b);
    static EngineError ResultFile();
    static EngineError Bitmap();
    // The mesh of the colour could not be completed (a front edge without a
    // valid apex, or a contour that cannot be followed on).
    static EngineError Triangulation(int colour);

    ErrorCode Code() const { return static_cast<ErrorCode>(CodeValue()); }
    int Colour2() const { return Context().colour2; }
};

using common::EscAbort;

// Texts the engine shows through the host.
inline constexpr const char* kMsgNotBmp = "Not a (uncompressed or 8-bit RLE compressed) 256 colour .BMP file"; // 258
inline constexpr const char* kMsgNoMemory = common::kMemoryText; // 259
inline constexpr const char* kMsgBorderlineCapacity = "Max. number of borderline BCs too low";               // 262
inline constexpr const char* kMsgDistanceCapacity = "Max. number of distances too low";                      // 263
inline constexpr const char* kMsgBitmapTooLarge = "Bitmap creation failed.\nBitmap size too large.";         // 267
inline constexpr const char* kMsgBitmapTooSmall = "Bitmap creation failed.\nA bitmap needs at least one pixel in each direction.";
inline constexpr const char* kMsgNoFreeColours = "Error: not enough free colours.\n\nRedo e.g. using larger small zones."; // 563

// "Failed to open file\n%s" (260) and "Syntax error in file %s\nLine %d" (261).
using common::FileOpenText;
using common::SyntaxErrorText;

} // namespace dralo

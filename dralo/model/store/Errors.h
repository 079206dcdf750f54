// Failures of the Dralo engine: an EngineError carries its code and the
// context its message needs (file, line, colours), built where the failure
// happens; the command that started the work catches it and shows Message().
// An Esc press ends the work with EscAbort, which shows nothing. The other
// texts the engine shows itself (through the host) are here too.
#pragma once
#include <exception>
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

class EngineError : public std::exception {
  public:
    static EngineError Memory() { return EngineError(ErrorCode::Memory); }
    static EngineError FileOpen(std::string path);
    static EngineError Syntax(std::string path, int line);
    static EngineError SeparatedZones(int colour);
    // The two colours, the smaller first.
    static EngineError TouchingBcTypes(int a, int b);
    static EngineError ResultFile() { return EngineError(ErrorCode::ResultFile); }
    static EngineError Bitmap() { return EngineError(ErrorCode::Bitmap); }
    // The mesh of the colour could not be completed (a front edge without a
    // valid apex, or a contour that cannot be followed on).
    static EngineError Triangulation(int colour);

    ErrorCode Code() const { return m_code; }
    const std::string& Path() const { return m_path; }
    int Line() const { return m_line; }
    int Colour() const { return m_colour; }
    int Colour2() const { return m_colour2; }
    // The message the user sees.
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

  private:
    explicit EngineError(ErrorCode code);

    ErrorCode m_code;
    std::string m_path;
    int m_line = 0;
    int m_colour = -1, m_colour2 = -1;
    std::string m_message;
};

// The user pressed Esc: the work stops, nothing is reported.
struct EscAbort {};

// Texts the engine shows through the host.
inline constexpr const char* kMsgNotBmp = "Not a (uncompressed or 8-bit RLE compressed) 256 colour .BMP file"; // 258
inline constexpr const char* kMsgNoMemory = "Not enough memory";                                             // 259
inline constexpr const char* kMsgBorderlineCapacity = "Max. number of borderline BCs too low";               // 262
inline constexpr const char* kMsgDistanceCapacity = "Max. number of distances too low";                      // 263
inline constexpr const char* kMsgBitmapTooLarge = "Bitmap creation failed.\nBitmap size too large.";         // 267
inline constexpr const char* kMsgBitmapTooSmall = "Bitmap creation failed.\nA bitmap needs at least one pixel in each direction.";
inline constexpr const char* kMsgNoFreeColours = "Error: not enough free colours.\n\nRedo e.g. using larger small zones."; // 563

// "Failed to open file\n%s" (260) and "Syntax error in file %s\nLine %d" (261).
std::string OpenFailureText(const std::string& path);
std::string SyntaxErrorText(const std::string& path, int line);

} // namespace dralo

// Failures of the Novelk engine: an EngineError carries its code and the
// context its message needs (file, line, colour, grid point), built where the
// failure happens; the command that started the work catches it and shows
// Message(). An Esc press ends the work with EscAbort, which shows nothing.
#pragma once
#include <exception>
#include <string>

namespace novelk {

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

class EngineError : public std::exception {
  public:
    static EngineError Memory() { return EngineError(ErrorCode::Memory); }
    static EngineError FileOpen(std::string path);
    static EngineError Syntax(std::string path, int line);
    // Codes 4, 5 and 7, with the colour and the grid point they name.
    static EngineError ModelCheck(ErrorCode code, int colour, ErrorLocation where);
    static EngineError Bitmap() { return EngineError(ErrorCode::Bitmap); }
    static EngineError TooManyGridIntervals() { return EngineError(ErrorCode::TooManyGridIntervals); }

    ErrorCode Code() const { return m_code; }
    const std::string& Path() const { return m_path; }
    int Line() const { return m_line; }
    int Colour() const { return m_colour; }
    const ErrorLocation& Where() const { return m_where; }
    // The message the user sees.
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

  private:
    explicit EngineError(ErrorCode code);

    ErrorCode m_code;
    std::string m_path;
    int m_line = 0;
    int m_colour = -1;
    ErrorLocation m_where;
    std::string m_message;
};

// The user pressed Esc: the work stops, nothing is reported.
struct EscAbort {};

} // namespace novelk

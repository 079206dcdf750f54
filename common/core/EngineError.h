// What the engines of the four programs throw when their work fails, and
// the way a piece of work's failure reaches the command that started it
// (WorkOutcome.h runs the work).
//
// A failure is an EngineError: its code, the context its message names (the
// file and line, the colours, the cell, the axis, the item, the step), built
// where the failure happens, and the message itself. Codes 1 to 3 mean the
// same in every program ("Not enough memory", "Failed to open file\n%s",
// "Syntax error in file %s\nLine %d"); the other codes and their texts are
// each program's own message table. A program's error type derives from
// EngineError and adds only its factories, never data, so an error of the
// kit and a program's error are caught alike. An Esc press ends the work
// with EscAbort, which shows nothing.
//
// Files of the kit that fail throw EngineError directly (FileOpen with the
// path); nothing here reads or sets the process-wide error code, which is
// only the windows' view of the last failure (ErrorCode.h).
#pragma once
#include <cstdio>
#include <exception>
#include <span>
#include <string>

namespace common {

// The codes every program shares.
enum : int {
    kErrorNone = 0,
    kErrorMemory = 1,   // "Not enough memory"
    kErrorFileOpen = 2, // "Failed to open file\n%s"
    kErrorSyntax = 3,   // "Syntax error in file %s\nLine %d"
};

inline constexpr const char* kMemoryText = "Not enough memory";
// "Failed to open file\n%s" and "Syntax error in file %s\nLine %d".
std::string FileOpenText(const std::string& path);
std::string SyntaxErrorText(const std::string& path, int line);

// The values a message names; each program's factories fill those of its codes.
struct ErrorContext {
    std::string path;            // the file read or written
    int line = 0;                // its line (1-based), for syntax errors
    int colour = -1;             // a colour, -1 when none
    int colour2 = -1;            // a second colour
    int i = 0, j = 0, k = 0;     // a grid cell or point
    int axis = -1;               // 0 x, 1 y, 2 z; -1 when none
    int item = 0;                // an interval, flow, control or record
    int step = 0;                // the step or cycle of a run
    bool rcl = false;            // the model names its axes R, C, L (else X, Y, Z)
    int layers = 0;              // cells along z, for R, C, L numbering
};

// Base of every failure and of the Esc abort.
struct EngineException {};

// The user pressed Esc: the work stops, nothing is reported.
struct EscAbort : EngineException {};

class EngineError : public EngineException, public std::exception {
  public:
    EngineError(int code, ErrorContext context, std::string message)
        : m_code(code), m_context(std::move(context)), m_message(std::move(message))
    {
    }

    static EngineError Memory();
    static EngineError FileOpen(std::string path);
    static EngineError Syntax(std::string path, int line);

    int CodeValue() const { return m_code; }
    const ErrorContext& Context() const { return m_context; }
    const std::string& Path() const { return m_context.path; }
    int Line() const { return m_context.line; }
    int Colour() const { return m_context.colour; }
    // The text the user sees.
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

  private:
    int m_code;
    ErrorContext m_context;
    std::string m_message;
};

// A program's error type: the kit's error, whose shared factories give the
// program's type. A program derives Program from ProgramError<Program> and
// adds the factories of its own codes.
template <class Program> class ProgramError : public EngineError {
  public:
    explicit ProgramError(const EngineError& e) : EngineError(e) {}

    static Program Memory() { return Program(EngineError::Memory()); }
    static Program FileOpen(std::string path) { return Program(EngineError::FileOpen(std::move(path))); }
    static Program Syntax(std::string path, int line) { return Program(EngineError::Syntax(std::move(path), line)); }
};

// Runs the reader of a file that may be missing (a parameter or layer file):
// a file that cannot be opened (EngineError FileOpen) is no failure and gives
// false; every other failure goes on to the caller.
template <typename Read> bool ReadOptionalFile(Read&& read)
{
    try {
        read();
    } catch (const EngineError& e) {
        if (e.CodeValue() != kErrorFileOpen)
            throw;
        return false;
    }
    return true;
}

// One entry of a program's message table: a code and its text (printf
// conversions for the values the factory of the code fills in).
struct ErrorMessage {
    int code;
    const char* format;
};

// The text of a code in a message table; "" for a code it does not hold.
const char* FindErrorFormat(std::span<const ErrorMessage> table, int code);

// The message of a code with its values put in, sized to what it needs.
template <typename... Values>
std::string FormatError(std::span<const ErrorMessage> table, int code, Values... values)
{
    const char* format = FindErrorFormat(table, code);
    if constexpr (sizeof...(Values) == 0) {
        return format;
    } else {
        const int n = std::snprintf(nullptr, 0, format, values...);
        std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
        std::snprintf(text.data(), text.size() + 1, format, values...);
        return text;
    }
}

} // namespace common

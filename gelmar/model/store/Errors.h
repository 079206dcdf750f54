// Failures of the Gelmar engine. Every failure is an EngineError that holds
// its code and the values its message names (the file and line, the colour
// and cell, the flow or control), built where the failure happens; the
// command that started the work shows Message(). All codes and their message
// texts are here. An Esc press ends the work with EscAbort, which shows
// nothing.
//
// The process-wide error code of the program (common::ErrorCode) is a view
// of the error a piece of work ended with: a run's outcome sets it, the
// command that shows the message resets it to 0.
#pragma once
#include "common/core/ErrorCode.h"

#include <exception>
#include <new>
#include <optional>
#include <string>

namespace gelmar {

using common::EscAbort;

enum class ErrorCode : int {
    None = 0,
    Memory = 1,              // "Not enough memory"
    FileOpen = 2,            // "Failed to open file\n%s"
    Syntax = 3,              // "Syntax error in file %s\nLine %d"
    SeparatedZones = 4,      // a BC colour in two separated cavities
    DifferentBcTypes = 5,    // a cavity touching a BC of another type
    Bitmap = 6,              // a picture's bitmap could not be created
    VentilationFlow = 7,     // a ventilation flow between colours that cannot carry it
    VentilationNetwork = 8,  // the ventilation network is singular
    SolarFunctions = 9,      // "G01" or "D01" missing in a solar model
    SolarContact = 10,       // an EQUIMAT colour touching a solar zone
    Control = 11,            // a control that cannot work
    TransmatBesideVoid = 12, // a transparent material beside void space
    GridLength = 13,         // a grid interval without a finite positive length
    NotFiniteAssembly = 14,  // the assembled equations hold a value that is not finite
    NotFiniteSolve = 15,     // the solver gave a temperature that is not finite
    NotFiniteResults = 16,   // the step's colour results or solar fluxes are not finite
};

// The grid cell a model-check message names, and how the model shows its
// axes: X, Y, Z line indices, or (rcl set) rows, columns and layers of a
// model of `layers` cells along z.
struct ErrorCell {
    int i = 0, j = 0, k = 0;
    bool rcl = false;
    int layers = 0;
};

class EngineError : public common::EngineException, public std::exception {
  public:
    static EngineError Memory();
    static EngineError FileOpen(std::string path);
    static EngineError Syntax(std::string path, int line);
    // Codes 4, 5 and 12: the cavity colour and the cell where the check found it.
    static EngineError CavityFault(ErrorCode code, int colour, ErrorCell cell);
    static EngineError Bitmap();
    // Flow: 1-based number of the first bad ventilation flow.
    static EngineError VentilationFlow(int flow);
    static EngineError VentilationNetwork();
    static EngineError SolarFunctions();
    static EngineError SolarContact(int cavityColour, int solarColour);
    // Control: 0-based number of the failing control.
    static EngineError Control(int control);
    // Code 13: the interval (1-based) of the axis (0 x, 1 y, 2 z), its width
    // in grid units and the grid unit, named as the model shows its axes.
    static EngineError GridLength(int axis, int interval, float width, float unit, bool rcl);
    // Codes 14, 15 and 16: the step (counter) of the run that stopped.
    static EngineError NotFinite(ErrorCode code, int step);

    ErrorCode Code() const { return m_code; }
    const std::string& Path() const { return m_path; }
    int Line() const { return m_line; }
    int Colour() const { return m_colour; }
    const ErrorCell& Cell() const { return m_cell; }
    // The flow (1-based), control (0-based), solar colour, grid interval
    // (1-based) or step the message names.
    int Item() const { return m_item; }
    // The text the user sees.
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

  private:
    explicit EngineError(ErrorCode code) : m_code(code) {}

    ErrorCode m_code;
    std::string m_path;
    int m_line = 0;
    int m_colour = -1;
    ErrorCell m_cell;
    int m_item = 0;
    std::string m_message;
};

// The message format of a code (printf conversions for the values the
// error holds); "" for None and unknown codes.
const char* ErrorFormat(ErrorCode code);

// How a piece of work ended: normally, by Esc, or with an error.
struct WorkOutcome {
    enum class End { Normal, Esc, Failed };
    End end = End::Normal;
    std::optional<EngineError> error;

    static WorkOutcome Done() { return {}; }
    static WorkOutcome Aborted() { return {End::Esc, std::nullopt}; }
    // Also sets the process-wide code to the error's.
    static WorkOutcome Failed(const EngineError& e);

    bool Normal() const { return end == End::Normal; }
    bool HasError() const { return error.has_value(); }
    ErrorCode Code() const { return error ? error->Code() : ErrorCode::None; }
};

// Runs work and turns how it left into an outcome: EngineError, Esc, and a
// failed allocation (error 1). The clean-up of the work is its own (RAII).
template <typename Work> WorkOutcome RunGuarded(Work&& work)
{
    try {
        try {
            work();
        } catch (const std::bad_alloc&) {
            throw EngineError::Memory();
        }
    } catch (const EngineError& e) {
        return WorkOutcome::Failed(e);
    } catch (const EscAbort&) {
        return WorkOutcome::Aborted();
    }
    return WorkOutcome::Done();
}

// The process-wide code as the program's callers read it, and its reset
// once the message has been shown.
ErrorCode PendingErrorCode();
void ClearPendingError();

} // namespace gelmar

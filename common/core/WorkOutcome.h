// How a piece of engine work run inside a progress window ended, and the
// guard that runs it: normally, by the user's Esc (no error, no message), or
// by an engine error that the window's owner reports. Each program gives its
// own error and abort types.
#pragma once
#include <new>
#include <optional>
#include <stdexcept>

namespace common {

enum class CalcResult {
    NotStarted, // no data file, or the user declined a question
    Done,       // the work ended normally
    Aborted,    // the user pressed Esc
    Failed,     // an engine error was reported
};

template <class Error> struct WorkOutcome {
    bool normal = false;
    std::optional<Error> error;
};

template <class Error> CalcResult ResultOf(const WorkOutcome<Error>& outcome)
{
    if (outcome.error)
        return CalcResult::Failed;
    return outcome.normal ? CalcResult::Done : CalcResult::Aborted;
}

// Runs the work and catches what ends it early; memory that cannot be had
// anywhere in it is the program's memory error (outOfMemory()).
template <class Error, class Abort, class Work, class OutOfMemory>
WorkOutcome<Error> RunGuarded(Work&& work, OutOfMemory&& outOfMemory)
{
    WorkOutcome<Error> outcome;
    try {
        try {
            work();
            outcome.normal = true;
        } catch (const std::bad_alloc&) {
            throw outOfMemory();
        } catch (const std::length_error&) {
            throw outOfMemory();
        }
    } catch (const Error& e) {
        outcome.error = e;
    } catch (const Abort&) {
    }
    return outcome;
}

} // namespace common

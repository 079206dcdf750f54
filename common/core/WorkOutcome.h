// How a piece of engine work ended, and the guard that runs it: normally, by
// the user's Esc (no error, no message), or by an engine error that the
// command that started the work reports. Each program names its error type,
// which converts from the kit's EngineError.
#pragma once
#include "common/core/EngineError.h"

#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

namespace common {

template <class Error = EngineError> struct WorkOutcome {
    enum class End { Normal, Esc, Failed };
    End end = End::Normal;
    std::optional<Error> error;

    static WorkOutcome Done() { return {}; }
    static WorkOutcome Aborted() { return {End::Esc, std::nullopt}; }
    static WorkOutcome Failed(Error e) { return {End::Failed, std::move(e)}; }

    bool Normal() const { return end == End::Normal; }
    bool Escaped() const { return end == End::Esc; }
    bool HasError() const { return error.has_value(); }
};

// Runs work and turns how it left into an outcome: an EngineError (the
// program's or the kit's), Esc, and memory that could not be had (error 1).
// The work's clean-up is its own (RAII).
template <class Error = EngineError, typename Work> WorkOutcome<Error> RunGuarded(Work&& work)
{
    try {
        try {
            std::forward<Work>(work)();
        } catch (const std::bad_alloc&) {
            throw EngineError::Memory();
        } catch (const std::length_error&) {
            throw EngineError::Memory();
        }
    } catch (const EngineError& e) {
        return WorkOutcome<Error>::Failed(Error(e));
    } catch (const EscAbort&) {
        return WorkOutcome<Error>::Aborted();
    }
    return WorkOutcome<Error>::Done();
}

// How a command's calculation ended, as the programs' Calc System reports it.
enum class CalcResult {
    NotStarted, // no data file, or the user declined a question
    Done,       // the work ended normally
    Aborted,    // the user pressed Esc
    Failed,     // an engine error was reported
};

template <class Error> CalcResult ResultOf(const WorkOutcome<Error>& outcome)
{
    if (outcome.HasError())
        return CalcResult::Failed;
    return outcome.Normal() ? CalcResult::Done : CalcResult::Aborted;
}

} // namespace common

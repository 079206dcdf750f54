// What the engines throw, and the process-wide error code. Every engine
// failure and the Esc abort derive from EngineException; a program's own
// error type carries the code and the context of its message. The
// process-wide code is the view of a failure that the program's callers
// read after a run; the command that shows the message resets it to 0. Esc
// leaves it untouched, so nothing is shown.
#pragma once

namespace common {

struct EngineException {};

// The user pressed Esc: the work stops, nothing is reported.
struct EscAbort : EngineException {};

// The pending error code (0: none).
int ErrorCode();
void SetErrorCode(int code);
void ResetErrorCode();

// Throws EscAbort without touching the code.
[[noreturn]] void RaiseAbort();

} // namespace common

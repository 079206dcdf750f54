// The process-wide error code: the windows' view of the failure the last
// piece of work ended with. The command that shows a failure's message sets
// it from the error and resets it to 0 once shown; an Esc abort leaves it
// untouched. No engine reads it: failures travel as EngineError.
#pragma once
#include "common/core/EngineError.h"

namespace common {

// The pending error code (0: none).
int ErrorCode();
void SetErrorCode(int code);
void ResetErrorCode();

// Throws EscAbort without touching the code.
[[noreturn]] void RaiseAbort();

} // namespace common

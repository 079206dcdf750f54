// The process-wide engine error code. Engine code sets the code and throws
// EngineException; the command that started the work catches it, shows the
// message that belongs to the code and resets the code to 0. An Esc abort
// throws the same exception with the code left at 0, so nothing is shown.
#pragma once

namespace common {

struct EngineException {};

// The pending error code (0: none).
int ErrorCode();
void SetErrorCode(int code);
void ResetErrorCode();

// Sets the code and throws.
[[noreturn]] void RaiseError(int code);
// Throws without touching the code (the user pressed Esc).
[[noreturn]] void RaiseAbort();

} // namespace common

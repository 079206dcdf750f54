// The Esc poll of the kernels: the abort leaves without an error code.
#include "gelmar/kernels/KernelTypes.h"

#include "common/core/ErrorCode.h"

namespace gelmar {

void PollEsc(const EscCheck& esc)
{
    if (esc && esc())
        common::RaiseAbort();
}

} // namespace gelmar

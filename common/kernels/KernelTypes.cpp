// The Esc poll of the kernels: the abort leaves without an error code.
#include "common/kernels/KernelTypes.h"

#include "common/core/ErrorCode.h"

namespace kernels {

void PollEsc(const EscCheck& esc)
{
    if (esc && esc())
        common::RaiseAbort();
}

} // namespace kernels

// Index types and the Esc poll shared by the numerical kernels. Sizes and
// positions are 64-bit; node numbers keep the 32-bit width of the node-index
// arrays, which halves the column lists of the sparse matrices.
#pragma once

#include <cstdint>
#include <functional>

namespace kernels {

using Index = std::int64_t;
using Column = std::int32_t;
// A position among a matrix's lower elements, as the row starts and the
// mirror store it: 32 bits, which halves those arrays.
using LowerPosition = std::uint32_t;

// Asked by the long kernel loops whether the user pressed Esc. The engine's
// check may also step its progress bar, or save the present solution first.
using EscCheck = std::function<bool()>;

// Calls the check (when there is one) and leaves by the engine's abort
// exception when it answers yes.
void PollEsc(const EscCheck& esc);

} // namespace kernels

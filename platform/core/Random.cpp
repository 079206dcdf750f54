#include "platform/core/Random.h"

namespace platform {

namespace {
Rand15 g_stream;
}

void srand15(std::uint32_t seed) { g_stream.Seed(seed); }
int rand15() { return g_stream.Next(); }

} // namespace platform

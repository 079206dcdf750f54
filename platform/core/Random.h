// The random-number source of the engines: the 15-bit linear congruential
// generator of the classic C runtime, so that ray sampling gives the same
// sequence on every machine and every build.
#pragma once
#include <cstdint>

namespace platform {

constexpr int RAND15_MAX = 0x7FFF;

// One stream; the process-wide functions below use a shared one, parallel code
// gives each task a stream of its own.
class Rand15 {
public:
    explicit Rand15(std::uint32_t seed = 1) : m_state(seed) {}
    void Seed(std::uint32_t seed) { m_state = seed; }
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t m_state;
};

// Process-wide stream, as srand()/rand() of that runtime.
void srand15(std::uint32_t seed);
int rand15();

} // namespace platform

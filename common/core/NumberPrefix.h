// Locale-independent forms of the C library's atoi, atof and strtoul for
// values read from text files: leading blanks and a sign are skipped, the
// longest number prefix is taken, and text without one gives 0. Values out of
// range are clamped instead of being undefined.
#pragma once
#include <cstdint>
#include <string_view>

namespace common {

int AtoiText(std::string_view text);
double AtofText(std::string_view text);
// Base-16 strtoul: an optional "0x" prefix, clamped to 32 bits.
std::uint32_t HexText(std::string_view text);

} // namespace common

// The check of a number typed into a table cell before the cell takes it:
// the whole text must be a number (read independently of the locale) within
// the cell's range. The answer is the message that says why an entry is
// refused, the same texts as the dialogs' ("Please enter a number.", the
// range), or empty when the entry is taken.
#pragma once
#include <string>

namespace common {

// The number the whole text holds (blanks around it allowed), when it is
// one and finite.
bool ReadWholeNumber(const std::string& text, double& value);
std::string CheckNumberEntry(const std::string& text, double lo, double hi);

// The ranges of the quantities the tables hold: a quantity that must be
// positive (a width, a conductivity, a density, a heat capacity), a factor
// between 0 and 1, and any other number.
inline constexpr double kSmallestPositive = 1e-9;
inline constexpr double kLargestEntry = 1e9;

} // namespace common

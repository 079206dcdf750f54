// Locale-independent numbers in text files: scanning values the way the
// files' "%d" and "%f" conversions read them (leading blanks skipped, reading
// stops at the first character that does not fit), and writing them in the
// shortest form that reads back to the same value.
#pragma once
#include <string>

namespace common {

// Each scans one value at p, advances p past it and returns true; on failure
// p is left unchanged. Values out of range and non-finite values fail.
bool ScanInt(const char*& p, int& value);
bool ScanFloat(const char*& p, float& value);
bool ScanDouble(const char*& p, double& value);

// Shortest text that reads back to exactly the same value ("0.5", "1e-05").
std::string FormatFloat(float value);
std::string FormatDouble(double value);
// Fixed notation with six decimals ("10.000000") when that reads back
// exactly, else the shortest form.
std::string FormatFixed6(float value);

} // namespace common

// Text on disk is Windows-1252, text in memory is UTF-8. These convert at the
// file boundary, and read the code page of older DOS files.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Every byte maps to one character; the five bytes that code page leaves
// undefined map to the C1 control of the same value, as the system did.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'; malformed UTF-8 bytes
// are taken as Windows-1252 bytes, so nothing is silently dropped.
std::string Utf8ToCp1252(std::string_view text);

// Text of the older DOS files (code page 850) in UTF-8; every byte maps to
// one character.
std::string Cp850ToUtf8(std::string_view bytes);

} // namespace platform

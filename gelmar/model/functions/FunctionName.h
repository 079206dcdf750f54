// Function references: a type letter and two digits ("T01") stored in a
// 4-byte field; the digits "00" mean that no function is referred to.
#pragma once
#include <cstring>
#include <string_view>

namespace gelmar {

struct FunctionName {
    char text[4] = {};

    FunctionName() = default;
    // Keeps at most the first three bytes, never part of a character: the
    // text is UTF-8, and a cut sequence would not survive a save.
    explicit FunctionName(std::string_view name) { Set(name); }

    void Set(std::string_view name)
    {
        std::memset(text, 0, sizeof text);
        std::size_t n = name.size() < 3 ? name.size() : 3;
        if (n < name.size())
            while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
                --n; // name[n] continues the character that starts before it
        std::memcpy(text, name.data(), n);
    }
    std::string_view View() const { return {text, std::strlen(text)}; }
    // True for "T00" style names and for texts too short to name a function.
    bool IsNone() const { return std::strlen(text) < 3 || (text[1] == '0' && text[2] == '0'); }
    bool operator==(const FunctionName& o) const { return View() == o.View(); }
};

} // namespace gelmar

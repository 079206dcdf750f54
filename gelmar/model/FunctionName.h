// Function references: a type letter and two digits ("T01") stored in a
// 4-byte field; the digits "00" mean that no function is referred to.
#pragma once
#include <cstring>
#include <string_view>

namespace gelmar {

struct FunctionName {
    char text[4] = {};

    FunctionName() = default;
    // Keeps at most the first three characters.
    explicit FunctionName(std::string_view name) { Set(name); }

    void Set(std::string_view name)
    {
        std::memset(text, 0, sizeof text);
        std::memcpy(text, name.data(), name.size() < 3 ? name.size() : 3);
    }
    std::string_view View() const { return {text, std::strlen(text)}; }
    // True for "T00" style names and for texts too short to name a function.
    bool IsNone() const { return std::strlen(text) < 3 || (text[1] == '0' && text[2] == '0'); }
    bool operator==(const FunctionName& o) const { return View() == o.View(); }
};

} // namespace gelmar

// The colour files shared by the programs: a value colour scale ("N count"
// then one "C red green blue" line per entry, as "RainbowColor.rgb" and
// "RainbowGray.rgb" hold it) with the colour of a fraction along it, and the
// display colours of the 256 model colours ("MatColor.rgb": the n-th line
// starting with "C" gives colour n). The readers report what went wrong;
// each program shows its own message.
#pragma once
#include "platform/core/Types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace common {

struct ColourScale {
    std::vector<std::array<std::uint8_t, 3>> entries; // red, green, blue
};

// Light grey, the colour of values outside the scale.
constexpr COLORREF kOutsideScaleColour = 0xDFDFDF;

// Colour of a fraction 0..1 of the scale, interpolated between neighbouring
// entries (an entry itself within 0.001 of it); kOutsideScaleColour without
// entries or outside 0..1.
COLORREF ValueToColour(const ColourScale& scale, float fraction);

enum class ColourFileStatus { Ok, OpenFailed, SyntaxError };
struct ColourFileResult {
    ColourFileStatus status = ColourFileStatus::Ok;
    int line = 0; // the offending line of a syntax error
};

// Replaces the scale by the file's entries. A missing count, a second count,
// a bad or surplus entry, fewer entries than counted or an over-long line is
// a syntax error at the line reached; the entries read before it stay.
ColourFileResult LoadColourScaleFile(const std::string& path, ColourScale& scale);
// The fills' scale of a program: "RainbowColor.rgb" (or "RainbowGray.rgb"
// with grey) of the program folder, as LoadColourScaleFile reads it; a file
// that cannot be opened is EngineError FileOpen, a bad line EngineError
// Syntax, each with the path.
void LoadProgramColourScale(const std::string& programFolder, bool grey, ColourScale& scale);

// The display colours of a material colour file: entry n for the n-th colour
// line (at most 256), empty where that line does not hold three values
// 0..255. Empty list when the file cannot be opened.
std::vector<std::optional<COLORREF>> ReadMaterialColourFile(const std::string& path);

// Joins a folder and a file name.
std::string JoinPath(const std::string& folder, const std::string& name);

} // namespace common

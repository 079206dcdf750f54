// The loaded colour scale that fills results, and the colour files read from
// the program folder: "MatColor.rgb" and the scales "RainbowColor.rgb" and
// "RainbowGray.rgb".
#pragma once
#include "platform/core/Types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gelmar {

struct ColourScale {
    std::vector<std::array<std::uint8_t, 3>> entries; // red, green, blue
};
extern ColourScale g_colourScale;

// Colour of a fraction 0..1 of the scale, interpolated between entries;
// light grey 0xDFDFDF without a scale or outside 0..1.
COLORREF ValueToColour(float fraction);
COLORREF ValueToColour(const ColourScale& scale, float fraction);
void FreeColourScale();

// Loads "RainbowGray.rgb" (grey set) or "RainbowColor.rgb" from the folder.
// A missing file reports "Failed to open file", a bad one a syntax error;
// entries read before an error stay loaded. False on either failure.
bool LoadColourScale(const std::string& programFolder, bool grey);

// Gives all 256 colours their defaults, then reads their display colours
// from "MatColor.rgb" in the folder when it exists (never a message).
void LoadMaterialColours(const std::string& programFolder);

// Joins a folder and a file name.
std::string JoinPath(const std::string& folder, const std::string& name);

} // namespace gelmar

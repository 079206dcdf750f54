// Gelmar's colour scale that fills results, and its colour files read from
// the program folder: "MatColor.rgb" and the scales "RainbowColor.rgb" and
// "RainbowGray.rgb" (the readers and the lookup are common/core's).
#pragma once
#include "common/core/ColourScale.h"
#include "platform/core/Types.h"

#include <string>

namespace gelmar {

using common::ColourScale;
using common::JoinPath;
using common::ValueToColour;
extern ColourScale& g_colourScale; // transitional

// Colour of a fraction 0..1 of Gelmar's scale, interpolated between entries;
// light grey 0xDFDFDF without a scale or outside 0..1.
COLORREF ValueToColour(float fraction);
void FreeColourScale();

// Loads "RainbowGray.rgb" (grey set) or "RainbowColor.rgb" from the folder.
// A missing file reports "Failed to open file", a bad one a syntax error;
// entries read before an error stay loaded. False on either failure.
bool LoadColourScale(const std::string& programFolder, bool grey);

// Gives all 256 colours their defaults, then reads their display colours
// from "MatColor.rgb" in the folder when it exists (never a message).
void LoadMaterialColours(const std::string& programFolder);

} // namespace gelmar

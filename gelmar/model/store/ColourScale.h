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

class EngineHost;
struct ModelStore;

// Loads "RainbowGray.rgb" (grey set) or "RainbowColor.rgb" from the folder
// into the scale. A missing file reports "Failed to open file", a bad one a
// syntax error; entries read before an error stay loaded. False on either
// failure.
bool LoadColourScale(ColourScale& scale, EngineHost& host, const std::string& programFolder, bool grey);

// Gives all 256 colours of the model their defaults, then reads their display
// colours from "MatColor.rgb" in the folder when it exists (never a message).
void LoadMaterialColours(ModelStore& m, const std::string& programFolder);

} // namespace gelmar

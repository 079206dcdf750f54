// The colour files in the program folder: the display colours of the 256
// colours ("MatColor.rgb") and the value colour scales of the outputs
// ("RainbowColor.rgb", "RainbowGray.rgb"), read by the shared readers of
// common/core.
#pragma once
#include "common/core/ColourScale.h"
#include "parven/model/store/ShapeModel.h"

#include <string>

namespace parven {

// The start-up colour table: every colour with its defaults (black, not in
// use, shown, MATERIAL, rule 0, no name, pattern 16, mesh size 100 and the
// default values), then the k-th "C" line of "MatColor.rgb" gives colour k
// its display colour when it holds three values 0..255 (a bad line still
// uses up its colour). A missing file leaves every colour black.
ColourTable LoadMaterialColours(const std::string& programFolder);

// Replaces the scale by "RainbowGray.rgb" (grey) or "RainbowColor.rgb":
// EngineError FileOpen ("Cannot open file %s", the outputs then paint light
// grey) or Syntax at the line where a count or colour fails (the colours
// before it kept).
void LoadColourScale(const std::string& programFolder, bool grey, common::ColourScale& scale);

} // namespace parven

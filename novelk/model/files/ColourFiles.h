// The colour files in the program folder: the display colours of the 256
// model colours ("MatColor.rgb") and the value colour scales of the outputs
// ("RainbowColor.rgb", "RainbowGray.rgb"), read by the shared readers.
#pragma once
#include "common/core/ColourScale.h"
#include "novelk/model/store/ModelStore.h"

#include <string>

namespace novelk {

// Gives every colour its defaults (black, not in use, shown, MATERIAL, rule 0,
// no name, pattern 16, the default values), then the n-th colour line of
// "MatColor.rgb" gives colour n its display colour. A missing file or a bad
// line leaves colours black; nothing is reported.
void LoadMaterialColours(ModelStore& m, const std::string& programFolder);

// Loads "RainbowGray.rgb" (grey) or "RainbowColor.rgb" into the scale:
// EngineError FileOpen or Syntax (at its line) on failure, the entries read
// before a bad line kept.
void LoadColourScale(const std::string& programFolder, bool grey, common::ColourScale& scale);

} // namespace novelk

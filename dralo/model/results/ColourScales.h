// The colour scale of the temperature and flux fills: "RainbowColor.rgb" or
// "RainbowGray.rgb" from the program's folder.
#pragma once
#include "common/core/ColourScale.h"

#include <string>

namespace dralo {

// Replaces the scale by the file's entries; returns the message to show
// ("Failed to open file", "Syntax error in file ... Line n"), empty when the
// file was read whole. Entries read before a bad line stay.
std::string LoadColourScale(const std::string& programFolder, bool gray, common::ColourScale& scale);

} // namespace dralo

// The model's settings as one key table (common/core/KeyTable.h): each
// data-file key with the setting it fills, the range its value must meet and
// its reset value (a constant, or the program default of "Parven.prm"). The
// data-file reader checks and stores through it, the writer writes through it
// in its order, and ResetModel takes its values from it.
#pragma once
#include "common/core/KeyTable.h"
#include "parven/model/store/ProgramParameters.h"
#include "parven/model/store/ShapeModel.h"

#include <span>
#include <string_view>

namespace parven {

using SettingKey = common::KeyEntry<ModelSettings, ProgramParameters>;

// The settings in the order the writer writes them; "vwpt=" last.
std::span<const SettingKey> SettingKeys();
// The entry of a key (five characters, any case), nullptr for another key.
const SettingKey* FindSettingKey(std::string_view key);
// Every setting back to its reset value.
void ResetSettings(ModelSettings& s, const ProgramParameters& defaults);

} // namespace parven

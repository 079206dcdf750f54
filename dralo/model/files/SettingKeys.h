// The plain settings of the data file as key tables: each key with its
// field, the range the reader checks and the value a reset gives it. The
// reader checks and stores through them, the writer writes them in their
// order, and the model resets take their values from them, so the three
// cannot disagree. The calculation parameters and display settings are reset
// from the program defaults ("Dralo.prm"), the report settings to constants.
#pragma once
#include "common/core/KeyTable.h"
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/ProgramParameters.h"

#include <span>

namespace dralo {

using CalcKey = common::KeyEntry<CalcParameters, ProgramParameters>;
using DisplayKey = common::KeyEntry<DisplaySettings, ProgramParameters>;
using ReportKey = common::KeyEntry<ReportSettings>;

// `rays` .. `dtas`, reset from the program defaults.
std::span<const CalcKey> CalcKeys();
// `crob` .. `qin2`, reset from the program defaults' line colours and widths
// (`lcob` for `crob`...) and ranges.
std::span<const DisplayKey> DisplayKeys();
// The derived-result settings `rptf` .. `difr`: a side value below 0 or a
// distance number below 1 is skipped, not an error (and never written).
std::span<const ReportKey> ReportOptionKeys();
// The enforced border U values `ulfc` .. `ubfc`: 0 (none) is not written, and
// a value of 0 or below is skipped.
std::span<const ReportKey> BorderUKeys();

// Copies the program defaults into the model's calculation parameters and
// display settings (the first 38 values of "Dralo.prm").
void ApplyParameterDefaults(BitmapModel& m, const ProgramParameters& p);

} // namespace dralo

// Import of the older data format (".dat"): three-letter keys, a colour in
// one or two lines, code-page-850 text, and old colour names that stand for
// cavity and surface rules.
#pragma once
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/ProgramParameters.h"

#include <string>

namespace dralo {

class EngineHost;

// Reads the file into the model, reset first as for a data file (the title
// emptied); its bitmap is named by `bmp`. A value that does not parse, is
// out of its range (a colour above 255, a kind above 4) or is one the data
// file would refuse is skipped; a number from 1e-21 to 1e-19 in a colour
// line keeps the field's previous value. A line longer than a line may be
// ends the reading with message 261 (what came before stays). A file that
// cannot be opened is EngineError FileOpen with the path, nothing changed;
// once it is open, the working folder's temporary result files go.
void ReadOldDataFile(BitmapModel& m, const std::string& path, const ProgramParameters& defaults,
                     const std::string& workFolder, EngineHost& host);
// Old colour names of rules: for MATERIAL "CEN_Xy_I", "CEN_Yx_I",
// "CEN_Xy_E", "CEN_Yx_E" make an EQUIMAT with rule 1..4; for BC_FREE
// "CEN_Xy_I", "CEN_Yx_I", "CEN_CON" give rule 1..3; for BC_SKY and BC_NOSKY
// "CEN_CON" gives rule 1. Names compared without regard to case; a matched
// name is emptied.
void MapOldColourName(ColourRecord& c);

} // namespace dralo

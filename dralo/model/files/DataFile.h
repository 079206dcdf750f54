// The Dralo data file (".drl"): the model's title, the name of its bitmap,
// the colours' properties, the borderline BCs, the distances, the
// calculation parameters, the display settings of the outputs and the report
// settings, as "key=value" lines. Read in three ways (opening a model, the
// start-up default file read quietly, a template that takes only the colour
// and bitmap keys) and written by Save.
#pragma once
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/ProgramParameters.h"

#include <array>
#include <string>

namespace dralo {

class EngineHost;

enum class ReadStatus {
    Read,        // the whole file was read
    SyntaxError, // reading stopped at a bad line; what came before it stays
};

// The three ways of reading a data file.
enum class ReadMode {
    Open,     // a model opened: the working folder's temporary result files
              // are removed and the model is reset (ResetModelForRead) once
              // the file is open
    Quiet,    // as Open, without messages (the start-up default file)
    Template, // only `bmpf`, `name`, `colr`, `patt`, `type`, `rule` and
              // `lamb` .. `con3` are taken; nothing is removed or reset
};

// Reads the file at path into the model. A file that cannot be opened is
// EngineError FileOpen with the path, nothing changed. Messages (none when
// quiet): 261 with the file and line at the first bad line, after 262 or 263
// for a count above its capacity. `bmpf` names the bitmap in the data
// file's folder.
ReadStatus ReadDataFile(BitmapModel& m, const std::string& path, ReadMode mode, const ProgramParameters& defaults,
                        const std::string& workFolder, EngineHost& host);

// The state a model read starts from: program defaults, no title and no
// bitmap path, no colour present (the flow directions and cavity results
// cleared, the other colour values kept), the report definition and the
// model options reset, no enforced border U value.
void ResetModelForRead(BitmapModel& m, const ProgramParameters& defaults);
// No distances and no borderline BCs; the derived-result settings at their
// defaults; the bitmap view's stored settings cleared.
void ResetModelOptions(BitmapModel& m);
// Each graphic-report entry: flag bits 0..6 cleared (bit 7 kept), fill 0.
void ResetReportDefinition(BitmapModel& m);

// The bytes of the model's data file: every key the reader accepts, in an
// order it accepts (each count and selector before the lines it governs,
// `tris` before `tric`), the colours that differ from the start-up colour
// table (which `tris` has given its mesh size), long titles over several
// `titl` lines, floats in their shortest exact form, CRLF line ends,
// Windows-1252 text. The same model always gives the same bytes, and reading
// them into a program started with that colour table gives the model back.
std::string FormatDataFile(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours);
// Writes them to path, replacing the file only once written whole;
// EngineError FileOpen with the path when it cannot be written (the old file
// stays).
void WriteDataFile(const BitmapModel& m, const std::array<ColourRecord, kColourCount>& startupColours,
                   const std::string& path);

// "<folder of path><name>.bmp": where a data file's `bmpf` name lies.
std::string BitmapPathBeside(const std::string& dataFilePath, const std::string& name);

} // namespace dralo

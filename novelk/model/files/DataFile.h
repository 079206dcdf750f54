// The Novelk data file (".nvk"): the whole model as keyed text lines, read
// into the model store in one of three modes and written from it.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/ProgramParameters.h"

#include <string>

namespace novelk {

class EngineHost;
struct RunState;

enum class ReadMode {
    Open,    // replaces the model (File Open, the start-up model, batch runs)
    Preview, // the grid, colours and blocks up to the view point (the preview pane's own store)
    Insert,  // adds the file's colours, widths and blocks to the model (Insert File)
};

// Reads the file at path into the model.
//  - Open and Insert first remove the temporary result files of the working
//    folder; Open then frees the run's arrays, resets the model to the
//    defaults and makes path the model's data-file path.
//  - Insert: colours the model uses keep their values; the file's blocks are
//    appended from the block base (the old count) with coordinates, scaled by
//    the ratio of the grid units, for the caller to rebuild the grid from.
// The file is opened before anything changes: one that cannot be read throws
// EngineError FileOpen and leaves the model and the result files as they were.
// A bad value throws EngineError Syntax at its line; what was read before it
// stays, except that no block, node BC or area box is ever kept outside its
// grid, and a failed insert takes its blocks back out.
void ReadDataFile(ModelStore& m, RunState& run, const ProgramParameters& defaults, EngineHost& host,
                  const std::string& path, ReadMode mode);

// The bytes of the model's data file: every key the reader accepts, in an
// order it accepts, each count or selector before the keys that depend on it,
// every value of every colour in use, numbers in their shortest exact form,
// CRLF line ends, Windows-1252 text. The same model always gives the same bytes.
std::string FormatDataFile(const ModelStore& m);
// Writes them to path, replacing the file only once written whole;
// EngineError FileOpen when it cannot be written.
void WriteDataFile(const ModelStore& m, const std::string& path);

} // namespace novelk

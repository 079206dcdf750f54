// The Parven data file (".pvn"): the whole model as keyed text lines, read in
// three modes and written back by Save.
//
// A read is all or nothing: a full read fills a fresh model from the
// program's start-up state (the defaults of "Parven.prm", the colours of
// "MatColor.rgb"), a merge works on a copy of the model, and only a read that
// succeeds replaces the model (and removes the last model's "tmp.sol" and
// "tmp.flx"); a failure leaves everything as it was.
#pragma once
#include "parven/model/store/EngineHost.h"
#include "parven/model/store/ProgramParameters.h"
#include "parven/model/store/RunStates.h"
#include "parven/model/store/ShapeModel.h"

#include <string>

namespace parven {

enum class ReadMode {
    Open,  // replaces the model (File Open, the start-up model, batch runs)
    Merge, // adds the file's colours and blocks to the model (Insert File)
};

// Reads the file at path into the model (Open: path becomes its data-file
// path). Colours used by the model keep their values and names in a merge.
// After the lines: the used colours marked, the new blocks' corners derived
// and their STL files read (a missing one is named through the host, the
// block keeping its name), the grid's coordinates computed or a minimum grid
// built where an axis has no cells, the areas computed; the mesh and run
// states start afresh. EngineError FileOpen ("Cannot open file %s") when the
// file cannot be read, Syntax ("Syntax error in file %s, line %d") at the
// first bad line: a value out of its range or missing, a key whose record is
// not selected, a count above 65534 (grid and lists) or above what the file
// could describe, a width beyond its axis's count, a line over 255
// characters.
void ReadDataFile(ShapeModel& m, MeshState& mesh, RunState& run, const ProgramParameters& defaults,
                  const ColourTable& startColours, const std::string& path, ReadMode mode, EngineHost& host);

// The file-open preview: reads the colour, block and view-angle lines of the
// file into a model of its own, stopping at the view angles once a block
// count was read, with the corners derived and the STL files read. False,
// the preview model unchanged and nothing said, when the file cannot be read.
bool ReadPreview(ShapeModel& preview, const ProgramParameters& defaults, const ColourTable& startColours,
                 const std::string& path);

// The bytes of the model's data file: every setting, the whole record of
// every colour in use or unlike its start-up record, the grid, the lists,
// the areas and U-value rows, the blocks with their defining points, then
// the view angles (where a preview stops); each count or selecting key before
// the keys that depend on it, numbers at full precision, no line over 255
// characters (a long title over several "titl=" lines), CRLF line ends,
// Windows-1252 text. The same model always gives the same bytes.
std::string FormatDataFile(const ShapeModel& m, const ColourTable& startColours);

// Save: the STL blocks whose triangles no longer match their files are
// written as new binary STL files beside path first (WriteChangedStlBlocks),
// then the data file, which replaces the file at path only once written
// whole. EngineError FileOpen when a file cannot be written.
void SaveDataFile(ShapeModel& m, const ColourTable& startColours, const std::string& path);

} // namespace parven

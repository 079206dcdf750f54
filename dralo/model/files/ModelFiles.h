// Opening and saving a model as the document does: the program's start-up
// (colour table, default data file, parameter file), a file opened by its
// extension (.drl with its bitmap, .bmp, old .dat, .dxf), and Save's writing
// of the bitmap and the data file.
#pragma once
#include "dralo/model/editing/EditSession.h"
#include "dralo/model/import/DxfImport.h"

#include <array>
#include <string>

namespace dralo {

using ColourTable = std::array<ColourRecord, kColourCount>;

inline constexpr const char* kDefaultDataFileName = "Dralo.drl";

// Start-up: the colour table at its defaults, the program folder's
// "Dralo.drl" read quietly (a missing file is skipped; the working folder's
// temporary result files go when it is read), "Dralo.prm" read (a missing
// file keeps the built-in values) and its defaults applied to the model.
// Returns the colour table as the default data file left it, against which
// Save writes the colours.
ColourTable StartUp(BitmapModel& m, ProgramParameters& parameters, SessionSettings& session,
                    const std::string& programFolder, const std::string& workFolder, EngineHost& host);

// Opens the file by its extension (compared without regard to case): the
// model's data file becomes the path with ".drl". A .drl file reads its
// data and then its bitmap (a syntax error is shown and the rest opens); a
// .bmp file keeps the colour table and takes the bitmap; a .dat file reads
// the old format and its bitmap; a .dxf file is imported. The document is
// modified after all but a .drl file. A model without distances gets the
// frame method's distances; the undo list starts with a base snapshot.
// The working folder's temporary result files go once the file is open.
// False when the file or its bitmap cannot be read (its message shown).
bool OpenModelFile(EditSession& s, const std::string& path, DxfImportState& dxf, const std::string& workFolder);

// Save: writes the bitmap to the model's bitmap path and the data file to
// its data-file path, each replacing its file only once written whole. On
// success the bitmap window's mark is cleared, the document is not
// modified and the undo list starts again with a base snapshot. On failure
// message 260 names the file, and the model stays modified.
bool SaveModelFiles(EditSession& s, const ColourTable& startupColours);

// The path with its extension replaced (or added): "a/b.bmp", ".drl" -> "a/b.drl".
std::string ReplaceExtension(const std::string& path, const std::string& extension);

} // namespace dralo

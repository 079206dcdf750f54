// STL files: reading a file into the mesh (its ASCII "vertex" lines, or else
// the binary form: an 80-byte header, a 32-bit triangle count and 50-byte
// facets), reading an STL block's file beside the data file, and at Save
// writing the blocks whose geometry no longer matches their file as binary
// STL files of new names. Every triangle is stored with its second and third
// vertex exchanged relative to the file; the writer exchanges them back.
#pragma once
#include "parven/model/store/EngineHost.h"
#include "parven/model/store/ShapeModel.h"

#include <string>

namespace parven {

// Reads the file's triangles onto the end of the mesh and joins the new
// vertices. The ASCII pass reads "vertex x y z" lines (leading spaces
// skipped, tabs not), three vertices a triangle across the file; when it
// finds no vertex or a bad one, what it added is taken back and the file is
// read as binary STL (a count that the file's size cannot hold fails before
// anything is read). Non-finite coordinates fail the file. A facet with two
// equal corners adds no triangle. False, the mesh as it was, when neither
// form can be read.
bool ReadStlFile(StlMesh& mesh, const std::string& path);

// The STL file of a base name beside the data file: "NAME.stl", or
// "NAME.STL" where only that exists.
std::string StlFilePath(const std::string& dataFilePath, std::string_view name);

// Reads block i's file into new triangles of the model's mesh and gives the
// block the run; clears its filled mark. A block without a name reads
// nothing. A file that is missing or cannot be read leaves the block without
// triangles but with its name (Save keeps the reference) and says "Cannot
// open file %s" through the host; false then.
bool ReadBlockStl(ShapeModel& m, std::size_t i, const std::string& dataFilePath, EngineHost& host);

// Writes triangles first..first+count of the mesh as a binary STL file,
// replacing the file only once it is written whole; false when it cannot be.
bool WriteBinaryStl(const StlMesh& mesh, std::size_t first, std::size_t count, const std::string& path);

// Before the model is saved to dataFilePath: every STL block with triangles
// whose file beside dataFilePath does not hold exactly its triangles (moved
// geometry, another folder, a file changed or gone) is written as a binary
// STL file of a new name ("NAME-1", "NAME-2"...; never over an existing
// file), which the block then names. EngineError FileOpen when such a file
// cannot be written.
void WriteChangedStlBlocks(ShapeModel& m, const std::string& dataFilePath);

} // namespace parven

// The Gelmar data file (".glm"): the whole model as keyed text lines, read
// into the model store and written from it.
#pragma once
#include <string>

namespace gelmar {

// Reads the file named by the store's data-file path.
//  - open (false, false): resets the model and reads every key;
//  - preview (true, false): reads the grid, colours and blocks, up to the
//    view angles;
//  - insert (false, true): adds the colours, blocks and controls of the
//    file to the current model (colours the model uses stay unchanged).
// A file that cannot be opened leaves the model as it was and returns false;
// outside preview mode "Failed to open file" is reported. A bad line reports
// a syntax error at that line and returns false, keeping what was read.
bool ReadDataFile(bool preview, bool insert);

// Writes the model to the file: every key the reader accepts, in an order it
// accepts, numbers in a form that reads back exactly, CRLF line ends. The
// file is replaced only once written whole. False when it cannot be written.
bool WriteDataFile(const std::string& path);
// The bytes WriteDataFile writes.
std::string FormatDataFile();

} // namespace gelmar

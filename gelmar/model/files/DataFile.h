// The Gelmar data file (".glm"): the whole model as keyed text lines, read
// into a model and written from it.
#pragma once
#include <string>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct ParameterSet;

enum class ReadMode {
    Open,    // resets the model (to the parameter defaults) and reads every key
    Preview, // reads the grid, colours and blocks, up to the view angles
    Insert,  // adds the colours, blocks and controls of the file to the model
             // (colours the model uses stay unchanged)
};

// Reads the file into the model; the model's data-file path becomes the
// file's path with the extension ".glm". A file that cannot be opened leaves
// the model as it was and returns false; outside preview mode "Failed to open
// file" is reported through the host. A bad line reports a syntax error at
// that line and returns false, keeping what was read.
bool ReadDataFile(ModelStore& m, const std::string& path, ReadMode mode, const ParameterSet& defaults,
                  EngineHost& host);

// Writes the model to the file: every key the reader accepts, in an order it
// accepts, numbers in a form that reads back exactly, CRLF line ends. The
// file is replaced only once written whole. False when it cannot be written.
bool WriteDataFile(const ModelStore& m, const std::string& path);
// The bytes WriteDataFile writes.
std::string FormatDataFile(const ModelStore& m);

} // namespace gelmar

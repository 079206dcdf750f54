// The one model operation the application calls that has no engine part yet:
// reading a file of another program's format into the store. It is a
// replaceable function: the default says the import is not available; tests
// replace it with a fake importer.
#pragma once
#include <functional>
#include <string>

namespace gelmar {

struct ModelSeams {
    // Reads a file of another program's format into the store; false (after
    // a message) when it cannot.
    std::function<bool(const std::string& path)> importFile;
};

// The seams in use.
ModelSeams& Seams();
// Puts every seam back to its default.
void ResetSeams();

} // namespace gelmar

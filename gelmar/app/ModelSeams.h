// Replaceable functions between parts of the program. The one model
// operation the application calls that has no engine part yet: reading a
// file of another program's format into the store (the default says the
// import is not available; tests replace it with a fake importer). And the
// span of grid lines an axis table outlines in the 3D view.
#pragma once
#include <functional>
#include <string>

namespace gelmar {

// A box of grid-line indices that an axis table has the 3D view outline:
// lower and upper line per axis, and the table's axis (1 x, 2 y, 3 z).
struct GridSpan {
    int lo[3] = {};
    int hi[3] = {};
    int axis = 1;
};

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

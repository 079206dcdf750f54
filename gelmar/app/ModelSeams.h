// Replaceable functions between parts of the program. The one model
// operation the application calls that has no engine part yet: reading a
// file of another program's format into the store (the default says the
// import is not available; tests replace it with a fake importer). And what
// the 3D view asks of the open tables: the span an axis table outlines, the
// focused block, and the focus put on a block or a colour.
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

    // The span of the table of a linked-table kind (1 Grid, 4 Minimum Grid,
    // 6 Coordinates); false when that table is not open.
    std::function<bool(int linkedTable, GridSpan& span)> selectedSpan;
    // The block in the Blocks table's focused row; -1 when there is none.
    std::function<int()> focusedBlock;
    // The focus goes to the block (Blocks table) or to the colour (Colours
    // and Clip Colours tables) in the tables that are open.
    std::function<void(int block)> goToBlock;
    std::function<void(int colour)> goToColour;
};

// The seams in use.
ModelSeams& Seams();
// Puts every seam back to its default.
void ResetSeams();

} // namespace gelmar

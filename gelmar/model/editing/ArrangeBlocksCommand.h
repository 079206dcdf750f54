// Arrange Blocks on the model store: the store's blocks go to the block
// arrangement, whose result replaces the block list. The grid is not changed.
#pragma once
#include <cstdint>

namespace gelmar {

class EngineHost;
struct ModelStore;

// The modes of Convert Void to Blocks and Reduce to Clip.
struct ArrangeFlags {
    // Void mode: cells without a block become blocks of voidColour, appended
    // after the existing blocks.
    bool voidMode = false;
    std::uint8_t voidColour = 0;
    // Hidden-colour mode: cells whose colour is not shown (the colour's clip
    // visibility is 0) count as empty, so those blocks disappear.
    bool hiddenMode = false;
};

enum class ArrangeOutcome {
    Done,
    // The arrangement was refused (a message said why); the blocks are unchanged.
    Refused,
    // The working arrays could not be allocated; the blocks are unchanged and
    // the calling command reports "Not enough memory".
    OutOfMemory,
};

// Rebuilds the block list so that it paints the same colour into every cell
// with as few and as large blocks as can be found; mode 1 superposition
// (blocks may overlap, a later one wins), 0 juxtaposition (no overlaps).
ArrangeOutcome ArrangeBlocks(ModelStore& m, EngineHost& host, int mode, const ArrangeFlags& flags = {});

} // namespace gelmar

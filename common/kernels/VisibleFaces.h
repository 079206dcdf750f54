// The visible faces of a block model over explicit data: the six faces of
// every block inside a clip box, cut into pieces at the bounds of every block
// that touches them, then kept only where they separate a block from empty
// space or from a block of another colour. The 3D view's face list and the
// solar set-up both build on these two passes. Blocks and the clip box are
// only read; the doubled indices of the visibility probes live in local
// 32-bit values.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace kernels {

// A block as the face passes see it: colour and grid-line bounds (the block
// covers cells lo..hi-1 on each axis, x, y, z).
struct FaceBlock {
    int colour = 0;
    std::uint16_t lo[3] = {};
    std::uint16_t hi[3] = {};
};

// The clip box in grid-line indices, x, y, z.
struct FaceClip {
    std::uint16_t lo[3] = {};
    std::uint16_t hi[3] = {};
};

// Flag bits of a face piece.
constexpr std::uint8_t kFaceOrientation = 0x07;    // 0..5: x-min, x-max, y-min, y-max, z-min, z-max
constexpr std::uint8_t kFaceBetweenColours = 0x08; // the neighbour field names the block across
constexpr std::uint8_t kFaceHidden = 0x10;

// One piece of a block face; bounds x1, x2, y1, y2, z1, z2 with both bounds
// of the face's own axis equal.
struct BlockFacePiece {
    std::uint8_t flags = 0;
    std::int32_t block = 0;
    std::int32_t neighbour = 0;
    std::uint16_t bounds[6] = {};

    bool operator==(const BlockFacePiece&) const = default;
};

// The block's bounds clamped into the clip box; false when the block lies
// outside it or only touches it.
bool ClampBlockToClip(const FaceBlock& block, const FaceClip& clip, FaceBlock& clamped);

// Replaces faces by the faces of every block inside the clip box, in block
// order and orientations 0..5, cut so that every piece is covered uniformly
// by each block that touches it. Pieces cut off a face go to the end.
void CollectBlockFacePieces(std::span<const FaceBlock> blocks, const FaceClip& clip,
                            std::vector<BlockFacePiece>& faces);

// Keeps, in order, the pieces owned by the latest block at their place that
// border empty space (or the clip box surface) or a block of another colour;
// the latter get kFaceBetweenColours and the neighbour's index. wholeModel
// says that the clip box is the whole grid, so blocks are not clamped.
void KeepVisibleFacePieces(std::span<const FaceBlock> blocks, const FaceClip& clip, bool wholeModel,
                           std::vector<BlockFacePiece>& faces);

} // namespace kernels

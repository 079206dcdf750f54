// Face collection, cutting and the visibility probes (see VisibleFaces.h).
#include "common/kernels/VisibleFaces.h"

#include "common/kernels/BoxTree.h"

#include <algorithm>

namespace kernels {

namespace {

// A box tree over the blocks, with the given scale on every index (1 while
// faces are cut, 2 for the probes, whose odd values name cell middles).
void FillBlockTree(CBoxTree& tree, std::span<const FaceBlock> blocks, int scale)
{
    tree.Init(blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const FaceBlock& k = blocks[b];
        tree.AddBox(static_cast<std::int32_t>(b), scale * k.lo[0], scale * k.lo[1], scale * k.lo[2],
                    scale * k.hi[0], scale * k.hi[1], scale * k.hi[2]);
    }
    tree.Build();
}

// The latest block (highest index) whose box, in doubled indices, holds the
// probe strictly on all three axes; without wholeModel the probe must also lie
// strictly inside the clip box, as the block's clamped range would demand.
std::int32_t FindBlockAtProbe(const CBoxTree& tree, std::span<const FaceBlock> blocks, const FaceClip& clip,
                              bool wholeModel, const std::int32_t (&probe)[3])
{
    if (!wholeModel) {
        for (int a = 0; a < 3; ++a) {
            if (probe[a] <= 2 * clip.lo[a] || probe[a] >= 2 * clip.hi[a])
                return -1;
        }
    }
    std::int32_t found = -1;
    tree.VisitOverlaps(probe, probe, [&](std::int32_t b) {
        const FaceBlock& k = blocks[static_cast<std::size_t>(b)];
        bool inside = b > found;
        for (int a = 0; inside && a < 3; ++a)
            inside = 2 * k.lo[a] < probe[a] && probe[a] < 2 * k.hi[a];
        if (inside)
            found = b;
        return true;
    });
    return found;
}

} // namespace

bool ClampBlockToClip(const FaceBlock& block, const FaceClip& clip, FaceBlock& clamped)
{
    clamped.colour = block.colour;
    for (int a = 0; a < 3; ++a) {
        if (block.lo[a] >= clip.hi[a] || block.hi[a] <= clip.lo[a])
            return false;
        clamped.lo[a] = std::max(block.lo[a], clip.lo[a]);
        clamped.hi[a] = std::min(block.hi[a], clip.hi[a]);
    }
    return true;
}

void CollectBlockFacePieces(std::span<const FaceBlock> blocks, const FaceClip& clip,
                            std::vector<BlockFacePiece>& faces)
{
    faces.clear();
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        FaceBlock range;
        if (!ClampBlockToClip(blocks[b], clip, range))
            continue;
        for (int o = 0; o < 6; ++o) {
            BlockFacePiece f;
            f.flags = static_cast<std::uint8_t>(o);
            f.block = static_cast<std::int32_t>(b);
            for (int a = 0; a < 3; ++a) {
                f.bounds[2 * a] = range.lo[a];
                f.bounds[2 * a + 1] = range.hi[a];
            }
            // Collapse the face's own axis onto its side.
            const int axis = o / 2;
            if (o % 2 == 0)
                f.bounds[2 * axis + 1] = f.bounds[2 * axis];
            else
                f.bounds[2 * axis] = f.bounds[2 * axis + 1];
            faces.push_back(f);
        }
    }
    if (faces.empty())
        return;

    CBoxTree tree;
    FillBlockTree(tree, blocks, 1);
    std::vector<std::int32_t> touching;
    // Pieces appended by a cut are walked as well.
    for (std::size_t i = 0; i < faces.size(); ++i) {
        touching.clear();
        const std::int32_t lo[3] = {faces[i].bounds[0], faces[i].bounds[2], faces[i].bounds[4]};
        const std::int32_t hi[3] = {faces[i].bounds[1], faces[i].bounds[3], faces[i].bounds[5]};
        tree.VisitOverlaps(lo, hi, [&](std::int32_t b) {
            touching.push_back(b);
            return true;
        });
        for (const std::int32_t b : touching) {
            if (b == faces[i].block)
                continue;
            const FaceBlock& k = blocks[static_cast<std::size_t>(b)];
            bool touches = true;
            for (int a = 0; touches && a < 3; ++a)
                touches = k.lo[a] <= faces[i].bounds[2 * a + 1] && faces[i].bounds[2 * a] <= k.hi[a];
            if (!touches)
                continue;
            for (int a = 0; a < 3; ++a) {
                for (const std::uint16_t p : {k.lo[a], k.hi[a]}) {
                    if (faces[i].bounds[2 * a] < p && p < faces[i].bounds[2 * a + 1]) {
                        BlockFacePiece piece = faces[i];
                        piece.bounds[2 * a + 1] = p;
                        faces[i].bounds[2 * a] = p;
                        faces.push_back(piece);
                    }
                }
            }
        }
    }
}

void KeepVisibleFacePieces(std::span<const FaceBlock> blocks, const FaceClip& clip, bool wholeModel,
                           std::vector<BlockFacePiece>& faces)
{
    if (faces.empty())
        return;
    CBoxTree tree;
    FillBlockTree(tree, blocks, 2);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        BlockFacePiece f = faces[i];
        const int o = f.flags & kFaceOrientation;
        const int axis = o / 2;
        // Half a cell inside the owner, in the first cell of the piece.
        std::int32_t probe[3] = {2 * f.bounds[0] + 1, 2 * f.bounds[2] + 1, 2 * f.bounds[4] + 1};
        if (o % 2 == 1)
            probe[axis] -= 2;
        if (FindBlockAtProbe(tree, blocks, clip, wholeModel, probe) != f.block)
            continue; // a later block covers it
        // Half a cell across the face.
        probe[axis] += o % 2 == 1 ? 2 : -2;
        const std::int32_t across = FindBlockAtProbe(tree, blocks, clip, wholeModel, probe);
        f.flags &= static_cast<std::uint8_t>(~(kFaceBetweenColours | kFaceHidden));
        if (across >= 0) {
            if (blocks[static_cast<std::size_t>(across)].colour ==
                blocks[static_cast<std::size_t>(f.block)].colour)
                continue;
            f.neighbour = across;
            f.flags |= kFaceBetweenColours;
        }
        faces[kept++] = f;
    }
    faces.resize(kept);
}

} // namespace kernels

// The octree quantiser and the dithered mapping of pixels to its palette.
#include "common/core/ColourQuantizer.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <unordered_map>

namespace common {
namespace {

constexpr int kLevels = 6;

struct Node {
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t count = 0;  // non-zero: a leaf that is a palette colour
    std::uint64_t weight = 0; // pixels in the subtree
    BYTE childMask = 0;
    BYTE paletteIndex = 0;
};

struct HeapEntry {
    int level;
    int index;
};

class Octree {
  public:
    Octree()
    {
        for (int k = 0, n = 1; k < kLevels; ++k, n *= 8)
            m_nodes[k].resize(static_cast<std::size_t>(n));
        // The leaf index interleaves the top five bits of the channels, most
        // significant first, channel 0 highest in each group of three.
        for (int v = 0; v < 256; ++v)
            for (int bit = 0; bit < 5; ++bit)
                if (v & (0x80 >> bit))
                    for (int c = 0; c < 3; ++c)
                        m_interleave[c][v] |= 1 << (3 * (4 - bit) + (2 - c));
    }

    int LeafIndex(const BYTE* p) const
    {
        return m_interleave[0][p[0]] | m_interleave[1][p[1]] | m_interleave[2][p[2]];
    }
    Node& At(int level, int index) { return m_nodes[level][static_cast<std::size_t>(index)]; }

    void Add(const BYTE* p)
    {
        Node& leaf = At(kLevels - 1, LeafIndex(p));
        for (int c = 0; c < 3; ++c)
            leaf.sum[c] += p[c];
        ++leaf.count;
    }

    void Reduce(int colours)
    {
        // 1-based min-heap of the leaves by weight.
        std::vector<HeapEntry> heap(1);
        std::vector<Node>& leaves = m_nodes[kLevels - 1];
        for (int i = 0; i < static_cast<int>(leaves.size()); ++i) {
            if (leaves[static_cast<std::size_t>(i)].count == 0)
                continue;
            leaves[static_cast<std::size_t>(i)].weight = leaves[static_cast<std::size_t>(i)].count;
            heap.push_back({kLevels - 1, i});
            for (int level = kLevels - 2, index = i; level >= 0; --level) {
                const int child = index & 7;
                index >>= 3;
                Node& a = At(level, index);
                a.weight += leaves[static_cast<std::size_t>(i)].count;
                a.childMask = static_cast<BYTE>(a.childMask | (1 << child));
            }
        }
        std::size_t size = heap.size() - 1;
        for (std::size_t i = size; i >= 1; --i)
            SiftDown(heap, size, i);
        while (size > static_cast<std::size_t>(colours) && heap[1].level > 0) {
            const HeapEntry top = heap[1];
            const HeapEntry parent{top.level - 1, top.index >> 3};
            Node& child = At(top.level, top.index);
            Node& p = At(parent.level, parent.index);
            if (p.count != 0)
                heap[1] = heap[size--];
            else
                heap[1] = parent;
            p.count += child.count;
            for (int c = 0; c < 3; ++c)
                p.sum[c] += child.sum[c];
            child.count = 0;
            p.childMask = static_cast<BYTE>(p.childMask & ~(1 << (top.index & 7)));
            SiftDown(heap, size, 1);
        }
    }

    // Depth-first from the root, children 7 down to 0 before the node.
    void BuildPalette(int level, int index, std::vector<std::array<BYTE, 3>>& palette)
    {
        Node& n = At(level, index);
        if (level < kLevels - 1)
            for (int child = 7; child >= 0; --child)
                if (n.childMask & (1 << child))
                    BuildPalette(level + 1, index * 8 + child, palette);
        if (n.count != 0) {
            std::array<BYTE, 3> entry;
            for (int c = 0; c < 3; ++c)
                entry[static_cast<std::size_t>(c)] = static_cast<BYTE>((n.sum[c] + n.count / 2) / n.count);
            n.paletteIndex = static_cast<BYTE>(palette.size());
            palette.push_back(entry);
        }
    }

    // The index of the deepest node with pixels on the leaf's path.
    BYTE TreeIndex(int leaf)
    {
        BYTE result = 0;
        for (int level = 0; level < kLevels; ++level) {
            const Node& n = At(level, leaf >> (3 * (kLevels - 1 - level)));
            if (n.count != 0)
                result = n.paletteIndex;
        }
        return result;
    }

  private:
    void SiftDown(std::vector<HeapEntry>& heap, std::size_t size, std::size_t i)
    {
        const HeapEntry moving = heap[i];
        const std::uint64_t w = At(moving.level, moving.index).weight;
        while (2 * i <= size) {
            std::size_t child = 2 * i;
            if (child < size && At(heap[child + 1].level, heap[child + 1].index).weight <
                                    At(heap[child].level, heap[child].index).weight)
                ++child;
            if (w <= At(heap[child].level, heap[child].index).weight)
                break;
            heap[i] = heap[child];
            i = child;
        }
        heap[i] = moving;
    }

    std::vector<Node> m_nodes[kLevels];
    int m_interleave[3][256] = {};
};

const BYTE* PixelRow(const QuantizerInput& in, int y)
{
    const std::size_t stride = in.stride ? in.stride : 3 * static_cast<std::size_t>(in.width);
    return in.pixels + static_cast<std::size_t>(y) * stride;
}

// Serpentine error diffusion: each pixel is corrected by half the summed
// errors of its predecessor in the row and of the pixel above it; errors are
// limited to -20 ... 20. The nearest palette entry is looked up once per
// 15-bit colour cell, measured from the cell's centre.
void MapDithered(const QuantizerInput& in, const std::vector<std::array<BYTE, 3>>& palette, BYTE* out)
{
    std::vector<int> cache(32768, -1);
    std::vector<std::array<int, 3>> above(static_cast<std::size_t>(in.width), {0, 0, 0});
    for (int y = 0; y < in.height; ++y) {
        const BYTE* row = PixelRow(in, y);
        BYTE* dst = out + static_cast<std::size_t>(y) * static_cast<std::size_t>(in.width);
        const bool forward = (y % 2) == 0;
        std::array<int, 3> previous{0, 0, 0};
        for (int step = 0; step < in.width; ++step) {
            const int x = forward ? step : in.width - 1 - step;
            std::array<int, 3>& up = above[static_cast<std::size_t>(x)];
            int adjusted[3];
            for (int c = 0; c < 3; ++c)
                adjusted[c] = std::clamp(
                    row[3 * x + c] +
                        ((up[static_cast<std::size_t>(c)] + previous[static_cast<std::size_t>(c)]) >> 1),
                    0, 255);
            const int key = ((adjusted[0] >> 3) << 10) | ((adjusted[1] >> 3) << 5) | (adjusted[2] >> 3);
            if (cache[static_cast<std::size_t>(key)] < 0) {
                long best = 200000;
                int bestIndex = 0;
                for (std::size_t i = 0; i < palette.size(); ++i) {
                    long d = 0;
                    for (int c = 0; c < 3; ++c) {
                        const long diff =
                            palette[i][static_cast<std::size_t>(c)] - ((adjusted[c] & 0xF8) + 4);
                        d += diff * diff;
                    }
                    if (d < best) {
                        best = d;
                        bestIndex = static_cast<int>(i);
                    }
                }
                cache[static_cast<std::size_t>(key)] = bestIndex;
            }
            const int index = cache[static_cast<std::size_t>(key)];
            dst[x] = static_cast<BYTE>(index);
            for (int c = 0; c < 3; ++c) {
                const int error = std::clamp(
                    adjusted[c] - palette[static_cast<std::size_t>(index)][static_cast<std::size_t>(c)], -20,
                    20);
                up[static_cast<std::size_t>(c)] = error;
                previous[static_cast<std::size_t>(c)] = error;
            }
        }
    }
}

std::uint32_t Key(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
}

// When the picture has at most `colours` distinct colours, the palette is
// those colours (in ascending order of their value) and every pixel keeps
// its colour; false otherwise.
bool QuantizeExactly(const QuantizerInput& in, int colours, QuantizerResult& result)
{
    std::unordered_map<std::uint32_t, int> seen;
    for (int y = 0; y < in.height; ++y) {
        const BYTE* row = PixelRow(in, y);
        for (int x = 0; x < in.width; ++x)
            if (seen.emplace(Key(row + 3 * x), 0).second && static_cast<int>(seen.size()) > colours)
                return false;
    }
    std::vector<std::uint32_t> keys;
    for (const auto& [key, unused] : seen)
        keys.push_back(key);
    std::sort(keys.begin(), keys.end());
    result.palette.clear();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        seen[keys[i]] = static_cast<int>(i);
        result.palette.push_back(
            {static_cast<BYTE>(keys[i]), static_cast<BYTE>(keys[i] >> 8), static_cast<BYTE>(keys[i] >> 16)});
    }
    for (int y = 0; y < in.height; ++y) {
        const BYTE* row = PixelRow(in, y);
        BYTE* dst = result.indexes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(in.width);
        for (int x = 0; x < in.width; ++x)
            dst[x] = static_cast<BYTE>(seen[Key(row + 3 * x)]);
    }
    return true;
}

} // namespace

BOOL QuantizeColours(const QuantizerInput& in, int colours, bool dither, QuantizerResult& result)
{
    if (colours < 1 || colours > 256 || in.width <= 0 || in.height <= 0 || !in.pixels)
        return FALSE;
    try {
        result.indexes.assign(static_cast<std::size_t>(in.width) * static_cast<std::size_t>(in.height), 0);
        if (QuantizeExactly(in, colours, result))
            return TRUE;
        auto tree = std::make_unique<Octree>();
        for (int y = 0; y < in.height; ++y) {
            const BYTE* row = PixelRow(in, y);
            for (int x = 0; x < in.width; ++x)
                tree->Add(row + 3 * x);
        }
        tree->Reduce(colours);
        result.palette.clear();
        tree->BuildPalette(0, 0, result.palette);
        if (dither) {
            MapDithered(in, result.palette, result.indexes.data());
        } else {
            for (int y = 0; y < in.height; ++y) {
                const BYTE* row = PixelRow(in, y);
                BYTE* dst =
                    result.indexes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(in.width);
                for (int x = 0; x < in.width; ++x)
                    dst[x] = tree->TreeIndex(tree->LeafIndex(row + 3 * x));
            }
        }
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

} // namespace common

// Adding, joining, unsharing and freeing STL vertices and triangles.
#include "parven/model/stl/StlMesh.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <vector>

namespace parven {

namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

std::uint64_t HashOf(const StlVertex& v)
{
    // Adding 0 turns -0 into 0, which compares equal to it.
    const std::uint64_t x = std::bit_cast<std::uint32_t>(v.x + 0.0f);
    const std::uint64_t y = std::bit_cast<std::uint32_t>(v.y + 0.0f);
    const std::uint64_t z = std::bit_cast<std::uint32_t>(v.z + 0.0f);
    std::uint64_t h = x * 0x9E3779B97F4A7C15ULL;
    h = (h ^ (h >> 29) ^ y) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 31) ^ z) * 0x94D049BB133111EBULL;
    return h ^ (h >> 32);
}

} // namespace

std::uint32_t AddStlVertex(StlMesh& mesh, float x, float y, float z, std::size_t from)
{
    const StlVertex v{x, y, z};
    const std::size_t n = mesh.vertices.size();
    const std::size_t lowest = std::max(from, n >= 9 ? n - 9 : std::size_t{0});
    for (std::size_t i = n; i-- > lowest;)
        if (mesh.vertices[i] == v)
            return static_cast<std::uint32_t>(i);
    mesh.vertices.push_back(v);
    return static_cast<std::uint32_t>(n);
}

void AddStlTriangle(StlMesh& mesh, std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    if (a == b || b == c || a == c)
        return;
    mesh.triangles.push_back({{a, b, c}});
}

void MergeDuplicateVertices(StlMesh& mesh, std::size_t firstVertex, std::size_t firstTriangle)
{
    std::vector<StlVertex>& v = mesh.vertices;
    if (firstVertex >= v.size())
        return;
    const std::size_t count = v.size() - firstVertex;
    // Open addressing over the kept vertices (their new positions); every
    // vertex moves down to its new position before a later one is read, so
    // the table can point into the same array.
    const std::size_t slots = std::bit_ceil(2 * count);
    std::vector<std::uint32_t> table(slots, kNone);
    std::vector<std::uint32_t> newIndex(count);
    std::size_t next = firstVertex;
    for (std::size_t i = firstVertex; i < v.size(); ++i) {
        const StlVertex vertex = v[i];
        std::size_t s = HashOf(vertex) & (slots - 1);
        while (table[s] != kNone && !(v[table[s]] == vertex))
            s = (s + 1) & (slots - 1);
        if (table[s] == kNone) {
            v[next] = vertex;
            table[s] = static_cast<std::uint32_t>(next++);
        }
        newIndex[i - firstVertex] = table[s];
    }
    v.resize(next);
    for (std::size_t t = firstTriangle; t < mesh.triangles.size(); ++t)
        for (std::uint32_t& index : mesh.triangles[t].v)
            if (index >= firstVertex)
                index = newIndex[index - firstVertex];
}

void UnshareBlockVertices(StlMesh& mesh, const BlockRecord& block)
{
    const std::size_t first = block.firstTriangle, end = first + block.triangleCount;
    std::vector<std::uint32_t> newIndex(mesh.vertices.size(), kNone);
    std::vector<std::uint32_t> used; // old indices in the order of first use
    for (std::size_t t = first; t < end; ++t)
        for (std::uint32_t index : mesh.triangles[t].v)
            if (newIndex[index] == kNone) {
                newIndex[index] = static_cast<std::uint32_t>(mesh.vertices.size() + used.size());
                used.push_back(index);
            }
    mesh.vertices.reserve(mesh.vertices.size() + used.size());
    for (std::uint32_t index : used)
        mesh.vertices.push_back(mesh.vertices[index]);
    for (std::size_t t = first; t < end; ++t)
        for (std::uint32_t& index : mesh.triangles[t].v)
            index = newIndex[index];
}

void FreeStlData(StlMesh& mesh)
{
    mesh = StlMesh{};
}

bool SameTriangles(const StlMesh& a, std::size_t firstA, const StlMesh& b, std::size_t firstB, std::size_t count)
{
    if (firstA + count > a.triangles.size() || firstB + count > b.triangles.size())
        return false;
    for (std::size_t t = 0; t < count; ++t)
        for (int k = 0; k < 3; ++k)
            if (!(a.vertices[a.triangles[firstA + t].v[k]] == b.vertices[b.triangles[firstB + t].v[k]]))
                return false;
    return true;
}

} // namespace parven

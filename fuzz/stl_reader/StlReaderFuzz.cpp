// libFuzzer target for the STL reader: the input is read as an STL file onto
// a mesh that already holds a cube. A read that fails must leave the mesh as
// it was; one that succeeds must add triangles over valid, distinct vertex
// indices with finite coordinates, and its run written as a binary STL file
// must read back to the same triangles. Any crash or sanitizer finding is a
// fault.
#include "fuzz/FuzzInput.h"
#include "parven/model/stl/StlFiles.h"
#include "parven/model/stl/StlMesh.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

parven::StlMesh CubeMesh()
{
    parven::StlMesh m;
    for (int i = 0; i < 8; ++i)
        m.vertices.push_back({float(i & 1), float((i >> 1) & 1), float(i >> 2)});
    const std::uint32_t t[12][3] = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6}, {0, 1, 4}, {1, 5, 4},
                                    {2, 6, 3}, {3, 6, 7}, {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
    for (const auto& v : t)
        m.triangles.push_back({{v[0], v[1], v[2]}});
    return m;
}

bool Valid(const parven::StlMesh& m, std::size_t firstTriangle)
{
    for (std::size_t t = firstTriangle; t < m.triangles.size(); ++t) {
        const std::uint32_t* v = m.triangles[t].v;
        if (v[0] >= m.vertices.size() || v[1] >= m.vertices.size() || v[2] >= m.vertices.size())
            return false;
        if (v[0] == v[1] || v[1] == v[2] || v[0] == v[2])
            return false;
        for (int k = 0; k < 3; ++k) {
            const parven::StlVertex& p = m.vertices[v[k]];
            if (!(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::EnterOwnFolder();
    static const std::string path = fuzz::OwnFileName(".stl");
    static const std::string written = fuzz::OwnFileName("-written.stl");
    if (!fuzz::WriteInput(path, data, size))
        return 0;
    const parven::StlMesh before = CubeMesh();
    parven::StlMesh mesh = before;
    if (!parven::ReadStlFile(mesh, path)) {
        if (!(mesh.vertices == before.vertices && mesh.triangles == before.triangles))
            __builtin_trap();
        return 0;
    }
    const std::size_t first = before.triangles.size(), count = mesh.triangles.size() - first;
    if (!Valid(mesh, 0))
        __builtin_trap();
    parven::StlMesh back;
    if (!parven::WriteBinaryStl(mesh, first, count, written) || !parven::ReadStlFile(back, written) ||
        back.triangles.size() != count || !parven::SameTriangles(mesh, first, back, 0, count))
        __builtin_trap();
    std::remove(written.c_str());
    return 0;
}

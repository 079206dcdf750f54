// The STL vertices and triangles of a model's STL blocks: adding them as a
// file is read, joining vertices of equal coordinates, giving one block
// private copies of its vertices before a transform moves them, and freeing
// them. Coordinates are compared exactly (as floats: -0 equals 0), so two
// coordinates that differ in their last bit stay two vertices.
#pragma once
#include "parven/model/store/ShapeModel.h"

#include <cstddef>
#include <cstdint>

namespace parven {

// The index of a vertex equal to (x, y, z) among the last nine from `from`
// on, newest first; else the index of a new vertex appended for it.
std::uint32_t AddStlVertex(StlMesh& mesh, float x, float y, float z, std::size_t from);
// Appends the triangle unless two of its indices are equal.
void AddStlTriangle(StlMesh& mesh, std::uint32_t a, std::uint32_t b, std::uint32_t c);

// Joins the vertices from firstVertex on that have equal coordinates: the
// lowest index of each group stands for it, the others go, the rest move down
// in their order, and the triangles from firstTriangle on are renumbered (no
// triangle before it may use a vertex from firstVertex on). The vertices
// before firstVertex are left alone: after a read only its new vertices are
// joined; a merge over the whole mesh (both 0) joins vertices across blocks.
// Triangles are never removed.
void MergeDuplicateVertices(StlMesh& mesh, std::size_t firstVertex = 0, std::size_t firstTriangle = 0);

// Gives the block a private copy of every vertex its triangles use, appended
// in the order of first use, and renumbers its triangles; the old vertices
// stay (unused ones go at the next merge).
void UnshareBlockVertices(StlMesh& mesh, const BlockRecord& block);

// Releases the vertices and triangles.
void FreeStlData(StlMesh& mesh);

// True when the block's run of triangles has, triangle by triangle, the same
// vertex coordinates as the run of another mesh.
bool SameTriangles(const StlMesh& a, std::size_t firstA, const StlMesh& b, std::size_t firstB, std::size_t count);

} // namespace parven

// What the 3D views draw, computed without OpenGL: triangles with a normal
// and a colour at every vertex (the surfaces, replayed from vertex arrays),
// and the primitives of the overlays (lines, strips, points and the few lit
// triangles of the North display), which the GL code only replays.
#pragma once
#include "platform/core/Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gelmar {

struct TriangleMesh {
    std::vector<float> positions;       // x, y, z per vertex
    std::vector<float> normals;         // x, y, z per vertex
    std::vector<std::uint8_t> colours; // red, green, blue, alpha per vertex

    std::size_t VertexCount() const { return positions.size() / 3; }
    void Clear()
    {
        positions.clear();
        normals.clear();
        colours.clear();
    }
    void Reserve(std::size_t vertices)
    {
        positions.reserve(3 * vertices);
        normals.reserve(3 * vertices);
        colours.reserve(4 * vertices);
    }
    void AddVertex(const float p[3], const float n[3], const std::uint8_t rgba[4])
    {
        positions.insert(positions.end(), p, p + 3);
        normals.insert(normals.end(), n, n + 3);
        colours.insert(colours.end(), rgba, rgba + 4);
    }
    void AddTriangle(const float a[3], const float b[3], const float c[3], const float n[3],
                     const std::uint8_t rgba[4])
    {
        AddVertex(a, n, rgba);
        AddVertex(b, n, rgba);
        AddVertex(c, n, rgba);
    }
    // Two triangles (a, b, c) and (a, c, d).
    void AddQuad(const float a[3], const float b[3], const float c[3], const float d[3], const float n[3],
                 const std::uint8_t rgba[4])
    {
        AddTriangle(a, b, c, n, rgba);
        AddTriangle(a, c, d, n, rgba);
    }
};

enum class PrimitiveKind { Lines, LineStrip, LineLoop, Triangles, Points };

// One overlay primitive: its vertices drawn in one colour at one line width
// (point size for points). Lit triangles carry a normal; smooth points are
// round and blended.
struct ScenePrimitive {
    PrimitiveKind kind = PrimitiveKind::Lines;
    float width = 1.0f;
    COLORREF colour = 0;
    bool lit = false;
    bool smooth = false;
    float normal[3] = {0, 0, 1};
    std::vector<float> vertices; // x, y, z per vertex

    void Add(const float p[3]) { vertices.insert(vertices.end(), p, p + 3); }
    void Add(double x, double y, double z)
    {
        vertices.push_back(static_cast<float>(x));
        vertices.push_back(static_cast<float>(y));
        vertices.push_back(static_cast<float>(z));
    }
};

// An overlay: primitives in drawing order, drawn without depth test.
using SceneOverlay = std::vector<ScenePrimitive>;

} // namespace gelmar

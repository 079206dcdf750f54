// The OpenGL side of the 3D views: the GL state every view sets up, the
// light, and the replay of what gelmar/graphics/core computes (matrices,
// triangle meshes, overlays, named quads of a selection pass). Each call
// needs the view's context current.
#pragma once
#include "gelmar/graphics/core/SceneMesh.h"
#include "gelmar/graphics/core/ScenePicking.h"
#include "gelmar/graphics/core/ViewMatrices.h"
#include "platform/ui/OpenGL.h"

#include <cstdint>
#include <vector>

namespace gelmar {

// The pixel format of the 3D views: double-buffered RGBA drawn to a window
// with OpenGL, 24 colour and 32 depth bits, nothing else.
PIXELFORMATDESCRIPTOR ViewPixelFormat();
// Sets the window's pixel format and creates its rendering context; a step
// that fails shows its message ("Could not select a compatible pixel
// format!", "Could not set a valid pixel format!", "Could not create
// rendering context!") and gives null.
HGLRC CreateViewContext(CDC* dc);

// White background, depth test, clockwise front faces, back faces culled.
void InitGLState();
// One directional light fixed to the viewer: ambient 0.6, diffuse 0.3, from
// (-1, 2, 2); vertex colours give the material's ambient and diffuse colour.
void SetupViewLighting();
// glLoadMatrixd into the projection or the model-view matrix.
void LoadProjection(const GlMatrix& m);
void LoadModelView(const GlMatrix& m);
// The triangles from vertex arrays in one glDrawArrays.
void DrawMesh(const TriangleMesh& mesh);
// The primitives in order, with depth test and lighting off (on again after).
void DrawOverlay(const SceneOverlay& overlay);

// A selection pass over the quads (two triangles each, each quad under its
// name, a base name below them): the number of hit records, their values in
// buffer. Culling off for cull == false.
int SelectQuads(const GlMatrix& projection, const GlMatrix& modelView, const std::vector<NamedQuad>& quads,
                std::uint32_t baseName, bool cull, std::size_t bufferNames, std::vector<std::uint32_t>& buffer);

} // namespace gelmar

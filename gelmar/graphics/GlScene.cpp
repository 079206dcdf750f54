// Replay of the 3D views' scene in OpenGL 1.1 (see GlScene.h).
#include "gelmar/graphics/GlScene.h"

#include "platform/ui/MessageBox.h"

#include <GL/gl.h>

#include <algorithm>

namespace gelmar {

PIXELFORMATDESCRIPTOR ViewPixelFormat()
{
    PIXELFORMATDESCRIPTOR pfd;
    pfd.nSize = 40;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 32;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

HGLRC CreateViewContext(CDC* dc)
{
    const PIXELFORMATDESCRIPTOR pfd = ViewPixelFormat();
    const int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0) {
        AfxMessageBox("Could not select a compatible pixel format!", MB_ICONSTOP);
        return nullptr;
    }
    if (!SetPixelFormat(dc, format, &pfd)) {
        AfxMessageBox("Could not set a valid pixel format!", MB_ICONSTOP);
        return nullptr;
    }
    HGLRC rc = wglCreateContext(dc);
    if (!rc)
        AfxMessageBox("Could not create rendering context!", MB_ICONSTOP);
    return rc;
}

void InitGLState()
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
}

void SetupViewLighting()
{
    static const GLfloat ambient[4] = {0.6f, 0.6f, 0.6f, 1.0f};
    static const GLfloat diffuse[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    static const GLfloat position[4] = {-1.0f, 2.0f, 2.0f, 0.0f};
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

void LoadProjection(const GlMatrix& m)
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(m.m);
}

void LoadModelView(const GlMatrix& m)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(m.m);
}

void DrawMesh(const TriangleMesh& mesh)
{
    const std::size_t n = mesh.VertexCount();
    if (n == 0)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, mesh.colours.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(n));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

namespace {

GLenum Mode(PrimitiveKind kind)
{
    switch (kind) {
    case PrimitiveKind::Lines:
        return GL_LINES;
    case PrimitiveKind::LineStrip:
        return GL_LINE_STRIP;
    case PrimitiveKind::LineLoop:
        return GL_LINE_LOOP;
    case PrimitiveKind::Triangles:
        return GL_TRIANGLES;
    case PrimitiveKind::Points:
        return GL_POINTS;
    }
    return GL_LINES;
}

} // namespace

void DrawOverlay(const SceneOverlay& overlay)
{
    glDisable(GL_DEPTH_TEST);
    for (const ScenePrimitive& p : overlay) {
        if (p.lit) {
            glEnable(GL_LIGHTING);
            glNormal3fv(p.normal);
        } else {
            glDisable(GL_LIGHTING);
        }
        if (p.kind == PrimitiveKind::Points) {
            glPointSize(p.width);
            if (p.smooth) {
                glEnable(GL_POINT_SMOOTH);
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                // The frame stays opaque: blending leaves its alpha alone.
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
            }
        } else {
            glLineWidth(p.width);
        }
        glColor3ub(static_cast<GLubyte>(GetRValue(p.colour)), static_cast<GLubyte>(GetGValue(p.colour)),
                   static_cast<GLubyte>(GetBValue(p.colour)));
        glBegin(Mode(p.kind));
        for (std::size_t v = 0; v + 3 <= p.vertices.size(); v += 3)
            glVertex3fv(&p.vertices[v]);
        glEnd();
        if (p.smooth) {
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            glDisable(GL_BLEND);
            glDisable(GL_POINT_SMOOTH);
        }
    }
    glLineWidth(1.0f);
    glPointSize(1.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

int SelectQuads(const GlMatrix& projection, const GlMatrix& modelView, const std::vector<NamedQuad>& quads,
                std::uint32_t baseName, bool cull, std::size_t bufferNames, std::vector<std::uint32_t>& buffer)
{
    // Room for one record (count, two depths, one name) per quad at least,
    // so that the buffer cannot overflow whatever the pick reaches.
    buffer.assign(std::max(bufferNames, 4 * quads.size() + 4), 0);
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    LoadProjection(projection);
    LoadModelView(modelView);
    glInitNames();
    glPushName(baseName);
    if (!cull)
        glDisable(GL_CULL_FACE);
    bool first = true;
    std::uint32_t current = 0;
    for (const NamedQuad& q : quads) {
        if (first || q.name != current) {
            glLoadName(q.name);
            current = q.name;
            first = false;
        }
        glBegin(GL_TRIANGLES);
        for (int v : {0, 1, 2, 0, 2, 3})
            glVertex3fv(q.corners[v]);
        glEnd();
    }
    if (!cull)
        glEnable(GL_CULL_FACE);
    return glRenderMode(GL_RENDER);
}

} // namespace gelmar

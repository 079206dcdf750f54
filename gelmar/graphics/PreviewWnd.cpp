// The File Open preview (see PreviewWnd.h).
#include "gelmar/graphics/PreviewWnd.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/graphics/GlScene.h"
#include "gelmar/graphics/GraphView.h"
#include "gelmar/graphics/core/SceneFaces.h"
#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/graphics/core/VisibleFaceList.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/EngineHost.h"

#include <GL/gl.h>


namespace gelmar {

CPreviewWnd::CPreviewWnd() = default;

CPreviewWnd::~CPreviewWnd()
{
    if (m_hRC)
        wglDeleteContext(m_hRC);
}

QWidget* CPreviewWnd::CreateSurfaceWidget(QWidget* parent)
{
    return platform::CreateOpenGLSurface(parent);
}

BOOL CPreviewWnd::Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(nullptr, text, style, rect, parent, id);
}

BOOL CPreviewWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x20;
    return CWnd::PreCreateWindow(cs);
}

int CPreviewWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CDC* dc = GetDC();
    m_hRC = CreateViewContext(dc);
    if (m_hRC) {
        platform::SetContextCreatedHandler(m_hRC, [] { InitGLState(); });
        if (wglMakeCurrent(dc, m_hRC)) {
            InitGLState();
            wglMakeCurrent(nullptr, nullptr);
        }
    }
    ReleaseDC(dc);
    // Without a context the window is only ever white; the message was shown.
    return 0;
}

bool CPreviewWnd::ReadPreviewModel()
{
    // The colours a file leaves unset keep the program's display colours.
    const Engine& e = TheEngine();
    m_model.colours = e.model.colours;
    const bool read = ReadDataFile(m_model, e.model.dataFilePath, ReadMode::Preview, e.parameters, Host());
    if (read) {
        CollectBlockFaces(m_model, m_view);
        if (m_view.faces.count > 0)
            BuildVisibleFaceList(m_model, m_view);
    }
    return read;
}

void CPreviewWnd::ClearFrame()
{
    if (!m_hRC || !wglMakeCurrent(m_hDC, m_hRC))
        return;
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers(m_hDC);
    wglMakeCurrent(nullptr, nullptr);
}

void CPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    m_cx = client.Width();
    m_cy = client.Height();
    m_hDC = &dc;
    if (!ReadPreviewModel() || m_view.faces.count <= 0 || m_cx <= 0 || m_cy <= 0) {
        ClearFrame();
    } else if (m_hRC && wglMakeCurrent(m_hDC, m_hRC)) {
        glViewport(0, 0, m_cx, m_cy);
        SetPerspective();
        CGraphView::SetupLighting();
        DrawPreview();
        wglMakeCurrent(nullptr, nullptr);
    }
    m_hDC = nullptr;
}

namespace {

// The preview's camera: the whole model at 60 degrees from the shared angles.
ViewCamera PreviewCamera(int cx, int cy)
{
    ViewCamera camera;
    camera.m_cx = cx;
    camera.m_cy = cy;
    return camera;
}

} // namespace

void CPreviewWnd::SetPerspective()
{
    LoadProjection(ProjectionMatrix(PreviewCamera(m_cx, m_cy), ModelViewExtent(m_model), false));
}

void CPreviewWnd::SetCamera()
{
    ViewCamera camera = PreviewCamera(m_cx, m_cy);
    const GlMatrix look = CameraMatrix(camera, ModelViewAngles(m_model), ModelViewExtent(m_model), false);
    for (int k = 0; k < 3; ++k) {
        m_eye[k] = camera.m_eye[k];
        m_focus[k] = camera.m_focus[k];
        m_up[k] = camera.m_up[k];
    }
    LoadModelView(look);
}

void CPreviewWnd::DrawPreview()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetCamera();
    if (m_view.faces.count > 0) {
        TriangleMesh mesh;
        EmitColourFaces(m_model, m_view.faces, mesh);
        DrawMesh(mesh);
    }
    SwapBuffers(m_hDC);
}

} // namespace gelmar

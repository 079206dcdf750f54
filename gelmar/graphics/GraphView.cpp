// The 3D view: its frame, the OpenGL set-up, the display list and the order
// in which a frame is drawn (see GraphView.h). What a frame holds comes from
// gelmar/graphics/core; the model is read through the accessors below only.
#include "gelmar/graphics/GraphView.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/graphics/GlScene.h"
#include "gelmar/graphics/GraphicOutputDlg.h"
#include "gelmar/graphics/GraphViewAccess.h"
#include "gelmar/graphics/core/SceneFaces.h"
#include "gelmar/graphics/core/SceneOverlays.h"
#include "gelmar/graphics/core/SunPath.h"
#include "gelmar/graphics/core/ValueReadout.h"
#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/graphics/core/VisibleFaceList.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"
#include "platform/core/StringTable.h"
#include "platform/ui/PrintDialog.h"
#include "resources/gelmar/GelmarIds.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>

namespace gelmar {

CGraphView* g_graphView = nullptr;

namespace {

// ---- The model, read through these only ----

using graph_view::Angles;
using graph_view::Extent;
using graph_view::Store;
using graph_view::View;
using graph_view::Work;

using graph_view::OpenTable;

// The span the open Grid, Minimum Grid or Coordinates table selects while
// its overlay is shown, clamped to the clip box; false when that table is
// closed or selects nothing. touching: a span that only touches the clip
// box still counts.
bool OverlaySpan(int overlayKind, std::uint16_t span[6], int& axis, bool& touching)
{
    CView* table = overlayKind == 1   ? static_cast<CView*>(OpenTable<CGridView>())
                   : overlayKind == 4 ? static_cast<CView*>(OpenTable<CMinGridView>())
                   : overlayKind == 6 ? static_cast<CView*>(OpenTable<CCoordView>())
                                      : nullptr;
    touching = overlayKind == 6;
    if (!GetSelectedSpan(table, span, axis) || axis < 1 || axis > 3)
        return false;
    const ModelStore& m = Store();
    for (int k = 0; k < 3; ++k) {
        span[2 * k] = std::max(span[2 * k], m.clipLo[k]);
        span[2 * k + 1] = std::min(span[2 * k + 1], m.clipHi[k]);
        if (touching ? span[2 * k] > span[2 * k + 1] : span[2 * k] >= span[2 * k + 1] && k == axis - 1)
            return false;
    }
    return true;
}

FaceHighlight CurrentHighlight(int overlayKind)
{
    FaceHighlight h;
    std::uint16_t span[6];
    int axis = 0;
    bool touching = false;
    if (OverlaySpan(overlayKind, span, axis, touching)) {
        h.on = true;
        h.axis = axis - 1;
        h.lo = span[2 * h.axis];
        h.hi = span[2 * h.axis + 1];
    }
    return h;
}

void SpanCoordinates(const std::uint16_t span[6], float box[6])
{
    for (int k = 0; k < 3; ++k) {
        box[2 * k] = GridLineCoordinate(Store(), k, span[2 * k]);
        box[2 * k + 1] = GridLineCoordinate(Store(), k, span[2 * k + 1]);
    }
}

// The marker of a node record's grid point, which crosses the view box only
// when the point lies inside the clip box.
void MarkNode(const OverlayGrid& grid, int i, int j, int k, SceneOverlay& overlay)
{
    const ModelStore& m = Store();
    const int node[3] = {i, j, k};
    float point[3];
    bool inside = true;
    for (int a = 0; a < 3; ++a) {
        point[a] = GridLineCoordinate(m, a, node[a]);
        inside = inside && node[a] >= m.clipLo[a] && node[a] <= m.clipHi[a];
    }
    EmitNodeMarker(grid, point, inside, overlay);
}

} // namespace

// ---- Frame ----

BOOL CGraphFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    EnableSystemMenuClose(FALSE);
    return TRUE;
}

void CGraphFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    SetWindowText(platform::LoadString(IDS_IMAGE_TITLE));
    if (CMDIFrameWnd* main = GetMDIFrame())
        main->OnUpdateFrameTitle(bAddToTitle);
}

void CGraphFrame::OnClose()
{
    CMDIChildWnd::OnClose();
    ArrangeMainFrameViews();
}

// ---- View: life cycle ----

CGraphView::CGraphView()
{
    g_graphView = this;
}

CGraphView::~CGraphView()
{
    DeleteDisplayList();
    if (m_hRC) {
        wglDeleteContext(m_hRC);
        m_hRC = nullptr;
    }
    if (g_graphView == this)
        g_graphView = nullptr;
}

QWidget* CGraphView::CreateSurfaceWidget(QWidget* parent)
{
    return platform::CreateOpenGLSurface(parent);
}

BOOL CGraphView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x20;
    return CView::PreCreateWindow(cs);
}

void CGraphView::SetupContext()
{
    m_hRC = CreateViewContext(m_hDC);
    if (!m_hRC)
        return;
    // A context the platform creates (again) has none of the state or the
    // list of the one before.
    platform::SetContextCreatedHandler(m_hRC, [this] {
        InitGLState();
        m_list = 0;
        m_listReady = false;
    });
    if (wglMakeCurrent(m_hDC, m_hRC)) {
        InitGLState();
        wglMakeCurrent(nullptr, nullptr);
    }
}

void CGraphView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    m_hDC = GetDC();
    SetupContext();
    ArrangeMainFrameViews();
    ResetView(1);
    UpdateModel();
}

BOOL CGraphView::DestroyWindow()
{
    if (m_hDC) {
        ReleaseDC(m_hDC);
        m_hDC = nullptr;
    }
    return CView::DestroyWindow();
}

BOOL CGraphView::OnEraseBkgnd(CDC* pDC)
{
    if (!m_hRC)
        return CView::OnEraseBkgnd(pDC);
    return 0;
}

void CGraphView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_cx = cx;
    m_cy = cy;
}

void CGraphView::ResetView(int flag)
{
    gelmar::ResetView(*this, m_mouseMode, flag != 0);
}

void CGraphView::UpdateModel()
{
    CWaitCursor wait;
    CollectBlockFaces(Store(), View());
    BuildVisibleFaceList(Store(), View());
    if (m_viewKind != ViewKind::Transparent)
        BuildDisplayList();
    Invalidate(FALSE);
}

// ---- Display list ----

namespace {

// The view's context current for one list operation: made current and
// released again, unless a frame being drawn holds it already.
class CurrentContext {
  public:
    CurrentContext(CDC* dc, HGLRC rc)
        : m_held(rc && wglGetCurrentContext() == rc), m_ok(m_held || (rc && wglMakeCurrent(dc, rc)))
    {
    }
    ~CurrentContext()
    {
        if (m_ok && !m_held)
            wglMakeCurrent(nullptr, nullptr);
    }
    CurrentContext(const CurrentContext&) = delete;
    CurrentContext& operator=(const CurrentContext&) = delete;
    explicit operator bool() const { return m_ok; }

  private:
    bool m_held;
    bool m_ok;
};

} // namespace

void CGraphView::DeleteDisplayList()
{
    if (m_list) {
        if (CurrentContext current{m_hDC, m_hRC})
            glDeleteLists(m_list, 1);
    }
    m_list = 0;
}

void CGraphView::BuildDisplayList()
{
    CWaitCursor wait;
    m_listReady = false;
    if (m_skip)
        return;
    DeleteDisplayList();
    CurrentContext current(m_hDC, m_hRC);
    if (!current)
        return;
    try {
        TriangleMesh mesh;
        const ModelStore& m = Store();
        if (m_viewKind == ViewKind::Temperatures) {
            const kernels::ValueRange range{m.tmin, m.tmax, m.tin1};
            EmitResultSurfaces(m, LoadedTemperatures(m, Work()), range, TheEngine().colourScale, View().faces,
                               mesh);
        } else {
            EmitBlockFaces(m, m_viewKind, CurrentHighlight(m_overlayKind), 255, {}, View().faces, mesh);
        }
        m_list = glGenLists(1);
        glNewList(m_list, GL_COMPILE);
        DrawMesh(mesh);
        glEndList();
        m_listReady = true;
    } catch (const std::bad_alloc&) {
        // Not enough memory for the surface: this frame is dropped and the
        // next one tries again.
        m_skip = true;
    }
}

// ---- Frame drawing ----

void CGraphView::SetupLighting()
{
    SetupViewLighting();
}

void CGraphView::SetProjection(int far)
{
    LoadProjection(ProjectionMatrix(*this, Extent(), far != 0));
}

void CGraphView::SetCamera(int far)
{
    LoadModelView(CameraMatrix(*this, Angles(), Extent(), far != 0));
}

void CGraphView::OnDraw(CDC* pDC)
{
    if (!m_hRC) {
        pDC->TextOut(0, 15, "Invalid Rendering Context!");
        return;
    }
    // A window without height or width has nothing to show (and no aspect).
    if (m_cx <= 0 || m_cy <= 0)
        return;
    if (!wglMakeCurrent(m_hDC, m_hRC))
        return;
    glViewport(0, 0, m_cx, m_cy);
    SetProjection(0);
    SetupLighting();
    RenderScene();
    wglMakeCurrent(nullptr, nullptr);
}

void CGraphView::RenderScene()
{
    if (m_skip) {
        m_skip = false;
        return;
    }
    CWaitCursor wait;
    if (!m_listReady)
        BuildDisplayList();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetCamera(0);
    if (View().faces.count > 0) {
        if (m_viewKind == ViewKind::Transparent) {
            DrawTransparentFaces(128);
        } else if (m_listReady) {
            glCallList(m_list);
        }
    }
    if (!g_app.hideOutline)
        DrawOverlays();
    if (g_app.showNorth)
        DrawNorthArrow();
    SwapBuffers(m_hDC);
}

void CGraphView::DrawTransparentFaces(std::uint8_t alpha)
{
    SortTransparentFaces(Store(), m_eye, m_focus, View().faces, m_drawOrder);
    m_transparent.Clear();
    EmitBlockFaces(Store(), ViewKind::Transparent, CurrentHighlight(m_overlayKind), alpha, m_drawOrder,
                   View().faces, m_transparent);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The frame stays opaque: blending leaves its alpha alone.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    DrawMesh(m_transparent);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_BLEND);
}

void CGraphView::DrawOverlays()
{
    ModelStore& m = Store();
    auto& outlines = View().outlines;
    if (m_overlayKind != 5)
        outlines.count = 0;
    const OverlayGrid grid = ModelOverlayGrid(m);
    SceneOverlay overlay;
    float box[6];
    switch (m_overlayKind) {
    case 1:
    case 4:
    case 6: {
        std::uint16_t span[6];
        int axis = 0;
        bool touching = false;
        if (!OverlaySpan(m_overlayKind, span, axis, touching))
            break;
        SpanCoordinates(span, box);
        if (m_overlayKind == 6)
            EmitCoordinatesOverlay(grid, axis - 1, box, m.origin, overlay);
        else
            EmitSpanOverlay(grid, axis - 1, box, overlay);
        break;
    }
    case 2: {
        const int b = FocusedRecord(OpenTable<CBlockView>());
        if (b < 0 || b >= m.blocks.count)
            break;
        const BlockRecord& r = m.blocks[static_cast<std::size_t>(b)];
        std::uint16_t range[6] = {r.x1, r.x2, r.y1, r.y2, r.z1, r.z2};
        bool inside = true;
        for (int k = 0; k < 3; ++k) {
            range[2 * k] = std::max(range[2 * k], m.clipLo[k]);
            range[2 * k + 1] = std::min(range[2 * k + 1], m.clipHi[k]);
            inside = inside && range[2 * k] < range[2 * k + 1];
        }
        if (!inside)
            break;
        SpanCoordinates(range, box);
        EmitSelectionBox(box, overlay);
        break;
    }
    case 3: {
        const int n = FocusedRecord(OpenTable<CNodeView>());
        if (n < 0 || n >= m.nodeBcs.count)
            break;
        const NodeBcRecord& r = m.nodeBcs[static_cast<std::size_t>(n)];
        MarkNode(grid, r.i, r.j, r.k, overlay);
        break;
    }
    case 5: {
        std::vector<float> segments;
        for (std::int32_t s = 0; s < outlines.count; ++s) {
            const OutlineSegment& o = outlines[static_cast<std::size_t>(s)];
            const int ends[6] = {o.x1, o.y1, o.z1, o.x2, o.y2, o.z2};
            for (int e = 0; e < 6; ++e)
                segments.push_back(GridLineCoordinate(m, e % 3, ends[e]));
        }
        EmitSegmentsOutlined(segments, overlay);
        break;
    }
    case 7: {
        const int n = m.outputNodes.count > 0 ? FocusedRecord(OpenTable<COutNodeView>()) : -1;
        if (n < 0 || n >= m.outputNodes.count)
            break;
        const OutputNodeRecord& r = m.outputNodes[static_cast<std::size_t>(n)];
        MarkNode(grid, r.i, r.j, r.k, overlay);
        break;
    }
    case 8: {
        const int n = m.outputBlocks.count > 0 ? FocusedRecord(OpenTable<COutBlockView>()) : -1;
        if (n < 0 || n >= m.outputBlocks.count)
            break;
        std::uint16_t range[6];
        if (!ClipOutputBlockRange(m, m.outputBlocks[static_cast<std::size_t>(n)], range))
            break;
        ComputeOutputBlockBox(m, range, box);
        EmitSelectionBox(box, overlay);
        break;
    }
    default:
        break;
    }
    DrawOverlay(overlay);
}

void CGraphView::DrawNorthArrow()
{
    const ModelStore& m = Store();
    NorthDisplay north;
    std::copy(m_focus, m_focus + 3, north.focus);
    std::copy(m_eye, m_eye + 3, north.eye);
    north.viewAngle = m_viewAngle;
    ComputeSiteFrame(m.rot1z, m.rot2x, m.rot3z, north.frame);
    SunAt(m, SunDisplayDay(m, graph_view::Run().calcTime), SunDisplayHour(graph_view::Run().calcTime), north.sunAltitude, north.sunAzimuth);
    north.sunUp = north.sunAltitude > 0;
    north.sunPath = [&m](int day, const std::function<void(double, double, double, double)>& visit) {
        ForEachSunPathStep(m, day, 23.0f, 1.0f, 25, visit);
    };
    SceneOverlay overlay;
    EmitNorthDisplay(north, overlay);
    DrawOverlay(overlay);
}

void CGraphView::PrintGraphicOutput(CGraphicOutputDlg* window)
{
    g_printingOutput = window;
    OnFilePrint();
    g_printingOutput = nullptr;
}

void CGraphView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    SetPrinterOrientation(pDC, pInfo, DMORIENT_LANDSCAPE);
}

void CGraphView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (g_printingOutput)
        g_printingOutput->PrintPicture(pDC, pInfo);
}

} // namespace gelmar

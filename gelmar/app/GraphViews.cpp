// Stand-ins of the graphics windows: the 3D view keeps the state the
// commands set and draws a front elevation of the blocks (X across, Z up) in
// their display colours, so that the model can be seen until the OpenGL view
// takes its place.
#include "gelmar/app/GraphViews.h"

#include "gelmar/app/MainFrame.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/DC.h"
#include "platform/ui/Gdi.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace gelmar {

CGraphView* g_graphView = nullptr;
bool g_isofluxActive = false;

void EndIsofluxDrawing()
{
    g_isofluxActive = false;
}

CGraphView::CGraphView()
{
    g_graphView = this;
}

CGraphView::~CGraphView()
{
    if (g_graphView == this)
        g_graphView = nullptr;
}

void CGraphView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    ArrangeMainFrameViews();
}

void CGraphView::BuildDisplayList()
{
    Invalidate(FALSE);
}

void CGraphView::UpdateModel()
{
    BuildDisplayList();
}

void CGraphView::ZoomOut()
{
    m_previousAngle = m_viewAngle;
    m_viewAngle = std::min(60.0f, m_viewAngle * 2);
    m_totalView = m_viewAngle >= 60.0f;
    Invalidate(FALSE);
}

void CGraphView::ZoomTotal()
{
    m_previousAngle = m_viewAngle;
    m_viewAngle = 60.0f;
    m_totalView = true;
    m_mouseMode = 0;
    Invalidate(FALSE);
}

void CGraphView::SwapPreviousView()
{
    if (m_previousAngle <= 0)
        return;
    std::swap(m_viewAngle, m_previousAngle);
    m_totalView = m_viewAngle >= 60.0f;
    Invalidate(FALSE);
}

namespace {

float LineCoord(const GridAxis& a, int line)
{
    if (line <= 0 || a.coords.empty())
        return 0;
    return a.coords[size_t(std::min<int>(line, a.n) - 1)];
}

} // namespace

void CGraphView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(255, 255, 255));
    const ModelStore& m = g_model;
    const GridAxis& ax = m.axes[0];
    const GridAxis& az = m.axes[2];
    const float width = LineCoord(ax, ax.n), height = LineCoord(az, az.n);
    if (m.blocks.count <= 0 || width <= 0 || height <= 0 || client.Width() < 20 || client.Height() < 20)
        return;
    const float scale = 0.9f * std::min(client.Width() / width, client.Height() / height);
    const int left = client.left + int((client.Width() - width * scale) / 2);
    const int bottom = client.bottom - int((client.Height() - height * scale) / 2);

    // Far blocks first, so that the nearer ones cover them.
    std::vector<int> order(size_t(m.blocks.count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return m.blocks[size_t(a)].y1 > m.blocks[size_t(b)].y1; });
    CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&outline);
    for (int b : order) {
        const BlockRecord& r = m.blocks[size_t(b)];
        CBrush fill(m.colours[r.colour].displayColour);
        CBrush* oldBrush = pDC->SelectObject(&fill);
        pDC->Rectangle(left + int(LineCoord(ax, r.x1) * scale), bottom - int(LineCoord(az, r.z2) * scale),
                       left + int(LineCoord(ax, r.x2) * scale) + 1,
                       bottom - int(LineCoord(az, r.z1) * scale) + 1);
        pDC->SelectObject(oldBrush);
    }
    pDC->SelectObject(oldPen);
}

void CGraphFrame::OnClose()
{
    CMDIChildWnd::OnClose();
    ArrangeMainFrameViews();
}

BOOL CPreviewWnd::Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(nullptr, text, style, rect, parent, id);
}

void CPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    ++paints;
}

} // namespace gelmar

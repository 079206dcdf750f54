// The 3D view's navigation and picking: mouse modes, arrow keys, wheel, the
// zoom commands, Zoom Numbers, the block pick for the tables and the
// status-bar read-outs (see GraphView.h).
#include "gelmar/model/store/ViewState.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/graphics/DlgZoomNumbers3D.h"
#include "gelmar/graphics/GlScene.h"
#include "gelmar/graphics/GraphViewAccess.h"
#include "gelmar/graphics/GraphView.h"
#include "gelmar/graphics/core/ValueReadout.h"
#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ModelStore.h"
#include "common/ui/ActiveDocument.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

#include <GL/gl.h>

#include <cstdio>

namespace gelmar {

namespace {

// ---- The model, read through these only ----

using graph_view::Angles;
using graph_view::Extent;
using graph_view::Store;
using graph_view::View;
using graph_view::Work;

// The Drag Mode setting: set, a drag moves the model with the pointer.
bool DragMode()
{
    return TheEngine().parameters.drag != 0;
}

using graph_view::OpenTable;

} // namespace

std::string FillColourReadout(const std::string& format, int colour, const std::string& name)
{
    std::string out;
    bool number = false, text = false;
    for (std::size_t k = 0; k < format.size(); ++k) {
        if (format[k] == '%' && k + 1 < format.size()) {
            if (format[k + 1] == 'd' && !number) {
                out += std::to_string(colour);
                number = true;
                ++k;
                continue;
            }
            if (format[k + 1] == 's' && !text) {
                out += name;
                text = true;
                ++k;
                continue;
            }
        }
        out += format[k];
    }
    return out;
}

// ---- Camera commands ----

void CGraphView::SaveView()
{
    gelmar::SaveView(*this, Angles());
}

void CGraphView::RotateByDrag()
{
    gelmar::RotateByDrag(*this, Angles(), m_drag, DragMode());
    Invalidate(FALSE);
}

void CGraphView::PanToCentre(CPoint target)
{
    gelmar::PanToCentre(*this, Angles(), Extent(), target);
}

void CGraphView::PanByDrag()
{
    gelmar::PanByDrag(*this, Angles(), Extent(), m_drag, DragMode());
    Invalidate(FALSE);
}

void CGraphView::ZoomToRectangle()
{
    gelmar::ZoomToRectangle(*this, Angles(), Extent(), m_drag);
}

void CGraphView::ZoomIn()
{
    gelmar::ZoomIn(*this, Angles(), Extent(), m_drag);
    Invalidate(FALSE);
}

void CGraphView::ZoomOut()
{
    if (gelmar::ZoomOut(*this, Angles(), m_mouseMode))
        Invalidate(FALSE);
}

void CGraphView::ZoomTotal()
{
    gelmar::ZoomTotal(*this, Angles(), m_mouseMode);
    Invalidate(FALSE);
}

void CGraphView::SwapPreviousView()
{
    gelmar::SwapPreviousView(*this, Angles());
    Invalidate(FALSE);
}

void CGraphView::OnZoomNumbers()
{
    const ViewExtent extent = Extent();
    const ZoomNumbers current = CurrentZoomNumbers(*this, Angles(), extent);
    CDlgZoomNumbers3D dlg;
    dlg.m_azimuth = current.azimuth;
    dlg.m_altitude = current.altitude;
    dlg.m_viewAngle = current.viewAngle;
    dlg.m_focusX = current.focus[0];
    dlg.m_focusY = current.focus[1];
    dlg.m_focusZ = current.focus[2];
    dlg.m_unitLabel = GridUnitLabelFor(Store().gridUnit);
    if (dlg.DoModal() != IDOK)
        return;
    ZoomNumbers numbers;
    numbers.azimuth = dlg.m_azimuth;
    numbers.altitude = dlg.m_altitude;
    numbers.viewAngle = dlg.m_viewAngle;
    numbers.focus[0] = dlg.m_focusX;
    numbers.focus[1] = dlg.m_focusY;
    numbers.focus[2] = dlg.m_focusZ;
    ApplyZoomNumbers(*this, Angles(), extent, numbers);
    Invalidate(FALSE);
}

void CGraphView::ComputeViewMatrixInverse(int far)
{
    double forward[16];
    ForwardPictureMatrix(*this, Angles(), Extent(), far != 0, forward);
    m_pictureMatrix.SetForward(forward);
}

BOOL CGraphView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_ZOOM_NUMBERS, &CGraphView::OnZoomNumbers),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CView::OnCmdMsg(nID, nCode, pCmdUI);
}

// ---- Mouse, keys, wheel ----

void CGraphView::DrawRubberBand()
{
    CClientDC dc(this);
    const int rop = dc.SetROP2(R2_NOTXORPEN);
    CGdiObject* pen = dc.SelectStockObject(BLACK_PEN);
    CGdiObject* brush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(m_drag.start.x, m_drag.start.y, m_drag.current.x, m_drag.current.y);
    dc.SelectObject(brush);
    dc.SelectObject(pen);
    dc.SetROP2(rop);
}

void CGraphView::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_drag.start = point;
    if (m_mouseMode == 1) {
        m_drag.current = point;
        DrawRubberBand();
    } else if (m_mouseMode == 3) {
        m_drag.current = point;
        ZoomIn();
    }
    m_drag.dragging = true;
    SetCapture();
    CView::OnLButtonDown(nFlags, point);
}

void CGraphView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_drag.dragging) {
        switch (m_mouseMode) {
        case 0:
            m_drag.current = point;
            RotateByDrag();
            break;
        case 1:
            DrawRubberBand();
            m_drag.current = point;
            DrawRubberBand();
            break;
        case 2:
            m_drag.current = point;
            PanByDrag();
            break;
        default:
            break;
        }
    } else if (common::GetActiveViewOfMainFrame() == this) {
        switch (m_viewKind) {
        case ViewKind::Materials:
        case ViewKind::BoundaryConditions:
            SetStatusText(ReadColourAtPoint(point));
            break;
        case ViewKind::Transparent:
            SetStatusText("");
            break;
        case ViewKind::Temperatures:
            SetStatusText(ReadValueAtPoint(point));
            break;
        }
    }
    CView::OnMouseMove(nFlags, point);
}

void CGraphView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_drag.dragging) {
        switch (m_mouseMode) {
        case 0:
            m_drag.current = point;
            RotateByDrag();
            break;
        case 1:
            DrawRubberBand();
            if (!(m_drag.current == m_drag.start))
                SaveView();
            ZoomToRectangle();
            Invalidate(FALSE);
            break;
        case 2:
            m_drag.current = point;
            PanByDrag();
            break;
        default:
            break;
        }
        ReleaseCapture();
        m_drag.dragging = false;
    }
    CView::OnLButtonUp(nFlags, point);
}

void CGraphView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_mouseMode == 1 && nChar == VK_ESCAPE && m_drag.dragging) {
        DrawRubberBand();
        ReleaseCapture();
        m_drag.dragging = false;
    } else {
        const ArrowKey keys[4] = {ArrowKey::Left, ArrowKey::Up, ArrowKey::Right, ArrowKey::Down};
        if (nChar >= VK_LEFT && nChar <= VK_DOWN &&
            MoveByArrowKey(*this, Angles(), Extent(), m_drag, m_mouseMode, keys[nChar - VK_LEFT], DragMode()))
            Invalidate(FALSE);
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CGraphView::OnMouseWheel(UINT nFlags, short zDelta, CPoint point)
{
    if (zDelta >= 120) {
        ScreenToClient(&point);
        m_drag.current = point;
        ZoomIn();
        return TRUE;
    }
    if (zDelta <= -120) {
        ZoomOut();
        return TRUE;
    }
    return CView::OnMouseWheel(nFlags, zDelta, point);
}

void CGraphView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnBlockPick(point);
    CView::OnLButtonDblClk(nFlags, point);
}

void CGraphView::OnRButtonDown(UINT nFlags, CPoint point)
{
    OnBlockPick(point);
    CView::OnRButtonDown(nFlags, point);
}

// ---- Picking ----

std::int64_t CGraphView::Pick(CPoint point, PickKind kind, int face)
{
    if (!m_hRC || m_cx <= 0 || m_cy <= 0 || !wglMakeCurrent(m_hDC, m_hRC))
        return -1;
    glViewport(0, 0, m_cx, m_cy);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const ViewExtent extent = Extent();
    const GlMatrix projection = PickProjectionMatrix(*this, extent, point.x, viewport[3] - point.y, viewport);
    const GlMatrix modelView = CameraMatrix(*this, Angles(), extent, false);
    const PickRegionFilter filter(MultiplyMatrices(projection, modelView));
    const ModelStore& m = Store();
    std::vector<NamedQuad> quads;
    std::size_t names = 800;
    std::uint32_t base = 0xFFFFFFFFu;
    switch (kind) {
    case PickKind::Blocks:
        CollectBlockNames(m, m_viewKind, &filter, View().faces, quads);
        names = 4 * static_cast<std::size_t>(m.blocks.count);
        base = 99999;
        break;
    case PickKind::Faces:
        CollectFaceNames(m, &filter, View().faces, quads);
        names = 48 * static_cast<std::size_t>(m.blocks.count);
        break;
    case PickKind::Quads:
        CollectQuadNames(m, face, View().faces, quads);
        quads.erase(std::remove_if(quads.begin(), quads.end(),
                                   [&](const NamedQuad& q) { return !filter.Keep(q.corners); }),
                    quads.end());
        break;
    }
    std::vector<std::uint32_t> buffer;
    const int hits = SelectQuads(projection, modelView, quads, base, kind != PickKind::Quads, names, buffer);
    wglMakeCurrent(nullptr, nullptr);
    return kind == PickKind::Quads ? FirstHitName(buffer.data(), buffer.size(), hits)
                                   : NearestHitName(buffer.data(), buffer.size(), hits);
}

std::int64_t CGraphView::PickBlock(CPoint point)
{
    return Pick(point, PickKind::Blocks, -1);
}

std::int64_t CGraphView::PickFace(CPoint point)
{
    return Pick(point, PickKind::Faces, -1);
}

std::int64_t CGraphView::PickObject(CPoint point, int face)
{
    return Pick(point, PickKind::Quads, face);
}

void CGraphView::OnBlockPick(CPoint point)
{
    if (m_viewKind == ViewKind::Transparent)
        return;
    CBlockView* blocks = OpenTable<CBlockView>();
    CColorView* colours = OpenTable<CColorView>();
    CClipColorView* clipColours = OpenTable<CClipColorView>();
    const ModelStore& m = Store();
    if (!(blocks || colours || clipColours) || View().faces.count <= 0)
        return;
    const std::int64_t name = PickBlock(point);
    if (name < 0)
        return;
    if (name != kNoBlockName && name < m.blocks.count) {
        const int block = static_cast<int>(name);
        const int colour = m.blocks[static_cast<std::size_t>(block)].colour;
        if (blocks) {
            if (CDocument* doc = GetDocument())
                doc->OnCmdMsg(ID_BLOCKS, CN_COMMAND, nullptr);
            GoToCell(blocks, block, 2);
        }
        if (colours)
            GoToCell(colours, colour, 2);
        if (clipColours)
            GoToCell(clipColours, colour, 5);
    }
    m_overlayKind = 2;
    Invalidate(FALSE);
}

std::string CGraphView::ReadColourAtPoint(CPoint point)
{
    const std::int64_t name = PickBlock(point);
    const ModelStore& m = Store();
    if (name < 0 || name == kNoBlockName || name >= m.blocks.count)
        return {};
    const int colour = m.blocks[static_cast<std::size_t>(name)].colour;
    return FillColourReadout(platform::LoadString(IDS_COLOUR_READOUT), colour,
                             m.colours[static_cast<std::size_t>(colour)].name);
}

std::string CGraphView::ReadValueAtPoint(CPoint point)
{
    const ModelStore& m = Store();
    const FaceList& faces = View().faces;
    if (faces.count <= 0)
        return {};
    const std::int64_t face = PickFace(point);
    if (face < 0 || face >= faces.count)
        return {};
    ComputeViewMatrixInverse(0);
    const std::int64_t quad = PickObject(point, static_cast<int>(face));
    if (quad < 0)
        return {};
    const float value =
        ValueAtScreenPoint(m_pictureMatrix, m, faces.faces[static_cast<std::size_t>(face)],
                           static_cast<int>(quad), LoadedTemperatures(m, Work()), point.x, point.y);
    char text[64];
    std::snprintf(text, sizeof text,
                  "%.*f\xC2\xB0"
                  "C",
                  std::clamp(TheEngine().output.dect, 0, 15), static_cast<double>(value));
    return text;
}

void CGraphView::SetStatusText(const std::string& text)
{
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        if (main->m_wndStatusBar.GetSafeHwnd())
            main->m_wndStatusBar.SetPaneText(0, text);
}

} // namespace gelmar

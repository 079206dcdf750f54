// CGridCtrl: the focus cell, keys, mouse, in-place editing and the
// notifications to the parent. Every notification is sent synchronously,
// so a view can refuse or prepare an edit before it starts.
#include "common/ui/GridCtrl.h"
#include "common/ui/GridInPlaceEdit.h"

#include <algorithm>

namespace common {

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage)
{
    return SendMessageToParentEx(nRow, nCol, nMessage, 0);
}

LRESULT CGridCtrl::SendMessageToParentEx(int nRow, int nCol, int nMessage, std::uint32_t extra)
{
    CWnd* target = GetOwner();
    if (!m_hWnd || !target || !target->GetSafeHwnd())
        return 0;
    GridNotify nm;
    nm.hdr.hwndFrom = this;
    nm.hdr.idFrom = GetDlgCtrlID();
    nm.hdr.code = nMessage;
    nm.iRow = nRow;
    nm.iColumn = nCol;
    nm.lParam = extra;
    return target->SendMessage(WM_NOTIFY, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&nm));
}

CCellID CGridCtrl::SetFocusCell(CCellID cell)
{
    const CCellID old = m_idCurrentCell;
    if (cell == old)
        return old;
    m_idCurrentCell = cell;
    if (IsValidCell(old)) {
        SendMessageToParent(old.row, old.col, GVN_FOCUSCHANGING);
        if (CGridCell* c = GetCell(old.row, old.col))
            c->state &= ~GVIS_FOCUSED;
        RedrawCell(old.row, old.col);
        if (old.col != cell.col)
            for (int r = 0; r < m_nFixedRows; ++r)
                RedrawCell(r, old.col);
        if (old.row != cell.row)
            for (int c = 0; c < m_nFixedCols; ++c)
                RedrawCell(old.row, c);
    }
    if (IsValidCell(cell)) {
        GetCell(cell.row, cell.col)->state |= GVIS_FOCUSED;
        RedrawCell(cell.row, cell.col);
        if (old.col != cell.col)
            for (int r = 0; r < m_nFixedRows; ++r)
                RedrawCell(r, cell.col);
        if (old.row != cell.row)
            for (int c = 0; c < m_nFixedCols; ++c)
                RedrawCell(cell.row, c);
        SendMessageToParent(cell.row, cell.col, GVN_FOCUSCHANGED);
    }
    return old;
}

BOOL CGridCtrl::ToggleFocusCell()
{
    CGridCell* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (!cell || (cell->state & GVIS_READONLY) || !(cell->state & GVIS_TOGGLE))
        return FALSE;
    if (cell->state & GVIS_TOGGLE_ON) {
        cell->state &= ~GVIS_TOGGLE_ON;
        --cell->image;
    } else {
        cell->state |= GVIS_TOGGLE_ON;
        ++cell->image;
    }
    RedrawCell(m_idCurrentCell.row, m_idCurrentCell.col);
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_ENDEDIT);
    return TRUE;
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey)
        code |= DLGC_WANTTAB;
    return code;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    if (!IsValidCell(m_idCurrentCell)) {
        Default();
        return;
    }
    HandleKey(nChar, nFlags, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
}

void CGridCtrl::HandleKey(UINT nChar, UINT nFlags, bool ctrl, bool shift)
{
    if (!IsValidCell(m_idCurrentCell))
        return;
    CCellID next = m_idCurrentCell;
    const int lastRow = m_nRows - 1, lastCol = m_nCols - 1;
    if (ctrl) {
        switch (nChar) {
        case VK_HOME:
            next = CCellID(m_nFixedRows, m_nFixedCols);
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
            break;
        case VK_END:
            next = CCellID(lastRow, lastCol);
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
            break;
        case VK_LEFT:
            next.col = m_nFixedCols;
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
            break;
        case VK_RIGHT:
            next.col = lastCol;
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
            break;
        case VK_UP:
            next.row = m_nFixedRows;
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            break;
        case VK_DOWN:
            next.row = lastRow;
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            break;
        default:
            return;
        }
    } else {
        switch (nChar) {
        case VK_TAB: {
            // Along the row (or the column), wrapping into the next one.
            int& along = m_bTabAlongRows ? next.col : next.row;
            int& across = m_bTabAlongRows ? next.row : next.col;
            const int first = m_bTabAlongRows ? m_nFixedCols : m_nFixedRows;
            const int last = m_bTabAlongRows ? lastCol : lastRow;
            const int firstAcross = m_bTabAlongRows ? m_nFixedRows : m_nFixedCols;
            const int lastAcross = m_bTabAlongRows ? lastRow : lastCol;
            if (!shift) {
                if (along < last) {
                    ++along;
                } else if (across < lastAcross) {
                    ++across;
                    along = first;
                } else {
                    Default();
                    return;
                }
            } else {
                if (along > first) {
                    --along;
                } else if (across > firstAcross) {
                    --across;
                    along = last;
                } else {
                    Default();
                    return;
                }
            }
            break;
        }
        case VK_PRIOR:
        case VK_NEXT: {
            const CCellID before = GetTopLeftNonFixedCell();
            SendMessage(WM_VSCROLL, nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
            const CCellID after = GetTopLeftNonFixedCell();
            const int moved = after.row - before.row;
            if (moved == 0)
                next.row = nChar == VK_PRIOR ? m_nFixedRows : lastRow;
            else
                next.row = std::clamp(next.row + moved, m_nFixedRows, lastRow);
            break;
        }
        case VK_END:
            if (m_bTabAlongRows) {
                SendMessage(WM_HSCROLL, SB_RIGHT, 0);
                next.col = lastCol;
            } else {
                SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
                next.row = lastRow;
            }
            break;
        case VK_HOME:
            if (m_bTabAlongRows) {
                SendMessage(WM_HSCROLL, SB_LEFT, 0);
                next.col = m_nFixedCols;
            } else {
                SendMessage(WM_VSCROLL, SB_TOP, 0);
                next.row = m_nFixedRows;
            }
            break;
        case VK_LEFT:
            if (next.col > m_nFixedCols)
                --next.col;
            break;
        case VK_RIGHT:
            if (next.col < lastCol)
                ++next.col;
            break;
        case VK_UP:
            if (next.row > m_nFixedRows)
                --next.row;
            break;
        case VK_DOWN:
            if (next.row < lastRow)
                ++next.row;
            break;
        case VK_DELETE: {
            CGridCell* cell = GetCell(next.row, next.col);
            if (cell && !(cell->state & GVIS_READONLY)) {
                cell->text.clear();
                RedrawCell(next.row, next.col);
                m_bModified = TRUE;
                SendMessageToParent(next.row, next.col, GVN_ENDEDIT);
            }
            return;
        }
        default:
            Default();
            return;
        }
    }
    if (!IsValidCell(next) || next == m_idCurrentCell)
        return;
    SetFocusCell(next);
    CRect rect, client;
    GetClientRect(&client);
    if (!GetCellRect(next.row, next.col, &rect) || rect.right > client.right || rect.bottom > client.bottom)
        EnsureVisible(next.row, next.col);
    if (!(nFlags & 0x4000))
        Invalidate();
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (GetKeyState(VK_CONTROL) >= 0 && m_MouseMode == 0 && m_bHandleTabKey && nChar != VK_TAB &&
        nChar != VK_ESCAPE) {
        if (!ToggleFocusCell())
            OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, nChar);
        return;
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CGridCtrl::OnEditCell(int nRow, int nCol, UINT nChar)
{
    EnsureVisible(nRow, nCol);
    if (!m_bEditEnabled || !IsValid(nRow, nCol))
        return;
    CRect rect, client;
    if (!GetCellRect(nRow, nCol, &rect))
        return;
    GetClientRect(&client);
    if (rect.left >= client.right || rect.top >= client.bottom)
        return;
    SendMessageToParentEx(nRow, nCol, GVN_BEGINEDIT, nChar);
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell || (cell->state & GVIS_READONLY))
        return;
    if (!GetCellRect(nRow, nCol, &rect))
        return;
    const std::string text = cell->text;
    const UINT state = cell->state;
    const UINT format = cell->format;
    const std::vector<std::string> items = cell->listItems;
    const DWORD align = (format & DT_RIGHT) ? ES_RIGHT : (format & DT_CENTER) ? ES_CENTER : ES_LEFT;
    if (state & GVIS_LIST)
        CreateInPlaceControl(rect, align, IDC_INPLACE_LIST, items, nRow, nCol, text, nChar, state);
    else
        CreateInPlaceEditControl(rect, align, IDC_INPLACE_EDIT, nRow, nCol, text, nChar, state);
}

void CGridCtrl::CreateInPlaceEditControl(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                         const std::string& text, UINT nChar, UINT state)
{
    new CGridInPlaceEdit(this, rect, dwStyle, nID, nRow, nCol, text, nChar, EditorKindOfState(state));
}

void CGridCtrl::CreateInPlaceControl(const CRect& rect, DWORD dwStyle, UINT nID,
                                     const std::vector<std::string>& items, int nRow, int nCol,
                                     const std::string& text, UINT nChar, UINT state)
{
    new CGridInPlaceList(this, rect, dwStyle, nID, nRow, nCol, items, text, nChar, EditorKindOfState(state));
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, const std::string& text)
{
    SetItemText(nRow, nCol, text);
}

BOOL CGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr && hdr->code == GVN_ENDEDIT && (wParam == IDC_INPLACE_EDIT || wParam == IDC_INPLACE_LIST)) {
        OnEndInPlaceEdit(reinterpret_cast<GridDispInfo*>(lParam));
        *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CGridCtrl::OnEndInPlaceEdit(GridDispInfo* info)
{
    if (!m_hWnd)
        return;
    const CGridItem& item = info->item;
    const UINT key = item.data;
    if (key != VK_ESCAPE && item.text != GetItemText(item.row, item.col))
        m_bModified = TRUE;
    OnEndEditCell(item.row, item.col, item.text);
    SendMessageToParent(item.row, item.col, GVN_ENDEDIT);
    if (key >= VK_PRIOR && key <= VK_DOWN) {
        HandleKey(key, 0, false, false);
        // Editing goes on from cell to cell, but not into a cell that takes
        // no typing: its begin-edit is a click action (cycling a value,
        // opening a dialog) that a key passing by must not run.
        const UINT state = GetItemState(m_idCurrentCell.row, m_idCurrentCell.col);
        if (!(state & (GVIS_TOGGLE | GVIS_READONLY)))
            OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, key);
    }
}

void CGridCtrl::DrawResizeLine(CPoint from, CPoint to)
{
    CClientDC dc(this);
    CRect r(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 2,
            std::max(from.y, to.y) + 2);
    dc.InvertRect(&r);
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (!(nFlags & MK_LBUTTON)) {
        if (!client.PtInRect(point))
            return;
        const int fixedH = GetFixedRowHeight(), fixedW = GetFixedColumnWidth();
        m_MouseMode = 0;
        if (point.y < fixedH && point.y >= 6 && m_bAllowColumnResize) {
            CCellID cell = GetCellFromPt(point);
            CPoint origin;
            if (IsValidCell(cell) && GetCellOrigin(cell.row, cell.col, &origin)) {
                const int right = origin.x + GetColumnWidth(cell.col);
                if ((cell.col > 0 && point.x - origin.x < m_nResizeCaptureRange) ||
                    right - point.x <= m_nResizeCaptureRange)
                    m_MouseMode = 8;
            }
        } else if (point.x < fixedW && m_bAllowRowResize) {
            CCellID cell = GetCellFromPt(point);
            CPoint origin;
            if (IsValidCell(cell) && GetCellOrigin(cell.row, cell.col, &origin)) {
                const int bottom = origin.y + GetRowHeight(cell.row);
                if ((cell.row > 0 && point.y - origin.y < m_nResizeCaptureRange) ||
                    bottom - point.y <= m_nResizeCaptureRange)
                    m_MouseMode = 6;
            }
        }
        ::SetCursor(m_MouseMode == 8 ? IDC_SIZEWE : m_MouseMode == 6 ? IDC_SIZENS : IDC_ARROW);
        if (m_MouseMode == 0 && m_bTitleTips && m_TitleTip.GetSafeHwnd()) {
            CCellID cell = GetCellFromPt(point);
            CRect rect;
            if (IsValidCell(cell) && GetCellRect(cell.row, cell.col, &rect))
                m_TitleTip.Show(rect, GetItemText(cell.row, cell.col), 0);
        }
        m_LastMousePoint = point;
        return;
    }
    if (m_MouseMode == 9) {
        DrawResizeLine(CPoint(m_LastMousePoint.x, 0), CPoint(m_LastMousePoint.x, client.bottom));
        DrawResizeLine(CPoint(point.x, 0), CPoint(point.x, client.bottom));
    } else if (m_MouseMode == 7) {
        DrawResizeLine(CPoint(0, m_LastMousePoint.y), CPoint(client.right, m_LastMousePoint.y));
        DrawResizeLine(CPoint(0, point.y), CPoint(client.right, point.y));
    }
    m_LastMousePoint = point;
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        ::SetCursor(m_MouseMode == 6 ? IDC_SIZENS : m_MouseMode == 8 ? IDC_SIZEWE : IDC_ARROW);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CGridCtrl::OnLButtonDown(UINT, CPoint point)
{
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValidCell(m_LeftClickDownCell))
        return;
    SetFocus();
    if (m_LeftClickDownCell == m_idCurrentCell) {
        m_MouseMode = 10;
        return;
    }
    const CCellID cell = m_LeftClickDownCell;
    if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols) {
        SetFocusCell(CCellID(-1, -1));
        SetFocusCell(cell);
    }
    SetCapture();
    CRect client;
    GetClientRect(&client);
    CPoint origin;
    GetCellOrigin(cell.row, cell.col, &origin);
    if (m_MouseMode == 8) {
        // Near the left edge the divider belongs to the column before.
        if (point.x - origin.x < m_nResizeCaptureRange && cell.col > 0) {
            m_LeftClickDownCell.col = cell.col - 1;
            GetCellOrigin(cell.row, cell.col - 1, &origin);
        }
        CRect clip(origin.x, client.top, client.right, client.bottom);
        ClientToScreen(&clip);
        ClipCursor(&clip);
        m_MouseMode = 9;
        DrawResizeLine(CPoint(point.x, 0), CPoint(point.x, client.bottom));
    } else if (m_MouseMode == 6) {
        if (point.y - origin.y < m_nResizeCaptureRange && cell.row > 0) {
            m_LeftClickDownCell.row = cell.row - 1;
            GetCellOrigin(cell.row - 1, cell.col, &origin);
        }
        CRect clip(client.left, origin.y, client.right, client.bottom);
        ClientToScreen(&clip);
        ClipCursor(&clip);
        m_MouseMode = 7;
        DrawResizeLine(CPoint(0, point.y), CPoint(client.right, point.y));
    } else if (!IsCellVisible(cell.row, cell.col)) {
        EnsureVisible(cell.row, cell.col);
    }
    m_LastMousePoint = point;
    Invalidate();
}

void CGridCtrl::OnLButtonUp(UINT, CPoint point)
{
    ClipCursor(nullptr);
    if (GetCapture() == this)
        ReleaseCapture();
    CRect client;
    GetClientRect(&client);
    if (m_MouseMode == 9) {
        DrawResizeLine(CPoint(m_LastMousePoint.x, 0), CPoint(m_LastMousePoint.x, client.bottom));
        if (!(point == m_LeftClickDownPoint)) {
            CPoint origin;
            if (GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &origin))
                SetColumnWidth(m_LeftClickDownCell.col, std::max(0, point.x - origin.x));
            ResetScrollBars();
            Invalidate();
        }
    } else if (m_MouseMode == 7) {
        DrawResizeLine(CPoint(0, m_LastMousePoint.y), CPoint(client.right, m_LastMousePoint.y));
        if (!(point == m_LeftClickDownPoint)) {
            CPoint origin;
            if (GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &origin))
                SetRowHeight(m_LeftClickDownCell.row, std::max(0, point.y - origin.y));
            ResetScrollBars();
            Invalidate();
        }
    }
    m_MouseMode = 0;
    ::SetCursor(IDC_ARROW);
    if (IsValidCell(m_LeftClickDownCell)) {
        CWnd* target = GetOwner();
        if (target && target->GetSafeHwnd()) {
            target->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(this));
            target->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        }
    }
}

void CGridCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    if (m_MouseMode == 8) {
        CCellID cell = GetCellFromPt(point);
        CPoint origin;
        if (IsValidCell(cell) && GetCellOrigin(cell.row, cell.col, &origin) &&
            point.x - origin.x < m_nResizeCaptureRange && cell.col > 0)
            --cell.col;
        AutoSizeColumn(cell.col);
    } else if (m_MouseMode == 6) {
        CCellID cell = GetCellFromPt(point);
        CPoint origin;
        if (IsValidCell(cell) && GetCellOrigin(cell.row, cell.col, &origin) &&
            point.y - origin.y < m_nResizeCaptureRange && cell.row > 0)
            --cell.row;
        AutoSizeRow(cell.row);
    } else if (m_MouseMode == 0 || m_MouseMode == 10) {
        // The button-down of this double click may have set mode 10.
        const CCellID cell = m_LeftClickDownCell;
        m_MouseMode = 0;
        if (IsValidCell(cell) && cell.row >= m_nFixedRows && cell.col >= m_nFixedCols) {
            SendMessageToParent(cell.row, cell.col, GVN_DBLCLICK);
            if (!ToggleFocusCell())
                OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, 1);
        }
    }
}

void CGridCtrl::OnRButtonDown(UINT, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    if (!IsValidCell(cell))
        return;
    SetFocus();
    if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols) {
        SetFocusCell(cell);
        EnsureVisible(cell.row, cell.col);
        Invalidate();
    }
    SendMessageToParent(cell.row, cell.col, GVN_RCLICK);
}

void CGridCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (!IsValidCell(m_idCurrentCell))
        m_idCurrentCell = CCellID(m_nFixedRows, m_nFixedCols);
    if (IsValidCell(m_idCurrentCell)) {
        GetCell(m_idCurrentCell.row, m_idCurrentCell.col)->state |= GVIS_FOCUSED;
        SetFocusCell(m_idCurrentCell);
    } else {
        SetFocusCell(CCellID(-1, -1));
    }
    Invalidate();
}

void CGridCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (m_bReleaseFocusOnKillFocus) {
        const CCellID keep = m_idCurrentCell;
        SetFocusCell(CCellID(-1, -1));
        m_idCurrentCell = keep;
    }
}

} // namespace common

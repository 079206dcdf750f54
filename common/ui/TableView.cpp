// The table window: its grid, size, focus and notifications.
#include "common/ui/TableView.h"

#include "platform/ui/SysColor.h"

namespace common {

CTableView::CTableView()
    : m_crWindow(GetSysColor(COLOR_WINDOW)), m_crButtonFace(GetSysColor(COLOR_BTNFACE)),
      m_crInfoBk(GetSysColor(COLOR_INFOBK)), m_crWindowText(GetSysColor(COLOR_WINDOWTEXT)),
      m_crGrayText(GetSysColor(COLOR_GRAYTEXT))
{
}

CTableView::~CTableView() = default;

CGridCtrl* CTableView::CreateGrid(int cols, int fixedRows, int fixedCols, UINT id)
{
    if (m_pGrid)
        return m_pGrid.get();
    m_pGrid = std::make_unique<CGridCtrl>();
    m_pGrid->m_bReleaseFocusOnKillFocus = FALSE;
    m_pGrid->SetColumnCount(cols);
    m_pGrid->SetFixedRowCount(fixedRows);
    m_pGrid->SetFixedColumnCount(fixedCols);
    CRect client;
    GetClientRect(&client);
    m_pGrid->Create(client, this, id, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL);
    m_pGrid->m_entryCheck = [this](int row, int col, const std::string& text) {
        return CheckGridEntry(row, col, text);
    };
    return m_pGrid.get();
}

void CTableView::SetGridFocus(int row, int col)
{
    if (!m_pGrid)
        return;
    m_nFocusRow = row;
    m_nFocusCol = col;
    m_pGrid->SetFocusCell(CCellID(row, col));
    m_pGrid->EnsureVisible(row, col);
    m_pGrid->Invalidate();
}

void CTableView::OnDraw(CDC*)
{
    if (m_pGrid && m_pGrid->GetSafeHwnd())
        m_pGrid->Invalidate();
}

BOOL CTableView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CTableView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (!m_pGrid || !m_pGrid->GetSafeHwnd())
        return;
    m_pGrid->MoveWindow(0, 0, cx, cy, TRUE);
    m_pGrid->EnsureVisible(m_nFocusRow, m_nFocusCol);
}

void CTableView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    if (m_pGrid && m_pGrid->GetSafeHwnd())
        m_pGrid->SetFocus();
}

void CTableView::OnGridFocusChanged(int row, int col)
{
    m_nFocusRow = row;
    m_nFocusCol = col;
    if (m_pGrid)
        m_pGrid->EnsureVisible(row, col);
}

BOOL CTableView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* nm = reinterpret_cast<const GridNotify*>(lParam);
    if (!m_pGrid || !nm || nm->hdr.hwndFrom != m_pGrid.get())
        return CView::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    switch (nm->hdr.code) {
    case GVN_BEGINEDIT:
        OnGridBeginEdit(nm->iRow, nm->iColumn, nm->lParam);
        return TRUE;
    case GVN_ENDEDIT: {
        // The flag belongs to this edit alone.
        const bool modified = m_pGrid->m_bModified != FALSE;
        m_pGrid->m_bModified = FALSE;
        OnGridEndEdit(nm->iRow, nm->iColumn, modified);
        ShowWhole(nm->iRow, nm->iColumn);
        return TRUE;
    }
    case GVN_FOCUSCHANGED:
        OnGridFocusChanged(nm->iRow, nm->iColumn);
        return TRUE;
    default:
        return TRUE;
    }
}

void CTableView::ShowWhole(int row, int col)
{
    if (!m_pGrid || !m_pGrid->IsValid(row, col))
        return;
    const CSize text = m_pGrid->GetTextExtent(m_pGrid->GetItemText(row, col), FALSE);
    if (text.cx > m_pGrid->GetColumnWidth(col)) {
        m_pGrid->AutoSizeColumn(col);
        m_pGrid->Invalidate();
    }
}

void CTableView::SetHeaderCell(int col, const std::string& text, COLORREF textColour, UINT format,
                               const LOGFONT* font)
{
    CGridItem item;
    item.row = 0;
    item.col = col;
    item.mask = GVIF_TEXT | GVIF_FGCLR | GVIF_FORMAT | (font ? UINT(GVIF_FONT) : 0u);
    item.text = text;
    item.fgColour = textColour;
    item.format = format;
    if (font)
        item.font = *font;
    m_pGrid->SetItem(&item);
}

void CTableView::SetBodyCell(int row, int col, const std::string& text, UINT state, UINT format,
                             COLORREF background, bool greyed)
{
    CGridItem item;
    item.row = row;
    item.col = col;
    item.mask = GVIF_TEXT | GVIF_STATE | GVIF_FORMAT | GVIF_BKCLR | GVIF_FGCLR;
    item.text = text;
    // The focus mark stays where the grid put it.
    item.state = state | (m_pGrid->GetItemState(row, col) & GVIS_FOCUSED);
    item.format = format;
    item.bkColour = background;
    item.fgColour = greyed ? m_crGrayText : CLR_GRID_DEFAULT;
    m_pGrid->SetItem(&item);
}

void CTableView::MarkRow(int row, int firstCol, int lastCol, bool mark)
{
    if (!m_pGrid || row < m_pGrid->GetFixedRowCount() || row >= m_pGrid->GetRowCount())
        return;
    for (int c = firstCol; c <= lastCol && c < m_pGrid->GetColumnCount(); ++c) {
        if (mark)
            m_pGrid->SetItemBkColour(row, c, kMarkedRowColour);
        else
            FormatCell(row, c);
    }
    m_pGrid->Invalidate();
    m_pGrid->UpdateWindow();
}

} // namespace common

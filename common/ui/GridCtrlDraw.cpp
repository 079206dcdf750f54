// CGridCtrl: mapping rows and columns to pixels, painting the fixed and the
// visible non-fixed cells, scroll bars and scrolling, and sizing rows and
// columns to their contents. Positions are found through cached row and
// column offsets, so a paint costs the same however long the table is.
#include "common/ui/GridCtrl.h"
#include "platform/ui/SysColor.h"

#include <algorithm>
#include <cstring>

namespace common {

namespace {

bool Intersects(const CRect& a, const CRect& clip)
{
    // Cell rectangles include their right and bottom pixel.
    return a.left < clip.right && a.right >= clip.left && a.top < clip.bottom && a.bottom >= clip.top;
}

bool SameFont(const LOGFONT& a, const LOGFONT& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut &&
           a.lfEscapement == b.lfEscapement && std::strcmp(a.lfFaceName, b.lfFaceName) == 0;
}

// First index i in [first, last) of the offsets whose value exceeds v.
int FirstBeyond(const std::vector<long long>& off, int first, int last, long long v)
{
    auto it = std::upper_bound(off.begin() + first, off.begin() + last, v);
    return static_cast<int>(it - off.begin());
}

} // namespace

CCellID CGridCtrl::GetTopLeftNonFixedCell() const
{
    const auto& rows = RowOffsets();
    const auto& cols = ColOffsets();
    // The first row whose bottom edge passes the scroll position.
    int r =
        FirstBeyond(rows, m_nFixedRows + 1, m_nRows + 1, rows[m_nFixedRows] + GetScrollPos32(SB_VERT)) - 1;
    int c =
        FirstBeyond(cols, m_nFixedCols + 1, m_nCols + 1, cols[m_nFixedCols] + GetScrollPos32(SB_HORZ)) - 1;
    r = std::max(m_nFixedRows, std::min(r, m_nRows - 1));
    c = std::max(m_nFixedCols, std::min(c, m_nCols - 1));
    return {r, c};
}

void CGridCtrl::GetVisibleNonFixedCellRange(CCellID& minCell, CCellID& maxCell) const
{
    CRect rect;
    GetClientRect(&rect);
    minCell = GetTopLeftNonFixedCell();
    const auto& rows = RowOffsets();
    const auto& cols = ColOffsets();
    // The range ends with the first row (column) that reaches the client edge.
    long long bottomTarget = rows[minCell.row] + (rect.bottom - GetFixedRowHeight());
    int r = static_cast<int>(std::lower_bound(rows.begin() + minCell.row + 1, rows.end(), bottomTarget) -
                             rows.begin()) -
            1;
    long long rightTarget = cols[minCell.col] + (rect.right - GetFixedColumnWidth());
    int c = static_cast<int>(std::lower_bound(cols.begin() + minCell.col + 1, cols.end(), rightTarget) -
                             cols.begin()) -
            1;
    maxCell = CCellID(std::min(r, m_nRows - 1), std::min(c, m_nCols - 1));
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, CPoint* p) const
{
    if (!IsValid(nRow, nCol) || !p)
        return FALSE;
    CCellID minCell, maxCell;
    if (nRow >= m_nFixedRows || nCol >= m_nFixedCols)
        GetVisibleNonFixedCellRange(minCell, maxCell);
    const auto& rows = RowOffsets();
    const auto& cols = ColOffsets();
    long long x, y;
    if (nCol < m_nFixedCols) {
        x = cols[nCol];
    } else {
        if (nCol < minCell.col || nCol > maxCell.col)
            return FALSE;
        x = cols[m_nFixedCols] + cols[nCol] - cols[minCell.col];
    }
    if (nRow < m_nFixedRows) {
        y = rows[nRow];
    } else {
        if (nRow < minCell.row || nRow > maxCell.row)
            return FALSE;
        y = rows[m_nFixedRows] + rows[nRow] - rows[minCell.row];
    }
    p->x = static_cast<int>(x);
    p->y = static_cast<int>(y);
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, CRect* r) const
{
    CPoint p;
    if (!r || !GetCellOrigin(nRow, nCol, &p))
        return FALSE;
    *r = CRect(p.x, p.y, p.x + m_arColWidths[nCol] - 1, p.y + m_arRowHeights[nRow] - 1);
    return TRUE;
}

CCellID CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck) const
{
    CCellID tl = GetTopLeftNonFixedCell();
    const auto& rows = RowOffsets();
    const auto& cols = ColOffsets();
    CCellID cell;
    const int fixedW = GetFixedColumnWidth(), fixedH = GetFixedRowHeight();
    if (point.x < 0 || (!bAllowFixedCellCheck && point.x < fixedW))
        cell.col = -1;
    else if (point.x < fixedW)
        cell.col = FirstBeyond(cols, 1, m_nFixedCols + 1, point.x) - 1;
    else {
        int c = FirstBeyond(cols, tl.col + 1, m_nCols + 1, cols[tl.col] + point.x - fixedW) - 1;
        cell.col = c >= m_nCols ? -1 : c;
    }
    if (point.y < 0 || (!bAllowFixedCellCheck && point.y < fixedH))
        cell.row = -1;
    else if (point.y < fixedH)
        cell.row = FirstBeyond(rows, 1, m_nFixedRows + 1, point.y) - 1;
    else {
        int r = FirstBeyond(rows, tl.row + 1, m_nRows + 1, rows[tl.row] + point.y - fixedH) - 1;
        cell.row = r >= m_nRows ? -1 : r;
    }
    return cell;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol) const
{
    CPoint p;
    if (!GetCellOrigin(nRow, nCol, &p))
        return FALSE;
    CRect rect;
    GetClientRect(&rect);
    return rect.PtInRect(p);
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return;
    CCellID minCell, maxCell;
    GetVisibleNonFixedCellRange(minCell, maxCell);
    if (nCol >= m_nFixedCols) {
        for (int c = maxCell.col; c < nCol; ++c)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        for (int c = minCell.col; c > nCol; --c)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    }
    if (nRow >= m_nFixedRows) {
        for (int r = maxCell.row; r < nRow; ++r)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        for (int r = minCell.row; r > nRow; --r)
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    }
    CRect rect, client;
    GetClientRect(&client);
    if (GetCellRect(nRow, nCol, &rect)) {
        if (rect.right > client.right)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        if (rect.bottom > client.bottom)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos) const
{
    SCROLLINFO si;
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!m_hWnd || !GetScrollInfo(nBar, &si, si.fMask))
        return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    if (!m_hWnd)
        return FALSE;
    SetScrollPos(nBar, nPos, bRedraw);
    return TRUE;
}

void CGridCtrl::ResetScrollBars()
{
    if (!m_bAllowDraw || !m_hWnd)
        return;
    CRect rect;
    GetClientRect(&rect);
    const int fixedH = GetFixedRowHeight(), fixedW = GetFixedColumnWidth();
    if (rect.Height() <= fixedH || rect.Width() <= fixedW)
        return;
    const int hPage = rect.Width() - fixedW;
    const int vPage = rect.Height() - fixedH - 5;
    const long long nonFixedH = GetVirtualHeight() - fixedH;
    const long long nonFixedW = GetVirtualWidth() - fixedW;
    // Vertically the last row must come fully into view; horizontally the
    // last column may end at the right edge.
    m_nVScrollMax = nonFixedH > vPage
                        ? static_cast<int>(std::max(0, GetRowHeight(GetTopLeftNonFixedCell().row)) +
                                           (nonFixedH - vPage) - 1)
                        : 0;
    m_nHScrollMax = nonFixedW > hPage ? static_cast<int>(nonFixedW - hPage) : 0;
    for (int bar : {SB_HORZ, SB_VERT}) {
        const int limit = bar == SB_HORZ ? m_nHScrollMax : m_nVScrollMax;
        const int page = std::max(1, bar == SB_HORZ ? hPage : vPage);
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        si.nMax = limit > 0 ? limit + page - 1 : 0;
        si.nPage = limit > 0 ? static_cast<UINT>(page) : 0;
        SetScrollInfo(bar, &si, TRUE);
    }
}

void CGridCtrl::InvalidateNonFixed(int nBar)
{
    CRect rect;
    GetClientRect(&rect);
    if (nBar == SB_HORZ)
        rect.left = GetFixedColumnWidth();
    else
        rect.top = GetFixedRowHeight();
    InvalidateRect(&rect, FALSE);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    if (GetFocus() != this)
        SetFocus();
    const int pos = GetScrollPos32(SB_HORZ);
    const CCellID tl = GetTopLeftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);
    const int pageStep = rect.Width() - GetFixedColumnWidth();
    switch (nSBCode) {
    case SB_LINERIGHT:
        if (pos < m_nHScrollMax) {
            SetScrollPos32(SB_HORZ, std::min(m_nHScrollMax, pos + GetColumnWidth(tl.col)));
            InvalidateNonFixed(SB_HORZ);
        }
        break;
    case SB_LINELEFT:
        if (pos > 0 && tl.col > m_nFixedCols) {
            SetScrollPos32(SB_HORZ, std::max(0, pos - GetColumnWidth(tl.col - 1)));
            InvalidateNonFixed(SB_HORZ);
        }
        break;
    case SB_PAGERIGHT:
        if (pos < m_nHScrollMax) {
            SetScrollPos32(SB_HORZ, std::min(m_nHScrollMax, pos + pageStep));
            InvalidateNonFixed(SB_HORZ);
        }
        break;
    case SB_PAGELEFT:
        if (pos > 0) {
            SetScrollPos32(SB_HORZ, std::max(0, pos - pageStep));
            InvalidateNonFixed(SB_HORZ);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPos32(SB_HORZ, GetScrollPos32(SB_HORZ, TRUE));
        InvalidateNonFixed(SB_HORZ);
        break;
    case SB_LEFT:
        if (pos > 0) {
            SetScrollPos32(SB_HORZ, 0);
            Invalidate();
        }
        break;
    case SB_RIGHT:
        if (pos < m_nHScrollMax) {
            SetScrollPos32(SB_HORZ, m_nHScrollMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
    const CCellID now = GetTopLeftNonFixedCell();
    SendMessageToParent(now.row, now.col, GVN_HSCROLL);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    if (GetFocus() != this)
        SetFocus();
    const int pos = GetScrollPos32(SB_VERT);
    const CCellID tl = GetTopLeftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);
    const int pageStep = rect.Height() - GetFixedRowHeight();
    switch (nSBCode) {
    case SB_LINEDOWN:
        if (pos < m_nVScrollMax) {
            SetScrollPos32(SB_VERT, std::min(m_nVScrollMax, pos + GetRowHeight(tl.row)));
            InvalidateNonFixed(SB_VERT);
        }
        break;
    case SB_LINEUP:
        if (pos > 0 && tl.row > m_nFixedRows) {
            SetScrollPos32(SB_VERT, std::max(0, pos - GetRowHeight(tl.row - 1)));
            InvalidateNonFixed(SB_VERT);
        }
        break;
    case SB_PAGEDOWN:
        if (pos < m_nVScrollMax) {
            SetScrollPos32(SB_VERT, std::min(m_nVScrollMax, pos + pageStep));
            InvalidateNonFixed(SB_VERT);
        }
        break;
    case SB_PAGEUP:
        if (pos > 0) {
            SetScrollPos32(SB_VERT, std::max(0, pos - pageStep));
            InvalidateNonFixed(SB_VERT);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPos32(SB_VERT, GetScrollPos32(SB_VERT, TRUE));
        InvalidateNonFixed(SB_VERT);
        break;
    case SB_TOP:
        if (pos > 0) {
            SetScrollPos32(SB_VERT, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (pos < m_nVScrollMax) {
            SetScrollPos32(SB_VERT, m_nVScrollMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    if (GetFocus() != this && IsWindowVisible())
        SetFocus();
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars();
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bAllowDraw)
        return;
    const CRect rc = dc.m_ps.rcPaint;
    if (!m_bDoubleBuffer || rc.IsRectEmpty()) {
        OnDraw(&dc);
        return;
    }
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
    CBitmap* old = mem.SelectObject(&bmp);
    mem.SetWindowOrg(rc.left, rc.top);
    OnDraw(&mem);
    dc.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &mem, rc.left, rc.top, SRCCOPY);
    mem.SelectObject(old);
}

void CGridCtrl::FillBackground(CDC* pDC, const CRect& clip)
{
    CRect client;
    GetClientRect(&client);
    const int fixedW = GetFixedColumnWidth(), fixedH = GetFixedRowHeight();
    CCellID minCell, maxCell;
    GetVisibleNonFixedCellRange(minCell, maxCell);
    const auto& rows = RowOffsets();
    const auto& cols = ColOffsets();
    // Right and bottom ends of the cells actually shown.
    int right = fixedW, bottom = fixedH;
    if (m_nCols > m_nFixedCols)
        right = static_cast<int>(
            std::min<long long>(client.right, fixedW + cols[maxCell.col + 1] - cols[minCell.col]));
    if (m_nRows > m_nFixedRows)
        bottom = static_cast<int>(
            std::min<long long>(client.bottom, fixedH + rows[maxCell.row + 1] - rows[minCell.row]));
    CRect r = clip;
    pDC->FillSolidRect(&r, m_crOutsideColour);
    CRect fixedTop(0, 0, right, fixedH), fixedLeft(0, 0, fixedW, bottom),
        cells(fixedW, fixedH, right, bottom);
    if (!fixedTop.IsRectEmpty())
        pDC->FillSolidRect(&fixedTop, m_crFixedBkColour);
    if (!fixedLeft.IsRectEmpty())
        pDC->FillSolidRect(&fixedLeft, m_crFixedBkColour);
    if (!cells.IsRectEmpty() && m_crBkColour != CLR_GRID_DEFAULT)
        pDC->FillSolidRect(&cells, m_crBkColour);
}

void CGridCtrl::OnDraw(CDC* pDC)
{
    CRect clip;
    if (pDC->GetClipBox(&clip) == NULLREGION)
        return;
    FillBackground(pDC, clip);
    if (m_nRows == 0 || m_nCols == 0)
        return;
    CCellID minCell, maxCell;
    GetVisibleNonFixedCellRange(minCell, maxCell);
    const int fixedW = GetFixedColumnWidth(), fixedH = GetFixedRowHeight();

    auto drawBand = [&](int r0, int r1, int y0, int c0, int c1, int x0, bool fixed) {
        int y = y0;
        for (int r = r0; r <= r1; ++r) {
            const int h = m_arRowHeights[r];
            int x = x0;
            if (y > clip.bottom)
                break;
            for (int c = c0; c <= c1; ++c) {
                const int w = m_arColWidths[c];
                CRect rect(x, y, x + w - 1, y + h - 1);
                if (x > clip.right)
                    break;
                if (Intersects(rect, clip)) {
                    if (fixed)
                        DrawFixedCell(pDC, r, c, rect);
                    else
                        DrawCell(pDC, r, c, rect);
                }
                x += w;
            }
            y += h;
        }
    };
    const bool hasRows = m_nRows > m_nFixedRows, hasCols = m_nCols > m_nFixedCols;
    drawBand(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0, true);
    if (hasRows)
        drawBand(minCell.row, maxCell.row, fixedH, 0, m_nFixedCols - 1, 0, true);
    if (hasCols)
        drawBand(0, m_nFixedRows - 1, 0, minCell.col, maxCell.col, fixedW, true);
    if (hasRows && hasCols)
        drawBand(minCell.row, maxCell.row, fixedH, minCell.col, maxCell.col, fixedW, false);
    DrawLines(pDC, minCell, maxCell);
}

void CGridCtrl::DrawLines(CDC* pDC, const CCellID& minCell, const CCellID& maxCell)
{
    if (m_nGridLines == 0)
        return;
    const auto& rows = RowOffsets();
    const auto& cols = ColOffsets();
    const int fixedW = GetFixedColumnWidth(), fixedH = GetFixedRowHeight();
    const bool hasRows = m_nRows > m_nFixedRows, hasCols = m_nCols > m_nFixedCols;
    const int right = hasCols ? static_cast<int>(fixedW + cols[maxCell.col + 1] - cols[minCell.col]) : fixedW;
    const int bottom =
        hasRows ? static_cast<int>(fixedH + rows[maxCell.row + 1] - rows[minCell.row]) : fixedH;
    CPen pen(PS_SOLID, 1, m_crGridColour);
    CPen* old = pDC->SelectObject(&pen);
    if (m_nGridLines == 1 || m_nGridLines == 3) {
        int y = fixedH - 1;
        for (int r = minCell.row; hasRows && r <= maxCell.row; ++r) {
            y += m_arRowHeights[r];
            pDC->MoveTo(fixedW, y);
            pDC->LineTo(right, y);
        }
    }
    if (m_nGridLines == 2 || m_nGridLines == 3) {
        int x = fixedW - 1;
        for (int c = minCell.col; hasCols && c <= maxCell.col; ++c) {
            x += m_arColWidths[c];
            pDC->MoveTo(x, fixedH);
            pDC->LineTo(x, bottom);
        }
    }
    pDC->SelectObject(old);
}

// Fills the cell's background: solid, or with its 8x8 pattern inside a rim
// of 4 pixels of the solid colour.
BOOL CGridCtrl::PaintCellBackground(CDC* pDC, CGridCell* cell, const CRect& rect, COLORREF bk, COLORREF fg)
{
    CRect r(rect.left, rect.top, rect.right, rect.bottom);
    if (bk != CLR_GRID_DEFAULT)
        pDC->FillSolidRect(&r, bk);
    if (cell->state & GVIS_PATTERN) {
        CBrush brush;
        brush.CreatePatternBrush(cell->pattern);
        COLORREF oldBk = pDC->SetBkColor(bk == CLR_GRID_DEFAULT ? m_crBkColour : bk);
        COLORREF oldText = pDC->SetTextColor(fg);
        CPoint org(0, 0);
        pDC->LPtoDP(&org);
        pDC->SetBrushOrg(org);
        CRect inner = r;
        inner.DeflateRect(4, 4);
        if (!inner.IsRectEmpty())
            pDC->FillRect(&inner, &brush);
        pDC->SetBkColor(oldBk);
        pDC->SetTextColor(oldText);
    }
    return TRUE;
}

void CGridCtrl::DrawCellContent(CDC* pDC, CGridCell* cell, CRect rect, COLORREF fg, bool bold)
{
    CFont tempFont;
    CFont* font = &m_Font;
    if (bold || !SameFont(cell->font, m_Logfont)) {
        LOGFONT lf = cell->font;
        if (bold)
            lf.lfWeight = FW_SEMIBOLD;
        tempFont.CreateFontIndirect(&lf);
        font = &tempFont;
    }
    CFont* oldFont = pDC->SelectObject(font);
    rect.DeflateRect(m_nMargin, 0);
    if (m_pImageList && cell->image >= 0) {
        IMAGEINFO info;
        if (m_pImageList->GetImageInfo(cell->image, &info)) {
            const int h = info.rcImage.Height(), w = info.rcImage.Width();
            m_pImageList->Draw(pDC, cell->image, CPoint(rect.left, rect.top + (rect.Height() - h) / 2),
                               ILD_NORMAL);
            rect.left += w + m_nMargin;
        }
    }
    pDC->SetTextColor(fg);
    pDC->SetBkMode(TRANSPARENT);
    if (!cell->text.empty())
        pDC->DrawText(cell->text, &rect, cell->format);
    pDC->SelectObject(oldFont);
}

BOOL CGridCtrl::DrawCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!m_bAllowDraw || !cell)
        return FALSE;
    const COLORREF bk = cell->bkColour == CLR_GRID_DEFAULT ? m_crBkColour : cell->bkColour;
    const COLORREF fg = cell->fgColour == CLR_GRID_DEFAULT ? m_crTextColour : cell->fgColour;
    const bool paintBk = bk != CLR_GRID_DEFAULT || bEraseBk;
    const COLORREF fill = bk == CLR_GRID_DEFAULT ? GetSysColor(COLOR_WINDOW) : bk;
    const bool printing = pDC->IsPrinting();
    if ((cell->state & (GVIS_FOCUSED | GVIS_SELECTED)) && !printing) {
        rect.right++;
        rect.bottom++;
        if (paintBk)
            PaintCellBackground(pDC, cell, rect, fill, fg);
        CBrush hollow;
        hollow.CreateNullBrush();
        CPen pen(PS_SOLID, 1, fg);
        CPen* oldPen = pDC->SelectObject(&pen);
        CBrush* oldBrush = pDC->SelectObject(&hollow);
        CRect frame = rect;
        frame.DeflateRect(1, 1);
        pDC->Rectangle(&frame);
        if (m_nFocusFrameStyle == 2) {
            frame.DeflateRect(2, 2);
            pDC->Rectangle(&frame);
        }
        pDC->SelectObject(oldBrush);
        pDC->SelectObject(oldPen);
        rect.DeflateRect(1, 1);
    } else if (paintBk) {
        CRect r(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        PaintCellBackground(pDC, cell, r, fill, fg);
    }
    if ((cell->state & GVIS_MARKED) && !printing) {
        CBrush hollow;
        hollow.CreateNullBrush();
        CPen pen(PS_SOLID, 1, fg);
        CPen* oldPen = pDC->SelectObject(&pen);
        CBrush* oldBrush = pDC->SelectObject(&hollow);
        CRect frame(rect.left + 2, rect.top + 2, rect.right - 1, rect.bottom - 1);
        pDC->Rectangle(&frame);
        pDC->SelectObject(oldBrush);
        pDC->SelectObject(oldPen);
    }
    DrawCellContent(pDC, cell, rect, fg, false);
    return TRUE;
}

BOOL CGridCtrl::DrawFixedCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!m_bAllowDraw || !cell)
        return FALSE;
    const COLORREF fg = cell->fgColour == CLR_GRID_DEFAULT ? m_crFixedTextColour : cell->fgColour;
    if (cell->bkColour != CLR_GRID_DEFAULT || bEraseBk) {
        CRect r(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        COLORREF bk = cell->bkColour == CLR_GRID_DEFAULT ? m_crFixedBkColour : cell->bkColour;
        if (bk != CLR_GRID_DEFAULT)
            pDC->FillSolidRect(&r, bk);
    }
    CRect edge(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    pDC->DrawEdge(&edge, EDGE_RAISED, BF_RECT);
    const bool bold = m_nBoldFocusHeaders == 1 && !pDC->IsPrinting() &&
                      (nRow == m_idCurrentCell.row || nCol == m_idCurrentCell.col);
    DrawCellContent(pDC, cell, rect, fg, bold);
    return TRUE;
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    CRect rect;
    if (!m_bAllowDraw || !IsValid(nRow, nCol) || !m_hWnd || !GetCellRect(nRow, nCol, &rect))
        return FALSE;
    // Drawing happens at the next paint; only the cell's area is redone.
    if (!pDC) {
        InvalidateCellRect(nRow, nCol);
        return TRUE;
    }
    const bool fixed = nRow < m_nFixedRows || nCol < m_nFixedCols;
    BOOL ok = fixed ? DrawFixedCell(pDC, nRow, nCol, rect, TRUE) : DrawCell(pDC, nRow, nCol, rect, TRUE);
    if (!fixed && m_nGridLines != 0) {
        CPen pen(PS_SOLID, 1, m_crGridColour);
        CPen* old = pDC->SelectObject(&pen);
        if (m_nGridLines == 1 || m_nGridLines == 3) {
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nGridLines == 2 || m_nGridLines == 3) {
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom + 1);
        }
        pDC->SelectObject(old);
    }
    return ok;
}

void CGridCtrl::InvalidateCellRect(int nRow, int nCol)
{
    CRect rect;
    if (!m_hWnd || !m_bAllowDraw || !GetCellRect(nRow, nCol, &rect))
        return;
    CRect r(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    InvalidateRect(&r, FALSE);
}

CSize CGridCtrl::GetTextExtent(const std::string& text, BOOL bBold)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 8, 8);
    CBitmap* oldBmp = dc.SelectObject(&bmp);
    CFont bold;
    CFont* font = &m_Font;
    if (bBold) {
        LOGFONT lf = m_Logfont;
        lf.lfWeight = FW_SEMIBOLD;
        bold.CreateFontIndirect(&lf);
        font = &bold;
    }
    CFont* old = dc.SelectObject(font);
    // The line with the most characters is measured; the height counts lines.
    std::string longest;
    int lines = 0;
    std::size_t start = 0;
    while (true) {
        std::size_t nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (line.size() > longest.size())
            longest = line;
        ++lines;
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
    CSize size = dc.GetTextExtent(longest.empty() ? std::string(" ") : longest);
    if (longest.empty())
        size.cx = 0;
    size.cy *= lines;
    dc.SelectObject(old);
    dc.SelectObject(oldBmp);
    return size;
}

CSize CGridCtrl::GetCellExtent(int nRow, int nCol, CDC*)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return {0, 0};
    CSize size = GetTextExtent(cell->text, TRUE);
    size.cx += 4 * m_nMargin;
    size.cy += 2 * m_nMargin;
    if (m_pImageList && cell->image >= 0) {
        IMAGEINFO info;
        if (m_pImageList->GetImageInfo(cell->image, &info)) {
            size.cx += info.rcImage.Width();
            size.cy = std::max<int>(size.cy, info.rcImage.Height());
        }
    }
    return size;
}

void CGridCtrl::AutoSizeColumn(int nCol)
{
    if (nCol < 0 || nCol >= m_nCols)
        return;
    int width = 0;
    for (int r = 0; r < m_nRows; ++r)
        width = std::max<int>(width, GetCellExtent(r, nCol, nullptr).cx);
    SetColumnWidth(nCol, width);
    ResetScrollBars();
    if (m_hWnd && m_bAllowDraw)
        Invalidate();
}

void CGridCtrl::AutoSizeRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return;
    int height = 0;
    for (int c = 0; c < m_nCols; ++c)
        height = std::max<int>(height, GetCellExtent(nRow, c, nullptr).cy);
    SetRowHeight(nRow, height);
    ResetScrollBars();
    if (m_hWnd && m_bAllowDraw)
        Invalidate();
}

void CGridCtrl::AutoSize()
{
    std::fill(m_arColWidths.begin(), m_arColWidths.end(), 0);
    std::fill(m_arRowHeights.begin(), m_arRowHeights.end(), 0);
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
            CSize s = GetCellExtent(r, c, nullptr);
            m_arColWidths[c] = std::max<int>(m_arColWidths[c], s.cx);
            m_arRowHeights[r] = std::max<int>(m_arRowHeights[r], s.cy);
        }
    m_rowOffsetsDirty = m_colOffsetsDirty = true;
    ResetScrollBars();
    if (m_hWnd && m_bAllowDraw)
        Invalidate();
}

namespace {
// Spreads d pixels over the sizes: d / n each, the remainder one pixel
// each over the first ones.
void Spread(std::vector<int>& sizes, long long d)
{
    const long long n = static_cast<long long>(sizes.size());
    const long long each = d / n, rest = d % n;
    for (long long i = 0; i < n; ++i) {
        long long s = sizes[i] + each;
        if (rest > 0 && i < rest)
            ++s;
        if (rest < 0 && i < -rest)
            --s;
        sizes[i] = static_cast<int>(std::max<long long>(0, s));
    }
}
} // namespace

void CGridCtrl::ExpandColumnsToFit()
{
    if (m_nCols <= 0 || !m_hWnd)
        return;
    CRect rect;
    GetClientRect(&rect);
    const long long d = rect.Width() - GetVirtualWidth() - 1;
    if (d != 0)
        Spread(m_arColWidths, d);
    m_colOffsetsDirty = true;
    ResetScrollBars();
    if (m_bAllowDraw)
        Invalidate();
}

void CGridCtrl::ExpandRowsToFit()
{
    if (m_nRows <= 0 || !m_hWnd)
        return;
    CRect rect;
    GetClientRect(&rect);
    const long long d = rect.Height() - GetVirtualHeight() - 6;
    if (d != 0)
        Spread(m_arRowHeights, d);
    m_rowOffsetsDirty = true;
    ResetScrollBars();
    if (m_bAllowDraw)
        Invalidate();
}

void CGridCtrl::ExpandToFit()
{
    ExpandColumnsToFit();
    ExpandRowsToFit();
    ExpandColumnsToFit();
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), window = GetSysColor(COLOR_WINDOW),
                   face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (m_crTextColour == m_crSysText)
        m_crTextColour = text;
    if (m_crFixedTextColour == m_crSysText)
        m_crFixedTextColour = text;
    if (m_crBkColour == m_crSysWindow)
        m_crBkColour = window;
    if (m_crOutsideColour == m_crSysShadow)
        m_crOutsideColour = shadow;
    if (m_crFixedBkColour == m_crSysFace)
        m_crFixedBkColour = face;
    m_crSysText = text;
    m_crSysWindow = window;
    m_crSysFace = face;
    m_crSysShadow = shadow;
}

void CGridCtrl::OnSettingChange(UINT uFlags, const char* lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    OnSysColorChange();
}

} // namespace common

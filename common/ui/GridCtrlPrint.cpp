// CGridCtrl: copying the focus cell's text to the clipboard, pasting into it
// under the same rules as typing, and printing the whole table over as many
// pages as its rows need, with header, repeated fixed rows and footer.
#include "common/ui/GridCtrl.h"
#include "common/ui/GridInPlaceEdit.h"
#include "platform/ui/App.h"

#include <cstdlib>
#include <ctime>

namespace common {

BOOL CGridCtrl::CopyTextFromGrid(std::string& text)
{
    CGridCell* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (!cell || (cell->state & GVIS_NO_CLIPBOARD))
        return FALSE;
    text = GetItemText(m_idCurrentCell.row, m_idCurrentCell.col);
    if (text.empty())
        text.assign(1, ' ');
    return TRUE;
}

void CGridCtrl::OnEditCopy()
{
    if (GetFocus() != this)
        return;
    std::string text;
    if (CopyTextFromGrid(text))
        platform::SetClipboardText(text);
}

void CGridCtrl::OnEditPaste()
{
    if (GetFocus() != this || !m_bEditEnabled)
        return;
    CCellID target = m_idCurrentCell;
    if (!IsValidCell(target))
        target = GetTopLeftNonFixedCell();
    if (IsValidCell(target) && platform::ClipboardHasText())
        PasteTextToGrid(target.row, target.col, platform::GetClipboardText());
}

BOOL CGridCtrl::PasteTextToGrid(int nRow, int nCol, const std::string& clipboard)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell || (cell->state & GVIS_NO_CLIPBOARD))
        return FALSE;
    const std::string text = clipboard.substr(0, clipboard.find('\0'));
    if (text.empty())
        return FALSE;
    if (cell->state & GVIS_NUMERIC_MASK) {
        // A numeric cell takes only what could have been typed into its
        // editor, and no value of zero.
        if (!NumEditAcceptsText(EditorKindOfState(cell->state), text) || std::atof(text.c_str()) == 0.0)
            return FALSE;
    }
    SendMessageToParentEx(nRow, nCol, GVN_BEGINEDIT, 0);
    cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->text = text;
    m_bModified = TRUE;
    SendMessageToParent(nRow, nCol, GVN_ENDEDIT);
    if ((cell = GetCell(nRow, nCol)) != nullptr)
        cell->state &= ~GVIS_SELECTED;
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    m_PrinterFont = std::make_unique<CFont>();
    m_PrinterFont->CreateFont(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                              "Times New Roman");
    CFont* old = pDC->SelectObject(m_PrinterFont.get());
    const CSize extent = pDC->GetTextExtent("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");
    m_CharSize = std::max(1, static_cast<int>(extent.cx / 52));
    m_CharHeight = std::max(1, static_cast<int>(extent.cy));
    m_PageWidth = pDC->GetDeviceCaps(HORZRES);
    m_PageHeight = pDC->GetDeviceCaps(VERTRES);
    m_LogicalPageWidth = static_cast<int>(10LL * m_CharSize + GetVirtualWidth());
    m_LogicalPageHeight =
        m_PageWidth > 0
            ? static_cast<int>(static_cast<long long>(m_LogicalPageWidth) * m_PageHeight / m_PageWidth)
            : 0;
    m_nPageHeight = m_LogicalPageHeight - 8 * m_CharHeight - GetFixedRowHeight();
    // Pages: a row that does not fit starts the next page.
    UINT pages = 1;
    long long used = 0;
    for (int r = m_nFixedRows; r < m_nRows; ++r) {
        used += m_arRowHeights[r];
        if (used > m_nPageHeight && used != m_arRowHeights[r]) {
            ++pages;
            used = m_arRowHeights[r];
        }
    }
    pInfo->SetMaxPage(pages);
    pInfo->m_nCurPage = 1;
    pDC->SelectObject(old);
}

int CGridCtrl::PrintRowsStart(int page) const
{
    int p = 1;
    long long used = 0;
    for (int r = m_nFixedRows; r < m_nRows; ++r) {
        used += m_arRowHeights[r];
        if (used > m_nPageHeight && used != m_arRowHeights[r]) {
            ++p;
            used = m_arRowHeights[r];
        }
        if (p == page)
            return r;
    }
    return m_nRows;
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo, const std::string& note)
{
    if (!pDC || !pInfo || !m_PrinterFont)
        return;
    CFont* oldFont = pDC->SelectObject(m_PrinterFont.get());
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageWidth, m_LogicalPageHeight);
    pDC->SetViewportExt(m_PageWidth, m_PageHeight);
    pDC->SetWindowOrg(-6 * m_CharSize, 0);

    CRect header(0, 0, m_LogicalPageWidth - 10 * m_CharSize, 3 * m_CharHeight);
    pInfo->m_rectDraw = header;
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -4 * m_CharHeight);
    pInfo->m_rectDraw.bottom = GetFixedRowHeight();
    PrintFixedCells(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    const int first = PrintRowsStart(static_cast<int>(pInfo->m_nCurPage));
    CPen pen(PS_SOLID, 1, m_crGridColour);
    CPen* oldPen = pDC->SelectObject(&pen);
    const int right = static_cast<int>(GetVirtualWidth());
    int y = 0;
    int r = first;
    for (; r < m_nRows; ++r) {
        const int h = m_arRowHeights[r];
        if (y + h > m_nPageHeight && r != first)
            break;
        int x = 0;
        for (int c = 0; c < m_nCols; ++c) {
            const int w = m_arColWidths[c];
            CRect rect(x, y, x + w - 1, y + h - 1);
            if (r < m_nFixedRows || c < m_nFixedCols)
                DrawFixedCell(pDC, r, c, rect, TRUE);
            else
                DrawCell(pDC, r, c, rect, TRUE);
            x += w;
        }
        if (m_nGridLines == 1 || m_nGridLines == 3) {
            if (r == first) {
                pDC->MoveTo(0, y);
                pDC->LineTo(right, y);
            }
            pDC->MoveTo(0, y + h - 1);
            pDC->LineTo(right, y + h - 1);
        }
        if (m_nGridLines == 2 || m_nGridLines == 3) {
            pDC->MoveTo(0, y);
            pDC->LineTo(0, y + h);
            int lx = 0;
            for (int c = 0; c < m_nCols; ++c) {
                lx += m_arColWidths[c];
                pDC->MoveTo(lx - 1, y);
                pDC->LineTo(lx - 1, y + h);
            }
        }
        y += h;
    }
    pDC->SelectObject(oldPen);

    const int top = 4 * m_CharHeight + GetFixedRowHeight();
    if (!note.empty()) {
        CFont noteFont;
        const LOGFONT* lf = GetItemFont(0, 1);
        noteFont.CreateFontIndirect(lf ? lf : &m_Logfont);
        CFont* old = pDC->SelectObject(&noteFont);
        CRect band(0, y + m_CharHeight, header.right, m_LogicalPageHeight - top - 3 * m_CharHeight);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(note, &band, DT_WORDBREAK | DT_EXPANDTABS);
        pDC->SelectObject(old);
    }
    // The footer band ends at the bottom of the logical page.
    pDC->SetWindowOrg(-6 * m_CharSize, 0);
    pInfo->m_rectDraw = CRect(0, m_LogicalPageHeight - 3 * m_CharHeight, header.right, m_LogicalPageHeight);
    PrintFooter(pDC, pInfo);
    pDC->SelectObject(oldFont);
}

void CGridCtrl::PrintFixedCells(CDC* pDC, CPrintInfo*)
{
    const int right = static_cast<int>(GetVirtualWidth());
    CPen pen(PS_SOLID, 1, m_crGridColour);
    CPen* oldPen = pDC->SelectObject(&pen);
    int y = 0;
    for (int r = 0; r < m_nFixedRows; ++r) {
        const int h = m_arRowHeights[r];
        int x = 0;
        for (int c = 0; c < m_nCols; ++c) {
            const int w = m_arColWidths[c];
            DrawFixedCell(pDC, r, c, CRect(x, y, x + w - 1, y + h - 1), TRUE);
            if (m_nGridLines == 2 || m_nGridLines == 3) {
                pDC->MoveTo(x + w - 1, y);
                pDC->LineTo(x + w - 1, y + h);
            }
            x += w;
        }
        if (m_nGridLines == 1 || m_nGridLines == 3) {
            pDC->MoveTo(0, y + h - 1);
            pDC->LineTo(right, y + h - 1);
        }
        y += h;
    }
    pDC->SelectObject(oldPen);
}

namespace {
std::unique_ptr<CFont> BoldCopy(const CFont* font)
{
    LOGFONT lf;
    font->GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    auto bold = std::make_unique<CFont>();
    bold->CreateFontIndirect(&lf);
    return bold;
}
} // namespace

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    auto bold = BoldCopy(m_PrinterFont.get());
    CFont* old = pDC->SelectObject(bold.get());
    pDC->SetBkMode(TRANSPARENT);
    CRect rect = pInfo->m_rectDraw;
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_BOTTOM;
    CWinApp* app = AfxGetApp();
    pDC->DrawText(app ? app->m_pszAppName : std::string(), &rect, flags | DT_RIGHT);
    rect = pInfo->m_rectDraw;
    pDC->DrawText("Building physics software", &rect, flags | DT_LEFT);
    std::string caption;
    for (CWnd* w = GetParent(); w && caption.empty(); w = w->GetParent())
        caption = w->GetWindowText();
    rect = pInfo->m_rectDraw;
    pDC->DrawText(caption, &rect, flags | DT_CENTER);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(pInfo->m_rectDraw.left, pInfo->m_rectDraw.bottom);
    pDC->LineTo(pInfo->m_rectDraw.right, pInfo->m_rectDraw.bottom);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(old);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rect = pInfo->m_rectDraw;
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right, rect.top);
    pDC->SelectObject(oldPen);
    auto bold = BoldCopy(m_PrinterFont.get());
    CFont* old = pDC->SelectObject(bold.get());
    pDC->SetBkMode(TRANSPARENT);
    rect.OffsetRect(0, m_CharHeight / 2);
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
    char page[64];
    std::snprintf(page, sizeof page, "Page %u of %u", pInfo->m_nCurPage, pInfo->GetMaxPage());
    CRect r = rect;
    pDC->DrawText(page, &r, flags | DT_LEFT);
    char when[128];
    const std::time_t now = std::time(nullptr);
    std::strftime(when, sizeof when, "%c", std::localtime(&now));
    r = rect;
    pDC->DrawText(when, &r, flags | DT_RIGHT);
    pDC->SelectObject(old);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_PrinterFont.reset();
}

} // namespace common

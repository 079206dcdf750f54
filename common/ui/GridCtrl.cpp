// CGridCtrl: construction, the table of cells, row and column sizes and the
// cell accessors.
#include "common/ui/GridCtrl.h"

#include "platform/ui/SysColor.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace common {

namespace {
constexpr const char* kGridClass = "ExGridCtrl";
}

int EditorKindOfState(UINT state)
{
    if (state & GVIS_TEXT)
        return 4;
    if (state & GVIS_REAL)
        return 0;
    if (state & GVIS_POSITIVE_REAL)
        return 1;
    if (state & GVIS_INTEGER)
        return 2;
    if (state & GVIS_UNSIGNED)
        return 3;
    return 4;
}

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    RegisterWindowClass();
    m_crSysText = GetSysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = GetSysColor(COLOR_WINDOW);
    m_crSysFace = GetSysColor(COLOR_BTNFACE);
    m_crSysShadow = GetSysColor(COLOR_BTNSHADOW);
    m_crTextColour = m_crSysText;
    m_crBkColour = m_crSysWindow;
    m_crOutsideColour = m_crSysShadow;
    m_crFixedTextColour = m_crSysText;
    m_crFixedBkColour = m_crSysFace;
    m_classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    GetMessageFont(&m_Logfont);
    ApplyFont(m_Logfont);
    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
}

CGridCtrl::~CGridCtrl()
{
    DeleteAllItems();
    DestroyWindow();
}

BOOL CGridCtrl::RegisterWindowClass()
{
    if (GetClassInfo(kGridClass, nullptr))
        return TRUE;
    WNDCLASS wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hbrBackground = COLOR_BTNFACE + 1;
    wc.lpszClassName = kGridClass;
    return AfxRegisterClass(&wc);
}

BOOL CGridCtrl::Create(const CRect& rect, CWnd* parent, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(kGridClass, nullptr, dwStyle, rect, parent, nID))
        return FALSE;
    if (m_bTitleTips)
        m_TitleTip.Create(this);
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SubclassWindow(UINT nID, CWnd* pDialog)
{
    return SubclassDlgItem(nID, pDialog);
}

void CGridCtrl::PreSubclassWindow()
{
    if (m_bTitleTips)
        m_TitleTip.Create(this);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_Font), FALSE);
    ResetScrollBars();
}

void DDX_GridControl(CDataExchange* pDX, UINT nIDC, CGridCtrl& grid)
{
    if (grid.GetSafeHwnd())
        return;
    if (!grid.SubclassWindow(nIDC, pDX->m_pDlgWnd))
        throw std::runtime_error("the grid control cannot take over its dialog control");
}

// The font becomes the grid's: every cell takes it, and the margin and the
// defaults for new rows and columns follow its size.
void CGridCtrl::ApplyFont(const LOGFONT& lf)
{
    m_Logfont = lf;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(&m_Logfont);
    for (auto& row : m_RowData)
        for (auto& cell : row)
            cell->font = m_Logfont;
    CDC dc;
    CBitmap bmp;
    dc.CreateCompatibleDC(nullptr);
    bmp.CreateCompatibleBitmap(&dc, 8, 8);
    CBitmap* oldBmp = dc.SelectObject(&bmp);
    CFont* old = dc.SelectObject(&m_Font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    m_nMargin = dc.GetTextExtent(" ").cx;
    m_nDefRowHeight = tm.tmHeight + 2 * m_nMargin + tm.tmExternalLeading;
    m_nDefColWidth = 2 * (m_nMargin + 6 * tm.tmAveCharWidth);
    dc.SelectObject(old);
    dc.SelectObject(oldBmp);
}

LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT: {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        auto* font = reinterpret_cast<CFont*>(wParam);
        if (font && font != &m_Font) {
            LOGFONT lf;
            font->GetLogFont(&lf);
            ApplyFont(lf);
        }
        if (m_hWnd)
            Invalidate();
        return r;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(&m_Font);
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

CGridCell* CGridCtrl::CreateCell(int nRow, int nCol)
{
    auto* cell = new CGridCell;
    cell->font = m_Logfont;
    if (nRow > 0 && nCol >= 0 && nCol < static_cast<int>(m_RowData[nRow - 1].size()))
        cell->format = m_RowData[nRow - 1][nCol]->format;
    return cell;
}

void CGridCtrl::DestroyCell(CGridCell* cell, int, int)
{
    cell->state = 0;
    cell->text.clear();
}

void CGridCtrl::DestroyRow(int nRow)
{
    auto& row = m_RowData[nRow];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) {
        DestroyCell(row[c].get(), nRow, c);
        row[c].reset();
    }
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    nRows = std::max(nRows, 0);
    if (nRows == m_nRows)
        return TRUE;
    m_nFixedRows = std::min(m_nFixedRows, nRows);
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(CCellID(-1, -1));
    for (int r = nRows; r < m_nRows; ++r)
        DestroyRow(r);
    const int old = m_nRows;
    m_RowData.resize(nRows);
    m_arRowHeights.resize(nRows, m_nDefRowHeight);
    m_nRows = nRows;
    for (int r = old; r < nRows; ++r) {
        m_RowData[r].reserve(m_nCols);
        for (int c = 0; c < m_nCols; ++c)
            m_RowData[r].emplace_back(CreateCell(r, c));
    }
    m_rowOffsetsDirty = true;
    if (m_hWnd && m_bAllowDraw) {
        ResetScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    nCols = std::max(nCols, 0);
    if (nCols == m_nCols)
        return TRUE;
    m_nFixedCols = std::min(m_nFixedCols, nCols);
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(CCellID(-1, -1));
    const int old = m_nCols;
    for (int r = 0; r < m_nRows; ++r) {
        auto& row = m_RowData[r];
        for (int c = nCols; c < old; ++c)
            DestroyCell(row[c].get(), r, c);
        row.resize(std::min(old, nCols));
    }
    m_arColWidths.resize(nCols, m_nDefColWidth);
    m_nCols = nCols;
    for (int r = 0; r < m_nRows; ++r)
        for (int c = old; c < nCols; ++c)
            m_RowData[r].emplace_back(CreateCell(r, c));
    m_colOffsetsDirty = true;
    if (m_hWnd && m_bAllowDraw) {
        ResetScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    nFixedRows = std::max(nFixedRows, 0);
    if (nFixedRows > m_nRows)
        SetRowCount(nFixedRows);
    if (m_idCurrentCell.row >= 0 && m_idCurrentCell.row < nFixedRows)
        SetFocusCell(CCellID(-1, -1));
    m_nFixedRows = nFixedRows;
    if (m_hWnd && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    nFixedCols = std::max(nFixedCols, 0);
    if (nFixedCols > m_nCols)
        SetColumnCount(nFixedCols);
    if (m_idCurrentCell.col >= 0 && m_idCurrentCell.col < nFixedCols)
        SetFocusCell(CCellID(-1, -1));
    m_nFixedCols = nFixedCols;
    if (m_hWnd && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

int CGridCtrl::InsertRow(const std::string& heading, int nBeforeRow)
{
    if (nBeforeRow < 0 || nBeforeRow > m_nRows)
        return -1;
    if (m_nCols == 0)
        SetColumnCount(1);
    m_RowData.emplace(m_RowData.begin() + nBeforeRow);
    m_arRowHeights.insert(m_arRowHeights.begin() + nBeforeRow, m_nDefRowHeight);
    ++m_nRows;
    if (m_idCurrentCell.row >= nBeforeRow)
        ++m_idCurrentCell.row;
    auto& row = m_RowData[nBeforeRow];
    for (int c = 0; c < m_nCols; ++c)
        row.emplace_back(CreateCell(nBeforeRow, c));
    row[0]->text = heading;
    m_arRowHeights[nBeforeRow] = GetTextExtent(heading, TRUE).cy;
    m_rowOffsetsDirty = true;
    ResetScrollBars();
    return nBeforeRow;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    DestroyRow(nRow);
    m_RowData.erase(m_RowData.begin() + nRow);
    m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;
    if (m_idCurrentCell.row == nRow)
        m_idCurrentCell = CCellID(-1, -1);
    else if (m_idCurrentCell.row > nRow)
        --m_idCurrentCell.row;
    m_rowOffsetsDirty = true;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems()
{
    m_arRowHeights.clear();
    m_arColWidths.clear();
    for (int r = 0; r < static_cast<int>(m_RowData.size()); ++r)
        DestroyRow(r);
    m_RowData.clear();
    m_idCurrentCell = CCellID(-1, -1);
    m_nRows = m_nCols = m_nFixedRows = m_nFixedCols = 0;
    m_rowOffsetsDirty = m_colOffsetsDirty = true;
    return TRUE;
}

int CGridCtrl::GetRowHeight(int nRow) const
{
    return (nRow < 0 || nRow >= m_nRows) ? -1 : m_arRowHeights[nRow];
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    return (nCol < 0 || nCol >= m_nCols) ? -1 : m_arColWidths[nCol];
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return FALSE;
    m_arRowHeights[nRow] = height;
    m_rowOffsetsDirty = true;
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths[nCol] = width;
    m_colOffsetsDirty = true;
    return TRUE;
}

const std::vector<long long>& CGridCtrl::RowOffsets() const
{
    if (m_rowOffsetsDirty) {
        m_rowOffsets.assign(m_nRows + 1, 0);
        for (int r = 0; r < m_nRows; ++r)
            m_rowOffsets[r + 1] = m_rowOffsets[r] + m_arRowHeights[r];
        m_rowOffsetsDirty = false;
    }
    return m_rowOffsets;
}

const std::vector<long long>& CGridCtrl::ColOffsets() const
{
    if (m_colOffsetsDirty) {
        m_colOffsets.assign(m_nCols + 1, 0);
        for (int c = 0; c < m_nCols; ++c)
            m_colOffsets[c + 1] = m_colOffsets[c] + m_arColWidths[c];
        m_colOffsetsDirty = false;
    }
    return m_colOffsets;
}

int CGridCtrl::GetFixedRowHeight() const
{
    return static_cast<int>(RowOffsets()[m_nFixedRows]);
}

int CGridCtrl::GetFixedColumnWidth() const
{
    return static_cast<int>(ColOffsets()[m_nFixedCols]);
}

long long CGridCtrl::GetVirtualHeight() const
{
    return RowOffsets()[m_nRows];
}

long long CGridCtrl::GetVirtualWidth() const
{
    return ColOffsets()[m_nCols];
}

CGridCell* CGridCtrl::GetCell(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? m_RowData[nRow][nCol].get() : nullptr;
}

BOOL CGridCtrl::SetItem(const CGridItem* pItem)
{
    CGridCell* cell = pItem ? GetCell(pItem->row, pItem->col) : nullptr;
    if (!cell)
        return FALSE;
    const UINT m = pItem->mask;
    if (m & GVIF_TEXT)
        cell->text = pItem->text;
    if (m & GVIF_PARAM)
        cell->data = pItem->data;
    if (m & GVIF_IMAGE)
        cell->image = pItem->image;
    if (m & GVIF_STATE)
        cell->state = pItem->state;
    if (m & GVIF_FORMAT)
        cell->format = pItem->format;
    if (m & GVIF_BKCLR)
        cell->bkColour = pItem->bkColour;
    if (m & GVIF_FGCLR)
        cell->fgColour = pItem->fgColour;
    if (m & GVIF_VALUE)
        cell->value = pItem->value;
    if (m & GVIF_FONT)
        cell->font = pItem->font;
    if (m & GVIF_LISTITEMS)
        cell->listItems = pItem->listItems;
    if (m & GVIF_PATTERN)
        cell->pattern = pItem->pattern;
    return TRUE;
}

BOOL CGridCtrl::GetItem(CGridItem* pItem)
{
    CGridCell* cell = pItem ? GetCell(pItem->row, pItem->col) : nullptr;
    if (!cell)
        return FALSE;
    const UINT m = pItem->mask;
    if (m & GVIF_TEXT)
        pItem->text = GetItemText(pItem->row, pItem->col);
    if (m & GVIF_PARAM)
        pItem->data = cell->data;
    if (m & GVIF_IMAGE)
        pItem->image = cell->image;
    if (m & GVIF_STATE)
        pItem->state = cell->state;
    if (m & GVIF_FORMAT)
        pItem->format = cell->format;
    if (m & GVIF_BKCLR)
        pItem->bkColour = cell->bkColour;
    if (m & GVIF_FGCLR)
        pItem->fgColour = cell->fgColour;
    if (m & GVIF_VALUE)
        pItem->value = cell->value;
    if (m & GVIF_FONT)
        pItem->font = cell->font;
    if (m & GVIF_LISTITEMS)
        pItem->listItems = cell->listItems;
    if (m & GVIF_PATTERN)
        pItem->pattern = cell->pattern;
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, const std::string& text)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->text = text;
    return TRUE;
}

std::string CGridCtrl::GetItemText(int nRow, int nCol)
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->text : std::string();
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int image)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->image = image;
    return TRUE;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->image : -1;
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->state = state;
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->state : 0;
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT format)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->format = format;
    return TRUE;
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->format : 0;
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, std::uint32_t data)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->data = data;
    return TRUE;
}

std::uint32_t CGridCtrl::GetItemData(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->data : 0;
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF c)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->bkColour = c;
    return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->bkColour : 0;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF c)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->fgColour = c;
    return TRUE;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->fgColour : 0;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* lf)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell || !lf)
        return FALSE;
    cell->font = *lf;
    return TRUE;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? &cell->font : nullptr;
}

BOOL CGridCtrl::SetItemValue(int nRow, int nCol, double value)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->value = value;
    return TRUE;
}

double CGridCtrl::GetItemValue(int nRow, int nCol) const
{
    CGridCell* cell = GetCell(nRow, nCol);
    return cell ? cell->value : 0.0;
}

BOOL CGridCtrl::SetItemPattern(int nRow, int nCol, const WORD* rows)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell || !rows)
        return FALSE;
    std::copy(rows, rows + 8, cell->pattern.begin());
    return TRUE;
}

BOOL CGridCtrl::SetItemListItems(int nRow, int nCol, const std::vector<std::string>& items)
{
    CGridCell* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->listItems = items;
    return TRUE;
}

BOOL CGridCtrl::SetItemStyleFlags(int nRow, int nCol, UINT flags)
{
    return SetItemState(nRow, nCol, (GetItemState(nRow, nCol) & ~GVIS_KIND_MASK) | flags);
}

} // namespace common

// CGridCtrl: the spreadsheet-like window that every table view embeds. It
// owns a table of cells with row heights and column widths, a band of fixed
// (header) rows and columns at the top and left, and one focus cell. It
// paints only the visible cells, scrolls the non-fixed part, moves the focus
// by keys and mouse, edits cells in place and tells its parent what happened
// through WM_NOTIFY (GridNotify records, codes GVN_*), synchronously.
#pragma once
#include "common/ui/GridCell.h"
#include "common/ui/GridTitleTip.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ImageList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace common {

class CGridCtrl : public CWnd {
  public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    static BOOL RegisterWindowClass();
    BOOL Create(const CRect& rect, CWnd* parent, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL);
    // Takes over the dialog's placeholder control with this id.
    BOOL SubclassWindow(UINT nID, CWnd* pDialog);

    // Options and colours, set by the views after construction.
    COLORREF m_crTextColour, m_crBkColour, m_crOutsideColour, m_crFixedTextColour, m_crFixedBkColour;
    COLORREF m_crGridColour = 0;
    int m_nGridLines = 3; // 0 none, 1 horizontal, 2 vertical, 3 both
    BOOL m_bEditEnabled = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bHandleTabKey = TRUE; // keyboard editing
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    BOOL m_bAllowRowResize = TRUE, m_bAllowColumnResize = TRUE;
    int m_nResizeCaptureRange = 3;
    int m_nFocusFrameStyle = 1; // 1 one frame, 2 two frames
    int m_nBoldFocusHeaders = 1;
    BOOL m_bReleaseFocusOnKillFocus = FALSE;
    BOOL m_bTabAlongRows = TRUE;
    CImageList* m_pImageList = nullptr;
    // Checks what the in-place editor holds before its edit ends (not after
    // Esc): the message that refuses it, or empty to take it. A refused
    // entry keeps the editor open. None set: every entry is taken.
    std::function<std::string(int row, int col, const std::string& text)> m_entryCheck;

    // Sizes.
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);
    int InsertRow(const std::string& heading, int nBeforeRow);
    BOOL DeleteRow(int nRow);
    BOOL DeleteAllItems();
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int height);
    BOOL SetColumnWidth(int nCol, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long long GetVirtualHeight() const;
    long long GetVirtualWidth() const;
    int GetDefaultRowHeight() const { return m_nDefRowHeight; }
    int GetDefaultColumnWidth() const { return m_nDefColWidth; }
    int GetMargin() const { return m_nMargin; }

    // Cells.
    BOOL IsValid(int nRow, int nCol) const
    {
        return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
    }
    BOOL IsValidCell(const CCellID& c) const { return IsValid(c.row, c.col); }
    BOOL SetItem(const CGridItem* pItem);
    BOOL GetItem(CGridItem* pItem);
    BOOL SetItemText(int nRow, int nCol, const std::string& text);
    virtual std::string GetItemText(int nRow, int nCol);
    BOOL SetItemImage(int nRow, int nCol, int image);
    int GetItemImage(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT format);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, std::uint32_t data);
    std::uint32_t GetItemData(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF c);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF c);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* lf);
    const LOGFONT* GetItemFont(int nRow, int nCol) const;
    BOOL SetItemValue(int nRow, int nCol, double value);
    double GetItemValue(int nRow, int nCol) const;
    BOOL SetItemPattern(int nRow, int nCol, const WORD* rows);
    BOOL SetItemListItems(int nRow, int nCol, const std::vector<std::string>& items);
    BOOL SetItemStyleFlags(int nRow, int nCol, UINT flags);
    const LOGFONT& GetGridFont() const { return m_Logfont; }

    // Clipboard and printing.
    virtual BOOL CopyTextFromGrid(std::string& text);
    virtual BOOL PasteTextToGrid(int nRow, int nCol, const std::string& text);
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo, const std::string& note = {});
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFixedCells(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    int GetPrintRowHeightPerPage() const { return m_nPageHeight; }

    // Layout, drawing and scrolling.
    virtual CSize GetCellExtent(int nRow, int nCol, CDC* pDC);
    CCellID GetTopLeftNonFixedCell() const;
    // Rows and columns of the visible non-fixed cells, partly visible
    // ones included: (minRow, minCol) - (maxRow, maxCol).
    void GetVisibleNonFixedCellRange(CCellID& minCell, CCellID& maxCell) const;
    BOOL GetCellOrigin(int nRow, int nCol, CPoint* p) const;
    BOOL GetCellOriginOfCell(const CCellID& c, CPoint* p) const { return GetCellOrigin(c.row, c.col, p); }
    BOOL GetCellRect(int nRow, int nCol, CRect* r) const;
    CCellID GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE) const;
    BOOL IsCellVisible(int nRow, int nCol) const;
    void EnsureVisible(int nRow, int nCol);
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
    void ResetScrollBars();
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE) const;
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollMax(int nBar) const { return nBar == SB_HORZ ? m_nHScrollMax : m_nVScrollMax; }
    CSize GetTextExtent(const std::string& text, BOOL bBold);
    void AutoSizeColumn(int nCol);
    void AutoSizeRow(int nRow);
    void AutoSize();
    void ExpandColumnsToFit();
    void ExpandRowsToFit();
    void ExpandToFit();
    virtual void OnDraw(CDC* pDC);
    virtual BOOL DrawFixedCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk = FALSE);
    virtual BOOL DrawCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk = FALSE);

    // Focus, editing and notifications.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);
    LRESULT SendMessageToParentEx(int nRow, int nCol, int nMessage, std::uint32_t extra);
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCellRowCol(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    BOOL ToggleFocusCell();
    int GetMouseMode() const { return m_MouseMode; }
    virtual void OnEndEditCell(int nRow, int nCol, const std::string& text);
    virtual void OnEditCell(int nRow, int nCol, UINT nChar);
    virtual void CreateInPlaceEditControl(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                          const std::string& text, UINT nChar, UINT state);
    virtual void CreateInPlaceControl(const CRect& rect, DWORD dwStyle, UINT nID,
                                      const std::vector<std::string>& items, int nRow, int nCol,
                                      const std::string& text, UINT nChar, UINT state);
    CGridTitleTip& GetTitleTip() { return m_TitleTip; }

    // Message handlers.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnSysColorChange() override;
    void OnSettingChange(UINT uFlags, const char* lpszSection) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    UINT OnGetDlgCode() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  protected:
    virtual CGridCell* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(CGridCell* cell, int nRow, int nCol);
    void PreSubclassWindow() override;

    CGridCell* GetCell(int nRow, int nCol) const;
    void OnEndInPlaceEdit(GridDispInfo* info);
    void HandleKey(UINT nChar, UINT nFlags, bool ctrl, bool shift);
    void ApplyFont(const LOGFONT& lf);
    void FillBackground(CDC* pDC, const CRect& clip);
    void DrawLines(CDC* pDC, const CCellID& minCell, const CCellID& maxCell);
    BOOL PaintCellBackground(CDC* pDC, CGridCell* cell, const CRect& rect, COLORREF bk, COLORREF fg);
    void DrawCellContent(CDC* pDC, CGridCell* cell, CRect rect, COLORREF fg, bool bold);
    void InvalidateNonFixed(int nBar);
    void InvalidateCellRect(int nRow, int nCol);
    void DrawResizeLine(CPoint from, CPoint to);
    int PrintRowsStart(int page) const;
    void DestroyRow(int nRow);

    // Offsets of rows and columns, rebuilt after a size change.
    const std::vector<long long>& RowOffsets() const;
    const std::vector<long long>& ColOffsets() const;

    COLORREF m_crSysText, m_crSysWindow, m_crSysFace, m_crSysShadow;
    int m_nRows = 0, m_nFixedRows = 0, m_nCols = 0, m_nFixedCols = 0;
    std::vector<int> m_arRowHeights, m_arColWidths;
    int m_nMargin = 0, m_nDefColWidth = 0, m_nDefRowHeight = 30;
    int m_nVScrollMax = 0, m_nHScrollMax = 0;
    LOGFONT m_Logfont{};
    CFont m_Font;
    std::unique_ptr<CFont> m_PrinterFont;
    std::vector<std::vector<std::unique_ptr<CGridCell>>> m_RowData;
    int m_MouseMode = 0;
    CPoint m_LeftClickDownPoint, m_LastMousePoint;
    CCellID m_LeftClickDownCell, m_idCurrentCell;
    CGridTitleTip m_TitleTip;
    int m_CharSize = 0, m_CharHeight = 0, m_nPageHeight = 0, m_LogicalPageWidth = 0, m_LogicalPageHeight = 0,
        m_PageWidth = 0, m_PageHeight = 0;
    mutable std::vector<long long> m_rowOffsets, m_colOffsets;
    mutable bool m_rowOffsetsDirty = true, m_colOffsetsDirty = true;
};

// Binds a dialog's placeholder control to the grid (once).
void DDX_GridControl(CDataExchange* pDX, UINT nIDC, CGridCtrl& grid);

} // namespace common

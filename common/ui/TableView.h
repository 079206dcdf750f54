// The table window of the programs: a view that owns one CGridCtrl filling
// its client area and reacts to the grid's notifications. The view creates
// the grid on its first initial update, keeps the focus cell the grid last
// reported, passes the keyboard focus on to the grid, and hands begin-edit,
// end-of-edit and focus changes to the table through virtual functions. The
// grid's modified flag is read and cleared at every end of edit, so that an
// edit ended by Esc (which leaves the text as it was) stores nothing. The
// table checks an entry before it ends, and a value stored is shown whole:
// a column too narrow for it is widened.
#pragma once
#include "common/ui/GridCtrl.h"
#include "platform/ui/App.h"

#include <memory>
#include <string>

namespace common {

// The tint of the rows a delete question is about.
constexpr COLORREF kMarkedRowColour = RGB(115, 185, 185);

class CTableView : public CView {
  public:
    // Takes the cell tints from the system: window, button face, tooltip
    // background, window text and grey text.
    CTableView();
    ~CTableView() override;

    CGridCtrl* GetGrid() const { return m_pGrid.get(); }
    int FocusRow() const { return m_nFocusRow; }
    int FocusColumn() const { return m_nFocusCol; }

    // Re-formats one cell from the model.
    virtual void FormatCell(int row, int col) { (void)row, (void)col; }
    // Puts the focus on a cell and scrolls it into view.
    void SetGridFocus(int row, int col);

    void OnDraw(CDC* pDC) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  protected:
    // The grid of the table, made once: cols columns, the fixed rows and
    // columns, the control id; the release-focus-on-kill-focus option off.
    // It covers the client area and has no rows until the table fills it.
    CGridCtrl* CreateGrid(int cols, int fixedRows, int fixedCols, UINT id);

    // The grid's notifications. Begin-edit may change the cell (its text,
    // its read-only state) before the editor opens; modified tells whether
    // the edit changed the text.
    virtual void OnGridBeginEdit(int row, int col, UINT firstKey) { (void)row, (void)col, (void)firstKey; }
    virtual void OnGridEndEdit(int row, int col, bool modified) { (void)row, (void)col, (void)modified; }
    // Checks an entry before the cell takes it: the message that refuses it
    // (the editor stays open), or empty to take it.
    virtual std::string CheckGridEntry(int row, int col, const std::string& text)
    {
        (void)row, (void)col, (void)text;
        return {};
    }
    // Stores the new focus cell and scrolls it into view.
    virtual void OnGridFocusChanged(int row, int col);

    // Widens the cell's column when its text does not fit.
    void ShowWhole(int row, int col);
    // A header cell: text, text colour, format and font in one call.
    void SetHeaderCell(int col, const std::string& text, COLORREF textColour, UINT format, const LOGFONT* font);
    // A body cell: text, state, format and background; the text colour is the
    // window text (grey when greyed).
    void SetBodyCell(int row, int col, const std::string& text, UINT state, UINT format, COLORREF background,
                     bool greyed = false);
    // Tints columns first..last of a row while a delete question is open, or
    // formats them again from the model.
    void MarkRow(int row, int firstCol, int lastCol, bool mark);

    std::unique_ptr<CGridCtrl> m_pGrid;
    int m_nFocusRow = 1;
    int m_nFocusCol = 1;
    COLORREF m_crWindow, m_crButtonFace, m_crInfoBk, m_crWindowText, m_crGrayText;
};

} // namespace common

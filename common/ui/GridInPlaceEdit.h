// The grid's in-place editors: CNumEdit filters typed characters by the
// cell's editor kind (signed real, non-negative real, integer, unsigned,
// any text); CGridInPlaceEdit and CGridInPlaceList lie over the cell being
// edited, send the end-of-edit record (GVN_ENDEDIT) to the grid when they
// lose the focus and then close and delete themselves. CHorzExtentListBox
// keeps its horizontal extent as wide as its widest string.
#pragma once
#include "common/ui/GridCell.h"
#include "platform/ui/Controls.h"

#include <string>
#include <vector>

namespace common {

// Whether a character typed into an edit of this kind passes, given the
// current text, the caret position and whether the whole text is selected.
bool NumEditAccepts(int kind, const std::string& text, int caret, bool wholeSelected, UINT ch);
// Whether the text can be typed character by character into an empty edit
// of this kind (the rule for pasted text).
bool NumEditAcceptsText(int kind, const std::string& text);

class CNumEdit : public CEdit {
  public:
    void SetMode(int kind) { m_kind = kind; }
    int GetMode() const { return m_kind; }
    virtual void OnInvalidChar(UINT) {}
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // Applies a character as if typed (after the filter); TRUE when applied.
    BOOL ApplyChar(UINT nChar);

  protected:
    bool Accepts(UINT nChar) const;
    int m_kind = 4;
};

class CGridInPlaceEdit : public CNumEdit {
  public:
    CGridInPlaceEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                     const std::string& sInitText, UINT nFirstChar, int kind);
    void EndEdit();
    void ResizeToText();
    // Asks the grid about the text; when it is refused, says why and keeps
    // the editor open with its text selected. True when refused.
    bool Refused();

    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    void PostNcDestroy() override;

  private:
    CWnd* m_pGrid;
    int m_nRow, m_nColumn;
    std::string m_sInitText;
    UINT m_nLastChar = 0;
    bool m_bExitOnArrows = false;
    bool m_bEnded = false;
    bool m_bChecking = false; // a refusal's message is up
};

class CGridInPlaceList : public CComboBox {
  public:
    CGridInPlaceList(CWnd* pParent, CRect rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                     const std::vector<std::string>& items, const std::string& sInitText, UINT nFirstChar,
                     int kind);
    void EndEdit();

    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKillFocus(CWnd* pNewWnd) override;

  protected:
    void PostNcDestroy() override;

  private:
    CWnd* m_pGrid;
    int m_nNumLines = 5;
    std::string m_sInitText;
    int m_nRow, m_nColumn;
    UINT m_nLastChar = 0;
    bool m_bExitOnArrows = false;
    bool m_bEnded = false;
};

class CHorzExtentListBox : public CListBox {
  public:
    int AddString(const std::string& text);
    void ResetContent();
    int GetWidestExtent() const { return m_nMaxWidth; }

  private:
    int m_nMaxWidth = 0;
};

// Sends the end-of-edit record of an in-place editor to the grid.
void SendEndEdit(CWnd* editor, CWnd* grid, int row, int col, const std::string& text, UINT key);

} // namespace common

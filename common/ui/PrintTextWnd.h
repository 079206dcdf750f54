// CPrintTextWnd: the rich-text window of the text output. Report runs from
// a CRtfDocument are streamed in at the selection, up to the window's text
// limit (what goes beyond it is not shown); the text can be selected, copied
// to the clipboard and printed page by page with a footer of date, time and
// page number. The window never parses RTF: it takes the runs as they are.
#pragma once
#include "common/core/RtfDocument.h"
#include "platform/ui/Controls.h"

class QTextEdit;
class CDialog;

namespace common {

class CPrintTextWnd : public CRichEditCtrl {
  public:
    // Inserts the runs at the selection in their fonts and styles; text
    // beyond the limit is dropped.
    void InsertRuns(const std::vector<CRtfTextRun>& runs, const std::vector<std::string>& fonts);
    std::string GetPlainText() const;
    // Empties the text.
    void Clear();
    // The most characters the window holds (each line end counts as one);
    // 0 for no limit.
    void LimitText(long nChars) { m_limit = nChars; }
    long GetLimitText() const { return m_limit; }
    long GetTextLength() const;

    // Selection in characters; nEnd -1 is the end of the text. SetSel(0, 0)
    // puts the caret at the start and shows it.
    void GetSel(long& nStart, long& nEnd) const;
    void SetSel(long nStart, long nEnd);
    void SelectAll() { SetSel(0, -1); }
    // Puts the selection on the clipboard, as text and as formatted text.
    void Copy();

    // Prints on a printer DC; nothing happens without one.
    void PrintText(CDC* pDC);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // A selection change asks the windows to run their update handlers.
    void ConnectControl() override;

  private:
    QTextEdit* Edit() const;
    long m_limit = 0;
};

// Streams the document's runs into the window and empties its body.
CPrintTextWnd& operator<<(CPrintTextWnd& wnd, CRtfDocument& doc);

// Adopts dialog item nID as the window and lets it fill the dialog's
// control area, under its toolbar.
BOOL FitRichEdit(CDialog& dialog, CPrintTextWnd& edit, UINT nID);

} // namespace common

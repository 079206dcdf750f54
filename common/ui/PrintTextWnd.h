// CPrintTextWnd: the rich-text window of the text output. Report runs from
// a CRtfDocument are streamed in at the selection, and PrintText prints the
// whole text page by page with a footer of date, time and page number.
#pragma once
#include "common/core/RtfDocument.h"
#include "platform/ui/Wnd.h"

class QTextEdit;

namespace common {

class CPrintTextWnd : public CWnd {
  public:
    // Inserts the runs at the selection in their fonts and styles.
    void InsertRuns(const std::vector<CRtfTextRun>& runs, const std::vector<std::string>& fonts);
    std::string GetPlainText() const;
    // Prints on a printer DC; nothing happens without one.
    void PrintText(CDC* pDC);

  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }

  private:
    QTextEdit* Edit() const;
};

// Streams the document's runs into the window and empties its body.
CPrintTextWnd& operator<<(CPrintTextWnd& wnd, CRtfDocument& doc);

} // namespace common

// CTextOutputDlg (dialog 158): the text output window. A modal window over
// the main window with its own menu, accelerators and toolbar that shows
// one listing of the model or its results at a time (input data, time-step
// results, corner nodes, node BCs, the report file, view factors), steps
// through the saved time steps, changes the decimals, and copies, prints or
// saves the listing as an RTF file ("Word Document").
#pragma once
#include "common/ui/OutputToolBar.h"
#include "common/ui/PrintTextWnd.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/Dialog.h"

#include <string>

namespace gelmar {

// The listings the window shows (the application keeps the kind).
enum TextListingKind : int {
    kListingInputData = 0,
    kListingResults = 1,
    kListingCornerNodes = 2,
    kListingNodeBcs = 3,
    kListingReportOutput = 4,
    kListingViewFactors = 5,
};

class CTextOutputDlg : public CDialog {
  public:
    // Loads the results of the current time when step solutions are saved
    // and turns the listing kind to one that has data.
    explicit CTextOutputDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnSaveAs();
    void OnPrint();
    void OnFirstTimeStep();
    void OnNextTimeStep();
    void OnPreviousTimeStep();
    void OnGoToTimeStep();
    void OnCopy();
    void OnSelectAll();
    void OnInputData();
    void OnTimeStepResults();
    void OnCornerNodes();
    void OnNodeBCs();
    void OnReportOutput();
    void OnViewFactors();
    void OnDecimals();

    void OnUpdateTimeStepCommands(CCmdUI* pCmdUI);
    void OnUpdateCopy(CCmdUI* pCmdUI);
    void OnUpdateInputData(CCmdUI* pCmdUI);
    void OnUpdateTimeStepResults(CCmdUI* pCmdUI);
    void OnUpdateCornerNodes(CCmdUI* pCmdUI);
    void OnUpdateNodeBCs(CCmdUI* pCmdUI);
    void OnUpdateReportOutput(CCmdUI* pCmdUI);
    void OnUpdateViewFactors(CCmdUI* pCmdUI);

    common::CPrintTextWnd& RichEdit() { return m_richEdit; }
    common::COutputToolBar& ToolBar() { return m_toolBar; }

  private:
    void FitRichEdit();
    BOOL CreateToolBar();
    // The listing of the current kind: shown in the window, or written to
    // the output path.
    void ShowListing(bool save);
    void SetListingKind(int kind);
    // Loads the time step of the current time; when it cannot be read the
    // time goes back to the one before (and its results are loaded again).
    void ReloadTimeStep(long long previous);

    HACCEL m_hAccel = nullptr;
    common::CPrintTextWnd m_richEdit;
    common::COutputToolBar m_toolBar;
    // The file last chosen in Save As.
    std::string m_outputPath;
};

} // namespace gelmar

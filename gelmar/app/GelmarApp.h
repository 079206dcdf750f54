// Gelmar's application object: the start-up, the File commands that replace
// the model (New, Open, recent files, Import Data, Batch Calculation), the
// language and drag-mode settings, and the clean-up at exit.
#pragma once
#include "platform/ui/App.h"

#include <string>

namespace gelmar {

class CGelmarDoc;

class CGelmarApp : public CWinApp {
  public:
    CGelmarApp();
    // The exit clean-up: frees the model, writes the parameter file when a
    // setting changed, removes the temporary result files.
    ~CGelmarApp() override;

    BOOL InitInstance() override;
    BOOL SaveAllModified() override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Asks about unsaved changes of the active document (Yes saves, Cancel
    // keeps it), then closes it. 0 when the user kept the document.
    int CloseActiveDocument();
    CGelmarDoc* ActiveGelmarDoc() const;

    // Reads and calculates one file as Batch Calculation does; false when
    // the file could not be read.
    static bool BatchCalculateFile(const std::string& path);

  private:
    void OnNew();
    void OnOpen();
    BOOL OnRecentFile(UINT nID);
    void OnImportData();
    void OnBatchCalculation();
    void OnLanguage(UINT nID);
    void OnUpdateLanguage(CCmdUI* ui);
    void OnDragMode();
    // The folder part of the data-file path followed by the pattern.
    static std::string InitialName(const char* pattern);
};

} // namespace gelmar

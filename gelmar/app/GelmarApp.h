// Gelmar's application object: the start-up (behind the splash window), the
// File commands that replace the model (New, Open, recent files, Import Data,
// Batch Calculation), the language and drag-mode settings, and the clean-up
// at exit. The program's engine (the settings, the model, the view, the run
// and the undo history) is reached through it, from its construction to its
// destruction.
#pragma once
#include "gelmar/model/store/Engine.h"
#include "platform/ui/App.h"

#include <memory>
#include <string>

namespace common {
class CSplashWnd;
}

namespace gelmar {

// How long the splash window stays up at start-up, in milliseconds.
inline constexpr int kSplashTime = 3500;

class CGelmarDoc;

class CGelmarApp : public CWinApp {
  public:
    CGelmarApp();
    // The exit clean-up: frees the model, writes the parameter file when a
    // setting changed, removes the temporary result files.
    ~CGelmarApp() override;

    BOOL InitInstance() override;
    // The base behaviour, after the splash window has gone while the
    // windowing system is still there.
    int ExitInstance() override;
    BOOL SaveAllModified() override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Asks about unsaved changes of the active document (Yes saves, Cancel
    // keeps it), then closes it. 0 when the user kept the document.
    int CloseActiveDocument();
    CGelmarDoc* ActiveGelmarDoc() const;
    // The program's engine (TheEngine() while this object is the application).
    Engine& GetEngine() { return m_engine; }

    // Reads and calculates one file in the engine as Batch Calculation does;
    // false when the file could not be read.
    static bool BatchCalculateFile(Engine& engine, const std::string& path);

    // The splash window while it is up (it closes itself), else null.
    common::CSplashWnd* GetSplash() const;

  private:
    void ShowSplash();
    void CloseSplash();
    void OnNew();
    void OnOpen();
    BOOL OnRecentFile(UINT nID);
    void OnImportData();
    void OnBatchCalculation();
    void OnLanguage(UINT nID);
    void OnUpdateLanguage(CCmdUI* ui);
    void OnDragMode();
    // The folder part of the data-file path followed by the pattern.
    std::string InitialName(const char* pattern) const;

    Engine m_engine;
    common::CSplashWnd* m_pSplash = nullptr;
    std::shared_ptr<bool> m_splashAlive; // false once the splash is gone
};

} // namespace gelmar

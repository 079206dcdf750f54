// The application object: start-up hooks, the message loop, the document
// templates, the recent-file list in the settings file, the wait cursor, and
// finding and opening views of the active document by their C++ type.
#pragma once
#include "platform/core/Settings.h"
#include "platform/ui/Frame.h"
#include "platform/ui/ShellFileTypes.h"

#include <memory>
#include <string>
#include <vector>

class CCommandLineInfo {
  public:
    enum { FileNew, FileOpen, FileNothing } m_nShellCommand = FileNew;
    std::string m_strFileName;
};

class CWinApp : public CCmdTarget {
  public:
    // The one application object of the program; its name is the title of
    // message boxes until the main frame sets one.
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    // Walks from the message's window up through its parents.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Closes every document (without questions unless a document asks).
    virtual BOOL SaveAllModified();
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Documents.
    void AddDocTemplate(CDocTemplate* pTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }
    virtual CDocument* OpenDocumentFile(const char* lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    void OnFileNew();
    void OnFileOpen();
    BOOL OnOpenRecentFile(UINT nID);
    void OnAppExit();

    // The document of the main frame's active MDI child, or null.
    CDocument* GetActiveDocument() const;
    // The first view of the active document that is a TView.
    template <class TView> TView* FindView() const
    {
        CDocument* doc = GetActiveDocument();
        if (!doc)
            return nullptr;
        for (CView* v : doc->GetViews())
            if (auto* t = dynamic_cast<TView*>(v))
                return t;
        return nullptr;
    }
    // The template whose view class is exactly TView.
    template <class TView> CDocTemplate* FindDocTemplate() const
    {
        for (const auto& t : m_templates)
            if (t->GetViewType() == std::type_index(typeid(TView)))
                return t.get();
        return nullptr;
    }
    // Activates the frame of an open TView of the document (returning null),
    // or opens a new frame with a TView for it and returns that frame.
    template <class TView> CFrameWnd* OpenView(CDocument* pDoc)
    {
        if (pDoc) {
            for (CView* v : pDoc->GetViews()) {
                if (dynamic_cast<TView*>(v)) {
                    if (CFrameWnd* f = v->GetParentFrame())
                        f->ActivateFrame(-1);
                    return nullptr;
                }
            }
        }
        CDocTemplate* t = FindDocTemplate<TView>();
        CFrameWnd* frame = t ? t->CreateNewFrame(pDoc, nullptr) : nullptr;
        if (frame)
            t->InitialUpdateFrame(frame, pDoc, TRUE);
        return frame;
    }

    // Settings: SetRegistryKey chooses the settings file of the program.
    void SetRegistryKey(const char* lpszRegistryKey);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(const std::string& path);
    std::string GetProfileString(const char* section, const char* entry, const char* fallback = "");
    BOOL WriteProfileString(const char* section, const char* entry, const std::string& value);
    UINT GetProfileInt(const char* section, const char* entry, int fallback);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    platform::RecentFileList* m_pRecentFileList = nullptr;

    // Cursors.
    void BeginWaitCursor();
    void EndWaitCursor();
    // Shows the wait cursor again after a dialog, when one is pending.
    void RestoreWaitCursor();
    HCURSOR LoadStandardCursor(HCURSOR id) const { return id; }

    // Command line and shell: files are opened by their path; the desktop
    // learns the program's data-file type (m_shellFileType, none when its
    // extension is empty) from the files RegisterShellFileTypes writes in the
    // user's data folder (see ShellFileTypes.h).
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    void EnableShellOpen() {}
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    platform::ShellFileType m_shellFileType;

    // Ends the message loop (the main window has gone).
    void QuitMessageLoop();

    CWnd* m_pMainWnd = nullptr;
    std::string m_pszAppName;
    int m_nCmdShow = SW_SHOWNORMAL;
    std::vector<std::string> m_arguments;

  protected:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::string m_registryKey;
    std::string m_settingsPath;
    platform::IniFile m_settings;
    std::unique_ptr<platform::RecentFileList> m_recent;
    int m_waitCount = 0;
    bool m_running = false;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// The program's main: makes the Qt application, runs InitInstance, the
// message loop and ExitInstance of the application object.
int AfxWinMain(int argc, char** argv);

// Shows the wait cursor for its lifetime.
class CWaitCursor {
  public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
};

// Clipboard text (in memory UTF-8).
namespace platform {
void SetClipboardText(const std::string& text);
std::string GetClipboardText();
bool ClipboardHasText();
} // namespace platform

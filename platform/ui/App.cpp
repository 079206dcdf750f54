// The application object, the message loop and the clipboard.
#include "platform/ui/App.h"

#include "platform/core/Folders.h"
#include "platform/ui/FileDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMimeData>

namespace platform::detail {
std::function<BOOL(MSG*)>& PreTranslateHookRef();
}

namespace {
CWinApp* s_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return s_app;
}

CWnd* AfxGetMainWnd()
{
    return s_app ? s_app->m_pMainWnd : nullptr;
}

CWinApp::CWinApp(const char* lpszAppName)
{
    s_app = this;
    if (lpszAppName)
        m_pszAppName = lpszAppName;
    platform::detail::PreTranslateHookRef() = [](MSG* m) {
        return s_app ? s_app->PreTranslateMessage(m) : FALSE;
    };
}

CWinApp::~CWinApp()
{
    if (s_app == this) {
        s_app = nullptr;
        platform::detail::PreTranslateHookRef() = nullptr;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

int CWinApp::Run()
{
    if (!m_pMainWnd)
        return ExitInstance();
    m_running = true;
    QApplication::exec();
    m_running = false;
    return ExitInstance();
}

void CWinApp::QuitMessageLoop()
{
    if (m_running)
        QCoreApplication::exit(0);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    for (CWnd* w = pMsg ? pMsg->hwnd : nullptr; w; w = w->GetParent())
        if (w->PreTranslateMessage(pMsg))
            return TRUE;
    return FALSE;
}

BOOL CWinApp::SaveAllModified()
{
    return TRUE;
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnCommand(ID_FILE_NEW, &CWinApp::OnFileNew),
        OnCommand(ID_FILE_OPEN, &CWinApp::OnFileOpen),
        OnCommand(ID_APP_EXIT, &CWinApp::OnAppExit),
    };
    if (map.Dispatch(this, nID, nCode, pCmdUI))
        return TRUE;
    if (nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_LAST) {
        int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
        bool present = m_pRecentFileList && index < static_cast<int>(m_pRecentFileList->Entries().size());
        if (nCode == CN_UPDATE_COMMAND_UI && pCmdUI) {
            pCmdUI->Enable(present);
            return TRUE;
        }
        if (nCode == CN_QUERY)
            return TRUE;
        if (nCode == CN_COMMAND)
            return OnOpenRecentFile(nID);
    }
    return FALSE;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate)
        m_templates.emplace_back(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const char* lpszFileName)
{
    if (m_templates.empty())
        return nullptr;
    return m_templates.front()->OpenDocumentFile(lpszFileName, TRUE);
}

void CWinApp::CloseAllDocuments(BOOL)
{
    for (const auto& t : m_templates)
        t->CloseAllDocuments();
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr, TRUE);
}

void CWinApp::OnFileOpen()
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, nullptr, m_pMainWnd);
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName().c_str());
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    const auto& e = m_pRecentFileList->Entries();
    if (index < 0 || index >= static_cast<int>(e.size()))
        return FALSE;
    std::string path = e[size_t(index)];
    if (!OpenDocumentFile(path.c_str()))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE, 0, 0);
}

CDocument* CWinApp::GetActiveDocument() const
{
    auto* frame = dynamic_cast<CMDIFrameWnd*>(m_pMainWnd);
    CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    return child ? child->GetActiveDocument() : nullptr;
}

void CWinApp::SetRegistryKey(const char* lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_settingsPath = platform::SettingsFilePath(m_registryKey.empty() ? m_pszAppName : m_registryKey);
    m_settings.Load(m_settingsPath);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (m_settingsPath.empty())
        SetRegistryKey(m_pszAppName.c_str());
    m_recent = std::make_unique<platform::RecentFileList>(static_cast<int>(nMaxMRU));
    m_recent->ReadFrom(m_settings);
    m_pRecentFileList = m_recent.get();
}

void CWinApp::SaveStdProfileSettings()
{
    if (!m_pRecentFileList || m_settingsPath.empty())
        return;
    m_pRecentFileList->WriteTo(m_settings);
    m_settings.Save(m_settingsPath);
}

void CWinApp::AddToRecentFileList(const std::string& path)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(path);
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* fallback)
{
    return m_settings.GetString(section, entry, fallback ? fallback : "");
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const std::string& value)
{
    m_settings.SetString(section, entry, value);
    return m_settingsPath.empty() ? FALSE : m_settings.Save(m_settingsPath);
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int fallback)
{
    return static_cast<UINT>(m_settings.GetInt(section, entry, fallback));
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    return WriteProfileString(section, entry, std::to_string(value));
}

void CWinApp::BeginWaitCursor()
{
    if (m_waitCount++ == 0 && qApp)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void CWinApp::EndWaitCursor()
{
    if (m_waitCount <= 0)
        return;
    if (--m_waitCount == 0 && qApp)
        QGuiApplication::restoreOverrideCursor();
}

void CWinApp::RestoreWaitCursor()
{
    if (m_waitCount > 0 && qApp && !QGuiApplication::overrideCursor())
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    info = CCommandLineInfo{};
    for (const std::string& a : m_arguments) {
        if (!a.empty() && a[0] != '-') {
            info.m_nShellCommand = CCommandLineInfo::FileOpen;
            info.m_strFileName = a;
        }
    }
}

void CWinApp::RegisterShellFileTypes(BOOL)
{
    const QImage icon = QApplication::windowIcon().pixmap(48, 48).toImage();
    platform::RegisterShellFileType(m_shellFileType,
                                    {m_pszAppName, QCoreApplication::applicationFilePath().toStdString()}, icon);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return TRUE;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName.c_str()) != nullptr;
    default:
        return TRUE;
    }
}

int AfxWinMain(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    for (int i = 1; i < argc; ++i)
        app->m_arguments.emplace_back(argv[i]);
    int status = 0;
    if (app->InitInstance()) {
        status = app->Run();
    } else {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        status = app->ExitInstance();
    }
    // Windows whose deletion is still pending (the main frame after the
    // loop ended) go while the windowing system is still there.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->BeginWaitCursor();
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->EndWaitCursor();
}

void CWaitCursor::Restore()
{
    if (CWinApp* app = AfxGetApp())
        app->RestoreWaitCursor();
}

namespace platform {

void SetClipboardText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string GetClipboardText()
{
    return QGuiApplication::clipboard()->text().toStdString();
}

bool ClipboardHasText()
{
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m && m->hasText();
}

} // namespace platform

// The application object. Start-up shows the splash window, reads the program
// folder's files, loads the default model, registers the nineteen document
// templates and builds the main frame (which needs the material database);
// then the command line opens a file or a new document. Every command that
// brings in another model first closes the active one, asking about unsaved
// changes.
#include "gelmar/app/GelmarApp.h"

#include "common/ui/SplashWnd.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/CommandDialogs.h"
#include "gelmar/app/FileDialogs.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/Folders.h"
#include "platform/core/StringTable.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

#include <cassert>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace gelmar {

namespace {

struct LanguageItem {
    UINT id;
    int lang;
    const char* file; // the language file beside the program
    const char* message;
};

// The messages are in their own language whatever texts are loaded.
constexpr LanguageItem kLanguages[] = {
    {ID_LANG_ENGLISH, 0, nullptr, "To activate the language setting, restart the program."},
    {ID_LANG_DUTCH, 1, "GelmarNDL.str", "Herstart het programma om de taalinstelling te activeren."},
    {ID_LANG_FRENCH, 2, "GelmarFRA.str",
     "Redémarrer le logiciel pour activer la mise au point de la langue."},
    {ID_LANG_GERMAN, 3, "GelmarDEU.str",
     "Das Programm wieder starten zur Aktivierung der Sprache-Einstellung."},
};

const LanguageItem* FindLanguage(UINT id)
{
    for (const LanguageItem& l : kLanguages)
        if (l.id == id)
            return &l;
    return nullptr;
}

} // namespace

// The application's engine talks to the user through the program's host.
CGelmarApp::CGelmarApp() : CWinApp("GELMAR"), m_engine(TheAppHost()) {}

CGelmarApp::~CGelmarApp()
{
    CloseSplash();
    if (m_engine.parametersChanged && !g_app.programFolder.empty())
        WriteParameterFile(m_engine.parameters, g_app.programFolder);
    RemoveTempFiles();
    if (&Host() == &TheAppHost())
        SetHost(nullptr);
}

BOOL CGelmarApp::InitInstance()
{
    if (g_app.programFolder.empty())
        g_app.programFolder = platform::ProgramFolder();
    const std::string& folder = g_app.programFolder;
    SetHost(&TheAppHost());
    RegisterGelmarResources();
    platform::Strings().LoadEnglishFile(JoinPath(folder, kStringFileName));
    ShowSplash();

    SetRegistryKey("GELMAR");
    ReadParameterFile(m_engine.parameters, m_engine.output, folder);
    LoadColourScale(m_engine.colourScale, Host(), folder, false);
    InitDefaultLogFont();
    LoadMaterialColours(m_engine.model, folder);

    // The default model is in memory before the first document, with no file
    // open. It is read in the program folder, so that reading it removes no
    // temporary files from the folder the program was started in.
    ModelStore& model = m_engine.model;
    const std::string startFolder = platform::WorkingFolder();
    model.dataFilePath = platform::EnterFolderOf(JoinPath(folder, "Gelmar.glm"));
    ReadDataFile(model, model.dataFilePath, ReadMode::Open, m_engine.parameters, Host());
    model.dataFilePath.clear();
    platform::SetWorkingFolder(startFolder);

    for (const LanguageItem& l : kLanguages)
        if (l.lang == m_engine.parameters.lang && l.file)
            platform::Strings().LoadOverrideFile(JoinPath(folder, l.file));

    LoadStdProfileSettings(4);

    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CGraphFrame, CGraphView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CGridFrame, CGridView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CCoordFrame, CCoordView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CMinGridFrame, CMinGridView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CBlockFrame, CBlockView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CColorFrame, CColorView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CClipFrame, CClipView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CClipColorFrame, CClipColorView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CNodeFrame, CNodeView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CBorderFrame, CBorderView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CMaterFrame, CMaterView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CVentFrame, CVentView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CFuncFrame, CFuncView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CFuncGraphFrame, CFuncGraphView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, COutNodeFrame, COutNodeView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, COutBlockFrame, COutBlockView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CControlFrame, CControlView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CReportFrame, CReportView>(IDR_MAINFRAME));
    AddDocTemplate(CMultiDocTemplate::Create<CGelmarDoc, CSunObstFrame, CSunObstView>(IDR_MAINFRAME));

    auto* frame = new CMainFrame(m_engine.parameters);
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
        return FALSE; // the frame has destroyed itself
    m_pMainWnd = frame;

    EnableShellOpen();
    m_shellFileType = {"Gelmar.Document", "GELMAR Data File", "glm"};
    RegisterShellFileTypes(TRUE);

    m_nCmdShow = SW_SHOWMAXIMIZED;
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    return ProcessShellCommand(cmdInfo);
}

int CGelmarApp::ExitInstance()
{
    CloseSplash();
    return CWinApp::ExitInstance();
}

void CGelmarApp::ShowSplash()
{
    // The splash deletes itself when its time is up or at a key or click.
    auto* splash = new common::CSplashWnd(IDB_SPLASH, kSplashTime);
    if (!splash->Create()) {
        delete splash;
        return;
    }
    m_pSplash = splash;
    m_splashAlive = splash->Alive();
}

common::CSplashWnd* CGelmarApp::GetSplash() const
{
    return m_splashAlive && *m_splashAlive ? m_pSplash : nullptr;
}

void CGelmarApp::CloseSplash()
{
    // Closed as a key press closes it, so that it is deleted exactly once.
    if (common::CSplashWnd* splash = GetSplash()) {
        MSG key{};
        key.message = WM_KEYDOWN;
        splash->PreTranslateMessage(&key);
    }
}

CGelmarDoc* CGelmarApp::ActiveGelmarDoc() const
{
    return dynamic_cast<CGelmarDoc*>(GetActiveDocument());
}

namespace {

// Asks whether to save the edits of the document; false when the user
// cancelled or the save did not happen.
bool ConfirmDiscardOrSave(CGelmarDoc& doc)
{
    if (!doc.HasUnsavedEdits())
        return true;
    char text[600];
    std::snprintf(text, sizeof text, platform::LoadString(IDS_SAVE_CHANGES).c_str(), doc.GetTitle().c_str());
    switch (AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return doc.Save();
    default:
        return true;
    }
}

} // namespace

int CGelmarApp::CloseActiveDocument()
{
    CGelmarDoc* doc = ActiveGelmarDoc();
    if (!doc)
        return 1;
    if (!ConfirmDiscardOrSave(*doc))
        return 0;
    return doc->CloseModel();
}

BOOL CGelmarApp::SaveAllModified()
{
    if (CGelmarDoc* doc = ActiveGelmarDoc()) {
        if (!ConfirmDiscardOrSave(*doc))
            return FALSE;
        doc->OnFileClose();
    }
    return CWinApp::SaveAllModified();
}

std::string CGelmarApp::InitialName(const char* pattern) const
{
    const std::string folder = platform::FolderOf(m_engine.model.dataFilePath);
    return folder.empty() ? pattern : folder + "/" + pattern;
}

void CGelmarApp::OnNew()
{
    if (!CloseActiveDocument())
        return;
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr, TRUE);
}

void CGelmarApp::OnOpen()
{
    if (!CloseActiveDocument())
        return;
    const std::string filter = platform::LoadString(IDS_GELMAR_FILTER);
    const std::string initial = InitialName("*.glm");
    CPreviewFileDlg dlg(TRUE, "glm", initial.c_str(), OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                        filter.c_str(), m_pMainWnd);
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName().c_str());
}

BOOL CGelmarApp::OnRecentFile(UINT nID)
{
    if (!CloseActiveDocument())
        return TRUE;
    return CWinApp::OnOpenRecentFile(nID);
}

void CGelmarApp::OnImportData()
{
    if (!CloseActiveDocument())
        return;
    const std::string filter = platform::LoadString(IDS_IMPORT_FILTER);
    const std::string initial = InitialName("*.hmk");
    CFileDialog dlg(TRUE, "hmk", initial.c_str(), OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                    filter.c_str(), m_pMainWnd);
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName().c_str());
}

bool CGelmarApp::BatchCalculateFile(Engine& engine, const std::string& path)
{
    ResetEngineState(engine);
    // Each file's results go beside it, as when it is opened.
    const std::string file = platform::EnterFolderOf(path);
    if (!ReadDataFile(engine.model, file, ReadMode::Open, engine.parameters, Host()))
        return false;
    WorkOutcome outcome;
    if (HasRadiatingColours(engine.model)) {
        std::error_code ec;
        if (!std::filesystem::exists(SelectViewFactorFile(engine.model), ec))
            outcome = RunViewFactorDialog(engine.model, engine.run, Host());
    }
    if (!outcome.HasError())
        RunCalculationDialog(engine.model, engine.run, Host());
    FreeModel(engine);
    return true;
}

void CGelmarApp::OnBatchCalculation()
{
    if (!CloseActiveDocument())
        return;
    const std::string filter = platform::LoadString(IDS_GELMAR_FILTER);
    CDlgFileBatch dlg(TRUE, "glm", "*.glm",
                      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                      filter.c_str(), m_pMainWnd);
    if (dlg.DoModal() != IDOK)
        return;
    CWaitCursor wait;
    // The batch leaves the data-file path as it found it, so that no later
    // Save writes to the last file of the batch.
    const std::string previous = m_engine.model.dataFilePath;
    g_app.batch = true;
    for (const std::string& path : dlg.GetPathNames())
        BatchCalculateFile(m_engine, path);
    g_app.batch = false;
    m_engine.model.dataFilePath = previous;
    ClearPendingError();
}

void CGelmarApp::OnLanguage(UINT nID)
{
    const LanguageItem* l = FindLanguage(nID);
    if (!l)
        return;
    m_engine.parameters.lang = l->lang;
    m_engine.parametersChanged = true;
    AfxMessageBox(l->message, MB_OK | MB_ICONINFORMATION);
}

void CGelmarApp::OnUpdateLanguage(CCmdUI* ui)
{
    const LanguageItem* l = FindLanguage(ui->m_nID);
    const bool current = l && l->lang == m_engine.parameters.lang;
    ui->Enable(!current);
    ui->SetCheck(current);
}

void CGelmarApp::OnDragMode()
{
    CDlgDragMode dlg;
    dlg.m_mode = m_engine.parameters.drag;
    if (dlg.DoModal() != IDOK)
        return;
    m_engine.parameters.drag = dlg.m_mode;
    m_engine.parametersChanged = true;
}

BOOL CGelmarApp::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnCommand(ID_FILE_NEW, &CGelmarApp::OnNew),
        OnCommand(ID_FILE_OPEN, &CGelmarApp::OnOpen),
        OnCommand(ID_IMPORT_DATA, &CGelmarApp::OnImportData),
        OnCommand(ID_BATCH_CALCULATION, &CGelmarApp::OnBatchCalculation),
        OnCommand(ID_DRAG_MODE, &CGelmarApp::OnDragMode),
        OnCommandRange(ID_LANG_ENGLISH, ID_LANG_ENGLISH, &CGelmarApp::OnLanguage),
        OnCommandRange(ID_LANG_DUTCH, ID_LANG_GERMAN, &CGelmarApp::OnLanguage),
        OnUpdate(ID_LANG_ENGLISH, &CGelmarApp::OnUpdateLanguage),
        OnUpdateRange(ID_LANG_DUTCH, ID_LANG_GERMAN, &CGelmarApp::OnUpdateLanguage),
    };
    if (nCode == CN_COMMAND && nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_LAST)
        return OnRecentFile(nID);
    return map.Dispatch(this, nID, nCode, pCmdUI) || CWinApp::OnCmdMsg(nID, nCode, pCmdUI);
}

Engine& TheEngine()
{
    CWinApp* app = AfxGetApp();
    assert(app && "the engine is reached only while the application object lives");
    return static_cast<CGelmarApp*>(app)->GetEngine();
}

} // namespace gelmar

// The text output window: opening, listings, navigation through the saved
// time steps and the file, print and clipboard commands.
#include "gelmar/graphics/TextOutputDlg.h"

#include "common/ui/ActiveDocument.h"
#include "common/ui/DlgDecimals.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/AppState.h"
#include "gelmar/graphics/DlgGoTo.h"
#include "gelmar/graphics/core/InputDataListing.h"
#include "gelmar/graphics/core/LoadedResults.h"
#include "gelmar/graphics/core/ResultListings.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/App.h"
#include "platform/ui/DocView.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PrintDialog.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>
#include <filesystem>

namespace gelmar {

namespace {

bool HasPowerNodeBcs()
{
    const ModelStore& m = TheEngine().model;
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n)
        if (m.nodeBcs[static_cast<std::size_t>(n)].type == 1)
            return true;
    return false;
}

bool ResultsValid()
{
    return TheEngine().run.solutionValid;
}

// The report file the calculation writes beside the data file.
std::string ReportFilePath()
{
    return ReplaceLastThree(TheEngine().model.dataFilePath, "txt");
}

bool ViewFactorFileExists()
{
    std::error_code ec;
    return std::filesystem::exists("tmp.vwf", ec) ||
           std::filesystem::exists(ReplaceLastThree(TheEngine().model.dataFilePath, "vwf"), ec);
}

ListingDecimals CurrentDecimals()
{
    Engine& e = TheEngine();
    return {e.output.dect, e.output.decq, e.output.decv};
}

// The results of the current time: its solution and, when that loads, its
// heat flows.
bool LoadTimeStep()
{
    Engine& e = TheEngine();
    if (!ReadSolutionFile(e.model, e.run, BuildStepFileName(e.model, e.run, ".sol")))
        return false;
    ReadFluxFile(e.model, e.run);
    return true;
}

// Writes the view-factor listing from the summary of the view-factor file;
// a file that is missing or cannot be read lists its name only.
void WriteViewFactors(ListingWriter& out)
{
    Engine& e = TheEngine();
    std::error_code ec;
    const bool exists = std::filesystem::exists("tmp.vwf", ec);
    const std::string name = exists ? std::string("tmp.vwf")
                                    : std::filesystem::path(e.model.dataFilePath).stem().string() + ".vwf";
    ViewFactorSummary read;
    const ViewFactorSummary* summary = nullptr;
    if (ViewFactorFileExists()) {
        try {
            read = ReadViewFactorSummary(e.model);
            summary = &read;
        } catch (const EngineError&) {
        }
    }
    WriteViewFactorsListing(out, name, summary, CurrentDecimals());
}

} // namespace

CTextOutputDlg::CTextOutputDlg(CWnd* pParent) : CDialog(IDD_TEXT_OUTPUT, pParent)
{
    Engine& e = TheEngine();
    m_hAccel = LoadAccelerators(IDR_TEXT_OUTPUT_ACCEL);
    if (e.model.saveResults) {
        try {
            EnsureCellArray(e.model, e.run);
            BuildNodeNumbering(e.model, e.run, Host());
            LoadTimeStep();
        } catch (const common::EngineException&) {
            // No results to show: the listings fall back to the input data.
        }
    }
    int& kind = g_app.textListingKind;
    if (kind == kListingReportOutput && !HasReportItems(e.model))
        kind = kListingResults;
    if (kind >= kListingResults && kind <= kListingNodeBcs && !ResultsValid())
        kind = kListingInputData;
    if (kind == kListingNodeBcs && !HasPowerNodeBcs())
        kind = kListingResults;
    if (kind < kListingInputData || kind > kListingViewFactors)
        kind = kListingInputData;
}

BOOL CTextOutputDlg::OnInitDialog()
{
    Engine& e = TheEngine();
    CDialog::OnInitDialog();
    CWaitCursor wait;
    if (CWnd* main = AfxGetMainWnd()) {
        CRect rect;
        main->GetWindowRect(&rect);
        MoveWindow(rect, FALSE);
    }
    FitRichEdit();
    m_richEdit.LimitText(e.parameters.ltxt);
    CDocument* doc = common::GetActiveDocumentOfMainFrame();
    SetWindowText(platform::LoadString(IDS_TEXT_OUTPUT_TITLE) + " [" +
                  std::filesystem::path(e.model.dataFilePath).stem().string() + ".glm" +
                  (doc && doc->IsModified() ? " *" : "") + "]");
    if (g_app.toolbarVisible && !CreateToolBar())
        return TRUE;
    ShowListing(false);
    return TRUE;
}

void CTextOutputDlg::FitRichEdit()
{
    common::FitRichEdit(*this, m_richEdit, IDC_TEXT_OUTPUT_EDIT);
}

BOOL CTextOutputDlg::CreateToolBar()
{
    if (common::CreateOutputToolBar(*this, m_toolBar, IDR_TEXT_OUTPUT))
        return TRUE;
    EndDialog(IDCANCEL);
    return FALSE;
}

BOOL CTextOutputDlg::PreTranslateMessage(MSG* pMsg)
{
    // Esc closes the window as cancelled; every other key may be a command.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        return CDialog::PreTranslateMessage(pMsg);
    if (CDialog::PreTranslateMessage(pMsg))
        return TRUE;
    return m_hAccel && TranslateAccelerator(this, m_hAccel, pMsg);
}

LRESULT CTextOutputDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KICKIDLE) {
        // The toolbar follows the update handlers.
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, FALSE);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CTextOutputDlg::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_TEXT_SAVE_AS, &CTextOutputDlg::OnSaveAs),
        ::OnCommand(ID_TEXT_PRINT, &CTextOutputDlg::OnPrint),
        ::OnCommand(ID_TEXT_EXIT, &CTextOutputDlg::OnCancel),
        ::OnCommand(ID_TEXT_FIRST_STEP, &CTextOutputDlg::OnFirstTimeStep),
        ::OnCommand(ID_TEXT_NEXT_STEP, &CTextOutputDlg::OnNextTimeStep),
        ::OnCommand(ID_TEXT_PREVIOUS_STEP, &CTextOutputDlg::OnPreviousTimeStep),
        ::OnCommand(ID_TEXT_GO_TO, &CTextOutputDlg::OnGoToTimeStep),
        OnUpdateRange(ID_TEXT_FIRST_STEP, ID_TEXT_GO_TO, &CTextOutputDlg::OnUpdateTimeStepCommands),
        ::OnCommand(ID_TEXT_COPY, &CTextOutputDlg::OnCopy),
        OnUpdate(ID_TEXT_COPY, &CTextOutputDlg::OnUpdateCopy),
        ::OnCommand(ID_TEXT_SELECT_ALL, &CTextOutputDlg::OnSelectAll),
        ::OnCommand(ID_TEXT_INPUT_DATA, &CTextOutputDlg::OnInputData),
        OnUpdate(ID_TEXT_INPUT_DATA, &CTextOutputDlg::OnUpdateInputData),
        ::OnCommand(ID_TEXT_RESULTS, &CTextOutputDlg::OnTimeStepResults),
        OnUpdate(ID_TEXT_RESULTS, &CTextOutputDlg::OnUpdateTimeStepResults),
        ::OnCommand(ID_TEXT_CORNER_NODES, &CTextOutputDlg::OnCornerNodes),
        OnUpdate(ID_TEXT_CORNER_NODES, &CTextOutputDlg::OnUpdateCornerNodes),
        ::OnCommand(ID_TEXT_NODE_BCS, &CTextOutputDlg::OnNodeBCs),
        OnUpdate(ID_TEXT_NODE_BCS, &CTextOutputDlg::OnUpdateNodeBCs),
        ::OnCommand(ID_TEXT_REPORT_OUTPUT, &CTextOutputDlg::OnReportOutput),
        OnUpdate(ID_TEXT_REPORT_OUTPUT, &CTextOutputDlg::OnUpdateReportOutput),
        ::OnCommand(ID_TEXT_VIEW_FACTORS, &CTextOutputDlg::OnViewFactors),
        OnUpdate(ID_TEXT_VIEW_FACTORS, &CTextOutputDlg::OnUpdateViewFactors),
        ::OnCommand(ID_TEXT_DECIMALS, &CTextOutputDlg::OnDecimals),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CTextOutputDlg::ShowListing(bool save)
{
    Engine& e = TheEngine();
    const int kind = g_app.textListingKind;
    if (!save)
        m_richEdit.Clear();
    ListingWriter out(save ? ListingWriter::HandOver()
                           : [this](common::CRtfDocument& doc) { m_richEdit << doc; });
    const LoadedResults results(e.model, e.run);
    switch (kind) {
    case kListingInputData:
        ResolveFunctionReferences(e.model, e.run);
        WriteInputDataListing(out, e.model);
        break;
    case kListingResults:
        WriteResultsListing(out, e.model, results, CurrentDecimals());
        break;
    case kListingCornerNodes:
        WriteCornerNodesListing(out, e.model, results, CurrentDecimals());
        break;
    case kListingNodeBcs:
        WriteNodeBcsListing(out, e.model, results, CurrentDecimals());
        break;
    case kListingReportOutput:
        WriteReportOutputListing(out, ReportFilePath());
        break;
    case kListingViewFactors:
        WriteViewFactors(out);
        break;
    default:
        break;
    }
    if (!save) {
        out.Finish();
        m_richEdit.SetSel(0, 0);
        return;
    }
    if (!out.Document().WriteFile(m_outputPath)) {
        std::string text = platform::LoadString(IDS_OPEN_FAILED);
        const std::size_t at = text.find("%s");
        if (at != std::string::npos)
            text.replace(at, 2, m_outputPath);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
    }
}

void CTextOutputDlg::SetListingKind(int kind)
{
    g_app.textListingKind = kind;
    CWaitCursor wait;
    ShowListing(false);
}

void CTextOutputDlg::ReloadTimeStep(long long previous)
{
    if (!LoadTimeStep()) {
        TheEngine().run.calcTime = static_cast<std::int32_t>(previous);
        LoadTimeStep();
        return;
    }
    int& kind = g_app.textListingKind;
    if (kind == kListingInputData || kind == kListingReportOutput)
        kind = kListingResults;
    if (kind != kListingViewFactors)
        ShowListing(false);
}

void CTextOutputDlg::OnFirstTimeStep()
{
    Engine& e = TheEngine();
    const long long previous = e.run.calcTime;
    e.run.calcTime = 0;
    ReloadTimeStep(previous);
}

void CTextOutputDlg::OnNextTimeStep()
{
    Engine& e = TheEngine();
    const ModelStore& m = e.model;
    if (m.timeStep == 0 || m.calcDuration == 0)
        return;
    const long long previous = e.run.calcTime;
    const long long next = previous + static_cast<long long>(m.saveFrequency) * m.timeStep;
    // After the last saved time, at or before the end, comes time 0.
    e.run.calcTime =
        static_cast<std::int32_t>(previous < m.calcDuration && next <= m.calcDuration ? next : 0);
    ReloadTimeStep(previous);
}

void CTextOutputDlg::OnPreviousTimeStep()
{
    Engine& e = TheEngine();
    const ModelStore& m = e.model;
    const long long every = static_cast<long long>(m.saveFrequency) * m.timeStep;
    if (m.timeStep == 0 || m.calcDuration == 0 || every == 0)
        return;
    const long long previous = e.run.calcTime;
    e.run.calcTime =
        static_cast<std::int32_t>(previous < 1 ? m.calcDuration / every * every : previous - every);
    ReloadTimeStep(previous);
}

void CTextOutputDlg::OnGoToTimeStep()
{
    Engine& e = TheEngine();
    CDlgGoTo dlg(e.run.calcTime, this);
    if (dlg.DoModal() != IDOK)
        return;
    const long long previous = e.run.calcTime;
    e.run.calcTime = static_cast<std::int32_t>(std::clamp<long long>(dlg.m_seconds, 0, INT32_MAX));
    ReloadTimeStep(previous);
}

void CTextOutputDlg::OnUpdateTimeStepCommands(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TheEngine().model.saveResults != 0);
}

void CTextOutputDlg::OnCopy()
{
    m_richEdit.SendMessage(WM_COPY);
}

void CTextOutputDlg::OnUpdateCopy(CCmdUI* pCmdUI)
{
    long start = 0, end = 0;
    m_richEdit.GetSel(start, end);
    pCmdUI->Enable(start != end);
}

void CTextOutputDlg::OnSelectAll()
{
    m_richEdit.SelectAll();
}

void CTextOutputDlg::OnInputData()
{
    SetListingKind(kListingInputData);
}
void CTextOutputDlg::OnTimeStepResults()
{
    SetListingKind(kListingResults);
}
void CTextOutputDlg::OnCornerNodes()
{
    SetListingKind(kListingCornerNodes);
}
void CTextOutputDlg::OnNodeBCs()
{
    SetListingKind(kListingNodeBcs);
}
void CTextOutputDlg::OnReportOutput()
{
    SetListingKind(kListingReportOutput);
}
void CTextOutputDlg::OnViewFactors()
{
    SetListingKind(kListingViewFactors);
}

void CTextOutputDlg::OnUpdateInputData(CCmdUI* pCmdUI)
{
    const int kind = g_app.textListingKind;
    pCmdUI->Enable(kind != kListingInputData);
    pCmdUI->SetCheck(kind == kListingInputData);
}

void CTextOutputDlg::OnUpdateTimeStepResults(CCmdUI* pCmdUI)
{
    const int kind = g_app.textListingKind;
    pCmdUI->Enable(kind != kListingResults && ResultsValid());
    pCmdUI->SetCheck(kind == kListingResults);
}

void CTextOutputDlg::OnUpdateCornerNodes(CCmdUI* pCmdUI)
{
    const int kind = g_app.textListingKind;
    pCmdUI->Enable(kind != kListingCornerNodes && ResultsValid());
    pCmdUI->SetCheck(kind == kListingCornerNodes);
}

void CTextOutputDlg::OnUpdateNodeBCs(CCmdUI* pCmdUI)
{
    const int kind = g_app.textListingKind;
    pCmdUI->Enable(kind != kListingNodeBcs && ResultsValid() && HasPowerNodeBcs());
    pCmdUI->SetCheck(kind == kListingNodeBcs);
}

void CTextOutputDlg::OnUpdateReportOutput(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FileExists(ReportFilePath()));
    pCmdUI->SetCheck(g_app.textListingKind == kListingReportOutput);
}

void CTextOutputDlg::OnUpdateViewFactors(CCmdUI* pCmdUI)
{
    const int kind = g_app.textListingKind;
    pCmdUI->Enable(kind != kListingViewFactors && HasRadiatingColours(TheEngine().model) &&
                   ViewFactorFileExists());
    pCmdUI->SetCheck(kind == kListingViewFactors);
}

void CTextOutputDlg::OnDecimals()
{
    Engine& e = TheEngine();
    common::CDlgDecimals dlg(this);
    dlg.m_temperature = e.output.dect;
    dlg.m_flow = e.output.decq;
    dlg.m_viewFactor = e.output.decv;
    if (dlg.DoModal() != IDOK)
        return;
    e.output.dect = dlg.m_temperature;
    e.output.decq = dlg.m_flow;
    e.output.decv = dlg.m_viewFactor;
    if (dlg.m_setAsDefault) {
        // The view-factor default stays.
        e.parameters.dect = dlg.m_temperature;
        e.parameters.decq = dlg.m_flow;
        e.parametersChanged = true;
    }
    const int kind = g_app.textListingKind;
    if (kind != kListingInputData && kind != kListingReportOutput)
        ShowListing(false);
}

void CTextOutputDlg::OnSaveAs()
{
    Engine& e = TheEngine();
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(e.view.outputSavePath).parent_path();
    const std::string name = fs::path(e.model.dataFilePath).stem().string();
    const std::string initial = folder.empty() ? name : (folder / name).string();
    const std::string filter = platform::LoadString(IDS_WORD_FILTER);
    CFileDialog dlg(FALSE, "doc", initial.c_str(),
                    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.c_str(),
                    this);
    if (dlg.DoModal() != IDOK)
        return;
    e.view.outputSavePath = dlg.GetPathName();
    m_outputPath = e.view.outputSavePath;
    CWaitCursor wait;
    ShowListing(true);
}

void CTextOutputDlg::OnPrint()
{
    CPrintDialog dlg(FALSE,
                     PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                         PD_HIDEPRINTTOFILE,
                     this);
    if (dlg.DoModal() != IDOK)
        return;
    if (std::unique_ptr<CDC> dc = dlg.GetPrinterDC())
        m_richEdit.PrintText(dc.get());
}

} // namespace gelmar

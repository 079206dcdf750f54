// The document: open, save, close, the caption and the modified flag, and the
// commands that open windows, set the 3D view's state and edit model-wide
// data through dialogs.
#include "gelmar/app/GelmarDoc.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/app/CommandDialogs.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/app/PendingWindows.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/ArrangeBlocksCommand.h"
#include "gelmar/model/editing/BlockEdits.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/CellRaster.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace gelmar {

namespace {

std::string LowerExtension(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

bool IsImportExtension(const std::string& ext)
{
    return ext == ".dat" || ext == ".hmk" || ext == ".drl" || ext == ".bmp";
}

void SetModelPaths(const std::string& path)
{
    TheEngine().model.dataFilePath = path;
    TheEngine().view.functionFileFolder = path;
    TheEngine().view.outputSavePath = path;
}

} // namespace

bool IsClipActive()
{
    for (int a = 0; a < 3; ++a)
        if (TheEngine().model.clipLo[a] > 0 ||
            TheEngine().model.clipHi[a] < TheEngine().model.axes[size_t(a)].n)
            return true;
    return false;
}

void CGelmarDoc::SetModified(BOOL modified)
{
    m_pristine = false;
    if (bool(modified) == bool(IsModified()))
        return;
    SetModifiedFlag(modified);
    if (modified) {
        TheEngine().run.solutionValid = false;
        TheEngine().run.fluxesValid = false;
    }
    UpdateMainTitle();
}

std::string CGelmarDoc::MainTitle()
{
    if (TheEngine().model.dataFilePath.empty())
        return {};
    return "GELMAR - " + std::filesystem::path(TheEngine().model.dataFilePath).stem().string() + ".glm" +
           (IsModified() ? " *" : "");
}

void CGelmarDoc::UpdateMainTitle()
{
    if (TheEngine().model.dataFilePath.empty())
        return;
    SetTitle(std::filesystem::path(TheEngine().model.dataFilePath).stem().string() + ".glm");
    if (CWnd* main = AfxGetMainWnd())
        main->SetWindowText(MainTitle());
}

void CGelmarDoc::SetPathName(const std::string& path, BOOL bAddToMRU)
{
    CDocument::SetPathName(path, bAddToMRU);
    UpdateMainTitle();
}

int CGelmarDoc::CloseModel()
{
    RemoveTempFiles();
    ClearUndoHistory(TheEngine().history);
    FreeModel(TheEngine());
    SetModelPaths("");
    OnCloseDocument();
    return 1;
}

void CGelmarDoc::OnFileClose()
{
    ClearUndoHistory(TheEngine().history);
    OnCloseDocument();
    SetModelPaths("");
}

void CGelmarDoc::InitEmptyModel()
{
    ResetModel(TheEngine());
    ModelStore& m = TheEngine().model;
    for (int a = 0; a < 3; ++a) {
        GridAxis& axis = m.axes[size_t(a)];
        axis.n = 1;
        axis.widths[0] = 1.0f;
        std::fill(axis.flags.begin(), axis.flags.end(), std::uint8_t(0));
        m.clipLo[a] = 0;
        m.clipHi[a] = 1;
    }
    ComputeGridCoordinates(TheEngine().model);
    m.blocks.count = 1;
    InitBlock(TheEngine().model, 0, TheEngine().view.currentColour);
    m.colours[m.blocks[0].colour].inUse = 1;
    ComputeModelExtent(TheEngine().model);
    TheEngine().view.faces.count = 0;
    SetModified(TRUE);
}

BOOL CGelmarDoc::OnNewDocument()
{
    InitEmptyModel();
    Open<CGridView>();
    Open<CBlockView>();
    Open<CColorView>();
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoBaseline, 0, 0);
    m_pristine = true;
    return TRUE;
}

BOOL CGelmarDoc::OnOpenDocument(const char* lpszPathName)
{
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    const std::string path = lpszPathName ? lpszPathName : "";
    SetModelPaths(path);
    if (path.empty()) {
        InitEmptyModel();
    } else if (IsImportExtension(LowerExtension(path))) {
        if (!Seams().importFile(path)) {
            SetModelPaths("");
            return FALSE;
        }
        SetModified(TRUE);
    } else {
        ResetEngineState(TheEngine());
        if (!ReadDataFile(TheEngine().model, path, ReadMode::Open, TheEngine().parameters, Host())) {
            // Nothing of the failed file may stay the target of a later Save.
            SetModelPaths("");
            return FALSE;
        }
        SetModelPaths(TheEngine().model.dataFilePath);
        SetModified(FALSE);
    }
    const ModelStore& m = TheEngine().model;
    if (m.nodeBcs.count > 0)
        Open<CNodeView>();
    else if (m.borderBcs.count > 0)
        Open<CBorderView>();
    else if (m.materialBcs.count > 0)
        Open<CMaterView>();
    Open<CGridView>();
    Open<CBlockView>();
    Open<CColorView>();
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoBaseline, 0, 0);
    return TRUE;
}

BOOL CGelmarDoc::OnSaveDocument(const char* lpszPathName)
{
    return WriteModel(lpszPathName ? lpszPathName : "") ? TRUE : FALSE;
}

bool CGelmarDoc::WriteModel(const std::string& path)
{
    if (path.empty() || !WriteDataFile(TheEngine().model, path)) {
        AfxMessageBox(EngineError::FileOpen(path).Message(), MB_OK);
        return false;
    }
    SetModified(TRUE);
    SetModified(FALSE);
    ClearUndoHistory(TheEngine().history);
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoBaseline, 0, 0);
    return true;
}

// Save writes Gelmar text only to a ".glm" file: a model read from another
// format (an import, a NOVELK file) goes through Save As under its ".glm"
// name, so that the original file is never overwritten.
bool CGelmarDoc::Save()
{
    const std::string& path = TheEngine().model.dataFilePath;
    if (path.empty() || LowerExtension(path) != ".glm")
        return SaveAs();
    return WriteModel(path);
}

bool CGelmarDoc::SaveAs()
{
    std::string initial = TheEngine().model.dataFilePath;
    if (!initial.empty())
        initial = std::filesystem::path(initial).replace_extension(".glm").string();
    const std::string filter = platform::LoadString(IDS_GELMAR_FILTER);
    CFileDialog dlg(FALSE, "glm", initial.c_str(),
                    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                    filter.c_str());
    if (dlg.DoModal() != IDOK)
        return false;
    CWaitCursor wait;
    const std::string chosen = dlg.GetPathName();
    const std::string previous = TheEngine().model.dataFilePath;
    SetModelPaths(chosen);
    if (!WriteModel(chosen)) {
        SetModelPaths(previous);
        return false;
    }
    SetPathName(chosen);
    return true;
}

template <class TView> void CGelmarDoc::Open()
{
    if (CWinApp* app = AfxGetApp())
        app->OpenView<TView>(this);
}

void CGelmarDoc::SetFocusToActiveView()
{
    if (auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        if (CView* v = main->GetActiveView())
            v->SetFocus();
}

namespace {

template <class TView> void CloseWindowOf()
{
    if (CWinApp* app = AfxGetApp())
        if (TView* v = app->FindView<TView>())
            if (CFrameWnd* f = v->GetParentFrame())
                f->SendMessage(WM_CLOSE);
}

} // namespace

void CGelmarDoc::OnImage()
{
    Open<CGraphView>();
}

void CGelmarDoc::OnGrid()
{
    CloseWindowOf<CMinGridView>();
    CloseWindowOf<CCoordView>();
    Open<CGridView>();
}

void CGelmarDoc::OnMinGrid()
{
    CloseWindowOf<CGridView>();
    CloseWindowOf<CCoordView>();
    Open<CMinGridView>();
}

void CGelmarDoc::OnColours()
{
    Open<CColorView>();
}

void CGelmarDoc::OnControls()
{
    Open<CControlView>();
}

void CGelmarDoc::OnFunctionGraph()
{
    Open<CFuncGraphView>();
}

// The 3D view's state.
void CGelmarDoc::OnRotate()
{
    if (g_graphView)
        g_graphView->m_mouseMode = 0;
}
void CGelmarDoc::OnPan()
{
    if (g_graphView)
        g_graphView->m_mouseMode = 2;
}
void CGelmarDoc::OnZoomWindow()
{
    if (g_graphView)
        g_graphView->m_mouseMode = 1;
}
void CGelmarDoc::OnZoomIn()
{
    if (g_graphView)
        g_graphView->m_mouseMode = 3;
}
void CGelmarDoc::OnZoomOut()
{
    if (g_graphView)
        g_graphView->ZoomOut();
}
void CGelmarDoc::OnZoomTotal()
{
    if (g_graphView)
        g_graphView->ZoomTotal();
}
void CGelmarDoc::OnPreviousView()
{
    if (g_graphView)
        g_graphView->SwapPreviousView();
}
void CGelmarDoc::OnZoomNumbers()
{
    if (g_graphView)
        g_graphView->OnZoomNumbers();
}

void CGelmarDoc::OnUpdateMouseMode(CCmdUI* ui)
{
    if (!g_graphView || !kViewNavigationBuilt) {
        ui->Enable(FALSE);
        return;
    }
    const int mode = ui->m_nID == ID_ROTATE        ? 0
                     : ui->m_nID == ID_ZOOM_WINDOW ? 1
                     : ui->m_nID == ID_PAN         ? 2
                                                   : 3;
    if (mode == 2)
        ui->Enable(!g_graphView->m_totalView);
    ui->SetCheck(g_graphView->m_mouseMode == mode);
}

void CGelmarDoc::OnUpdateZoomOutTotal(CCmdUI* ui)
{
    ui->Enable(kViewNavigationBuilt && g_graphView && !g_graphView->m_totalView);
}

void CGelmarDoc::OnUpdatePreviousView(CCmdUI* ui)
{
    ui->Enable(kViewNavigationBuilt && g_graphView && g_graphView->m_previousAngle > 0);
}

void CGelmarDoc::OnUpdateZoomNumbers(CCmdUI* ui)
{
    ui->Enable(kViewNavigationBuilt);
}

void CGelmarDoc::SetViewKind(ViewKind kind)
{
    if (!g_graphView)
        return;
    g_graphView->m_viewKind = kind;
    g_graphView->BuildDisplayList();
    g_graphView->Invalidate(FALSE);
}

void CGelmarDoc::OnUpdateViewKind(CCmdUI* ui)
{
    const ViewKind kind = ui->m_nID == ID_SHOW_MATERIALS     ? ViewKind::Materials
                          : ui->m_nID == ID_SHOW_TRANSPARENT ? ViewKind::Transparent
                          : ui->m_nID == ID_SHOW_BCS         ? ViewKind::BoundaryConditions
                                                             : ViewKind::Temperatures;
    if (!g_graphView) {
        ui->Enable(FALSE);
        return;
    }
    const bool current = g_graphView->m_viewKind == kind;
    ui->Enable(!current && (kind != ViewKind::Temperatures || TheEngine().run.solutionValid));
    ui->SetCheck(current);
}

void CGelmarDoc::OnHideOutline()
{
    g_app.hideOutline = !g_app.hideOutline;
    if (g_graphView)
        g_graphView->Invalidate(FALSE);
}

void CGelmarDoc::OnUpdateHideOutline(CCmdUI* ui)
{
    ui->SetCheck(g_app.hideOutline);
}

void CGelmarDoc::OnShowNorth()
{
    g_app.showNorth = !g_app.showNorth;
    if (g_graphView)
        g_graphView->Invalidate(FALSE);
}

void CGelmarDoc::OnUpdateShowNorth(CCmdUI* ui)
{
    ui->SetCheck(g_app.showNorth);
}

void CGelmarDoc::OnShowRcl()
{
    TheEngine().model.rcl = TheEngine().model.rcl ? 0 : 1;
    // The third axis turns over: a focused line keeps its place on the axis.
    const int nz = TheEngine().model.axes[2].n;
    if (CGridView* grid = FindOpenView<CGridView>()) {
        const int row = grid->FocusRow();
        grid->FillTable();
        if (grid->FocusColumn() == 3 && row >= 1 && row <= nz)
            grid->GoToCell(nz - row + 1, 3);
    }
    if (CCoordView* coords = FindOpenView<CCoordView>()) {
        const int row = coords->FocusRow();
        coords->FillTable();
        if (coords->FocusColumn() == 3 && row >= 1 && row <= nz + 1)
            coords->GoToCell(nz - row + 2, 3);
    }
    RefillIfOpen<CMinGridView>();
    RefillIfOpen<CClipView>();
    RefillIfOpen<CBlockView>();
    RefillIfOpen<CNodeView>();
    RefillIfOpen<COutNodeView>();
    RefillIfOpen<COutBlockView>();
    if (g_graphView) {
        g_graphView->BuildDisplayList();
        g_graphView->Invalidate(FALSE);
    }
    UpdateAllViews(nullptr);
}

void CGelmarDoc::OnUpdateShowRcl(CCmdUI* ui)
{
    ui->SetText(platform::LoadString(TheEngine().model.rcl ? IDS_SHOW_XYZ : IDS_SHOW_RCL));
}

void CGelmarDoc::OnClipOff()
{
    for (int a = 0; a < 3; ++a) {
        TheEngine().model.clipLo[a] = 0;
        TheEngine().model.clipHi[a] = TheEngine().model.axes[size_t(a)].n;
    }
    ComputeModelExtent(TheEngine().model);
    if (CClipView* clip = FindOpenView<CClipView>()) {
        clip->FillTable();
        clip->Invalidate();
    }
    if (g_graphView) {
        g_graphView->ZoomTotal();
        g_graphView->UpdateModel();
        g_graphView->Invalidate(FALSE);
    }
}

void CGelmarDoc::OnUpdateClipOff(CCmdUI* ui)
{
    const bool active = IsClipActive();
    ui->Enable(active);
    ui->SetCheck(!active);
}

// Undo and redo.
void CGelmarDoc::OnUndo()
{
    gelmar::Undo(TheEngine().history, TheEngine().model, TheEngine().run, Host());
}

void CGelmarDoc::OnRedo()
{
    gelmar::Redo(TheEngine().history, TheEngine().model, TheEngine().run, Host());
}

void CGelmarDoc::OnUpdateUndo(CCmdUI* ui)
{
    ui->Enable(CanUndo(TheEngine().history));
}

void CGelmarDoc::OnUpdateRedo(CCmdUI* ui)
{
    ui->Enable(CanRedo(TheEngine().history));
}

// Model dialogs.
void CGelmarDoc::OnTitle()
{
    CDlgTitle dlg;
    dlg.m_title = TheEngine().model.title;
    if (dlg.DoModal() != IDOK || dlg.m_title == TheEngine().model.title)
        return;
    TheEngine().model.title = dlg.m_title;
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoTitle, 0, 0);
    SetModified(TRUE);
}

void CGelmarDoc::OnSaveFrequency()
{
    CDlgSaveFrequency dlg;
    dlg.m_save = TheEngine().model.saveResults ? 0 : 1;
    dlg.m_every = TheEngine().model.saveFrequency;
    if (dlg.DoModal() != IDOK)
        return;
    const int save = dlg.m_save == 0 ? 1 : 0;
    if (save == TheEngine().model.saveResults && dlg.m_every == TheEngine().model.saveFrequency)
        return;
    TheEngine().model.saveResults = save;
    TheEngine().model.saveFrequency = dlg.m_every;
    SetModified(TRUE);
}

void CGelmarDoc::OnReportFrequency()
{
    CDlgReportFrequency dlg;
    dlg.m_every = TheEngine().model.reportFrequency;
    if (dlg.DoModal() != IDOK || dlg.m_every == TheEngine().model.reportFrequency)
        return;
    TheEngine().model.reportFrequency = dlg.m_every;
    SetModified(TRUE);
}

void CGelmarDoc::OnSolarData()
{
    ModelStore& m = TheEngine().model;
    CDlgSolarData dlg;
    dlg.m_rot1z = m.rot1z;
    dlg.m_rot2x = m.rot2x;
    dlg.m_rot3z = m.rot3z;
    dlg.m_latitude = m.latitude;
    dlg.m_longitude = m.longitude;
    dlg.m_timeZone = m.timeZone;
    dlg.m_groundReflection = m.groundReflection;
    if (dlg.DoModal() != IDOK)
        return;
    m.rot1z = dlg.m_rot1z;
    m.rot2x = dlg.m_rot2x;
    m.rot3z = dlg.m_rot3z;
    m.latitude = dlg.m_latitude;
    m.longitude = dlg.m_longitude;
    m.timeZone = dlg.m_timeZone;
    m.groundReflection = dlg.m_groundReflection;
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoSolarData, 0, 0);
    SetModified(TRUE);
    if (g_app.showNorth && g_graphView)
        g_graphView->Invalidate(FALSE);
}

void CGelmarDoc::RefreshAfterModelChange()
{
    RefillOpenTables();
    if (g_graphView) {
        if (g_graphView->m_viewKind == ViewKind::Temperatures)
            g_graphView->m_viewKind = ViewKind::Materials;
        g_graphView->UpdateModel();
    }
    UpdateAllViews(nullptr);
    SetModified(TRUE);
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoBaseline, 0, 0);
}

void CGelmarDoc::OnRevolve()
{
    CDlgRevolve dlg(TheEngine().model);
    if (dlg.DoModal() != IDOK)
        return;
    // A position on the "+" side of an axis reverses that axis around the turn.
    if (!RevolveModel90(TheEngine().model, TheEngine().run, Host(), dlg.m_axis, dlg.m_xPos == 1,
                        dlg.m_yPos == 1, dlg.m_zPos == 1))
        return;
    RefreshAfterModelChange();
}

void CGelmarDoc::OnUpdateRevolve(CCmdUI* ui)
{
    int single = 0, more = 0;
    for (const GridAxis& a : TheEngine().model.axes) {
        single += a.n == 1;
        more += a.n > 1;
    }
    ui->Enable(single == 1 && more == 2);
}

namespace {

// Arrange Blocks without its dialog, superposing, with the given mode flag
// set around the call.
void ArrangeWithFlag(bool ArrangeFlags::*flag, int voidColour = 0)
{
    ArrangeFlags flags;
    flags.*flag = true;
    flags.voidColour = static_cast<std::uint8_t>(voidColour);
    const ArrangeOutcome outcome = ArrangeBlocks(TheEngine().model, Host(), 1, flags);
    if (outcome == ArrangeOutcome::OutOfMemory)
        AfxMessageBox(IDS_NO_MEMORY, MB_OK);
}

} // namespace

void CGelmarDoc::OnReduceToClip()
{
    if (AfxMessageBox(IDS_REDUCE_TO_CLIP, MB_YESNO) != IDYES)
        return;
    ReduceBlocksToClip(TheEngine().model);
    ArrangeWithFlag(&ArrangeFlags::hiddenMode);
    UpdateUsedColours(TheEngine().model, TheEngine().run);
    OnClipOff();
    ModelStore& m = TheEngine().model;
    m.nodeBcs.count = 0;
    m.borderBcs.count = 0;
    m.materialBcs.count = 0;
    // The grid keeps only the lines the remaining blocks lie on.
    for (int a = 0; a < 3; ++a) {
        StoreItemCoordinates(TheEngine().model, a);
        RebuildGridFromCoordinates(TheEngine().model, Host(), a);
    }
    ComputeGridCoordinates(TheEngine().model);
    ComputeModelExtent(TheEngine().model);
    RefreshAfterModelChange();
}

void CGelmarDoc::OnUpdateReduceToClip(CCmdUI* ui)
{
    bool hidden = false;
    for (const ColourRecord& c : TheEngine().model.colours)
        hidden = hidden || (c.inUse && !c.clipShow);
    ui->Enable(AfxGetApp() && AfxGetApp()->FindView<CBlockView>() && (IsClipActive() || hidden));
}

void CGelmarDoc::OnConvertVoid()
{
    int colour = g_app.voidColour;
    for (int i = 0; i < kColourCount; ++i) {
        const int c = (g_app.voidColour + i) % kColourCount;
        if (!TheEngine().model.colours[size_t(c)].inUse) {
            colour = c;
            break;
        }
    }
    CDlgClrVoid dlg;
    dlg.m_colour = colour;
    if (dlg.DoModal() == IDOK)
        colour = dlg.m_colour;
    g_app.voidColour = colour;
    ArrangeWithFlag(&ArrangeFlags::voidMode, colour);
    UpdateUsedColours(TheEngine().model, TheEngine().run);
    RefillOpenTables();
    UpdateAllViews(nullptr);
    SetModified(TRUE);
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoBaseline, 0, 0);
}

namespace {

// A model too large to paint into cells is taken to have void cells (the
// conversion then finds out).
bool HasVoidCells()
{
    try {
        const CellRaster cells = RasteriseModel(TheEngine().model);
        return std::find(cells.colour.begin(), cells.colour.end(), std::int16_t(-1)) != cells.colour.end();
    } catch (const std::bad_alloc&) {
        return true;
    }
}

} // namespace

void CGelmarDoc::OnUpdateConvertVoid(CCmdUI* ui)
{
    ui->Enable(HasVoidCells());
}

void CGelmarDoc::OnUpdateStatusPane(CCmdUI* ui)
{
    ui->SetText(m_statusText);
}

// Commands of the tables: the document passes them to the table when it is
// open and disables them otherwise.
BOOL CGelmarDoc::ForwardToTable(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static bool forwarding = false;
    CWinApp* app = AfxGetApp();
    if (forwarding || !app)
        return FALSE;
    CView* table = nullptr;
    switch (nID) {
    case ID_SET_ORIGIN:
        table = app->FindView<CCoordView>();
        break;
    case ID_BLOCKS_COPY:
    case ID_BLOCKS_MOVE_SELECTION:
    case ID_TRANSFORM_COORDINATES:
    case ID_INSERT_FILE:
    case ID_ARRANGE_BLOCKS:
    case ID_BLOCKS_LIST_ALL:
    case ID_BLOCKS_LIST_SAME_COLOUR:
        table = app->FindView<CBlockView>();
        break;
    case ID_GRID_UNIT:
    case ID_MIN_GRID_CREATE:
    case ID_GRID_SELECT_ALL:
    case ID_GRID_SPLIT:
    case ID_GRID_MERGE:
    case ID_GRID_AUTO_SPLIT:
        table = app->FindView<CGridView>();
        break;
    case ID_COLOURS_LIST_ALL:
    case ID_COLOURS_LIST_PRESENT:
    case ID_COLOURS_LIST_DEFINED:
        table = app->FindView<CColorView>();
        break;
    default:
        return FALSE;
    }
    if (nCode == CN_QUERY)
        return TRUE;
    forwarding = true;
    BOOL handled = FALSE;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        handled = table && table->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, pCmdUI);
        if (!handled && pCmdUI)
            pCmdUI->Enable(table && table->OnCmdMsg(nID, CN_QUERY, nullptr));
    } else if (table && nCode == CN_COMMAND) {
        table->OnCmdMsg(nID, CN_COMMAND, nullptr);
    }
    forwarding = false;
    if (nCode == CN_COMMAND && table)
        SetFocusToActiveView();
    return TRUE;
}

BOOL CGelmarDoc::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnCommand(ID_FILE_SAVE, &CGelmarDoc::OnFileSave),
        OnCommand(ID_FILE_SAVE_AS, &CGelmarDoc::OnFileSaveAs),
        OnCommand(ID_FILE_CLOSE, &CGelmarDoc::OnFileClose),
        OnCommand(ID_IMAGE, &CGelmarDoc::OnImage),
        OnCommand(ID_COORDINATES, &CGelmarDoc::Open<CCoordView>),
        OnCommand(ID_GRID, &CGelmarDoc::OnGrid),
        OnCommand(ID_MIN_GRID, &CGelmarDoc::OnMinGrid),
        OnCommand(ID_BLOCKS, &CGelmarDoc::Open<CBlockView>),
        OnCommand(ID_COLOURS, &CGelmarDoc::OnColours),
        OnCommand(ID_NODE_BCS, &CGelmarDoc::Open<CNodeView>),
        OnCommand(ID_BORDER_BCS, &CGelmarDoc::Open<CBorderView>),
        OnCommand(ID_MATERIAL_BCS, &CGelmarDoc::Open<CMaterView>),
        OnCommand(ID_VENTILATION_FLOWS, &CGelmarDoc::Open<CVentView>),
        OnCommand(ID_FUNCTIONS, &CGelmarDoc::Open<CFuncView>),
        OnCommand(ID_CLIP_OBJECT, &CGelmarDoc::Open<CClipView>),
        OnCommand(ID_CLIP_COLOURS, &CGelmarDoc::Open<CClipColorView>),
        OnCommand(ID_OUTPUT_NODES, &CGelmarDoc::Open<COutNodeView>),
        OnCommand(ID_OUTPUT_BLOCKS, &CGelmarDoc::Open<COutBlockView>),
        OnCommand(ID_REPORT_DEFINITION, &CGelmarDoc::Open<CReportView>),
        OnCommand(ID_SUN_OBSTACLES, &CGelmarDoc::Open<CSunObstView>),
        OnCommand(ID_CONTROLS, &CGelmarDoc::OnControls),
        OnCommand(ID_ROTATE, &CGelmarDoc::OnRotate),
        OnCommand(ID_PAN, &CGelmarDoc::OnPan),
        OnCommand(ID_ZOOM_WINDOW, &CGelmarDoc::OnZoomWindow),
        OnCommand(ID_ZOOM_IN, &CGelmarDoc::OnZoomIn),
        OnCommand(ID_ZOOM_OUT, &CGelmarDoc::OnZoomOut),
        OnCommand(ID_ZOOM_TOTAL, &CGelmarDoc::OnZoomTotal),
        OnCommand(ID_PREVIOUS_VIEW, &CGelmarDoc::OnPreviousView),
        OnCommand(ID_ZOOM_NUMBERS, &CGelmarDoc::OnZoomNumbers),
        OnUpdate(ID_ROTATE, &CGelmarDoc::OnUpdateMouseMode),
        OnUpdate(ID_PAN, &CGelmarDoc::OnUpdateMouseMode),
        OnUpdate(ID_ZOOM_WINDOW, &CGelmarDoc::OnUpdateMouseMode),
        OnUpdate(ID_ZOOM_IN, &CGelmarDoc::OnUpdateMouseMode),
        OnUpdate(ID_ZOOM_OUT, &CGelmarDoc::OnUpdateZoomOutTotal),
        OnUpdate(ID_ZOOM_TOTAL, &CGelmarDoc::OnUpdateZoomOutTotal),
        OnUpdate(ID_PREVIOUS_VIEW, &CGelmarDoc::OnUpdatePreviousView),
        OnUpdate(ID_ZOOM_NUMBERS, &CGelmarDoc::OnUpdateZoomNumbers),
        OnCommand(ID_SHOW_MATERIALS, &CGelmarDoc::OnShowMaterials),
        OnCommand(ID_SHOW_TRANSPARENT, &CGelmarDoc::OnShowTransparent),
        OnCommand(ID_SHOW_BCS, &CGelmarDoc::OnShowBCs),
        OnCommand(ID_SHOW_TEMPERATURES, &CGelmarDoc::OnShowTemperatures),
        OnUpdate(ID_SHOW_MATERIALS, &CGelmarDoc::OnUpdateViewKind),
        OnUpdate(ID_SHOW_TRANSPARENT, &CGelmarDoc::OnUpdateViewKind),
        OnUpdate(ID_SHOW_BCS, &CGelmarDoc::OnUpdateViewKind),
        OnUpdate(ID_SHOW_TEMPERATURES, &CGelmarDoc::OnUpdateViewKind),
        OnCommand(ID_HIDE_OUTLINE, &CGelmarDoc::OnHideOutline),
        OnUpdate(ID_HIDE_OUTLINE, &CGelmarDoc::OnUpdateHideOutline),
        OnCommand(ID_SHOW_NORTH, &CGelmarDoc::OnShowNorth),
        OnUpdate(ID_SHOW_NORTH, &CGelmarDoc::OnUpdateShowNorth),
        OnCommand(ID_SHOW_RCL, &CGelmarDoc::OnShowRcl),
        OnUpdate(ID_SHOW_RCL, &CGelmarDoc::OnUpdateShowRcl),
        OnCommand(ID_CLIP_OFF, &CGelmarDoc::OnClipOff),
        OnUpdate(ID_CLIP_OFF, &CGelmarDoc::OnUpdateClipOff),
        OnCommand(ID_EDIT_UNDO, &CGelmarDoc::OnUndo),
        OnCommand(ID_EDIT_REDO, &CGelmarDoc::OnRedo),
        OnUpdate(ID_EDIT_UNDO, &CGelmarDoc::OnUpdateUndo),
        OnUpdate(ID_EDIT_REDO, &CGelmarDoc::OnUpdateRedo),
        OnCommand(ID_TITLE, &CGelmarDoc::OnTitle),
        OnCommand(ID_CALC_PARAMETERS, &CGelmarDoc::OnCalcParameters),
        OnCommand(ID_SAVE_FREQUENCY, &CGelmarDoc::OnSaveFrequency),
        OnCommand(ID_REPORT_FREQUENCY, &CGelmarDoc::OnReportFrequency),
        OnCommand(ID_SOLAR_DATA, &CGelmarDoc::OnSolarData),
        OnCommand(ID_REVOLVE, &CGelmarDoc::OnRevolve),
        OnUpdate(ID_REVOLVE, &CGelmarDoc::OnUpdateRevolve),
        OnCommand(ID_REDUCE_TO_CLIP, &CGelmarDoc::OnReduceToClip),
        OnUpdate(ID_REDUCE_TO_CLIP, &CGelmarDoc::OnUpdateReduceToClip),
        OnCommand(ID_CONVERT_VOID, &CGelmarDoc::OnConvertVoid),
        OnUpdate(ID_CONVERT_VOID, &CGelmarDoc::OnUpdateConvertVoid),
        OnUpdate(ID_STATUS_PANE, &CGelmarDoc::OnUpdateStatusPane),
        OnCommand(ID_CALC_SYSTEM, &CGelmarDoc::OnCalcSystem),
        OnUpdate(ID_CALC_SYSTEM, &CGelmarDoc::OnUpdateCalcSystem),
        OnCommand(ID_CALC_VIEW_FACTORS, &CGelmarDoc::OnCalcViewFactors),
        OnUpdate(ID_CALC_VIEW_FACTORS, &CGelmarDoc::OnUpdateCalcViewFactors),
        OnCommand(ID_CALC_SOLAR_FLUXES, &CGelmarDoc::OnCalcSolarFluxes),
        OnUpdate(ID_CALC_SOLAR_FLUXES, &CGelmarDoc::OnUpdateCalcSolarFluxes),
        OnCommand(ID_GRAPHIC_OUTPUT, &CGelmarDoc::OnGraphicOutput),
        OnUpdate(ID_GRAPHIC_OUTPUT, &CGelmarDoc::OnUpdateGraphicOutput),
        OnCommand(ID_TEXT_OUTPUT, &CGelmarDoc::OnTextOutput),
        OnCommand(ID_TEMPERATURE_RANGE, &CGelmarDoc::OnTemperatureRange),
        OnUpdate(ID_TEMPERATURE_RANGE, &CGelmarDoc::OnUpdateTemperatureRange),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || ForwardToTable(nID, nCode, pCmdUI) ||
           CDocument::OnCmdMsg(nID, nCode, pCmdUI);
}

} // namespace gelmar

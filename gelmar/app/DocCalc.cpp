// The document's calculation and output commands. Calc System is the
// engine's own sequence, the one gelmar-calc runs; the runs take place in
// their modal progress windows, which the engine asks the program's host
// for. Afterwards the engine's message of the error code is shown, the code
// reset and a new undo baseline saved, so that Undo never steps back across
// a calculation.
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/CalcParamDlg.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/PendingWindows.h"
#include "gelmar/graphics/TextOutputDlg.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

bool IsCalculable()
{
    bool material = false, other = false;
    for (const ColourRecord& c : TheEngine().model.colours) {
        if (!c.inUse)
            continue;
        (c.type == MATERIAL || c.type == EQUIMAT ? material : other) = true;
    }
    return material && other;
}

} // namespace

// The temperatures a successful run leaves in memory are shown by the
// engine's request to the host (view kind 3); the solution flag is the
// engine's run state.
void CGelmarDoc::OnCalcSystem()
{
    RunCalcSystem(TheEngine().model, TheEngine().run, TheEngine().history, Host());
    // The run may have changed rule-derived values of the colours.
    RefillOpenTables();
}

void CGelmarDoc::OnCalcViewFactors()
{
    if (TheEngine().model.dataFilePath.empty())
        return;
    ClearUndoHistory(TheEngine().history);
    FinishCalcCommand(TheEngine().model, TheEngine().history, Host(),
                      RunViewFactorDialog(TheEngine().model, TheEngine().run, Host()),
                      {ErrorCode::Memory, ErrorCode::FileOpen, ErrorCode::SeparatedZones,
                       ErrorCode::DifferentBcTypes, ErrorCode::TransmatBesideVoid, ErrorCode::GridLength});
    RefillOpenTables();
}

void CGelmarDoc::OnCalcSolarFluxes()
{
    RunCalcSolarFluxes(TheEngine().model, TheEngine().run, TheEngine().history, Host());
    RefillOpenTables();
}

void CGelmarDoc::OnUpdateCalcSystem(CCmdUI* ui)
{
    ui->Enable(IsCalculable());
}

void CGelmarDoc::OnUpdateCalcViewFactors(CCmdUI* ui)
{
    ui->Enable(HasRadiatingColours(TheEngine().model));
}

void CGelmarDoc::OnUpdateCalcSolarFluxes(CCmdUI* ui)
{
    ui->Enable(HasSolarColours(TheEngine().model, TheEngine().run));
}

void CGelmarDoc::OnCalcParameters()
{
    CCalcParamDlg dlg(TheEngine());
    if (dlg.DoModal() != IDOK || !dlg.DiffersFromModel())
        return;
    dlg.StoreInModel();
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoCalcParameters, 0, 0);
    SetModified(TRUE);
}

void CGelmarDoc::RecordBars()
{
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
        g_app.toolbarVisible = main->ToolBarVisible();
        g_app.statusBarVisible = main->StatusBarVisible();
    }
}

void CGelmarDoc::OnGraphicOutput()
{
    RecordBars();
    {
        CGraphicOutputDlg dlg(AfxGetMainWnd());
        dlg.DoModal();
    }
    if (PendingErrorCode() == ErrorCode::Bitmap)
        AfxMessageBox(IDS_BITMAP_FAILED, MB_OK);
    ClearPendingError();
}

void CGelmarDoc::OnUpdateGraphicOutput(CCmdUI* ui)
{
    ui->Enable(kGraphicOutputBuilt);
}

void CGelmarDoc::OnTextOutput()
{
    RecordBars();
    CTextOutputDlg dlg(AfxGetMainWnd());
    dlg.DoModal();
}

void CGelmarDoc::OnTemperatureRange()
{
    if (!EditTemperatureRange(nullptr, TheEngine()))
        return;
    if (g_graphView) {
        g_graphView->BuildDisplayList();
        g_graphView->Invalidate(FALSE);
    }
}

void CGelmarDoc::OnUpdateTemperatureRange(CCmdUI* ui)
{
    ui->Enable(kTemperatureRangeBuilt && g_graphView && g_graphView->m_viewKind == ViewKind::Temperatures);
}

} // namespace gelmar

// The document's calculation and output commands. The runs go through their
// modal progress windows; afterwards the engine's error code is mapped to its
// message, reset, and a new undo baseline is saved, so that Undo never steps
// back across a calculation.
#include "common/core/ErrorCode.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/CalcParamDlg.h"
#include "gelmar/app/CalcProgress.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/model/EngineServices.h"
#include "gelmar/model/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

#include <filesystem>
#include <initializer_list>

namespace gelmar {

namespace {

bool IsCalculable()
{
    bool material = false, other = false;
    for (const ColourRecord& c : g_model.colours) {
        if (!c.inUse)
            continue;
        (c.type == MATERIAL || c.type == EQUIMAT ? material : other) = true;
    }
    return material && other;
}

bool HasSolarColours()
{
    for (const ColourRecord& c : g_model.colours)
        if (c.inUse && c.solar && (c.type == BC_SIMPL || c.type == BC_SKY))
            return true;
    return false;
}

// Shows the message of the pending error code when the command maps it.
void ShowErrorMessage(int code, std::initializer_list<int> mapped)
{
    bool listed = false;
    for (int m : mapped)
        listed = listed || m == code;
    if (!listed)
        return;
    switch (code) {
    case 1:
        AfxMessageBox(IDS_NO_MEMORY, MB_OK);
        break;
    case 2:
        AfxMessageBox(ErrorMessage(kErrorFileOpen), MB_OK);
        break;
    case 3:
        AfxMessageBox(ErrorMessage(kErrorSyntax, Seams().syntaxErrorLine()), MB_OK);
        break;
    case 8:
        AfxMessageBox(IDS_VENTILATION_ERROR, MB_OK);
        break;
    case 9:
        AfxMessageBox(IDS_SOLAR_FUNCTIONS_MISSING, MB_OK);
        break;
    default: // 4, 5, 7, 10, 11, 12: the engine's checks report in their own words
        Seams().reportCheckError(code);
        break;
    }
}

} // namespace

bool CGelmarDoc::PrepareViewFactors()
{
    if (!HasRadiatingColours())
        return true;
    std::error_code ec;
    if (!std::filesystem::exists(Seams().viewFactorFile(), ec)) {
        RunViewFactorDialog();
        return true;
    }
    switch (AfxMessageBox(IDS_RECALC_VIEW_FACTORS, MB_YESNOCANCEL)) {
    case IDCANCEL:
        return false;
    case IDYES:
        RunViewFactorDialog();
        return true;
    default:
        return true;
    }
}

void CGelmarDoc::OnCalcSystem()
{
    if (g_model.dataFilePath.empty())
        return;
    if (Seams().isMinimumGrid() && AfxMessageBox(IDS_MINIMUM_GRID_QUESTION, MB_YESNO) != IDYES)
        return;
    Seams().clearUndo();
    if (!PrepareViewFactors())
        return;
    if (common::ErrorCode() == 0)
        RunCalculationDialog();
    const int code = common::ErrorCode();
    if (code == 0 && Seams().temperaturesInMemory()) {
        g_app.solutionCurrent = true;
        SetViewKind(3);
    }
    ShowErrorMessage(code, {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12});
    common::ResetErrorCode();
    Seams().saveUndo(-1);
}

void CGelmarDoc::OnCalcViewFactors()
{
    if (g_model.dataFilePath.empty())
        return;
    Seams().clearUndo();
    RunViewFactorDialog();
    ShowErrorMessage(common::ErrorCode(), {1, 2, 4, 5, 12});
    common::ResetErrorCode();
    Seams().saveUndo(-1);
}

void CGelmarDoc::OnCalcSolarFluxes()
{
    if (g_model.dataFilePath.empty())
        return;
    Seams().clearUndo();
    if (!PrepareViewFactors())
        return;
    if (common::ErrorCode() == 0)
        RunSolarFluxDialog();
    ShowErrorMessage(common::ErrorCode(), {1, 2, 4, 5, 9, 10});
    common::ResetErrorCode();
    Seams().saveUndo(-1);
}

void CGelmarDoc::OnUpdateCalcSystem(CCmdUI* ui)
{
    ui->Enable(IsCalculable());
}

void CGelmarDoc::OnUpdateCalcViewFactors(CCmdUI* ui)
{
    ui->Enable(HasRadiatingColours());
}

void CGelmarDoc::OnUpdateCalcSolarFluxes(CCmdUI* ui)
{
    ui->Enable(HasSolarColours());
}

void CGelmarDoc::OnCalcParameters()
{
    CCalcParamDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.DiffersFromModel())
        return;
    dlg.StoreInModel();
    Seams().saveUndo(10);
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
    CGraphicOutputDlg dlg;
    dlg.DoModal();
    if (common::ErrorCode() == 6)
        AfxMessageBox(IDS_BITMAP_FAILED, MB_OK);
    common::ResetErrorCode();
}

void CGelmarDoc::OnTextOutput()
{
    RecordBars();
    CTextOutputDlg dlg;
    dlg.DoModal();
}

void CGelmarDoc::OnTemperatureRange()
{
    ModelStore& m = g_model;
    CDlgTemperatureRange dlg;
    dlg.m_min = m.tmin;
    dlg.m_max = m.tmax;
    dlg.m_interval1 = m.tin1;
    dlg.m_interval2 = m.tin2;
    dlg.m_single = m.tsin;
    if (dlg.DoModal() != IDOK)
        return;
    m.tmin = dlg.m_min;
    m.tmax = dlg.m_max;
    m.tin1 = dlg.m_interval1;
    m.tin2 = dlg.m_interval2;
    m.tsin = dlg.m_single;
    if (g_graphView) {
        g_graphView->BuildDisplayList();
        g_graphView->Invalidate(FALSE);
    }
}

void CGelmarDoc::OnUpdateTemperatureRange(CCmdUI* ui)
{
    ui->Enable(g_graphView && g_graphView->m_viewKind == 3);
}

} // namespace gelmar

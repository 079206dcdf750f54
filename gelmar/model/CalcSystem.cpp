// The check-and-run sequence of "Calc System" and its error messages.
#include "gelmar/model/CalcSystem.h"
#include "gelmar/model/GridLines.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/BlockOperations.h"
#include "gelmar/model/CalcHooks.h"
#include "gelmar/model/EngineHost.h"
#include "gelmar/model/EngineServices.h"
#include "gelmar/model/Functions.h"
#include "gelmar/model/ModelStore.h"
#include "gelmar/model/NodeNumbering.h"
#include "gelmar/model/RadiatingFaces.h"
#include "gelmar/model/TransientRun.h"
#include "gelmar/model/UndoRedo.h"
#include "gelmar/model/ViewFactorDriver.h"
#include "gelmar/model/WorkArrays.h"

#include <new>
#include <vector>

namespace gelmar {

void ShowCalcErrorMessage(int code)
{
    switch (code) {
    case 0:
        break;
    case kErrorMemory:
    case kErrorFileOpen:
    case kErrorSyntax:
        Host().MessageBox(ErrorMessage(code, g_model.lineCounter), MessageStyle::Ok);
        break;
    case 8:
        Host().MessageBox("Error in ventilation system", MessageStyle::Ok);
        break;
    case 9:
        Host().MessageBox("Solar radiation function (G01 or D01) not present", MessageStyle::Ok);
        break;
    default:
        ReportModelCheckError(code);
        break;
    }
}

namespace {

bool RunViewFactorWork()
{
    FreeWorkArrays(0);
    bool normal = false;
    try {
        try {
            RasteriseBlocks();
            BuildNodeNumbering();
            const CellGrid cells{g_model.axes[0].n, g_model.axes[1].n, g_model.axes[2].n, g_work.cellColours};
            ComputeViewFactors(cells);
            normal = true;
        } catch (const std::bad_alloc&) {
            common::RaiseError(kErrorMemory);
        }
    } catch (const common::EngineException&) {
    }
    FreeRadiation();
    FreeWorkArrays(0);
    return normal;
}

} // namespace

bool RunCalculationWindow()
{
    bool normal = false;
    try {
        try {
            RunTransientCalculation();
            normal = true;
        } catch (const std::bad_alloc&) {
            // Any allocation of the run (matrix, factor, solver vectors).
            common::RaiseError(kErrorMemory);
        }
    } catch (const common::EngineException&) {
        if (HasReportItems())
            WriteReportOutputFile();
        FreeVentilationMatrix();
        FreePropertyTables();
        g_model.calcTime -= g_model.timeStep;
    }
    FreeWorkArrays(0);
    return normal;
}

bool RunProgressWork(ProgressWindow window)
{
    switch (window) {
    case ProgressWindow::Calculation:
        return RunCalculationWindow();
    case ProgressWindow::ViewFactors:
        return RunViewFactorWork();
    case ProgressWindow::SolarFluxes:
        break;
    }
    Host().MessageBox("The solar flux calculation is not part of this build.", MessageStyle::Ok);
    return false;
}

CalcSystemResult RunCalcSystem()
{
    if (g_model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
    if (IsMinimumGrid() &&
        Host().MessageBox(
            "Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?",
            MessageStyle::YesNo) != MessageAnswer::Yes)
        return CalcSystemResult::NotStarted;
    ClearUndoHistory();
    if (HasRadiatingColours() && !PrepareViewFactorFile())
        return CalcSystemResult::NotStarted;
    bool normal = false;
    if (common::ErrorCode() == 0)
        normal = RunCalculationDialog();
    const int code = common::ErrorCode();
    ShowCalcErrorMessage(code);
    common::ResetErrorCode();
    SaveUndoRecord(kUndoBaseline, 0, 0);
    if (code != 0)
        return CalcSystemResult::Failed;
    if (normal) {
        if (!g_work.solution.empty())
            Host().ShowStepTemperatures();
        return CalcSystemResult::Done;
    }
    return CalcSystemResult::Aborted;
}

} // namespace gelmar

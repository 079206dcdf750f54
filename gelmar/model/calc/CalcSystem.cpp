// The check-and-run sequences of "Calc System" and "Calc Solar Fluxes"
// and their error messages.
#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/editing/GridLines.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/calc/TransientRun.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/ventilation/Ventilation.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/calc/WorkArrays.h"

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
    case kErrorSolarFunctions:
    case kErrorSolarContact:
        Host().MessageBox(ErrorMessage(code), MessageStyle::Ok);
        break;
    case kErrorGridLength:
    case kErrorNotFiniteAssembly:
    case kErrorNotFiniteSolve:
    case kErrorNotFiniteResults:
        Host().MessageBox(FiniteCheckMessage(code, g_model, g_run), MessageStyle::Ok);
        break;
    default:
        ReportModelCheckError(code);
        break;
    }
}

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
        FreeFunctionFileData();
        g_model.calcTime -= g_model.timeStep;
    }
    FreeWorkArrays(0);
    return normal;
}

bool RunSolarFluxWindow()
{
    bool normal = false;
    try {
        try {
            RunSolarFluxCalculation();
            normal = true;
        } catch (const std::bad_alloc&) {
            common::RaiseError(kErrorMemory);
        }
    } catch (const common::EngineException&) {
        FreePropertyTables();
        g_model.calcTime -= g_model.timeStep;
    }
    FreeWorkArrays(0);
    return normal;
}

namespace {

// A grid interval without a finite positive length is refused before any
// question or run.
bool GridLengthsRefused()
{
    if (!FindGridLengthFault(g_model))
        return false;
    ShowCalcErrorMessage(kErrorGridLength);
    return true;
}

} // namespace

CalcSystemResult RunCalcSolarFluxes()
{
    if (g_model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
    if (GridLengthsRefused())
        return CalcSystemResult::Failed;
    ClearUndoHistory();
    if (HasRadiatingColours() && !PrepareViewFactorFile())
        return CalcSystemResult::NotStarted;
    bool normal = false;
    if (common::ErrorCode() == 0)
        normal = RunSolarFluxDialog();
    const int code = common::ErrorCode();
    ShowCalcErrorMessage(code);
    common::ResetErrorCode();
    SaveUndoRecord(kUndoBaseline, 0, 0);
    if (code != 0)
        return CalcSystemResult::Failed;
    return normal ? CalcSystemResult::Done : CalcSystemResult::Aborted;
}

bool RunProgressWork(ProgressWindow window)
{
    switch (window) {
    case ProgressWindow::Calculation:
        return RunCalculationWindow();
    case ProgressWindow::ViewFactors:
        return RunViewFactorWindow();
    case ProgressWindow::SolarFluxes:
        return RunSolarFluxWindow();
    }
    return false;
}

CalcSystemResult RunCalcSystem()
{
    if (g_model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
    if (GridLengthsRefused())
        return CalcSystemResult::Failed;
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

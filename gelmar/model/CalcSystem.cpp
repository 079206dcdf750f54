// The check-and-run sequences of "Calc System" and "Calc Solar Fluxes"
// and their error messages.
#include "gelmar/model/CalcSystem.h"
#include "gelmar/model/GridLines.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/BlockOperations.h"
#include "gelmar/model/CalcHooks.h"
#include "gelmar/model/EngineHost.h"
#include "gelmar/model/EngineServices.h"
#include "gelmar/model/FunctionFiles.h"
#include "gelmar/model/Functions.h"
#include "gelmar/model/ModelStore.h"
#include "gelmar/model/NodeNumbering.h"
#include "gelmar/model/OutputReport.h"
#include "gelmar/model/RadiatingFaces.h"
#include "gelmar/model/SolarRun.h"
#include "gelmar/model/SolarSurfaces.h"
#include "gelmar/model/SunPosition.h"
#include "gelmar/model/TransientRun.h"
#include "gelmar/model/UndoRedo.h"
#include "gelmar/model/Ventilation.h"
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
    case kErrorSolarFunctions:
    case kErrorSolarContact:
        Host().MessageBox(ErrorMessage(code), MessageStyle::Ok);
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

CalcSystemResult RunCalcSolarFluxes()
{
    if (g_model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
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

// The check-and-run sequence of "Calc System" and its error messages.
#include "gelmar/model/CalcSystem.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/CalcHooks.h"
#include "gelmar/model/EngineHost.h"
#include "gelmar/model/EngineServices.h"
#include "gelmar/model/Functions.h"
#include "gelmar/model/ModelStore.h"
#include "gelmar/model/TransientRun.h"
#include "gelmar/model/WorkArrays.h"

#include <new>
#include <vector>

namespace gelmar {

namespace {

void ShowError(int code)
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

} // namespace

bool IsMinimumGrid()
{
    for (int a = 0; a < 3; ++a) {
        const int n = g_model.axes[a].n;
        std::vector<char> used(n + 1, 0);
        auto mark = [&](int line) {
            if (line >= 0 && line <= n)
                used[line] = 1;
        };
        for (std::size_t b = 0; b < g_model.blocks.count; ++b) {
            const BlockRecord& r = g_model.blocks[b];
            const int lo[3] = {r.x1, r.y1, r.z1}, hi[3] = {r.x2, r.y2, r.z2};
            mark(lo[a]);
            mark(hi[a]);
        }
        for (std::int32_t i = 0; i < g_model.nodeBcs.count; ++i) {
            const NodeBcRecord& r = g_model.nodeBcs[i];
            const int p[3] = {r.i, r.j, r.k};
            mark(p[a]);
        }
        for (char u : used)
            if (!u)
                return false;
    }
    return true;
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
        g_model.calcTime -= g_model.timeStep;
    }
    FreeWorkArrays(0);
    return normal;
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
        normal = RunCalculationWindow();
    const int code = common::ErrorCode();
    ShowError(code);
    common::ResetErrorCode();
    SaveBaselineSnapshot();
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

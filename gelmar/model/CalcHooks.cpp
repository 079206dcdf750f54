// The calculation's calls into radiation, solar, control, ventilation and
// report modules, as a model without those features needs them.
#include "gelmar/model/CalcHooks.h"

#include "gelmar/model/ModelStore.h"

namespace gelmar {

void FindSolarFunctions(bool) {}
void BuildSiteRotation() {}
void PrepareSolarSurfaces(bool) {}
void ComputeSolarFluxesForStep() {}
void AddSolarNodeSources(double*) {}
bool AnySolarNodePower()
{
    return false;
}
void ClearSolarFluxColumn() {}

void EvaluateControls() {}
bool ApplyControls()
{
    return false;
}

bool HasVentilationFlows()
{
    return false;
}
void CheckVentilationFlows(int) {}
void PrepareVentilationNetwork() {}
int StepVentilationNetwork()
{
    return 1;
}
void EndVentilationStep() {}
void FreeVentilationMatrix() {}
void AssembleBoundaryColourRows() {}

void ReportModelCheckError(int) {}


void SizeOutputBuffer() {}
bool HasReportItems()
{
    return false;
}
void FillReportRow() {}
void WriteReportOutputFile() {}

} // namespace gelmar

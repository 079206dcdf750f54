// The calculation's calls into radiation, control, ventilation and
// report modules, as a model without those features needs them.
#include "gelmar/model/CalcHooks.h"

#include "gelmar/model/ModelStore.h"

namespace gelmar {

void LoadViewFactors() {}
void ForEachZoneLink(const std::function<void(Index, Index)>&) {}
void AssembleAirNodeCapacities(double) {}
void AssembleLongWaveRadiation() {}
void AdvanceZoneFaces() {}
void WriteZoneFaceFlows(std::FILE*) {}
void UpdateZoneAirTemperatures() {}
int ZoneCount()
{
    return 0;
}
bool ColourAirNodeTemperature(int, double&)
{
    return false;
}

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
bool PrepareViewFactorFile()
{
    return true;
}


void SizeOutputBuffer() {}
bool HasReportItems()
{
    return false;
}
void FillReportRow() {}
void WriteReportOutputFile() {}

} // namespace gelmar

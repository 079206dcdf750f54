// The messages of the model checks that end a calculation, each shown
// through the reporting form of the check that raised its code.
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/radiation/CavityChecks.h"
#include "gelmar/model/controls/Controls.h"
#include "gelmar/model/ventilation/Ventilation.h"

namespace gelmar {

void ReportModelCheckError(int code)
{
    switch (code) {
    case kErrorSeparatedZones:
    case kErrorDifferentBcTypes:
    case kErrorTransmatBesideVoid:
        ReportSystemError();
        break;
    case kErrorVentilationFlow:
        CheckVentilationFlows(1);
        break;
    case kErrorControl:
        ReportControlError();
        break;
    default:
        break;
    }
}

} // namespace gelmar

// The batch calculation of one opened model.
#include "dralo/model/calc/BatchRun.h"

#include "dralo/model/editing/En10077.h"
#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/files/ModelFiles.h"

namespace dralo {

CalcResult RunBatchCalculation(EditSession& s, RunState& run, const ColourTable& startupColours)
{
    BitmapModel& m = s.model;
    if (m.fromDxf) {
        PrepareEn10077Model(s);
        // The prepared model's bitmap is the one its data file names.
        if (!WriteModelBmp(m, m.bitmapPath)) {
            s.host.MessageBox(FileOpenText(m.bitmapPath), MessageStyle::Ok);
            return CalcResult::Failed;
        }
    }
    const CalcResult result = RunCalcSystem(m, run, s.undo, startupColours, s.host, true);
    s.host.SetModified(false);
    return result;
}

} // namespace dralo

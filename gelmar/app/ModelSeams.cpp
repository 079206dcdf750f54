// Defaults of the seams: a clear message that the import is not available,
// and the record in the focused row of the open condition tables.
#include "gelmar/app/ModelSeams.h"

#include "gelmar/app/TableViews.h"
#include "gelmar/model/store/EngineHost.h"

namespace gelmar {

namespace {

template <class TView> int FocusRecordOf()
{
    const TView* view = FindOpenView<TView>();
    return view ? view->FocusRecord() : -1;
}

ModelSeams Defaults()
{
    ModelSeams s;
    s.importFile = [](const std::string&) {
        Host().MessageBox("Import of this file format is not available.", MessageStyle::Ok);
        return false;
    };
    s.focusedNodeBc = [] { return FocusRecordOf<CNodeView>(); };
    s.focusedOutputNode = [] { return FocusRecordOf<COutNodeView>(); };
    s.focusedOutputBlock = [] { return FocusRecordOf<COutBlockView>(); };
    s.selectedFunction = [] { return FocusRecordOf<CFuncView>(); };
    return s;
}

} // namespace

ModelSeams& Seams()
{
    static ModelSeams seams = Defaults();
    return seams;
}

void ResetSeams()
{
    Seams() = Defaults();
}

} // namespace gelmar

// Defaults of the seams: a clear message that the import is not available,
// and the open tables' answers to the 3D view.
#include "gelmar/app/ModelSeams.h"

#include "gelmar/app/TableViews.h"
#include "gelmar/model/store/EngineHost.h"

namespace gelmar {

namespace {

ModelSeams Defaults()
{
    ModelSeams s;
    s.importFile = [](const std::string&) {
        Host().MessageBox("Import of this file format is not available.", MessageStyle::Ok);
        return false;
    };
    s.selectedSpan = [](int linkedTable, GridSpan& span) {
        if (linkedTable == kLinkGrid)
            if (const CGridView* grid = FindOpenView<CGridView>()) {
                grid->GetSelectedSpan(span);
                return true;
            }
        if (linkedTable == kLinkMinGrid)
            if (const CMinGridView* grid = FindOpenView<CMinGridView>()) {
                grid->GetSelectedSpan(span);
                return true;
            }
        if (linkedTable == kLinkCoordinates)
            if (const CCoordView* coords = FindOpenView<CCoordView>()) {
                coords->GetSelectedSpan(span);
                return true;
            }
        return false;
    };
    s.focusedBlock = [] {
        const CBlockView* blocks = FindOpenView<CBlockView>();
        return blocks ? blocks->FocusBlock() : -1;
    };
    s.goToBlock = [](int block) {
        if (CBlockView* blocks = FindOpenView<CBlockView>())
            blocks->GoToCell(block, blocks->FocusColumn());
    };
    s.goToColour = [](int colour) {
        if (CColorView* colours = FindOpenView<CColorView>())
            colours->GoToCell(colour, 2);
        if (CClipColorView* clip = FindOpenView<CClipColorView>())
            clip->GoToCell(colour, 5);
    };
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

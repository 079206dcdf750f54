// The Borderface BCs table.
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/BorderView.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/Outlines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

using common::GVIS_READONLY;

constexpr int kColumns = 8;

BcCells Cells(BorderFaceBcRecord& r)
{
    return {5, r.type, r.temperature, r.temperatureFunc, r.flux, r.fluxFunc, 'I'};
}

bool BothSet(const BorderFaceBcRecord& r)
{
    return r.colour1 >= 0 && r.colour2 >= 0;
}

} // namespace

CBorderView::CBorderView()
    : CListTableView({ModelList::BorderBcs, kColumns, 3, 10006, kUndoBorderBcs, 3, 3, 7, IDS_DELETE_BORDER_BC, false})
{
}

CBorderFrame::CBorderFrame() : CTableFrame(IDS_BORDER_BCS) {}

void CBorderView::FillHeader()
{
    // The strings hold No., Col.1, the first swatch, Col.2, the second
    // swatch, then Type and the two values.
    static const UINT kHeader[kColumns] = {0, 2, 4, 1, 3, 5, 6, 7};
    for (int c = 0; c < kColumns; ++c)
        SetHeaderCell(c, platform::LoadString(IDS_BORDER_HEADER_FIRST + kHeader[c]), RGB(0, 0, 0),
                      c <= 5 ? DT_LEFT : DT_RIGHT, &g_tableFont);
}

void CBorderView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col >= kColumns)
        return;
    const BorderFaceBcRecord& r = TheEngine().model.borderBcs[static_cast<std::size_t>(n)];
    switch (col) {
    case 0:
        FormatNumberCell(row);
        return;
    case 1:
    case 2:
    case 3:
    case 4:
        FormatColourPairCell(row, col, r.colour1, r.colour2);
        return;
    case 5:
        if (BothSet(r))
            SetBodyCell(row, col, r.type == 0 ? "TEMP" : "FLUX", GVIS_READONLY, DT_LEFT, m_crWindow);
        else
            FormatDisabledCell(row, col, DT_LEFT);
        return;
    case 6:
        FormatBcValueCell(row, col, BothSet(r) && r.type == 0, r.temperature, r.temperatureFunc);
        return;
    default:
        FormatBcValueCell(row, col, BothSet(r) && r.type == 1, r.flux, r.fluxFunc);
        return;
    }
}

void CBorderView::OutlineFocusedRow()
{
    if (!g_graphView)
        return;
    BuildColourPairOutline(TheEngine().model, TheEngine().view, Host(),
                           static_cast<std::size_t>(std::max(FocusRecord(), 0)));
    RepaintLinkedGraph(kLinkColourOutline);
}

void CBorderView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    if (g_graphView) {
        BuildColourPairOutline(TheEngine().model, TheEngine().view, Host(),
                               static_cast<std::size_t>(std::max(FocusRecord(), 0)));
        LinkGraphView(kLinkColourOutline, true);
    }
    CListTableView::OnSetFocus(pOldWnd);
}

void CBorderView::OnGridFocusChanged(int row, int col)
{
    const int previous = m_nFocusRow;
    CListTableView::OnGridFocusChanged(row, col);
    if (row != previous && LinkedTableKind() == kLinkColourOutline)
        OutlineFocusedRow();
    if (col == 3 || col == 4)
        SyncLinkedViews();
    if (col == 6 || col == 7)
        ShowReferencedFunction();
}

void CBorderView::SyncLinkedViews()
{
    const int n = FocusRecord();
    if (n < 0 || !IsActiveTable())
        return;
    const BorderFaceBcRecord& r = TheEngine().model.borderBcs[static_cast<std::size_t>(n)];
    const int colour = m_nFocusCol == 3 ? r.colour1 : m_nFocusCol == 4 ? r.colour2 : -1;
    if (colour >= 0)
        GoToColourInTables(colour);
}

void CBorderView::ShowReferencedFunction()
{
    const int n = FocusRecord();
    if (n < 0)
        return;
    BorderFaceBcRecord& r = TheEngine().model.borderBcs[static_cast<std::size_t>(n)];
    ShowBcFunction(Cells(r), BothSet(r));
}

void CBorderView::OnGridBeginEdit(int row, int col, UINT)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    BorderFaceBcRecord& r = TheEngine().model.borderBcs[static_cast<std::size_t>(n)];
    BeginBcEdit(row, col, Cells(r), BothSet(r));
}

void CBorderView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || col < 3 || col == 5) {
        FormatCell(row, col);
        return;
    }
    BorderFaceBcRecord& r = TheEngine().model.borderBcs[static_cast<std::size_t>(n)];
    const std::string text = m_pGrid->GetItemText(row, col);
    if (col == 3 || col == 4) {
        std::int16_t& colour = col == 3 ? r.colour1 : r.colour2;
        if (const std::optional<int> v =
                ColourNumberEntry(TheEngine().model, text, col == 3 ? r.colour2 : r.colour1))
            colour = static_cast<std::int16_t>(*v);
        FillTable();
        SyncLinkedViews();
        Invalidate(FALSE);
    } else {
        StoreBcCell(row, col, text, Cells(r));
    }
    RecordEdit();
}

void CBorderView::RecordEdit()
{
    CListTableView::RecordEdit();
    if (g_graphView) {
        OutlineFocusedRow();
        g_graphView->Invalidate(FALSE);
    }
}

} // namespace gelmar

// The Material BCs table.
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/MaterView.h"

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
using common::GVIS_UNSIGNED;

constexpr int kColumns = 6;

BcCells Cells(MaterialBcRecord& r)
{
    return {3, r.type, r.temperature, r.temperatureFunc, r.power, r.powerFunc, 'P'};
}

} // namespace

CMaterView::CMaterView()
    : CListTableView(
          {ModelList::MaterialBcs, kColumns, 2, 10011, kUndoMaterialBcs, 2, 2, 5, IDS_DELETE_MATERIAL_BC, false})
{
}

CMaterFrame::CMaterFrame() : CTableFrame(IDS_MATERIAL_BCS) {}

void CMaterView::FillHeader()
{
    const std::string texts[kColumns] = {platform::LoadString(IDS_MATERIAL_NUMBER), "   ",
                                         platform::LoadString(IDS_MATERIAL_COLOUR), platform::LoadString(IDS_MATERIAL_TYPE),
                                         "θ [°C]", "p [W/m3]"};
    for (int c = 0; c < kColumns; ++c)
        SetHeaderCell(c, texts[c], RGB(0, 0, 0), c <= 3 ? DT_LEFT : DT_RIGHT, &g_tableFont);
}

void CMaterView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col >= kColumns)
        return;
    const MaterialBcRecord& r = TheEngine().model.materialBcs[static_cast<std::size_t>(n)];
    const bool set = r.colour >= 0;
    switch (col) {
    case 0:
        FormatNumberCell(row);
        return;
    case 1:
        FormatSwatchCell(row, col, r.colour);
        return;
    case 2:
        SetBodyCell(row, col, set ? std::to_string(r.colour) : std::string(), GVIS_UNSIGNED, DT_LEFT, m_crWindow);
        return;
    case 3:
        if (set)
            SetBodyCell(row, col, r.type == 0 ? "TEMP" : "POWER", GVIS_READONLY, DT_LEFT, m_crWindow);
        else
            FormatDisabledCell(row, col, DT_LEFT);
        return;
    case 4:
        FormatBcValueCell(row, col, set && r.type == 0, r.temperature, r.temperatureFunc);
        return;
    default:
        FormatBcValueCell(row, col, set && r.type == 1, r.power, r.powerFunc);
        return;
    }
}

void CMaterView::GoToCell(int row, int col)
{
    CListTableView::GoToCell(row, col);
    SyncLinkedViews();
}

void CMaterView::OutlineFocusedColour()
{
    const int n = FocusRecord();
    BuildColourOutline(TheEngine().model, TheEngine().view, Host(),
                       n < 0 ? -1 : TheEngine().model.materialBcs[static_cast<std::size_t>(n)].colour);
}

void CMaterView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    if (g_graphView && g_graphView->m_viewKind != ViewKind::Temperatures && RecordCount() > 0) {
        OutlineFocusedColour();
        LinkGraphView(kLinkColourOutline, true);
        SyncLinkedViews();
    }
    CListTableView::OnSetFocus(pOldWnd);
}

void CMaterView::OnGridFocusChanged(int row, int col)
{
    const int previous = m_nFocusRow;
    CListTableView::OnGridFocusChanged(row, col);
    if (row != previous && g_graphView) {
        OutlineFocusedColour();
        LinkGraphView(kLinkColourOutline, true);
    }
    SyncLinkedViews();
    ShowReferencedFunction();
}

void CMaterView::SyncLinkedViews()
{
    const int n = FocusRecord();
    if (n < 0 || !IsActiveTable())
        return;
    const int colour = TheEngine().model.materialBcs[static_cast<std::size_t>(n)].colour;
    if (colour >= 0)
        GoToColourInTables(colour);
}

void CMaterView::ShowReferencedFunction()
{
    const int n = FocusRecord();
    if (n < 0)
        return;
    MaterialBcRecord& r = TheEngine().model.materialBcs[static_cast<std::size_t>(n)];
    ShowBcFunction(Cells(r), r.colour >= 0);
}

void CMaterView::OnGridBeginEdit(int row, int col, UINT)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    MaterialBcRecord& r = TheEngine().model.materialBcs[static_cast<std::size_t>(n)];
    BeginBcEdit(row, col, Cells(r), r.colour >= 0);
}

void CMaterView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || col < 2 || col == 3) {
        FormatCell(row, col);
        return;
    }
    MaterialBcRecord& r = TheEngine().model.materialBcs[static_cast<std::size_t>(n)];
    const std::string text = m_pGrid->GetItemText(row, col);
    if (col == 2) {
        if (const std::optional<int> v = ColourNumberEntry(TheEngine().model, text))
            r.colour = static_cast<std::int16_t>(*v);
        FillTable();
        SyncLinkedViews();
    } else {
        StoreBcCell(row, col, text, Cells(r));
    }
    RecordEdit();
}

void CMaterView::RecordEdit()
{
    CListTableView::RecordEdit();
    if (g_graphView && RecordCount() > 0) {
        OutlineFocusedColour();
        LinkGraphView(kLinkColourOutline, true);
    }
}

} // namespace gelmar

// The Ventilation Flows table.
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/VentView.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

using common::GVIS_READONLY;

constexpr int kColumns = 6;

bool BothSet(const VentilationFlowRecord& r)
{
    return r.colourFrom >= 0 && r.colourTo >= 0;
}

} // namespace

CVentView::CVentView()
    : CListTableView({ModelList::VentilationFlows, kColumns, 1, 10012, kUndoVentilation, 3, 1, kColumns - 1,
                      IDS_DELETE_VENTILATION_FLOW, false})
{
}

CVentFrame::CVentFrame() : CTableFrame(IDS_VENTILATION_FLOWS) {}

void CVentView::FillHeader()
{
    for (int c = 0; c < kColumns; ++c)
        SetHeaderCell(c, platform::LoadString(IDS_VENTILATION_HEADER_FIRST + static_cast<UINT>(c)), RGB(0, 0, 0),
                      c <= 4 ? DT_LEFT : DT_RIGHT, &g_tableFont);
}

void CVentView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col >= kColumns)
        return;
    const VentilationFlowRecord& r = TheEngine().model.ventFlows[static_cast<std::size_t>(n)];
    switch (col) {
    case 0:
        FormatNumberCell(row);
        return;
    case 1:
    case 2:
    case 3:
    case 4:
        FormatColourPairCell(row, col, r.colourFrom, r.colourTo);
        return;
    default:
        if (BothSet(r))
            SetBodyCell(row, col, FlowValueText(r), common::GVIS_TEXT, DT_RIGHT, m_crWindow);
        else
            FormatDisabledCell(row, col, DT_RIGHT);
        return;
    }
}

void CVentView::ShowLinked()
{
    const int n = FocusRecord();
    if (n < 0 || !IsActiveTable())
        return;
    const VentilationFlowRecord& r = TheEngine().model.ventFlows[static_cast<std::size_t>(n)];
    if (m_nFocusCol == 3 || m_nFocusCol == 4) {
        const int colour = m_nFocusCol == 3 ? r.colourFrom : r.colourTo;
        if (colour >= 0)
            GoToColourInTables(colour);
    } else if (m_nFocusCol == 5 && BothSet(r)) {
        ShowFunction(r.flowFunc);
    }
}

void CVentView::OnGridFocusChanged(int row, int col)
{
    CListTableView::OnGridFocusChanged(row, col);
    ShowLinked();
}

void CVentView::OnGridBeginEdit(int row, int col, UINT)
{
    const int n = RecordFromRow(row);
    if (n < 0 || col != 5)
        return;
    const VentilationFlowRecord& r = TheEngine().model.ventFlows[static_cast<std::size_t>(n)];
    if (BothSet(r))
        StartValueEditor(row, col, r.flow, r.flowFunc);
}

void CVentView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || col < 3) {
        FormatCell(row, col);
        return;
    }
    VentilationFlowRecord& r = TheEngine().model.ventFlows[static_cast<std::size_t>(n)];
    const std::string text = m_pGrid->GetItemText(row, col);
    if (col <= 4) {
        std::int16_t& colour = col == 3 ? r.colourFrom : r.colourTo;
        const int other = col == 3 ? r.colourTo : r.colourFrom;
        if (const std::optional<int> v = ColourNumberEntry(TheEngine().model, text, other))
            colour = static_cast<std::int16_t>(*v);
        FillTable();
    } else {
        StoreFlowValue(TheEngine().model, text, r);
        FormatCell(row, col);
    }
    ShowLinked();
    RecordEdit();
}

} // namespace gelmar

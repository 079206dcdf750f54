// The Controls table.
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/ControlView.h"

#include "common/core/NumberText.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/app/OutputViews.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

using common::GVIS_READONLY;
using common::GVIS_UNSIGNED;

constexpr int kColumns = 14;

// The number columns and their fields.
float* NumberField(ControlRecord& c, int col)
{
    switch (col) {
    case 3:
        return &c.sensitivityUp;
    case 4:
        return &c.sensitivityDown;
    case 6:
        return &c.timeOn;
    case 7:
        return &c.timeOff;
    case 11:
        return &c.deltaT;
    default:
        return nullptr;
    }
}

FunctionName* FunctionField(ControlRecord& c, int col)
{
    return col == 2 ? &c.targetFunc : col == 8 ? &c.offFunc : col == 9 ? &c.onFunc : nullptr;
}

std::string ZoneText(int zone)
{
    return zone >= 0 ? std::to_string(zone) : std::string();
}

} // namespace

CControlView::CControlView()
    : CListTableView({ModelList::Controls, kColumns, 1, 10016, kUndoControls, 1, 1, kColumns - 1, IDS_DELETE_CONTROL,
                      true})
{
}

CControlFrame::CControlFrame() : CTableFrame(IDS_CONTROLS) {}

void CControlView::FillHeader()
{
    for (int c = 0; c < kColumns; ++c)
        SetHeaderCell(c, platform::LoadString(IDS_CONTROLS_HEADER_FIRST + static_cast<UINT>(c)), RGB(0, 0, 0),
                      c == 0 || c == 2 || c == 5 || c == 8 || c == 9 || c == 10 ? DT_LEFT : DT_RIGHT, &g_tableFont);
}

void CControlView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col >= kColumns)
        return;
    if (col == 0) {
        FormatNumberCell(row);
        return;
    }
    ControlRecord& c = TheEngine().model.controls[static_cast<std::size_t>(n)];
    const bool zones = ControlUsesZones(c);
    if (col >= 10 && (!zones || (col >= 11 && c.testDeltaT == 0))) {
        FormatDisabledCell(row, col, col == 10 ? DT_LEFT : DT_RIGHT);
        return;
    }
    if (const float* v = NumberField(c, col)) {
        SetBodyCell(row, col, common::FormatDecimals(*v, 1), common::GVIS_TEXT, DT_RIGHT, m_crWindow);
        return;
    }
    if (const FunctionName* f = FunctionField(c, col)) {
        SetBodyCell(row, col, std::string(f->View()), common::GVIS_TEXT, DT_LEFT, m_crWindow);
        return;
    }
    switch (col) {
    case 1:
        SetBodyCell(row, col, c.sensor >= 1 ? std::to_string(c.sensor) : std::string(), GVIS_UNSIGNED, DT_RIGHT,
                    m_crWindow);
        return;
    case 5:
        SetBodyCell(row, col, c.purpose == HEATING ? "HEATING" : "COOLING", GVIS_READONLY, DT_LEFT, m_crWindow);
        return;
    case 10:
        SetBodyCell(row, col, c.testDeltaT ? "YES" : "NO", GVIS_READONLY, DT_LEFT, m_crWindow);
        return;
    default:
        SetBodyCell(row, col, ZoneText(col == 12 ? c.zone1 : c.zone2), GVIS_UNSIGNED, DT_RIGHT, m_crWindow);
        return;
    }
}

void CControlView::ShowLinked()
{
    const int n = FocusRecord();
    if (n < 0 || !IsActiveTable())
        return;
    ControlRecord& c = TheEngine().model.controls[static_cast<std::size_t>(n)];
    const int col = m_nFocusCol;
    if (col == 1 && c.sensor >= 1) {
        if (COutNodeView* nodes = FindOpenView<COutNodeView>())
            nodes->GoToCell(c.sensor, 1);
    } else if (const FunctionName* f = FunctionField(c, col)) {
        ShowFunction(*f);
    } else if ((col == 12 || col == 13) && ControlUsesZones(c)) {
        const int zone = col == 12 ? c.zone1 : c.zone2;
        if (zone >= 0)
            GoToColourInTables(zone);
    }
}

void CControlView::OnGridFocusChanged(int row, int col)
{
    CListTableView::OnGridFocusChanged(row, col);
    ShowLinked();
}

void CControlView::OnGridBeginEdit(int row, int col, UINT)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    ControlRecord& c = TheEngine().model.controls[static_cast<std::size_t>(n)];
    if (col == 5 || (col == 10 && ControlUsesZones(c))) {
        if (col == 5)
            c.purpose = c.purpose == HEATING ? COOLING : HEATING;
        else
            c.testDeltaT = c.testDeltaT ? 0 : 1;
        FillTable();
        RecordEdit();
        return;
    }
    if (const float* v = NumberField(c, col))
        if (!(m_pGrid->GetItemState(row, col) & GVIS_READONLY))
            m_pGrid->SetItemText(row, col, ExactFloatText(*v));
}

void CControlView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || col < 1 || col == 5 || col == 10) {
        FormatCell(row, col);
        return;
    }
    ControlRecord& c = TheEngine().model.controls[static_cast<std::size_t>(n)];
    const std::string text = m_pGrid->GetItemText(row, col);
    if (col == 1) {
        StoreControlSensor(TheEngine().model, text, c);
    } else if (FunctionName* f = FunctionField(c, col)) {
        StoreControlFunction(TheEngine().model, text, col == 2 ? "T" : "THPIVMRES", *f);
    } else if (float* v = NumberField(c, col)) {
        if (const std::optional<float> x = ReadCellFloat(text))
            *v = *x;
    } else {
        std::int16_t& zone = col == 12 ? c.zone1 : c.zone2;
        const int other = col == 12 ? c.zone2 : c.zone1;
        if (const std::optional<int> z = ColourNumberEntry(TheEngine().model, text, other))
            zone = static_cast<std::int16_t>(*z);
    }
    FillTable();
    ShowLinked();
    RecordEdit();
}

} // namespace gelmar

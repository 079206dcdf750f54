// The Sun Obstacles table.
#include "gelmar/app/SunObstView.h"

#include "common/core/ListingText.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

constexpr int kColumns = 5;

float& Field(SunObstacleRecord& r, int col)
{
    return col == 1 ? r.azimuthFrom : col == 2 ? r.azimuthTo : col == 3 ? r.altitudeFrom : r.altitudeTo;
}

} // namespace

CSunObstView::CSunObstView()
    : CListTableView({ModelList::SunObstacles, kColumns, 1, 10008, kUndoSunObstacles, 1, 1, kColumns - 1,
                      IDS_DELETE_SUN_OBSTACLE, true})
{
}

CSunObstFrame::CSunObstFrame() : CTableFrame(IDS_SUN_OBSTACLES) {}

void CSunObstView::FillHeader()
{
    for (int c = 0; c < kColumns; ++c)
        SetHeaderCell(c, platform::LoadString(IDS_SUN_HEADER_FIRST + static_cast<UINT>(c)), RGB(0, 0, 0),
                      c == 0 ? DT_LEFT : DT_RIGHT, &g_tableFont);
}

void CSunObstView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col >= kColumns)
        return;
    if (col == 0) {
        FormatNumberCell(row);
        return;
    }
    SunObstacleRecord& r = TheEngine().model.sunObstacles[static_cast<std::size_t>(n)];
    SetBodyCell(row, col, common::FormatGeneral(Field(r, col)), common::GVIS_TEXT, DT_RIGHT, m_crWindow);
}

void CSunObstView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0 || col < 1)
        return;
    if (!modified) {
        FormatCell(row, col);
        return;
    }
    Field(TheEngine().model.sunObstacles[static_cast<std::size_t>(n)], col) =
        SunObstacleEntry(m_pGrid->GetItemText(row, col));
    FormatCell(row, col);
    RecordEdit();
}

} // namespace gelmar

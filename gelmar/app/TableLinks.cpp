// The links between the 3D view and the table views (see TableLinks.h): by
// default they ask the real tables, found by their class.
#include "gelmar/app/TableLinks.h"

#include "gelmar/app/TableViews.h"

#include <algorithm>

namespace gelmar {

namespace {

// Grid-line indices of the span, as the view's 16-bit box wants them.
std::uint16_t Line(int index)
{
    return static_cast<std::uint16_t>(std::clamp(index, 0, 0xFFFF));
}

TableLinks Defaults()
{
    TableLinks l;
    l.getSelectedSpan = [](CView* table, std::uint16_t span[6], int& axis) {
        GridSpan s;
        if (const auto* grid = dynamic_cast<const CGridView*>(table))
            grid->GetSelectedSpan(s);
        else if (const auto* minGrid = dynamic_cast<const CMinGridView*>(table))
            minGrid->GetSelectedSpan(s);
        else if (const auto* coords = dynamic_cast<const CCoordView*>(table))
            coords->GetSelectedSpan(s);
        else
            return false;
        for (int k = 0; k < 3; ++k) {
            span[2 * k] = Line(s.lo[k]);
            span[2 * k + 1] = Line(s.hi[k]);
        }
        axis = s.axis;
        return true;
    };
    l.focusRow = [](CView* table) {
        const auto* view = dynamic_cast<const common::CTableView*>(table);
        return view ? view->FocusRow() : 0;
    };
    l.blockFromRow = [](CView* table, int row) {
        const auto* blocks = dynamic_cast<const CBlockView*>(table);
        return blocks ? blocks->BlockFromRow(row) : -1;
    };
    l.goToCell = [](CView* table, int record, int column) {
        if (auto* view = dynamic_cast<CGelmarTableView*>(table))
            view->GoToCell(record, column);
    };
    return l;
}

} // namespace

TableLinks& Links()
{
    static TableLinks links = Defaults();
    return links;
}

void ResetTableLinks()
{
    Links() = Defaults();
}

bool GetSelectedSpan(CView* table, std::uint16_t span[6], int& axis)
{
    const TableLinks& l = Links();
    return table && l.getSelectedSpan && l.getSelectedSpan(table, span, axis);
}

int FocusedRecord(CView* table)
{
    const TableLinks& l = Links();
    if (!table || !l.focusRow || !l.blockFromRow)
        return -1;
    const int row = l.focusRow(table);
    return row > 0 ? l.blockFromRow(table, row) : -1;
}

void GoToCell(CView* table, int record, int column)
{
    const TableLinks& l = Links();
    if (table && l.goToCell)
        l.goToCell(table, record, column);
}

} // namespace gelmar

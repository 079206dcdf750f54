// The links between the 3D view and the table views (see TableLinks.h).
#include "gelmar/app/TableLinks.h"

namespace gelmar {

TableLinks& Links()
{
    static TableLinks links;
    return links;
}

void ResetTableLinks()
{
    Links() = TableLinks{};
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

// What the 3D view asks of the open table views, and how it moves their
// focus: the span a Grid, Minimum Grid or Coordinates table selects, the
// focus row of a table and the record behind a row, and going to a row's
// cell. By default the links ask the open tables themselves; tests may
// replace a link. A link emptied gives no span, no row and no record, and
// goes nowhere.
#pragma once
#include <cstdint>
#include <functional>

class CView;

namespace gelmar {

struct TableLinks {
    // CGridView / CMinGridView / CCoordView::GetSelectedSpan: the grid-line
    // box (x lower, x upper, y lower, y upper, z lower, z upper) of the
    // focused interval or line range on the table's axis, the whole grid on
    // the other two; axis 1 x, 2 y, 3 z. False when the table has none.
    std::function<bool(CView* table, std::uint16_t span[6], int& axis)> getSelectedSpan;
    // The 1-based focus row of a table, 0 when none.
    std::function<int(CView* table)> focusRow;
    // CBlockView::BlockFromRow and its kin (Node BCs, Output Nodes, Output
    // Blocks): the record index of a 1-based row, -1 when none.
    std::function<int(CView* table, int row)> blockFromRow;
    // CBlockView / CColorView / Clip Colours GoToCell: focus the row of the
    // record (block index or colour number) at the column.
    std::function<void(CView* table, int record, int column)> goToCell;
};

// The links in use.
TableLinks& Links();
// Every link back to its default (the tables' own answers).
void ResetTableLinks();

// Through the links: false / 0 / -1 / nothing when a link is empty.
bool GetSelectedSpan(CView* table, std::uint16_t span[6], int& axis);
// The record of the table's focus row, -1 when none.
int FocusedRecord(CView* table);
void GoToCell(CView* table, int record, int column);

} // namespace gelmar

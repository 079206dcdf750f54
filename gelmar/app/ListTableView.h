// What the tables of the model's lists share (boundary conditions,
// functions, outputs, report items, controls, flows and sun obstacles): one
// row per record below the header row, the row number in the fixed first
// column, Insert Before, Insert After and Delete with the row tinted while
// its question is open, the grid's copy and paste, and the undo record of
// the table's kind that every edit saves with the focus cell.
#pragma once
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/model/editing/ListEdits.h"

#include <string>

namespace gelmar {

struct FunctionName;

// A BC's type cell (TEMP or the second kind) and, in the two columns
// after it, its temperature and its power or flux, each a number or a
// function.
struct BcCells {
    int typeColumn;
    std::uint8_t& type;
    float& temperature;
    FunctionName& temperatureFunc;
    float& second;
    FunctionName& secondFunc;
    char secondLetter; // the second value's function letter
};

class CListTableView : public CGelmarTableView {
  public:
    struct Shape {
        ModelList list;
        int columns;
        int fixedColumns;
        UINT gridId;
        int undoKind;
        int focusColumn;        // where the focus goes after an insert or a delete
        int firstMarked, lastMarked; // the columns a delete question tints
        UINT deleteQuestion;    // string id of the Yes/No question
        bool insertBefore;      // the table offers Insert Before
    };

    void OnInitialUpdate() override;
    void FillTable() override;
    // Focus on the cell; the row is clamped to the records, without any the
    // first row.
    void GoToCell(int row, int col) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // The record of a 1-based row; -1 when there is none.
    int RecordFromRow(int row) const;
    // The record of the focus row; -1 when there is none.
    int FocusRecord() const { return RecordFromRow(m_nFocusRow); }
    int RecordCount() const;
    // Tints the focus row's deletable columns while the question is open
    // (mark), or formats them again.
    void MarkRow(bool mark);

  protected:
    explicit CListTableView(const Shape& shape) : m_shape(shape) {}

    // The focus rule of a table whose records the 3D view marks: the
    // function graph closes, the minimum grid is left, the view outlines
    // this table's kind and the table takes the focus.
    void TakeFocusAsLinkedTable(int kind, CWnd* pOldWnd);

    // The header row (row 0).
    virtual void FillHeader() = 0;
    void FormatRow(int row);
    // The record number in column 0.
    void FormatNumberCell(int row);
    // A cell that does not apply: empty, read-only, with the disabled tint.
    void FormatDisabledCell(int row, int col, UINT format);

    // Saves the undo record of the table's kind with the focus cell and
    // marks the document modified; the tables add their own refreshes.
    virtual void RecordEdit();
    // Insert Before / After and Delete may be offered.
    virtual bool CanInsert() const;
    // The model's side of an insert at record index `at` and of a delete;
    // false when nothing changed.
    virtual bool InsertIntoModel(std::size_t at);
    virtual bool DeleteFromModel(std::size_t at);
    // After an insert or a delete changed the list and the table.
    virtual void AfterListChange() {}

    void OnInsertBefore() { InsertRecord(false); }
    void OnInsertAfter() { InsertRecord(true); }
    void InsertRecord(bool after);
    void OnDelete();
    void OnUpdateInsert(CCmdUI* ui);
    void OnUpdateDelete(CCmdUI* ui);
    void OnEditCopy();
    void OnEditPaste();

    // The Grid table's interval and the Coordinates table's line of a node's
    // grid line on one axis (0..2), when those tables are open.
    static void ShowLineInAxisTables(int axis, int line);
    // The Functions table's row of the named function, when it exists.
    static void ShowFunction(const FunctionName& name);
    // The table is the active view of the main window.
    bool IsActiveTable() const;
    // A colour swatch cell: the colour's display colour, the button face
    // for none (-1).
    void FormatSwatchCell(int row, int col, int colour);
    // A value-or-function cell of a BC: the reference or the number, or a
    // disabled cell when it does not apply.
    void FormatBcValueCell(int row, int col, bool applies, float value, const FunctionName& reference);
    // The editor of a cell that shows a number starts from the full value,
    // not the rounded one shown.
    void StartValueEditor(int row, int col, float value, const FunctionName& reference);

    // A click on the type switches it (when the BC applies: false for one
    // without its colours) and records the edit; a value cell's editor
    // starts from the full value.
    void BeginBcEdit(int row, int col, const BcCells& bc, bool applies);
    // Stores the text typed into a value cell and shows its function; false
    // for the other columns.
    bool StoreBcCell(int row, int col, const std::string& text, const BcCells& bc);
    // The function of the focused value cell, in the Functions table.
    void ShowBcFunction(const BcCells& bc, bool applies);
    // Swatches in columns 1 and 2, the colour numbers in 3 and 4 (empty for
    // none): a BC or flow between two colours.
    void FormatColourPairCell(int row, int col, int first, int second);
    // The 3D view repaints when the focus moved to another row of the list it
    // outlines.
    void RepaintIfLinked(int previousRow, int kind);

    Shape m_shape;
};

} // namespace gelmar

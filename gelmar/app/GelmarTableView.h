// What every table window of Gelmar shares beyond the common table view: the
// frame (its caption from the string table, the retiling when it closes),
// the table font, the fill and go-to-cell operations that undo, redo and the
// calculations call, the focus rules towards the 3D view (which list it
// outlines) and the function graph, and the chain of refreshes that follows
// every model edit.
#pragma once
#include "common/ui/AxisColumns.h"
#include "common/ui/TableView.h"
#include "gelmar/app/ModelSeams.h"
#include "platform/ui/App.h"

#include <string>

namespace gelmar {

// The font of table headers and number columns (face "Arial Symbol1",
// height -14, proof quality); filled once at start-up.
extern LOGFONT g_tableFont;
void InitDefaultLogFont();

// The linked-table kinds by which a table tells the 3D view what to outline.
enum LinkedTable : int {
    kLinkNone = 0,
    kLinkGrid = 1,
    kLinkBlocks = 2,
    kLinkNodeBcs = 3,
    kLinkMinGrid = 4,
    kLinkColourOutline = 5,
    kLinkCoordinates = 6,
    kLinkOutputNodes = 7,
    kLinkOutputBlocks = 8,
};

class CGelmarTableView : public common::CTableView {
  public:
    // Fills the whole table from the model store.
    virtual void FillTable() = 0;
    // Puts the focus on the cell an undo record names (a table's own pair:
    // row and column, or item and column).
    virtual void GoToCell(int a1, int a2) = 0;
    // The refill after undo, redo and whole-model changes.
    virtual void Refill() { FillTable(); }
    // Repaints only: the document's update of all views.
    void OnUpdate(CView* pSender, LPARAM lHint, void* pHint) override;

  protected:
    // The first initial update of every table: the windows retiled, the grid
    // made with its columns, fixed rows and columns and id, filled, sized to
    // its texts, and the focus put on its first cell (when the table has one).
    void InitialUpdateTable(int cols, int fixedRows, int fixedCols, UINT id, int focusRow, int focusCol);
    // How the axis tables draw: this view's colours, the table font and the
    // model's axis naming.
    common::AxisTableLook AxisLook() const;
    // One axis of the model's grid as the axis tables show it (the third axis
    // listed from the top in the R/C/L naming).
    static common::AxisColumn ModelAxisColumn(int axis);
    // Fills a table of a number column and the three axis columns (the Grid
    // and Coordinates tables): rows 1..m+1 for the largest interval count m,
    // every cell through FormatCell.
    void FillAxisTable(const char* numberHeader);

    // Focus rules shared by the tables.
    static void CloseFunctionGraph();
    // The document's Grid command, when the Minimum Grid table is open.
    void LeaveMinimumGrid();
    // The 3D view outlines this table's list; its display list is rebuilt
    // (unless it shows results) when rebuild is set.
    static void LinkGraphView(int kind, bool rebuild);
    static int LinkedTableKind();
    // Rebuilds and repaints the 3D view when it outlines `kind`.
    static void RepaintLinkedGraph(int kind);
};

// Every table frame: the caption is the table's name from the string table;
// closing it retiles the other windows and repaints the 3D view.
class CTableFrame : public CMDIChildWnd {
  public:
    explicit CTableFrame(UINT titleId) : m_titleId(titleId) {}
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnClose() override;

  private:
    UINT m_titleId;
};

// The refresh chain of a model edit, in its order.
// The results of an earlier calculation go; a 3D view showing them returns
// to the materials.
void InvalidateResults();
// The colours' in-use flags and the surface rules, then the Colours and Clip
// Colours tables when open.
void UpdateUsedColoursAndTables();
// The 3D view rebuilds from the model.
void UpdateModelView();
// The undo record of the edit, then the document's modified flag.
void RecordTableEdit(int kind, int a1, int a2);
// The document repaints its views.
void UpdateAllViews();
// Every open table fills itself again.
void RefillOpenTables();
// The document's modified flag alone.
void SetDocumentModified();

// The open view of a class in the active document, or null.
template <class TView> TView* FindOpenView()
{
    CWinApp* app = AfxGetApp();
    return app ? app->FindView<TView>() : nullptr;
}
// Fills the table of that class again when it is open.
template <class TView> void RefillIfOpen()
{
    if (auto* table = dynamic_cast<CGelmarTableView*>(static_cast<CView*>(FindOpenView<TView>())))
        table->FillTable();
}

} // namespace gelmar

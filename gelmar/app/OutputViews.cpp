// The Output Nodes, Output Blocks and Report Definition tables.
#include "gelmar/app/OutputViews.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/BorderView.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/ControlView.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MaterView.h"
#include "gelmar/app/NodeView.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/OutputEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

using common::GVIS_READONLY;
using common::GVIS_REAL;
using common::GVIS_UNSIGNED;

COLORREF AxisColour(int axis)
{
    return axis == 0 ? RGB(255, 0, 0) : axis == 1 ? RGB(0, 255, 0) : RGB(0, 0, 255);
}

std::uint16_t& Index(OutputNodeRecord& r, int axis)
{
    return axis == 0 ? r.i : axis == 1 ? r.j : r.k;
}

int Bound(const OutputBlockRecord& b, int column)
{
    const std::uint16_t bounds[6] = {b.i1, b.i2, b.j1, b.j2, b.k1, b.k2};
    return bounds[column - 1];
}

} // namespace

// ---- Output Nodes ----

COutNodeView::COutNodeView()
    : CListTableView(
          {ModelList::OutputNodes, 4, 1, 10013, kUndoOutputNodes, 1, 1, 3, IDS_DELETE_OUTPUT_NODE, true})
{
}

COutNodeFrame::COutNodeFrame() : CTableFrame(IDS_OUTPUT_NODES) {}

void COutNodeView::FillHeader()
{
    const UINT first = TheEngine().model.rcl ? IDS_HEADER_R : IDS_HEADER_X;
    SetHeaderCell(0, platform::LoadString(IDS_NODE_NUMBER), RGB(0, 0, 0), DT_LEFT, &g_tableFont);
    for (int a = 0; a < 3; ++a)
        SetHeaderCell(a + 1, platform::LoadString(first + static_cast<UINT>(a)), AxisColour(a), DT_RIGHT,
                      &g_tableFont);
}

void COutNodeView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col > 3)
        return;
    if (col == 0) {
        FormatNumberCell(row);
        return;
    }
    const int axis = col - 1;
    if (axis == SingleIntervalAxis(TheEngine().model)) {
        FormatDisabledCell(row, col, DT_RIGHT);
        return;
    }
    OutputNodeRecord& r = TheEngine().model.outputNodes[static_cast<std::size_t>(n)];
    SetBodyCell(row, col, std::to_string(ShownLineIndex(TheEngine().model, axis, Index(r, axis))),
                GVIS_UNSIGNED, DT_RIGHT, m_crWindow);
}

void COutNodeView::OnSetFocus(CWnd* pOldWnd)
{
    TakeFocusAsLinkedTable(kLinkOutputNodes, pOldWnd);
}

void COutNodeView::ShowNodeInAxisTables()
{
    const int n = FocusRecord();
    if (n < 0 || m_nFocusCol < 1 || m_nFocusCol > 3)
        return;
    const int axis = m_nFocusCol - 1;
    ShowLineInAxisTables(axis, Index(TheEngine().model.outputNodes[static_cast<std::size_t>(n)], axis));
}

void COutNodeView::OnGridFocusChanged(int row, int col)
{
    const int previous = m_nFocusRow;
    CListTableView::OnGridFocusChanged(row, col);
    ShowNodeInAxisTables();
    RepaintIfLinked(previous, kLinkOutputNodes);
}

void COutNodeView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || col < 1) {
        FormatCell(row, col);
        return;
    }
    if (const std::optional<int> v =
            LineIndexEntry(TheEngine().model, col - 1, m_pGrid->GetItemText(row, col)))
        Index(TheEngine().model.outputNodes[static_cast<std::size_t>(n)], col - 1) =
            static_cast<std::uint16_t>(*v);
    FormatCell(row, col);
    ShowNodeInAxisTables();
    RecordEdit();
}

// ---- Output Blocks ----

COutBlockView::COutBlockView()
    : CListTableView(
          {ModelList::OutputBlocks, 7, 1, 10014, kUndoOutputBlocks, 1, 1, 6, IDS_DELETE_OUTPUT_BLOCK, true})
{
}

COutBlockFrame::COutBlockFrame() : CTableFrame(IDS_OUTPUT_BLOCKS) {}

void COutBlockView::FillHeader()
{
    static const char* const kBounds[2][6] = {{"Xmin", "Xmax", "Ymin", "Ymax", "Zmin", "Zmax"},
                                              {"Rmin", "Rmax", "Cmin", "Cmax", "Lmin", "Lmax"}};
    SetHeaderCell(0, platform::LoadString(IDS_NUMBER_HEADER), RGB(0, 0, 0), DT_LEFT, &g_tableFont);
    for (int c = 1; c <= 6; ++c)
        SetHeaderCell(c, kBounds[TheEngine().model.rcl ? 1 : 0][c - 1], RGB(0, 0, 0), DT_RIGHT, &g_tableFont);
}

void COutBlockView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col > 6)
        return;
    if (col == 0) {
        FormatNumberCell(row);
        return;
    }
    if ((col - 1) / 2 == SingleIntervalAxis(TheEngine().model)) {
        FormatDisabledCell(row, col, DT_RIGHT);
        return;
    }
    const OutputBlockRecord& b = TheEngine().model.outputBlocks[static_cast<std::size_t>(n)];
    SetBodyCell(row, col, OutputBlockBoundText(TheEngine().model, b, col),
                TheEngine().model.rcl ? GVIS_UNSIGNED : GVIS_REAL, DT_RIGHT, m_crWindow);
}

void COutBlockView::OnSetFocus(CWnd* pOldWnd)
{
    TakeFocusAsLinkedTable(kLinkOutputBlocks, pOldWnd);
}

void COutBlockView::ShowBoundInAxisTables()
{
    const int n = FocusRecord();
    if (n < 0 || m_nFocusCol < 1 || m_nFocusCol > 6)
        return;
    const int axis = (m_nFocusCol - 1) / 2;
    const int line = Bound(TheEngine().model.outputBlocks[static_cast<std::size_t>(n)], m_nFocusCol);
    ShowLineInAxisTables(
        axis, std::min(line, static_cast<int>(TheEngine().model.axes[static_cast<std::size_t>(axis)].n)));
}

void COutBlockView::OnGridFocusChanged(int row, int col)
{
    const int previous = m_nFocusRow;
    CListTableView::OnGridFocusChanged(row, col);
    ShowBoundInAxisTables();
    RepaintIfLinked(previous, kLinkOutputBlocks);
}

void COutBlockView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || col < 1) {
        FormatCell(row, col);
        return;
    }
    EditOutputBlockCell(TheEngine().model, TheEngine().model.outputBlocks[static_cast<std::size_t>(n)], col,
                        m_pGrid->GetItemText(row, col));
    // An entry may push the other bound of its axis.
    FormatRow(row);
    ShowBoundInAxisTables();
    RecordEdit();
}

// ---- Report Definition ----

CReportView::CReportView()
    : CListTableView(
          {ModelList::ReportItems, 6, 1, 10015, kUndoReport, 1, 1, 5, IDS_DELETE_REPORT_ITEM, true})
{
}

CReportFrame::CReportFrame() : CTableFrame(IDS_REPORT_DEFINITION) {}

void CReportView::FillHeader()
{
    for (int c = 0; c < 6; ++c)
        SetHeaderCell(c, platform::LoadString(IDS_REPORT_HEADER_FIRST + static_cast<UINT>(c)), RGB(0, 0, 0),
                      c <= 3 ? DT_LEFT : DT_RIGHT, &g_tableFont);
}

void CReportView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col > 5)
        return;
    const ReportItemRecord& r = TheEngine().model.reportItems[static_cast<std::size_t>(n)];
    switch (col) {
    case 0:
        FormatNumberCell(row);
        return;
    case 1:
        SetBodyCell(row, col, ReportKindName(r.kind), GVIS_READONLY, DT_LEFT, m_crWindow);
        return;
    case 2:
        if (ReportKindHasNumber(r.kind))
            SetBodyCell(row, col, std::to_string(r.number), GVIS_UNSIGNED, DT_LEFT, m_crWindow);
        else
            FormatDisabledCell(row, col, DT_LEFT);
        return;
    case 3:
        SetBodyCell(row, col, ReportSubKindName(r.kind, r.subKind), GVIS_READONLY, DT_LEFT, m_crWindow);
        m_pGrid->SetItemFont(row, col, &g_tableFont);
        return;
    default:
        SetBodyCell(row, col, std::to_string(col == 4 ? r.width : r.decimals), GVIS_UNSIGNED, DT_RIGHT,
                    m_crWindow);
        return;
    }
}

void CReportView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    CListTableView::OnSetFocus(pOldWnd);
}

void CReportView::ShowItemObject()
{
    const int n = FocusRecord();
    if (n < 0)
        return;
    const ReportItemRecord& r = TheEngine().model.reportItems[static_cast<std::size_t>(n)];
    const int sub = r.subKind;
    switch (r.kind) {
    case kReportColour:
        if (CColorView* colours = FindOpenView<CColorView>()) {
            static const int kColumnOfQuantity[] = {6, 10, 11, 12, 13, 14, 15, 16};
            const int col = sub >= 0 && sub < 8 ? kColumnOfQuantity[sub] : sub >= 10 && sub <= 15 ? 22 : 1;
            colours->GoToCell(r.number, col);
        }
        return;
    case kReportNodeBc:
        if (CNodeView* nodes = FindOpenView<CNodeView>())
            nodes->GoToCell(r.number, sub == 0 ? 5 : 6);
        return;
    case kReportBorderBc:
        if (CBorderView* border = FindOpenView<CBorderView>())
            border->GoToCell(r.number, sub == 0 ? 6 : 7);
        return;
    case kReportMaterialBc:
        if (CMaterView* material = FindOpenView<CMaterView>())
            material->GoToCell(r.number, sub == 0 ? 4 : 5);
        return;
    case kReportOutputNode:
        if (COutNodeView* nodes = FindOpenView<COutNodeView>())
            nodes->GoToCell(r.number, 1);
        return;
    case kReportOutputBlock:
        if (COutBlockView* blocks = FindOpenView<COutBlockView>())
            blocks->GoToCell(r.number, 1);
        return;
    case kReportControl:
        if (CControlView* controls = FindOpenView<CControlView>())
            controls->GoToCell(r.number, controls->FocusColumn());
        return;
    default:
        return;
    }
}

void CReportView::OnGridFocusChanged(int row, int col)
{
    CListTableView::OnGridFocusChanged(row, col);
    ShowItemObject();
}

void CReportView::OnGridBeginEdit(int row, int col, UINT)
{
    const int n = RecordFromRow(row);
    if (n < 0 || (col != 1 && col != 3))
        return;
    ReportItemRecord& r = TheEngine().model.reportItems[static_cast<std::size_t>(n)];
    if (col == 1) {
        StepReportKind(r);
        FillTable();
    } else {
        StepReportSubKind(r);
        FormatCell(row, col);
    }
    RecordEdit();
    ShowItemObject();
    Invalidate(FALSE);
}

void CReportView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || (col != 2 && col != 4 && col != 5)) {
        FormatCell(row, col);
        return;
    }
    const ReportEntry entry = EditReportCell(TheEngine().model.reportItems[static_cast<std::size_t>(n)], col,
                                             m_pGrid->GetItemText(row, col), Host());
    FormatCell(row, col);
    if (entry == ReportEntry::Refused)
        return;
    RecordEdit();
    ShowItemObject();
}

} // namespace gelmar

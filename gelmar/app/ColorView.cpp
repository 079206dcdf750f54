// The Colours table.
#include "gelmar/app/ColorView.h"

#include "common/ui/CellEntryCheck.h"
#include "gelmar/model/store/Engine.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/BlockView.h"
#include "gelmar/app/CommandDialogs.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/ColourEdits.h"
#include "gelmar/model/editing/Outlines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

#include <cstdio>

namespace gelmar {

namespace {

constexpr UINT kColourGridId = 10002;
constexpr int kColumns = 23;

using common::GVIS_PATTERN;
using common::GVIS_READONLY;
using common::GVIS_REAL;
using common::GVIS_TEXT;
using common::GVIS_UNSIGNED;

bool In(int type, std::initializer_list<int> types)
{
    for (int t : types)
        if (t == type)
            return true;
    return false;
}

// Whether a column applies to a colour of this type and rule.
bool Applies(int col, const ColourRecord& c)
{
    const int t = c.type, rule = c.rule;
    switch (col) {
    case 3:
        return t != MATERIAL && t != TRANSMAT;
    case 5:
    case 6:
        return In(t, {MATERIAL, EQUIMAT, TRANSMAT});
    case 7:
        return In(t, {MATERIAL, EQUIMAT}) && HasRadiatingColours(TheEngine().model);
    case 8:
    case 9:
        return In(t, {MATERIAL, BC_FREE, EQUIMAT, BC_FRE_S, TRANSMAT});
    case 10:
        return t == BC_SIMPL;
    case 11:
        return In(t, {BC_SIMPL, BC_FRE_S});
    case 12:
        return In(t, {BC_SIMPL, BC_FREE, BC_SKY, BC_NOSKY, BC_FRE_S});
    case 13:
        return In(t, {BC_SKY, BC_NOSKY});
    case 14:
        return In(t, {BC_FREE, BC_SKY, BC_NOSKY});
    case 15:
        return In(t, {BC_FREE, BC_FRE_S});
    case 16:
        return t == BC_SKY;
    case 17:
        return (t == EQUIMAT && rule > 0) || (t == BC_FREE && rule >= 1 && rule <= 6);
    case 18:
    case 19:
        return In(t, {BC_FREE, BC_SKY, BC_NOSKY, EQUIMAT}) && rule > 0;
    case 20:
        return In(t, {BC_SIMPL, BC_SKY});
    case 21:
    case 22:
        return t == MATERIAL;
    default:
        return true;
    }
}

// Values that a rule sets are shown but not typed.
bool SetByRule(int col, const ColourRecord& c)
{
    return c.rule != 0 && ((col == 6 && c.type == EQUIMAT) || col == 11 || col == 14);
}

bool IsValueColumn(int col)
{
    return col >= 6 && col <= 22 && col != 20;
}

bool ShowsFunction(int col)
{
    return col == 6 || col == 7 || (col >= 9 && col <= 16) || col == 21 || col == 22;
}

CMainFrame* MainFrame()
{
    return dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

} // namespace

CColorFrame::CColorFrame() : CTableFrame(IDS_COLOURS) {}

bool CColorView::IsListed(const ColourRecord& c) const
{
    switch (m_listMode) {
    case kListPresent:
        return c.inUse != 0;
    case kListDefined:
        return IsColourDefined(c);
    default:
        return true;
    }
}

int CColorView::ColourFromRow(int row) const
{
    if (m_listMode == kListAll)
        return row >= 1 && row <= kColourCount ? row - 1 : 0;
    const auto& colours = TheEngine().model.colours;
    for (int c = 0, seen = 0; c < kColourCount; ++c)
        if (IsListed(colours[static_cast<std::size_t>(c)]) && ++seen == row)
            return c;
    return 0;
}

void CColorView::OnInitialUpdate()
{
    InitialUpdateTable(kColumns, 1, 1, kColourGridId, 1, 2);
}

void CColorView::FillTable()
{
    if (!m_pGrid)
        return;
    int rows = 0;
    for (const ColourRecord& c : TheEngine().model.colours)
        rows += IsListed(c);
    m_pGrid->SetRowCount(rows + 1);
    m_pGrid->SetColumnCount(kColumns);
    for (int c = 0; c < kColumns; ++c) {
        const bool left = c <= 5 || c == 20;
        SetHeaderCell(c, platform::LoadString(IDS_COLOURS_HEADER_FIRST + static_cast<UINT>(c)), RGB(0, 0, 0),
                      left ? DT_LEFT : DT_RIGHT, &g_tableFont);
    }
    for (int r = 1; r <= rows; ++r)
        FormatRow(r);
    m_pGrid->Invalidate();
}

void CColorView::FormatRow(int row)
{
    for (int c = 0; c < kColumns; ++c)
        FormatCell(row, c);
}

void CColorView::FormatCell(int row, int col)
{
    if (!m_pGrid || row < 1 || row >= m_pGrid->GetRowCount() || col < 0 || col >= kColumns)
        return;
    const int n = ColourFromRow(row);
    const ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(n)];
    const UINT format = col <= 5 || col == 20 ? DT_LEFT : DT_RIGHT;
    if (col == 0) {
        SetBodyCell(row, col, std::to_string(n), GVIS_UNSIGNED, format, m_crButtonFace);
        m_pGrid->SetItemFont(row, col, &g_tableFont);
        return;
    }
    if (col == 1) {
        SetBodyCell(row, col, "", GVIS_READONLY, format, c.displayColour);
        return;
    }
    const bool used = c.inUse != 0;
    if (!Applies(col, c)) {
        SetBodyCell(row, col, "", GVIS_READONLY, format, m_crInfoBk);
        return;
    }
    std::string text;
    UINT state = GVIS_READONLY;
    switch (col) {
    case 2:
        text = ColourTypeName(c.type);
        break;
    case 3:
        if (const char* rule = RuleName(c.type, c.rule))
            text = rule;
        break;
    case 4:
        text = c.name;
        state = GVIS_TEXT;
        break;
    case 5:
        break;
    case 20:
        text = c.solar ? "YES" : "NO";
        break;
    default:
        if (const ColourValueColumn* v = FindColourValueColumn(col)) {
            text = ColourValueText(c, *v);
            // A sign can be typed, so that a negative entry is refused
            // with a word rather than changed by dropping the sign.
            state = col == 8 || (col >= 17 && col <= 19) ? GVIS_REAL : GVIS_TEXT;
        }
        break;
    }
    const bool byRule = SetByRule(col, c);
    if (!used || byRule)
        state = GVIS_READONLY;
    COLORREF bk = used && !byRule ? m_crWindow : m_crInfoBk;
    if (col == 5 && used) {
        // A pattern number the pattern list does not hold draws pattern 1.
        if (CMainFrame* main = MainFrame()) {
            const common::CPatternList& patterns = main->m_dlgPatterns.GetPatterns();
            const int number = c.pattern >= 1 && c.pattern <= patterns.GetCount() ? c.pattern : 1;
            const common::CPattern& p = patterns.Get(number);
            SetBodyCell(row, col, "", GVIS_READONLY | GVIS_PATTERN, format, p.firstColour);
            m_pGrid->SetItemFgColour(row, col, p.secondColour);
            m_pGrid->SetItemPattern(row, col, p.rows.data());
            return;
        }
    }
    SetBodyCell(row, col, text, state, format, bk, !used);
}

void CColorView::GoToCell(int colour, int col)
{
    if (!m_pGrid || m_pGrid->GetRowCount() < 2)
        return;
    int row = 1;
    const auto& colours = TheEngine().model.colours;
    for (int c = 0; c < colour && c < kColourCount; ++c)
        row += IsListed(colours[static_cast<std::size_t>(c)]);
    SetGridFocus(std::min(row, m_pGrid->GetRowCount() - 1), std::clamp(col, 1, kColumns - 1));
}

void CColorView::SetListMode(int mode)
{
    const int colour = ColourFromRow(m_nFocusRow);
    m_listMode = mode;
    FillTable();
    GoToCell(colour, m_nFocusCol);
    if (CBlockView* blocks = FindOpenView<CBlockView>())
        if (const int b = blocks->FocusBlock(); b >= 0)
            GoToCell(TheEngine().model.blocks[static_cast<std::size_t>(b)].colour, 2);
    Invalidate(FALSE);
}

void CColorView::RecordEdit()
{
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoColours, ColourFromRow(m_nFocusRow),
                   m_nFocusCol);
    SetDocumentModified();
    InvalidateResults();
    UpdateModelView();
}

void CColorView::ApplyRules(bool refillAlways)
{
    const bool changed = ApplySurfaceRules(TheEngine().model, TheEngine().run, 0) != 0 ||
                         CavityCoefficientChanged(TheEngine().run);
    if (changed || refillAlways)
        FillTable();
}

void CColorView::OnGridBeginEdit(int row, int col, UINT)
{
    const int n = ColourFromRow(row);
    ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(n)];
    if (!c.inUse && col > 1)
        return;
    bool edited = false;
    switch (col) {
    case 1:
        PickColour(row, n);
        return;
    case 2:
        StepColourType(TheEngine().model, n);
        ApplyRules(true);
        edited = true;
        break;
    case 3:
        if (c.type != MATERIAL && c.type != TRANSMAT) {
            StepColourRule(TheEngine().model, n);
            ApplyRules(true);
            edited = true;
        }
        break;
    case 5:
        if (Applies(5, c))
            PickPattern(row, n);
        return;
    case 20:
        if (Applies(20, c)) {
            c.solar = c.solar ? 0 : 1;
            FormatCell(row, col);
            edited = true;
        }
        break;
    default:
        // The editor starts from the full value, not the rounded one shown.
        if (col > 5 && IsValueColumn(col) && !(m_pGrid->GetItemState(row, col) & GVIS_READONLY)) {
            const std::string shown = m_pGrid->GetItemText(row, col);
            if (!shown.empty() && shown[0] >= '0' && shown[0] <= '9')
                if (const ColourValueColumn* v = FindColourValueColumn(col))
                    m_pGrid->SetItemText(row, col, ExactFloatText(ColourValue(c, *v)));
        }
        return;
    }
    if (edited) {
        RecordEdit();
        UpdateAllViews();
    }
}

void CColorView::PickColour(int row, int colour)
{
    ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(colour)];
    CColorDialog dlg(c.displayColour, CC_FULLOPEN, AfxGetMainWnd());
    if (dlg.DoModal() != IDOK || dlg.GetColor() == c.displayColour)
        return;
    const COLORREF rgb = dlg.GetColor();
    SetDisplayColour(c, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    FormatCell(row, 1);
    if (CBlockView* blocks = FindOpenView<CBlockView>())
        blocks->FillTable();
    RecordEdit();
    UpdateAllViews();
}

void CColorView::PickPattern(int row, int colour)
{
    CMainFrame* main = MainFrame();
    if (!main)
        return;
    ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(colour)];
    main->m_dlgPatterns.m_nPattern = c.pattern;
    if (main->m_dlgPatterns.DoModal() != IDOK || main->m_dlgPatterns.m_nPattern == c.pattern)
        return;
    c.pattern = main->m_dlgPatterns.m_nPattern;
    FormatCell(row, 5);
    RecordEdit();
    UpdateAllViews();
}

void CColorView::OnGridEndEdit(int row, int col, bool modified)
{
    // The number column takes digits but changes nothing.
    if (!modified || col < 4) {
        FormatCell(row, col);
        return;
    }
    const int n = ColourFromRow(row);
    ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(n)];
    const std::string text = m_pGrid->GetItemText(row, col);
    if (col == 4) {
        if (NameFitsDataFile(text))
            c.name = text;
        else
            AfxMessageBox(kNameDoesNotFit, MB_OK);
    } else if (IsValueColumn(col)) {
        StoreColourValue(TheEngine().model, n, col, text);
    }
    FormatCell(row, col);
    if (ShowsFunction(col))
        ShowReferencedFunction();
    ApplyRules(false);
    RecordEdit();
}

std::string CColorView::CheckGridEntry(int, int col, const std::string& text)
{
    const ColourValueColumn* column = FindColourValueColumn(col);
    if (!column)
        return {};
    if (column->reference &&
        ReadValueOrFunction(text, column->letters, TheEngine().model).kind == CellEntry::Function)
        return {};
    switch (col) {
    case 6: // conductivity
    case 8: // density
    case 9: // specific heat
        return common::CheckNumberEntry(text, common::kSmallestPositive, common::kLargestEntry);
    case 7:  // emissivity
    case 21: // solar reflection
    case 22: // solar transmission
        return common::CheckNumberEntry(text, 0, 1);
    default:
        return common::CheckNumberEntry(text, -common::kLargestEntry, common::kLargestEntry);
    }
}

void CColorView::ShowReferencedFunction()
{
    CFuncView* functions = FindOpenView<CFuncView>();
    if (!functions || !ShowsFunction(m_nFocusCol))
        return;
    const ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(ColourFromRow(m_nFocusRow))];
    const ColourValueColumn* v = FindColourValueColumn(m_nFocusCol);
    if (!v || !v->reference)
        return;
    const FunctionName name = m_nFocusCol == 6 && c.lambdaFunc.IsNone() ? c.lambda2Func : c.*v->reference;
    if (name.IsNone())
        return;
    for (std::size_t f = 0; f < TheEngine().model.functions.count; ++f)
        if (TheEngine().model.functions[f].name == name) {
            if (auto* table = dynamic_cast<CGelmarTableView*>(static_cast<CView*>(functions)))
                table->GoToCell(static_cast<int>(f) + 1, 1);
            return;
        }
}

void CColorView::OutlineFocusedColour()
{
    BuildColourOutline(TheEngine().model, TheEngine().view, Host(), ColourFromRow(m_nFocusRow));
}

void CColorView::FollowInBlocks()
{
    CBlockView* blocks = FindOpenView<CBlockView>();
    if (!blocks || TheEngine().model.blocks.count == 0)
        return;
    const int colour = ColourFromRow(m_nFocusRow);
    const int focused = blocks->FocusBlock();
    if (focused >= 0 && TheEngine().model.blocks[static_cast<std::size_t>(focused)].colour == colour)
        return;
    int first = -1;
    for (std::size_t b = 0; b < TheEngine().model.blocks.count && first < 0; ++b)
        if (TheEngine().model.blocks[b].colour == colour)
            first = static_cast<int>(b);
    if (blocks->ListMode() == 1) {
        blocks->SetListMode(1, colour, first);
    } else if (first >= 0) {
        blocks->GoToCell(first, 2);
    }
    if (m_pGrid)
        m_pGrid->SetFocus();
}

void CColorView::OnGridFocusChanged(int row, int col)
{
    const int previousRow = m_nFocusRow;
    CGelmarTableView::OnGridFocusChanged(row, col);
    if (LinkedTableKind() == kLinkColourOutline && row != previousRow) {
        OutlineFocusedColour();
        if (g_graphView)
            g_graphView->Invalidate(FALSE);
    }
    FollowInBlocks();
    if (ShowsFunction(col))
        ShowReferencedFunction();
}

void CColorView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    if (g_graphView && TheEngine().model.blocks.count > 0) {
        OutlineFocusedColour();
        LinkGraphView(kLinkColourOutline, true);
    }
    FollowInBlocks();
    CGelmarTableView::OnSetFocus(pOldWnd);
}

void CColorView::OnEditCopy()
{
    if (m_pGrid)
        m_pGrid->OnEditCopy();
}

void CColorView::OnEditPaste()
{
    if (m_pGrid)
        m_pGrid->OnEditPaste();
}

void CColorView::OnLoadMaterial()
{
    CMainFrame* main = MainFrame();
    if (!main || main->m_dlgMaterialDatabase.DoModal() != IDOK)
        return;
    const common::CMaterialRecord& r = main->m_dlgMaterialDatabase.m_material;
    MaterialProperties material;
    material.name = r.name;
    material.pattern = r.pa;
    material.conductivity = r.la;
    material.density = r.ro;
    material.heatCapacity = r.ce;
    material.solarReflection = r.kr;
    material.solarTransmission = r.kt;
    const int colour = ColourFromRow(m_nFocusRow);
    LoadMaterialIntoColour(TheEngine().model, colour, material);
    if (!NameFitsDataFile(material.name))
        TheEngine().model.colours[static_cast<std::size_t>(colour)].name.clear();
    for (int c = 2; c < kColumns; ++c)
        FormatCell(m_nFocusRow, c);
    RecordEdit();
}

void CColorView::OnCopyRow()
{
    m_copiedRow = m_nFocusRow;
}

void CColorView::OnPasteRow()
{
    const int target = ColourFromRow(m_nFocusRow), source = ColourFromRow(m_copiedRow);
    char text[200];
    std::snprintf(text, sizeof text, platform::LoadString(IDS_PASTE_ROW_QUESTION).c_str(), target, source);
    if (AfxMessageBox(text, MB_YESNO) != IDYES)
        return;
    PasteColourRow(TheEngine().model, target, source);
    ApplyRules(true);
    RecordEdit();
}

void CColorView::OnUpdatePasteRow(CCmdUI* ui)
{
    ui->Enable(m_copiedRow > 0 && m_copiedRow != m_nFocusRow);
}

void CColorView::OnCavityEmissivities()
{
    ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(ColourFromRow(m_nFocusRow))];
    const CavityEmissivities e = ReadCavityEmissivities(c.name);
    CDlgCavityEmissivities dlg;
    dlg.m_e1 = e.e1;
    dlg.m_e2 = e.e2;
    if (dlg.DoModal() != IDOK || (dlg.m_e1 == e.e1 && dlg.m_e2 == e.e2))
        return;
    c.name = FormatCavityEmissivities(dlg.m_e1, dlg.m_e2);
    ApplyRules(true);
    RecordEdit();
    Invalidate(FALSE);
}

void CColorView::OnUpdateCavityEmissivities(CCmdUI* ui)
{
    const ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(ColourFromRow(m_nFocusRow))];
    ui->Enable(c.inUse && c.type == EQUIMAT && c.rule > 0);
}

void CColorView::OnSplitZones()
{
    const int colour = ColourFromRow(m_nFocusRow);
    CDlgSplitZones dlg;
    dlg.m_firstColour = FindFreeColour(TheEngine().model, colour);
    if (dlg.DoModal() != IDOK)
        return;
    CWaitCursor wait;
    const SplitZonesResult result =
        SplitColourZones(TheEngine().model, TheEngine().run, Host(), colour, dlg.m_firstColour);
    ApplyRules(true);
    RecordEdit();
    if (CBlockView* blocks = FindOpenView<CBlockView>())
        blocks->FillTable();
    GoToCell(result.firstNewColour >= 0 ? result.firstNewColour : colour, 2);
    UpdateAllViews();
}

void CColorView::OnUpdateListMode(CCmdUI* ui)
{
    const int mode = ui->m_nID == ID_COLOURS_LIST_ALL       ? kListAll
                     : ui->m_nID == ID_COLOURS_LIST_PRESENT ? kListPresent
                                                            : kListDefined;
    ui->Enable(m_listMode != mode);
    ui->SetCheck(m_listMode == mode);
}

BOOL CColorView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_EDIT_COPY, &CColorView::OnEditCopy),
        ::OnCommand(ID_EDIT_PASTE, &CColorView::OnEditPaste),
        ::OnCommand(ID_LOAD_MATERIAL, &CColorView::OnLoadMaterial),
        ::OnCommand(ID_COPY_ROW, &CColorView::OnCopyRow),
        ::OnCommand(ID_PASTE_ROW, &CColorView::OnPasteRow),
        ::OnUpdate(ID_PASTE_ROW, &CColorView::OnUpdatePasteRow),
        ::OnCommand(ID_CAVITY_EMISSIVITIES, &CColorView::OnCavityEmissivities),
        ::OnUpdate(ID_CAVITY_EMISSIVITIES, &CColorView::OnUpdateCavityEmissivities),
        ::OnCommand(ID_SPLIT_ZONES, &CColorView::OnSplitZones),
        ::OnCommand(ID_COLOURS_LIST_ALL, &CColorView::OnListAll),
        ::OnCommand(ID_COLOURS_LIST_PRESENT, &CColorView::OnListPresent),
        ::OnCommand(ID_COLOURS_LIST_DEFINED, &CColorView::OnListDefined),
        ::OnUpdate(ID_COLOURS_LIST_ALL, &CColorView::OnUpdateListMode),
        ::OnUpdate(ID_COLOURS_LIST_PRESENT, &CColorView::OnUpdateListMode),
        ::OnUpdate(ID_COLOURS_LIST_DEFINED, &CColorView::OnUpdateListMode),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CGelmarTableView::OnCmdMsg(nID, nCode, pCmdUI);
}

} // namespace gelmar

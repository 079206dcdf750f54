// CDlgPatterns: loading the patterns, filling the grid with them and
// following the user's pick through the grid's notifications.
#include "common/ui/DlgPatterns.h"

#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"

#include <QWidget>

namespace common {

platform::DialogTemplate PatternsDialogTemplate(bool withButtons)
{
    platform::DialogTemplate t;
    t.id = IDD_PATTERNS;
    t.controls = {{platform::Ctl::Custom, IDC_PATTERN_GRID, "", 0, 0, 1, 2, WS_BORDER | WS_TABSTOP}};
    if (withButtons) {
        t.caption = "Material Pattern";
        t.controls.push_back({platform::Ctl::DefPushButton, IDOK, "OK", 1, 0});
        t.controls.push_back({platform::Ctl::PushButton, IDCANCEL, "Cancel", 1, 1});
    }
    return t;
}

CDlgPatterns::CDlgPatterns(CWnd* pParent) : CDlgPatterns(PatternFilePath(), pParent) {}

CDlgPatterns::CDlgPatterns(const std::string& path, CWnd* pParent) : CDialog(IDD_PATTERNS, pParent)
{
    CWaitCursor wait;
    LoadPatterns(path);
}

BOOL CDlgPatterns::LoadPatterns(const std::string& path)
{
    ClearPatterns();
    const BOOL ok = m_patterns.Load(path);
    if (!ok)
        AfxMessageBox(m_patterns.GetLastError(), MB_OK | MB_ICONEXCLAMATION);
    m_nPatterns = m_patterns.GetCount();
    ComputeShape();
    return ok;
}

void CDlgPatterns::ClearPatterns()
{
    m_patterns.Clear();
    m_nPatterns = 0;
    ComputeShape();
}

void CDlgPatterns::ComputeShape()
{
    PatternGridShape(m_nPatterns, m_nRows, m_nCols);
}

void CDlgPatterns::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_GridControl(pDX, IDC_PATTERN_GRID, m_Grid);
}

BOOL CDlgPatterns::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (QWidget* w = m_Grid.GetWidget())
        w->setMinimumSize(435, 318);
    m_Grid.ShowWindow(SW_HIDE);
    m_Grid.m_bTitleTips = FALSE;
    m_Grid.m_bEditEnabled = TRUE;
    m_Grid.m_crBkColour = RGB(255, 255, 255);
    m_Grid.SetRowCount(m_nRows);
    m_Grid.SetColumnCount(m_nCols);
    m_Grid.SetFixedRowCount(m_nFixRows);
    m_Grid.SetFixedColumnCount(m_nFixCols);
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
            const int number = r * m_nCols + c + 1;
            CGridItem item;
            item.row = r;
            item.col = c;
            item.mask = GVIF_BKCLR | GVIF_FGCLR;
            if (number <= m_nPatterns) {
                const CPattern& p = m_patterns.Get(number);
                item.bkColour = p.firstColour;
                item.fgColour = p.secondColour;
                m_Grid.SetItem(&item);
                m_Grid.SetItemStyleFlags(r, c, GVIS_PATTERN | GVIS_READONLY);
                m_Grid.SetItemPattern(r, c, p.rows.data());
            } else {
                m_Grid.SetItem(&item);
                m_Grid.SetItemStyleFlags(r, c, GVIS_READONLY);
            }
        }
    if (m_nCols > 0 && m_nPattern >= 1 && m_nPattern <= m_nPatterns) {
        const int row = (m_nPattern + m_nCols - 1) / m_nCols - 1;
        m_Grid.SetFocusCellRowCol(row, m_nPattern - row * m_nCols - 1);
    }
    m_Grid.ExpandToFit();
    m_Grid.m_nFocusFrameStyle = 2;
    m_Grid.ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDlgPatterns::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* nm = reinterpret_cast<const GridNotify*>(lParam);
    if (wParam == IDC_PATTERN_GRID && nm) {
        if (nm->hdr.code == GVN_FOCUSCHANGED) {
            m_focus = CCellID(nm->iRow, nm->iColumn);
        } else if (nm->hdr.code == GVN_DBLCLICK) {
            m_focus = CCellID(nm->iRow, nm->iColumn);
            OnOK();
        }
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CDlgPatterns::OnOK()
{
    if (m_focus.row < 0 || m_focus.col < 0)
        return;
    const int number = m_focus.row * m_nCols + m_focus.col + 1;
    if (number > m_nPatterns)
        return; // an empty cell after the last pattern
    m_nPattern = number;
    EndDialog(IDOK);
}

} // namespace common

// CDlgMaterialDatabase: the three levels of the list (databases, groups,
// materials), the property rows of a material and its pattern preview.
#include "common/ui/DlgMaterialDatabase.h"

#include "common/core/PathName.h"
#include "common/ui/DlgPatterns.h"
#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"

#include <QWidget>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace common {

namespace {

// printf in the C locale, whatever the user's locale: "0.180", not "0,180".
std::string FormatC(const char* format, ...)
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    locale_t old = uselocale(c);
    char buffer[64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    uselocale(old);
    return buffer;
}

} // namespace

platform::DialogTemplate MaterialDatabaseDialogTemplate()
{
    using platform::Ctl;
    platform::DialogTemplate t;
    t.id = IDD_MATERIAL_DATABASE;
    t.caption = "Material Database";
    t.controls = {
        {Ctl::RadioButton, IDC_MATERIAL_DATABASE, "&Database", 0, 0, 1, 1, WS_GROUP},
        {Ctl::RadioButton, IDC_MATERIAL_GROUP, "&Group", 0, 1},
        {Ctl::RadioButton, IDC_MATERIAL_MATERIAL, "&Material", 0, 2},
        {Ctl::ListBox, IDC_MATERIAL_LIST, "", 1, 0, 4, 2},
        {Ctl::Static, 0xFFFF, "Material Pattern:", 1, 2},
        {Ctl::Custom, IDC_MATERIAL_PREVIEW, "", 2, 2},
        {Ctl::Static, 0xFFFF, "Photo:", 3, 2},
        {Ctl::Static, IDC_MATERIAL_PHOTO, "", 4, 2},
        {Ctl::Custom, IDC_MATERIAL_PROPERTIES, "", 5, 0, 1, 3, WS_BORDER | WS_VSCROLL},
        {Ctl::Static, 0xFFFF, "Comment:", 6, 0},
        {Ctl::Edit, IDC_MATERIAL_COMMENT, "", 7, 0, 1, 3, ES_MULTILINE | ES_READONLY},
        {Ctl::Static, IDC_MATERIAL_PROMPT, "", 8, 0, 1, 3},
        {Ctl::DefPushButton, IDOK, "OK", 9, 1},
        {Ctl::PushButton, IDCANCEL, "Cancel", 9, 2},
    };
    return t;
}

CMaterialPropertyList::CMaterialPropertyList() : CGridCtrl(1, 2, 1, 0)
{
    m_bEditEnabled = FALSE;
    m_bTitleTips = FALSE;
    SetItemText(0, 0, "Property");
    SetItemText(0, 1, "Value");
    SetItemFormat(0, 0, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    SetItemFormat(0, 1, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
}

int CMaterialPropertyList::InsertProperty(int position, const std::string& label, const std::string& value)
{
    const int row = 1 + std::min(std::max(position, 0), GetPropertyCount());
    InsertRow(label, row);
    SetRowHeight(row, GetDefaultRowHeight());
    SetItemText(row, 1, value);
    SetItemFormat(row, 0, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    SetItemFormat(row, 1, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    for (int c = 0; c < 2; ++c)
        SetItemState(row, c, GetItemState(row, c) | GVIS_READONLY);
    if (m_hWnd)
        Invalidate();
    return row - 1;
}

void CMaterialPropertyList::DeleteAllProperties()
{
    SetRowCount(1);
    if (m_hWnd)
        Invalidate();
}

void CPatternPreview::ShowPattern(const CPattern* pattern)
{
    m_pattern = pattern;
    Invalidate();
}

void CPatternPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (!m_pattern) {
        dc.FillSolidRect(&rect, RGB(255, 255, 255));
        return;
    }
    CBrush brush;
    brush.CreatePatternBrush(m_pattern->rows);
    dc.SetBkColor(m_pattern->firstColour);
    dc.SetTextColor(m_pattern->secondColour);
    dc.FillRect(&rect, &brush);
}

CDlgMaterialDatabase::CDlgMaterialDatabase(CDlgPatterns* pPatterns, UINT mask, int language, CWnd* pParent)
    : CDlgMaterialDatabase(MaterialSearchPattern(), pPatterns, mask, language, pParent)
{
}

CDlgMaterialDatabase::CDlgMaterialDatabase(const std::string& searchPattern, CDlgPatterns* pPatterns,
                                           UINT mask, int language, CWnd* pParent)
    : CDialog(IDD_MATERIAL_DATABASE, pParent), m_pPatterns(pPatterns), m_nMask(mask), m_nLanguage(language)
{
    LoadDatabases(searchPattern);
}

void CDlgMaterialDatabase::LoadDatabases(const std::string& searchPattern)
{
    CWaitCursor wait;
    m_databases = LoadMaterialDatabases(searchPattern, m_nLanguage);
    // The owner ends the program when there is none (GetDatabases() empty).
    if (m_databases.empty())
        AfxMessageBox("Material database not found.\nProgram exiting.\n" + FullPath(searchPattern),
                      MB_OK | MB_ICONSTOP);
}

void CDlgMaterialDatabase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MATERIAL_PREVIEW, m_preview);
    DDX_GridControl(pDX, IDC_MATERIAL_PROPERTIES, m_listProperties);
}

CListBox* CDlgMaterialDatabase::List() const
{
    return static_cast<CListBox*>(GetDlgItem(IDC_MATERIAL_LIST));
}

void CDlgMaterialDatabase::SetComment(const std::string& text, BOOL enable)
{
    if (CWnd* box = GetDlgItem(IDC_MATERIAL_COMMENT)) {
        box->SetWindowText(text);
        box->EnableWindow(enable);
    }
}

BOOL CDlgMaterialDatabase::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (QWidget* w = m_preview.GetWidget())
        w->setMinimumSize(64, 64);
    if (QWidget* w = m_listProperties.GetWidget())
        w->setMinimumSize(300, 160);
    m_nLevel = 0;
    CheckRadioButton(IDC_MATERIAL_DATABASE, IDC_MATERIAL_MATERIAL, IDC_MATERIAL_DATABASE);
    SetPromptText(0);
    m_font.DeleteObject();
    m_font.CreatePointFont(m_nFontSize, "Arial Symbol1");
    if (CWnd* prompt = GetDlgItem(IDC_MATERIAL_PROMPT))
        prompt->SetFont(&m_font);
    m_listProperties.SetFont(&m_font);
    CRect client;
    m_listProperties.GetClientRect(&client);
    m_listProperties.SetColumnWidth(0, std::max(client.Width() / 2, 80));
    m_listProperties.SetColumnWidth(1, std::max(client.Width() / 2, 80));
    SetDlgItemText(IDC_MATERIAL_PROMPT, "Select a database to see the material groups...");
    List()->SetCurSel(-1);
    return TRUE;
}

void CDlgMaterialDatabase::SetPromptText(int level)
{
    CListBox* list = List();
    list->ResetContent();
    switch (level) {
    case 0:
        for (std::size_t i = 0; i < m_databases.size(); ++i)
            list->SetItemData(list->AddString(m_databases[i].fileName), static_cast<DWORD>(i));
        if (m_databases.empty())
            return;
        list->SetCurSel(m_nDatabasePos);
        if (CWnd* radio = GetDlgItem(IDC_MATERIAL_MATERIAL))
            radio->EnableWindow(FALSE);
        m_listProperties.DeleteAllProperties();
        SetDlgItemText(IDC_MATERIAL_PROMPT, "Select a database to see the material groups...");
        ClearPreview();
        break;
    case 1: {
        const auto& groups = m_databases[m_nDatabase].groups;
        for (std::size_t i = 0; i < groups.size(); ++i)
            list->SetItemData(list->AddString(groups[i].displayName), static_cast<DWORD>(i));
        if (groups.empty())
            return;
        list->SetCurSel(m_nGroupPos);
        if (CWnd* radio = GetDlgItem(IDC_MATERIAL_MATERIAL))
            radio->EnableWindow(TRUE);
        m_listProperties.DeleteAllProperties();
        SetDlgItemText(IDC_MATERIAL_PROMPT, "Select a group to see the materials...");
        ClearPreview();
        break;
    }
    case 2: {
        const auto& materials = m_databases[m_nDatabase].groups[m_nGroup].materials;
        for (std::size_t i = 0; i < materials.size(); ++i)
            list->SetItemData(list->AddString(materials[i].name), static_cast<DWORD>(i));
        if (materials.empty())
            return;
        list->SetCurSel(0);
        OnSelchangeMaterial();
        SetDlgItemText(IDC_MATERIAL_PROMPT, "Select a material to load it...");
        break;
    }
    default:
        break;
    }
}

void CDlgMaterialDatabase::OnSelchangeMaterial()
{
    CListBox* list = List();
    int sel = list->GetCurSel();
    if (sel < 0 && list->GetCount() > 0)
        sel = 0;
    if (sel < 0)
        return;
    const int index = static_cast<int>(list->GetItemData(sel));
    switch (m_nLevel) {
    case 0:
        m_nDatabasePos = sel;
        m_nDatabase = index;
        SetComment(m_databases[m_nDatabase].comment, TRUE);
        break;
    case 1:
        m_nGroupPos = sel;
        m_nGroup = index;
        break;
    case 2:
        ShowMaterial(m_databases[m_nDatabase].groups[m_nGroup].materials[index]);
        break;
    default:
        break;
    }
}

// The labels hold the Greek letters that the symbol face showed.
void CDlgMaterialDatabase::ShowMaterial(const CMaterialRecord& m)
{
    m_listProperties.DeleteAllProperties();
    struct Row {
        UINT bit;
        const char* label;
        const char* format;
        int position;
        double value;
        bool integer;
    };
    const Row rows[] = {
        {0x0001, "λ [W/mK]", "%.3f", 0, m.la, false},  {0x0002, "R [m2K/W]", "%.3f", 1, m.re, false},
        {0x0004, "d [m]", "%.4f", 2, m.di, false},     {0x0008, "ρ [kg/m3]", "%.3f", 3, m.ro, false},
        {0x0010, "c [J/kgK]", "%.3f", 4, m.ce, false}, {0x0020, "μ [-]", "%.7g", 5, m.mu, false},
        {0x0040, "μd [m]", "%.7g", 6, m.md, false},    {0x0080, "hup [-]", "%d", 7, double(m.cp), true},
        {0x0100, "wc [kg/m3]", "%g", 8, m.wc, false},  {0x0200, "wm [kg/m3]", "%g", 9, m.wm, false},
        {0x0400, "wa [kg/m3]", "%g", 10, m.wa, false}, {0x0800, "τs [-]", "%.2f", 11, m.kt, false},
        {0x1000, "αs [-]", "%.2f", 11, m.ka, false},   {0x2000, "ρs [-]", "%.2f", 11, m.kr, false},
    };
    for (const Row& r : rows)
        if (m_nMask & r.bit)
            m_listProperties.InsertProperty(r.position, r.label,
                                            r.integer ? FormatC(r.format, static_cast<int>(r.value))
                                                      : FormatC(r.format, r.value));
    if (m_nMask & 0x8000) {
        const Row extra[] = {
            {0, "ε1 [-]", "%.2f", 12, m.e1, false}, {0, "ε2 [-]", "%.2f", 13, m.e2, false},
            {0, "ρ1 [-]", "%.2f", 14, m.r1, false}, {0, "ρ2 [-]", "%.2f", 15, m.r2, false},
            {0, "Nu [-]", "%.2f", 16, m.nu, false}, {0, "hrb [W/m²K]", "%.2f", 17, m.hr, false},
        };
        for (const Row& r : extra)
            if (r.value >= 0)
                m_listProperties.InsertProperty(r.position, r.label, FormatC(r.format, r.value));
    }
    if ((m_nMask & 0x4000) && m_pPatterns)
        m_preview.ShowPattern(&m_pPatterns->GetPatterns().Get(m.pa));
    SetComment(m.comment, TRUE);
}

void CDlgMaterialDatabase::ClearPreview()
{
    m_preview.ShowPattern(nullptr);
}

void CDlgMaterialDatabase::OnDatabase()
{
    if (m_nLevel == 0) {
        List()->SetFocus();
        return;
    }
    m_nGroupPos = 0;
    SetComment(m_databases[m_nDatabase].comment, TRUE);
    List()->SetFocus();
    m_nLevel = 0;
    SetPromptText(0);
}

void CDlgMaterialDatabase::OnGroup()
{
    if (m_nLevel == 1) {
        List()->SetFocus();
        return;
    }
    if (m_nLevel == 0) {
        CListBox* list = List();
        const int sel = std::max(list->GetCurSel(), 0);
        if (list->GetCount() > 0) {
            m_nDatabasePos = sel;
            m_nDatabase = static_cast<int>(list->GetItemData(sel));
        }
    }
    SetComment("", FALSE);
    List()->SetFocus();
    m_nLevel = 1;
    SetPromptText(1);
}

void CDlgMaterialDatabase::OnMaterial()
{
    if (m_nLevel != 1) {
        List()->SetFocus();
        return;
    }
    CListBox* list = List();
    if (list->GetCount() == 0)
        return;
    const int sel = std::max(list->GetCurSel(), 0);
    m_nGroupPos = sel;
    m_nGroup = static_cast<int>(list->GetItemData(sel));
    m_nLevel = 2;
    SetPromptText(2);
    SetComment(GetDlgItemText(IDC_MATERIAL_COMMENT), TRUE);
}

void CDlgMaterialDatabase::OnOK()
{
    CListBox* list = List();
    const int sel = list->GetCurSel();
    if (sel < 0)
        return;
    const int index = static_cast<int>(list->GetItemData(sel));
    switch (m_nLevel) {
    case 0:
        m_nDatabase = index;
        m_nDatabasePos = sel;
        m_nLevel = 1;
        CheckRadioButton(IDC_MATERIAL_DATABASE, IDC_MATERIAL_MATERIAL, IDC_MATERIAL_GROUP);
        SetComment("", FALSE);
        SetPromptText(1);
        break;
    case 1:
        m_nGroup = index;
        m_nGroupPos = sel;
        m_nLevel = 2;
        CheckRadioButton(IDC_MATERIAL_DATABASE, IDC_MATERIAL_MATERIAL, IDC_MATERIAL_MATERIAL);
        SetComment("", TRUE);
        SetPromptText(2);
        break;
    case 2:
        m_material = m_databases[m_nDatabase].groups[m_nGroup].materials[index];
        EndDialog(IDOK);
        break;
    default:
        break;
    }
}

BOOL CDlgMaterialDatabase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
    case IDC_MATERIAL_LIST:
        if (code == LBN_SELCHANGE)
            OnSelchangeMaterial();
        else if (code == LBN_DBLCLK)
            OnOK();
        return TRUE;
    case IDC_MATERIAL_DATABASE:
        if (code == BN_CLICKED)
            OnDatabase();
        return TRUE;
    case IDC_MATERIAL_GROUP:
        if (code == BN_CLICKED)
            OnGroup();
        return TRUE;
    case IDC_MATERIAL_MATERIAL:
        if (code == BN_CLICKED)
            OnMaterial();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

} // namespace common

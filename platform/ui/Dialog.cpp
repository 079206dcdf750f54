// Dialogs from templates, the modal loop, data exchange and validation.
#include "platform/ui/Dialog.h"

#include "platform/core/StringTable.h"
#include "platform/ui/DialogLayout.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/WndWidget.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale>
#include <map>
#include <sstream>

namespace {

using platform::detail::HostWidget;

// A dialog's window: Enter and Esc come back as IDOK and IDCANCEL.
class DialogWidget : public HostWidget<QDialog> {
  public:
    using HostWidget<QDialog>::HostWidget;

    void accept() override { Command(IDOK); }
    void reject() override { Command(IDCANCEL); }

  protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::WindowTitleChange)
            if (auto* outer = qobject_cast<QVBoxLayout*>(layout()))
                platform::detail::FitCaption(*outer, m_captionSpacer, windowTitle(), font());
        if (CWnd* w = CWnd::FromWidget(this))
            if (platform::detail::TranslateEvent(w, this, e, false, true))
                return true;
        return QDialog::event(e);
    }

  private:
    QSpacerItem* m_captionSpacer = nullptr; // owned by the outer layout
    void Command(int id)
    {
        if (CWnd* w = CWnd::FromWidget(this))
            w->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
};

std::string Message(UINT id, const char* english)
{
    std::string s = platform::LoadString(id);
    return s.empty() ? english : s;
}

std::string FormatReal(double v, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    return buf;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool ParseLong(const std::string& text, long long& out, bool allowSign)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    size_t i = 0;
    if (t[0] == '-' || t[0] == '+') {
        if (!allowSign && t[0] == '-')
            return false;
        i = 1;
    }
    if (i == t.size())
        return false;
    for (size_t k = i; k < t.size(); ++k)
        if (t[k] < '0' || t[k] > '9')
            return false;
    errno = 0;
    out = std::strtoll(t.c_str(), nullptr, 10);
    return errno == 0;
}

// Numbers are read independently of the locale ("0.5").
bool ParseReal(const std::string& text, double& out)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    std::istringstream in(t);
    in.imbue(std::locale::classic());
    in >> out;
    return !in.fail() && in.eof();
}

void FailWith(CDataExchange* pDX, const std::string& text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T> void ExchangeInteger(CDataExchange* pDX, UINT nIDC, T& value, bool isSigned)
{
    CWnd* edit = pDX->PrepareEditCtrl(nIDC);
    if (!edit)
        return;
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseLong(edit->GetWindowText(), v, isSigned) ||
            v < static_cast<long long>(std::numeric_limits<T>::min()) ||
            v > static_cast<long long>(std::numeric_limits<T>::max()))
            FailWith(pDX, isSigned ? Message(AFX_IDP_PARSE_INT, "Please enter an integer.")
                                   : Message(AFX_IDP_PARSE_UINT, "Please enter a positive integer."));
        value = static_cast<T>(v);
    } else {
        edit->SetWindowText(std::to_string(value));
    }
}

template <class T> void ExchangeReal(CDataExchange* pDX, UINT nIDC, T& value, int digits)
{
    CWnd* edit = pDX->PrepareEditCtrl(nIDC);
    if (!edit)
        return;
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseReal(edit->GetWindowText(), v))
            FailWith(pDX, ParseRealMessage());
        value = static_cast<T>(v);
    } else {
        edit->SetWindowText(FormatReal(value, digits));
    }
}

} // namespace

CWnd* CDataExchange::PrepareCtrl(UINT nIDC)
{
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
}

CWnd* CDataExchange::PrepareEditCtrl(UINT nIDC)
{
    CWnd* w = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return w;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_pDlgWnd) {
        if (CWnd* w = m_pDlgWnd->GetDlgItem(m_idLastControl)) {
            w->SetFocus();
            if (m_bEditLastControl)
                if (auto* e = dynamic_cast<CEdit*>(w))
                    e->SetSel(0, -1);
        }
    }
    throw CUserException{};
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, std::string& value)
{
    CWnd* edit = pDX->PrepareEditCtrl(nIDC);
    if (!edit)
        return;
    if (pDX->m_bSaveAndValidate)
        value = edit->GetWindowText();
    else
        edit->SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, true);
}
void DDX_Text(CDataExchange* pDX, UINT nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, false);
}
void DDX_Text(CDataExchange* pDX, UINT nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, true);
}
void DDX_Text(CDataExchange* pDX, UINT nIDC, double& value)
{
    ExchangeReal(pDX, nIDC, value, DBL_DIG);
}
void DDX_Text(CDataExchange* pDX, UINT nIDC, float& value)
{
    ExchangeReal(pDX, nIDC, value, FLT_DIG);
}

void DDX_Check(CDataExchange* pDX, UINT nIDC, int& value)
{
    if (!pDX->PrepareCtrl(nIDC))
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(pDX->m_pDlgWnd->IsDlgButtonChecked(nIDC));
    else
        pDX->m_pDlgWnd->CheckDlgButton(nIDC, static_cast<UINT>(value));
}

void DDX_Radio(CDataExchange* pDX, UINT nIDC, int& value)
{
    auto* dlg = dynamic_cast<CDialog*>(pDX->m_pDlgWnd);
    if (!pDX->PrepareCtrl(nIDC) || !dlg)
        return;
    // The group: this radio and the radios after it up to the next group.
    std::vector<CWnd*> group;
    const auto& controls = dlg->TemplateControls();
    bool started = false;
    for (const auto& c : controls) {
        CWnd* live = dlg->GetDlgItem(c->GetDlgCtrlID());
        bool radio = live && live->GetWidget() && qobject_cast<QRadioButton*>(live->GetWidget());
        if (!started) {
            started = c->GetDlgCtrlID() == nIDC;
            if (!started)
                continue;
        } else if (!radio || (c->GetStyle() & WS_GROUP)) {
            break;
        }
        group.push_back(live);
    }
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (pDX->m_pDlgWnd->IsDlgButtonChecked(group[i]->GetDlgCtrlID()))
                value = static_cast<int>(i);
    } else {
        for (size_t i = 0; i < group.size(); ++i)
            pDX->m_pDlgWnd->CheckDlgButton(group[i]->GetDlgCtrlID(), static_cast<int>(i) == value ? 1 : 0);
    }
}

void DDX_CBIndex(CDataExchange* pDX, UINT nIDC, int& index)
{
    auto* c = dynamic_cast<CComboBox*>(pDX->PrepareCtrl(nIDC));
    if (!c)
        return;
    if (pDX->m_bSaveAndValidate)
        index = c->GetCurSel();
    else
        c->SetCurSel(index);
}

void DDX_CBString(CDataExchange* pDX, UINT nIDC, std::string& value)
{
    auto* c = dynamic_cast<CComboBox*>(pDX->PrepareCtrl(nIDC));
    if (!c)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = c->GetWindowText();
    } else {
        int i = c->FindStringExact(-1, value);
        if (i != CB_ERR)
            c->SetCurSel(i);
        else
            c->SetWindowText(value);
    }
}

void DDX_LBIndex(CDataExchange* pDX, UINT nIDC, int& index)
{
    auto* l = dynamic_cast<CListBox*>(pDX->PrepareCtrl(nIDC));
    if (!l)
        return;
    if (pDX->m_bSaveAndValidate)
        index = l->GetCurSel();
    else
        l->SetCurSel(index);
}

void DDX_Control(CDataExchange* pDX, UINT nIDC, CWnd& rControl)
{
    if (!rControl.GetSafeHwnd())
        rControl.SubclassDlgItem(nIDC, pDX->m_pDlgWnd);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailWith(pDX, platform::FormatString2(
                          Message(AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."),
                          std::to_string(minVal), std::to_string(maxVal)));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailWith(pDX, platform::FormatString2(
                          Message(AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."),
                          std::to_string(minVal), std::to_string(maxVal)));
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailWith(pDX, platform::FormatString2(
                          Message(AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."),
                          std::to_string(minVal), std::to_string(maxVal)));
}

std::string ParseRealMessage()
{
    return Message(AFX_IDP_PARSE_REAL, "Please enter a number.");
}

std::string RealRangeMessage(double minVal, double maxVal, int digits)
{
    return platform::FormatString2(Message(AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."),
                                   FormatReal(minVal, digits), FormatReal(maxVal, digits));
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailWith(pDX, RealRangeMessage(minVal, maxVal, DBL_DIG));
}

void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailWith(pDX, RealRangeMessage(minVal, maxVal, FLT_DIG));
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (auto* e = dynamic_cast<CEdit*>(pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl)))
            e->LimitText(nChars);
        return;
    }
    if (QString::fromStdString(value).size() > nChars)
        FailWith(pDX, platform::FormatString2(
                          Message(AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."),
                          std::to_string(nChars)));
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

void CDialog::BuildControls(const platform::DialogTemplate& t, QWidget* host, QGridLayout* grid)
{
    std::map<UINT, std::pair<CWnd*, QGridLayout*>> groups;
    QButtonGroup* radios = nullptr;
    for (const auto& c : t.controls) {
        std::unique_ptr<CWnd> w;
        DWORD style = c.style;
        switch (c.kind) {
        case platform::Ctl::Static:
            w = std::make_unique<CStatic>();
            break;
        case platform::Ctl::Edit:
            w = std::make_unique<CEdit>();
            break;
        case platform::Ctl::PushButton:
            w = std::make_unique<CButton>();
            style |= BS_PUSHBUTTON;
            break;
        case platform::Ctl::DefPushButton:
            w = std::make_unique<CButton>();
            style |= BS_DEFPUSHBUTTON;
            break;
        case platform::Ctl::CheckBox:
            w = std::make_unique<CButton>();
            style |= BS_AUTOCHECKBOX;
            break;
        case platform::Ctl::RadioButton:
            w = std::make_unique<CButton>();
            style |= BS_AUTORADIOBUTTON;
            break;
        case platform::Ctl::GroupBox:
            w = std::make_unique<CButton>();
            style |= BS_GROUPBOX;
            break;
        case platform::Ctl::ComboBox:
            w = std::make_unique<CComboBox>();
            if (!(style & 0x3))
                style |= CBS_DROPDOWNLIST;
            break;
        case platform::Ctl::ListBox:
            w = std::make_unique<CListBox>();
            break;
        case platform::Ctl::Spin:
            w = std::make_unique<CSpinButtonCtrl>();
            break;
        case platform::Ctl::Progress:
            w = std::make_unique<CProgressCtrl>();
            break;
        case platform::Ctl::Custom:
            w = std::make_unique<CWnd>();
            break;
        case platform::Ctl::RichEdit:
            w = std::make_unique<CRichEditCtrl>();
            break;
        }
        auto g = groups.find(c.group);
        QGridLayout* layout = g != groups.end() ? g->second.second : grid;
        w->Create(nullptr, c.text.c_str(), WS_CHILD | WS_VISIBLE | style, CRect(), this, c.id);
        QWidget* qw = w->GetWidget();
        // The layout shows the control again after the change of parent.
        if (qw->parentWidget() != layout->parentWidget())
            qw->setParent(g != groups.end() ? g->second.first->GetWidget() : host);
        layout->addWidget(qw, c.row, c.col, c.rowSpan, c.colSpan);
        if (c.kind == platform::Ctl::GroupBox) {
            auto* inner = new QGridLayout(qw);
            platform::detail::SetControlSpacing(*inner, *qw->style());
            groups[c.id] = {w.get(), inner};
        }
        if (c.kind == platform::Ctl::RadioButton) {
            if (!radios || (style & WS_GROUP)) {
                radios = new QButtonGroup(host);
                radios->setExclusive(true);
            }
            radios->addButton(static_cast<QAbstractButton*>(qw));
        } else {
            radios = nullptr;
        }
        m_templateControls.push_back(std::move(w));
    }
}

BOOL CDialog::CreateDialogWindow(CWnd* pParent)
{
    const platform::DialogTemplate* t = platform::Resources::Get().FindDialog(m_nIDTemplate);
    if (!t)
        return FALSE;
    m_templateControls.clear();
    QWidget* parentWidget = pParent && pParent->GetWidget() ? pParent->GetWidget()->window() : nullptr;
    auto* w = new DialogWidget(parentWidget);
    w->setWindowFlags(Qt::Dialog);
    m_background = COLOR_BTNFACE + 1;
    m_style = WS_POPUP | WS_CAPTION;
    AttachWidget(w, false, 0);
    // Bars above and below the controls; the controls keep the margins a
    // dialog's own layout has.
    auto* outer = new QVBoxLayout(w);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_topBars = new QVBoxLayout;
    m_bottomBars = new QVBoxLayout;
    m_controlLayout = new QGridLayout;
    QStyle* style = w->style();
    m_controlLayout->setContentsMargins(
        style->pixelMetric(QStyle::PM_LayoutLeftMargin), style->pixelMetric(QStyle::PM_LayoutTopMargin),
        style->pixelMetric(QStyle::PM_LayoutRightMargin), style->pixelMetric(QStyle::PM_LayoutBottomMargin));
    platform::detail::SetControlSpacing(*m_controlLayout, *style);
    outer->addLayout(m_topBars);
    outer->addLayout(m_controlLayout, 1);
    outer->addLayout(m_bottomBars);
    // The caption is set once the layout is there, which it keeps wide
    // enough to show the caption whole.
    SetWindowText(t->caption);
    m_menuBar = nullptr;
    if (t->menu)
        SetMenu(t->menu);
    BuildControls(*t, w, m_controlLayout);
    m_nModalResult = -1;
    m_ended = false;
    return TRUE;
}

BOOL CDialog::SetMenu(UINT nIDResource)
{
    const platform::MenuTemplate* menu = platform::Resources::Get().FindMenu(nIDResource);
    auto* outer = m_widget ? qobject_cast<QVBoxLayout*>(m_widget->layout()) : nullptr;
    if (!menu || !outer)
        return FALSE;
    QMenuBar* bar = platform::detail::BuildMenuBar(
        m_widget, *menu, [this](UINT id) { ExecuteCommand(id); },
        [this](QMenu* popup) { platform::detail::UpdateMenuItems(popup, this, TRUE); });
    outer->setMenuBar(bar);
    delete m_menuBar;
    m_menuBar = bar;
    return TRUE;
}

void CDialog::AddBar(QWidget* bar, bool bottom)
{
    if (QVBoxLayout* bars = bottom ? m_bottomBars : m_topBars)
        bars->addWidget(bar);
}

BOOL CDialog::ExecuteCommand(UINT nID)
{
    if (!m_hWnd)
        return FALSE;
    CCmdUI state(nID);
    state.DoUpdate(this, TRUE);
    if (!state.m_bEnabled)
        return FALSE;
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    if (!CreateDialogWindow(pParentWnd))
        return FALSE;
    OnInitDialog();
    UpdateDialogControls(this, FALSE);
    if (m_widget)
        m_widget->show();
    return TRUE;
}

int CDialog::DoModal()
{
    if (!CreateDialogWindow(m_pParentWnd))
        return -1;
    OnInitDialog();
    if (m_hWnd)
        UpdateDialogControls(this, FALSE);
    return RunModalLoop();
}

int CDialog::RunModalLoop()
{
    if (!m_ended && m_widget) {
        m_widget->setWindowModality(Qt::ApplicationModal);
        m_widget->show();
        // Idle moments of the loop reach the dialog as WM_KICKIDLE, after
        // those of the windows below it.
        auto& idle = platform::detail::IdleHookRef();
        const std::function<void()> below = idle;
        idle = [below, this, alive = Alive()] {
            if (below)
                below();
            if (*alive && m_hWnd && !m_ended)
                SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0);
        };
        RequestIdleUpdate();
        QEventLoop loop;
        m_loop = &loop;
        if (auto script = platform::TestHook::Get().NextDialogScript()) {
            QTimer::singleShot(0, &loop, [this, script] {
                script(*this);
                if (!m_ended)
                    EndDialog(IDCANCEL);
            });
        }
        if (!m_ended)
            loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
        platform::detail::IdleHookRef() = below;
    }
    int result = m_nModalResult;
    if (m_hWnd)
        DestroyWindow();
    return result;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_ended = true;
    if (m_loop)
        m_loop->quit();
    else if (m_widget)
        m_widget->hide();
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

static void MoveFocus(QWidget* dialog, bool forward)
{
    if (!dialog)
        return;
    QWidget* start = QApplication::focusWidget();
    if (!start || !dialog->isAncestorOf(start))
        start = dialog;
    for (QWidget* w = forward ? start->nextInFocusChain() : start->previousInFocusChain(); w && w != start;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (dialog->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(dialog)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void CDialog::NextDlgCtrl()
{
    MoveFocus(m_widget, true);
}

void CDialog::PrevDlgCtrl()
{
    MoveFocus(m_widget, false);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        pWndCtrl->SetFocus();
}

void CDialog::ClickButton(UINT nID)
{
    if (CWnd* b = GetDlgItem(nID)) {
        if (auto* ab = qobject_cast<QAbstractButton*>(b->GetWidget())) {
            ab->click();
            return;
        }
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    std::shared_ptr<bool> alive = Alive();
    BOOL handled = OnCmdMsg(id, code, nullptr);
    if (*alive && m_hWnd && !m_ended) {
        UpdateDialogControls(this, FALSE);
        SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0);
    }
    (void)lParam;
    return handled;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnControl(IDOK, BN_CLICKED, &CDialog::OnOK),
        OnControl(IDCANCEL, BN_CLICKED, &CDialog::OnCancel),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CWnd::OnCmdMsg(nID, nCode, pCmdUI);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        m_defaultReached = true;
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

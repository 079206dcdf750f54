// Standard controls over Qt widgets.
#include "platform/ui/Controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// A static text shows '&' marks as the underline of the next letter; a label
// without a buddy would show them, so they are taken out ("&&" is one '&').
QString WithoutMnemonic(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += s[i];
    }
    return Q(out);
}

bool StartsWithNoCase(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

QWidget* CStatic::CreateControlWidget(QWidget* parent, DWORD style)
{
    auto* l = new QLabel(parent);
    Qt::Alignment a = Qt::AlignVCenter;
    if ((style & 0x3) == SS_CENTER)
        a |= Qt::AlignHCenter;
    else if ((style & 0x3) == SS_RIGHT)
        a |= Qt::AlignRight;
    else
        a |= Qt::AlignLeft;
    l->setAlignment(a);
    return l;
}

void CStatic::SetNativeText(const std::string& text)
{
    if (auto* l = qobject_cast<QLabel*>(m_widget))
        l->setText(WithoutMnemonic(text));
}

std::string CStatic::GetNativeText() const
{
    return m_text;
}

QWidget* CButton::CreateControlWidget(QWidget* parent, DWORD style)
{
    switch (style & 0xF) {
    case BS_AUTOCHECKBOX:
        return new QCheckBox(parent);
    case BS_AUTORADIOBUTTON: {
        auto* r = new QRadioButton(parent);
        r->setAutoExclusive(false);
        return r;
    }
    case BS_GROUPBOX: {
        auto* g = new QGroupBox(parent);
        // Controls inside a group box still belong to the dialog.
        g->setProperty("platform_transparent_parent", true);
        return g;
    }
    default: {
        auto* b = new QPushButton(parent);
        b->setDefault((style & 0xF) == BS_DEFPUSHBUTTON);
        b->setAutoDefault(false);
        return b;
    }
    }
}

void CButton::ConnectControl()
{
    if (auto* b = qobject_cast<QAbstractButton*>(m_widget))
        QObject::connect(b, &QAbstractButton::clicked, b, [this] { NotifyParent(BN_CLICKED); });
}

void CButton::SetNativeText(const std::string& text)
{
    if (auto* b = qobject_cast<QAbstractButton*>(m_widget))
        b->setText(Q(text));
    else if (auto* g = qobject_cast<QGroupBox*>(m_widget))
        // A group box's title is one line: the lines of a longer title
        // follow each other on it, so that none is cut off.
        g->setTitle(WithoutMnemonic(text).replace('\n', ' '));
}

std::string CButton::GetNativeText() const
{
    if (auto* b = qobject_cast<QAbstractButton*>(m_widget))
        return b->text().toStdString();
    return m_text;
}

void CButton::ApplyCheck(int check)
{
    auto* b = qobject_cast<QAbstractButton*>(m_widget);
    if (!b || !b->isCheckable())
        return;
    QButtonGroup* group = b->group();
    bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    b->setChecked(check != 0);
    if (exclusive)
        group->setExclusive(true);
}

int CButton::QueryCheck() const
{
    auto* b = qobject_cast<QAbstractButton*>(m_widget);
    return b && b->isCheckable() && b->isChecked() ? 1 : 0;
}

QWidget* CEdit::CreateControlWidget(QWidget* parent, DWORD style)
{
    if (style & ES_MULTILINE) {
        // In a dialog Tab moves the focus on, as it does from every other
        // control; the text never receives a tab character from it.
        auto* p = new QPlainTextEdit(parent);
        p->setTabChangesFocus(true);
        return p;
    }
    auto* e = new QLineEdit(parent);
    if ((style & 0x3) == ES_CENTER)
        e->setAlignment(Qt::AlignHCenter);
    else if ((style & 0x3) == ES_RIGHT)
        e->setAlignment(Qt::AlignRight);
    e->setReadOnly(style & ES_READONLY);
    return e;
}

QWidget* CRichEditCtrl::CreateControlWidget(QWidget* parent, DWORD style)
{
    auto* edit = new QTextEdit(parent);
    edit->setReadOnly(style & ES_READONLY);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    return edit;
}

void CEdit::ConnectControl()
{
    if (auto* e = qobject_cast<QLineEdit*>(m_widget)) {
        QObject::connect(e, &QLineEdit::textChanged, e, [this] { NotifyParent(EN_CHANGE); });
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget)) {
        QObject::connect(p, &QPlainTextEdit::textChanged, p, [this, p] {
            // A multi-line edit has no length limit of its own.
            if (m_limit > 0 && p->toPlainText().size() > m_limit) {
                QSignalBlocker block(p);
                QString t = p->toPlainText().left(m_limit);
                p->setPlainText(t);
                QTextCursor c = p->textCursor();
                c.movePosition(QTextCursor::End);
                p->setTextCursor(c);
            }
            NotifyParent(EN_CHANGE);
        });
    }
}

void CEdit::SetNativeText(const std::string& text)
{
    if (auto* e = qobject_cast<QLineEdit*>(m_widget))
        e->setText(Q(text));
    else if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget))
        p->setPlainText(Q(text));
}

std::string CEdit::GetNativeText() const
{
    if (auto* e = qobject_cast<QLineEdit*>(m_widget))
        return e->text().toStdString();
    if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget))
        return p->toPlainText().toStdString();
    return {};
}

void CEdit::SetSel(int nStart, int nEnd, BOOL)
{
    if (auto* e = qobject_cast<QLineEdit*>(m_widget)) {
        int len = static_cast<int>(e->text().size());
        if (nStart < 0) {
            e->deselect();
            return;
        }
        if (nEnd < 0 || nEnd > len)
            nEnd = len;
        if (nEnd == nStart) {
            // An empty selection is a caret position.
            e->deselect();
            e->setCursorPosition(nStart);
            return;
        }
        e->setSelection(nStart, nEnd - nStart);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget)) {
        QTextCursor c = p->textCursor();
        c.setPosition(std::max(0, nStart));
        c.setPosition(nEnd < 0 ? static_cast<int>(p->toPlainText().size()) : nEnd, QTextCursor::KeepAnchor);
        p->setTextCursor(c);
    }
}

void CEdit::GetSel(int& nStart, int& nEnd) const
{
    nStart = nEnd = 0;
    if (auto* e = qobject_cast<QLineEdit*>(m_widget)) {
        if (e->hasSelectedText()) {
            nStart = e->selectionStart();
            nEnd = e->selectionEnd();
        } else {
            nStart = nEnd = e->cursorPosition();
        }
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget)) {
        nStart = p->textCursor().selectionStart();
        nEnd = p->textCursor().selectionEnd();
    }
}

void CEdit::ReplaceSel(const std::string& text, BOOL)
{
    if (auto* e = qobject_cast<QLineEdit*>(m_widget))
        e->insert(Q(text));
    else if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget))
        p->insertPlainText(Q(text));
}

void CEdit::LimitText(int nChars)
{
    m_limit = std::max(0, nChars);
    if (auto* e = qobject_cast<QLineEdit*>(m_widget))
        e->setMaxLength(m_limit > 0 ? m_limit : 32767);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    if (auto* e = qobject_cast<QLineEdit*>(m_widget))
        e->setReadOnly(bReadOnly);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget))
        p->setReadOnly(bReadOnly);
    return TRUE;
}

int CEdit::GetCaretIndex() const
{
    if (auto* e = qobject_cast<QLineEdit*>(m_widget))
        return e->cursorPosition();
    if (auto* p = qobject_cast<QPlainTextEdit*>(m_widget))
        return p->textCursor().position();
    return 0;
}

void CEdit::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    NotifyParent(EN_SETFOCUS);
}

void CEdit::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    NotifyParent(EN_KILLFOCUS);
}

QWidget* CComboBox::CreateControlWidget(QWidget* parent, DWORD style)
{
    auto* c = new QComboBox(parent);
    c->setEditable((style & 0x3) == CBS_DROPDOWN);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

void CComboBox::ConnectControl()
{
    if (auto* c = qobject_cast<QComboBox*>(m_widget))
        QObject::connect(c, &QComboBox::activated, c, [this] { NotifyParent(CBN_SELCHANGE); });
}

void CComboBox::SetNativeText(const std::string& text)
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c)
        return;
    if (c->isEditable())
        c->setEditText(Q(text));
    else
        c->setCurrentIndex(c->findText(Q(text), Qt::MatchFixedString));
}

std::string CComboBox::GetNativeText() const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    return c ? c->currentText().toStdString() : std::string();
}

int CComboBox::AddString(const std::string& text)
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c)
        return CB_ERR;
    int keep = c->currentIndex();
    c->addItem(Q(text));
    c->setCurrentIndex(keep);
    return c->count() - 1;
}

int CComboBox::InsertString(int index, const std::string& text)
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c || index > c->count())
        return CB_ERR;
    if (index < 0)
        index = c->count();
    int keep = c->currentIndex();
    c->insertItem(index, Q(text));
    c->setCurrentIndex(keep >= index && keep >= 0 ? keep + 1 : keep);
    return index;
}

int CComboBox::DeleteString(UINT index)
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c || static_cast<int>(index) >= c->count())
        return CB_ERR;
    c->removeItem(static_cast<int>(index));
    return c->count();
}

void CComboBox::ResetContent()
{
    if (auto* c = qobject_cast<QComboBox*>(m_widget))
        c->clear();
}

int CComboBox::GetCount() const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    return c ? c->count() : CB_ERR;
}

int CComboBox::GetCurSel() const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    return c ? c->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c)
        return CB_ERR;
    if (index < 0 || index >= c->count()) {
        c->setCurrentIndex(-1);
        return CB_ERR;
    }
    c->setCurrentIndex(index);
    return index;
}

int CComboBox::GetLBText(int index, std::string& text) const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c || index < 0 || index >= c->count())
        return CB_ERR;
    text = c->itemText(index).toStdString();
    return static_cast<int>(text.size());
}

std::string CComboBox::GetLBText(int index) const
{
    std::string s;
    GetLBText(index, s);
    return s;
}

int CComboBox::FindString(int nStartAfter, const std::string& prefix) const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c)
        return CB_ERR;
    int n = c->count();
    for (int k = 1; k <= n; ++k) {
        int i = ((nStartAfter < 0 ? -1 : nStartAfter) + k) % n;
        if (StartsWithNoCase(c->itemText(i), Q(prefix)))
            return i;
    }
    return CB_ERR;
}

int CComboBox::FindStringExact(int nStartAfter, const std::string& text) const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c)
        return CB_ERR;
    int n = c->count();
    for (int k = 1; k <= n; ++k) {
        int i = ((nStartAfter < 0 ? -1 : nStartAfter) + k) % n;
        if (c->itemText(i).compare(Q(text), Qt::CaseInsensitive) == 0)
            return i;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int nStartAfter, const std::string& prefix)
{
    int i = FindString(nStartAfter, prefix);
    if (i != CB_ERR)
        SetCurSel(i);
    return i;
}

void CComboBox::ShowDropDown(BOOL bShow)
{
    if (auto* c = qobject_cast<QComboBox*>(m_widget)) {
        if (bShow)
            c->showPopup();
        else
            c->hidePopup();
    }
}

BOOL CComboBox::GetDroppedState() const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    return c && c->view() && c->view()->isVisible();
}

int CComboBox::SetDroppedWidth(UINT width)
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c || !c->view())
        return CB_ERR;
    c->view()->setMinimumWidth(static_cast<int>(width));
    return static_cast<int>(width);
}

int CComboBox::GetDroppedWidth() const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    return c && c->view() ? std::max(c->width(), c->view()->minimumWidth()) : CB_ERR;
}

int CComboBox::SetItemData(int index, DWORD data)
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    if (!c || index < 0 || index >= c->count())
        return CB_ERR;
    c->setItemData(index, data);
    return 0;
}

DWORD CComboBox::GetItemData(int index) const
{
    auto* c = qobject_cast<QComboBox*>(m_widget);
    return c ? c->itemData(index).toUInt() : 0;
}

QWidget* CListBox::CreateControlWidget(QWidget* parent, DWORD style)
{
    auto* l = new QListWidget(parent);
    l->setSelectionMode((style & LBS_EXTENDEDSEL) ? QAbstractItemView::ExtendedSelection
                                                  : QAbstractItemView::SingleSelection);
    return l;
}

void CListBox::ConnectControl()
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l)
        return;
    QObject::connect(l, &QListWidget::itemSelectionChanged, l, [this] {
        if (!m_programmatic)
            NotifyParent(LBN_SELCHANGE);
    });
    QObject::connect(l, &QListWidget::itemDoubleClicked, l, [this] { NotifyParent(LBN_DBLCLK); });
}

int CListBox::AddString(const std::string& text)
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l)
        return LB_ERR;
    l->addItem(Q(text));
    return l->count() - 1;
}

int CListBox::InsertString(int index, const std::string& text)
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l || index > l->count())
        return LB_ERR;
    if (index < 0)
        index = l->count();
    l->insertItem(index, Q(text));
    return index;
}

int CListBox::DeleteString(UINT index)
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l || static_cast<int>(index) >= l->count())
        return LB_ERR;
    m_programmatic = true;
    delete l->takeItem(static_cast<int>(index));
    m_programmatic = false;
    return l->count();
}

void CListBox::ResetContent()
{
    if (auto* l = qobject_cast<QListWidget*>(m_widget)) {
        m_programmatic = true;
        l->clear();
        m_programmatic = false;
    }
}

int CListBox::GetCount() const
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    return l ? l->count() : LB_ERR;
}

int CListBox::GetCurSel() const
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l || l->selectedItems().isEmpty())
        return LB_ERR;
    return l->currentRow();
}

int CListBox::SetCurSel(int index)
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l)
        return LB_ERR;
    m_programmatic = true;
    if (index < 0 || index >= l->count()) {
        l->clearSelection();
        m_programmatic = false;
        return LB_ERR;
    }
    l->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    m_programmatic = false;
    return index;
}

int CListBox::GetText(int index, std::string& text) const
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l || index < 0 || index >= l->count())
        return LB_ERR;
    text = l->item(index)->text().toStdString();
    return static_cast<int>(text.size());
}

std::string CListBox::GetText(int index) const
{
    std::string s;
    GetText(index, s);
    return s;
}

int CListBox::FindString(int nStartAfter, const std::string& prefix) const
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l)
        return LB_ERR;
    int n = l->count();
    for (int k = 1; k <= n; ++k) {
        int i = ((nStartAfter < 0 ? -1 : nStartAfter) + k) % n;
        if (StartsWithNoCase(l->item(i)->text(), Q(prefix)))
            return i;
    }
    return LB_ERR;
}

int CListBox::GetSel(int index) const
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    return l && index >= 0 && index < l->count() && l->item(index)->isSelected() ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL bSelect)
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l)
        return LB_ERR;
    m_programmatic = true;
    for (int i = 0; i < l->count(); ++i)
        if (index == -1 || i == index)
            l->item(i)->setSelected(bSelect);
    m_programmatic = false;
    return 0;
}

int CListBox::GetSelCount() const
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    return l ? static_cast<int>(l->selectedItems().size()) : LB_ERR;
}

std::vector<int> CListBox::GetSelItems() const
{
    std::vector<int> out;
    if (auto* l = qobject_cast<QListWidget*>(m_widget))
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->isSelected())
                out.push_back(i);
    return out;
}

int CListBox::SetItemData(int index, DWORD data)
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    if (!l || index < 0 || index >= l->count())
        return LB_ERR;
    l->item(index)->setData(Qt::UserRole, data);
    return 0;
}

DWORD CListBox::GetItemData(int index) const
{
    auto* l = qobject_cast<QListWidget*>(m_widget);
    return l && index >= 0 && index < l->count() ? l->item(index)->data(Qt::UserRole).toUInt() : 0;
}

QWidget* CSpinButtonCtrl::CreateControlWidget(QWidget* parent, DWORD)
{
    auto* w = new QWidget(parent);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(w);
    up->setArrowType(Qt::UpArrow);
    up->setObjectName("up");
    auto* down = new QToolButton(w);
    down->setArrowType(Qt::DownArrow);
    down->setObjectName("down");
    layout->addWidget(up);
    layout->addWidget(down);
    return w;
}

void CSpinButtonCtrl::ConnectControl()
{
    if (auto* up = m_widget->findChild<QToolButton*>("up"))
        QObject::connect(up, &QToolButton::clicked, up, [this] { Step(1); });
    if (auto* down = m_widget->findChild<QToolButton*>("down"))
        QObject::connect(down, &QToolButton::clicked, down, [this] { Step(-1); });
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    m_lower = nLower;
    m_upper = nUpper;
}

void CSpinButtonCtrl::GetRange32(int& nLower, int& nUpper) const
{
    nLower = m_lower;
    nUpper = m_upper;
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    int old = m_pos;
    m_pos = std::clamp(nPos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    if (m_buddy)
        m_buddy->SetWindowText(std::to_string(m_pos));
    return old;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    CWnd* old = m_buddy;
    m_buddy = pWndBuddy;
    return old;
}

void CSpinButtonCtrl::Step(int delta)
{
    // The buddy's text is the position the user may have typed.
    if (m_buddy) {
        char* end = nullptr;
        std::string t = m_buddy->GetWindowText();
        long v = std::strtol(t.c_str(), &end, 10);
        if (end && end != t.c_str())
            m_pos = static_cast<int>(v);
    }
    SetPos(m_pos + (m_upper >= m_lower ? delta : -delta));
    if (CWnd* p = GetParent())
        p->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, m_pos & 0xFFFF),
                       reinterpret_cast<LPARAM>(this));
}

QWidget* CProgressCtrl::CreateControlWidget(QWidget* parent, DWORD)
{
    auto* p = new QProgressBar(parent);
    p->setTextVisible(false);
    return p;
}

void CProgressCtrl::ConnectControl()
{
    Show();
}

void CProgressCtrl::Show()
{
    if (auto* p = qobject_cast<QProgressBar*>(m_widget)) {
        p->setRange(m_lower, std::max(m_lower, m_upper));
        p->setValue(m_pos);
    }
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    m_lower = nLower;
    m_upper = nUpper;
    m_pos = std::clamp(m_pos, m_lower, std::max(m_lower, m_upper));
    Show();
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_lower;
    nUpper = m_upper;
}

int CProgressCtrl::SetPos(int nPos)
{
    int old = m_pos;
    m_pos = std::clamp(nPos, m_lower, std::max(m_lower, m_upper));
    Show();
    return old;
}

int CProgressCtrl::OffsetPos(int nPos)
{
    return SetPos(m_pos + nPos);
}

int CProgressCtrl::SetStep(int nStep)
{
    std::swap(m_step, nStep);
    return nStep;
}

int CProgressCtrl::StepIt()
{
    int old = m_pos;
    int next = m_pos + m_step;
    if (next > m_upper)
        next = m_lower + (next - m_upper) - 1;
    m_pos = std::clamp(next, m_lower, std::max(m_lower, m_upper));
    Show();
    return old;
}

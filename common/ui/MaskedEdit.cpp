// COXMaskedEdit: mask positions, typing, deleting and pasting under the
// mask, and text set from outside.
#include "common/ui/MaskedEdit.h"

#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"

#include <QLocale>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>
#include <cctype>

namespace common {

namespace {

// The first separator character of a locale format, if it is plain ASCII.
char SeparatorOf(const QString& format, char fallback)
{
    for (QChar c : format)
        if (!c.isLetterOrNumber() && c != QLatin1Char('\'') && !c.isSpace())
            return c.unicode() < 128 ? static_cast<char>(c.unicode()) : fallback;
    return fallback;
}

char AsciiOr(QString s, char fallback)
{
    return (s.size() == 1 && s[0].unicode() < 128 && s[0].unicode() >= 32) ? static_cast<char>(s[0].unicode())
                                                                           : fallback;
}

} // namespace

bool CMaskData::Accepts(char c) const
{
    const int u = static_cast<unsigned char>(c);
    switch (kind) {
    case kDigit:
        return std::isdigit(u);
    case kAlphaNumeric:
        return std::isalnum(u);
    case kAlpha:
    case kUpper:
    case kLower:
        return std::isalpha(u);
    case kCharacter:
        return u >= 32 && u <= 126;
    default:
        return false;
    }
}

char CMaskData::Stored(char c) const
{
    const int u = static_cast<unsigned char>(c);
    if (kind == kUpper)
        return static_cast<char>(std::toupper(u));
    if (kind == kLower)
        return static_cast<char>(std::tolower(u));
    return c;
}

COXMaskedEdit::COXMaskedEdit(const std::string& mask)
{
    const QLocale locale;
    m_chDecimal = AsciiOr(locale.decimalPoint(), '.');
    m_chThousands = AsciiOr(locale.groupSeparator(), ',');
    m_chTime = SeparatorOf(locale.timeFormat(QLocale::ShortFormat), ':');
    m_chDate = SeparatorOf(locale.dateFormat(QLocale::ShortFormat), '/');
    SetMask(mask);
}

void COXMaskedEdit::SetMask(const std::string& mask)
{
    if (m_listData.empty() && m_hWnd)
        ApplyWindowText("");
    m_listData.clear();
    for (std::size_t i = 0; i < mask.size(); ++i) {
        CMaskData d;
        switch (mask[i]) {
        case '.':
            d = {CMaskData::kDecimal, m_chDecimal};
            break;
        case ',':
            d = {CMaskData::kThousands, m_chThousands};
            break;
        case ':':
            d = {CMaskData::kTime, m_chTime};
            break;
        case '/':
            d = {CMaskData::kDate, m_chDate};
            break;
        case '#':
            d = {CMaskData::kDigit, m_chPromptSymbol};
            break;
        case 'A':
            d = {CMaskData::kAlphaNumeric, m_chPromptSymbol};
            break;
        case '?':
            d = {CMaskData::kAlpha, m_chPromptSymbol};
            break;
        case '>':
            d = {CMaskData::kUpper, m_chPromptSymbol};
            break;
        case '<':
            d = {CMaskData::kLower, m_chPromptSymbol};
            break;
        case '&':
            d = {CMaskData::kCharacter, m_chPromptSymbol};
            break;
        case '\\':
            d = {CMaskData::kQuoted, i + 1 < mask.size() ? mask[++i] : '\0'};
            break;
        default:
            d = {CMaskData::kLiteral, mask[i]};
            break;
        }
        m_listData.push_back(d);
    }
    Update(NextInput(0));
}

std::string COXMaskedEdit::MaskText() const
{
    std::string text;
    for (const CMaskData& d : m_listData)
        if (d.ch)
            text += d.ch;
    return text;
}

// Shows the positions' characters as the window text and puts the caret.
void COXMaskedEdit::Update(int caret)
{
    if (!m_hWnd)
        return;
    const std::string text = MaskText();
    if (text != GetWindowText()) {
        CWnd* parent = GetParent();
        if (m_bNotifyParent && parent)
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_UPDATE),
                                reinterpret_cast<LPARAM>(this));
        // Stored directly: a nested WM_SETTEXT would count as the default
        // handling of the key being handled, and the edit would apply it
        // again. The edit tells the parent EN_CHANGE unless blocked.
        ++m_nSetTextSemaphore;
        QSignalBlocker block(m_bNotifyParent ? nullptr : m_widget);
        ApplyWindowText(text);
        --m_nSetTextSemaphore;
    }
    if (caret >= 0) {
        SetSel(caret, caret);
    }
}

BOOL COXMaskedEdit::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                           const CRect& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CEdit::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    if (!m_listData.empty())
        Update(NextInput(0));
    return TRUE;
}

void COXMaskedEdit::PreSubclassWindow()
{
    if (!m_listData.empty())
        Update(NextInput(0));
}

int COXMaskedEdit::NextInput(int pos) const
{
    const int n = static_cast<int>(m_listData.size());
    for (int i = std::max(pos, 0); i < n; ++i)
        if (m_listData[i].IsInput())
            return i;
    return n;
}

int COXMaskedEdit::PrevInput(int pos) const
{
    for (int i = std::min(pos, static_cast<int>(m_listData.size())) - 1; i >= 0; --i)
        if (m_listData[i].IsInput())
            return i;
    return NextInput(0);
}

void COXMaskedEdit::MoveCaret(int pos, bool forward)
{
    if (forward && m_bAutoTab && pos >= static_cast<int>(m_listData.size()) && GetParent()) {
        if (auto* dlg = dynamic_cast<CDialog*>(GetParent())) {
            dlg->NextDlgCtrl();
            return;
        }
    }
    SetSel(pos, pos);
}

std::string COXMaskedEdit::GetInputData() const
{
    if (m_listData.empty())
        return GetWindowText();
    std::string data;
    for (const CMaskData& d : m_listData)
        if (d.IsInput())
            data += d.ch;
    return data;
}

BOOL COXMaskedEdit::SetInputData(const std::string& text, int nBeginPos, BOOL bAllowPrompt)
{
    std::string work = GetInputData().substr(0, static_cast<std::size_t>(std::max(nBeginPos, 0)));
    for (char c : text)
        if (bAllowPrompt || c != m_chPromptSymbol)
            work += c;
    BOOL ok = TRUE;
    std::size_t next = 0;
    for (CMaskData& d : m_listData) {
        if (!d.IsInput())
            continue;
        d.ch = m_chPromptSymbol;
        while (next < work.size()) {
            const char c = work[next++];
            if (c == m_chPromptSymbol)
                break;
            if (d.Accepts(c)) {
                d.ch = d.Stored(c);
                break;
            }
            ok = FALSE;
        }
    }
    Update();
    return ok;
}

BOOL COXMaskedEdit::SetPromptSymbol(char symbol)
{
    if (symbol == 0 || symbol == '\r' || symbol == '\n' || symbol == 127)
        return FALSE;
    for (CMaskData& d : m_listData)
        if (d.IsInput() && d.ch == m_chPromptSymbol)
            d.ch = symbol;
    m_chPromptSymbol = symbol;
    Update();
    return TRUE;
}

BOOL COXMaskedEdit::IsEmpty() const
{
    if (m_listData.empty())
        return GetWindowText().empty();
    return std::all_of(m_listData.begin(), m_listData.end(),
                       [this](const CMaskData& d) { return !d.IsInput() || d.ch == m_chPromptSymbol; });
}

void COXMaskedEdit::DeleteRange(int start, int end)
{
    std::vector<int> inputs;
    for (int i = 0; i < static_cast<int>(m_listData.size()); ++i)
        if (m_listData[i].IsInput())
            inputs.push_back(i);
    // The characters after the range move back into the freed positions.
    std::vector<char> kept;
    for (int i : inputs)
        if (i < start || i >= end)
            kept.push_back(m_listData[i].ch);
    std::size_t k = 0;
    for (int i : inputs) {
        if (i < start) {
            ++k;
            continue;
        }
        // A character that the new position does not take leaves a prompt.
        while (k < kept.size() && !m_listData[i].Accepts(kept[k]) && kept[k] != m_chPromptSymbol)
            ++k;
        m_listData[i].ch = k < kept.size() ? m_listData[i].Stored(kept[k++]) : m_chPromptSymbol;
    }
}

bool COXMaskedEdit::InsertAt(int pos, char c)
{
    const std::vector<CMaskData> saved = m_listData;
    if (!m_listData[pos].Accepts(c))
        return false;
    if (!m_bInsertMode) {
        m_listData[pos].ch = m_listData[pos].Stored(c);
        return true;
    }
    // Shift the following input characters one input position on.
    char carry = m_listData[pos].Stored(c);
    for (int i = pos; i < static_cast<int>(m_listData.size()); ++i) {
        CMaskData& d = m_listData[i];
        if (!d.IsInput())
            continue;
        if (carry != m_chPromptSymbol && !d.Accepts(carry)) {
            m_listData = saved;
            return false;
        }
        std::swap(carry, d.ch);
        if (carry == m_chPromptSymbol)
            break; // an empty position took the last one
    }
    return true;
}

void COXMaskedEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_listData.empty()) {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    int start = 0, end = 0;
    GetSel(start, end);
    if (nChar == VK_BACK) {
        int caret = start;
        if (start != end) {
            DeleteRange(start, end);
        } else {
            caret = PrevInput(start);
            if (caret < start)
                DeleteRange(caret, caret + 1);
        }
        Update(caret);
        return;
    }
    if (nChar < 32 || nChar > 255) {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    const char c = static_cast<char>(nChar);
    if (start != end) {
        const std::vector<CMaskData> saved = m_listData;
        DeleteRange(start, end);
        const int pos = NextInput(start);
        const BOOL keepMode = m_bInsertMode;
        m_bInsertMode = TRUE;
        const bool ok = pos < static_cast<int>(m_listData.size()) && InsertAt(pos, c);
        m_bInsertMode = keepMode;
        if (!ok) {
            m_listData = saved;
            OnValidateFailed();
            Update(start);
            return;
        }
        Update();
        MoveCaret(NextInput(pos + 1), true);
        return;
    }
    if (start >= static_cast<int>(m_listData.size()) || !m_listData[start].IsInput()) {
        OnValidateFailed();
        MoveCaret(NextInput(start), true);
        return;
    }
    if (!InsertAt(start, c)) {
        OnValidateFailed();
        return;
    }
    Update();
    MoveCaret(NextInput(start + 1), true);
}

void COXMaskedEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_listData.empty()) {
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    int start = 0, end = 0;
    GetSel(start, end);
    switch (nChar) {
    case VK_DELETE:
        if (shift && start != end) { // cut
            platform::SetClipboardText(GetWindowText().substr(start, end - start));
        }
        DeleteRange(start, start != end ? end : start + 1);
        Update(start);
        return;
    case VK_INSERT:
        if (shift)
            break; // paste, below
        if (ctrl) {
            CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
            return;
        }
        m_bInsertMode = !m_bInsertMode;
        return;
    case VK_HOME:
        if (!shift) {
            SetSel(NextInput(0), NextInput(0));
            return;
        }
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (!shift) {
            MoveCaret(NextInput(end + (start == end ? 1 : 0)), true);
            return;
        }
        break;
    case VK_LEFT:
    case VK_UP:
        if (!shift) {
            SetSel(PrevInput(start), PrevInput(start));
            return;
        }
        break;
    case 'X':
        if (ctrl) {
            platform::SetClipboardText(GetWindowText().substr(start, end - start));
            DeleteRange(start, end);
            Update(start);
            return;
        }
        break;
    case 'V':
        if (ctrl)
            break; // paste, below
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    default:
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if ((nChar == 'V' && ctrl) || (nChar == VK_INSERT && shift)) {
        // The clipboard text replaces the selection; the result is read back
        // into the input positions.
        std::string text = GetWindowText();
        text.replace(start, end - start, platform::GetClipboardText());
        SetInputData(text, 0, FALSE);
        int caret = start;
        while (caret < static_cast<int>(m_listData.size()) &&
               !(m_listData[caret].IsInput() && m_listData[caret].ch == m_chPromptSymbol))
            ++caret;
        SetSel(caret, caret);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT COXMaskedEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && m_nSetTextSemaphore == 0 && !m_listData.empty()) {
        // A text from outside: the mask's literals at their places are taken
        // out, the rest fills the input positions.
        const std::string in = lParam ? reinterpret_cast<const char*>(lParam) : "";
        std::string rest;
        for (std::size_t i = 0; i < in.size(); ++i) {
            const bool literal =
                i < m_listData.size() && !m_listData[i].IsInput() && m_listData[i].ch == in[i];
            if (!literal)
                rest += in[i];
        }
        m_bNotifyParent = false;
        SetInputData(rest, 0, TRUE);
        m_bNotifyParent = true;
        return TRUE;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void COXMaskedEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    if (m_listData.empty())
        return;
    int start = 0, end = 0;
    GetSel(start, end);
    if (start == 0 && end == static_cast<int>(MaskText().size()))
        SetSel(NextInput(0), NextInput(0));
}

void COXMaskedEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_listData.empty() && GetFocus() != this && IsEmpty()) {
        SetFocus();
        SetSel(NextInput(0), NextInput(0));
        return;
    }
    CEdit::OnLButtonDown(nFlags, point);
}

void COXMaskedEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    CWnd* parent = GetParent();
    if (!parent)
        return;
    MaskEditValidate v;
    v.hdr.hwndFrom = this;
    v.hdr.idFrom = GetDlgCtrlID();
    v.hdr.code = OXMEN_VALIDATE;
    parent->SendMessage(WM_NOTIFY, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&v));
    const BOOL valid = v.bDefaultValidation ? OnValidate() : v.bValid;
    if (!valid) {
        SetFocus();
        OnValidateFailed();
        SetSel(v.nPosition, v.nPosition);
    }
}

} // namespace common

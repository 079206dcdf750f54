// The in-place editors of the grid and the character filter of the numeric
// editor kinds.
#include "common/ui/GridInPlaceEdit.h"

#include "common/ui/GridCtrl.h"
#include "platform/ui/MessageBox.h"

#include "platform/ui/SysColor.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cctype>

namespace common {

namespace {
constexpr UINT kResizeMessage = WM_USER + 0x101;

bool IsE(char c)
{
    return c == 'e' || c == 'E';
}

// Every key goes to the open editor, as its own message pre-translation made
// it: no accelerator of the window (Ins inserting a row, Del deleting one)
// acts on the table while a cell is being edited.
class KeysToEditor : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        return QObject::eventFilter(watched, e);
    }
};
} // namespace

bool NumEditAccepts(int kind, const std::string& text, int caret, bool wholeSelected, UINT ch)
{
    if (ch == VK_BACK || kind == 4 || kind < 0 || kind > 4)
        return true;
    if (ch < 128 && std::isdigit(static_cast<int>(ch)))
        return true;
    if (kind == 3)
        return false;
    if (kind == 2)
        return ch == '-';
    const int p = std::clamp(caret, 0, static_cast<int>(text.size()));
    const bool hasE = text.find_first_of("eE") != std::string::npos;
    switch (ch) {
    case '-':
        if (p > 0)
            return IsE(text[p - 1]) || (kind == 0 && wholeSelected);
        return kind == 0 && (text.empty() || text[0] != '-');
    case 'e':
    case 'E':
        if (p == 0 || (p == 1 && text[0] == '-'))
            return false;
        return !hasE;
    case '.':
        if (wholeSelected)
            return true;
        if (text.find('.') != std::string::npos)
            return false;
        if (text.empty())
            return true;
        return text.substr(0, p).find_first_of("eE") == std::string::npos;
    default:
        return false;
    }
}

bool NumEditAcceptsText(int kind, const std::string& text)
{
    std::string typed;
    for (char c : text) {
        const UINT ch = static_cast<unsigned char>(c);
        if (ch == VK_BACK || !NumEditAccepts(kind, typed, static_cast<int>(typed.size()), false, ch))
            return false;
        typed += c;
    }
    return true;
}

bool CNumEdit::Accepts(UINT nChar) const
{
    const std::string text = GetWindowText();
    int start = 0, end = 0;
    GetSel(start, end);
    const bool whole = !text.empty() && start == 0 && end == static_cast<int>(text.size());
    return NumEditAccepts(m_kind, text, GetCaretIndex(), whole, nChar);
}

void CNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!Accepts(nChar)) {
        OnInvalidChar(nChar);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CNumEdit::ApplyChar(UINT nChar)
{
    if (!Accepts(nChar)) {
        OnInvalidChar(nChar);
        return FALSE;
    }
    if (nChar == VK_BACK) {
        int start = 0, end = 0;
        GetSel(start, end);
        std::string text = GetWindowText();
        if (start == end && start > 0)
            --start;
        text.erase(start, end - start);
        SetWindowText(text);
        SetSel(start, start);
        return TRUE;
    }
    ReplaceSel(std::string(1, static_cast<char>(nChar)));
    return TRUE;
}

void SendEndEdit(CWnd* editor, CWnd* grid, int row, int col, const std::string& text, UINT key)
{
    GridDispInfo info;
    info.hdr.hwndFrom = editor;
    info.hdr.idFrom = editor->GetDlgCtrlID();
    info.hdr.code = GVN_ENDEDIT;
    info.item.row = row;
    info.item.col = col;
    info.item.mask = GVIF_TEXT | GVIF_PARAM;
    info.item.text = text;
    info.item.data = key;
    if (grid && grid->GetSafeHwnd())
        grid->SendMessage(WM_NOTIFY, editor->GetDlgCtrlID(), reinterpret_cast<LPARAM>(&info));
}

CGridInPlaceEdit::CGridInPlaceEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow,
                                   int nColumn, const std::string& sInitText, UINT nFirstChar, int kind)
    : m_pGrid(pParent), m_nRow(nRow), m_nColumn(nColumn), m_sInitText(sInitText)
{
    SetMode(kind);
    const CRect r(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, r, pParent, nID);
    if (QWidget* w = GetWidget())
        w->installEventFilter(new KeysToEditor(w));
    SetFont(pParent->GetFont());
    SetWindowText(sInitText);
    ResizeToText();
    SetFocus();
    const int len = static_cast<int>(sInitText.size());
    if (nFirstChar == 1 || nFirstChar == VK_RETURN) {
        SetSel(len, len);
    } else if (nFirstChar == VK_BACK) {
        SetSel(len, len);
        ApplyChar(VK_BACK);
    } else if (nFirstChar >= VK_SPACE && nFirstChar <= VK_DOWN) {
        SetSel(0, -1);
    } else {
        SetSel(0, -1);
        ApplyChar(nFirstChar);
    }
    ResizeToText();
}

void CGridInPlaceEdit::ResizeToText()
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const int width = dc.GetTextExtent(GetWindowText()).cx;
    if (old)
        dc.SelectObject(old);
    CRect rect, parent;
    GetWindowRect(&rect);
    GetParent()->ScreenToClient(&rect);
    GetParent()->GetClientRect(&parent);
    if (width + 7 > rect.Width()) {
        rect.right = std::min(parent.right, rect.left + width + 7);
        MoveWindow(rect);
    }
}

void CGridInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool navigation = nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT || nChar == VK_UP ||
                            nChar == VK_RIGHT || nChar == VK_DOWN;
    if (nChar == VK_RETURN || (navigation && (ctrl || m_bExitOnArrows))) {
        if (Refused())
            return;
        m_nLastChar = nChar;
        m_pGrid->SetFocus();
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        m_nLastChar = nChar;
        m_pGrid->SetFocus();
        return;
    }
    if (nChar == VK_TAB)
        return; // acted on when the key is released
    CNumEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGridInPlaceEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        m_nLastChar = nChar;
        m_pGrid->SetFocus();
        return;
    }
    if (nChar == VK_TAB) {
        if (Refused())
            return;
        m_nLastChar = nChar;
        CWnd* grid = m_pGrid;
        grid->SetFocus();
        grid->PostMessage(WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    CNumEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CGridInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE)
        return;
    CNumEdit::OnChar(nChar, nRepCnt, nFlags);
    PostMessage(kResizeMessage);
}

LRESULT CGridInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kResizeMessage) {
        ResizeToText();
        return 0;
    }
    return CNumEdit::WindowProc(message, wParam, lParam);
}

// Keys go to the edit itself, so that the dialog does not take Enter, Esc
// or Tab; system characters are swallowed.
BOOL CGridInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == this && pMsg->message == WM_SYSCHAR)
        return TRUE;
    return FALSE;
}

void CGridInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CNumEdit::OnKillFocus(pNewWnd);
    // The focus leaving for a refusal's message, or after Esc, ends nothing.
    if (m_bChecking)
        return;
    if (m_nLastChar != VK_ESCAPE && Refused())
        return;
    EndEdit();
}

bool CGridInPlaceEdit::Refused()
{
    auto* grid = dynamic_cast<CGridCtrl*>(m_pGrid);
    if (m_bEnded || m_bChecking || !grid || !grid->m_entryCheck)
        return false;
    const std::string message = grid->m_entryCheck(m_nRow, m_nColumn, GetWindowText());
    if (message.empty())
        return false;
    m_bChecking = true;
    std::shared_ptr<bool> alive = Alive();
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    if (!*alive)
        return true;
    m_bChecking = false;
    SetFocus();
    SetSel(0, -1);
    return true;
}

void CGridInPlaceEdit::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    std::shared_ptr<bool> alive = Alive();
    SendEndEdit(this, GetOwner(), m_nRow, m_nColumn, GetWindowText(), m_nLastChar);
    if (*alive)
        PostMessage(WM_CLOSE);
}

void CGridInPlaceEdit::PostNcDestroy()
{
    CNumEdit::PostNcDestroy();
    DeleteWindowLater(this);
}

CGridInPlaceList::CGridInPlaceList(CWnd* pParent, CRect rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                                   const std::vector<std::string>& items, const std::string& sInitText,
                                   UINT nFirstChar, int)
    : m_pGrid(pParent), m_sInitText(sInitText), m_nRow(nRow), m_nColumn(nColumn)
{
    const int cellHeight = rect.Height();
    rect.bottom += cellHeight * m_nNumLines + GetSystemMetrics(SM_CYHSCROLL);
    Create(nullptr, "",
           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | CBS_AUTOHSCROLL | CBS_DROPDOWNLIST | dwStyle,
           CRect(rect.left, rect.top, rect.right + 1, rect.top + cellHeight + 1), pParent, nID);
    CFont* font = pParent->GetFont();
    SetFont(font);
    CClientDC dc(this);
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    int widest = 0;
    for (const std::string& item : items) {
        AddString(item);
        widest = std::max(widest, dc.GetTextExtent(item).cx);
    }
    const int dropWidth = widest + GetSystemMetrics(SM_CXVSCROLL) + 2 * dc.GetTextExtent(" ").cx;
    if (old)
        dc.SelectObject(old);
    if (dropWidth > rect.Width())
        rect.right = rect.left + dropWidth;
    rect.InflateRect(2, 2);
    MoveWindow(rect.left, rect.top, rect.Width(), cellHeight + 4);
    SetDroppedWidth(static_cast<UINT>(dropWidth));
    if (SelectString(-1, sInitText) == CB_ERR || sInitText.empty())
        SetCurSel(-1);
    SetFocus();
    if (nFirstChar > VK_DOWN || (nFirstChar > 1 && nFirstChar < VK_SPACE)) {
        // A typed character selects the next item that begins with it.
        const std::string prefix(1, static_cast<char>(nFirstChar));
        const int found = FindString(GetCurSel(), prefix);
        if (found != CB_ERR)
            SetCurSel(found);
    }
    ShowDropDown(TRUE);
}

void CGridInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool navigation = nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT || nChar == VK_UP ||
                            nChar == VK_RIGHT || nChar == VK_DOWN;
    if (nChar == VK_RETURN || (navigation && (ctrl || m_bExitOnArrows))) {
        m_nLastChar = nChar;
        m_pGrid->SetFocus();
        return;
    }
    if (nChar == VK_TAB || nChar == VK_ESCAPE)
        return; // acted on when the key is released
    CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGridInPlaceList::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        if (SelectString(-1, m_sInitText) == CB_ERR || m_sInitText.empty())
            SetCurSel(-1);
    }
    if (nChar == VK_TAB || nChar == VK_ESCAPE) {
        m_nLastChar = nChar;
        m_pGrid->SetFocus();
        return;
    }
    CComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CGridInPlaceList::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    // The open drop-down (none of our windows) takes the keyboard while the
    // list keeps the edit.
    if (pNewWnd == this || (!pNewWnd && QApplication::activePopupWidget()))
        return;
    EndEdit();
}

void CGridInPlaceList::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    const int sel = GetCurSel();
    const std::string text = sel >= 0 ? GetLBText(sel) : std::string();
    std::shared_ptr<bool> alive = Alive();
    ShowDropDown(FALSE);
    SendEndEdit(this, GetOwner(), m_nRow, m_nColumn, text, m_nLastChar);
    if (*alive)
        PostMessage(WM_CLOSE);
}

void CGridInPlaceList::PostNcDestroy()
{
    CComboBox::PostNcDestroy();
    DeleteWindowLater(this);
}

int CHorzExtentListBox::AddString(const std::string& text)
{
    const int index = CListBox::AddString(text);
    if (index < 0)
        return index;
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const int width = dc.GetTextExtent(text).cx + 3 * GetSystemMetrics(SM_CXBORDER);
    if (old)
        dc.SelectObject(old);
    if (width > m_nMaxWidth) {
        m_nMaxWidth = width;
        SetHorizontalExtent(width);
    }
    return index;
}

void CHorzExtentListBox::ResetContent()
{
    CListBox::ResetContent();
    m_nMaxWidth = 0;
}

} // namespace common

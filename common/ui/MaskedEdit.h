// COXMaskedEdit: an edit control that takes input only in the positions its
// mask defines ("#" digit, "A" letter or digit, "?" letter, ">" upper-case
// letter, "<" lower-case letter, "&" any printable), shows the literal
// characters of the mask in the other positions (".", ",", ":" and "/" are
// the locale's separators, "\" quotes the next character) and a prompt
// symbol in empty input positions, and keeps the caret on input positions.
#pragma once
#include "platform/ui/Controls.h"

#include <string>
#include <vector>

namespace common {

struct CMaskData {
    enum Kind {
        kDecimal = 0,
        kThousands = 1,
        kTime = 2,
        kDate = 3,
        kDigit = 4,
        kAlphaNumeric = 5,
        kAlpha = 6,
        kUpper = 7,
        kLower = 8,
        kCharacter = 9,
        kQuoted = 10,
        kLiteral = 11,
    };
    int kind = kLiteral;
    char ch = 0;
    bool IsInput() const { return kind >= kDigit && kind <= kCharacter; }
    // Whether an input position takes c, and the character stored for it.
    bool Accepts(char c) const;
    char Stored(char c) const;
};

// The record sent to the parent (WM_NOTIFY, code OXMEN_VALIDATE) when the
// control loses the focus.
struct MaskEditValidate {
    NMHDR hdr;
    BOOL bDefaultValidation = TRUE;
    BOOL bValid = TRUE;
    int nPosition = 0;
};
enum : int { OXMEN_VALIDATE = 0x8136 };

class COXMaskedEdit : public CEdit {
  public:
    explicit COXMaskedEdit(const std::string& mask = {});

    void SetMask(const std::string& mask);
    std::string GetInputData() const;
    BOOL SetInputData(const std::string& text, int nBeginPos = 0, BOOL bAllowPrompt = TRUE);
    BOOL SetPromptSymbol(char symbol);
    char GetPromptSymbol() const { return m_chPromptSymbol; }
    void SetInsertMode(BOOL bInsertMode) { m_bInsertMode = bInsertMode; }
    BOOL GetInsertMode() const { return m_bInsertMode; }
    void SetAutoTab(BOOL bAutoTab) { m_bAutoTab = bAutoTab; }
    BOOL IsEmpty() const;
    virtual void OnValidateFailed() { MessageBeep(MB_ICONEXCLAMATION); }
    virtual BOOL OnValidate() { return TRUE; }

    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const CRect& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

  protected:
    void PreSubclassWindow() override;

  private:
    std::string MaskText() const;
    void Update(int caret = -1);
    int NextInput(int pos) const;
    int PrevInput(int pos) const;
    void MoveCaret(int pos, bool forward);
    // Removes the input characters of [start, end) and closes the gap.
    void DeleteRange(int start, int end);
    bool InsertAt(int pos, char c);

    std::vector<CMaskData> m_listData;
    BOOL m_bInsertMode = TRUE;
    char m_chPromptSymbol = ' ';
    char m_chDecimal = '.', m_chThousands = ',', m_chTime = ':', m_chDate = '/';
    BOOL m_bAutoTab = FALSE;
    int m_nSetTextSemaphore = 0;
    bool m_bNotifyParent = true; // false while a text from outside is applied
};

} // namespace common

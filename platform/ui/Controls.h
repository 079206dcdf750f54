// The standard controls in use: static texts, edits, buttons (push, check,
// radio, group box), combo boxes, list boxes, spin buttons and progress bars.
// Each is a window over a Qt control; user actions reach the parent as the
// WM_COMMAND notifications the dialogs handle (BN_CLICKED, EN_CHANGE...).
#pragma once
#include "platform/ui/Wnd.h"

#include <string>
#include <vector>

enum : int { CB_ERR = -1, LB_ERR = -1 };

// Only a type here: the windows' scroll bars are their own (WS_HSCROLL,
// WS_VSCROLL), and scroll messages from them carry no scroll-bar object.
class CScrollBar : public CWnd {};

class CStatic : public CWnd {
  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
    void SetNativeText(const std::string& text) override;
    std::string GetNativeText() const override;
};

class CButton : public CWnd {
  public:
    int GetCheck() const { return QueryCheck(); }
    void SetCheck(int nCheck) { ApplyCheck(nCheck); }

  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
    void ConnectControl() override;
    void SetNativeText(const std::string& text) override;
    std::string GetNativeText() const override;
    void ApplyCheck(int check) override;
    int QueryCheck() const override;
};

class CEdit : public CWnd {
  public:
    void SetSel(int nStart, int nEnd, BOOL bNoScroll = FALSE);
    void GetSel(int& nStart, int& nEnd) const;
    void ReplaceSel(const std::string& text, BOOL bCanUndo = FALSE);
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax) { LimitText(static_cast<int>(nMax)); }
    UINT GetLimitText() const { return static_cast<UINT>(m_limit); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    // Character index of the caret.
    int GetCaretIndex() const;

    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;

  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
    void ConnectControl() override;
    void SetNativeText(const std::string& text) override;
    std::string GetNativeText() const override;

  private:
    int m_limit = 0;
};

// A rich-text control (read-only with ES_READONLY), without line wrapping.
// Program classes adopt it from a dialog template and fill it.
class CRichEditCtrl : public CWnd {
  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
};

class CComboBox : public CWnd {
  public:
    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    // Items beginning with the text (case-insensitive), searched after
    // nStartAfter (-1: from the start) and wrapping round.
    int FindString(int nStartAfter, const std::string& prefix) const;
    int FindStringExact(int nStartAfter, const std::string& text) const;
    int SelectString(int nStartAfter, const std::string& prefix);
    void ShowDropDown(BOOL bShow = TRUE);
    BOOL GetDroppedState() const;
    int SetDroppedWidth(UINT width);
    int GetDroppedWidth() const;
    int SetItemData(int index, DWORD data);
    DWORD GetItemData(int index) const;

  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
    void ConnectControl() override;
    void SetNativeText(const std::string& text) override;
    std::string GetNativeText() const override;
};

class CListBox : public CWnd {
  public:
    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, std::string& text) const;
    std::string GetText(int index) const;
    int FindString(int nStartAfter, const std::string& prefix) const;
    int GetSel(int index) const;
    int SetSel(int index, BOOL bSelect = TRUE);
    int GetSelCount() const;
    std::vector<int> GetSelItems() const;
    void SetHorizontalExtent(int) {}
    int SetItemData(int index, DWORD data);
    DWORD GetItemData(int index) const;

  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
    void ConnectControl() override;

  private:
    bool m_programmatic = false;
};

// Up/down arrows that step an integer and write it into their buddy.
class CSpinButtonCtrl : public CWnd {
  public:
    void SetRange(int nLower, int nUpper) { SetRange32(nLower, nUpper); }
    void SetRange32(int nLower, int nUpper);
    void GetRange32(int& nLower, int& nUpper) const;
    int SetPos(int nPos);
    int GetPos() const { return m_pos; }
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const { return m_buddy; }
    void Step(int delta);

  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
    void ConnectControl() override;

  private:
    int m_lower = 0, m_upper = 100, m_pos = 0;
    CWnd* m_buddy = nullptr;
};

class CProgressCtrl : public CWnd {
  public:
    void SetRange(short nLower, short nUpper) { SetRange32(nLower, nUpper); }
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos);
    int GetPos() const { return m_pos; }
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    // Advances by the step; past the upper end it starts again at the lower.
    int StepIt();

  protected:
    QWidget* CreateControlWidget(QWidget* parent, DWORD style) override;
    bool AdoptsControls() const override { return true; }
    void ConnectControl() override;

  private:
    void Show();
    int m_lower = 0, m_upper = 100, m_pos = 0, m_step = 10;
};

// Dialogs built from declarative templates (platform::Resources), with the
// framework's dialog data exchange and validation: a value that does not
// parse or lies outside its range shows the standard message, the control
// takes the focus and the dialog stays open.
#pragma once
#include "platform/ui/Controls.h"

#include <memory>
#include <string>
#include <vector>

class QEventLoop;
class QGridLayout;
class QMenuBar;
class QVBoxLayout;

namespace platform {
struct DialogTemplate;
}

// Thrown by CDataExchange::Fail; UpdateData catches it.
struct CUserException {};

// String ids under which a language table may replace the validation texts.
enum : UINT {
    AFX_IDP_PARSE_INT = 0xF110,
    AFX_IDP_PARSE_REAL = 0xF111,
    AFX_IDP_PARSE_INT_RANGE = 0xF112,
    AFX_IDP_PARSE_REAL_RANGE = 0xF113,
    AFX_IDP_PARSE_STRING_SIZE = 0xF114,
    AFX_IDP_PARSE_UINT = 0xF118,
};

class CDataExchange {
  public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    CWnd* PrepareCtrl(UINT nIDC);
    CWnd* PrepareEditCtrl(UINT nIDC);
    // Gives the last control the focus (selecting an edit's text) and throws.
    [[noreturn]] void Fail();
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, UINT nIDC, std::string& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, int& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, long& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, double& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, float& value);
void DDX_Check(CDataExchange* pDX, UINT nIDC, int& value);
// The index of the checked button of the radio group starting at nIDC, -1
// for none.
void DDX_Radio(CDataExchange* pDX, UINT nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, UINT nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, UINT nIDC, std::string& value);
void DDX_LBIndex(CDataExchange* pDX, UINT nIDC, int& index);
// Binds a window object to the control (once).
void DDX_Control(CDataExchange* pDX, UINT nIDC, CWnd& rControl);

// The framework's texts for a number that does not parse or lies outside
// its range (a language table may replace them), for checks of entries
// outside dialogs.
std::string ParseRealMessage();
std::string RealRangeMessage(double minVal, double maxVal, int digits);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
// Also limits the edit to nChars characters when the dialog is filled.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);

class CDialog : public CWnd {
  public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog; returns its result (-1 when the
    // template is missing).
    virtual int DoModal();
    // A modeless dialog.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);
    void NextDlgCtrl();
    void PrevDlgCtrl();
    void GotoDlgCtrl(CWnd* pWndCtrl);

    // As a click of the button by the user (scripts and tests).
    void ClickButton(UINT nID);
    bool IsEnded() const { return m_ended; }
    int GetResult() const { return m_nModalResult; }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs a command of the dialog's menu, accelerators or toolbar as the
    // user's choice would: nothing when its update handler disables it.
    // TRUE when the command ran.
    BOOL ExecuteCommand(UINT nID);

    UINT m_nIDHelp = 0;
    // The controls of the template, in template (tab) order.
    const std::vector<std::unique_ptr<CWnd>>& TemplateControls() const { return m_templateControls; }

    // A dialog may carry a menu bar (its template's menu), toolbars above
    // and status bars below its controls: the controls sit between the bars.
    // While the dialog runs modally its idle moments send it WM_KICKIDLE,
    // as do its commands, so that its bars follow the update handlers.
    void AddBar(QWidget* bar, bool bottom);
    QMenuBar* GetMenuBar() const { return m_menuBar; }
    // Gives the dialog the menu bar of that menu resource in place of the
    // one it has (a dialog that chooses its menu when it opens); FALSE when
    // there is no such menu.
    BOOL SetMenu(UINT nIDResource);
    // The grid in which the template's controls are laid out.
    QGridLayout* GetControlLayout() const { return m_controlLayout; }

  protected:
    virtual BOOL CreateDialogWindow(CWnd* pParent);
    // Makes the template's controls as children of this dialog inside host.
    void BuildControls(const platform::DialogTemplate& t, QWidget* host, QGridLayout* grid);
    int RunModalLoop();

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = -1;
    bool m_ended = false;
    QEventLoop* m_loop = nullptr;
    std::vector<std::unique_ptr<CWnd>> m_templateControls;
    QMenuBar* m_menuBar = nullptr;
    QVBoxLayout* m_topBars = nullptr;
    QVBoxLayout* m_bottomBars = nullptr;
    QGridLayout* m_controlLayout = nullptr;
};

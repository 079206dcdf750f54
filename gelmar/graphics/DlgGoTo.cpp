// The Go To dialog of the output windows.
#include "gelmar/graphics/DlgGoTo.h"

#include "gelmar/model/store/EngineServices.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>

namespace gelmar {

CDlgGoTo::CDlgGoTo(long long seconds, CWnd* pParent)
    : CDialog(IDD_GO_TO, pParent), m_seconds(seconds), m_time("####:##:##:##")
{
}

BOOL CDlgGoTo::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_time.SubclassDlgItem(IDC_GO_TO_TIME, this);
    m_time.SetMask("####:##:##:##");
    m_time.SetPromptSymbol('0');
    m_time.SetInsertMode(FALSE);
    // The digits of "dddd:hh:mm:ss" fill the input positions.
    std::string digits = FormatTimeDHMS(m_seconds);
    digits.erase(std::remove(digits.begin(), digits.end(), ':'), digits.end());
    m_time.SetInputData(digits, 0, TRUE);
    return TRUE;
}

void CDlgGoTo::OnOK()
{
    m_seconds = ParseTimeDHMS(m_time.GetInputData());
    CDialog::OnOK();
}

} // namespace gelmar

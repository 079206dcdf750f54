// CDlgGoTo (dialog 12008 "Go To"): the time step to show, typed into a
// masked edit as days:hours:minutes:seconds ("####:##:##:##", blanks shown
// as "0", overwrite mode), preset with the current time. Used by both
// output windows.
#pragma once
#include "common/ui/MaskedEdit.h"
#include "platform/ui/Dialog.h"

namespace gelmar {

class CDlgGoTo : public CDialog {
  public:
    explicit CDlgGoTo(long long seconds, CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    // After OK: the entered time in seconds (0 for text that does not parse).
    long long m_seconds;

  private:
    common::COXMaskedEdit m_time;
};

} // namespace gelmar

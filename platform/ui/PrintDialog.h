// The print dialog: the user chooses a printer (and its copies and collation)
// and, with PD_RETURNDC, the dialog gives back a printer device context on
// which the caller prints its pages. The test hook answers it with a printer
// that writes a PDF file.
#pragma once
#include "platform/ui/DC.h"
#include "platform/ui/Defs.h"

#include <memory>

class QPrinter;

enum : DWORD {
    PD_ALLPAGES = 0x00000000,
    PD_NOSELECTION = 0x00000004,
    PD_NOPAGENUMS = 0x00000008,
    PD_RETURNDC = 0x00000100,
    PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000,
    PD_HIDEPRINTTOFILE = 0x00100000,
};

class CPrintDialog {
  public:
    // The set-up-only form shows the same dialog here.
    CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE,
                 CWnd* pParentWnd = nullptr);
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK or IDCANCEL.
    int DoModal();
    // After OK with PD_RETURNDC: a DC on the chosen printer, handed over to
    // the caller (deleting it deletes the DC); null otherwise and on a
    // second call.
    std::unique_ptr<CDC> GetPrinterDC();

    struct {
        DWORD Flags = 0;
    } m_pd;

  private:
    CWnd* m_pParentWnd;
    std::unique_ptr<QPrinter> m_printer;
};

// Sets the page orientation (DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE) of the
// printer behind a printer DC; a page already begun keeps its own, the next
// one takes the new orientation. FALSE when the DC has no printer.
BOOL SetPrinterOrientation(CDC* pDC, CPrintInfo* pInfo, int orientation);

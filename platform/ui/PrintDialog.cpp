// The print dialog over Qt's, and the printer DC it hands out.
#include "platform/ui/PrintDialog.h"

#include "platform/ui/TestHook.h"
#include "platform/ui/Wnd.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A DC that owns its printer; the painter on it ends before the printer goes.
class CPrinterDC : public CDC {
  public:
    explicit CPrinterDC(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
    {
        AttachDevice(m_printer.get(), true);
    }
    ~CPrinterDC() override { DeleteDC(); }

  private:
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace

CPrintDialog::CPrintDialog(BOOL, DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    m_pd.Flags = dwFlags;
}

CPrintDialog::~CPrintDialog() = default;

int CPrintDialog::DoModal()
{
    m_printer.reset();
    if (std::optional<std::string> answer = platform::TestHook::Get().NextPrintDialogAnswer()) {
        if (answer->empty())
            return IDCANCEL;
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(QString::fromStdString(*answer));
        return IDOK;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QWidget* parent =
        m_pParentWnd && m_pParentWnd->GetWidget() ? m_pParentWnd->GetWidget()->window() : nullptr;
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !(m_pd.Flags & PD_NOSELECTION));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(m_pd.Flags & PD_NOPAGENUMS));
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    // Without any printer, printing to a file is the only way left.
    dialog.setOption(QAbstractPrintDialog::PrintToFile,
                     !(m_pd.Flags & PD_HIDEPRINTTOFILE) || QPrinterInfo::availablePrinters().isEmpty());
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    m_printer = std::move(printer);
    return IDOK;
}

std::unique_ptr<CDC> CPrintDialog::GetPrinterDC()
{
    if (!(m_pd.Flags & PD_RETURNDC) || !m_printer)
        return nullptr;
    return std::make_unique<CPrinterDC>(std::move(m_printer));
}

BOOL SetPrinterOrientation(CDC* pDC, CPrintInfo*, int orientation)
{
    auto* printer = pDC ? dynamic_cast<QPrinter*>(pDC->GetDevice()) : nullptr;
    if (!printer)
        return FALSE;
    const QPageLayout::Orientation wanted =
        orientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (printer->pageLayout().orientation() != wanted)
        printer->setPageOrientation(wanted);
    return TRUE;
}

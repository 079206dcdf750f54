// A printer DC pages through a job and maps logical units to the page.
#include "platform/ui/DC.h"

#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

TEST(PrinterDC, PagesAndMappingOfAPrintJob)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("job.pdf");
    CDC dc;
    dc.AttachDevice(&printer, true);
    EXPECT_TRUE(dc.IsPrinting());
    int width = dc.GetDeviceCaps(HORZRES), height = dc.GetDeviceCaps(VERTRES);
    ASSERT_GT(width, 1000);
    ASSERT_GT(height, width);

    ASSERT_GT(dc.StartDoc("Report"), 0);
    for (int page = 1; page <= 2; ++page) {
        ASSERT_GT(dc.StartPage(), 0);
        // A logical page 1000 units wide spread over the paper's width.
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 1000 * height / width);
        dc.SetViewportExt(width, height);
        CPoint p(1000, 0);
        dc.LPtoDP(&p);
        EXPECT_EQ(p.x, width);
        dc.TextOut(10, 10, "Page " + std::to_string(page));
        EXPECT_GT(dc.EndPage(), 0);
    }
    EXPECT_GT(dc.EndDoc(), 0);
    QFile pdf("job.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
}

} // namespace

// The view's print loop on a PDF printer (one page for a view that does not
// know its page count, in the orientation the view sets before the first
// page, nothing on Cancel), and StretchDIBits drawing DIBs of 8 and 24 bits
// onto a device pixel by pixel.
#include "platform/ui/DocView.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/TestHook.h"

#include <QFile>
#include <cstring>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct PdfInfo {
    int pages = 0;
    double width = 0, height = 0; // of the first page's media box
};

PdfInfo ReadPdf(const char* path)
{
    PdfInfo info;
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return info;
    const QByteArray bytes = pdf.readAll();
    info.pages = static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                                  bytes.count("/Type /Page "));
    const QRegularExpression box(R"(/MediaBox\s*\[\s*([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)\s*\])");
    const auto m = box.match(QString::fromLatin1(bytes));
    if (m.hasMatch()) {
        info.width = m.captured(3).toDouble() - m.captured(1).toDouble();
        info.height = m.captured(4).toDouble() - m.captured(2).toDouble();
    }
    return info;
}

// A view that prints one picture in landscape and records the calls.
class PrintingView : public CView {
  public:
    int orientation = DMORIENT_LANDSCAPE;
    std::vector<std::string> calls;
    CRect drawn;

    void OnDraw(CDC*) override {}
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        calls.push_back("begin");
        EXPECT_TRUE(SetPrinterOrientation(pDC, pInfo, orientation));
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        calls.push_back("print " + std::to_string(pInfo->m_nCurPage));
        drawn = pInfo->m_rectDraw;
        pDC->FillSolidRect(0, 0, drawn.Width() / 2, drawn.Height() / 2, RGB(200, 0, 0));
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { calls.push_back("end"); }
};

} // namespace

TEST(ViewPrint, OnePageInTheOrientationTheViewSetsAndNothingOnCancel)
{
    platform::TestHook::Get().Reset();
    platform::TestHook::Get().Enable();
    for (int orientation : {DMORIENT_LANDSCAPE, DMORIENT_PORTRAIT}) {
        const char* path = orientation == DMORIENT_LANDSCAPE ? "view_landscape.pdf" : "view_portrait.pdf";
        QFile::remove(path);
        platform::TestHook::Get().PushPrintDialogAnswer(path);
        PrintingView view;
        view.orientation = orientation;
        view.OnFilePrint();
        EXPECT_EQ(view.calls, (std::vector<std::string>{"begin", "print 1", "end"}));
        const PdfInfo pdf = ReadPdf(path);
        EXPECT_EQ(pdf.pages, 1);
        ASSERT_GT(pdf.width, 0);
        EXPECT_EQ(pdf.width > pdf.height, orientation == DMORIENT_LANDSCAPE) << pdf.width << "x" << pdf.height;
        // The drawing rectangle is the printable page, in the same orientation.
        EXPECT_EQ(view.drawn.Width() > view.drawn.Height(), orientation == DMORIENT_LANDSCAPE);
        QFile::remove(path);
    }
    // Cancel (no answer queued): no call beyond the dialog.
    PrintingView cancelled;
    cancelled.OnFilePrint();
    EXPECT_TRUE(cancelled.calls.empty());
    platform::TestHook::Get().Reset();
}

TEST(ViewPrint, StretchDIBitsDrawsBottomUpDibsStretched)
{
    // A 3 x 2 DIB, bottom row first: the bottom row red, green, blue; the
    // top row white, black, grey.
    struct Dib8 {
        BITMAPINFO info;
        platform::RGBQUAD more[5];
    } dib8{};
    const platform::RGBQUAD table[6] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0},
                                       {255, 255, 255, 0}, {0, 0, 0, 0}, {128, 128, 128, 0}};
    dib8.info.bmiHeader.biSize = 40;
    dib8.info.bmiHeader.biWidth = 3;
    dib8.info.bmiHeader.biHeight = 2;
    dib8.info.bmiHeader.biPlanes = 1;
    dib8.info.bmiHeader.biBitCount = 8;
    dib8.info.bmiHeader.biClrUsed = 6;
    std::memcpy(dib8.info.bmiColors, table, sizeof table);
    const BYTE bits8[8] = {0, 1, 2, 0, 3, 4, 5, 0}; // rows padded to 4 bytes

    BITMAPINFO info24{};
    info24.bmiHeader = dib8.info.bmiHeader;
    info24.bmiHeader.biBitCount = 24;
    info24.bmiHeader.biClrUsed = 0;
    BYTE bits24[24] = {};
    for (int i = 0; i < 6; ++i) {
        BYTE* p = bits24 + (i / 3) * 12 + (i % 3) * 3;
        p[0] = table[i].rgbBlue;
        p[1] = table[i].rgbGreen;
        p[2] = table[i].rgbRed;
    }

    const QRgb want[2][3] = {{qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(128, 128, 128)},
                             {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}};
    for (int bits : {8, 24}) {
        SCOPED_TRACE(bits);
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        {
            CDC dc;
            dc.AttachDevice(&image, false);
            const BITMAPINFO* info = bits == 8 ? &dib8.info : &info24;
            const void* data = bits == 8 ? static_cast<const void*>(bits8) : bits24;
            // Each DIB pixel becomes 10 x 10 device pixels.
            EXPECT_EQ(StretchDIBits(&dc, 0, 0, 30, 20, 0, 0, 3, 2, data, info, DIB_RGB_COLORS, SRCCOPY), 2);
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, want[y / 10][x / 10] & 0xFFFFFF) << x << "," << y;
    }
    CDC dc;
    QImage image(4, 4, QImage::Format_RGB32);
    dc.AttachDevice(&image, false);
    EXPECT_EQ(StretchDIBits(&dc, 0, 0, 4, 4, 0, 0, 3, 2, bits8, &dib8.info, DIB_PAL_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(&dc, 0, 0, 4, 4, 0, 0, 3, 2, nullptr, &dib8.info, DIB_RGB_COLORS, SRCCOPY), 0);
}

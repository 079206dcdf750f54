// The splash window's shape and closing, and the text window's printing.
#include "common/ui/PrintTextWnd.h"
#include "common/ui/SplashWnd.h"
#include "platform/ui/Resources.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

using namespace common;

namespace {

constexpr UINT kSplashBitmap = 169;

// Left half in the key colour (red 0xC7, green 0xFE, blue 0), right half in
// red 0, green 0xFE, blue 0, which is not the key.
void RegisterSplashBitmap(const char* file)
{
    QImage image(20, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, x < 10 ? qRgb(0xC7 + y % 2, 0xFE, 0x05) : qRgb(0, 0xFE, 0));
    image.save(file);
    platform::Resources::Get().AddBitmap(kSplashBitmap, file);
}

int PdfPages(const char* path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    QByteArray bytes = pdf.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page "));
}

} // namespace

TEST(Splash, RegionLeavesOutOnlyTheKeyColour)
{
    RegisterSplashBitmap("splash1.png");
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(kSplashBitmap));
    CRgn region;
    ASSERT_TRUE(BitmapToRegion(bitmap, 0xC7FE00, 0x101010, region));
    EXPECT_FALSE(region.PtInRegion(CPoint(3, 4)));
    EXPECT_TRUE(region.PtInRegion(CPoint(12, 4)));
    CRect box;
    region.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(10, 0, 20, 10));
    // Without tolerance the pixels of red 0xC8 stay.
    ASSERT_TRUE(BitmapToRegion(bitmap, 0xC7FE00, 0, region));
    EXPECT_TRUE(region.PtInRegion(CPoint(3, 1)));
}

TEST(Splash, ClickClosesBeforeTheTime)
{
    RegisterSplashBitmap("splash2.png");
    auto* splash = new CSplashWnd(kSplashBitmap, 3500);
    ASSERT_TRUE(splash->Create());
    std::shared_ptr<bool> alive = splash->Alive();
    CRect rect;
    splash->GetClientRect(&rect);
    EXPECT_EQ(rect.Width(), 20);
    QTest::mouseClick(splash->GetWidget(), Qt::LeftButton, {}, QPoint(15, 5));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(*alive);
}

TEST(Splash, TimerCloses)
{
    RegisterSplashBitmap("splash3.png");
    auto* splash = new CSplashWnd(kSplashBitmap, 20);
    ASSERT_TRUE(splash->Create());
    std::shared_ptr<bool> alive = splash->Alive();
    for (int i = 0; i < 50 && *alive; ++i)
        QTest::qWait(10);
    EXPECT_FALSE(*alive);
}

TEST(PrintText, EmptyTextPrintsOnePageAndLongTextSeveral)
{
    CWnd parent;
    parent.CreateEx(0, nullptr, "Text", WS_OVERLAPPED, CRect(0, 0, 300, 200), nullptr, 0);
    CPrintTextWnd text;
    ASSERT_TRUE(
        text.Create(nullptr, "", WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(0, 0, 300, 200), &parent, 5));
    auto print = [&](const char* path) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        CDC dc;
        dc.AttachDevice(&printer, true);
        text.PrintText(&dc);
    };
    print("text-empty.pdf");
    EXPECT_EQ(PdfPages("text-empty.pdf"), 1);

    CRtfDocument doc;
    doc.SetStyle(CRtfRun::kBold, true);
    doc.AppendText("Heading\n");
    doc.SetStyle(CRtfRun::kBold, false);
    for (int i = 0; i < 300; ++i)
        doc.AppendText("Line " + std::to_string(i) + "\n");
    text << doc;
    const std::string before = text.GetPlainText();
    EXPECT_EQ(before.substr(0, 14), "Heading\nLine 0");
    print("text-long.pdf");
    EXPECT_GT(PdfPages("text-long.pdf"), 2);
    EXPECT_EQ(text.GetPlainText(), before);
}

// Drawing into memory bitmaps gives the pixels the program expects.
#include "platform/ui/DC.h"

#include "platform/ui/ImageList.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct MemoryDC : ::testing::Test {
    CDC dc;
    CBitmap bitmap;
    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 40, 30));
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 40, 30, kWhite);
    }
    int Count(COLORREF c, int x0, int x1, int y0, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += dc.GetPixel(x, y) == c;
        return n;
    }
};

TEST_F(MemoryDC, LinesStopShortOfTheirEndPoint)
{
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(5, 5);
    dc.LineTo(15, 5);
    dc.MoveTo(20, 2);
    dc.LineTo(20, 6);
    dc.MoveTo(0, 10);
    dc.LineTo(3, 13);
    dc.SelectObject(old);
    for (int x = 5; x < 15; ++x)
        EXPECT_EQ(dc.GetPixel(x, 5), RGB(255, 0, 0)) << x;
    EXPECT_EQ(dc.GetPixel(15, 5), kWhite);
    EXPECT_EQ(dc.GetPixel(4, 5), kWhite);
    EXPECT_EQ(Count(RGB(255, 0, 0), 20, 21, 0, 30), 4);
    EXPECT_EQ(dc.GetPixel(20, 6), kWhite);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dc.GetPixel(i, 10 + i), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(3, 13), kWhite);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(3, 13));
    // Nothing else was touched.
    EXPECT_EQ(Count(RGB(255, 0, 0), 0, 40, 0, 30), 10 + 4 + 3);
}

TEST_F(MemoryDC, WindowOriginShiftsDrawing)
{
    dc.SetWindowOrg(10, 10);
    dc.SetPixel(12, 13, kBlack);
    dc.SetWindowOrg(0, 0);
    EXPECT_EQ(dc.GetPixel(2, 3), kBlack);
    EXPECT_EQ(Count(kBlack, 0, 40, 0, 30), 1);
}

TEST_F(MemoryDC, QtPainterFollowsTheMapping)
{
    dc.SetWindowOrg(10, 10);
    QPainter* p = dc.GetQtPainter();
    ASSERT_NE(p, nullptr);
    p->fillRect(QRect(12, 13, 1, 1), Qt::black);
    dc.SetWindowOrg(0, 0);
    EXPECT_EQ(dc.GetPixel(2, 3), kBlack);
    EXPECT_EQ(Count(kBlack, 0, 40, 0, 30), 1);
}

TEST_F(MemoryDC, PatternBrushPolygonTakesTheDcColoursAndOrigin)
{
    // Rows alternate 10101010 and 01010101: 1 bits show the background
    // colour, 0 bits the text colour.
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush({0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055}));
    dc.SelectStockObject(NULL_PEN);
    dc.SelectObject(&brush);
    dc.SetBkColor(RGB(255, 0, 0));
    dc.SetTextColor(RGB(0, 0, 255));
    CPoint square[4] = {{8, 8}, {24, 8}, {24, 24}, {8, 24}};
    dc.Polygon(square, 4);
    EXPECT_EQ(dc.GetPixel(16, 16), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(17, 16), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(16, 17), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(17, 17), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(4, 4), kWhite);
    EXPECT_EQ(dc.GetPixel(30, 16), kWhite);
    int red = Count(RGB(255, 0, 0), 10, 22, 10, 22), blue = Count(RGB(0, 0, 255), 10, 22, 10, 22);
    EXPECT_EQ(red, 72);
    EXPECT_EQ(blue, 72);

    // Moving the brush origin by one pixel swaps the colours.
    dc.SetBrushOrg(1, 0);
    CRect r(30, 0, 38, 8);
    dc.FillRect(&r, &brush);
    EXPECT_EQ(dc.GetPixel(32, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(33, 0), RGB(255, 0, 0));
}

TEST_F(MemoryDC, TextIsClipped)
{
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "DejaVu Sans");
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kBlack);

    dc.SaveDC();
    dc.IntersectClipRect(0, 0, 20, 30);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 20, 30));
    dc.TextOut(2, 2, "WWWWWWWW");
    dc.RestoreDC(-1);
    EXPECT_GT(Count(kBlack, 0, 20, 0, 30), 10);
    EXPECT_EQ(Count(kBlack, 20, 40, 0, 30), 0);

    // DrawText clips to its rectangle unless told not to.
    dc.FillSolidRect(0, 0, 40, 30, kWhite);
    CRect cell(5, 5, 15, 25);
    dc.DrawText("MMMMMM", &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    EXPECT_GT(Count(kBlack, 5, 15, 5, 25), 5);
    EXPECT_EQ(Count(kBlack, 0, 40, 0, 5) + Count(kBlack, 15, 40, 0, 30) + Count(kBlack, 0, 5, 0, 30), 0);

    CRect calc(0, 0, 100, 0);
    int h = dc.DrawText("A\nB", &calc, DT_CALCRECT);
    EXPECT_EQ(calc.Height(), h);
    int line = dc.GetTextExtent("A").cy;
    EXPECT_GE(h, 2 * line);
    EXPECT_LT(h, 3 * line);
}

TEST_F(MemoryDC, BitBltAndXorRubberBand)
{
    CDC other;
    CBitmap small;
    other.CreateCompatibleDC(&dc);
    small.CreateCompatibleBitmap(&other, 4, 4);
    other.SelectObject(&small);
    other.FillSolidRect(0, 0, 4, 4, RGB(0, 128, 0));
    dc.BitBlt(10, 10, 4, 4, &other, 0, 0, SRCCOPY);
    EXPECT_EQ(Count(RGB(0, 128, 0), 0, 40, 0, 30), 16);
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 128, 0));
    EXPECT_EQ(dc.GetPixel(13, 13), RGB(0, 128, 0));

    // A line drawn twice with R2_NOT leaves the picture as it was.
    dc.SetROP2(R2_NOT);
    for (int pass = 0; pass < 2; ++pass) {
        dc.MoveTo(0, 11);
        dc.LineTo(40, 11);
        if (pass == 0) {
            EXPECT_EQ(dc.GetPixel(0, 11), kBlack);
            EXPECT_EQ(dc.GetPixel(11, 11), RGB(255, 127, 255));
        }
    }
    EXPECT_EQ(dc.GetPixel(0, 11), kWhite);
    EXPECT_EQ(dc.GetPixel(11, 11), RGB(0, 128, 0));
}

TEST_F(MemoryDC, RectangleAndEdgeStayInsideTheirBounds)
{
    CBrush fill(RGB(0, 0, 255));
    dc.SelectObject(&fill);
    dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(Count(kBlack, 0, 40, 0, 30), 2 * 6 + 2 * 2); // the 6x4 outline
    EXPECT_EQ(Count(RGB(0, 0, 255), 0, 40, 0, 30), 4 * 2);
    EXPECT_EQ(dc.GetPixel(8, 2), kWhite);

    CRect edge(20, 20, 30, 28);
    dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
    EXPECT_EQ(dc.GetPixel(25, 24), kWhite);
    EXPECT_NE(dc.GetPixel(20, 20), kWhite);
    EXPECT_EQ(dc.GetPixel(30, 28), kWhite);
}

TEST_F(MemoryDC, RoundRectIsAFilledDotInsideItsBounds)
{
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush fill(RGB(0, 0, 255));
    dc.SelectObject(&pen);
    dc.SelectObject(&fill);
    // Corners as large as the box: a disc from 10 to 19 each way.
    dc.RoundRect(10, 10, 20, 20, 10, 10);
    EXPECT_EQ(dc.GetPixel(14, 14), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(14, 10), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(10, 14), RGB(255, 0, 0));
    for (CPoint corner : {CPoint(10, 10), CPoint(19, 10), CPoint(10, 19), CPoint(19, 19)})
        EXPECT_EQ(dc.GetPixel(corner.x, corner.y), kWhite) << corner.x << "," << corner.y;
    // Nothing outside the box was touched.
    EXPECT_EQ(Count(kWhite, 0, 40, 0, 30) - Count(kWhite, 10, 20, 10, 20), 40 * 30 - 10 * 10);
    // Mirror images across both middle lines.
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x) {
            EXPECT_EQ(dc.GetPixel(x, y) == kWhite, dc.GetPixel(29 - x, y) == kWhite) << x << "," << y;
            EXPECT_EQ(dc.GetPixel(x, y) == kWhite, dc.GetPixel(x, 29 - y) == kWhite) << x << "," << y;
        }
}

} // namespace

namespace {

TEST_F(MemoryDC, ImageListDrawsTilesWithTheirMaskColourTransparent)
{
    // Two 4x4 tiles: red with a grey (mask) centre, then blue.
    CBitmap strip;
    strip.CreateCompatibleBitmap(nullptr, 8, 4);
    strip.Image().fill(QColor(255, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            strip.Image().setPixel(x, y, qRgb(0, 0, 255));
    strip.Image().setPixel(1, 1, qRgb(192, 192, 192));
    CImageList images;
    ASSERT_TRUE(images.Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_EQ(images.Add(&strip, RGB(192, 192, 192)), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    images.Draw(&dc, 0, CPoint(10, 10), ILD_TRANSPARENT);
    images.Draw(&dc, 1, CPoint(20, 10), ILD_TRANSPARENT);
    EXPECT_FALSE(images.Draw(&dc, 2, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(11, 11), kWhite);
    EXPECT_EQ(dc.GetPixel(23, 13), RGB(0, 0, 255));
    EXPECT_EQ(Count(RGB(255, 0, 0), 0, 40, 0, 30), 15);
}

} // namespace

// Pictures rendered off the screen and written to files: PNG and BMP files
// read back (libpng and Qt) at the requested size with the legend in the
// right 15 %, a PNG holding the picture engine's own pixels, the 8-bit BMP
// for any case of "bmp", a bitmap too large to make, and AVI files of one
// frame per saved time (ffmpeg's decoded frames against the rendered
// pictures, an export stopped by Esc after three frames).
#include "gelmar/graphics/GraphicRender.h"

#include "common/core/FramePalette.h"
#include "common/core/tests/PngTestUtil.h"
#include "common/testing/TestFiles.h"
#include "gelmar/graphics/core/GraphicOutputRules.h"
#include "gelmar/graphics/core/tests/PictureFixture.h"

#include "platform/ui/DocView.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/TestHook.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace gelmar::test {
namespace {

using common::testing::ReadBytes;
using common::testing::U32At;

constexpr COLORREF kGrey = RGB(223, 223, 223);

class GraphicExportTest : public PictureTest {
  protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        Grid(Uniform(4, 1.0f), Uniform(3, 1.0f), Uniform(2, 1.0f));
        Material(1, 1.0f, RGB(120, 120, 120));
        Block(1, 0, 4, 0, 3, 0, 2);
        Build();
        SetTemperatures([](double x, double, double) { return 4.0 * x; });
        picture.settings.temperature = {0.0f, 16.0f, 1.0f, 5.0f, {RGB(255, 0, 0), 1}, {RGB(0, 0, 255), 1}};
        picture.settings.fill = FillMode::Temperatures;
        picture.settings.isothermalLines = true;
        picture.settings.objectLines = true;
        picture.settings.legend = true;
        picture.projection = 5;
        picture.sectionView.SetSectionFullWindow(5, engine.model.clipCoord);
    }

    RenderRequest Request(int w, int h, COLORREF legendFill = kGrey) const
    {
        RenderRequest r;
        r.width = w;
        r.height = h;
        r.fontSize = 10;
        r.legend = true;
        r.legendFill = legendFill;
        return r;
    }

    Picture picture;
};

// Whether a pixel lies within two pixels of a text's rectangle.
bool NearText(const std::vector<kernels::PictureText>& texts, int x, int y)
{
    for (const auto& t : texts)
        if (x >= t.rect.left - 2 && x < t.rect.right + 2 && y >= t.rect.top - 2 && y < t.rect.bottom + 2)
            return true;
    return false;
}

} // namespace

TEST_F(GraphicExportTest, PngAndBmpHaveTheImageSizeAndTheLegendInTheRightFifteenPercent)
{
    const int w = 420, h = 260; // the legend pane begins at x = 357
    CBitmap bitmap;
    ASSERT_EQ(RenderPicture(picture, Source(), Request(w, h), {}, bitmap), RenderResult::Drawn);
    for (const char* path : {"legend.png", "legend.BMP", "legend.bmp"}) {
        SCOPED_TRACE(path);
        std::remove(path);
        ASSERT_TRUE(WriteImageFile(path, bitmap));
        QImage read(QString::fromLatin1(path));
        ASSERT_FALSE(read.isNull());
        EXPECT_EQ(read.width(), w);
        EXPECT_EQ(read.height(), h);
        // The legend pane's grey, exact also in the 8-bit BMP, right of
        // x = 357 only.
        int greyLeft = 0, greyRight = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((read.pixel(x, y) & 0xFFFFFF) == 0xDFDFDF)
                    ++(x < 357 ? greyLeft : greyRight);
        EXPECT_EQ(greyLeft, 0);
        EXPECT_GT(greyRight, (w - 357) * h / 4);
        EXPECT_EQ(read.pixel(w - 1, h - 1) & 0xFFFFFF, 0xDFDFDFu);
        EXPECT_NE(read.pixel(356, h - 1) & 0xFFFFFF, 0xDFDFDFu);
        const std::string bytes = ReadBytes(path);
        if (IsBmpPath(path)) {
            // An 8-bit RLE8 BMP.
            ASSERT_GT(bytes.size(), 54u);
            EXPECT_EQ(bytes.substr(0, 2), "BM");
            EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 8);
            EXPECT_EQ(U32At(bytes, 30), 1u);
        } else {
            pngtest::Rgb png;
            ASSERT_TRUE(pngtest::ReadRgb(path, png));
            EXPECT_EQ(png.width, w);
            EXPECT_EQ(png.height, h);
        }
        std::remove(path);
    }
}

TEST_F(GraphicExportTest, APngHoldsThePixelsThePictureEngineDrawsAtThatSize)
{
    const int w = 400, h = 300;
    CBitmap bitmap;
    ASSERT_EQ(RenderPicture(picture, Source(), Request(w, h, RGB(255, 255, 255)), {}, bitmap), RenderResult::Drawn);
    ASSERT_TRUE(WriteImageFile("engine.png", bitmap));

    // The same picture straight from the picture engine, on white.
    Picture reference;
    reference.settings = picture.settings;
    reference.projection = picture.projection;
    reference.sectionView.SetSectionFullWindow(5, engine.model.clipCoord);
    kernels::MemoryRaster raster(w, h, RGB(255, 255, 255));
    const PicturePanes panes = LayoutPicturePanes(w, h, true);
    const PictureResult result = reference.DrawPicture(Source(), raster.View(), panes.picture, panes.legend, {});
    ASSERT_FALSE(result.texts.empty());

    pngtest::Rgb png;
    ASSERT_TRUE(pngtest::ReadRgb("engine.png", png));
    ASSERT_EQ(png.width, w);
    ASSERT_EQ(png.height, h);
    long long compared = 0, differing = 0, redBand = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (NearText(result.texts, x, y))
                continue;
            const COLORREF want = raster.At(x, y);
            const unsigned char* got = png.At(x, y);
            ++compared;
            if (got[0] != GetRValue(want) || got[1] != GetGValue(want) || got[2] != GetBValue(want))
                ++differing;
            if (want == RGB(255, 0, 0))
                ++redBand;
        }
    EXPECT_GT(compared, w * h / 2);
    EXPECT_GT(redBand, 100);
    EXPECT_EQ(differing, 0);
    // The texts were drawn: some pixels near them are dark.
    long long dark = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (NearText(result.texts, x, y) && png.At(x, y)[0] < 80 && png.At(x, y)[1] < 80 && png.At(x, y)[2] < 80)
                ++dark;
    EXPECT_GT(dark, 20);
    std::remove("engine.png");
}

TEST_F(GraphicExportTest, ABitmapTooLargeIsNotMadeAndNothingIsDrawn)
{
    CBitmap bitmap;
    EXPECT_EQ(RenderPicture(picture, Source(), Request(1000000, 1000000), {}, bitmap), RenderResult::NoBitmap);
    EXPECT_EQ(RenderPicture(picture, Source(), Request(0, 10), {}, bitmap), RenderResult::NoBitmap);
    EXPECT_EQ(picture.Polygons().size(), 0u);
}

TEST_F(GraphicExportTest, EscEndsThePictureUnfinished)
{
    CBitmap bitmap;
    EXPECT_EQ(RenderPicture(picture, Source(), Request(200, 100), [] { return true; }, bitmap), RenderResult::Stopped);
}

// Three saved times with three temperature fields: the AVI file's frames,
// decoded by ffmpeg, are the rendered pictures; the fills, lines and legend
// colours come out exact.
TEST_F(GraphicExportTest, AviFramesAreTheRenderedPictures)
{
    if (std::system("ffmpeg -version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg is not installed (scripts/deps.sh installs it)";
    const int w = 160, h = 100;
    const SavedTimes times{600, 1, 1200};
    const std::string path = "frames.avi";
    platform::AviWriter avi;
    ASSERT_TRUE(avi.Open(path, {w, h, 2, platform::AviCompression::Rle8}));
    common::FramePalette palette;
    std::vector<QImage> rendered;
    const FrameLoopResult r = RunFrameLoop(
        times, 0,
        [&](long long time) {
            const double scale = 1.0 + static_cast<double>(time) / 600.0;
            SetTemperatures([scale](double x, double, double) { return scale * x; });
            CBitmap bitmap;
            if (RenderPicture(picture, Source(), Request(w, h), {}, bitmap) != RenderResult::Drawn)
                return false;
            rendered.push_back(bitmap.Image().copy());
            return true;
        },
        [&](int) {
            CBitmap bitmap;
            bitmap.FromImage(rendered.back());
            return WriteAviFrame(avi, palette, bitmap) == platform::AviWriter::FrameResult::Written;
        });
    ASSERT_TRUE(avi.Close());
    ASSERT_EQ(r.written, 3);
    ASSERT_EQ(rendered.size(), 3u);
    ASSERT_EQ(std::system(("ffmpeg -v error -y -i " + path + " -f rawvideo -pix_fmt rgb24 frames.rgb").c_str()), 0);
    const std::string rgb = ReadBytes("frames.rgb");
    const std::size_t frameBytes = 3 * static_cast<std::size_t>(w * h);
    ASSERT_EQ(rgb.size(), 3 * frameBytes);
    for (int f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        long long exact = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb want = rendered[static_cast<std::size_t>(f)].pixel(x, y);
                const std::size_t at = frameBytes * static_cast<std::size_t>(f) + 3 * static_cast<std::size_t>(y * w + x);
                if (static_cast<unsigned char>(rgb[at]) == qRed(want) &&
                    static_cast<unsigned char>(rgb[at + 1]) == qGreen(want) &&
                    static_cast<unsigned char>(rgb[at + 2]) == qBlue(want))
                    ++exact;
            }
        // Fewer than 256 colours in all: every pixel exact.
        EXPECT_LE(palette.Entries().size(), 256u);
        if (palette.Entries().size() < 256)
            EXPECT_EQ(exact, w * h);
        else
            EXPECT_GT(exact, w * h * 95 / 100);
    }
    std::remove(path.c_str());
    std::remove("frames.rgb");
}

TEST_F(GraphicExportTest, AnAviStoppedByEscAfterThreeFramesHoldsThreeFrames)
{
    const int w = 64, h = 40;
    const SavedTimes times{300, 2, 6000};
    const std::string path = "stopped.avi";
    platform::AviWriter avi;
    ASSERT_TRUE(avi.Open(path, {w, h, 5, platform::AviCompression::Uncompressed}));
    common::FramePalette palette;
    CBitmap bitmap;
    int pictures = 0;
    const FrameLoopResult r = RunFrameLoop(
        times, 4242,
        [&](long long) {
            // Esc comes during the fourth picture.
            const bool esc = ++pictures == 4;
            return RenderPicture(picture, Source(), Request(w, h), [esc] { return esc; }, bitmap) ==
                   RenderResult::Drawn;
        },
        [&](int) { return WriteAviFrame(avi, palette, bitmap) == platform::AviWriter::FrameResult::Written; });
    ASSERT_TRUE(avi.Close());
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.written, 3);
    EXPECT_EQ(r.lastTime, 1200);
    const std::string bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 64u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(U32At(bytes, 4) + 8, bytes.size());
    EXPECT_EQ(U32At(bytes, 48), 3u); // the main header's frame count
    if (std::system("ffprobe -version > /dev/null 2>&1") == 0) {
        ASSERT_EQ(std::system(("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                               "stream=nb_read_frames -of csv=p=0 " + path + " > stopped.txt").c_str()),
                  0);
        EXPECT_EQ(ReadBytes("stopped.txt").substr(0, 1), "3");
        std::remove("stopped.txt");
    }
    std::remove(path.c_str());
}

namespace {

// The widths and heights of the images a PDF file holds, and its pages.
struct PdfContents {
    int pages = 0;
    std::vector<std::pair<int, int>> images;
    double pageWidth = 0, pageHeight = 0;
};

PdfContents ReadPdf(const std::string& path)
{
    PdfContents c;
    const QString text = QString::fromLatin1(QByteArray::fromStdString(ReadBytes(path)));
    c.pages = static_cast<int>(text.count(QRegularExpression(R"(/Type\s*/Page[^s])")));
    const QRegularExpression image(R"(/Subtype\s*/Image[^>]*?/Width\s+(\d+)[^>]*?/Height\s+(\d+))");
    for (auto it = image.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        c.images.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
    }
    const auto box = QRegularExpression(R"(/MediaBox\s*\[\s*([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+))").match(text);
    if (box.hasMatch()) {
        c.pageWidth = box.captured(3).toDouble() - box.captured(1).toDouble();
        c.pageHeight = box.captured(4).toDouble() - box.captured(2).toDouble();
    }
    return c;
}

// A view that prints the picture on a landscape page, as the 3D view does
// for the graphic output.
class PictureView : public CView {
  public:
    PictureView(Picture& picture, const PictureSource& source) : m_picture(picture), m_source(source) {}
    RenderResult result = RenderResult::NoBitmap;
    void OnDraw(CDC*) override {}
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        SetPrinterOrientation(pDC, pInfo, DMORIENT_LANDSCAPE);
    }
    void OnPrint(CDC* pDC, CPrintInfo*) override
    {
        result = PrintPicture(pDC, m_picture, m_source, true, nullptr, {});
    }

  private:
    Picture& m_picture;
    const PictureSource& m_source;
};

} // namespace

TEST_F(GraphicExportTest, PrintingGivesOneLandscapePageWithThePicture)
{
    platform::TestHook::Get().Reset();
    platform::TestHook::Get().Enable();
    platform::TestHook::Get().PushPrintDialogAnswer("printed.pdf");
    const PictureSource source = Source();
    PictureView view(picture, source);
    view.OnFilePrint();
    platform::TestHook::Get().Reset();
    EXPECT_EQ(view.result, RenderResult::Drawn);
    const PdfContents pdf = ReadPdf("printed.pdf");
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_GT(pdf.pageWidth, pdf.pageHeight);
    ASSERT_EQ(pdf.images.size(), 1u);
    // The picture is rendered at most 2000 pixels a side and in the page's proportions.
    EXPECT_LE(pdf.images[0].first, 2000);
    EXPECT_GT(pdf.images[0].first, pdf.images[0].second);
    std::remove("printed.pdf");
}

TEST_F(GraphicExportTest, APrintableAreaOf5000By3000IsRenderedAt1248By748)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("large.pdf");
    printer.setResolution(1200);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QSizeF(300, 180), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    {
        CDC dc;
        dc.AttachDevice(&printer, true);
        ASSERT_EQ(dc.GetDeviceCaps(HORZRES), 5000);
        ASSERT_EQ(dc.GetDeviceCaps(VERTRES), 3000);
        ASSERT_GT(dc.StartDoc("large"), 0);
        ASSERT_GT(dc.StartPage(), 0);
        EXPECT_EQ(PrintPicture(&dc, picture, Source(), true, nullptr, {}), RenderResult::Drawn);
        dc.EndPage();
        dc.EndDoc();
    }
    const PdfContents pdf = ReadPdf("large.pdf");
    EXPECT_EQ(pdf.pages, 1);
    ASSERT_EQ(pdf.images.size(), 1u);
    // The page is rounded down to 4992 x 2992 pixels, then halved twice.
    EXPECT_EQ(pdf.images[0], std::make_pair(1248, 748));
    std::remove("large.pdf");
}

} // namespace gelmar::test

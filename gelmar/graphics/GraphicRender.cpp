// Pictures rendered off the screen and the files written from them (see
// GraphicRender.h).
#include "gelmar/graphics/GraphicRender.h"

#include "common/core/ColourQuantizer.h"
#include "common/core/FramePalette.h"
#include "common/core/ImageFile.h"
#include "gelmar/graphics/core/GraphicOutputRules.h"
#include "platform/core/PackedDib.h"
#include "platform/ui/DC.h"

#include <QImage>

namespace gelmar {
namespace {

kernels::RasterView RasterOf(QImage& image)
{
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<std::ptrdiff_t>(image.bytesPerLine() / 4)};
}

common::BitmapPixels PixelsOf(const QImage& image)
{
    return {image.width(), image.height(), reinterpret_cast<const std::uint32_t*>(image.constBits()),
            static_cast<std::size_t>(image.bytesPerLine() / 4)};
}

} // namespace

RenderResult RenderPicture(Picture& picture, const PictureSource& source, const RenderRequest& request,
                           const kernels::EscCheck& esc, CBitmap& bitmap)
{
    if (!bitmap.CreateCompatibleBitmap(nullptr, request.width, request.height))
        return RenderResult::NoBitmap;
    const PicturePanes panes = LayoutPicturePanes(request.width, request.height, request.legend);
    QImage& image = bitmap.Image();
    CDC dc;
    dc.AttachDevice(&image, false);
    if (request.legend)
        dc.FillSolidRect(&panes.legend, request.legendFill);
    // The picture writes the pixels itself: no painter may hold the image meanwhile.
    ReleasePaintersOf(&image);
    const PictureResult result = picture.DrawPicture(source, RasterOf(image), panes.picture, panes.legend, esc);
    if (result.stopped)
        return RenderResult::Stopped;
    DrawPictureTexts(&dc, result.texts, request.fontSize);
    return RenderResult::Drawn;
}

RenderResult PrintPicture(CDC* pDC, Picture& picture, const PictureSource& source, bool legend,
                          const ColourScale* greyScale, const kernels::EscCheck& esc)
{
    if (!pDC)
        return RenderResult::NoBitmap;
    const CSize page = PrintPageSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    const CSize size = PrintBitmapSize(page);
    RenderRequest request;
    request.width = size.cx;
    request.height = size.cy;
    request.fontSize = 12;
    request.legend = legend;
    request.legendFill = RGB(255, 255, 255);
    PictureSource grey(source.model, source.run, source.faces, greyScale ? *greyScale : source.colourScale);
    grey.patterns = source.patterns;
    grey.sun = source.sun;
    grey.sunVisible = source.sunVisible;
    grey.ensureFluxTable = source.ensureFluxTable;
    grey.rayBlocked = source.rayBlocked;
    grey.texts = source.texts;
    const bool twoColours = greyScale && pDC->GetDeviceCaps(NUMCOLORS) == 2;
    CBitmap bitmap;
    const RenderResult result = RenderPicture(picture, twoColours ? grey : source, request, esc, bitmap);
    if (result != RenderResult::Drawn)
        return result;
    const auto dib = common::MakeDib(PixelsOf(bitmap.Image()), 8);
    if (!dib)
        return RenderResult::NoBitmap;
    StretchDIBits(pDC, 0, 0, page.cx, page.cy, 0, 0, size.cx, size.cy, dib->Bits(),
                  reinterpret_cast<const BITMAPINFO*>(dib->Header()), DIB_RGB_COLORS, SRCCOPY);
    return RenderResult::Drawn;
}

void DrawPictureTexts(CDC* pDC, const std::vector<kernels::PictureText>& texts, int fontSize)
{
    if (!pDC || texts.empty())
        return;
    CFont font;
    font.CreatePointFont(fontSize * 10, "Arial", pDC);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    for (const kernels::PictureText& t : texts) {
        CRect rect = t.rect;
        const bool clipped = !t.clip.IsRectEmpty();
        if (clipped) {
            pDC->SaveDC();
            pDC->IntersectClipRect(&t.clip);
        }
        pDC->DrawText(t.text, &rect, t.format);
        if (clipped)
            pDC->RestoreDC(-1);
    }
    pDC->SelectObject(old);
}

bool WriteImageFile(const std::string& path, const CBitmap& bitmap)
{
    const QImage& image = bitmap.Image();
    if (image.isNull())
        return false;
    common::CImageFile file(PixelsOf(image));
    if (!file.HasImage())
        return false;
    if (IsBmpPath(path))
        return common::WriteQuantizedBmp(path, file.GetBits(), file.GetWidth(), file.GetHeight(), 256, 1,
                                         static_cast<std::size_t>(file.GetRowBytes())) != FALSE;
    return file.SaveAs(path) != FALSE;
}

platform::AviWriter::FrameResult WriteAviFrame(platform::AviWriter& avi, common::FramePalette& palette,
                                               const CBitmap& bitmap)
{
    const QImage& image = bitmap.Image();
    const common::BitmapPixels pixels = PixelsOf(image);
    std::vector<BYTE> indexes;
    palette.MapFrame(pixels.pixels, pixels.width, pixels.height, pixels.stride, indexes);
    if (indexes.empty())
        return platform::AviWriter::FrameResult::WriteFailed;
    avi.SetPalette(palette.Entries());
    return avi.WriteFrame(indexes.data());
}

} // namespace gelmar

// Pens, brushes, fonts, bitmaps and regions.
#include "platform/ui/Gdi.h"

#include "platform/ui/DC.h"
#include "platform/ui/Resources.h"

#include <QApplication>
#include <QFontMetrics>
#include <cmath>
#include <cstring>

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour)
{
    m_style = style;
    m_width = width;
    m_colour = colour;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF colour)
{
    m_colour = colour;
    m_null = m_pattern = false;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreatePatternBrush(const CBitmap* bitmap)
{
    if (!bitmap || !bitmap->m_mono)
        return FALSE;
    m_rows = bitmap->m_monoRows;
    m_pattern = true;
    m_null = false;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreatePatternBrush(const std::array<WORD, 8>& rows)
{
    CBitmap bm;
    bm.CreateBitmap(8, 8, 1, 1, rows.data());
    return CreatePatternBrush(&bm);
}

BOOL CBrush::CreateNullBrush()
{
    m_null = true;
    m_pattern = false;
    m_created = true;
    return TRUE;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf)
        return FALSE;
    m_lf = *lf;
    m_lf.lfFaceName[sizeof(m_lf.lfFaceName) - 1] = '\0';
    m_created = true;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const char* faceName)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, sizeof(lf.lfFaceName) - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int nPointSize, const char* faceName, CDC*)
{
    // Points to pixels at the screen's 96 dots per inch.
    LOGFONT lf;
    lf.lfHeight = -static_cast<LONG>(std::lround(nPointSize / 10.0 * 96.0 / 72.0));
    lf.lfWeight = FW_NORMAL;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, sizeof(lf.lfFaceName) - 1);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* lf) const
{
    if (!lf || !m_created)
        return 0;
    *lf = m_lf;
    return static_cast<int>(sizeof(LOGFONT));
}

QFont CFont::ToQFont() const
{
    QFont f = QApplication::font();
    std::string face = m_lf.lfFaceName;
    // The symbol face of the tables holds real Greek letters in our texts, so
    // any ordinary face with Greek glyphs serves.
    if (face == "Arial Symbol1")
        face = "Arial";
    if (!face.empty())
        f.setFamily(QString::fromStdString(face));
    if (m_lf.lfHeight < 0) {
        f.setPixelSize(static_cast<int>(-m_lf.lfHeight));
    } else if (m_lf.lfHeight > 0) {
        // A positive height is the cell height (ascent + descent).
        f.setPixelSize(static_cast<int>(m_lf.lfHeight));
        QFontMetrics fm(f);
        if (fm.height() > 0)
            f.setPixelSize(std::max(
                1, static_cast<int>(std::lround(m_lf.lfHeight * double(m_lf.lfHeight) / fm.height()))));
    }
    if (m_lf.lfWeight > 0)
        f.setWeight(static_cast<QFont::Weight>(std::clamp<int>(m_lf.lfWeight, 100, 900)));
    f.setItalic(m_lf.lfItalic != 0);
    f.setUnderline(m_lf.lfUnderline != 0);
    f.setStrikeOut(m_lf.lfStrikeOut != 0);
    if (m_lf.lfQuality == NONANTIALIASED_QUALITY)
        f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void GetMessageFont(LOGFONT* lf)
{
    if (!lf)
        return;
    QFont f = QApplication::font();
    *lf = LOGFONT{};
    int px = f.pixelSize();
    if (px <= 0)
        px = static_cast<int>(std::lround(f.pointSizeF() * 96.0 / 72.0));
    lf->lfHeight = -px;
    lf->lfWeight = FW_NORMAL;
    std::strncpy(lf->lfFaceName, f.family().toStdString().c_str(), sizeof(lf->lfFaceName) - 1);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits)
{
    if (width <= 0 || height <= 0)
        return FALSE;
    m_image = QImage(width, height, QImage::Format_RGB32);
    m_image.fill(Qt::black);
    m_mono = bitsPerPixel == 1;
    if (m_mono) {
        // Rows of 16-bit words; the first byte of a row holds its leftmost
        // eight pixels, most significant bit first.
        const BYTE* b = static_cast<const BYTE*>(bits);
        int stride = ((width + 15) / 16) * 2;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bool on = b && (b[y * stride + x / 8] >> (7 - x % 8)) & 1;
                m_image.setPixel(x, y, on ? 0xFFFFFFFFu : 0xFF000000u);
            }
            if (y < 8)
                m_monoRows[static_cast<size_t>(y)] = b ? b[y * stride] : 0;
        }
    }
    m_created = true;
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    // Sizes in 64 bits: a bitmap beyond what a display bitmap can hold (or
    // whose memory cannot be had) is not created.
    if (width <= 0 || height <= 0 || std::int64_t{width} * height * 4 > kMaxCompatibleBitmapBytes)
        return FALSE;
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (m_image.isNull())
        return FALSE;
    m_image.fill(Qt::black);
    m_mono = false;
    m_created = true;
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    std::string path = platform::Resources::Get().FindBitmap(nIDResource);
    QImage img;
    if (path.empty() || !img.load(QString::fromStdString(path)))
        return FALSE;
    return FromImage(img);
}

BOOL CBitmap::FromImage(const QImage& image)
{
    if (image.isNull())
        return FALSE;
    m_image = image.convertToFormat(QImage::Format_RGB32);
    m_mono = false;
    m_created = true;
    return TRUE;
}

CBitmap::~CBitmap()
{
    ReleasePaintersOf(&m_image);
}

BOOL CBitmap::DeleteObject()
{
    ReleasePaintersOf(&m_image);
    m_image = QImage();
    return CGdiObject::DeleteObject();
}

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b)
{
    m_region = QRegion(QRect(l, t, std::max(0, r - l), std::max(0, b - t)));
    m_created = true;
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const CRect* rect)
{
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    if (!a)
        return ERROR_REGION;
    QRegion other = b ? b->m_region : QRegion();
    switch (mode) {
    case RGN_AND:
        m_region = a->m_region.intersected(other);
        break;
    case RGN_OR:
        m_region = a->m_region.united(other);
        break;
    case RGN_XOR:
        m_region = a->m_region.xored(other);
        break;
    case RGN_DIFF:
        m_region = a->m_region.subtracted(other);
        break;
    case RGN_COPY:
        m_region = a->m_region;
        break;
    default:
        return ERROR_REGION;
    }
    m_created = true;
    return m_region.isEmpty() ? NULLREGION : m_region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int CRgn::GetRgnBox(CRect* rect) const
{
    QRect b = m_region.boundingRect();
    if (rect)
        *rect = CRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
    return m_region.isEmpty() ? NULLREGION : m_region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

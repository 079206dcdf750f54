// Image lists.
#include "platform/ui/ImageList.h"

BOOL CImageList::Create(int cx, int cy, UINT, int initial, int)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    m_images.clear();
    m_images.reserve(static_cast<size_t>(std::max(initial, 0)));
    return TRUE;
}

int CImageList::Add(const CBitmap* bitmap, COLORREF mask)
{
    if (!bitmap || m_cx <= 0 || bitmap->Image().isNull())
        return -1;
    const QImage& strip = bitmap->Image();
    int first = GetImageCount();
    QRgb key = ToQColor(mask).rgb();
    for (int x = 0; x + m_cx <= strip.width(); x += m_cx) {
        QImage tile =
            strip.copy(x, 0, m_cx, std::min(m_cy, strip.height())).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < tile.height(); ++y)
            for (int i = 0; i < tile.width(); ++i)
                if ((tile.pixel(i, y) & 0xFFFFFF) == (key & 0xFFFFFF))
                    tile.setPixel(i, y, 0);
        m_images.push_back(tile);
    }
    return GetImageCount() > first ? first : -1;
}

BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const
{
    if (!info || index < 0 || index >= GetImageCount())
        return FALSE;
    info->rcImage = CRect(0, 0, m_cx, m_cy);
    return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int index, CPoint pt, UINT)
{
    if (!pDC || index < 0 || index >= GetImageCount())
        return FALSE;
    // Pixel by pixel through the DC, so its mapping and clipping apply and
    // the transparent pixels leave the destination as it was.
    const QImage& src = m_images[size_t(index)];
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (qAlpha(src.pixel(x, y)))
                pDC->SetPixel(pt.x + x, pt.y + y, FromQColor(QColor(src.pixel(x, y))));
    return TRUE;
}

// A row of equally sized images drawn by index (cell images of the grid,
// check-box pictures of toggle cells).
#pragma once
#include "platform/ui/DC.h"

#include <QImage>
#include <vector>

enum : UINT { ILC_COLOR24 = 0x0018, ILC_MASK = 0x0001, ILD_NORMAL = 0, ILD_TRANSPARENT = 1 };

struct IMAGEINFO {
    CRect rcImage;
};

class CImageList {
  public:
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Adds the bitmap's tiles (cx wide each); pixels of the mask colour stay
    // transparent. Returns the index of the first image added, -1 on failure.
    int Add(const CBitmap* bitmap, COLORREF mask);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
    BOOL Draw(CDC* pDC, int index, CPoint pt, UINT style);
    CSize GetImageSize() const { return {m_cx, m_cy}; }

  private:
    int m_cx = 0, m_cy = 0;
    std::vector<QImage> m_images; // with alpha: 0 where transparent
};

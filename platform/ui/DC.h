// Device contexts over QPainter: windows (through the window's backing image),
// memory bitmaps and printers. Coordinates are logical units mapped to the
// device by the mapping mode, window and viewport; clipping is kept in device
// units, as it was. A painter is opened on the device only while this DC
// draws, so several DCs may take turns on one device.
#pragma once
#include "platform/ui/Gdi.h"

#include <QPainter>
#include <QTransform>
#include <string>
#include <vector>

class CWnd;
class QPaintDevice;
class QPrinter;

struct PAINTSTRUCT {
    CRect rcPaint;
    BOOL fErase = FALSE;
};

class CDC {
  public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory DC; draws into the bitmap selected into it.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    // Draws on any paint device (a printer: IsPrinting() answers TRUE).
    void AttachDevice(QPaintDevice* device, bool printing);
    BOOL IsPrinting() const { return m_bPrinting; }
    QPaintDevice* GetDevice() const { return m_device; }
    // The image drawn on (memory and window DCs), else null.
    QImage* GetImage() const { return m_image; }
    // The window of a window DC (paint and client DCs), else null.
    CWnd* GetWindow() const { return m_window; }

    // Printing jobs on a printer DC.
    int StartDoc(const std::string& docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

    // Selection. Each returns the object selected before (a default object
    // when none of the caller's was).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* rgn) { return SelectClipRgn(rgn); }
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const { return m_s.pen; }
    CBrush* GetCurrentBrush() const { return m_s.brush; }
    CFont* GetCurrentFont() const { return m_s.font; }
    CBitmap* GetCurrentBitmap() const { return m_bitmap; }

    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return m_s.textColour; }
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return m_s.bkColour; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_s.bkMode; }
    int SetROP2(int mode);
    int GetROP2() const { return m_s.rop2; }
    int SetPolyFillMode(int mode);
    UINT SetTextAlign(UINT flags);
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(CPoint p) { return SetBrushOrg(p.x, p.y); }

    // Mapping.
    int SetMapMode(int mode);
    int GetMapMode() const { return m_s.mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const { return m_s.windowOrg; }
    CPoint OffsetWindowOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const { return m_s.viewportOrg; }
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetViewportExt(int cx, int cy);
    void LPtoDP(CPoint* pts, int n = 1) const;
    void LPtoDP(CRect* rect) const;
    void DPtoLP(CPoint* pts, int n = 1) const;
    void DPtoLP(CRect* rect) const;

    int SaveDC();
    BOOL RestoreDC(int saved);

    // Clipping (arguments in logical units).
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(const CRect* r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(const CRect* r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
    // Region in device units; null removes the clipping.
    int SelectClipRgn(CRgn* rgn);
    int GetClipBox(CRect* rect) const;
    BOOL RectVisible(const CRect* rect) const;

    // Lines and shapes with the current pen and brush. LineTo draws up to,
    // not including, the end point.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_pos; }
    BOOL Polyline(const CPoint* pts, int n);
    BOOL Polygon(const CPoint* pts, int n);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(const CRect* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(const CRect* r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    // A rectangle with corners rounded by ellipses of width ew and height eh,
    // outlined with the pen and filled with the brush.
    BOOL RoundRect(int l, int t, int r, int b, int ew, int eh);
    BOOL RoundRect(const CRect* r, CPoint corner)
    {
        return RoundRect(r->left, r->top, r->right, r->bottom, corner.x, corner.y);
    }
    void FillRect(const CRect* rect, CBrush* brush);
    // Also leaves the background colour set to c, as the framework did.
    void FillSolidRect(const CRect* rect, COLORREF c);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    void FrameRect(const CRect* rect, CBrush* brush);
    void InvertRect(const CRect* rect);
    void Draw3dRect(const CRect* rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(CRect* rect, UINT edge, UINT flags);
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop);
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop);
    COLORREF SetPixel(int x, int y, COLORREF c);
    COLORREF GetPixel(int x, int y) const;

    // Text with the current font, text colour, background mode and colour.
    BOOL TextOut(int x, int y, const std::string& text);
    // The DT_* flags of DrawText; returns the height of the text.
    int DrawText(const std::string& text, CRect* rect, UINT format);
    CSize GetTextExtent(const std::string& text) const;
    CSize GetOutputTextExtent(const std::string& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(TEXTMETRIC* tm) const;

    int GetDeviceCaps(int index) const;
    void EndPainterPublic() const { EndPainter(); }
    // The painter on the device, in the DC's current mapping and clipping,
    // for drawing Qt documents (rich text) among the DC's own output.
    QPainter* GetQtPainter() const { return Painter(); }

  protected:
    struct State {
        CPen* pen = nullptr;
        CBrush* brush = nullptr;
        CFont* font = nullptr;
        COLORREF textColour = 0;
        COLORREF bkColour = 0xFFFFFF;
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        int fillMode = ALTERNATE;
        UINT textAlign = TA_LEFT | TA_TOP;
        CPoint brushOrg;
        int mapMode = MM_TEXT;
        CPoint windowOrg, viewportOrg;
        CSize windowExt{1, 1}, viewportExt{1, 1};
        bool hasClip = false;
        QRegion clip; // device units
    };

    void SetTarget(QPaintDevice* device, QImage* image);
    QPainter* Painter() const;
    void EndPainter() const;
    void ApplyClip() const;
    QTransform Transform() const;
    QRect DeviceRect(const CRect& r) const;
    QBrush MakeBrush(const CBrush* b) const;
    QPen MakePen() const;
    void SetRopFor(QPainter* p) const;
    QRegion DeviceBounds() const;
    void DrawCosmeticLine(QPoint a, QPoint b, bool includeEnd);
    void ResetState();

    State m_s;
    std::vector<State> m_saved;
    QPaintDevice* m_device = nullptr;
    QImage* m_image = nullptr;
    CBitmap* m_bitmap = nullptr;
    bool m_bPrinting = false;
    bool m_memory = false;
    bool m_pageStarted = false;
    CPoint m_pos;
    mutable QPainter m_painter;
    CWnd* m_window = nullptr;
};

class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

  private:
    CWnd* m_wnd;
};

class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

  private:
    CWnd* m_wnd;
};

// Ends the painter that any DC holds on the device (before the device
// changes size or goes away).
void ReleasePaintersOf(QPaintDevice* device);

// The framework's printing state between the printing calls of a view.
struct CPrintInfo {
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;
    CRect m_rectDraw;
    BOOL m_bContinuePrinting = TRUE;
    void SetMaxPage(UINT n) { m_nMaxPage = n; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    void SetMinPage(UINT n) { m_nMinPage = n; }
    UINT GetMinPage() const { return m_nMinPage; }

  private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};

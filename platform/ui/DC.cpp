// Device contexts over QPainter.
#include "platform/ui/DC.h"

#include "platform/ui/SysColor.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Which DC holds the painter of a device at the moment.
std::map<QPaintDevice*, const CDC*>& PainterOwners()
{
    static std::map<QPaintDevice*, const CDC*> owners;
    return owners;
}

CPen& DefaultPen()
{
    static CPen pen(PS_SOLID, 1, 0);
    return pen;
}
CBrush& DefaultBrush()
{
    static CBrush brush(RGB(255, 255, 255));
    return brush;
}
CFont& DefaultFont()
{
    static CFont font = [] {
        CFont f;
        LOGFONT lf;
        GetMessageFont(&lf);
        f.CreateFontIndirect(&lf);
        return f;
    }();
    return font;
}

CGdiObject* StockObject(int index)
{
    static CBrush white(RGB(255, 255, 255)), ltgray(RGB(192, 192, 192)), gray(RGB(128, 128, 128)),
        black(RGB(0, 0, 0));
    static CBrush null = [] {
        CBrush b;
        b.CreateNullBrush();
        return b;
    }();
    static CPen whitePen(PS_SOLID, 1, RGB(255, 255, 255)), blackPen(PS_SOLID, 1, 0), nullPen(PS_NULL, 1, 0);
    switch (index) {
    case WHITE_BRUSH:
        return &white;
    case LTGRAY_BRUSH:
        return &ltgray;
    case GRAY_BRUSH:
        return &gray;
    case BLACK_BRUSH:
        return &black;
    case NULL_BRUSH:
        return &null;
    case WHITE_PEN:
        return &whitePen;
    case BLACK_PEN:
        return &blackPen;
    case NULL_PEN:
        return &nullPen;
    case DEFAULT_GUI_FONT:
        return &DefaultFont();
    default:
        return nullptr;
    }
}

QPainter::CompositionMode RopMode(int rop2)
{
    switch (rop2) {
    case R2_NOT:
        return QPainter::RasterOp_NotDestination;
    case R2_XORPEN:
        return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTXORPEN:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// Text shown without the '&' mnemonic marks ("&&" stays one '&').
QString StripPrefix(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += s[i];
    }
    return QString::fromStdString(out);
}

} // namespace

void ReleasePaintersOf(QPaintDevice* device)
{
    auto& owners = PainterOwners();
    if (auto it = owners.find(device); it != owners.end())
        it->second->EndPainterPublic();
}

CDC::CDC()
{
    ResetState();
}

CDC::~CDC()
{
    DeleteDC();
}

void CDC::ResetState()
{
    m_s = State{};
    m_s.pen = &DefaultPen();
    m_s.brush = &DefaultBrush();
    m_s.font = &DefaultFont();
    m_saved.clear();
    m_pos = CPoint();
}

void CDC::SetTarget(QPaintDevice* device, QImage* image)
{
    EndPainter();
    m_device = device;
    m_image = image;
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    DeleteDC();
    m_memory = true;
    // Drawing before a bitmap is selected goes to a 1x1 monochrome bitmap.
    static CBitmap stock = [] {
        CBitmap b;
        b.CreateCompatibleBitmap(nullptr, 1, 1);
        return b;
    }();
    m_bitmap = &stock;
    SetTarget(&stock.Image(), &stock.Image());
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    EndPainter();
    m_device = nullptr;
    m_image = nullptr;
    m_bitmap = nullptr;
    m_memory = false;
    ResetState();
    return TRUE;
}

void CDC::AttachDevice(QPaintDevice* device, bool printing)
{
    SetTarget(device,
              device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr);
    m_bPrinting = printing;
}

int CDC::StartDoc(const std::string& docName)
{
    auto* printer = dynamic_cast<QPrinter*>(m_device);
    if (!printer)
        return -1;
    printer->setDocName(QString::fromStdString(docName));
    m_pageStarted = false;
    return Painter() ? 1 : -1;
}

int CDC::StartPage()
{
    auto* paged = dynamic_cast<QPagedPaintDevice*>(m_device);
    if (!paged)
        return -1;
    if (m_pageStarted && !paged->newPage())
        return -1;
    m_pageStarted = true;
    return 1;
}

int CDC::EndPage()
{
    return m_device ? 1 : -1;
}

int CDC::EndDoc()
{
    EndPainter();
    m_pageStarted = false;
    return 1;
}

int CDC::AbortDoc()
{
    if (auto* printer = dynamic_cast<QPrinter*>(m_device))
        printer->abort();
    EndPainter();
    m_pageStarted = false;
    return 1;
}

QPainter* CDC::Painter() const
{
    if (!m_device)
        return nullptr;
    if (!m_painter.isActive()) {
        auto& owners = PainterOwners();
        if (auto it = owners.find(m_device); it != owners.end() && it->second != this)
            it->second->EndPainter();
        if (!m_painter.begin(m_device))
            return nullptr;
        owners[m_device] = this;
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
        ApplyClip();
    }
    m_painter.setTransform(Transform());
    return &m_painter;
}

void CDC::EndPainter() const
{
    if (m_painter.isActive()) {
        m_painter.end();
        auto& owners = PainterOwners();
        if (auto it = owners.find(m_device); it != owners.end() && it->second == this)
            owners.erase(it);
    }
}

void CDC::ApplyClip() const
{
    if (!m_painter.isActive())
        return;
    m_painter.setTransform(QTransform());
    if (m_s.hasClip)
        m_painter.setClipRegion(m_s.clip);
    else
        m_painter.setClipping(false);
    m_painter.setTransform(Transform());
}

QRegion CDC::DeviceBounds() const
{
    if (!m_device)
        return {};
    return QRegion(0, 0, m_device->width(), m_device->height());
}

QTransform CDC::Transform() const
{
    double sx = 1, sy = 1;
    if (m_s.mapMode == MM_ANISOTROPIC || m_s.mapMode == MM_ISOTROPIC) {
        sx = m_s.windowExt.cx ? double(m_s.viewportExt.cx) / m_s.windowExt.cx : 1.0;
        sy = m_s.windowExt.cy ? double(m_s.viewportExt.cy) / m_s.windowExt.cy : 1.0;
        if (m_s.mapMode == MM_ISOTROPIC) {
            double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    }
    // device = (logical - window origin) * scale + viewport origin
    return QTransform(sx, 0, 0, sy, m_s.viewportOrg.x - m_s.windowOrg.x * sx,
                      m_s.viewportOrg.y - m_s.windowOrg.y * sy);
}

QRect CDC::DeviceRect(const CRect& r) const
{
    QRectF f = Transform().mapRect(QRectF(r.left, r.top, r.Width(), r.Height()));
    return QRect(QPoint(int(std::lround(f.left())), int(std::lround(f.top()))),
                 QPoint(int(std::lround(f.right())) - 1, int(std::lround(f.bottom())) - 1));
}

QBrush CDC::MakeBrush(const CBrush* b) const
{
    if (!b || b->m_null)
        return Qt::NoBrush;
    if (!b->m_pattern)
        return QBrush(ToQColor(b->m_colour));
    // 1 bits take the background colour, 0 bits the text colour.
    QImage tile(8, 8, QImage::Format_RGB32);
    QRgb fg = ToQColor(m_s.textColour).rgb(), bg = ToQColor(m_s.bkColour).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, (b->m_rows[size_t(y)] >> (7 - x)) & 1 ? bg : fg);
    return QBrush(tile);
}

QPen CDC::MakePen() const
{
    const CPen* p = m_s.pen;
    if (!p || p->m_style == PS_NULL)
        return Qt::NoPen;
    QPen pen(ToQColor(p->m_colour));
    pen.setWidth(p->m_width <= 1 ? 0 : p->m_width);
    switch (p->m_style) {
    case PS_DASH:
        pen.setStyle(Qt::DashLine);
        break;
    case PS_DOT:
        pen.setStyle(Qt::DotLine);
        break;
    case PS_DASHDOT:
        pen.setStyle(Qt::DashDotLine);
        break;
    default:
        pen.setStyle(Qt::SolidLine);
        break;
    }
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void CDC::SetRopFor(QPainter* p) const
{
    if (m_image)
        p->setCompositionMode(RopMode(m_s.rop2));
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* old = m_s.pen;
    m_s.pen = pen ? pen : &DefaultPen();
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_s.brush;
    m_s.brush = brush ? brush : &DefaultBrush();
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_s.font;
    m_s.font = font ? font : &DefaultFont();
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (!m_memory || !bitmap || bitmap->Image().isNull())
        return nullptr;
    CBitmap* old = m_bitmap;
    m_bitmap = bitmap;
    if (bitmap->Image().format() != QImage::Format_RGB32)
        bitmap->Image() = bitmap->Image().convertToFormat(QImage::Format_RGB32);
    SetTarget(&bitmap->Image(), &bitmap->Image());
    m_s.hasClip = false;
    return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (!object)
        return nullptr;
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
        return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush:
        return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font:
        return SelectObject(static_cast<CFont*>(object));
    case CGdiObject::Kind::Bitmap:
        return SelectObject(static_cast<CBitmap*>(object));
    case CGdiObject::Kind::Region:
        SelectClipRgn(static_cast<CRgn*>(object));
        return nullptr;
    default:
        return nullptr;
    }
}

CGdiObject* CDC::SelectStockObject(int index)
{
    CGdiObject* o = StockObject(index);
    return o ? SelectObject(o) : nullptr;
}

COLORREF CDC::SetTextColor(COLORREF c)
{
    std::swap(m_s.textColour, c);
    return c;
}

COLORREF CDC::SetBkColor(COLORREF c)
{
    std::swap(m_s.bkColour, c);
    return c;
}

int CDC::SetBkMode(int mode)
{
    std::swap(m_s.bkMode, mode);
    return mode;
}

int CDC::SetROP2(int mode)
{
    std::swap(m_s.rop2, mode);
    return mode;
}

int CDC::SetPolyFillMode(int mode)
{
    std::swap(m_s.fillMode, mode);
    return mode;
}

UINT CDC::SetTextAlign(UINT flags)
{
    std::swap(m_s.textAlign, flags);
    return flags;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    CPoint old = m_s.brushOrg;
    m_s.brushOrg = CPoint(x, y);
    return old;
}

int CDC::SetMapMode(int mode)
{
    std::swap(m_s.mapMode, mode);
    if (m_s.mapMode == MM_TEXT) {
        m_s.windowExt = CSize(1, 1);
        m_s.viewportExt = CSize(1, 1);
    }
    return mode;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    CPoint old = m_s.windowOrg;
    m_s.windowOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    return SetWindowOrg(m_s.windowOrg.x + dx, m_s.windowOrg.y + dy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    CSize old = m_s.windowExt;
    if (m_s.mapMode == MM_ANISOTROPIC || m_s.mapMode == MM_ISOTROPIC)
        m_s.windowExt = CSize(cx, cy);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    CPoint old = m_s.viewportOrg;
    m_s.viewportOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    return SetViewportOrg(m_s.viewportOrg.x + dx, m_s.viewportOrg.y + dy);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    CSize old = m_s.viewportExt;
    if (m_s.mapMode == MM_ANISOTROPIC || m_s.mapMode == MM_ISOTROPIC)
        m_s.viewportExt = CSize(cx, cy);
    return old;
}

void CDC::LPtoDP(CPoint* pts, int n) const
{
    QTransform t = Transform();
    for (int i = 0; i < n; ++i) {
        QPointF p = t.map(QPointF(pts[i].x, pts[i].y));
        pts[i] = CPoint(int(std::lround(p.x())), int(std::lround(p.y())));
    }
}

void CDC::LPtoDP(CRect* r) const
{
    CPoint p[2] = {r->TopLeft(), r->BottomRight()};
    LPtoDP(p, 2);
    *r = CRect(p[0].x, p[0].y, p[1].x, p[1].y);
}

void CDC::DPtoLP(CPoint* pts, int n) const
{
    QTransform t = Transform().inverted();
    for (int i = 0; i < n; ++i) {
        QPointF p = t.map(QPointF(pts[i].x, pts[i].y));
        pts[i] = CPoint(int(std::lround(p.x())), int(std::lround(p.y())));
    }
}

void CDC::DPtoLP(CRect* r) const
{
    CPoint p[2] = {r->TopLeft(), r->BottomRight()};
    DPtoLP(p, 2);
    *r = CRect(p[0].x, p[0].y, p[1].x, p[1].y);
}

int CDC::SaveDC()
{
    m_saved.push_back(m_s);
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int saved)
{
    int n = static_cast<int>(m_saved.size());
    int index = saved < 0 ? n + saved : saved - 1;
    if (index < 0 || index >= n)
        return FALSE;
    m_s = m_saved[size_t(index)];
    m_saved.resize(size_t(index));
    ApplyClip();
    return TRUE;
}

int CDC::IntersectClipRect(int l, int t, int r, int b)
{
    QRegion rect(DeviceRect(CRect(l, t, r, b)));
    m_s.clip = m_s.hasClip ? m_s.clip.intersected(rect) : rect;
    m_s.hasClip = true;
    ApplyClip();
    return m_s.clip.isEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::ExcludeClipRect(int l, int t, int r, int b)
{
    QRegion base = m_s.hasClip ? m_s.clip : DeviceBounds();
    m_s.clip = base.subtracted(QRegion(DeviceRect(CRect(l, t, r, b))));
    m_s.hasClip = true;
    ApplyClip();
    return m_s.clip.isEmpty() ? NULLREGION : COMPLEXREGION;
}

int CDC::SelectClipRgn(CRgn* rgn)
{
    m_s.hasClip = rgn != nullptr;
    m_s.clip = rgn ? rgn->m_region : QRegion();
    ApplyClip();
    return rgn ? (m_s.clip.isEmpty() ? NULLREGION : SIMPLEREGION) : SIMPLEREGION;
}

int CDC::GetClipBox(CRect* rect) const
{
    QRegion r = m_s.hasClip ? m_s.clip.intersected(DeviceBounds()) : DeviceBounds();
    QRect b = r.boundingRect();
    CRect box(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
    DPtoLP(&box);
    if (rect)
        *rect = box;
    return r.isEmpty() ? NULLREGION : r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL CDC::RectVisible(const CRect* rect) const
{
    QRegion r = m_s.hasClip ? m_s.clip.intersected(DeviceBounds()) : DeviceBounds();
    return rect && r.intersects(DeviceRect(*rect));
}

CPoint CDC::MoveTo(int x, int y)
{
    CPoint old = m_pos;
    m_pos = CPoint(x, y);
    return old;
}

void CDC::DrawCosmeticLine(QPoint a, QPoint b, bool includeEnd)
{
    // Bresenham in device pixels, so that one-pixel lines hit exactly the
    // pixels the program expects and stop short of their end point.
    QPainter* p = Painter();
    if (!p)
        return;
    p->setTransform(QTransform());
    p->setPen(Qt::NoPen);
    p->setBrush(ToQColor(m_s.pen->m_colour));
    SetRopFor(p);
    int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
    int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    int x = a.x(), y = a.y();
    std::vector<QRect> pixels;
    while (true) {
        bool end = x == b.x() && y == b.y();
        if (end && !includeEnd)
            break;
        pixels.emplace_back(x, y, 1, 1);
        if (end)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    for (const QRect& r : pixels)
        p->drawRect(r);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setTransform(Transform());
}

BOOL CDC::LineTo(int x, int y)
{
    CPoint from = m_pos;
    m_pos = CPoint(x, y);
    const CPen* pen = m_s.pen;
    if (!pen || pen->m_style == PS_NULL)
        return TRUE;
    QTransform t = Transform();
    if (pen->m_width <= 1 && (pen->m_style == PS_SOLID || pen->m_style == PS_INSIDEFRAME)) {
        QPoint a = t.map(QPointF(from.x, from.y)).toPoint(), b = t.map(QPointF(x, y)).toPoint();
        DrawCosmeticLine(a, b, false);
        return TRUE;
    }
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    p->setPen(MakePen());
    SetRopFor(p);
    p->drawLine(QPointF(from.x, from.y), QPointF(x, y));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::Polyline(const CPoint* pts, int n)
{
    if (!pts || n < 2)
        return FALSE;
    CPoint keep = m_pos;
    MoveTo(pts[0]);
    for (int i = 1; i < n; ++i)
        LineTo(pts[i]);
    m_pos = keep;
    return TRUE;
}

BOOL CDC::Polygon(const CPoint* pts, int n)
{
    if (!pts || n < 2)
        return FALSE;
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < n; ++i)
        poly << QPoint(pts[i].x, pts[i].y);
    p->setBrushOrigin(m_s.brushOrg.x, m_s.brushOrg.y);
    p->setBrush(MakeBrush(m_s.brush));
    p->setPen(Qt::NoPen);
    SetRopFor(p);
    p->drawPolygon(poly, m_s.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Outline with the pen, closing the figure.
    CPoint keep = m_pos;
    MoveTo(pts[0]);
    for (int i = 1; i < n; ++i)
        LineTo(pts[i]);
    LineTo(pts[0]);
    m_pos = keep;
    return TRUE;
}

BOOL CDC::Rectangle(int l, int t, int r, int b)
{
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    SetRopFor(p);
    p->setBrushOrigin(m_s.brushOrg.x, m_s.brushOrg.y);
    p->fillRect(QRect(l, t, r - l, b - t), MakeBrush(m_s.brush));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    CPoint keep = m_pos;
    MoveTo(l, t);
    LineTo(r - 1, t);
    LineTo(r - 1, b - 1);
    LineTo(l, b - 1);
    LineTo(l, t);
    m_pos = keep;
    return TRUE;
}

BOOL CDC::Ellipse(int l, int t, int r, int b)
{
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    p->setPen(MakePen());
    p->setBrush(MakeBrush(m_s.brush));
    SetRopFor(p);
    p->drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::RoundRect(int l, int t, int r, int b, int ew, int eh)
{
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    if (r < l)
        std::swap(l, r);
    if (b < t)
        std::swap(t, b);
    const int w = r - l, h = b - t;
    if (w < 1 || h < 1)
        return TRUE;
    // Rasterised here, so that the shape is the same mirrored left to right
    // and top to bottom: the pixels l..r-1 by t..b-1 (as Rectangle), their
    // corners cut by quarter ellipses of the given size.
    const double a = (std::min(std::abs(ew), w) - 1) / 2.0, e = (std::min(std::abs(eh), h) - 1) / 2.0;
    auto inside = [&](int x, int y) {
        if (x < l || x >= r || y < t || y >= b)
            return false;
        const double cx = x < l + a ? l + a : x > r - 1 - a ? r - 1 - a : x;
        const double cy = y < t + e ? t + e : y > b - 1 - e ? b - 1 - e : y;
        const double dx = (x - cx) / (a + 0.5), dy = (y - cy) / (e + 0.5);
        return dx * dx + dy * dy <= 1.0;
    };
    const bool outlined = m_s.pen && m_s.pen->m_style != PS_NULL;
    const int thickness = outlined ? std::max(1, m_s.pen->m_width) : 0;
    auto onOutline = [&](int x, int y) {
        for (int d = 1; d <= thickness; ++d)
            if (!inside(x - d, y) || !inside(x + d, y) || !inside(x, y - d) || !inside(x, y + d))
                return true;
        return false;
    };
    const QBrush fill = MakeBrush(m_s.brush);
    const QColor line = outlined ? ToQColor(m_s.pen->m_colour) : QColor();
    SetRopFor(p);
    p->setBrushOrigin(m_s.brushOrg.x, m_s.brushOrg.y);
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) {
            if (!inside(x, y))
                continue;
            if (outlined && onOutline(x, y))
                p->fillRect(QRect(x, y, 1, 1), line);
            else if (fill.style() != Qt::NoBrush)
                p->fillRect(QRect(x, y, 1, 1), fill);
        }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

void CDC::FillRect(const CRect* rect, CBrush* brush)
{
    QPainter* p = Painter();
    if (!p || !rect)
        return;
    p->setBrushOrigin(m_s.brushOrg.x, m_s.brushOrg.y);
    p->fillRect(QRect(rect->left, rect->top, rect->Width(), rect->Height()), MakeBrush(brush));
}

void CDC::FillSolidRect(const CRect* rect, COLORREF c)
{
    if (rect)
        FillSolidRect(rect->left, rect->top, rect->Width(), rect->Height(), c);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c)
{
    SetBkColor(c);
    if (QPainter* p = Painter())
        p->fillRect(QRect(x, y, cx, cy), ToQColor(c));
}

void CDC::FrameRect(const CRect* rect, CBrush* brush)
{
    if (!rect || rect->IsRectEmpty())
        return;
    const CRect& r = *rect;
    CRect sides[4] = {{r.left, r.top, r.right, r.top + 1},
                      {r.left, r.bottom - 1, r.right, r.bottom},
                      {r.left, r.top, r.left + 1, r.bottom},
                      {r.right - 1, r.top, r.right, r.bottom}};
    for (const CRect& s : sides)
        FillRect(&s, brush);
}

void CDC::InvertRect(const CRect* rect)
{
    if (rect)
        PatBlt(rect->left, rect->top, rect->Width(), rect->Height(), DSTINVERT);
}

void CDC::Draw3dRect(const CRect* rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (!rect)
        return;
    const CRect& r = *rect;
    FillSolidRect(r.left, r.top, r.Width() - 1, 1, topLeft);
    FillSolidRect(r.left, r.top, 1, r.Height() - 1, topLeft);
    FillSolidRect(r.right, r.top, -1, r.Height(), bottomRight);
    FillSolidRect(r.left, r.bottom, r.Width(), -1, bottomRight);
}

BOOL CDC::DrawEdge(CRect* rect, UINT edge, UINT flags)
{
    if (!rect)
        return FALSE;
    COLORREF keep = m_s.bkColour;
    CRect r = *rect;
    auto band = [&](COLORREF tl, COLORREF br) {
        if (flags & BF_TOP)
            FillSolidRect(r.left, r.top, r.Width(), 1, tl);
        if (flags & BF_LEFT)
            FillSolidRect(r.left, r.top, 1, r.Height(), tl);
        if (flags & BF_BOTTOM)
            FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, br);
        if (flags & BF_RIGHT)
            FillSolidRect(r.right - 1, r.top, 1, r.Height(), br);
        r.DeflateRect(1, 1);
    };
    if (edge & BDR_RAISEDOUTER)
        band(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    else if (edge & BDR_SUNKENOUTER)
        band(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    if (edge & BDR_RAISEDINNER)
        band(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    else if (edge & BDR_SUNKENINNER)
        band(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    m_s.bkColour = keep;
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop)
{
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    QRect r = QRect(x, y, w, h).normalized();
    p->setBrushOrigin(m_s.brushOrg.x, m_s.brushOrg.y);
    switch (rop) {
    case DSTINVERT:
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        p->fillRect(r, Qt::black);
        break;
    case PATINVERT:
        p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p->fillRect(r, MakeBrush(m_s.brush));
        break;
    case BLACKNESS:
        p->fillRect(r, Qt::black);
        break;
    case WHITENESS:
        p->fillRect(r, Qt::white);
        break;
    default:
        p->fillRect(r, MakeBrush(m_s.brush));
        break;
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop)
{
    return StretchBlt(x, y, w, h, src, sx, sy, w, h, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop)
{
    if (rop == DSTINVERT || rop == PATCOPY || rop == PATINVERT || rop == BLACKNESS || rop == WHITENESS)
        return PatBlt(x, y, w, h, rop);
    if (!src || !src->m_image)
        return FALSE;
    CRect srcRect(sx, sy, sx + sw, sy + sh);
    src->LPtoDP(&srcRect);
    // Copy first: source and destination may be the same image.
    QImage part = src->m_image->copy(QRect(srcRect.left, srcRect.top, srcRect.Width(), srcRect.Height()));
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    switch (rop) {
    case SRCINVERT:
        p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case SRCAND:
        p->setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case SRCPAINT:
        p->setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    default:
        p->setCompositionMode(QPainter::CompositionMode_Source);
        break;
    }
    p->drawImage(QRect(x, y, w, h), part);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF c)
{
    if (QPainter* p = Painter())
        p->fillRect(QRect(x, y, 1, 1), ToQColor(c));
    return c;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (!m_image)
        return 0xFFFFFFFF;
    CPoint pt(x, y);
    LPtoDP(&pt);
    const QImage& img = *m_image;
    if (!img.valid(pt.x, pt.y))
        return 0xFFFFFFFF;
    return FromQColor(QColor(img.pixel(pt.x, pt.y)));
}

BOOL CDC::TextOut(int x, int y, const std::string& text)
{
    QPainter* p = Painter();
    if (!p)
        return FALSE;
    QFont font = m_s.font->ToQFont();
    p->setFont(font);
    QFontMetrics fm(font, m_device);
    QString s = QString::fromStdString(text);
    int w = fm.horizontalAdvance(s);
    int dx = 0, dy = fm.ascent();
    UINT h = m_s.textAlign & TA_CENTER;
    if (h == TA_CENTER)
        dx = -w / 2;
    else if (h == TA_RIGHT)
        dx = -w;
    if ((m_s.textAlign & TA_BASELINE) == TA_BASELINE)
        dy = 0;
    else if (m_s.textAlign & TA_BOTTOM)
        dy = -fm.descent();
    p->save();
    p->translate(x, y);
    double angle = m_s.font->GetLogFontRef().lfEscapement / 10.0;
    if (angle != 0)
        p->rotate(-angle);
    if (m_s.bkMode == OPAQUE)
        p->fillRect(QRect(dx, dy - fm.ascent(), w, fm.height()), ToQColor(m_s.bkColour));
    p->setPen(ToQColor(m_s.textColour));
    p->drawText(QPoint(dx, dy), s);
    p->restore();
    return TRUE;
}

int CDC::DrawText(const std::string& text, CRect* rect, UINT format)
{
    if (!rect)
        return 0;
    QFont font = m_s.font->ToQFont();
    QString s = (format & DT_NOPREFIX) ? QString::fromStdString(text) : StripPrefix(text);
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    QFontMetrics fm(font, m_device);
    QRect r(rect->left, rect->top, rect->Width(), rect->Height());
    if (format & DT_END_ELLIPSIS && format & DT_SINGLELINE)
        s = fm.elidedText(s, Qt::ElideRight, std::max(0, r.width()));
    QRect bound = fm.boundingRect(format & DT_WORDBREAK ? QRect(r.left(), r.top(), r.width(), 1 << 20) : r,
                                  flags & ~(Qt::AlignVCenter | Qt::AlignBottom), s);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + bound.width();
        rect->bottom = rect->top + bound.height();
        return bound.height();
    }
    QPainter* p = Painter();
    if (!p)
        return 0;
    p->save();
    p->setFont(font);
    if (!(format & DT_NOCLIP))
        p->setClipRect(r, Qt::IntersectClip);
    else
        flags |= Qt::TextDontClip;
    if (m_s.bkMode == OPAQUE) {
        QRect placed = QFontMetrics(font, m_device).boundingRect(r, flags, s);
        p->fillRect(placed, ToQColor(m_s.bkColour));
    }
    p->setPen(ToQColor(m_s.textColour));
    p->drawText(r, flags, s);
    p->restore();
    return bound.height();
}

CSize CDC::GetTextExtent(const std::string& text) const
{
    QFontMetrics fm(m_s.font->ToQFont(), m_device);
    QString s = QString::fromStdString(text);
    int lines = 1;
    return CSize(fm.horizontalAdvance(s), fm.height() * lines);
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    QFont f = m_s.font->ToQFont();
    QFontMetrics fm(f, m_device);
    tm->tmHeight = fm.height();
    tm->tmAscent = fm.ascent();
    tm->tmDescent = fm.descent();
    tm->tmInternalLeading = std::max(0, fm.height() - (f.pixelSize() > 0 ? f.pixelSize() : fm.height()));
    tm->tmExternalLeading = std::max(0, fm.leading());
    tm->tmAveCharWidth = fm.averageCharWidth();
    tm->tmMaxCharWidth = fm.maxWidth();
    tm->tmWeight = f.weight();
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const
{
    if (!m_device)
        return 0;
    switch (index) {
    case HORZRES:
        return m_device->width();
    case VERTRES:
        return m_device->height();
    case LOGPIXELSX:
        return m_device->logicalDpiX();
    case LOGPIXELSY:
        return m_device->logicalDpiY();
    default:
        return 0;
    }
}

CPaintDC::CPaintDC(CWnd* wnd) : m_wnd(wnd)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return;
    m_window = wnd;
    QImage* backing = wnd->BackingImage();
    if (!backing)
        return;
    AttachDevice(backing, false);
    bool erase = false;
    QRegion region = wnd->TakeInvalidRegion(&erase);
    QRect b = region.boundingRect();
    m_ps.rcPaint = CRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
    m_ps.fErase = erase;
    m_s.hasClip = true;
    m_s.clip = region;
    if (erase)
        wnd->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(this), 0);
}

CPaintDC::~CPaintDC()
{
    EndPainter();
    if (m_wnd && m_wnd->GetSafeHwnd())
        m_wnd->ShowBacking();
}

CClientDC::CClientDC(CWnd* wnd) : m_wnd(wnd)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return;
    m_window = wnd;
    if (QImage* backing = wnd->BackingImage()) {
        // On a surface with a picture of its own, the DC draws over that picture.
        if (platform::detail::Surface* surface = platform::detail::SurfaceOf(wnd->GetWidget())) {
            ReleasePaintersOf(backing);
            surface->PrepareClientImage(*backing);
        }
        AttachDevice(backing, false);
    }
}

CClientDC::~CClientDC()
{
    EndPainter();
    if (m_wnd && m_wnd->GetSafeHwnd())
        m_wnd->ShowBacking();
}

// Edits of the pixel grid as a whole. Each builds the new pixels in a new
// buffer and takes it over when complete.
#include "dralo/model/editing/Geometry.h"

#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

namespace dralo {

namespace {

// Refuses a size outside 1..32767 with a message.
bool SizeAccepted(std::int64_t w, std::int64_t h, EngineHost& host)
{
    if (w > kMaxBitmapSize || h > kMaxBitmapSize) {
        host.MessageBox(kMsgBitmapTooLarge, MessageStyle::Ok);
        return false;
    }
    if (w < 1 || h < 1) {
        host.MessageBox(kMsgBitmapTooSmall, MessageStyle::Ok);
        return false;
    }
    return true;
}

// A new w x h buffer, or a message when the memory cannot be had.
bool NewPixels(std::vector<std::uint8_t>& pixels, std::int64_t w, std::int64_t h, EngineHost& host)
{
    try {
        pixels.assign(static_cast<std::size_t>(w * h), 0);
    } catch (const std::bad_alloc&) {
        host.MessageBox(kMsgNoMemory, MessageStyle::Ok);
        return false;
    }
    return true;
}

// Applies f to each set coordinate of every distance: f(value, alongX).
template <typename F> void MoveDistancePoints(BitmapModel& m, F f)
{
    for (int k = 0; k < m.ndis; ++k) {
        DistanceRecord& d = m.distances[static_cast<std::size_t>(k)];
        for (auto [v, alongX] : {std::pair{&d.x1, true}, {&d.x2, true}, {&d.y1, false}, {&d.y2, false}})
            if (*v != -1)
                *v = static_cast<std::int16_t>(f(*v, alongX));
    }
}

} // namespace

void RotateBitmap90(BitmapModel& m)
{
    const std::int64_t w = m.width, h = m.height;
    if (w < 1 || h < 1)
        return;
    std::vector<std::uint8_t> rotated(m.pixels.size());
    // Old pixel (x, y) goes to new (h-1-y, x) in a bitmap h wide.
    for (std::int64_t y = 0; y < h; ++y)
        for (std::int64_t x = 0; x < w; ++x)
            rotated[static_cast<std::size_t>((h - 1 - y) + x * h)] = m.pixels[static_cast<std::size_t>(x + y * w)];
    m.pixels.swap(rotated);
    m.width = static_cast<std::int32_t>(h);
    m.height = static_cast<std::int32_t>(w);
    for (int k = 0; k < m.ndis; ++k) {
        DistanceRecord& d = m.distances[static_cast<std::size_t>(k)];
        d.diss = d.diss ? 0 : 1;
        for (auto [x, y] : {std::pair{&d.x1, &d.y1}, {&d.x2, &d.y2}}) {
            if (*x == -1 || *y == -1)
                continue;
            const std::int16_t ox = *x;
            *x = static_cast<std::int16_t>(h - 1 - *y);
            *y = ox;
        }
    }
}

bool ResizeBitmap(BitmapModel& m, std::int32_t w, std::int32_t h, std::int32_t dx, std::int32_t dy, bool extend,
                  EngineHost& host)
{
    if (!SizeAccepted(w, h, host) || m.width < 1 || m.height < 1)
        return false;
    std::vector<std::uint8_t> pixels;
    if (!NewPixels(pixels, w, h, host))
        return false;
    const std::int64_t ow = m.width, oh = m.height;
    for (std::int64_t y = 0; y < h; ++y) {
        std::int64_t oy = y - dy;
        const bool rowInside = oy >= 0 && oy < oh;
        oy = std::clamp<std::int64_t>(oy, 0, oh - 1);
        for (std::int64_t x = 0; x < w; ++x) {
            std::int64_t ox = x - dx;
            const bool inside = rowInside && ox >= 0 && ox < ow;
            ox = std::clamp<std::int64_t>(ox, 0, ow - 1);
            pixels[static_cast<std::size_t>(x + y * w)] =
                inside || extend ? m.pixels[static_cast<std::size_t>(ox + oy * ow)] : 1;
        }
    }
    MoveDistancePoints(m, [&](std::int64_t v, bool alongX) {
        const std::int64_t oldLast = (alongX ? ow : oh) - 1, newLast = (alongX ? w : h) - 1;
        if (v == oldLast)
            return newLast;
        if (v > 0)
            v += alongX ? dx : dy;
        return std::clamp<std::int64_t>(v, 0, newLast);
    });
    AdoptPixels(m, w, h, std::move(pixels));
    return true;
}

bool InsertPixelBand(BitmapModel& m, std::int32_t x, std::int32_t y, std::int32_t nx, std::int32_t ny,
                     EngineHost& host)
{
    if (!InsideBitmap(m, x, y) || nx < 0 || ny < 0)
        return false;
    const std::int64_t ow = m.width, oh = m.height, w = ow + nx, h = oh + ny;
    std::vector<std::uint8_t> pixels;
    if (!SizeAccepted(w, h, host) || !NewPixels(pixels, w, h, host))
        return false;
    auto source = [](std::int64_t v, std::int64_t at, std::int64_t n) { return v <= at ? v : v <= at + n ? at : v - n; };
    for (std::int64_t j = 0; j < h; ++j) {
        const std::int64_t oy = source(j, y, ny);
        for (std::int64_t i = 0; i < w; ++i)
            pixels[static_cast<std::size_t>(i + j * w)] = m.pixels[static_cast<std::size_t>(source(i, x, nx) + oy * ow)];
    }
    MoveDistancePoints(m, [&](std::int64_t v, bool alongX) {
        const std::int64_t at = alongX ? x : y, n = alongX ? nx : ny;
        return v > at ? v + n : v;
    });
    AdoptPixels(m, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h), std::move(pixels));
    return true;
}

bool DeletePixelBand(BitmapModel& m, std::int32_t x, std::int32_t y, std::int32_t nx, std::int32_t ny,
                     EngineHost& host)
{
    if (!InsideBitmap(m, x, y) || nx < 0 || ny < 0)
        return false;
    const std::int64_t ow = m.width, oh = m.height;
    const std::int64_t cx = std::min<std::int64_t>(nx, ow - x), cy = std::min<std::int64_t>(ny, oh - y);
    const std::int64_t w = ow - cx, h = oh - cy;
    std::vector<std::uint8_t> pixels;
    if (!SizeAccepted(w, h, host) || !NewPixels(pixels, w, h, host))
        return false;
    for (std::int64_t j = 0; j < h; ++j) {
        const std::int64_t oy = j < y ? j : j + cy;
        for (std::int64_t i = 0; i < w; ++i)
            pixels[static_cast<std::size_t>(i + j * w)] =
                m.pixels[static_cast<std::size_t>((i < x ? i : i + cx) + oy * ow)];
    }
    MoveDistancePoints(m, [&](std::int64_t v, bool alongX) {
        const std::int64_t at = alongX ? x : y, n = alongX ? cx : cy, last = (alongX ? w : h) - 1;
        if (v >= at + n)
            v -= n;
        else if (v >= at)
            v = at;
        return std::min(v, last);
    });
    AdoptPixels(m, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h), std::move(pixels));
    return true;
}

bool ResizePixels(BitmapModel& m, float s, EngineHost& host)
{
    if (!(s > 0) || !std::isfinite(s) || m.width < 1 || m.height < 1)
        return false;
    const double f = static_cast<double>(m.pixs) / s;
    const double fw = std::trunc(f * m.width + 0.5), fh = std::trunc(f * m.height + 0.5);
    if (!SizeAccepted(static_cast<std::int64_t>(std::min(fw, 1e9)), static_cast<std::int64_t>(std::min(fh, 1e9)),
                      host))
        return false;
    const std::int64_t w = static_cast<std::int64_t>(fw), h = static_cast<std::int64_t>(fh);
    std::vector<std::uint8_t> pixels;
    if (!NewPixels(pixels, w, h, host))
        return false;
    const std::int64_t ow = m.width, oh = m.height;
    std::vector<std::int64_t> column(static_cast<std::size_t>(w));
    for (std::int64_t x = 0; x < w; ++x)
        column[static_cast<std::size_t>(x)] =
            std::clamp<std::int64_t>(static_cast<std::int64_t>((x + 0.5) / f), 0, ow - 1);
    for (std::int64_t y = 0; y < h; ++y) {
        const std::int64_t oy = std::clamp<std::int64_t>(static_cast<std::int64_t>((y + 0.5) / f), 0, oh - 1);
        for (std::int64_t x = 0; x < w; ++x)
            pixels[static_cast<std::size_t>(x + y * w)] =
                m.pixels[static_cast<std::size_t>(column[static_cast<std::size_t>(x)] + oy * ow)];
    }
    m.pixs = s;
    m.tris = static_cast<float>(m.tris * f);
    for (ColourRecord& c : m.colours)
        if (c.present)
            c.tric = static_cast<float>(c.tric * f);
    MoveDistancePoints(m, [&](std::int64_t v, bool alongX) {
        const std::int64_t scaled = static_cast<std::int64_t>(std::trunc(f * v + 0.5));
        return std::clamp<std::int64_t>(scaled, 0, (alongX ? w : h) - 1);
    });
    AdoptPixels(m, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h), std::move(pixels));
    return true;
}

bool CropBitmapBorders(BitmapModel& m, bool left, bool right, bool top, bool bottom, EngineHost& host)
{
    const std::int64_t w = m.width, h = m.height;
    if (w < 1 || h < 1)
        return false;
    auto at = [&](std::int64_t x, std::int64_t y) { return m.pixels[static_cast<std::size_t>(x + y * w)]; };
    auto uniformColumn = [&](std::int64_t x, std::uint8_t c) {
        for (std::int64_t y = 0; y < h; ++y)
            if (at(x, y) != c)
                return false;
        return true;
    };
    auto uniformRow = [&](std::int64_t y, std::uint8_t c) {
        for (std::int64_t x = 0; x < w; ++x)
            if (at(x, y) != c)
                return false;
        return true;
    };
    std::int64_t l = 0, r = 0, t = 0, b = 0;
    if (left)
        while (l < w && uniformColumn(l, at(0, 0)))
            ++l;
    if (right)
        while (r < w && uniformColumn(w - 1 - r, at(w - 1, 0)))
            ++r;
    if (top)
        while (t < h && uniformRow(t, at(0, 0)))
            ++t;
    if (bottom)
        while (b < h && uniformRow(h - 1 - b, at(0, h - 1)))
            ++b;
    // A uniform bitmap keeps one column and one row.
    l = std::min(l, w - 1);
    r = std::min(r, w - 1 - l);
    t = std::min(t, h - 1);
    b = std::min(b, h - 1 - t);
    if (l + r + t + b == 0)
        return false;
    return ResizeBitmap(m, static_cast<std::int32_t>(w - l - r), static_cast<std::int32_t>(h - t - b),
                        static_cast<std::int32_t>(-l), static_cast<std::int32_t>(-t), false, host);
}

void FindColourLabelPositions(BitmapModel& m)
{
    for (ColourRecord& c : m.colours)
        c.labelX = c.labelY = c.labelSize = 0;
    const std::int64_t w = m.width;
    std::vector<std::uint8_t> above(static_cast<std::size_t>(w), 0), row(static_cast<std::size_t>(w), 0);
    for (std::int64_t y = 0; y < m.height; ++y) {
        const std::uint8_t* px = m.pixels.data() + y * w;
        for (std::int64_t x = 0; x < w; ++x) {
            std::uint8_t s = 1;
            if (x > 0 && y > 0 && px[x - 1] == px[x] && px[x - w] == px[x] && px[x - w - 1] == px[x])
                s = static_cast<std::uint8_t>(std::min<int>(
                    32, 1 + std::min({above[static_cast<std::size_t>(x)], above[static_cast<std::size_t>(x - 1)],
                                      row[static_cast<std::size_t>(x - 1)]})));
            row[static_cast<std::size_t>(x)] = s;
            ColourRecord& c = m.colours[px[x]];
            if (s > c.labelSize) {
                c.labelSize = s;
                c.labelX = static_cast<std::int32_t>(x - (s - 1) / 2);
                c.labelY = static_cast<std::int32_t>(y - (s - 1) / 2);
            }
        }
        above.swap(row);
    }
}

} // namespace dralo

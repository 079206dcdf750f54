// Reading and writing the model's bitmaps. The readers take the whole header
// and palette first, then decode the rows into a new buffer; only a complete
// decode reaches the model. RLE8 is read as the program has always read it
// (an end of line at the very start of a row is ignored; a run that reaches
// past the row's end ends the row), and three things other writers put in
// their files are honoured instead of misread: a delta moves the position,
// an absolute run past the row's end is read whole, and a stream that ends
// early with an end-of-bitmap mark leaves its remaining pixels 0.
#include "dralo/model/files/BmpFiles.h"

#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/Statistics.h"
#include "platform/core/DibTypes.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

namespace dralo {

namespace {

using platform::BI_RGB;
using platform::BI_RLE8;
using platform::kBmpFileType;
using platform::kFileHeaderSize;
using platform::kInfoHeaderSize;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The file opened; EngineError FileOpen with the path when it cannot be
// (an empty path, a folder).
File OpenForReading(const std::string& path)
{
    std::error_code ec;
    File f(path.empty() || std::filesystem::is_directory(path, ec) ? nullptr : std::fopen(path.c_str(), "rb"));
    if (!f)
        throw EngineError::FileOpen(path);
    return f;
}

// Buffered reading of bytes from the pixel data on.
class ByteReader {
  public:
    explicit ByteReader(std::FILE* f) : m_file(f) {}
    // False at the end of the file.
    bool Get(std::uint8_t& b)
    {
        if (m_pos == m_end && !Refill())
            return false;
        b = m_buf[m_pos++];
        return true;
    }
    // Reads n bytes; false when the file ends before.
    bool Read(std::uint8_t* out, std::size_t n)
    {
        while (n > 0) {
            if (m_pos == m_end && !Refill())
                return false;
            const std::size_t k = std::min(n, m_end - m_pos);
            std::memcpy(out, m_buf.data() + m_pos, k);
            out += k;
            m_pos += k;
            n -= k;
        }
        return true;
    }
    bool Skip(std::size_t n)
    {
        std::uint8_t b;
        for (; n > 0; --n)
            if (!Get(b))
                return false;
        return true;
    }

  private:
    bool Refill()
    {
        m_pos = 0;
        m_end = std::fread(m_buf.data(), 1, m_buf.size(), m_file);
        return m_end > 0;
    }
    std::FILE* m_file;
    std::array<std::uint8_t, 1 << 16> m_buf{};
    std::size_t m_pos = 0, m_end = 0;
};

// What the headers say, and why a file is refused.
enum class Refusal { None, Silent, NotBmp, TooLarge };

struct BmpHeader {
    platform::BITMAPFILEHEADER file;
    platform::BITMAPINFOHEADER info;
    std::int64_t fileSize = 0;
};

// Reads the two headers. Silent: no "BM" file. NotBmp: a short header.
Refusal ReadHeaders(std::FILE* f, BmpHeader& h)
{
    BYTE bytes[kFileHeaderSize + kInfoHeaderSize];
    const std::size_t got = std::fread(bytes, 1, sizeof bytes, f);
    if (got < 2)
        return Refusal::Silent;
    h.file = platform::DecodeFileHeader(bytes);
    if (got >= 2 && platform::ReadLe16(bytes) != kBmpFileType)
        return Refusal::Silent;
    if (got < sizeof bytes)
        return Refusal::NotBmp;
    h.info = platform::DecodeInfoHeader(bytes + kFileHeaderSize);
    if (std::fseek(f, 0, SEEK_END) != 0)
        return Refusal::NotBmp;
    h.fileSize = std::ftell(f);
    return Refusal::None;
}

bool KindAccepted(const BmpHeader& h, bool checkCompression)
{
    return h.info.biPlanes == 1 && h.info.biBitCount == 8 &&
           (!checkCompression || h.info.biCompression == BI_RGB || h.info.biCompression == BI_RLE8);
}

Refusal CheckSize(const BmpHeader& h)
{
    if (h.info.biWidth > kMaxBitmapSize || h.info.biHeight > kMaxBitmapSize)
        return Refusal::TooLarge;
    if (h.info.biWidth < 1 || h.info.biHeight < 1)
        return Refusal::NotBmp;
    return Refusal::None;
}

// The palette entries as display colours (at most 256; 0 used means 256).
bool ReadPalette(std::FILE* f, const BmpHeader& h, std::vector<std::array<std::uint8_t, 3>>& rgb)
{
    const std::uint32_t used = h.info.biClrUsed == 0 ? 256u : std::min<std::uint32_t>(h.info.biClrUsed, 256u);
    if (std::fseek(f, kFileHeaderSize + kInfoHeaderSize, SEEK_SET) != 0)
        return false;
    std::vector<std::uint8_t> bytes(used * 4u);
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size())
        return false;
    rgb.resize(used);
    for (std::uint32_t i = 0; i < used; ++i)
        rgb[i] = {bytes[4 * i + 2], bytes[4 * i + 1], bytes[4 * i]}; // red, green, blue
    return true;
}

void StorePalette(BitmapModel& m, const std::vector<std::array<std::uint8_t, 3>>& rgb)
{
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        ColourRecord& c = m.colours[i];
        c.red = rgb[i][0];
        c.green = rgb[i][1];
        c.blue = rgb[i][2];
        c.displayColour = static_cast<std::uint32_t>(c.red) + 256u * c.green + 65536u * c.blue;
    }
}

// Decodes the pixel data into w x h bytes, top row first. False when the
// data is cut short.
bool DecodePixels(std::FILE* f, const BmpHeader& h, std::vector<std::uint8_t>& out)
{
    const std::int64_t w = h.info.biWidth, ht = h.info.biHeight;
    if (h.file.bfOffBits >= h.fileSize || std::fseek(f, static_cast<long>(h.file.bfOffBits), SEEK_SET) != 0)
        return false;
    ByteReader in(f);
    if (h.info.biCompression == BI_RGB) {
        const std::int64_t rowBytes = platform::DibRowBytes(w, 8);
        if (h.fileSize - h.file.bfOffBits < rowBytes * ht)
            return false;
        for (std::int64_t r = 0; r < ht; ++r)
            if (!in.Read(out.data() + (ht - 1 - r) * w, static_cast<std::size_t>(w)) ||
                !in.Skip(static_cast<std::size_t>(rowBytes - w)))
                return false;
        return true;
    }
    // RLE8: r counts file rows (0 = the bottom row), x the pixels of the row.
    std::int64_t r = 0, x = 0;
    auto nextRow = [&] {
        ++r;
        x = 0;
    };
    auto put = [&](std::uint8_t v) {
        if (x < w)
            out[static_cast<std::size_t>((ht - 1 - r) * w + x)] = v;
        ++x;
    };
    while (r < ht) {
        std::uint8_t count, value;
        if (!in.Get(count) || !in.Get(value))
            return false;
        if (count > 0) {
            for (int i = 0; i < count && x < w; ++i)
                put(value);
            if (x >= w)
                nextRow();
        } else if (value == 0) { // end of line; ignored at the start of a row
            if (x > 0)
                nextRow();
        } else if (value == 1) { // end of bitmap
            return true;
        } else if (value == 2) { // delta: right and up
            std::uint8_t dx, dy;
            if (!in.Get(dx) || !in.Get(dy))
                return false;
            x += dx;
            r += dy;
            if (x >= w && r < ht)
                nextRow();
        } else { // absolute run, padded to a word
            for (int i = 0; i < value; ++i) {
                std::uint8_t b;
                if (!in.Get(b))
                    return false;
                if (x < w)
                    put(b);
            }
            if ((value & 1) && !in.Skip(1))
                return false;
            if (x >= w)
                nextRow();
        }
    }
    return true;
}

// Opens and checks a bitmap whose pixels are to be read (planes, bits,
// compression and, with checkSize, its size); shows the message of a refusal.
File OpenBitmap(const std::string& path, BmpHeader& h, EngineHost& host, bool checkSize)
{
    File f = OpenForReading(path);
    const Refusal r = ReadHeaders(f.get(), h);
    if (r == Refusal::Silent)
        return nullptr;
    if (r == Refusal::NotBmp || !KindAccepted(h, true)) {
        host.MessageBox(kMsgNotBmp, MessageStyle::Ok);
        return nullptr;
    }
    if (checkSize) {
        const Refusal s = CheckSize(h);
        if (s != Refusal::None) {
            host.MessageBox(s == Refusal::TooLarge ? kMsgBitmapTooLarge : kMsgNotBmp, MessageStyle::Ok);
            return nullptr;
        }
    }
    return f;
}

// Decodes the pixels of an opened bitmap into a new buffer; messages 259
// and 258 on failure.
bool DecodeNew(std::FILE* f, const BmpHeader& h, std::vector<std::uint8_t>& pixels, EngineHost& host)
{
    try {
        pixels.assign(static_cast<std::size_t>(static_cast<std::int64_t>(h.info.biWidth) * h.info.biHeight), 0);
    } catch (const std::bad_alloc&) {
        host.MessageBox(kMsgNoMemory, MessageStyle::Ok);
        return false;
    }
    if (!DecodePixels(f, h, pixels)) {
        host.MessageBox(kMsgNotBmp, MessageStyle::Ok);
        return false;
    }
    return true;
}

} // namespace

bool CheckBmpHeader(const std::string& path, EngineHost& host)
{
    BmpHeader h;
    return OpenBitmap(path, h, host, false) != nullptr;
}

bool ReadBmpFile(BitmapModel& m, const std::string& path, EngineHost& host)
{
    BmpHeader h;
    File f = OpenBitmap(path, h, host, true);
    if (!f)
        return false;
    std::vector<std::array<std::uint8_t, 3>> palette;
    std::vector<std::uint8_t> pixels;
    if (!ReadPalette(f.get(), h, palette)) {
        host.MessageBox(kMsgNotBmp, MessageStyle::Ok);
        return false;
    }
    if (!DecodeNew(f.get(), h, pixels, host))
        return false;
    f.reset();
    try {
        AdoptPixels(m, h.info.biWidth, h.info.biHeight, std::move(pixels));
    } catch (const std::bad_alloc&) {
        host.MessageBox(kMsgNoMemory, MessageStyle::Ok);
        return false;
    }
    StorePalette(m, palette);
    BuildColourBoundaryEdges(m);
    return true;
}

std::int64_t WriteRle8Pixels(const BitmapModel& m, std::FILE* f)
{
    std::vector<std::uint8_t> buf;
    buf.reserve(1 << 16);
    std::int64_t written = 0;
    bool good = true;
    auto flush = [&] {
        if (!buf.empty() && std::fwrite(buf.data(), 1, buf.size(), f) != buf.size())
            good = false;
        written += static_cast<std::int64_t>(buf.size());
        buf.clear();
    };
    const std::int64_t w = m.width;
    for (std::int64_t y = m.height - 1; y >= 0; --y) {
        const std::uint8_t* row = m.pixels.data() + y * w;
        std::int64_t x = 0;
        while (x < w) {
            const std::uint8_t v = row[x];
            std::int64_t n = 1;
            while (n < 255 && x + n < w && row[x + n] == v)
                ++n;
            buf.push_back(static_cast<std::uint8_t>(n));
            buf.push_back(v);
            x += n;
        }
        buf.push_back(0);
        buf.push_back(0);
        if (buf.size() >= (1 << 16) - 2048)
            flush();
    }
    buf.push_back(0);
    buf.push_back(1);
    flush();
    return good ? written : -1;
}

bool WriteModelBmp(const BitmapModel& m, const std::string& path)
{
    if (path.empty() || m.width < 1 || m.height < 1)
        return false;
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "w+b");
    if (!f)
        return false;
    platform::BITMAPFILEHEADER fh;
    fh.bfType = kBmpFileType;
    fh.bfOffBits = kFileHeaderSize + kInfoHeaderSize + 256 * 4;
    platform::BITMAPINFOHEADER ih;
    ih.biSize = kInfoHeaderSize;
    ih.biWidth = m.width;
    ih.biHeight = m.height;
    ih.biPlanes = 1;
    ih.biBitCount = 8;
    ih.biCompression = BI_RLE8;
    ih.biClrUsed = 256;
    BYTE head[kFileHeaderSize + kInfoHeaderSize + 256 * 4] = {};
    auto encodeHeaders = [&] {
        platform::EncodeFileHeader(fh, head);
        platform::EncodeInfoHeader(ih, head + kFileHeaderSize);
    };
    encodeHeaders();
    for (int c = 0; c < kColourCount; ++c) {
        BYTE* e = head + kFileHeaderSize + kInfoHeaderSize + 4 * c;
        e[0] = m.colours[c].blue;
        e[1] = m.colours[c].green;
        e[2] = m.colours[c].red;
        e[3] = 0;
    }
    bool good = std::fwrite(head, 1, sizeof head, f) == sizeof head;
    const std::int64_t bytes = good ? WriteRle8Pixels(m, f) : -1;
    good = bytes >= 0 && bytes <= 0xFFFFFFFFLL - fh.bfOffBits;
    if (good) {
        fh.bfSize = static_cast<DWORD>(fh.bfOffBits + bytes);
        ih.biSizeImage = static_cast<DWORD>(bytes);
        encodeHeaders();
        good = std::fseek(f, 0, SEEK_SET) == 0 &&
               std::fwrite(head, 1, kFileHeaderSize + kInfoHeaderSize, f) == kFileHeaderSize + kInfoHeaderSize;
    }
    if (std::fclose(f) != 0)
        good = false;
    if (!good || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool ReadBmpPalette(BitmapModel& m, const std::string& path, EngineHost& host)
{
    File f = OpenForReading(path);
    BmpHeader h;
    const Refusal r = ReadHeaders(f.get(), h);
    if (r == Refusal::Silent)
        return false;
    std::vector<std::array<std::uint8_t, 3>> palette;
    if (r == Refusal::NotBmp || !KindAccepted(h, false) || !ReadPalette(f.get(), h, palette)) {
        host.MessageBox(kMsgNotBmp, MessageStyle::Ok);
        return false;
    }
    StorePalette(m, palette);
    return true;
}

bool ImportBitmapFile(BitmapModel& m, const std::string& path, std::int32_t x, std::int32_t y, int corner,
                      EngineHost& host)
{
    BmpHeader h;
    File f = OpenBitmap(path, h, host, true);
    if (!f)
        return false;
    std::vector<std::uint8_t> pixels;
    if (!DecodeNew(f.get(), h, pixels, host))
        return false;
    const std::int64_t w = h.info.biWidth, ht = h.info.biHeight;
    std::int64_t x0 = x, y0 = y;
    if (corner == 1 || corner == 3)
        x0 = x0 + 1 - w;
    if (corner == 2 || corner == 3)
        y0 = y0 + 1 - ht;
    for (std::int64_t j = 0; j < ht; ++j) {
        const std::int64_t my = y0 + j;
        if (my < 0 || my >= m.height)
            continue;
        for (std::int64_t i = std::max<std::int64_t>(0, -x0); i < w && x0 + i < m.width; ++i)
            SetPixelColour(m, PixelIndex(m, x0 + i, my), pixels[static_cast<std::size_t>(j * w + i)]);
    }
    return true;
}

} // namespace dralo

// The AVI writer (see AviWriter.h). The file is laid out as
//
//   RIFF 'AVI '
//     LIST 'hdrl'  'avih' (main header)  LIST 'strl' ('strh' stream header, 'strf' format + colour table)
//     LIST 'movi'  '00dc' or '00db' frame chunks
//     'idx1'       one entry a frame: chunk id, key-frame flag, offset from 'movi', size
//
// with every header of fixed size, so that Close can fill in what is known
// only at the end.
#include "platform/core/AviWriter.h"

#include "platform/core/Dib.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform {
namespace {

// Positions in the file of the fields Close fills in.
constexpr long kRiffSize = 4;
constexpr long kAvihData = 32;
constexpr long kStrhData = 108;
constexpr long kStrfData = 172;
constexpr long kPalette = kStrfData + kInfoHeaderSize;
constexpr long kMoviSize = kPalette + 4 * AviWriter::kPaletteEntries + 4;
constexpr std::uint64_t kMoviStart = kMoviSize + 8; // the first frame chunk
constexpr std::uint64_t kMoviFourcc = kMoviSize + 4;

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint32_t kAviifKeyFrame = 0x10;

class Bytes {
  public:
    void Tag(const char* fourcc) { m_data.insert(m_data.end(), fourcc, fourcc + 4); }
    void U32(std::uint32_t v)
    {
        for (int k = 0; k < 4; ++k)
            m_data.push_back(static_cast<BYTE>(v >> (8 * k)));
    }
    void U16(std::uint16_t v)
    {
        m_data.push_back(static_cast<BYTE>(v));
        m_data.push_back(static_cast<BYTE>(v >> 8));
    }
    void Zeros(std::size_t n) { m_data.insert(m_data.end(), n, 0); }
    const std::vector<BYTE>& Data() const { return m_data; }

  private:
    std::vector<BYTE> m_data;
};

std::uint32_t U32(std::uint64_t v)
{
    return static_cast<std::uint32_t>(v);
}

std::uint64_t Padded(std::uint64_t size)
{
    return size + (size & 1);
}

} // namespace

AviWriter::~AviWriter()
{
    Close();
}

bool AviWriter::Put(const void* data, std::size_t size)
{
    if (m_failed || !m_file)
        return false;
    if (size > 0 && std::fwrite(data, 1, size, m_file) != size)
        m_failed = true;
    m_position += size;
    return !m_failed;
}

bool AviWriter::PutAt(long position, const void* data, std::size_t size)
{
    if (m_failed || !m_file)
        return false;
    if (std::fseek(m_file, position, SEEK_SET) != 0 || std::fwrite(data, 1, size, m_file) != size)
        m_failed = true;
    return !m_failed;
}

bool AviWriter::Open(const std::string& path, const AviStreamInfo& info)
{
    Close();
    if (info.width <= 0 || info.height <= 0 || info.width > kMaxDibDimension || info.height > kMaxDibDimension ||
        info.framesPerSecond <= 0)
        return false;
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file)
        return false;
    m_info = info;
    m_failed = false;
    m_position = 0;
    m_largestFrame = 0;
    m_index.clear();
    m_palette.assign(kPaletteEntries, RGBQUAD{});

    const bool rle = info.compression == AviCompression::Rle8;
    const std::uint32_t plainSize = U32(DibRowBytes(info.width, 8) * info.height);
    Bytes b;
    b.Tag("RIFF");
    b.U32(0);
    b.Tag("AVI ");
    b.Tag("LIST");
    b.U32(U32(kMoviSize - 4 - 20));
    b.Tag("hdrl");
    b.Tag("avih");
    b.U32(56);
    b.U32(U32(1000000 / info.framesPerSecond));
    b.U32(0); // bytes per second, set on closing
    b.U32(0);
    b.U32(kAvifHasIndex);
    b.U32(0); // frames, set on closing
    b.U32(0);
    b.U32(1);
    b.U32(0); // largest frame, set on closing
    b.U32(U32(info.width));
    b.U32(U32(info.height));
    b.Zeros(16);
    b.Tag("LIST");
    b.U32(U32(kMoviSize - 4 - 96));
    b.Tag("strl");
    b.Tag("strh");
    b.U32(56);
    b.Tag("vids");
    b.Tag(rle ? "mrle" : "DIB ");
    b.U32(0);
    b.U16(0);
    b.U16(0);
    b.U32(0);
    b.U32(1);                                   // scale
    b.U32(U32(info.framesPerSecond));           // rate
    b.U32(0);                                   // start
    b.U32(0);                                   // length, set on closing
    b.U32(0);                                   // largest frame, set on closing
    b.U32(0xFFFFFFFFu);                         // default quality
    b.U32(0);                                   // frames differ in size
    b.U16(0);
    b.U16(0);
    b.U16(static_cast<std::uint16_t>(info.width));
    b.U16(static_cast<std::uint16_t>(info.height));
    b.Tag("strf");
    b.U32(U32(kInfoHeaderSize + 4 * kPaletteEntries));
    b.U32(kInfoHeaderSize);
    b.U32(U32(info.width));
    b.U32(U32(info.height)); // bottom-up rows
    b.U16(1);
    b.U16(8);
    b.U32(rle ? BI_RLE8 : BI_RGB);
    b.U32(plainSize);
    b.U32(0);
    b.U32(0);
    b.U32(kPaletteEntries);
    b.U32(0);
    b.Zeros(4 * kPaletteEntries); // colour table, set on closing
    b.Tag("LIST");
    b.U32(0); // movi size, set on closing
    b.Tag("movi");
    if (!Put(b.Data().data(), b.Data().size()) || m_position != kMoviStart) {
        std::fclose(m_file);
        m_file = nullptr;
        return false;
    }
    return true;
}

std::uint64_t AviWriter::ClosedSize() const
{
    return m_position + 8 + 16 * static_cast<std::uint64_t>(m_index.size());
}

AviWriter::FrameResult AviWriter::WriteFrame(const BYTE* indexes)
{
    if (!m_file || m_failed || !indexes)
        return FrameResult::WriteFailed;
    const int w = m_info.width, h = m_info.height;
    const bool rle = m_info.compression == AviCompression::Rle8;
    m_frame.clear();
    if (rle) {
        EncodeRle8(indexes, w, h, m_frame);
    } else {
        const std::size_t rowBytes = static_cast<std::size_t>(DibRowBytes(w, 8));
        m_frame.assign(rowBytes * static_cast<std::size_t>(h), 0);
        for (int y = 0; y < h; ++y)
            std::memcpy(m_frame.data() + rowBytes * static_cast<std::size_t>(y),
                        indexes + static_cast<std::size_t>(y) * static_cast<std::size_t>(w),
                        static_cast<std::size_t>(w));
    }
    const std::uint32_t size = U32(m_frame.size());
    const std::uint64_t chunk = 8 + Padded(size);
    if (ClosedSize() + chunk + 16 > m_limit)
        return FrameResult::TooLarge;
    const std::uint32_t offset = U32(m_position - kMoviFourcc);
    Bytes header;
    header.Tag(rle ? "00dc" : "00db");
    header.U32(size);
    if (size & 1)
        m_frame.push_back(0);
    if (!Put(header.Data().data(), header.Data().size()) || !Put(m_frame.data(), m_frame.size()))
        return FrameResult::WriteFailed;
    m_index.push_back({offset, size});
    m_largestFrame = std::max(m_largestFrame, size);
    return FrameResult::Written;
}

void AviWriter::SetPalette(const std::vector<RGBQUAD>& entries)
{
    const std::size_t n = std::min<std::size_t>(entries.size(), kPaletteEntries);
    std::copy_n(entries.begin(), n, m_palette.begin());
    std::fill(m_palette.begin() + static_cast<std::ptrdiff_t>(n), m_palette.end(), RGBQUAD{});
}

bool AviWriter::Close()
{
    if (!m_file)
        return false;
    const std::uint64_t moviEnd = m_position;
    Bytes index;
    index.Tag("idx1");
    index.U32(U32(16 * m_index.size()));
    for (const IndexEntry& e : m_index) {
        index.Tag(m_info.compression == AviCompression::Rle8 ? "00dc" : "00db");
        index.U32(kAviifKeyFrame);
        index.U32(e.offset);
        index.U32(e.size);
    }
    Put(index.Data().data(), index.Data().size());
    const std::uint64_t fileEnd = m_position;

    Bytes riff, movi;
    riff.U32(U32(fileEnd - 8));
    movi.U32(U32(moviEnd - kMoviFourcc));
    std::vector<BYTE> table(4 * kPaletteEntries);
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        table[4 * i] = m_palette[i].rgbBlue;
        table[4 * i + 1] = m_palette[i].rgbGreen;
        table[4 * i + 2] = m_palette[i].rgbRed;
    }
    const std::uint32_t frames = U32(m_index.size());
    const std::uint32_t largest = m_largestFrame;
    const std::uint32_t perSecond = U32(std::uint64_t{largest} * static_cast<std::uint64_t>(m_info.framesPerSecond));
    Bytes u;
    u.U32(perSecond);
    u.U32(frames);
    u.U32(largest);
    const BYTE* f = u.Data().data();
    PutAt(kRiffSize, riff.Data().data(), 4);
    PutAt(kAvihData + 4, f, 4);
    PutAt(kAvihData + 16, f + 4, 4);
    PutAt(kAvihData + 28, f + 8, 4);
    PutAt(kStrhData + 32, f + 4, 4);
    PutAt(kStrhData + 36, f + 8, 4);
    PutAt(kPalette, table.data(), table.size());
    PutAt(kMoviSize, movi.Data().data(), 4);
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return closed && !m_failed;
}

} // namespace platform

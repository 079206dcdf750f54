// PNG reading and writing of the image classes through libpng. A libpng
// error returns through the set-jump point; the functions that hold it keep
// their state in plain structures so that the jump skips no destructor.
#include "common/core/ImageImpl.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <png.h>
#include <vector>

namespace common {
namespace {

struct MemorySource {
    const BYTE* data;
    std::size_t size;
    std::size_t pos;
};

struct ErrorText {
    char text[128];
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* src = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > src->size - src->pos)
        png_error(png, "file truncated");
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

void OnError(png_structp png, png_const_charp message)
{
    auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
    std::snprintf(error->text, sizeof error->text, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// What the PNG writer needs, prepared before the set-jump point.
struct PngWriteJob {
    int width, height, bitDepth, pngType, plteCount;
    const png_color* plte;
    const BYTE* bits; // bottom DIB row
    std::int64_t rowBytes;
    int bitsPerPixel;
    BYTE* row; // buffer of one PNG row
    std::size_t rowSize;
};

bool WritePng(std::FILE* file, const PngWriteJob& job, ErrorText& error)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.width), static_cast<png_uint_32>(job.height),
                 job.bitDepth, job.pngType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (job.pngType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, job.plte, job.plteCount);
    png_write_info(png, info);
    png_set_bgr(png);
    // The top DIB row is the first PNG row.
    for (int y = job.height - 1; y >= 0; --y) {
        const BYTE* src = job.bits + y * job.rowBytes;
        if (job.bitsPerPixel == 32)
            for (int x = 0; x < job.width; ++x)
                std::memcpy(job.row + 3 * static_cast<std::size_t>(x), src + 4 * static_cast<std::size_t>(x),
                            3);
        else
            std::memcpy(job.row, src, job.rowSize);
        png_write_row(png, job.row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

BOOL CPngImageImpl::Read(const std::string& path)
{
    FreeImage();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_error = "cannot open the file";
        return FALSE;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ReadBytes(std::string_view(bytes.data(), bytes.size()));
}

BOOL CPngImageImpl::ReadBytes(std::string_view bytes)
{
    FreeImage();
    MemorySource source{reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), 0};
    ErrorText error{};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnError, OnWarning);
    if (!png) {
        m_error = "out of memory";
        return FALSE;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        m_error = "out of memory";
        return FALSE;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        FreeImage();
        m_error = error.text;
        return FALSE;
    }
    png_set_read_fn(png, &source, ReadFromMemory);
    png_set_user_limits(png, platform::kMaxDibDimension, platform::kMaxDibDimension);
    png_read_info(png, info);

    const int fileDepth = png_get_bit_depth(png, info);
    const int fileType = png_get_color_type(png, info);
    png_set_bgr(png);
    if (fileDepth == 16)
        png_set_strip_16(png);
    // Sub-byte pixels are widened to one byte each, so that every picture
    // read has 8 or 24 bits per pixel.
    if (fileType == PNG_COLOR_TYPE_PALETTE && fileDepth < 8)
        png_set_packing(png);
    if (fileType == PNG_COLOR_TYPE_GRAY && fileDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if ((fileType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_color_16 background{0, 0x1F, 0x7F, 0xFF, 0};
        png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    const int depth = png_get_channels(png, info) * png_get_bit_depth(png, info);
    const int colourType = png_get_color_type(png, info) & ~PNG_COLOR_MASK_ALPHA;
    if ((depth != 8 && depth != 24) || !Create(width, height, depth, colourType))
        png_error(png, "unsupported or too large picture");
    if (png_get_rowbytes(png, info) > static_cast<png_size_t>(m_rowBytes))
        png_error(png, "unexpected row size");
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &entries, &count) && colourType == PNG_COLOR_TYPE_PALETTE) {
        BYTE triples[3 * 256];
        for (int i = 0; i < count && i < 256; ++i) {
            triples[3 * i] = entries[i].red;
            triples[3 * i + 1] = entries[i].green;
            triples[3 * i + 2] = entries[i].blue;
        }
        SetPaletteFromEntries(count < 256 ? count : 256, triples);
    }
    // The first PNG row is the top of the picture, the last DIB row.
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(png, m_bits + static_cast<std::int64_t>(height - 1 - y) * m_rowBytes, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    m_error.clear();
    return TRUE;
}

BOOL CPngImageImpl::Write(const std::string& path)
{
    if (!m_dib)
        return FALSE;
    int bitDepth = 8, pngType;
    if (IsPaletteImage() && m_bitsPerPixel <= 8) {
        if (!m_palette)
            return FALSE;
        pngType = PNG_COLOR_TYPE_PALETTE;
        bitDepth = m_bitsPerPixel;
    } else if (m_bitsPerPixel <= 8) {
        pngType = PNG_COLOR_TYPE_GRAY;
        bitDepth = m_bitsPerPixel;
    } else if (m_bitsPerPixel == 24 || m_bitsPerPixel == 32) {
        pngType = PNG_COLOR_TYPE_RGB;
    } else {
        return FALSE;
    }
    // The palette written: 256 entries for 8-bit pictures, as many as the
    // bit depth allows for smaller ones; entries the palette lacks are black.
    png_color plte[256] = {};
    const int plteCount = 1 << bitDepth;
    if (pngType == PNG_COLOR_TYPE_PALETTE)
        for (int i = 0; i < plteCount && i < m_palette->GetEntryCount(); ++i) {
            const platform::PALETTEENTRY& e = m_palette->Entries()[static_cast<std::size_t>(i)];
            plte[i] = png_color{e.peRed, e.peGreen, e.peBlue};
        }
    const std::size_t rowSize = pngType == PNG_COLOR_TYPE_RGB ? 3 * static_cast<std::size_t>(m_width)
                                                              : static_cast<std::size_t>(m_rowBytes);
    std::vector<BYTE> row(rowSize);
    const PngWriteJob job{m_width, m_height,   bitDepth,       pngType,    plteCount, plte,
                          m_bits,  m_rowBytes, m_bitsPerPixel, row.data(), rowSize};

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return FALSE;
    ErrorText error{};
    const bool written = WritePng(file, job, error);
    const bool closed = std::fclose(file) == 0;
    m_error = error.text;
    return written && closed ? TRUE : FALSE;
}

} // namespace common

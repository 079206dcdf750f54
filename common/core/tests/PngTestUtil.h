// Test helpers that use libpng directly, independently of the image
// classes: reading any PNG as 8-bit RGB with the simplified interface,
// reading its header, and writing fixtures of every colour type and depth.
#pragma once
#include <cstdio>
#include <png.h>
#include <string>
#include <vector>

namespace pngtest {

struct Rgb {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels; // r, g, b per pixel, top row first
    const unsigned char* At(int x, int y) const
    {
        return &pixels[3 * (static_cast<std::size_t>(y) * width + x)];
    }
};

inline bool ReadRgb(const std::string& path, Rgb& out)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr) != 0;
}

struct Header {
    int colourType = -1, bitDepth = 0, plteCount = 0;
};

inline Header ReadHeader(const std::string& path)
{
    Header h;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return h;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        png_read_info(png, info);
        h.colourType = png_get_color_type(png, info);
        h.bitDepth = png_get_bit_depth(png, info);
        png_colorp plte;
        if (!png_get_PLTE(png, info, &plte, &h.plteCount))
            h.plteCount = 0;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return h;
}

// Writes rows (top first, already packed for the depth) with libpng.
inline bool Write(const std::string& path, int width, int height, int depth, int colourType,
                  const std::vector<std::vector<unsigned char>>& rows,
                  const std::vector<png_color>& plte = {}, bool interlaced = false,
                  const std::vector<unsigned char>& trns = {})
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    bool ok = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        png_set_IHDR(png, info, width, height, depth, colourType,
                     interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        if (!plte.empty())
            png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
        if (!trns.empty())
            png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
        png_write_info(png, info);
        const int passes = interlaced ? png_set_interlace_handling(png) : 1;
        for (int pass = 0; pass < passes; ++pass)
            for (const auto& row : rows)
                png_write_row(png, row.data());
        png_write_end(png, info);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return ok;
}

} // namespace pngtest

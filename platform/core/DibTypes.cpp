// Little-endian codecs of the BMP file and info headers.
#include "platform/core/DibTypes.h"

namespace platform {

void EncodeFileHeader(const BITMAPFILEHEADER& h, BYTE out[kFileHeaderSize])
{
    WriteLe16(out, h.bfType);
    WriteLe32(out + 2, h.bfSize);
    WriteLe16(out + 6, h.bfReserved1);
    WriteLe16(out + 8, h.bfReserved2);
    WriteLe32(out + 10, h.bfOffBits);
}

BITMAPFILEHEADER DecodeFileHeader(const BYTE in[kFileHeaderSize])
{
    BITMAPFILEHEADER h;
    h.bfType = ReadLe16(in);
    h.bfSize = ReadLe32(in + 2);
    h.bfReserved1 = ReadLe16(in + 6);
    h.bfReserved2 = ReadLe16(in + 8);
    h.bfOffBits = ReadLe32(in + 10);
    return h;
}

void EncodeInfoHeader(const BITMAPINFOHEADER& h, BYTE out[kInfoHeaderSize])
{
    WriteLe32(out, h.biSize);
    WriteLe32(out + 4, static_cast<DWORD>(h.biWidth));
    WriteLe32(out + 8, static_cast<DWORD>(h.biHeight));
    WriteLe16(out + 12, h.biPlanes);
    WriteLe16(out + 14, h.biBitCount);
    WriteLe32(out + 16, h.biCompression);
    WriteLe32(out + 20, h.biSizeImage);
    WriteLe32(out + 24, static_cast<DWORD>(h.biXPelsPerMeter));
    WriteLe32(out + 28, static_cast<DWORD>(h.biYPelsPerMeter));
    WriteLe32(out + 32, h.biClrUsed);
    WriteLe32(out + 36, h.biClrImportant);
}

BITMAPINFOHEADER DecodeInfoHeader(const BYTE in[kInfoHeaderSize])
{
    BITMAPINFOHEADER h;
    h.biSize = ReadLe32(in);
    h.biWidth = static_cast<std::int32_t>(ReadLe32(in + 4));
    h.biHeight = static_cast<std::int32_t>(ReadLe32(in + 8));
    h.biPlanes = ReadLe16(in + 12);
    h.biBitCount = ReadLe16(in + 14);
    h.biCompression = ReadLe32(in + 16);
    h.biSizeImage = ReadLe32(in + 20);
    h.biXPelsPerMeter = static_cast<std::int32_t>(ReadLe32(in + 24));
    h.biYPelsPerMeter = static_cast<std::int32_t>(ReadLe32(in + 28));
    h.biClrUsed = ReadLe32(in + 32);
    h.biClrImportant = ReadLe32(in + 36);
    return h;
}

} // namespace platform

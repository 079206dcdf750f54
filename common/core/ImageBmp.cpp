// BMP reading and writing of the image classes through the DIB functions.
#include "common/core/ImageImpl.h"

namespace common {

BOOL CBmpImageImpl::ReadBytes(std::string_view bytes)
{
    FreeImage();
    auto dib = platform::DibReadMemory(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), &m_error);
    if (!dib)
        return FALSE;
    auto palette = platform::MakePalette(dib.get());
    AdoptDib(std::move(dib), -1);
    if (palette)
        SetPaletteObject(std::move(palette));
    return TRUE;
}

BOOL CBmpImageImpl::Read(const std::string& path)
{
    FreeImage();
    auto dib = platform::DibOpenFile(path, &m_error);
    if (!dib)
        return FALSE;
    auto palette = platform::MakePalette(dib.get());
    AdoptDib(std::move(dib), -1);
    if (palette)
        SetPaletteObject(std::move(palette));
    return TRUE;
}

BOOL CBmpImageImpl::Write(const std::string& path)
{
    if (!m_dib)
        return FALSE;
    platform::DibSetUsage(m_dib.get(), m_palette.get(), 0);
    const BOOL ok = platform::WriteDIB(path, m_dib.get());
    platform::DibSetUsage(m_dib.get(), m_palette.get(), 1);
    return ok;
}

} // namespace common

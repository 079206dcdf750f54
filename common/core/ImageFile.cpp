// Format choice and implementation changes of the image object.
#include "common/core/ImageFile.h"

#include <algorithm>
#include <cctype>

namespace common {

int GetImageKind(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? name : name.substr(dot + 1);
    std::string upper;
    for (char c : ext)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "BMP")
        return kImageKindBmp;
    if (upper == "PNG")
        return kImageKindPng;
    return kImageKindNone;
}

std::unique_ptr<CImageImpl> CImageFile::MakeImpl(const std::string& path, int kind)
{
    if (kind == kImageKindBmp)
        return std::make_unique<CBmpImageImpl>(path);
    if (kind == kImageKindPng)
        return std::make_unique<CPngImageImpl>(path);
    return nullptr;
}

CImageFile::CImageFile(const BitmapPixels& bitmap) : m_kind(kImageKindBmp)
{
    // A device bitmap has no palette: the copy is a plain 24-bit picture.
    auto impl = std::make_unique<CBmpImageImpl>(std::string());
    if (impl->Create(bitmap.width, bitmap.height, 24) && bitmap.pixels) {
        auto dib = platform::MakeDib(bitmap.width, bitmap.height, bitmap.pixels, bitmap.stride);
        if (dib)
            std::copy_n(dib->Bits(), dib->ImageSize(), impl->GetBits());
    }
    m_impl = std::move(impl);
}

std::unique_ptr<CImageFile> CImageFile::CImageFileFromPath(const std::string& path, int kind)
{
    auto image = std::make_unique<CImageFile>();
    image->Open(path, kind);
    return image;
}

BOOL CImageFile::CreateImpl(const std::string& path, int kind)
{
    m_impl = MakeImpl(path, kind);
    m_kind = m_impl ? kind : kImageKindNone;
    return m_impl != nullptr;
}

BOOL CImageFile::Open(const std::string& path, int kind)
{
    m_fileName = path;
    if (kind == kImageKindNone)
        kind = GetImageKind(path);
    if ((!m_impl || kind != m_kind) && !CreateImpl(path, kind))
        return FALSE;
    return m_impl->Read(path);
}

BOOL CImageFile::SaveAs(const std::string& path, int kind)
{
    if (!m_impl)
        return FALSE;
    if (kind == kImageKindNone)
        kind = GetImageKind(path);
    if (kind == kImageKindNone)
        return FALSE;
    if (kind != m_kind) {
        auto impl = MakeImpl(path, kind);
        if (!impl)
            return FALSE;
        impl->TakeOver(*m_impl);
        m_impl = std::move(impl);
        m_kind = kind;
    }
    m_fileName = path;
    return m_impl->Write(path);
}

BOOL CImageFile::Create(int width, int height, int bitsPerPixel)
{
    if (!m_impl && !CreateImpl(m_fileName, m_kind))
        return FALSE;
    return m_impl->Create(width, height, bitsPerPixel);
}

BOOL CImageFile::GetPixelRGB(int x, int y, BYTE& r, BYTE& g, BYTE& b) const
{
    return m_impl && m_impl->GetPixelRGB(x, y, r, g, b);
}

BOOL CImageFile::SetPixelIndex(int x, int y, int index)
{
    return m_impl && m_impl->SetPixelIndex(x, y, index & 0xFF);
}

BOOL CImageFile::SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b)
{
    return m_impl && m_impl->SetPixelRGB(x, y, r, g, b);
}

BOOL CImageFile::SetPaletteFromArrays(int count, const BYTE* reds, const BYTE* greens, const BYTE* blues)
{
    return m_impl && m_impl->SetPaletteFromArrays(count, reds, greens, blues);
}

BOOL CImageFile::SetPaletteFromEntries(int count, const BYTE* rgbTriples)
{
    return m_impl && m_impl->SetPaletteFromEntries(count, rgbTriples);
}

BOOL CImageFile::SetPaletteObject(std::unique_ptr<platform::CPalette> palette)
{
    return m_impl && m_impl->SetPaletteObject(std::move(palette));
}

} // namespace common

// Keyed lines, numbers at full precision, and the file put in place whole.
#include "common/core/KeyedLineWriter.h"

#include "common/core/EngineError.h"
#include "common/core/NumberText.h"
#include "platform/core/Text1252.h"

#include <charconv>

namespace common {

char* KeyedLineWriter::PutInt(char* p, long long v)
{
    unsigned long long u = static_cast<unsigned long long>(v);
    if (v < 0) {
        *p++ = '-';
        u = 0ULL - u;
    }
    if (u >= 100000) // rare: the library's general path
        return std::to_chars(p, p + 24, u).ptr;
    // Five digits at most (most values are short indices): count them, then
    // fill from the right.
    unsigned int w = static_cast<unsigned int>(u);
    const int n = w >= 10000 ? 5 : w >= 1000 ? 4 : w >= 100 ? 3 : w >= 10 ? 2 : 1;
    for (int i = n - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + w % 10);
        w /= 10;
    }
    return p + n;
}

char* KeyedLineWriter::PutReal(char* p, float v, RealForm form)
{
    char* const end = p + 34;
    if (form == RealForm::GeneralExact) {
        const auto general = std::to_chars(p, end, v, std::chars_format::general, 6);
        float back = 0;
        const auto parsed = std::from_chars(p, general.ptr, back);
        if (parsed.ec == std::errc() && parsed.ptr == general.ptr && back == v)
            return general.ptr;
    }
    return std::to_chars(p, end, v).ptr;
}

char* KeyedLineWriter::PutDouble(char* p, double v)
{
    return std::to_chars(p, p + 34, v).ptr;
}

void KeyedLineWriter::Int(long long v)
{
    Separate();
    char buf[24];
    Put(std::string_view(buf, static_cast<std::size_t>(PutInt(buf, v) - buf)));
}

void KeyedLineWriter::Real(float v)
{
    Separate();
    char buf[34];
    Put(std::string_view(buf, static_cast<std::size_t>(PutReal(buf, v, m_reals) - buf)));
}

void KeyedLineWriter::Double(double v)
{
    Separate();
    char buf[34];
    Put(std::string_view(buf, static_cast<std::size_t>(PutDouble(buf, v) - buf)));
}

void KeyedLineWriter::Fixed6(float v)
{
    Separate();
    Put(FormatFixed6(v));
}

void KeyedLineWriter::Text(std::string_view key, std::string_view utf8)
{
    std::string bytes = platform::Utf8ToCp1252(utf8);
    if (bytes.size() > kMaxTextValue)
        bytes.resize(kMaxTextValue);
    Put(key);
    Put(bytes);
    EndLine();
}

void KeyedLineWriter::LongText(std::string_view key, std::string_view utf8)
{
    std::string bytes = platform::Utf8ToCp1252(utf8);
    for (char& c : bytes)
        c = c == '\r' ? '`' : c == '\n' ? '~' : c;
    for (std::size_t p = 0; p < bytes.size(); p += kMaxTextValue) {
        Put(key);
        Put(std::string_view(bytes).substr(p, kMaxTextValue));
        EndLine();
    }
}

void KeyedLineWriter::SaveOrThrow(const std::string& path) const
{
    if (!Save(path))
        throw EngineError::FileOpen(path);
}

} // namespace common

// Run formatting, text escaping and the complete RTF text.
#include "common/core/RtfDocument.h"

#include "common/core/TextFileWriter.h"
#include "platform/core/Text1252.h"

#include <cstdint>
#include <cstdio>
#include <utility>

namespace common {
namespace {

std::string Format(const char* format, int value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// Length of the UTF-8 sequence at s (1 ... 4) and its code point; 0 when the
// bytes do not form a valid sequence.
int DecodeUtf8(std::string_view s, char32_t& cp)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    int n;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (s.size() < static_cast<std::size_t>(n))
        return 0;
    for (int i = 1; i < n; ++i) {
        if ((b(static_cast<std::size_t>(i)) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(static_cast<std::size_t>(i)) & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

std::string HexByte(unsigned char c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\'%02x", c);
    return buffer;
}

std::string UnicodeEscape(char32_t cp)
{
    // \uN takes a signed 16-bit number; characters beyond the basic plane
    // are written as their surrogate pair. "?" stands in for readers
    // without Unicode.
    auto one = [](unsigned unit) {
        return Format("\\u%d?", static_cast<int>(static_cast<std::int16_t>(unit)));
    };
    if (cp < 0x10000)
        return one(static_cast<unsigned>(cp));
    const char32_t v = cp - 0x10000;
    return one(0xD800 + static_cast<unsigned>(v >> 10)) + one(0xDC00 + static_cast<unsigned>(v & 0x3FF));
}

} // namespace

std::string CRtfRun::Prefix() const
{
    std::string s = "\\plain";
    for (const CRtfStyleSwitch& sw : switches)
        s += sw.on ? sw.onText : sw.offText;
    static const char* const kAlign[] = {"\\ql", "\\qc", "\\qr"};
    s += kAlign[alignment >= 0 && alignment <= 2 ? alignment : 0];
    s += Format("\\f%d", fontIndex) + Format("\\fs%d", fontSize) + Format("\\cb%d", background) +
         Format("\\cf%d", foreground);
    if (tabPosition > 0)
        s += Format("\\tx%d\\tab", tabPosition);
    return s + " ";
}

std::string RtfEscapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            if (c == '\n')
                out += "\r\n\\par \\pard ";
            else if (c == '\\' || c == '{' || c == '}')
                out += {'\\', static_cast<char>(c)};
            else if (c == '\t')
                out += "\\tab ";
            else if (c < 0x20 || c == 0x7F)
                out += c == '\r' ? std::string() : HexByte(c);
            else
                out += static_cast<char>(c);
            continue;
        }
        char32_t cp = 0;
        const int n = DecodeUtf8(text.substr(i), cp);
        if (n == 0) {
            // A byte that is no UTF-8 is taken as a code page 1252 byte.
            out += HexByte(c);
            ++i;
            continue;
        }
        const std::string bytes = platform::Utf8ToCp1252(text.substr(i, static_cast<std::size_t>(n)));
        if (bytes.size() == 1 && bytes[0] != '?')
            out += HexByte(static_cast<unsigned char>(bytes[0]));
        else
            out += UnicodeEscape(cp);
        i += static_cast<std::size_t>(n);
    }
    return out;
}

void CRtfDocument::AppendText(std::string_view text)
{
    m_body += m_format.Prefix() + RtfEscapeText(text);
    if (m_keepRuns)
        m_runs.push_back(CRtfTextRun{m_format, std::string(text)});
}

void CRtfDocument::SelectFont(const std::string& face)
{
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i] == face) {
            m_format.fontIndex = static_cast<int>(i);
            return;
        }
    m_fonts.push_back(face);
    m_format.fontIndex = static_cast<int>(m_fonts.size() - 1);
}

std::string CRtfDocument::BuildCompleteText() const
{
    std::string s = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl";
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        s += Format("{\\f%d ", static_cast<int>(i)) + RtfEscapeText(m_fonts[i]) + ";}";
    s += "}{\\colortbl";
    for (COLORREF c : m_colours)
        s += Format("\\red%d", GetRValue(c)) + Format("\\green%d", GetGValue(c)) +
             Format("\\blue%d;", GetBValue(c));
    s += "}\\paperw11909\\paperh16834\\margl1000\\margr1000\\margt1000\\margb1000 ";
    return s + m_body + "}";
}

BOOL CRtfDocument::WriteFile(const std::string& path) const
{
    // Through a temporary file, so a failed write never loses the old file.
    TextFileWriter writer;
    writer.Put(BuildCompleteText());
    return writer.Save(path) ? TRUE : FALSE;
}

std::vector<CRtfTextRun> CRtfDocument::TakeRuns()
{
    m_body.clear();
    return std::exchange(m_runs, {});
}

RtfManipulator RtfFontName(const std::string& face)
{
    return {RtfManipulator::kFontName, face, 0};
}
RtfManipulator RtfFontSize(int halfPoints)
{
    return {RtfManipulator::kFontSize, {}, halfPoints};
}
RtfManipulator RtfStyleFlagA(bool on)
{
    return {RtfManipulator::kBold, {}, on ? 1 : 0};
}
RtfManipulator RtfStyleFlagB(bool on)
{
    return {RtfManipulator::kUnderline, {}, on ? 1 : 0};
}

CRtfDocument& RtfApply(CRtfDocument& document, const RtfManipulator& m)
{
    switch (m.kind) {
    case RtfManipulator::kFontName:
        document.SelectFont(m.face);
        break;
    case RtfManipulator::kFontSize:
        document.SetFontSize(m.value);
        break;
    case RtfManipulator::kBold:
        document.SetStyle(CRtfRun::kBold, m.value != 0);
        break;
    case RtfManipulator::kUnderline:
        document.SetStyle(CRtfRun::kUnderline, m.value != 0);
        break;
    }
    return document;
}

} // namespace common

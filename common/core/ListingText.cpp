// Locale-free printf forms, character-wise padding and index columns.
#include "common/core/ListingText.h"

#include <charconv>

namespace common {
namespace {

std::string RightAligned(std::string text, int width)
{
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

bool IsContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string FormatFixed(double value, int width, int decimals)
{
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return RightAligned(std::string(buf, r.ec == std::errc() ? r.ptr : buf), width);
}

std::string FormatGeneral(double value, int width)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    return RightAligned(std::string(buf, r.ptr), width);
}

std::string FormatInt(long long value, int width)
{
    return RightAligned(std::to_string(value), width);
}

std::size_t TextWidth(std::string_view text)
{
    std::size_t n = 0;
    for (char c : text)
        n += IsContinuation(c) ? 0 : 1;
    return n;
}

std::string CutText(std::string_view text, std::size_t n)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuation(text[i]))
            continue;
        if (seen == n)
            return std::string(text.substr(0, i));
        ++seen;
    }
    return std::string(text);
}

void PadLineBuffer(std::string& line, std::size_t n)
{
    const std::size_t width = TextWidth(line);
    if (width < n)
        line.append(n - width, ' ');
}

std::string MakeBlankField(std::size_t n)
{
    return std::string(n, ' ');
}

void PadLineToColumn(std::string& line, std::size_t n)
{
    line = CutText(line, n);
    PadLineBuffer(line, n);
}

void PadBlankField(std::string& line, std::size_t n)
{
    line.assign(n, ' ');
}

void UnderscoreBlanks(std::string& line)
{
    for (char& c : line)
        if (c == ' ')
            c = '_';
}

std::string AlignRight(std::string_view text, std::size_t width)
{
    const std::size_t n = TextWidth(text);
    return std::string(n < width ? width - n : 0, ' ') + std::string(text);
}

int IndexDisplay::Shown(int axis, int index) const
{
    if (!rcl)
        return index;
    return 2 * (axis == 2 ? n[2] - index : index) + 1;
}

int IndexDisplay::FlatAxis() const
{
    for (int axis = 2; axis >= 0; --axis)
        if (n[axis] == 1)
            return axis;
    return -1;
}

void AppendNodeIndices(std::string& line, const IndexDisplay& display, int i, int j, int k)
{
    const int index[3] = {i, j, k};
    const int flat = display.FlatAxis();
    for (int axis = 0; axis < 3; ++axis)
        line += axis == flat ? MakeBlankField(6) : FormatInt(display.Shown(axis, index[axis]), 6);
}

} // namespace common

// String tables and language override files.
#include "platform/core/StringTable.h"

#include <fstream>
#include <sstream>

namespace platform {

namespace {

// Reads the quoted text starting at s[pos] (the opening quote).
bool ParseQuoted(std::string_view s, size_t pos, std::string& out, std::string& why)
{
    out.clear();
    for (size_t i = pos + 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            for (size_t j = i + 1; j < s.size(); ++j) {
                if (s[j] != ' ' && s[j] != '\t') {
                    why = "text after the closing quote";
                    return false;
                }
            }
            return true;
        }
        if (c == '\\') {
            if (++i == s.size())
                break;
            switch (s[i]) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                why = "unknown escape";
                return false;
            }
            continue;
        }
        out += c;
    }
    why = "missing closing quote";
    return false;
}

bool ReadFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    text = ss.str();
    return true;
}

} // namespace

bool StringTable::ParseInto(std::map<unsigned, std::string>& out, std::string_view text,
                            std::string* error) const
{
    std::map<unsigned, std::string> result;
    size_t lineNo = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        size_t p = line.find_first_not_of(" \t");
        if (p == std::string_view::npos || line[p] == '#')
            continue;
        std::string why;
        unsigned long id = 0;
        size_t q = p;
        while (q < line.size() && line[q] >= '0' && line[q] <= '9' && id <= 0xFFFFFFFFul)
            id = id * 10 + static_cast<unsigned>(line[q++] - '0');
        size_t quote = line.find_first_not_of(" \t", q);
        std::string value;
        if (q == p || id > 0xFFFFFFFFul)
            why = "missing id";
        else if (quote == q || quote == std::string_view::npos || line[quote] != '"')
            why = "missing quoted text";
        else
            ParseQuoted(line, quote, value, why);
        if (!why.empty()) {
            if (error)
                *error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        }
        result[static_cast<unsigned>(id)] = std::move(value);
    }
    out = std::move(result);
    return true;
}

bool StringTable::LoadEnglish(std::string_view text, std::string* error)
{
    return ParseInto(english_, text, error);
}

bool StringTable::LoadEnglishFile(const std::string& path, std::string* error)
{
    std::string text;
    if (!ReadFile(path, text)) {
        if (error)
            *error = "cannot read " + path;
        return false;
    }
    return LoadEnglish(text, error);
}

bool StringTable::LoadOverrideFile(const std::string& path, std::string* error)
{
    override_.clear();
    std::string text;
    if (!ReadFile(path, text)) {
        if (error)
            *error = "cannot read " + path;
        return false;
    }
    return ParseInto(override_, text, error);
}

std::string StringTable::Get(unsigned id) const
{
    if (auto it = override_.find(id); it != override_.end())
        return it->second;
    if (auto it = english_.find(id); it != english_.end())
        return it->second;
    return {};
}

StringTable& Strings()
{
    static StringTable table;
    return table;
}

std::string LoadString(unsigned id)
{
    return Strings().Get(id);
}

std::string FormatString2(std::string_view format, std::string_view arg1, std::string_view arg2)
{
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == '1' || format[i + 1] == '2')) {
            out += format[i + 1] == '1' ? arg1 : arg2;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

} // namespace platform

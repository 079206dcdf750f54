// Loading and look-ups of the sectioned text-file reader.
#include "common/core/SectionFile.h"

#include "common/core/NumberPrefix.h"
#include "platform/core/Text1252.h"

#include <fstream>
#include <sstream>

namespace common {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string TrimRight(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return TrimRight(s.substr(i));
}

} // namespace

void CSectionFile::Clear()
{
    m_lines.clear();
    m_sectionIndex.clear();
    m_lineCount = 0;
}

BOOL CSectionFile::Load(const std::string& path)
{
    Clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_error = "Failed to open file\n" + path;
        return FALSE;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        m_error = "Failed to read file\n" + path;
        return FALSE;
    }
    return LoadFromBytes(bytes.str(), path);
}

BOOL CSectionFile::LoadFromBytes(std::string_view bytes, const std::string& path)
{
    Clear();
    m_error.clear();
    std::size_t pos = 0;
    int fileLine = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view raw = bytes.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        pos = next;
        ++fileLine;
        if (raw.size() > kMaxLineLength) {
            Clear();
            m_error = "Line " + std::to_string(fileLine) + " of file " + path + " is too long.";
            return FALSE;
        }
        if (!raw.empty() && raw[0] == ';')
            continue;
        std::string line = platform::Cp1252ToUtf8(raw);
        if (line.size() > 2 && line.front() == '[' && line.back() == ']')
            m_sectionIndex.push_back(m_lineCount);
        m_lines.push_back(std::move(line));
        ++m_lineCount;
    }
    return TRUE;
}

int CSectionFile::FindSection(const std::string& name) const
{
    const std::string header = "[" + name + "]";
    for (int index : m_sectionIndex)
        if (m_lines[static_cast<std::size_t>(index)] == header)
            return index;
    return -1;
}

bool CSectionFile::SplitEntry(const std::string& line, std::string& key, std::string& value)
{
    const std::size_t p = line.find('=');
    if (p == std::string::npos || p < 1 || p + 1 >= line.size())
        return false;
    key = TrimRight(std::string_view(line).substr(0, p));
    value = Trim(std::string_view(line).substr(p + 1));
    return true;
}

int CSectionFile::FindKey(int header, const std::string& key, std::string& value) const
{
    if (m_lineCount == 0 || header < 0)
        return -1;
    std::string k, v;
    for (int i = header + 1; i < m_lineCount; ++i) {
        const std::string& line = m_lines[static_cast<std::size_t>(i)];
        if (!line.empty() && line[0] == '[')
            break;
        if (SplitEntry(line, k, v) && k == key) {
            value = v;
            return i;
        }
    }
    return -1;
}

BOOL CSectionFile::GetValue(int header, const std::string& key, std::string& value) const
{
    return header >= 0 && FindKey(header, key, value) >= 0;
}

BOOL CSectionFile::GetValueByName(const std::string& section, const std::string& key,
                                  std::string& value) const
{
    return GetValue(FindSection(section), key, value);
}

BOOL CSectionFile::GetIntValue(int header, const std::string& key, int& value) const
{
    std::string text;
    if (!GetValue(header, key, text))
        return FALSE;
    value = AtoiText(text);
    return TRUE;
}

int CSectionFile::GetSectionNames(std::vector<std::string>& names) const
{
    names.clear();
    for (int index : m_sectionIndex) {
        const std::string& line = m_lines[static_cast<std::size_t>(index)];
        names.push_back(line.substr(1, line.size() - 2));
    }
    return static_cast<int>(names.size());
}

int CSectionFile::GetSectionEntries(int header, std::vector<std::string>& keys,
                                    std::vector<std::string>& values) const
{
    keys.clear();
    values.clear();
    if (header < 0)
        return 0;
    std::string k, v;
    for (int i = header + 1; i < m_lineCount; ++i) {
        const std::string& line = m_lines[static_cast<std::size_t>(i)];
        if (!line.empty() && line[0] == '[')
            break;
        if (SplitEntry(line, k, v)) {
            keys.push_back(k);
            values.push_back(v);
        }
    }
    return static_cast<int>(keys.size());
}

int CSectionFile::GetSectionEntriesByName(const std::string& section, std::vector<std::string>& keys,
                                          std::vector<std::string>& values) const
{
    return GetSectionEntries(FindSection(section), keys, values);
}

} // namespace common

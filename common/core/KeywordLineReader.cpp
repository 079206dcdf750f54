// Implementation of the keyed line reader: block reads split into lines in
// place with memchr, so that a long file is read at close to the speed of a
// plain line loop.
#include "common/core/KeywordLineReader.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace common {

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const char* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i] && Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

char g_empty[1] = {'\0'};

// The bucket of a key or line that starts with at least keyLength characters.
std::size_t Bucket(const char* text, std::size_t keyLength, std::size_t buckets)
{
    const auto a = static_cast<unsigned char>(Lower(text[0]));
    const auto b = keyLength > 1 ? static_cast<unsigned char>(Lower(text[1])) : 0u;
    return (a * 31u + b) & (buckets - 1);
}

} // namespace

KeywordLineReader::~KeywordLineReader()
{
    Close();
}

bool KeywordLineReader::Open(const std::string& path)
{
    Close();
    // A folder opens on this system but reads as nothing: it is no file.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return false;
    m_block.assign(kBlock + 1, '\0');
    m_pos = m_end = 0;
    m_eof = false;
    m_lineCounter = 0;
    m_lastKey = 0;
    m_text = g_empty;
    m_length = m_valueOffset = 0;
    return true;
}

void KeywordLineReader::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

bool KeywordLineReader::Refill()
{
    if (m_eof || !m_file)
        return false;
    const std::size_t rest = m_end - m_pos;
    std::memmove(m_block.data(), m_block.data() + m_pos, rest);
    m_pos = 0;
    m_end = rest;
    const std::size_t got = std::fread(m_block.data() + rest, 1, kBlock - rest, m_file);
    if (got == 0)
        m_eof = true;
    m_end += got;
    return got > 0;
}

LineStatus KeywordLineReader::SkipLongLine()
{
    // Drop everything up to and including the next LF.
    for (;;) {
        const char* start = m_block.data() + m_pos;
        const void* lf = std::memchr(start, '\n', m_end - m_pos);
        if (lf) {
            m_pos += static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
            break;
        }
        m_pos = m_end;
        if (!Refill())
            break;
    }
    ++m_lineCounter;
    return LineStatus::TooLong;
}

void KeywordLineReader::IndexKeys(std::string_view keys, std::size_t keyLength)
{
    if (keys.data() == m_indexedKeys && keys.size() == m_indexedSize && keyLength == m_indexedLength)
        return;
    const std::size_t count = keys.size() / keyLength;
    m_firstWith.fill(-1);
    m_nextWith.assign(count, -1);
    // Built from the last key back, so that every chain runs in table order
    // and the first matching key wins.
    for (std::size_t k = count; k-- > 0;) {
        int& first = m_firstWith[Bucket(keys.data() + k * keyLength, keyLength, kBuckets)];
        m_nextWith[k] = first;
        first = static_cast<int>(k);
    }
    m_indexedKeys = keys.data();
    m_indexedSize = keys.size();
    m_indexedLength = keyLength;
}

LineStatus KeywordLineReader::ReadKeywordLine(std::string_view keys, std::size_t keyLength, int& keyIndex)
{
    keyIndex = -1;
    m_text = g_empty;
    m_length = m_valueOffset = 0;
    if (!m_file)
        return LineStatus::End;

    char* line = nullptr;
    std::size_t length = 0;
    bool hasLf = false;
    for (;;) {
        char* start = m_block.data() + m_pos;
        const std::size_t avail = m_end - m_pos;
        if (void* lf = std::memchr(start, '\n', avail)) {
            line = start;
            length = static_cast<std::size_t>(static_cast<char*>(lf) - start);
            m_pos += length + 1;
            hasLf = true;
            break;
        }
        // One byte beyond the limit may be the CR of a CR LF.
        if (avail > kMaxLine + 1)
            return SkipLongLine();
        if (!Refill()) {
            if (m_end == m_pos)
                return LineStatus::End;
            line = m_block.data() + m_pos;
            length = m_end - m_pos;
            m_pos = m_end;
            break;
        }
    }
    ++m_lineCounter;
    if (hasLf && length > 0 && line[length - 1] == '\r')
        --length;
    if (length > kMaxLine)
        return LineStatus::TooLong;
    line[length] = '\0';
    if (m_spaces == LeadingSpaces::Skip)
        for (; *line == ' '; ++line)
            --length;
    m_text = line;
    m_length = length;

    if (keyLength > 0 && length >= keyLength) {
        const std::size_t count = keys.size() / keyLength;
        // Files repeat keys line after line (widths, blocks): the key of the
        // previous line is tried first. Keys of a table are distinct.
        if (m_lastKey < count && EqualNoCase(line, keys.data() + m_lastKey * keyLength, keyLength)) {
            keyIndex = static_cast<int>(m_lastKey);
            m_valueOffset = keyLength;
            return LineStatus::Line;
        }
        IndexKeys(keys, keyLength);
        for (int k = m_firstWith[Bucket(line, keyLength, kBuckets)]; k >= 0;
             k = m_nextWith[static_cast<std::size_t>(k)]) {
            if (EqualNoCase(line, keys.data() + static_cast<std::size_t>(k) * keyLength, keyLength)) {
                keyIndex = k;
                m_valueOffset = keyLength;
                m_lastKey = static_cast<std::size_t>(k);
                break;
            }
        }
    }
    return LineStatus::Line;
}

} // namespace common

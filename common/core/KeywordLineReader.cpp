// Implementation of the keyed line reader: block reads with memchr so that a
// long file is read at close to the speed of a plain line loop.
#include "common/core/KeywordLineReader.h"

#include <cstring>

namespace common {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const char* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

} // namespace

KeywordLineReader::~KeywordLineReader() { Close(); }

bool KeywordLineReader::Open(const std::string& path)
{
    Close();
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return false;
    m_block.resize(kBlock);
    m_pos = m_end = 0;
    m_eof = false;
    m_lineCounter = 0;
    m_length = m_valueOffset = 0;
    m_line[0] = '\0';
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
    m_pos = 0;
    m_end = std::fread(m_block.data(), 1, m_block.size(), m_file);
    if (m_end == 0)
        m_eof = true;
    return m_end > 0;
}

LineStatus KeywordLineReader::ReadKeywordLine(std::string_view keys, std::size_t keyLength, int& keyIndex)
{
    keyIndex = -1;
    m_length = m_valueOffset = 0;
    m_line[0] = '\0';
    if (m_pos >= m_end && !Refill())
        return LineStatus::End;

    // Gather the line up to its LF (or the end of the file); count what does
    // not fit the buffer so that an overlong line is one error, not two lines.
    std::size_t total = 0;
    bool sawLf = false;
    while (!sawLf) {
        if (m_pos >= m_end && !Refill())
            break;
        const char* start = m_block.data() + m_pos;
        const std::size_t avail = m_end - m_pos;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', avail));
        const std::size_t take = lf ? static_cast<std::size_t>(lf - start) : avail;
        // One byte beyond the limit is kept, for a CR that belongs to CR LF.
        if (total < kMaxLine + 1) {
            const std::size_t room = kMaxLine + 1 - total;
            const std::size_t copy = take < room ? take : room;
            std::memcpy(m_line + total, start, copy);
        }
        total += take;
        m_pos += take + (lf ? 1 : 0);
        sawLf = lf != nullptr;
    }
    ++m_lineCounter;
    if (sawLf && total > 0 && total <= kMaxLine + 1 && m_line[total - 1] == '\r')
        --total;
    if (total > kMaxLine) {
        m_line[0] = '\0';
        return LineStatus::TooLong;
    }
    m_length = total;
    m_line[m_length] = '\0';

    if (keyLength > 0 && m_length >= keyLength) {
        const std::size_t count = keys.size() / keyLength;
        for (std::size_t k = 0; k < count; ++k) {
            if (EqualNoCase(m_line, keys.data() + k * keyLength, keyLength)) {
                keyIndex = static_cast<int>(k);
                m_valueOffset = keyLength;
                break;
            }
        }
    }
    return LineStatus::Line;
}

} // namespace common

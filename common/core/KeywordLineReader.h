// The keyed line reader shared by every text-file reader of the four
// programs. A file is read line by line; each line may start with a key of a
// fixed width taken from the caller's key table (keys matched without regard
// to case), and the caller parses the values that follow the key. Files whose
// keys may be indented (Parven's) have the leading spaces of each line
// skipped before the key is matched.
#pragma once
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// What a line's leading spaces are: text (the default) or indentation before
// the key, which the reader skips (spaces only, never tabs).
enum class LeadingSpaces { Keep, Skip };

enum class LineStatus {
    End,     // end of file, no line read
    Line,    // a line was read (it may carry no key)
    TooLong, // the line exceeds the limit; the caller reports a syntax error
};

class KeywordLineReader {
  public:
    // Longest line content (without its line end) that a file may hold.
    static constexpr std::size_t kMaxLine = 255;

    explicit KeywordLineReader(LeadingSpaces spaces = LeadingSpaces::Keep) : m_spaces(spaces) {}
    ~KeywordLineReader();
    KeywordLineReader(const KeywordLineReader&) = delete;
    KeywordLineReader& operator=(const KeywordLineReader&) = delete;

    // Opens the file (bytes as stored, Windows-1252); false when it cannot be
    // read. The line counter starts at 0.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Reads the next line and strips only its line end (LF or CR LF); a final
    // line without a line end is read whole; with LeadingSpaces::Skip the
    // line's leading spaces go as well. keys holds keys of exactly
    // keyLength characters one after the other; the reader indexes them once,
    // so a key table keeps its text while it is passed (a literal or a string
    // that lives through the read). keyIndex is the position of
    // the first key that the line starts with, or -1; Value() is then the rest
    // of the line after the key (the whole line for -1).
    LineStatus ReadKeywordLine(std::string_view keys, std::size_t keyLength, int& keyIndex);

    // Number of lines read so far (the line a message names).
    int LineCounter() const { return m_lineCounter; }
    // The text after the key, zero-terminated; valid until the next read.
    const char* Value() const { return m_text + m_valueOffset; }
    std::string_view ValueView() const { return {Value(), m_length - m_valueOffset}; }

  private:
    // Moves the unread rest to the front of the buffer and reads more after
    // it; false at the end of the file.
    bool Refill();
    // The keys by their first two letters, built once for the key table in use.
    void IndexKeys(std::string_view keys, std::size_t keyLength);
    LineStatus SkipLongLine();

    LeadingSpaces m_spaces;
    std::FILE* m_file = nullptr;
    int m_lineCounter = 0;
    // The current line lives in the read-ahead buffer, its line end replaced
    // by a zero, so lines are never copied.
    char* m_text = nullptr;
    std::size_t m_length = 0;
    std::size_t m_valueOffset = 0;
    std::size_t m_lastKey = 0;
    // Per bucket of the lower-case first two letters the first key in it,
    // and per key the next one in its bucket (-1 ends a chain), in table
    // order.
    static constexpr std::size_t kBuckets = 1024;
    const char* m_indexedKeys = nullptr;
    std::size_t m_indexedSize = 0, m_indexedLength = 0;
    std::array<int, kBuckets> m_firstWith{};
    std::vector<int> m_nextWith;
    static constexpr std::size_t kBlock = 1 << 16;
    std::string m_block; // kBlock bytes and room for a terminating zero
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
};

} // namespace common

// Builds a text file in memory and writes it in one go: CRLF line ends and
// Windows-1252 text on disk, so the same model always gives the same bytes.
#pragma once
#include <string>
#include <string_view>

namespace common {

class TextFileWriter {
  public:
    void Put(std::string_view text) { m_bytes.append(text); }
    // UTF-8 text, converted to Windows-1252.
    void PutText(std::string_view utf8);
    void EndLine() { m_bytes.append("\r\n"); }
    void Reserve(std::size_t bytes) { m_bytes.reserve(bytes); }
    const std::string& Bytes() const { return m_bytes; }
    // Writes the bytes to the file; false when it cannot be written whole.
    bool Save(const std::string& path) const;

  private:
    std::string m_bytes;
};

} // namespace common

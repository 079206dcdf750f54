// The common shape of the text output's listings: an RTF document in
// "Courier New" 10 pt with a bold title block, whole heading lines from the
// string table, underlined units lines, and rows built field by field. A
// listing that is shown hands the document to the window every 20 rows, so
// that a long listing appears while it is built; a listing that is saved
// keeps it whole for the file.
#pragma once
#include "common/core/RtfDocument.h"

#include <functional>
#include <string>
#include <string_view>

namespace gelmar {

class ListingWriter {
  public:
    using HandOver = std::function<void(common::CRtfDocument&)>;
    // With a hand-over the listing is shown (display mode), without one it
    // is saved (the caller writes the document once the listing is done).
    explicit ListingWriter(HandOver handOver = nullptr);

    bool Showing() const { return static_cast<bool>(m_handOver); }
    common::CRtfDocument& Document() { return m_document; }

    // "\n", the title in bold, "\n\n".
    void Title(std::string_view title);
    void Text(std::string_view text);
    void Bold(std::string_view text);
    // The underlined text, then "\n" outside the underline.
    void Underlined(std::string_view text);
    // A string-table line and "\n".
    void Heading(unsigned id);
    // The row counter counts rows from n (the heading lines written so far).
    void StartRows(int n) { m_rows = n; }
    // The row and "\n"; every 20th row hands the document over.
    void Row(std::string_view row);
    // Hands the rest of the document over (display mode).
    void Finish();

  private:
    common::CRtfDocument m_document;
    HandOver m_handOver;
    int m_rows = 0;
};

// The texts the listings print with the data file: its name without folder
// and extension, with ".glm".
std::string DataFileDisplayName(const std::string& dataFilePath);
// "GELMAR data file: <name>.glm" (without a line end).
std::string DataFileLine(const std::string& dataFilePath);

} // namespace gelmar

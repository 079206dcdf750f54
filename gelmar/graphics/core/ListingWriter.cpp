// Listing documents: font, title, headings, rows and their hand-over.
#include "gelmar/graphics/core/ListingWriter.h"

#include "platform/core/StringTable.h"

#include <filesystem>

namespace gelmar {

namespace {

constexpr int kRowsPerHandOver = 20;

} // namespace

ListingWriter::ListingWriter(HandOver handOver) : m_handOver(std::move(handOver))
{
    // A saved listing is only written: its runs need not be kept.
    m_document.KeepRuns(Showing());
    common::RtfApply(m_document, common::RtfFontName("Courier New"));
    common::RtfApply(m_document, common::RtfFontSize(20));
}

void ListingWriter::Title(std::string_view title)
{
    Text("\n");
    Bold(title);
    Text("\n\n");
}

void ListingWriter::Text(std::string_view text)
{
    m_document.AppendText(text);
}

void ListingWriter::Bold(std::string_view text)
{
    common::RtfApply(m_document, common::RtfStyleFlagA(true));
    m_document.AppendText(text);
    common::RtfApply(m_document, common::RtfStyleFlagA(false));
}

void ListingWriter::Underlined(std::string_view text)
{
    common::RtfApply(m_document, common::RtfStyleFlagB(true));
    m_document.AppendText(text);
    common::RtfApply(m_document, common::RtfStyleFlagB(false));
    m_document.AppendText("\n");
}

void ListingWriter::Heading(unsigned id)
{
    Text(platform::LoadString(id) + "\n");
}

void ListingWriter::Row(std::string_view row)
{
    std::string line(row);
    line += '\n';
    m_document.AppendText(line);
    if (!Showing())
        return;
    if (++m_rows >= kRowsPerHandOver) {
        m_handOver(m_document);
        m_rows = 0;
    }
}

void ListingWriter::Finish()
{
    if (Showing())
        m_handOver(m_document);
}

std::string DataFileDisplayName(const std::string& dataFilePath)
{
    return std::filesystem::path(dataFilePath).stem().string() + ".glm";
}

std::string DataFileLine(const std::string& dataFilePath)
{
    return "GELMAR data file: " + DataFileDisplayName(dataFilePath);
}

} // namespace gelmar

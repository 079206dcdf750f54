// Test fixture of the report tests: the program's string table, a report
// context over the fixture's model, and the bytes a report file should hold
// for lines given as UTF-8 text (Windows-1252, each line ending in CRLF).
#pragma once
#include "CalcFixture.h"
#include "novelk/model/reports/ReportStrings.h"
#include "novelk/model/reports/TextReports.h"
#include "platform/core/Text1252.h"

#include <vector>

namespace novelk::test {

class ReportTest : public CalcTest {
  protected:
    void SetUp() override
    {
        CalcTest::SetUp();
        std::string error;
        ASSERT_TRUE(LoadNovelkStrings(strings, std::string(SUITE_SOURCE_DIR) + "/resources/novelk", &error))
            << error;
    }
    ReportContext Context(ReportDecimals decimals = {})
    {
        return ReportContext{model, run, strings, decimals};
    }
    // The file's bytes as the report writers write the lines.
    static std::string FileBytes(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return platform::Utf8ToCp1252(text);
    }
    static std::string Blanks(std::size_t n) { return std::string(n, ' '); }

    platform::StringTable strings;
};

} // namespace novelk::test

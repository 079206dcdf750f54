// Every listing saved as an RTF file opens in LibreOffice's headless
// converter, an RTF reader of its own: as plain text it equals the listing
// as shown, and as HTML its title is bold, its units lines underlined and
// its font Courier New. Skipped, with a message, where the converter is not
// installed.
#include "ListingSupport.h"
#include "gelmar/graphics/core/InputDataListing.h"
#include "gelmar/graphics/core/LoadedResults.h"
#include "gelmar/graphics/core/ResultListings.h"
#include "gelmar/model/radiation/ViewFactorFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gelmar::test {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Line ends as LF, blanks at line ends and empty lines at the end removed,
// a byte-order mark dropped.
std::string Normalised(std::string text)
{
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    std::string out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        out += line + "\n";
    }
    while (out.size() >= 2 && out.compare(out.size() - 2, 2, "\n\n") == 0)
        out.pop_back();
    return out;
}

// Runs of blanks and line ends as one blank, none at either end (the HTML
// export wraps its lines).
std::string Squeezed(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The text of every element of the tag (<u>, <b>), tags inside removed.
std::vector<std::string> Elements(const std::string& html, const std::string& tag)
{
    std::vector<std::string> texts;
    const std::string open = "<" + tag + ">", close = "</" + tag + ">";
    for (std::size_t at = html.find(open); at != std::string::npos; at = html.find(open, at + 1)) {
        const std::size_t end = html.find(close, at);
        if (end == std::string::npos)
            break;
        std::string text;
        bool inTag = false;
        for (std::size_t i = at + open.size(); i < end; ++i) {
            if (html[i] == '<')
                inTag = true;
            else if (html[i] == '>')
                inTag = false;
            else if (!inTag)
                text += html[i];
        }
        texts.push_back(Squeezed(text));
    }
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct Listing {
    std::string name;
    std::function<void(ListingWriter&)> write;
};

TEST(SavedListingRtf, OpensInLibreOfficeAsTheListingShows)
{
    if (std::system("command -v soffice > /dev/null 2>&1") != 0)
        GTEST_SKIP()
            << "LibreOffice's converter (soffice, package libreoffice-writer-nogui) is not installed";
    LoadGelmarStrings();
    const fs::path folder = fs::absolute("saved-listing-rtf");
    fs::remove_all(folder);
    fs::create_directories(folder);

    auto wall = WallModel();
    Work wallWork(*wall);
    const LoadedResults wallResults(*wall, wallWork.run);
    auto result = ResultModel();
    Work work(*result, kResultTime);
    const LoadedResults results(*result, work.run);
    std::ofstream(folder / "wall.txt", std::ios::binary) << "Report of C:\\data\r\nt\t[\xB0"
                                                            "C]\r\n1\t20.5\r\n";
    ViewFactorSummary summary;
    summary.exchange.assign(256 * 256, 0.0);
    summary.area[1] = 2;
    summary.exchange[1 * 256 + 2] = 0.5;
    const ListingDecimals decimals;
    const std::vector<Listing> listings = {
        {"input", [&](ListingWriter& out) { WriteInputDataListing(out, *wall); }},
        {"results", [&](ListingWriter& out) { WriteResultsListing(out, *result, results, decimals); }},
        {"corners", [&](ListingWriter& out) { WriteCornerNodesListing(out, *result, results, decimals); }},
        {"nodebcs", [&](ListingWriter& out) { WriteNodeBcsListing(out, *wall, wallResults, decimals); }},
        {"report",
         [&](ListingWriter& out) { WriteReportOutputListing(out, (folder / "wall.txt").string()); }},
        {"viewfactors",
         [&](ListingWriter& out) { WriteViewFactorsListing(out, "tmp.vwf", &summary, decimals); }},
    };
    std::string files;
    for (const Listing& l : listings) {
        ListingWriter out;
        l.write(out);
        ASSERT_TRUE(out.Document().WriteFile((folder / (l.name + ".doc")).string()));
        files += " " + l.name + ".doc";
    }
    // One converter run per format, with a profile of its own.
    const std::string soffice = "cd '" + folder.string() + "' && soffice -env:UserInstallation=file://" +
                                folder.string() + "/profile --headless --convert-to ";
    ASSERT_EQ(std::system((soffice + "txt:Text --outdir txt" + files + " > convert.log 2>&1").c_str()), 0);
    ASSERT_EQ(std::system((soffice + "html --outdir html" + files + " >> convert.log 2>&1").c_str()), 0);

    for (const Listing& l : listings) {
        SCOPED_TRACE(l.name);
        const ShownListing shown = Show(l.write);
        EXPECT_EQ(Normalised(ReadText(folder / "txt" / (l.name + ".txt"))), Normalised(shown.text));
        const std::string html = ReadText(folder / "html" / (l.name + ".html"));
        EXPECT_NE(html.find("Courier New"), std::string::npos);
        ASSERT_EQ(shown.bold.size(), 1u);
        EXPECT_TRUE(Contains(Elements(html, "b"), Squeezed(shown.bold.front())));
        const std::vector<std::string> underlinedInHtml = Elements(html, "u");
        for (const std::string& underlined : shown.underlined)
            EXPECT_TRUE(Contains(underlinedInHtml, Squeezed(underlined))) << underlined;
        if (l.name != "report") {
            EXPECT_FALSE(shown.underlined.empty());
        }
    }
    if (!HasFailure())
        fs::remove_all(folder);
}

} // namespace
} // namespace gelmar::test

// The listings of files: the report the calculation wrote and the view
// factors summed per pair of colours.
#include "common/core/ListingText.h"
#include "gelmar/graphics/core/ResultListings.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/core/Text1252.h"

#include <fstream>
#include <iterator>

namespace gelmar {

namespace {

enum : unsigned {
    IDS_VIEW_FACTORS_TITLE = 510,
    IDS_VIEW_FACTORS = 512,
    IDS_VIEW_FACTORS_UNITS = 513,
};

} // namespace

void WriteReportOutputListing(ListingWriter& out, const std::string& reportPath)
{
    std::ifstream in(reportPath, std::ios::binary);
    if (!in)
        return;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Whole lines of any length; only the line end (LF or CR LF) goes, and a
    // last line without one is kept whole.
    bool first = true;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        const std::string line = platform::Cp1252ToUtf8(std::string_view(bytes).substr(start, end - start));
        if (first) {
            out.Text("\n");
            out.Bold(line);
            out.Text("\n");
            out.StartRows(2);
            first = false;
        } else {
            out.Row(line);
        }
        start = next;
    }
}

void WriteViewFactorsListing(ListingWriter& out, const std::string& fileName,
                             const ViewFactorSummary* summary, const ListingDecimals& decimals)
{
    out.Title(platform::LoadString(IDS_VIEW_FACTORS_TITLE));
    out.Text("View factor file: " + fileName + "\n\n");
    if (!summary || summary->exchange.size() < static_cast<std::size_t>(kColourCount) * kColourCount)
        return;
    out.Heading(IDS_VIEW_FACTORS);
    out.Underlined(platform::LoadString(IDS_VIEW_FACTORS_UNITS));
    out.StartRows(7);
    for (int i = 0; i < kColourCount; ++i) {
        const double area = summary->area[static_cast<std::size_t>(i)];
        if (!(area > 0))
            continue;
        for (int j = 0; j < kColourCount; ++j) {
            const double exchange = summary->exchange[static_cast<std::size_t>(i * kColourCount + j)];
            if (exchange == 0)
                continue;
            out.Row(common::FormatInt(i, 3) + "     " + common::FormatInt(j, 3) +
                    common::FormatGeneral(area, 12) + "     " +
                    common::FormatFixed(exchange / area, 0, decimals.viewFactor));
        }
    }
}

} // namespace gelmar

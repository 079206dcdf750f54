// The result listings of the text output: the time-step results per colour,
// the temperatures in corner nodes and in node BCs (from the loaded time
// step), the report file the calculation wrote, and the view factors
// between radiating colours.
#pragma once
#include "gelmar/graphics/core/ListingWriter.h"

#include <string>

namespace gelmar {

class LoadedResults;
struct ModelStore;
struct ViewFactorSummary;

// The numbers of decimals of the listings.
struct ListingDecimals {
    int temperature = 2;
    int flow = 2;
    int viewFactor = 4;
};

void WriteResultsListing(ListingWriter& out, const ModelStore& m, const LoadedResults& results,
                         const ListingDecimals& decimals);
void WriteCornerNodesListing(ListingWriter& out, const ModelStore& m, const LoadedResults& results,
                             const ListingDecimals& decimals);
void WriteNodeBcsListing(ListingWriter& out, const ModelStore& m, const LoadedResults& results,
                         const ListingDecimals& decimals);

// The report file line by line (Windows-1252 on disk), its first line in bold
// after an empty line; a file that cannot be read gives an empty listing.
void WriteReportOutputListing(ListingWriter& out, const std::string& reportPath);

// fileName: the view-factor file's name as shown. summary: null when no
// summary could be read (then only the title and the file line).
void WriteViewFactorsListing(ListingWriter& out, const std::string& fileName,
                             const ViewFactorSummary* summary, const ListingDecimals& decimals);

// The data-file path with its last three characters replaced (the report
// file "txt", the view-factor file "vwf"); empty for a shorter path.
std::string ReplaceLastThree(const std::string& path, const char* extension);

} // namespace gelmar

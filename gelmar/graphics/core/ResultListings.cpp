// The time-step, corner-node and node-BC listings.
#include "gelmar/graphics/core/ResultListings.h"

#include "common/core/ListingText.h"
#include "gelmar/graphics/core/CornerNodes.h"
#include "gelmar/graphics/core/LoadedResults.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"

namespace gelmar {

using common::FormatFixed;
using common::FormatInt;
using common::MakeBlankField;

namespace {

enum : unsigned {
    IDS_RESULTS_TITLE = 481,
    IDS_RESULTS_RCL = 482,
    IDS_RESULTS_XYZ = 483,
    IDS_RESULTS_UNITS = 484,
    IDS_FLOWS = 485,
    IDS_FLOWS_UNITS = 486,
    IDS_CORNER_TITLE = 487,
    IDS_NODES_RCL = 488,
    IDS_NODES_XYZ = 489,
    IDS_NODE_BCS_TITLE = 494,
};

std::string Padded(std::string text, std::size_t width)
{
    common::PadLineBuffer(text, width);
    return text;
}

common::IndexDisplay Display(const ModelStore& m)
{
    return {{m.axes[0].n, m.axes[1].n, m.axes[2].n}, m.rcl != 0};
}

// "%3d  TYPE      Name           " of a colour.
std::string ColourLead(int n, const ColourRecord& c)
{
    return FormatInt(n, 3) + "  " + Padded(ColourTypeName(c.type), 8) + "  " +
           Padded(common::CutText(c.name, 15), 15);
}

// The listing's head: title, data-file line and time-step line.
void WriteStepHead(ListingWriter& out, const ModelStore& m, long long time, unsigned title)
{
    out.Title(platform::LoadString(title));
    out.Text(DataFileLine(m.dataFilePath) + "\n\n");
    out.Text("Time step " + FormatTimeDHMS(time) + "\n\n");
}

// Heading 489 (488 in the R/C/L naming) and the units line of the node
// listings.
void WriteNodeHeadings(ListingWriter& out, const ModelStore& m)
{
    out.Heading(m.rcl ? IDS_NODES_RCL : IDS_NODES_XYZ);
    const std::string label = common::AlignRight(GridUnitLabelFor(m.gridUnit), 6);
    out.Underlined(label + label + label + "      [°C]");
}

} // namespace

void WriteResultsListing(ListingWriter& out, const ModelStore& m, const LoadedResults& results,
                         const ListingDecimals& decimals)
{
    const common::IndexDisplay d = Display(m);
    out.Title(platform::LoadString(IDS_RESULTS_TITLE));
    out.Text(DataFileLine(m.dataFilePath) + "\n");
    out.Text("Number of nodes = " + FormatInt(results.NodeCount()) + "\n\n");
    out.Text("Time step " + FormatTimeDHMS(results.Time()) + "\n\n");
    out.Heading(m.rcl ? IDS_RESULTS_RCL : IDS_RESULTS_XYZ);
    out.Underlined(platform::LoadString(IDS_RESULTS_UNITS));
    out.StartRows(9);
    const auto place = [&](const std::uint16_t p[3]) {
        return FormatInt(d.Shown(0, p[0]), 5) + FormatInt(d.Shown(1, p[1]), 5) +
               FormatInt(d.Shown(2, p[2]), 5);
    };
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (!c.inUse)
            continue;
        std::string row = ColourLead(n, c);
        // A colour without nodes keeps its minimum above its maximum.
        if (c.resultMin <= c.resultMax)
            row += FormatFixed(c.resultMin, 10, decimals.temperature) + place(c.working.lowestPoint) +
                   FormatFixed(c.resultMax, 10, decimals.temperature) + place(c.working.highestPoint);
        out.Row(row);
    }
    out.Text("\n");
    out.Heading(IDS_FLOWS);
    out.Underlined(platform::LoadString(IDS_FLOWS_UNITS));
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (!c.inUse || c.type == MATERIAL || c.type == EQUIMAT)
            continue;
        std::string row = ColourLead(n, c);
        row += c.type == BC_FREE || c.type == BC_FRE_S
                   ? FormatFixed(c.airTemperature, 10, decimals.temperature)
                   : MakeBlankField(10);
        row +=
            FormatFixed(c.resultValue1, 10, decimals.flow) + FormatFixed(c.resultValue2, 10, decimals.flow);
        out.Row(row);
    }
}

void WriteCornerNodesListing(ListingWriter& out, const ModelStore& m, const LoadedResults& results,
                             const ListingDecimals& decimals)
{
    WriteStepHead(out, m, results.Time(), IDS_CORNER_TITLE);
    WriteNodeHeadings(out, m);
    out.StartRows(9);
    const bool rcl = m.rcl != 0;
    const int nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j)
            for (int k = 0; k <= nz; ++k) {
                // The R/C/L naming lists the layers from the top.
                const int z = rcl ? nz - k : k;
                if (!IsCornerNode(m, results, i, j, z))
                    continue;
                const int shown[3] = {rcl ? 2 * i + 1 : i, rcl ? 2 * j + 1 : j, rcl ? 2 * k + 1 : k};
                out.Row(FormatInt(shown[0], 6) + FormatInt(shown[1], 6) + FormatInt(shown[2], 6) +
                        FormatFixed(results.NodeTemperature(results.NodeIndex(i, j, z)), 10,
                                    decimals.temperature));
            }
}

void WriteNodeBcsListing(ListingWriter& out, const ModelStore& m, const LoadedResults& results,
                         const ListingDecimals& decimals)
{
    WriteStepHead(out, m, results.Time(), IDS_NODE_BCS_TITLE);
    WriteNodeHeadings(out, m);
    out.StartRows(9);
    const common::IndexDisplay d = Display(m);
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n) {
        const NodeBcRecord& r = m.nodeBcs[static_cast<std::size_t>(n)];
        if (r.type != 1)
            continue;
        std::string row;
        common::AppendNodeIndices(row, d, r.i, r.j, r.k);
        // A power on a point without a calculation node has no temperature.
        const std::int32_t node = results.NodeIndex(r.i, r.j, r.k);
        row += node >= 0 ? FormatFixed(results.NodeTemperature(node), 10, decimals.temperature)
                         : MakeBlankField(10);
        out.Row(row);
    }
    out.Text("\n");
}

std::string ReplaceLastThree(const std::string& path, const char* extension)
{
    if (path.size() < 3)
        return {};
    return path.substr(0, path.size() - 3) + extension;
}

} // namespace gelmar

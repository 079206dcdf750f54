// The solution and heat-flux lines: what is written reads back, and every
// line that fails its check rejects the file.
#include "common/kernels/ResultFiles.h"

#include "ScratchFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace kernels {
namespace {

class ResultFilesTest : public testing::ScratchFolderTest {
  protected:
    std::string Write(const char* name, const std::string& text) const
    {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
};

struct Sink : SolutionFileSink {
    std::vector<double> values = std::vector<double>(3, -1.0);
    std::map<int, double> air;
    std::map<int, ColourExtremes> extremes;
    std::map<int, ColourFlows> flows;
    std::span<double> Temperatures(Index) override { return values; }
    void AirTemperature(int c, double t) override { air[c] = t; }
    void Extremes(int c, const ColourExtremes& e) override { extremes[c] = e; }
    void Flows(int c, const ColourFlows& f) override { flows[c] = f; }
};

TEST_F(ResultFilesTest, SolutionLinesReadBack)
{
    ResultFileWriter w;
    ASSERT_TRUE(w.Open(Path("tmp.sol")));
    SolutionHeader h;
    h.blocks = 2, h.nodeBcs = 1, h.zones = 1, h.rows = 3, h.gridRows = 2;
    h.largestChange = 1.5e-5f, h.objectDivergence = 0.25f, h.nodeDivergence = 3;
    PutSolutionHeader(w, h);
    PutGridTemperature(w, 20.123456789012, 0, 0, 1);
    PutGridTemperature(w, -1.0 / 3.0, 1, 0, 0);
    PutZoneTemperature(w, 12.5);
    PutAirTemperature(w, 4, 12.5);
    ColourExtremes e;
    e.lowest = -0.5f, e.highest = 20;
    e.lowestPoint[0] = 1, e.highestPoint[2] = 7;
    PutColourExtremes(w, 1, e);
    PutColourFlows(w, 2, {3.25f, 0.5f});
    ASSERT_TRUE(w.Close());

    std::ifstream in(Path("tmp.sol"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "D 2 1 1\r\nR 3 2 1.5e-05 0.25 3\r\nN 20.1234567890 0 0 1\r\nN -0.3333333333 1 0 0\r\n"
                    "N 12.5000000000\r\nC 4 12.5000000000\r\nT 1 -0.5 1 0 0 20 0 0 7\r\nQ 2 3.25 0.5\r\n");

    Sink sink;
    SolutionHeader read;
    EXPECT_EQ(ReadSolutionFile(Path("tmp.sol"), {2, 1, 2}, read, sink), SolutionReadStatus::Read);
    EXPECT_EQ(sink.values, (std::vector<double>{20.123456789, -0.3333333333, 12.5}));
    EXPECT_EQ(read.largestChange, 1.5e-5f);
    EXPECT_EQ(read.nodeDivergence, 3.0f);
    EXPECT_EQ(sink.air.at(4), 12.5);
    EXPECT_EQ(sink.extremes.at(1).lowest, -0.5f);
    EXPECT_EQ(sink.extremes.at(1).highestPoint[2], 7);
    EXPECT_EQ(sink.flows.at(2).in, 3.25f);
    EXPECT_EQ(ReadSolutionFile(Path("none.sol"), {2, 1, 2}, read, sink), SolutionReadStatus::NotOpened);
}

TEST_F(ResultFilesTest, BadLinesRejectTheFile)
{
    const std::string good = "D 2 1 5\nR 3 2 0 1 2\nN 1 0 0 0\n";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"other block count", "D 3 1 0\n"},
        {"other node-BC count", "D 2 0 0\n"},
        {"other grid unknowns", "R 3 3 0 1 2\n"},
        {"fewer unknowns than grid unknowns", "R 1 2 0 1 2\n"},
        {"negative change", "R 3 2 -1 1 2\n"},
        {"divergence above 200", "R 3 2 0 201 2\n"},
        {"second R line", good.substr(8) + "R 3 2 0 1 2\n"},
        {"N before R", "N 1\nR 3 2 0 1 2\n"},
        {"N without a number", good + "N x\n"},
        {"colour 256", good + "C 256 1\n"},
        {"negative colour", good + "T -1 0 0 0 0 1 0 0 0\n"},
        {"short T line", good + "T 1 0 0 0 0 1 0 0\n"},
        {"negative flow", good + "Q 1 1 -1\n"},
        {"line too long", good + std::string(300, '1') + "\n"},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        Sink sink;
        SolutionHeader read;
        EXPECT_EQ(ReadSolutionFile(Write("bad.sol", text), {2, 1, 2}, read, sink), SolutionReadStatus::Rejected);
    }
    // Other letters are skipped; the zone count is free; more N lines than
    // there is room for are ignored; an N line may carry more fields.
    Sink sink;
    SolutionHeader read;
    EXPECT_EQ(ReadSolutionFile(Write("ok.sol", good + "X anything\nN 2 1 1 1 9\nN 3\nN 4\n"), {2, 1, 2}, read, sink),
              SolutionReadStatus::Read);
    EXPECT_EQ(sink.values, (std::vector<double>{1, 2, 3}));
}

TEST_F(ResultFilesTest, FluxLinesSortedAndCheckedOneByOne)
{
    const std::string path = Write("tmp.flx", "2 0 0 1 -3.5\r\n1 5 0 4 2\r\n1 5 0 1 7\r\n1 2 3 4\r\n"
                                              "1 2 3 6 1\r\n-1 0 0 0 1\r\n70000 0 0 0 1\r\nx\r\n1 0 0 0 1e3 9\r\n");
    bool opened = false;
    const std::vector<FluxRecord> r = ReadFluxFile(path, &opened);
    EXPECT_TRUE(opened);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].i, 1);
    EXPECT_EQ(r[0].flow, 1000.0f);
    EXPECT_EQ(r[1].direction, 1);
    EXPECT_EQ(r[1].flow, 7.0f);
    EXPECT_EQ(r[2].direction, 4);
    EXPECT_EQ(r[3].i, 2);
    EXPECT_EQ(r[3].flow, -3.5f);
    EXPECT_TRUE(ReadFluxFile(Path("none.flx"), &opened).empty());
    EXPECT_FALSE(opened);

    ResultFileWriter w;
    ASSERT_TRUE(w.Open(Path("out.flx")));
    PutFluxLine(w, 3, 4, 5, 2, 0.1234567);
    ASSERT_TRUE(w.Close());
    std::ifstream in(Path("out.flx"), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), "3 4 5 2 0.123457\r\n");
}

} // namespace
} // namespace kernels

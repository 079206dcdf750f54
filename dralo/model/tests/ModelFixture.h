// Test fixture for Dralo's engine tests: an engine (a fresh model, defaults,
// session, undo history) on a host that records what the engine asks of the windows;
// each test in its own scratch folder; bitmaps drawn from rows of
// characters and small BMP files built byte by byte.
#pragma once
#include "common/testing/TestFiles.h"
#include "dralo/model/Engine.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace dralo::test {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

// Records the requests of the engine.
class RecordingHost : public NullEngineHost {
  public:
    void SetModified(bool m) override
    {
        modified = m;
        calls.push_back(m ? "modified" : "not modified");
    }
    void RefreshAfterEdit(int colour, bool whole) override
    {
        refreshColour = colour;
        wholeBitmap = whole;
        calls.push_back("refresh");
    }
    void RefreshTableViews() override { calls.push_back("tables"); }
    void GoToUndoItem(int kind, int row, int column) override { goTo.push_back({kind, row, column}); }
    void UpdateAllViews() override { calls.push_back("all views"); }

    std::vector<std::string> calls;
    std::vector<std::array<int, 3>> goTo;
    bool modified = false;
    int refreshColour = -2;
    bool wholeBitmap = false;
};

// A little-endian BMP file built field by field.
struct BmpBytes {
    std::int32_t width = 0, height = 0;
    std::uint16_t planes = 1, bits = 8;
    std::uint32_t compression = 0, coloursUsed = 256;
    std::int64_t offset = -1; // -1: right after the palette
    std::vector<std::array<std::uint8_t, 3>> palette; // red, green, blue; up to coloursUsed entries written
    std::string pixels;                                // the pixel data as stored

    std::string Bytes() const;
};

// Uncompressed pixel data of top-down rows (each string one row of colour
// numbers), bottom-up and padded as stored.
std::string UncompressedRows(const std::vector<std::vector<std::uint8_t>>& rows);

class ModelTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { std::filesystem::current_path(home); }

    // A bitmap from rows of characters: each character is a colour by the
    // legend (digits stand for themselves when not in it); statistics and
    // edges are built.
    void Draw(const std::vector<std::string>& rows, const std::map<char, int>& legend = {});
    // The rows back as characters, colour c as legend's key or its digit.
    std::vector<std::string> Picture(const std::map<char, int>& legend = {}) const;
    void SetColour(int n, int type, float lambda = 1.0f, float temperature = 0.0f, float h = 7.7f);
    int Pixel(int x, int y) const { return GetPixelColour(model, x, y); }

    RecordingHost host;
    Engine engine{host};
    ProgramParameters& defaults = engine.parameters;
    SessionSettings& session = engine.session;
    BitmapModel& model = engine.model;
    UndoHistory& undo = engine.history;
    EditSession& s = engine.edits;
    std::filesystem::path home;
};

// The unit pixel sides of a list of edges, each with its colour pair, as a
// sorted list: the same for any split of the same boundaries.
struct UnitSide {
    int left, right, x, y;
    bool horizontal;
    auto operator<=>(const UnitSide&) const = default;
};
std::vector<UnitSide> UnitSides(const std::vector<BoundaryEdge>& edges);
// The unit sides from the pixels alone: every side between two pixels of
// different colours and every side on the outline.
std::vector<UnitSide> BruteForceSides(const BitmapModel& m);

} // namespace dralo::test

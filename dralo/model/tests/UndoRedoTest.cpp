// Undo and redo: what a snapshot keeps, the limit, the modified flag, the
// window of each kind, and the model's files after undo and redo of every
// kind of change.
#include "dralo/model/editing/EditSession.h"
#include "dralo/model/editing/Geometry.h"
#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/tests/ModelFixture.h"

#include <functional>
#include <random>

namespace dralo::test {
namespace {

class UndoRedoTest : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        Draw({"11112222", "11112222", "33334444", "33334444"});
        undo.Clear();
        SaveUndoRecord(undo, model, kUndoBase, 0, 0, false, host);
    }
    // The model's files as Save writes them.
    std::pair<std::string, std::string> Files()
    {
        EXPECT_TRUE(WriteModelBmp(model, "state.bmp"));
        return {FormatDataFile(model, startup), ReadBytes("state.bmp")};
    }
    void PixelEdit(std::int64_t x, std::int64_t y, int colour)
    {
        SetPixelColour(model, PixelIndex(model, x, y), static_cast<std::uint8_t>(colour));
        CommitPixelEdit(s);
    }
    std::array<ColourRecord, kColourCount> startup = model.colours;
};

TEST_F(UndoRedoTest, AFewPixelsAreKeptAsChangesAndManyAsAnImage)
{
    const auto image = undo.Current()->image;
    ASSERT_TRUE(image);
    PixelEdit(1, 1, 7);
    EXPECT_EQ(undo.Current()->changed.size(), 1u);
    EXPECT_EQ(undo.Current()->image, image) << "shared with the snapshot before";
    EXPECT_EQ(model.changed.entries.size(), 0u);
    // More changed pixels than the list holds: a new image.
    AllocatePixels(model, 100, 100, 0);
    BuildColourBoundaryEdges(model);
    for (int i = 0; i < 2000; ++i)
        SetPixelColour(model, i, 5);
    CommitPixelEdit(s);
    EXPECT_TRUE(undo.Current()->changed.empty());
    EXPECT_NE(undo.Current()->image, image);
    EXPECT_EQ(UnitSides(model.edges), BruteForceSides(model));
}

TEST_F(UndoRedoTest, AfterOneHundredAndOneEditsTheFirstCanNoLongerBeUndone)
{
    for (int i = 0; i < 101; ++i)
        PixelEdit(i % 8, (i / 8) % 4, 5 + i % 3);
    EXPECT_EQ(undo.Count(), 101u);
    int undone = 0;
    while (UndoEdit(undo, model, host))
        ++undone;
    EXPECT_EQ(undone, 100);
    // The state after the first edit, not before it.
    EXPECT_EQ(Pixel(0, 0), 5);
}

TEST_F(UndoRedoTest, UndoToTheBaseLeavesTheDocumentNotModified)
{
    PixelEdit(0, 0, 9);
    EXPECT_TRUE(host.modified);
    model.title = "new";
    SaveUndoRecord(undo, model, kUndoTitle, 0, 0, false, host);
    ASSERT_TRUE(UndoEdit(undo, model, host));
    EXPECT_EQ(model.title, "");
    EXPECT_EQ(host.goTo.back(), (std::array<int, 3>{kUndoTitle, 0, 0})) << "the Title dialog again";
    EXPECT_TRUE(host.modified);
    ASSERT_TRUE(UndoEdit(undo, model, host));
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(Pixel(0, 0), 1);
    EXPECT_FALSE(UndoEdit(undo, model, host));
    ASSERT_TRUE(RedoEdit(undo, model, host));
    EXPECT_EQ(Pixel(0, 0), 9);
    EXPECT_EQ(host.goTo.back(), (std::array<int, 3>{kUndoPixels, 0, 0}));
    ASSERT_TRUE(RedoEdit(undo, model, host));
    EXPECT_EQ(model.title, "new");
    EXPECT_FALSE(RedoEdit(undo, model, host));
    // A new change drops what could have been redone.
    ASSERT_TRUE(UndoEdit(undo, model, host));
    PixelEdit(7, 3, 8);
    EXPECT_FALSE(RedoEdit(undo, model, host));
}

TEST_F(UndoRedoTest, UndoThenRedoOfEachKindRestoresTheFiles)
{
    struct Kind {
        int kind;
        const char* name;
        std::function<void()> change;
    };
    const std::vector<Kind> kinds = {
        {kUndoPixels, "pixels", [&] {
             SetPixelColour(model, 3, 6);
             SetPixelColour(model, 12, 6);
         }},
        {kUndoPixels, "size", [&] { ResizeBitmap(model, 10, 5, 1, 0, false, host); }},
        {kUndoMeasures, "mesh size", [&] { model.colours[2].tric = 2.5f; }},
        {kUndoColours, "colour values", [&] {
             model.colours[3].lamb = 0.04f;
             model.colours[200].name = "unused colour";
         }},
        {kUndoDistances, "distances", [&] {
             model.ndis = 1;
             model.distances[0] = {kDistanceSelect, kDistanceX, 0, 0, 1, 1, 6, 1, 0, 0};
         }},
        {kUndoBorderline, "borderline BCs", [&] {
             model.nbor = 1;
             model.borderlineBcs[0] = {0, 1, 2, kBorderlineFlux, 0, 12};
         }},
        {kUndoCalcParameters, "calculation parameters", [&] {
             model.calc.cycl = 9;
             model.calc.strm = 0.5f;
         }},
        {kUndoBorderU, "border U values", [&] { model.report.ulfc = 1.25f; }},
        {kUndoDerived, "derived properties", [&] { model.report.rpsi = 1; }},
        {kUndoTitle, "title", [&] { model.title = "changed\r\ntitle"; }},
    };
    for (const Kind& k : kinds) {
        const auto before = Files();
        k.change();
        if (k.kind == kUndoPixels && model.width == 8)
            CommitPixelEdit(s);
        else if (k.kind == kUndoPixels)
            RefreshViewsAfterEdit(s, 0);
        else
            SaveUndoRecord(undo, model, k.kind, 2, 3, false, host);
        const auto after = Files();
        ASSERT_NE(before, after) << k.name;
        ASSERT_TRUE(UndoEdit(undo, model, host)) << k.name;
        EXPECT_EQ(Files(), before) << k.name;
        EXPECT_EQ(UnitSides(model.edges), BruteForceSides(model)) << k.name;
        ASSERT_TRUE(RedoEdit(undo, model, host)) << k.name;
        EXPECT_EQ(Files(), after) << k.name;
        EXPECT_EQ(UnitSides(model.edges), BruteForceSides(model)) << k.name;
        EXPECT_EQ(host.goTo.back()[0], k.kind) << k.name;
    }
}

TEST_F(UndoRedoTest, RandomEditsUndoneAndRedoneAgainstTheRecordedStates)
{
    std::mt19937 rng(101);
    std::vector<std::vector<std::uint8_t>> states{model.pixels};
    for (int edit = 0; edit < 30; ++edit) {
        if (edit % 7 == 6) {
            // A whole-bitmap edit: a new image the next snapshots share.
            for (std::uint8_t& p : model.pixels)
                p = static_cast<std::uint8_t>((p + 1) % 6);
            RefreshViewsAfterEdit(s, 0);
        } else {
            const int n = 1 + static_cast<int>(rng() % 4);
            for (int i = 0; i < n; ++i)
                SetPixelColour(model, static_cast<std::int64_t>(rng() % 32), static_cast<std::uint8_t>(rng() % 6));
            CommitPixelEdit(s);
        }
        states.push_back(model.pixels);
    }
    for (int back = 1; back <= 30; ++back) {
        ASSERT_TRUE(UndoEdit(undo, model, host));
        ASSERT_EQ(model.pixels, states[states.size() - 1 - static_cast<std::size_t>(back)]) << back;
        ASSERT_EQ(UnitSides(model.edges), BruteForceSides(model)) << back;
    }
    for (int forward = 1; forward <= 30; ++forward) {
        ASSERT_TRUE(RedoEdit(undo, model, host));
        ASSERT_EQ(model.pixels, states[static_cast<std::size_t>(forward)]) << forward;
        ASSERT_EQ(UnitSides(model.edges), BruteForceSides(model)) << forward;
    }
}

} // namespace
} // namespace dralo::test

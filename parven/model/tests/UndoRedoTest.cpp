// Undo and redo: the limit, redo dropped by a new edit, the window each kind
// brings back, and what a restore keeps.
#include "parven/model/editing/UndoRedo.h"
#include "parven/model/tests/ParvenFixture.h"

#include <tuple>
#include <vector>

namespace {

using namespace parven;
using parven::testing::ParvenTest;

class RecordingHost : public NullEngineHost {
  public:
    void GoToUndoItem(int kind, int a1, int a2) override { goTo.emplace_back(kind, a1, a2); }
    void RefillTables() override { ++refills; }
    void SetModified(bool m) override { modified = m; }

    std::vector<std::tuple<int, int, int>> goTo;
    int refills = 0;
    bool modified = false;
};

class UndoRedoTest : public ParvenTest {
  protected:
    // One edit of the title: it names the edit's number.
    void Edit(int n, int kind = kUndoTitle)
    {
        engine.model.title = "edit " + std::to_string(n);
        ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kind, n, 0, recorder));
    }
    bool UndoOnce() { return Undo(engine.history, engine.model, engine.mesh, engine.run, recorder); }
    bool RedoOnce() { return Redo(engine.history, engine.model, engine.mesh, engine.run, recorder); }

    RecordingHost recorder;
};

TEST_F(UndoRedoTest, AHundredAndFiftyEditsKeepTheLastHundredAndOne)
{
    for (int n = 1; n <= 150; ++n)
        Edit(n);
    EXPECT_EQ(engine.history.Count(), 101u);
    int undos = 0;
    while (UndoOnce())
        ++undos;
    EXPECT_EQ(undos, 100);
    EXPECT_EQ(engine.model.title, "edit 50");
    EXPECT_FALSE(UndoOnce());
    int redos = 0;
    while (RedoOnce())
        ++redos;
    EXPECT_EQ(redos, 100);
    EXPECT_EQ(engine.model.title, "edit 150");
}

TEST_F(UndoRedoTest, ANewEditDropsWhatRedoCouldReach)
{
    for (int n = 1; n <= 5; ++n)
        Edit(n);
    ASSERT_TRUE(UndoOnce());
    ASSERT_TRUE(UndoOnce());
    EXPECT_EQ(engine.model.title, "edit 3");
    Edit(6);
    EXPECT_FALSE(RedoOnce());
    EXPECT_EQ(engine.history.Count(), 4u);
    ASSERT_TRUE(UndoOnce());
    EXPECT_EQ(engine.model.title, "edit 3");
}

TEST_F(UndoRedoTest, EachKindBringsBackItsWindow)
{
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kUndoBaseline, 0, 0, recorder));
    for (int kind = kUndoGrid; kind <= kUndoTitle; ++kind)
        Edit(kind, kind);
    for (int kind = kUndoTitle; kind >= kUndoGrid; --kind) {
        ASSERT_TRUE(UndoOnce());
        ASSERT_FALSE(recorder.goTo.empty());
        // Undo names the undone edit's window and cell.
        EXPECT_EQ(recorder.goTo.back(), std::make_tuple(kind, kind, 0));
    }
    EXPECT_FALSE(recorder.modified); // back at the baseline
    const std::size_t calls = recorder.goTo.size();
    for (int kind = kUndoGrid; kind <= kUndoTitle; ++kind) {
        ASSERT_TRUE(RedoOnce());
        EXPECT_EQ(recorder.goTo.back(), std::make_tuple(kind, kind, 0)); // Redo names the new record's
        EXPECT_TRUE(recorder.modified);
    }
    EXPECT_EQ(recorder.goTo.size(), calls + 12);
    EXPECT_EQ(recorder.refills, 24);
}

TEST_F(UndoRedoTest, ARestoreKeepsTheFileTheSessionAndFreshStates)
{
    OpenText("nblk=1\nblok=0\nbpnt=7 5 5 5\nnxwi=1\nnywi=1\nnzwi=1\nxwid=5\nywid=5\nzwid=5\n", "a.pvn");
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kUndoBaseline, 0, 0, recorder));
    const ShapeModel before = engine.model;
    engine.model.blocks[0].points[7][0] = 9;
    engine.model.axes[0].widths[0] = 9;
    ComputeGridCoordinates(engine.model);
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kUndoGrid, 1, 1, recorder));
    engine.model.dataFilePath = "renamed.pvn";
    engine.model.session.linkEqualPoints = true;
    engine.mesh.fillStage = 3;
    engine.run.resultsPresent = true;
    ASSERT_TRUE(UndoOnce());
    parven::testing::ExpectSameModel(engine.model, before);
    EXPECT_EQ(engine.model.dataFilePath, "renamed.pvn");
    EXPECT_TRUE(engine.model.session.linkEqualPoints);
    EXPECT_EQ(engine.mesh.fillStage, 0);
    EXPECT_FALSE(engine.run.resultsPresent);
}

TEST_F(UndoRedoTest, SnapshotsShareTheBlocksAnEditLeftAlone)
{
    GrowBlockArray(engine.model, 3000);
    engine.model.blocks.count = 3000;
    for (std::size_t i = 0; i < 3000; ++i)
        InitBlock(engine.model, i);
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kUndoBlocks, 0, 0, recorder));
    engine.model.blocks[1500].colour = 7;
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kUndoBlocks, 1500, 1, recorder));
    const UndoRecord& first = *engine.history.At(0);
    const UndoRecord& second = *engine.history.At(1);
    const std::size_t chunks = (3000 + 255) / 256;
    EXPECT_EQ(second.blocks.SharedWith(first.blocks), chunks - 1);
    ASSERT_TRUE(UndoOnce());
    EXPECT_EQ(engine.model.blocks[1500].colour, 0);
    EXPECT_EQ(engine.model.blocks.count, 3000u);
}

} // namespace

// Undo and redo: each kind of edit undone and redone, compared through the
// written files; the history's limit; the windows the host is asked to refresh.
#include "novelk/model/editing/UndoRedo.h"

#include "FailingAllocations.h"
#include "ModelFixture.h"

namespace novelk::test {
namespace {

class UndoRedoTest : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        SetUnitGrid(3, 2, 1);
        AddBlock(1, 0, 3, 0, 2, 0, 1);
        AddBlock(2, 1, 2, 0, 1, 0, 1);
        ASSERT_TRUE(SaveUndoRecord(history, model, kUndoBaseline, 0, 0, host));
    }
    // The model as the file and the parts a file does not hold.
    std::string State() const
    {
        std::string s = FormatDataFile(model);
        for (int k = 0; k < 3; ++k)
            s += " clip " + std::to_string(model.clipLo[k]) + "-" + std::to_string(model.clipHi[k]) +
                 " origin " + std::to_string(model.insertionOrigin[k]);
        s += " outlines " + std::to_string(model.outlines.count);
        s += " colour 9 " + std::to_string(model.colours[9].type) + " " + model.colours[9].name;
        return s;
    }

    UndoHistory history;
};

TEST_F(UndoRedoTest, EachKindUndoesAndRedoes)
{
    struct Edit {
        int kind;
        void (*apply)(ModelStore&);
    };
    const Edit edits[] = {
        {kUndoGrid, [](ModelStore& m) { m.axes[0].widths[1] = 2.5f; }},
        {kUndoMinimumGrid,
         [](ModelStore& m) {
             m.axes[1].n = 1;
             m.blocks[0].y2 = 1;
         }},
        {kUndoBlocks, [](ModelStore& m) { m.blocks[1].colour = 5; }},
        {kUndoColours,
         [](ModelStore& m) {
             m.colours[9].type = BC_FREE;
             m.colours[9].name = "Cavity";
         }},
        {kUndoNodeBcs,
         [](ModelStore& m) {
             GrowNodeBcArray(m, 1);
             m.nodeBcs.count = 1;
             m.nodeBcs[0].i = 2;
             m.nodeBcs[0].temperature = 4;
         }},
        {kUndoBorderBcs,
         [](ModelStore& m) {
             GrowBorderBcArray(m, 1);
             m.borderBcs.count = 1;
             m.borderBcs[0].colour1 = 1;
         }},
        {kUndoMaterialBcs,
         [](ModelStore& m) {
             GrowMaterialBcArray(m, 1);
             m.materialBcs.count = 1;
             m.materialBcs[0].power = 3;
         }},
        {kUndoAreas, [](ModelStore& m) { m.areas[1] = AreaRecord{1, 1, 0, 1, 0, 1}; }},
        {kUndoUValues, [](ModelStore& m) { m.elements[2].enforced = 0.3; }},
        {kUndoClip, [](ModelStore& m) { m.clipLo[0] = 1; }},
        {kUndoCalcParameters, [](ModelStore& m) { m.calc.iterations = 77; }},
        {kUndoTitle, [](ModelStore& m) { m.title = "Edited\r\ntitle"; }},
        {kUndoBlocks,
         [](ModelStore& m) {
             GrowOutlineSegmentArray(m, 1);
             m.outlines.count = 1;
             m.gridUnit = 0.01f;
             m.insertionOrigin[2] = 1;
         }},
    };
    std::vector<std::string> states{State()};
    for (std::size_t e = 0; e < std::size(edits); ++e) {
        edits[e].apply(model);
        ASSERT_TRUE(SaveUndoRecord(history, model, edits[e].kind, static_cast<int>(e), 2, host));
        states.push_back(State());
    }
    host.calls.clear();
    for (std::size_t e = std::size(edits); e-- > 0;) {
        ASSERT_TRUE(Undo(history, model, run, host));
        EXPECT_EQ(State(), states[e]) << "undo of edit " << e;
        EXPECT_EQ(host.goTo.back(), (std::array<int, 3>{edits[e].kind, static_cast<int>(e), 2}));
        EXPECT_EQ(host.modified, e != 0);
    }
    EXPECT_FALSE(Undo(history, model, run, host));
    // Each step: tables, the 3D view, the modified flag, all views, the edit's window.
    EXPECT_EQ(std::vector<std::string>(host.calls.end() - 5, host.calls.end()),
              (std::vector<std::string>{"refill", "model view", "not modified", "all views", "go to"}));
    for (std::size_t e = 0; e < std::size(edits); ++e) {
        ASSERT_TRUE(Redo(history, model, run, host));
        EXPECT_EQ(State(), states[e + 1]) << "redo of edit " << e;
        EXPECT_EQ(host.goTo.back(), (std::array<int, 3>{edits[e].kind, static_cast<int>(e), 2}));
        EXPECT_TRUE(host.modified);
    }
    EXPECT_FALSE(Redo(history, model, run, host));
}

TEST_F(UndoRedoTest, TheHistoryKeepsAHundredUndos)
{
    for (int e = 1; e <= 150; ++e) {
        model.calc.iterations = e;
        SaveUndoRecord(history, model, kUndoCalcParameters, e, 0, host);
    }
    EXPECT_EQ(history.Count(), kUndoLimit);
    int undone = 0;
    while (Undo(history, model, run, host))
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(model.calc.iterations, 50);
    // The base record of the file is gone: the oldest kept is an edit.
    EXPECT_TRUE(host.modified);
}

TEST_F(UndoRedoTest, AnEditAfterUndoDropsTheRedo)
{
    model.title = "one";
    SaveUndoRecord(history, model, kUndoTitle, 0, 0, host);
    model.title = "two";
    SaveUndoRecord(history, model, kUndoTitle, 0, 0, host);
    ASSERT_TRUE(Undo(history, model, run, host));
    EXPECT_TRUE(history.CanRedo());
    model.title = "three";
    SaveUndoRecord(history, model, kUndoTitle, 0, 0, host);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(Redo(history, model, run, host));
    ASSERT_TRUE(Undo(history, model, run, host));
    EXPECT_EQ(model.title, "one");
}

TEST_F(UndoRedoTest, ResultsGoWithUndoAndWithChangedCounts)
{
    model.axes[0].widths[0] = 2;
    SaveUndoRecord(history, model, kUndoGrid, 0, 0, host);
    RasteriseBlocks(model, run, host);
    run.resultsLoaded = true;
    ASSERT_TRUE(Undo(history, model, run, host)); // Undo always frees the results
    EXPECT_TRUE(IsCellRasterMissing(run));
    RasteriseBlocks(model, run, host);
    run.resultsLoaded = true;
    ASSERT_TRUE(Redo(history, model, run, host)); // the same counts: kept
    EXPECT_TRUE(run.resultsLoaded);
    model.axes[0].n = 2;
    SaveUndoRecord(history, model, kUndoGrid, 0, 0, host);
    ASSERT_TRUE(Undo(history, model, run, host));
    ASSERT_TRUE(Redo(history, model, run, host)); // a count changes: gone
    EXPECT_FALSE(run.resultsLoaded);
    EXPECT_EQ(model.axes[0].n, 2);
    EXPECT_FLOAT_EQ(model.extent[0], 3.0f);
}

TEST_F(UndoRedoTest, ASnapshotWithoutMemoryChangesNothing)
{
    model.title = "edited";
    const std::size_t count = history.Count();
    {
        const FailAllocations failing(1000);
        EXPECT_FALSE(SaveUndoRecord(history, model, kUndoTitle, 0, 0, host));
    }
    EXPECT_EQ(host.messages.back(), "Not enough memory");
    EXPECT_EQ(history.Count(), count);
    EXPECT_FALSE(history.CanRedo());
    ASSERT_TRUE(SaveUndoRecord(history, model, kUndoTitle, 0, 0, host));
    ASSERT_TRUE(Undo(history, model, run, host));
    EXPECT_EQ(model.title, "");
}

TEST_F(UndoRedoTest, RestoreGrowsArraysThatWereFreed)
{
    const std::string before = State();
    model.blocks.count = 0;
    SaveUndoRecord(history, model, kUndoBlocks, 0, 0, host);
    FreeModel(model);
    ASSERT_TRUE(Undo(history, model, run, host));
    EXPECT_EQ(State(), before);
}

} // namespace
} // namespace novelk::test

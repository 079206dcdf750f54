// Undo and redo: every snapshot comes back exactly (the written data file and
// the clip box are compared), the history keeps at most 102 records, an edit
// after an undo discards the redo records, and the host receives the refresh
// requests, the modified state and the window of each undone or redone edit.
#include "gelmar/model/editing/UndoRedo.h"

#include "EditFixture.h"
#include "gelmar/model/store/Engine.h"

#include <functional>

namespace gelmar::test {
namespace {

using UndoRedoTest = EditEngineTest;

struct State {
    std::string file;
    std::array<std::uint16_t, 6> clip;

    bool operator==(const State&) const = default;
};

State Capture(const ModelStore& m)
{
    return {FormatDataFile(m),
            {m.clipLo[0], m.clipHi[0], m.clipLo[1], m.clipHi[1], m.clipLo[2], m.clipHi[2]}};
}

struct Edit {
    int kind;
    std::function<void(ModelStore&)> apply;
};

// One edit of every part of a snapshot.
std::vector<Edit> Edits()
{
    return {
        {kUndoBlocks,
         [](ModelStore& m) { m.blocks[0].x2 = 2, m.blocks[0].colour = 4, m.colours[4].inUse = 1; }},
        {kUndoGrid,
         [](ModelStore& m) {
             m.axes[0].n = 4;
             m.axes[0].widths[3] = 0.75f;
             m.gridUnit = 0.01f;
             ComputeGridCoordinates(m);
         }},
        {kUndoColours,
         [](ModelStore& m) {
             m.colours[4].name = "Brick", m.colours[4].lambda = 0.7f, m.colours[4].type = EQUIMAT;
         }},
        {kUndoNodeBcs,
         [](ModelStore& m) {
             m.nodeBcs.count = 1;
             m.nodeBcs[0] =
                 NodeBcRecord{1, 1, 1, 1, 0, 0, 0, 20.0f, 0, FunctionName("T00"), FunctionName("P01"), {}};
         }},
        {kUndoBorderBcs,
         [](ModelStore& m) {
             m.borderBcs.count = 1;
             m.borderBcs[0] =
                 BorderFaceBcRecord{4, -1, 1, 3.5f, 0, FunctionName("T00"), FunctionName("I00"), {}};
         }},
        {kUndoMaterialBcs,
         [](ModelStore& m) {
             GrowMaterialBcArray(m, 1);
             m.materialBcs.count = 1;
             m.materialBcs[0] =
                 MaterialBcRecord{4, 1, 2.0f, 8.0f, FunctionName("T00"), FunctionName("P00"), {}};
         }},
        {kUndoFunctions,
         [](ModelStore& m) {
             GrowFunctionArray(m, 1);
             m.functions.count = 1;
             m.functions[0] = FunctionRecord{};
             m.functions[0].name.Set("T01");
             m.functions[0].shape = 2;
             m.functions[0].params[0] = 4;
         }},
        {kUndoOutputNodes,
         [](ModelStore& m) {
             m.outputNodes.count = 1;
             m.outputNodes[0] = OutputNodeRecord{1, 0, 1, 0, 0, 0};
         }},
        {kUndoOutputBlocks,
         [](ModelStore& m) {
             m.outputBlocks.count = 1;
             m.outputBlocks[0] = OutputBlockRecord{0, 2, 0, 1, 0, 1, {}};
         }},
        {kUndoReport,
         [](ModelStore& m) {
             m.reportItems.count = 1;
             m.reportItems[0] = ReportItemRecord{1, 1, 0, 9, 3, 1};
         }},
        {kUndoSunObstacles,
         [](ModelStore& m) {
             m.sunObstacles[1] = SunObstacleRecord{-10, 10, 0, 30};
             m.sunObstacleCount = 2;
         }},
        {kUndoVentilation,
         [](ModelStore& m) {
             m.ventFlows[0] = VentilationFlowRecord{4, -1, 0.5f, FunctionName("V00"), {}};
             m.ventFlowCount = 1;
         }},
        {kUndoControls,
         [](ModelStore& m) {
             m.controls.count = 1;
             m.controls[0] = ControlRecord{};
             m.controls[0].sensor = 4;
         }},
        {kUndoClip, [](ModelStore& m) { m.clipLo[1] = 1; }},
        {kUndoCalcParameters,
         [](ModelStore& m) { m.timeStep = 300, m.cycles = 7, m.maxDeltaT = 0.01f, m.linearRadiation = 0; }},
        {kUndoSolarData, [](ModelStore& m) { m.latitude = 10, m.rot2x = 5, m.groundReflection = 0.4f; }},
        {kUndoTitle, [](ModelStore& m) { m.title = "Corner\r\nsecond line"; }},
    };
}

TEST_F(UndoRedoTest, UndoThenRedoRestoresEverySnapshotExactly)
{
    SetGrid({0.5f, 0.25f, 1.0f}, {1, 1}, {2});
    Block(1, 0, 1, 0, 2, 0, 1);
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, Host(), kUndoBaseline, 0, 0));
    std::vector<State> states{Capture(engine.model)};
    const std::vector<Edit> edits = Edits();
    for (std::size_t e = 0; e < edits.size(); ++e) {
        edits[e].apply(engine.model);
        ASSERT_TRUE(
            SaveUndoRecord(engine.history, engine.model, Host(), edits[e].kind, static_cast<int>(e), 2));
        states.push_back(Capture(engine.model));
        ASSERT_NE(states[e + 1], states[e]) << "edit " << e << " changed nothing";
    }
    // Back to the baseline, one step at a time.
    for (std::size_t e = edits.size(); e-- > 0;) {
        ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, Host()));
        EXPECT_EQ(Capture(engine.model), states[e]) << "undo of edit " << e;
        EXPECT_EQ(recorder.goTo.back(), (std::array<int, 3>{edits[e].kind, static_cast<int>(e), 2}));
        EXPECT_EQ(recorder.modified, e != 0);
    }
    EXPECT_FALSE(CanUndo(engine.history));
    EXPECT_FALSE(Undo(engine.history, engine.model, engine.run, Host()));
    for (std::size_t e = 0; e < edits.size(); ++e) {
        ASSERT_TRUE(Redo(engine.history, engine.model, engine.run, Host()));
        EXPECT_EQ(Capture(engine.model), states[e + 1]) << "redo of edit " << e;
        EXPECT_EQ(recorder.goTo.back(), (std::array<int, 3>{edits[e].kind, static_cast<int>(e), 2}));
        EXPECT_TRUE(recorder.modified);
    }
    EXPECT_FALSE(CanRedo(engine.history));
    const int steps = 2 * static_cast<int>(edits.size());
    EXPECT_EQ(recorder.tableRefills, steps);
    EXPECT_EQ(recorder.modelViewUpdates, steps);
    EXPECT_EQ(recorder.allViewUpdates, steps);
}

TEST_F(UndoRedoTest, HistoryKeepsTheLast102Snapshots)
{
    SetUnitGrid(2, 1, 1);
    Block(1, 0, 1, 0, 1, 0, 1);
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoBaseline, 0, 0);
    for (int e = 1; e <= 150; ++e) {
        engine.model.timeStep = e;
        SaveUndoRecord(engine.history, engine.model, Host(), kUndoCalcParameters, e, 0);
        EXPECT_LE(UndoRecordCount(engine.history), kUndoLimit);
    }
    EXPECT_EQ(UndoRecordCount(engine.history), kUndoLimit);
    int undone = 0;
    while (Undo(engine.history, engine.model, engine.run, Host()))
        ++undone;
    EXPECT_EQ(undone, 101);
    EXPECT_EQ(engine.model.timeStep, 150 - 101);
    // The oldest kept record is an edit, not the baseline: the model stays modified.
    EXPECT_TRUE(recorder.modified);
}

TEST_F(UndoRedoTest, AnEditAfterUndoDiscardsTheRedoRecords)
{
    SetUnitGrid(2, 1, 1);
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoBaseline, 0, 0);
    engine.model.title = "one";
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoTitle, 0, 0);
    engine.model.title = "two";
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoTitle, 0, 0);
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, Host()));
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, Host()));
    EXPECT_TRUE(CanRedo(engine.history));
    engine.model.title = "three";
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoTitle, 0, 0);
    EXPECT_FALSE(CanRedo(engine.history));
    EXPECT_FALSE(Redo(engine.history, engine.model, engine.run, Host()));
    EXPECT_EQ(UndoRecordCount(engine.history), 2u);
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, Host()));
    EXPECT_EQ(engine.model.title, "");
    EXPECT_FALSE(recorder.modified);
    ASSERT_TRUE(Redo(engine.history, engine.model, engine.run, Host()));
    EXPECT_EQ(engine.model.title, "three");
}

TEST_F(UndoRedoTest, UndoOfACellCountChangeReleasesTheResults)
{
    SetUnitGrid(2, 1, 1);
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoBaseline, 0, 0);
    engine.model.axes[0].widths[0] = 3;
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoGrid, 1, 1);
    engine.run.resultsValid = true;
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, Host())); // same cell counts: results stay
    EXPECT_TRUE(engine.run.resultsValid);
    ASSERT_TRUE(Redo(engine.history, engine.model, engine.run, Host()));
    engine.model.axes[0].n = 1;
    ComputeGridCoordinates(engine.model);
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoGrid, 1, 1);
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, Host()));
    EXPECT_FALSE(engine.run.resultsValid);
    EXPECT_EQ(engine.model.axes[0].n, 2);
    EXPECT_FLOAT_EQ(engine.model.extent[0], 4.0f);
}

TEST_F(UndoRedoTest, RestoreGrowsArraysThatWereFreed)
{
    SetUnitGrid(2, 1, 1);
    for (int b = 0; b < 5; ++b)
        Block(b, 0, 1, 0, 1, 0, 1);
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoBaseline, 0, 0);
    const State before = Capture(engine.model);
    engine.model.blocks.count = 0;
    SaveUndoRecord(engine.history, engine.model, Host(), kUndoBlocks, 0, 0);
    FreeBlockArray(engine.model);
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, Host()));
    EXPECT_EQ(Capture(engine.model), before);
    ClearUndoHistory(engine.history);
    EXPECT_EQ(UndoRecordCount(engine.history), 0u);
    EXPECT_EQ(CurrentUndoRecord(engine.history), nullptr);
    EXPECT_FALSE(CanUndo(engine.history));
}

} // namespace
} // namespace gelmar::test

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

using UndoRedoTest = EditTest;

struct State {
    std::string file;
    std::array<std::uint16_t, 6> clip;

    bool operator==(const State&) const = default;
};

State Capture()
{
    const ModelStore& m = g_model;
    return {FormatDataFile(g_model),
            {m.clipLo[0], m.clipHi[0], m.clipLo[1], m.clipHi[1], m.clipLo[2], m.clipHi[2]}};
}

struct Edit {
    int kind;
    std::function<void()> apply;
};

// One edit of every part of a snapshot.
std::vector<Edit> Edits()
{
    return {
        {kUndoBlocks,
         [] { g_model.blocks[0].x2 = 2, g_model.blocks[0].colour = 4, g_model.colours[4].inUse = 1; }},
        {kUndoGrid,
         [] {
             g_model.axes[0].n = 4;
             g_model.axes[0].widths[3] = 0.75f;
             g_model.gridUnit = 0.01f;
             ComputeGridCoordinates(g_model);
         }},
        {kUndoColours,
         [] {
             g_model.colours[4].name = "Brick", g_model.colours[4].lambda = 0.7f,
             g_model.colours[4].type = EQUIMAT;
         }},
        {kUndoNodeBcs,
         [] {
             g_model.nodeBcs.count = 1;
             g_model.nodeBcs[0] =
                 NodeBcRecord{1, 1, 1, 1, 0, 0, 0, 20.0f, 0, FunctionName("T00"), FunctionName("P01"), {}};
         }},
        {kUndoBorderBcs,
         [] {
             g_model.borderBcs.count = 1;
             g_model.borderBcs[0] =
                 BorderFaceBcRecord{4, -1, 1, 3.5f, 0, FunctionName("T00"), FunctionName("I00"), {}};
         }},
        {kUndoMaterialBcs,
         [] {
             GrowMaterialBcArray(g_model, 1);
             g_model.materialBcs.count = 1;
             g_model.materialBcs[0] =
                 MaterialBcRecord{4, 1, 2.0f, 8.0f, FunctionName("T00"), FunctionName("P00"), {}};
         }},
        {kUndoFunctions,
         [] {
             GrowFunctionArray(g_model, 1);
             g_model.functions.count = 1;
             g_model.functions[0] = FunctionRecord{};
             g_model.functions[0].name.Set("T01");
             g_model.functions[0].shape = 2;
             g_model.functions[0].params[0] = 4;
         }},
        {kUndoOutputNodes,
         [] {
             g_model.outputNodes.count = 1;
             g_model.outputNodes[0] = OutputNodeRecord{1, 0, 1, 0, 0, 0};
         }},
        {kUndoOutputBlocks,
         [] {
             g_model.outputBlocks.count = 1;
             g_model.outputBlocks[0] = OutputBlockRecord{0, 2, 0, 1, 0, 1, {}};
         }},
        {kUndoReport,
         [] {
             g_model.reportItems.count = 1;
             g_model.reportItems[0] = ReportItemRecord{1, 1, 0, 9, 3, 1};
         }},
        {kUndoSunObstacles,
         [] {
             g_model.sunObstacles[1] = SunObstacleRecord{-10, 10, 0, 30};
             g_model.sunObstacleCount = 2;
         }},
        {kUndoVentilation,
         [] {
             g_model.ventFlows[0] = VentilationFlowRecord{4, -1, 0.5f, FunctionName("V00"), {}};
             g_model.ventFlowCount = 1;
         }},
        {kUndoControls,
         [] {
             g_model.controls.count = 1;
             g_model.controls[0] = ControlRecord{};
             g_model.controls[0].sensor = 4;
         }},
        {kUndoClip, [] { g_model.clipLo[1] = 1; }},
        {kUndoCalcParameters,
         [] {
             g_model.timeStep = 300, g_model.cycles = 7, g_model.maxDeltaT = 0.01f,
             g_model.linearRadiation = 0;
         }},
        {kUndoSolarData, [] { g_model.latitude = 10, g_model.rot2x = 5, g_model.groundReflection = 0.4f; }},
        {kUndoTitle, [] { g_model.title = "Corner\r\nsecond line"; }},
    };
}

TEST_F(UndoRedoTest, UndoThenRedoRestoresEverySnapshotExactly)
{
    SetGrid({0.5f, 0.25f, 1.0f}, {1, 1}, {2});
    AddBlock(1, 0, 1, 0, 2, 0, 1);
    ASSERT_TRUE(SaveUndoRecord(g_engine.history, g_model, Host(), kUndoBaseline, 0, 0));
    std::vector<State> states{Capture()};
    const std::vector<Edit> edits = Edits();
    for (std::size_t e = 0; e < edits.size(); ++e) {
        edits[e].apply();
        ASSERT_TRUE(SaveUndoRecord(g_engine.history, g_model, Host(), edits[e].kind, static_cast<int>(e), 2));
        states.push_back(Capture());
        ASSERT_NE(states[e + 1], states[e]) << "edit " << e << " changed nothing";
    }
    // Back to the baseline, one step at a time.
    for (std::size_t e = edits.size(); e-- > 0;) {
        ASSERT_TRUE(Undo(g_engine.history, g_model, g_run, Host()));
        EXPECT_EQ(Capture(), states[e]) << "undo of edit " << e;
        EXPECT_EQ(recorder.goTo.back(), (std::array<int, 3>{edits[e].kind, static_cast<int>(e), 2}));
        EXPECT_EQ(recorder.modified, e != 0);
    }
    EXPECT_FALSE(CanUndo(g_engine.history));
    EXPECT_FALSE(Undo(g_engine.history, g_model, g_run, Host()));
    for (std::size_t e = 0; e < edits.size(); ++e) {
        ASSERT_TRUE(Redo(g_engine.history, g_model, g_run, Host()));
        EXPECT_EQ(Capture(), states[e + 1]) << "redo of edit " << e;
        EXPECT_EQ(recorder.goTo.back(), (std::array<int, 3>{edits[e].kind, static_cast<int>(e), 2}));
        EXPECT_TRUE(recorder.modified);
    }
    EXPECT_FALSE(CanRedo(g_engine.history));
    const int steps = 2 * static_cast<int>(edits.size());
    EXPECT_EQ(recorder.tableRefills, steps);
    EXPECT_EQ(recorder.modelViewUpdates, steps);
    EXPECT_EQ(recorder.allViewUpdates, steps);
}

TEST_F(UndoRedoTest, HistoryKeepsTheLast102Snapshots)
{
    SetUnitGrid(2, 1, 1);
    AddBlock(1, 0, 1, 0, 1, 0, 1);
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoBaseline, 0, 0);
    for (int e = 1; e <= 150; ++e) {
        g_model.timeStep = e;
        SaveUndoRecord(g_engine.history, g_model, Host(), kUndoCalcParameters, e, 0);
        EXPECT_LE(UndoRecordCount(g_engine.history), kUndoLimit);
    }
    EXPECT_EQ(UndoRecordCount(g_engine.history), kUndoLimit);
    int undone = 0;
    while (Undo(g_engine.history, g_model, g_run, Host()))
        ++undone;
    EXPECT_EQ(undone, 101);
    EXPECT_EQ(g_model.timeStep, 150 - 101);
    // The oldest kept record is an edit, not the baseline: the model stays modified.
    EXPECT_TRUE(recorder.modified);
}

TEST_F(UndoRedoTest, AnEditAfterUndoDiscardsTheRedoRecords)
{
    SetUnitGrid(2, 1, 1);
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoBaseline, 0, 0);
    g_model.title = "one";
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoTitle, 0, 0);
    g_model.title = "two";
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoTitle, 0, 0);
    ASSERT_TRUE(Undo(g_engine.history, g_model, g_run, Host()));
    ASSERT_TRUE(Undo(g_engine.history, g_model, g_run, Host()));
    EXPECT_TRUE(CanRedo(g_engine.history));
    g_model.title = "three";
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoTitle, 0, 0);
    EXPECT_FALSE(CanRedo(g_engine.history));
    EXPECT_FALSE(Redo(g_engine.history, g_model, g_run, Host()));
    EXPECT_EQ(UndoRecordCount(g_engine.history), 2u);
    ASSERT_TRUE(Undo(g_engine.history, g_model, g_run, Host()));
    EXPECT_EQ(g_model.title, "");
    EXPECT_FALSE(recorder.modified);
    ASSERT_TRUE(Redo(g_engine.history, g_model, g_run, Host()));
    EXPECT_EQ(g_model.title, "three");
}

TEST_F(UndoRedoTest, UndoOfACellCountChangeReleasesTheResults)
{
    SetUnitGrid(2, 1, 1);
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoBaseline, 0, 0);
    g_model.axes[0].widths[0] = 3;
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoGrid, 1, 1);
    g_run.resultsValid = true;
    ASSERT_TRUE(Undo(g_engine.history, g_model, g_run, Host())); // same cell counts: results stay
    EXPECT_TRUE(g_run.resultsValid);
    ASSERT_TRUE(Redo(g_engine.history, g_model, g_run, Host()));
    g_model.axes[0].n = 1;
    ComputeGridCoordinates(g_model);
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoGrid, 1, 1);
    ASSERT_TRUE(Undo(g_engine.history, g_model, g_run, Host()));
    EXPECT_FALSE(g_run.resultsValid);
    EXPECT_EQ(g_model.axes[0].n, 2);
    EXPECT_FLOAT_EQ(g_model.extent[0], 4.0f);
}

TEST_F(UndoRedoTest, RestoreGrowsArraysThatWereFreed)
{
    SetUnitGrid(2, 1, 1);
    for (int b = 0; b < 5; ++b)
        AddBlock(b, 0, 1, 0, 1, 0, 1);
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoBaseline, 0, 0);
    const State before = Capture();
    g_model.blocks.count = 0;
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoBlocks, 0, 0);
    FreeBlockArray(g_model);
    ASSERT_TRUE(Undo(g_engine.history, g_model, g_run, Host()));
    EXPECT_EQ(Capture(), before);
    ClearUndoHistory(g_engine.history);
    EXPECT_EQ(UndoRecordCount(g_engine.history), 0u);
    EXPECT_EQ(CurrentUndoRecord(g_engine.history), nullptr);
    EXPECT_FALSE(CanUndo(g_engine.history));
}

} // namespace
} // namespace gelmar::test

// The list tables' edits on the store: inserts and deletes with their
// margins and limits, function names and the references a deleted function
// leaves, output-block entries, report stepping and refusals, the cells of
// the boundary-condition, flow, control and sun-obstacle tables, and one
// record of every list made by inserts surviving a save and a reopen.
#include "EditFixture.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/FunctionEdits.h"
#include "gelmar/model/editing/ListEdits.h"
#include "gelmar/model/editing/OutputEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"

#include <string>
#include <vector>

namespace gelmar::test {
namespace {

using ConditionTablesTest = EditEngineTest;

std::vector<std::string> FunctionNames(const ModelStore& m)
{
    std::vector<std::string> out;
    for (std::size_t f = 0; f < m.functions.count; ++f)
        out.emplace_back(m.functions[f].name.View());
    return out;
}

TEST_F(ConditionTablesTest, InsertsPlaceTheRecordAndDeletesCloseTheGap)
{
    SetUnitGrid(3, 3, 3);
    for (int k = 0; k < 3; ++k)
        ASSERT_TRUE(
            InsertListRecord(engine.model, ModelList::NodeBcs, static_cast<std::size_t>(k), recorder));
    for (int k = 0; k < 3; ++k)
        engine.model.nodeBcs[static_cast<std::size_t>(k)].i = static_cast<std::uint16_t>(k + 1);
    // Before the second, then past the end (placed last).
    ASSERT_TRUE(InsertListRecord(engine.model, ModelList::NodeBcs, 1, recorder));
    ASSERT_TRUE(InsertListRecord(engine.model, ModelList::NodeBcs, 99, recorder));
    std::vector<int> order;
    for (int k = 0; k < engine.model.nodeBcs.count; ++k)
        order.push_back(engine.model.nodeBcs[static_cast<std::size_t>(k)].i);
    EXPECT_EQ(order, (std::vector<int>{1, 0, 2, 3, 0}));
    EXPECT_EQ(engine.model.nodeBcs[1], NodeBcRecord{});

    ASSERT_TRUE(DeleteListRecord(engine.model, ModelList::NodeBcs, 0));
    EXPECT_FALSE(DeleteListRecord(engine.model, ModelList::NodeBcs, 4));
    order.clear();
    for (int k = 0; k < engine.model.nodeBcs.count; ++k)
        order.push_back(engine.model.nodeBcs[static_cast<std::size_t>(k)].i);
    EXPECT_EQ(order, (std::vector<int>{0, 2, 3, 0}));
}

TEST_F(ConditionTablesTest, AFullArrayGrowsByItsListsMargin)
{
    // A full array of 50 controls grows to 101 records with the 51st.
    const struct {
        ModelList list;
        std::size_t margin;
    } cases[] = {{ModelList::Controls, 50},
                 {ModelList::BorderBcs, 50},
                 {ModelList::MaterialBcs, 10},
                 {ModelList::NodeBcs, 100},
                 {ModelList::OutputBlocks, 100}};
    ASSERT_TRUE(GrowControlArray(engine.model, 50));
    engine.model.controls.count = engine.model.controls.capacity;
    for (const auto& c : cases) {
        std::size_t capacity = 0;
        const auto fill = [&](auto& a) {
            a.count = static_cast<decltype(a.count)>(a.capacity);
            capacity = static_cast<std::size_t>(a.capacity);
        };
        switch (c.list) {
        case ModelList::Controls:
            fill(engine.model.controls);
            break;
        case ModelList::BorderBcs:
            fill(engine.model.borderBcs);
            break;
        case ModelList::MaterialBcs:
            fill(engine.model.materialBcs);
            break;
        case ModelList::NodeBcs:
            fill(engine.model.nodeBcs);
            break;
        default:
            fill(engine.model.outputBlocks);
            break;
        }
        ASSERT_TRUE(InsertListRecord(engine.model, c.list, capacity, recorder)) << static_cast<int>(c.list);
        EXPECT_EQ(ListCount(engine.model, c.list), capacity + 1) << static_cast<int>(c.list);
        std::size_t grown = 0;
        switch (c.list) {
        case ModelList::Controls:
            grown = engine.model.controls.capacity;
            break;
        case ModelList::BorderBcs:
            grown = static_cast<std::size_t>(engine.model.borderBcs.capacity);
            break;
        case ModelList::MaterialBcs:
            grown = static_cast<std::size_t>(engine.model.materialBcs.capacity);
            break;
        case ModelList::NodeBcs:
            grown = static_cast<std::size_t>(engine.model.nodeBcs.capacity);
            break;
        default:
            grown = static_cast<std::size_t>(engine.model.outputBlocks.capacity);
            break;
        }
        EXPECT_EQ(grown, capacity + 1 + c.margin) << static_cast<int>(c.list);
    }
}

TEST_F(ConditionTablesTest, AnEditOfOneNodeBcCopiesOnlyItsPartOfTheListIntoTheUndoRecord)
{
    SetUnitGrid(4, 4, 4);
    for (int k = 0; k < 1000; ++k)
        ASSERT_TRUE(InsertListRecord(engine.model, ModelList::NodeBcs, 0, recorder));
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, recorder, kUndoBaseline, 0, 0));
    const UndoRecord baseline = *CurrentUndoRecord(engine.history);
    engine.model.nodeBcs[600].temperature = 12.5f;
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, recorder, kUndoNodeBcs, 601, 5));
    const UndoRecord& edited = *CurrentUndoRecord(engine.history);
    ASSERT_EQ(edited.nodeBcs.size(), 1000u);
    // Four chunks; the one of record 600 alone is new.
    EXPECT_EQ(edited.nodeBcs.SharedWith(baseline.nodeBcs), 3u);
    EXPECT_EQ(edited.nodeBcs.ToVector()[600].temperature, 12.5f);
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.run, recorder));
    EXPECT_EQ(engine.model.nodeBcs[600].temperature, 0.0f);
    EXPECT_EQ(engine.model.nodeBcs.count, 1000);
    ASSERT_TRUE(Redo(engine.history, engine.model, engine.run, recorder));
    EXPECT_EQ(engine.model.nodeBcs[600].temperature, 12.5f);
}

struct LimitCase {
    ModelList list;
    std::size_t limit;
};

TEST_F(ConditionTablesTest, InsertsStopWithAMessageAtTheLimitTheReaderAccepts)
{
    const LimitCase cases[] = {
        {ModelList::SunObstacles, 100}, {ModelList::VentilationFlows, 256}, {ModelList::Controls, 65535},
        {ModelList::Functions, 65535},  {ModelList::OutputNodes, 1000000},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.list));
        EXPECT_EQ(ListLimit(c.list), c.limit);
        switch (c.list) {
        case ModelList::SunObstacles:
            engine.model.sunObstacleCount = static_cast<int>(c.limit);
            break;
        case ModelList::VentilationFlows:
            engine.model.ventFlowCount = static_cast<int>(c.limit);
            break;
        case ModelList::Controls:
            ASSERT_TRUE(GrowControlArray(engine.model, c.limit));
            engine.model.controls.count = c.limit;
            break;
        case ModelList::Functions:
            ASSERT_TRUE(GrowFunctionArray(engine.model, c.limit));
            engine.model.functions.count = c.limit;
            break;
        default:
            ASSERT_TRUE(GrowOutputNodeArray(engine.model, c.limit));
            engine.model.outputNodes.count = static_cast<std::int32_t>(c.limit);
            break;
        }
        recorder.messages.clear();
        EXPECT_FALSE(InsertListRecord(engine.model, c.list, 0, recorder));
        EXPECT_EQ(ListCount(engine.model, c.list), c.limit);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0], ListFullMessage(c.list));
        // One below the limit the insert goes through.
        ASSERT_TRUE(DeleteListRecord(engine.model, c.list, 0));
        EXPECT_TRUE(InsertListRecord(engine.model, c.list, 0, recorder));
        EXPECT_EQ(ListCount(engine.model, c.list), c.limit);
    }
}

struct RenameCase {
    const char* typed;
    const char* stored;
};

TEST_F(ConditionTablesTest, TypedFunctionNamesAreNormalised)
{
    const RenameCase cases[] = {
        {"m3", "M03"},   {"t01", "T02"}, // T01 is taken by another function: the first free T
        {"T7", "T07"},   {"x5", "T02"},  {"", "T02"},    {"P", "P01"},
        {"p100", "P01"}, {"g01", "G01"}, {"T5x", "T05"},
    };
    for (const RenameCase& c : cases) {
        engine.model.functions.count = 0;
        AddFunction(engine.model, "T01");
        AddFunction(engine.model, "P09");
        FunctionRecord& f = engine.model.functions[1];
        f.shape = 1;
        f.params[0] = 5;
        EXPECT_TRUE(RenameFunction(engine.model, 1, c.typed, recorder)) << c.typed;
        EXPECT_EQ(engine.model.functions[1].name.View(), c.stored) << c.typed;
        // A renamed function starts afresh.
        EXPECT_EQ(engine.model.functions[1].shape, 0) << c.typed;
        EXPECT_EQ(engine.model.functions[1].params[0], 0.0f) << c.typed;
    }
    // Typing its own name keeps it.
    EXPECT_TRUE(RenameFunction(engine.model, 0, "t01", recorder));
    EXPECT_EQ(engine.model.functions[0].name.View(), "T01");
}

TEST_F(ConditionTablesTest, ARenameWithNoFreeNumberIsRefusedAndChangesNothing)
{
    for (int n = 1; n <= 99; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "P%02d", n);
        AddFunction(engine.model, name);
    }
    AddFunction(engine.model, "T01");
    engine.model.functions[99].shape = 1;
    recorder.messages.clear();
    // P05 is taken and no P is free: neither a duplicate nor an empty name.
    EXPECT_FALSE(RenameFunction(engine.model, 99, "P05", recorder));
    EXPECT_EQ(engine.model.functions[99].name.View(), "T01");
    EXPECT_EQ(engine.model.functions[99].shape, 1);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], kNoFreeFunctionName);
    // Inserting beside a P function is not offered, and refused when asked.
    EXPECT_FALSE(CanInsertFunction(engine.model, 3));
    EXPECT_TRUE(CanInsertFunction(engine.model, 99));
    EXPECT_FALSE(InsertFunction(engine.model, 3, true, recorder).has_value());
    EXPECT_EQ(engine.model.functions.count, 100u);
}

TEST_F(ConditionTablesTest, InsertedFunctionsTakeTheFirstFreeNameOfTheFocusedLetter)
{
    ASSERT_EQ(InsertFunction(engine.model, 0, false, recorder), std::optional<std::size_t>(0));
    EXPECT_EQ(FunctionNames(engine.model), (std::vector<std::string>{"T01"}));
    AddFunction(engine.model, "V03");
    ASSERT_EQ(InsertFunction(engine.model, 1, false, recorder), std::optional<std::size_t>(1));
    ASSERT_EQ(InsertFunction(engine.model, 0, true, recorder), std::optional<std::size_t>(1));
    EXPECT_EQ(FunctionNames(engine.model), (std::vector<std::string>{"T01", "T02", "V01", "V03"}));
}

TEST_F(ConditionTablesTest, ShapeSteppingAndParameters)
{
    AddFunction(engine.model, "T01");
    AddFunction(engine.model, "L01");
    std::vector<int> shapes;
    for (int k = 0; k < 8; ++k) {
        EXPECT_TRUE(StepFunctionShape(engine.model, 0));
        shapes.push_back(engine.model.functions[0].shape);
    }
    EXPECT_EQ(shapes, (std::vector<int>{1, 2, 3, 4, 5, 6, 0, 1}));
    // Functions of L, C and R are always file functions.
    EXPECT_FALSE(StepFunctionShape(engine.model, 1));
    EXPECT_EQ(engine.model.functions[1].shape, 0);
    EXPECT_TRUE(EditFunctionParameter(engine.model, 0, 2, "2.5e1"));
    EXPECT_FALSE(EditFunctionParameter(engine.model, 0, 2, "abc"));
    EXPECT_EQ(engine.model.functions[0].params[2], 25.0f);
}

TEST_F(ConditionTablesTest, DeletingAFunctionResetsItsReferencesButNotTheControls)
{
    SetUnitGrid(2, 1, 1);
    AddFunction(engine.model, "T01");
    AddFunction(engine.model, "T02");
    engine.model.colours[3].temperatureFunc = FunctionName("T01");
    engine.model.colours[3].airTemperatureFunc = FunctionName("t01");
    engine.model.colours[4].temperatureFunc = FunctionName("T02");
    for (ModelList list : {ModelList::NodeBcs, ModelList::BorderBcs, ModelList::MaterialBcs,
                           ModelList::Controls, ModelList::VentilationFlows})
        ASSERT_TRUE(InsertListRecord(engine.model, list, 0, recorder));
    engine.model.nodeBcs[0].temperatureFunc = FunctionName("T01");
    engine.model.borderBcs[0].temperatureFunc = FunctionName("T01");
    engine.model.materialBcs[0].temperatureFunc = FunctionName("T01");
    engine.model.controls[0].targetFunc = FunctionName("T01");
    engine.model.ventFlows[0].flowFunc = FunctionName("T01");

    const FunctionName name = engine.model.functions[0].name;
    ASSERT_TRUE(DeleteListRecord(engine.model, ModelList::Functions, 0));
    const ClearedReferences cleared = ClearFunctionReferences(engine.model, name);
    EXPECT_TRUE(cleared.colours && cleared.nodeBcs && cleared.borderBcs && cleared.materialBcs &&
                cleared.ventFlows);
    EXPECT_EQ(engine.model.colours[3].temperatureFunc.View(), "T00");
    EXPECT_EQ(engine.model.colours[3].airTemperatureFunc.View(), "T00");
    EXPECT_EQ(engine.model.colours[4].temperatureFunc.View(), "T02");
    EXPECT_EQ(engine.model.nodeBcs[0].temperatureFunc.View(), "T00");
    EXPECT_EQ(engine.model.borderBcs[0].temperatureFunc.View(), "T00");
    EXPECT_EQ(engine.model.materialBcs[0].temperatureFunc.View(), "T00");
    EXPECT_EQ(engine.model.ventFlows[0].flowFunc.View(), "V00");
    EXPECT_EQ(engine.model.controls[0].targetFunc.View(), "T01");
    EXPECT_EQ(FunctionNames(engine.model), (std::vector<std::string>{"T02"}));
}

struct BlockEntryCase {
    const char* typed;
    int column;
    bool stored;
    std::array<int, 2> bounds; // the column's axis after the entry
};

TEST_F(ConditionTablesTest, OutputBlockEntries)
{
    SetUnitGrid(4, 1, 1);
    const BlockEntryCase cases[] = {
        {"2.5", 1, true, {3, 4}}, // half a cell: the next node, the upper bound pushed on
        {"0.5", 2, true, {0, 1}}, // the truncation rounds -1.5 + 1.00001 towards 0
        {"-0.5", 1, true, {0, 1}},  {"-1.5", 1, true, {0, 1}},   {"-2.5", 1, false, {0, 1}},
        {"4.5", 2, true, {0, 5}},   {"5.5", 2, false, {0, 1}},   {"abc", 1, false, {0, 1}},
        {"1e30", 1, false, {0, 1}}, {"-1e30", 2, false, {0, 1}}, {"3e9", 2, false, {0, 1}},
    };
    for (const BlockEntryCase& c : cases) {
        OutputBlockRecord b;
        EXPECT_EQ(EditOutputBlockCell(engine.model, b, c.column, c.typed), c.stored) << c.typed;
        EXPECT_EQ((std::array<int, 2>{b.i1, b.i2}), c.bounds) << c.typed;
    }
    OutputBlockRecord b;
    b.i1 = 1;
    b.i2 = 3;
    EXPECT_EQ(OutputBlockBoundText(engine.model, b, 1), "0.5");
    EXPECT_EQ(OutputBlockBoundText(engine.model, b, 2), "2.5");
}

TEST_F(ConditionTablesTest, ReportObjectsAndTypesStepThroughTheirNames)
{
    ReportItemRecord r;
    r.kind = kReportTime;
    std::vector<std::string> kinds;
    for (int k = 0; k < kReportKindCount; ++k) {
        r.number = 7;
        r.subKind = 1;
        StepReportKind(r);
        kinds.emplace_back(ReportKindName(r.kind));
        EXPECT_EQ(r.number, 1);
        EXPECT_EQ(r.subKind, 0);
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"COLOUR", "NODE BC", "BORDER BC", "MATERIAL BC", "OUTPUT NODE",
                                               "OUTPUT BLOCK", "CONTROL", "SUN", "TIME"}));
    r.kind = kReportColour;
    std::vector<std::string> colour;
    for (int k = 0; k < 20; ++k) {
        colour.emplace_back(ReportSubKindName(r.kind, r.subKind));
        StepReportSubKind(r);
    }
    EXPECT_EQ(colour.size(), 20u);
    EXPECT_EQ(colour[0], "λeq");
    EXPECT_EQ(colour[1], "θ");
    EXPECT_EQ(colour[3], "q");
    EXPECT_EQ(colour[18], "θmean");
    EXPECT_EQ(colour[19], "λeq"); // wrapped
    EXPECT_EQ(std::string(ReportSubKindName(kReportTime, 1)), "[dddd:hh:mm:ss]");
    EXPECT_FALSE(ReportKindHasNumber(kReportSun));
    EXPECT_TRUE(ReportKindHasNumber(kReportOutputBlock));
}

struct ReportCellCase {
    int column;
    const char* typed;
    ReportEntry entry;
    const char* message; // "" for none
};

TEST_F(ConditionTablesTest, ReportCellsTheFileCannotHoldAreRefused)
{
    const ReportCellCase cases[] = {
        {4, "0", ReportEntry::Refused, kReportWidthTooSmall},
        {5, "-1", ReportEntry::Refused, kReportDecimalsNegative},
        {2, "-3", ReportEntry::Refused, kReportNumberNegative},
        {4, "abc", ReportEntry::Ignored, ""},
        {4, "12", ReportEntry::Stored, ""},
        {5, "0", ReportEntry::Stored, ""},
        {3, "1", ReportEntry::Ignored, ""},
    };
    for (const ReportCellCase& c : cases) {
        ReportItemRecord r;
        r.width = 9;
        r.decimals = 2;
        r.number = 4;
        const ReportItemRecord before = r;
        recorder.messages.clear();
        EXPECT_EQ(EditReportCell(r, c.column, c.typed, recorder), c.entry) << c.typed;
        if (c.entry != ReportEntry::Stored) {
            EXPECT_EQ(r, before) << c.typed;
        }
        EXPECT_EQ(recorder.messages.empty() ? std::string() : recorder.messages[0], c.message) << c.typed;
    }
}

TEST_F(ConditionTablesTest, BadValuesInConditionCells)
{
    SetUnitGrid(3, 2, 1);
    engine.model.colours[4].inUse = 1;
    engine.model.colours[7].inUse = 1;
    AddFunction(engine.model, "T05");
    AddFunction(engine.model, "V02");
    AddFunction(engine.model, "P01");

    // Grid-line indices outside 0..n are dropped.
    EXPECT_EQ(LineIndexEntry(engine.model, 0, "3"), std::optional<int>(3));
    EXPECT_EQ(LineIndexEntry(engine.model, 0, "4"), std::nullopt);
    EXPECT_EQ(LineIndexEntry(engine.model, 0, "-1"), std::nullopt);
    EXPECT_EQ(LineIndexEntry(engine.model, 0, "x"), std::nullopt);
    EXPECT_EQ(SingleIntervalAxis(engine.model), 2);

    // Colours: unfit texts keep the cell, bad numbers become -1.
    struct ColourCase {
        const char* typed;
        int other;
        std::optional<int> stored;
    } colours[] = {{"4", -1, 4}, {"300", -1, -1}, {"-2", -1, -1},           {"5", -1, -1},
                   {"4", 4, -1}, {"7", 4, 7},     {"abc", -1, std::nullopt}};
    for (const ColourCase& c : colours)
        EXPECT_EQ(ColourNumberEntry(engine.model, c.typed, c.other), c.stored) << c.typed;

    // A BC's value or function: a non-match resets the reference and keeps the value.
    float value = 3;
    FunctionName ref("T05");
    StoreBcValue(engine.model, "t09", 'T', value, ref, "T00");
    EXPECT_EQ(value, 3.0f);
    EXPECT_EQ(ref.View(), "T00");
    StoreBcValue(engine.model, "t05", 'T', value, ref, "T00");
    EXPECT_EQ(ref.View(), "T05");
    StoreBcValue(engine.model, "12.5", 'T', value, ref, "T00");
    EXPECT_EQ(value, 12.5f);
    EXPECT_EQ(ref.View(), "T00");
    EXPECT_EQ(BcValueText(value, ref), "12.5");

    // A flow keeps its value on a non-match.
    VentilationFlowRecord flow;
    EXPECT_TRUE(StoreFlowValue(engine.model, "v02", flow));
    EXPECT_EQ(flow.flowFunc.View(), "V02");
    EXPECT_EQ(FlowValueText(flow), "V02");
    EXPECT_TRUE(StoreFlowValue(engine.model, "0.05", flow));
    EXPECT_EQ(flow.flow, 0.05f);
    EXPECT_EQ(flow.flowFunc.View(), "V00");
    EXPECT_EQ(FlowValueText(flow), "0.050000");
    StoreFlowValue(engine.model, "v09", flow);
    StoreFlowValue(engine.model, "abc", flow);
    EXPECT_EQ(flow.flow, 0.05f);
    EXPECT_EQ(flow.flowFunc.View(), "V00");

    // A control's function field: three characters or nothing changes;
    // a name of no function empties it.
    ControlRecord c;
    EXPECT_TRUE(StoreControlFunction(engine.model, "t05", "T", c.targetFunc));
    EXPECT_EQ(c.targetFunc.View(), "T05");
    EXPECT_FALSE(StoreControlFunction(engine.model, "T5", "T", c.targetFunc));
    EXPECT_EQ(c.targetFunc.View(), "T05");
    EXPECT_TRUE(StoreControlFunction(engine.model, "P01", "T", c.targetFunc));
    EXPECT_EQ(c.targetFunc.View(), "");
    EXPECT_TRUE(StoreControlFunction(engine.model, "p01", "THPIVMRES", c.offFunc));
    EXPECT_EQ(c.offFunc.View(), "P01");
    EXPECT_FALSE(ControlUsesZones(c));
    EXPECT_TRUE(StoreControlFunction(engine.model, "v02", "THPIVMRES", c.offFunc));
    EXPECT_TRUE(ControlUsesZones(c));

    // The sensor is an output node number.
    engine.model.outputNodes.count = 2;
    ASSERT_TRUE(GrowOutputNodeArray(engine.model, 2));
    EXPECT_TRUE(StoreControlSensor(engine.model, "2", c));
    EXPECT_FALSE(StoreControlSensor(engine.model, "3", c));
    EXPECT_FALSE(StoreControlSensor(engine.model, "0", c));
    EXPECT_EQ(c.sensor, 2);

    // Sun obstacles store a non-number as 0 and any number as typed.
    EXPECT_EQ(SunObstacleEntry("abc"), 0.0f);
    EXPECT_EQ(SunObstacleEntry("200"), 200.0f);
    EXPECT_EQ(SunObstacleEntry("-12.5"), -12.5f);
}

TEST_F(ConditionTablesTest, RecordsMadeByInsertsSurviveSaveAndOpen)
{
    SetUnitGrid(3, 2, 2);
    Block(1, 0, 3, 0, 2, 0, 2);
    engine.model.colours[1].type = MATERIAL;
    engine.model.colours[1].lambda = 1;
    engine.model.colours[2].inUse = 1;
    ASSERT_TRUE(InsertFunction(engine.model, 0, false, recorder).has_value());
    const ModelList lists[] = {ModelList::NodeBcs,      ModelList::BorderBcs,        ModelList::MaterialBcs,
                               ModelList::OutputNodes,  ModelList::OutputBlocks,     ModelList::ReportItems,
                               ModelList::SunObstacles, ModelList::VentilationFlows, ModelList::Controls};
    for (ModelList list : lists)
        ASSERT_TRUE(InsertListRecord(engine.model, list, 0, recorder)) << static_cast<int>(list);
    engine.model.nodeBcs[0].i = 2;
    engine.model.nodeBcs[0].temperatureFunc = FunctionName("T01");
    engine.model.borderBcs[0].colour1 = 1;
    engine.model.borderBcs[0].colour2 = 2;
    engine.model.materialBcs[0].colour = 1;
    engine.model.outputNodes[0].j = 1;
    EXPECT_TRUE(EditOutputBlockCell(engine.model, engine.model.outputBlocks[0], 2, "2.5"));
    engine.model.reportItems[0].kind = kReportOutputBlock;
    engine.model.sunObstacles[0].azimuthTo = 200;
    engine.model.ventFlows[0].colourFrom = 1;
    engine.model.ventFlows[0].colourTo = 2;
    engine.model.controls[0].sensor = 1;
    engine.model.controls[0].targetFunc = FunctionName("T01");
    const ModelStore before = engine.model;

    ASSERT_TRUE(WriteDataFile(engine.model, "lists.glm"));
    const std::string bytes = ReadBytes("lists.glm");
    ASSERT_TRUE(ReadDataFile(engine.model, "lists.glm", ReadMode::Open, engine.parameters, recorder))
        << (recorder.messages.empty() ? "" : recorder.messages.back());
    EXPECT_EQ(engine.model.functions.count, 1u);
    EXPECT_EQ(engine.model.functions[0], before.functions[0]);
    EXPECT_EQ(engine.model.nodeBcs[0], before.nodeBcs[0]);
    EXPECT_EQ(engine.model.borderBcs[0], before.borderBcs[0]);
    EXPECT_EQ(engine.model.materialBcs[0], before.materialBcs[0]);
    EXPECT_EQ(engine.model.outputNodes[0], before.outputNodes[0]);
    EXPECT_EQ(engine.model.outputBlocks[0], before.outputBlocks[0]);
    EXPECT_EQ(engine.model.reportItems[0], before.reportItems[0]);
    EXPECT_EQ(engine.model.sunObstacles[0], before.sunObstacles[0]);
    EXPECT_EQ(engine.model.ventFlows[0].colourFrom, 1);
    EXPECT_EQ(engine.model.ventFlows[0].flowFunc.View(), "V00");
    EXPECT_EQ(engine.model.controls[0].sensor, 1);
    EXPECT_EQ(engine.model.controls[0].targetFunc.View(), "T01");
    for (ModelList list : lists)
        EXPECT_EQ(ListCount(engine.model, list), ListCount(before, list)) << static_cast<int>(list);
    ASSERT_TRUE(WriteDataFile(engine.model, "lists2.glm"));
    EXPECT_EQ(ReadBytes("lists2.glm"), bytes);
}

} // namespace
} // namespace gelmar::test

// The tables' edits on the store: reading cell entries, the Blocks table's
// block-list edits (inserting, deleting, duplicating, moving, switching
// runs, Transform Coordinates, Insert File) and the Colours table's colour
// edits (types, rules, value columns, names, materials, Paste Row, cavity
// emissivities, Split Zones against a brute-force fill).
#include "EditFixture.h"
#include "gelmar/model/editing/BlockEdits.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/ColourEdits.h"
#include "gelmar/model/editing/GridLines.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>

namespace gelmar::test {
namespace {

using TableEditsTest = EditEngineTest;

std::vector<int> Colours(const ModelStore& m)
{
    std::vector<int> out;
    for (std::size_t b = 0; b < m.blocks.count; ++b)
        out.push_back(m.blocks[b].colour);
    return out;
}

std::vector<int> Selected(const ModelStore& m)
{
    std::vector<int> out;
    for (std::size_t b = 0; b < m.blocks.count; ++b)
        if (IsBlockSelected(m.blocks[b]))
            out.push_back(static_cast<int>(b));
    return out;
}

// The bound coordinates of every block relative to the model origin, in grid
// units: what a grid rebuilt from the items' coordinates keeps.
std::vector<std::array<float, 6>> BlockCoordinates(const ModelStore& m)
{
    std::vector<std::array<float, 6>> out;
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        const std::uint16_t lines[6] = {r.x1, r.x2, r.y1, r.y2, r.z1, r.z2};
        std::array<float, 6> c{};
        for (int k = 0; k < 6; ++k)
            c[static_cast<std::size_t>(k)] = LineCoordinate(m, k / 2, lines[k]) - m.origin[k / 2];
        out.push_back(c);
    }
    return out;
}

TEST(CellEntryTest, NumbersAreReadAsTheDataFileReadsThem)
{
    struct Case {
        const char* text;
        std::optional<float> value;
    };
    const Case cases[] = {
        {"1.5", 1.5f},         {"  -2e3x", -2000.0f}, {"0.05", 0.05f},
        {"", std::nullopt},    {"abc", std::nullopt}, {"1e39", std::nullopt}, // beyond a float
        {"nan", std::nullopt}, {"inf", std::nullopt}, {"+.5", 0.5f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadCellFloat(c.text), c.value) << c.text;
    EXPECT_EQ(ReadCellInt("12abc"), 12);
    EXPECT_EQ(ReadCellInt(" -3"), -3);
    EXPECT_EQ(ReadCellInt(""), std::nullopt);
    EXPECT_EQ(ReadCellInt("x1"), std::nullopt);
    EXPECT_EQ(ReadCellInt("99999999999"), std::nullopt); // beyond 32 bits
}

TEST(CellEntryTest, EditorTextReadsBackExactly)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> any(-1e6f, 1e6f);
    for (int i = 0; i < 2000; ++i) {
        const float v = i % 2 ? any(random) : any(random) * 1e-9f;
        const std::string text = ExactFloatText(v);
        float back = 0;
        ASSERT_EQ(std::from_chars(text.data(), text.data() + text.size(), back).ec, std::errc()) << text;
        EXPECT_EQ(back, v) << text;
    }
    // Where "%g" would have cut the digits.
    EXPECT_EQ(ExactFloatText(0.123456789f), "0.12345679");
}

TEST_F(TableEditsTest, ValueOrFunctionEntries)
{
    AddFunction(engine.model, "L01");
    AddFunction(engine.model, "M02");
    AddFunction(engine.model, "T05");
    struct Case {
        const char* text;
        const char* letters;
        CellEntry::Kind kind;
        const char* function;
        float number;
    };
    const Case cases[] = {
        {"l01", "LM", CellEntry::Function, "L01", 0}, // upper-cased
        {"M02", "LM", CellEntry::Function, "M02", 0},
        {"L03", "LM", CellEntry::Neither, "", 0}, // no such function, and no number
        {"T05", "LM", CellEntry::Neither, "", 0}, // another column's letter
        {"t05", "T", CellEntry::Function, "T05", 0},
        {"t5", "T", CellEntry::Neither, "", 0},    // two characters are never a reference
        {"1.5", "T", CellEntry::Number, "", 1.5f}, // three characters, but a number
        {"T00", "T", CellEntry::Neither, "", 0},
        {"20", "T", CellEntry::Number, "", 20.0f},
    };
    for (const Case& c : cases) {
        const CellEntry e = ReadValueOrFunction(c.text, c.letters, engine.model);
        EXPECT_EQ(e.kind, c.kind) << c.text;
        if (c.kind == CellEntry::Function) {
            EXPECT_EQ(e.function.View(), c.function) << c.text;
        }
        if (c.kind == CellEntry::Number) {
            EXPECT_EQ(e.number, c.number) << c.text;
        }
    }

    float value = 3;
    FunctionName ref("T05");
    EXPECT_TRUE(StoreValueOrFunction(ReadValueOrFunction("7", "T", engine.model), value, ref, "T00"));
    EXPECT_EQ(value, 7.0f);
    EXPECT_EQ(ref.View(), "T00");
    EXPECT_TRUE(StoreValueOrFunction(ReadValueOrFunction("t05", "T", engine.model), value, ref, "T00"));
    EXPECT_EQ(ref.View(), "T05");
    EXPECT_EQ(value, 7.0f);
    EXPECT_FALSE(StoreValueOrFunction(ReadValueOrFunction("x", "T", engine.model), value, ref, "T00"));
    EXPECT_EQ(ref.View(), "T05");
    EXPECT_TRUE(StoreValueOrFunction(ReadValueOrFunction("x", "T", engine.model), value, ref, "T00",
                                     OnNeither::ResetReference));
    EXPECT_EQ(ref.View(), "T00");
    EXPECT_EQ(value, 7.0f);
    EXPECT_EQ(ValueOrFunctionText(7.25f, FunctionName("T00"), 1), "7.2");
    EXPECT_EQ(ValueOrFunctionText(7.25f, FunctionName("T05"), 1), "T05");
    EXPECT_EQ(ValueOrFunctionText(0.000012f, FunctionName("I00"), -1), "1.2e-05");
}

TEST_F(TableEditsTest, TypedColoursAndBoundsWithinTheirRanges)
{
    SetUnitGrid(10, 1, 10);
    Block(1, 5, 7, 0, 1, 0, 1);
    EXPECT_TRUE(EditBlockCell(engine.model, engine.view, 0, 4, "3"));
    EXPECT_EQ(engine.model.blocks[0].x1, 2);
    EXPECT_EQ(engine.model.blocks[0].x2, 3);
    EXPECT_FALSE(EditBlockCell(engine.model, engine.view, 0, 2, "256"));
    EXPECT_FALSE(EditBlockCell(engine.model, engine.view, 0, 2, ""));
    EXPECT_FALSE(EditBlockCell(engine.model, engine.view, 0, 3, "abc"));
    EXPECT_EQ(engine.model.blocks[0].colour, 1);
    EXPECT_TRUE(EditBlockCell(engine.model, engine.view, 0, 2, "7"));
    EXPECT_EQ(engine.model.blocks[0].colour, 7);
    EXPECT_EQ(engine.view.currentColour, 7);
    // A new block takes the current colour; in the R/C/L naming the top layer.
    engine.model.rcl = 1;
    ASSERT_TRUE(InsertBlock(engine.model, engine.view, Host(), 0));
    EXPECT_EQ(engine.model.blocks[0].colour, 7);
    EXPECT_EQ(engine.model.blocks[0].z1, 9);
    EXPECT_EQ(engine.model.blocks[0].z2, 10);
    engine.model.rcl = 0;
    ASSERT_TRUE(InsertBlock(engine.model, engine.view, Host(), 2));
    EXPECT_EQ(engine.model.blocks[2].z1, 0);
    EXPECT_EQ(engine.model.blocks.count, 3);
    // In use exactly what blocks have.
    engine.model.colours[200].inUse = 1;
    UpdateUsedColours(engine.model, engine.run);
    EXPECT_FALSE(engine.model.colours[200].inUse);
    EXPECT_FALSE(engine.model.colours[1].inUse);
    EXPECT_TRUE(engine.model.colours[7].inUse);
}

TEST_F(TableEditsTest, BlockListEditsKeepOrderAndSelection)
{
    SetUnitGrid(10, 1, 1);
    for (int c = 1; c <= 6; ++c)
        Block(c, c - 1, c, 0, 1, 0, 1);

    // Copy of blocks 3 to 5 (indices 2..4) with the focus in it: after block 5.
    for (std::size_t b : {2u, 3u, 4u})
        engine.model.blocks[b].flags |= kBlockSelected;
    ASSERT_TRUE(DuplicateSelection(engine.model, Host(), 3));
    EXPECT_EQ(Colours(engine.model), (std::vector<int>{1, 2, 3, 4, 5, 3, 4, 5, 6}));
    EXPECT_EQ(Selected(engine.model), (std::vector<int>{5, 6, 7}));

    // The copies move up to the focused block's place.
    MoveSelection(engine.model, 1);
    EXPECT_EQ(Colours(engine.model), (std::vector<int>{1, 3, 4, 5, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Selected(engine.model), (std::vector<int>{1, 2, 3}));
    // And down until their last block is at the focus.
    MoveSelection(engine.model, 6);
    EXPECT_EQ(Colours(engine.model), (std::vector<int>{1, 2, 3, 4, 3, 4, 5, 5, 6}));
    EXPECT_EQ(Selected(engine.model), (std::vector<int>{4, 5, 6}));

    EXPECT_EQ(DeleteSelectedBlocks(engine.model), 3u);
    EXPECT_EQ(Colours(engine.model), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(Selected(engine.model).empty());

    // A gap in the selection: neither copied nor moved.
    engine.model.blocks[0].flags |= kBlockSelected;
    engine.model.blocks[2].flags |= kBlockSelected;
    EXPECT_FALSE(BlockSelectionRange(engine.model).contiguous);
    EXPECT_FALSE(DuplicateSelection(engine.model, Host(), 4));
    EXPECT_EQ(engine.model.blocks.count, 6);
    ClearBlockSelection(engine.model);

    // Switch Select Downward from block 1: while the marks equal its own.
    engine.model.blocks[3].flags |= kBlockSelected;
    ToggleBlockRun(engine.model, 1, +1, false, 0);
    EXPECT_EQ(Selected(engine.model), (std::vector<int>{1, 2, 3}));
    // Upward over one colour only: the others are passed over.
    ClearBlockSelection(engine.model);
    for (std::size_t b : {0u, 2u, 4u})
        engine.model.blocks[b].colour = 9;
    ToggleBlockRun(engine.model, 4, -1, true, 9);
    EXPECT_EQ(Selected(engine.model), (std::vector<int>{0, 2, 4}));

    EXPECT_EQ(RecolourBlocks(engine.model, 9, 8), 3u);
    EXPECT_EQ(Colours(engine.model), (std::vector<int>{8, 2, 8, 4, 8, 6}));
}

TEST_F(TableEditsTest, InsertsAndCopiesPastTheBlockLimitAreRefused)
{
    SetUnitGrid(1, 1, 1);
    ASSERT_TRUE(engine.model.blocks.Grow(kMaxCount16));
    engine.model.blocks.count = static_cast<std::uint16_t>(kMaxCount16);
    for (std::size_t b = 0; b < kMaxCount16; ++b)
        engine.model.blocks[b] = BlockRecord{};
    EXPECT_FALSE(InsertBlock(engine.model, engine.view, Host(), 0));
    engine.model.blocks[0].flags |= kBlockSelected;
    EXPECT_FALSE(DuplicateSelection(engine.model, Host(), 0));
    EXPECT_EQ(engine.model.blocks.count, kMaxCount16);
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{kTooManyBlocks, kTooManyBlocks}));
}

TEST_F(TableEditsTest, TransformedBlocksMoveAndTheOthersKeepTheirCoordinates)
{
    SetGrid({0.5f, 0.5f, 1.0f}, {1.0f}, {1.0f});
    Block(1, 0, 3, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    const auto before = BlockCoordinates(engine.model);
    engine.model.blocks[1].flags |= kBlockSelected;
    kernels::TransformSettings move;
    move.translation[0] = 0.25f;
    ASSERT_TRUE(TransformSelectedBlocks(engine.model, Host(), move));
    const auto after = BlockCoordinates(engine.model);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_FLOAT_EQ(after[1][0], before[1][0] + 0.25f);
    EXPECT_FLOAT_EQ(after[1][1], before[1][1] + 0.25f);
    EXPECT_EQ(Selected(engine.model), (std::vector<int>{1}));

    // A factor of 0 would flatten the block: nothing changes.
    const std::string file = FormatDataFile(engine.model);
    kernels::TransformSettings flat;
    flat.type = 2;
    flat.scale[0] = 0;
    EXPECT_FALSE(TransformSelectedBlocks(engine.model, Host(), flat));
    EXPECT_EQ(FormatDataFile(engine.model), file);
    EXPECT_EQ(recorder.messages.back(), kBlockWithoutThickness);
}

TEST_F(TableEditsTest, InsertedFilesFollowTheFocusedBlockInTheirOwnPlace)
{
    SetGrid({1.0f, 1.0f}, {1.0f}, {1.0f});
    Block(1, 0, 2, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    engine.model.dataFilePath = "main.glm";
    engine.model.origin[0] = 0.5f;
    WriteBytes("part.glm", "nxwi=1\r\nxwid=0.25\r\nnywi=1\r\nywid=1\r\nnzwi=1\r\nzwid=1\r\n"
                           "colr=5\r\ncrgb=1 2 3\r\nnblk=1\r\nblok=0 5 0 1 0 1 0 1\r\n");
    const auto before = BlockCoordinates(engine.model);
    ASSERT_EQ(InsertBlocksFromFile(engine.model, engine.parameters, Host(), "part.glm", 0), 1u);
    EXPECT_EQ(engine.model.dataFilePath, "main.glm");
    EXPECT_EQ(Colours(engine.model), (std::vector<int>{1, 5, 2}));
    EXPECT_EQ(Selected(engine.model), (std::vector<int>{1}));
    const auto after = BlockCoordinates(engine.model);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[2], before[1]);
    // Placed at the origin, as wide as in its file.
    EXPECT_FLOAT_EQ(after[1][0], 0.0f);
    EXPECT_FLOAT_EQ(after[1][1], 0.25f);

    // A file that cannot be read adds nothing.
    EXPECT_EQ(InsertBlocksFromFile(engine.model, engine.parameters, Host(), "missing.glm", 0), 0u);
    EXPECT_EQ(engine.model.blocks.count, 3);
    EXPECT_EQ(engine.model.dataFilePath, "main.glm");

    // Blocks past the limit are refused before the file is read.
    WriteBytes("big.glm", "nxwi=1\r\nxwid=1\r\nnywi=1\r\nywid=1\r\nnzwi=1\r\nzwid=1\r\nnblk=65533\r\n");
    recorder.messages.clear();
    EXPECT_EQ(InsertBlocksFromFile(engine.model, engine.parameters, Host(), "big.glm", 0), 0u);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kTooManyBlocks});
    EXPECT_EQ(engine.model.blocks.count, 3);
}

TEST_F(TableEditsTest, TypesAndRulesStepInTheirOrder)
{
    std::vector<int> order;
    ColourType type = MATERIAL;
    for (int i = 0; i < 8; ++i) {
        order.push_back(type);
        type = NextColourType(type);
    }
    EXPECT_EQ(order,
              (std::vector<int>{MATERIAL, EQUIMAT, BC_SIMPL, BC_FRE_S, BC_FREE, BC_SKY, BC_NOSKY, TRANSMAT}));
    EXPECT_EQ(type, MATERIAL);

    ColourRecord& c = engine.model.colours[4];
    c.inUse = 1;
    c.type = BC_NOSKY;
    c.rule = 1;
    StepColourType(engine.model, 4); // to TRANSMAT: the rule number stays
    EXPECT_EQ(c.type, TRANSMAT);
    EXPECT_EQ(c.rule, 1);
    StepColourType(engine.model, 4); // to MATERIAL: stays too
    EXPECT_EQ(c.rule, 1);
    StepColourType(engine.model, 4); // to EQUIMAT: back to rule 0
    EXPECT_EQ(c.type, EQUIMAT);
    EXPECT_EQ(c.rule, 0);
    c.lambdaFunc = FunctionName("L01");
    for (int i = 0; i < 12; ++i)
        StepColourRule(engine.model, 4);
    EXPECT_EQ(c.rule, 12);
    EXPECT_EQ(c.lambdaFunc.View(), "L00");
    StepColourRule(engine.model, 4);
    EXPECT_EQ(c.rule, 0);
    struct Last {
        int type, last;
    };
    for (const Last& l : {Last{BC_SIMPL, 3}, Last{BC_FRE_S, 3}, Last{BC_FREE, 7}, Last{BC_SKY, 1},
                          Last{BC_NOSKY, 1}, Last{MATERIAL, 0}, Last{TRANSMAT, 0}})
        EXPECT_EQ(LastRuleOfType(l.type), l.last) << l.type;
}

TEST_F(TableEditsTest, ValueColumnsOfTheColoursTable)
{
    AddFunction(engine.model, "L01");
    AddFunction(engine.model, "M01");
    AddFunction(engine.model, "T01");
    ColourRecord& c = engine.model.colours[3];
    c.lambda = 0.5f;
    EXPECT_TRUE(StoreColourValue(engine.model, 3, 6, "l01"));
    EXPECT_EQ(c.lambdaFunc.View(), "L01");
    EXPECT_EQ(ColourValueText(c, *FindColourValueColumn(6)), "L01");
    EXPECT_TRUE(StoreColourValue(engine.model, 3, 6, "M01"));
    EXPECT_EQ(c.lambdaFunc.View(), "L00");
    EXPECT_EQ(c.lambda2Func.View(), "M01");
    EXPECT_EQ(ColourValueText(c, *FindColourValueColumn(6)), "M01");
    EXPECT_FALSE(StoreColourValue(engine.model, 3, 6, "L02")); // no such function: the old number
    EXPECT_EQ(c.lambda, 0.5f);
    EXPECT_TRUE(StoreColourValue(engine.model, 3, 6, "1.5"));
    EXPECT_EQ(c.lambda, 1.5f);
    EXPECT_EQ(c.lambda2Func.View(), "M00");
    EXPECT_EQ(ColourValueText(c, *FindColourValueColumn(6)), "1.500");
    // Density and the rule constants take any number, but a number.
    EXPECT_TRUE(StoreColourValue(engine.model, 3, 8, "1800kg"));
    EXPECT_EQ(c.density, 1800.0f);
    EXPECT_FALSE(StoreColourValue(engine.model, 3, 17, "x"));
    EXPECT_TRUE(StoreColourValue(engine.model, 3, 17, "-0.5"));
    EXPECT_EQ(c.con1, -0.5f);
    EXPECT_TRUE(StoreColourValue(engine.model, 3, 10, "T01"));
    EXPECT_EQ(c.temperatureFunc.View(), "T01");
    EXPECT_TRUE(StoreColourValue(engine.model, 3, 13, "T01"));
    EXPECT_EQ(c.airTemperatureFunc.View(), "T01");
    EXPECT_FALSE(StoreColourValue(engine.model, 3, 20, "1"));
    EXPECT_EQ(FindColourValueColumn(4), nullptr);
}

TEST(ColourNameTest, NamesTheDataFileHoldsBack)
{
    EXPECT_TRUE(NameFitsDataFile(""));
    EXPECT_TRUE(NameFitsDataFile("Brick 1800 kg/m³ – €"));
    EXPECT_TRUE(NameFitsDataFile(std::string(250, 'a')));
    EXPECT_FALSE(NameFitsDataFile(std::string(251, 'a')));
    EXPECT_FALSE(NameFitsDataFile("two\nlines"));
    EXPECT_FALSE(NameFitsDataFile("tab\there"));
    EXPECT_FALSE(NameFitsDataFile("λ-value"));  // no Greek in the Western set
    EXPECT_FALSE(NameFitsDataFile("\xff\xfe")); // not UTF-8 text
}

TEST_F(TableEditsTest, MaterialsRowsAndEmissivities)
{
    ColourRecord& c = engine.model.colours[2];
    c.type = BC_SIMPL;
    c.rule = 2;
    c.epsilon = 0.3f;
    c.heatCapacityFunc = FunctionName("C01");
    MaterialProperties brick;
    brick.name = "Brick";
    brick.pattern = 0;
    brick.conductivity = 0.9f;
    brick.density = 1800;
    brick.heatCapacity = 840;
    brick.solarReflection = 0.6f;
    brick.solarTransmission = 0.5f;
    LoadMaterialIntoColour(engine.model, 2, brick);
    EXPECT_EQ(c.type, MATERIAL);
    EXPECT_EQ(c.rule, 0);
    EXPECT_EQ(c.pattern, 1);
    EXPECT_EQ(c.solarTransmission, 1.0f); // 0.5 / 0.4 limited to 1
    EXPECT_EQ(c.heatCapacityFunc.View(), "C00");
    EXPECT_EQ(c.epsilon, 0.3f); // not the material's to set
    brick.solarReflection = 0.2f;
    LoadMaterialIntoColour(engine.model, 2, brick);
    EXPECT_FLOAT_EQ(c.solarTransmission, 0.625f);

    ColourRecord& t = engine.model.colours[9];
    t.density = 5;
    t.solar = 1;
    t.inUse = 1;
    SetDisplayColour(t, 1, 2, 3);
    c.temperatureFunc = FunctionName("T02");
    PasteColourRow(engine.model, 9, 2);
    EXPECT_EQ(t.name, "Brick");
    EXPECT_EQ(t.lambda, 0.9f);
    EXPECT_EQ(t.temperatureFunc.View(), "T02");
    EXPECT_EQ(t.density, 5.0f);
    EXPECT_EQ(t.solar, 1);
    EXPECT_EQ(t.red, 1);

    struct Case {
        const char* name;
        float e1, e2;
    };
    const Case cases[] = {
        {"e1=0.8 e2=0.7", 0.8f, 0.7f},
        {"e1=0.8  e2=0.7 cavity", 0.8f, 0.7f},
        {"e1=0.05 e2=2", 0.9f, 0.9f}, // out of range: both start at 0.9
        {"cavity e1=0.8 e2=0.7", 0.9f, 0.9f},
        {"e1=0.8", 0.9f, 0.9f},
        {"", 0.9f, 0.9f},
    };
    for (const Case& k : cases) {
        const CavityEmissivities e = ReadCavityEmissivities(k.name);
        EXPECT_FLOAT_EQ(e.e1, k.e1) << k.name;
        EXPECT_FLOAT_EQ(e.e2, k.e2) << k.name;
    }
    EXPECT_EQ(FormatCavityEmissivities(0.8f, 0.125f), "e1=0.80  e2=0.12");
    const CavityEmissivities back = ReadCavityEmissivities(FormatCavityEmissivities(0.8f, 0.25f));
    EXPECT_FLOAT_EQ(back.e2, 0.25f);
}

// Face-connected regions of one colour, found cell by cell.
int CountRegions(const std::vector<int>& cells, int nx, int ny, int nz, int colour)
{
    std::vector<int> label(cells.size(), -1);
    int regions = 0;
    for (std::size_t start = 0; start < cells.size(); ++start) {
        if (cells[start] != colour || label[start] >= 0)
            continue;
        std::vector<std::size_t> todo{start};
        label[start] = regions;
        while (!todo.empty()) {
            const std::size_t at = todo.back();
            todo.pop_back();
            const int i = static_cast<int>(at % nx), j = static_cast<int>(at / nx % ny),
                      k = static_cast<int>(at / (nx * ny));
            const int step[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
            for (const auto& s : step) {
                const int a = i + s[0], b = j + s[1], c = k + s[2];
                if (a < 0 || b < 0 || c < 0 || a >= nx || b >= ny || c >= nz)
                    continue;
                const std::size_t n = static_cast<std::size_t>(a + nx * (b + ny * c));
                if (cells[n] == colour && label[n] < 0) {
                    label[n] = regions;
                    todo.push_back(n);
                }
            }
        }
        ++regions;
    }
    return regions;
}

TEST_F(TableEditsTest, SplitZonesGivesEveryRegionItsOwnColour)
{
    // Random blocks of colours 1 and 2 on a small grid, repeatedly.
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        FreeModel(engine);
        ResetModel(engine);
        SetUnitGrid(6, 5, 4);
        std::uniform_int_distribution<int> pick(0, 5);
        for (int b = 0; b < 12; ++b) {
            const int x = pick(random), y = pick(random) % 5, z = pick(random) % 4;
            Block(1 + b % 2, x, std::min(6, x + 1 + pick(random) % 3), y,
                  std::min(5, y + 1 + pick(random) % 2), z, std::min(4, z + 1 + pick(random) % 2));
        }
        engine.model.colours[1].lambda = 0.7f;
        const std::vector<int> before = Paint();
        const int regions = CountRegions(before, 6, 5, 4, 1);
        const SplitZonesResult result = SplitColourZones(engine.model, engine.run, Host(), 1, 10);
        ASSERT_FALSE(result.shortage);
        EXPECT_EQ(result.zones, regions);
        const std::vector<int> after = Paint();
        // Every region has one colour of its own, every cell kept its region.
        std::map<int, int> colourOfRegion;
        for (std::size_t cell = 0; cell < before.size(); ++cell) {
            if (before[cell] != 1) {
                EXPECT_EQ(after[cell], before[cell]);
                continue;
            }
            EXPECT_GE(after[cell], 10);
            EXPECT_EQ(engine.model.colours[static_cast<std::size_t>(after[cell])].lambda, 0.7f);
        }
        std::set<int> made;
        for (int c : after)
            if (c >= 10)
                made.insert(c);
        EXPECT_EQ(static_cast<int>(made.size()), regions);
        for (int c : made)
            EXPECT_EQ(CountRegions(after, 6, 5, 4, c), 1) << "colour " << c;
        EXPECT_FALSE(engine.model.colours[1].inUse);
        for (std::size_t b = 0; b < engine.model.blocks.count; ++b)
            EXPECT_NE(engine.model.blocks[b].colour, 1);
    }
}

TEST_F(TableEditsTest, SplitZonesWithTooFewColoursKeepsTheColour)
{
    SetUnitGrid(5, 1, 1);
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(1, 2, 3, 0, 1, 0, 1);
    Block(1, 4, 5, 0, 1, 0, 1);
    // Only colour 250 is free.
    for (int c = 0; c < kColourCount; ++c)
        engine.model.colours[static_cast<std::size_t>(c)].inUse = c != 250;
    const SplitZonesResult result = SplitColourZones(engine.model, engine.run, Host(), 1, 250);
    EXPECT_TRUE(result.shortage);
    EXPECT_EQ(result.zones, 1);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kNotEnoughFreeColours});
    // The first region has its colour; colour 1 keeps its blocks.
    EXPECT_EQ(Paint()[0], 250);
    EXPECT_EQ(Paint()[2], 1);
    EXPECT_TRUE(engine.model.colours[1].inUse);
}

} // namespace
} // namespace gelmar::test

// Opening a model by its extension, Save's writing, the start-up, and the
// examples.
#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/tests/ModelFixture.h"

namespace dralo::test {
namespace {

class ModelFilesTest : public ModelTest {
  protected:
    void WriteBitmap(const std::string& path, std::vector<std::vector<std::uint8_t>> rows)
    {
        BmpBytes b;
        b.width = static_cast<std::int32_t>(rows[0].size());
        b.height = static_cast<std::int32_t>(rows.size());
        b.palette.assign(256, {9, 9, 9});
        b.pixels = UncompressedRows(rows);
        WriteBytes(path, b.Bytes());
    }
    DxfImportState dxf{".", true};
};

TEST_F(ModelFilesTest, OpeningByExtension)
{
    WriteBitmap("wall.bmp", {{170, 1, 1, 174}, {170, 1, 1, 174}});
    WriteBytes("wall.drl", "bmpf=wall\r\ncycl=7\r\n");
    WriteBytes("old.dat", "bmp wall\ncol 1 0 3 0.5 0 0 0 brick\n");
    WriteBitmap("MODEL.BMP", {{2, 2}});

    ASSERT_TRUE(OpenModelFile(s, "wall.drl", dxf, "."));
    EXPECT_EQ(model.calc.cycl, 7);
    EXPECT_EQ(model.width, 4);
    EXPECT_EQ(model.dataFilePath, "wall.drl");
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(undo.Count(), 1u);
    EXPECT_EQ(undo.Current()->kind, kUndoBase);

    model.colours[2].lamb = 0.3f;
    ASSERT_TRUE(OpenModelFile(s, "MODEL.BMP", dxf, ".")) << "the extension without regard to case";
    EXPECT_EQ(model.dataFilePath, "MODEL.drl");
    EXPECT_EQ(model.bitmapPath, "MODEL.BMP");
    EXPECT_EQ(model.colours[2].lamb, 0.3f) << "a bitmap keeps the colour table";
    EXPECT_TRUE(host.modified);

    ASSERT_TRUE(OpenModelFile(s, "old.dat", dxf, "."));
    EXPECT_EQ(model.colours[1].name, "brick");
    EXPECT_EQ(model.width, 4);
    EXPECT_TRUE(host.modified);
    EXPECT_FALSE(model.fromDxf);

    WriteBytes("plan.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n003_0_a\n10\n0\n20\n0\n11\n10\n21\n5\n0\nENDSEC\n0\nEOF\n");
    ASSERT_TRUE(OpenModelFile(s, "plan.dxf", dxf, "."));
    EXPECT_TRUE(model.fromDxf);
    EXPECT_EQ(model.bitmapPath, "plan.bmp");
    EXPECT_EQ(model.dataFilePath, "plan.drl");
    EXPECT_EQ(model.colours[3].present, 1);
    EXPECT_FALSE(model.edges.empty());
}

TEST_F(ModelFilesTest, ASyntaxErrorIsShownAndTheRestOpens)
{
    WriteBitmap("m.bmp", {{1, 2}});
    WriteBytes("m.drl", "bmpf=m\r\ncycl=0\r\n");
    ASSERT_TRUE(OpenModelFile(s, "m.drl", dxf, "."));
    EXPECT_EQ(host.messages, std::vector<std::string>{SyntaxErrorText("m.drl", 2)});
    EXPECT_EQ(model.width, 2);
}

TEST_F(ModelFilesTest, FilesThatCannotBeOpenedSayWhich)
{
    const std::pair<const char*, std::string> cases[] = {
        {"missing.drl", "missing.drl"}, {"nobitmap.drl", "lost.bmp"}, {"missing.bmp", "missing.bmp"},
        {"missing.dat", "missing.dat"}, {"missing.dxf", "missing.dxf"},
    };
    WriteBytes("nobitmap.drl", "bmpf=lost\n");
    for (const auto& [file, named] : cases) {
        host.messages.clear();
        EXPECT_FALSE(OpenModelFile(s, file, dxf, ".")) << file;
        EXPECT_EQ(host.messages, std::vector<std::string>{FileOpenText(named)}) << file;
    }
}

TEST_F(ModelFilesTest, SaveWritesBothFilesAndStartsTheUndoListAgain)
{
    WriteBitmap("m.bmp", {{1, 2}, {3, 4}});
    ASSERT_TRUE(OpenModelFile(s, "m.bmp", dxf, "."));
    SetPixelColour(model, 0, 9);
    CommitPixelEdit(s);
    ASSERT_TRUE(host.modified);
    const auto startup = model.colours;
    model.dataFilePath = "out.drl";
    model.bitmapPath = "out.bmp";
    ASSERT_TRUE(SaveModelFiles(s, startup));
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(model.view.bitmapModified, 0);
    EXPECT_EQ(undo.Count(), 1u);
    EXPECT_EQ(ReadBytes("out.drl"), FormatDataFile(model, startup));
    BitmapModel back;
    back.bitmapPath = "out.bmp";
    ASSERT_TRUE(ReadBmpFile(back, back.bitmapPath, host));
    EXPECT_EQ(back.pixels, model.pixels);
}

TEST_F(ModelFilesTest, AFailedSaveShowsTheFileAndLeavesTheModelModified)
{
    WriteBitmap("m.bmp", {{1, 2}});
    ASSERT_TRUE(OpenModelFile(s, "m.bmp", dxf, "."));
    const auto startup = model.colours;
    WriteBytes("kept.drl", "old contents");
    std::filesystem::create_directory("kept.drl.part");
    model.dataFilePath = "kept.drl";
    model.bitmapPath = "kept.bmp";
    host.messages.clear();
    EXPECT_FALSE(SaveModelFiles(s, startup));
    EXPECT_EQ(host.messages, std::vector<std::string>{FileOpenText("kept.drl")});
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(ReadBytes("kept.drl"), "old contents");
    model.bitmapPath = "no/such/folder/m.bmp";
    host.messages.clear();
    EXPECT_FALSE(SaveModelFiles(s, startup));
    EXPECT_EQ(host.messages, std::vector<std::string>{FileOpenText("no/such/folder/m.bmp")});
}

TEST_F(ModelFilesTest, StartUpReadsTheDefaultDataFileAndTheParameterFile)
{
    std::filesystem::create_directory("program");
    WriteBytes("program/Dralo.drl", "colr=170\r\nname=Exterior\r\ntype=2\r\ncycl=2\r\ntris=6\r\n");
    WriteBytes("program/Dralo.prm", "cycl=8\r\nszcs=200\r\n");
    WriteBytes("tmp.sol", "x");
    ProgramParameters p;
    const ColourTable startup = StartUp(model, p, session, "program", ".", host);
    EXPECT_EQ(startup[170].name, "Exterior");
    EXPECT_EQ(model.colours[170].type, BC_SIMPL);
    EXPECT_EQ(model.colours[3].tric, 6.0f);
    EXPECT_EQ(p.cycl, 8);
    EXPECT_EQ(model.calc.cycl, 8) << "the parameter file's defaults come after the default data file";
    EXPECT_EQ(session.split.szcs, 200);
    EXPECT_TRUE(model.dataFilePath.empty());
    EXPECT_TRUE(host.messages.empty());
    // Without either file the colour table keeps its defaults.
    BitmapModel fresh;
    const ColourTable plain = StartUp(fresh, p, session, "nothing", ".", host);
    EXPECT_EQ(plain[170].type, MATERIAL);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ModelFilesTest, TheExamplesOpenAndSaveTheirOwnBytesAgain)
{
    const ColourTable startup = StartUp(model, defaults, session, SUITE_EXAMPLES_DIR, ".", host);
    EXPECT_EQ(startup[170].type, BC_SIMPL);
    EXPECT_EQ(startup[174].temp, 20.0f);
    EXPECT_EQ(startup[182].rule, HI_REDUC);
    EXPECT_EQ(startup[8].lamb, 0.13f);
    for (const char* example : {"wall.drl", "Dralo.drl"}) {
        ASSERT_TRUE(OpenModelFile(s, std::string(SUITE_EXAMPLES_DIR) + "/" + example, dxf, ".")) << example;
        EXPECT_TRUE(host.messages.empty()) << example;
        model.dataFilePath = std::string("saved-") + example;
        model.bitmapPath = ReplaceExtension(model.dataFilePath, ".bmp");
        ASSERT_TRUE(SaveModelFiles(s, startup));
        const std::string first = ReadBytes(model.dataFilePath);
        ASSERT_TRUE(OpenModelFile(s, model.dataFilePath, dxf, "."));
        EXPECT_EQ(FormatDataFile(model, startup), first) << example;
    }
    ASSERT_TRUE(OpenModelFile(s, SUITE_EXAMPLES_DIR "/wall.drl", dxf, "."));
    EXPECT_EQ(model.width, 56);
    EXPECT_EQ(model.ndis, 2);
    EXPECT_EQ(model.colours[15].name, "Steel tie");
}

} // namespace
} // namespace dralo::test

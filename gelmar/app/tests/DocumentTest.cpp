// The document: open and save round trip, the caption with " *", the file
// commands asking about unsaved edits, Batch Calculation leaving the
// data-file path alone, and Save never writing over another format's file.
#include "AppFixture.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QCoreApplication>
#include <filesystem>

namespace gelmar::test {
namespace {

class DocumentTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
    }
    platform::TestHook& Hook() { return platform::TestHook::Get(); }
};

TEST_F(DocumentTest, SaveAsWritesAFileThatReadsBackToTheSameModel)
{
    const std::string wall = CopyWall("wall.glm");
    ASSERT_TRUE(Start({wall}));
    const std::string before = FormatDataFile(TheEngine().model);
    const std::string out = ScratchFolder() + "/work/copy.glm";
    Hook().PushFileDialogAnswer({out});
    EXPECT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_EQ(ReadFile(out), before);
    EXPECT_EQ(TheEngine().model.dataFilePath, out);
    EXPECT_EQ(Main()->GetWindowText(), "GELMAR - copy.glm");

    // Opening the saved file gives the same model.
    Hook().PushFileDialogAnswer({out});
    EXPECT_TRUE(Main()->ExecuteCommand(ID_FILE_OPEN));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(FormatDataFile(TheEngine().model), before);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DocumentTest, CaptionShowsTheModifiedFlagAndSaveClearsIt)
{
    ASSERT_TRUE(Start({CopyWall("a.nvk")}));
    // A NOVELK file reads as a data file; the caption names the ".glm".
    EXPECT_EQ(Main()->GetWindowText(), "GELMAR - a.glm");
    Doc()->SetModified(TRUE);
    EXPECT_EQ(Main()->GetWindowText(), "GELMAR - a.glm *");
    // Tiling the windows rewrites the caption, keeping the mark.
    Main()->ArrangeViewFrames();
    EXPECT_EQ(Main()->GetWindowText(), "GELMAR - a.glm *");

    const std::string glm = ScratchFolder() + "/work/a.glm";
    Hook().PushFileDialogAnswer({glm});
    EXPECT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(Main()->GetWindowText(), "GELMAR - a.glm");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(std::filesystem::exists(glm));
}

TEST_F(DocumentTest, SaveNeverWritesOverAnImportedFile)
{
    Seams().importFile = [](const std::string&) {
        TheEngine().model.title = "imported";
        return true;
    };
    const std::string bmp = ScratchFolder() + "/work/section.bmp";
    WriteFile(bmp, "BM not really a bitmap");
    ASSERT_TRUE(Start({bmp}));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_TRUE(Doc()->IsModified());
    Hook().PushFileDialogAnswer({}); // Save As cancelled
    Main()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(ReadFile(bmp), "BM not really a bitmap");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocumentTest, ReplacingAnEditedModelAsksAndCancelKeepsIt)
{
    ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    CGelmarDoc* doc = Doc();
    doc->SetModified(TRUE);
    struct Case {
        UINT command;
        int answer;
    };
    for (Case c : {Case{ID_FILE_NEW, IDCANCEL}, Case{ID_FILE_OPEN, IDCANCEL}, Case{ID_IMPORT_DATA, IDCANCEL},
                   Case{ID_BATCH_CALCULATION, IDCANCEL}}) {
        Hook().ClearMessages();
        Hook().PushMessageBoxAnswer(c.answer);
        Main()->ExecuteCommand(c.command);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Save changes to wall.glm ?"}) << c.command;
        EXPECT_EQ(Doc(), doc) << c.command;
    }
    // No: the edits go and a new model comes.
    Hook().PushMessageBoxAnswer(IDNO);
    Main()->ExecuteCommand(ID_FILE_NEW);
    ASSERT_NE(Doc(), nullptr);
    // (The new document may take the old one's address: its state tells.)
    EXPECT_FALSE(Doc()->HasUnsavedEdits());
    EXPECT_TRUE(TheEngine().model.dataFilePath.empty());
    // An untouched new model goes without a question.
    Hook().ClearMessages();
    Main()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DocumentTest, YesSavesBeforeTheModelIsReplaced)
{
    const std::string wall = CopyWall("wall.glm");
    ASSERT_TRUE(Start({wall}));
    TheEngine().model.title = "edited";
    Doc()->SetModified(TRUE);
    Hook().PushMessageBoxAnswer(IDYES);
    Main()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_NE(ReadFile(wall).find("titl=edited"), std::string::npos);
}

TEST_F(DocumentTest, BatchCalculatesReadableFilesAndLeavesTheDataFilePathAlone)
{
    ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    const std::string a = CopyWall("a.glm"), b = CopyWall("b.glm");
    // b runs two hours of one-hour steps: its last result file is tmp0002.sol.
    std::string text = ReadFile(b);
    const std::size_t calc = text.find("calc=0");
    ASSERT_NE(calc, std::string::npos);
    text.replace(calc, 6, "step=3600\r\ncalc=7200");
    WriteFile(b, text);
    Hook().PushFileDialogAnswer({a, ScratchFolder() + "/work/missing.glm", b});
    Hook().PushMessageBoxAnswer(IDOK);
    EXPECT_TRUE(Main()->ExecuteCommand(ID_BATCH_CALCULATION));
    EXPECT_TRUE(std::filesystem::exists(ScratchFolder() + "/work/tmp0002.sol"));
    EXPECT_TRUE(TheEngine().model.dataFilePath.empty());
    EXPECT_EQ(m_app->GetActiveDocument(), nullptr);
    EXPECT_FALSE(g_app.batch);
}

TEST_F(DocumentTest, FailedOpenLeavesNoFileBehind)
{
    ASSERT_TRUE(Start());
    const std::string bad = ScratchFolder() + "/work/bad.glm";
    WriteFile(bad, "nxwi=abc\r\n");
    Hook().PushFileDialogAnswer({bad});
    Main()->ExecuteCommand(ID_FILE_OPEN);
    EXPECT_EQ(m_app->GetActiveDocument(), nullptr);
    EXPECT_TRUE(TheEngine().model.dataFilePath.empty());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("Syntax error in file"), std::string::npos);
}

TEST_F(DocumentTest, GridAndMinimumGridReplaceEachOther)
{
    ASSERT_TRUE(Start());
    Main()->ExecuteCommand(ID_COORDINATES);
    EXPECT_NE(m_app->FindView<CCoordView>(), nullptr);
    Main()->ExecuteCommand(ID_MIN_GRID);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_app->FindView<CGridView>(), nullptr);
    EXPECT_EQ(m_app->FindView<CCoordView>(), nullptr);
    EXPECT_NE(m_app->FindView<CMinGridView>(), nullptr);
    Main()->ExecuteCommand(ID_GRID);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_app->FindView<CMinGridView>(), nullptr);
    EXPECT_NE(m_app->FindView<CGridView>(), nullptr);
}

TEST_F(DocumentTest, AFileThatFailsToOpenNeverEntersTheRecentFileList)
{
    ASSERT_TRUE(Start());
    const std::string wall = CopyWall("wall.glm");
    const std::string bad = ScratchFolder() + "/work/bad.glm";
    WriteFile(bad, "nxwi=abc\r\n");
    const std::string missing = ScratchFolder() + "/work/missing.glm";
    for (const std::string& path : {wall, bad, missing}) {
        Hook().PushFileDialogAnswer({path});
        Main()->ExecuteCommand(ID_FILE_OPEN);
    }
    EXPECT_EQ(m_app->m_pRecentFileList->Entries(), std::vector<std::string>{wall});
    // A listed file that has gone since leaves the list when it fails.
    std::filesystem::remove(wall);
    Main()->ExecuteCommand(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(m_app->m_pRecentFileList->Entries().empty());
}

TEST_F(DocumentTest, SettingsAreWrittenAtExitAndReadAtTheNextStart)
{
    ASSERT_TRUE(Start());
    const std::string wall = CopyWall("wall.glm");
    Hook().PushFileDialogAnswer({wall});
    Main()->ExecuteCommand(ID_FILE_OPEN);
    Hook().PushDialogScript([](CDialog& d) {
        d.CheckRadioButton(1146, 1147, 1147);
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_DRAG_MODE));
    ASSERT_TRUE(Main()->ExecuteCommand(ID_LANG_DUTCH));
    // File > Exit, then the end of the program: the application goes.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_APP_EXIT));
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    m_app->ExitInstance();
    QCoreApplication::processEvents();
    m_app.reset();

    // The next start knows nothing but what the files carry.
    g_app = AppState{};
    Hook().ClearMessages();
    ASSERT_TRUE(Start());
    EXPECT_EQ(TheEngine().parameters.drag, 1);
    EXPECT_EQ(TheEngine().parameters.lang, 1);
    EXPECT_EQ(m_app->m_pRecentFileList->Entries(), std::vector<std::string>{wall});
    EXPECT_TRUE(Messages().empty());
}

} // namespace
} // namespace gelmar::test

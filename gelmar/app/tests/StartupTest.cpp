// Start-up: the material database is required; the default model, the
// parameter file and the language file are read before the main frame; the
// command line opens its file; the language menu and Exit.
#include "AppFixture.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/ModelStore.h"
#include "gelmar/model/Parameters.h"
#include "platform/core/StringTable.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QMenu>
#include <QMenuBar>

namespace gelmar::test {
namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, MissingMaterialDatabaseEndsTheProgramAfterTheDefaultModelWasRead)
{
    PrepareProgramFolder(false);
    EXPECT_FALSE(Start());
    EXPECT_EQ(Messages(), std::vector<std::string>{kMaterialDatabaseMissing});
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    // The default model was read before the frame, and no file is open.
    EXPECT_EQ(g_model.title, "Default model");
    EXPECT_TRUE(g_model.dataFilePath.empty());
}

TEST_F(StartupTest, WithoutAFileStartsANewModelInTheThreeTablesAndTheImage)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Messages().empty());
    ASSERT_NE(Main(), nullptr);
    EXPECT_TRUE(Main()->m_materialDatabases.size() >= 1);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_NE(m_app->FindView<CGraphView>(), nullptr);
    EXPECT_NE(m_app->FindView<CGridView>(), nullptr);
    EXPECT_NE(m_app->FindView<CBlockView>(), nullptr);
    EXPECT_NE(m_app->FindView<CColorView>(), nullptr);
    EXPECT_EQ(m_app->GetDocTemplates().size(), 19u);
    EXPECT_EQ(m_app->m_nCmdShow, SW_SHOWMAXIMIZED);
    // The empty model: one interval per axis and one block.
    EXPECT_EQ(g_model.axes[0].n, 1);
    EXPECT_EQ(g_model.blocks.count, 1);
    EXPECT_TRUE(g_model.dataFilePath.empty());
}

TEST_F(StartupTest, CommandLineFileIsOpened)
{
    PrepareProgramFolder(true);
    const std::string wall = CopyWall("wall.glm");
    ASSERT_TRUE(Start({wall}));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(g_model.dataFilePath, wall);
    EXPECT_EQ(Main()->GetWindowText(), "GELMAR - wall.glm");
    EXPECT_EQ(g_model.blocks.count, 3);
}

TEST_F(StartupTest, LanguageFileReplacesTextsAndAMissingOneKeepsEnglish)
{
    PrepareProgramFolder(true);
    WriteFile(m_programFolder + "/Gelmar.prm", "lang=2\r\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(g_parameters.lang, 2);
    EXPECT_EQ(platform::LoadString(IDS_BATCH_TITLE), "Batch Calculation");
    TearDown();
    SetUp();
    PrepareProgramFolder(true);
    WriteFile(m_programFolder + "/Gelmar.prm", "lang=2\r\n");
    WriteFile(m_programFolder + "/GelmarFRA.str", "433 \"Calcul en s\xC3\xA9rie\"\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(platform::LoadString(IDS_BATCH_TITLE), "Calcul en s\xC3\xA9rie");
    EXPECT_EQ(platform::LoadString(IDS_BATCH_START), "Start");
}

TEST_F(StartupTest, CurrentLanguageIsCheckedAndDisabledAndAChoiceIsKeptForTheNextStart)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Main()->ExecuteCommand(ID_LANG_ENGLISH));
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Main()->ExecuteCommand(ID_LANG_GERMAN));
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Das Programm wieder starten zur Aktivierung der Sprache-Einstellung."});
    EXPECT_EQ(g_parameters.lang, 3);
    EXPECT_TRUE(g_parametersChanged);
    // The running program keeps its texts; the parameter file carries the
    // choice to the next start.
    EXPECT_EQ(platform::LoadString(IDS_BATCH_TITLE), "Batch Calculation");
    TearDown();
    EXPECT_NE(ReadFile(m_programFolder + "/Gelmar.prm").find("lang=3"), std::string::npos);
}

TEST_F(StartupTest, ExitWithAnEditedModelAsksFirst)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    Doc()->SetModified(TRUE);
    platform::TestHook::Get().PushMessageBoxAnswer(IDCANCEL);
    Main()->SendMessage(WM_CLOSE);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_TRUE(Main()->GetSafeHwnd());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Save changes to wall.glm ?"});

    platform::TestHook::Get().PushMessageBoxAnswer(IDNO);
    Main()->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->GetActiveDocument(), nullptr);
}

} // namespace
} // namespace gelmar::test

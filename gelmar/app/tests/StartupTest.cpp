// Start-up: the splash window comes first and closes by itself; the material
// database is required; the default model, the parameter file and the
// language file are read before the main frame, which holds the patterns and
// material database dialogs; the command line opens its file; the language
// menu and Exit; the main window starts maximised and keeps its normal
// place and size between runs.
#include "AppFixture.h"
#include "common/ui/SplashWnd.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QMenuBar>
#include <QTest>
#include <QWidget>
#include <filesystem>

namespace gelmar::test {
namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, MissingMaterialsFolderShowsTheMessageAndEndsTheProgram)
{
    PrepareProgramFolder(false);
    // The splash is up and the default model was read (no file open) when
    // the main frame finds no material database: the frame is not made and
    // start-up fails, so the program ends (with status 0: ProgramRunTest).
    EXPECT_FALSE(Start());
    const common::CSplashWnd* splash = m_app->GetSplash();
    EXPECT_TRUE(splash && splash->IsWindowVisible());
    EXPECT_EQ(TheEngine().model.title, "Default model");
    EXPECT_EQ(TheEngine().model.dataFilePath, "");
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    const auto& shown = platform::TestHook::Get().Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("Material database not found.\nProgram exiting.\n", 0), 0u);
    EXPECT_NE(shown[0].text.find("/Materials/*.qkm"), std::string::npos) << shown[0].text;
    EXPECT_EQ(shown[0].style & MB_ICONSTOP, UINT(MB_ICONSTOP));
}

TEST_F(StartupTest, SplashComesFirstStaysOnTopAndClosesByItself)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start());
    ASSERT_NE(Main(), nullptr);
    // Start-up has gone on while the splash shows the built-in picture.
    common::CSplashWnd* splash = m_app->GetSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->IsWindowVisible());
    EXPECT_TRUE(splash->GetWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
    CRect rect;
    splash->GetClientRect(&rect);
    EXPECT_EQ(rect.Width(), 400);
    EXPECT_EQ(rect.Height(), 240);
    // Its corners are in the colour key, cut away; its middle is not.
    CBitmap picture;
    ASSERT_TRUE(picture.LoadBitmap(IDB_SPLASH));
    CRgn shape;
    ASSERT_TRUE(common::BitmapToRegion(picture, 0xC7FE00, 0x101010, shape));
    EXPECT_FALSE(shape.PtInRegion(CPoint(0, 0)));
    EXPECT_FALSE(shape.PtInRegion(CPoint(399, 239)));
    EXPECT_TRUE(shape.PtInRegion(CPoint(200, 120)));

    for (int i = 0; i < 100 && m_app->GetSplash(); ++i)
        QTest::qWait(50);
    EXPECT_EQ(m_app->GetSplash(), nullptr);
    EXPECT_TRUE(Main()->IsWindowVisible());
}

TEST_F(StartupTest, MainFrameHoldsThePatternsAndTheMaterialDatabaseReadOnce)
{
    PrepareProgramFolder(true);
    WriteFile(m_programFolder + "/Gelmar.prm", "lang=1\r\n");
    ASSERT_TRUE(Start());
    ASSERT_NE(Main(), nullptr);
    EXPECT_EQ(Main()->m_dlgPatterns.GetCount(), 20);
    ASSERT_EQ(Main()->m_dlgMaterialDatabase.GetDatabases().size(), 2u);
    // Read at start-up: the dialog still has them when the folder is gone.
    std::filesystem::remove_all(std::filesystem::path(m_programFolder).parent_path() / "Materials");

    platform::TestHook::Get().PushDialogScript([](CDialog& d) {
        auto* list = static_cast<CListBox*>(d.GetDlgItem(common::IDC_MATERIAL_LIST));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->GetCount(), 2);
        list->SetCurSel(list->FindString(-1, "BuildingMaterials.qkm"));
        d.ClickButton(IDOK);
        // The groups in the language of the parameter file.
        ASSERT_GE(list->GetCount(), 1);
        EXPECT_EQ(list->GetText(0), "Beton en mortel");
        d.ClickButton(IDOK);
        d.ClickButton(IDOK);
    });
    EXPECT_EQ(Main()->m_dlgMaterialDatabase.DoModal(), IDOK);
    EXPECT_EQ(Main()->m_dlgMaterialDatabase.m_material.name, "Beton, middelzwaar 1800 kg/m3");
    EXPECT_FLOAT_EQ(Main()->m_dlgMaterialDatabase.m_material.la, 1.15f);

    // The patterns dialog is the grid alone, one cell per pattern.
    platform::TestHook::Get().PushDialogScript([](CDialog& d) {
        auto& patterns = static_cast<common::CDlgPatterns&>(d);
        EXPECT_EQ(d.GetDlgItem(IDOK), nullptr);
        EXPECT_GE(patterns.GetGrid().GetRowCount() * patterns.GetGrid().GetColumnCount(), 20);
    });
    EXPECT_EQ(Main()->m_dlgPatterns.DoModal(), IDCANCEL);
}

TEST_F(StartupTest, WithoutAFileStartsANewModelInTheThreeTablesAndTheImage)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Messages().empty());
    ASSERT_NE(Main(), nullptr);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_NE(m_app->FindView<CGraphView>(), nullptr);
    EXPECT_NE(m_app->FindView<CGridView>(), nullptr);
    EXPECT_NE(m_app->FindView<CBlockView>(), nullptr);
    EXPECT_NE(m_app->FindView<CColorView>(), nullptr);
    EXPECT_EQ(m_app->GetDocTemplates().size(), 19u);
    EXPECT_EQ(m_app->m_nCmdShow, SW_SHOWMAXIMIZED);
    // The empty model: one interval per axis and one block.
    EXPECT_EQ(TheEngine().model.axes[0].n, 1);
    EXPECT_EQ(TheEngine().model.blocks.count, 1);
    EXPECT_TRUE(TheEngine().model.dataFilePath.empty());
}

TEST_F(StartupTest, CommandLineFileIsOpened)
{
    PrepareProgramFolder(true);
    const std::string wall = CopyWall("wall.glm");
    ASSERT_TRUE(Start({wall}));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(TheEngine().model.dataFilePath, wall);
    EXPECT_EQ(Main()->GetWindowText(), "GELMAR - wall.glm");
    EXPECT_EQ(TheEngine().model.blocks.count, 3);
}

TEST_F(StartupTest, LanguageFileReplacesTextsAndAMissingOneKeepsEnglish)
{
    PrepareProgramFolder(true);
    WriteFile(m_programFolder + "/Gelmar.prm", "lang=2\r\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(TheEngine().parameters.lang, 2);
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
    EXPECT_EQ(TheEngine().parameters.lang, 3);
    EXPECT_TRUE(TheEngine().parametersChanged);
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

TEST_F(StartupTest, MainWindowStartsMaximisedAndKeepsItsNormalPlaceBetweenRuns)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Main()->GetWidget()->isMaximized());
    // The user puts the window somewhere of its own, then quits.
    Main()->ShowWindow(SW_RESTORE);
    Main()->MoveWindow(30, 40, 700, 500);
    QCoreApplication::processEvents();
    Main()->SendMessage(WM_CLOSE);
    EXPECT_NE(ReadFile(ScratchFolder() + "/config/GELMAR/settings.ini").find("WindowPlacement=30 40 700 500"),
              std::string::npos);
    TearDown();
    platform::TestHook::Get().Enable();

    // The next run is maximised again, and returns to that place.
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Main()->GetWidget()->isMaximized());
    EXPECT_EQ(Main()->GetWidget()->normalGeometry(), QRect(30, 40, 700, 500));
    Main()->ShowWindow(SW_RESTORE);
    QCoreApplication::processEvents();
    EXPECT_EQ(Main()->GetWidget()->geometry(), QRect(30, 40, 700, 500));
}

TEST_F(StartupTest, StartUpMakesTheDataFileTypeKnownToTheDesktop)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start());
    const std::string data = ScratchFolder() + "/data";
    EXPECT_NE(ReadFile(data + "/mime/packages/gelmar.xml").find("<glob pattern=\"*.glm\"/>"), std::string::npos);
    EXPECT_NE(ReadFile(data + "/applications/gelmar.desktop").find("MimeType=application/x-gelmar;"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(data + "/icons/hicolor/48x48/apps/gelmar.png"));
}

TEST_F(StartupTest, KeptPlaceOffEveryScreenIsNotUsed)
{
    PrepareProgramFolder(true);
    WriteFile(ScratchFolder() + "/config/GELMAR/settings.ini",
              "[Settings]\r\nWindowPlacement=50000 40000 700 500\r\n");
    ASSERT_TRUE(Start());
    Main()->ShowWindow(SW_RESTORE);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->geometry().intersects(Main()->GetWidget()->geometry()));
}

} // namespace
} // namespace gelmar::test

// MDI frames, documents and views: command routing order, update handlers
// on menu items and toolbar buttons, opening a view kind twice, the main
// window title and closing frames.
#include "platform/core/Folders.h"
#include "platform/core/StringTable.h"
#include "platform/ui/App.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr UINT ID_ROUTED = 40001;
constexpr UINT ID_SHOW_MATERIALS = 32829;
constexpr UINT ID_SHOW_RCL = 32810;
constexpr UINT ID_CALC = 32826;
constexpr UINT ID_NOBODY = 40999;
constexpr UINT ID_STATUS_PANE = 32888;

std::vector<std::string> g_log;
// Which layers take ID_ROUTED.
struct Takers {
    bool view = true, doc = true, frame = true, app = true;
} g_take;

class CTestDoc : public CDocument {
  public:
    bool cylindrical = false;
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override
    {
        static const CommandMap map = {
            OnUpdate(ID_SHOW_MATERIALS, &CTestDoc::OnUpdateShowMaterials),
            OnCommand(ID_SHOW_MATERIALS, &CTestDoc::OnShowMaterials),
            OnUpdate(ID_SHOW_RCL, &CTestDoc::OnUpdateShowRcl),
            OnCommand(ID_SHOW_RCL, &CTestDoc::OnShowRcl),
            OnCommand(ID_CALC, &CTestDoc::OnCalc),
            OnUpdate(ID_STATUS_PANE, &CTestDoc::OnUpdatePane),
        };
        if (id == ID_ROUTED && g_take.doc) {
            if (code == CN_COMMAND)
                g_log.push_back("doc");
            return code != CN_UPDATE_COMMAND_UI;
        }
        return map.Dispatch(this, id, code, ui) || CDocument::OnCmdMsg(id, code, ui);
    }
    void OnUpdateShowMaterials(CCmdUI* ui)
    {
        ui->Enable(FALSE);
        ui->SetCheck(1);
    }
    void OnShowMaterials() { g_log.push_back("materials"); }
    void OnUpdateShowRcl(CCmdUI* ui) { ui->SetText(cylindrical ? "&Show XYZ" : "&Show RCL"); }
    void OnShowRcl() { cylindrical = !cylindrical; }
    void OnCalc() { g_log.push_back("calc"); }
    void OnUpdatePane(CCmdUI* ui) { ui->SetText(cylindrical ? "Block size (RCL)" : "Block size"); }
};

class CTableView : public CView {
  public:
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override
    {
        if (id == ID_ROUTED && g_take.view) {
            if (code == CN_COMMAND)
                g_log.push_back("view");
            return code != CN_UPDATE_COMMAND_UI;
        }
        return CView::OnCmdMsg(id, code, ui);
    }
};
class CGraphView : public CView {};
class CTableFrame : public CMDIChildWnd {
  public:
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override
    {
        if (CMDIChildWnd::OnCmdMsg(id, code, ui))
            return TRUE;
        if (id == ID_ROUTED && g_take.frame) {
            if (code == CN_COMMAND)
                g_log.push_back("frame");
            return code != CN_UPDATE_COMMAND_UI;
        }
        return FALSE;
    }
};
class CGraphFrame : public CMDIChildWnd {};

class CMainFrame : public CMDIFrameWnd {
  public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    int OnCreate(LPCREATESTRUCT lpcs) override
    {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndToolBar.CreateEx(this) || !m_wndToolBar.LoadToolBar(128))
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR, ID_STATUS_PANE};
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 2))
            return -1;
        return 0;
    }
};

class CTestApp : public CWinApp {
  public:
    CTestApp() : CWinApp("GELMAR") {}
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override
    {
        if (id == ID_ROUTED && g_take.app) {
            if (code == CN_COMMAND)
                g_log.push_back("app");
            return code != CN_UPDATE_COMMAND_UI;
        }
        return CWinApp::OnCmdMsg(id, code, ui);
    }
};

void RegisterResources()
{
    platform::Strings().LoadEnglish("128 \"GELMAR\"\n32829 \"Show materials\\nMaterials\"\n");
    platform::MenuTemplate menu;
    menu.id = 128;
    menu.items = {
        {"&File",
         0,
         {{"&New\tCtrl+N", ID_FILE_NEW}, {"Recent File", ID_FILE_MRU_FILE1}, {"E&xit", ID_APP_EXIT}}},
        {"&View",
         0,
         {{"Show &Materials", ID_SHOW_MATERIALS},
          {"Show &RCL", ID_SHOW_RCL},
          {"", 0},
          {"&Calc System", ID_CALC},
          {"Nobody", ID_NOBODY},
          {"&Toolbar", ID_VIEW_TOOLBAR}}},
    };
    platform::Resources::Get().AddMenu(menu);
    platform::Resources::Get().AddAccelerators(
        {128, {{platform::FVIRTKEY | platform::FCONTROL, 'K', ID_CALC}}});
    platform::Resources::Get().AddToolBar({128, 16, 15, {ID_SHOW_MATERIALS, ID_SEPARATOR, ID_CALC}});
}

QMenu* FindMenu(QMenuBar* bar, const QString& title)
{
    for (QAction* a : bar->actions())
        if (a->menu() && a->text() == title)
            return a->menu();
    return nullptr;
}

QAction* FindAction(QMenu* menu, UINT id)
{
    for (QAction* a : menu->actions())
        if (a->data().toUInt() == id)
            return a;
    return nullptr;
}

struct FrameFixture : ::testing::Test {
    CTestApp app;
    CMainFrame* main = nullptr;
    CTestDoc* doc = nullptr;

    void SetUp() override
    {
        g_log.clear();
        g_take = Takers{};
        RegisterResources();
        app.AddDocTemplate(CMultiDocTemplate::Create<CTestDoc, CTableFrame, CTableView>(128));
        app.AddDocTemplate(CMultiDocTemplate::Create<CTestDoc, CGraphFrame, CGraphView>(128));
        main = new CMainFrame;
        ASSERT_TRUE(main->LoadFrame(128));
        app.m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main->GetWidget()));
        doc = static_cast<CTestDoc*>(app.GetDocTemplates()[0]->OpenDocumentFile(nullptr));
        ASSERT_NE(doc, nullptr);
    }
    void TearDown() override
    {
        if (main->GetSafeHwnd())
            main->DestroyWindow();
        QCoreApplication::processEvents();
        platform::TestHook::Get().Reset();
    }
    QMenuBar* MenuBar() { return main->GetWidget()->findChild<QMenuBar*>(); }
};

TEST_F(FrameFixture, CommandsReachTheViewBeforeDocumentFrameAndApplication)
{
    const char* expected[] = {"view", "doc", "frame", "app"};
    for (const char* who : expected) {
        g_log.clear();
        EXPECT_TRUE(main->ExecuteCommand(ID_ROUTED));
        EXPECT_EQ(g_log, std::vector<std::string>{who});
        std::string w = who;
        (w == "view"    ? g_take.view
         : w == "doc"   ? g_take.doc
         : w == "frame" ? g_take.frame
                        : g_take.app) = false;
    }
    // Nobody handles it now: the command is disabled and does nothing.
    g_log.clear();
    EXPECT_FALSE(main->ExecuteCommand(ID_ROUTED));
    EXPECT_TRUE(g_log.empty());
}

TEST_F(FrameFixture, UpdateHandlersDisableCheckAndRenameMenuItems)
{
    QMenu* view = FindMenu(MenuBar(), "&View");
    ASSERT_NE(view, nullptr);
    emit view->aboutToShow();
    QAction* materials = FindAction(view, ID_SHOW_MATERIALS);
    ASSERT_NE(materials, nullptr);
    EXPECT_FALSE(materials->isEnabled());
    EXPECT_TRUE(materials->isChecked());
    EXPECT_TRUE(FindAction(view, ID_CALC)->isEnabled());    // a handler, no update handler
    EXPECT_FALSE(FindAction(view, ID_NOBODY)->isEnabled()); // no handler at all
    EXPECT_TRUE(FindAction(view, ID_VIEW_TOOLBAR)->isChecked());

    // A disabled command does not run, whichever way it comes.
    EXPECT_FALSE(main->ExecuteCommand(ID_SHOW_MATERIALS));
    materials->trigger();
    EXPECT_TRUE(g_log.empty());

    FindAction(view, ID_SHOW_RCL)->trigger();
    emit view->aboutToShow();
    EXPECT_EQ(FindAction(view, ID_SHOW_RCL)->text().toStdString(), "&Show XYZ");

    // The toolbar button of the same command follows its update handler.
    auto* bar = &main->m_wndToolBar;
    main->UpdateControlBars();
    ASSERT_NE(bar->FindButton(ID_SHOW_MATERIALS), nullptr);
    EXPECT_FALSE(bar->FindButton(ID_SHOW_MATERIALS)->isEnabled());
    EXPECT_EQ(bar->FindButton(ID_SHOW_MATERIALS)->text().toStdString(), "Materials");
    EXPECT_TRUE(bar->FindButton(ID_CALC)->isEnabled());

    // Status panes follow their update handlers after every command.
    EXPECT_EQ(main->m_wndStatusBar.GetPaneText(1), "Block size (RCL)");
    FindAction(view, ID_SHOW_RCL)->trigger();
    EXPECT_EQ(main->m_wndStatusBar.GetPaneText(1), "Block size");
    main->SetMessageText("Ready");
    EXPECT_EQ(main->m_wndStatusBar.GetPaneText(0), "Ready");

    // Hiding the toolbar through its command unchecks the item.
    main->ExecuteCommand(ID_VIEW_TOOLBAR);
    emit view->aboutToShow();
    EXPECT_FALSE(FindAction(view, ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(FrameFixture, AcceleratorRunsTheCommand)
{
    QTest::keyClick(main->GetWidget(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(g_log, std::vector<std::string>{"calc"});
}

TEST_F(FrameFixture, OpeningAViewKindTwiceActivatesTheFirstWindow)
{
    CFrameWnd* graph = app.OpenView<CGraphView>(doc);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(main->MDIGetActive(), graph);
    EXPECT_NE(app.FindView<CGraphView>(), nullptr);
    EXPECT_EQ(app.FindDocTemplate<CGraphView>(), app.GetDocTemplates()[1].get());

    CFrameWnd* table = app.FindView<CTableView>()->GetParentFrame();
    static_cast<CMDIChildWnd*>(table)->MDIActivate();
    EXPECT_EQ(main->MDIGetActive(), table);

    EXPECT_EQ(app.OpenView<CGraphView>(doc), nullptr);
    EXPECT_EQ(main->MDIGetActive(), graph);
    EXPECT_EQ(doc->GetViews().size(), 2u);
    EXPECT_EQ(app.GetActiveDocument(), doc);
}

TEST_F(FrameFixture, MainTitleFollowsTheActiveDocument)
{
    EXPECT_EQ(main->GetWindowText(), "GELMAR - GELMAR");
    doc->SetPathName("/data/wall.glm", FALSE);
    EXPECT_EQ(main->GetWindowText(), "GELMAR - wall.glm");
    EXPECT_EQ(doc->GetTitle(), "wall.glm");
}

TEST_F(FrameFixture, ClosingTheLastFrameClosesTheDocument)
{
    CFrameWnd* graph = app.OpenView<CGraphView>(doc);
    ASSERT_NE(graph, nullptr);
    graph->PostMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    EXPECT_EQ(doc->GetViews().size(), 1u);
    EXPECT_EQ(app.FindView<CGraphView>(), nullptr);
    EXPECT_EQ(app.GetDocTemplates()[0]->GetDocuments().size(), 1u);

    app.FindView<CTableView>()->GetParentFrame()->PostMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    EXPECT_TRUE(app.GetDocTemplates()[0]->GetDocuments().empty());
    EXPECT_EQ(app.GetActiveDocument(), nullptr);
    EXPECT_EQ(main->GetWindowText(), "GELMAR");
}

TEST_F(FrameFixture, RecentFilesFillTheFileMenu)
{
    setenv("XDG_CONFIG_HOME", (platform::WorkingFolder() + "/recent-config").c_str(), 1);
    app.SetRegistryKey("GELMAR");
    app.LoadStdProfileSettings(4);
    QMenu* file = FindMenu(MenuBar(), "&File");
    emit file->aboutToShow();
    EXPECT_FALSE(FindAction(file, ID_FILE_MRU_FILE1)->isEnabled());
    app.AddToRecentFileList("/data/a.glm");
    app.AddToRecentFileList("/data/b.glm");
    emit file->aboutToShow();
    EXPECT_EQ(FindAction(file, ID_FILE_MRU_FILE1)->text().toStdString(), "&1 /data/b.glm");
    ASSERT_NE(FindAction(file, ID_FILE_MRU_FILE1 + 1), nullptr);
    EXPECT_EQ(FindAction(file, ID_FILE_MRU_FILE1 + 1)->text().toStdString(), "&2 /data/a.glm");
    EXPECT_TRUE(FindAction(file, ID_FILE_MRU_FILE1)->isEnabled());
}

} // namespace

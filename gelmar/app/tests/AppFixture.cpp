// The scratch program of the window tests.
#include "AppFixture.h"

#include "gelmar/app/AppState.h"
#include "gelmar/app/ModelSeams.h"
#include "gelmar/app/TableLinks.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/Folders.h"
#include "platform/core/StringTable.h"
#include "platform/ui/TestHook.h"

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace gelmar::test {

std::string ScratchFolder()
{
    // The folder the tests were started in; each test then works in its own.
    static const fs::path base = fs::path(platform::WorkingFolder()) / "scratch";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path p = base / (std::string(info->test_suite_name()) + "." + info->name());
    return p.string();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string CopyWall(const std::string& name)
{
    const std::string path = ScratchFolder() + "/work/" + name;
    fs::copy_file(fs::path(SUITE_EXAMPLES_DIR) / "wall.glm", path, fs::copy_options::overwrite_existing);
    return path;
}

void AppFixture::SetUp()
{
    const fs::path scratch = ScratchFolder();
    fs::remove_all(scratch);
    fs::create_directories(scratch / "work");
    fs::create_directories(scratch / "config");
    platform::SetWorkingFolder((scratch / "work").string());
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    // The desktop's file types go to the scratch folder too.
    setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
    m_programFolder = (scratch / "bin").string();
    platform::TestHook::Get().Reset();
    platform::TestHook::Get().Enable();
    ResetSeams();
    ResetTableLinks();
    g_app = AppState{};
    ClearPendingError();
}

void AppFixture::TearDown()
{
    if (m_app && m_app->m_pMainWnd && m_app->m_pMainWnd->GetSafeHwnd()) {
        m_app->CloseAllDocuments(FALSE);
        m_app->m_pMainWnd->DestroyWindow();
    }
    QCoreApplication::processEvents();
    m_app.reset();
    QCoreApplication::processEvents();
    platform::TestHook::Get().Reset();
    platform::Strings().ClearOverride();
    ResetSeams();
    ResetTableLinks();
    ClearPendingError();
    g_app = AppState{};
}

void AppFixture::PrepareProgramFolder(bool withMaterials)
{
    const fs::path bin = m_programFolder;
    const fs::path examples = SUITE_EXAMPLES_DIR;
    fs::create_directories(bin);
    for (const char* name :
         {"Gelmar.prm", "MatColor.rgb", "RainbowColor.rgb", "RainbowGray.rgb", "Patterns.pat"})
        fs::copy_file(examples / name, bin / name, fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(SUITE_SOURCE_DIR) / "resources/gelmar/Gelmar.str", bin / "Gelmar.str",
                  fs::copy_options::overwrite_existing);
    WriteFile((bin / "Gelmar.glm").string(), "titl=Default model\r\nnxwi=1\r\nxwid=1\r\nnywi=1\r\nywid=1\r\n"
                                             "nzwi=1\r\nzwid=1\r\nnblk=1\r\nblok=0 1 0 1 0 1 0 1\r\n");
    if (withMaterials)
        fs::copy(examples / "Materials", bin.parent_path() / "Materials", fs::copy_options::recursive);
}

BOOL AppFixture::Start(const std::vector<std::string>& arguments)
{
    // Each start begins with the engine state of a new program: the new
    // application object's own engine.
    m_app = std::make_unique<CGelmarApp>();
    g_app.programFolder = m_programFolder;
    m_app->m_arguments = arguments;
    const BOOL ok = m_app->InitInstance();
    QCoreApplication::processEvents();
    return ok;
}

CMainFrame* AppFixture::Main() const
{
    return m_app ? dynamic_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr;
}

CGelmarDoc* AppFixture::Doc() const
{
    return m_app ? m_app->ActiveGelmarDoc() : nullptr;
}

std::vector<std::string> AppFixture::Messages() const
{
    // Where the platform has no OpenGL (Qt's offscreen platform), the 3D view
    // and the preview say so as they are made; the tests of other windows
    // leave that message out.
    std::vector<std::string> texts;
    for (const auto& m : platform::TestHook::Get().Messages())
        if (m.text != "Could not select a compatible pixel format!")
            texts.push_back(m.text);
    return texts;
}

} // namespace gelmar::test

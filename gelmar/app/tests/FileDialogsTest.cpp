// The File Open preview follows the file under the cursor through the
// data-file path and gives the path back when the dialog closes; the Batch
// Calculation dialog starts with "Start" and returns every file chosen.
#include "gelmar/app/FileDialogs.h"

#include "AppFixture.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

namespace gelmar::test {
namespace {

class FileDialogsTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start());
    }
    // The scripted answers would keep the file dialog from opening: the
    // dialog opens for real and the action runs on it once it is up, then
    // cancels it.
    void WhenOpen(std::function<void(QFileDialog*)> action)
    {
        platform::TestHook::Get().Enable(false);
        QTimer::singleShot(0, [action] { Act(action, 40); });
    }
    // Where the platform has no OpenGL the preview says so as the dialog
    // opens: that box is closed first, then the dialog waited for.
    static void Act(const std::function<void(QFileDialog*)>& action, int tries)
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->accept();
        if (!qobject_cast<QFileDialog*>(modal) && tries > 0) {
            QTimer::singleShot(25, [action, tries] { Act(action, tries - 1); });
            return;
        }
        auto* files = qobject_cast<QFileDialog*>(modal);
        EXPECT_NE(files, nullptr);
        if (!files)
            return;
        action(files);
        files->reject();
    }
};

TEST_F(FileDialogsTest, PreviewFollowsTheFileUnderTheCursorAndThePathComesBack)
{
    const std::string a = CopyWall("a.glm"), b = CopyWall("b.glm");
    TheEngine().model.dataFilePath = "/before/model.glm";
    std::vector<std::string> previewed;
    bool previewShown = false;
    const std::string filter = platform::LoadString(IDS_GELMAR_FILTER);
    CPreviewFileDlg dlg(TRUE, "glm", (ScratchFolder() + "/work/*.glm").c_str(),
                        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter.c_str());
    WhenOpen([&](QFileDialog* files) {
        previewShown = dlg.m_pPreview && dlg.m_pPreview->IsWindowVisible();
        for (const std::string& path : {a, b}) {
            // The cursor moves onto the file in the list.
            emit files->currentChanged(QString::fromStdString(path));
            previewed.push_back(TheEngine().model.dataFilePath);
        }
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(previewed, (std::vector<std::string>{a, b}));
    EXPECT_EQ(TheEngine().model.dataFilePath, "/before/model.glm");
    EXPECT_EQ(dlg.m_pPreview, nullptr);
}

TEST_F(FileDialogsTest, BatchDialogStartsAndReturnsManyFiles)
{
    std::string accept, title;
    WhenOpen([&](QFileDialog* files) {
        accept = files->labelText(QFileDialog::Accept).toStdString();
        title = files->windowTitle().toStdString();
    });
    CDlgFileBatch dlg(TRUE, "glm", "*.glm", OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY);
    dlg.DoModal();
    platform::TestHook::Get().Enable(true);
    EXPECT_EQ(accept, "Start");
    EXPECT_EQ(title, "Batch Calculation");

    std::vector<std::string> many;
    for (int i = 0; i < 200; ++i)
        many.push_back(ScratchFolder() + "/work/model" + std::to_string(i) + ".glm");
    platform::TestHook::Get().PushFileDialogAnswer(many);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathNames(), many);
}

} // namespace
} // namespace gelmar::test

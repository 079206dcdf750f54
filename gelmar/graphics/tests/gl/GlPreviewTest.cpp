// The File Open preview on a real OpenGL context: a readable file drawn, an
// unreadable or broken one left white, the 60-degree horizontal view of a
// tall window, the file's own view angles, and the model in the store left
// as it was, with the preview alone and through a cancelled File Open.
#include "GlFixture.h"
#include "gelmar/app/FileDialogs.h"
#include "platform/core/StringTable.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

namespace gelmar::test {
namespace {

class GlPreviewTest : public GlViewTest {
  protected:
    void TearDown() override
    {
        previews.clear();
        host.DestroyWindow();
        GlViewTest::TearDown();
    }
    CPreviewWnd& Preview(int width, int height)
    {
        if (!host.GetSafeHwnd())
            host.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500),
                          nullptr, 0);
        previews.push_back(std::make_unique<CPreviewWnd>());
        const int left = 10 + 250 * static_cast<int>(previews.size() - 1);
        EXPECT_TRUE(previews.back()->Create("Preview", WS_CHILD | WS_VISIBLE,
                                            CRect(left, 10, left + width, 10 + height), &host, 100));
        Settle();
        return *previews.back();
    }
    // The picture of the file through the data-file path, as File Open shows it.
    static QImage Show(CPreviewWnd& preview, const std::string& path)
    {
        TheEngine().model.dataFilePath = path;
        preview.Invalidate();
        Settle();
        return platform::GrabOpenGLFrame(&preview);
    }
    // Columns holding a pixel that is not white: first and last, -1 when none.
    static std::pair<int, int> DrawnColumns(const QImage& image)
    {
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }

    CWnd host;
    std::vector<std::unique_ptr<CPreviewWnd>> previews;
};

TEST_F(GlPreviewTest, ReadableFilesAreDrawnAndUnreadableOnesLeaveItWhite)
{
    CPreviewWnd& preview = Preview(200, 200);
    ASSERT_NE(preview.m_hRC, nullptr);
    const std::string wall = CopyWall("wall.glm");
    const QImage drawn = Show(preview, wall);
    ASSERT_EQ(drawn.size(), QSize(200, 200));
    EXPECT_GE(DrawnColumns(drawn).first, 0);
    EXPECT_EQ(drawn.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);

    const std::string broken = ScratchFolder() + "/work/broken.glm";
    WriteFile(broken, "nxwi=1\r\nxwid=abc\r\n");
    for (const std::string& path : {ScratchFolder() + "/work/missing.glm", broken}) {
        const QImage white = Show(preview, path);
        EXPECT_EQ(DrawnColumns(white).first, -1) << path;
    }
    // A file with no block shows nothing either.
    const std::string empty = ScratchFolder() + "/work/empty.glm";
    WriteFile(empty, "nxwi=1\r\nxwid=1\r\nnywi=1\r\nywid=1\r\nnzwi=1\r\nzwid=1\r\n");
    EXPECT_EQ(DrawnColumns(Show(preview, empty)).first, -1);
}

TEST_F(GlPreviewTest, ATallWindowKeepsSixtyDegreesAcross)
{
    const std::string wall = CopyWall("wall.glm");
    const auto square = DrawnColumns(Show(Preview(200, 200), wall));
    const auto tall = DrawnColumns(Show(Preview(200, 400), wall));
    ASSERT_GE(square.first, 0);
    EXPECT_NEAR(tall.first, square.first, 1);
    EXPECT_NEAR(tall.second, square.second, 1);
}

TEST_F(GlPreviewTest, ThePreviewShowsTheFilesViewAndLeavesTheStoreAlone)
{
    TheEngine().model.title = "The open model";
    TheEngine().model.viewAzimuth = 123.0f;
    const int blocks = TheEngine().model.blocks.count;
    CPreviewWnd& preview = Preview(200, 200);
    const std::string wall = CopyWall("wall.glm");
    Show(preview, wall);
    EXPECT_EQ(preview.PreviewModel().viewAzimuth, 30.0f);
    EXPECT_EQ(preview.PreviewModel().blocks.count, 3);

    const std::string turned = ScratchFolder() + "/work/turned.glm";
    WriteFile(turned, ReadFile(wall) + "vwpt=200 10\r\n");
    Show(preview, turned);
    EXPECT_EQ(preview.PreviewModel().viewAzimuth, 200.0f);
    EXPECT_EQ(preview.PreviewModel().viewAltitude, 10.0f);

    EXPECT_EQ(TheEngine().model.title, "The open model");
    EXPECT_EQ(TheEngine().model.viewAzimuth, 123.0f);
    EXPECT_EQ(TheEngine().model.blocks.count, blocks);
}

TEST_F(GlPreviewTest, CancellingFileOpenLeavesNoPreviewedModelInTheStore)
{
    const std::string a = CopyWall("a.glm");
    TheEngine().model.dataFilePath = "";
    TheEngine().model.title = "Before the dialog";
    const int blocks = TheEngine().model.blocks.count;
    bool drawn = false;
    platform::TestHook::Get().Enable(false);
    const std::string filter = platform::LoadString(IDS_GELMAR_FILTER);
    CPreviewFileDlg dlg(TRUE, "glm", (ScratchFolder() + "/work/*.glm").c_str(),
                        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter.c_str());
    QTimer::singleShot(0, [&] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(files, nullptr);
        emit files->currentChanged(QString::fromStdString(a));
        Settle();
        // The preview shows the file, at the placeholder's place.
        CRect client;
        if (dlg.m_pPreview)
            dlg.m_pPreview->GetClientRect(&client);
        drawn = client.Width() > 50 && client.Height() > 50 &&
                DrawnColumns(platform::GrabOpenGLFrame(dlg.m_pPreview)).first >= 0;
        files->reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    platform::TestHook::Get().Enable(true);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(TheEngine().model.title, "Before the dialog");
    EXPECT_EQ(TheEngine().model.blocks.count, blocks);
    EXPECT_EQ(TheEngine().model.dataFilePath, "");
}

} // namespace
} // namespace gelmar::test

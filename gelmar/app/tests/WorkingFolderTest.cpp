// A model's results go to its own folder however it was opened: after a
// Save As into another folder (whose file dialog made that folder current),
// a model opened from the recent-file list, from the command line or by Batch
// Calculation computes beside its data file, and the other folder, which
// holds another model's results, is left as it was.
#include "AppFixture.h"
#include "platform/core/Folders.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace gelmar::test {
namespace {

class WorkingFolderTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        home = fs::path(ScratchFolder()) / "home";
        other = fs::path(ScratchFolder()) / "other";
        fs::create_directories(home);
        fs::create_directories(other);
        model = (home / "wall.glm").string();
        fs::copy_file(CopyWall("wall.glm"), model);
        // Another model's result in the other folder.
        WriteFile((other / "tmp0000.sol").string(), "another model's result");
    }
    // Saves the open model under the other folder, as Save As does: its
    // file dialog makes that folder current.
    void SaveAsInTheOtherFolder()
    {
        platform::TestHook::Get().PushFileDialogAnswer({(other / "copy.glm").string()});
        ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_SAVE_AS));
        ASSERT_EQ(fs::path(platform::WorkingFolder()), other);
    }
    // Calc System; its result files are beside the model, and the other
    // folder holds what it held.
    void ExpectResultsBesideTheModel()
    {
        ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
        EXPECT_EQ(fs::path(platform::WorkingFolder()), home);
        EXPECT_TRUE(fs::exists(home / "tmp0000.sol"));
        EXPECT_EQ(ReadFile((other / "tmp0000.sol").string()), "another model's result");
        EXPECT_FALSE(fs::exists(other / "tmp.sol"));
    }

    fs::path home, other;
    std::string model;
};

TEST_F(WorkingFolderTest, ModelOpenedFromTheRecentFileListComputesInItsFolder)
{
    ASSERT_TRUE(Start({model}));
    SaveAsInTheOtherFolder();
    // The copy is the newest entry; the model in its own folder the next.
    const auto& recent = m_app->m_pRecentFileList->Entries();
    ASSERT_EQ(recent.size(), 2u);
    ASSERT_EQ(recent[1], model);
    ASSERT_TRUE(Main()->ExecuteCommand(ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(TheEngine().model.dataFilePath, model);
    ExpectResultsBesideTheModel();
}

TEST_F(WorkingFolderTest, ModelOnTheCommandLineComputesInItsFolder)
{
    platform::SetWorkingFolder(other.string());
    // Named relative to the folder the program starts in.
    ASSERT_TRUE(Start({"../home/wall.glm"}));
    EXPECT_EQ(TheEngine().model.dataFilePath, model);
    ExpectResultsBesideTheModel();
}

TEST_F(WorkingFolderTest, BatchCalculationComputesEachFileInItsFolder)
{
    ASSERT_TRUE(Start({model}));
    SaveAsInTheOtherFolder();
    // The dialog makes the first file's folder current; the second file
    // lies in a third folder.
    const fs::path third = fs::path(ScratchFolder()) / "third";
    fs::create_directories(third);
    fs::copy_file(model, third / "b.glm");
    platform::TestHook::Get().PushFileDialogAnswer({model, (third / "b.glm").string()});
    ASSERT_TRUE(Main()->ExecuteCommand(ID_BATCH_CALCULATION));
    EXPECT_TRUE(fs::exists(home / "tmp0000.sol"));
    EXPECT_TRUE(fs::exists(third / "tmp0000.sol"));
    EXPECT_EQ(ReadFile((other / "tmp0000.sol").string()), "another model's result");
}

TEST_F(WorkingFolderTest, StartUpLeavesTheStartFolderAlone)
{
    // The default model is read without removing the start folder's files.
    platform::SetWorkingFolder(other.string());
    ASSERT_TRUE(Start());
    EXPECT_EQ(fs::path(platform::WorkingFolder()), other);
    EXPECT_EQ(ReadFile((other / "tmp0000.sol").string()), "another model's result");
}

} // namespace
} // namespace gelmar::test

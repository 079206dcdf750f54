// The data-file type written for the desktop: the MIME type of the
// extension, the desktop entry that opens such files with the program
// (its path quoted), the icon; a second registration of the same type
// writes nothing, a changed one rewrites what changed.
#include "common/testing/TestFiles.h"
#include "platform/ui/ShellFileTypes.h"

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using common::testing::ReadBytes;

class ShellFileTypesTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        home = common::testing::EnterOwnFolder();
        data = fs::current_path() / "data";
        setenv("XDG_DATA_HOME", data.c_str(), 1);
    }
    void TearDown() override { fs::current_path(home); }
    fs::path home, data;
};

TEST_F(ShellFileTypesTest, TypeEntryAndIconAreWrittenOnceAndAgainWhenChanged)
{
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::red);
    const platform::ShellFileType type{"Gelmar.Document", "GELMAR Data File", "glm"};
    const platform::ShellProgram program{"GELMAR", "/opt/my \"suite\"/gelmar"};
    ASSERT_TRUE(platform::RegisterShellFileType(type, program, icon));
    EXPECT_EQ(platform::UserDataFolder(), data.string());

    const std::string mime = ReadBytes((data / "mime/packages/gelmar.xml").string());
    EXPECT_NE(mime.find("<mime-type type=\"application/x-gelmar\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.glm\"/>"), std::string::npos);
    EXPECT_NE(mime.find("<icon name=\"gelmar\"/>"), std::string::npos);
    const std::string entry = ReadBytes((data / "applications/gelmar.desktop").string());
    EXPECT_NE(entry.find("Exec=\"/opt/my \\\"suite\\\"/gelmar\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-gelmar;\n"), std::string::npos);
    EXPECT_NE(entry.find("Icon=gelmar\n"), std::string::npos);
    const QImage written((data / "icons/hicolor/48x48/apps/gelmar.png").c_str());
    EXPECT_EQ(written.size(), QSize(48, 48));

    // Nothing new: nothing is written (the files keep an old time).
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (const char* f : {"mime/packages/gelmar.xml", "applications/gelmar.desktop",
                          "icons/hicolor/48x48/apps/gelmar.png"})
        fs::last_write_time(data / f, old);
    ASSERT_TRUE(platform::RegisterShellFileType(type, program, icon));
    EXPECT_EQ(fs::last_write_time(data / "applications/gelmar.desktop"), old);
    EXPECT_EQ(fs::last_write_time(data / "mime/packages/gelmar.xml"), old);

    // The program moved: its entry is written again, the type is not.
    ASSERT_TRUE(platform::RegisterShellFileType(type, {"GELMAR", "/usr/bin/gelmar"}, icon));
    EXPECT_NE(ReadBytes((data / "applications/gelmar.desktop").string()).find("Exec=\"/usr/bin/gelmar\" %f"),
              std::string::npos);
    EXPECT_EQ(fs::last_write_time(data / "mime/packages/gelmar.xml"), old);
}

TEST_F(ShellFileTypesTest, ProgramWithoutADataFileTypeWritesNothing)
{
    ASSERT_TRUE(platform::RegisterShellFileType({}, {"GELMAR", "/usr/bin/gelmar"}, QImage()));
    EXPECT_FALSE(fs::exists(data));
}

} // namespace

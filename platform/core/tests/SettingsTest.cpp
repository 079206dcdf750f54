#include "platform/core/Settings.h"

#include "platform/core/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(RecentFileList, KeepsFourNewestWithoutDuplicates)
{
    platform::RecentFileList list(4);
    for (const char* p : {"/a.glm", "/b.glm", "/c.glm", "/d.glm", "/e.glm"})
        list.Add(p);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e.glm", "/d.glm", "/c.glm", "/b.glm"}));
    list.Add("/c.glm");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/c.glm", "/e.glm", "/d.glm", "/b.glm"}));
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/c.glm", "/d.glm", "/b.glm"}));
}

TEST(RecentFileList, RoundTripsThroughTheSettingsFile)
{
    setenv("XDG_CONFIG_HOME", (platform::WorkingFolder() + "/config").c_str(), 1);
    std::string path = platform::SettingsFilePath("GELMAR");
    EXPECT_EQ(path, platform::WorkingFolder() + "/config/GELMAR/settings.ini");

    platform::IniFile ini;
    ASSERT_TRUE(ini.Load(path)); // missing file: empty settings
    ini.SetString("Settings", "Name", "x = y");
    platform::RecentFileList list;
    list.Add("/data/one.glm");
    list.Add("/data/two words.glm");
    list.WriteTo(ini);
    ASSERT_TRUE(ini.Save(path));

    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_NE(ss.str().find("[Recent File List]\r\nFile1=/data/two words.glm\r\n"), std::string::npos);

    platform::IniFile again;
    ASSERT_TRUE(again.Load(path));
    platform::RecentFileList read;
    read.ReadFrom(again);
    EXPECT_EQ(read.Entries(), list.Entries());
    EXPECT_EQ(again.GetString("Settings", "Name"), "x = y");
    EXPECT_EQ(again.GetInt("Settings", "Name", 7), 7);

    // Fewer entries than before: the stale keys go.
    read.Remove(0);
    read.WriteTo(again);
    EXPECT_EQ(again.GetString("Recent File List", "File2", "none"), "none");
}

TEST(Folders, ProgramFolderHoldsTheExecutable)
{
    std::string folder = platform::ProgramFolder();
    EXPECT_TRUE(std::filesystem::exists(folder + "/platform_core_tests"));
    EXPECT_EQ(platform::FolderOf("/a/b/c.glm"), "/a/b");
    EXPECT_EQ(platform::FolderOf("c.glm"), "");
    std::string here = platform::WorkingFolder();
    ASSERT_TRUE(platform::SetWorkingFolder(folder));
    EXPECT_EQ(platform::WorkingFolder(), folder);
    ASSERT_TRUE(platform::SetWorkingFolder(here));
    EXPECT_FALSE(platform::SetWorkingFolder(here + "/does/not/exist"));
}

} // namespace

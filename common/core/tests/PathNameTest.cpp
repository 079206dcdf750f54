// Path splitting, the special folders of this system and the wildcard file
// iterator.
#include "common/core/PathName.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using common::CFindFile;
using common::CPathName;

TEST(PathName, SplitsPathsIntoFolderTitleAndExtension)
{
    CPathName p;
    p.SetPath("/opt/suite/bin/Gelmar.prm");
    EXPECT_EQ(p.Folder(), "/opt/suite/bin/");
    EXPECT_EQ(p.Title(), "Gelmar");
    EXPECT_EQ(p.Extension(), ".prm");
    EXPECT_EQ(p.GetPath(), "/opt/suite/bin/Gelmar.prm");
    p.SetPath("archive.tar.gz");
    EXPECT_EQ(p.Folder(), "");
    EXPECT_EQ(p.Title(), "archive.tar");
    EXPECT_EQ(p.Extension(), ".gz");
    p.SetPath("/a.b/noext");
    EXPECT_EQ(p.Title(), "noext");
    EXPECT_EQ(p.Extension(), "");
}

TEST(PathName, ProgramFolderIsTheExecutablesFolder)
{
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    const CPathName folder(CPathName::kProgramFolder);
    EXPECT_EQ(folder.GetPath(), exe.parent_path().string() + "/");
    EXPECT_TRUE(folder.Title().empty());
    EXPECT_EQ(CPathName(CPathName::kProgramFile).GetPath(), exe.string());
}

TEST(PathName, TemporaryFolderAndNamesAndFoldersWithoutCounterpart)
{
    const std::string temp = CPathName(CPathName::kTempFolder).GetPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '/');
    const std::string a = CPathName(CPathName::kTempFileName).GetPath();
    const std::string b = CPathName(CPathName::kTempFileName).GetPath();
    EXPECT_NE(a, b);
    EXPECT_EQ(a.rfind(temp + "~", 0), 0u);
    EXPECT_EQ(CPathName(CPathName::kWindowsFolder).GetPath(), "");
    EXPECT_EQ(CPathName(99).GetPath(), "");
    EXPECT_EQ(CPathName(CPathName::kFavoritesFolder).GetPath(), "");
}

TEST(PathName, DesktopComesFromTheUserDirsFile)
{
    namespace fs = std::filesystem;
    const fs::path home = fs::absolute("home");
    fs::create_directories(home / ".config");
    std::ofstream(home / ".config/user-dirs.dirs") << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    const char* oldHome = std::getenv("HOME");
    const std::string saved = oldHome ? oldHome : "";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(CPathName(CPathName::kDesktopFolder).GetPath(), home.string() + "/Schreibtisch/");
    setenv("HOME", saved.c_str(), 1);
}

TEST(FindFile, MatchesWildcardsWithoutRegardToCaseInNameOrder)
{
    namespace fs = std::filesystem;
    fs::create_directories("find/sub.qkm");
    for (const char* name : {"b.qkm", "A.QKM", "c.qkm.bak", "d.txt"})
        std::ofstream(std::string("find/") + name) << "x";
    CFindFile finder("find/*.qkm");
    std::vector<std::string> names;
    while (finder.FindNext())
        names.push_back(finder.GetFileName());
    EXPECT_EQ(names, (std::vector<std::string>{"A.QKM", "b.qkm", "sub.qkm"}));
    EXPECT_FALSE(finder.FindNext());

    CFindFile none("find/*.xyz");
    EXPECT_FALSE(none.FindNext());
    CFindFile missing("no-such-folder/*.qkm");
    EXPECT_FALSE(missing.FindNext());
}

TEST(FindFile, WildcardMatching)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"*.qkm", "walls.qkm", true},
        {"*.qkm", "walls.qkmx", false},
        {"*", "", true},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"*a*b", "xxaYYb", true},
        {"*a*b", "xxaYYbc", false},
        {"Pat*.PAT", "patterns.pat", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(common::MatchWildcard(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(PathName, FullPathResolvesDotParts)
{
    EXPECT_EQ(common::FullPath("/opt/suite/bin/../Materials/*.qkm"), "/opt/suite/Materials/*.qkm");
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(common::FullPath("./a/b.txt"), here + "/a/b.txt");
}

// The material database files: groups and materials, names per language,
// key conversion, and the databases shipped in the Materials folder.
#include "common/core/MaterialDatabase.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace common;

namespace {

CMaterialDatabaseRecord ReadText(const std::string& text, int language)
{
    CSectionFile file;
    EXPECT_TRUE(file.LoadFromBytes(text));
    CMaterialDatabaseRecord db;
    ReadMaterialDatabase(file, language, db);
    return db;
}

const char* const kDatabase = "[GENERAL]\n"
                              "COMMENT=Test base\n"
                              "[M1]\n"
                              "GROUP=GB\n"
                              "NE=Brick\n"
                              "ND=Ziegel\n"
                              "LAMBDA=0.8\n"
                              "RO=1800\n"
                              "CE=1000\n"
                              "CP=7\n"
                              "PA=4\n"
                              "C2=second\n"
                              "C0=first\n"
                              "E1=0.9\n"
                              "XX=ignored\n"
                              "[GB]\n"
                              "NE=Masonry\n"
                              "NF=Ma\xE7onnerie\n"
                              "[Gone]\n"
                              "NN=Alleen\n"
                              "[M2]\n"
                              "GROUP=Gmissing\n"
                              "NE=Lost\n"
                              "[GX]\n"
                              "GROUP=GB\n"
                              "NE=A group, not a material\n"
                              "[M3]\n"
                              "GROUP=GB\n"
                              "NE=Plain\n";

} // namespace

TEST(MaterialDatabase, GroupsAreCollectedBeforeTheirMaterials)
{
    const CMaterialDatabaseRecord db = ReadText(kDatabase, 0);
    EXPECT_EQ(db.comment, "Test base");
    ASSERT_EQ(db.groups.size(), 3u); // GB, Gone and GX; GENERAL is none
    EXPECT_EQ(db.groups[0].sectionName, "GB");
    EXPECT_EQ(db.groups[0].displayName, "Masonry");
    EXPECT_EQ(db.groups[2].displayName, "A group, not a material");
    ASSERT_EQ(db.groups[0].materials.size(), 2u); // M2 names no group here
    const CMaterialRecord& brick = db.groups[0].materials[0];
    EXPECT_EQ(brick.name, "Brick");
    EXPECT_FLOAT_EQ(brick.la, 0.8f); // "LAMBDA" counts as "LA"
    EXPECT_FLOAT_EQ(brick.ro, 1800.0f);
    EXPECT_EQ(brick.cp, 7);
    EXPECT_EQ(brick.pa, 4);
    EXPECT_EQ(brick.comment, "second\nfirst\n"); // in file order, not by digit
    EXPECT_FLOAT_EQ(brick.e1, 0.9f);
    EXPECT_FLOAT_EQ(brick.e2, -1.0f); // absent optical values stay -1
    EXPECT_FLOAT_EQ(brick.hr, -1.0f);
    const CMaterialRecord& plain = db.groups[0].materials[1];
    EXPECT_FLOAT_EQ(plain.la, 0.0f);
    EXPECT_EQ(plain.comment, "");
}

TEST(MaterialDatabase, NamesFallBackToAnotherLanguage)
{
    struct Case {
        int language;
        const char* group;
        const char* material;
        const char* onlyDutch;
    } cases[] = {
        {0, "Masonry", "Brick", "Alleen"},
        {2, "Ma\xC3\xA7onnerie", "Ziegel", "Alleen"}, // the last other-language name wins
        {3, "Ma\xC3\xA7onnerie", "Ziegel", "Alleen"},
        {1, "Ma\xC3\xA7onnerie", "Ziegel", "Alleen"},
    };
    for (const Case& c : cases) {
        const CMaterialDatabaseRecord db = ReadText(kDatabase, c.language);
        EXPECT_EQ(db.groups[0].displayName, c.group) << c.language;
        EXPECT_EQ(db.groups[0].materials[0].name, c.material) << c.language;
        EXPECT_EQ(db.groups[1].displayName, c.onlyDutch) << c.language;
    }
}

TEST(MaterialDatabase, OutOfRangeAndNonNumericValuesStayFinite)
{
    const CMaterialDatabaseRecord db =
        ReadText("[G1]\nNE=g\n[M]\nGROUP=G1\nLA=1e300\nRO=-1e300\nCE=nan\nCP=99999999999\nPA=abc\n", 0);
    const CMaterialRecord& m = db.groups[0].materials[0];
    EXPECT_TRUE(std::isfinite(m.la));
    EXPECT_GT(m.la, 1e38f);
    EXPECT_LT(m.ro, -1e38f);
    EXPECT_EQ(m.ce, 0.0f);
    EXPECT_EQ(m.cp, 2147483647);
    EXPECT_EQ(m.pa, 0);
}

TEST(MaterialDatabase, LoadsEveryReadableFileOfTheFolder)
{
    namespace fs = std::filesystem;
    fs::create_directories("mat");
    std::ofstream("mat/b.qkm") << "[GENERAL]\nCOMMENT=second\n[G1]\nNE=g\n[M]\nGROUP=G1\nNE=m\nLA=1\n";
    std::ofstream("mat/a.qkm") << "[GENERAL]\nCOMMENT=first\n";
    std::ofstream("mat/c.qkm") << "[G1]\nNE=" << std::string(2000, 'x') << "\n"; // unreadable: long line
    std::ofstream("mat/d.txt") << "[GENERAL]\n";
    std::vector<std::string> skipped;
    const auto dbs = LoadMaterialDatabases("mat/*.qkm", 0, &skipped);
    ASSERT_EQ(dbs.size(), 2u);
    EXPECT_EQ(dbs[0].fileName, "a.qkm");
    EXPECT_EQ(dbs[0].comment, "first");
    EXPECT_EQ(dbs[1].groups[0].materials[0].name, "m");
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_NE(skipped[0].find("too long"), std::string::npos);

    EXPECT_TRUE(LoadMaterialDatabases("no-folder/*.qkm", 0).empty());
}

TEST(MaterialDatabase, SearchPatternLiesBesideTheProgramFolder)
{
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    EXPECT_EQ(MaterialSearchPattern(), exe + "/../Materials/*.qkm");
}

TEST(MaterialDatabase, AtMostOneHundredFilesAreRead)
{
    namespace fs = std::filesystem;
    fs::create_directories("many");
    for (int i = 0; i < 105; ++i)
        std::ofstream("many/" + std::to_string(1000 + i) + ".qkm") << "[GENERAL]\n";
    EXPECT_EQ(LoadMaterialDatabases("many/*.qkm", 0).size(), 100u);
}

TEST(MaterialDatabase, ShippedDatabasesHoldPlausibleBuildingMaterials)
{
    const auto dbs = LoadMaterialDatabases(std::string(SUITE_EXAMPLES_DIR) + "/Materials/*.qkm", 3);
    ASSERT_GE(dbs.size(), 2u);
    int materials = 0;
    bool foundMineralWool = false, foundConcrete = false;
    for (const auto& db : dbs) {
        EXPECT_FALSE(db.comment.empty());
        for (const auto& g : db.groups) {
            EXPECT_FALSE(g.displayName.empty());
            EXPECT_FALSE(g.materials.empty()) << g.displayName;
            for (const auto& m : g.materials) {
                ++materials;
                EXPECT_FALSE(m.name.empty());
                EXPECT_GT(m.la, 0.0f) << m.name;
                EXPECT_LT(m.la, 500.0f) << m.name;
                EXPECT_GT(m.ro, 0.0f) << m.name;
                EXPECT_GE(m.ce, 200.0f) << m.name;
                EXPECT_LE(m.ce, 4200.0f) << m.name;
                EXPECT_GE(m.pa, 1) << m.name;
                EXPECT_LE(m.pa, 20) << m.name;
                if (m.e1 >= 0) {
                    EXPECT_LE(m.e1, 1.0f) << m.name;
                }
                if (m.re > 0) { // air layers: equivalent conductivity d / R
                    EXPECT_NEAR(m.la, m.di / m.re, 0.002) << m.name;
                }
                foundMineralWool |= m.name == "Mineralwolle 0.035";
                foundConcrete |= m.name.find("Stahlbeton") != std::string::npos;
            }
        }
    }
    EXPECT_GE(materials, 50);
    EXPECT_TRUE(foundMineralWool);
    EXPECT_TRUE(foundConcrete);
}

// The engine's life cycle: one Engine that opens and calculates several
// models one after the other leaves, for each, the files that a separate
// run of gelmar-calc leaves; nothing of one model's run reaches the next.
#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"

#include "ModelFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace gelmar::test {
namespace {

namespace fs = std::filesystem;

// The files a run left in a folder, but for its model file.
std::map<std::string, std::string> FolderFiles(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name != "m.glm" && name != "driver.err")
            files[name] = ReadBytes((folder / name).string());
    }
    return files;
}

// Makes a folder holding a copy of the model as "m.glm".
fs::path ModelFolder(const fs::path& folder, const fs::path& model)
{
    fs::create_directories(folder);
    fs::copy_file(model, folder / "m.glm", fs::copy_options::overwrite_existing);
    return folder;
}

// The working folder for the life of a scope: the engine writes its result
// files into the current folder.
class InFolder {
  public:
    explicit InFolder(const fs::path& folder) : m_old(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(m_old); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

  private:
    fs::path m_old;
};

TEST(EngineLifeCycleTest, ModelsInOneEngineGiveTheFilesOfSeparateRuns)
{
    const fs::path cavity = fs::path(SUITE_SOURCE_DIR) / "gelmar/calc/tests/cavity.glm";
    const fs::path wall = fs::path(SUITE_EXAMPLES_DIR) / "wall.glm";
    // The cavity model leaves view factors, zone tables and heat flows that
    // the wall model has none of; the last run shows the first left nothing
    // behind for a second run of itself.
    const std::vector<fs::path> models{cavity, wall, cavity};
    const fs::path root = fs::absolute("lifecycle");
    fs::remove_all(root);

    // One process, one engine, the models one after the other, each read as
    // File Open reads it and calculated as Calc System calculates it.
    NullEngineHost host;
    {
        Engine engine(host);
        const std::string programFolder = fs::path(GELMAR_CALC_EXE).parent_path().string();
        ReadParameterFile(engine.parameters, engine.output, programFolder);
        LoadMaterialColours(engine.model, programFolder);
        for (std::size_t n = 0; n < models.size(); ++n) {
            const fs::path folder = ModelFolder(root / "one" / std::to_string(n), models[n]);
            InFolder in(folder);
            engine.model.dataFilePath = "m.glm";
            ASSERT_TRUE(ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters,
                                     engine.host))
                << n;
            ASSERT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, engine.host), CalcSystemResult::Done) << n;
        }
        FreeModel(engine);
    }
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();

    // One process per model.
    for (std::size_t n = 0; n < models.size(); ++n) {
        const fs::path folder = ModelFolder(root / "each" / std::to_string(n), models[n]);
        const std::string command =
            "cd '" + folder.string() + "' && '" + GELMAR_CALC_EXE + "' m.glm 2> driver.err";
        ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes((folder / "driver.err").string());
    }

    for (std::size_t n = 0; n < models.size(); ++n) {
        const std::map<std::string, std::string> one = FolderFiles(root / "one" / std::to_string(n));
        const std::map<std::string, std::string> each = FolderFiles(root / "each" / std::to_string(n));
        EXPECT_FALSE(one.empty()) << n;
        ASSERT_EQ(one.size(), each.size()) << n;
        for (const auto& [name, bytes] : each) {
            ASSERT_EQ(one.count(name), 1u) << n << " " << name;
            EXPECT_TRUE(one.at(name) == bytes) << n << " " << name;
        }
    }
    fs::remove_all(root);
}

} // namespace
} // namespace gelmar::test

// A Gelmar program started in a scratch folder: a program folder with the
// parameter, colour, pattern and string files and the default model, the material
// database beside it (unless a test leaves it out), settings in the scratch
// folder, and scripted answers for every message box and file dialog.
#pragma once
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GelmarApp.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/MainFrame.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace gelmar::test {

// The scratch folder of one test (its working folder is made current).
std::string ScratchFolder();
// Writes a text file.
void WriteFile(const std::string& path, const std::string& text);
std::string ReadFile(const std::string& path);
// A copy of examples/wall.glm in the scratch folder, under the given name.
std::string CopyWall(const std::string& name);

class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Prepares the program folder; withMaterials puts the database beside it.
    void PrepareProgramFolder(bool withMaterials);
    // Runs the start-up with the given command line.
    BOOL Start(const std::vector<std::string>& arguments = {});

    CMainFrame* Main() const;
    CGelmarDoc* Doc() const;
    // The texts of the message boxes shown so far (but the OpenGL set-up's
    // message where the platform has none).
    std::vector<std::string> Messages() const;

    std::string m_programFolder;
    std::unique_ptr<CGelmarApp> m_app;
};

} // namespace gelmar::test

#pragma once

#include "components/packing/RgbaImage.h"
#include "generate/BuildStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "model/APStyleProject.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// Stands in for style generation: uses every picture and string, records the calls.
class FakeStyleSteps : public generate::BuildStyleSteps
{
public:
    explicit FakeStyleSteps(APStyleProject& project) : m_project(project) {}

    bool generateStyle(bool resetLayerMap) override;
    bool writeLanguageCharacterSets(const std::string& languageName, std::size_t language) override;
    bool runStyleConverter(const std::string& resFile) override;
    bool writeDesktopFile() override;

    bool styleSucceeds = true;
    bool desktopSucceeds = true;
    int styleRuns = 0;
    bool lastReset = false;
    std::vector<std::string> languageSets;
    std::vector<std::string> converterRuns;

private:
    APStyleProject& m_project;
};

// A project below a temporary directory: case directory "case", outputs in
// "case/out" (picture file "case/out/style0/t.res"), headers in "inc".
class ResourceBuildTest : public ::testing::Test
{
protected:
    ResourceBuildTest();
    ~ResourceBuildTest() override;

    // Writes `image` as case/pics/`fileName` (PNG, or BMP for ".bmp") and registers it.
    // `layer` >= 0 sets its layer identifier. Returns the absolute path.
    std::string addPicture(const std::string& fileName, const packing::RgbaImage& image,
                           int layer = -1);
    // Registers `blocks` of {name, english, chinese} and writes the string table
    // (languages English and Chinese) with every string registered so far.
    void addStrings(const std::vector<std::vector<std::string>>& blocks);

    generate::ResourceBuild::Outcome build();

    std::string path(const std::string& relative) const { return m_dir.filePath(relative); }
    std::string resFile() const { return path("case/out/style0/t.res"); }

    platform::TemporaryDirectory m_dir{"resbuild"};
    APStyleProject m_project;
    platform::ScriptedInteraction m_ui;
    platform::ScopedInteraction m_scope{m_ui};
    FakeStyleSteps m_style{m_project};
    generate::ResourceBuildOptions m_options;
    std::vector<std::string> m_errors;
    std::vector<std::vector<std::string>> m_stringBlocks;
};

// Returns the bytes of the file at `path` ("" when it cannot be read).
std::string fileBytes(const std::string& path);

// Every file below `root` (relative name -> bytes); leftover staging folders are listed under
// the name "staging".
std::map<std::string, std::string> filesBelow(const std::string& root);

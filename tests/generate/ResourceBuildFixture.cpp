#include "generate/ResourceBuildFixture.h"

#include "platform/FileSystem.h"

#include <stb/stb_image_write.h>

#include <filesystem>
#include <numeric>

bool FakeStyleSteps::generateStyle(bool resetLayerMap)
{
    ++styleRuns;
    lastReset = resetLayerMap;
    if (!styleSucceeds) {
        return false;
    }
    m_project.UsedPictures().resize(m_project.Pictures().Size());
    std::iota(m_project.UsedPictures().begin(), m_project.UsedPictures().end(), 0u);
    m_project.UsedStrings().resize(m_project.Strings().Size());
    std::iota(m_project.UsedStrings().begin(), m_project.UsedStrings().end(), 0u);
    return true;
}

bool FakeStyleSteps::writeLanguageCharacterSets(const std::string& languageName, std::size_t)
{
    languageSets.push_back(languageName);
    return true;
}

bool FakeStyleSteps::runStyleConverter(const std::string& resFile)
{
    converterRuns.push_back(resFile);
    return true;
}

bool FakeStyleSteps::writeDesktopFile()
{
    return desktopSucceeds;
}

ResourceBuildTest::ResourceBuildTest()
{
    platform::createDirectories(path("case/pics"));
    m_project.SetName("t");
    m_project.SetProjectDir(m_dir.path());
    m_project.SetCaseDir(path("case"));
    m_project.SetResourceFile(resFile());
    m_project.SetStringDir(path("case/out/"));
    m_project.SetPictureHeader(path("inc/pic.h"));
    m_project.SetStringHeader(path("inc/str.h"));
    APStyleProject::SetCurrent(&m_project);
}

ResourceBuildTest::~ResourceBuildTest()
{
    APStyleProject::SetCurrent(nullptr);
}

std::string ResourceBuildTest::addPicture(const std::string& fileName,
                                          const packing::RgbaImage& image, int layer)
{
    const std::string file = path("case/pics/" + fileName);
    const bool bmp = fileName.size() > 4 && fileName.substr(fileName.size() - 4) == ".bmp";
    if (bmp) {
        stbi_write_bmp(file.c_str(), image.width, image.height, 4, image.pixels.data());
    } else {
        stbi_write_png(file.c_str(), image.width, image.height, 4, image.pixels.data(),
                       image.width * 4);
    }
    m_project.AddPicture(file, 1);
    if (layer >= 0) {
        m_project.LayerMap()[m_project.StoredPicturePath(file)] = layer;
    }
    return file;
}

void ResourceBuildTest::addStrings(const std::vector<std::vector<std::string>>& blocks)
{
    for (const auto& block : blocks) {
        m_stringBlocks.push_back(block);
        m_project.Strings().Append(m_project.Strings().LastNumber() + 1, block[0]);
        m_project.Strings().SetLastNumber(m_project.Strings().LastNumber() + 1);
    }
    std::string text = "name=[RESLAN]\nstring=English\nstring=Chinese\n\n";
    for (const auto& block : m_stringBlocks) {
        text += "name=" + block[0] + "\nstring=" + block[1] + "\nstring=" + block[2] + "\n\n";
    }
    const std::string file = path("case/strings.txt");
    platform::writeFileAtomically(file, text);
    if (m_project.TextFiles().empty()) {
        m_project.TextFiles().push_back(file);
    }
}

generate::ResourceBuild::Outcome ResourceBuildTest::build()
{
    generate::ResourceBuild build(m_project, m_style, m_options);
    const auto outcome = build.run();
    m_errors = build.errors();
    return outcome;
}

std::string fileBytes(const std::string& path)
{
    return platform::readFile(path).value_or(std::string());
}

std::map<std::string, std::string> filesBelow(const std::string& root)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (name.find(".skinsmith-build") != std::string::npos) {
            files["staging"] += name + "\n";
        } else if (entry.is_regular_file()) {
            files[name] = fileBytes(entry.path().string());
        }
    }
    return files;
}

#include "support/PictureSetProject.h"

#include "generate/BuildStyleSteps.h"
#include "platform/FileSystem.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace testsupport {
namespace {

using Pixels = std::vector<unsigned char>;

// Smooth shading with sensor-like noise: what photographs give the codecs.
Pixels photo(int seed, int width, int height, bool alpha)
{
    std::mt19937 noise(static_cast<unsigned>(seed));
    Pixels px;
    px.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int n = static_cast<int>(noise() % 9) - 4;
            const auto c = [n](int v) {
                return static_cast<unsigned char>(std::clamp(v + n, 0, 255));
            };
            px.insert(px.end(), {c((x + seed * 7) % 256), c((y * 2 + seed) % 256),
                                 c((x + y + seed * 3) / 3 % 256),
                                 static_cast<unsigned char>(alpha ? (x * 255 / width) : 255)});
        }
    }
    return px;
}

// Flat areas, bands and a few edges: icons and backgrounds drawn by hand.
Pixels artwork(int seed, int width, int height, bool alpha)
{
    Pixels px;
    px.reserve(static_cast<std::size_t>(width) * height * 4);
    const int cx = width / 2;
    const int cy = height / 2;
    const int r = std::min(width, height) * 3 / 8;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool band = ((x + seed) / 40 + y / 30) % 2 == 0;
            const bool inside = (x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r;
            px.insert(px.end(), {static_cast<unsigned char>(band ? 230 : 30),
                                 static_cast<unsigned char>(inside ? 180 : 60),
                                 static_cast<unsigned char>(seed * 13 % 256),
                                 static_cast<unsigned char>(alpha && !inside ? 0 : 255)});
        }
    }
    return px;
}

class AllPictures : public generate::BuildStyleSteps
{
public:
    explicit AllPictures(APStyleProject& project) : m_project(project) {}
    bool generateStyle(bool) override
    {
        auto& used = m_project.UsedPictures();
        used.resize(m_project.Pictures().Size());
        std::iota(used.begin(), used.end(), 0u);
        return true;
    }
    bool writeLanguageCharacterSets(const std::string&, std::size_t) override { return true; }
    bool runStyleConverter(const std::string&) override { return true; }
    bool writeDesktopFile() override { return true; }

private:
    APStyleProject& m_project;
};

} // namespace

std::string PictureSetProject::writePicture(const std::string& dir, int index, int width,
                                            int height)
{
    const bool flat = index % 2 == 0;
    const int kind = index % 4;
    const bool alpha = kind == 0;
    const Pixels px =
        flat ? artwork(index, width, height, alpha) : photo(index, width, height, alpha);
    const std::string base = dir + "/p" + std::to_string(index);
    switch (kind) {
    case 0:
    case 1:
        stbi_write_png((base + ".png").c_str(), width, height, 4, px.data(), width * 4);
        return base + ".png";
    case 2:
        stbi_write_bmp((base + ".bmp").c_str(), width, height, 4, px.data());
        return base + ".bmp";
    default:
        stbi_write_jpg((base + ".jpg").c_str(), width, height, 4, px.data(), 85);
        return base + ".jpg";
    }
}

PictureSetProject::PictureSetProject(const std::string& root, const std::string& name, int count,
                                     int width, int height)
    : m_style(std::make_unique<AllPictures>(m_project))
{
    m_project.SetName(name);
    m_project.SetProjectDir(root);
    m_project.SetCaseDir(root + "/case");
    m_project.SetResourceFile(root + "/case/out/" + name + ".res");
    m_project.SetStringDir(root + "/case/out/");
    m_project.SetPictureHeader(root + "/inc/pic.h");
    m_project.SetStringHeader(root + "/inc/str.h");
    const std::string dir = root + "/case/pics";
    platform::createDirectories(dir);
    for (int i = 0; i < count; ++i) {
        m_paths.push_back(writePicture(dir, i, width, height));
        m_project.AddPicture(m_paths.back(), 1);
    }
}

PictureSetProject::~PictureSetProject() = default;

} // namespace testsupport

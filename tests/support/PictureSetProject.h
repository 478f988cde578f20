#pragma once

#include "model/APStyleProject.h"

#include <memory>
#include <string>
#include <vector>

namespace generate {
class BuildStyleSteps;
}

namespace testsupport {

// A project over generated picture files, for resource builds that need pictures like real
// ones: `count` pictures of `width` x `height` in "case/pics" below `root`, the kinds
// rotating PNG with alpha, PNG without alpha, BMP, JPEG, the contents alternating flat
// artwork and photo-like noise. Outputs go to "case/out/<name>.res" and "case/out/",
// headers to "inc/". `root` must exist and outlive the object.
class PictureSetProject
{
public:
    PictureSetProject(const std::string& root, const std::string& name, int count, int width,
                      int height);
    ~PictureSetProject();
    PictureSetProject(const PictureSetProject&) = delete;
    PictureSetProject& operator=(const PictureSetProject&) = delete;

    APStyleProject& project() { return m_project; }
    // Stands in for style generation: uses every registered picture and nothing else.
    // Owned by this object.
    generate::BuildStyleSteps& style() { return *m_style; }
    // The generated picture files in order.
    const std::vector<std::string>& paths() const { return m_paths; }

    // Writes picture `index` of a set into `dir`. Returns its path.
    static std::string writePicture(const std::string& dir, int index, int width, int height);

private:
    APStyleProject m_project;
    std::unique_ptr<generate::BuildStyleSteps> m_style;
    std::vector<std::string> m_paths;
};

} // namespace testsupport

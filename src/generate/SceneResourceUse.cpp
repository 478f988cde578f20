#include "generate/SceneResourceUse.h"

#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"

#include <algorithm>

namespace generate {
namespace {

void addOnce(std::vector<std::size_t>& list, int position)
{
    if (position < 0) {
        return;
    }
    const auto value = static_cast<std::size_t>(position);
    if (std::find(list.begin(), list.end(), value) == list.end()) {
        list.push_back(value);
    }
}

void walk(const APStyleProject& project, const SnapItemList& members, SceneResourceUse& use)
{
    for (const auto& member : members) {
        if (!member || member->IsDeleted()) {
            continue;
        }
        if (const auto* picture = dynamic_cast<const PicSnapshotItem*>(member.get())) {
            for (const PicFrame& frame : picture->Frames()) {
                addOnce(use.pictures, project.Pictures().Find(frame.path));
            }
        } else if (const auto* text = dynamic_cast<const StringSnapShotItem*>(member.get())) {
            addOnce(use.strings, project.Strings().Find(text->TextStore().identifier));
        }
        if (const SnapItemList* children = member->Children()) {
            walk(project, *children, use);
        }
    }
}

} // namespace

std::vector<SceneResourceUse> SceneResourceUse::Of(const APStyleProject& project)
{
    std::vector<SceneResourceUse> scenes;
    for (const auto& scene : project.Scenes()) {
        if (!scene || scene->IsDeleted()) {
            continue;
        }
        SceneResourceUse use;
        use.scene = scene->Name();
        walk(project, scene->Elements(), use);
        scenes.push_back(std::move(use));
    }
    return scenes;
}

} // namespace generate

#include "editing/SpreadsheetScene.h"

#include "editing/AddCommands.h"
#include "editing/RootGroup.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/StringSnapShotItem.h"
#include "strings/StringTableImport.h"

namespace editing::dir {

namespace {

void BindToString(StringSnapShotItem& text, const StringRecord& record)
{
    text.Rename(record.identifier);
    StringItemInfo info = text.StringInfo();
    // The element keeps the string's id, which the binding reads as first id + index.
    info.stringId = static_cast<std::int16_t>(record.number);
    text.SetStringInfo(info);
    text.TextStore() = record;
    text.RefreshRows();
}

} // namespace

Snapshot* AddStringScene(Workspace& ws, const std::string& path)
{
    APStyleProject* project = ws.CurrentProject();
    if (!project) {
        return nullptr;
    }
    Snapshot* scene = add::Scene(ws, false);
    scene->SetName("SCENE_STR");
    ws.Tree().SetLabel(ws.Tree().FindNode(scene), scene->Name());
    // A failed import (its message is shown) leaves the list as it was: no strings then.
    const bool imported =
        StringTableImport(project).AddStringFile(project->Strings(), path, 1) != 0;
    auto* root = dynamic_cast<CCanvasSnapShotItem*>(RootGroupOf(*scene));
    if (!imported || !root) {
        return scene;
    }
    for (const StringRecord& record : project->Strings().Records()) {
        auto* text = dynamic_cast<StringSnapShotItem*>(root->AddChild(SnapShotItem::kString, 0));
        if (!text) {
            break;
        }
        BindToString(*text, record);
        ws.Tree().InsertElement(*text, scene, *scene);
    }
    root->RefreshRows();
    return scene;
}

} // namespace editing::dir

#pragma once

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/MainWindowSink.h"
#include "platform/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <string>

// A current project with one scene and its root resource group; messages and
// main-window notifications are recorded.
class ElementFixture : public ::testing::Test
{
protected:
    ElementFixture()
    {
        APStyleProject::SetCurrent(&project);
        scene = project.AddScene();
        root = static_cast<CCanvasSnapShotItem*>(scene->AddChild(SnapShotItem::kGroup, 0));
    }
    ~ElementFixture() override { APStyleProject::SetCurrent(nullptr); }

    PicSnapshotItem* AddPicture(CCanvasSnapShotItem* group, int single = 1)
    {
        return static_cast<PicSnapshotItem*>(group->AddChild(SnapShotItem::kPicture, single));
    }
    StringSnapShotItem* AddString(CCanvasSnapShotItem* group)
    {
        return static_cast<StringSnapShotItem*>(group->AddChild(SnapShotItem::kString, 0));
    }
    CCanvasSnapShotItem* AddGroup(CCanvasSnapShotItem* group)
    {
        return static_cast<CCanvasSnapShotItem*>(group->AddChild(SnapShotItem::kGroup, 0));
    }

    // Types `text` into the row of property `id` (column 1 unless given).
    static int Type(SnapShotItem& item, int id, const std::string& text, int column = 1)
    {
        return item.SetAttrText(item.FindRow(id), column, text);
    }
    static std::string Shown(const SnapShotItem& item, int id, int column = 1)
    {
        return item.GetAttrText(item.FindRow(id), column);
    }

    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    platform::RecordingMainWindowSink sink;
    APStyleProject project;
    Snapshot* scene = nullptr;
    CCanvasSnapShotItem* root = nullptr;
};

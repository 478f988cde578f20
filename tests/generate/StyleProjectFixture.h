#pragma once

#include "generate/StyleGenerator.h"
#include "generate/StyleRecords.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/MainWindowSink.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// A current project built in memory below a temporary directory: case directory "case",
// outputs in "out" (style file app.sty, style header app_sty.h), string directory
// "case/str", resource file "case/app.res". Messages and main-window notifications are
// recorded; a style generator is at hand.
class StyleProjectFixture : public ::testing::Test
{
protected:
    StyleProjectFixture();
    ~StyleProjectFixture() override;

    // A new scene named `name` with its top-level resource group.
    Snapshot* addScene(const std::string& name);
    static CCanvasSnapShotItem* rootOf(Snapshot* scene);
    static CCanvasSnapShotItem* addGroup(CCanvasSnapShotItem* parent, const std::string& name);
    // A single picture (one path) or a region (`single` false) showing `paths`.
    static PicSnapshotItem* addPicture(CCanvasSnapShotItem* parent, const std::string& name,
                                       const std::vector<std::string>& paths, bool single = true);
    static StringSnapShotItem* addString(CCanvasSnapShotItem* parent, const std::string& name,
                                         const std::string& identifier, int fontHeight = 16);

    // Puts a 16 x 16 BMP (24 x 12 when `wide`) at `relativePath` below the case directory and
    // registers it. Returns its stored path.
    std::string addPictureFile(const std::string& relativePath, bool wide = false);
    // Registers a string resource with one wide text per language (none: no texts).
    void addStringResource(const std::string& identifier,
                           const std::vector<std::u16string>& wideTexts = {});

    bool generate(bool showMessages = true, bool resetLayerMap = true);
    // The style file decoded; fails the test when it cannot be read.
    std::optional<generate::StyleFileContent> readStyle() const;
    std::string readText(const std::string& path) const;

    platform::TemporaryDirectory dir{"stylegen"};
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    platform::RecordingMainWindowSink sink;
    APStyleProject project;
    generate::StyleGenerator generator{project};
};

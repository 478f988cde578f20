#pragma once

#include "FindElement.h"

#include "editing/SurfaceChangeHandler.h"
#include "editing/Workspace.h"
#include "components/visual/Graph.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "support/RecordingChangeObserver.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/StandardProjectFileIo.h"
#include "shell/surface/QtVisualEditor.h"
#include "shell/surface/SurfaceWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>

// A copy of examples/demo loaded into a workspace over the Qt surface, with the editor's
// reaction to surface changes installed as the main window installs it, and its first
// scene shown.
struct SurfaceDemo
{
    SurfaceDemo()
    {
        projectfile::InstallProjectFileIo();
        platform::createDirectories(dir.filePath("defs"));
        std::error_code failed;
        std::filesystem::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo",
                              dir.filePath("demo"), std::filesystem::copy_options::recursive,
                              failed);
        if (failed) {
            error = failed.message();
            return;
        }
        auto loaded = std::make_unique<APStyleProject>();
        ProjectFileReader reader(*loaded);
        reader.SetDefinitionDirectory(dir.filePath("defs"));
        if (!reader.Load(dir.filePath("demo/demo.ui"))) {
            error = reader.ErrorString();
            return;
        }
        project = &ws.OpenProject(std::move(loaded));
        // As opening a document does: every element takes its picture or text.
        for (const auto& shown : project->Scenes()) {
            for (const auto& element : shown->Elements()) {
                element->LoadResource();
            }
        }
        editor.CreateEditor(nullptr, {0, 0, 328, 248}, editing::SurfaceChangeHandler::Callback(ws));
        editor.SetTool(VisualEditor::kToolSelect);
        editor.SetScreenBkColor(0xEEEEEE);
        scene = project->Scenes().front().get();
        ws.Panel().ShowSceneWithSelection(*project, *scene, nullptr);
        project->History().clear();
        project->SetHistoryCursor(-1);
        sink.clear();
    }

    SurfaceWidget* widget() const { return editor.widget(); }

    // The live element named `name` in the shown scene, or null.
    SnapShotItem* find(const std::string& name) const
    {
        for (const auto& element : scene->Elements()) {
            if (SnapShotItem* found = findElement(*element, name)) {
                return found;
            }
        }
        return nullptr;
    }
    // The centre of `graph` in view pixels.
    QPoint centre(const Graph& graph) const
    {
        const GraphRect r = graph.GetRect();
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    // A mouse drag on the widget from `from` by `by` view pixels in a few moves, with Shift
    // held (no snapping) unless `snap`.
    void drag(const QPoint& from, const QPoint& by, bool snap = false)
    {
        const Qt::KeyboardModifiers modifiers = snap ? Qt::NoModifier : Qt::ShiftModifier;
        QTest::mousePress(widget(), Qt::LeftButton, modifiers, from);
        for (int step = 1; step <= 5; ++step) {
            const QPointF at = from + by * step / 5;
            QMouseEvent move(QEvent::MouseMove, at, widget()->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, modifiers);
            QApplication::sendEvent(widget(), &move);
        }
        QTest::mouseRelease(widget(), Qt::LeftButton, modifiers, from + by);
    }

    platform::TemporaryDirectory dir{"surface-demo"};
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    QtVisualEditor editor;
    editing::Workspace ws{editor};
    RecordingChangeObserver sink{ws.Feed()};
    APStyleProject* project = nullptr;
    Snapshot* scene = nullptr;
    std::string error;
};

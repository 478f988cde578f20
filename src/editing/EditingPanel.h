#pragma once

#include <vector>

class APStyleProject;
class Snapshot;
class SnapShotItem;
class VisualEditor;

namespace editing {

class GuideStore;

// The editing panel without a window: which drawables of which scene or group the
// surface shows, in which order, and which one is selected.
class EditingPanel
{
public:
    // `editor` and `guides` are not owned and must outlive the panel.
    EditingPanel(VisualEditor& editor, const GuideStore& guides)
        : m_editor(editor), m_guides(guides)
    {
    }

    // Shows the scene's elements with `element` selected (none when null): the group
    // holding the element (or the element, when it is a group) goes on top. The scene
    // becomes the project's current scene.
    void ShowScene(APStyleProject& project, Snapshot& scene, SnapShotItem* element);
    // Shows every top-level element in order, with `element` selected.
    void ShowSceneWithSelection(APStyleProject& project, Snapshot& scene, SnapShotItem* element);
    // Shows only the contents of `group` with `element` selected; nothing for a
    // non-group.
    void SelectInGroup(SnapShotItem& group, Snapshot& scene, SnapShotItem* element);
    void ClearSelection();
    void Redraw();
    double Zoom() const;
    void SetZoom(double zoom);

    Snapshot* ShownScene() const { return m_scene; }
    SnapShotItem* ShownGroup() const { return m_group; }
    VisualEditor& Editor() { return m_editor; }

private:
    // Adds the drawables of `element` and its live descendants, in order.
    void AddTree(SnapShotItem& element);
    // The surface takes the user's guides of the scene now shown.
    void ShowGuides(const APStyleProject* project, const Snapshot& scene);

    VisualEditor& m_editor;
    const GuideStore& m_guides;
    Snapshot* m_scene = nullptr;
    SnapShotItem* m_group = nullptr;
};

} // namespace editing

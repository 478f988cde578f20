#pragma once

class APStyleProject;
class Snapshot;
class SnapShotItem;
class VisualEditor;

namespace editing {

// The editing panel without a window: which drawables of which scene or group the
// surface shows, in which order, and which one is selected.
class EditingPanel
{
public:
    // `editor` is not owned and must outlive the panel.
    explicit EditingPanel(VisualEditor& editor) : m_editor(editor) {}

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

    VisualEditor& m_editor;
    Snapshot* m_scene = nullptr;
    SnapShotItem* m_group = nullptr;
};

} // namespace editing

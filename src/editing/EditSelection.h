#pragma once

class APStyleProject;
class Snapshot;
class SnapShotItem;

// What the commands and the property grid work on: the current project and at
// most one of current element, current scene and settings project. None owned.
class EditSelection
{
public:
    APStyleProject* Project() const { return m_project; }
    void SetProject(APStyleProject* project) { m_project = project; }
    SnapShotItem* Element() const { return m_element; }
    Snapshot* Scene() const { return m_scene; }
    APStyleProject* SettingsProject() const { return m_settingsProject; }

    // Each of these sets one of the three and clears the other two.
    void ShowElement(SnapShotItem* element)
    {
        Clear();
        m_element = element;
    }
    void ShowScene(Snapshot* scene)
    {
        Clear();
        m_scene = scene;
    }
    void ShowSettings(APStyleProject* project)
    {
        Clear();
        m_settingsProject = project;
    }
    void Clear()
    {
        m_element = nullptr;
        m_scene = nullptr;
        m_settingsProject = nullptr;
    }

private:
    APStyleProject* m_project = nullptr;
    SnapShotItem* m_element = nullptr;
    Snapshot* m_scene = nullptr;
    APStyleProject* m_settingsProject = nullptr;
};

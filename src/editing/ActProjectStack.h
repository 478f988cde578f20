#pragma once

#include "components/visual/ActstackBase.h"

class APStyleProject;

// An undo record of one project. The project's history owns it; the record keeps
// pointers to elements and scenes, which live as long as their project.
class ActProjectStack : public ActstackBase
{
public:
    explicit ActProjectStack(APStyleProject* project) : m_project(project) {}
    ~ActProjectStack() override = default;

    virtual void Undo() = 0;
    virtual void Redo() = 0;

    APStyleProject* Project() const { return m_project; }

protected:
    APStyleProject* m_project;
};

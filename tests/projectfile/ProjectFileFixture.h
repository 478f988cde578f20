#pragma once

#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/MainWindowSink.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A project folder in a temporary directory: "p.ui" beside a case directory "case" and an
// SDK directory "psp_rel", definition files from "defs" (none unless a test writes them).
// Messages and main-window notifications are recorded.
class ProjectFileFixture : public ::testing::Test
{
protected:
    ProjectFileFixture()
    {
        platform::createDirectories(dir.filePath("case/images/apps/p"));
        platform::createDirectories(dir.filePath("psp_rel"));
        platform::createDirectories(dir.filePath("defs"));
    }

    // The root properties of a project "p" whose case directory is ".\case", then `body`.
    static std::string Project(const std::string& body, const std::string& root = "ui-rad")
    {
        return "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\" ?>\r\n"
               "<" +
               root +
               ">\r\n"
               "    <property name=\"prj_name\" value=\"p\" />\r\n"
               "    <property name=\"prj_screen_width\" value=\"0x140\" />\r\n"
               "    <property name=\"prj_screen_height\" value=\"0xf0\" />\r\n"
               "    <property name=\"prj_case_path\" value=\".\\case\" />\r\n"
               "    <property name=\"prj_sdk_path\" value=\"..\\psp_rel\" />\r\n" +
               body + "</" + root + ">\r\n";
    }

    // A scene with identifier `id` holding `elements` inside its top-level group `id + 1`.
    static std::string Scene(int id, const std::string& elements, const std::string& name = "S")
    {
        return "<scene><property name=\"name\" value=\"" + name +
               "\" /><property name=\"id\" value=\"" + std::to_string(id) +
               "\" /><element class=\"resgroup_resource\"><property name=\"name\" value=\"G\" />"
               "<property name=\"id\" value=\"" +
               std::to_string(id + 1) + "\" />" + elements + "</element></scene>";
    }

    std::string Path(const std::string& name = "p.ui") const { return dir.filePath(name); }

    void WriteFile(const std::string& name, const std::string& text) const
    {
        ASSERT_TRUE(platform::writeFileAtomically(dir.filePath(name), text));
    }

    std::string ReadFile(const std::string& name = "p.ui") const
    {
        return platform::readFile(dir.filePath(name)).value_or("<missing>");
    }

    // Writes `text` as p.ui and loads it into a fresh project. Returns Load's result.
    int Load(const std::string& text)
    {
        WriteFile("p.ui", text);
        return LoadFile("p.ui");
    }

    int LoadFile(const std::string& name)
    {
        project = std::make_unique<APStyleProject>();
        ProjectFileReader reader(*project);
        reader.SetDefinitionDirectory(dir.filePath("defs"));
        return reader.Load(dir.filePath(name));
    }

    // Saves the project as `name` and returns the bytes written.
    std::string Save(const std::string& name = "out.ui")
    {
        ProjectFileWriter writer(*project);
        EXPECT_EQ(writer.Save(dir.filePath(name)), 1) << writer.ErrorString();
        return ReadFile(name);
    }

    // Saves, loads what was saved and saves again: the second file must equal the first.
    std::string SaveAndReload()
    {
        const std::string first = Save("first.ui");
        EXPECT_EQ(LoadFile("first.ui"), 1);
        EXPECT_EQ(Save("second.ui"), first);
        return first;
    }

    platform::TemporaryDirectory dir{"projectfile-test"};
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    platform::RecordingMainWindowSink sink;
    std::unique_ptr<APStyleProject> project;
};

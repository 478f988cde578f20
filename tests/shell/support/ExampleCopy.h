#pragma once

#include "platform/TemporaryDirectory.h"

#include <string>

// A copy of examples/demo in a temporary directory, for tests that open, save and build it.
class ExampleCopy
{
public:
    // Copies the example into `<temporary>/<name>`.
    explicit ExampleCopy(const std::string& name = "demo");

    // The copied demo.ui, or "" when the copy failed.
    const std::string& projectPath() const { return m_projectPath; }
    // A path inside the temporary directory.
    std::string filePath(const std::string& name) const { return m_dir.filePath(name); }
    // Copies the example once more, into `<temporary>/<name>`; returns its demo.ui.
    std::string copyAgain(const std::string& name) const;

private:
    platform::TemporaryDirectory m_dir{"shell-test"};
    std::string m_projectPath;
};

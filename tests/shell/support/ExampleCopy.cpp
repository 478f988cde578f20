#include "ExampleCopy.h"

#include <filesystem>

ExampleCopy::ExampleCopy(const std::string& name)
{
    m_projectPath = copyAgain(name);
}

std::string ExampleCopy::copyAgain(const std::string& name) const
{
    std::error_code failed;
    std::filesystem::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo",
                          m_dir.filePath(name), std::filesystem::copy_options::recursive, failed);
    return failed ? std::string() : m_dir.filePath(name + "/demo.ui");
}

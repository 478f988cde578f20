#include "DemoProject.h"

#include <filesystem>
#include <system_error>

std::string demoDirectory()
{
    return std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo";
}

std::string copyDemoProject(const std::string& directory)
{
    std::error_code error;
    std::filesystem::copy(demoDirectory(), directory, std::filesystem::copy_options::recursive,
                          error);
    return error ? std::string() : directory + "/demo.ui";
}

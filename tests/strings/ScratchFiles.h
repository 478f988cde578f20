#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh directory per test, removed afterwards, with helpers to write and read
// raw bytes.
class ScratchFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "skinsmith-strings-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string pathOf(const std::string& name) const { return (m_dir / name).string(); }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(pathOf(name), std::ios::binary) << bytes;
        return pathOf(name);
    }

    std::string read(const std::string& name) const
    {
        std::ifstream in(pathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static std::string utf16le(const std::u16string& text)
    {
        std::string bytes;
        for (const char16_t unit : text) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    }

    std::filesystem::path m_dir;
};

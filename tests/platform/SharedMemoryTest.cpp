#include "platform/SharedMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unistd.h>

using namespace platform;

namespace {
std::string uniqueName(const char* base)
{
    return std::string(base) + "_" + std::to_string(::getpid());
}
} // namespace

TEST(SharedMemory, CreatorAndOpenerShareTheBlockUntilTheCreatorCloses)
{
    const std::string name = uniqueName("ZORVANE_DLL_JPG");
    SharedMemory creator;
    ASSERT_TRUE(creator.create(name, 32));
    EXPECT_TRUE(creator.isCreator());
    ASSERT_EQ(creator.size(), 32u);
    const auto* bytes = static_cast<const unsigned char*>(creator.data());
    EXPECT_TRUE(std::all_of(bytes, bytes + 32, [](unsigned char b) { return b == 0; }));

    const std::uint32_t markers[2] = {0x12345678u, 0x9ABCDEF0u};
    std::memcpy(creator.data(), markers, sizeof markers);

    SharedMemory opener;
    ASSERT_TRUE(opener.open(name));
    EXPECT_EQ(opener.size(), 32u);
    EXPECT_EQ(std::memcmp(opener.data(), markers, sizeof markers), 0);

    // Creating an existing block maps it without wiping it.
    SharedMemory second;
    ASSERT_TRUE(second.create(name, 32));
    EXPECT_FALSE(second.isCreator());
    EXPECT_EQ(std::memcmp(second.data(), markers, sizeof markers), 0);

    creator.close();
    EXPECT_FALSE(creator.isValid());
    EXPECT_EQ(std::memcmp(opener.data(), markers, sizeof markers), 0);
    SharedMemory late;
    EXPECT_FALSE(late.open(name));
}

TEST(SharedMemory, NamesAreKeptToOneStepAndBadRequestsFail)
{
    SharedMemory block;
    EXPECT_TRUE(block.create(uniqueName("Local\\skin/smith"), 16));
    SharedMemory same;
    EXPECT_TRUE(same.open(uniqueName("Local\\skin/smith")));
    EXPECT_FALSE(SharedMemory().create("", 16));
    EXPECT_FALSE(SharedMemory().create(uniqueName("empty"), 0));
    EXPECT_FALSE(SharedMemory().open(uniqueName("never-created")));
}

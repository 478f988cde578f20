#include "platform/LocalTime.h"
#include "platform/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>

using namespace platform;

TEST(ProgramDirectory, IsTheExecutablesDirectoryUnlessOverridden)
{
    const std::string directory = programDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '/');
    char expected[PATH_MAX];
    char actual[PATH_MAX];
    ASSERT_TRUE(::realpath(SKINSMITH_BIN_DIR, expected));
    ASSERT_TRUE(::realpath(directory.c_str(), actual));
    EXPECT_STREQ(actual, expected);

    overrideProgramDirectory("/opt/skinsmith");
    EXPECT_EQ(programDirectory(), "/opt/skinsmith/");
    overrideProgramDirectory("");
    EXPECT_EQ(programDirectory(), directory);
}

TEST(LocalTime, MatchesTheSystemClock)
{
    const LocalTime now = localTimeNow();
    std::tm parts{};
    parts.tm_year = now.year - 1900;
    parts.tm_mon = now.month - 1;
    parts.tm_mday = now.day;
    parts.tm_hour = now.hour;
    parts.tm_min = now.minute;
    parts.tm_sec = now.second;
    parts.tm_isdst = -1;
    EXPECT_LE(std::abs(std::difftime(std::time(nullptr), std::mktime(&parts))), 2.0);
}

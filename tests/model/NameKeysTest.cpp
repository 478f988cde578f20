#include "model/Crc32Key.h"
#include "model/NameHash.h"

#include <gtest/gtest.h>

TEST(NameHash, MatchesValuesWorkedByHand)
{
    EXPECT_EQ(NameHash(""), 0u);
    EXPECT_EQ(NameHash("A"), 0x41u);
    // h = 0x41 * 16777619 mod 2^32 = 0x41006653, then ^ 0x42.
    EXPECT_EQ(NameHash("AB"), 0x41006611u);
    // Bytes of multi-byte characters are hashed as they are, never case-folded.
    EXPECT_EQ(NameHash("\xC3\xA9"), 0xC3013250u);
}

TEST(NameHash, IgnoresTheCaseOfAsciiLetters)
{
    EXPECT_EQ(NameHash("ab"), NameHash("AB"));
    EXPECT_EQ(NameHash("Scene00"), NameHash("SCENE00"));
    EXPECT_NE(NameHash("ab"), NameHash("ba"));
}

TEST(Crc32Key, IsTheStandardCrc32)
{
    EXPECT_EQ(Crc32Key(""), 0u);
    EXPECT_EQ(Crc32Key("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32Key(".\\images\\a.png"), Crc32Key(std::string(".\\images\\a.png")));
}

#include "model/LanguageTexts.h"

#include <gtest/gtest.h>

#include <string>

TEST(LanguageTexts, ReadsEmptyPastTheWrittenSlotsAndComparesBySlot)
{
    LanguageTexts<std::u16string> texts;
    const auto& view = texts;
    EXPECT_EQ(view[39], u"");
    EXPECT_EQ(view.begin(), view.end());

    texts[2] = u"确定";
    EXPECT_EQ(view[2], u"确定");
    EXPECT_EQ(view[0], u"");
    EXPECT_EQ(view[3], u"");

    // Slots written empty compare equal to slots never written.
    LanguageTexts<std::u16string> other;
    other[2] = u"确定";
    other[30] = u"";
    EXPECT_EQ(texts, other);
    other[30] = u"x";
    EXPECT_NE(texts, other);

    other.fill(u"n");
    EXPECT_EQ(other[39], u"n");
    other.fill({});
    EXPECT_EQ(other.begin(), other.end());
    EXPECT_EQ(other, LanguageTexts<std::u16string>());
}

// The bytes the resource build packs for one string resource.

#include "generate/StringPackingPhase.h"
#include "model/StringRecord.h"

#include <gtest/gtest.h>

using generate::StringPackingPhase;

namespace {

StringRecord wideRecord(std::vector<std::u16string> texts)
{
    StringRecord record;
    for (std::size_t j = 0; j < texts.size(); ++j) {
        record.wideTexts[j] = texts[j];
    }
    record.textCount = static_cast<std::uint32_t>(texts.size());
    return record;
}

} // namespace

TEST(StringData, WideTextsGoThroughTheDeviceTextConverter)
{
    const StringRecord record = wideRecord({u"a[CR]b", u"\u07FF\u4E2D\r\n"});
    EXPECT_EQ(std::string("a\tb\0\xDF\xBF\xE4\xB8\xAD\0", 10),
              StringPackingPhase::stringData(record, false));
    EXPECT_EQ(std::string("a\nb\0\xDF\xBF\xE4\xB8\xAD\0", 10),
              StringPackingPhase::stringData(record, true));
}

TEST(StringData, NarrowTextsStayAsTheyAreAndEmptyLanguagesKeepTheirPlace)
{
    StringRecord record;
    record.texts[0] = "OK";
    record.texts[2] = "[CR]";
    record.textCount = 3;
    EXPECT_EQ(std::string("OK\0\0[CR]\0", 9), StringPackingPhase::stringData(record, false));
}

TEST(StringData, LongTextsArePackedWhole)
{
    const std::u16string chinese(3000, u'中'); // 9000 bytes converted
    const std::string data = StringPackingPhase::stringData(wideRecord({chinese, u"x"}), false);
    ASSERT_EQ(9000u + 1 + 2, data.size());
    EXPECT_EQ(std::string("x\0", 2), data.substr(9001));
}

TEST(StringData, AnEmbeddedNulEndsItsTextWithoutShiftingTheNextLanguage)
{
    const StringRecord record = wideRecord({std::u16string(u"ab\0cd", 5), u"e"});
    EXPECT_EQ(std::string("ab\0e\0", 5), StringPackingPhase::stringData(record, false));
}

#include "projectfile/ElementClassTable.h"
#include "projectfile/KeyTable.h"

#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Entries = std::vector<DefinitionEntry>;

const Entries kBuiltInClasses{{"picregion_resource", 2},
                              {"picture_resource", 1},
                              {"string_resource", 3},
                              {"resgroup_resource", 4}};

Entries builtInKeys()
{
    Entries keys;
    for (int n = 1; n <= 16; ++n) {
        keys.push_back({"key" + std::to_string(n), n});
    }
    return keys;
}

} // namespace

TEST(ElementClassTableTest, MissingFileGivesTheBuiltInTableAndItsClassNames)
{
    platform::TemporaryDirectory dir;
    const ElementClassTable table = ElementClassTable::readFromDirectory(dir.path() + "/");
    EXPECT_EQ(table.entries(), kBuiltInClasses);
    EXPECT_EQ(table.className(ElementClassTable::kPicture), "picture_resource");
    EXPECT_EQ(table.className(ElementClassTable::kPictureRegion), "picregion_resource");
    EXPECT_EQ(table.className(ElementClassTable::kString), "string_resource");
    EXPECT_EQ(table.className(ElementClassTable::kResourceGroup), "resgroup_resource");
    EXPECT_EQ(table.readingWidgetType("picregion_resource"), ElementClassTable::kPictureRegion);
    EXPECT_EQ(table.readingWidgetType("string_resource"), ElementClassTable::kString);
}

TEST(ElementClassTableTest, UnusableFilesFallBackToTheBuiltInTable)
{
    const char* const unusable[] = {
        "",
        "not xml at all",
        "<widgetdefs><widgetdef class=\"a\" type=\"1\"></widgetdefs>",
        "<definitions><widgetdef class=\"a\" type=\"1\" /></definitions>",
        "<WidgetDefs><widgetdef class=\"a\" type=\"1\" /></WidgetDefs>",
    };
    for (const char* text : unusable) {
        EXPECT_EQ(ElementClassTable::fromText(text).entries(), kBuiltInClasses) << text;
    }
    EXPECT_EQ(ElementClassTable::readFromDirectory("").entries(), kBuiltInClasses);
}

TEST(ElementClassTableTest, FileWithoutUsableChildYieldsAnEmptyTableThatWritesAndReadsGroups)
{
    const ElementClassTable table = ElementClassTable::fromText(
        "<widgetdefs><widgetdef class=\"picture_resource\" /><widgetdef type=\"1\" />"
        "<other class=\"x\" type=\"1\" /></widgetdefs>");
    EXPECT_TRUE(table.entries().empty());
    EXPECT_EQ(table.className(ElementClassTable::kPicture), "resgroup_resource");
    EXPECT_EQ(table.className(ElementClassTable::kString), "resgroup_resource");
    EXPECT_EQ(table.readingWidgetType("picture_resource"), ElementClassTable::kResourceGroup);
}

TEST(ElementClassTableTest, FileEntriesRenameClassesAndTheFirstEntryOfATypeWins)
{
    platform::TemporaryDirectory dir;
    // A byte-order mark and a declaration, as editors on other systems save the file.
    ASSERT_TRUE(platform::writeFileAtomically(
        dir.filePath("widgetdef.xml"), "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
                                       "<widgetdefs>\r\n"
                                       "    <widgetdef class=\"bild\" type=\"1\" />\r\n"
                                       "    <widgetdef class=\"gruppe\" type=\" 4\" />\r\n"
                                       "    <widgetdef class=\"behälter\" type=\"4\" />\r\n"
                                       "    <widgetdef class=\"text\" type=\"3\" />\r\n"
                                       "    <widgetdef class=\"Bild\" type=\"2\" />\r\n"
                                       "    <widgetdef class=\"bild\" type=\"2\" />\r\n"
                                       "    <widgetdef class=\"odd\" type=\"7\" />\r\n"
                                       "    <widgetdef class=\"junk\" type=\"abc\" />\r\n"
                                       "</widgetdefs>\r\n"));
    const ElementClassTable table = ElementClassTable::readFromDirectory(dir.path());
    EXPECT_EQ(table.entries(), (Entries{{"bild", 1},
                                        {"gruppe", 4},
                                        {"behälter", 4},
                                        {"text", 3},
                                        {"Bild", 2},
                                        {"bild", 2},
                                        {"odd", 7},
                                        {"junk", 0}}));
    EXPECT_EQ(table.className(ElementClassTable::kPicture), "bild");
    EXPECT_EQ(table.className(ElementClassTable::kResourceGroup), "gruppe");
    EXPECT_EQ(table.className(ElementClassTable::kPictureRegion), "Bild");

    // Names compare exactly; the first entry of a name decides its type.
    EXPECT_EQ(table.findWidgetType("bild"), 1);
    EXPECT_EQ(table.findWidgetType("Bild"), 2);
    EXPECT_EQ(table.findWidgetType("BILD"), std::nullopt);
    EXPECT_EQ(table.readingWidgetType("BILD"), ElementClassTable::kResourceGroup);
    EXPECT_EQ(table.readingWidgetType("picture_resource"), ElementClassTable::kResourceGroup);
    // A type the reader has no kind for reads as a group rather than as nothing.
    EXPECT_EQ(table.findWidgetType("odd"), 7);
    EXPECT_EQ(table.readingWidgetType("odd"), ElementClassTable::kResourceGroup);
    EXPECT_EQ(table.readingWidgetType("junk"), ElementClassTable::kResourceGroup);
}

TEST(KeyTableTest, MissingOrForeignFilesGiveTheSixteenBuiltInKeys)
{
    platform::TemporaryDirectory dir;
    EXPECT_EQ(KeyTable::readFromDirectory(dir.path()).entries(), builtInKeys());
    EXPECT_EQ(KeyTable::readFromDirectory("").entries(), builtInKeys());
    EXPECT_EQ(
        KeyTable::fromText("<widgetdefs><keydef name=\"up\" value=\"1\" /></widgetdefs>").entries(),
        builtInKeys());
    EXPECT_EQ(KeyTable::fromText("<keydefs><keydef name=\"up\" value=\"1\"></keydefs>").entries(),
              builtInKeys());
}

TEST(KeyTableTest, FileEntriesAreReadInOrderSkippingChildrenWithoutBothAttributes)
{
    platform::TemporaryDirectory dir;
    ASSERT_TRUE(platform::writeFileAtomically(
        dir.filePath("keydef.xml"), "<keydefs>\n"
                                    "  <keydef name=\"KEY_OK\" value=\"5\" />\n"
                                    "  <keydef name=\"KEY_MENU\" />\n"
                                    "  <keydef value=\"9\" />\n"
                                    "  <!-- volume keys -->\n"
                                    "  <keydef name=\" 音量+ \" value=\"12\" />\n"
                                    "  <keydef name=\"KEY_BIG\" value=\"99999999999\" />\n"
                                    "  <keydef name=\"KEY_NEG\" value=\"-3\" />\n"
                                    "</keydefs>\n"));
    EXPECT_EQ(KeyTable::readFromDirectory(dir.path() + "/").entries(),
              (Entries{{"KEY_OK", 5}, {" 音量+ ", 12}, {"KEY_BIG", 2147483647}, {"KEY_NEG", -3}}));

    EXPECT_TRUE(KeyTable::fromText("<keydefs />").entries().empty());
}

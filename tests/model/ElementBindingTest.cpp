#include "ElementFixture.h"
#include "platform/TemporaryDirectory.h"

#include <stb/stb_image_write.h>

#include <initializer_list>
#include <vector>

namespace {

class ElementBinding : public ElementFixture
{
protected:
    // Fills the picture list with `paths` in this order, numbered from 1.
    void SetPictures(std::initializer_list<const char*> paths)
    {
        PictureRegistry& list = project.Pictures();
        list.Clear();
        std::uint32_t number = 0;
        for (const char* path : paths) {
            list.Append(++number, path);
        }
        list.SetFirstNumber(1);
        list.SetLastNumber(number);
    }

    // Fills the string list with `names` in this order, numbered from 1; each text
    // is "<name> in language <n>" for languages 0 and 1.
    void SetStrings(std::initializer_list<const char*> names)
    {
        StringRegistry& list = project.Strings();
        list.Clear();
        std::uint32_t number = 0;
        for (const char* name : names) {
            StringRecord& record = list.Append(++number, name);
            record.textCount = 2;
            for (int language = 0; language < 2; ++language) {
                const std::string text = std::string(name) + " " + std::to_string(language);
                record.texts[static_cast<std::size_t>(language)] = text;
            }
        }
        list.SetFirstNumber(1);
        list.SetLastNumber(number);
    }

    // A string element bound to `name` with the id `id`, as the string dialog leaves it.
    StringSnapShotItem* BoundString(const char* name, std::int16_t id)
    {
        StringSnapShotItem* text = AddString(root);
        const int index = project.Strings().Find(name);
        text->TextStore() = project.Strings().Records()[static_cast<std::size_t>(index)];
        StringItemInfo info = text->StringInfo();
        info.stringId = id;
        text->SetStringInfo(info);
        text->RefreshRows();
        return text;
    }
};

} // namespace

TEST_F(ElementBinding, FrameFollowsItsPictureByPath)
{
    SetPictures({"a.png", "b.png"});
    PicSnapshotItem* picture = AddPicture(root);
    const std::uint32_t elementId = picture->GetId();
    picture->Frames()[0].id = 2;
    picture->Frames()[0].path = "b.png";
    picture->RefreshRows();
    EXPECT_EQ(picture->Frames()[0].id, 2);

    SetPictures({"b.png", "a.png"}); // moved
    picture->RefreshRows();
    EXPECT_EQ(picture->Frames()[0].id, 1);
    EXPECT_EQ(Shown(*picture, PicSnapshotItem::kPropIndex), "1");
    EXPECT_EQ(Shown(*picture, PicSnapshotItem::kPropPath), "b.png");

    SetPictures({"a.png"}); // removed
    picture->RefreshRows();
    EXPECT_EQ(picture->Frames()[0].id, -1);
    EXPECT_EQ(+picture->AttrBlock()->width, 20);
    EXPECT_EQ(+picture->AttrBlock()->height, 20);
    EXPECT_EQ(Shown(*picture, 4), "20");
    EXPECT_EQ(Shown(*picture, PicSnapshotItem::kPropIndex), "-1");
    EXPECT_EQ(picture->Frames()[0].path, "b.png");

    SetPictures({"a.png", "c.png", "b.png"}); // back again
    picture->RefreshRows();
    EXPECT_EQ(picture->Frames()[0].id, 3);

    project.Pictures().Clear();
    picture->RefreshRows();
    EXPECT_EQ(picture->Frames()[0].id, -1);
    // The element keeps its own identifier through all of it.
    EXPECT_EQ(picture->GetId(), elementId);
    EXPECT_EQ(picture->IdCopy(), elementId);
}

TEST_F(ElementBinding, BoundFrameLoadsItsPictureAndTakesItsSize)
{
    platform::TemporaryDirectory dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<std::uint8_t> pixels(6 * 4 * 3, 0x80);
    ASSERT_NE(stbi_write_png(dir.filePath("a.png").c_str(), 6, 4, 3, pixels.data(), 6 * 3), 0);
    project.SetCaseDir(dir.path());
    SetPictures({"a.png"});
    Type(*root, 2, "10");

    PicSnapshotItem* picture = AddPicture(root);
    picture->Frames()[0].path = "a.png";
    picture->RefreshRows(); // unbound until now: binds by path and loads
    EXPECT_EQ(picture->Frames()[0].id, 1);
    ASSERT_NE(picture->Image(), nullptr);
    EXPECT_EQ(+picture->AttrBlock()->width, 6);
    EXPECT_EQ(+picture->AttrBlock()->height, 4);
    EXPECT_EQ(+picture->AttrBlock()->x, 0);
    EXPECT_EQ(picture->Envelop(), (GraphRect{10, 0, 16, 4}));
    EXPECT_EQ(Shown(*picture, 5), "4");
    EXPECT_EQ(project.Modified(), 1);
}

TEST_F(ElementBinding, StringFollowsItsResourceByName)
{
    SetStrings({"HELLO", "BYE"});
    StringSnapShotItem* text = BoundString("BYE", 2);
    EXPECT_EQ(+text->StringInfo().stringId, 2);
    EXPECT_EQ(text->NarrowText(), "BYE 0");
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropStringId), "BYE");
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropIndex), "2");

    SetStrings({"BYE", "HELLO"}); // moved
    text->RefreshRows();
    EXPECT_EQ(+text->StringInfo().stringId, 1);
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropIndex), "1");

    project.Strings().Records()[0].texts[0] = "imported anew";
    text->RefreshRows();
    EXPECT_EQ(text->NarrowText(), "imported anew");

    SetStrings({"HELLO", "GOODBYE"}); // renamed, so gone by its name
    text->RefreshRows();
    EXPECT_EQ(+text->StringInfo().stringId, -1);
    EXPECT_EQ(text->TextStore().textCount, 0u);
    EXPECT_TRUE(text->TextStore().texts[0].empty());
    EXPECT_EQ(text->NarrowText(), "Null");
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropStringId), "BYE");
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropIndex), "-1");

    SetStrings({"HELLO", "GOODBYE", "BYE"}); // the name is back
    text->RefreshRows();
    EXPECT_EQ(+text->StringInfo().stringId, 3);
    EXPECT_EQ(text->NarrowText(), "BYE 0");

    project.Strings().Clear();
    text->RefreshRows();
    EXPECT_EQ(+text->StringInfo().stringId, -1);
    EXPECT_EQ(text->NarrowText(), "Null");
}

TEST_F(ElementBinding, StringShowsTheDisplayLanguage)
{
    SetStrings({"HELLO"});
    StringSnapShotItem* text = BoundString("HELLO", 1);
    project.SetDisplayLanguage(1);
    root->LoadResource(); // a language change reloads the scene's tree
    EXPECT_EQ(text->NarrowText(), "HELLO 1");
    project.SetDisplayLanguage(7); // no text there: language 0
    text->LoadResource();
    EXPECT_EQ(text->NarrowText(), "HELLO 0");
    project.SetDisplayLanguage(99); // out of range: language 0, not a crash
    text->LoadResource();
    EXPECT_EQ(text->NarrowText(), "HELLO 0");

    // With wide texts the display texts are shown.
    StringRecord& store = text->TextStore();
    store.wideTexts[0] = u"hello";
    store.displayTexts[0] = u"hello";
    store.displayTexts[1] = u"bonjour";
    project.SetDisplayLanguage(1);
    text->LoadResource();
    EXPECT_TRUE(text->IsWideText());
    EXPECT_EQ(text->Text(), u"bonjour");
    project.SetDisplayLanguage(2);
    text->LoadResource();
    EXPECT_EQ(text->Text(), u"hello");
}

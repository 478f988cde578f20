// Checks the bundled example project: its project file is in the exact form the writer prints,
// and everything it names exists and agrees with itself.
#include "projectfile/ElementClassTable.h"

#include "components/visual/CxImage.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kProjectDir = std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo";
const std::string kProjectFile = kProjectDir + "/demo.ui";

// Returns the "value" of the first child "property" named `name`, or nothing.
std::optional<std::string> propertyValue(const TiXmlElement& node, const std::string& name)
{
    for (const TiXmlElement* p = node.FirstChildElement("property"); p != nullptr;
         p = p->NextSiblingElement("property")) {
        if (p->Attribute("name") != nullptr && name == p->Attribute("name")) {
            const char* value = p->Attribute("value");
            return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    return std::nullopt;
}

int hexProperty(const TiXmlElement& node, const std::string& name)
{
    return static_cast<int>(
        std::strtol(propertyValue(node, name).value_or("").c_str(), nullptr, 16));
}

// What TinyXML prints for the document, with the CR LF line ends of the writer.
std::string printWithCrLf(const TiXmlDocument& document)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (stream == nullptr) {
        return {};
    }
    document.Print(stream);
    std::fclose(stream);
    std::string printed;
    for (std::size_t i = 0; i < size; ++i) {
        if (buffer[i] == '\n') {
            printed += '\r';
        }
        printed += buffer[i];
    }
    std::free(buffer);
    return printed;
}

// Returns the line of `text` that holds `offset`, without its line end.
std::string lineAround(const std::string& text, std::size_t offset)
{
    offset = std::min(offset, text.size());
    const std::size_t begin = text.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t start = begin == std::string::npos || offset == 0 ? 0 : begin + 1;
    const std::size_t end = text.find_first_of("\r\n", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

class DemoProjectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_document.LoadFile(kProjectFile, TIXML_ENCODING_UTF8))
            << m_document.ErrorDesc() << " at line " << m_document.ErrorRow();
        m_root = m_document.RootElement();
        ASSERT_NE(m_root, nullptr);
        m_caseDir = platform::resolveStoredPath(
            kProjectDir, propertyValue(*m_root, "prj_case_path").value_or(""));
    }

    // The "value" attributes of the resource section's children named `tag`, in order.
    std::vector<std::string> resourceValues(const char* tag) const
    {
        std::vector<std::string> values;
        const TiXmlElement* resource = m_root->FirstChildElement("resource");
        for (const TiXmlElement* e = resource != nullptr ? resource->FirstChildElement(tag)
                                                         : nullptr;
             e != nullptr; e = e->NextSiblingElement(tag)) {
            values.push_back(e->Attribute("value") != nullptr ? e->Attribute("value") : "");
        }
        return values;
    }

    // Calls `visit` for every element node below every scene, depth first.
    template <typename Visit>
    void forEachElement(const TiXmlElement& parent, Visit&& visit) const
    {
        for (const TiXmlElement* e = parent.FirstChildElement("element"); e != nullptr;
             e = e->NextSiblingElement("element")) {
            if (std::string(e->Attribute("class") ? e->Attribute("class") : "") != "layer") {
                visit(*e);
                forEachElement(*e, visit);
            }
        }
    }

    TiXmlDocument m_document;
    const TiXmlElement* m_root = nullptr;
    std::string m_caseDir;
};

// The names the string table defines, with their number of languages.
std::map<std::string, int> stringTableNames(const std::string& path)
{
    std::map<std::string, int> names;
    std::istringstream lines(platform::readFile(path).value_or(""));
    std::string line;
    std::string current;
    while (std::getline(lines, line)) {
        if (line.rfind("name=", 0) == 0) {
            current = line.substr(5, line.find_last_not_of('\r') - 4);
            names[current] = 0;
        } else if (line.rfind("string=", 0) == 0 && !current.empty()) {
            ++names[current];
        } else {
            current.clear();
        }
    }
    return names;
}

} // namespace

TEST_F(DemoProjectTest, ReprintsByteForByteInTheWritersForm)
{
    const std::optional<std::string> file = platform::readFile(kProjectFile);
    ASSERT_TRUE(file);
    const std::string printed = printWithCrLf(m_document);
    const auto [at, _] = std::mismatch(printed.begin(), printed.end(), file->begin(), file->end());
    EXPECT_TRUE(printed == *file) << "first difference in line "
                                  << 1 + std::count(printed.begin(), at, '\n') << ": printed \""
                                  << lineAround(printed, at - printed.begin()) << "\", file \""
                                  << lineAround(*file, at - printed.begin()) << "\"";
    EXPECT_STREQ(m_root->Value(), "ui-rad");
    EXPECT_STREQ(m_root->LastChild()->Value(), "resource");
}

TEST_F(DemoProjectTest, DirectoriesAndResourceFilesExistOnDisk)
{
    ASSERT_TRUE(platform::isDirectory(m_caseDir)) << m_caseDir;
    const std::string sdkDir =
        platform::resolveStoredPath(m_caseDir, propertyValue(*m_root, "prj_sdk_path").value_or(""));
    EXPECT_TRUE(platform::isDirectory(sdkDir)) << sdkDir;

    std::vector<std::string> files = resourceValues("picture");
    const std::vector<std::string> textFiles = resourceValues("txt");
    ASSERT_FALSE(files.empty());
    ASSERT_FALSE(textFiles.empty());
    files.insert(files.end(), textFiles.begin(), textFiles.end());
    for (const std::string& stored : files) {
        EXPECT_EQ(stored, platform::toLowerAscii(stored)) << "stored paths are lower case";
        EXPECT_EQ(stored.rfind(".\\", 0), 0u) << stored;
        EXPECT_TRUE(platform::isFile(platform::resolveStoredPath(m_caseDir, stored))) << stored;
    }
}

TEST_F(DemoProjectTest, ElementsAreUniqueRegisteredAndSizedLikeTheirPictures)
{
    const ElementClassTable classes;
    const std::vector<std::string> pictureList = resourceValues("picture");
    const std::set<std::string> pictures(pictureList.begin(), pictureList.end());
    const std::vector<std::string> stringList = resourceValues("string");
    const std::map<std::string, int> table =
        stringTableNames(platform::resolveStoredPath(m_caseDir, resourceValues("txt").at(0)));
    for (const std::string& id : stringList) {
        EXPECT_EQ(table.count(id) ? table.at(id) : 0, 3) << id << " needs three languages";
    }

    std::set<int> ids;
    int sceneCount = 0;
    for (const TiXmlElement* scene = m_root->FirstChildElement("scene"); scene != nullptr;
         scene = scene->NextSiblingElement("scene"), ++sceneCount) {
        EXPECT_TRUE(ids.insert(std::stoi(propertyValue(*scene, "id").value_or("-1"))).second);
        forEachElement(*scene, [&](const TiXmlElement& element) {
            const std::string name = propertyValue(element, "name").value_or("");
            EXPECT_TRUE(ids.insert(std::stoi(propertyValue(element, "id").value_or("-1"))).second)
                << name;
            const std::string className = element.Attribute("class");
            ASSERT_TRUE(classes.findWidgetType(className)) << className;
            const int type = *classes.findWidgetType(className);
            if (type == ElementClassTable::kString) {
                const std::string strid = propertyValue(element, "strid").value_or("");
                EXPECT_NE(std::find(stringList.begin(), stringList.end(), strid), stringList.end())
                    << name << ": " << strid;
            }
            if (type != ElementClassTable::kPicture && type != ElementClassTable::kPictureRegion) {
                return;
            }
            const TiXmlElement* layer = element.FirstChildElement("element");
            ASSERT_NE(layer, nullptr) << name;
            int frames = 0;
            for (const TiXmlElement* f = layer->FirstChildElement("property"); f != nullptr;
                 f = f->NextSiblingElement("property"), ++frames) {
                EXPECT_EQ(f->Attribute("name"), std::to_string(frames)) << name;
                EXPECT_TRUE(pictures.count(f->Attribute("value"))) << f->Attribute("value");
            }
            EXPECT_EQ(frames > 1, type == ElementClassTable::kPictureRegion) << name;

            // A save sizes a picture by its file and stores 0x10 (+1 with alpha) as its
            // visible byte; matching that now keeps the file unchanged through a save.
            CxImage::Info info;
            const std::string path =
                platform::resolveStoredPath(m_caseDir, propertyValue(*layer, "0").value_or(""));
            ASSERT_TRUE(CxImage::ReadSize(path, info)) << path;
            EXPECT_EQ(hexProperty(element, "width"), info.width) << name;
            EXPECT_EQ(hexProperty(element, "height"), info.height) << name;
            const int visible = hexProperty(element, "visible");
            EXPECT_TRUE(visible == 0 || visible == (info.hasAlpha ? 0x11 : 0x10)) << name;
        });
    }
    EXPECT_EQ(sceneCount, 3);
}

TEST_F(DemoProjectTest, LockedGroupsLockEveryGroupBelowThemAsALoadWould)
{
    const ElementClassTable classes;
    const auto isGroup = [&](const TiXmlElement& e) {
        return classes.findWidgetType(e.Attribute("class")) == ElementClassTable::kResourceGroup;
    };
    int lockedGroups = 0;
    int hiddenPictures = 0;
    for (const TiXmlElement* scene = m_root->FirstChildElement("scene"); scene != nullptr;
         scene = scene->NextSiblingElement("scene")) {
        forEachElement(*scene, [&](const TiXmlElement& element) {
            if (!isGroup(element)) {
                hiddenPictures += classes.findWidgetType(element.Attribute("class")) !=
                                      ElementClassTable::kString &&
                                  hexProperty(element, "visible") == 0;
                return;
            }
            if (propertyValue(element, "editable") != "0") {
                return;
            }
            ++lockedGroups;
            forEachElement(element, [&](const TiXmlElement& below) {
                if (isGroup(below)) {
                    EXPECT_EQ(propertyValue(below, "editable"), "0")
                        << propertyValue(below, "name").value_or("");
                }
            });
        });
    }
    EXPECT_GT(lockedGroups, 0);
    EXPECT_GT(hiddenPictures, 0);
}

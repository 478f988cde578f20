#include "model/ResourceSection.h"

#include "model/APStyleProject.h"
#include "platform/AsciiCase.h"
#include "model/Crc32Key.h"
#include "model/DocumentFile.h"
#include "platform/Trace.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <unordered_set>

namespace {

// Calls `visit` for every child `tag` that has a "value", in every "resource" of root.
template <typename Element, typename Visit>
void ForEachValued(Element& root, const char* tag, Visit visit)
{
    for (auto* section = root.FirstChildElement("resource"); section;
         section = section->NextSiblingElement("resource")) {
        for (auto* item = section->FirstChildElement(tag); item;
             item = item->NextSiblingElement(tag)) {
            if (const char* value = item->Attribute("value")) {
                visit(*item, std::string(value));
            }
        }
    }
}

int LayerIdOf(const TiXmlElement& picture)
{
    const char* text = picture.Attribute("LayerID");
    if (!text) {
        return 0;
    }
    const long long value = std::strtoll(text, nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void ReadPictures(APStyleProject& project, const TiXmlElement& root)
{
    PictureRegistry& pictures = project.Pictures();
    std::uint32_t number = 0;
    ForEachValued(root, "picture", [&](const TiXmlElement& item, const std::string& value) {
        bool fromCase = false;
        const std::string path = ResourceSection::StoredForm(project, value, true, &fromCase);
        if (fromCase) {
            project.SetModified(1);
        }
        if (pictures.Find(path) < 0) {
            pictures.Append(++number, path);
        }
        if (const int layer = LayerIdOf(item); layer != 0) {
            project.LayerMap()[path] = layer;
        }
    });
    if (!pictures.Empty()) {
        pictures.SetFirstNumber(pictures.Records().front().number);
        pictures.SetLastNumber(pictures.Records().back().number);
    }
}

void ReadStrings(APStyleProject& project, const TiXmlElement& root)
{
    StringRegistry& strings = project.Strings();
    std::uint32_t number = 0;
    // Listed twice gives two records: the lookup then finds the later one.
    ForEachValued(root, "string", [&](const TiXmlElement&, const std::string& value) {
        strings.Append(++number, value);
    });
    if (!strings.Empty()) {
        strings.SetFirstNumber(strings.Records().front().number);
        strings.SetLastNumber(strings.Records().back().number);
    }
}

void ReadTextFiles(APStyleProject& project, const TiXmlElement& root)
{
    std::unordered_set<std::uint32_t> seen;
    ForEachValued(root, "txt", [&](const TiXmlElement&, const std::string& value) {
        bool fromCase = false;
        std::string path = ResourceSection::StoredForm(project, value, true, &fromCase);
        if (fromCase) {
            project.SetModified(1);
        }
        if (seen.insert(Crc32Key(path)).second) {
            project.TextFiles().push_back(std::move(path));
        }
    });
}

} // namespace

std::string ResourceSection::StoredForm(const APStyleProject& project, const std::string& value,
                                        bool lowerCase, bool* fromCase)
{
    std::string path = value;
    const bool isCase = path.compare(0, 5, "$CASE") == 0;
    if (isCase) {
        path = project.MakeRelativePath(project.ResolvePath(path, false), false);
    }
    if (fromCase) {
        *fromCase = isCase;
    }
    return lowerCase ? platform::toLowerAscii(path) : path;
}

void ResourceSection::Read(APStyleProject& project, const TiXmlElement& root)
{
    project.Pictures().Clear();
    project.Strings().Clear();
    project.Strings().ClearLanguages();
    project.TextFiles().clear();
    project.LayerMap().clear();

    // New layer ids continue after the largest one in the file, so none repeats.
    int largest = 0;
    ForEachValued(root, "picture", [&](const TiXmlElement& item, const std::string&) {
        largest = std::max(largest, LayerIdOf(item));
    });
    project.SetNextLayerId(largest < INT_MAX ? largest + 1 : INT_MAX);

    ReadPictures(project, root);
    ReadStrings(project, root);
    ReadTextFiles(project, root);
}

bool ResourceSection::UpdateLayerIds(const APStyleProject& project, TiXmlDocument& document,
                                     int enableLayerId)
{
    platform::trace("UpdateDocResource\n");
    if (TiXmlElement* root = document.RootElement()) {
        const auto& layers = project.LayerMap();
        ForEachValued(*root, "picture", [&](TiXmlElement& item, const std::string& value) {
            if (enableLayerId != 1) {
                item.RemoveAttribute("LayerID");
                return;
            }
            const auto found = layers.find(StoredForm(project, value, true));
            item.SetAttribute("LayerID", found == layers.end() ? 0 : found->second);
        });
    }
    return model::WriteDocument(document, document.ValueStr());
}

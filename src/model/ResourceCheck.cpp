#include "model/ResourceCheck.h"

#include "platform/FileSystem.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <algorithm>

namespace {

void CopyTexts(const StringRecord& from, StringRecord& to)
{
    to.textCount = from.textCount;
    to.texts = from.texts;
    to.wideTexts = from.wideTexts;
    to.displayTexts = from.displayTexts;
}

template <typename Array>
bool AnyText(const Array& texts)
{
    return std::any_of(texts.begin(), texts.end(), [](const auto& t) { return !t.empty(); });
}

} // namespace

void ResourceCheck::MarkMissingPictures(APStyleProject& project)
{
    PictureRegistry& pictures = project.Pictures();
    auto& missing = pictures.Missing();
    missing.clear();
    const auto& records = pictures.Records();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!platform::isFile(project.ResolvePath(records[i].path, false))) {
            missing.push_back(pictures.FirstNumber() + static_cast<std::uint32_t>(i));
        }
    }
    if (!missing.empty()) {
        platform::interaction().showMessage(
            platform::uiText("某些图片无法找到，这些图片在列表中已显示红色！"));
    }
}

void ResourceCheck::MarkMissingStrings(APStyleProject& project, const StringFileImporter& importer)
{
    StringRegistry& strings = project.Strings();
    strings.Missing().clear();

    StringRegistry scratch;
    if (importer) {
        std::uint32_t nextId = 1;
        for (const std::string& file : project.TextFiles()) {
            nextId = importer(scratch, project.ResolvePath(file, false), nextId);
        }
    }
    for (StringRecord& record : strings.Records()) {
        const int found = scratch.Find(record.identifier);
        if (found >= 0) {
            CopyTexts(scratch.Records()[static_cast<std::size_t>(found)], record);
        }
    }
    // The project learns its language names from the same files.
    if (AnyText(scratch.LanguageNames())) {
        strings.LanguageNames() = scratch.LanguageNames();
    }
    if (AnyText(scratch.ColumnTitles())) {
        strings.ColumnTitles() = scratch.ColumnTitles();
    }

    for (const StringRecord& record : strings.Records()) {
        if (record.textCount == 0) {
            strings.Missing().push_back(record.number);
        }
    }
    if (!strings.Missing().empty()) {
        platform::interaction().showMessage(
            platform::uiText("某些字符串无法找到，这些字符串在列表中已显示红色！"));
    }
}

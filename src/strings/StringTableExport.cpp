#include "strings/StringTableExport.h"

#include "model/APStyleProject.h"
#include "model/Snapshot.h"
#include "model/StringRegistry.h"
#include "model/StringSnapShotItem.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace {

constexpr int kLanguages = StringRecord::kLanguages;

bool isMissing(const std::string& text)
{
    return text.empty();
}

std::string linesFromMarkers(std::string text)
{
    for (std::size_t at = text.find("[CR]"); at != std::string::npos; at = text.find("[CR]", at)) {
        text.replace(at, 4, "\n");
        ++at;
    }
    return text;
}

template <typename Visit>
void forStrings(const SnapItemList& items, Visit& visit)
{
    for (const auto& item : items) {
        if (item->IsDeleted()) {
            continue;
        }
        if (const auto* text = dynamic_cast<const StringSnapShotItem*>(item.get())) {
            visit(*text);
        }
        if (const SnapItemList* children = item->Children()) {
            forStrings(*children, visit);
        }
    }
}

} // namespace

StringTableExport::StringTableExport(const APStyleProject& project) : m_project(project)
{
    collectBudgets();
}

void StringTableExport::collectBudgets()
{
    auto visit = [this](const StringSnapShotItem& item) {
        const std::string& name = item.TextStore().identifier;
        if (name.empty()) {
            return;
        }
        const StringItemInfo info = item.StringInfo();
        const Budget budget{info.width, info.fontHeight};
        auto found = std::find_if(m_budgets.begin(), m_budgets.end(),
                                  [&](const auto& entry) { return entry.first == name; });
        if (found == m_budgets.end()) {
            m_budgets.emplace_back(name, budget);
        } else if (budget.width < found->second.width) {
            found->second = budget;
        }
    };
    for (const auto& scene : m_project.Scenes()) {
        if (!scene->IsDeleted()) {
            forStrings(scene->Elements(), visit);
        }
    }
}

std::string StringTableExport::WidthBudget(const std::string& identifier) const
{
    for (const auto& [name, budget] : m_budgets) {
        if (name == identifier) {
            return "width " + std::to_string(budget.width) + " px, font " +
                   std::to_string(budget.fontHeight) + " px";
        }
    }
    return {};
}

std::vector<int> StringTableExport::Languages() const
{
    const StringRegistry& strings = m_project.Strings();
    int count = 0;
    for (int k = 0; k < kLanguages; ++k) {
        if (!strings.LanguageNames()[k].empty() || !strings.ColumnTitles()[k].empty()) {
            count = k + 1;
        }
    }
    for (const StringRecord& record : strings.Records()) {
        for (int k = count; k < kLanguages; ++k) {
            if (!record.wideTexts[k].empty() || !record.texts[k].empty()) {
                count = k + 1;
            }
        }
    }
    std::vector<int> slots(static_cast<std::size_t>(std::max(count, 1)));
    for (std::size_t k = 0; k < slots.size(); ++k) {
        slots[k] = static_cast<int>(k);
    }
    return slots;
}

int StringTableExport::FindLanguage(const std::string& nameOrNumber) const
{
    const StringRegistry& strings = m_project.Strings();
    for (int k = 0; k < kLanguages; ++k) {
        if (nameOrNumber == strings.LanguageNames()[k] ||
            nameOrNumber == strings.ColumnTitles()[k]) {
            return nameOrNumber.empty() ? -1 : k;
        }
    }
    if (!nameOrNumber.empty() && nameOrNumber.size() <= 2 &&
        std::all_of(nameOrNumber.begin(), nameOrNumber.end(),
                    [](char c) { return c >= '0' && c <= '9'; })) {
        const int slot = std::stoi(nameOrNumber);
        return slot < kLanguages ? slot : -1;
    }
    return -1;
}

std::string StringTableExport::LanguageTitle(int slot) const
{
    const StringRegistry& strings = m_project.Strings();
    const auto k = static_cast<std::size_t>(slot);
    // "Check" and "String" would be read back as columns without a language.
    for (const std::string& title : {strings.LanguageNames()[k], strings.ColumnTitles()[k]}) {
        if (!title.empty() && title != "Check" && title != "String") {
            return title;
        }
    }
    return "Language " + std::to_string(slot);
}

std::string StringTableExport::CellText(const StringRecord& record, int slot)
{
    const auto k = static_cast<std::size_t>(slot);
    std::string text =
        record.wideTexts[k].empty() ? record.texts[k] : platform::utf16ToUtf8(record.wideTexts[k]);
    // The import reads an empty cell as "N/A": a missing text stays missing.
    if (text == "N/A") {
        text.clear();
    }
    return linesFromMarkers(std::move(text));
}

StringTableExport::Table StringTableExport::Build(const std::vector<int>& languages,
                                                  bool missingOnly) const
{
    const StringRegistry& strings = m_project.Strings();
    std::vector<std::string> header{m_project.SpreadsheetFlag() == 1 ? "ResID([CR]:n)" : "ResID"};
    std::vector<std::string> names{"[RESLAN]"};
    for (const int slot : languages) {
        header.push_back(LanguageTitle(slot));
        names.push_back(strings.LanguageNames()[static_cast<std::size_t>(slot)]);
    }
    header.push_back("Check");
    names.emplace_back();
    Table table{std::move(header), std::move(names)};
    for (const StringRecord& record : strings.Records()) {
        std::vector<std::string> row{record.identifier};
        bool missing = false;
        for (const int slot : languages) {
            row.push_back(CellText(record, slot));
            missing = missing || isMissing(row.back());
        }
        if (missingOnly && !missing) {
            continue;
        }
        row.push_back(WidthBudget(record.identifier));
        table.push_back(std::move(row));
    }
    return table;
}

#include "editing/GridPages.h"

#include "editing/ChangeFeed.h"
#include "editing/ElementEdit.h"
#include "editing/ProjectTree.h"
#include "model/APStyleProject.h"
#include "model/ProjectPropertyDesc.h"
#include "model/SnapItemAttr.h"
#include "model/Snapshot.h"
#include "model/StringRecord.h"

#include <algorithm>

namespace editing {

namespace {

// Cell types as the property grid numbers them.
constexpr std::uint32_t kReadOnly = 1;
constexpr std::uint32_t kEdit = 2;
constexpr std::uint32_t kDropList = 8;
constexpr std::uint32_t kButton = 32;

// The display languages when the string table names none.
const std::vector<std::string> kDefaultLanguages = {"English", "Simplified Chinese",
                                                    "Traditional Chinese"};

template <typename Rule>
const Rule* FindById(const std::vector<Rule>& rules, std::int32_t id)
{
    const auto it =
        std::find_if(rules.begin(), rules.end(), [id](const Rule& rule) { return rule.id == id; });
    return it == rules.end() ? nullptr : &*it;
}

// The label of row `id` of a model's descriptor table of `count` rows.
template <typename Desc>
std::string LabelById(const Desc* table, int count, std::int32_t id)
{
    const auto it =
        std::find_if(table, table + count, [id](const Desc& desc) { return desc.id == id; });
    return it == table + count ? std::string() : std::string(it->label);
}

std::string Decimal(long long value)
{
    return std::to_string(value);
}

// A path in the form the project file stores it (a project made in memory has no
// directories to be relative to yet).
std::string Stored(const APStyleProject& p, const std::string& path)
{
    return p.CaseDir().empty() ? path : p.MakeRelativePath(path, false);
}

// Stores `value` into `field` of the project; a changed value marks the project modified.
template <typename Field, typename Value>
bool Store(APStyleProject& p, Field& field, const Value& value)
{
    if (field != value) {
        field = value;
        p.SetModified(1);
    }
    return true;
}

std::vector<std::string> Languages(const APStyleProject& p)
{
    std::vector<std::string> names;
    for (const std::string& name : p.Strings().LanguageNames()) {
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    return names.empty() ? kDefaultLanguages : names;
}

std::string Language(const APStyleProject& p)
{
    const auto& names = p.Strings().LanguageNames();
    const int index = p.DisplayLanguage();
    if (index >= 0 && index < StringRecord::kLanguages && !names[index].empty()) {
        return names[static_cast<std::size_t>(index)];
    }
    return index >= 0 && index < 3 ? kDefaultLanguages[static_cast<std::size_t>(index)]
                                   : std::string();
}

bool SetLanguage(APStyleProject& p, ProjectTree&, const std::string& text)
{
    const std::vector<std::string> items = Languages(p);
    const auto index = std::find(items.begin(), items.end(), text) - items.begin();
    p.SetDisplayLanguage(static_cast<std::int32_t>(index));
    p.SetModified(1);
    ReloadTopLevel(p);
    PostChange(Change::Redraw());
    return true;
}

bool SetScreenSize(APStyleProject& p, bool width, const std::string& text)
{
    const std::int32_t value = ParseDecimalText(text);
    width ? p.SetScreenWidth(value) : p.SetScreenHeight(value);
    p.SetModified(1);
    PostChange(Change::Resize(p.ScreenWidth(), p.ScreenHeight()));
    return true;
}

// Rows filled by the grid's buttons (choosers): shown, never typed into.
ProjectRowRule ButtonRow(std::int32_t id, std::string (*read)(const APStyleProject&))
{
    return {id, kReadOnly, kButton, false, read, nullptr, nullptr};
}

std::vector<ProjectRowRule> MakeProjectRows()
{
    return {
        {0, kEdit, kReadOnly, false, [](const APStyleProject& p) { return p.Name(); },
         [](APStyleProject& p, ProjectTree& tree, const std::string& text) {
             if (text != p.Name()) {
                 p.SetName(text);
                 tree.SetProjectLabel(p, text);
                 p.SetModified(1);
             }
             return true;
         },
         nullptr},
        {1, kDropList, kReadOnly, false, Language, SetLanguage, Languages},
        {2, kEdit, kReadOnly, false,
         [](const APStyleProject& p) { return Decimal(p.ScreenWidth()); },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return SetScreenSize(p, true, text);
         },
         nullptr},
        {3, kEdit, kReadOnly, false,
         [](const APStyleProject& p) { return Decimal(p.ScreenHeight()); },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return SetScreenSize(p, false, text);
         },
         nullptr},
        ButtonRow(4,
                  [](const APStyleProject& p) {
                      return p.ProjectDir().empty() ? p.CaseDir()
                                                    : p.MakeRelativePath(p.CaseDir(), true);
                  }),
        ButtonRow(7, [](const APStyleProject& p) { return Stored(p, p.ResourceFile()); }),
        ButtonRow(8, [](const APStyleProject& p) { return Stored(p, p.StringDir()); }),
        ButtonRow(9, [](const APStyleProject& p) { return Stored(p, p.StyleHeader()); }),
        ButtonRow(10, [](const APStyleProject& p) { return Stored(p, p.StyleFile()); }),
        {11, kDropList, kReadOnly, false,
         [](const APStyleProject& p) {
             return std::string(p.BuildResType() == 0 ? "Public" : "Private");
         },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             const std::int32_t type = text == "Public" ? 0 : 1;
             if (type != p.BuildResType()) {
                 p.SetBuildResType(type);
                 p.SetModified(1);
             }
             return true;
         },
         [](const APStyleProject&) {
             return std::vector<std::string>{"Public", "Private"};
         }},
        {13, kDropList, kReadOnly, false,
         [](const APStyleProject& p) { return std::string(p.Desktop().create ? "Yes" : "No"); },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().create, std::int32_t{text == "Yes" ? 1 : 0});
         },
         [](const APStyleProject&) {
             return std::vector<std::string>{"No", "Yes"};
         }},
        ButtonRow(14, [](const APStyleProject& p) { return Stored(p, p.Desktop().path); }),
        {15, kEdit, kReadOnly, false, [](const APStyleProject& p) { return p.Desktop().comment; },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().comment, text);
         },
         nullptr},
        {16, kEdit, kReadOnly, false, [](const APStyleProject& p) { return p.Desktop().execDir; },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().execDir, text);
         },
         nullptr},
        {17, kDropList, kReadOnly, false,
         [](const APStyleProject& p) {
             return std::string(p.Desktop().type == 0 ? "Application" : "Directory");
         },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().type, std::int32_t{text == "Directory" ? 1 : 0});
         },
         [](const APStyleProject&) {
             return std::vector<std::string>{"Application", "Directory"};
         }},
        {18, kEdit, kReadOnly, false, [](const APStyleProject& p) { return p.Desktop().child; },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().child, text);
         },
         nullptr},
        {19, kEdit, kReadOnly, false, [](const APStyleProject& p) { return p.Desktop().exec; },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().exec, text);
         },
         nullptr},
        {20, kEdit, kReadOnly, false,
         [](const APStyleProject& p) { return Decimal(p.Desktop().iconId); },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().iconId, ParseDecimalText(text));
         },
         nullptr},
        {21, kEdit, kReadOnly, false,
         [](const APStyleProject& p) { return Decimal(p.Desktop().icon); },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().icon, ParseDecimalText(text));
         },
         nullptr},
        {22, kEdit, kReadOnly, false,
         [](const APStyleProject& p) { return Decimal(p.Desktop().nameId); },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().nameId, ParseDecimalText(text));
         },
         nullptr},
        {23, kEdit, kReadOnly, false, [](const APStyleProject& p) { return p.Desktop().name; },
         [](APStyleProject& p, ProjectTree&, const std::string& text) {
             return Store(p, p.Desktop().name, text);
         },
         nullptr},
        ButtonRow(24, [](const APStyleProject& p) { return p.Desktop().nameStringId; }),
    };
}

} // namespace

const std::vector<SceneRowRule>& SceneRowRules()
{
    // Rows backed by the scene's root group edit that group (its own property ids), with an
    // undo record; the scene's own fields are plain settings.
    static const std::vector<SceneRowRule> rules = {
        {0, kEdit, nullptr, kReadOnly, -1, false},
        {2, kEdit, nullptr, kReadOnly, 2, true},
        {3, kEdit, nullptr, kReadOnly, 3, true},
        {4, kEdit, nullptr, kReadOnly, 4, true},
        {5, kEdit, nullptr, kReadOnly, 5, true},
        {6, kEdit, nullptr, kReadOnly, 6, true},
        {7, kEdit, "Click Browse..", kButton, 7, true},
        {8, kDropList, nullptr, kReadOnly, 11, true},
        {9, kReadOnly, nullptr, kReadOnly, -1, false},
        {10, kDropList, nullptr, kReadOnly, 10, true},
        {11, kDropList, nullptr, kReadOnly, -1, false},
    };
    return rules;
}

const SceneRowRule* FindSceneRowRule(std::int32_t id)
{
    return FindById(SceneRowRules(), id);
}

std::string SceneRowLabel(std::int32_t id)
{
    return LabelById(Snapshot::SceneDescTable(), Snapshot::kDescCount, id);
}

const std::vector<ProjectRowRule>& ProjectRowRules()
{
    static const std::vector<ProjectRowRule> rules = MakeProjectRows();
    return rules;
}

const ProjectRowRule* FindProjectRowRule(std::int32_t id)
{
    return FindById(ProjectRowRules(), id);
}

std::string ProjectRowLabel(std::int32_t id)
{
    return LabelById(ProjectPropertyTable(), kProjectPropertyCount, id);
}

const std::vector<std::string>& SceneRotations()
{
    static const std::vector<std::string> rotations = {"0 Degree", "90 Degree", "180 Degree",
                                                       "270 Degree"};
    return rotations;
}

} // namespace editing

#include "editing/TextCheckRows.h"

#include "editing/ChangeFeed.h"
#include "editing/ElementEdit.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "platform/UiText.h"
#include "textcheck/LineMeasurer.h"
#include "textcheck/TextFitInput.h"

#include <algorithm>

namespace editing {
namespace {

std::string Size(int width, int height)
{
    return std::to_string(width) + "×" + std::to_string(height);
}

std::string OverflowDetail(const textcheck::TextFitReport::Overflow& o)
{
    std::string detail = platform::formatText(platform::uiText("需要 %s，可用 %s："),
                                              Size(o.neededWidth, o.neededHeight).c_str(),
                                              Size(o.width, o.height).c_str());
    const bool wide = !o.scrolls && o.neededWidth > o.width;
    if (wide) {
        detail += platform::formatText(platform::uiText("宽出 %d 像素"), o.neededWidth - o.width);
    }
    if (o.neededHeight > o.height) {
        detail += std::string(wide ? platform::uiText("，") : "") +
                  platform::formatText(platform::uiText("高出 %d 像素"), o.neededHeight - o.height);
    }
    return detail + "  \"" + o.text + "\"";
}

} // namespace

std::string TextCheckRows::ColumnTitle(int column)
{
    switch (column) {
    case kProblem:
        return platform::uiText("问题");
    case kWhere:
        return platform::uiText("位置");
    case kLanguage:
        return platform::uiText("语言");
    default:
        return platform::uiText("详情");
    }
}

void TextCheckRows::Clear()
{
    m_rows.clear();
    m_problems = 0;
}

void TextCheckRows::SetReport(const textcheck::TextFitReport& report)
{
    Clear();
    for (const auto& o : report.overflows) {
        m_rows.push_back(
            {{platform::uiText("溢出"), o.element, o.language, OverflowDetail(o)},
             o.key,
             o.slot == textcheck::TextFitInput::kNoSlot ? -1 : static_cast<int>(o.slot)});
    }
    for (const auto& g : report.missingGlyphs) {
        m_rows.push_back(
            {{platform::uiText("缺少字形"), g.element, g.language,
              platform::formatText(platform::uiText("%s \"%s\"：%s"),
                                   textcheck::CodePointName(g.character).c_str(),
                                   textcheck::EncodeUtf8(g.character).c_str(), g.font.c_str())},
             nullptr,
             -1});
    }
    for (const std::string& element : report.unbound) {
        m_rows.push_back({{platform::uiText("未绑定字符串"), element, "",
                           platform::uiText("字符串元素没有绑定字符串")},
                          nullptr,
                          -1});
    }
    for (const auto& m : report.missingTexts) {
        const std::string reason = m.reason == "empty" ? platform::uiText("空")
                                   : m.reason == "untranslated"
                                       ? platform::uiText("未翻译（各语言相同）")
                                       : m.reason;
        m_rows.push_back(
            {{platform::uiText("缺少译文"), m.string, m.language, reason}, nullptr, -1});
    }
    m_problems = report.ProblemCount();
}

std::string TextCheckRows::Summary() const
{
    return m_problems == 0 ? platform::uiText("没有发现问题")
                           : platform::formatText(platform::uiText("%zu 个问题"), m_problems);
}

SnapShotItem* TextCheckRows::Live(Workspace& ws, const void* element) const
{
    // The pointer is compared only: the element may have gone with its project.
    if (!element || !ws.Tree().FindNode(element)) {
        return nullptr;
    }
    auto* item = static_cast<SnapShotItem*>(const_cast<void*>(element));
    return item->IsDeleted() ? nullptr : item;
}

std::vector<SnapShotItem*> TextCheckRows::Overflowing(Workspace& ws) const
{
    std::vector<SnapShotItem*> elements;
    for (const Row& row : m_rows) {
        SnapShotItem* element = Live(ws, row.element);
        if (element && std::find(elements.begin(), elements.end(), element) == elements.end()) {
            elements.push_back(element);
        }
    }
    return elements;
}

SnapShotItem* TextCheckRows::Open(Workspace& ws, int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return nullptr;
    }
    SnapShotItem* element = Live(ws, m_rows[static_cast<std::size_t>(row)].element);
    APStyleProject* project = ws.CurrentProject();
    if (!element || !project) {
        return nullptr;
    }
    const ChangeBatch batch(ws.Feed());
    const int slot = m_rows[static_cast<std::size_t>(row)].slot;
    if (slot >= 0 && slot != project->DisplayLanguage()) {
        project->SetDisplayLanguage(slot);
        project->SetModified(1);
        ReloadTopLevel(*project);
        PostChange(Change::Redraw());
    }
    ws.Select(element);
    return element;
}

} // namespace editing

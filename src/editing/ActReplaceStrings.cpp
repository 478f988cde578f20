#include "editing/ActReplaceStrings.h"

#include "editing/ChangeFeed.h"
#include "model/APStyleProject.h"
#include "model/Snapshot.h"
#include "model/StringSnapShotItem.h"

namespace {

// Every string element, deleted ones too: an undo may bring them back.
void collect(const SnapItemList& items, std::vector<StringSnapShotItem*>& into)
{
    for (const auto& item : items) {
        if (auto* text = dynamic_cast<StringSnapShotItem*>(item.get())) {
            into.push_back(text);
        }
        if (const SnapItemList* children = item->Children()) {
            collect(*children, into);
        }
    }
}

} // namespace

ActReplaceStrings::ActReplaceStrings(APStyleProject* project) : ActProjectStack(project)
{
    for (const auto& scene : project->Scenes()) {
        collect(scene->Elements(), m_elements);
    }
}

ActReplaceStrings::State ActReplaceStrings::capture() const
{
    State state;
    state.strings = m_project->Strings();
    state.textFiles = m_project->TextFiles();
    state.spreadsheetFlag = m_project->SpreadsheetFlag();
    for (const StringSnapShotItem* element : m_elements) {
        state.elements.emplace_back(element->TextStore(), element->StringInfo());
    }
    return state;
}

void ActReplaceStrings::restore(const State& state)
{
    m_project->Strings() = state.strings;
    m_project->TextFiles() = state.textFiles;
    m_project->SetSpreadsheetFlag(state.spreadsheetFlag);
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        m_elements[i]->TextStore() = state.elements[i].first;
        m_elements[i]->SetStringInfo(state.elements[i].second);
        m_elements[i]->LoadResource();
    }
    // The resource panel lists the strings again, the surface shows the texts.
    editing::PostChange(editing::Change{editing::ChangeKind::Resources});
    editing::PostChange(editing::Change::Redraw());
}

void ActReplaceStrings::CaptureBefore()
{
    m_before = capture();
}

void ActReplaceStrings::CaptureAfter()
{
    m_after = capture();
}

void ActReplaceStrings::Undo()
{
    restore(m_before);
}

void ActReplaceStrings::Redo()
{
    restore(m_after);
}

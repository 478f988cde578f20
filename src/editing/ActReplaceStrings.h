#pragma once

#include "editing/ActProjectStack.h"
#include "model/StringItemInfo.h"
#include "model/StringRegistry.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class StringSnapShotItem;

// Records the adding of string files as one step: the project's string list, its string
// files and "[CR]" flag, and what every string element holds of them, before and after.
class ActReplaceStrings : public ActProjectStack
{
public:
    explicit ActReplaceStrings(APStyleProject* project);

    void CaptureBefore();
    void CaptureAfter();

    void Undo() override;
    void Redo() override;

private:
    struct State
    {
        StringRegistry strings;
        std::vector<std::string> textFiles;
        std::int32_t spreadsheetFlag = 0;
        std::vector<std::pair<StringRecord, StringItemInfo>> elements;
    };
    State capture() const;
    void restore(const State& state);

    std::vector<StringSnapShotItem*> m_elements;
    State m_before;
    State m_after;
};

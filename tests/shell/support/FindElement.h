#pragma once

#include "model/SnapShotItem.h"

#include <string>

// The live element named `name` at or below `element`, depth first, or null.
inline SnapShotItem* findElement(SnapShotItem& element, const std::string& name)
{
    if (element.IsDeleted()) {
        return nullptr;
    }
    if (element.Name() == name) {
        return &element;
    }
    if (const SnapItemList* children = element.Children()) {
        for (const auto& child : *children) {
            if (SnapShotItem* found = findElement(*child, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

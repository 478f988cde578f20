#pragma once

#include "model/SnapShotItem.h"

#include <memory>

class SnapShotItemKind;

// Creation of new elements, shared by the scene's and the resource group's AddChild.
namespace model {

// True for the kind codes AddChild makes: 1 picture or region, 2 string, 3 group.
bool IsElementKind(int kind);

// Returns a new element of `kind` (a picture when `single` is set, else a region,
// for kind 1), or null for any other kind. It takes the next identifier of the
// current project, `parent` (null at the top of a scene), the generated name
// ("Picture%02d", "PicRegion%02d", "String%02d", "ResGroup%02d" of the identifier)
// and its rows. The caller owns it.
std::unique_ptr<SnapShotItemKind> CreateElement(int kind, int single, SnapShotItem* parent);

// Gives `element`, just stored in `siblings`, a name no live sibling has: "_1" is
// appended when its name or NameHash is taken, then "_2" and so on while the
// result is still taken.
void AvoidSiblingNameClash(SnapShotItemKind& element, const SnapItemList& siblings);

} // namespace model

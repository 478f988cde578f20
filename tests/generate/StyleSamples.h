#pragma once

#include "generate/StyleRecords.h"

#include <string>
#include <vector>

// A small project's style content: scene "Main" (group "Panel" with region "Anim" of three
// frames and picture "Logo", then string "Title") and scene "Setup" (an empty top-level
// container, then one holding string "Hint").
generate::StyleFileContent sampleStyleContent();

// The scene and element names of sampleStyleContent(), in walking order.
std::vector<std::string> sampleStyleNames();

generate::StyleStringRecord sampleString(const std::string& name);
generate::StylePictureRecord sampleRegion(const std::string& name, std::size_t frames);

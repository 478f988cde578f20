#include "StyleSamples.h"

#include "model/NameHash.h"

using namespace generate;

StyleStringRecord sampleString(const std::string& name)
{
    StyleStringRecord text;
    text.nameHash = NameHash(name);
    text.x = -4;
    text.y = 30;
    text.width = 100;
    text.height = 20;
    text.foregroundColour = 0x00332211;
    text.backgroundColour = 0x00FFFFFF;
    text.alignment = 0x0E;
    text.mode = 1;
    text.fontHeight = 16;
    text.stringId = 10002;
    text.scrollSign = -1;
    text.scrollInterval = 100;
    text.scrollPixels = 1;
    return text;
}

StylePictureRecord sampleRegion(const std::string& name, std::size_t frames)
{
    StylePictureRecord region;
    region.region = true;
    region.nameHash = NameHash(name);
    region.width = 48;
    region.height = 48;
    for (std::size_t i = 0; i < frames; ++i) {
        region.frameIds.push_back(static_cast<std::uint16_t>(10001 + i));
    }
    return region;
}

StyleFileContent sampleStyleContent()
{
    StylePictureRecord logo;
    logo.nameHash = NameHash("Logo");
    logo.x = 8;
    logo.y = 2;
    logo.width = 64;
    logo.height = 32;
    logo.pictureId = 10004;

    StyleGroupRecord panel;
    panel.nameHash = NameHash("Panel");
    panel.left = 10;
    panel.top = 20;
    panel.block = {0, 10, 200, 100, 0x00C8C8C8, 1, 0, 255, 0};
    panel.members = {{sampleRegion("Anim", 3)}, {logo}};

    StyleTopContainer mainContainer;
    mainContainer.block = {10, 10, 320, 240, 0x00112233, 1, 1, 0, 0};
    mainContainer.direction = 1;
    for (std::size_t k = 0; k < mainContainer.keys.size(); ++k) {
        mainContainer.keys[k] = static_cast<std::uint8_t>(k + 1);
    }
    mainContainer.members = {{panel}, {sampleString("Title")}};

    StyleTopContainer hintContainer;
    hintContainer.members = {{sampleString("Hint")}};

    StyleFileContent content;
    content.firstWord = kStyleMagicLoadedProject;
    content.screenWidth = 320;
    content.screenHeight = 240;
    content.scenes = {{NameHash("Main"), {mainContainer}},
                      {NameHash("Setup"), {StyleTopContainer{}, hintContainer}}};
    return content;
}

std::vector<std::string> sampleStyleNames()
{
    return {"Main", "Panel", "Anim", "Logo", "Title", "Setup", "Hint"};
}

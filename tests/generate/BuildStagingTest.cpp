// The outputs of one build replace the previous ones together: a build that cannot put one of
// them in place leaves every earlier output byte for byte, and no staging folder behind.
#include "generate/ResourceBuildFixture.h"

#include "components/PackingTestPictures.h"
#include "platform/FileSystem.h"

#include <filesystem>

namespace fs = std::filesystem;
using Outcome = generate::ResourceBuild::Outcome;
using packingtest::gradient;

TEST_F(ResourceBuildTest, AnOutputThatCannotBeReplacedLeavesEveryOutputAsItWas)
{
    addPicture("a.png", gradient(4, 3));
    addStrings({{"OK", "OK", "好"}});
    m_options.compress = true;
    m_options.splitSize = 64;
    ASSERT_EQ(Outcome::Built, build());
    // The Chinese string file cannot be replaced: a folder stands in its place.
    fs::remove(path("case/out/t.Chinese"));
    fs::create_directories(path("case/out/t.Chinese"));
    const auto before = filesBelow(path("case/out"));
    ASSERT_EQ(before.count("t.English"), 1u);
    ASSERT_EQ(before.count("style0/t.res"), 1u);
    ASSERT_EQ(before.count("strvalue.txt"), 1u);

    addPicture("b.png", gradient(9, 7));
    addStrings({{"NO", "No", "不"}});
    m_ui.clear();
    EXPECT_EQ(Outcome::Stopped, build());
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_NE(m_ui.messages()[0].find("t.Chinese"), std::string::npos) << m_ui.messages()[0];
    EXPECT_EQ(filesBelow(path("case/out")), before);

    // Once the folder is gone the same build goes through.
    fs::remove(path("case/out/t.Chinese"));
    EXPECT_EQ(Outcome::Built, build());
    const auto after = filesBelow(path("case/out"));
    EXPECT_EQ(after.count("staging"), 0u);
    EXPECT_EQ(after.count("t.Chinese"), 1u);
    EXPECT_NE(after.at("style0/t.res"), before.at("style0/t.res"));
}

TEST_F(ResourceBuildTest, ARebuildWithoutSplittingRemovesTheEarlierParts)
{
    addPicture("a.png", gradient(6, 4));
    addPicture("b.png", gradient(7, 4));
    addPicture("c.png", gradient(8, 4));
    m_options.compress = true;
    m_options.splitSize = 1;
    ASSERT_EQ(Outcome::Built, build());
    for (const char* part : {"t_0.res", "t_1.res", "t_2.res"}) {
        EXPECT_TRUE(platform::isFile(path(std::string("case/out/style0/") + part))) << part;
    }
    // Files that only look alike are not parts.
    ASSERT_TRUE(platform::writeFileAtomically(path("case/out/style0/t_x.res"), "keep"));
    ASSERT_TRUE(platform::writeFileAtomically(path("case/out/style0/t_1.resx"), "keep"));

    m_options.splitSize = 0;
    ASSERT_EQ(Outcome::Built, build());
    const auto files = filesBelow(path("case/out/style0"));
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"t.res", "t_1.resx", "t_x.res"}));
}

// A cancelled build stops at the next check, says nothing and replaces none of the previous
// outputs: whichever check the cancel arrives at, every file is as the last build left it.
#include "generate/ResourceBuildFixture.h"

#include "components/PackingTestPictures.h"
#include "components/packing/CZorRes.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <memory>

using Outcome = generate::ResourceBuild::Outcome;
using packingtest::gradient;

namespace {

// A cancel check that says "stop" from its (n+1)-th call on; safe on the packer's threads.
std::function<bool()> cancelAfter(int checks, std::shared_ptr<std::atomic<int>> calls)
{
    return [checks, calls] { return calls->fetch_add(1) >= checks; };
}

} // namespace

class BuildCancelTest : public ResourceBuildTest
{
protected:
    // Builds once, changes the project so that the next build would write other files, then
    // cancels at the first, second, ... check until a build gets through uncancelled. Every
    // cancelled run must leave every file under the temporary directory as it was. Returns
    // the number of checks the uncancelled build asked.
    int cancelAtEveryCheck()
    {
        addPicture("a.png", gradient(5, 3), 100);
        addPicture("b.png", gradient(6, 4), 120);
        addStrings({{"OK", "OK", "好"}});
        if (build() != Outcome::Built) {
            ADD_FAILURE() << ::testing::PrintToString(m_errors);
            return 0;
        }
        addPicture("c.png", gradient(9, 7), 130);
        addPicture("d.png", gradient(3, 8), 5);
        addStrings({{"NO", "No", "不"}});
        const auto before = filesBelow(m_dir.path());

        for (int checks = 0; checks < 1000; ++checks) {
            auto calls = std::make_shared<std::atomic<int>>(0);
            m_options.cancelRequested = cancelAfter(checks, calls);
            m_ui.clear();
            const Outcome outcome = build();
            if (outcome == Outcome::Built) {
                EXPECT_NE(filesBelow(m_dir.path()), before);
                return checks;
            }
            EXPECT_EQ(Outcome::Cancelled, outcome) << "cancelled at check " << checks;
            // Cancelling is no failure: nothing to show, nothing recorded.
            EXPECT_TRUE(m_ui.messages().empty()) << m_ui.messages().front();
            EXPECT_TRUE(m_errors.empty()) << m_errors.front();
            EXPECT_EQ(filesBelow(m_dir.path()), before) << "cancelled at check " << checks;
            if (::testing::Test::HasFailure()) {
                return checks;
            }
        }
        ADD_FAILURE() << "the build never got through";
        return 0;
    }
};

TEST_F(BuildCancelTest, CancelledPlainBuildReplacesNothing)
{
    // Before the resources are checked, after the save question, after style generation,
    // between pictures, before saving, between strings, before the converter and the commit.
    EXPECT_GE(cancelAtEveryCheck(), 8);
}

TEST_F(BuildCancelTest, CancelledCompressedSplitBuildReplacesNothing)
{
    m_options.compress = true;
    m_options.splitSize = 64;
    EXPECT_GE(cancelAtEveryCheck(), 8);
}

TEST_F(BuildCancelTest, CancelledSplitPackBuildReplacesNothing)
{
    m_options.compress = true;
    m_options.splitPackStart = 110;
    m_options.debugMode = true;
    EXPECT_GE(cancelAtEveryCheck(), 8);
}

TEST_F(BuildCancelTest, CancelBeforeTheStartTouchesNothingAndAsksNothing)
{
    addPicture("a.png", gradient(4, 4));
    m_project.SetModified(1);
    m_options.cancelRequested = [] { return true; };
    EXPECT_EQ(Outcome::Cancelled, build());
    EXPECT_TRUE(m_ui.records().empty());
    EXPECT_EQ(0, m_style.styleRuns);
    EXPECT_FALSE(platform::isFile(resFile()));
}

TEST(PackerCancel, PicturesAfterTheCancelAreRefusedUnread)
{
    platform::TemporaryDirectory dir("packcancel");
    std::vector<packing::PictureRequest> requests(3);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        requests[i].name = "PIC" + std::to_string(i + 1);
        requests[i].path = dir.filePath("missing" + std::to_string(i) + ".png");
    }
    CZorRes packer;
    packer.SetCancelCheck([] { return true; });
    std::vector<std::string> refusals;
    const std::vector<int> results = packer.AddPictures(requests, {}, &refusals);
    EXPECT_EQ(results, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(refusals, (std::vector<std::string>{"cancelled", "cancelled", "cancelled"}));
    EXPECT_EQ(0, packer.GetResNum());
}

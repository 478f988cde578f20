#include "platform/MainWindowSink.h"
#include "platform/ScriptedInteraction.h"
#include "platform/Trace.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <thread>

using namespace platform;

TEST(InteractionSeam, UnattendedAnswersDefaultsCancelsChoosersAndEchoesLines)
{
    std::ostringstream out;
    ScriptedInteraction headless(out);
    ScopedInteraction scope(headless);

    interaction().showMessage("无法添加文件：a.png", "SkinSmith", MessageIcon::Error);
    EXPECT_EQ(interaction().askYesNo("save?", "", Answer::No), Answer::No);
    EXPECT_EQ(interaction().askYesNoCancel("close?", "", Answer::Cancel), Answer::Cancel);
    EXPECT_FALSE(interaction().chooseFolder("Case", "/tmp").has_value());
    EXPECT_TRUE(interaction().chooseFiles("", "Pictures", "").empty());
    EXPECT_FALSE(interaction().chooseColour(0xFF).has_value());
    interaction().progress().setPhase("校验");
    interaction().progress().setPhase("校验");
    interaction().progress().setPosition(40);
    EXPECT_EQ(out.str(), "message: 无法添加文件：a.png\n"
                         "question: save? -> no\n"
                         "question: close? -> cancel\n"
                         "folder chooser cancelled: Case\n"
                         "file chooser cancelled: Pictures\n"
                         "校验\n");
}

TEST(InteractionSeam, EchoLevelsProgressBarAndNoLog)
{
    std::ostringstream out;
    ScriptedInteraction quiet;
    quiet.keepRecords(false);
    quiet.echoTo(&out, ScriptedInteraction::Echo::Messages);
    quiet.queueAnswer(Answer::Yes);
    EXPECT_EQ(quiet.askYesNo("sure?", "", Answer::No), Answer::Yes);
    quiet.showMessage("only this");
    quiet.progress().setPhase("打包");
    EXPECT_EQ(out.str(), "message: only this\n");
    EXPECT_TRUE(quiet.records().empty());
    EXPECT_TRUE(quiet.phases().empty());

    std::ostringstream bar;
    ScriptedInteraction terminal;
    terminal.echoTo(&bar);
    terminal.echoProgress(ScriptedInteraction::ProgressEcho::Bar);
    ProgressReporter& progress = terminal.progress();
    progress.setPhase("打包");
    progress.setRange(0, 10);
    progress.setPosition(5);
    progress.setPosition(5);
    progress.setPosition(10);
    progress.finish();
    EXPECT_EQ(bar.str(), "\r打包 [###############               ] 50%"
                         "\r打包 [##############################] 100%\n");
    EXPECT_EQ(terminal.phases(), std::vector<std::string>{"打包"});
    EXPECT_EQ(terminal.lastPosition(), 10);
}

TEST(InteractionSeam, ScriptedQueuesAnswersAndRecords)
{
    ScriptedInteraction scripted;
    ScopedInteraction scope(scripted);
    scripted.queueAnswer(Answer::Yes);
    scripted.queuePath("/data/case");
    scripted.queueCancel();

    EXPECT_EQ(interaction().askYesNoCancel("q1", "", Answer::Cancel), Answer::Yes);
    EXPECT_EQ(interaction().askYesNoCancel("q2", "", Answer::Cancel), Answer::Cancel);
    EXPECT_EQ(interaction().chooseFolder("t", ""), std::optional<std::string>("/data/case"));
    EXPECT_FALSE(interaction().chooseFile(FileChooserMode::Open, "", "t", "").has_value());
    interaction().showMessage("done");
    EXPECT_EQ(scripted.messages(), std::vector<std::string>{"done"});
    EXPECT_EQ(scripted.questions(), (std::vector<std::string>{"q1", "q2"}));
}

TEST(InteractionSeam, ScopedInteractionRestoresPrevious)
{
    ScriptedInteraction outer;
    ScopedInteraction outerScope(outer);
    {
        ScriptedInteraction inner;
        ScopedInteraction innerScope(inner);
        interaction().showMessage("inner");
    }
    interaction().showMessage("outer");
    EXPECT_EQ(outer.messages(), std::vector<std::string>{"outer"});
}

TEST(InteractionSeam, ThreadInteractionServesItsThreadAlone)
{
    ScriptedInteraction shared;
    ScopedInteraction sharedScope(shared);
    ScriptedInteraction quiet;
    std::atomic<bool> installed{false};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        ScopedThreadInteraction scope(quiet);
        installed = true;
        interaction().showMessage("worker");
        while (!done) {
            std::this_thread::yield();
        }
    });
    while (!installed) {
        std::this_thread::yield();
    }
    interaction().showMessage("main");
    done = true;
    worker.join();
    EXPECT_EQ(shared.messages(), std::vector<std::string>{"main"});
    EXPECT_EQ(quiet.messages(), std::vector<std::string>{"worker"});
}

TEST(InteractionSeam, NotificationsAndTracesReachRecordersOnlyWhileInstalled)
{
    {
        RecordingMainWindowSink sink;
        RecordingTraceSink traces;
        notifyMainWindow(kMsgResizeSurface, 240, 320);
        notifyMainWindow(kMsgGenerationStep, 50, 0, "校验");
        trace("UpdateDocResource\n");
        ASSERT_EQ(sink.received().size(), 2u);
        EXPECT_EQ(sink.received()[0].first, 240);
        EXPECT_EQ(sink.received()[0].second, 320);
        EXPECT_EQ(sink.received()[1].text, "校验");
        EXPECT_EQ(sink.count(kMsgGenerationStep), 1);
        EXPECT_EQ(traces.lines(), std::vector<std::string>{"UpdateDocResource\n"});
    }
    EXPECT_EQ(mainWindowSink(), nullptr);
    notifyMainWindow(kMsgRedrawSurface); // dropped, must not crash
}

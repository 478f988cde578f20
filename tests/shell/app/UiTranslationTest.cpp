#include "DialogScript.h"
#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "platform/ActiveLanguage.h"
#include "platform/ScriptedInteraction.h"
#include "projectfile/SettingsAccessor.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CommandActions.h"
#include "shell/app/StartupOptions.h"
#include "shell/app/UiTranslation.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <filesystem>

using namespace editing::cmd;
using platform::UiLanguage;

class UiTranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void theEnglishCatalogueTranslatesTheWindowAndChineseRestoresIt();
    void theLanguageChosenInTheViewMenuIsKeptForTheNextStart();
    void aChoiceThatCannotBeSavedIsSaidAndNotShownAsMade();
    void langOptionOverridesTheStoredChoice();
};

namespace {

QStringList menuTitles(CMainFrame& frame)
{
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

std::string storedLanguage(const QString& programDirectory)
{
    const SettingsAccessor settings(programDirectory.toStdString() + "SkinSmith.ini");
    return settings.readText("CONFIG", "UI_LANGUAGE", "");
}

} // namespace

void UiTranslationTest::cleanup()
{
    UiTranslation::install(*qApp, UiLanguage::Chinese);
    platform::activateUiLanguage(UiLanguage::Chinese);
}

void UiTranslationTest::theEnglishCatalogueTranslatesTheWindowAndChineseRestoresIt()
{
    ExampleCopy example;
    QVERIFY(UiTranslation::install(*qApp, UiLanguage::English));
    {
        CMainFrame frame(programDirectory(example));
        QCOMPARE(menuTitles(frame).first(), QStringLiteral("&File"));
        QVERIFY(menuTitles(frame).contains(QStringLiteral("&View")));
        QCOMPARE(frame.propertyDock()->windowTitle(), QStringLiteral("Properties"));
        QCOMPARE(frame.actions().action(kAbout)->text(), QStringLiteral("&About SkinSmith..."));
    }
    // Installing again replaces the catalogue rather than stacking a second one.
    QVERIFY(UiTranslation::install(*qApp, UiLanguage::English));
    QVERIFY(UiTranslation::install(*qApp, UiLanguage::Chinese));
    CMainFrame frame(programDirectory(example));
    QCOMPARE(menuTitles(frame).first(), QStringLiteral("文件(&F)"));
    QCOMPARE(frame.propertyDock()->windowTitle(), QStringLiteral("属性"));
}

void UiTranslationTest::theLanguageChosenInTheViewMenuIsKeptForTheNextStart()
{
    ExampleCopy example;
    const QString program = programDirectory(example);
    platform::activateUiLanguage(UiLanguage::Chinese);
    platform::ScriptedInteraction ui;
    {
        // The frame installs its own interaction: the script's goes in after it.
        CMainFrame frame(program);
        platform::ScopedInteraction scope(ui);
        QVERIFY(frame.actions().action(kUiLanguageChinese)->isChecked());
        QVERIFY(!frame.actions().action(kUiLanguageEnglish)->isChecked());
        // The running language again: kept, nothing to say.
        QCOMPARE(frame.runCommand(kUiLanguageChinese), editing::CommandTable::Result::Ran);
        QCOMPARE(storedLanguage(program), std::string("zh"));
        QVERIFY(ui.messages().empty());

        frame.actions().action(kUiLanguageEnglish)->trigger();
        QCOMPARE(storedLanguage(program), std::string("en"));
        QCOMPARE(ui.messages().size(), std::size_t(1));
        QVERIFY(ui.messages().back().find("下次启动") != std::string::npos);
        QVERIFY(frame.actions().action(kUiLanguageEnglish)->isChecked());
        QVERIFY(!frame.actions().action(kUiLanguageChinese)->isChecked());
        // The submenu of 视图 holds both entries.
        QMenu* found = nullptr;
        for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>()) {
            if (menu->accessibleName() == QStringLiteral("语言")) {
                found = menu;
            }
        }
        QVERIFY(found);
        QCOMPARE(found->actions().size(), 2);
        QCOMPARE(found->actions().at(1)->text(), QStringLiteral("English"));
    }
    // The next start: the stored choice decides when --lang is not given.
    const std::string settings = program.toStdString() + "SkinSmith.ini";
    QCOMPARE(UiTranslation::choose("", settings), UiLanguage::English);
    CMainFrame restarted(program);
    QVERIFY(restarted.actions().action(kUiLanguageEnglish)->isChecked());
}

void UiTranslationTest::aChoiceThatCannotBeSavedIsSaidAndNotShownAsMade()
{
    ExampleCopy example;
    const QString program = programDirectory(example);
    // A folder where the settings file should be: nothing can be written to it.
    std::filesystem::create_directories(program.toStdString() + "SkinSmith.ini");
    platform::activateUiLanguage(UiLanguage::Chinese);
    CMainFrame frame(program);
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    frame.runCommand(kUiLanguageEnglish);
    QCOMPARE(ui.messages().size(), std::size_t(1));
    QVERIFY(ui.messages().back().find("无法保存语言设置") != std::string::npos);
    QVERIFY(frame.actions().action(kUiLanguageChinese)->isChecked());
    QVERIFY(!frame.actions().action(kUiLanguageEnglish)->isChecked());
}

void UiTranslationTest::langOptionOverridesTheStoredChoice()
{
    using Mode = StartupOptions::Mode;
    ExampleCopy example;
    StartupOptions options = StartupOptions::parse({"--lang", "EN_us"});
    QCOMPARE(options.mode, Mode::Window);
    QCOMPARE(options.language, std::string("en"));
    options = StartupOptions::parse({"--open", example.projectPath(), "--lang", "zh"});
    QCOMPARE(options.mode, Mode::Window);
    QCOMPARE(options.language, std::string("zh"));
    QCOMPARE(options.openProjects.size(), std::size_t(1));
    for (const auto& wrong :
         {std::vector<std::string>{"--lang"}, std::vector<std::string>{"--lang", "fr"},
          std::vector<std::string>{"--lang", "--open"}}) {
        options = StartupOptions::parse(wrong);
        QCOMPARE(options.mode, Mode::UsageError);
        QCOMPARE(options.problem, std::string("--lang takes zh or en"));
    }

    const QString program = programDirectory(example);
    const std::string settings = program.toStdString() + "SkinSmith.ini";
    SettingsAccessor(settings).writeText("CONFIG", "UI_LANGUAGE", "en", true);
    QCOMPARE(UiTranslation::choose("zh", settings), UiLanguage::Chinese);
    QCOMPARE(UiTranslation::choose("", settings), UiLanguage::English);
    SettingsAccessor(settings).writeText("CONFIG", "UI_LANGUAGE", "zh", true);
    QCOMPARE(UiTranslation::choose("en", settings), UiLanguage::English);
    QCOMPARE(UiTranslation::choose("", settings), UiLanguage::Chinese);
}

QTEST_MAIN(UiTranslationTest)
#include "UiTranslationTest.moc"

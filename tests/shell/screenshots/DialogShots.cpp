// Writes a PNG of the main window and of every dialog of the editor in one language, for
// looking at texts that do not fit. Usage: skinsmith_dialog_shots zh|en OUT_DIR
// (scripts/screenshot runs it in both languages).

#include "DialogScript.h"
#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/ActiveLanguage.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/app/UiTranslation.h"
#include "shell/dialogs/BuildProgressDlg.h"
#include "shell/dialogs/DlgResDirSelect.h"
#include "shell/dialogs/DlgStringSelect.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <iostream>

using namespace editing::cmd;

namespace {

class Shots
{
public:
    Shots(QString folder, QString language) : m_folder(std::move(folder)), m_language(language) {}

    void take(QWidget& widget, const QString& name)
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        const QString path = QStringLiteral("%1/%2-%3.png").arg(m_folder, name, m_language);
        if (!widget.grab().save(path)) {
            std::cerr << "cannot write " << path.toStdString() << '\n';
            m_failed = true;
        }
    }

    // Runs `command` of `frame` and photographs the dialog it shows, then closes it.
    void ofCommand(CMainFrame& frame, int command, const QString& name)
    {
        // The dialog may come at once or once work on a worker thread has ended; the progress
        // window that work shows is not it.
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(widget);
                if (dialog && dialog->isVisible() && !qobject_cast<BuildProgressDlg*>(dialog)) {
                    poll.stop();
                    seen = true;
                    take(*dialog, name);
                    dialog->reject();
                    return;
                }
            }
        });
        poll.start(100);
        frame.runCommand(command);
        QElapsedTimer waited;
        waited.start();
        while (!seen && !waited.hasExpired(60000)) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        poll.stop();
        if (!seen) {
            std::cerr << "no dialog for " << name.toStdString() << '\n';
            m_failed = true;
        }
    }

    bool failed() const { return m_failed; }

private:
    QString m_folder;
    QString m_language;
    bool m_failed = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const auto language = argc == 3 ? platform::parseUiLanguage(argv[1]) : std::nullopt;
    if (!language) {
        std::cerr << "usage: skinsmith_dialog_shots zh|en OUT_DIR\n";
        return 2;
    }
    platform::activateUiLanguage(*language);
    UiTranslation::install(application, *language);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    Shots shots(folder, QString::fromLatin1(platform::uiLanguageCode(*language)));

    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    frame.resize(1280, 800);
    frame.doc().openPath(QString::fromStdString(example.projectPath()));
    frame.show();
    shots.take(frame, QStringLiteral("main-window"));

    const std::pair<int, const char*> commands[] = {
        {kNewProject, "new-project"},
        {kProjectSettings, "project-settings"},
        {kProjectResize, "project-resize"},
        {kBuild, "build-options"},
        {kBatchBuild, "batch-build"},
        {kBudgetReport, "budget-report"},
        {kResizer, "ui-resizer"},
        {kSearch, "search"},
        {kAbout, "about"},
    };
    for (const auto& [command, name] : commands) {
        shots.ofCommand(frame, command, QString::fromLatin1(name));
    }
    // 视图 -> 语言: the other language, and what the window says about it.
    const bool chinese = *language == platform::UiLanguage::Chinese;
    shots.ofCommand(frame, chinese ? kUiLanguageEnglish : kUiLanguageChinese,
                    QStringLiteral("language-message"));

    APStyleProject& project = *frame.workspace().CurrentProject();
    DlgStringSelect strings(project.Strings(), &frame);
    strings.show();
    shots.take(strings, QStringLiteral("string-select"));
    strings.hide();
    DlgResDirSelect folders(DlgResDirSelect::Kind::Strings, example.filePath("demo/resource"),
                            {"common", "menu", "settings"}, &frame);
    folders.show();
    shots.take(folders, QStringLiteral("resource-folders"));
    folders.hide();
    BuildProgressDlg progress(&frame);
    progress.start(QCoreApplication::translate("CMainFrame", "生成资源"), true);
    // The phase comes from the core: a long one of its texts.
    progress.setPhase(chinese ? QStringLiteral("正在创建字符串资源...")
                              : QStringLiteral("Creating the string resources..."));
    progress.setRange(0, 100);
    progress.setPosition(42);
    progress.show();
    shots.take(progress, QStringLiteral("build-progress"));
    progress.hide();
    return shots.failed() ? 1 : 0;
}

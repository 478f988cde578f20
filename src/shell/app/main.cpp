// The SkinSmith editor. With a project file on its command line it builds that project
// without a window and exits; otherwise it starts the window.

#include "platform/ActiveLanguage.h"
#include "platform/ProgramDirectory.h"
#include "projectfile/SettingsAccessor.h"
#include "shell/app/CZORVEApp.h"
#include "shell/app/SettingsDirectory.h"
#include "shell/app/StartupOptions.h"
#include "shell/app/UiTranslation.h"

#include "platform/ProgramVersion.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>

namespace {

bool hasDisplay()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const StartupOptions options =
        StartupOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.mode) {
    case StartupOptions::Mode::Help:
        std::cout << StartupOptions::usage();
        return 0;
    case StartupOptions::Mode::Version:
        std::cout << platform::versionLine("skinsmith") << '\n';
        return 0;
    case StartupOptions::Mode::UsageError:
        std::cerr << "skinsmith: " << options.problem << "\n\n" << StartupOptions::usage();
        return 2;
    case StartupOptions::Mode::Build:
        platform::activateUiLanguage(
            UiTranslation::choose(options.language, SettingsAccessor::defaultPath()));
        return CZORVEApp::buildWithoutWindow(options);
    case StartupOptions::Mode::Window:
        break;
    }
    if (!hasDisplay()) {
        std::cerr << "skinsmith: no display to show the window on; give a project file to build "
                     "it without a window (skinsmith PROJECT.ui)\n";
        return 1;
    }
    QApplication application(argc, argv);
    const QString settingsDirectory =
        SettingsDirectory::forProgram(QString::fromStdString(platform::programDirectory()));
    const platform::UiLanguage language = UiTranslation::choose(
        options.language, (settingsDirectory + QStringLiteral("SkinSmith.ini")).toStdString());
    platform::activateUiLanguage(language);
    if (!UiTranslation::install(application, language)) {
        std::cerr << "skinsmith: the English texts are missing from this build; the window "
                     "shows the Chinese ones\n";
    }
    CZORVEApp app(application, options);
    return app.exec();
}

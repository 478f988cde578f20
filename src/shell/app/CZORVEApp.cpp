#include "shell/app/CZORVEApp.h"

#include "generate/UnattendedBuild.h"
#include "platform/AllocatorTuning.h"
#include "platform/ProgramDirectory.h"
#include "platform/ProgramVersion.h"
#include "projectfile/SettingsAccessor.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"

#include <QApplication>
#include <QScreen>

#include <iostream>

CZORVEApp::CZORVEApp(QApplication& application, const StartupOptions& options)
    : m_application(application)
{
    platform::tuneAllocatorForBatchWork();
    m_application.setApplicationName(QStringLiteral("SkinSmith"));
    m_application.setApplicationVersion(QString::fromLatin1(platform::programVersion()));
    m_application.setProperty("skinsmithDebugMode", options.debugMode);
    m_application.setDesktopFileName(QStringLiteral("skinsmith"));

    m_frame = std::make_unique<CMainFrame>(QString::fromStdString(platform::programDirectory()));
    // Without a window manager (a bare X server) maximising does nothing: fill the screen.
    if (const QScreen* screen = m_application.primaryScreen()) {
        m_frame->setGeometry(screen->availableGeometry());
    }
    m_frame->restoreLayout();
    m_frame->showMaximized();
    for (const std::string& project : options.openProjects) {
        m_frame->doc().openPath(QString::fromStdString(project));
    }
}

CZORVEApp::~CZORVEApp() = default;

int CZORVEApp::exec()
{
    return m_application.exec();
}

int CZORVEApp::buildWithoutWindow(const StartupOptions& options)
{
    platform::tuneAllocatorForBatchWork();
    const SettingsAccessor settings(SettingsAccessor::defaultPath());
    generate::ResourceBuildOptions buildOptions = generate::readResourceBuildOptions(settings);
    buildOptions.unattended = true;
    buildOptions.debugMode = options.debugMode;
    generate::UnattendedBuild build(options.buildProject, buildOptions, std::cerr);
    return build.Run();
}

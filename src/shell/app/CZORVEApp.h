#pragma once

#include "shell/app/StartupOptions.h"

#include <memory>

class CMainFrame;
class QApplication;

// The editor application: runs the start-up steps (settings, allocator, window with its
// restored layout, shown maximised, projects of the command line) and the event loop.
class CZORVEApp
{
public:
    CZORVEApp(QApplication& application, const StartupOptions& options);
    ~CZORVEApp();

    CMainFrame& mainFrame() { return *m_frame; }
    int exec();

    // The unattended build of a project given on the command line: no window, no display.
    static int buildWithoutWindow(const StartupOptions& options);

private:
    QApplication& m_application;
    std::unique_ptr<CMainFrame> m_frame;
};

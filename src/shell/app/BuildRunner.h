#pragma once

#include "generate/ResourceBuildOptions.h"
#include "platform/UserInteraction.h"

#include <QObject>
#include <QPointer>

#include <functional>

class APStyleProject;
class QProgressDialog;
class QtUserInteraction;
class QWidget;

// Runs long work on a project (a resource build, a desktop file) on a worker thread while a
// progress dialog shows the phase, the bar and "%d%%". The dialog is window-modal: the window
// keeps painting and answering questions of the work, but takes no edits while the project is
// being read. One run at a time.
class BuildRunner : public QObject, private platform::ProgressReporter
{
    Q_OBJECT

public:
    BuildRunner(QtUserInteraction& interaction, QWidget* window, QObject* parent = nullptr);
    ~BuildRunner() override;

    bool isRunning() const { return m_running; }
    // Starts the resource build of `project` with `options`. Returns false when a run is
    // already going on.
    bool startBuild(APStyleProject& project, const generate::ResourceBuildOptions& options);
    // Starts `work` on the worker thread under the progress dialog titled `title`; its result is
    // handed to finished().
    bool start(const QString& title, std::function<bool()> work);

signals:
    void started();
    // `ok`: the work reported success.
    void finished(bool ok);

private:
    void setPhase(const std::string& text) override;
    void setRange(int lower, int upper) override;
    void setPosition(int position) override;
    void finish() override;
    void showPercent();

    QtUserInteraction& m_interaction;
    QWidget* m_window;
    QPointer<QProgressDialog> m_dialog;
    QString m_phase;
    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
    bool m_running = false;
};

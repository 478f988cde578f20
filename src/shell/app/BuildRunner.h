#pragma once

#include "generate/BuildSummary.h"
#include "generate/ResourceBuildOptions.h"
#include "platform/UserInteraction.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class APStyleProject;
class BuildProgressDlg;
class QtUserInteraction;
class QWidget;

// Runs long work on a project (a resource build, a desktop file) on a worker thread while the
// progress window (BuildProgressDlg) shows the phase, the bar and "%d%%". The window is shown
// without an event loop of its own, so the main window keeps painting and answering the
// work's questions, but it is window-modal: the main window takes no edits while the worker
// reads the project. Work that can stop offers Cancel. One run at a time.
class BuildRunner : public QObject, private platform::ProgressReporter
{
    Q_OBJECT

public:
    enum class Result
    {
        Succeeded,
        Failed,
        Cancelled
    };
    // What a resource build left to tell once it ended.
    struct BuildReport
    {
        std::string project;
        generate::BuildSummary summary;
        std::vector<std::string> errors;
        std::vector<std::string> warnings;
    };
    // Tells cancellable work whether the user asked it to stop; callable from any thread.
    using CancelCheck = std::function<bool()>;

    BuildRunner(QtUserInteraction& interaction, QWidget* window, QObject* parent = nullptr);
    ~BuildRunner() override;

    bool isRunning() const { return m_running; }
    // The result of the last run that ended.
    Result lastResult() const { return m_lastResult; }
    // The report of the last run when it was a resource build, else null.
    const BuildReport* lastBuild() const { return m_lastBuild.get(); }
    // The progress window (created with the runner, hidden between runs).
    BuildProgressDlg& progressWindow() const { return *m_dialog; }

    // Starts the resource build of `project` with `options`, cancellable; with
    // `sharedParameterBlock` (a build from the build options dialog) inside the shared
    // parameter block. Returns false when a run is already going on.
    bool startBuild(APStyleProject& project, const generate::ResourceBuildOptions& options,
                    bool sharedParameterBlock = false);
    // Starts `work` on the worker thread under the progress window titled `title`, without
    // Cancel; its result is handed to finished().
    bool start(const QString& title, std::function<bool()> work);
    // As start(), with Cancel: `work` gets the check to ask between its steps.
    bool startCancellable(const QString& title, std::function<Result(const CancelCheck&)> work);

    // Asks the running work to stop (what Cancel does). Returns false when nothing runs that
    // can be cancelled.
    bool cancel();
    // For closing `window` during a run: asks whether to cancel the run (unless it is being
    // cancelled already). On yes the run is asked to stop and `window` is closed again once
    // it has ended; on no the run goes on. Work without Cancel is waited for (said so).
    void askToCancelForClose(QWidget* window);

signals:
    void started();
    // `ok`: the work reported success (false also when it was cancelled: see lastResult()).
    void finished(bool ok);

private:
    bool run(const QString& title, bool cancellable,
             std::function<Result(const CancelCheck&)> work);
    void setPhase(const std::string& text) override;
    void setRange(int lower, int upper) override;
    void setPosition(int position) override;
    void setItems(int done, int total) override;
    void finish() override;

    QtUserInteraction& m_interaction;
    BuildProgressDlg* m_dialog; // owned by the window
    std::shared_ptr<std::atomic<bool>> m_cancel;
    bool m_cancellable = false;
    bool m_running = false;
    QPointer<QWidget> m_closeAfterRun;
    Result m_lastResult = Result::Succeeded;
    // Filled by the worker; read once the run has ended.
    std::shared_ptr<BuildReport> m_lastBuild;
};

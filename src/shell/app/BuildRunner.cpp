#include "shell/app/BuildRunner.h"

#include "generate/ProjectStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "generate/SharedParameterBlock.h"
#include "model/APStyleProject.h"
#include "shell/app/QtUserInteraction.h"
#include "shell/dialogs/BuildProgressDlg.h"

#include <QProgressBar>
#include <QThread>
#include <QTimer>

#include <utility>

BuildRunner::BuildRunner(QtUserInteraction& interaction, QWidget* window, QObject* parent)
    : QObject(parent), m_interaction(interaction), m_dialog(new BuildProgressDlg(window))
{
    m_dialog->setWindowModality(Qt::WindowModal);
    connect(m_dialog, &BuildProgressDlg::cancelRequested, this, &BuildRunner::cancel);
}

BuildRunner::~BuildRunner()
{
    m_interaction.setProgressTarget(nullptr);
}

bool BuildRunner::startBuild(APStyleProject& project, const generate::ResourceBuildOptions& options,
                             bool sharedParameterBlock)
{
    if (m_running) {
        return false;
    }
    // The question comes before the progress window, on this thread.
    generate::ResourceBuild::offerSave(project);
    generate::ResourceBuildOptions asked = options;
    asked.saveOffered = true;
    APStyleProject* target = &project;
    auto report = std::make_shared<BuildReport>();
    report->project = project.ProjectFilePath();
    const bool started =
        startCancellable(tr("生成资源"), [target, report, options = std::move(asked),
                                          sharedParameterBlock](const CancelCheck& cancelled) {
            generate::ResourceBuildOptions run = options;
            run.cancelRequested = cancelled;
            generate::ProjectStyleSteps style(*target, run);
            generate::ResourceBuild build(*target, style, run);
            using Outcome = generate::ResourceBuild::Outcome;
            const Outcome outcome =
                sharedParameterBlock
                    ? generate::runWithSharedParameterBlock([&build] { return build.run(); })
                    : build.run();
            report->summary = build.summary();
            report->errors = build.errors();
            report->warnings = build.warnings();
            if (outcome == Outcome::Cancelled) {
                return Result::Cancelled;
            }
            return outcome == Outcome::Built || outcome == Outcome::NothingToBuild
                       ? Result::Succeeded
                       : Result::Failed;
        });
    if (started) {
        m_lastBuild = report;
    }
    return started;
}

bool BuildRunner::start(const QString& title, std::function<bool()> work)
{
    return run(title, false, [work = std::move(work)](const CancelCheck&) {
        return work() ? Result::Succeeded : Result::Failed;
    });
}

bool BuildRunner::startCancellable(const QString& title,
                                   std::function<Result(const CancelCheck&)> work)
{
    return run(title, true, std::move(work));
}

bool BuildRunner::run(const QString& title, bool cancellable,
                      std::function<Result(const CancelCheck&)> work)
{
    if (m_running) {
        return false;
    }
    m_running = true;
    m_cancellable = cancellable;
    m_lastBuild.reset();
    // A flag per run: a worker still finishing an earlier run never sees a later cancel.
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_dialog->start(title, cancellable);
    m_dialog->setPhase(title);
    m_dialog->show();
    m_interaction.setProgressTarget(this);
    emit started();

    const std::shared_ptr<std::atomic<bool>> flag = m_cancel;
    auto result = std::make_shared<Result>(Result::Failed);
    QThread* thread = QThread::create([work = std::move(work), flag, result] {
        *result = work([flag] { return flag->load(); });
    });
    connect(thread, &QThread::finished, this, [this, thread, result] {
        thread->deleteLater();
        m_interaction.setProgressTarget(nullptr);
        m_dialog->hide();
        m_running = false;
        m_lastResult = *result;
        emit finished(*result == Result::Succeeded);
        if (QPointer<QWidget> window = std::exchange(m_closeAfterRun, nullptr)) {
            // From the event loop: the window's close may ask about unsaved projects.
            QTimer::singleShot(0, window, &QWidget::close);
        }
    });
    thread->start();
    return true;
}

bool BuildRunner::cancel()
{
    if (!m_running || !m_cancellable) {
        return false;
    }
    m_cancel->store(true);
    return true;
}

void BuildRunner::askToCancelForClose(QWidget* window)
{
    if (!m_running) {
        return;
    }
    if (!m_cancellable) {
        platform::interaction().showMessage(
            tr("正在执行任务，请等待其结束后再关闭窗口。").toStdString(), "SkinSmith",
            platform::MessageIcon::Information);
        return;
    }
    if (!m_cancel->load()) {
        const platform::Answer answer = platform::interaction().askYesNo(
            tr("正在生成资源，是否取消生成并关闭窗口？\n取消后原有的生成文件保持不变。")
                .toStdString(),
            "SkinSmith", platform::Answer::No);
        if (answer != platform::Answer::Yes) {
            return;
        }
        m_dialog->reject();
    }
    m_closeAfterRun = window;
}

void BuildRunner::setPhase(const std::string& text)
{
    m_dialog->setPhase(QString::fromStdString(text));
}

void BuildRunner::setRange(int lower, int upper)
{
    m_dialog->setRange(lower, upper);
}

void BuildRunner::setPosition(int position)
{
    m_dialog->setPosition(position);
}

void BuildRunner::setItems(int done, int total)
{
    m_dialog->setItems(done, total);
}

void BuildRunner::finish()
{
    m_dialog->setPosition(m_dialog->bar()->maximum());
}

#include "shell/app/BuildRunner.h"

#include "generate/ProjectStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "model/APStyleProject.h"
#include "shell/app/QtUserInteraction.h"

#include <QProgressDialog>
#include <QThread>

BuildRunner::BuildRunner(QtUserInteraction& interaction, QWidget* window, QObject* parent)
    : QObject(parent), m_interaction(interaction), m_window(window)
{
}

BuildRunner::~BuildRunner()
{
    m_interaction.setProgressTarget(nullptr);
}

bool BuildRunner::startBuild(APStyleProject& project, const generate::ResourceBuildOptions& options)
{
    APStyleProject* target = &project;
    return start(tr("生成资源"), [target, options] {
        generate::ProjectStyleSteps style(*target, options);
        generate::ResourceBuild build(*target, style, options);
        using Outcome = generate::ResourceBuild::Outcome;
        const Outcome outcome = build.run();
        return outcome == Outcome::Built || outcome == Outcome::NothingToBuild;
    });
}

bool BuildRunner::start(const QString& title, std::function<bool()> work)
{
    if (m_running) {
        return false;
    }
    m_running = true;
    m_phase.clear();
    m_lower = 0;
    m_upper = 100;
    m_position = 0;
    m_dialog = new QProgressDialog(m_window);
    m_dialog->setWindowTitle(title);
    m_dialog->setAccessibleName(title);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setRange(0, 100);
    m_dialog->setValue(0);
    m_dialog->setLabelText(title);
    m_dialog->show();
    m_interaction.setProgressTarget(this);
    emit started();

    auto* ok = new bool(false);
    QThread* thread = QThread::create([work = std::move(work), ok] { *ok = work(); });
    connect(thread, &QThread::finished, this, [this, thread, ok] {
        const bool result = *ok;
        delete ok;
        thread->deleteLater();
        m_interaction.setProgressTarget(nullptr);
        if (m_dialog) {
            m_dialog->close();
            m_dialog->deleteLater();
        }
        m_running = false;
        emit finished(result);
    });
    thread->start();
    return true;
}

void BuildRunner::setPhase(const std::string& text)
{
    m_phase = QString::fromStdString(text);
    showPercent();
}

void BuildRunner::setRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper > lower ? upper : lower + 1;
    showPercent();
}

void BuildRunner::setPosition(int position)
{
    m_position = position;
    showPercent();
}

void BuildRunner::finish()
{
    m_position = m_upper;
    showPercent();
}

void BuildRunner::showPercent()
{
    if (!m_dialog) {
        return;
    }
    const int percent =
        std::clamp(static_cast<int>(100LL * (m_position - m_lower) / (m_upper - m_lower)), 0, 100);
    m_dialog->setValue(percent);
    m_dialog->setLabelText(
        QStringLiteral("%1\n%2").arg(m_phase, QString::asprintf("%d%%", percent)));
}

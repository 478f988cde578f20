#include "shell/dialogs/ResizerProcess.h"

#include <QProcess>

ResizerProcess::ResizerProcess(QObject* parent) : QObject(parent) {}

ResizerProcess::~ResizerProcess()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        // Its pictures are written beside their names and renamed: ending it leaves none
        // half-written.
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished();
    }
}

void ResizerProcess::run(const QString& program, const QStringList& arguments)
{
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardInputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ResizerProcess::readOutput);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            emit failedToStart(m_process->errorString());
        }
    });
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                readOutput();
                emit finished(exitCode, status == QProcess::CrashExit);
            });
    m_process->start(program, arguments);
}

void ResizerProcess::readOutput()
{
    const QString text = m_decoder.decode(m_process->readAllStandardOutput());
    if (!text.isEmpty()) {
        emit output(text);
    }
}

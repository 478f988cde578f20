#pragma once

#include <QObject>
#include <QStringDecoder>
#include <QStringList>

class QProcess;

// Runs the picture resizer as a child process and passes on what it prints. Lives on a worker
// thread (CResizerRunWindow moves it there), so that starting the tool and reading its output
// never hold up the window. The arguments go to the program as they are, without a shell.
class ResizerProcess : public QObject
{
    Q_OBJECT

public:
    explicit ResizerProcess(QObject* parent = nullptr);
    // Ends a tool that still runs (killed, then waited for).
    ~ResizerProcess() override;

public slots:
    // Starts `program` with `arguments`; answers with failedToStart() or, later, finished().
    void run(const QString& program, const QStringList& arguments);

signals:
    // Text the tool wrote to its standard output or error (UTF-8, decoded across chunks).
    void output(const QString& text);
    // The tool could not be started; `reason` says why.
    void failedToStart(const QString& reason);
    // The tool ended with `exitCode`; `crashed` when a signal ended it.
    void finished(int exitCode, bool crashed);

private:
    void readOutput();

    QProcess* m_process = nullptr;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};

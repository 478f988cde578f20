#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QThread;
class ResizerProcess;

// A window beside the editor (not modal) that runs the picture resizer on a worker thread and
// shows what it prints: the progress lines, the pictures skipped and why, the summary, and
// how it ended. Closing it while the tool runs only hides it; the tool goes on and the window
// is deleted when it ends. Deleting the window (the editor closing) ends the tool.
class CResizerRunWindow : public QWidget
{
    Q_OBJECT

public:
    // Starts `program` with `arguments` at once.
    CResizerRunWindow(const QString& program, const QStringList& arguments,
                      QWidget* parent = nullptr);
    ~CResizerRunWindow() override;

    bool isRunning() const { return m_running; }
    QPlainTextEdit* log() const { return m_log; }
    QLabel* state() const { return m_state; }

signals:
    // The tool ended (`exitCode` -1 when it could not be started or was ended by a signal).
    void ended(int exitCode);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void append(const QString& text);
    void end(int exitCode, const QString& state);

    QThread* m_thread;
    ResizerProcess* m_process;
    QLabel* m_state;
    QPlainTextEdit* m_log;
    QPushButton* m_close;
    bool m_running = true;
    bool m_closed = false;
};

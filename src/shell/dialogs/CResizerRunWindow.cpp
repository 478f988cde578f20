#include "shell/dialogs/CResizerRunWindow.h"

#include "shell/dialogs/ResizerProcess.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <QVBoxLayout>

CResizerRunWindow::CResizerRunWindow(const QString& program, const QStringList& arguments,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_thread(new QThread(this)), m_process(new ResizerProcess),
      m_state(new QLabel(tr("ui缩放程序运行中..."), this)), m_log(new QPlainTextEdit(this)),
      m_close(new QPushButton(tr("关闭"), this))
{
    setWindowTitle(tr("ui缩放程序"));
    setAccessibleName(windowTitle());
    m_state->setAccessibleName(tr("状态"));
    m_log->setReadOnly(true);
    m_log->setAccessibleName(tr("输出"));
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_log->setPlainText(QFileInfo(program).fileName() + QLatin1Char(' ') +
                        arguments.join(QLatin1Char(' ')) + QLatin1Char('\n'));
    m_close->setAccessibleName(tr("关闭"));
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_state);
    layout->addWidget(m_log, 1);
    layout->addLayout(buttons);
    resize(640, 360);

    m_process->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_process, &QObject::deleteLater);
    connect(m_process, &ResizerProcess::output, this, &CResizerRunWindow::append);
    connect(m_process, &ResizerProcess::failedToStart, this, [this, program](const QString& why) {
        append(tr("无法启动 %1：%2\n").arg(program, why));
        end(-1, tr("ui缩放程序无法启动"));
    });
    connect(m_process, &ResizerProcess::finished, this, [this](int exitCode, bool crashed) {
        if (crashed) {
            end(-1, tr("ui缩放程序异常结束"));
        } else if (exitCode == 0) {
            end(0, tr("ui缩放程序已完成"));
        } else {
            end(exitCode, tr("ui缩放程序已结束，退出码 %1").arg(exitCode));
        }
    });
    m_thread->start();
    ResizerProcess* process = m_process;
    QMetaObject::invokeMethod(
        m_process, [process, program, arguments] { process->run(program, arguments); },
        Qt::QueuedConnection);
}

CResizerRunWindow::~CResizerRunWindow()
{
    // The process object is deleted on its own thread as the thread ends.
    m_thread->quit();
    m_thread->wait();
}

void CResizerRunWindow::closeEvent(QCloseEvent* event)
{
    // Hidden only: the tool runs on, and the window goes when it ends.
    event->accept();
    m_closed = true;
    if (!m_running) {
        deleteLater();
    }
}

void CResizerRunWindow::append(const QString& text)
{
    QScrollBar* bar = m_log->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_log->moveCursor(QTextCursor::End);
    m_log->insertPlainText(text);
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
}

void CResizerRunWindow::end(int exitCode, const QString& state)
{
    if (!m_running) {
        return;
    }
    m_running = false;
    m_state->setText(state);
    m_state->setAccessibleDescription(state);
    emit ended(exitCode);
    if (m_closed) {
        deleteLater();
    }
}

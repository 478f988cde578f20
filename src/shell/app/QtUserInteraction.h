#pragma once

#include "platform/UserInteraction.h"

#include <QObject>
#include <QPointer>

class QWidget;

// The interaction seam with the desktop's own dialogs: message boxes, questions, folder, file
// and colour choosers. Calls from a worker thread (a build) are carried out on the window's
// thread and wait for the answer there. Progress goes to whatever the window attached with
// setProgressTarget (a build's progress dialog); without one it is dropped.
class QtUserInteraction : public QObject, public platform::UserInteraction
{
    Q_OBJECT

public:
    explicit QtUserInteraction(QWidget* window, QObject* parent = nullptr);
    ~QtUserInteraction() override;

    void showMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
    platform::Answer askYesNo(const std::string& text, const std::string& caption,
                              platform::Answer defaultAnswer) override;
    platform::Answer askYesNoCancel(const std::string& text, const std::string& caption,
                                    platform::Answer defaultAnswer) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> chooseFile(platform::FileChooserMode mode, const std::string& filter,
                                          const std::string& title,
                                          const std::string& startPath) override;
    std::vector<std::string> chooseFiles(const std::string& filter, const std::string& title,
                                         const std::string& startPath) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    std::optional<int> askNumber(const std::string& text, const std::string& caption, int initial,
                                 int lower, int upper) override;
    platform::ProgressReporter& progress() override;

    // `target` receives the progress of long work until replaced; null drops it. Not owned.
    void setProgressTarget(platform::ProgressReporter* target) { m_progressTarget = target; }

    // "UI文件(*.ui)|*.ui|全部文件(*.*)|*.*||" as a Qt name filter.
    static QString toQtFilter(const std::string& filter);

private:
    class ForwardingProgress;

    // Runs `work` on the window's thread, waiting for it when called from another thread.
    template <typename Work>
    void onWindowThread(Work&& work);

    QPointer<QWidget> m_window;
    platform::ProgressReporter* m_progressTarget = nullptr;
    std::unique_ptr<ForwardingProgress> m_progress;
};

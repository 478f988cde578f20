#include "shell/app/QtUserInteraction.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <QThread>

namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

QMessageBox::Icon iconOf(platform::MessageIcon icon)
{
    switch (icon) {
    case platform::MessageIcon::Information:
        return QMessageBox::Information;
    case platform::MessageIcon::Warning:
        return QMessageBox::Warning;
    case platform::MessageIcon::Error:
        return QMessageBox::Critical;
    case platform::MessageIcon::Question:
        return QMessageBox::Question;
    case platform::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

platform::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return platform::Answer::Yes;
    case QMessageBox::No:
        return platform::Answer::No;
    default:
        return platform::Answer::Cancel;
    }
}

QMessageBox::StandardButton buttonOf(platform::Answer answer)
{
    switch (answer) {
    case platform::Answer::Yes:
        return QMessageBox::Yes;
    case platform::Answer::No:
        return QMessageBox::No;
    case platform::Answer::Cancel:
        break;
    }
    return QMessageBox::Cancel;
}

QString captionOr(const std::string& caption)
{
    return caption.empty() ? QStringLiteral("SkinSmith") : qt(caption);
}

} // namespace

// Progress is reported from the build's thread: pass it on to the target on the window's
// thread, without waiting, so that the build never stalls on painting.
class QtUserInteraction::ForwardingProgress : public platform::ProgressReporter
{
public:
    explicit ForwardingProgress(QtUserInteraction& owner) : m_owner(owner) {}

    void setPhase(const std::string& text) override
    {
        post([text](platform::ProgressReporter& target) { target.setPhase(text); });
    }
    void setRange(int lower, int upper) override
    {
        post([lower, upper](platform::ProgressReporter& target) { target.setRange(lower, upper); });
    }
    void setPosition(int position) override
    {
        post([position](platform::ProgressReporter& target) { target.setPosition(position); });
    }
    void setItems(int done, int total) override
    {
        post([done, total](platform::ProgressReporter& target) { target.setItems(done, total); });
    }
    void finish() override
    {
        post([](platform::ProgressReporter& target) { target.finish(); });
    }

private:
    template <typename Call>
    void post(Call call)
    {
        QtUserInteraction* owner = &m_owner;
        QMetaObject::invokeMethod(
            owner,
            [owner, call]() {
                if (owner->m_progressTarget) {
                    call(*owner->m_progressTarget);
                }
            },
            Qt::QueuedConnection);
    }

    QtUserInteraction& m_owner;
};

QtUserInteraction::QtUserInteraction(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window), m_progress(std::make_unique<ForwardingProgress>(*this))
{
}

QtUserInteraction::~QtUserInteraction() = default;

template <typename Work>
void QtUserInteraction::onWindowThread(Work&& work)
{
    if (QThread::currentThread() == thread()) {
        work();
    } else {
        QMetaObject::invokeMethod(this, std::forward<Work>(work), Qt::BlockingQueuedConnection);
    }
}

void QtUserInteraction::showMessage(const std::string& text, const std::string& caption,
                                    platform::MessageIcon icon)
{
    onWindowThread([&] {
        QMessageBox box(iconOf(icon), captionOr(caption), qt(text), QMessageBox::Ok, m_window);
        box.setAccessibleName(captionOr(caption));
        box.exec();
    });
}

platform::Answer QtUserInteraction::askYesNo(const std::string& text, const std::string& caption,
                                             platform::Answer defaultAnswer)
{
    platform::Answer answer = defaultAnswer;
    onWindowThread([&] {
        QMessageBox box(QMessageBox::Question, captionOr(caption), qt(text),
                        QMessageBox::Yes | QMessageBox::No, m_window);
        box.setDefaultButton(buttonOf(defaultAnswer));
        box.setAccessibleName(captionOr(caption));
        const int button = box.exec();
        answer = button == QMessageBox::Yes ? platform::Answer::Yes : platform::Answer::No;
    });
    return answer;
}

platform::Answer QtUserInteraction::askYesNoCancel(const std::string& text,
                                                   const std::string& caption,
                                                   platform::Answer defaultAnswer)
{
    platform::Answer answer = defaultAnswer;
    onWindowThread([&] {
        QMessageBox box(QMessageBox::Question, captionOr(caption), qt(text),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_window);
        box.setDefaultButton(buttonOf(defaultAnswer));
        box.setEscapeButton(QMessageBox::Cancel);
        box.setAccessibleName(captionOr(caption));
        answer = answerOf(box.exec());
    });
    return answer;
}

std::optional<std::string> QtUserInteraction::chooseFolder(const std::string& title,
                                                           const std::string& startFolder)
{
    std::optional<std::string> chosen;
    onWindowThread([&] {
        const QString folder =
            QFileDialog::getExistingDirectory(m_window, qt(title), qt(startFolder));
        if (!folder.isEmpty()) {
            chosen = folder.toStdString();
        }
    });
    return chosen;
}

std::optional<std::string> QtUserInteraction::chooseFile(platform::FileChooserMode mode,
                                                         const std::string& filter,
                                                         const std::string& title,
                                                         const std::string& startPath)
{
    std::optional<std::string> chosen;
    onWindowThread([&] {
        const QString qtFilter = toQtFilter(filter);
        const QString file =
            mode == platform::FileChooserMode::Open
                ? QFileDialog::getOpenFileName(m_window, qt(title), qt(startPath), qtFilter)
                : QFileDialog::getSaveFileName(m_window, qt(title), qt(startPath), qtFilter);
        if (!file.isEmpty()) {
            chosen = file.toStdString();
        }
    });
    return chosen;
}

std::vector<std::string> QtUserInteraction::chooseFiles(const std::string& filter,
                                                        const std::string& title,
                                                        const std::string& startPath)
{
    std::vector<std::string> chosen;
    onWindowThread([&] {
        const QStringList files = QFileDialog::getOpenFileNames(
            m_window, qt(title), qt(startPath), toQtFilter(filter), nullptr, QFileDialog::ReadOnly);
        for (const QString& file : files) {
            chosen.push_back(file.toStdString());
        }
    });
    return chosen;
}

std::optional<int> QtUserInteraction::askNumber(const std::string& text, const std::string& caption,
                                                int initial, int lower, int upper)
{
    std::optional<int> chosen;
    onWindowThread([&] {
        bool ok = false;
        const int number =
            QInputDialog::getInt(m_window, QString::fromStdString(caption),
                                 QString::fromStdString(text), initial, lower, upper, 1, &ok);
        if (ok) {
            chosen = number;
        }
    });
    return chosen;
}

std::optional<std::uint32_t> QtUserInteraction::chooseColour(std::uint32_t initial)
{
    std::optional<std::uint32_t> chosen;
    onWindowThread([&] {
        // 0xAABBGGRR in memory; the chooser works without the alpha byte.
        const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
        const QColor colour = QColorDialog::getColor(start, m_window);
        if (colour.isValid()) {
            chosen = (initial & 0xFF000000u) | (static_cast<std::uint32_t>(colour.blue()) << 16) |
                     (static_cast<std::uint32_t>(colour.green()) << 8) |
                     static_cast<std::uint32_t>(colour.red());
        }
    });
    return chosen;
}

platform::ProgressReporter& QtUserInteraction::progress()
{
    return *m_progress;
}

QString QtUserInteraction::toQtFilter(const std::string& filter)
{
    const QStringList parts = qt(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString description = parts[i];
        const int bracket = description.indexOf(QLatin1Char('('));
        if (bracket > 0) {
            description = description.left(bracket).trimmed();
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

#include "shell/panels/BuildLogPanel.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTime>

namespace {

// Entries of a long session beyond this many lines go, oldest first.
constexpr int kMaxLines = 5000;

} // namespace

BuildLogPanel::BuildLogPanel(QWidget* parent) : QPlainTextEdit(parent)
{
    setAccessibleName(tr("生成日志"));
    setReadOnly(true);
    setMaximumBlockCount(kMaxLines);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void BuildLogPanel::addEntry(const QString& title, const QString& text)
{
    appendPlainText(QStringLiteral("[%1] %2").arg(
        QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), title));
    appendPlainText(text);
    appendPlainText(QString());
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

#pragma once

#include <QPlainTextEdit>

// The build log: an entry per resource build of this session, newest last — when it ended,
// the project, and what it wrote with the sizes, or why it failed.
class BuildLogPanel : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit BuildLogPanel(QWidget* parent = nullptr);

    // Adds `text` under a line with the time and `title`, and shows the end of the log.
    void addEntry(const QString& title, const QString& text);
};

#pragma once

#include "editing/ProjectDocument.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

// The document of the main window: the project commands of the File menu with their dialogs,
// the 30-second auto-save timer and the recent-file list, over the toolkit-free
// editing::ProjectDocument that decides.
class CZORVEDoc : public QObject
{
    Q_OBJECT

public:
    static constexpr int kAutoSaveInterval = 30000;
    static constexpr int kRecentFileCount = 4;

    // `window` parents the dialogs; `recentFilesStore` is the ini file that keeps the
    // recent-file list.
    CZORVEDoc(editing::Workspace& workspace, editing::EditorOptions& options, QWidget* window,
              QString recentFilesStore, QObject* parent = nullptr);

    editing::ProjectDocument& document() { return m_document; }

    // The commands (57600, 57601, 57603, 57604, 32831, 32798, 32830, 32836).
    void newProject();
    void openProject();
    bool openPath(const QString& path);
    void saveCurrent();
    void saveAs();
    void saveAll();
    void closeCurrent();
    void closeAll();
    void switchAutoSave();
    // Before the window closes: false when the user cancelled.
    bool saveModified();

    bool autoSaveRunning() const { return m_autoSaveTimer.isActive(); }
    // Holds the auto-save back while long work reads the projects on another thread.
    void setBusy(bool busy) { m_busy = busy; }
    // Replaces the clock of the auto-save (tests).
    void setClock(std::function<platform::LocalTime()> clock) { m_clock = std::move(clock); }
    // One auto-save tick, as the timer runs it.
    void autoSaveNow();

    QStringList recentFiles() const { return m_recentFiles; }

signals:
    void titleChanged(const QString& title);
    void recentFilesChanged();
    // Projects were opened, created or closed: panels and actions follow.
    void projectsChanged();
    // A project file was opened (not one already open selected again).
    void projectOpened();

private:
    void addRecentFile(const QString& path);
    void loadRecentFiles();
    void storeRecentFiles() const;

    editing::ProjectDocument m_document;
    QWidget* m_window;
    QString m_recentFilesStore;
    QStringList m_recentFiles;
    QTimer m_autoSaveTimer;
    bool m_busy = false;
    std::function<platform::LocalTime()> m_clock;
};

#include "shell/app/CZORVEDoc.h"

#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/UserInteraction.h"
#include "shell/dialogs/DlgProjectCreate.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char kProjectFilter[] =
    QT_TRANSLATE_NOOP("CZORVEDoc", "UI文件(*.ui)|*.ui|全部文件(*.*)|*.*||");
const char kOpenTitle[] = QT_TRANSLATE_NOOP("CZORVEDoc", "界面风格配置文件");

} // namespace

CZORVEDoc::CZORVEDoc(editing::Workspace& workspace, editing::EditorOptions& options,
                     QWidget* window, QString recentFilesStore, QObject* parent)
    : QObject(parent), m_document(workspace, options), m_window(window),
      m_recentFilesStore(std::move(recentFilesStore)), m_clock(platform::localTimeNow)
{
    m_document.SetTitleSink(
        [this](const std::string& title) { emit titleChanged(QString::fromStdString(title)); });
    loadRecentFiles();
    m_autoSaveTimer.setInterval(kAutoSaveInterval);
    connect(&m_autoSaveTimer, &QTimer::timeout, this, &CZORVEDoc::autoSaveNow);
    m_autoSaveTimer.start();
}

void CZORVEDoc::newProject()
{
    DlgProjectCreate dialog(m_window);
    while (dialog.exec() == QDialog::Accepted) {
        const editing::NewProjectRequest request = dialog.request();
        if (m_document.CheckNewProject(request) ==
            editing::ProjectDocument::NewProjectCheck::ShowAgain) {
            continue;
        }
        if (APStyleProject* project = m_document.NewProject(request)) {
            addRecentFile(QString::fromStdString(project->ProjectFilePath()));
            emit projectsChanged();
        }
        return;
    }
}

void CZORVEDoc::openProject()
{
    const std::optional<std::string> path = platform::interaction().chooseFile(
        platform::FileChooserMode::Open, tr(kProjectFilter).toStdString(),
        tr(kOpenTitle).toStdString(), {});
    if (path) {
        openPath(QString::fromStdString(*path));
    }
}

bool CZORVEDoc::openPath(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const auto result = m_document.Open(absolute.toStdString());
    if (result == editing::ProjectDocument::OpenResult::Failed) {
        return false;
    }
    addRecentFile(absolute);
    emit projectsChanged();
    if (result == editing::ProjectDocument::OpenResult::Opened) {
        emit projectOpened();
    }
    return true;
}

void CZORVEDoc::saveCurrent()
{
    m_document.SaveCurrent();
}

void CZORVEDoc::saveAs()
{
    const std::optional<std::string> path = platform::interaction().chooseFile(
        platform::FileChooserMode::Save, tr(kProjectFilter).toStdString(),
        tr("另存为").toStdString(), {});
    if (path && m_document.SaveAs(*path)) {
        addRecentFile(QString::fromStdString(*path));
    }
}

void CZORVEDoc::saveAll()
{
    m_document.SaveAll();
}

void CZORVEDoc::closeCurrent()
{
    if (m_document.CloseCurrent()) {
        emit projectsChanged();
    }
}

void CZORVEDoc::closeAll()
{
    if (m_document.CloseAll()) {
        emit projectsChanged();
    }
}

void CZORVEDoc::switchAutoSave()
{
    const bool on = !m_document.AutoSaveOn();
    m_document.SetAutoSave(on);
    if (on) {
        m_autoSaveTimer.start();
    } else {
        m_autoSaveTimer.stop();
    }
}

bool CZORVEDoc::saveModified()
{
    return m_document.SaveModified();
}

void CZORVEDoc::autoSaveNow()
{
    if (!m_busy) {
        m_document.AutoSave(m_clock());
    }
}

void CZORVEDoc::addRecentFile(const QString& path)
{
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) {
        m_recentFiles.removeLast();
    }
    storeRecentFiles();
    emit recentFilesChanged();
}

void CZORVEDoc::loadRecentFiles()
{
    const QSettings store(m_recentFilesStore, QSettings::IniFormat);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file =
            store.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            m_recentFiles << file;
        }
    }
}

void CZORVEDoc::storeRecentFiles() const
{
    QSettings store(m_recentFilesStore, QSettings::IniFormat);
    store.remove(QStringLiteral("Recent File List"));
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        store.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), m_recentFiles[i]);
    }
}

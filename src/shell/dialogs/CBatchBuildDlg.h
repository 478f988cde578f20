#pragma once

#include "generate/BatchBuildDialogModel.h"

#include <QDialog>
#include <QProcess>

#include <string>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The batch build dialog ("Batch Build Resource"): an apps directory, the outputs and the
// quality for the batch builder resBuildApp, which builds every project below that directory.
// "Build" starts the builder beside the editor and shows what it prints, line by line, in the
// output pane while it runs; closing the dialog leaves a running build to finish on its own.
class CBatchBuildDlg : public QDialog
{
    Q_OBJECT

public:
    // `caseDirectory`: the current project's case directory ("" without a project); its
    // "apps" folder is the first apps directory when it exists.
    explicit CBatchBuildDlg(const std::string& caseDirectory, QWidget* parent = nullptr);
    ~CBatchBuildDlg() override;

    // Where the builder is looked for; the editor's own folder unless set.
    void setProgramDirectory(const QString& directory) { m_programDirectory = directory; }
    // The builder's path and its arguments as "Build" would start it now.
    QString builderPath() const;
    QStringList builderArguments() const;

    // True from a successful start until the builder ends.
    bool isBuilding() const { return m_process != nullptr; }

    QLineEdit* appsDirectoryEdit() const { return m_apps; }
    QCheckBox* desktopFileBox() const { return m_desktop; }
    QCheckBox* resourceFileBox() const { return m_resource; }
    QCheckBox* resHeaderBox() const { return m_resHeader; }
    QCheckBox* styleFileBox() const { return m_style; }
    QCheckBox* styleHeaderBox() const { return m_styleHeader; }
    QRadioButton* bestQualityButton() const { return m_best; }
    QRadioButton* smallestSizeButton() const { return m_smallest; }
    QPushButton* buildButton() const { return m_build; }
    QPushButton* exitButton() const { return m_exit; }
    QPlainTextEdit* outputPane() const { return m_output; }

    // "Build", as the button does.
    void build();

signals:
    // The builder ended with `exitCode` (-1 when it crashed); its last line has been shown.
    void buildFinished(int exitCode);

protected:
    void done(int result) override;

private:
    void browse();
    // The dialog's state as the widgets show it.
    generate::BatchBuildDialogModel currentModel() const;
    void readOutput();
    void showLine(const QString& line);
    void finishBuild(int exitCode, QProcess::ExitStatus status);
    void releaseProcess();

    generate::BatchBuildDialogModel m_model;
    QString m_programDirectory;
    QLineEdit* m_apps;
    QCheckBox* m_desktop;
    QCheckBox* m_resource;
    QCheckBox* m_resHeader;
    QCheckBox* m_style;
    QCheckBox* m_styleHeader;
    QRadioButton* m_best;
    QRadioButton* m_smallest;
    QPushButton* m_build;
    QPushButton* m_exit;
    QPlainTextEdit* m_output;
    QProcess* m_process = nullptr;
    QByteArray m_pending; // output after the last complete line
};

#pragma once

#include "editing/NewProjectRequest.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// The new-project dialog: save directory, project name and case directory, each directory with
// a browse button. OK checks the fields and stays open on a missing one, with its message.
// The typed values are kept when the dialog is shown again.
class DlgProjectCreate : public QDialog
{
    Q_OBJECT

public:
    explicit DlgProjectCreate(QWidget* parent = nullptr);

    editing::NewProjectRequest request() const;
    void setRequest(const editing::NewProjectRequest& request);

    QLineEdit* saveDirEdit() const { return m_saveDir; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* caseDirEdit() const { return m_caseDir; }

    void accept() override;

private:
    void browseSaveDir();
    void browseCaseDir();
    void updateFullPath();

    QLineEdit* m_saveDir;
    QLineEdit* m_name;
    QLineEdit* m_caseDir;
    QLabel* m_fullPath;
};

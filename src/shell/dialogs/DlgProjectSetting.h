#pragma once

#include <QDialog>

class APStyleProject;
class QComboBox;
class QLineEdit;

// The project settings dialog: display language, name and case directory. Browsing for the
// case directory stores it in the project at once; OK stores the name and the language too.
class DlgProjectSetting : public QDialog
{
    Q_OBJECT

public:
    DlgProjectSetting(APStyleProject& project, QWidget* parent = nullptr);

    void accept() override;

private:
    void browseCaseDir();

    APStyleProject& m_project;
    QComboBox* m_language;
    QLineEdit* m_name;
    QLineEdit* m_caseDir;
};

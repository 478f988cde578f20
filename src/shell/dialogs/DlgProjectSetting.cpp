#include "shell/dialogs/DlgProjectSetting.h"

#include "model/APStyleProject.h"
#include "platform/UserInteraction.h"
#include "shell/dialogs/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

DlgProjectSetting::DlgProjectSetting(APStyleProject& project, QWidget* parent)
    : QDialog(parent), m_project(project), m_language(new QComboBox(this)),
      m_name(new QLineEdit(this)), m_caseDir(new QLineEdit(this))
{
    setWindowTitle(tr("工程设置"));
    setAccessibleName(windowTitle());
    m_language->addItems({QStringLiteral("English"), QStringLiteral("Simplified Chinese"),
                          QStringLiteral("Traditional Chinese")});
    m_language->setCurrentIndex(project.DisplayLanguage());
    m_language->setAccessibleName(tr("语言"));
    m_name->setText(QString::fromStdString(project.Name()));
    m_name->setAccessibleName(tr("工程名"));
    m_caseDir->setText(QString::fromStdString(project.CaseDir()));
    m_caseDir->setAccessibleName(tr("Case目录"));
    m_caseDir->setReadOnly(true);

    auto* browse = new QPushButton(tr("浏览..."), this);
    browse->setAccessibleName(tr("浏览Case目录"));
    connect(browse, &QPushButton::clicked, this, &DlgProjectSetting::browseCaseDir);
    auto* caseRow = new QHBoxLayout;
    caseRow->addWidget(m_caseDir, 1);
    caseRow->addWidget(browse);

    auto* form = new QFormLayout;
    form->addRow(tr("语言(&L)："), m_language);
    form->addRow(tr("工程名(&N)："), m_name);
    // A row of several widgets has no buddy of its own: the label names the folder's field.
    auto* caseLabel = new QLabel(tr("Case目录(&C)："), this);
    caseLabel->setBuddy(m_caseDir);
    form->addRow(caseLabel, caseRow);
    QDialogButtonBox* buttons = createOkCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

void DlgProjectSetting::accept()
{
    const std::string name = m_name->text().trimmed().toStdString();
    if (name.empty()) {
        platform::interaction().showMessage(tr("工程名不能为空").toStdString(), "SkinSmith");
        return;
    }
    if (name != m_project.Name() || m_language->currentIndex() != m_project.DisplayLanguage()) {
        m_project.SetName(name);
        m_project.SetDisplayLanguage(m_language->currentIndex());
        m_project.SetModified(1);
    }
    QDialog::accept();
}

void DlgProjectSetting::browseCaseDir()
{
    if (auto folder = platform::interaction().chooseFolder(tr("请选择Case路径").toStdString(),
                                                           m_project.CaseDir())) {
        m_caseDir->setText(QString::fromStdString(*folder));
        m_project.SetCaseDir(*folder);
        m_project.SetModified(1);
    }
}

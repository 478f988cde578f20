#include "shell/dialogs/DlgProjectCreate.h"

#include "platform/UserInteraction.h"
#include "shell/dialogs/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QWidget* withBrowseButton(QLineEdit* edit, QPushButton* button)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    return row;
}

} // namespace

DlgProjectCreate::DlgProjectCreate(QWidget* parent)
    : QDialog(parent), m_saveDir(new QLineEdit(this)), m_name(new QLineEdit(this)),
      m_caseDir(new QLineEdit(this)), m_fullPath(new QLabel(this))
{
    setWindowTitle(tr("新建工程"));
    setAccessibleName(windowTitle());
    m_saveDir->setAccessibleName(tr("保存路径"));
    m_name->setAccessibleName(tr("工程名"));
    m_caseDir->setAccessibleName(tr("Case目录"));
    m_fullPath->setAccessibleName(tr("完整路径"));
    m_fullPath->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* browseSave = new QPushButton(tr("浏览..."), this);
    browseSave->setAccessibleName(tr("浏览保存路径"));
    auto* browseCase = new QPushButton(tr("浏览..."), this);
    browseCase->setAccessibleName(tr("浏览Case目录"));
    connect(browseSave, &QPushButton::clicked, this, &DlgProjectCreate::browseSaveDir);
    connect(browseCase, &QPushButton::clicked, this, &DlgProjectCreate::browseCaseDir);

    auto* form = new QFormLayout;
    form->addRow(tr("工程名(&N)："), m_name);
    form->addRow(tr("保存路径(&S)："), withBrowseButton(m_saveDir, browseSave));
    form->addRow(tr("Case目录(&C)："), withBrowseButton(m_caseDir, browseCase));
    form->addRow(tr("工程文件："), m_fullPath);

    QDialogButtonBox* buttons = createOkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    for (QLineEdit* edit : {m_saveDir, m_name}) {
        connect(edit, &QLineEdit::textChanged, this, &DlgProjectCreate::updateFullPath);
    }
    setMinimumWidth(520);
}

editing::NewProjectRequest DlgProjectCreate::request() const
{
    return {m_saveDir->text().trimmed().toStdString(), m_name->text().trimmed().toStdString(),
            m_caseDir->text().trimmed().toStdString()};
}

void DlgProjectCreate::setRequest(const editing::NewProjectRequest& request)
{
    m_saveDir->setText(QString::fromStdString(request.saveDir));
    m_name->setText(QString::fromStdString(request.name));
    m_caseDir->setText(QString::fromStdString(request.caseDir));
}

void DlgProjectCreate::accept()
{
    const std::string problem = request().Problem();
    if (!problem.empty()) {
        platform::interaction().showMessage(problem, "SkinSmith");
        return;
    }
    QDialog::accept();
}

void DlgProjectCreate::browseSaveDir()
{
    if (auto folder = platform::interaction().chooseFolder(tr("请选择工程路径").toStdString(),
                                                           m_saveDir->text().toStdString())) {
        m_saveDir->setText(QString::fromStdString(*folder));
    }
}

void DlgProjectCreate::browseCaseDir()
{
    if (auto folder = platform::interaction().chooseFolder(tr("请选择Case路径").toStdString(),
                                                           m_caseDir->text().toStdString())) {
        m_caseDir->setText(QString::fromStdString(*folder));
    }
}

void DlgProjectCreate::updateFullPath()
{
    const editing::NewProjectRequest current = request();
    m_fullPath->setText(current.name.empty() || current.saveDir.empty()
                            ? QString()
                            : QString::fromStdString(current.ProjectFilePath()));
}

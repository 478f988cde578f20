#include "shell/dialogs/DlgResDirSelect.h"

#include "platform/UserInteraction.h"
#include "shell/dialogs/DialogButtons.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

DlgResDirSelect::DlgResDirSelect(Kind kind, const std::string& folder,
                                 const std::vector<std::string>& subDirectories, QWidget* parent)
    : QDialog(parent), m_folder(new QLabel(this)), m_list(new QListWidget(this)),
      m_all(new QPushButton(tr("全选"), this)), m_none(new QPushButton(tr("全不选"), this))
{
    setObjectName(QStringLiteral("DlgResDirSelect"));
    setWindowTitle(kind == Kind::Pictures ? tr("选择图片资源目录") : tr("选择字符串资源目录"));
    setAccessibleName(windowTitle());

    auto* prompt = new QLabel(kind == Kind::Pictures ? tr("从以下目录更新图片资源：")
                                                     : tr("从以下目录更新字符串资源："),
                              this);
    prompt->setAccessibleName(prompt->text());
    prompt->setBuddy(m_list);
    m_folder->setText(QDir::toNativeSeparators(QString::fromStdString(folder)));
    m_folder->setAccessibleName(tr("资源目录"));
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folder->setWordWrap(true);

    m_list->setAccessibleName(tr("目录列表"));
    for (const std::string& name : subDirectories) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_all->setAccessibleName(m_all->text());
    m_none->setAccessibleName(m_none->text());
    connect(m_all, &QPushButton::clicked, this, [this] { setAllChecked(true); });
    connect(m_none, &QPushButton::clicked, this, [this] { setAllChecked(false); });

    QDialogButtonBox* buttons = createOkCancelButtons(*this);
    buttons->setAccessibleName(tr("按钮"));

    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(m_all);
    checkRow->addWidget(m_none);
    checkRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_folder);
    layout->addWidget(m_list, 1);
    layout->addLayout(checkRow);
    layout->addWidget(buttons);
    resize(420, 360);
}

std::vector<std::string> DlgResDirSelect::chosen() const
{
    std::vector<std::string> names;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem* item = m_list->item(row);
        if (item->checkState() == Qt::Checked) {
            names.push_back(item->text().toStdString());
        }
    }
    return names;
}

void DlgResDirSelect::setAllChecked(bool checked)
{
    for (int row = 0; row < m_list->count(); ++row) {
        m_list->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void DlgResDirSelect::accept()
{
    if (chosen().empty()) {
        platform::interaction().showMessage(tr(kChooseMessage).toStdString());
        return;
    }
    QDialog::accept();
}

#include "shell/dialogs/CPrjResizeDlg.h"

#include "shell/dialogs/DialogButtons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* sizeEdit(const std::string& value, const QString& name, bool editable, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::fromStdString(value), parent);
    edit->setAccessibleName(name);
    edit->setReadOnly(!editable);
    if (editable) {
        // Digits only; 0 stays possible, so that the dialog can say why it is refused.
        edit->setValidator(new QIntValidator(0, 65535, edit));
    }
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    return edit;
}

} // namespace

CPrjResizeDlg::CPrjResizeDlg(APStyleProject& project, QWidget* parent)
    : QDialog(parent), m_model(project),
      m_currentWidth(sizeEdit(m_model.currentWidthText(), tr("当前宽"), false, this)),
      m_currentHeight(sizeEdit(m_model.currentHeightText(), tr("当前高"), false, this)),
      m_newWidth(sizeEdit(m_model.newWidthText, tr("新的宽"), true, this)),
      m_newHeight(sizeEdit(m_model.newHeightText, tr("新的高"), true, this))
{
    setWindowTitle(tr("工程缩放"));
    setAccessibleName(windowTitle());

    auto* grid = new QGridLayout;
    const auto label = [this](const QString& text) {
        auto* shown = new QLabel(text, this);
        shown->setAccessibleName(text);
        return shown;
    };
    grid->addWidget(label(tr("当前尺寸:")), 0, 0);
    grid->addWidget(label(tr("宽")), 0, 1);
    grid->addWidget(m_currentWidth, 0, 2);
    grid->addWidget(label(tr("高")), 0, 3);
    grid->addWidget(m_currentHeight, 0, 4);
    grid->addWidget(label(tr("新的尺寸:")), 1, 0);
    grid->addWidget(label(tr("宽")), 1, 1);
    grid->addWidget(m_newWidth, 1, 2);
    grid->addWidget(label(tr("高")), 1, 3);
    grid->addWidget(m_newHeight, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);

    QDialogButtonBox* buttons = createOkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    m_newWidth->setFocus();
    m_newWidth->selectAll();
}

void CPrjResizeDlg::accept()
{
    m_model.newWidthText = m_newWidth->text().toStdString();
    m_model.newHeightText = m_newHeight->text().toStdString();
    // The model says why a size is refused; the dialog stays open then.
    if (m_model.accept()) {
        QDialog::accept();
    }
}

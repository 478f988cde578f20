#include "shell/dialogs/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* createOkCancelButtons(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

void nameOkCancelButtons(QDialogButtonBox& buttons, bool shown)
{
    const QString ok = QDialog::tr("确定");
    const QString cancel = QDialog::tr("取消");
    buttons.button(QDialogButtonBox::Ok)->setAccessibleName(ok);
    buttons.button(QDialogButtonBox::Cancel)->setAccessibleName(cancel);
    if (shown) {
        buttons.button(QDialogButtonBox::Ok)->setText(ok);
        buttons.button(QDialogButtonBox::Cancel)->setText(cancel);
    }
}

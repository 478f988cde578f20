#include "shell/dialogs/DialogButtons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* createOkCancelButtons(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    for (const auto& [which, text] :
         {std::pair{QDialogButtonBox::Ok, QCoreApplication::translate("DialogButtons", "确定")},
          std::pair{QDialogButtonBox::Cancel,
                    QCoreApplication::translate("DialogButtons", "取消")}}) {
        buttons->button(which)->setText(text);
        buttons->button(which)->setAccessibleName(text);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

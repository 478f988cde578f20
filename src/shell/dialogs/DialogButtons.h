#pragma once

class QDialog;
class QDialogButtonBox;

// The "确定" and "取消" buttons of `dialog`: they accept and reject it (its own accept and
// reject, where it overrides them).
QDialogButtonBox* createOkCancelButtons(QDialog& dialog);

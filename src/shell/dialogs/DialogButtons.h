#pragma once

class QDialog;
class QDialogButtonBox;

// An OK and a Cancel button that accept and reject `dialog` (its own accept and reject, where
// it overrides them).
QDialogButtonBox* createOkCancelButtons(QDialog& dialog);

// Names the two buttons "确定" and "取消" for screen readers; with `shown` they also read so.
void nameOkCancelButtons(QDialogButtonBox& buttons, bool shown);

#pragma once

#include "editing/PrjResizeDialogModel.h"

#include <QDialog>

class APStyleProject;
class QLineEdit;

// "工程缩放": shows the project's screen size and takes a new one. OK sets the new size on the
// project and writes a scaled copy of it into a project file chosen in the save dialog
// (editing::PrjResizeDialogModel does the work; cancelling the save dialog writes nothing).
class CPrjResizeDlg : public QDialog
{
    Q_OBJECT

public:
    // `project` must outlive the dialog.
    explicit CPrjResizeDlg(APStyleProject& project, QWidget* parent = nullptr);

    QLineEdit* newWidthEdit() const { return m_newWidth; }
    QLineEdit* newHeightEdit() const { return m_newHeight; }

    void accept() override;

private:
    editing::PrjResizeDialogModel m_model;
    QLineEdit* m_currentWidth;
    QLineEdit* m_currentHeight;
    QLineEdit* m_newWidth;
    QLineEdit* m_newHeight;
};

#pragma once

#include "editing/UiResizerDialogModel.h"

#include <QDialog>
#include <QPointer>

class CResizerRunWindow;
class QLineEdit;
class QSpinBox;

// "启动ui缩放程序": collects the sizes, apps directories and folder names for the picture
// resizer (editing::UiResizerDialogModel has the defaults, checks and messages). OK starts
// resizeimage, found beside the editor's executable, with the one "string = ..." parameter
// as a single argument, and shows its output in a CResizerRunWindow; the dialog closes without
// waiting for it.
class CDlgUiResizer : public QDialog
{
    Q_OBJECT

public:
    // `caseDirectory`: the open project's case directory, "" when none is open.
    explicit CDlgUiResizer(const std::string& caseDirectory, QWidget* parent = nullptr);

    // The resizer beside the editor's executable.
    static QString resizerProgram();

    QSpinBox* sourceWidthBox() const { return m_sourceWidth; }
    QSpinBox* sourceHeightBox() const { return m_sourceHeight; }
    QSpinBox* destinationWidthBox() const { return m_destinationWidth; }
    QSpinBox* destinationHeightBox() const { return m_destinationHeight; }
    QLineEdit* sourceAppsEdit() const { return m_sourceApps; }
    QLineEdit* resourceDirectoryEdit() const { return m_resourceDirectory; }
    QLineEdit* destinationAppsEdit() const { return m_destinationApps; }
    QLineEdit* uprightEdit() const { return m_upright; }
    QLineEdit* sidewaysEdit() const { return m_sideways; }
    // The window of the resizer OK started (parented to this dialog's parent), or null.
    CResizerRunWindow* runWindow() const;

    void accept() override;

private:
    void readFields();
    void browse(bool source);

    editing::UiResizerDialogModel m_model;
    QSpinBox* m_sourceWidth;
    QSpinBox* m_sourceHeight;
    QSpinBox* m_destinationWidth;
    QSpinBox* m_destinationHeight;
    QLineEdit* m_sourceApps;
    QLineEdit* m_resourceDirectory;
    QLineEdit* m_destinationApps;
    QLineEdit* m_upright;
    QLineEdit* m_sideways;
    QPointer<CResizerRunWindow> m_run;
};

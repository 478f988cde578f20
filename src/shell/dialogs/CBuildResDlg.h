#pragma once

#include "generate/BuildResDialogModel.h"

#include <QDialog>

#include <array>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The build options dialog ("生成资源"): edits the build settings of section "CONFIG" of the
// settings file through generate::BuildResDialogModel, which holds the rules; the widgets only
// show the model and pass edits on. OK writes the settings (the model's computations); the
// run's values are then model().applyTo(options). Cancel writes nothing.
class CBuildResDlg : public QDialog
{
    Q_OBJECT

public:
    // `settingsPath`: "SkinSmith.ini"; `nextLayerId`: the project's next layer identifier.
    CBuildResDlg(const std::string& settingsPath, std::int32_t nextLayerId,
                 QWidget* parent = nullptr);

    const generate::BuildResDialogModel& model() const { return m_model; }

    void accept() override;

    QRadioButton* bestQualityButton() const { return m_best; }
    QRadioButton* smallestSizeButton() const { return m_smallest; }
    QCheckBox* splitResBox() const { return m_splitRes; }
    QLineEdit* splitResSizeEdit() const { return m_splitResSize; }
    QCheckBox* splitPackBox() const { return m_splitPack; }
    QLineEdit* splitPackStartEdit() const { return m_splitPackStart; }
    QLabel* rangeLabel() const { return m_range; }
    QPushButton* differentialProjectButton() const { return m_differential; }
    QCheckBox* tileBox() const { return m_tile; }
    QLineEdit* tileWidthEdit() const { return m_tileWidth; }
    QLineEdit* tileHeightEdit() const { return m_tileHeight; }
    QComboBox* compressTypeBox() const { return m_compressType; }
    QCheckBox* rawJpegBox() const { return m_rawJpeg; }
    QLineEdit* jpegEdit(generate::BuildResDialogModel::JpegEdit which) const
    {
        return m_jpeg[which];
    }

private:
    void buildWidgets();
    void connectWidgets();
    // Puts the model's switches, texts and enabling into the widgets.
    void showModel();
    void chooseDifferentialProject();

    generate::BuildResDialogModel m_model;
    QRadioButton* m_best;
    QRadioButton* m_smallest;
    QButtonGroup* m_quality;
    QCheckBox* m_splitRes;
    QLineEdit* m_splitResSize;
    QCheckBox* m_splitPack;
    QLineEdit* m_splitPackStart;
    QLabel* m_range;
    QPushButton* m_differential;
    QCheckBox* m_tile;
    QLineEdit* m_tileWidth;
    QLineEdit* m_tileHeight;
    QComboBox* m_compressType;
    QCheckBox* m_rawJpeg;
    std::array<QLineEdit*, generate::BuildResDialogModel::kJpegEditCount> m_jpeg;
    bool m_showing = false;
};

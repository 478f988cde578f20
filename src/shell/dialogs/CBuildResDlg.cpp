#include "shell/dialogs/CBuildResDlg.h"

#include "platform/UserInteraction.h"
#include "shell/dialogs/DialogButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using generate::BuildResDialogModel;

namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

// A line edit named after its label, for numbers (any text is kept as typed).
QLineEdit* numberEdit(const QString& label, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(label);
    edit->setMaximumWidth(80);
    return edit;
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    label->setAccessibleName(text);
    return label;
}

} // namespace

CBuildResDlg::CBuildResDlg(const std::string& settingsPath, std::int32_t nextLayerId,
                           QWidget* parent)
    : QDialog(parent), m_model(settingsPath, nextLayerId)
{
    setWindowTitle(tr("生成资源"));
    setAccessibleName(windowTitle());
    buildWidgets();
    m_model.load();
    showModel();
    connectWidgets();
}

void CBuildResDlg::buildWidgets()
{
    m_best = new QRadioButton(tr("要求资源质量最高"), this);
    m_smallest = new QRadioButton(tr("要求资源所占空间最小"), this);
    m_quality = new QButtonGroup(this);
    m_quality->addButton(m_best);
    m_quality->addButton(m_smallest);
    auto* qualityBox = new QGroupBox(tr("资源质量"), this);
    qualityBox->setAccessibleName(qualityBox->title());
    auto* qualityLayout = new QVBoxLayout(qualityBox);
    qualityLayout->addWidget(m_best);
    qualityLayout->addWidget(m_smallest);

    m_splitRes = new QCheckBox(tr("切分RES"), this);
    m_splitResSize = numberEdit(tr("每份大小(M):"), this);
    m_splitPack = new QCheckBox(tr("差分包"), this);
    m_splitPackStart = numberEdit(tr("起始:"), this);
    m_range = new QLabel(qt(m_model.rangeLabel()), this);
    m_range->setAccessibleName(tr("起始范围"));
    m_differential = new QPushButton(tr("差分工程"), this);
    m_differential->setAccessibleName(m_differential->text());
    m_differential->setAutoDefault(false);
    auto* splitBox = new QGroupBox(tr("切分"), this);
    splitBox->setAccessibleName(splitBox->title());
    auto* split = new QGridLayout(splitBox);
    split->addWidget(m_splitRes, 0, 0);
    split->addWidget(labelFor(tr("每份大小(M):"), m_splitResSize, this), 0, 1);
    split->addWidget(m_splitResSize, 0, 2);
    split->addWidget(m_splitPack, 1, 0);
    split->addWidget(labelFor(tr("起始:"), m_splitPackStart, this), 1, 1);
    split->addWidget(m_splitPackStart, 1, 2);
    split->addWidget(m_range, 1, 3);
    split->addWidget(m_differential, 1, 4);
    split->setColumnStretch(5, 1);

    m_tile = new QCheckBox(tr("分块压缩"), this);
    m_tileWidth = numberEdit(tr("宽:"), this);
    m_tileHeight = numberEdit(tr("高:"), this);
    m_compressType = new QComboBox(this);
    m_compressType->addItems({QStringLiteral("LZ4"), QStringLiteral("RLE")});
    m_compressType->setAccessibleName(tr("压缩格式:"));
    auto* compressBox = new QGroupBox(tr("压缩"), this);
    compressBox->setAccessibleName(compressBox->title());
    auto* compress = new QGridLayout(compressBox);
    compress->addWidget(m_tile, 0, 0);
    compress->addWidget(labelFor(tr("宽:"), m_tileWidth, this), 0, 1);
    compress->addWidget(m_tileWidth, 0, 2);
    compress->addWidget(labelFor(tr("高:"), m_tileHeight, this), 0, 3);
    compress->addWidget(m_tileHeight, 0, 4);
    compress->addWidget(labelFor(tr("压缩格式:"), m_compressType, this), 1, 0);
    compress->addWidget(m_compressType, 1, 1, 1, 2);
    compress->setColumnStretch(5, 1);

    m_rawJpeg = new QCheckBox(tr("打包原始JPEG"), this);
    const std::array<QString, BuildResDialogModel::kJpegEditCount> jpegLabels = {
        tr("JPEG最小宽度"), tr("JPEG最小高度"), tr("分块宽度"), tr("分块高度"), tr("图片质量")};
    auto* jpegBox = new QGroupBox(tr("JPEG"), this);
    jpegBox->setAccessibleName(jpegBox->title());
    auto* jpeg = new QGridLayout(jpegBox);
    jpeg->addWidget(m_rawJpeg, 0, 0, 1, 4);
    for (int i = 0; i < BuildResDialogModel::kJpegEditCount; ++i) {
        m_jpeg[i] = numberEdit(jpegLabels[i], this);
        const int row = 1 + i / 2;
        const int column = (i % 2) * 2;
        jpeg->addWidget(labelFor(jpegLabels[i], m_jpeg[i], this), row, column);
        jpeg->addWidget(m_jpeg[i], row, column + 1);
    }
    jpeg->setColumnStretch(4, 1);

    for (QCheckBox* box : {m_splitRes, m_splitPack, m_tile, m_rawJpeg}) {
        box->setAccessibleName(box->text());
    }
    for (QRadioButton* button : {m_best, m_smallest}) {
        button->setAccessibleName(button->text());
    }

    QDialogButtonBox* buttons = createOkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(qualityBox);
    layout->addWidget(splitBox);
    layout->addWidget(compressBox);
    layout->addWidget(jpegBox);
    layout->addWidget(buttons);
}

void CBuildResDlg::connectWidgets()
{
    // Every change goes to the model, which may change other switches; then the widgets show
    // the model again. Changes made while showing it are not echoed back.
    const auto onToggle = [this](QCheckBox* box, void (BuildResDialogModel::*set)(bool)) {
        connect(box, &QCheckBox::toggled, this, [this, set](bool on) {
            if (!m_showing) {
                (m_model.*set)(on);
                showModel();
            }
        });
    };
    onToggle(m_splitRes, &BuildResDialogModel::setSplitRes);
    onToggle(m_splitPack, &BuildResDialogModel::setSplitPack);
    onToggle(m_tile, &BuildResDialogModel::setTile);
    onToggle(m_rawJpeg, &BuildResDialogModel::setRawJpeg);
    connect(m_best, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_showing) {
            m_model.setBestQuality(on);
        }
    });
    connect(m_compressType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_showing) {
            m_model.setCompressSelection(index);
        }
    });
    const auto onText = [this](QLineEdit* edit, std::string& text) {
        connect(edit, &QLineEdit::textChanged, this, [this, &text](const QString& value) {
            if (!m_showing) {
                text = value.toStdString();
            }
        });
    };
    onText(m_splitResSize, m_model.splitResSizeText);
    onText(m_splitPackStart, m_model.splitPackStartText);
    onText(m_tileWidth, m_model.tileWidthText);
    onText(m_tileHeight, m_model.tileHeightText);
    for (int i = 0; i < BuildResDialogModel::kJpegEditCount; ++i) {
        onText(m_jpeg[i], m_model.jpegTexts[i]);
    }
    connect(m_differential, &QPushButton::clicked, this, &CBuildResDlg::chooseDifferentialProject);
}

void CBuildResDlg::showModel()
{
    m_showing = true;
    (m_model.bestQuality() ? m_best : m_smallest)->setChecked(true);
    m_splitRes->setChecked(m_model.splitRes());
    m_splitPack->setChecked(m_model.splitPack());
    m_tile->setChecked(m_model.tile());
    m_rawJpeg->setChecked(m_model.rawJpeg());
    const int selection = m_model.compressSelection();
    m_compressType->setCurrentIndex(
        selection >= 0 && selection < m_compressType->count() ? selection : -1);
    const auto show = [](QLineEdit* edit, const std::string& text) {
        if (edit->text().toStdString() != text) {
            edit->setText(qt(text));
        }
    };
    show(m_splitResSize, m_model.splitResSizeText);
    show(m_splitPackStart, m_model.splitPackStartText);
    show(m_tileWidth, m_model.tileWidthText);
    show(m_tileHeight, m_model.tileHeightText);
    m_splitResSize->setEnabled(m_model.splitResSizeEnabled());
    m_splitPackStart->setEnabled(m_model.splitPackStartEnabled());
    m_tileWidth->setEnabled(m_model.tileEditsEnabled());
    m_tileHeight->setEnabled(m_model.tileEditsEnabled());
    for (int i = 0; i < BuildResDialogModel::kJpegEditCount; ++i) {
        show(m_jpeg[i], m_model.jpegTexts[i]);
        m_jpeg[i]->setEnabled(m_model.jpegEditsEnabled());
    }
    m_showing = false;
}

void CBuildResDlg::chooseDifferentialProject()
{
    if (m_model.chooseDifferentialProject()) {
        showModel();
        m_differential->setToolTip(qt(m_model.differentialProjectPath()));
    }
}

void CBuildResDlg::accept()
{
    if (!m_model.accept()) {
        // The build still runs with the values chosen; only remembering them failed.
        platform::interaction().showMessage(tr("无法保存生成设置：%1")
                                                .arg(QString::fromStdString(m_model.settingsPath()))
                                                .toStdString(),
                                            "SkinSmith");
    }
    QDialog::accept();
}

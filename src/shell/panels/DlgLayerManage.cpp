#include "shell/panels/DlgLayerManage.h"

#include "shell/panels/LayerListModel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QSize kPreviewSize(160, 120);

} // namespace

DlgLayerManage::DlgLayerManage(editing::Workspace& ws, QWidget* parent)
    : QWidget(parent), m_layers(std::make_unique<editing::LayerList>(ws)),
      m_model(new LayerListModel(*m_layers, this)), m_list(new QTreeView(this)),
      m_selectAll(new QPushButton(tr("全选"), this)), m_invert(new QPushButton(tr("反选"), this)),
      m_preview(new QLabel(this))
{
    setObjectName(QStringLiteral("DlgLayerManage"));
    setWindowTitle(tr("图层"));
    setAccessibleName(tr("图层"));

    m_list->setObjectName(QStringLiteral("LayerList"));
    m_list->setAccessibleName(QStringLiteral("Layer"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setIconSize(QSize(16, 16));
    m_list->header()->setAccessibleName(tr("图层列"));
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(0, 50);
    m_list->setColumnWidth(1, 150);
    m_selectAll->setAccessibleName(m_selectAll->text());
    m_invert->setAccessibleName(m_invert->text());

    auto* previewBox = new QGroupBox(tr("预览"), this);
    previewBox->setAccessibleName(previewBox->title());
    m_preview->setObjectName(QStringLiteral("LayerPreview"));
    m_preview->setAccessibleName(tr("预览"));
    m_preview->setMinimumSize(kPreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(m_preview);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addWidget(m_invert);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(previewBox);

    connect(m_selectAll, &QPushButton::clicked, this, [this] { m_layers->CheckAll(); });
    connect(m_invert, &QPushButton::clicked, this, [this] { m_layers->InvertChecks(); });
    connect(m_model, &LayerListModel::layersChanged, this, &DlgLayerManage::updatePreview);
    updatePreview();
}

DlgLayerManage::~DlgLayerManage()
{
    // The model observes the list: it goes first.
    delete m_model;
    m_model = nullptr;
}

void DlgLayerManage::updatePreview()
{
    const std::vector<int> rows = m_layers->PreviewRows();
    if (rows.empty()) {
        m_preview->setPixmap({});
        m_preview->setText(QString());
        return;
    }
    // The frames are layers: each drawn over the one before, centred.
    QPixmap canvas(kPreviewSize);
    canvas.fill(QColor(0xEE, 0xEE, 0xEE));
    QPainter painter(&canvas);
    for (int row : rows) {
        const QPixmap thumbnail = m_model->thumbnail(row, kPreviewSize);
        if (!thumbnail.isNull()) {
            painter.drawPixmap((kPreviewSize.width() - thumbnail.width()) / 2,
                               (kPreviewSize.height() - thumbnail.height()) / 2, thumbnail);
        }
    }
    painter.end();
    m_preview->setPixmap(canvas);
}

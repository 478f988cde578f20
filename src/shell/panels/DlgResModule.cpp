#include "shell/panels/DlgResModule.h"

#include "editing/Workspace.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "shell/dialogs/DlgResDirSelect.h"
#include "shell/panels/ResourceTableModel.h"
#include "shell/panels/StringTextBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct MenuEntry
{
    int id;
    const char* text;
};

constexpr MenuEntry kMenu[] = {
    {editing::ResourcePanel::kCmdRefresh, QT_TRANSLATE_NOOP("DlgResModule", "刷新列表")},
    {editing::ResourcePanel::kCmdAddFiles, QT_TRANSLATE_NOOP("DlgResModule", "添加文件...")},
    {editing::ResourcePanel::kCmdAddDirectory, QT_TRANSLATE_NOOP("DlgResModule", "添加目录...")},
    {editing::ResourcePanel::kCmdDeleteSelection, QT_TRANSLATE_NOOP("DlgResModule", "删除选择")},
    {editing::ResourcePanel::kCmdClearList, QT_TRANSLATE_NOOP("DlgResModule", "清空列表")},
    {editing::ResourcePanel::kCmdClearAllLists, QT_TRANSLATE_NOOP("DlgResModule", "清空所有列表")},
    {editing::ResourcePanel::kCmdUpdatePictures,
     QT_TRANSLATE_NOOP("DlgResModule", "从资源目录更新图片...")},
    {editing::ResourcePanel::kCmdUpdateStrings,
     QT_TRANSLATE_NOOP("DlgResModule", "从资源目录更新字符串...")},
};

} // namespace

DlgResModule::DlgResModule(editing::Workspace& ws, QWidget* parent)
    : QWidget(parent), m_logic(ws), m_model(new ResourceTableModel(m_logic, this)),
      m_proxy(new QSortFilterProxyModel(this)), m_filter(new QLineEdit(this)),
      m_view(new QTableView(this)), m_preview(new QLabel(this)), m_previewSize(new QLabel(this)),
      m_textBox(new StringTextBox(this))
{
    setObjectName(QStringLiteral("DlgResModule"));
    setAccessibleName(tr("资源管理"));

    m_proxy->setSourceModel(m_model);
    m_proxy->setFilterKeyColumn(-1);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_filter->setPlaceholderText(tr("筛选"));
    m_filter->setAccessibleName(tr("筛选"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_proxy,
            &QSortFilterProxyModel::setFilterFixedString);

    m_view->setModel(m_proxy);
    m_view->setAccessibleName(tr("资源列表"));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_view->horizontalHeader()->setAccessibleName(tr("资源列"));
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setWordWrap(false);
    connect(m_view, &QWidget::customContextMenuRequested, this, &DlgResModule::showContextMenu);
    connect(m_view, &QAbstractItemView::doubleClicked, this, &DlgResModule::onDoubleClicked);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentChanged(current); });
    connect(m_model, &ResourceTableModel::columnsReset, this, &DlgResModule::onColumnsReset);

    m_preview->setAccessibleName(tr("预览"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumSize(96, 72);
    m_previewSize->setAccessibleName(tr("图片大小"));
    m_previewSize->setAlignment(Qt::AlignCenter);
    m_textBox->setAccessibleName(tr("字符串内容"));
    m_view->installEventFilter(this);

    auto* listSide = new QWidget(this);
    auto* listLayout = new QVBoxLayout(listSide);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(m_filter);
    listLayout->addWidget(m_view);
    auto* previewSide = new QWidget(this);
    auto* previewLayout = new QVBoxLayout(previewSide);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->addWidget(m_preview, 1);
    previewLayout->addWidget(m_previewSize);
    previewLayout->addWidget(m_textBox, 1);
    auto* splitter = new QSplitter(this);
    splitter->setAccessibleName(tr("资源管理"));
    splitter->addWidget(listSide);
    splitter->addWidget(previewSide);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    onColumnsReset();
}

DlgResModule::~DlgResModule()
{
    // The view, the proxy and the model read the panel's logic, a member that goes
    // before the base class deletes the children.
    delete m_view;
    delete m_proxy;
    delete m_model;
}

std::vector<int> DlgResModule::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows()) {
        rows.push_back(m_proxy->mapToSource(index).row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DlgResModule::runCommand(int command)
{
    if (command == editing::ResourcePanel::kCmdUpdatePictures ||
        command == editing::ResourcePanel::kCmdUpdateStrings) {
        updateFromResourceDirs(command);
        return;
    }
    m_logic.Run(command, selectedRows());
    selectRow(m_logic.RowToSelect());
}

void DlgResModule::updateFromResourceDirs(int command)
{
    if (!m_logic.CanRun(command)) {
        return;
    }
    const std::vector<std::string> folders = m_logic.ResourceSubDirectories();
    if (folders.empty()) {
        platform::interaction().showMessage(
            platform::uiText(editing::ResourcePanel::kNoResourceDirsMessage) +
            m_logic.ResourceDirectory());
        return;
    }
    DlgResDirSelect dialog(command == editing::ResourcePanel::kCmdUpdatePictures
                               ? DlgResDirSelect::Kind::Pictures
                               : DlgResDirSelect::Kind::Strings,
                           m_logic.ResourceDirectory(), folders, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_logic.UpdateFromResourceDirs(command, dialog.chosen());
    }
}

bool DlgResModule::copySelectedStrings()
{
    if (m_logic.ShownList() != editing::Workspace::kStringList) {
        return false;
    }
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        return false;
    }
    const int column = m_proxy->mapToSource(m_view->currentIndex()).column();
    const QString text = QString::fromStdString(m_logic.StringTextOfRows(rows, column));
    QApplication::clipboard()->setMimeData(StringTextBox::mimeDataFor(text));
    return true;
}

bool DlgResModule::eventFilter(QObject* watched, QEvent* event)
{
    // Copying string rows offers their RTF too; the picture list keeps the view's own copy.
    if (watched == m_view &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
        m_logic.ShownList() == editing::Workspace::kStringList) {
        if (event->type() == QEvent::KeyPress) {
            copySelectedStrings();
        }
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DlgResModule::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        return;
    }
    const QModelIndex index = m_proxy->mapFromSource(m_model->index(row, 0));
    if (index.isValid()) {
        m_view->setCurrentIndex(index);
        m_view->scrollTo(index);
    }
}

void DlgResModule::showContextMenu(const QPoint& position)
{
    QMenu menu(tr("资源列表菜单"), this);
    menu.setAccessibleName(tr("资源列表菜单"));
    for (const MenuEntry& entry : kMenu) {
        QAction* action = menu.addAction(tr(entry.text));
        action->setData(entry.id);
        action->setEnabled(m_logic.CanRun(entry.id));
        if (entry.id == editing::ResourcePanel::kCmdAddDirectory ||
            entry.id == editing::ResourcePanel::kCmdClearAllLists) {
            menu.addSeparator();
        }
    }
    if (QAction* chosen = menu.exec(m_view->viewport()->mapToGlobal(position))) {
        runCommand(chosen->data().toInt());
    }
}

void DlgResModule::onColumnsReset()
{
    const int list = m_logic.ShownList();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        m_view->resizeColumnToContents(column);
        m_view->setColumnWidth(column, std::max(editing::ResourcePanel::ColumnWidth(list, column),
                                                m_view->columnWidth(column)));
    }
    onCurrentChanged(m_view->currentIndex());
}

void DlgResModule::onDoubleClicked(const QModelIndex& index)
{
    if (index.isValid()) {
        m_logic.Assign(m_proxy->mapToSource(index).row());
    }
}

void DlgResModule::onCurrentChanged(const QModelIndex& current)
{
    m_preview->clear();
    m_previewSize->clear();
    if (!current.isValid()) {
        return;
    }
    const QModelIndex source = m_proxy->mapToSource(current);
    const int row = source.row();
    if (m_logic.ShownList() == editing::Workspace::kStringList) {
        // The text box shows the current string's text in the language of the current cell.
        m_textBox->setPlainText(
            QString::fromStdString(m_logic.StringTextOfRows({row}, source.column())));
        return;
    }
    const QPixmap picture(QString::fromStdString(m_logic.PicturePath(row)));
    if (picture.isNull()) {
        return;
    }
    m_previewSize->setText(QString::asprintf("%d X %d", picture.width(), picture.height()));
    m_preview->setPixmap(
        picture.width() > m_preview->width() || picture.height() > m_preview->height()
            ? picture.scaled(m_preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : picture);
}

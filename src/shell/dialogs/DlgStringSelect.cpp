#include "shell/dialogs/DlgStringSelect.h"

#include "model/APStyleProject.h"
#include "model/StringRegistry.h"
#include "platform/UserInteraction.h"
#include "shell/dialogs/DialogButtons.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <vector>

// The string list's rows: name, id, then the text of each language column.
class StringSelectModel : public QAbstractTableModel
{
public:
    StringSelectModel(const StringRegistry& strings, QObject* parent)
        : QAbstractTableModel(parent), m_strings(strings)
    {
        m_columns = {QStringLiteral("ID"), QStringLiteral("Value")};
        const std::vector<std::string> languages = strings.NamedLanguages();
        if (languages.empty()) {
            m_columns << QStringLiteral("English") << QStringLiteral("Simplified Chinese")
                      << QStringLiteral("Traditional Chinese");
        }
        for (const std::string& name : languages) {
            m_columns << QString::fromStdString(name);
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_strings.Size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole &&
                                 role != Qt::ToolTipRole)) {
            return {};
        }
        return cellText(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && section >= 0 && section < m_columns.size() &&
            (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
            return m_columns[section];
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QString cellText(int row, int column) const
    {
        if (row < 0 || row >= rowCount() || column < 0) {
            return {};
        }
        const StringRecord& record = m_strings.Records()[static_cast<std::size_t>(row)];
        if (column == 0) {
            return QString::fromStdString(record.identifier);
        }
        if (column == 1) {
            return QString::number(record.number);
        }
        const auto slot = static_cast<std::size_t>(column - 2);
        return slot < record.texts.size() ? QString::fromStdString(record.texts[slot]) : QString();
    }
    int textColumns() const { return static_cast<int>(m_columns.size()) - 2; }

private:
    const StringRegistry& m_strings;
    QStringList m_columns;
};

// Keeps the rows whose name (or, by content, any text) contains the search text.
class StringSelectFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setSearch(const QString& text, bool byText)
    {
        m_text = text;
        m_byText = byText;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override
    {
        if (m_text.isEmpty()) {
            return true;
        }
        const auto* model = static_cast<const StringSelectModel*>(sourceModel());
        if (!m_byText) {
            return model->cellText(row, 0).contains(m_text, Qt::CaseInsensitive);
        }
        for (int column = 0; column < model->textColumns(); ++column) {
            if (model->cellText(row, column + 2).contains(m_text, Qt::CaseInsensitive)) {
                return true;
            }
        }
        return false;
    }

private:
    QString m_text;
    bool m_byText = false;
};

DlgStringSelect::DlgStringSelect(const StringRegistry& strings, QWidget* parent)
    : QDialog(parent), m_strings(strings), m_model(new StringSelectModel(strings, this)),
      m_filter(new StringSelectFilter(this)), m_search(new QLineEdit(this)),
      m_byName(new QRadioButton(tr("按名字"), this)),
      m_byText(new QRadioButton(tr("按字符串内容"), this)), m_view(new QTableView(this))
{
    setWindowTitle(tr("选择字符串"));
    setAccessibleName(tr("选择字符串"));
    setObjectName(QStringLiteral("DlgStringSelect"));
    m_filter->setSourceModel(m_model);

    m_search->setAccessibleName(tr("查找"));
    m_byName->setAccessibleName(m_byName->text());
    m_byText->setAccessibleName(m_byText->text());
    m_byName->setChecked(true);
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_byName);
    modes->addButton(m_byText);

    m_view->setModel(m_filter);
    m_view->setAccessibleName(tr("字符串列表"));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->setWordWrap(false);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        m_view->setColumnWidth(column, column < 2 ? 80 : 160);
    }
    connect(m_view, &QAbstractItemView::doubleClicked, this, &DlgStringSelect::accept);
    connect(m_search, &QLineEdit::textChanged, this, &DlgStringSelect::updateFilter);
    connect(m_byName, &QRadioButton::toggled, this, &DlgStringSelect::updateFilter);

    auto* searchLabel = new QLabel(tr("查找"), this);
    searchLabel->setBuddy(m_search);
    searchLabel->setAccessibleName(searchLabel->text());
    QDialogButtonBox* buttons = createOkCancelButtons(*this);
    buttons->setAccessibleName(tr("按钮"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_byName);
    searchRow->addWidget(m_byText);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
    resize(720, 480);
}

DlgStringSelect::~DlgStringSelect() = default;

void DlgStringSelect::updateFilter()
{
    m_filter->setSearch(m_search->text(), m_byText->isChecked());
}

void DlgStringSelect::accept()
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        platform::interaction().showMessage(tr(kChooseMessage).toStdString());
        return;
    }
    const int row = m_filter->mapToSource(rows.front()).row();
    m_chosen = m_strings.Records()[static_cast<std::size_t>(row)];
    QDialog::accept();
}

std::optional<std::string> DlgStringSelect::choose(APStyleProject& project, QWidget* parent)
{
    DlgStringSelect dialog(project.Strings(), parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) {
        return std::nullopt;
    }
    return dialog.chosen()->identifier;
}

#include "shell/panels/TextCheckPanel.h"

#include "components/visual/Graph.h"
#include "editing/MeasuringFontChoice.h"
#include "editing/PseudoPreview.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "shell/panels/TextCheckModel.h"
#include "shell/surface/QtVisualEditor.h"
#include "textcheck/TextFitCheck.h"
#include "textcheck/TextFitInput.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Edits come in bursts (typing in the grid): the check waits for a pause this long.
constexpr int kPauseMs = 400;

} // namespace

TextCheckPanel::TextCheckPanel(editing::Workspace& workspace, QtVisualEditor& editor,
                               std::function<void(SnapShotItem&)> reveal, QWidget* parent)
    : QWidget(parent), m_workspace(workspace), m_editor(editor), m_reveal(std::move(reveal)),
      m_check(std::make_unique<textcheck::TextFitCheck>()),
      m_report(std::make_shared<textcheck::TextFitReport>()),
      m_problem(std::make_shared<std::string>()), m_model(new TextCheckModel(m_rows, this)),
      m_sorted(new QSortFilterProxyModel(this)), m_table(new QTableView(this)),
      m_status(new QLabel(this)), m_font(new QLabel(this)), m_fontButton(new QToolButton(this))
{
    setAccessibleName(tr("文本检查"));
    m_sorted->setSourceModel(m_model);
    m_table->setModel(m_sorted);
    m_table->setAccessibleName(tr("文本检查结果"));
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setAccessibleName(tr("文本检查行号"));
    m_table->horizontalHeader()->setAccessibleName(tr("文本检查列标题"));
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_status->setAccessibleName(tr("文本检查状态"));
    m_font->setAccessibleName(tr("测量字体"));
    m_fontButton->setText(tr("测量字体..."));
    m_fontButton->setAccessibleName(tr("选择测量字体"));
    m_fontButton->setPopupMode(QToolButton::InstantPopup);
    auto* fonts = new QMenu(m_fontButton);
    fonts->setAccessibleName(tr("测量字体菜单"));
    fonts->addAction(tr("选择字体文件..."), this, [this] {
        if (editing::MeasuringFontChoice::Choose(m_workspace)) {
            m_soon.start(0);
        }
    });
    fonts->addAction(tr("使用已安装的字体"), this, [this] {
        if (editing::MeasuringFontChoice::UseInstalled(m_workspace)) {
            m_soon.start(0);
        }
    });
    m_fontButton->setMenu(fonts);
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_status, 1);
    bar->addWidget(m_font);
    bar->addWidget(m_fontButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(m_table);
    m_soon.setSingleShot(true);
    m_soon.setInterval(kPauseMs);
    connect(&m_soon, &QTimer::timeout, this, &TextCheckPanel::runNow);
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    m_workspace.Feed().Subscribe(this);
}

TextCheckPanel::~TextCheckPanel()
{
    m_workspace.Feed().Unsubscribe(this);
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void TextCheckPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_soon.start(0);
}

void TextCheckPanel::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_soon.stop();
    m_editor.setFlagged({});
}

void TextCheckPanel::OnChanges(const editing::ChangeSet& changes)
{
    if (isVisible() && (changes.Modifies() || changes.Has(editing::ChangeKind::Projects) ||
                        changes.Has(editing::ChangeKind::Resources) ||
                        changes.Has(editing::ChangeKind::Preview))) {
        m_soon.start();
    }
}

void TextCheckPanel::runNow()
{
    if (m_thread) {
        m_again = true;
        return;
    }
    const APStyleProject* project = m_workspace.CurrentProject();
    if (!project) {
        m_rows.Clear();
        m_model->reload();
        m_status->setText(tr("没有打开的工程"));
        outline();
        return;
    }
    std::string fontProblem;
    useMeasuringFont(editing::MeasuringFontChoice::Current(m_workspace, &fontProblem));
    if (!fontProblem.empty()) {
        // A damaged settings file is left as it is; the installed fonts measure meanwhile.
        m_font->setToolTip(QString::fromStdString(fontProblem));
    }
    // The project is read here, on its own thread; the worker sees only the copy.
    auto input = std::make_shared<textcheck::TextFitInput>(checkedTexts(*project));
    m_status->setText(tr("检查中…"));
    textcheck::TextFitCheck* check = m_check.get();
    m_thread = QThread::create([check, input, report = m_report, problem = m_problem] {
        *report = check->Run(*input);
        *problem = check->Problem();
    });
    connect(m_thread, &QThread::finished, this, &TextCheckPanel::takeReport);
    m_thread->start(QThread::LowPriority);
}

textcheck::TextFitInput TextCheckPanel::checkedTexts(const APStyleProject& project)
{
    // A pseudo-language preview is checked as it is shown, instead of the real languages.
    const editing::PseudoPreview preview = editing::ShownPseudoPreview(project);
    if (preview == editing::PseudoPreview::None) {
        return textcheck::TextFitInput::From(project);
    }
    return textcheck::TextFitInput::FromMadeUp(
        project, editing::PseudoLanguageName(preview),
        [preview](const std::string& text) { return editing::PseudoText(preview, text); });
}

void TextCheckPanel::takeReport()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_rows.SetReport(*m_report);
    m_model->reload();
    m_table->resizeColumnsToContents();
    m_status->setText(m_problem->empty() ? QString::fromStdString(m_rows.Summary())
                                         : QString::fromStdString(*m_problem));
    outline();
    emit checked();
    if (m_again) {
        m_again = false;
        runNow();
    }
}

void TextCheckPanel::useMeasuringFont(const std::string& font)
{
    m_font->setText(tr("测量字体：%1")
                        .arg(QString::fromStdString(editing::MeasuringFontChoice::Describe(font))));
    m_font->setToolTip(QString::fromStdString(font));
    if (font != m_checkFont) {
        // No check runs now (runNow waits for it), so the old check object can go.
        m_check = std::make_unique<textcheck::TextFitCheck>(font);
        m_checkFont = font;
    }
}

void TextCheckPanel::outline()
{
    std::vector<const Graph*> flagged;
    if (isVisible()) {
        for (SnapShotItem* element : m_rows.Overflowing(m_workspace)) {
            flagged.push_back(element->OwnGraph());
        }
    }
    m_editor.setFlagged(std::move(flagged));
}

void TextCheckPanel::openRow(int viewRow)
{
    const QModelIndex source = m_sorted->mapToSource(m_sorted->index(viewRow, 0));
    if (SnapShotItem* element = m_rows.Open(m_workspace, source.row())) {
        m_reveal(*element);
    }
}

#include "shell/dialogs/CDlgUiResizer.h"

#include "shell/dialogs/CResizerRunWindow.h"
#include "shell/dialogs/DialogButtons.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

// The label's text without its blanks and line break, as a name to read out.
QString spokenName(const QString& label)
{
    return label.simplified().remove(QLatin1Char(':')).trimmed();
}

} // namespace

CDlgUiResizer::CDlgUiResizer(const std::string& caseDirectory, QWidget* parent)
    : QDialog(parent), m_model(caseDirectory), m_sourceWidth(new QSpinBox(this)),
      m_sourceHeight(new QSpinBox(this)), m_destinationWidth(new QSpinBox(this)),
      m_destinationHeight(new QSpinBox(this)), m_sourceApps(new QLineEdit(this)),
      m_resourceDirectory(new QLineEdit(this)), m_destinationApps(new QLineEdit(this)),
      m_upright(new QLineEdit(this)), m_sideways(new QLineEdit(this))
{
    setWindowTitle(tr("ui缩放程序"));
    setAccessibleName(windowTitle());

    auto* grid = new QGridLayout;
    const auto label = [this](const QString& text, QWidget* field) {
        auto* shown = new QLabel(text, this);
        shown->setAccessibleName(spokenName(text));
        shown->setBuddy(field);
        field->setAccessibleName(spokenName(text));
        return shown;
    };
    const auto size = [&](QSpinBox* box, const QString& text, int value, int row, int column) {
        // 0 can be entered, so that the dialog can say why it is refused.
        box->setRange(0, 65535);
        box->setValue(value);
        grid->addWidget(label(text, box), row, column);
        grid->addWidget(box, row, column + 1);
    };
    size(m_sourceWidth, tr("src_width: "), m_model.sourceWidth, 0, 0);
    size(m_sourceHeight, tr("src_height: "), m_model.sourceHeight, 0, 2);
    size(m_destinationWidth, tr("dst_width: "), m_model.destinationWidth, 1, 0);
    size(m_destinationHeight, tr("dst_height: "), m_model.destinationHeight, 1, 2);

    const auto text = [&](QLineEdit* edit, const QString& caption, const std::string& value,
                          int row) {
        edit->setText(qt(value));
        grid->addWidget(label(caption, edit), row, 0);
        grid->addWidget(edit, row, 1, 1, 3);
    };
    const auto browseButton = [&](bool source, int row) {
        auto* button = new QPushButton(tr("Browse..."), this);
        button->setAccessibleName(source ? tr("请选择源APPS路径") : tr("请选择目标APPS路径"));
        connect(button, &QPushButton::clicked, this, [this, source] { browse(source); });
        grid->addWidget(button, row, 4);
    };
    text(m_sourceApps, tr("src_apps_dir:"), m_model.sourceAppsDirectory, 2);
    browseButton(true, 2);
    text(m_resourceDirectory, tr("    res_dir:\n(relative to apps)"), m_model.resourceDirectory, 3);
    text(m_destinationApps, tr("dst_apps_dir:"), m_model.destinationAppsDirectory, 4);
    browseButton(false, 4);
    text(m_upright, tr("upright_dir_name:"), m_model.uprightFolder, 5);
    text(m_sideways, tr("sidelong_dir_name:"), m_model.sidewaysFolder, 6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    QDialogButtonBox* buttons = createOkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    setMinimumWidth(560);
}

QString CDlgUiResizer::resizerProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/resizeimage");
}

CResizerRunWindow* CDlgUiResizer::runWindow() const
{
    return m_run.data();
}

void CDlgUiResizer::readFields()
{
    m_model.sourceWidth = m_sourceWidth->value();
    m_model.sourceHeight = m_sourceHeight->value();
    m_model.destinationWidth = m_destinationWidth->value();
    m_model.destinationHeight = m_destinationHeight->value();
    m_model.sourceAppsDirectory = m_sourceApps->text().toStdString();
    m_model.resourceDirectory = m_resourceDirectory->text().toStdString();
    m_model.destinationAppsDirectory = m_destinationApps->text().toStdString();
    m_model.uprightFolder = m_upright->text().toStdString();
    m_model.sidewaysFolder = m_sideways->text().toStdString();
}

void CDlgUiResizer::browse(bool source)
{
    readFields();
    if (source && m_model.browseSource()) {
        m_sourceApps->setText(qt(m_model.sourceAppsDirectory));
    } else if (!source && m_model.browseDestination()) {
        m_destinationApps->setText(qt(m_model.destinationAppsDirectory));
    }
}

void CDlgUiResizer::accept()
{
    readFields();
    // The checks, their messages and the overwrite question; the dialog stays open on each.
    if (!m_model.accept()) {
        return;
    }
    // One argument, no shell: no path or name can be read as a command.
    m_run = new CResizerRunWindow(resizerProgram(), {qt(m_model.parameterText())}, parentWidget());
    m_run->setAttribute(Qt::WA_QuitOnClose, false);
    m_run->show();
    QDialog::accept();
}

#include "shell/dialogs/CBatchBuildDlg.h"

#include "platform/UserInteraction.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QCheckBox* switchBox(const QString& text, bool on, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setAccessibleName(text);
    box->setChecked(on);
    return box;
}

// The command as the output pane shows it: only for reading, never run through a shell.
QString shownCommand(const QString& program, const QStringList& arguments)
{
    QString text = program;
    for (const QString& argument : arguments) {
        const bool quote = argument.isEmpty() || argument.contains(QLatin1Char(' '));
        text +=
            QLatin1Char(' ') + (quote ? QLatin1Char('"') + argument + QLatin1Char('"') : argument);
    }
    return text;
}

} // namespace

CBatchBuildDlg::CBatchBuildDlg(const std::string& caseDirectory, QWidget* parent)
    : QDialog(parent), m_model(caseDirectory),
      m_programDirectory(QCoreApplication::applicationDirPath()), m_apps(new QLineEdit(this)),
      m_desktop(switchBox(tr("Desktop file"), m_model.desktopFile, this)),
      m_resource(switchBox(tr("Resource file"), m_model.resourceFile, this)),
      m_resHeader(switchBox(tr("res .h"), m_model.resHeader, this)),
      m_style(switchBox(tr("Style file"), m_model.styleFile, this)),
      m_styleHeader(switchBox(tr("Style header"), m_model.styleHeader, this)),
      m_best(new QRadioButton(tr("Best quality"), this)),
      m_smallest(new QRadioButton(tr("Smallest size"), this)),
      m_build(new QPushButton(tr("Build"), this)), m_exit(new QPushButton(tr("Exit"), this)),
      m_output(new QPlainTextEdit(this))
{
    setWindowTitle(tr("Batch Build Resource"));
    setAccessibleName(windowTitle());

    auto* appsLabel = new QLabel(tr("Apps directory:"), this);
    appsLabel->setBuddy(m_apps);
    m_apps->setText(QString::fromStdString(m_model.appsDirectory));
    m_apps->setAccessibleName(tr("Apps directory"));
    auto* browse = new QPushButton(tr("Browse.."), this);
    browse->setAccessibleName(browse->text());
    connect(browse, &QPushButton::clicked, this, &CBatchBuildDlg::browse);
    auto* appsRow = new QHBoxLayout;
    appsRow->addWidget(appsLabel);
    appsRow->addWidget(m_apps, 1);
    appsRow->addWidget(browse);

    // The identifier headers are written and deleted again within every resource build, so
    // the builder has nothing to make for them on their own.
    m_resHeader->setEnabled(false);
    m_resHeader->setToolTip(
        tr("The picture and string identifier headers are written and deleted again within "
           "every resource build"));

    auto* outputs = new QGroupBox(tr("Outputs"), this);
    outputs->setAccessibleName(outputs->title());
    auto* outputsLayout = new QVBoxLayout(outputs);
    for (QCheckBox* box : {m_desktop, m_resource, m_resHeader, m_style, m_styleHeader}) {
        outputsLayout->addWidget(box);
    }

    auto* quality = new QGroupBox(tr("Quality"), this);
    quality->setAccessibleName(quality->title());
    m_best->setAccessibleName(m_best->text());
    m_smallest->setAccessibleName(m_smallest->text());
    (m_model.bestQuality ? m_best : m_smallest)->setChecked(true);
    m_smallest->setToolTip(tr("Passes -minsize; it applies to the resource file"));
    auto* qualityLayout = new QVBoxLayout(quality);
    qualityLayout->addWidget(m_best);
    qualityLayout->addWidget(m_smallest);
    qualityLayout->addStretch(1);

    auto* choices = new QHBoxLayout;
    choices->addWidget(outputs, 1);
    choices->addWidget(quality, 1);

    auto* outputLabel = new QLabel(tr("Output:"), this);
    outputLabel->setBuddy(m_output);
    m_output->setReadOnly(true);
    m_output->setAccessibleName(tr("Output"));
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_output->setMinimumHeight(fontMetrics().height() * 10);

    m_build->setAccessibleName(m_build->text());
    m_build->setDefault(true);
    m_exit->setAccessibleName(m_exit->text());
    connect(m_build, &QPushButton::clicked, this, &CBatchBuildDlg::build);
    connect(m_exit, &QPushButton::clicked, this, &CBatchBuildDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_build);
    buttons->addWidget(m_exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(appsRow);
    layout->addLayout(choices);
    layout->addWidget(outputLabel);
    layout->addWidget(m_output, 1);
    layout->addLayout(buttons);
    resize(qMax(sizeHint().width(), 640), sizeHint().height());
}

CBatchBuildDlg::~CBatchBuildDlg()
{
    releaseProcess();
}

QString CBatchBuildDlg::builderPath() const
{
    QString directory = m_programDirectory;
    if (!directory.endsWith(QLatin1Char('/'))) {
        directory += QLatin1Char('/');
    }
    return directory + QStringLiteral("resBuildApp");
}

QStringList CBatchBuildDlg::builderArguments() const
{
    QStringList arguments;
    for (const std::string& argument : currentModel().switchArguments()) {
        arguments << QString::fromStdString(argument);
    }
    return arguments;
}

generate::BatchBuildDialogModel CBatchBuildDlg::currentModel() const
{
    generate::BatchBuildDialogModel model = m_model;
    model.appsDirectory = m_apps->text().toStdString();
    model.desktopFile = m_desktop->isChecked();
    model.resourceFile = m_resource->isChecked();
    model.resHeader = m_resHeader->isChecked();
    model.styleFile = m_style->isChecked();
    model.styleHeader = m_styleHeader->isChecked();
    model.bestQuality = m_best->isChecked();
    return model;
}

void CBatchBuildDlg::browse()
{
    m_model = currentModel();
    if (m_model.browse()) {
        m_apps->setText(QString::fromStdString(m_model.appsDirectory));
    }
}

void CBatchBuildDlg::build()
{
    if (isBuilding()) {
        return;
    }
    m_model = currentModel();
    if (m_apps->text().trimmed().isEmpty()) {
        platform::interaction().showMessage(tr("请指定路径!").toStdString());
        return;
    }
    const QString program = builderPath();
    const std::string problem =
        generate::BatchBuildDialogModel::builderProblem(program.toStdString());
    if (!problem.empty()) {
        platform::interaction().showMessage(problem);
        reject();
        return;
    }

    const QStringList arguments = builderArguments();
    m_output->clear();
    m_pending.clear();
    showLine(shownCommand(program, arguments));
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setInputChannelMode(QProcess::ManagedInputChannel);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &CBatchBuildDlg::readOutput);
    connect(m_process, &QProcess::finished, this, &CBatchBuildDlg::finishBuild);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || m_process == nullptr) {
            return;
        }
        // Not worth a message box (the checks before the start passed), but never hidden.
        showLine(tr("resBuildApp could not be started: %1").arg(m_process->errorString()));
        m_process->deleteLater();
        m_process = nullptr;
        m_build->setEnabled(true);
        emit buildFinished(-1);
    });
    m_build->setEnabled(false);
    m_process->start(program, arguments, QIODevice::ReadWrite);
    if (m_process != nullptr) {
        m_process->closeWriteChannel();
    }
}

void CBatchBuildDlg::readOutput()
{
    if (m_process == nullptr) {
        return;
    }
    m_pending += m_process->readAllStandardOutput();
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        showLine(QString::fromUtf8(line));
    }
}

void CBatchBuildDlg::showLine(const QString& line)
{
    m_output->appendPlainText(line);
}

void CBatchBuildDlg::finishBuild(int exitCode, QProcess::ExitStatus status)
{
    readOutput();
    if (!m_pending.isEmpty()) {
        showLine(QString::fromUtf8(m_pending));
        m_pending.clear();
    }
    const bool crashed = status == QProcess::CrashExit;
    if (crashed) {
        showLine(tr("resBuildApp stopped unexpectedly"));
    }
    m_process->deleteLater();
    m_process = nullptr;
    m_build->setEnabled(true);
    emit buildFinished(crashed ? -1 : exitCode);
}

void CBatchBuildDlg::done(int result)
{
    releaseProcess();
    QDialog::done(result);
}

void CBatchBuildDlg::releaseProcess()
{
    if (m_process == nullptr) {
        return;
    }
    // The build is not waited for: it runs on under the application, its output dropped.
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    process->setParent(QCoreApplication::instance());
    connect(process, &QProcess::readyReadStandardOutput, process,
            [process] { process->readAllStandardOutput(); });
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, &QObject::deleteLater);
    m_build->setEnabled(true);
}

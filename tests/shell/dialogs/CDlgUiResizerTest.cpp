// The UI resizer dialog and the window that runs the picture resizer: the fields and their
// opening values, the checks and messages, the overwrite question, and a real run of the
// built resizeimage (which lies beside this test program, as it lies beside the editor).
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "shell/dialogs/CDlgUiResizer.h"
#include "shell/dialogs/CResizerRunWindow.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <memory>

namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

void clickOk(CDlgUiResizer& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// A picture of `width` x `height` at `path` (its folders made).
void picture(const std::string& path, int width, int height)
{
    platform::createDirectories(path.substr(0, path.rfind('/')));
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(0, 128, 255, 200));
    QVERIFY(image.save(qt(path)));
}

// Waits (at most a generous while, for a loaded machine) until the run window's tool ended.
int waitForEnd(CResizerRunWindow& window)
{
    QSignalSpy ended(&window, &CResizerRunWindow::ended);
    if (window.isRunning() && !ended.wait(60000)) {
        return -100;
    }
    return ended.isEmpty() ? -101 : ended.front().front().toInt();
}

} // namespace

class CDlgUiResizerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithTheDefaultsAndTheCaseAppsFolder();
    void checksInOrderAndStaysOpen();
    void asksBeforeOverwritingWhenPathsDifferOnlyInCase();
    void browseButtonsChooseTheAppsFolders();
    void startsTheResizerAndShowsItsOutput();
    void aResizerThatCannotStartIsReported();
    void closingWhileTheToolRunsOnlyHidesTheWindow();

private:
    std::unique_ptr<platform::ScriptedInteraction> m_ui;
    std::unique_ptr<platform::ScopedInteraction> m_scope;
    std::unique_ptr<platform::TemporaryDirectory> m_dir;
};

void CDlgUiResizerTest::init()
{
    m_ui = std::make_unique<platform::ScriptedInteraction>();
    m_scope = std::make_unique<platform::ScopedInteraction>(*m_ui);
    m_dir = std::make_unique<platform::TemporaryDirectory>("ui-resizer-test");
    platform::createDirectories(m_dir->filePath("case/apps"));
}

void CDlgUiResizerTest::cleanup()
{
    m_scope.reset();
    m_ui.reset();
    m_dir.reset();
}

void CDlgUiResizerTest::opensWithTheDefaultsAndTheCaseAppsFolder()
{
    CDlgUiResizer dialog(m_dir->filePath("case"));
    QCOMPARE(dialog.sourceWidthBox()->value(), 320);
    QCOMPARE(dialog.sourceHeightBox()->value(), 240);
    QCOMPARE(dialog.destinationWidthBox()->value(), 320);
    QCOMPARE(dialog.destinationHeightBox()->value(), 240);
    QCOMPARE(dialog.sourceAppsEdit()->text(), qt(m_dir->filePath("case/apps")));
    QCOMPARE(dialog.resourceDirectoryEdit()->text(), QStringLiteral("..\\resource"));
    QVERIFY(dialog.destinationAppsEdit()->text().isEmpty());
    QCOMPARE(dialog.uprightEdit()->text(), QStringLiteral("PIC"));
    QCOMPARE(dialog.sidewaysEdit()->text(), QStringLiteral("PICH"));
    QVERIFY(CDlgUiResizer("").sourceAppsEdit()->text().isEmpty());

    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
        QVERIFY(!label->accessibleName().isEmpty());
    }
    for (const char* text : {"src_width: ", "src_height: ", "dst_width: ", "dst_height: ",
                             "src_apps_dir:", "    res_dir:\n(relative to apps)",
                             "dst_apps_dir:", "upright_dir_name:", "sidelong_dir_name:"}) {
        QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
    }
    for (QWidget* field : dialog.findChildren<QWidget*>()) {
        // Not the spin boxes' own inner edits (the boxes have their names).
        if (field->objectName().startsWith(QStringLiteral("qt_"))) {
            continue;
        }
        if (qobject_cast<QLineEdit*>(field) || qobject_cast<QPushButton*>(field) ||
            qobject_cast<QSpinBox*>(field)) {
            QVERIFY2(!field->accessibleName().isEmpty(), qPrintable(field->objectName()));
        }
    }
}

void CDlgUiResizerTest::checksInOrderAndStaysOpen()
{
    CDlgUiResizer dialog(m_dir->filePath("case"));
    dialog.show();
    const auto refused = [&](const char* message) {
        clickOk(dialog);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.runWindow());
        QCOMPARE(m_ui->messages().back(), std::string(message));
    };
    // Every text field counts as a path or name; sizes only after them.
    dialog.destinationWidthBox()->setValue(0);
    refused("请填完所有路径及名字！");
    dialog.destinationAppsEdit()->setText(qt(m_dir->filePath("out/apps")));
    dialog.sidewaysEdit()->clear();
    refused("请填完所有路径及名字！");
    dialog.sidewaysEdit()->setText(QStringLiteral("PICH"));
    refused("源和目的的宽高都不能为0！");
    dialog.destinationWidthBox()->setValue(480);
    dialog.sourceHeightBox()->setValue(0);
    refused("源和目的的宽高都不能为0！");
    dialog.sourceHeightBox()->setValue(240);
    dialog.sourceAppsEdit()->setText(qt(m_dir->filePath("nowhere/apps")));
    refused("src apps路径不存在！");
    dialog.sourceAppsEdit()->setText(qt(m_dir->filePath("case/apps")));
    dialog.resourceDirectoryEdit()->setText(qt(m_dir->filePath("case/resource")));
    refused("Res dir必须是相对路径！");
    QCOMPARE(m_ui->messages().size(), std::size_t(6));
    QVERIFY(m_ui->questions().empty());
}

void CDlgUiResizerTest::asksBeforeOverwritingWhenPathsDifferOnlyInCase()
{
    CDlgUiResizer dialog(m_dir->filePath("case"));
    dialog.show();
    // "case/apps/../resource" and "CASE/APPS/../resource": the same, letter case aside.
    dialog.destinationAppsEdit()->setText(qt(m_dir->filePath("CASE/APPS")));
    m_ui->queueAnswer(platform::Answer::No);
    clickOk(dialog);
    QCOMPARE(m_ui->questions().size(), std::size_t(1));
    QCOMPARE(m_ui->questions().back(),
             std::string("源与目的资源路径相同，源资源图片将会被覆盖，确定？"));
    QCOMPARE(m_ui->records().back().caption, std::string("警告"));
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.runWindow());

    // The same folder through another spelling of the path asks as well; Yes starts the tool.
    dialog.destinationAppsEdit()->setText(qt(m_dir->filePath("case/./other/../apps")));
    m_ui->queueAnswer(platform::Answer::Yes);
    clickOk(dialog);
    QCOMPARE(m_ui->questions().size(), std::size_t(2));
    QVERIFY(!dialog.isVisible());
    QPointer<CResizerRunWindow> run = dialog.runWindow();
    QVERIFY(run);
    waitForEnd(*run);
    delete run;
}

void CDlgUiResizerTest::browseButtonsChooseTheAppsFolders()
{
    CDlgUiResizer dialog(m_dir->filePath("case"));
    const auto button = [&](const char* name) {
        for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
            if (candidate->accessibleName() == QString::fromUtf8(name)) {
                return candidate;
            }
        }
        return static_cast<QPushButton*>(nullptr);
    };
    QPushButton* source = button("请选择源APPS路径");
    QPushButton* destination = button("请选择目标APPS路径");
    QVERIFY(source && destination);
    QCOMPARE(source->text(), QStringLiteral("Browse..."));

    m_ui->queuePath(m_dir->filePath("picked/src"));
    source->click();
    QCOMPARE(dialog.sourceAppsEdit()->text(), qt(m_dir->filePath("picked/src")));
    dialog.destinationAppsEdit()->setText(QStringLiteral("/typed"));
    m_ui->queueCancel();
    destination->click();
    QCOMPARE(dialog.destinationAppsEdit()->text(), QStringLiteral("/typed"));
    QCOMPARE(m_ui->records().size(), std::size_t(2));
    QCOMPARE(m_ui->records()[0].text, std::string("请选择源APPS路径"));
    QCOMPARE(m_ui->records()[1].text, std::string("请选择目标APPS路径"));
}

void CDlgUiResizerTest::startsTheResizerAndShowsItsOutput()
{
    // Shell characters in the paths reach the tool as plain text, in one argument.
    const std::string odd = m_dir->filePath("it's \"a\"; $(touch pwned)");
    platform::createDirectories(odd + "/apps");
    picture(odd + "/resource/PIC/logo.png", 64, 48);
    picture(odd + "/resource/PICH/side.png", 48, 64);

    QWidget editor;
    CDlgUiResizer dialog(std::string(), &editor);
    dialog.sourceAppsEdit()->setText(qt(odd + "/apps"));
    dialog.destinationAppsEdit()->setText(qt(m_dir->filePath("out/apps")));
    dialog.destinationWidthBox()->setValue(160);
    dialog.destinationHeightBox()->setValue(120);
    dialog.show();
    clickOk(dialog);
    QVERIFY(!dialog.isVisible());
    QVERIFY(m_ui->messages().empty());
    QPointer<CResizerRunWindow> run = dialog.runWindow();
    QVERIFY(run);
    QCOMPARE(run->parentWidget(), &editor);
    QVERIFY(run->isVisible());
    QVERIFY(!run->isModal());

    QCOMPARE(waitForEnd(*run), 0);
    const QString log = run->log()->toPlainText();
    QVERIFY2(log.contains(QStringLiteral("2 pictures, 2 resized, 0 skipped")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("logo.png")), qPrintable(log));
    QCOMPARE(run->state()->text(), QStringLiteral("ui缩放程序已完成"));
    QCOMPARE(QImage(qt(m_dir->filePath("out/resource/PIC/logo.png"))).size(), QSize(32, 24));
    QCOMPARE(QImage(qt(m_dir->filePath("out/resource/PICH/side.png"))).size(), QSize(24, 32));
    QVERIFY(!platform::isFile(m_dir->filePath("pwned")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("pwned")));
}

void CDlgUiResizerTest::aResizerThatCannotStartIsReported()
{
    CResizerRunWindow run(qt(m_dir->filePath("no/such/resizeimage")), {QStringLiteral("x")});
    run.show();
    QCOMPARE(waitForEnd(run), -1);
    QVERIFY(!run.isRunning());
    QCOMPARE(run.state()->text(), QStringLiteral("ui缩放程序无法启动"));
    QVERIFY(run.log()->toPlainText().contains(QStringLiteral("无法启动")));

    // A tool that fails says how it ended, and its output is shown.
    CResizerRunWindow failing(CDlgUiResizer::resizerProgram(), {QStringLiteral("nonsense")});
    QCOMPARE(waitForEnd(failing), 2);
    QCOMPARE(failing.state()->text(), QStringLiteral("ui缩放程序已结束，退出码 2"));
    QVERIFY(failing.log()->toPlainText().contains(QStringLiteral("Usage: resizeimage")));
}

void CDlgUiResizerTest::closingWhileTheToolRunsOnlyHidesTheWindow()
{
    QPointer<CResizerRunWindow> run =
        new CResizerRunWindow(CDlgUiResizer::resizerProgram(), {QStringLiteral("--help")});
    run->show();
    QVERIFY(run->isRunning());
    run->close();
    QVERIFY(run);
    QVERIFY(!run->isVisible());
    QSignalSpy ended(run.data(), &CResizerRunWindow::ended);
    QVERIFY(ended.wait(60000));
    QCOMPARE(ended.front().front().toInt(), 0);
    // Gone once the tool ended.
    QTRY_VERIFY_WITH_TIMEOUT(run.isNull(), 10000);
}

QTEST_MAIN(CDlgUiResizerTest)
#include "CDlgUiResizerTest.moc"

#include "ExampleCopy.h"

#include "platform/FileSystem.h"
#include "shell/app/StartupOptions.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

#include <filesystem>
#include <map>

namespace {

// Every file below `root`, by its path relative to `root`, with its bytes.
std::map<std::string, std::string> filesBelow(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[std::filesystem::relative(entry.path(), root).string()] =
                platform::readFile(entry.path().string()).value_or("<unreadable>");
        }
    }
    return files;
}

int run(const QString& program, const QStringList& arguments, QString* errors = nullptr)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QLatin1String(variable));
    }
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        return -1;
    }
    if (errors) {
        *errors = QString::fromUtf8(process.readAllStandardError());
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString binary(const char* name)
{
    return QStringLiteral(SKINSMITH_BIN_DIR "/") + QLatin1String(name);
}

} // namespace

class UnattendedBuildTest : public QObject
{
    Q_OBJECT

private slots:
    void commandLineIsRead();
    void editorBuildsTheSameBytesAsTheCommandLineWithoutADisplay();
    void editorWithoutADisplayOrProjectSaysSo();
};

void UnattendedBuildTest::commandLineIsRead()
{
    using Mode = StartupOptions::Mode;
    ExampleCopy example;
    const std::string quoted = "\"" + example.projectPath() + "\"";
    StartupOptions options = StartupOptions::parse({"-DebugMode", quoted});
    QCOMPARE(options.mode, Mode::Build);
    QVERIFY(options.debugMode);
    QCOMPARE(options.buildProject, example.projectPath());

    options = StartupOptions::parse({"--open", example.projectPath(), example.projectPath()});
    QCOMPARE(options.mode, Mode::Window);
    QCOMPARE(options.openProjects.size(), std::size_t(2));

    QCOMPARE(StartupOptions::parse({}).mode, Mode::Window);
    QCOMPARE(StartupOptions::parse({"--version"}).mode, Mode::Version);
    QCOMPARE(StartupOptions::parse({"/no/such.ui"}).mode, Mode::UsageError);
    QCOMPARE(StartupOptions::parse({"--open"}).mode, Mode::UsageError);
    QCOMPARE(StartupOptions::parse({"--bogus"}).mode, Mode::UsageError);
}

void UnattendedBuildTest::editorBuildsTheSameBytesAsTheCommandLineWithoutADisplay()
{
    ExampleCopy example("editor");
    const std::string cliProject = example.copyAgain("cli");
    QString errors;
    QCOMPARE(run(binary("skinsmith"), {QString::fromStdString(example.projectPath())}, &errors), 0);
    QVERIFY2(!errors.contains(QStringLiteral("display")), qPrintable(errors));
    QCOMPARE(
        run(binary("skinsmith-cli"), {QStringLiteral("build"), QString::fromStdString(cliProject)}),
        0);
    const auto editorFiles = filesBelow(example.filePath("editor"));
    const auto cliFiles = filesBelow(example.filePath("cli"));
    QVERIFY(editorFiles.count("case/images/apps/demo/style0/demo.res") == 1);
    QCOMPARE(editorFiles.size(), cliFiles.size());
    for (const auto& [path, bytes] : editorFiles) {
        QVERIFY2(cliFiles.count(path) == 1, path.c_str());
        QVERIFY2(cliFiles.at(path) == bytes, path.c_str());
    }
}

void UnattendedBuildTest::editorWithoutADisplayOrProjectSaysSo()
{
    QString errors;
    QCOMPARE(run(binary("skinsmith"), {}, &errors), 1);
    QVERIFY(errors.contains(QStringLiteral("no display")));
    QCOMPARE(run(binary("skinsmith"), {QStringLiteral("/no/such/project.ui")}, &errors), 2);
}

QTEST_GUILESS_MAIN(UnattendedBuildTest)
#include "UnattendedBuildTest.moc"

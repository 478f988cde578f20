// The project scaling dialog, opened by its command in the main window on a copy of the
// example: what it shows, the copy it writes, the cancelled save dialog and refused sizes.
#include "DialogScript.h"
#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/dialogs/CPrjResizeDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <tinyxml.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

using namespace editing::cmd;

namespace {

// Runs `fill` on the scaling dialog once it shows (from the event loop, as it is modal).
void whenDialogShows(std::function<void(CPrjResizeDlg&)> fill)
{
    QTimer::singleShot(0, [fill] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<CPrjResizeDlg*>(widget);
                dialog && dialog->isVisible()) {
                fill(*dialog);
                if (dialog->isVisible()) {
                    dialog->reject();
                }
                return;
            }
        }
        QFAIL("the scaling dialog did not show");
    });
}

void clickOk(CPrjResizeDlg& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

const char* valueOf(const TiXmlElement& element, const char* name)
{
    for (const TiXmlElement* p = element.FirstChildElement("property"); p;
         p = p->NextSiblingElement("property")) {
        if (p->Attribute("name") && std::strcmp(p->Attribute("name"), name) == 0) {
            return p->Attribute("value");
        }
    }
    return nullptr;
}

// The 16-bit field of a value the project file holds.
long field(const char* value, bool isSigned)
{
    const auto bits = static_cast<std::uint16_t>(std::strtoul(value, nullptr, 16));
    return isSigned ? static_cast<std::int16_t>(bits) : static_cast<long>(bits);
}

struct Walk
{
    float scaleX;
    float scaleY;
    int elements = 0;
    int moved = 0; // values that differ from the original's

    // Compares the element trees below `before` and `after` node by node.
    void compare(const TiXmlElement& before, const TiXmlElement& after)
    {
        const TiXmlElement* a = after.FirstChildElement("element");
        for (const TiXmlElement* b = before.FirstChildElement("element"); b;
             b = b->NextSiblingElement("element"), a = a->NextSiblingElement("element")) {
            QVERIFY(a);
            ++elements;
            const std::string cls = b->Attribute("class");
            const bool group = cls == "resgroup_resource";
            const bool placed = cls == "picture_resource" || cls == "string_resource" ||
                                cls == "picregion_resource";
            for (const char* name : {"x", "y", "width", "height"}) {
                const char* was = valueOf(*b, name);
                if (!was) {
                    continue;
                }
                const bool across = name[0] == 'x' || name[0] == 'w';
                const bool scaled = (placed && (name[0] == 'x' || name[0] == 'y')) ||
                                    (group && (name[0] == 'w' || name[0] == 'h'));
                const long old = field(was, !group);
                const long expected =
                    scaled ? static_cast<long>(
                                 std::trunc(static_cast<float>(old) * (across ? scaleX : scaleY)))
                           : old;
                QCOMPARE(field(valueOf(*a, name), !group), expected);
                moved += expected != old ? 1 : 0;
            }
            compare(*b, *a);
        }
        QVERIFY(!a);
    }
};

std::set<std::string> filesIn(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        names.insert(entry.path().string());
    }
    return names;
}

} // namespace

class CPrjResizeDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void scalesACopyOfTheProjectFrom320x240To480x272();
    void cancelledSaveDialogWritesNothing();
    void refusedSizesKeepTheDialogOpen();
};

void CPrjResizeDlgTest::scalesACopyOfTheProjectFrom320x240To480x272()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    const std::string original = platform::readFile(example.projectPath()).value_or("");
    const std::string target = example.filePath("scaled/demo480.ui");
    std::filesystem::create_directories(example.filePath("scaled"));

    bool shown = false;
    whenDialogShows([&](CPrjResizeDlg& dialog) {
        shown = true;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("工程缩放"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            labels << label->text();
        }
        for (const char* text : {"当前尺寸:", "新的尺寸:", "宽", "高"}) {
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        }
        const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
        QCOMPARE(edits.size(), 4);
        int readOnly = 0;
        for (QLineEdit* edit : edits) {
            QVERIFY(!edit->accessibleName().isEmpty());
            readOnly += edit->isReadOnly() ? 1 : 0;
            if (edit->isReadOnly()) {
                QVERIFY(edit->text() == QStringLiteral("320") ||
                        edit->text() == QStringLiteral("240"));
            }
        }
        QCOMPARE(readOnly, 2);
        QCOMPARE(dialog.newWidthEdit()->text(), QStringLiteral("320"));
        QCOMPARE(dialog.newHeightEdit()->text(), QStringLiteral("240"));
        dialog.newWidthEdit()->selectAll();
        QTest::keyClicks(dialog.newWidthEdit(), QStringLiteral("480"));
        dialog.newHeightEdit()->selectAll();
        QTest::keyClicks(dialog.newHeightEdit(), QStringLiteral("272"));
        ui.queuePath(target);
        clickOk(dialog);
        QVERIFY(!dialog.isVisible());
    });
    frame.runCommand(kProjectResize);
    QVERIFY(shown);

    APStyleProject& project = *frame.workspace().CurrentProject();
    QCOMPARE(project.ScreenWidth(), 480);
    QCOMPARE(project.ScreenHeight(), 272);
    QCOMPARE(project.Modified(), 1);
    // The open project's own file is not written; the copy is.
    QCOMPARE(platform::readFile(example.projectPath()).value_or(""), original);

    TiXmlDocument before(example.projectPath().c_str());
    TiXmlDocument after(target.c_str());
    QVERIFY(before.LoadFile());
    QVERIFY(after.LoadFile());
    QCOMPARE(QString::fromUtf8(valueOf(*after.RootElement(), "prj_screen_width")),
             QStringLiteral("0x1e0"));
    QCOMPARE(QString::fromUtf8(valueOf(*after.RootElement(), "prj_screen_height")),
             QStringLiteral("0x110"));
    // The main group fills the screen: 0x0140 x 0x00f0 becomes 0x01e0 x 0x0110.
    const TiXmlElement* mainGroup =
        after.RootElement()->FirstChildElement("scene")->FirstChildElement("element");
    QCOMPARE(QString::fromUtf8(valueOf(*mainGroup, "width")), QStringLiteral("0x01e0"));
    QCOMPARE(QString::fromUtf8(valueOf(*mainGroup, "height")), QStringLiteral("0x0110"));
    // Every element of every scene scaled exactly once, top-level ones and nested ones alike.
    Walk walk{480.0f / 320.0f, 272.0f / 240.0f};
    const TiXmlElement* scaledScene = after.RootElement()->FirstChildElement("scene");
    int scenes = 0;
    for (const TiXmlElement* scene = before.RootElement()->FirstChildElement("scene"); scene;
         scene = scene->NextSiblingElement("scene"), ++scenes) {
        QVERIFY(scaledScene);
        walk.compare(*scene, *scaledScene);
        scaledScene = scaledScene->NextSiblingElement("scene");
    }
    QVERIFY(scenes > 0);
    QCOMPARE(walk.elements, 54);
    QVERIFY(walk.moved > 20);
}

void CPrjResizeDlgTest::cancelledSaveDialogWritesNothing()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    const std::string folder = std::filesystem::path(example.projectPath()).parent_path();
    const std::set<std::string> files = filesIn(folder);
    const std::string original = platform::readFile(example.projectPath()).value_or("");

    whenDialogShows([&](CPrjResizeDlg& dialog) {
        dialog.newWidthEdit()->setText(QStringLiteral("480"));
        dialog.newHeightEdit()->setText(QStringLiteral("272"));
        ui.queueCancel();
        clickOk(dialog);
    });
    frame.runCommand(kProjectResize);

    QCOMPARE(ui.records().size(), std::size_t(1));
    QCOMPARE(ui.records().front().kind, std::string("file"));
    QVERIFY(ui.messages().empty());
    QCOMPARE(filesIn(folder), files);
    QCOMPARE(platform::readFile(example.projectPath()).value_or(""), original);
    // The open project keeps its size and is not marked; its elements keep their places.
    APStyleProject& project = *frame.workspace().CurrentProject();
    QCOMPARE(project.ScreenWidth(), 320);
    QCOMPARE(project.ScreenHeight(), 240);
    QCOMPARE(project.Modified(), 0);
    TiXmlElement* root = project.Document().RootElement();
    const TiXmlElement* mainGroup = root->FirstChildElement("scene")->FirstChildElement("element");
    QCOMPARE(QString::fromUtf8(valueOf(*mainGroup, "width")), QStringLiteral("0x0140"));
}

void CPrjResizeDlgTest::refusedSizesKeepTheDialogOpen()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));

    whenDialogShows([&](CPrjResizeDlg& dialog) {
        // Only digits can be typed.
        dialog.newWidthEdit()->clear();
        QTest::keyClicks(dialog.newWidthEdit(), QStringLiteral("4x8-0"));
        QCOMPARE(dialog.newWidthEdit()->text(), QStringLiteral("480"));
        dialog.newHeightEdit()->setText(QStringLiteral("0"));
        clickOk(dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(ui.messages().size(), std::size_t(1));
        QCOMPARE(ui.messages().back(), std::string("宽高都不能为0！"));
        dialog.newHeightEdit()->clear();
        clickOk(dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(ui.messages().size(), std::size_t(2));
    });
    frame.runCommand(kProjectResize);
    // Refused and then cancelled: no save dialog, the project as it was.
    QVERIFY(ui.questions().empty());
    for (const auto& record : ui.records()) {
        QVERIFY(record.kind != "file");
    }
    QCOMPARE(frame.workspace().CurrentProject()->ScreenWidth(), 320);
    QCOMPARE(frame.workspace().CurrentProject()->Modified(), 0);
}

QTEST_MAIN(CPrjResizeDlgTest)
#include "CPrjResizeDlgTest.moc"

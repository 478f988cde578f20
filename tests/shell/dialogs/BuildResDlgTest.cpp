// The build options dialog driven through its widgets: the switch rules enable the controls
// while it is open, OK stores what the build will get, Cancel stores nothing, and the
// differential project fills the start edit.
#include "ExampleCopy.h"

#include "generate/ResourceBuildOptions.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/SettingsAccessor.h"
#include "projectfile/StandardProjectFileIo.h"
#include "shell/dialogs/CBuildResDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using generate::BuildResDialogModel;

class BuildResDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void opensWithTheStoredValues();
    void switchRulesEnableTheControls();
    void okStoresWhatTheBuildGets();
    void splitResourceSizeIsInMegabytes();
    void compressFormatGivesThePackersType();
    void cancelStoresNothing();
    void differentialProjectFillsTheStart();
    void everyControlHasAnAccessibleName();

private:
    std::string ini() const { return m_dir->filePath("SkinSmith.ini"); }
    std::string key(std::string_view name) const
    {
        return SettingsAccessor(ini()).readText("CONFIG", name, "<missing>");
    }
    // Clicks OK and returns the options the build then runs with.
    generate::ResourceBuildOptions accept(CBuildResDlg& dialog)
    {
        dialog.accept();
        generate::ResourceBuildOptions options;
        dialog.model().applyTo(options);
        return options;
    }

    std::unique_ptr<platform::TemporaryDirectory> m_dir;
};

void BuildResDlgTest::init()
{
    m_dir = std::make_unique<platform::TemporaryDirectory>("buildresdlg");
}

void BuildResDlgTest::opensWithTheStoredValues()
{
    platform::writeFileAtomically(ini(), "[CONFIG]\nRES_MODE=1\nEN_SPLITRES=1\nSPLITRES_SIZE=3\n"
                                         "EN_TILE=1\nTILE_WIDTH=16\nTILE_HEIGHT=8\n"
                                         "COMPRESS_TYPE=1\nRAW_JPEG=1\nJPG_QUALITY=80\n");
    CBuildResDlg dialog(ini(), 42);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("生成资源"));
    QCOMPARE(dialog.rangeLabel()->text(), QStringLiteral("(0-42)"));
    QVERIFY(dialog.smallestSizeButton()->isChecked());
    QVERIFY(!dialog.bestQualityButton()->isChecked());
    QVERIFY(dialog.splitResBox()->isChecked());
    QCOMPARE(dialog.splitResSizeEdit()->text(), QStringLiteral("3"));
    QVERIFY(dialog.splitResSizeEdit()->isEnabled());
    QVERIFY(!dialog.splitPackBox()->isChecked());
    QVERIFY(!dialog.splitPackStartEdit()->isEnabled());
    // SPLITPACK_START is absent: it reads as "0".
    QCOMPARE(dialog.splitPackStartEdit()->text(), QStringLiteral("0"));
    QVERIFY(dialog.tileWidthEdit()->isEnabled());
    QCOMPARE(dialog.tileHeightEdit()->text(), QStringLiteral("8"));
    QCOMPARE(dialog.compressTypeBox()->currentText(), QStringLiteral("RLE"));
    QVERIFY(dialog.jpegEdit(BuildResDialogModel::JpegQuality)->isEnabled());
    QCOMPARE(dialog.jpegEdit(BuildResDialogModel::JpegQuality)->text(), QStringLiteral("80"));

    // An empty file: best quality, LZ4, every switch off and its edits disabled.
    CBuildResDlg fresh(m_dir->filePath("none.ini"), 0);
    QVERIFY(fresh.bestQualityButton()->isChecked());
    QCOMPARE(fresh.compressTypeBox()->currentText(), QStringLiteral("LZ4"));
    for (QLineEdit* edit :
         {fresh.splitResSizeEdit(), fresh.splitPackStartEdit(), fresh.tileWidthEdit(),
          fresh.tileHeightEdit(), fresh.jpegEdit(BuildResDialogModel::JpegMinWidth)}) {
        QVERIFY2(!edit->isEnabled(), qPrintable(edit->accessibleName()));
    }
}

void BuildResDlgTest::switchRulesEnableTheControls()
{
    CBuildResDlg dialog(ini(), 5);
    dialog.splitPackBox()->click();
    QVERIFY(dialog.splitPackStartEdit()->isEnabled());
    QVERIFY(!dialog.splitResSizeEdit()->isEnabled());

    // The two splits are never both on.
    dialog.splitResBox()->click();
    QVERIFY(dialog.splitResBox()->isChecked());
    QVERIFY(!dialog.splitPackBox()->isChecked());
    QVERIFY(dialog.splitResSizeEdit()->isEnabled());
    QVERIFY(!dialog.splitPackStartEdit()->isEnabled());
    dialog.splitPackBox()->click();
    QVERIFY(!dialog.splitResBox()->isChecked());
    QVERIFY(!dialog.splitResSizeEdit()->isEnabled());
    dialog.splitPackBox()->click();
    QVERIFY(!dialog.splitPackBox()->isChecked());
    QVERIFY(!dialog.splitPackStartEdit()->isEnabled());

    dialog.tileBox()->click();
    QVERIFY(dialog.tileWidthEdit()->isEnabled() && dialog.tileHeightEdit()->isEnabled());
    dialog.tileBox()->click();
    QVERIFY(!dialog.tileWidthEdit()->isEnabled() && !dialog.tileHeightEdit()->isEnabled());

    dialog.rawJpegBox()->click();
    for (int i = 0; i < BuildResDialogModel::kJpegEditCount; ++i) {
        QVERIFY(dialog.jpegEdit(BuildResDialogModel::JpegEdit(i))->isEnabled());
    }
    dialog.rawJpegBox()->click();
    QVERIFY(!dialog.jpegEdit(BuildResDialogModel::JpegSplitHeight)->isEnabled());

    dialog.smallestSizeButton()->click();
    QVERIFY(!dialog.bestQualityButton()->isChecked());
    QCOMPARE(accept(dialog).quality, 0);
}

void BuildResDlgTest::okStoresWhatTheBuildGets()
{
    CBuildResDlg dialog(ini(), 20);
    dialog.splitResBox()->click();
    dialog.splitResSizeEdit()->setText(QStringLiteral("5"));
    dialog.splitPackBox()->click();
    dialog.splitPackStartEdit()->setText(QStringLiteral("12"));
    // Tile sizes typed while tiles are off are stored but not used.
    dialog.tileBox()->click();
    dialog.tileWidthEdit()->setText(QStringLiteral("32"));
    dialog.tileBox()->click();
    dialog.rawJpegBox()->click();
    dialog.jpegEdit(BuildResDialogModel::JpegQuality)->setText(QStringLiteral("x9"));

    const generate::ResourceBuildOptions options = accept(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(options.splitPackStart, 12);
    QCOMPARE(options.splitSize, std::int64_t{0});
    QCOMPARE(options.quality, 1);
    QCOMPARE(options.tileWidth, 0);
    QVERIFY(options.rawJpeg);
    QCOMPARE(key("RES_MODE"), std::string("0"));
    QCOMPARE(key("EN_SPLITPACK"), std::string("1"));
    QCOMPARE(key("SPLITPACK_START"), std::string("12"));
    QCOMPARE(key("EN_SPLITRES"), std::string("0"));
    QCOMPARE(key("SPLITRES_SIZE"), std::string("5"));
    QCOMPARE(key("EN_TILE"), std::string("0"));
    QCOMPARE(key("TILE_WIDTH"), std::string("32"));
    QCOMPARE(key("RAW_JPEG"), std::string("1"));
    QCOMPARE(key("JPG_QUALITY"), std::string("x9"));
    QCOMPARE(key("COMPRESS_TYPE"), std::string("0"));

    // What the menu builds read back from the file is what the dialog handed over.
    const generate::ResourceBuildOptions stored =
        generate::readResourceBuildOptions(SettingsAccessor(ini()));
    QCOMPARE(stored.splitPackStart, options.splitPackStart);
    QCOMPARE(stored.splitSize, options.splitSize);
    QCOMPARE(stored.compressType, options.compressType);
}

void BuildResDlgTest::splitResourceSizeIsInMegabytes()
{
    CBuildResDlg dialog(ini(), 20);
    dialog.splitPackBox()->click();
    dialog.splitPackStartEdit()->setText(QStringLiteral("7"));
    dialog.splitResBox()->click();
    dialog.splitResSizeEdit()->setText(QStringLiteral("2"));
    const generate::ResourceBuildOptions options = accept(dialog);
    QCOMPARE(options.splitSize, std::int64_t{2097152});
    QCOMPARE(options.splitPackStart, -1);
    QCOMPARE(key("EN_SPLITRES"), std::string("1"));
    QCOMPARE(key("SPLITPACK_START"), std::string("7"));
}

void BuildResDlgTest::compressFormatGivesThePackersType()
{
    CBuildResDlg rle(ini(), 0);
    rle.compressTypeBox()->setCurrentIndex(rle.compressTypeBox()->findText(QStringLiteral("RLE")));
    QCOMPARE(accept(rle).compressType, 1);
    QCOMPARE(key("COMPRESS_TYPE"), std::string("1"));

    // Opened again, the dialog shows RLE; switched to LZ4 it gives 2.
    CBuildResDlg lz4(ini(), 0);
    QCOMPARE(lz4.compressTypeBox()->currentText(), QStringLiteral("RLE"));
    lz4.compressTypeBox()->setCurrentIndex(lz4.compressTypeBox()->findText(QStringLiteral("LZ4")));
    QCOMPARE(accept(lz4).compressType, 2);
    QCOMPARE(key("COMPRESS_TYPE"), std::string("0"));

    // A stored index that names no item selects nothing: the packer chooses.
    platform::writeFileAtomically(ini(), "[CONFIG]\nCOMPRESS_TYPE=7\n");
    CBuildResDlg none(ini(), 0);
    QCOMPARE(none.compressTypeBox()->currentIndex(), -1);
    QCOMPARE(accept(none).compressType, 0);
}

void BuildResDlgTest::cancelStoresNothing()
{
    const std::string text = "; mine\n[CONFIG]\nRES_MODE = 1\nEN_SPLITRES=1\n\n[OTHER]\nA=b\n";
    platform::writeFileAtomically(ini(), text);
    CBuildResDlg dialog(ini(), 3);
    dialog.bestQualityButton()->click();
    dialog.splitPackBox()->click();
    dialog.splitPackStartEdit()->setText(QStringLiteral("9"));
    dialog.compressTypeBox()->setCurrentIndex(1);
    dialog.reject();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(platform::readFile(ini()).value_or(""), text);

    // Without a settings file, Cancel does not make one.
    CBuildResDlg fresh(m_dir->filePath("absent.ini"), 3);
    fresh.splitResBox()->click();
    fresh.reject();
    QVERIFY(!platform::isFile(m_dir->filePath("absent.ini")));
}

void BuildResDlgTest::differentialProjectFillsTheStart()
{
    projectfile::InstallProjectFileIo();
    ExampleCopy example("old");
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    CBuildResDlg dialog(ini(), 3);
    dialog.splitPackBox()->click();

    ui.queueCancel();
    dialog.differentialProjectButton()->click();
    QCOMPARE(dialog.splitPackStartEdit()->text(), QStringLiteral("0"));

    ui.queuePath(example.projectPath());
    dialog.differentialProjectButton()->click();
    QCOMPARE(ui.records().back().text, std::string("选择差分工程"));
    // The example's layer identifiers run to 11.
    QCOMPARE(dialog.splitPackStartEdit()->text(), QStringLiteral("12"));
    QCOMPARE(accept(dialog).splitPackStart, 12);
    QCOMPARE(key("SPLITPACK_START"), std::string("12"));
}

void BuildResDlgTest::everyControlHasAnAccessibleName()
{
    CBuildResDlg dialog(ini(), 3);
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QCheckBox*>(widget) ||
            qobject_cast<QRadioButton*>(widget) || qobject_cast<QPushButton*>(widget) ||
            qobject_cast<QComboBox*>(widget) || qobject_cast<QLabel*>(widget)) {
            if (widget->parent() && qobject_cast<QComboBox*>(widget->parent())) {
                continue; // the drop-down's own line edit
            }
            QVERIFY2(!widget->accessibleName().isEmpty(), widget->metaObject()->className());
        }
    }
}

QTEST_MAIN(BuildResDlgTest)
#include "BuildResDlgTest.moc"

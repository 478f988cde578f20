#pragma once

#include "editing/ChangeFeed.h"
#include "editing/TextCheckRows.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QSortFilterProxyModel;
class QTableView;
class QToolButton;
class QThread;
class APStyleProject;
class QtVisualEditor;
class SnapShotItem;
class TextCheckModel;

namespace editing {
class Workspace;
}
namespace textcheck {
class TextFitCheck;
struct TextFitInput;
struct TextFitReport;
} // namespace textcheck

// The "文本检查" panel: the text check of the current project (every text against its box in
// every language, missing texts, unbound strings, characters without glyphs), run on a worker
// thread while the panel is shown and again shortly after each edit, so that typing never
// waits for it. Overflowing texts are outlined in red on the surface while the panel is shown;
// a double-click on a row selects the element, shows the row's language and reveals it.
class TextCheckPanel : public QWidget, private editing::ChangeObserver
{
    Q_OBJECT

public:
    // `reveal` scrolls the surface to an element. The workspace and the editor outlive the panel.
    TextCheckPanel(editing::Workspace& workspace, QtVisualEditor& editor,
                   std::function<void(SnapShotItem&)> reveal, QWidget* parent = nullptr);
    ~TextCheckPanel() override;

    const editing::TextCheckRows& rows() const { return m_rows; }
    QTableView* table() const { return m_table; }
    // True while a check runs.
    bool checking() const { return m_thread != nullptr; }
    // Opens the row shown at `viewRow` (as a double-click does).
    void openRow(int viewRow);
    // The measuring font button: choosing a font file and going back to the installed fonts.
    QToolButton* fontButton() const { return m_fontButton; }

signals:
    // A check ended and its rows are shown.
    void checked();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnChanges(const editing::ChangeSet& changes) override;
    void runNow();
    static textcheck::TextFitInput checkedTexts(const APStyleProject& project);
    void takeReport();
    void outline();
    void useMeasuringFont(const std::string& font);

    editing::Workspace& m_workspace;
    QtVisualEditor& m_editor;
    std::function<void(SnapShotItem&)> m_reveal;
    editing::TextCheckRows m_rows;
    std::unique_ptr<textcheck::TextFitCheck> m_check;
    std::shared_ptr<textcheck::TextFitReport> m_report;
    std::shared_ptr<std::string> m_problem;
    TextCheckModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QTableView* m_table;
    QLabel* m_status;
    QLabel* m_font;
    QToolButton* m_fontButton;
    // The font m_check measures with ("": the installed fonts).
    std::string m_checkFont;
    QTimer m_soon;
    QThread* m_thread = nullptr;
    bool m_again = false;
};

#pragma once

#include "model/StringRecord.h"

#include <QDialog>

#include <optional>
#include <string>

class APStyleProject;
class QLineEdit;
class QRadioButton;
class QTableView;
class StringRegistry;
class StringSelectModel;
class StringSelectFilter;

// The string selection dialog: the string resources of a list with a search box that
// filters by name or by text as one types. OK hands back a copy of the chosen record.
class DlgStringSelect : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kChooseMessage =
        QT_TRANSLATE_NOOP("DlgStringSelect", "请选择字符串项");

    DlgStringSelect(const StringRegistry& strings, QWidget* parent = nullptr);
    ~DlgStringSelect() override;

    // Shows the dialog over `project`'s string list; returns the chosen string's
    // identifier, or nothing when cancelled.
    static std::optional<std::string> choose(APStyleProject& project, QWidget* parent = nullptr);

    // The record chosen with OK.
    const std::optional<StringRecord>& chosen() const { return m_chosen; }

    QLineEdit* searchBox() const { return m_search; }
    QRadioButton* byNameButton() const { return m_byName; }
    QRadioButton* byTextButton() const { return m_byText; }
    QTableView* list() const { return m_view; }

    void accept() override;

private:
    void updateFilter();

    const StringRegistry& m_strings;
    StringSelectModel* m_model;
    StringSelectFilter* m_filter;
    QLineEdit* m_search;
    QRadioButton* m_byName;
    QRadioButton* m_byText;
    QTableView* m_view;
    std::optional<StringRecord> m_chosen;
};

#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

// Chooses the folders of a project's "resource" folder that its picture or string list is
// updated from: one checkable row per folder, all checked at first. OK needs at least one.
class DlgResDirSelect : public QDialog
{
    Q_OBJECT

public:
    enum class Kind
    {
        Pictures,
        Strings
    };

    static constexpr const char* kChooseMessage =
        QT_TRANSLATE_NOOP("DlgResDirSelect", "请至少选择一个目录！");

    // `folder`: the resource folder (shown); `subDirectories`: the names to choose from.
    DlgResDirSelect(Kind kind, const std::string& folder,
                    const std::vector<std::string>& subDirectories, QWidget* parent = nullptr);

    // The checked names, in list order.
    std::vector<std::string> chosen() const;
    void setAllChecked(bool checked);

    QListWidget* list() const { return m_list; }
    QPushButton* allButton() const { return m_all; }
    QPushButton* noneButton() const { return m_none; }

    void accept() override;

private:
    QLabel* m_folder;
    QListWidget* m_list;
    QPushButton* m_all;
    QPushButton* m_none;
};

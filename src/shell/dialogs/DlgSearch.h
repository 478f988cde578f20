#pragma once

#include <QDialog>

namespace editing {
class TreeSearch;
}

class QLineEdit;
class QPushButton;

// The search dialog (command 32854): one text field and a find button. Each find goes on
// from the node found last; a miss says `Cannot find "text"` and starts over. Opening the
// dialog starts from the beginning.
class DlgSearch : public QDialog
{
    Q_OBJECT

public:
    explicit DlgSearch(editing::TreeSearch& search, QWidget* parent = nullptr);

    QLineEdit* textField() const { return m_text; }

public slots:
    // Finds the next node with the field's text; true when one was found.
    bool find();

private:
    editing::TreeSearch& m_search;
    QLineEdit* m_text;
    QPushButton* m_find;
};

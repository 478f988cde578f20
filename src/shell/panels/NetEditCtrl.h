#pragma once

#include <QLineEdit>

// The property grid's in-place edit box. It widens as the text grows (up to its
// maximum width), and reports the keys that end or move the edit: Enter commits,
// Up and Down commit and move to the previous or next row, Escape cancels. Losing the
// focus is the grid's business (it knows which widgets are its own).
class NetEditCtrl : public QLineEdit
{
    Q_OBJECT

public:
    explicit NetEditCtrl(QWidget* parent = nullptr);

    // Places the edit box over `cell` (parent coordinates) and remembers that width as
    // the narrowest; `maxWidth` bounds the widening.
    void placeOver(const QRect& cell, int maxWidth);

signals:
    void commitRequested();
    // -1 for Up, +1 for Down.
    void moveRequested(int delta);
    void cancelRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitText();

    int m_minWidth = 0;
    int m_maxWidth = 0;
};

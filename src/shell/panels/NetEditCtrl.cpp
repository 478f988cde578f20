#include "shell/panels/NetEditCtrl.h"

#include <QKeyEvent>

NetEditCtrl::NetEditCtrl(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("NetEditCtrl"));
    setAccessibleName(tr("值"));
    setFrame(false);
    connect(this, &QLineEdit::textChanged, this, [this] { fitText(); });
}

void NetEditCtrl::placeOver(const QRect& cell, int maxWidth)
{
    m_minWidth = cell.width();
    m_maxWidth = qMax(maxWidth, cell.width());
    setGeometry(cell);
    fitText();
}

void NetEditCtrl::fitText()
{
    // Room for the text, its margins and the cursor; never narrower than the cell.
    const QMargins margins = textMargins() + contentsMargins();
    const int wanted = fontMetrics().horizontalAdvance(text()) + margins.left() + margins.right() +
                       2 * fontMetrics().averageCharWidth();
    const int width = qBound(m_minWidth, wanted, m_maxWidth);
    if (width != this->width()) {
        resize(width, height());
    }
}

void NetEditCtrl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit commitRequested();
        return;
    case Qt::Key_Up:
        emit moveRequested(-1);
        return;
    case Qt::Key_Down:
        emit moveRequested(1);
        return;
    case Qt::Key_Escape:
        emit cancelRequested();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

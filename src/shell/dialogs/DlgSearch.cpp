#include "shell/dialogs/DlgSearch.h"

#include "editing/TreeSearch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

DlgSearch::DlgSearch(editing::TreeSearch& search, QWidget* parent)
    : QDialog(parent), m_search(search), m_text(new QLineEdit(this)),
      m_find(new QPushButton(tr("查找"), this))
{
    setWindowTitle(tr("搜索"));
    setAccessibleName(windowTitle());
    auto* label = new QLabel(tr("名称:"), this);
    label->setBuddy(m_text);
    m_text->setAccessibleName(tr("名称"));
    m_find->setAccessibleName(m_find->text());
    m_find->setDefault(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_find);
    connect(m_find, &QPushButton::clicked, this, &DlgSearch::find);
    m_search.Reset();
}

bool DlgSearch::find()
{
    // The search itself shows the message of a miss.
    return m_search.Find(m_text->text().toStdString()) != nullptr;
}

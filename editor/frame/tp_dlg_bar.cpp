#include "frame/tp_dlg_bar.h"

#include "text/editor_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

CTpDlgBar::CTpDlgBar(QWidget *parent)
    : QWidget(parent),
      m_caption(new QLabel(lqa::loadText(lqa::ids::SearchBarCaption), this)),
      m_field(new QLineEdit(this)) {
    setAutoFillBackground(false);
    m_field->setObjectName(QStringLiteral("searchField"));
    m_field->setClearButtonEnabled(true);
    m_caption->setBuddy(m_field);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 0, 0);
    layout->addWidget(m_caption);
    layout->addWidget(m_field, 1);
}

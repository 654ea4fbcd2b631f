#include "connection/caution_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

CautionDialog::CautionDialog(QWidget *parent)
    : QDialog(parent), m_doNotShow(new QCheckBox(QStringLiteral("&Do not show this message again."))) {
    setWindowTitle(QStringLiteral("Unable to connect to the machine"));
    auto *icon = new QLabel;
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size, size));
    auto *text = new QLabel(QStringLiteral("Unable to retrieve address data from the machine.\n"
                                           "The cable may be disconnected, or the power may be off.\n"
                                           "Only PC Fax Address Book will be shown."));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *message = new QHBoxLayout;
    message->addWidget(icon, 0, Qt::AlignTop);
    message->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(m_doNotShow);
    layout->addWidget(buttons);
}

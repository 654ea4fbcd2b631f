#include "connection/connection_method_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

ConnectionMethodDialog::ConnectionMethodDialog(const ConnectionContext &context, QWidget *parent)
    : QDialog(parent),
      m_deviceName(context.deviceName),
      m_usb(new QRadioButton(QStringLiteral("Connect via &USB Cable"))),
      m_offline(new QRadioButton(QStringLiteral("&Offline (Only PC Fax Address Book can be edited)"))),
      m_doNotShow(new QCheckBox(QStringLiteral("&Do not show this message again."))) {
    setWindowTitle(QStringLiteral("Starting Linquara"));
    auto *text = new QLabel(QStringLiteral("Select the connection method to your machine.\n"
                                           "Select Offline when you only want to edit the Fax Address Book "
                                           "without connecting to the device."));
    text->setWordWrap(true);
    (context.method == MethodOffline ? m_offline : m_usb)->setChecked(true);
    m_doNotShow->setChecked(context.doNotShow != 0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(kHelpTopic); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_usb);
    layout->addWidget(m_offline);
    layout->addWidget(m_doNotShow);
    layout->addWidget(buttons);
}

void ConnectionMethodDialog::WriteBack(ConnectionContext &context) const {
    context.method = m_offline->isChecked() ? MethodOffline : MethodUsb;
    context.deviceName = m_deviceName;
    context.doNotShow = m_doNotShow->isChecked() ? 1 : 0;
    context.chosenInDialog = true;
}

// Asks at start-up whether to reach the machine over the USB cable or to
// work offline on the PC fax address book.
#pragma once

#include "connection/connection_context.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

class ConnectionMethodDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1030;

    // Opens with the context's method, an unchosen one shown as USB.
    explicit ConnectionMethodDialog(const ConnectionContext &context, QWidget *parent = nullptr);

    // The choice made, for a dialog ended with OK.
    void WriteBack(ConnectionContext &context) const;

    [[nodiscard]] QRadioButton *UsbButton() const { return m_usb; }
    [[nodiscard]] QRadioButton *OfflineButton() const { return m_offline; }
    [[nodiscard]] QCheckBox *DoNotShowBox() const { return m_doNotShow; }

signals:
    void helpRequested(int topic);

private:
    QString m_deviceName;
    QRadioButton *m_usb;
    QRadioButton *m_offline;
    QCheckBox *m_doNotShow;
};

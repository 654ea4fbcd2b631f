#include "connection/widget_connection_dialogs.h"

#include "connection/caution_dialog.h"
#include "connection/connection_method_dialog.h"

#include <QCheckBox>

bool WidgetConnectionDialogs::ChooseMethod(ConnectionContext &context) {
    ConnectionMethodDialog dialog(context, m_parent);
    QObject::connect(&dialog, &ConnectionMethodDialog::helpRequested, m_openHelp);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.WriteBack(context);
    return true;
}

bool WidgetConnectionDialogs::ShowCaution() {
    CautionDialog dialog(m_parent);
    dialog.exec();
    return dialog.DoNotShowBox()->isChecked();
}

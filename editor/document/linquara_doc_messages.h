// Texts the document shows about the machine and its files.
#pragma once

#include <QString>

// The message after a save to the machine ended with editor code `code`;
// empty when nothing is to be shown. An unreachable machine is only reported
// while it counts as connected: otherwise the person already knows.
[[nodiscard]] QString DeviceMessage(quint16 code, bool machineConnected);

// The filter of the file dialogs for PC fax address book files.
[[nodiscard]] QString PcFaxFileFilter();

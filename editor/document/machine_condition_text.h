// What the person is told when the machine answers a read or a save with
// one of its conditions, the same after every machine command.
#pragma once

#include <QString>

// The message for editor code `code` (AdrIoResult) when it names a condition
// of the machine or of its password; empty for any other code.
[[nodiscard]] QString MachineConditionText(quint16 code);

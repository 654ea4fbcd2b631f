// Points the machine-wide settings at a folder of the test's own and writes
// the language value the installer would.
#pragma once

#include "app/ui_language.h"

#include <QSettings>
#include <QTemporaryDir>

namespace test {

class MachineSettings {
public:
    MachineSettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, folder.path()); }

    static QSettings open() {
        return QSettings(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Velmorante"),
                         QStringLiteral("Linquara"));
    }

    void setLanguage(const QVariant &value) {
        QSettings settings = open();
        settings.setValue(QLatin1String(kUiLanguageValue), value);
    }

    QTemporaryDir folder;
};

}  // namespace test

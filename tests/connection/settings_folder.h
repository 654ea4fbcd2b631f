// Points the per-user settings at a folder of the test's own.
#pragma once

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace test {

class SettingsFolder {
public:
    SettingsFolder() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path()); }

    // The editor's settings as any other reader sees them.
    static QSettings raw() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmorante"),
                         QStringLiteral("Quillabrex K7710_K7910/Linquara"));
    }

    QTemporaryDir folder;
};

}  // namespace test

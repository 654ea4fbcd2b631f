// Switches the library's device log on for the whole test program, into the
// settings and log files beside the program, and reads it back.
#pragma once

#include "core/library_module.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace test {

class ModuleLog : public ::testing::Environment {
public:
    void SetUp() override {
        QFile settings(abif::moduleSibling(QStringLiteral(".INI")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[DumpLog]\nLevel=4\nCategory=2\nTimeStamp=0\n");
        QFile::remove(logPath());
    }
    void TearDown() override {
        QFile::remove(abif::moduleSibling(QStringLiteral(".INI")));
        QFile::remove(logPath());
    }

    static QString logPath() { return abif::moduleSibling(QStringLiteral(".Log")); }
    static void clear() { QFile::remove(logPath()); }
    static QStringList lines() {
        QFile file(logPath());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

}  // namespace test

// The dialog tests need a QApplication; they never need a screen.
#include "module_log.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Before any test runs: the log reads its settings once per process.
    ::testing::AddGlobalTestEnvironment(new test::ModuleLog);
    return RUN_ALL_TESTS();
}

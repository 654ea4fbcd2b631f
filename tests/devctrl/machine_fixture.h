// Tests that talk to the machine stand-in through the real still-image
// library: every test has a machine folder of its own.
#pragma once

#include "machine_store.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace test {

// Result codes as hexadecimal text, so that a failure shows both codes.
inline std::string code(int32_t result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(result));
    return text;
}

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        qputenv("QVS_STILIB", QVS_TEST_STILIB);
        qputenv("QVS_MACHINE_DIR", QFile::encodeName(folder.path()));
    }
    void TearDown() override {
        qunsetenv("QVS_STILIB");
        qunsetenv("QVS_MACHINE_DIR");
    }

    // Changes the machine as someone at its front panel would.
    void arrange(const std::function<void(qvs::MachineState &)> &change) {
        QString error;
        ASSERT_TRUE(store().modify(
            [&](qvs::MachineState &state) {
                change(state);
                return QString();
            },
            error))
            << error.toStdString();
    }

    [[nodiscard]] qvs::MachineState machine() const {
        qvs::MachineState state;
        QString error;
        EXPECT_TRUE(store().load(state, error)) << error.toStdString();
        return state;
    }

    [[nodiscard]] qvs::MachineStore store() const { return qvs::MachineStore(folder.path()); }

    QTemporaryDir folder;
};

}  // namespace test

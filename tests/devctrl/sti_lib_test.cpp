// Finding and binding the still-image library.
#include "abiflink.h"
#include "device/dev_access_usb.h"
#include "device/dev_ctrl.h"
#include "machine_fixture.h"

#include <functional>

namespace {

using test::code;

TEST(StillImageLibrary, isLookedForInTheDriverFolderUnlessNamed) {
    qunsetenv("QVS_STILIB");
    EXPECT_TRUE(CStiLib::libraryPath().endsWith(
        QStringLiteral("/twain_32/Velmorante Quillabrex K7710_K7910/libqvsSTILib.so")));
    qputenv("QVS_STILIB", "/opt/elsewhere/libqvsSTILib.so");
    EXPECT_EQ(CStiLib::libraryPath(), QStringLiteral("/opt/elsewhere/libqvsSTILib.so"));
    qunsetenv("QVS_STILIB");
}

struct AccessCall {
    const char *name;
    std::function<int32_t(CDevAccess &)> call;
};

class WithoutLibrary : public test::MachineTest, public ::testing::WithParamInterface<const char *> {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        qputenv("QVS_STILIB", GetParam());
    }
};

// A missing file, and a library that has neither entry point.
INSTANTIATE_TEST_SUITE_P(Library, WithoutLibrary, ::testing::Values("/nonexistent/libqvsSTILib.so", "libm.so.6"),
                         [](const auto &info) { return info.index == 0 ? "missing" : "withoutEntryPoints"; });

TEST_P(WithoutLibrary, everyOperationAnswersLibraryMissing) {
    uint8_t block[26] = {};
    uint8_t response[64] = {};
    size_t received = 0;
    const AccessCall calls[] = {
        {"Initialize", [](CDevAccess &a) { return a.Initialize(QStringLiteral("QV Quillabrex K7710/K7910")); }},
        {"Dispose", [](CDevAccess &a) { return a.Dispose(); }},
        {"Lock", [](CDevAccess &a) { return a.Lock(); }},
        {"Unlock", [](CDevAccess &a) { return a.Unlock(); }},
        {"GetStatus", [](CDevAccess &a) { return a.GetStatus(); }},
        {"Request", [&](CDevAccess &a) { return a.Request(block, sizeof block, response, sizeof response, received); }},
        {"Send", [&](CDevAccess &a) { return a.Send(block, sizeof block); }},
    };
    CDevAccessUSB access;
    for (const AccessCall &c : calls) EXPECT_EQ(code(c.call(access)), code(ABIF_E_NO_STILIB)) << c.name;

    CDevCtrl ctrl;
    EXPECT_EQ(code(ctrl.Initialize(QStringLiteral("QV Quillabrex K7710/K7910"))), code(ABIF_E_NO_STILIB));
    EXPECT_FALSE(ctrl.isInitialized());
}

}  // namespace

// Device control against the machine stand-in, through the real still-image
// library: the whole conversation, and every machine condition's code.
#include "abiflink.h"
#include "core/record_text.h"
#include "device/dev_ctrl.h"
#include "machine_fixture.h"
#include "qvs_stilib.h"
#include "support/records.h"

#include <QProcess>

#include <thread>

namespace {

using test::code;

const QString kModel = QStringLiteral("QV Quillabrex K7710/K7910");

class DeviceControl : public test::MachineTest {
protected:
    void openAndLock(CDevCtrl &ctrl) {
        ASSERT_EQ(code(ctrl.Initialize(kModel)), code(ABIF_OK));
        ASSERT_EQ(code(ctrl.Lock()), code(ABIF_OK));
    }
};

std::vector<qvs::FaxSlot> faxSlots(const CAbifData &data) {
    std::vector<qvs::FaxSlot> found;
    for (const CAbifFaxData &r : data.array<CAbifFaxData>().records())
        found.push_back({abif::readQString(r.name, sizeof r.name), abif::readQString(r.faxNumber, sizeof r.faxNumber)});
    return found;
}

TEST_F(DeviceControl, readsTheMachineAndWritesItBack) {
    arrange([](qvs::MachineState &s) { s = qvs::demoMachine(); });
    CDevCtrl ctrl;
    openAndLock(ctrl);
    EXPECT_EQ(code(ctrl.GetStatus()), code(ABIF_STATUS_READ | 1));
    EXPECT_EQ(code(ctrl.CheckPasswordLock()), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.CheckPassword(u"")), code(ABIF_OK));

    abif::PabCapacity capacity;
    ASSERT_EQ(code(ctrl.ReadSpec(capacity, u"")), code(ABIF_OK));
    EXPECT_EQ(capacity, (abif::PabCapacity{99, 6}));

    CAbifData read;
    ASSERT_EQ(code(ctrl.ReadFax(capacity, read, u"")), code(ABIF_OK));
    const qvs::MachineState demo = qvs::demoMachine();
    ASSERT_EQ(read.array<CAbifFaxData>().count(), 12);
    EXPECT_EQ(faxSlots(read).front(), demo.fax.at(1));
    EXPECT_EQ(faxSlots(read).back(), demo.fax.at(12));
    ASSERT_EQ(read.array<CAbifFaxGroupData>().count(), 2);
    const CAbifFaxGroupData suppliers = read.array<CAbifFaxGroupData>().at(1);
    EXPECT_EQ(suppliers.id, 2);
    EXPECT_EQ(suppliers.memberCount, 4);

    CAbifData changed;
    const CAbifFaxData faxes[] = {test::fax(1, u"Head Office", u"+44 20 7946 0099"), test::fax(2, u"Ärztehaus Süd", u"089 555 10"),
                                  test::fax(40, u"New Branch", u"555 0140")};
    const CAbifFaxGroupData groups[] = {test::faxGroup(2, u"Everyone", {1, 2, 40})};
    changed.array<CAbifFaxData>().append(faxes);
    changed.array<CAbifFaxGroupData>().append(groups);
    EXPECT_EQ(code(ctrl.DeleteWriteFax(capacity, changed, u"")), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.Unlock()), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.Dispose()), code(ABIF_OK));

    const qvs::MachineState written = machine();
    EXPECT_EQ(written.fax, (std::map<uint16_t, qvs::FaxSlot>{{1, {"Head Office", "+44 20 7946 0099"}},
                                                             {2, {"Ärztehaus Süd", "089 555 10"}},
                                                             {40, {"New Branch", "555 0140"}}}));
    EXPECT_EQ(written.groups, (std::map<uint16_t, qvs::GroupSlot>{{2, {"Everyone", {1, 2, 40}}}}));
}

TEST_F(DeviceControl, machineNeverSetUpIsEmptyAndCanBeLocked) {
    qputenv("QVS_MACHINE_DIR", QFile::encodeName(folder.filePath(QStringLiteral("not/yet"))));
    CDevCtrl ctrl;
    openAndLock(ctrl);
    abif::PabCapacity capacity;
    CAbifData data;
    ASSERT_EQ(code(ctrl.ReadSpec(capacity, u"")), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.ReadFax(capacity, data, u"")), code(ABIF_OK));
    EXPECT_EQ(data.array<CAbifFaxData>().count(), 0);
}

TEST_F(DeviceControl, statusKeepsOnlyTheLowTwentyFourBitsOfTheMachineWord) {
    arrange([](qvs::MachineState &s) { s.statusWord = 0xAB123456; });
    CDevCtrl ctrl;
    openAndLock(ctrl);
    EXPECT_EQ(code(ctrl.GetStatus()), code(0x21123456));
}

TEST_F(DeviceControl, stepsNotReachedAreNotUndone) {
    CDevCtrl ctrl;
    EXPECT_EQ(code(ctrl.Unlock()), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.Dispose()), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.Lock()), code(ABIF_E_MEMORY));
    EXPECT_EQ(code(ctrl.GetStatus()), code(ABIF_E_MEMORY));
    ASSERT_EQ(code(ctrl.Initialize(kModel)), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.Initialize(kModel)), code(ABIF_E_FAIL));
    EXPECT_EQ(code(ctrl.Unlock()), code(ABIF_OK));
    EXPECT_FALSE(ctrl.isLocked());
}

// A second conversation, on a thread of its own, that tries to take the lock.
int32_t lockFromAnotherThread() {
    int32_t result = 0;
    std::thread([&] {
        CDevCtrl other;
        result = other.Initialize(kModel);
        if (result == ABIF_OK) result = other.Lock();
    }).join();
    return result;
}

TEST_F(DeviceControl, theLockKeepsOthersOutUntilTheObjectIsGone) {
    {
        CDevCtrl ctrl;
        openAndLock(ctrl);
        EXPECT_EQ(code(lockFromAnotherThread()), code(QVS_STI_E_SHARING));
    }
    EXPECT_EQ(code(lockFromAnotherThread()), code(ABIF_OK));
}

TEST_F(DeviceControl, anotherProgramHoldingTheMachineMakesLockBusy) {
    QProcess holder;
    holder.start(QStringLiteral(QVS_TEST_MACHINE), {QStringLiteral("--dir"), folder.path(), QStringLiteral("hold")});
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "held");

    CDevCtrl ctrl;
    ASSERT_EQ(code(ctrl.Initialize(kModel)), code(ABIF_OK));
    EXPECT_EQ(code(ctrl.Lock()), code(QVS_STI_E_SHARING));
    abif::PabCapacity capacity;
    EXPECT_EQ(code(ctrl.ReadSpec(capacity, u"")), code(ABIF_E_MACHINE_STATUS | QVS_STI_STATUS_BUSY));

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(code(ctrl.Lock()), code(ABIF_OK));
}

TEST_F(DeviceControl, passwordIsCheckedAgainstTheMachines) {
    arrange([](qvs::MachineState &s) { s.password = QStringLiteral("4711"); });
    CDevCtrl ctrl;
    openAndLock(ctrl);
    EXPECT_EQ(code(ctrl.CheckPassword(u"")), code(ABIF_E_PASSWORD));
    EXPECT_EQ(code(ctrl.CheckPassword(u"4712")), code(ABIF_E_PASSWORD));
    EXPECT_EQ(code(ctrl.CheckPassword(u"4711")), code(ABIF_OK));
    abif::PabCapacity capacity;
    EXPECT_EQ(code(ctrl.ReadSpec(capacity, u"zqzq")), code(ABIF_E_PASSWORD));
    EXPECT_EQ(code(ctrl.ReadSpec(capacity, u"4711")), code(ABIF_OK));
}

// A machine condition and the code each step then gives.
struct Condition {
    const char *name;
    std::function<void(qvs::MachineState &)> set;
    int32_t initialize, lock, checkPassword, readSpec, readFax, write;
};

void PrintTo(const Condition &condition, std::ostream *out) { *out << condition.name; }

class MachineCondition : public DeviceControl, public ::testing::WithParamInterface<Condition> {};

TEST_P(MachineCondition, givesItsCodeAtEveryStep) {
    const Condition &c = GetParam();
    arrange([](qvs::MachineState &s) { s = qvs::demoMachine(); });
    CDevCtrl ctrl;
    // Conditions that refuse opening or locking are set up first; the others
    // arise while the machine is held.
    const bool atOpen = c.initialize != ABIF_OK || c.lock != ABIF_OK;
    if (atOpen) arrange(c.set);
    EXPECT_EQ(code(ctrl.Initialize(kModel)), code(c.initialize));
    if (c.initialize != ABIF_OK) return;
    EXPECT_EQ(code(ctrl.Lock()), code(c.lock));
    if (!atOpen) arrange(c.set);

    const abif::PabCapacity capacity{99, 6};
    abif::PabCapacity read;
    CAbifData data;
    EXPECT_EQ(code(ctrl.CheckPassword(u"")), code(c.checkPassword));
    EXPECT_EQ(code(ctrl.ReadSpec(read, u"")), code(c.readSpec));
    EXPECT_EQ(code(ctrl.ReadFax(capacity, data, u"")), code(c.readFax));
    const qvs::MachineState before = machine();
    EXPECT_EQ(code(ctrl.DeleteWriteFax(capacity, CAbifData{}, u"")), code(c.write));
    if (c.write != ABIF_OK) {
        EXPECT_EQ(machine().fax, before.fax);
    }
}

constexpr int32_t kBusy = ABIF_E_MACHINE_STATUS | QVS_STI_STATUS_BUSY;

INSTANTIATE_TEST_SUITE_P(
    StandIn, MachineCondition,
    ::testing::Values(
        Condition{"poweredOff", [](qvs::MachineState &s) { s.poweredOn = false; }, QVS_STI_E_NOT_READY, 0, 0, 0, 0, 0},
        Condition{"busyAtItsPanel", [](qvs::MachineState &s) { s.busy = true; }, ABIF_OK, QVS_STI_E_BUSY, kBusy, kBusy,
                  kBusy, kBusy},
        Condition{"passwordSet", [](qvs::MachineState &s) { s.password = QStringLiteral("123456"); }, ABIF_OK, ABIF_OK,
                  ABIF_E_PASSWORD, ABIF_E_PASSWORD, ABIF_E_PASSWORD, ABIF_E_PASSWORD},
        Condition{"status84",
                  [](qvs::MachineState &s) { s.fault = {qvs::MachineFault::Status, 0x84, 0x01, 0x02}; }, ABIF_OK,
                  ABIF_OK, ABIF_OK, ABIF_E_STATUS_84, ABIF_E_STATUS_84, 0x22020184},
        Condition{"otherStatus",
                  [](qvs::MachineState &s) { s.fault = {qvs::MachineFault::Status, 0x8A, 0x03, 0x07}; }, ABIF_OK,
                  ABIF_OK, 0x2207038A, 0x2207038A, 0x2207038A, 0x2207038A},
        Condition{"malformedResponse", [](qvs::MachineState &s) { s.fault.kind = qvs::MachineFault::Malformed; },
                  ABIF_OK, ABIF_OK, ABIF_OK, ABIF_E_RESPONSE, ABIF_E_RESPONSE, ABIF_OK},
        Condition{"emptyResponse", [](qvs::MachineState &s) { s.fault.kind = qvs::MachineFault::Empty; }, ABIF_OK,
                  ABIF_OK, ABIF_E_RESPONSE, ABIF_E_RESPONSE, ABIF_E_RESPONSE, ABIF_OK},
        Condition{"badResponseChecksum", [](qvs::MachineState &s) { s.fault.kind = qvs::MachineFault::BadChecksum; },
                  ABIF_OK, ABIF_OK, ABIF_E_CHECKSUM, ABIF_E_CHECKSUM, ABIF_E_CHECKSUM, ABIF_OK}),
    [](const ::testing::TestParamInfo<Condition> &info) { return std::string(info.param.name); });

// Two speed dials and a group of both fill the read buffer of a machine with
// two fax slots and one group slot to the byte.
TEST_F(DeviceControl, responseFillingTheBufferExactlyIsReadAndOneByteMoreIsRefused) {
    arrange([](qvs::MachineState &s) {
        s.faxCapacity = 2;
        s.groupCapacity = 1;
        s.fax = {{1, {"One", "1"}}, {2, {"Two", "2"}}};
        s.groups = {{1, {"Both", {1, 2}}}};
    });
    CDevCtrl ctrl;
    openAndLock(ctrl);
    abif::PabCapacity capacity;
    ASSERT_EQ(code(ctrl.ReadSpec(capacity, u"")), code(ABIF_OK));
    CAbifData data;
    EXPECT_EQ(code(ctrl.ReadFax(capacity, data, u"")), code(ABIF_OK));
    EXPECT_EQ(data.array<CAbifFaxGroupData>().count(), 1);

    arrange([](qvs::MachineState &s) { s.fault.kind = qvs::MachineFault::Oversized; });
    CAbifData refused;
    EXPECT_EQ(code(ctrl.ReadFax(capacity, refused, u"")), code(ABIF_E_RESPONSE));
}

TEST_F(DeviceControl, delayedStartSlotIsKeptAndTheRestWritten) {
    arrange([](qvs::MachineState &s) {
        s = qvs::demoMachine();
        s.delayedStart = {3};
    });
    CDevCtrl ctrl;
    openAndLock(ctrl);
    CAbifData changed;
    const CAbifFaxData faxes[] = {test::fax(4, u"Changed", u"1")};
    changed.array<CAbifFaxData>().append(faxes);
    EXPECT_EQ(code(ctrl.DeleteWriteFax({99, 6}, changed, u"")), code(ABIF_W_PARTIAL_WRITE));
    const qvs::MachineState written = machine();
    EXPECT_EQ(written.fax, (std::map<uint16_t, qvs::FaxSlot>{{3, qvs::demoMachine().fax.at(3)}, {4, {"Changed", "1"}}}));
    EXPECT_TRUE(written.groups.empty());
}

// The usual update buffer has room for groups of at most as many members as
// there are speed dials; a group listing more is still sent whole.
TEST_F(DeviceControl, groupWithMoreMembersThanSpeedDialsIsWrittenWhole) {
    CDevCtrl ctrl;
    openAndLock(ctrl);
    CAbifData changed;
    const CAbifFaxData faxes[] = {test::fax(1, u"Only", u"1")};
    const CAbifFaxGroupData groups[] = {test::faxGroup(1, u"Wide", {1, 2, 3, 4, 5, 6, 7, 8, 9})};
    changed.array<CAbifFaxData>().append(faxes);
    changed.array<CAbifFaxGroupData>().append(groups);
    EXPECT_EQ(code(ctrl.DeleteWriteFax({99, 6}, changed, u"")), code(ABIF_OK));
    EXPECT_EQ(machine().groups.at(1).members, (std::vector<uint16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(DeviceControl, machineWithoutFaxSlotsReportsCapacityZero) {
    arrange([](qvs::MachineState &s) { s.faxCapacity = 0; });
    CDevCtrl ctrl;
    openAndLock(ctrl);
    abif::PabCapacity capacity{1, 1};
    ASSERT_EQ(code(ctrl.ReadSpec(capacity, u"")), code(ABIF_OK));
    EXPECT_EQ(capacity, (abif::PabCapacity{0, 6}));
}

}  // namespace

// The four device operations end to end, headless: the exports, their worker
// threads, the stand-in library and the simulated machine behind it.
#include "device/progress_control.h"
#include "device_fixture.h"
#include "qvs_stilib.h"

#include <QScopeGuard>

#include <algorithm>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using test::Book;
using test::code;
using test::Container;

const std::u16string kDefaultModel = u"QV Quillabrex K7710/K7910";

class DeviceOperations : public test::DeviceTest {};

TEST_F(DeviceOperations, readReplacesTheContainerWithTheMachinesBookSortedById) {
    panel({"fax", "set", "50", "Zeta Late Entry", "555 0150"});
    panel({"fax", "set", "20", "Alpha Middle", "555 0120"});
    Container data;
    test::fill(data.get(), {{{7, {"stale", "1"}}}, {{5, {"stale group", {7}}}}, {}, {}});
    CAbifEMailData mail{};
    ABIFData_Add_EMail(data.get(), 1, &mail);
    char16_t model[260] = u"";

    ASSERT_EQ(code(AbifDevice_ReadData(model, data.get(), 8, u"")), code(ABIF_OK));
    EXPECT_EQ(std::u16string(model), kDefaultModel);
    const Book read = test::bookOf(data.get());
    EXPECT_EQ(read, test::bookOf(shown()));
    EXPECT_EQ(read.fax.size(), 14u);
    EXPECT_EQ(read.groups.size(), 2u);
    EXPECT_TRUE(std::is_sorted(read.faxOrder.begin(), read.faxOrder.end()));
    EXPECT_TRUE(std::is_sorted(read.groupOrder.begin(), read.groupOrder.end()));
    EXPECT_EQ(ABIFData_GetCount_EMail(data.get()), 0);
}

TEST_F(DeviceOperations, updateWritesChangesDeletesRemovedSlotsAndReturnsTheMachine) {
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    Book edited = test::bookOf(base.get());
    edited.fax[1].number = QStringLiteral("+44 20 7946 0999");
    edited.fax.erase(12);
    edited.fax[40] = {QStringLiteral("Ärztehaus Süd"), QStringLiteral("089 555 10")};
    edited.groups.erase(2);
    edited.groups[3] = {QStringLiteral("New"), {40, 1}};
    test::fill(changed.get(), edited);

    ASSERT_EQ(code(update(base.get(), changed.get(), result.get())), code(ABIF_OK));
    const Book machine = test::bookOf(shown());
    EXPECT_EQ(test::bookOf(result.get()), machine);
    edited.groups[3].members = {1, 40};  // the library writes member lists sorted
    EXPECT_EQ(machine, edited);
}

TEST_F(DeviceOperations, updateWithAnUnchangedFaxPartWritesNothingAndReturnsTheMachine) {
    Container base, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"fax", "set", "5", "Changed At The Panel", "1"});
    // Nothing to write, so the change at the machine is no conflict.
    ASSERT_EQ(code(update(base.get(), base.get(), result.get(), 0x48)), code(ABIF_OK));
    EXPECT_EQ(test::bookOf(result.get()), test::bookOf(shown()));
    EXPECT_EQ(shown().fax.at(5).name, QStringLiteral("Changed At The Panel"));
}

TEST_F(DeviceOperations, updateReturningIntoItsBaseStillSeesAChangeAtTheMachine) {
    Container base, changed;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    Book edited = test::bookOf(base.get());
    edited.fax.erase(1);
    test::fill(changed.get(), edited);
    panel({"fax", "set", "5", "Changed At The Panel", "1"});
    const Book atMachine = test::bookOf(shown());
    EXPECT_EQ(code(update(base.get(), changed.get(), base.get(), 0x48)), code(ABIF_E_CANCEL));
    EXPECT_EQ(test::bookOf(shown()), atMachine);
}

// A change made at the machine between the read and the update.
struct Conflict {
    const char *name;
    int32_t flags;
    std::optional<abif::MessageAnswer> answer;  // none: nobody may be asked
    int32_t result;
};
void PrintTo(const Conflict &c, std::ostream *out) { *out << c.name; }

class ChangeAtTheMachine : public DeviceOperations, public ::testing::WithParamInterface<Conflict> {};

TEST_P(ChangeAtTheMachine, isAskedAboutRefusedOrOverwrittenAsTheFlagsSay) {
    const Conflict &c = GetParam();
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"fax", "set", "5", "Changed At The Panel", "1"});
    const Book atMachine = test::bookOf(shown());
    Book edited = test::bookOf(base.get());
    edited.fax[1].name = QStringLiteral("Renamed In The Editor");
    test::fill(changed.get(), edited);

    test::PromptScript ui;
    if (c.answer) ui.answers.push_back(*c.answer);
    EXPECT_EQ(code(update(base.get(), changed.get(), result.get(), c.flags)), code(c.result));
    const QString question = QStringLiteral("The machine will be overwritten. Are you sure?");
    const std::vector<QString> asked = c.answer ? std::vector{question} : std::vector<QString>{};
    EXPECT_EQ(ui.messages, asked);
    if (c.result == ABIF_OK) {
        EXPECT_EQ(test::bookOf(shown()), edited);
        EXPECT_EQ(test::bookOf(result.get()), edited);
    } else {
        EXPECT_EQ(test::bookOf(shown()), atMachine);
        EXPECT_EQ(ABIFData_GetCount_Fax(result.get()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ChangeAtTheMachine,
    ::testing::Values(Conflict{"askedAndConfirmed", 0x28, abif::MessageAnswer::Ok, ABIF_OK},
                      Conflict{"askedAndDeclined", 0x28, abif::MessageAnswer::Cancel, ABIF_E_CANCEL},
                      Conflict{"askWinsOverRefuse", 0x68, abif::MessageAnswer::Ok, ABIF_OK},
                      Conflict{"refusedWithoutAsking", 0x48, std::nullopt, ABIF_E_CANCEL},
                      Conflict{"overwrittenWithoutAsking", 0x08, std::nullopt, ABIF_OK}),
    [](const auto &info) { return std::string(info.param.name); });

// A certification run and what it should ask and answer.
struct Certification {
    const char *name;
    const char *machinePassword;  // empty: none
    std::u16string given;
    int32_t flags;
    std::deque<QString> typed;  // what the user enters; past its end the prompt is cancelled
    int32_t result;
    size_t prompts;
    size_t invalidMessages;
    std::u16string bufferAfter;
};
void PrintTo(const Certification &c, std::ostream *out) { *out << c.name; }

class PasswordCertification : public DeviceOperations, public ::testing::WithParamInterface<Certification> {};

TEST_P(PasswordCertification, triesGivenProbeAndPromptsInTurn) {
    const Certification &c = GetParam();
    if (*c.machinePassword) panel({"password", "set", c.machinePassword});
    test::PromptScript ui;
    ui.passwords = c.typed;
    char16_t model[260] = u"";
    char16_t password[13] = {};
    std::copy(c.given.begin(), c.given.end(), password);

    EXPECT_EQ(code(AbifDevice_CertificationPassword(model, c.flags, password)), code(c.result));
    EXPECT_EQ(ui.kinds.size(), c.prompts);
    for (abif::PasswordKind kind : ui.kinds)
        EXPECT_EQ(kind, (c.flags & 8) ? abif::PasswordKind::SystemAdministrator : abif::PasswordKind::ScanFaxLock);
    const QString invalid = QStringLiteral("Invalid password. Please re-enter.");
    EXPECT_EQ(ui.messages, std::vector<QString>(c.invalidMessages, invalid));
    EXPECT_EQ(std::u16string(password), c.bufferAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordCertification,
    ::testing::Values(
        Certification{"noPasswordSetTakesTheProbeWithoutAsking", "", u"", 0x1F, {}, ABIF_OK, 0, 0, u""},
        Certification{"givenPasswordAcceptedWithoutAsking", "4711", u"4711", 0x1F, {}, ABIF_OK, 0, 0, u"4711"},
        Certification{"promptAcceptedAfterAWrongOne", "4711", u"1234", 0x1F, {"9999", "4711"}, ABIF_OK, 2, 1, u"4711"},
        Certification{"threeWrongPasswords", "4711", u"", 0x1F, {"1111", "2222", "3333"}, ABIF_E_PASSWORD, 3, 3, u""},
        Certification{"onePromptWithoutTheThreePromptFlag", "4711", u"", 0x0F, {"1111", "4711"}, ABIF_E_PASSWORD, 1, 1,
                      u""},
        Certification{"lockPasswordPrompt", "4711", u"", 0x17, {"4711"}, ABIF_OK, 1, 0, u"4711"},
        Certification{"promptCancelled", "4711", u"", 0x1F, {}, ABIF_E_CANCEL, 1, 0, u""},
        Certification{"notAskedToCertify", "4711", u"4711", 0x1E, {"4711"}, ABIF_OK, 0, 0, u"4711"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DeviceOperations, passwordProtectedMachineIsReadAfterCertification) {
    panel({"password", "set", "4711"});
    Container data;
    EXPECT_EQ(code(read(data.get())), code(ABIF_E_PASSWORD));
    EXPECT_EQ(ABIFData_GetCount_Fax(data.get()), 0);

    test::PromptScript ui;
    ui.passwords = {QStringLiteral("4711")};
    char16_t model[260] = u"";
    char16_t password[13] = {};
    ASSERT_EQ(code(AbifDevice_CertificationPassword(model, 0x1F, password)), code(ABIF_OK));
    ASSERT_EQ(code(read(data.get(), password)), code(ABIF_OK));
    EXPECT_EQ(test::bookOf(data.get()), test::bookOf(shown()));

    Container changed, result;
    Book edited = test::bookOf(data.get());
    edited.fax.erase(3);
    test::fill(changed.get(), edited);
    EXPECT_EQ(code(update(data.get(), changed.get(), result.get(), 0x28, u"1234")), code(ABIF_E_PASSWORD));
    EXPECT_EQ(code(update(data.get(), changed.get(), result.get(), 0x28, password)), code(ABIF_OK));
    EXPECT_EQ(test::bookOf(shown()), edited);
}

TEST_F(DeviceOperations, busyMachineIsWaitedForUntilItIsFree) {
    panel({"busy", "on"});
    std::atomic<bool> freed = false;
    std::thread panelUser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        freed = true;
        panel({"busy", "off"});
    });
    Container data;
    const int32_t result = read(data.get());
    panelUser.join();
    EXPECT_EQ(code(result), code(ABIF_OK));
    EXPECT_TRUE(freed);
    EXPECT_EQ(test::bookOf(data.get()), test::bookOf(shown()));
}

TEST_F(DeviceOperations, busyMachineWithoutAWindowEndsWithTheBusyCodeOnceTheWaitLimitIsOver) {
    // The production limit is a minute; the rule is the same for a shorter one.
    constexpr std::chrono::milliseconds limit{1500};
    abif::setBusyWaitWithoutWindowMs(limit.count());
    const auto restore = qScopeGuard([] { abif::setBusyWaitWithoutWindowMs(abif::kBusyWaitWithoutWindowMs); });
    panel({"busy", "on"});
    Container data;
    const auto started = std::chrono::steady_clock::now();
    std::future<int32_t> reading = std::async(std::launch::async, [&] { return read(data.get()); });
    if (reading.wait_for(limit + std::chrono::seconds(1)) != std::future_status::ready) {
        panel({"busy", "off"});  // lets the read end, so that the failure is reported
        ADD_FAILURE() << "the read was still waiting a second after the limit";
    }
    EXPECT_EQ(code(reading.get()), code(ABIF_E_BUSY_LIBRARY));
    EXPECT_GE(std::chrono::steady_clock::now() - started, limit);
    EXPECT_EQ(ABIFData_GetCount_Fax(data.get()), 0);
    EXPECT_TRUE(panel({"show"}).contains("lock: free"));
}

// What a prompt on the worker's path may throw: the worker must still end
// with an error code, never with success.
struct Thrown {
    const char *name;
    void (*raise)();
};
void PrintTo(const Thrown &t, std::ostream *out) { *out << t.name; }

class ThrowingPrompt final : public abif::LibraryUi {
public:
    explicit ThrowingPrompt(void (*raise)()) : raise_(raise) { abif::setLibraryUi(this); }
    ~ThrowingPrompt() override { abif::setLibraryUi(nullptr); }
    abif::MessageAnswer message(const QString &, abif::MessageButtons, abif::MessageIcon) override {
        raise_();
        return abif::MessageAnswer::Ok;
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &) override {}

private:
    void (*raise_)();
};

class WorkerMeetsAnException : public DeviceOperations, public ::testing::WithParamInterface<Thrown> {};

TEST_P(WorkerMeetsAnException, endsWithTheMemoryCodeAndTheMachineUntouched) {
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"fax", "remove", "2"});
    const Book atMachine = test::bookOf(shown());
    Book edited = test::bookOf(base.get());
    edited.fax[1].name = QStringLiteral("Renamed");
    test::fill(changed.get(), edited);

    ThrowingPrompt ui(GetParam().raise);
    EXPECT_EQ(code(update(base.get(), changed.get(), result.get(), 0x28)), code(ABIF_E_MEMORY));
    EXPECT_EQ(ABIFData_GetCount_Fax(result.get()), 0);
    EXPECT_EQ(test::bookOf(shown()), atMachine);
    EXPECT_TRUE(panel({"show"}).contains("lock: free"));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WorkerMeetsAnException,
    ::testing::Values(Thrown{"standardException", [] { throw std::runtime_error("prompt failed"); }},
                      Thrown{"plainValue", [] { throw 42; }},
                      Thrown{"otherClass", [] { throw std::string("not a std::exception"); }}),
    [](const auto &info) { return std::string(info.param.name); });

// A machine condition that makes every operation fail, and the code it gives.
struct Refusal {
    const char *name;
    QStringList panelCommand;
    int32_t flags;
    int32_t result;
};
void PrintTo(const Refusal &r, std::ostream *out) { *out << r.name; }

class MachineRefuses : public DeviceOperations, public ::testing::WithParamInterface<Refusal> {};

TEST_P(MachineRefuses, withItsCodeAndLeavesTheMachineAsItWas) {
    const Refusal &r = GetParam();
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    test::fill(changed.get(), {{{1, {"Only Entry", "1"}}}, {}, {}, {}});
    panel(r.panelCommand);
    const qvs::MachineState before = shown();

    EXPECT_EQ(code(read(base.get(), u"", r.flags | 8)), code(r.result));
    EXPECT_EQ(ABIFData_GetCount_Fax(base.get()), 0);
    EXPECT_EQ(code(update(base.get(), changed.get(), result.get(), r.flags | 8)), code(r.result));
    EXPECT_EQ(shown(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, MachineRefuses,
    ::testing::Values(Refusal{"busyAndNoWaiting", {"busy", "on"}, 0x0800, ABIF_E_BUSY_LIBRARY},
                      Refusal{"busyStatusAndNoWaiting", {"fault", "status", "0x83"}, 0x0800, ABIF_E_BUSY},
                      Refusal{"busyStatusIsNotWaitedFor", {"fault", "status", "0x83"}, 0, ABIF_E_BUSY},
                      Refusal{"busyWithAJob", {"fault", "status", "0x87", "1", "2"}, 0, ABIF_E_BUSY},
                      Refusal{"checksumRefused", {"fault", "status", "0x86"}, 0, ABIF_E_CHECKSUM},
                      Refusal{"otherStatus", {"fault", "status", "0x85", "1", "2"}, 0, 0x22020185},
                      Refusal{"malformedResponse", {"fault", "malformed"}, 0, ABIF_E_RESPONSE},
                      Refusal{"poweredOff", {"power", "off"}, 0, QVS_STI_E_NOT_READY}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DeviceOperations, anotherProgramHoldingTheMachineIsBusyWhenWaitingIsNotAllowed) {
    QProcess holder;
    holder.start(QStringLiteral(QVS_TEST_MACHINE), {QStringLiteral("--dir"), folder.path(), QStringLiteral("hold")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_EQ(code(status(0x0800)), code(ABIF_E_BUSY_LIBRARY));
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(code(status(0x0800)), code(ABIF_STATUS_READ | 1));
}

TEST_F(DeviceOperations, statusOfAPoweredOffMachineFailsOutsideTheStatusRange) {
    panel({"status", "0xAB000083"});
    EXPECT_EQ(code(status()), code(0x21000083));  // a status read is never taken for busy
    panel({"power", "off"});
    const uint32_t result = static_cast<uint32_t>(status());
    EXPECT_NE(result & 0xFF000000u, static_cast<uint32_t>(ABIF_STATUS_READ)) << code(static_cast<int32_t>(result));
}

TEST_F(DeviceOperations, delayedStartSlotIsKeptAndTheWriteEndsWithAWarning) {
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"delayed", "3"});
    Book edited = test::bookOf(base.get());
    edited.fax[3].number = QStringLiteral("000");
    edited.fax[4].number = QStringLiteral("444");
    test::fill(changed.get(), edited);

    EXPECT_EQ(code(update(base.get(), changed.get(), result.get())), code(ABIF_W_PARTIAL_WRITE));
    const Book readBack = test::bookOf(result.get());
    EXPECT_EQ(readBack, test::bookOf(shown()));
    EXPECT_EQ(readBack.fax.at(3), test::bookOf(base.get()).fax.at(3));
    EXPECT_EQ(readBack.fax.at(4).number, QStringLiteral("444"));
}

TEST_F(DeviceOperations, machineWithoutFaxSlotsReadsEmptyAndUpdatesNothing) {
    panel({"reset"});
    panel({"capacity", "0", "6"});
    Container data, changed, result;
    test::fill(data.get(), {{{7, {"stale", "1"}}}, {}, {}, {}});
    EXPECT_EQ(code(read(data.get())), code(ABIF_E_NO_FAX_SLOTS));
    EXPECT_EQ(ABIFData_GetCount_Fax(data.get()), 0);

    test::fill(changed.get(), {{}, {{1, {"Empty Group", {}}}}, {}, {}});
    const qvs::MachineState before = shown();
    EXPECT_EQ(code(update(data.get(), changed.get(), result.get())), code(ABIF_OK));
    EXPECT_EQ(shown(), before);
}

TEST_F(DeviceOperations, refusesBadArgumentsBeforeTouchingTheMachine) {
    Container data;
    CAbifData *deleted = ABIFData_Create();
    ABIFData_Delete(deleted);
    int32_t foreign[64] = {};
    CAbifData *badHandles[] = {nullptr, deleted, reinterpret_cast<CAbifData *>(foreign)};
    char16_t model[260] = u"";
    char16_t password[13] = {};
    for (CAbifData *bad : badHandles) {
        EXPECT_EQ(code(AbifDevice_ReadData(model, bad, 8, u"")), code(ABIF_E_HANDLE));
        EXPECT_EQ(code(AbifDevice_UpdateData(model, bad, data.get(), data.get(), 0x28, u"")), code(ABIF_E_HANDLE));
        EXPECT_EQ(code(AbifDevice_UpdateData(model, data.get(), bad, data.get(), 0x28, u"")), code(ABIF_E_HANDLE));
        EXPECT_EQ(code(AbifDevice_UpdateData(model, data.get(), data.get(), bad, 0x28, u"")), code(ABIF_E_HANDLE));
        // The handle is checked before the model name.
        EXPECT_EQ(code(AbifDevice_ReadData(nullptr, bad, 8, u"")), code(ABIF_E_HANDLE));
    }
    EXPECT_EQ(code(AbifDevice_GetStatus(nullptr, 0)), code(ABIF_E_NULL));
    EXPECT_EQ(code(AbifDevice_CertificationPassword(nullptr, 0x1F, password)), code(ABIF_E_NULL));
    EXPECT_EQ(code(AbifDevice_CertificationPassword(model, 0x1F, nullptr)), code(ABIF_E_NULL));
    EXPECT_EQ(code(AbifDevice_ReadData(nullptr, data.get(), 8, u"")), code(ABIF_E_NULL));
    EXPECT_EQ(code(AbifDevice_UpdateData(nullptr, data.get(), data.get(), data.get(), 0x28, u"")), code(ABIF_E_NULL));
    // Certification not asked for needs no password buffer.
    EXPECT_EQ(code(AbifDevice_CertificationPassword(model, 0, nullptr)), code(ABIF_OK));
    EXPECT_EQ(code(AbifDevice_ReadData(model, data.get(), 8, nullptr)), code(ABIF_OK));
}

TEST_F(DeviceOperations, aGivenModelNameIsKeptAndAChosenDestinationIsOpenedInstead) {
    char16_t model[260] = u"Another Model";
    EXPECT_EQ(code(AbifDevice_GetStatus(model, 0)), code(ABIF_STATUS_READ | 1));
    EXPECT_EQ(std::u16string(model), u"Another Model");
    // The stand-in refuses to open a device without a name.
    AbifDevice_SetDestinationDevice(nullptr, 1, u"");
    EXPECT_EQ(code(AbifDevice_GetStatus(model, 0)), code(QVS_STI_E_ARGUMENT));
    AbifDevice_SetDestinationDevice(nullptr, 1, u"usb:001");
    EXPECT_EQ(code(AbifDevice_GetStatus(model, 0)), code(ABIF_STATUS_READ | 1));
}

TEST_F(DeviceOperations, missingStillImageLibraryIsReportedByEveryOperation) {
    qputenv("QVS_STILIB", QFile::encodeName(folder.filePath(QStringLiteral("missing.so"))));
    Container data;
    char16_t model[260] = u"";
    char16_t password[13] = u"4711";
    EXPECT_EQ(code(status()), code(ABIF_E_NO_STILIB));
    EXPECT_EQ(code(read(data.get())), code(ABIF_E_NO_STILIB));
    EXPECT_EQ(code(update(data.get(), data.get(), data.get())), code(ABIF_E_NO_STILIB));
    EXPECT_EQ(code(AbifDevice_CertificationPassword(model, 0x1F, password)), code(ABIF_E_NO_STILIB));
}

}  // namespace

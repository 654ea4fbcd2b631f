// Device operations against the machine stand-in, called through the C
// exports: a machine folder per test, the front panel program to change and
// show the machine, and the machine's book as the library returns it.
#pragma once

#include "abiflink.h"
#include "core/library_ui.h"
#include "core/record_text.h"
#include "devctrl/machine_fixture.h"

#include <QProcess>

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

namespace test {

// A container made and freed through the exports.
class Container {
public:
    Container() : handle_(ABIFData_Create()) {}
    ~Container() { ABIFData_Delete(handle_); }
    Container(const Container &) = delete;
    Container &operator=(const Container &) = delete;
    [[nodiscard]] CAbifData *get() const { return handle_; }

private:
    CAbifData *handle_;
};

// A fax book as the machine and the library both can show it.
struct Book {
    std::map<uint16_t, qvs::FaxSlot> fax;
    std::map<uint16_t, qvs::GroupSlot> groups;
    // IDs in the container's order, to see that it is sorted.
    std::vector<uint16_t> faxOrder, groupOrder;
    friend bool operator==(const Book &a, const Book &b) { return a.fax == b.fax && a.groups == b.groups; }
};

inline Book bookOf(CAbifData *data) {
    Book book;
    for (int32_t i = 0; i < ABIFData_GetCount_Fax(data); ++i) {
        CAbifFaxData r{};
        ABIFData_GetAt_Fax(data, i, &r);
        book.fax[r.id] = {abif::readQString(r.name, sizeof r.name), abif::readQString(r.faxNumber, sizeof r.faxNumber)};
        book.faxOrder.push_back(r.id);
    }
    for (int32_t i = 0; i < ABIFData_GetCount_FaxGroup(data); ++i) {
        CAbifFaxGroupData r{};
        ABIFData_GetAt_FaxGroup(data, i, &r);
        qvs::GroupSlot group{abif::readQString(r.name, sizeof r.name), {}};
        for (uint16_t m = 0; m < r.memberCount && m < 99; ++m) group.members.push_back(r.members[m]);
        book.groups[r.id] = group;
        book.groupOrder.push_back(r.id);
    }
    return book;
}

inline Book bookOf(const qvs::MachineState &state) { return {state.fax, state.groups, {}, {}}; }

// Fills `data` with `book` through the exports, in the map's order.
inline void fill(CAbifData *data, const Book &book) {
    for (const auto &[id, slot] : book.fax) {
        CAbifFaxData r{};
        r.id = id;
        abif::writeText(r.name, sizeof r.name, slot.name);
        abif::writeText(r.faxNumber, sizeof r.faxNumber, slot.number);
        ABIFData_Add_Fax(data, 1, &r);
    }
    for (const auto &[id, group] : book.groups) {
        CAbifFaxGroupData r{};
        r.id = id;
        abif::writeText(r.name, sizeof r.name, group.name);
        r.memberCount = static_cast<uint16_t>(group.members.size());
        std::copy(group.members.begin(), group.members.end(), r.members);
        ABIFData_Add_FaxGroup(data, 1, &r);
    }
}

inline void PrintTo(const Book &book, std::ostream *out) {
    for (const auto &[id, slot] : book.fax)
        *out << "\n  fax " << id << ' ' << slot.name.toStdString() << " / " << slot.number.toStdString();
    for (const auto &[id, group] : book.groups) {
        *out << "\n  group " << id << ' ' << group.name.toStdString() << ':';
        for (uint16_t m : group.members) *out << ' ' << m;
    }
}

// Answers the library's prompts from a script and records what was asked.
class PromptScript final : public abif::LibraryUi {
public:
    PromptScript() { abif::setLibraryUi(this); }
    ~PromptScript() override { abif::setLibraryUi(nullptr); }

    abif::MessageAnswer message(const QString &text, abif::MessageButtons buttons, abif::MessageIcon) override {
        messages.push_back(text);
        if (buttons == abif::MessageButtons::Ok || answers.empty()) return abif::declinedAnswer(buttons);
        const abif::MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &) override {}
    std::optional<QString> askPassword(abif::PasswordKind kind) override {
        kinds.push_back(kind);
        if (passwords.empty()) return std::nullopt;
        const QString password = passwords.front();
        passwords.pop_front();
        return password;
    }

    std::deque<abif::MessageAnswer> answers;
    std::deque<QString> passwords;  // an empty deque cancels the prompt
    std::vector<QString> messages;
    std::vector<abif::PasswordKind> kinds;
};

class DeviceTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        AbifDevice_SetDestinationDevice(nullptr, 0, nullptr);
        panel({QStringLiteral("demo")});
    }

    // Runs the machine's front panel program on this test's machine.
    QByteArray panel(const QStringList &args) {
        QProcess program;
        program.start(QStringLiteral(QVS_TEST_MACHINE), QStringList{QStringLiteral("--dir"), folder.path()} + args);
        EXPECT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        return program.readAllStandardOutput();
    }

    // The machine as its front panel shows it.
    qvs::MachineState shown() {
        QString error;
        const QByteArray json = panel({QStringLiteral("show"), QStringLiteral("--json")});
        const std::optional<qvs::MachineState> state = qvs::fromJson(json, error);
        EXPECT_TRUE(state) << error.toStdString();
        return state.value_or(qvs::MachineState{});
    }

    static int32_t read(CAbifData *data, const char16_t *password = u"", int32_t flags = 8) {
        char16_t model[kModelUnits] = u"";
        return AbifDevice_ReadData(model, data, flags, password);
    }
    static int32_t update(CAbifData *base, CAbifData *changed, CAbifData *result, int32_t flags = 0x28,
                          const char16_t *password = u"") {
        char16_t model[kModelUnits] = u"";
        return AbifDevice_UpdateData(model, base, changed, result, flags, password);
    }
    static int32_t status(int32_t flags = 0) {
        char16_t model[kModelUnits] = u"";
        return AbifDevice_GetStatus(model, flags);
    }

    static constexpr int kModelUnits = 260;
};

}  // namespace test

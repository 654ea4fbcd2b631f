// The machine stand-in as the still-image library: its commands, and blocks
// it must refuse without changing anything or reading past their end.
#include "abiflink.h"
#include "device/pab_data.h"
#include "device/pab_layout.h"
#include "device/sti_lib.h"
#include "machine_fixture.h"
#include "support/records.h"

#include <QtEndian>

#include <cstring>
#include <thread>

namespace {

using test::code;
namespace pab = abif::pab;

struct Answer {
    int32_t result = 0;
    uint8_t status = 0;
};

class StandIn : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        arrange([](qvs::MachineState &s) { s = qvs::demoMachine(); });
        ASSERT_EQ(code(sti.Command(QVS_STI_OPEN, name)), code(0));
    }

    // Sends `block` as it is, without a response.
    Answer send(std::vector<uint8_t> block) {
        QvsStiCommandRecord record{};
        record.bytes[QVS_STI_AT_CODE] = QVS_STI_SEND_ONLY;
        qToBigEndian<uint32_t>(static_cast<uint32_t>(block.size()), record.bytes + QVS_STI_AT_LENGTH);
        const uint32_t mode = QVS_STI_MODE_SEND_ONLY;
        const uint64_t address = reinterpret_cast<uintptr_t>(block.data());
        std::memcpy(record.bytes + QVS_STI_AT_MODE, &mode, sizeof mode);
        std::memcpy(record.bytes + QVS_STI_AT_SEND_ADDRESS, &address, sizeof address);
        const int32_t result = sti.Command(QVS_STI_TRANSFER, &record);
        return {result, record.bytes[QVS_STI_AT_STATUS]};
    }

    CStiLib sti;
    char name[26] = "QV Quillabrex K7710/K7910";
};

// A long header without password or checksum.
std::vector<uint8_t> header(uint16_t sections) {
    abif::CPabData block;
    EXPECT_EQ(block.MakePABHeader1(sections, pab::requestParameter, u""), ABIF_OK);
    return block.bytes();
}

void appendU16(std::vector<uint8_t> &out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void appendSection(std::vector<uint8_t> &out, uint8_t kind, uint8_t type, uint16_t count) {
    out.insert(out.end(), {kind, type, 0, 0});
    appendU16(out, count);
}

void appendGroup(std::vector<uint8_t> &out, uint16_t id, const std::vector<uint16_t> &members) {
    appendU16(out, id);
    out.resize(out.size() + pab::nameFieldSize, 'G');
    out.back() = 0;
    appendU16(out, static_cast<uint16_t>(members.size()));
    for (uint16_t m : members) appendU16(out, m);
}

TEST_F(StandIn, refusesCommandsItCannotCarryOut) {
    CStiLib other;
    QvsStiStatusRecord status{};
    status.size = sizeof status;
    status.version = QVS_STI_STATUS_RECORD_VERSION;
    std::thread([&] {
        EXPECT_EQ(code(other.Command(QVS_STI_LOCK, nullptr)), code(QVS_STI_E_NOT_OPEN));
        EXPECT_EQ(code(other.GetStatus(status)), code(QVS_STI_E_NOT_OPEN));
        EXPECT_EQ(code(other.Command(QVS_STI_CLOSE, nullptr)), code(QVS_STI_E_NOT_OPEN));
        EXPECT_EQ(code(other.Command(QVS_STI_OPEN, nullptr)), code(QVS_STI_E_ARGUMENT));
    }).join();
    EXPECT_EQ(code(sti.Command(5, nullptr)), code(QVS_STI_E_ARGUMENT));
    EXPECT_EQ(code(sti.Command(QVS_STI_TRANSFER, nullptr)), code(QVS_STI_E_ARGUMENT));
    QvsStiCommandRecord empty{};
    EXPECT_EQ(code(sti.Command(QVS_STI_TRANSFER, &empty)), code(QVS_STI_E_ARGUMENT));
    status.size = 20;
    EXPECT_EQ(code(sti.GetStatus(status)), code(QVS_STI_E_ARGUMENT));
}

TEST_F(StandIn, everyTruncationOfAnUpdateIsRefusedAndChangesNothing) {
    CAbifData data;
    const CAbifFaxData faxes[] = {test::fax(1, u"Kept"), test::fax(7, u"Seven")};
    const CAbifFaxGroupData groups[] = {test::faxGroup(2, u"Pair", {1, 7})};
    data.array<CAbifFaxData>().append(faxes);
    data.array<CAbifFaxGroupData>().append(groups);
    abif::CPabData update;
    ASSERT_EQ(update.makeUpdateRequest({99, 6}, data, u""), ABIF_OK);
    const std::vector<uint8_t> &whole = update.bytes();

    const qvs::MachineState before = machine();
    for (size_t length = 1; length < whole.size(); ++length) {
        const Answer answer = send({whole.begin(), whole.begin() + static_cast<ptrdiff_t>(length)});
        ASSERT_EQ(code(answer.result), code(0)) << length;
        ASSERT_EQ(answer.status, QVS_STI_STATUS_MALFORMED) << length;
    }
    EXPECT_EQ(machine(), before);
    EXPECT_EQ(send(whole).status, QVS_STI_STATUS_OK);
    EXPECT_EQ(machine().fax.size(), 2u);
}

struct BadBlock {
    const char *name;
    std::function<std::vector<uint8_t>()> make;
    uint8_t status;
};

void PrintTo(const BadBlock &block, std::ostream *out) { *out << block.name; }

class StandInRefuses : public StandIn, public ::testing::WithParamInterface<BadBlock> {};

TEST_P(StandInRefuses, blockAndKeepsTheMachineAsItWas) {
    const qvs::MachineState before = machine();
    const Answer answer = send(GetParam().make());
    EXPECT_EQ(code(answer.result), code(0));
    EXPECT_EQ(answer.status, GetParam().status);
    EXPECT_EQ(machine(), before);
}

std::vector<uint8_t> oneSection(uint8_t kind, uint8_t type, const std::vector<uint16_t> &ids) {
    std::vector<uint8_t> block = header(1);
    appendSection(block, kind, type, static_cast<uint16_t>(ids.size()));
    for (uint16_t id : ids) appendU16(block, id);
    return block;
}

std::vector<uint8_t> oneGroup(const std::vector<uint16_t> &members) {
    std::vector<uint8_t> block = header(1);
    appendSection(block, pab::RecordsSection, pab::GroupRecord, 1);
    appendGroup(block, 1, members);
    return block;
}

std::vector<uint16_t> members(uint16_t count) {
    std::vector<uint16_t> ids(count);
    for (uint16_t i = 0; i < count; ++i) ids[i] = static_cast<uint16_t>(i + 1);
    return ids;
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, StandInRefuses,
    ::testing::Values(
        BadBlock{"unknownSectionKind", [] { return oneSection(7, pab::FaxRecord, {1}); }, QVS_STI_STATUS_MALFORMED},
        BadBlock{"unknownRecordType", [] { return oneSection(pab::DeleteListSection, 5, {1}); }, QVS_STI_STATUS_MALFORMED},
        BadBlock{"deleteSlotZero", [] { return oneSection(pab::DeleteListSection, pab::FaxRecord, {2, 0}); },
                 QVS_STI_STATUS_MALFORMED},
        BadBlock{"deleteSlotAboveCapacity",
                 [] { return oneSection(pab::DeleteListSection, pab::GroupRecord, {1, 7}); }, QVS_STI_STATUS_MALFORMED},
        BadBlock{"groupOfAHundredMembers", [] { return oneGroup(members(100)); }, QVS_STI_STATUS_MALFORMED},
        BadBlock{"groupListingAMemberTwice", [] { return oneGroup({3, 4, 3}); }, QVS_STI_STATUS_MALFORMED},
        BadBlock{"moreSectionsThanTheBlockHolds",
                 [] {
                     std::vector<uint8_t> block = oneSection(pab::DeleteListSection, pab::FaxRecord, {1});
                     block[1] = 2;
                     return block;
                 },
                 QVS_STI_STATUS_MALFORMED},
        BadBlock{"wrongChecksum",
                 [] {
                     std::vector<uint8_t> block = oneSection(pab::DeleteListSection, pab::FaxRecord, {1});
                     block[pab::headerChecksumFlag] = 1;
                     return block;
                 },
                 QVS_STI_STATUS_CHECKSUM}),
    [](const ::testing::TestParamInfo<BadBlock> &info) { return std::string(info.param.name); });

// A block with the short header: no password, and 88-byte speed dial records.
std::vector<uint8_t> shortUpdate() {
    std::vector<uint8_t> block{0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    appendSection(block, pab::RecordsSection, pab::FaxRecord, 1);
    appendU16(block, 20);
    const std::string name = "Short Form";
    const std::string number = "555 0120";
    block.insert(block.end(), name.begin(), name.end());
    block.resize(block.size() + pab::nameFieldSize - name.size(), 0);
    block.insert(block.end(), number.begin(), number.end());
    block.resize(block.size() + pab::numberFieldSize - number.size() + 1, 0);
    return block;
}

TEST_F(StandIn, acceptsShortHeaderUnlessAPasswordIsSet) {
    ASSERT_EQ(shortUpdate().size(), pab::shortHeaderSize + pab::sectionHeaderSize + pab::shortFaxRecordSize);
    arrange([](qvs::MachineState &s) { s.password = QStringLiteral("2468"); });
    EXPECT_EQ(send(shortUpdate()).status, QVS_STI_STATUS_PASSWORD);
    EXPECT_FALSE(machine().fax.contains(20));

    arrange([](qvs::MachineState &s) { s.password.clear(); });
    EXPECT_EQ(send(shortUpdate()).status, QVS_STI_STATUS_OK);
    EXPECT_EQ(machine().fax.at(20), (qvs::FaxSlot{"Short Form", "555 0120"}));
}

}  // namespace

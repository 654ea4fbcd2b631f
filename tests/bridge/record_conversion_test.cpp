// Entries to library records and back, through real containers.
#include "abiflink.h"
#include "core/record_text.h"
#include "document/adr_io_result.h"
#include "document/record_conversion.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <memory>

namespace {

struct ContainerFree {
    void operator()(CAbifData *c) const { ABIFData_Delete(c); }
};
using Container = std::unique_ptr<CAbifData, ContainerFree>;
Container newContainer() { return Container(ABIFData_Create()); }

CAdrData everyKind() {
    CAdrData data;
    CAdrMemberPcFax pc;
    pc.SetID(3);
    pc.SetName(QStringLiteral("Ärztehaus Süd"));
    pc.SetFaxNumber(QStringLiteral("089 555 10"));
    pc.SetCompany(QStringLiteral("Praxis GmbH"));
    pc.SetNote(QStringLiteral("Mornings only"));
    pc.SetCommMode(1);
    pc.SetUpdatedOn(1'700'000'000);
    data.StoreCopy(pc);
    CAdrGroupPcFax pcGroup;
    pcGroup.SetID(7);
    pcGroup.SetName(QStringLiteral("Doctors"));
    pcGroup.SetUpdatedOn(1'700'000'100);
    pcGroup.AddMember(9);
    pcGroup.AddMember(3);
    data.StoreCopy(pcGroup);
    CAdrMemberAioFax fax;
    fax.SetID(5);
    fax.SetName(QStringLiteral("Head Office"));
    fax.SetFaxNumber(QStringLiteral("+44 20 7946 0000"));
    data.StoreCopy(fax);
    CAdrGroupAioFax faxGroup;
    faxGroup.SetID(2);
    faxGroup.SetName(QStringLiteral("Branches"));
    faxGroup.AddMember(5);
    data.StoreCopy(faxGroup);
    CAdrMemberAioEmail mail;
    mail.SetID(4);
    mail.SetName(QStringLiteral("Desk"));
    mail.SetEmailAddress(QStringLiteral("desk@example.org"));
    data.StoreCopy(mail);
    CAdrGroupAioEmail mailGroup;
    mailGroup.SetID(1);
    mailGroup.SetName(QStringLiteral("All"));
    mailGroup.AddMember(4);
    data.StoreCopy(mailGroup);
    CAdrMemberAioServer server;
    server.SetID(2);
    server.SetServerType(CAdrMemberAioServer::kTypeFtp);
    server.SetName(QStringLiteral("Archive"));
    server.SetHostName(QStringLiteral("ftp.example.org"));
    server.SetPortNumber(2121);
    server.SetLoginName(QStringLiteral("scan"));
    server.SetLoginPassword(QStringLiteral("secret"));
    server.SetFolderPath(QStringLiteral("/in"));
    server.SetShareName(QStringLiteral("in"));
    data.StoreCopy(server);
    data.SubComm() = {QStringLiteral("Scan"), QStringLiteral("Attached.")};
    return data;
}

constexpr quint16 kMaxEmailId = CAdrMemberAioEmail::kMaxId;

QString text(const void *field, size_t bytes) { return abif::readQString(field, bytes); }

TEST(RecordConversion, everyKindReachesTheLibraryWithAllItsFields) {
    const CAdrData data = everyKind();
    Container c = newContainer();
    for (auto add : {&AddEntries<CAdrMemberPcFax>, &AddEntries<CAdrGroupPcFax>, &AddEntries<CAdrMemberAioFax>,
                     &AddEntries<CAdrGroupAioFax>, &AddEntries<CAdrMemberAioEmail>, &AddEntries<CAdrGroupAioEmail>,
                     &AddEntries<CAdrMemberAioServer>, &AddSubComm})
        ASSERT_EQ(add(c.get(), data), AdrIoOk);

    CAbifMyFaxGroupData pcGroup{};
    ASSERT_EQ(ABIFData_GetAt_MyFaxGroup(c.get(), 0, &pcGroup), ABIF_OK);
    EXPECT_EQ(int{pcGroup.memberCount}, 2);
    EXPECT_EQ(int{pcGroup.members[0]}, 3);
    EXPECT_EQ(int{pcGroup.members[1]}, 9);
    CAbifEMailData mail{};
    ASSERT_EQ(ABIFData_GetAt_EMail(c.get(), 0, &mail), ABIF_OK);
    EXPECT_EQ(int{mail.id}, 4);
    EXPECT_EQ(text(mail.emailAddress, sizeof mail.emailAddress), QStringLiteral("desk@example.org"));
    CAbifEMailGroupData mailGroup{};
    ASSERT_EQ(ABIFData_GetAt_EMailGroup(c.get(), 0, &mailGroup), ABIF_OK);
    EXPECT_EQ(int{mailGroup.id}, 1);
    EXPECT_EQ(int{mailGroup.memberCount}, 1);
    EXPECT_EQ(int{mailGroup.members[0]}, 4);
    CAbifServerAddressData server{};
    ASSERT_EQ(ABIFData_GetAt_ServerAddress(c.get(), 0, &server), ABIF_OK);
    EXPECT_EQ(int{server.serverType}, 0);
    EXPECT_EQ(int{server.portNumber}, 2121);
    EXPECT_EQ(text(server.hostName, sizeof server.hostName), QStringLiteral("ftp.example.org"));
    EXPECT_EQ(text(server.loginPassword, sizeof server.loginPassword), QStringLiteral("secret"));
    EXPECT_EQ(text(server.shareName, sizeof server.shareName), QStringLiteral("in"));
    CAbifEMailSubjectData subject{};
    CAbifEMailBodyData body{};
    ASSERT_EQ(ABIFData_GetAt_EMailSubject(c.get(), 0, &subject), ABIF_OK);
    ASSERT_EQ(ABIFData_GetAt_EMailBody(c.get(), 0, &body), ABIF_OK);
    EXPECT_EQ(text(subject.subject, sizeof subject.subject), QStringLiteral("Scan"));
    EXPECT_EQ(text(body.body, sizeof body.body), QStringLiteral("Attached."));

    // The kinds the editor reads back return as they went.
    CAdrData back;
    for (auto take : {&TakeRecords<CAdrMemberPcFax>, &TakeRecords<CAdrGroupPcFax>, &TakeRecords<CAdrMemberAioFax>,
                      &TakeRecords<CAdrGroupAioFax>})
        ASSERT_EQ(take(c.get(), back), AdrIoOk);
    const CAdrEquality equal = back.EqualPerKind(data);
    EXPECT_TRUE(equal.pcFax);
    EXPECT_TRUE(equal.aioFax);
    EXPECT_EQ(back.Map<CAdrMemberPcFax>().Lookup(3)->GetUpdatedOn(), 1'700'000'000);
    EXPECT_EQ(back.Map<CAdrGroupPcFax>().Lookup(7)->GetUpdatedOn(), 1'700'000'100);
    EXPECT_EQ(back.Map<CAdrMemberPcFax>().Lookup(3)->GetCommMode(), 1);
}

TEST(RecordConversion, recordsAreAddedInAscendingIdOrderAndEmptyKindsAddNothing) {
    CAdrData data;
    for (quint16 id : {40, 2, 99, 17}) {
        CAdrMemberAioFax fax;
        fax.SetID(id);
        data.StoreCopy(fax);
    }
    Container c = newContainer();
    ASSERT_EQ(AddEntries<CAdrMemberAioFax>(c.get(), data), AdrIoOk);
    ASSERT_EQ(AddEntries<CAdrGroupAioFax>(c.get(), data), AdrIoOk);
    std::vector<uint16_t> ids;
    for (int32_t i = 0; i < ABIFData_GetCount_Fax(c.get()); ++i) {
        CAbifFaxData r{};
        ABIFData_GetAt_Fax(c.get(), i, &r);
        ids.push_back(uint16_t{r.id});
    }
    EXPECT_EQ(ids, (std::vector<uint16_t>{2, 17, 40, 99}));
    EXPECT_EQ(ABIFData_GetCount_FaxGroup(c.get()), 0);
}

TEST(RecordConversion, textsAreCutToTheirFieldsWithoutSplittingACharacter) {
    struct Case {
        QString name;
        QString expected;
    };
    const QString emoji = QStringLiteral("\U0001F4E0");  // two UTF-16 units
    const Case cases[] = {
        {QString(40, QLatin1Char('x')), QString(32, QLatin1Char('x'))},
        {QString(32, QLatin1Char('y')), QString(32, QLatin1Char('y'))},
        {QString(31, QLatin1Char('z')) + emoji, QString(31, QLatin1Char('z'))},
        {QString(30, QLatin1Char('w')) + emoji + QStringLiteral("tail"), QString(30, QLatin1Char('w')) + emoji},
    };
    for (const Case &c : cases) {
        CAdrData data;
        CAdrMemberAioFax fax;
        fax.SetID(1);
        fax.SetName(c.name);
        data.StoreCopy(fax);
        Container container = newContainer();
        ASSERT_EQ(AddEntries<CAdrMemberAioFax>(container.get(), data), AdrIoOk);
        CAbifFaxData r{};
        ASSERT_EQ(ABIFData_GetAt_Fax(container.get(), 0, &r), ABIF_OK);
        EXPECT_EQ(text(r.name, sizeof r.name), c.expected) << c.name.size();
    }
}

TEST(RecordConversion, aRecordThatIsNoValidEntryStopsTheReadAndKeepsTheEntriesBeforeIt) {
    struct Case {
        const char *name;
        std::vector<CAbifFaxGroupData> groups;
        std::vector<quint16> kept;
    };
    CAbifFaxGroupData good{};
    good.id = 1;
    good.memberCount = 1;
    good.members[0] = 5;
    CAbifFaxGroupData badId = good;
    badId.id = 7;
    CAbifFaxGroupData badMember = good;
    badMember.id = 2;
    badMember.members[0] = 100;
    CAbifFaxGroupData last = good;
    last.id = 3;
    const Case cases[] = {
        {"idOutOfRange", {good, badId, last}, {1}},
        {"memberOutOfRange", {good, badMember, last}, {1}},
    };
    for (const Case &c : cases) {
        Container container = newContainer();
        ASSERT_EQ(ABIFData_Add_FaxGroup(container.get(), static_cast<int32_t>(c.groups.size()), c.groups.data()),
                  ABIF_OK);
        CAdrData data;
        EXPECT_EQ(TakeRecords<CAdrGroupAioFax>(container.get(), data), AdrIoConversionFailed) << c.name;
        std::vector<quint16> kept;
        data.Map<CAdrGroupAioFax>().ForEach([&](const CAdrGroupAioFax &g) { kept.push_back(g.GetID()); });
        EXPECT_EQ(kept, c.kept) << c.name;
    }
}

TEST(RecordConversion, aMemberCountPastTheRecordsArrayReadsOnlyTheArray) {
    CAbifMyFaxGroupData group{};
    group.id = 4;
    group.memberCount = 0xFFFF;
    for (uint16_t i = 0; i < 30; ++i) group.members[i] = static_cast<uint16_t>(i + 1);
    Container container = newContainer();
    ASSERT_EQ(ABIFData_Add_MyFaxGroup(container.get(), 1, &group), ABIF_OK);
    CAdrData data;
    ASSERT_EQ(TakeRecords<CAdrGroupPcFax>(container.get(), data), AdrIoOk);
    EXPECT_EQ(data.Map<CAdrGroupPcFax>().Lookup(4)->CountMembers(), 30);
}

// Imported records: their own IDs are ignored, each takes the next free one;
// a full kind stops with the entries before it kept.
TEST(RecordConversion, importedRecordsTakeFreeIdsUntilTheKindIsFull) {
    CAbifEMailData records[3]{};
    for (int i = 0; i < 3; ++i) {
        records[i].id = 7;
        abif::writeText(records[i].emailAddress, sizeof records[i].emailAddress,
                        QStringLiteral("m%1@example.org").arg(i));
    }
    Container container = newContainer();
    ASSERT_EQ(ABIFData_Add_EMail(container.get(), 3, records), ABIF_OK);
    const struct {
        AdrIdMode mode;
        std::vector<quint16> taken;  // besides the IDs stored before
        quint16 result;
    } cases[] = {
        {AdrIdFirstGap, {1, 3, 4}, AdrIoOk},
        {AdrIdAfterLast, {kMaxEmailId - 1, kMaxEmailId}, AdrIoNoFreeId},
    };
    for (const auto &c : cases) {
        CAdrData data;
        for (quint16 id : {quint16(2), quint16(kMaxEmailId - 2)}) {
            CAdrMemberAioEmail kept;
            kept.SetID(id);
            data.StoreCopy(kept);
        }
        EXPECT_EQ(TakeRecordsAsNew<CAdrMemberAioEmail>(container.get(), data, c.mode), c.result) << c.mode;
        std::vector<quint16> taken;
        data.Map<CAdrMemberAioEmail>().ForEach([&](const CAdrMemberAioEmail &e) {
            if (!e.GetEmailAddress().isEmpty()) taken.push_back(e.GetID());
        });
        EXPECT_EQ(taken, c.taken) << c.mode;
    }
}

TEST(RecordConversion, aPcFaxMemberImportedIsStampedAsUpdatedNow) {
    CAbifMyFaxData record{};
    record.id = 40;
    record.updatedOn = 5;
    abif::writeText(record.name, sizeof record.name, QStringLiteral("Ann"));
    Container container = newContainer();
    ASSERT_EQ(ABIFData_Add_MyFax(container.get(), 1, &record), ABIF_OK);
    CAdrData data;
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    ASSERT_EQ(TakeRecordsAsNew<CAdrMemberPcFax>(container.get(), data, AdrIdFirstGap), AdrIoOk);
    const CAdrMemberPcFax *member = data.Map<CAdrMemberPcFax>().Lookup(1);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->GetName(), QStringLiteral("Ann"));
    EXPECT_GE(member->GetUpdatedOn(), before);
}

TEST(RecordConversion, libraryCodesMapToEditorCodes) {
    const std::pair<qint32, quint16> cases[] = {
        {0, AdrIoOk},
        {0x20000004, AdrIoCancelled},
        {0x2000000E, AdrIoDriverBusy},
        {0x2000000F, AdrIoMachineBusy},
        {0x20000011, AdrIoChecksumFailed},
        {0x20000012, AdrIoPartlyWritten},
        {0x20000003, AdrIoPasswordFailed},
        {0x20000015, AdrIoNoFaxSlots},
        {0x20000016, AdrIoSecondPartMissing},
        {0x20000014, AdrIoMachineRefused},
        {0x20000008, AdrIoReadFailed},
        {2, AdrIoReadFailed},  // a system error number
    };
    for (const auto &[library, editor] : cases) EXPECT_EQ(AdrIoResultOf(library, AdrIoReadFailed), editor) << library;
}

}  // namespace

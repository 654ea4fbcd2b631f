// The record container as callers see it: through the C exports.
#include "support/records.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Container {
    CAbifData *handle = ABIFData_Create();
    ~Container() { ABIFData_Delete(handle); }
};

std::vector<CAbifFaxData> faxes(int n) {
    std::vector<CAbifFaxData> records;
    for (int i = 1; i <= n; ++i) records.push_back(test::fax(static_cast<uint16_t>(i), u"Name"));
    return records;
}

TEST(ContainerExports, addStopsAtTheDefaultLimitKeepingEarlierRecords) {
    Container c;
    const auto records = faxes(100);
    EXPECT_EQ(ABIFData_Add_Fax(c.handle, 100, records.data()), ABIF_E_LIMIT);
    EXPECT_EQ(ABIFData_GetCount_Fax(c.handle), 99);
    CAbifFaxData last{};
    ASSERT_EQ(ABIFData_GetAt_Fax(c.handle, 98, &last), ABIF_OK);
    EXPECT_EQ(last.id, 99);
}

TEST(ContainerExports, negativeLimitMeansUnlimitedAndZeroRefusesAll) {
    Container c;
    std::vector<CAbifEMailData> mails(1000);
    EXPECT_EQ(ABIFData_SetLimit_EMail(c.handle, -1), ABIF_OK);
    EXPECT_EQ(ABIFData_Add_EMail(c.handle, 1000, mails.data()), ABIF_OK);
    EXPECT_EQ(ABIFData_GetCount_EMail(c.handle), 1000);

    const CAbifMyFaxData member = test::myFax(1, u"A");
    EXPECT_EQ(ABIFData_SetLimit_MyFax(c.handle, 0), ABIF_OK);
    EXPECT_EQ(ABIFData_Add_MyFax(c.handle, 1, &member), ABIF_E_LIMIT);
    EXPECT_EQ(ABIFData_GetCount_MyFax(c.handle), 0);
}

TEST(ContainerExports, lowerLimitKeepsRecordsAlreadyHeld) {
    Container c;
    const auto records = faxes(5);
    ASSERT_EQ(ABIFData_Add_Fax(c.handle, 5, records.data()), ABIF_OK);
    ABIFData_SetLimit_Fax(c.handle, 2);
    EXPECT_EQ(ABIFData_GetCount_Fax(c.handle), 5);
    EXPECT_EQ(ABIFData_Add_Fax(c.handle, 1, records.data()), ABIF_E_LIMIT);
}

TEST(ContainerExports, nullRecordPointerIsRefusedWhateverTheCount) {
    Container c;
    EXPECT_EQ(ABIFData_Add_EMailGroup(c.handle, 0, nullptr), ABIF_E_NULL);
    EXPECT_EQ(ABIFData_GetAt_Fax(c.handle, 0, nullptr), ABIF_E_NULL);
    const auto records = faxes(1);
    EXPECT_EQ(ABIFData_Add_Fax(c.handle, 0, records.data()), ABIF_OK);
    EXPECT_EQ(ABIFData_Add_Fax(c.handle, -3, records.data()), ABIF_OK);
    EXPECT_EQ(ABIFData_GetCount_Fax(c.handle), 0);
}

TEST(ContainerExports, indexOutsideTheRecordsLeavesTheOutputUntouched) {
    Container c;
    std::vector<CAbifServerAddressData> servers(2);
    ASSERT_EQ(ABIFData_Add_ServerAddress(c.handle, 2, servers.data()), ABIF_OK);
    CAbifServerAddressData out;
    std::memset(&out, 0x5A, sizeof out);
    for (int index : {-1, 2, 1000}) {
        EXPECT_EQ(ABIFData_GetAt_ServerAddress(c.handle, index, &out), ABIF_E_INDEX) << index;
    }
    EXPECT_EQ(out.id, 0x5A5A);
}

TEST(ContainerExports, recordsComeBackByteForByteInInsertionOrder) {
    Container c;
    std::vector<CAbifFaxData> records = {test::fax(3, u"C"), test::fax(1, u"A"), test::fax(2, u"B")};
    // Bytes after a terminator are the caller's and travel unchanged.
    records[0].name[20] = u'x';
    ASSERT_EQ(ABIFData_Add_Fax(c.handle, 3, records.data()), ABIF_OK);
    for (int i = 0; i < 3; ++i) {
        CAbifFaxData out{};
        ASSERT_EQ(ABIFData_GetAt_Fax(c.handle, i, &out), ABIF_OK);
        EXPECT_EQ(std::memcmp(&out, &records[static_cast<size_t>(i)], sizeof out), 0) << i;
    }
}

TEST(ContainerExports, everyExportRefusesBadHandlesWithoutTouchingThem) {
    CAbifData *deleted = ABIFData_Create();
    ABIFData_Delete(deleted);
    int notAContainer = 42;
    auto *foreign = reinterpret_cast<CAbifData *>(&notAContainer);
    const auto records = faxes(1);
    CAbifFaxData out{};
    for (CAbifData *bad : {static_cast<CAbifData *>(nullptr), deleted, foreign}) {
        EXPECT_EQ(ABIFData_Add_Fax(bad, 1, records.data()), ABIF_E_HANDLE);
        EXPECT_EQ(ABIFData_GetAt_Fax(bad, 0, &out), ABIF_E_HANDLE);
        EXPECT_EQ(ABIFData_GetCount_Fax(bad), ABIF_E_HANDLE);
        EXPECT_EQ(ABIFData_SetLimit_Fax(bad, 5), ABIF_E_HANDLE);
        ABIFData_Delete(bad);
    }
    EXPECT_EQ(notAContainer, 42);
}

TEST(ContainerExports, deletedHandleStaysRefusedWhenANewContainerTakesItsMemory) {
    CAbifData *deleted = ABIFData_Create();
    ABIFData_Delete(deleted);
    // The allocator hands a freed block of the same size straight back.
    std::vector<Container> later(20);
    const auto records = faxes(1);
    for (const Container &c : later) {
        EXPECT_NE(c.handle, deleted);
        EXPECT_EQ(ABIFData_Add_Fax(deleted, 1, records.data()), ABIF_E_HANDLE);
        EXPECT_EQ(ABIFData_GetCount_Fax(c.handle), 0);
    }
    ABIFData_Delete(deleted);
    for (const Container &c : later) EXPECT_EQ(ABIFData_Add_Fax(c.handle, 1, records.data()), ABIF_OK);
}

TEST(ContainerExports, allNineKindsAreSeparateArrays) {
    Container c;
    CAbifMyFaxGroupData g{};
    CAbifEMailSubjectData subject{};
    CAbifEMailBodyData body{};
    ASSERT_EQ(ABIFData_Add_MyFaxGroup(c.handle, 1, &g), ABIF_OK);
    ASSERT_EQ(ABIFData_Add_EMailSubject(c.handle, 1, &subject), ABIF_OK);
    ASSERT_EQ(ABIFData_Add_EMailBody(c.handle, 1, &body), ABIF_OK);
    EXPECT_EQ(ABIFData_GetCount_MyFaxGroup(c.handle), 1);
    EXPECT_EQ(ABIFData_GetCount_EMailSubject(c.handle), 1);
    EXPECT_EQ(ABIFData_GetCount_EMailBody(c.handle), 1);
    EXPECT_EQ(ABIFData_GetCount_MyFax(c.handle), 0);
    EXPECT_EQ(ABIFData_GetCount_FaxGroup(c.handle), 0);
    EXPECT_EQ(ABIFData_GetCount_EMailGroup(c.handle), 0);
}

}  // namespace

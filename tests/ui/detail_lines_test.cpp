// The caption and value lines of the detail pane for every kind of entry.
#include "model/model_builders.h"
#include "ui/detail_lines.h"
#include "ui/row_code.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

// Section names that code-point order and the user's locale order differ on.
CAdrData book() {
    CAdrData d;
    d.StoreCopy(test::aioFax(5, "Ann", "0312"));
    d.StoreCopy(test::aioFax(7, "\u00E9mile", "0466"));
    d.StoreCopy(test::aioFax(8, "Zoe", "0757"));
    d.StoreCopy(test::aioFax(9, "Lone", "0925"));
    d.StoreCopy(test::group<CAdrGroupAioFax>(2, {5}, "Zeta"));
    d.StoreCopy(test::group<CAdrGroupAioFax>(1, {5, 7, 8}, "alpha"));
    // Member 6 has no entry of its own.
    d.StoreCopy(test::group<CAdrGroupAioFax>(3, {6, 8}, "Night"));

    CAdrMemberAioEmail mail = test::aioEmail(3, "bo@example.org");
    mail.SetName("Bo");
    d.StoreCopy(mail);
    d.StoreCopy(test::group<CAdrGroupAioEmail>(10, {3}, "Team"));

    CAdrMemberAioServer smb = test::server(2, "scans");
    smb.SetName("Office PC");
    smb.SetFolderPath("in/fax");
    smb.SetLoginName("operator");
    smb.SetPortNumber(445);
    d.StoreCopy(smb);
    CAdrMemberAioServer ftp = test::server(4, "");
    ftp.SetServerType(CAdrMemberAioServer::kTypeFtp);
    ftp.SetName("Archive");
    d.StoreCopy(ftp);

    CAdrMemberPcFax pc = test::pcFax(40, "Kato");
    pc.SetFaxNumber("0123");
    pc.SetCompany("Kato & Sons");
    pc.SetNote("two\nlines");
    pc.SetUpdatedOn(1765000000);
    d.StoreCopy(pc);
    d.StoreCopy(test::pcFax(41, "abe"));
    CAdrGroupPcFax branch = test::group<CAdrGroupPcFax>(300, {40, 41}, "Branch");
    branch.SetUpdatedOn(1765000000);
    d.StoreCopy(branch);
    d.StoreCopy(test::group<CAdrGroupPcFax>(301, {40}, "Accounts"));
    return d;
}

struct LinesCase {
    const char *what;
    quint32 kind;
    quint16 id;
    QStringList lines;
};

class DetailLinesTest : public ::testing::TestWithParam<LinesCase> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

// Stands for the update time as the user's locale writes it.
const QString kUpdated = QStringLiteral("<updated>");

TEST_P(DetailLinesTest, listsCaptionsAndValuesInPairs) {
    const LinesCase &c = GetParam();
    const std::optional<CLqaDetailContent> content = DetailContentFor(book(), LqaRowCode(c.kind, c.id));
    ASSERT_TRUE(content) << c.what;
    EXPECT_EQ(content->kind, c.kind << 16) << c.what;
    QStringList expected = c.lines;
    expected.replaceInStrings(kUpdated, AdrUpdatedOnText(1765000000));
    EXPECT_EQ(content->lines, expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DetailLinesTest,
    ::testing::Values(
        LinesCase{"machine fax member in two groups, by locale order",
                  AdrKindAioFax,
                  5,
                  {"ID : ", "005", "Name : ", "Ann", "Fax Number : ", "0312", "Groups:", "001. alpha", "",
                   "002. Zeta"}},
        LinesCase{"machine fax member in no group", AdrKindAioFax, 9,
                  {"ID : ", "009", "Name : ", "Lone", "Fax Number : ", "0925"}},
        LinesCase{"machine fax group, accented name before Z, missing member left out",
                  AdrKindAioFaxGroup,
                  1,
                  {"ID : ", "001", "Group Name : ", "alpha", "Members:", "005. Ann", "", "007. \u00E9mile", "",
                   "008. Zoe"}},
        LinesCase{"machine fax group whose only listed member has no entry", AdrKindAioFaxGroup, 3,
                  {"ID : ", "003", "Group Name : ", "Night", "Members:", "008. Zoe"}},
        LinesCase{"machine email member", AdrKindAioEmail, 3,
                  {"ID : ", "003", "Name : ", "Bo", "Email Address : ", "bo@example.org", "Groups:", "010. Team"}},
        LinesCase{"machine email group", AdrKindAioEmailGroup, 10,
                  {"ID : ", "010", "Group Name : ", "Team", "Members:", "003. Bo"}},
        LinesCase{"server with a share name",
                  AdrKindServer,
                  2,
                  {"ID : ", "002", "Name : ", "Office PC", "Share Name : ", "scans", "Path : ", "in/fax",
                   "Login Name : ", "operator", "Port Number : ", "445"}},
        LinesCase{"server without a share name and no port",
                  AdrKindServer,
                  4,
                  {"ID : ", "004", "Name : ", "Archive", "Path : ", "", "Login Name : ", "", "Port Number : ", "0"}},
        LinesCase{"PC fax member with bare group names",
                  AdrKindPcFax,
                  40,
                  {"Name : ", "Kato", "Updated On : ", kUpdated, "Fax Number : ", "0123", "Company : ", "Kato & Sons",
                   "Note : ", "two\nlines", "Groups:", "Accounts", "", "Branch"}},
        LinesCase{"PC fax member never updated", AdrKindPcFax, 41,
                  {"Name : ", "abe", "Updated On : ", "", "Fax Number : ", "", "Company : ", "", "Note : ", "",
                   "Groups:", "Branch"}},
        LinesCase{"PC fax group, by letters rather than code points",
                  AdrKindPcFaxGroup,
                  300,
                  {"Group Name : ", "Branch", "Updated On : ", kUpdated, "Members:", "abe", "", "Kato"}}));

TEST(DetailContentFor, nothingForAbsentEntriesOrKindsThePaneDoesNotShow) {
    const CAdrData data = book();
    for (const quint32 code : {LqaRowCode(AdrKindAioFax, 6), LqaRowCode(AdrKindPcFaxGroup, 500),
                               LqaRowCode(AdrKindSubComm, 1), LqaRowCode(AdrKindAioFax | AdrKindPcFax, 5), 0u,
                               0xFFFFFFFFu})
        EXPECT_FALSE(DetailContentFor(data, code)) << std::hex << code;
}

}  // namespace

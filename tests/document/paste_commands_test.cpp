// Copy and paste through the document's clipboard against the machine
// stand-in's demo book (speed dials 1 to 12, group 1 {1, 2, 11}, group 2
// {3, 5, 9, 10}).
#include "document_fixture.h"

namespace {

using test::pcFax;
using Node = CLinquaraDoc::TreeNode;

constexpr quint32 row(quint32 kind, quint16 id) { return kind << 16 | id; }

class PasteTest : public test::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        start();
    }
    [[nodiscard]] int step() const { return doc->History().GetCurrentIndex(); }
    void setAssignment(qint32 mode) {
        EnvironmentRecord config = doc->Settings().Config();
        config.speedDialAssignment = mode;
        doc->Settings().WriteConfig(config);
    }
    // Email addresses 3 and 4 in email group 1, and server 2 whose folder is shared.
    void storeEmailAndServer() {
        storeAll(QList{email(3, QStringLiteral("Ada")), email(4, QStringLiteral("Bert"))});
        storeAll(QList{test::group<CAdrGroupAioEmail>(1, {3, 4}, QStringLiteral("Team"))});
        CAdrShareData record = test::shareRecord(2, QStringLiteral("/srv/scans"));
        record.shareName = QStringLiteral("Scans");
        record.autoShare = 1;
        record.isShared = 1;
        CAdrMemberAioServer server = test::server(2, QStringLiteral("Scans"));
        server.SetName(QStringLiteral("Desk PC"));
        CAdrHistory &history = doc->History();
        ASSERT_TRUE(history.Begin());
        history.StoreServer(server, &record);
        ASSERT_TRUE(history.Commit());
    }
    static CAdrMemberAioEmail email(quint16 id, const QString &name) {
        CAdrMemberAioEmail entry = test::aioEmail(id, name.toLower() + QStringLiteral("@example.org"));
        entry.SetName(name);
        return entry;
    }
};

TEST_F(PasteTest, eachPasteIntoThePcFaxBookNamesItsCopiesAnew) {
    const QString longName = QStringLiteral("Nordlicht Logistik GmbH, Lager 4");  // 32 units
    storeAll(QList{pcFax(1, QStringLiteral("Quinta")), pcFax(2, longName)});
    doc->OnCopy({row(AdrKindPcFax, 1)});
    ASSERT_TRUE(doc->CanPaste(Node::PcFaxBook));
    doc->OnPaste(Node::PcFaxBook);
    doc->OnPaste(Node::PcFaxBook);
    doc->OnCopy({row(AdrKindPcFax, 2)});
    doc->OnPaste(Node::PcFaxBook);
    doc->OnPaste(Node::PcFaxBook);

    EXPECT_EQ(test::pcFaxNames(data()),
              (QStringList{QStringLiteral("Quinta"), longName, QStringLiteral("Copy - Quinta"),
                           QStringLiteral("Copy (1) - Quinta"), QStringLiteral("Copy - Nordlicht Logistik GmbH, "),
                           QStringLiteral("Copy (1) - Nordlicht Logistik Gm")}));
    const CAdrMemberPcFax &copy = *data().Map<CAdrMemberPcFax>().Lookup(3);
    EXPECT_NE(copy.GetUpdatedOn(), 0);
    EXPECT_EQ(copy.GetChangeMark(), 1u);
    EXPECT_TRUE(doc->IsPcFaxModified());
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_EQ(test::markedCount(data()), 4);
}

TEST_F(PasteTest, theTreeNodeDecidesWhatTheClipboardBecomes) {
    storeAll(QList{pcFax(1, QStringLiteral("Quinta"))});
    struct Case {
        const char *what;
        quint32 copied;
        Node node;
        int aioFax, pcFax;  // entries afterwards; -1: nothing to paste
        QString newName;    // of the pasted entry
    };
    const QString head = QStringLiteral("Head Office");
    const Case cases[] = {
        {"speed dial to the books", row(AdrKindAioFax, 1), Node::AddressBooks, 13, 1, head},
        {"speed dial to the machine", row(AdrKindAioFax, 1), Node::MachineBook, 13, 1, head},
        {"speed dial to fax", row(AdrKindAioFax, 1), Node::MachineFax, 13, 1, head},
        {"speed dial to the PC fax book", row(AdrKindAioFax, 1), Node::PcFaxBook, 12, 2, "Copy - " + head},
        {"PC fax member to the books", row(AdrKindPcFax, 1), Node::AddressBooks, 12, 2, QStringLiteral("Quinta")},
        {"PC fax member to fax", row(AdrKindPcFax, 1), Node::MachineFax, 13, 1, QStringLiteral("Quinta")},
        {"PC fax member to the machine", row(AdrKindPcFax, 1), Node::MachineBook, -1, -1, {}},
        {"nothing selected", row(AdrKindPcFax, 1), Node::None, -1, -1, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        doc->OnCopy({c.copied});
        const int before = step();
        EXPECT_EQ(doc->CanPaste(c.node), c.aioFax >= 0);
        doc->OnPaste(c.node);
        if (c.aioFax < 0) {
            EXPECT_EQ(step(), before);
            continue;
        }
        EXPECT_EQ(step(), before + 1);
        EXPECT_EQ(data().Map<CAdrMemberAioFax>().GetCount(), c.aioFax);
        EXPECT_EQ(data().Map<CAdrMemberPcFax>().GetCount(), c.pcFax);
        const CAdrMember *pasted = c.aioFax == 13
                                       ? static_cast<const CAdrMember *>(data().Map<CAdrMemberAioFax>().Lookup(13))
                                       : data().Map<CAdrMemberPcFax>().Lookup(2);
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(pasted->GetName(), c.newName);
        doc->OnUndo();
    }
}

TEST_F(PasteTest, aPasteThatDoesNotFitIsRefusedWhole) {
    EnvironmentRecord config = doc->Settings().Config();
    config.speedDialAssignment = 2;
    doc->Settings().WriteConfig(config);
    storeAll(QList{test::aioFax(98)});  // one ID left after the largest, many below

    doc->OnCopy({row(AdrKindAioFax, 1), row(AdrKindAioFax, 2)});
    const int before = step();
    doc->OnPaste(Node::MachineFax);
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgMaxDataExceeded)});
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().GetCount(), 13);
    EXPECT_EQ(step(), before);

    doc->OnCopy({row(AdrKindAioFax, 2)});
    doc->OnPaste(Node::MachineFax);
    ASSERT_NE(data().Map<CAdrMemberAioFax>().Lookup(99), nullptr);
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(99)->GetFaxNumber(),
              data().Map<CAdrMemberAioFax>().Lookup(2)->GetFaxNumber());
}

TEST_F(PasteTest, aPastedGroupKeepsOnlyMembersThatAreStillAsCopied) {
    doc->OnCopy({row(AdrKindAioFaxGroup, 2)});
    renumber(5, QStringLiteral("000"));
    prompt.answers = {PromptAnswer::Ok};
    ASSERT_EQ(doc->OnDelete({row(AdrKindAioFax, 9)}).size(), 1);

    doc->OnPaste(Node::MachineFax);
    const CAdrGroupAioFax *pasted = data().Map<CAdrGroupAioFax>().Lookup(3);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->GetMemberIDs(), (QList<quint16>{3, 10}));
    EXPECT_EQ(pasted->GetName(), data().Map<CAdrGroupAioFax>().Lookup(2)->GetName());
    EXPECT_EQ(pasted->GetChangeMark(), 1u);
}

TEST_F(PasteTest, emailAddressesAndServersGoOnlyIntoTheMachineAddressBook) {
    storeEmailAndServer();
    setAssignment(1);
    struct Case {
        const char *what;
        QList<quint32> copied;
        Node node;
        int fax, emails, emailGroups, servers;  // entries afterwards; -1: nothing to paste
    };
    const QList<quint32> emails{row(AdrKindAioEmail, 3), row(AdrKindAioEmailGroup, 1)};
    const quint32 server = row(AdrKindServer, 2);
    const Case cases[] = {
        {"email to the machine", emails, Node::MachineBook, 12, 3, 2, 1},
        {"email to the books", emails, Node::AddressBooks, -1, -1, -1, -1},
        {"email to fax", emails, Node::MachineFax, -1, -1, -1, -1},
        {"email to the PC fax book", emails, Node::PcFaxBook, -1, -1, -1, -1},
        {"server to the machine", {server}, Node::MachineBook, 12, 2, 1, 2},
        {"server to fax", {server}, Node::MachineFax, -1, -1, -1, -1},
        {"server to the books", {server}, Node::AddressBooks, -1, -1, -1, -1},
        {"email before servers", emails + QList{server}, Node::MachineBook, 12, 3, 2, 1},
        {"fax before email", {row(AdrKindAioFax, 1), row(AdrKindAioEmail, 3)}, Node::MachineBook, 13, 2, 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        doc->OnCopy(c.copied);
        doc->SetMachineModified(false);
        const int before = step();
        EXPECT_EQ(doc->CanPaste(c.node), c.fax >= 0);
        doc->OnPaste(c.node);
        if (c.fax < 0) {
            EXPECT_EQ(step(), before);
            EXPECT_FALSE(doc->IsMachineModified());
            continue;
        }
        EXPECT_EQ(step(), before + 1);
        EXPECT_TRUE(doc->IsMachineModified());
        EXPECT_FALSE(doc->IsPcFaxModified());
        EXPECT_EQ(data().Map<CAdrMemberAioFax>().GetCount(), c.fax);
        EXPECT_EQ(data().Map<CAdrMemberAioEmail>().GetCount(), c.emails);
        EXPECT_EQ(data().Map<CAdrGroupAioEmail>().GetCount(), c.emailGroups);
        EXPECT_EQ(data().Map<CAdrMemberAioServer>().GetCount(), c.servers);
        doc->OnUndo();
    }
}

TEST_F(PasteTest, pastedEmailEntriesTakeFreeNumbersAndTheGroupOnlyUnchangedAddresses) {
    storeEmailAndServer();
    storeAll(QList{email(5, QStringLiteral("Cleo"))});
    storeAll(QList{test::group<CAdrGroupAioEmail>(1, {3, 4, 5}, QStringLiteral("Team"))});
    setAssignment(2);
    doc->OnCopy({row(AdrKindAioEmail, 3), row(AdrKindAioEmailGroup, 1)});
    CAdrMemberAioEmail changed = email(4, QStringLiteral("Bert"));
    changed.SetEmailAddress(QStringLiteral("bert@example.com"));
    edit(changed);
    prompt.answers = {PromptAnswer::Ok};
    ASSERT_EQ(doc->OnDelete({row(AdrKindAioEmail, 5)}).size(), 1);

    doc->OnPaste(Node::MachineBook);
    const CAdrMemberAioEmail *copy = data().Map<CAdrMemberAioEmail>().Lookup(5);
    ASSERT_NE(copy, nullptr) << "after the largest number in use";
    EXPECT_EQ(copy->GetName(), QStringLiteral("Ada")) << "only PC fax copies are renamed";
    EXPECT_EQ(copy->GetEmailAddress(), QStringLiteral("ada@example.org"));
    EXPECT_EQ(copy->GetChangeMark(), 1u);
    const CAdrGroupAioEmail *group = data().Map<CAdrGroupAioEmail>().Lookup(2);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetName(), QStringLiteral("Team"));
    EXPECT_EQ(group->GetMemberIDs(), QList<quint16>{3});
    EXPECT_EQ(group->GetChangeMark(), 1u);
}

TEST_F(PasteTest, aPastedServerGetsANewNumberButNotTheOriginalsSharedFolder) {
    storeEmailAndServer();
    setAssignment(1);
    doc->OnCopy({row(AdrKindServer, 2)});
    doc->OnPaste(Node::MachineBook);
    doc->OnPaste(Node::MachineBook);

    for (quint16 id : {1, 3}) {
        SCOPED_TRACE(id);
        const CAdrMemberAioServer *copy = data().Map<CAdrMemberAioServer>().Lookup(id);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetName(), QStringLiteral("Desk PC"));
        EXPECT_EQ(copy->GetShareName(), QStringLiteral("Scans"));
        EXPECT_EQ(copy->GetChangeMark(), 1u);
        EXPECT_EQ(data().ShareData().Lookup(id), nullptr);
    }
    ASSERT_NE(data().ShareData().Lookup(2), nullptr);
    EXPECT_EQ(data().ShareData().Lookup(2)->isShared, 1);
}

TEST_F(PasteTest, machineEmailAndServerPastesAreCountedBeforeAnythingIsPasted) {
    struct Case {
        const char *what;
        qint32 assignment;
        QList<quint32> copied;
        bool refused;
    };
    const Case cases[] = {
        {"two emails after the largest, one number left", 2, {row(AdrKindAioEmail, 3), row(AdrKindAioEmail, 19)}, true},
        {"two emails into the gaps", 1, {row(AdrKindAioEmail, 3), row(AdrKindAioEmail, 19)}, false},
        {"one email after the largest, one number left", 2, {row(AdrKindAioEmail, 3)}, false},
        {"email group after the largest, 10 in use", 2, {row(AdrKindAioEmailGroup, 10)}, true},
        {"the address fits, its group does not", 2, {row(AdrKindAioEmail, 3), row(AdrKindAioEmailGroup, 10)}, true},
        {"two servers, one number free", 1, {row(AdrKindServer, 1), row(AdrKindServer, 2)}, true},
        {"one server, one number free", 2, {row(AdrKindServer, 1)}, false},
    };
    storeAll(QList{email(3, QStringLiteral("Ada")), email(19, QStringLiteral("Zeno"))});
    storeAll(QList{test::group<CAdrGroupAioEmail>(10, {3, 19})});
    QList<CAdrMemberAioServer> servers;
    for (quint16 id = 1; id <= 4; ++id) servers.append(test::server(id));
    storeAll(servers);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        setAssignment(c.assignment);
        prompt.shown.clear();
        doc->OnCopy(c.copied);
        const int before = step();
        doc->OnPaste(Node::MachineBook);
        EXPECT_EQ(prompt.shown, c.refused ? QStringList{test::text(lqa::ids::MsgMaxDataExceeded)} : QStringList{});
        EXPECT_EQ(step(), c.refused ? before : before + 1);
        if (!c.refused) doc->OnUndo();
        EXPECT_EQ(data().Map<CAdrMemberAioEmail>().GetCount(), 2);
        EXPECT_EQ(data().Map<CAdrGroupAioEmail>().GetCount(), 1);
        EXPECT_EQ(data().Map<CAdrMemberAioServer>().GetCount(), 4);
    }
}

}  // namespace

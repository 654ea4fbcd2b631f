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

}  // namespace

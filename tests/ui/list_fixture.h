// An entry list over a real document against the machine stand-in, with a
// window around it that answers from fields: the selected node, the search
// bar's text, the tree node under the pointer and what was highlighted.
#pragma once

#include "document/document_fixture.h"
#include "ui/detail_view.h"
#include "ui/list_host.h"
#include "ui/list_model.h"
#include "ui/list_view.h"
#include "ui/row_code.h"

#include <QMenu>
#include <QTest>

#include <memory>

namespace test {

class TestListHost : public CLqaListHost {
public:
    [[nodiscard]] int SelectedNodeType() const override { return node; }
    void SelectNode(int nodeType) override {
        node = nodeType;
        selectedNodes << nodeType;
    }
    [[nodiscard]] QString SearchBarText() const override { return search; }
    [[nodiscard]] int TreeNodeAt(const QPoint &) const override { return treeNode; }
    void HighlightTreeNode(int nodeType) override { highlighted = nodeType; }
    void AddNewItems(QMenu &menu, int nodeType) override {
        menu.addAction(QStringLiteral("New for %1").arg(nodeType));
    }

    int node = LqaNodeAddressBooks;
    QString search;
    int treeNode = 0;  // the node under every point outside the list
    int highlighted = 0;
    QList<int> selectedNodes;
};

// Rows of a refresh of Address Books, in this order: 0 fax 1 "Tanaka",
// 1 fax 2 "Sato", 2 fax 12 "Itami", 3 fax group 1 "Sales", 4 email 3 "Bob",
// 5 email group 1 "Mail", 6 PC fax 3 "takeda", 7 PC fax group 2 "Branch".
inline CAdrData listBook() {
    CAdrData d;
    d.StoreCopy(aioFax(1, "Tanaka", "0312"));
    d.StoreCopy(aioFax(2, "Sato", "0466"));
    d.StoreCopy(aioFax(12, "Itami", "0757"));
    d.StoreCopy(group<CAdrGroupAioFax>(1, {1, 2}, "Sales"));
    CAdrMemberAioEmail bob = aioEmail(3, "bob@example.org");
    bob.SetName("Bob");
    d.StoreCopy(bob);
    d.StoreCopy(group<CAdrGroupAioEmail>(1, {3}, "Mail"));
    CAdrMemberPcFax pc = pcFax(3, "takeda");
    pc.SetFaxNumber("0925");
    pc.SetUpdatedOn(1'700'000'000);
    d.StoreCopy(pc);
    CAdrGroupPcFax branch = group<CAdrGroupPcFax>(2, {3}, "Branch");
    branch.SetUpdatedOn(1'600'000'000);
    d.StoreCopy(branch);
    return d;
}

inline constexpr quint32 code(quint32 kind, quint16 id) { return LqaRowCode(kind, id); }

class ListTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        start();
        if (HasFatalFailure()) return;
        replaceData(listBook());
        makeList();
    }
    void TearDown() override {
        list.reset();
        detail.reset();
        DocumentTest::TearDown();
    }

    void makeList() {
        list.reset();
        detail = std::make_unique<CLqaDetailView>();
        list = std::make_unique<CLqaListView>(*doc, host, *detail);
        list->resize(700, 400);
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
        list->RefreshList();
    }

    // Replaces every entry in one step, unmarked.
    void replaceData(const CAdrData &source) {
        CAdrHistory &history = doc->History();
        ASSERT_TRUE(history.Begin());
        history.ClearKind(AdrKindsAll);
        history.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInPlain, source);
        ASSERT_TRUE(history.Commit());
    }

    [[nodiscard]] QList<quint32> codes() const {
        QList<quint32> all;
        for (int row = 0; row < list->Model().rowCount(); ++row) all << list->Model().Code(row);
        return all;
    }
    [[nodiscard]] QStringList column(quint16 number) const {
        QStringList texts;
        for (int row = 0; row < list->Model().rowCount(); ++row) texts << list->Model().CellText(row, number);
        return texts;
    }
    void select(const QList<quint32> &rowCodes) {
        list->clearSelection();
        for (quint32 rowCode : rowCodes) {
            const int row = list->Model().RowOf(rowCode);
            ASSERT_GE(row, 0) << std::hex << rowCode;
            list->selectionModel()->select(list->Model().index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        if (!rowCodes.isEmpty())
            list->selectionModel()->setCurrentIndex(list->Model().index(list->Model().RowOf(rowCodes.first()), 0),
                                                    QItemSelectionModel::NoUpdate);
    }
    // The centre of a row, on the screen.
    [[nodiscard]] QPoint rowPoint(quint32 rowCode) const {
        const QRect cell = list->visualRect(list->Model().index(list->Model().RowOf(rowCode), 3));
        return list->viewport()->mapToGlobal(cell.center());
    }
    // A point outside the list, where the host's tree answers.
    [[nodiscard]] QPoint treePoint() const { return list->mapToGlobal(QPoint(-40, 20)); }
    [[nodiscard]] int headerPosition(quint16 number) const {
        return static_cast<int>(list->Model().Columns().indexOf(number));
    }

    TestListHost host;
    std::unique_ptr<CLqaDetailView> detail;
    std::unique_ptr<CLqaListView> list;
};

}  // namespace test

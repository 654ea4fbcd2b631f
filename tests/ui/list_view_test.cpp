// The entry list over a real document: rows per node, cell texts, headers,
// sorting, the search bar filter, incremental updates, column moves,
// type-ahead, the notice without machine data, drag and drop, context menus.
#include "list_fixture.h"

#include "ui/match_words.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QSet>

namespace {

using test::code;
using test::ListTest;

constexpr quint32 kFax1 = code(AdrKindAioFax, 1);
constexpr quint32 kFax2 = code(AdrKindAioFax, 2);
constexpr quint32 kFax12 = code(AdrKindAioFax, 12);
constexpr quint32 kFaxGroup1 = code(AdrKindAioFaxGroup, 1);
constexpr quint32 kEmail3 = code(AdrKindAioEmail, 3);
constexpr quint32 kEmailGroup1 = code(AdrKindAioEmailGroup, 1);
constexpr quint32 kPcFax3 = code(AdrKindPcFax, 3);
constexpr quint32 kPcFaxGroup2 = code(AdrKindPcFaxGroup, 2);

QString text(int id) { return lqa::loadText(id); }

// Rows with equal keys may come in any order.
QSet<quint32> unordered(const QList<quint32> &rowCodes) { return {rowCodes.begin(), rowCodes.end()}; }

TEST_F(ListTest, theModelKeepsToTheItemModelRulesThroughRefreshSortAndUpdates) {
    QAbstractItemModelTester tester(&list->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    list->SortByColumn(headerPosition(LqaColumnName));
    host.node = LqaNodeMachineFax;
    list->RefreshList();
    const CAdrData before = data();
    edit(test::aioFax(40, "Ueda"));
    list->ApplyChanges(before, data());
    host.search = QStringLiteral("u");
    list->RefreshList();
    EXPECT_EQ(codes(), QList<quint32>{code(AdrKindAioFax, 40)});
}

TEST_F(ListTest, eachNodeListsItsKindsInTheBooksOrder) {
    const struct {
        int node;
        QList<quint32> rows;
    } cases[] = {
        {LqaNodeAddressBooks, {kFax1, kFax2, kFax12, kFaxGroup1, kEmail3, kEmailGroup1, kPcFax3, kPcFaxGroup2}},
        {LqaNodeNone, {kFax1, kFax2, kFax12, kFaxGroup1, kEmail3, kEmailGroup1, kPcFax3, kPcFaxGroup2}},
        {LqaNodeMachineBook, {kFax1, kFax2, kFax12, kFaxGroup1, kEmail3, kEmailGroup1}},
        {LqaNodeMachineFax, {kFax1, kFax2, kFax12, kFaxGroup1}},
        {LqaNodeMachineEmail, {kEmail3, kEmailGroup1}},
        {LqaNodeMachineServer, {}},
        {LqaNodePcFaxBook, {kPcFax3, kPcFaxGroup2}},
    };
    for (const auto &c : cases) {
        host.node = c.node;
        list->RefreshList();
        EXPECT_EQ(codes(), c.rows) << "node " << c.node;
    }
}

TEST_F(ListTest, cellsShowEachKindsTextsInTheDisplayedColumns) {
    doc->Columns().SetDisplayed({0, 1, 2, 3, 4, 5, 6});
    list->RefreshList();
    const QString indent = QStringLiteral("   ");
    const QString fax = indent + text(lqa::ids::TextFax);
    const QString pcFax = indent + text(lqa::ids::TextPcFaxBook);
    const QString grouped = indent + text(lqa::ids::TextGroup);
    const CAdrData &d = data();
    const QString pcTime = d.Map<CAdrMemberPcFax>().Lookup(3)->GetUpdatedOnText();
    const QString groupTime = d.Map<CAdrGroupPcFax>().Lookup(2)->GetUpdatedOnText();
    ASSERT_FALSE(pcTime.isEmpty());
    const QList<QStringList> expected = {
        {fax, "", "001", "Tanaka", "0312", "", "0312"},
        {fax, "", "002", "Sato", "0466", "", "0466"},
        {fax, "", "012", "Itami", "0757", "", "0757"},
        {fax, grouped, "001", "Sales", "(2)", "", ""},
        {indent + text(lqa::ids::TextEmail), "", "003", "Bob", "bob@example.org", "", ""},
        {indent + text(lqa::ids::TextEmail), grouped, "001", "Mail", "(1)", "", ""},
        {pcFax, "", "", "takeda", "0925", pcTime, "0925"},
        {pcFax, grouped, "", "Branch", "(1)", groupTime, ""},
    };
    for (int row = 0; row < expected.size(); ++row) EXPECT_EQ(list->RowTexts(row), expected[row]) << "row " << row;

    // A hidden column is no cell at all; the rest keep their order.
    doc->Columns().SetDisplayed({0, 1, 3, 2});
    list->RefreshList();
    EXPECT_EQ(list->RowTexts(0), (QStringList{fax, "", "Tanaka", "001"}));
    // Groups carry the group picture in the second column, members none.
    const QModelIndex groupCell = list->Model().index(3, 1);
    EXPECT_FALSE(list->Model().data(groupCell, Qt::DecorationRole).isNull());
    EXPECT_TRUE(list->Model().data(list->Model().index(0, 1), Qt::DecorationRole).isNull());
}

TEST_F(ListTest, columnTitlesFollowTheSelectedNode) {
    const struct {
        int node;
        int idTitle;
        int infoTitle;
    } cases[] = {
        {LqaNodeMachineFax, lqa::ids::TitleSpeedDial, lqa::ids::TitleFaxNumber},
        {LqaNodePcFaxBook, lqa::ids::TitleId, lqa::ids::TitleFaxNumber},
        {LqaNodeAddressBooks, lqa::ids::TitleId, lqa::ids::TitleMemberGroupInfo},
        {LqaNodeMachineBook, lqa::ids::TitleId, lqa::ids::TitleMemberGroupInfo},
    };
    for (const auto &c : cases) {
        host.node = c.node;
        list->RefreshList();
        const auto title = [&](quint16 number) {
            return list->Model().headerData(headerPosition(number), Qt::Horizontal, Qt::DisplayRole).toString();
        };
        EXPECT_EQ(title(LqaColumnId), text(c.idTitle)) << "node " << c.node;
        EXPECT_EQ(title(LqaColumnInfo), text(c.infoTitle)) << "node " << c.node;
        EXPECT_EQ(title(LqaColumnName), text(lqa::ids::TitleName));
    }
    // Type and Member/Group show pictures instead of titles.
    for (quint16 fixed : {LqaColumnType, LqaColumnMemberGroup}) {
        EXPECT_TRUE(list->Model().headerData(fixed, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty());
        EXPECT_FALSE(list->Model().headerData(fixed, Qt::Horizontal, Qt::DecorationRole).isNull());
    }
}

TEST_F(ListTest, sortingTheSameColumnAlternatesAndAnotherColumnStartsAscending) {
    const int name = headerPosition(LqaColumnName);
    const QStringList ascending = {"Bob", "Branch", "Itami", "Mail", "Sales", "Sato", "Tanaka", "takeda"};
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());

    // Clicks on the header sort as SortByColumn does.
    const int nameX = list->header()->sectionViewportPosition(name) + 5;
    for (const QStringList &order : {ascending, descending, ascending}) {
        QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {}, QPoint(nameX, 5));
        EXPECT_EQ(column(LqaColumnName), order);
        EXPECT_EQ(list->header()->sortIndicatorSection(), name);
        EXPECT_EQ(list->header()->sortIndicatorOrder(), order == ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    // Name was last ascending, so the next Name sort would be descending; ID
    // starts ascending, with PC fax rows as ID 0 first.
    list->SortByColumn(headerPosition(LqaColumnId));
    EXPECT_EQ(unordered(codes().mid(0, 2)), (QSet<quint32>{kPcFax3, kPcFaxGroup2}));
    EXPECT_EQ(column(LqaColumnId).mid(2), (QStringList{"001", "001", "001", "002", "003", "012"}));
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    list->SortByColumn(headerPosition(LqaColumnId));
    EXPECT_EQ(column(LqaColumnId).first(), "012");

    // A refresh keeps the order shown.
    list->RefreshList();
    EXPECT_EQ(column(LqaColumnId).first(), "012");
    EXPECT_EQ(unordered(codes().mid(6)), (QSet<quint32>{kPcFax3, kPcFaxGroup2}));
}

TEST_F(ListTest, typeMemberGroupAndUpdatedOnSortByTheirKeys) {
    list->SortByColumn(headerPosition(LqaColumnType));
    EXPECT_EQ(unordered(codes().mid(6)), (QSet<quint32>{kPcFax3, kPcFaxGroup2}));
    EXPECT_EQ(unordered(codes().mid(4, 2)), (QSet<quint32>{kEmail3, kEmailGroup1}));
    // The fixed columns carry no mark.
    EXPECT_EQ(list->header()->sortIndicatorSection(), -1);

    list->SortByColumn(headerPosition(LqaColumnMemberGroup));
    EXPECT_EQ(unordered(codes().mid(5)), (QSet<quint32>{kFaxGroup1, kEmailGroup1, kPcFaxGroup2}));

    list->SortByColumn(headerPosition(LqaColumnUpdatedOn));
    EXPECT_EQ(codes().mid(6), (QList<quint32>{kPcFaxGroup2, kPcFax3}));
}

TEST_F(ListTest, sortingKeepsTheSelectedRowsSelected) {
    select({kFax12, kPcFax3});
    list->SortByColumn(headerPosition(LqaColumnName));
    EXPECT_EQ(list->GetSelectedCodes(), (QList<quint32>{kFax12, kPcFax3}));
    EXPECT_EQ(list->Model().RowOf(kFax12), 2);
}

TEST_F(ListTest, theSearchBarKeepsRowsWithACellBeginningWithItsText) {
    host.search = QStringLiteral("tA");
    list->RefreshList();
    // "Tanaka" and "takeda" begin with it; "Itami" only contains it; the
    // type texts are never searched.
    EXPECT_EQ(codes(), (QList<quint32>{kFax1, kPcFax3}));
    host.search = QStringLiteral("04");
    list->RefreshList();
    EXPECT_EQ(codes(), QList<quint32>{kFax2});
    host.search.clear();
    list->RefreshList();
    EXPECT_EQ(codes().size(), 8);
}

TEST_F(ListTest, editStepsUpdateAddAndRemoveOnlyTheirRows) {
    host.node = LqaNodeMachineFax;
    list->RefreshList();
    list->SortByColumn(headerPosition(LqaColumnName));
    const QList<quint32> sorted = codes();

    const CAdrData before = data();
    CAdrHistory &history = doc->History();
    ASSERT_TRUE(history.Begin());
    history.Store(test::aioFax(2, "Abe", "0466"));
    history.Store(test::aioFax(30, "Aoki"));
    history.Store(test::pcFax(9, "Offside"));  // not listed by the Fax node
    ASSERT_TRUE(history.Delete(AdrKindAioFax, 12));
    ASSERT_TRUE(history.Commit());
    list->ApplyChanges(before, data());

    QList<quint32> expected = sorted;
    expected.removeOne(kFax12);
    expected << code(AdrKindAioFax, 30);
    // Changed rows stay where they were: no re-sort until the next refresh.
    EXPECT_EQ(codes(), expected);
    EXPECT_EQ(list->Model().CellText(list->Model().RowOf(kFax2), LqaColumnName), "Abe");
    // Stored entries are marked as changed and drawn so.
    EXPECT_EQ(list->Model().data(list->Model().index(list->Model().RowOf(kFax2), 3), Qt::BackgroundRole).value<QColor>(),
              QColor(255, 255, 153));
    EXPECT_FALSE(list->Model().data(list->Model().index(list->Model().RowOf(kFax1), 3), Qt::BackgroundRole).isValid());
}

TEST_F(ListTest, theDocumentsEditsReachTheListThroughItsSignals) {
    select({kFax12});
    ASSERT_TRUE(doc->AddMembers(AdrKindAioFaxGroup, 1, {12}));
    EXPECT_EQ(list->Model().CellText(list->Model().RowOf(kFaxGroup1), LqaColumnInfo), "(3)");
    doc->OnUndo();
    EXPECT_EQ(list->Model().CellText(list->Model().RowOf(kFaxGroup1), LqaColumnInfo), "(2)");
}

TEST_F(ListTest, theTypeAndMemberGroupColumnsStayFirstAndOtherMovesAreKept) {
    QHeaderView *head = list->header();
    const QList<quint16> initial = doc->Columns().Displayed();
    const struct {
        int from, to;
    } refused[] = {{0, 3}, {1, 4}, {4, 0}, {3, 1}};
    for (const auto &move : refused) {
        head->moveSection(move.from, move.to);
        EXPECT_EQ(doc->Columns().Displayed(), initial) << move.from << " to " << move.to;
        EXPECT_EQ(list->Model().Columns(), initial);
        for (int section = 0; section < initial.size(); ++section) EXPECT_EQ(head->visualIndex(section), section);
    }
    head->moveSection(3, 2);  // Name before ID
    const QList<quint16> moved = {0, 1, 3, 2, 4, 5};
    EXPECT_EQ(doc->Columns().Displayed(), moved);
    EXPECT_EQ(list->Model().Columns(), moved);
    EXPECT_EQ(list->RowTexts(0).mid(2, 2), (QStringList{"Tanaka", "001"}));

    head->resizeSection(headerPosition(LqaColumnName), 222);
    EXPECT_EQ(doc->Columns().Column(LqaColumnName).width, 222);
}

TEST_F(ListTest, twoLettersTypedWithinTwoSecondsSelectTheFirstMatchingRow) {
    list->SortByColumn(headerPosition(LqaColumnName));
    list->setFocus();
    QTest::keyClicks(list.get(), QStringLiteral("ta"));
    EXPECT_EQ(list->TypedPrefix(), "ta");
    EXPECT_EQ(list->GetSelectedCodes(), QList<quint32>{kFax1});  // "Tanaka" before "takeda"
    QTest::keyClick(list.get(), Qt::Key_K);
    EXPECT_EQ(list->GetSelectedCodes(), QList<quint32>{kPcFax3});
    QTest::keyClick(list.get(), Qt::Key_Backspace);
    EXPECT_EQ(list->TypedPrefix(), "ta");

    // Once the timer has run out, typing starts over.
    QTest::qWait(CLqaListView::kTypeAheadMs + 300);
    EXPECT_TRUE(list->TypedPrefix().isEmpty());
    QTest::keyClicks(list.get(), QStringLiteral("sa"));
    EXPECT_EQ(list->GetSelectedCodes(), QList<quint32>{code(AdrKindAioFaxGroup, 1)});
}

TEST_F(ListTest, withoutASortColumnTypingSelectsNothing) {
    list->setFocus();
    QTest::keyClicks(list.get(), QStringLiteral("ta"));
    EXPECT_TRUE(list->GetSelectedCodes().isEmpty());
}

TEST_F(ListTest, dragAcceptanceFollowsTheKindsOfTheSelection) {
    const struct {
        const char *what;
        QList<quint32> dragged;
        bool overRow;  // else over the tree
        quint32 rowTarget;
        int node;
        bool accepted;
    } cases[] = {
        {"PC fax member on a machine fax group", {kPcFax3}, true, kFaxGroup1, 0, true},
        {"speed dials on a PC fax group", {kFax1, kFax2}, true, kPcFaxGroup2, 0, true},
        {"email member on an email group", {kEmail3}, true, kEmailGroup1, 0, true},
        {"speed dial on an email group", {kFax1}, true, kEmailGroup1, 0, false},
        {"speed dial on a speed dial", {kFax2}, true, kFax1, 0, false},
        {"group with its members on a group", {kFax1, kFaxGroup1}, true, kPcFaxGroup2, 0, false},
        {"machine fax group on PC Fax Address Book", {kFaxGroup1}, false, 0, LqaNodePcFaxBook, false},
        {"PC fax group on PC Fax Address Book", {kPcFaxGroup2}, false, 0, LqaNodePcFaxBook, true},
        {"speed dial on PC Fax Address Book", {kFax1}, false, 0, LqaNodePcFaxBook, true},
        {"machine fax group on Fax while online", {kFaxGroup1}, false, 0, LqaNodeMachineFax, true},
        {"PC fax group on Fax", {kPcFaxGroup2}, false, 0, LqaNodeMachineFax, false},
        {"PC fax member on Address Books", {kPcFax3}, false, 0, LqaNodeAddressBooks, true},
        {"speed dial on Machine Address Book", {kFax1}, false, 0, LqaNodeMachineBook, false},
        {"email member on Address Books", {kEmail3}, false, 0, LqaNodeAddressBooks, false},
    };
    for (const auto &c : cases) {
        select(c.dragged);
        host.treeNode = c.node;
        ASSERT_TRUE(list->BeginDrag()) << c.what;
        list->DragMoveTo(c.overRow ? rowPoint(c.rowTarget) : treePoint());
        const CLqaListView::DropTarget target = list->CurrentDropTarget();
        EXPECT_EQ(target.IsValid(), c.accepted) << c.what;
        EXPECT_EQ(list->cursor().shape(), c.accepted ? Qt::DragCopyCursor : Qt::ForbiddenCursor) << c.what;
        EXPECT_EQ(host.highlighted, c.accepted ? c.node : 0) << c.what;
        if (c.accepted && c.overRow) {
            const QModelIndex cell = list->Model().index(list->Model().RowOf(c.rowTarget), 3);
            EXPECT_EQ(list->Model().data(cell, Qt::BackgroundRole), QVariant(list->palette().highlight()))
                << c.what;
        }
        QTest::keyClick(list.get(), Qt::Key_Escape);
        EXPECT_FALSE(list->IsDragging()) << c.what;
        EXPECT_EQ(host.highlighted, 0) << c.what;
        EXPECT_EQ(list->cursor().shape(), Qt::ArrowCursor) << c.what;
    }
    EXPECT_EQ(doc->History().GetSnapshotCount(), 2) << "no drag changed anything";
}

TEST_F(ListTest, aDragNeedsOneMemberKindAndOneGroupKindOfOneBook) {
    const struct {
        QList<quint32> selected;
        bool consistent;
    } cases[] = {
        {{kFax1, kFax2, kFaxGroup1}, true},
        {{kPcFax3, kPcFaxGroup2}, true},
        {{kFax1, kPcFax3}, false},
        {{kFax1, kPcFaxGroup2}, false},
        {{kFaxGroup1, kPcFaxGroup2}, false},
        {{kEmail3, kEmailGroup1}, true},
        {{}, false},
    };
    for (const auto &c : cases) {
        select(c.selected);
        EXPECT_EQ(list->IsSelectionConsistent(), c.consistent) << c.selected.size();
        EXPECT_EQ(list->BeginDrag(), c.consistent);
        list->CancelDrag();
    }
}

TEST_F(ListTest, droppingMembersOnAGroupAddsThoseOfItsBook) {
    select({kFax12});
    ASSERT_TRUE(list->BeginDrag());
    list->DropAt(rowPoint(kFaxGroup1));
    EXPECT_EQ(data().Map<CAdrGroupAioFax>().Lookup(1)->GetMemberIDs(), (QList<quint16>{1, 2, 12}));
    EXPECT_FALSE(list->IsDragging());

    // A PC fax member is a target for a machine fax group, but its ID names
    // no speed dial: the group stays as it was.
    const int steps = doc->History().GetSnapshotCount();
    select({kPcFax3});
    ASSERT_TRUE(list->BeginDrag());
    list->DropAt(rowPoint(kFaxGroup1));
    EXPECT_EQ(data().Map<CAdrGroupAioFax>().Lookup(1)->GetMemberIDs(), (QList<quint16>{1, 2, 12}));
    EXPECT_EQ(doc->History().GetSnapshotCount(), steps);
}

TEST_F(ListTest, droppingOnATreeNodeCopiesIntoItsBookAndShowsThatBook) {
    doc->OnCopy({kFax2});
    host.node = LqaNodeMachineFax;
    list->RefreshList();
    select({kFax1});
    host.treeNode = LqaNodePcFaxBook;
    ASSERT_TRUE(list->BeginDrag());
    list->DropAt(treePoint());
    EXPECT_EQ(test::pcFaxNames(data()), (QStringList{"Copy - Tanaka", "takeda"}));  // in the first free ID
    EXPECT_EQ(host.selectedNodes, QList<int>{LqaNodePcFaxBook});
    // The person's own copy is still there to paste.
    EXPECT_EQ(doc->Clipboard().Map<CAdrMemberAioFax>().Lookup(2)->GetName(), "Sato");

    // With Address Books selected the tree stays where it is.
    host.node = LqaNodeAddressBooks;
    list->RefreshList();
    select({kPcFax3});
    host.treeNode = LqaNodeMachineFax;
    ASSERT_TRUE(list->BeginDrag());
    list->DropAt(treePoint());
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().GetCount(), 4);
    EXPECT_EQ(host.selectedNodes, QList<int>{LqaNodePcFaxBook});
}

TEST_F(ListTest, aReleaseOverNoTargetChangesNothing) {
    select({kFaxGroup1});
    host.treeNode = LqaNodePcFaxBook;
    ASSERT_TRUE(list->BeginDrag());
    list->DropAt(treePoint());
    EXPECT_EQ(doc->History().GetSnapshotCount(), 2);
    EXPECT_TRUE(host.selectedNodes.isEmpty());
}

QStringList actionTexts(const QMenu &menu) {
    QStringList texts;
    for (const QAction *action : menu.actions())
        if (!action->isSeparator()) texts << action->text();
    return texts;
}

QAction *action(const QMenu &menu, int textId) {
    for (QAction *a : menu.actions())
        if (a->text() == lqa::loadText(textId)) return a;
    return nullptr;
}

TEST_F(ListTest, theRowMenuOffersEditOnlyForOneRowAndCopyForOneKind) {
    const struct {
        QList<quint32> selected;
        bool edit;
        bool copy;
        bool membership;
    } cases[] = {
        {{kFax1}, true, true, true},
        {{kFax1, kFax2}, false, true, true},
        {{kFax1, kPcFax3}, false, true, false},
        {{kFax1, kFaxGroup1}, false, false, false},
        {{kPcFaxGroup2}, true, true, false},
        {{kEmail3}, true, true, true},
    };
    for (const auto &c : cases) {
        select(c.selected);
        QMenu menu;
        list->FillContextMenu(menu);
        QStringList expected = {text(lqa::ids::MenuListEdit), text(lqa::ids::MenuListSelectAll),
                                text(lqa::ids::MenuListSearch), text(lqa::ids::MenuListCopy),
                                text(lqa::ids::MenuListDelete)};
        if (c.membership) expected << text(lqa::ids::MenuCurrentMembership);
        EXPECT_EQ(actionTexts(menu), expected) << c.selected.size();
        EXPECT_EQ(action(menu, lqa::ids::MenuListEdit)->isEnabled(), c.edit);
        EXPECT_EQ(menu.defaultAction() == action(menu, lqa::ids::MenuListEdit), c.edit);
        EXPECT_EQ(action(menu, lqa::ids::MenuListCopy)->isEnabled(), c.copy);
    }
}

TEST_F(ListTest, currentMembershipListsTheBooksGroupsAndAddsTheMembers) {
    CAdrData more = data();
    more.StoreCopy(test::group<CAdrGroupAioFax>(4, {}, "Night"));
    replaceData(more);
    list->RefreshList();
    select({kFax12});
    QMenu menu;
    list->FillContextMenu(menu);
    QMenu *groups = action(menu, lqa::ids::MenuCurrentMembership)->menu();
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(actionTexts(*groups), (QStringList{"Sales", "Night"}));
    groups->actions().at(1)->trigger();
    EXPECT_EQ(data().Map<CAdrGroupAioFax>().Lookup(4)->GetMemberIDs(), QList<quint16>{12});
}

TEST_F(ListTest, theMenuWithoutSelectionOffersTheNodesNewItemsAndPaste) {
    host.node = LqaNodePcFaxBook;
    list->RefreshList();
    list->clearSelection();
    {
        QMenu menu;
        list->FillContextMenu(menu);
        EXPECT_EQ(actionTexts(menu), (QStringList{"New for 6", text(lqa::ids::MenuListSelectAll),
                                                  text(lqa::ids::MenuListSearch), text(lqa::ids::MenuListPaste)}));
        EXPECT_TRUE(action(menu, lqa::ids::MenuListSelectAll)->isEnabled());
        EXPECT_FALSE(action(menu, lqa::ids::MenuListPaste)->isEnabled());
    }
    doc->OnCopy({kPcFax3});
    host.search = QStringLiteral("zz");  // nothing listed
    list->RefreshList();
    QMenu menu;
    list->FillContextMenu(menu);
    EXPECT_FALSE(action(menu, lqa::ids::MenuListSelectAll)->isEnabled());
    EXPECT_FALSE(action(menu, lqa::ids::MenuListSearch)->isEnabled());
    QAction *paste = action(menu, lqa::ids::MenuListPaste);
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().GetCount(), 2);
}

TEST_F(ListTest, theSelectedEntryIsShownInTheDetailPane) {
    select({kFax2});
    EXPECT_EQ(detail->EntryKind(), LqaRowKindBits(kFax2));
    EXPECT_TRUE(detail->Lines().join('\n').contains("Sato"));
    select({kFax2, kFax1});
    EXPECT_TRUE(detail->Lines().isEmpty());
}

TEST_F(ListTest, findNextSelectsTheNextMatchingRow) {
    select({kFax1});
    EXPECT_EQ(list->FindNext({QStringLiteral("s"), SearchStartsWith, true, false, false}), 1);
    EXPECT_EQ(list->GetSelectedCodes(), QList<quint32>{kFax2});
    EXPECT_EQ(list->FindNext({QStringLiteral("nobody"), SearchAnyWord, true, false, false}), 0);
    EXPECT_EQ(list->GetSelectedCodes(), QList<quint32>{kFax2});
}

TEST_F(ListTest, sortItemsFollowTheDisplayedColumnsAndTheSortColumn) {
    const QList<QAction *> items = list->SortActions();
    ASSERT_EQ(items.size(), 7);
    EXPECT_FALSE(items[LqaColumnFaxNumber]->isEnabled());
    EXPECT_TRUE(items[LqaColumnName]->isEnabled());
    items[LqaColumnName]->trigger();
    EXPECT_EQ(list->SortColumn(), headerPosition(LqaColumnName));
    EXPECT_EQ(column(LqaColumnName).first(), "Bob");
    for (int number = 0; number < items.size(); ++number)
        EXPECT_EQ(items[number]->isChecked(), number == LqaColumnName) << number;
}

// Without machine data.

class OfflineListTest : public test::DocumentTest {};

TEST_F(OfflineListTest, machineNodesShowTheNoticeOverADisabledList) {
    start({MethodOffline, {}, {}, {}});
    ASSERT_FALSE(doc->IsDeviceAccessed());
    test::TestListHost host;
    CLqaDetailView detail;
    CLqaListView list(*doc, host, detail);
    list.resize(500, 300);
    list.show();
    for (int node : {LqaNodeMachineBook, LqaNodeMachineFax, LqaNodePcFaxBook, LqaNodeAddressBooks}) {
        host.node = node;
        list.RefreshList();
        const bool notice = node == LqaNodeMachineBook || node == LqaNodeMachineFax;
        EXPECT_EQ(list.NoDataNotice()->isVisible(), notice) << node;
        EXPECT_EQ(list.isEnabled(), !notice) << node;
        EXPECT_EQ(list.verticalScrollBarPolicy(), notice ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    }
    EXPECT_EQ(list.NoDataNotice()->text(), lqa::loadText(lqa::ids::MsgCommunicationFailure));
    EXPECT_EQ(lqa::loadText(lqa::ids::MsgCommunicationFailure),
              "Communication failure. Please check the cable connection to the machine.");
}

}  // namespace

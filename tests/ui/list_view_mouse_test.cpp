// A drag in the entry list made with the mouse alone. The events take the
// window system's path, so the list's mouse grab decides who gets them, as it
// does for a person's mouse.
#define QTEST_QPA_MOUSE_HANDLING
#include "list_fixture.h"

namespace {

using test::code;
using test::ListTest;

TEST_F(ListTest, aMouseDragOfAMemberOntoAGroupAddsItToTheGroup) {
    host.node = LqaNodeMachineFax;
    list->RefreshList();
    QWidget *rows = list->viewport();
    const QPoint from = rows->mapFromGlobal(rowPoint(code(AdrKindAioFax, 12)));
    const QPoint to = rows->mapFromGlobal(rowPoint(code(AdrKindAioFaxGroup, 1)));

    QTest::mouseClick(rows, Qt::LeftButton, {}, from);
    QTest::mousePress(rows, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step) QTest::mouseMove(rows, from + (to - from) * step / 4);
    ASSERT_TRUE(list->IsDragging());
    QTest::mouseRelease(rows, Qt::LeftButton, {}, to);

    EXPECT_FALSE(list->IsDragging());
    EXPECT_EQ(data().Map<CAdrGroupAioFax>().Lookup(1)->GetMemberIDs(), (QList<quint16>{1, 2, 12}));
}

}  // namespace

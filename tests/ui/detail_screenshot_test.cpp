// A picture of the detail pane for a person to look at, written into the
// build folder: a PC fax member with a long note and two groups.
#include "model/model_builders.h"
#include "ui/detail_view.h"
#include "ui/no_caret_edit.h"
#include "ui/row_code.h"

#include <QDir>
#include <QFrame>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(DetailScreenshot, pcFaxMemberWithALongNoteAndTwoGroups) {
    CAdrData data;
    CAdrMemberPcFax member = test::pcFax(7, "Harriet Okonkwo-Lindqvist");
    member.SetFaxNumber("+44 20 7946 0958");
    member.SetCompany("Lindqvist Freight Forwarding Ltd.");
    member.SetNote(
        "Send customs papers before noon. The fax in the warehouse office is only watched in the morning; after "
        "lunch call the front desk first so that someone collects the pages from the machine.");
    member.SetUpdatedOn(1765362000);
    data.StoreCopy(member);
    data.StoreCopy(test::group<CAdrGroupPcFax>(1, {7}, "Suppliers"));
    data.StoreCopy(test::group<CAdrGroupPcFax>(2, {7}, "Customs agents"));

    CLqaDetailView view;
    view.resize(420, 330);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.ShowSelection(data, {LqaRowCode(AdrKindPcFax, 7)});
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    // Both groups are shown and the rows end inside the pane's canvas.
    ASSERT_EQ(view.Lines().size(), 14);
    EXPECT_EQ(view.Lines().at(11), "Customs agents");
    EXPECT_EQ(view.Lines().at(13), "Suppliers");
    EXPECT_LE(view.Field(13)->geometry().bottom(), view.widget()->height());

    const QPixmap picture = view.grab();
    ASSERT_FALSE(picture.isNull());
    const QString path = QDir::current().filePath("detail_pane_pc_fax_member.png");
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

}  // namespace

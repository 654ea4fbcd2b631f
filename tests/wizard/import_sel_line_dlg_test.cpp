// The row selection dialog, driven as a person would: buttons, double-clicks,
// dragging between the lists, the limit and OK.
#include "import/dlg_list_ctrl.h"
#include "import/import_kinds.h"
#include "import/import_sel_line_dlg.h"
#include "imports/import_fixtures.h"
#include "libui/dialog_driver.h"
#include "support/records.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using abif::CDlgListCtrl;
using abif::CImportSelLineDlg;

constexpr int32_t kEnglish = 1033;

class RowSelectionDialog : public testing::Test {
protected:
    RowSelectionDialog() {
        for (const char16_t *name : {u"Anna", u"Bob", u"Carl", u"Dora", u"Emil"})
            parsed_.array<CAbifFaxData>().append(std::vector{test::fax(0, name, u"555")});
        result_.array<CAbifFaxData>().append(std::vector{test::fax(9, u"Old", u"1")});
    }

    std::unique_ptr<CImportSelLineDlg> open(int32_t limit, std::vector<int> marks, int32_t options) {
        auto dialog = std::make_unique<CImportSelLineDlg>(parsed_, abif::DestinationFax, limit, marks, options,
                                                          result_, kEnglish);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    static CDlgListCtrl *list(CImportSelLineDlg &dialog, const char *name) {
        return dialog.findChild<CDlgListCtrl *>(QString::fromLatin1(name));
    }
    static QPushButton *button(CImportSelLineDlg &dialog, const char *name) {
        return dialog.findChild<QPushButton *>(QString::fromLatin1(name));
    }
    static QStringList names(const CDlgListCtrl *list) {
        QStringList shown;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            shown << list->model()->index(row, 0).data().toString();
        return shown;
    }
    static QPoint centreOfRow(const CDlgListCtrl *list, int row) {
        return list->visualRect(list->model()->index(row, 0)).center();
    }

    test::ScriptedUi ui_;
    CAbifData parsed_;
    CAbifData result_;
};

TEST_F(RowSelectionDialog, addOverTheLimitRefusesAndMovesNothing) {
    auto dialog = open(3, std::vector<int>(5, 0), abif::kImportHighlightCandidates);
    CDlgListCtrl *candidates = list(*dialog, "candidates");
    EXPECT_EQ(candidates->highlightedRows(), (std::vector<int>{0, 1, 2, 3, 4}));
    QTest::mouseClick(button(*dialog, "add"), Qt::LeftButton);
    EXPECT_EQ(ui_.messages, std::vector<QString>{u"The maximum number of items you can import is 3."_qs});
    EXPECT_EQ(names(candidates).size(), 5);
    EXPECT_TRUE(names(list(*dialog, "chosen")).isEmpty());
}

TEST_F(RowSelectionDialog, buttonsFollowTheHighlightAndMovedRowsStayHighlighted) {
    auto dialog = open(10, {0, 1, 0, 0, 0}, 0);
    CDlgListCtrl *candidates = list(*dialog, "candidates");
    CDlgListCtrl *chosen = list(*dialog, "chosen");
    EXPECT_EQ(names(candidates), (QStringList{u"Anna"_qs, u"Carl"_qs, u"Dora"_qs, u"Emil"_qs}));
    EXPECT_EQ(names(chosen), QStringList{u"Bob"_qs});
    EXPECT_FALSE(button(*dialog, "add")->isEnabled());
    EXPECT_FALSE(button(*dialog, "remove")->isEnabled());

    QTest::mouseClick(candidates->viewport(), Qt::LeftButton, {}, centreOfRow(candidates, 3));
    QTest::mouseClick(candidates->viewport(), Qt::LeftButton, Qt::ControlModifier, centreOfRow(candidates, 1));
    EXPECT_TRUE(button(*dialog, "add")->isEnabled());
    QTest::mouseClick(button(*dialog, "add"), Qt::LeftButton);
    EXPECT_EQ(names(chosen), (QStringList{u"Bob"_qs, u"Carl"_qs, u"Emil"_qs}));
    EXPECT_EQ(chosen->highlightedRows(), (std::vector<int>{1, 2}));
    EXPECT_FALSE(button(*dialog, "add")->isEnabled());
    EXPECT_TRUE(button(*dialog, "remove")->isEnabled());

    QTest::mouseClick(button(*dialog, "remove"), Qt::LeftButton);
    EXPECT_EQ(names(candidates), (QStringList{u"Anna"_qs, u"Carl"_qs, u"Dora"_qs, u"Emil"_qs}));
    EXPECT_EQ(names(chosen), QStringList{u"Bob"_qs});
}

TEST_F(RowSelectionDialog, doubleClicksMoveRowsBothWays) {
    auto dialog = open(10, std::vector<int>(5, 0), 0);
    CDlgListCtrl *candidates = list(*dialog, "candidates");
    CDlgListCtrl *chosen = list(*dialog, "chosen");
    const auto doubleClick = [](CDlgListCtrl *list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, row));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, row));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, row));
    };
    doubleClick(candidates, 2);
    EXPECT_EQ(names(chosen), QStringList{u"Carl"_qs});
    doubleClick(chosen, 0);
    EXPECT_TRUE(names(chosen).isEmpty());
    EXPECT_EQ(names(candidates).size(), 5);
}

TEST_F(RowSelectionDialog, draggingHighlightedRowsMovesThemOnlyWhenDroppedOnTheOtherList) {
    auto dialog = open(10, std::vector<int>(5, 0), 0);
    CDlgListCtrl *candidates = list(*dialog, "candidates");
    CDlgListCtrl *chosen = list(*dialog, "chosen");
    candidates->highlightRange(1, 2);
    const QPoint start = centreOfRow(candidates, 1);
    // The list that took the press gets every later event of the drag, as
    // the window system delivers them while a button is held.
    QWidget *source = candidates->viewport();
    const auto dragTo = [&](QWidget *target, QPoint at) {
        const QPoint end = source->mapFromGlobal(target->mapToGlobal(at));
        QTest::mousePress(source, Qt::LeftButton, {}, start);
        QTest::mouseMove(source, start + QPoint(0, 30));
        QTest::mouseMove(source, end);
        QTest::mouseRelease(source, Qt::LeftButton, {}, end);
    };
    // Let go over the dialog's own buttons: nothing moves, the highlight stays.
    dragTo(button(*dialog, "add"), QPoint(2, 2));
    EXPECT_TRUE(names(chosen).isEmpty());
    EXPECT_EQ(candidates->highlightedRows(), (std::vector<int>{1, 2}));

    dragTo(chosen->viewport(), chosen->viewport()->rect().center());
    EXPECT_EQ(names(chosen), (QStringList{u"Bob"_qs, u"Carl"_qs}));
    EXPECT_EQ(names(candidates), (QStringList{u"Anna"_qs, u"Dora"_qs, u"Emil"_qs}));
}

TEST_F(RowSelectionDialog, okCopiesTheChosenRowsInListOrder) {
    auto dialog = open(3, std::vector<int>(5, 0), 0);
    CDlgListCtrl *candidates = list(*dialog, "candidates");
    // Emil, then Anna, then Carl, each by its place in what is left.
    for (int position : {4, 0, 1}) {
        candidates->highlightRange(position, position);
        dialog->addHighlighted();
    }
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->marks(), (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(dialog->addedCount(), 3);
    EXPECT_EQ(imports::recordsOf(result_, abif::DestinationFax),
              (QStringList{u"Emil|555"_qs, u"Anna|555"_qs, u"Carl|555"_qs}));
}

TEST_F(RowSelectionDialog, okWithMoreChosenRowsThanTheLimitStaysOpen) {
    auto dialog = open(2, {1, 1, 1, 0, 0}, 0);
    QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(ui_.messages, std::vector<QString>{u"The maximum number of items you can import is 2."_qs});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(imports::recordsOf(result_, abif::DestinationFax), QStringList{u"Old|1"_qs});
}

}  // namespace

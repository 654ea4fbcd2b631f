// The detail pane offscreen: what it shows for a selection and where it
// places its rows.
#include "model/model_builders.h"
#include "ui/detail_view.h"
#include "ui/no_caret_edit.h"
#include "ui/row_code.h"

#include <QApplication>
#include <QFrame>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const QString kLongNote = QStringLiteral(
    "Call before sending anything after six in the evening; the machine in this office is switched off at night and "
    "the fax is then forwarded to the branch in the next town, which only reads it the following morning.");

CAdrData book(const QString &note) {
    CAdrData d;
    CAdrMemberPcFax pc = test::pcFax(1, "Kato");
    pc.SetFaxNumber("0123-456");
    pc.SetCompany("Kato & Sons");
    pc.SetNote(note);
    d.StoreCopy(pc);
    d.StoreCopy(test::pcFax(2, "Abe"));
    d.StoreCopy(test::group<CAdrGroupPcFax>(1, {1}, "Customers"));
    d.StoreCopy(test::aioFax(4, "Lone", "0925"));
    return d;
}

const quint32 kKato = LqaRowCode(AdrKindPcFax, 1);
const quint32 kAbe = LqaRowCode(AdrKindPcFax, 2);
const quint32 kLone = LqaRowCode(AdrKindAioFax, 4);

class DetailViewTest : public ::testing::Test {
protected:
    DetailViewTest() {
        view.resize(400, 600);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        settle();
    }

    // Delivers the layout requests and the scroll bar changes they cause.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }

    void select(const CAdrData &data, const QList<quint32> &codes) {
        view.ShowSelection(data, codes);
        settle();
    }

    [[nodiscard]] QStringList visibleTexts() const {
        QStringList texts;
        for (int i = 0; CNoCaretEdit *field = view.Field(i); ++i)
            if (field->isVisible()) texts << field->toPlainText();
        return texts;
    }

    // The field holding `text`; the test fails when none shows it.
    [[nodiscard]] CNoCaretEdit *fieldWith(const QString &text) const {
        for (int i = 0; CNoCaretEdit *field = view.Field(i); ++i)
            if (field->isVisible() && field->toPlainText() == text) return field;
        throw std::runtime_error("no field shows " + text.toStdString());
    }

    CLqaDetailView view;
};

TEST_F(DetailViewTest, twoSelectedRowsEmptyThePaneAndOneShowsItAgain) {
    const CAdrData data = book("short");
    select(data, {kKato});
    const QStringList shown = visibleTexts();
    EXPECT_EQ(shown, view.Lines());
    EXPECT_EQ(view.EntryKind(), 0x80000u);
    EXPECT_TRUE(view.DividingLine()->isVisible());

    select(data, {kKato, kAbe});
    EXPECT_TRUE(visibleTexts().isEmpty());
    EXPECT_TRUE(view.Lines().isEmpty());
    EXPECT_EQ(view.EntryKind(), 0u);
    EXPECT_FALSE(view.DividingLine()->isVisible());
    EXPECT_EQ(view.widget()->height(), 0);

    select(data, {kKato});
    EXPECT_EQ(visibleTexts(), shown);
    EXPECT_TRUE(view.DividingLine()->isVisible());

    // An entry deleted meanwhile, and no selection at all, leave it empty too.
    select(CAdrData(), {kKato});
    EXPECT_TRUE(visibleTexts().isEmpty());
    select(data, {});
    EXPECT_TRUE(visibleTexts().isEmpty());
}

TEST_F(DetailViewTest, aShorterEntryHidesTheFieldsItDoesNotNeed) {
    const CAdrData data = book("short");
    select(data, {kKato});
    const int fieldsMade = static_cast<int>(view.Lines().size());
    select(data, {kLone});
    EXPECT_EQ(visibleTexts(), view.Lines());
    EXPECT_LT(view.Lines().size(), fieldsMade);
    ASSERT_NE(view.Field(fieldsMade - 1), nullptr);
    EXPECT_FALSE(view.Field(fieldsMade - 1)->isVisible());
}

TEST_F(DetailViewTest, aMachineFaxMemberInNoGroupShowsNoGroupsRow) {
    select(book("short"), {kLone});
    EXPECT_EQ(visibleTexts(), (QStringList{"ID : ", "004", "Name : ", "Lone", "Fax Number : ", "0925"}));
    EXPECT_FALSE(visibleTexts().contains("Groups:"));
}

TEST_F(DetailViewTest, textsShowAsTypedEvenWhenTheyLookLikeMarkup) {
    CAdrData data;
    data.StoreCopy(test::aioFax(4, "<b>Lone</b> &amp;", "0925"));
    select(data, {kLone});
    ASSERT_NE(view.Field(3), nullptr);
    EXPECT_EQ(view.Field(3)->toPlainText(), "<b>Lone</b> &amp;");
}

TEST_F(DetailViewTest, rowsFollowTheColumnRuleWithTheLineAfterTheIdentity) {
    select(book("short"), {kKato});
    const int width = view.viewport()->width();
    const int captionWidth = (width - 25) * 30 / 100;
    const int valueWidth = width - captionWidth - 25;
    int expectedTop = 10;
    for (int row = 0; row * 2 < view.Lines().size(); ++row) {
        const CNoCaretEdit *caption = view.Field(2 * row);
        const CNoCaretEdit *value = view.Field(2 * row + 1);
        EXPECT_EQ(caption->geometry(), QRect(10, expectedTop, captionWidth, caption->height())) << row;
        EXPECT_EQ(value->geometry(), QRect(10 + captionWidth + 5, expectedTop, valueWidth, value->height())) << row;
        EXPECT_EQ(caption->height(), std::max(caption->height(), value->height())) << row;
        EXPECT_EQ(caption->font().bold(), row < 2) << row;
        EXPECT_EQ(value->font().bold(), row < 2) << row;
        expectedTop = caption->geometry().bottom() + 1 + 5;
        if (row == 1) {
            EXPECT_EQ(view.DividingLine()->geometry(), QRect(10, expectedTop, width - 20, 1));
            expectedTop += 10;
        }
    }
}

TEST_F(DetailViewTest, aLongNoteWrapsAndPushesLaterRowsDown) {
    select(book("short"), {kKato});
    const int lineHeight = fieldWith("short")->height();
    const int groupsTopShort = fieldWith("Groups:")->y();

    select(book(kLongNote), {kKato});
    const CNoCaretEdit *note = fieldWith(kLongNote);
    EXPECT_GE(note->height(), 3 * lineHeight);
    EXPECT_LE(note->geometry().right(), view.viewport()->width() - 10);
    const CNoCaretEdit *groups = fieldWith("Groups:");
    EXPECT_EQ(groups->y(), groupsTopShort + note->height() - lineHeight);
    EXPECT_EQ(groups->y(), note->geometry().bottom() + 1 + 5);
    // The caption beside the note is stretched to the note's height.
    EXPECT_EQ(fieldWith("Note : ")->height(), note->height());
}

TEST_F(DetailViewTest, narrowingThePaneWrapsTheTextsAgain) {
    select(book(kLongNote), {kKato});
    const int wideHeight = fieldWith(kLongNote)->height();
    view.resize(250, 600);
    settle();
    EXPECT_GT(fieldWith(kLongNote)->height(), wideHeight);
    EXPECT_EQ(fieldWith(kLongNote)->width(), view.viewport()->width() - (view.viewport()->width() - 25) * 30 / 100 - 25);
}

TEST_F(DetailViewTest, aPaneNarrowerThanItsMarginsStillGivesEveryFieldAWidth) {
    view.resize(20, 200);
    select(book("short"), {kKato});
    for (int i = 0; i < view.Lines().size(); ++i) {
        EXPECT_GE(view.Field(i)->width(), 1) << i;
        EXPECT_GE(view.Field(i)->height(), 1) << i;
    }
    EXPECT_GE(view.DividingLine()->width(), 1);
}

TEST_F(DetailViewTest, scrollsVerticallyOnlyWhenTheRowsAreTallerThanThePane) {
    select(book("short"), {kKato});
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    view.resize(200, 120);
    select(book(kLongNote), {kKato});
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.widget()->width(), view.viewport()->width());
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);

    // The same entry again keeps its place; changed content starts at the top.
    const int bottom = view.verticalScrollBar()->maximum();
    view.verticalScrollBar()->setValue(bottom);
    select(book(kLongNote), {kKato});
    EXPECT_EQ(view.verticalScrollBar()->value(), bottom);
    select(book(kLongNote + " Ring twice."), {kKato});
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

TEST_F(DetailViewTest, aBurstOfRequestsCausesOneLayoutWithTheLastContent) {
    const CAdrData data = book("short");
    QSignalSpy layouts(&view, &CLqaDetailView::laidOut);
    view.ShowSelection(data, {kKato});
    view.ShowSelection(data, {kKato, kAbe});
    view.RequestLayout(CLqaDetailView::LayoutRecreateFonts);
    view.ShowSelection(data, {kLone});
    EXPECT_EQ(layouts.count(), 0);
    QCoreApplication::sendPostedEvents(&view);
    EXPECT_EQ(layouts.count(), 1);
    EXPECT_EQ(visibleTexts(), view.Lines());
    EXPECT_EQ(view.Lines().at(3), "Lone");
    // The queue is empty again: the next request lays out once more.
    view.Clear();
    QCoreApplication::sendPostedEvents(&view);
    EXPECT_EQ(layouts.count(), 2);
}

TEST_F(DetailViewTest, aSystemFontChangeRecreatesBothFontsAndPlacesTheRowsAgain) {
    select(book("short"), {kKato});
    const int nameHeight = view.Field(1)->height();
    const int faxTop = view.Field(4)->y();
    const QFont before = QApplication::font();
    QFont larger = before;
    larger.setPointSize(before.pointSize() + 6);
    QApplication::setFont(larger);
    settle();
    EXPECT_GT(view.Field(1)->height(), nameHeight);
    EXPECT_GT(view.Field(4)->y(), faxTop);
    EXPECT_EQ(view.Field(0)->font().pointSize(), larger.pointSize());
    EXPECT_TRUE(view.Field(0)->font().bold());
    EXPECT_EQ(view.Field(4)->font().pointSize(), larger.pointSize());
    EXPECT_FALSE(view.Field(4)->font().bold());
    QApplication::setFont(before);
    settle();
    EXPECT_EQ(view.Field(0)->font().pointSize(), before.pointSize());
}

TEST_F(DetailViewTest, fieldsAreReadOnlyAndShowNoCaretWithTheFocus) {
    select(book("short"), {kKato});
    CNoCaretEdit *name = fieldWith("Kato");
    view.activateWindow();
    name->setFocus();
    QTest::keyClicks(name, "xyz");
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->toPlainText(), "Kato");
    EXPECT_TRUE(name->isReadOnly());
    EXPECT_EQ(name->cursorWidth(), 0);
}

}  // namespace

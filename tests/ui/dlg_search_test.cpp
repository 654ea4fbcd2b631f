// The search dialog offscreen, searching the rows of a small data set and
// answering its question from a script.
#include "data_set_rows.h"
#include "support/scripted_prompt.h"
#include "ui/dlg_search.h"
#include "ui/match_words.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kQuestion =
    QStringLiteral("Finished searching to the end. Do you want to continue searching from the beginning?");

class SearchDialogTest : public ::testing::Test {
protected:
    SearchDialogTest() { dialog.show(); }

    void search(const char *text, int mode = SearchAnyWord, bool up = false) {
        dialog.ModeBox()->setCurrentIndex(mode);
        (up ? dialog.UpButton() : dialog.DownButton())->setChecked(true);
        dialog.TextField()->setText(QString::fromUtf8(text));
        dialog.NextButton()->click();
    }

    test::DataSetRows rows{test::officeBook()};
    ScriptedPrompt prompt;
    CDlgSearch dialog{rows, &prompt};
};

TEST_F(SearchDialogTest, opensClearedWithTheFiveModesInOrder) {
    EXPECT_EQ(dialog.windowTitle(), "Search");
    EXPECT_FALSE(dialog.isModal());
    QStringList modes;
    for (int i = 0; i < dialog.ModeBox()->count(); ++i) modes << dialog.ModeBox()->itemText(i);
    EXPECT_EQ(modes, (QStringList{"Any of these words", "All of these words", "None of these words",
                                  "Start with these words", "End with these words"}));
    EXPECT_EQ(dialog.ModeBox()->currentIndex(), 0);
    EXPECT_TRUE(dialog.DownButton()->isChecked());
    EXPECT_FALSE(dialog.UpButton()->isChecked());
    EXPECT_TRUE(dialog.TextField()->text().isEmpty());
    EXPECT_EQ(dialog.TextField()->maxLength(), 254);
    EXPECT_EQ(dialog.focusWidget(), dialog.TextField());
    EXPECT_TRUE(dialog.NextButton()->isDefault());
}

TEST_F(SearchDialogTest, nextIsEnabledExactlyWhileThereIsText) {
    EXPECT_FALSE(dialog.NextButton()->isEnabled());
    QTest::keyClicks(dialog.TextField(), "t");
    EXPECT_TRUE(dialog.NextButton()->isEnabled());
    QTest::keyClick(dialog.TextField(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog.NextButton()->isEnabled());
    // A text of spaces is text.
    QTest::keyClicks(dialog.TextField(), " ");
    EXPECT_TRUE(dialog.NextButton()->isEnabled());
}

TEST_F(SearchDialogTest, clearBringsBackTheOpeningState) {
    search("tana", SearchStartsWith, true);
    dialog.ClearButton()->setFocus();
    dialog.ClearButton()->click();
    EXPECT_TRUE(dialog.DownButton()->isChecked());
    EXPECT_EQ(dialog.ModeBox()->currentIndex(), SearchAnyWord);
    EXPECT_TRUE(dialog.TextField()->text().isEmpty());
    EXPECT_FALSE(dialog.NextButton()->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), dialog.TextField());
}

struct StepCase {
    const char *what;
    std::set<int> selectedBefore;
    const char *text;
    int mode;
    bool up;
    int expectedRow;
};

class SearchDialogStepTest : public SearchDialogTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(SearchDialogStepTest, selectsTheRowTheChoicesLeadTo) {
    const StepCase &c = GetParam();
    rows.selected = c.selectedBefore;
    search(c.text, c.mode, c.up);
    EXPECT_EQ(rows.selected, std::set<int>{c.expectedRow}) << c.what;
    EXPECT_TRUE(prompt.shown.isEmpty()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SearchDialogStepTest,
    ::testing::Values(StepCase{"up with nothing selected starts at the last row", {}, "tana", SearchAnyWord, true, 4},
                      StepCase{"down with nothing selected starts at the first row", {}, "tana", SearchAnyWord, false, 0},
                      StepCase{"down goes on after the selection", {0}, "tana", SearchAnyWord, false, 4},
                      StepCase{"none of these words from the first row", {}, "tanaka 0312", SearchNoWord, false, 1},
                      StepCase{"all of these words in two columns", {}, "SATO 0466", SearchAllWords, false, 1},
                      StepCase{"end with one letter in any case", {}, "I", SearchEndsWith, false, 2},
                      StepCase{"start with, upwards", {5}, "0", SearchStartsWith, true, 4}));

TEST_F(SearchDialogTest, noMatchAsksAndYesWithStillNoMatchAsksAgain) {
    rows.selected = {2};
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::No};
    search("nowhere");
    EXPECT_EQ(prompt.shown, (QStringList{kQuestion, kQuestion, kQuestion}));
    EXPECT_EQ(rows.selected, std::set<int>{2});
    EXPECT_EQ(rows.selections, 0);
}

TEST_F(SearchDialogTest, yesGoesOnFromTheOtherEnd) {
    struct Case {
        bool up;
        int selectedBefore;
        const char *text;
        int expectedRow;
    };
    for (const Case c : {Case{false, 4, "tanaka", 0}, Case{true, 0, "tanabe", 4}}) {
        rows.selected = {c.selectedBefore};
        prompt.shown.clear();
        prompt.answers = {PromptAnswer::Yes};
        search(c.text, SearchAnyWord, c.up);
        EXPECT_EQ(prompt.shown, QStringList{kQuestion}) << c.text;
        EXPECT_EQ(rows.selected, std::set<int>{c.expectedRow}) << c.text;
    }
}

TEST_F(SearchDialogTest, noEndsTheSearchWithTheSelectionKept) {
    rows.selected = {4};
    prompt.answers = {PromptAnswer::No};
    search("tanaka");
    EXPECT_EQ(prompt.shown, QStringList{kQuestion});
    EXPECT_EQ(rows.selected, std::set<int>{4});
}

TEST_F(SearchDialogTest, enterInTheTextFieldSearchesAndNeverClosesTheDialog) {
    dialog.activateWindow();
    dialog.TextField()->setFocus();
    QTest::keyClick(dialog.TextField(), Qt::Key_Return);
    EXPECT_EQ(rows.selections, 0);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClicks(dialog.TextField(), "sato");
    QTest::keyClick(dialog.TextField(), Qt::Key_Return);
    EXPECT_EQ(rows.selected, std::set<int>{1});
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SearchDialogTest, helpAsksForItsTopic) {
    QSignalSpy help(&dialog, &CDlgSearch::helpRequested);
    dialog.HelpButton()->click();
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help.first().first().toInt(), 1012);
}

TEST(SearchDialogOpen, oneAtATimeCentredAndForgottenWhenClosed) {
    test::DataSetRows rows{test::officeBook()};
    ScriptedPrompt prompt;
    QPointer<CDlgSearch> open;
    CDlgSearch *first = CDlgSearch::Open(open, rows, nullptr, &prompt);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(open, first);
    EXPECT_TRUE(first->isVisible());
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((first->frameGeometry().center() - screenCentre).manhattanLength(), 2);

    first->TextField()->setText("kept");
    EXPECT_EQ(CDlgSearch::Open(open, rows, nullptr, &prompt), first);
    EXPECT_EQ(first->TextField()->text(), "kept");

    first->CloseButton()->click();
    EXPECT_FALSE(first->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull());

    CDlgSearch *second = CDlgSearch::Open(open, rows, nullptr, &prompt);
    EXPECT_EQ(open, second);
    EXPECT_TRUE(second->TextField()->text().isEmpty());
    QTest::keyClick(second, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull());
}

}  // namespace

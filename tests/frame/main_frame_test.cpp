// The main frame: its menus and enabled commands, the drop-down buttons, the
// search bar, the keyboard between the panes, the bars it stores, the tree
// fitting and closing.
#include "frame/frame_fixture.h"
#include "frame/lqa_splitter.h"
#include "document/linquara_doc_last_file.h"
#include "frame/window_placement.h"
#include "ui/detail_view.h"
#include "ui/row_code.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QSessionManager>
#include <QSettings>
#include <QSplitterHandle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using test::FrameTest;

QStringList itemsOf(const QMenu &menu) {
    QStringList items;
    for (QAction *action : menu.actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text().remove(QLatin1Char('&')));
    return items;
}

class MainFrameTest : public FrameTest {
protected:
    void activate() {
        showFrame();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    [[nodiscard]] bool enabled(const char *action) const { return frame->Action(QLatin1String(action))->isEnabled(); }
    static QByteArray stored(const char *name) { return test::SettingsFolder::raw().value(name).toByteArray(); }
    void setSearchMode(qint32 mode) {
        EnvironmentRecord record = doc->Settings().Config();
        record.searchMode = mode;
        doc->Settings().WriteConfig(record);
    }
};

TEST_F(MainFrameTest, menusHoldTheDocumentsCommands) {
    startOnline();
    makeFrame();
    QStringList titles;
    for (QAction *menu : frame->menuBar()->actions()) titles << menu->text().remove(QLatin1Char('&'));
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "View", "Tools", "Help"}));

    const QMenu *file = frame->findChild<QMenu *>(QStringLiteral("fileMenu"));
    ASSERT_TRUE(file);
    EXPECT_EQ(itemsOf(*file),
              (QStringList{"New PC Fax Address Book File...", "Open PC Fax Address Book File...", "-", "Import...",
                           "Export...", "-", "Save All",
                           "Save Machine Address Book", "Save PC Fax Address Book", "Save PC Fax Address Book as...",
                           "-", "Backup Machine Address Book...", "Restore Machine Address Book...", "-",
                           "Check for Updated Information", "-", "Exit"}));
    const QMenu *edit = frame->findChild<QMenu *>(QStringLiteral("editMenu"));
    ASSERT_TRUE(edit);
    EXPECT_EQ(itemsOf(*edit), (QStringList{"Undo", "Redo", "-", "Copy", "Paste", "Delete", "-", "Select All",
                                           "Search...", "-", "New (Machine Address Book)", "New (PC Fax Address Book)",
                                           "Edit..."}));
    const QMenu *view = frame->findChild<QMenu *>(QStringLiteral("viewMenu"));
    ASSERT_TRUE(view);
    EXPECT_EQ(itemsOf(*view), (QStringList{"Toolbar", "Sort", "-", "Customize View..."}));
    frame->Action(QStringLiteral("customizeView"))->trigger();
    EXPECT_EQ(list().customizations, 1) << "the list owns its columns";
}

TEST_F(MainFrameTest, commandsFollowTheConnectionAndTheListSelection) {
    struct Expect {
        const char *action;
        bool online;
        bool offline;
    } const expectations[] = {
        {"checkForUpdate", true, false}, {"backup", true, false},    {"restore", true, false},
        {"saveMachine", true, false},    {"newMachine", true, false}, {"newMachineMember", true, false},
        {"saveAll", true, true},         {"savePcFax", true, true},   {"savePcFaxAs", true, true},
        {"newPcFaxFile", true, true},    {"openPcFaxFile", true, true}, {"newPcFaxMember", true, true},
        {"undo", false, false},          {"redo", false, false},
    };
    for (const bool online : {true, false}) {
        freshDocument();
        online ? startOnline() : startOffline();
        makeFrame();
        for (const Expect &e : expectations)
            EXPECT_EQ(enabled(e.action), online ? e.online : e.offline) << e.action << (online ? " online" : " offline");
    }

    freshDocument();
    startOffline();
    storeAll<CAdrMemberPcFax>({test::pcFax(1, QStringLiteral("Ana Reyes")), test::pcFax(2, QStringLiteral("Bo Lin"))});
    makeFrame();
    EXPECT_TRUE(enabled("undo")) << "a step was taken";
    EXPECT_FALSE(enabled("editEntry"));
    EXPECT_FALSE(enabled("copy"));
    list().selected = {LqaRowCode(AdrKindPcFax, 1)};
    frame->ListSelectionChanged();
    EXPECT_TRUE(enabled("editEntry"));
    EXPECT_TRUE(enabled("copy"));
    EXPECT_TRUE(enabled("delete"));
    list().selected << LqaRowCode(AdrKindPcFax, 2);
    frame->ListSelectionChanged();
    EXPECT_FALSE(enabled("editEntry")) << "edit takes one entry";

    tree().SelectNode(LqaNodePcFaxBook);
    EXPECT_FALSE(enabled("paste"));
    frame->Action(QStringLiteral("copy"))->trigger();
    EXPECT_TRUE(enabled("paste")) << "the copy fits the PC fax book";
    tree().SelectNode(LqaNodeMachineFax);
    EXPECT_FALSE(enabled("paste")) << "no machine while offline";
}

TEST_F(MainFrameTest, dropDownMenusOpenUnderTheButtonsLeftEdge) {
    startOnline();
    makeFrame();
    activate();
    struct Case {
        const char *button;
        QStringList items;
    } const cases[] = {
        {"newMachine", {"Fax"}},
        {"newPcFax", {"New Member...", "New Group..."}},
        {"saveAll", {"Save All", "Save PC Fax Address Book", "Save Machine Address Book"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        QToolButton *button = frame->ToolButton(QLatin1String(c.button));
        ASSERT_TRUE(button);
        QPoint openedAt(-1, -1);
        QStringList items;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                openedAt = menu->pos();
                items = itemsOf(*menu);
                menu->close();
            }
        });
        // Save All opens its menu from the arrow at its right end.
        const QPoint at = button->popupMode() == QToolButton::MenuButtonPopup
                              ? QPoint(button->width() - 4, button->height() / 2)
                              : button->rect().center();
        QTest::mousePress(button, Qt::LeftButton, {}, at);
        QTest::mouseRelease(button, Qt::LeftButton, {}, at);
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(openedAt, button->mapToGlobal(QPoint(0, button->height())));
    }
    EXPECT_EQ(frame->StandardBar()->iconSize(), QSize(32, 32));
}

TEST_F(MainFrameTest, searchFieldRefreshesOnEnterAndWhileTypingInRealTimeMode) {
    startOffline();
    makeFrame();
    activate();
    QLineEdit *field = frame->SearchField();

    setSearchMode(0);
    int refreshes = list().refreshes;
    QTest::keyClicks(field, QStringLiteral("ana"));
    EXPECT_EQ(list().refreshes, refreshes) << "waits for Enter";
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(list().refreshes, refreshes + 1);
    EXPECT_EQ(list().searchTexts.last(), "ana");

    setSearchMode(1);
    refreshes = list().refreshes;
    QTest::keyClicks(field, QStringLiteral("bc"));
    EXPECT_EQ(list().refreshes, refreshes + 2);
    EXPECT_EQ(list().searchTexts.last(), "anabc");
    QTest::keyClick(field, Qt::Key_Enter);
    EXPECT_EQ(list().refreshes, refreshes + 3) << "Enter refreshes whatever the mode";
    EXPECT_EQ(field->text(), "anabc") << "the field keeps its keys";

    // The field reaches the bar's right edge, which is the window's.
    const int fieldRight = field->mapTo(frame.get(), QPoint(field->width(), 0)).x();
    EXPECT_GE(fieldRight, frame->width() - 16);
    frame->resize(frame->width() + 120, frame->height());
    QCoreApplication::processEvents();
    EXPECT_GE(field->mapTo(frame.get(), QPoint(field->width(), 0)).x(), frame->width() - 16) << "after a resize";
}

TEST_F(MainFrameTest, keysMoveBetweenThePanesAndEscapeEndsADrag) {
    startOffline();
    storeAll<CAdrMemberPcFax>({test::pcFax(1, QStringLiteral("Ana Reyes"))});
    makeFrame();
    activate();
    QWidget *listWidget = list().Widget();
    tree().setFocus();

    QTest::keyClick(&tree(), Qt::Key_Tab);
    EXPECT_TRUE(listWidget->hasFocus());
    QTest::keyClick(listWidget, Qt::Key_Tab);
    EXPECT_TRUE(tree().hasFocus());

    QTest::keyClick(&tree(), Qt::Key_F6);
    EXPECT_TRUE(listWidget->hasFocus());
    QTest::keyClick(listWidget, Qt::Key_F6);
    EXPECT_TRUE(frame->DetailView()->hasFocus() || frame->DetailView()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(tree().hasFocus());
    QTest::keyClick(&tree(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(frame->DetailView()->hasFocus() || frame->DetailView()->isAncestorOf(QApplication::focusWidget()));

    QTest::keyClick(listWidget, Qt::Key_Escape);
    EXPECT_EQ(list().cancelledDrags, 0) << "no drag to cancel";
    list().dragging = true;
    QTest::keyClick(listWidget, Qt::Key_Escape);
    EXPECT_EQ(list().cancelledDrags, 1);
    EXPECT_FALSE(list().dragging);

    list().selected = {LqaRowCode(AdrKindPcFax, 1)};
    frame->ListSelectionChanged();
    QTest::keyClick(listWidget, Qt::Key_Return);
    EXPECT_EQ(asked, QStringList{"PC fax member"}) << "Enter edits the selected entry";
}

TEST_F(MainFrameTest, barTogglesAreCheckedStoredOnCloseAndRestored) {
    startOffline();
    makeFrame();
    showFrame();
    QAction *standard = frame->Action(QStringLiteral("standardBar"));
    QAction *search = frame->Action(QStringLiteral("searchBar"));
    EXPECT_TRUE(standard->isChecked());
    EXPECT_TRUE(search->isChecked());

    standard->trigger();
    EXPECT_FALSE(frame->StandardBar()->isVisible());
    EXPECT_FALSE(standard->isChecked());
    EXPECT_FALSE(frame->StandardBarShown());
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(stored(CMainFrame::kToolBarVisible), EncodeIntPair(0, 1));
    EXPECT_FALSE(stored(CMainFrame::kToolBarState).isEmpty());

    makeFrame();
    showFrame();
    EXPECT_FALSE(frame->StandardBar()->isVisible());
    EXPECT_TRUE(frame->SearchBar()->isVisible());
    EXPECT_FALSE(frame->Action(QStringLiteral("standardBar"))->isChecked());
    frame->Action(QStringLiteral("standardBar"))->trigger();
    frame->Action(QStringLiteral("searchBar"))->trigger();
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(stored(CMainFrame::kToolBarVisible), EncodeIntPair(1, 0));

    // A value too short to hold both flags shows both bars.
    test::SettingsFolder::raw().setValue(CMainFrame::kToolBarVisible, EncodeIntPair(0, 0).left(7));
    makeFrame();
    showFrame();
    EXPECT_TRUE(frame->StandardBar()->isVisible());
    EXPECT_TRUE(frame->SearchBar()->isVisible());
}

TEST_F(MainFrameTest, aDoubleClickOnTheSplitterBarFitsTheTree) {
    startOnline();
    makeFrame();
    showFrame();
    frame->OuterSplitter()->setSizes({400, 500});
    QSplitterHandle *handle = frame->OuterSplitter()->handle(1);
    QTest::mouseDClick(handle, Qt::LeftButton, {}, handle->rect().center());

    const int needed = tree().GetNeededWidth();
    EXPECT_EQ(tree().width(), needed);
    // Exactly the widest text's right edge plus 5.
    int textRight = 0;
    for (int type : {LqaNodeAddressBooks, LqaNodeMachineBook, LqaNodeMachineFax, LqaNodePcFaxBook}) {
        QTreeWidgetItem *node = tree().Node(type);
        const QRect cell = tree().visualItemRect(node);
        const int right = cell.left() + tree().iconSize().width() +
                          tree().fontMetrics().horizontalAdvance(node->text(0));
        textRight = std::max(textRight, tree().viewport()->mapTo(&tree(), QPoint(right, 0)).x());
    }
    EXPECT_GE(needed - 5, textRight);
    EXPECT_LE(needed - 5, textRight + 16) << "only the item's own padding beyond the text";
}

TEST_F(MainFrameTest, closeRequestsAreRefusedWhileACommandRuns) {
    startOffline();
    makeFrame();
    showFrame();
    bool requestAnswer = true;
    bool closed = true;
    editor.pcFax = [&](CAdrMemberPcFax &, QList<quint16> &) {
        requestAnswer = frame->RequestClose();
        closed = frame->close();
        return false;
    };
    frame->Action(QStringLiteral("newPcFaxMember"))->trigger();
    EXPECT_FALSE(requestAnswer);
    EXPECT_FALSE(closed);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->isVisible());

    EXPECT_TRUE(frame->RequestClose());
    EXPECT_TRUE(frame->isVisible()) << "the close comes later, as a posted one";
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, closingAsksTheDocumentFirst) {
    startOffline();
    storeAll<CAdrMemberPcFax>({test::pcFax(1, QStringLiteral("Ana Reyes"))});
    doc->SetPcFaxModified(true);
    makeFrame();
    showFrame();
    prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(stored(CMainFrame::kWindowPosition).isEmpty()) << "nothing stored for a window that stays";
    prompt.answers = {PromptAnswer::No};
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(stored(CMainFrame::kWindowPosition).size(), 44);
}

TEST_F(MainFrameTest, theSessionEndAsksAsClosingDoesAndKeepsTheLayout) {
    struct Case {
        const char *what;
        PromptAnswer answer;
        bool sessionGoesOn;
        bool saved;
    };
    const Case cases[] = {
        {"cancel stops the log-out", PromptAnswer::Cancel, false, false},
        {"yes saves", PromptAnswer::Yes, true, true},
        {"no leaves the changes", PromptAnswer::No, true, false},
    };
    startOffline();
    // Only the PC fax book is saved, whatever save all does with the machine.
    panel({QStringLiteral("power"), QStringLiteral("off")});
    makeFrame();
    showFrame();
    for (const Case &c : cases) {
        edit(test::pcFax(static_cast<quint16>(&c - cases + 1), QStringLiteral("Ana Reyes")));
        test::SettingsFolder::raw().remove(CMainFrame::kWindowPosition);
        prompt.shown.clear();
        prompt.answers = {c.answer};
        EXPECT_EQ(frame->CommitSession(true), c.sessionGoesOn) << c.what;
        EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgSaveChanges)}) << c.what;
        EXPECT_EQ(stored(CMainFrame::kWindowPosition).size(), c.sessionGoesOn ? 44 : 0) << c.what;
        EXPECT_EQ(doc->IsPcFaxModified(), !c.saved) << c.what;
    }
    EXPECT_EQ(namesInFile(doc->PcFaxPath()).size(), 2) << "the book as it was when Yes was answered";

    // The close that ends the session does not ask a second time.
    prompt.shown.clear();
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(MainFrameTest, theSessionManagersRequestKeepsTheLayoutWhenItMayNotAsk) {
    startOffline();
    edit(test::pcFax(1, QStringLiteral("Ana Reyes")));
    makeFrame();
    showFrame();
    // The offscreen session lets no program interact.
    auto *manager = qApp->findChild<QSessionManager *>();
    ASSERT_NE(manager, nullptr);
    emit qApp->commitDataRequest(*manager);
    EXPECT_TRUE(prompt.shown.isEmpty());
    EXPECT_EQ(stored(CMainFrame::kWindowPosition).size(), 44);
    EXPECT_EQ(ReadLastFileName(), doc->PcFaxPath());
    EXPECT_TRUE(doc->IsPcFaxModified());
}

TEST_F(MainFrameTest, aFileFromASecondStartOpensOnceTheRunningCommandEnds) {
    const QString other = file(QStringLiteral("other.qad"));
    writeBook(other, {QStringLiteral("Other")});
    startOffline();
    makeFrame();
    showFrame();
    QString pathDuringCommand;
    editor.pcFax = [&](CAdrMemberPcFax &, QList<quint16> &) {
        frame->OpenPcFaxFileWhenIdle(other);
        QTest::qWait(500);
        pathDuringCommand = doc->PcFaxPath();
        return false;
    };
    frame->Action(QStringLiteral("newPcFaxMember"))->trigger();
    EXPECT_NE(pathDuringCommand, other) << "not under the running command";
    EXPECT_TRUE(QTest::qWaitFor([&] { return doc->PcFaxPath() == other; }, 5000));
    EXPECT_EQ(test::pcFaxNames(data()), QStringList{QStringLiteral("Other")});
}

}  // namespace

// The address-book tree: its nodes and images, the refused collapse, the
// double-click rules and the context menus, online and offline.
#include "frame/frame_fixture.h"
#include "text/editor_text.h"
#include "ui/program_icons.h"
#include "ui/row_code.h"

#include <QMenu>

#include <gtest/gtest.h>

namespace {

using test::FrameTest;

// "Item", "Submenu > Item", with the items' shortcut marks removed; a
// greyed item ends in " (greyed)".
QStringList describe(const QMenu &menu, const QString &prefix = {}) {
    QStringList lines;
    for (QAction *action : menu.actions()) {
        if (action->isSeparator()) continue;
        const QString text = prefix + action->text().remove(QLatin1Char('&'));
        if (action->menu())
            lines << describe(*action->menu(), text + QLatin1String(" > "));
        else
            lines << text + (action->isEnabled() ? QString() : QStringLiteral(" (greyed)"));
    }
    return lines;
}

QImage imageOf(const QIcon &icon) { return icon.pixmap(32, 32).toImage(); }

class TreeTest : public FrameTest {
protected:
    void doubleClick(int nodeType, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect cell = tree().visualItemRect(tree().Node(nodeType));
        QTest::mouseDClick(tree().viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    QStringList menuOf(int nodeType) {
        const std::unique_ptr<QMenu> menu = tree().ContextMenuFor(nodeType);
        return menu ? describe(*menu) : QStringList{QStringLiteral("no menu")};
    }
    void storePcFaxMember() { storeAll<CAdrMemberPcFax>({test::pcFax(1, QStringLiteral("Ana Reyes"))}); }
};

TEST_F(TreeTest, holdsTheFourNodesWithTheirCaptionsAndTypes) {
    startOnline();
    makeFrame();
    QTreeWidgetItem *root = tree().Node(LqaNodeAddressBooks);
    ASSERT_EQ(tree().topLevelItemCount(), 1);
    EXPECT_EQ(tree().topLevelItem(0), root);
    EXPECT_EQ(root->text(0), "Address Books");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0), tree().Node(LqaNodeMachineBook));
    EXPECT_EQ(root->child(0)->text(0), "Machine Address Book");
    EXPECT_EQ(root->child(0)->child(0), tree().Node(LqaNodeMachineFax));
    EXPECT_EQ(root->child(0)->child(0)->text(0), "Fax");
    EXPECT_EQ(root->child(1), tree().Node(LqaNodePcFaxBook));
    EXPECT_EQ(root->child(1)->text(0), "PC Fax Address Book");

    for (int type : {LqaNodeMachineFax, LqaNodePcFaxBook, LqaNodeMachineBook}) {
        const int refreshes = list().refreshes;
        tree().SelectNode(type);
        EXPECT_EQ(tree().GetNodeType(), type);
        EXPECT_EQ(frame->SelectedNodeType(), type);
        EXPECT_EQ(list().refreshes, refreshes + 1) << "the list follows the tree";
    }
    tree().clearSelection();
    EXPECT_EQ(tree().GetNodeType(), LqaNodeNone);
}

TEST_F(TreeTest, arrowKeysMoveTheSelectionAndTheListFollows) {
    startOnline();
    makeFrame();
    showFrame();
    tree().setFocus();
    tree().SelectNode(LqaNodeAddressBooks);
    const int refreshes = list().refreshes;
    QTest::keyClick(&tree(), Qt::Key_Down);
    EXPECT_EQ(tree().GetNodeType(), LqaNodeMachineBook);
    QTest::keyClick(&tree(), Qt::Key_Down);
    EXPECT_EQ(tree().GetNodeType(), LqaNodeMachineFax);
    EXPECT_EQ(list().refreshes, refreshes + 2);
}

// A click makes the node current before it selects it; the list must see
// the clicked node, not the one selected before.
TEST_F(TreeTest, aClickedNodeIsTheSelectedOneWhenTheListRefreshes) {
    startOnline();
    makeFrame();
    showFrame();
    tree().SelectNode(LqaNodeAddressBooks);
    list().refreshedNodes.clear();
    const QList<int> clicked{LqaNodePcFaxBook, LqaNodeMachineFax, LqaNodeMachineBook, LqaNodeAddressBooks};
    for (int node : clicked)
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, tree().visualItemRect(tree().Node(node)).center());
    EXPECT_EQ(list().refreshedNodes, clicked);
}

TEST_F(TreeTest, showsTheOfflineImagesOfTheMachineNodesWhileOffline) {
    for (const bool online : {true, false}) {
        SCOPED_TRACE(online ? "online" : "offline");
        freshDocument();
        online ? startOnline() : startOffline();
        makeFrame();
        EXPECT_EQ(imageOf(tree().Node(LqaNodeMachineBook)->icon(0)),
                  imageOf(lqa::treeIcon(lqa::TreeImage::MachineBook, online)));
        EXPECT_EQ(imageOf(tree().Node(LqaNodeMachineFax)->icon(0)), imageOf(lqa::treeIcon(lqa::TreeImage::Fax, online)));
        EXPECT_EQ(imageOf(tree().Node(LqaNodePcFaxBook)->icon(0)),
                  imageOf(lqa::treeIcon(lqa::TreeImage::PcFaxBook, true)));
        frame.reset();
    }
}

TEST_F(TreeTest, neverCollapses) {
    startOnline();
    makeFrame();
    showFrame();
    QTreeWidgetItem *root = tree().Node(LqaNodeAddressBooks);
    QTreeWidgetItem *machine = tree().Node(LqaNodeMachineBook);
    auto allOpen = [&] { return root->isExpanded() && machine->isExpanded(); };
    ASSERT_TRUE(allOpen());

    tree().collapseItem(machine);
    EXPECT_TRUE(allOpen()) << "collapsing by call";
    tree().setFocus();
    for (QTreeWidgetItem *node : {machine, root}) {
        tree().setCurrentItem(node);
        QTest::keyClick(&tree(), Qt::Key_Left);
        QTest::keyClick(&tree(), Qt::Key_Minus);
        QTest::keyClick(&tree(), Qt::Key_Asterisk);
        EXPECT_TRUE(allOpen()) << "keys on " << node->text(0).toStdString();
        // The branch mark sits left of the node's text.
        const QRect cell = tree().visualItemRect(node);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, QPoint(cell.left() - tree().indentation() / 2, cell.center().y()));
        QTest::mouseDClick(tree().viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_TRUE(allOpen()) << "mouse on " << node->text(0).toStdString();
    }
}

TEST_F(TreeTest, doubleClickStartsNewEntriesByNodeAndShift) {
    struct Case {
        bool online;
        int node;
        Qt::KeyboardModifiers modifiers;
        QStringList asked;
    } cases[] = {
        {true, LqaNodeMachineFax, Qt::NoModifier, {"machine fax member"}},
        {true, LqaNodeMachineFax, Qt::ShiftModifier, {"machine fax group"}},
        {true, LqaNodePcFaxBook, Qt::NoModifier, {"PC fax member"}},
        {true, LqaNodePcFaxBook, Qt::ShiftModifier, {"PC fax group"}},
        {true, LqaNodeMachineBook, Qt::NoModifier, {}},
        {true, LqaNodeAddressBooks, Qt::ShiftModifier, {}},
        {false, LqaNodeMachineFax, Qt::NoModifier, {}},
        {false, LqaNodeMachineFax, Qt::ShiftModifier, {}},
        {false, LqaNodePcFaxBook, Qt::NoModifier, {"PC fax member"}},
        {false, LqaNodePcFaxBook, Qt::ShiftModifier, {"PC fax group"}},
    };
    for (const bool online : {true, false}) {
        freshDocument();
        online ? startOnline() : startOffline();
        makeFrame();
        showFrame();
        for (const Case &c : cases) {
            if (c.online != online) continue;
            SCOPED_TRACE(QStringLiteral("%1 node %2 %3")
                             .arg(online ? "online" : "offline")
                             .arg(c.node)
                             .arg(c.modifiers ? "with Shift" : "")
                             .toStdString());
            asked.clear();
            doubleClick(c.node, c.modifiers);
            EXPECT_EQ(asked, c.asked);
        }
        frame.reset();
    }
}

TEST_F(TreeTest, offersTheOnlineMenusWithPasteGreyedUntilTheClipboardFits) {
    startOnline();
    makeFrame();
    const QStringList machineNew{"New (Machine Address Book) > Fax > New Member...",
                                 "New (Machine Address Book) > Fax > New Group..."};
    const QStringList pcFaxNew{"New (PC Fax Address Book) > New Member...", "New (PC Fax Address Book) > New Group..."};
    EXPECT_EQ(menuOf(LqaNodeAddressBooks), machineNew + pcFaxNew + QStringList{"Paste (greyed)"});
    EXPECT_EQ(menuOf(LqaNodeMachineBook),
              (QStringList{"Fax > New Member...", "Fax > New Group...", "Paste (greyed)"}));
    EXPECT_EQ(menuOf(LqaNodeMachineFax), (QStringList{"New Member...", "New Group...", "Paste (greyed)"}));
    EXPECT_EQ(menuOf(LqaNodePcFaxBook), (QStringList{"New Member...", "New Group...", "Paste (greyed)"}));

    // A machine speed dial fits every node (the PC fax book converts it).
    quint16 speedDial = 0;
    data().Map<CAdrMemberAioFax>().ForEach([&](const CAdrMemberAioFax &m) { speedDial = m.GetID(); });
    ASSERT_NE(speedDial, 0) << "the demo machine holds speed dials";
    doc->OnCopy({LqaRowCode(AdrKindAioFax, speedDial)});
    for (int node : {LqaNodeAddressBooks, LqaNodeMachineBook, LqaNodeMachineFax, LqaNodePcFaxBook})
        EXPECT_EQ(menuOf(node).last(), QStringLiteral("Paste")) << node;
}

TEST_F(TreeTest, offersOnlyThePcFaxMenusWhileOffline) {
    startOffline();
    storePcFaxMember();
    makeFrame();
    EXPECT_EQ(menuOf(LqaNodeAddressBooks), (QStringList{"New > New (PC Fax Address Book) > New Member...",
                                                        "New > New (PC Fax Address Book) > New Group..."}));
    EXPECT_EQ(menuOf(LqaNodeMachineBook), QStringList{"no menu"});
    EXPECT_EQ(menuOf(LqaNodeMachineFax), QStringList{"no menu"});
    EXPECT_EQ(menuOf(LqaNodePcFaxBook), (QStringList{"New (PC Fax Address Book) > New Member...",
                                                     "New (PC Fax Address Book) > New Group...", "Paste (greyed)"}));

    doc->OnCopy({LqaRowCode(AdrKindPcFax, 1)});
    ASSERT_TRUE(doc->CanPaste(CLinquaraDoc::TreeNode::MachineFax)) << "the document alone would take it";
    EXPECT_EQ(menuOf(LqaNodePcFaxBook).last(), QStringLiteral("Paste"));
    EXPECT_FALSE(tree().CanPasteInto(LqaNodeMachineFax)) << "but the machine is not there";
    EXPECT_FALSE(tree().CanPasteInto(LqaNodeAddressBooks));
}

TEST_F(TreeTest, theMenusItemsRunTheDocumentsCommands) {
    startOffline();
    storePcFaxMember();
    makeFrame();
    std::unique_ptr<QMenu> menu = tree().ContextMenuFor(LqaNodePcFaxBook);
    ASSERT_TRUE(menu);
    menu->actions().first()->menu()->actions().last()->trigger();
    EXPECT_EQ(asked, QStringList{"PC fax group"});

    doc->OnCopy({LqaRowCode(AdrKindPcFax, 1)});
    menu = tree().ContextMenuFor(LqaNodePcFaxBook);
    menu->actions().last()->trigger();
    EXPECT_EQ(test::pcFaxNames(data()).size(), 2) << "the member was pasted as a copy";
}

}  // namespace

// Customize View over the document's columns, alone and through the list.
#include "list_fixture.h"
#include "ui/dlg_display_item_config.h"

#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

using test::ListTest;

QStringList texts(const QListWidget &list) {
    QStringList all;
    for (int row = 0; row < list.count(); ++row) all << list.item(row)->text();
    return all;
}

QString title(quint16 number) { return CLqaColumnModel().Column(number).title; }

void selectRows(QListWidget &list, const QList<int> &rows) {
    list.clearSelection();
    for (int row : rows) list.item(row)->setSelected(true);
}

TEST(DisplayItemConfig, theListsSplitTheChoosableColumnsAndTheButtonsFollowTheSelection) {
    CLqaColumnModel columns;
    columns.SetDisplayed({0, 1, 5, 3});
    CDlgDisplayItemConfig dialog(columns);
    EXPECT_EQ(texts(*dialog.ShownList()), (QStringList{title(5), title(3)}));
    EXPECT_EQ(texts(*dialog.HiddenList()), (QStringList{title(2), title(4), title(6)}));
    EXPECT_EQ(dialog.HiddenList()->currentRow(), 0);
    EXPECT_TRUE(dialog.AddButton()->isEnabled());
    EXPECT_FALSE(dialog.DeleteButton()->isEnabled());
    EXPECT_FALSE(dialog.UpButton()->isEnabled());
    EXPECT_FALSE(dialog.DownButton()->isEnabled());

    selectRows(*dialog.HiddenList(), {2, 0});
    dialog.AddSelected();
    EXPECT_EQ(texts(*dialog.ShownList()), (QStringList{title(5), title(3), title(2), title(6)}));
    EXPECT_EQ(texts(*dialog.HiddenList()), QStringList{title(4)});

    const struct {
        int row;
        bool up, down;
    } edges[] = {{0, false, true}, {1, true, true}, {3, true, false}};
    for (const auto &e : edges) {
        selectRows(*dialog.ShownList(), {e.row});
        EXPECT_EQ(dialog.UpButton()->isEnabled(), e.up) << e.row;
        EXPECT_EQ(dialog.DownButton()->isEnabled(), e.down) << e.row;
    }
    selectRows(*dialog.ShownList(), {2});
    dialog.MoveUp();
    dialog.MoveUp();
    EXPECT_EQ(texts(*dialog.ShownList()), (QStringList{title(2), title(5), title(3), title(6)}));
    EXPECT_TRUE(dialog.ShownList()->item(0)->isSelected());
    dialog.MoveDown();
    EXPECT_EQ(texts(*dialog.ShownList()), (QStringList{title(5), title(2), title(3), title(6)}));

    // Cancel changes nothing.
    dialog.reject();
    EXPECT_EQ(columns.Displayed(), (QList<quint16>{0, 1, 5, 3}));
}

TEST_F(ListTest, resetThenOkShowsTheDefaultColumns) {
    doc->Columns().SetDisplayed({0, 1, 6});
    list->RefreshList();
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CDlgDisplayItemConfig *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(texts(*dialog->ShownList()), QStringList{title(6)});
        dialog->Reset();
        EXPECT_EQ(texts(*dialog->HiddenList()), QStringList{title(6)});
        dialog->accept();
    });
    list->CustomizeView();
    EXPECT_EQ(list->Model().Columns(), (QList<quint16>{0, 1, 2, 3, 4, 5}));
    QStringList headers;
    for (int section = 0; section < list->Model().columnCount(); ++section)
        headers << list->Model().headerData(section, Qt::Horizontal, Qt::ToolTipRole).toString();
    EXPECT_EQ(headers, (QStringList{title(0), title(1), title(2), title(3), title(4), title(5)}));
}

TEST_F(ListTest, movingEveryColumnAwayLeavesTheFixedOnesAndClearsTheSort) {
    list->SortByColumn(headerPosition(LqaColumnName));
    ASSERT_EQ(list->SortColumn(), 3);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CDlgDisplayItemConfig *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->ShownList()->selectAll();
        dialog->DeleteSelected();
        dialog->accept();
    });
    list->CustomizeView();
    EXPECT_EQ(list->Model().Columns(), (QList<quint16>{0, 1}));
    EXPECT_EQ(list->SortColumn(), -1);
    EXPECT_EQ(list->header()->sortIndicatorSection(), -1);
    EXPECT_FALSE(list->SortActions()[LqaColumnName]->isChecked());
    EXPECT_EQ(list->Model().rowCount(), 8);
}

}  // namespace

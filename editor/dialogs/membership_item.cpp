#include "dialogs/membership_item.h"

#include "text/editor_text.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int kItemRole = Qt::UserRole;
constexpr int kCountRole = Qt::UserRole + 1;

}  // namespace

void SetUpItemList(QTreeWidget *list, int nameColumnTextId) {
    list->setColumnCount(2);
    list->setHeaderLabels({lqa::loadText(lqa::ids::TitleId), lqa::loadText(nameColumnTextId)});
    list->setRootIsDecorated(false);
    list->setSortingEnabled(true);
    list->sortByColumn(0, Qt::AscendingOrder);
    list->setColumnWidth(0, 60);
    list->setColumnWidth(1, 150);
    list->header()->setStretchLastSection(true);
}

void FillItemList(QTreeWidget *list, const QList<MembershipItem> &items) {
    list->clear();
    for (const MembershipItem &item : items) {
        auto *row = new QTreeWidgetItem(list, {QStringLiteral("%1").arg(item.id, 3, 10, QLatin1Char('0')), item.name});
        row->setData(0, kItemRole, item.id);
        row->setData(0, kCountRole, item.memberCount);
    }
}

int MemberCountOf(const QTreeWidgetItem *row) { return row->data(0, kCountRole).toInt(); }

QList<MembershipItem> ItemsOf(const QTreeWidget *list) {
    QList<MembershipItem> items;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = list->topLevelItem(i);
        items.append({static_cast<quint16>(row->data(0, kItemRole).toUInt()), row->text(1),
                      MemberCountOf(row)});
    }
    std::sort(items.begin(), items.end(), [](const auto &a, const auto &b) { return a.id < b.id; });
    return items;
}

// One row of the lists that show a group's members or a member's groups.
#pragma once

#include <QList>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

struct MembershipItem {
    quint16 id = 0;
    QString name;
    int memberCount = 0;  // for groups: members other than the one being edited
    friend bool operator==(const MembershipItem &, const MembershipItem &) = default;
};

// A two-column list ("ID", then `nameColumnTextId`) sorted by a click on a header.
void SetUpItemList(QTreeWidget *list, int nameColumnTextId);
// Replaces the list's rows with `items`, in ID order.
void FillItemList(QTreeWidget *list, const QList<MembershipItem> &items);
// The member count a row was filled with.
[[nodiscard]] int MemberCountOf(const QTreeWidgetItem *row);
// The rows' items, ascending by ID.
[[nodiscard]] QList<MembershipItem> ItemsOf(const QTreeWidget *list);

// What the main frame needs of the entry list in its upper right pane. The
// list view implements it; the frame routes commands and keys through it.
#pragma once

#include <QList>

class QAction;
class QWidget;

class CLqaListPane {
public:
    virtual ~CLqaListPane() = default;

    [[nodiscard]] virtual QWidget *Widget() = 0;

    // Rebuilds the rows for the selected node, applying the search bar's text.
    virtual void RefreshList() = 0;
    // The row codes of the selected rows, for Edit, Copy, Delete.
    [[nodiscard]] virtual QList<quint32> GetSelectedCodes() const = 0;
    virtual void SelectAll() = 0;
    // Opens the search dialog, or brings the open one to the front.
    virtual void OpenSearch() = 0;
    // Customize View: lets the person choose and order the columns, then
    // refreshes the list.
    virtual void CustomizeView() = 0;

    [[nodiscard]] virtual bool IsDragging() const = 0;
    // Ends a drag without a change (Escape).
    virtual void CancelDrag() = 0;

    // The View > Sort items (Type, Register / Group, ID, Name,
    // Register / Group Information, Updated On, Fax Number), kept enabled
    // and checked by the list.
    [[nodiscard]] virtual QList<QAction *> SortActions() = 0;
};

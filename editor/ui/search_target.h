// What the search dialog needs of the list it searches: the rows as the
// texts of their displayed columns, where the selection is, and a way to
// select the row it found. The list view implements it.
#pragma once

#include <QString>
#include <QStringList>

struct CLqaSearchRequest {
    QString text;
    int mode = 0;  // SearchMode
    bool down = true;
    bool caseSensitive = false;
    bool fromStart = false;  // ignore the selection: from the first row down, or the last row up
};

class CLqaSearchTarget {
public:
    virtual ~CLqaSearchTarget() = default;

    [[nodiscard]] virtual int RowCount() const = 0;
    // The row's cell texts in display order, the Type and Member/Group
    // columns first.
    [[nodiscard]] virtual QStringList RowTexts(int row) const = 0;
    // The first selected row in row order, -1 with none selected.
    [[nodiscard]] virtual int FirstSelectedRow() const = 0;
    // Makes `row` the only selected row, focuses it and scrolls it into view.
    virtual void SelectFoundRow(int row) = 0;
};
